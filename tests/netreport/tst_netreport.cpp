// The network report: status cells and the report table built from
// diagnosis records, the page's verdict, advice and prompt, the details
// dialog with its copy to the clipboard, a refresh through the simulated
// engine after a login, runaway records and the language.

#include "support/SignInServer.h"
#include "support/AlertBoxSeam.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"
#include "views/settings/CSettingsForm.h"
#include "views/settings/CWebreportDataTableWidget.h"
#include "views/settings/CWebreportDetailsDlg.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTcpServer>

#include <memory>

using glimora::test::AlertBoxSeam;
using rj::engine::RJDiag;
using rj::engine::RJDiagItem;
using rj::engine::RJDiagStream;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CSettingsForm;
using rj_app::views::CWebreportDetailsDlg;

Q_DECLARE_METATYPE(rj::engine::RJDiag)

namespace {

constexpr int kWaitMs = 15000;
const QString kGood = QStringLiteral("#1ac869");
const QString kBad = QStringLiteral("#ff7474");

RJDiagItem item(int status, const std::string &value = std::string())
{
    RJDiagItem i;
    i.value = value;
    i.status = status;
    return i;
}

// Builds diagnosis records in a line.
struct D
{
    RJDiag d;
    D &login(int s, const std::string &v = "10.0.0.1")
    {
        d.loginItem = item(s, v);
        return *this;
    }
    D &reg(int s, const std::string &v = "10.0.0.2")
    {
        d.registerItem = item(s, v);
        return *this;
    }
    D &call(int s, const std::string &v = "1001", const std::string &duration = "00:01:02")
    {
        d.call.callItem = item(s, v);
        d.call.duration = duration;
        return *this;
    }
    D &rates(int down, int up)
    {
        d.call.downloadRate.rateItem = item(down, "2048 kbps");
        d.call.uploadRate.rateItem = item(up, "512 kbps");
        return *this;
    }
    static void quality(RJDiagStream &s, int down, int up, const char *name)
    {
        s.download.description = std::string(name) + " in";
        s.upload.description = std::string(name) + " out";
        s.download.quality = item(down, "q");
        s.upload.quality = item(up, "q");
    }
    D &audio(int down, int up)
    {
        quality(d.call.audio, down, up, "audio");
        return *this;
    }
    D &video(int down, int up)
    {
        quality(d.call.video, down, up, "video");
        return *this;
    }
    D &content(int down, int up)
    {
        quality(d.call.content, down, up, "content");
        return *this;
    }
    D &advice(int a, const std::string &param = std::string())
    {
        d.advice = a;
        d.adviceParam = param;
        return *this;
    }
    operator RJDiag() const { return d; }
};

// "label|status text" per row of the report table.
QStringList reportRows(QTableWidget *table)
{
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows << table->item(r, 0)->text() + QLatin1Char('|') + table->item(r, 1)->text();
    return rows;
}

// "name|detail|status" per row of the details table.
QStringList detailRows(QTableWidget *table)
{
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        auto *label = qobject_cast<QLabel *>(table->cellWidget(r, 0));
        rows << (label ? label->text() : QStringLiteral("<no label>")) + QLatin1Char('|') + table->item(r, 1)->text()
                    + QLatin1Char('|') + table->item(r, 2)->text();
    }
    return rows;
}

CWebreportDataTableWidget *filler()
{
    return CWebreportDataTableWidget::getInstance();
}

} // namespace

class TestNetReport : public QObject
{
    Q_OBJECT

