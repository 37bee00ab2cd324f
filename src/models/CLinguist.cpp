#include "models/CLinguist.h"

#include "helpers/CUserConfigUtils.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLocale>
#include <QMetaEnum>
#include <QTranslator>

namespace rj_app::models {

using rj_app::helpers::CUserConfigUtils;

CLinguist *CLinguist::getInstance()
{
    static CLinguist instance;
    return &instance;
}

CLinguist::CLinguist(QObject *parent)
    : QObject(parent)
    , m_pTranslator(std::make_unique<QTranslator>())
    , m_mapLanguageFlags{{EN_US, QStringLiteral("en-US")}, {ZH_CN, QStringLiteral("zh-CN")}}
{
}

// The translator removes itself from the application when it is deleted.
CLinguist::~CLinguist() = default;

void CLinguist::changeLanguage(Language language)
{
    if (language == UNDEFINED) {
        qWarning("CLinguist::changeLanguage, UNDEFINED");
        return;
    }

    const QMetaEnum metaEnum = QMetaEnum::fromType<Language>();
    const char *key = metaEnum.valueToKey(language);
    if (!key) {
        qInfo("Invalid language: %d", int(language));
        return;
    }
    qInfo("CLinguist::changeLanguage: %s", key);

    if (language == m_eLanguage) {
        qInfo("Language not changed");
        return;
    }

    const auto flag = m_mapLanguageFlags.constFind(language);
    if (flag == m_mapLanguageFlags.constEnd()) {
        qInfo("Can not find the corresponding language file name flag");
        return;
    }

    const QString filePath =
        translationDir() + QStringLiteral("/lang_%1.qm").arg(flag.value());
    qInfo().noquote() << "Language file path:" << filePath;

    // Load into a fresh translator so a missing or broken file leaves the
    // current translation in place.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(filePath)) {
        qInfo("Failed to load language file");
        return;
    }

    QCoreApplication::removeTranslator(m_pTranslator.get());
    QCoreApplication::installTranslator(translator.get());
    m_pTranslator = std::move(translator);
    m_eLanguage = language;
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setLanguage(QString::fromLatin1(key));
    emit sigLanguageChanged();
}

void CLinguist::loadConfigLanguage()
{
    changeLanguage(storedLanguage());
}

CLinguist::Language CLinguist::storedLanguage()
{
    // Before the user configuration exists the locale decides.
    const CUserConfigUtils *config = CUserConfigUtils::getInstance();
    const QString stored = config ? config->getLanguage() : QString();
    qInfo() << "CLinguist::storedLanguage, language:" << stored;

    bool ok = false;
    const int value =
        QMetaEnum::fromType<Language>().keysToValue(stored.toLatin1().constData(), &ok);
    if (!ok) {
        qWarning("Invalid language string, get language by locale");
        return getLanguageByLocale();
    }
    return Language(value);
}

CLinguist::Language CLinguist::getLanguage() const
{
    return m_eLanguage;
}

void CLinguist::setTranslationDir(const QString &dir)
{
    m_qstrTranslationDir = dir;
}

QString CLinguist::translationDir() const
{
    if (!m_qstrTranslationDir.isEmpty())
        return m_qstrTranslationDir;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
}

CLinguist::Language CLinguist::getLanguageByLocale()
{
    const QLocale locale;
    qInfo("CLinguist::getLanguageByLocale, language:%d, script:%d", int(locale.language()),
          int(locale.script()));
    return locale.language() == QLocale::Chinese ? ZH_CN : EN_US;
}

} // namespace rj_app::models
