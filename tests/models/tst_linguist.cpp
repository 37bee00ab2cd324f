#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CLinguist.h"
#include "views/framework/AlertDlg.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>

using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CLinguist;

namespace {

const QString kBuiltQmDir = QStringLiteral(GLIMORA_TEST_QM_DIR);

// A window title as the login window asks for it.
QString productName()
{
    return QCoreApplication::translate("rj_app::views::CLoginDlg", "PRODUCT_NAME");
}

QString storedLanguage()
{
    return CUserConfigUtils::getInstance()->getLanguage();
}

void storeLanguage(const QString &value)
{
    CUserConfigUtils::getInstance()->setLanguage(value);
}

} // namespace

class TestLinguist : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        CUserConfigUtils::initInstance(qPrintable(QCoreApplication::applicationFilePath()));
        QVERIFY(CUserConfigUtils::getInstance());
    }

    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        storeLanguage(QString());
    }

    void cleanupTestCase()
    {
        QLocale::setDefault(QLocale::c());
        CUserConfigUtils::releaseInstance();
    }

    void shippedTranslationsExist_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::newRow("en-US") << "en-US";
        QTest::newRow("zh-CN") << "zh-CN";
    }
    void shippedTranslationsExist()
    {
        QFETCH(QString, flag);
        QVERIFY(QFile::exists(kBuiltQmDir + QStringLiteral("/lang_%1.qm").arg(flag)));
    }

    // The stored choice wins; without a valid one the locale decides.
    void loadConfigLanguage_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<CLinguist::Language>("expected");
        QTest::addColumn<QString>("storedAfter");
        QTest::addColumn<QString>("log");

        const QString byLocale = QStringLiteral("Invalid language string, get language by locale");
        QTest::newRow("nothing stored, Chinese locale")
            << QString() << "zh_CN" << CLinguist::ZH_CN << "ZH_CN" << byLocale;
        QTest::newRow("nothing stored, Taiwanese Chinese locale")
            << QString() << "zh_TW" << CLinguist::ZH_CN << "ZH_CN" << byLocale;
        QTest::newRow("nothing stored, German locale")
            << QString() << "de_DE" << CLinguist::EN_US << "EN_US" << byLocale;
        QTest::newRow("unknown name, Chinese locale")
            << "FR_FR" << "zh_CN" << CLinguist::ZH_CN << "ZH_CN" << byLocale;
        QTest::newRow("stored Chinese on an English system")
            << "ZH_CN" << "en_US" << CLinguist::ZH_CN << "ZH_CN" << QString();
        QTest::newRow("stored English on a Chinese system")
            << "EN_US" << "zh_CN" << CLinguist::EN_US << "EN_US" << QString();
        QTest::newRow("stored UNDEFINED installs nothing")
            << "UNDEFINED" << "zh_CN" << CLinguist::UNDEFINED << "UNDEFINED"
            << "CLinguist::changeLanguage, UNDEFINED";
        QTest::newRow("both names joined is no language")
            << "EN_US|ZH_CN" << "zh_CN" << CLinguist::UNDEFINED << "EN_US|ZH_CN"
            << "Invalid language: 3";
    }
    void loadConfigLanguage()
    {
        QFETCH(QString, stored);
        QFETCH(QString, locale);
        QFETCH(CLinguist::Language, expected);
        QFETCH(QString, storedAfter);
        QFETCH(QString, log);

        storeLanguage(stored);
        QLocale::setDefault(QLocale(locale));

        CLinguist linguist;
        linguist.setTranslationDir(kBuiltQmDir);
        QSignalSpy changed(&linguist, &CLinguist::sigLanguageChanged);
        if (!log.isEmpty())
            QTest::ignoreMessage(log.startsWith(QLatin1String("Invalid language:")) ? QtInfoMsg
                                                                                    : QtWarningMsg,
                                 qPrintable(log));

        linguist.loadConfigLanguage();

        QCOMPARE(linguist.getLanguage(), expected);
        QCOMPARE(storedLanguage(), storedAfter);
        const bool installed = expected != CLinguist::UNDEFINED;
        QCOMPARE(changed.count(), installed ? 1 : 0);
        QCOMPARE(productName(), installed ? QStringLiteral("Glimora") : QStringLiteral("PRODUCT_NAME"));
    }

    void switchesLanguage()
    {
        CLinguist linguist;
        linguist.setTranslationDir(kBuiltQmDir);
        QSignalSpy changed(&linguist, &CLinguist::sigLanguageChanged);

        QTest::ignoreMessage(QtInfoMsg, qPrintable(QStringLiteral("Language file path: ")
                                                   + kBuiltQmDir + QStringLiteral("/lang_en-US.qm")));
        linguist.changeLanguage(CLinguist::EN_US);
        QCOMPARE(linguist.getLanguage(), CLinguist::EN_US);
        QCOMPARE(storedLanguage(), QStringLiteral("EN_US"));
        QCOMPARE(changed.count(), 1);

        QTest::ignoreMessage(QtInfoMsg, qPrintable(QStringLiteral("Language file path: ")
                                                   + kBuiltQmDir + QStringLiteral("/lang_zh-CN.qm")));
        linguist.changeLanguage(CLinguist::ZH_CN);
        QCOMPARE(linguist.getLanguage(), CLinguist::ZH_CN);
        QCOMPARE(storedLanguage(), QStringLiteral("ZH_CN"));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(productName(), QStringLiteral("Glimora"));
    }

    // The message box's own texts come from the installed translation.
    void messageBoxTexts_data()
    {
        QTest::addColumn<CLinguist::Language>("language");
        QTest::addColumn<QStringList>("texts"); // title, OK, Cancel, Yes, No
        QTest::newRow("en-US") << CLinguist::EN_US << QStringList{"Note", "OK", "Cancel", "Yes", "No"};
        QTest::newRow("zh-CN") << CLinguist::ZH_CN
                               << QStringList{QStringLiteral("提示"), QStringLiteral("确定"),
                                              QStringLiteral("取消"), QStringLiteral("是"),
                                              QStringLiteral("否")};
    }
    void messageBoxTexts()
    {
        using rj_app::views::AlertDlg;
        QFETCH(CLinguist::Language, language);
        QFETCH(QStringList, texts);
        CLinguist linguist;
        linguist.setTranslationDir(kBuiltQmDir);
        linguist.changeLanguage(language);
        QCOMPARE(linguist.getLanguage(), language);

        auto buttonText = [](const AlertDlg &box, const char *name) {
            const QPushButton *b = box.findChild<QPushButton *>(QLatin1String(name));
            return b ? b->text() : QStringLiteral("<missing>");
        };
        QScopedPointer<AlertDlg> custom(new AlertDlg(nullptr));
        QCOMPARE(custom->findChild<QLabel *>(QStringLiteral("m_title"))->text(), texts.at(0));
        const AlertDlg okCancel(nullptr, QString(), QString(),
                                QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Ok);
        QCOMPARE(buttonText(okCancel, "OkYesButton"), texts.at(1));
        QCOMPARE(buttonText(okCancel, "CancelNoButton"), texts.at(2));
        const AlertDlg yesNo(nullptr, QString(), QString(), QDialogButtonBox::Yes | QDialogButtonBox::No,
                             QDialogButtonBox::Yes);
        QCOMPARE(buttonText(yesNo, "OkYesButton"), texts.at(3));
        QCOMPARE(buttonText(yesNo, "CancelNoButton"), texts.at(4));
    }

    void sameLanguageAgainDoesNothing()
    {
        CLinguist linguist;
        linguist.setTranslationDir(kBuiltQmDir);
        linguist.changeLanguage(CLinguist::ZH_CN);
        storeLanguage(QStringLiteral("marker"));
        QSignalSpy changed(&linguist, &CLinguist::sigLanguageChanged);

        QTest::ignoreMessage(QtInfoMsg, "Language not changed");
        linguist.changeLanguage(CLinguist::ZH_CN);

        QCOMPARE(changed.count(), 0);
        QCOMPARE(linguist.getLanguage(), CLinguist::ZH_CN);
        QCOMPARE(storedLanguage(), QStringLiteral("marker"));
    }

    void invalidValueChangesNothing()
    {
        CLinguist linguist;
        linguist.setTranslationDir(kBuiltQmDir);
        linguist.changeLanguage(CLinguist::EN_US);
        QSignalSpy changed(&linguist, &CLinguist::sigLanguageChanged);

        QTest::ignoreMessage(QtInfoMsg, "Invalid language: 7");
        linguist.changeLanguage(CLinguist::Language(7));
        QTest::ignoreMessage(QtWarningMsg, "CLinguist::changeLanguage, UNDEFINED");
        linguist.changeLanguage(CLinguist::UNDEFINED);

        QCOMPARE(changed.count(), 0);
        QCOMPARE(linguist.getLanguage(), CLinguist::EN_US);
        QCOMPARE(storedLanguage(), QStringLiteral("EN_US"));
        QCOMPARE(productName(), QStringLiteral("Glimora"));
    }

    // A file that cannot be loaded must not throw away the translation in use.
    void missingFileKeepsCurrentTranslation()
    {
        QTemporaryDir dir(glimora::test::isolatedRoot() + QStringLiteral("/qm-XXXXXX"));
        QVERIFY(dir.isValid());
        QVERIFY(QFile::copy(kBuiltQmDir + QStringLiteral("/lang_en-US.qm"),
                            dir.path() + QStringLiteral("/lang_en-US.qm")));

        CLinguist linguist;
        linguist.setTranslationDir(dir.path());
        linguist.changeLanguage(CLinguist::EN_US);
        QCOMPARE(productName(), QStringLiteral("Glimora"));
        QSignalSpy changed(&linguist, &CLinguist::sigLanguageChanged);

        QTest::ignoreMessage(QtInfoMsg, "Failed to load language file");
        linguist.changeLanguage(CLinguist::ZH_CN);

        QCOMPARE(changed.count(), 0);
        QCOMPARE(linguist.getLanguage(), CLinguist::EN_US);
        QCOMPARE(storedLanguage(), QStringLiteral("EN_US"));
        QCOMPARE(productName(), QStringLiteral("Glimora"));
    }

    void brokenFileKeepsCurrentTranslation()
    {
        QTemporaryDir dir(glimora::test::isolatedRoot() + QStringLiteral("/qm-XXXXXX"));
        QVERIFY(dir.isValid());
        QVERIFY(QFile::copy(kBuiltQmDir + QStringLiteral("/lang_zh-CN.qm"),
                            dir.path() + QStringLiteral("/lang_zh-CN.qm")));
        QFile broken(dir.path() + QStringLiteral("/lang_en-US.qm"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a translation");
        broken.close();

        CLinguist linguist;
        linguist.setTranslationDir(dir.path());
        linguist.changeLanguage(CLinguist::ZH_CN);
        QSignalSpy changed(&linguist, &CLinguist::sigLanguageChanged);

        QTest::ignoreMessage(QtInfoMsg, "Failed to load language file");
        linguist.changeLanguage(CLinguist::EN_US);

        QCOMPARE(changed.count(), 0);
        QCOMPARE(linguist.getLanguage(), CLinguist::ZH_CN);
        QCOMPARE(storedLanguage(), QStringLiteral("ZH_CN"));
        QCOMPARE(productName(), QStringLiteral("Glimora"));
    }

    // Without a directory set, the files are read beside the executable.
    void defaultLocationIsBesideTheExecutable()
    {
        CLinguist linguist;
        QCOMPARE(linguist.translationDir(),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
    }

    void translationGoesWithTheSwitcher()
    {
        {
            CLinguist linguist;
            linguist.setTranslationDir(kBuiltQmDir);
            linguist.changeLanguage(CLinguist::EN_US);
            QCOMPARE(productName(), QStringLiteral("Glimora"));
        }
        QCOMPARE(productName(), QStringLiteral("PRODUCT_NAME"));
    }

    void singleInstance()
    {
        QVERIFY(CLinguist::getInstance());
        QCOMPARE(CLinguist::getInstance(), CLinguist::getInstance());
        QCOMPARE(CLinguist::getInstance()->getLanguage(), CLinguist::UNDEFINED);
    }
};

GLIMORA_TEST_MAIN(TestLinguist)
#include "tst_linguist.moc"