    std::unique_ptr<CSettingsForm> m_form;
    std::unique_ptr<AlertBoxSeam> m_seam;
    // What the injected source hands to the page, and how often it was asked.
    RJDiag m_diag;
    std::string m_diagText;
    int m_refreshes = 0;
    glimora::test::SignInServer m_server;

    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }
    template <typename T>
    T *child(const char *name)
    {
        T *widget = m_form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qWarning() << "no child" << name;
        return widget;
    }
    QTableWidget *reportWidget() { return child<QTableWidget>("tableWidget_content"); }
    QStackedWidget *stack() { return child<QStackedWidget>("stackedWidget"); }
    QLabel *title() { return child<QLabel>("label_titleReport"); }
    QLabel *adviceLabel() { return child<QLabel>("m_pLblAdvice"); }
    QWidget *advice() { return child<QWidget>("m_pWgtAdvice"); }
    QWidget *makeCallPrompt() { return child<QWidget>("m_pWgtMakeCallPrompt"); }

    void openForm()
    {
        m_form = std::make_unique<CSettingsForm>();
        m_form->setSipSettingsVisible(false);
        m_form->updateDpi(1);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void injectDiag()
    {
        CSettingsForm::setDiagSource([this](RJDiag &diag, std::string &text) {
            ++m_refreshes;
            diag = m_diag;
            text = m_diagText;
        });
    }

    QList<CWebreportDetailsDlg *> detailDialogs() { return m_form->findChildren<CWebreportDetailsDlg *>(); }

    void settleEngine()
    {
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        CLoginManager::getInstance()->initRJSdkManagerInstance();
        CLoginManager::getInstance()->initialize();
        QVERIFY(sdk());
    }

    void init()
    {
        m_seam = std::make_unique<AlertBoxSeam>(QDialogButtonBox::Ok);
        m_diag = RJDiag();
        m_diagText.clear();
        m_refreshes = 0;
        injectDiag();
    }

    void cleanup()
    {
        m_form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_seam.reset();
        CSettingsForm::setDiagSource({});
    }

    void cleanupTestCase()
    {
        CRJSdkManager::releaseInstance();
    }

    // ------------------------------------------------------------ cells

    // Word, colour and verdict of every kind of status cell. A code the
    // table does not know is never hidden behind a good one.
    void statusCells_data()
    {
        QTest::addColumn<QString>("maker");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("good");
        QTest::newRow("0 absent") << "one" << 0 << 0 << "" << false;
        QTest::newRow("1 normal") << "one" << 1 << 0 << "Normal" << true;
        QTest::newRow("2 available") << "one" << 2 << 0 << "Available" << true;
        QTest::newRow("3 poor") << "one" << 3 << 0 << "Poor" << false;
        QTest::newRow("4 unreachable") << "one" << 4 << 0 << "Unreachable" << false;
        QTest::newRow("5 failed") << "one" << 5 << 0 << "Failed" << false;
        QTest::newRow("6 unknown") << "one" << 6 << 0 << "" << false;
        QTest::newRow("-1 unknown") << "one" << -1 << 0 << "" << false;
        QTest::newRow("login 1") << "login" << 1 << 0 << "Normal" << true;
        QTest::newRow("login 4") << "login" << 4 << 0 << "Timeout" << false;
        QTest::newRow("login 5") << "login" << 5 << 0 << "Login failed" << false;
        QTest::newRow("register 4") << "register" << 4 << 0 << "Unreachable" << false;
        QTest::newRow("register 5") << "register" << 5 << 0 << "Register failed" << false;
        QTest::newRow("call 5") << "call" << 5 << 0 << "Call failed" << false;
        QTest::newRow("call 2") << "call" << 2 << 0 << "Available" << true;
        QTest::newRow("two 2 3") << "two" << 2 << 3 << "Poor" << false;
        QTest::newRow("two 3 1") << "two" << 3 << 1 << "Poor" << false;
        QTest::newRow("two 1 2") << "two" << 1 << 2 << "Available" << true;
        QTest::newRow("two 1 -1") << "two" << 1 << -1 << "" << false;
        QTest::newRow("two -7 2") << "two" << -7 << 2 << "" << false;
        QTest::newRow("content 0 3") << "content" << 0 << 3 << "Poor" << false;
        QTest::newRow("content 1 0") << "content" << 1 << 0 << "Normal" << true;
        QTest::newRow("content 2 1") << "content" << 2 << 1 << "Available" << true;
        QTest::newRow("content 2 -1") << "content" << 2 << -1 << "" << false;
    }
    void statusCells()
    {
        QFETCH(QString, maker);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QString, text);
        QFETCH(bool, good);
        std::unique_ptr<QTableWidgetItem> cell;
        if (maker == "one")
            cell.reset(filler()->createStatusItem(a));
        else if (maker == "two")
            cell.reset(filler()->createStatusItem(a, b));
        else if (maker == "content")
            cell.reset(filler()->createContentStatusItem(a, b));
        else if (maker == "login")
            cell.reset(filler()->createLoginStatusItem(a));
        else if (maker == "register")
            cell.reset(filler()->createRegisterStatusItem(a));
        else
            cell.reset(filler()->createCallStatusItem(a));
        QCOMPARE(cell->type(), 0);
        QCOMPARE(cell->text(), text);
        QCOMPARE(cell->data(Qt::UserRole).userType(), int(QMetaType::Bool));
        QCOMPARE(cell->data(Qt::UserRole).toBool(), good);
        QCOMPARE(cell->foreground().color(), QColor(good ? kGood : kBad));
    }

    // ------------------------------------------------------------ report table

    void reportTable_data()
    {
        QTest::addColumn<RJDiag>("diag");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<bool>("ok");
        QTest::newRow("empty record") << RJDiag(D()) << QStringList() << 0 << false << true;
        QTest::newRow("no login, failed call") << RJDiag(D().call(5)) << QStringList() << 0 << false << true;
        QTest::newRow("login only") << RJDiag(D().login(1)) << QStringList{"Login service connection status|Normal"}
                                    << 1 << true << true;
        QTest::newRow("login timeout, register failed")
            << RJDiag(D().login(4).reg(5))
            << QStringList{"Login service connection status|Timeout",
                           "Registration service connection status|Register failed"}
            << 1 << true << false;
        QTest::newRow("whole call")
            << RJDiag(D().login(1).reg(2).call(1).rates(1, 2).audio(2, 3).video(1, 1).content(0, 1))
            << QStringList{"Login service connection status|Normal",
                           "Registration service connection status|Available",
                           "Call status|Normal",
                           "Call rate|Available",
                           "Network quality(Audio)|Poor",
                           "Network quality(Video)|Normal",
                           "Network quality(Content)|Normal"}
            << 1 << false << false;
        QTest::newRow("all good call")
            << RJDiag(D().login(1).call(1).rates(1, 1).video(1, 2))
            << QStringList{"Login service connection status|Normal", "Call status|Normal", "Call rate|Normal",
                           "Network quality(Video)|Available"}
            << 1 << false << true;
        QTest::newRow("download rate only, one audio direction")
            << RJDiag(D().login(1).call(1).rates(1, 0).audio(1, 0))
            << QStringList{"Login service connection status|Normal", "Call status|Normal"} << 1 << false << true;
        QTest::newRow("content sent poorly")
            << RJDiag(D().login(1).call(1).content(0, 3))
            << QStringList{"Login service connection status|Normal", "Call status|Normal",
                           "Network quality(Content)|Poor"}
            << 1 << false << false;
        QTest::newRow("failed call") << RJDiag(D().login(1).call(5))
                                     << QStringList{"Login service connection status|Normal", "Call status|Call failed"}
                                     << 1 << false << false;
        QTest::newRow("unknown call status") << RJDiag(D().login(1).call(6))
                                             << QStringList{"Login service connection status|Normal", "Call status|"}
                                             << 1 << false << false;
        QTest::newRow("negative audio status not hidden")
            << RJDiag(D().login(1).call(1).audio(1, -1))
            << QStringList{"Login service connection status|Normal", "Call status|Normal",
                           "Network quality(Audio)|"}
            << 1 << false << false;
    }
    void reportTable()
    {
        QFETCH(RJDiag, diag);
        QFETCH(QStringList, rows);
        QFETCH(int, page);
        QFETCH(bool, prompt);
        QFETCH(bool, ok);
        QTableWidget table;
        filler()->initReportTable(&table);
        // Rows of an earlier record are dropped.
        filler()->fillReportTable(&table, D().login(3).reg(3).call(3), nullptr, nullptr, nullptr);
        int gotPage = -1;
        bool gotPrompt = false;
        bool gotOk = false;
        filler()->fillReportTable(&table, diag, &gotPage, &gotPrompt, &gotOk);
        QCOMPARE(reportRows(&table), rows);
        QCOMPARE(gotPage, page);
        QCOMPARE(gotPrompt, prompt);
        QCOMPARE(gotOk, ok);
        QCOMPARE(table.columnCount(), 2);
        QCOMPARE(table.horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
    }

    void reportTableSetUpAndSizes()
    {
        QTableWidget table;
        filler()->initReportTable(&table);
        QVERIFY(!table.showGrid());
        QCOMPARE(table.selectionMode(), QAbstractItemView::NoSelection);
        QCOMPARE(table.editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(table.focusPolicy(), Qt::NoFocus);
        QCOMPARE(table.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(table.horizontalHeader()->isHidden());
        QVERIFY(table.verticalHeader()->isHidden());
        filler()->fillReportTable(&table, D().login(1).reg(1), nullptr, nullptr, nullptr);
        const int width = table.columnWidth(1);
        const int height = table.rowHeight(0);
        filler()->updateReportTableDpi(&table, 0);
        QCOMPARE(table.columnWidth(1), width);
        QCOMPARE(table.rowHeight(0), height);
        filler()->updateReportTableDpi(&table, 1.5);
        QCOMPARE(table.columnWidth(1), 150);
        QCOMPARE(table.rowHeight(0), 54);
        QCOMPARE(table.rowHeight(1), 54);

        // No table: only the verdict is written.
        int page = 7;
        bool prompt = true;
        bool ok = false;
        filler()->fillReportTable(nullptr, D().login(4), &page, &prompt, &ok);
        QCOMPARE(page, 7);
        QVERIFY(prompt);
        QVERIFY(ok);
        filler()->initReportTable(nullptr);
        filler()->updateReportTableDpi(nullptr, 2);
        filler()->initDetailsTable(nullptr);
        filler()->fillDetailsTable(nullptr, D().login(1));
        filler()->updateDetailsTableDpi(nullptr, 2);
    }

    // ------------------------------------------------------------ the page

    void reportPage_data()
    {
        QTest::addColumn<RJDiag>("diag");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("adviceText"); // empty: advice hidden
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<bool>("normal");
        QTest::newRow("login only") << RJDiag(D().login(1)) << 1 << "" << true << true;
        QTest::newRow("timeout, advice 2")
            << RJDiag(D().login(4).advice(2, "meet.example:8080")) << 1
            << "Network connection timeout, please check network connection or firewall setting. "
               "(Server address: meet.example:8080)"
            << false << false;
        QTest::newRow("advice 2 without address")
            << RJDiag(D().login(4).advice(2)) << 1
            << "Network connection timeout, please check network connection or firewall setting. (Server address: )"
            << false << false;
        QTest::newRow("advice 1")
            << RJDiag(D().login(4).advice(1, "nowhere.invalid")) << 1
            << "Failed to resolve domain, please check if the domain service setting is correct. "
               "(Server address: nowhere.invalid)"
            << false << false;
        QTest::newRow("advice 3 without call")
            << RJDiag(D().login(1).advice(3, "ignored")) << 1
            << "Can not receive bitstream, please check if the firewall among servers and relevant settings is correct."
            << false << true;
        QTest::newRow("advice 4") << RJDiag(D().login(1).call(5).advice(4)) << 1
                                  << "Please refer to the detail information about error content." << false << false;
        QTest::newRow("advice 5 with call") << RJDiag(D().login(1).call(1).advice(5, "x")) << 1 << "" << false << true;
        QTest::newRow("no login") << RJDiag(D().call(5)) << 0 << "" << false << true;
        QTest::newRow("address with %2")
            << RJDiag(D().login(4).advice(2, "a%1b%2")) << 1
            << "Network connection timeout, please check network connection or firewall setting. "
               "(Server address: a%1b%2)"
            << false << false;
    }
    void reportPage()
    {
        QFETCH(RJDiag, diag);
        QFETCH(int, page);
        QFETCH(QString, adviceText);
        QFETCH(bool, prompt);
        QFETCH(bool, normal);
        openForm();
        QCOMPARE(stack()->currentIndex(), 1); // before the first refresh
        QCOMPARE(reportWidget()->rowCount(), 0);
        m_diag = diag;
        // Entering the page refreshes it.
        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_NetworkReport);
        QCOMPARE(m_refreshes, 1);
        QCOMPARE(stack()->currentIndex(), page);
        QCOMPARE(advice()->isHidden(), adviceText.isEmpty());
        if (!adviceText.isEmpty())
            QCOMPARE(adviceLabel()->text(), adviceText);
        QCOMPARE(!makeCallPrompt()->isHidden(), prompt);
        QCOMPARE(title()->text(), normal ? QStringLiteral("Network status is normal")
                                         : QStringLiteral("Network status is abnormal"));
        const QString image = normal ? QStringLiteral("image_ok.png") : QStringLiteral("image_error.png");
        QCOMPARE(child<QLabel>("label_iconReport")->styleSheet(),
                 QStringLiteral("border-image: url(:/resources/images/%1)").arg(image));
    }

    // An advice outside 1 to 4 hides the advice but its label keeps the old
    // text; showing the form on the report page refreshes it.
    void adviceGoesAndComes()
    {
        openForm();
        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_NetworkReport);
        m_diag = D().login(4).advice(2, "h");
        m_form->updateWebReport();
        QVERIFY(!advice()->isHidden());
        const QString text = adviceLabel()->text();
        m_diag = D().login(1).advice(0);
        m_form->hide();
        m_form->show();
        QCOMPARE(m_refreshes, 3);
        QVERIFY(advice()->isHidden());
        QVERIFY(!makeCallPrompt()->isHidden());
        QCOMPARE(adviceLabel()->text(), text);
        QCOMPARE(title()->text(), QStringLiteral("Network status is normal"));
    }

    // The verdict picture follows the scale without asking the engine again.
    void verdictFollowsScale()
    {
        openForm();
        QCOMPARE(title()->text(), QStringLiteral("Network status is abnormal")); // nothing known yet
        m_diag = D().login(1);
        m_form->updateWebReport();
        auto *icon = child<QLabel>("label_iconReport");
        const struct {
            double scale;
            const char *image;
        } steps[] = {{1.5, "image_ok-1.5x"}, {2, "image_ok-2x"}, {1, "image_ok"}};
        for (const auto &step : steps) {
            m_form->updateDpi(step.scale);
            const QString path = QStringLiteral(":/resources/images/%1.png").arg(QLatin1String(step.image));
            QCOMPARE(icon->styleSheet(), QStringLiteral("border-image: url(%1)").arg(path));
            QVERIFY2(QFile::exists(path), qPrintable(path));
            QVERIFY(QFile::exists(QString(path).replace(QLatin1String("image_ok"), QLatin1String("image_error"))));
        }
        m_form->updateDpi(2);
        QCOMPARE(reportWidget()->rowHeight(0), 72);
        QCOMPARE(reportWidget()->columnWidth(1), 200);
        QCOMPARE(m_refreshes, 1);
    }

    // ------------------------------------------------------------ details

    void detailsTable_data()
    {
        QTest::addColumn<RJDiag>("diag");
        QTest::addColumn<QStringList>("rows");
        const QString head = QStringLiteral("Network status|Details|Status");
        QTest::newRow("no login") << RJDiag(D().reg(1).call(1)) << QStringList{head};
        QTest::newRow("login only") << RJDiag(D().login(1, "10.0.0.1"))
                                    << QStringList{head, "Login service connection status|Service address 10.0.0.1|Normal"};
        QTest::newRow("registration, no call")
            << RJDiag(D().login(4).reg(5, "sip.example").rates(1, 1))
            << QStringList{head, "Login service connection status|Service address 10.0.0.1|Timeout",
                           "Registration service connection status|Service address sip.example|Register failed"};
        QTest::newRow("upload rate only")
            << RJDiag(D().login(1).call(1, "V", "D").rates(0, 2))
            << QStringList{head, "Login service connection status|Service address 10.0.0.1|Normal",
                           "Call status|Duration D V|Normal", "Call rate(Upload)|Upload 512 kbps|Available"};
        D oneWayAudio = D().login(1).call(1).audio(1, 0);
        oneWayAudio.d.call.audio.download.packetLost = item(3, "9%");
        oneWayAudio.d.call.audio.delay = item(1, "20 ms");
        QTest::newRow("one audio direction")
            << RJDiag(oneWayAudio)
            << QStringList{head, "Login service connection status|Service address 10.0.0.1|Normal",
                           "Call status|Duration 00:01:02 1001|Normal"};
        D fullAudio = D().login(1).call(5).rates(1, 1).audio(2, 3);
        RJDiagStream &a = fullAudio.d.call.audio;
        a.download.packetLost = item(1, "0.1%");
        a.upload.packetLost = item(3, "7%");
        a.download.jitter = item(2, "4 ms");
        a.upload.jitter = item(6, "9 ms");
        a.delay = item(1, "22 ms");
        QTest::newRow("audio block")
            << RJDiag(fullAudio)
            << QStringList{head,
                           "Login service connection status|Service address 10.0.0.1|Normal",
                           "Call status|Duration 00:01:02 1001|Call failed",
                           "Call rate(Download)|Download 2048 kbps|Normal",
                           "Call rate(Upload)|Upload 512 kbps|Normal",
                           "Network quality(Audio)|audio in<>audio out|Poor",
                           "Network quality(Audio download packet lost)|Download packet lost 0.1%|Normal",
                           "Network quality(Audio upload packet lost)|Upload packet lost 7%|Poor",
                           "Network quality(Audio download jitter)|Download jitter 4 ms|Available",
                           "Network quality(Audio upload jitter)|Upload jitter 9 ms|",
                           "Network quality(Audio delay)|Delay 22 ms|Normal"};
        D sentContent = D().login(1).call(1).video(1, 1).content(0, 3);
        sentContent.d.call.content.delay = item(1, "40 ms");
        sentContent.d.call.content.upload.jitter = item(1, "3 ms");
        QTest::newRow("content sent only")
            << RJDiag(sentContent)
            << QStringList{head,
                           "Login service connection status|Service address 10.0.0.1|Normal",
                           "Call status|Duration 00:01:02 1001|Normal",
                           "Network quality(Video)|video in<>video out|Normal",
                           "Network quality(Content)|content out|Poor",
                           "Network quality(Content upload jitter)|Upload jitter 3 ms|Normal",
                           "Network quality(Content delay)|Delay 40 ms|Normal"};
    }
    void detailsTable()
    {
        QFETCH(RJDiag, diag);
        QFETCH(QStringList, rows);
        QTableWidget table;
        filler()->initDetailsTable(&table);
        filler()->fillDetailsTable(&table, D().login(1).reg(1).call(1).audio(1, 1));
        filler()->fillDetailsTable(&table, diag);
        QCOMPARE(detailRows(&table), rows);
        QCOMPARE(table.columnCount(), 3);
        QCOMPARE(table.cellWidget(0, 0)->objectName(), QStringLiteral("ColumnHead0"));
        QCOMPARE(table.item(0, 1)->foreground().color(), QColor("#919191"));
        QCOMPARE(table.item(0, 2)->foreground().color(), QColor("#919191"));
        for (int r = 1; r < table.rowCount(); ++r) {
            QCOMPARE(table.cellWidget(r, 0)->objectName(), QStringLiteral("Column0"));
            QVERIFY(table.item(r, 2)->data(Qt::UserRole).isValid());
            QCOMPARE(table.item(r, 2)->foreground().color(),
                     QColor(table.item(r, 2)->data(Qt::UserRole).toBool() ? kGood : kBad));
        }
    }

    void detailsTableSetUpAndSizes()
    {
        QTableWidget table;
        filler()->initDetailsTable(&table);
        QVERIFY(table.alternatingRowColors());
        QVERIFY(table.wordWrap());
        QCOMPARE(table.horizontalHeader()->sectionResizeMode(0), QHeaderView::ResizeToContents);
        QCOMPARE(table.horizontalHeader()->sectionResizeMode(1), QHeaderView::Stretch);
        filler()->fillDetailsTable(&table, D().login(1));
        const int height = table.rowHeight(1);
        filler()->updateDetailsTableDpi(&table, 0);
        QCOMPARE(table.rowHeight(1), height);
        filler()->updateDetailsTableDpi(&table, 2);
        QCOMPARE(table.rowHeight(0), 80);
        QCOMPARE(table.rowHeight(1), 80);
        QCOMPARE(table.columnWidth(2), 200);
        // Detail cells that have no row of their own here.
        std::unique_ptr<QTableWidgetItem> none(filler()->createContentDetailItem(0, 0, "a", "b"));
        QCOMPARE(none->text(), QString());
        std::unique_ptr<QTableWidgetItem> both(filler()->createContentDetailItem(1, 2, "a", "b"));
        QCOMPARE(both->text(), QStringLiteral("a<>b"));
        std::unique_ptr<QLabel> label(filler()->createColumnLabel(QStringLiteral("x"), false));
        QVERIFY(!label->parent());
    }

    // The details button opens a window-modal dialog on copies of the last
    // refresh; a later refresh does not reach it. Copy puts the engine's text
    // on the clipboard and says so; the close button deletes the dialog.
    void detailsDialog()
    {
        openForm();
        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_NetworkReport);
        m_diag = D().login(1).reg(5);
        m_diagText = "login: 10.0.0.1 status 1\nregister: 10.0.0.2 status 5\n";
        m_form->updateWebReport();
        m_diag = D().login(4);
        m_diagText = "later";
        QTest::mouseClick(child<QPushButton>("pBt_details"), Qt::LeftButton);
        QCOMPARE(detailDialogs().size(), 1);
        QPointer<CWebreportDetailsDlg> dlg = detailDialogs().first();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.data()));
        QCOMPARE(dlg->windowModality(), Qt::WindowModal);
        QVERIFY(dlg->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(dlg->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(dlg->windowType(), Qt::Tool);
        QCOMPARE(dlg->size(), QSize(750, 534));
        auto *table = dlg->findChild<QTableWidget *>(QStringLiteral("m_pTableWgt"));
        QCOMPARE(detailRows(table),
                 QStringList({"Network status|Details|Status",
                              "Login service connection status|Service address 10.0.0.1|Normal",
                              "Registration service connection status|Service address 10.0.0.2|Register failed"}));
        QCOMPARE(table->rowHeight(1), 40);
        QCOMPARE(table->columnWidth(2), 100);
        QCOMPARE(dlg->findChild<QLabel *>(QStringLiteral("m_pLblTitle"))->text(), QStringLiteral("Details"));

        m_form->updateWebReport();
        QCOMPARE(table->rowCount(), 3);

        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        auto *copy = dlg->findChild<QPushButton *>(QStringLiteral("m_pBtnCopy"));
        QCOMPARE(copy->text(), QStringLiteral("CopyResults"));
        QTest::mouseClick(copy, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("login: 10.0.0.1 status 1\nregister: 10.0.0.2 status 5\n"));
        QCOMPARE(m_seam->count(), 1);
        QCOMPARE(m_seam->last().title, QStringLiteral("Prompt"));
        QCOMPARE(m_seam->last().text, QStringLiteral("Details have been copied to the system clipboard"));
        QCOMPARE(m_seam->last().parent.data(), static_cast<QWidget *>(dlg.data()));

        // Each click makes a fresh dialog from the last refresh.
        QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("m_BtnClose")), Qt::LeftButton);
        QTRY_VERIFY(dlg.isNull());
        QTest::mouseClick(child<QPushButton>("pBt_details"), Qt::LeftButton);
        QCOMPARE(detailDialogs().size(), 1);
        dlg = detailDialogs().first();
        table = dlg->findChild<QTableWidget *>(QStringLiteral("m_pTableWgt"));
        QCOMPARE(detailRows(table), QStringList({"Network status|Details|Status",
                                                 "Login service connection status|Service address 10.0.0.1|Timeout"}));
        QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("m_pBtnCopy")), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("later"));
        dlg->close();
        QTRY_VERIFY(dlg.isNull());
    }

    // An empty diagnosis text empties the clipboard and the prompt still shows.
    void copyEmptyText()
    {
        QWidget parent;
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        QPointer<CWebreportDetailsDlg> dlg = new CWebreportDetailsDlg(&parent, RJDiag(), std::string());
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.data()));
        QCOMPARE(dlg->findChild<QTableWidget *>(QStringLiteral("m_pTableWgt"))->rowCount(), 1);
        QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("m_pBtnCopy")), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
        QCOMPARE(m_seam->texts(), QStringList{"Details have been copied to the system clipboard"});
        dlg->close();
        QTRY_VERIFY(dlg.isNull());
    }

    // Runaway texts from the engine are cut for display, quickly; the copy
    // still takes the whole text.
    void oversizedDiagnosis()
    {
        const std::string huge(8 * 1024 * 1024, 'x');
        std::string bad = "caf\xC3\xA9 \xFF\xFE end";
        D d = D().login(4, huge).reg(1, bad).call(1, huge, huge).rates(1, 1).audio(1, 1).advice(2, huge);
        d.d.call.audio.download.description = huge;
        openForm();
        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_NetworkReport);
        m_diag = d;
        m_diagText = huge;
        QElapsedTimer timer;
        timer.start();
        m_form->updateWebReport();
        QTest::mouseClick(child<QPushButton>("pBt_details"), Qt::LeftButton);
        QCOMPARE(detailDialogs().size(), 1);
        CWebreportDetailsDlg *dlg = detailDialogs().first();
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
        QVERIFY2(timer.elapsed() < 10000, "a runaway diagnosis stalled the window");
        QVERIFY(adviceLabel()->text().size() < 1000);
        auto *table = dlg->findChild<QTableWidget *>(QStringLiteral("m_pTableWgt"));
        for (int r = 1; r < table->rowCount(); ++r)
            QVERIFY2(table->item(r, 1)->text().size() < 2000, qPrintable(QString::number(r)));
        QVERIFY(table->item(1, 1)->text().endsWith(QChar(0x2026)));
        QCOMPARE(table->item(2, 1)->text(), QStringLiteral("Service address caf\u00e9 \ufffd\ufffd end"));
        QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("m_pBtnCopy")), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text().size(), int(huge.size()));
        dlg->close();
    }

    // ------------------------------------------------------------ language

    // A language switch shows the last diagnosis again in the new language:
    // the verdict stays what it was and the advice stays shown.
    void languageChange()
    {
        CLinguist *linguist = CLinguist::getInstance();
        linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
        auto restore = qScopeGuard([linguist] { linguist->changeLanguage(CLinguist::EN_US); });
        linguist->changeLanguage(CLinguist::EN_US);
        openForm();
        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_NetworkReport);
        m_diag = D().login(4).advice(2, "10.1.1.1");
        m_form->updateWebReport();
        const int refreshes = m_refreshes;

        linguist->changeLanguage(CLinguist::ZH_CN);
        QCOMPARE(m_refreshes, refreshes);
        QCOMPARE(title()->text(), QStringLiteral("网络状态异常"));
        QCOMPARE(child<QPushButton>("pBt_details")->text(), QStringLiteral("查看详情"));
        QCOMPARE(reportRows(reportWidget()), QStringList{QStringLiteral("登录服务连接状态|超时")});
        QVERIFY(!advice()->isHidden());
        QCOMPARE(adviceLabel()->text(),
                 QStringLiteral("网络连接超时，请检查网络连接或防火墙设置。（服务器地址：10.1.1.1）"));
        QCOMPARE(child<QLabel>("label_titleNone")->text(), QStringLiteral("暂无报告"));
        QTest::mouseClick(child<QPushButton>("pBt_details"), Qt::LeftButton);
        CWebreportDetailsDlg *dlg = detailDialogs().first();
        QCOMPARE(dlg->findChild<QPushButton *>(QStringLiteral("m_pBtnCopy"))->text(), QStringLiteral("复制结果"));
        QCOMPARE(detailRows(dlg->findChild<QTableWidget *>(QStringLiteral("m_pTableWgt"))).value(1),
                 QStringLiteral("登录服务连接状态|服务地址 10.0.0.1|超时"));
        dlg->close();

        linguist->changeLanguage(CLinguist::EN_US);
        QCOMPARE(title()->text(), QStringLiteral("Network status is abnormal"));
        QCOMPARE(reportRows(reportWidget()), QStringList{QStringLiteral("Login service connection status|Timeout")});
    }

    // ------------------------------------------------------------ engine

    // Through the simulated engine: nothing before a login, the login and
    // registration after one, the timeout with advice 2 and the host after an
    // unreachable server; the copy is the engine's own text.
    void refreshThroughEngine()
    {
        CSettingsForm::setDiagSource({});
        CLoginManager *login = CLoginManager::getInstance();
        openForm();
        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_NetworkReport);
        QCOMPARE(stack()->currentIndex(), 0);
        QCOMPARE(child<QLabel>("label_promptNone")->text(), QStringLiteral("Please log in to check report"));

        QVERIFY(login->login(QStringLiteral("127.0.0.1"), false, m_server.serverPort(), QStringLiteral("alice"),
                             QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(login->m_loginStatus, rj_app::enums::LoggedIn, kWaitMs);
        settleEngine();
        rjsim_clear_journal();
        m_form->updateWebReport();
        QCOMPARE(rjsim_journal_count("getDiag"), 2); // the text is built from the record too
        QCOMPARE(stack()->currentIndex(), 1);
        QCOMPARE(reportRows(reportWidget()), QStringList({"Login service connection status|Normal",
                                                         "Registration service connection status|Normal"}));
        QVERIFY(!makeCallPrompt()->isHidden());
        QVERIFY(advice()->isHidden());
        QCOMPARE(title()->text(), QStringLiteral("Network status is normal"));

        login->logout();
        QTRY_COMPARE_WITH_TIMEOUT(login->m_loginStatus, rj_app::enums::NotLogin, kWaitMs);
        settleEngine();
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        const quint16 port = closed.serverPort();
        closed.close();
        connect(sdk(), &CRJSdkManager::eventError, m_form.get(), [login](rj::engine::RJError err) {
            if (err.action == "getFeature")
                login->onLoggingInFailed(false);
        });
        QVERIFY(login->login(QStringLiteral("127.0.0.1"), false, port, QStringLiteral("alice"),
                             QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(login->m_loginStatus, rj_app::enums::LoginFailed, kWaitMs);
        settleEngine();
        m_form->updateWebReport();
        QCOMPARE(reportWidget()->item(0, 1)->text(), QStringLiteral("Timeout"));
        QCOMPARE(title()->text(), QStringLiteral("Network status is abnormal"));
        QVERIFY(!advice()->isHidden());
        QVERIFY(makeCallPrompt()->isHidden());
        QVERIFY2(adviceLabel()->text().startsWith(QStringLiteral("Network connection timeout")),
                 qPrintable(adviceLabel()->text()));
        QVERIFY2(adviceLabel()->text().contains(QStringLiteral("127.0.0.1")), qPrintable(adviceLabel()->text()));

        const QString engineText = QString::fromStdString(sdk()->getDiagString());
        QVERIFY(!engineText.isEmpty());
        QTest::mouseClick(child<QPushButton>("pBt_details"), Qt::LeftButton);
        CWebreportDetailsDlg *dlg = detailDialogs().first();
        QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("m_pBtnCopy")), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), engineText);
        dlg->close();
    }
};

GLIMORA_TEST_MAIN(TestNetReport)
#include "tst_netreport.moc"
