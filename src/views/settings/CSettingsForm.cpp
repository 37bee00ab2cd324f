#include "views/settings/CSettingsForm.h"

#include "custom_controls/CComboBoxIgnoreScroll.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CRJSdkManager.h"
#include "views/framework/AlertDlg.h"
#include "views/settings/CSettingsFormUi.h"
#include "views/settings/CWebreportDataTableWidget.h"
#include "views/settings/CWebreportDetailsDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <utility>

namespace rj_app::views {

using helpers::CUserConfigUtils;
using models::CCallController;
using models::CRJSdkManager;

namespace {

const QString kStyleBase = QStringLiteral(":/resources/qss/settings-form");
constexpr int kMicMeterIntervalMs = 200;
constexpr int kListIconSize = 20;
constexpr int kBaseWidth = 796;
constexpr int kBaseHeight = 668;

// Icon base names of the page list, in page order.
const char *const kRowIcons[SettingsPageIndex_Count] = {"icon_sip",   "icon_general",       "icon_audio",
                                                        "icon_video", "icon_nav_webreport", "icon_about"};

// One translation context for the whole form, texts set in code included.
QString formText(const char *source)
{
    return QCoreApplication::translate("CSettingsForm", source);
}

// Sizes and pictures come in three sets: up to 1, below 2, and the rest. A
// scale of 0 or below counts as 1.
double scaleSet(double scale)
{
    if (scale <= 1.0)
        return 1.0;
    if (scale < 2.0)
        return 1.5;
    return 2.0;
}

QString rowIconPath(int row, const QString &suffix)
{
    return QStringLiteral(":/resources/images/") + QLatin1String(kRowIcons[row]) + suffix
           + QStringLiteral(".png");
}

QString rowIconSuffix(double scaleOfSet)
{
    if (scaleOfSet >= 2.0)
        return QStringLiteral("@2x");
    if (scaleOfSet >= 1.5)
        return QStringLiteral("@1.5x");
    return QString();
}

} // namespace

// The eight values of section SipSetting, as stored or as the fields hold them.
struct CSettingsForm::SipValues : CUserConfigUtils::SipSettings
{
};

CSettingsForm::CSettingsForm(QWidget *parent)
    : CBaseWgt(parent)
    , ui(new Ui::CSettingsForm)
{
    ui->setupUi(this);
    initForm();

    m_pMicMeterTimer = new QTimer(this);
    m_pMicMeterTimer->setObjectName(QStringLiteral("m_pMicMeterTimer"));

    initConnections();
    initDevicePages();
    m_layoutScaler.init(kBaseWidth, kBaseHeight, this);
}

CSettingsForm::~CSettingsForm()
{
    delete ui;
}

QListWidget *CSettingsForm::lvSettingsEntrances() const
{
    return ui->lvSettingsEntrances;
}

QTabWidget *CSettingsForm::twgtSettingsPages() const
{
    return ui->twgtSettingsPages;
}

void CSettingsForm::initForm()
{
    setWindowTitle(formText("PRODUCT_NAME"));
    ui->twgtSettingsPages->tabBar()->hide();

    // The style sheet styles the popup items of a plain list view.
    ui->combobox_protocol->setView(new QListView(this));

    const QString rowTexts[SettingsPageIndex_Count] = {QStringLiteral("SIP"),       formText("General"),
                                                       formText("Audio"),           formText("Video"),
                                                       formText("Network Report"), formText("About")};
    for (int row = 0; row < SettingsPageIndex_Count; ++row)
        ui->lvSettingsEntrances->addItem(new QListWidgetItem(QIcon(rowIconPath(row, QString())), rowTexts[row]));
    ui->lvSettingsEntrances->setCurrentRow(SettingsPageIndex_SIP);
    ui->twgtSettingsPages->setCurrentIndex(SettingsPageIndex_SIP);

    // SIP page.
    ui->combobox_protocol->addItems({QStringLiteral("TCP"), QStringLiteral("UDP"), QStringLiteral("TLS")});
    ui->lineedit_screenname->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^([^\"<>+]){1,64}$")), ui->lineedit_screenname));
    // The SIP password is never shown in clear.
    ui->lineedit_SIPpassword->setEchoMode(QLineEdit::Password);

    // General page and the option controls of the Audio and Video pages.
    initOptionControls();

    CWebreportDataTableWidget::getInstance()->initReportTable(ui->tableWidget_content);
}

void CSettingsForm::initConnections()
{
    connect(ui->twgtSettingsPages, &QTabWidget::currentChanged, this, &CSettingsForm::slt_settingspageChanged);
    // Queued: a click changes the page one event-loop turn later. The page
    // follows the row current by then, so a switch still queued cannot undo a
    // later setCurrentPage and leave list and page apart.
    connect(
        ui->lvSettingsEntrances, &QListWidget::currentRowChanged, this,
        [this] {
            const int row = ui->lvSettingsEntrances->currentRow();
            if (row >= 0)
                ui->twgtSettingsPages->setCurrentIndex(row);
        },
        Qt::QueuedConnection);
    connectOptionControls();
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CSettingsForm::slotOnLanguageChanged);
}

// --------------------------------------------------------------- host calls

void CSettingsForm::setSipSettingsVisible(bool visible)
{
    const int currentRow = ui->lvSettingsEntrances->currentRow();
    const bool wasVisible = !ui->lvSettingsEntrances->isRowHidden(SettingsPageIndex_SIP);
    qInfo() << RJ_FUNCTION << "visible:" << visible << ", current row:" << currentRow;
    // Asked while the page is still offered: a host that offers it again on
    // every rebuild must not throw away what the user is typing.
    const bool keepEdits = visible && wasVisible && m_pSipFieldsBase && !(fieldSipValues() == *m_pSipFieldsBase);

    ui->lvSettingsEntrances->setRowHidden(SettingsPageIndex_SIP, !visible);
    if (visible) {
        if (currentRow == SettingsPageIndex_General)
            setCurrentPage(SettingsPageIndex_SIP);
        if (keepEdits)
            qInfo() << RJ_FUNCTION << "Unsaved SIP edits kept";
        else
            loadSipSettings();
    } else if (currentRow == SettingsPageIndex_SIP) {
        setCurrentPage(SettingsPageIndex_General);
    }
}

void CSettingsForm::setCurrentPage(int index)
{
    ui->lvSettingsEntrances->setCurrentRow(index);
    ui->twgtSettingsPages->setCurrentIndex(index);
}

void CSettingsForm::updateDpi(double scale)
{
    const double set = scaleSet(scale);
    qInfo() << RJ_FUNCTION << "scale:" << scale << ", applied:" << set;
    setStyleSheet(QString());
    fStretchFactor = set;
    setStyleSheets(kStyleBase);
    m_layoutScaler.rescale(set, this, false);

    CWebreportDataTableWidget::getInstance()->updateReportTableDpi(ui->tableWidget_content, set);

    const int iconSize = static_cast<int>(set * kListIconSize);
    ui->lvSettingsEntrances->setIconSize(QSize(iconSize, iconSize));
    const QString suffix = rowIconSuffix(set);
    for (int row = 0; row < SettingsPageIndex_Count; ++row) {
        if (QListWidgetItem *item = ui->lvSettingsEntrances->item(row))
            item->setIcon(QIcon(rowIconPath(row, suffix)));
    }

    setNetworkStatus(m_bNetworkNormal);
}

// --------------------------------------------------------- Network Report

namespace {
CSettingsForm::DiagSource &diagSource()
{
    static CSettingsForm::DiagSource source;
    return source;
}
} // namespace

void CSettingsForm::setDiagSource(DiagSource source)
{
    diagSource() = std::move(source);
}

void CSettingsForm::updateWebReport()
{
    qInfo() << RJ_FUNCTION;
    if (diagSource()) {
        m_diag = rj::engine::RJDiag();
        m_strDiagText.clear();
        diagSource()(m_diag, m_strDiagText);
    } else if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
        m_diag = sdk->getDiag();
        m_strDiagText = sdk->getDiagString();
    } else {
        // Without an engine there is nothing to report: the no-report page.
        qWarning() << RJ_FUNCTION << "No engine, empty diagnosis";
        m_diag = rj::engine::RJDiag();
        m_strDiagText.clear();
    }
    showWebReport();
    qInfo() << RJ_FUNCTION << "done";
}

// Shows m_diag without asking the engine: after a refresh and, so that the
// page keeps telling the truth, after a language change.
void CSettingsForm::showWebReport()
{
    int page = 0;
    bool showMakeCallPrompt = false;
    bool networkOk = false;
    CWebreportDataTableWidget::getInstance()->fillReportTable(ui->tableWidget_content, m_diag, &page,
                                                              &showMakeCallPrompt, &networkOk);
    qInfo() << RJ_FUNCTION << "bprompt:" << showMakeCallPrompt;
    ui->stackedWidget->setCurrentIndex(page);

    const QString param = CWebreportDataTableWidget::displayText(m_diag.adviceParam);
    QString advice;
    switch (m_diag.advice) {
    case 1:
        advice = formText("Failed to resolve domain, please check if the domain service setting is correct. "
                          "(Server address: %1)")
                     .arg(param);
        break;
    case 2:
        advice = formText("Network connection timeout, please check network connection or firewall setting. "
                          "(Server address: %1)")
                     .arg(param);
        break;
    case 3:
        advice = formText("Can not receive bitstream, please check if the firewall among servers and relevant "
                          "settings is correct.");
        break;
    case 4:
        advice = formText("Please refer to the detail information about error content.");
        break;
    default:
        break;
    }
    if (!advice.isEmpty()) {
        ui->m_pLblAdvice->setText(advice);
        ui->m_pWgtAdvice->show();
        ui->m_pWgtMakeCallPrompt->hide();
    } else {
        ui->m_pWgtAdvice->hide();
        ui->m_pWgtMakeCallPrompt->setVisible(showMakeCallPrompt);
    }

    m_bNetworkNormal = networkOk;
    m_bWebReportShown = true;
    setNetworkStatus(networkOk);
}

void CSettingsForm::setNetworkStatus(bool normal)
{
    QString suffix;
    const double set = scaleSet(fStretchFactor);
    if (set >= 2.0)
        suffix = QStringLiteral("-2x");
    else if (set >= 1.5)
        suffix = QStringLiteral("-1.5x");
    const QString image = (normal ? QStringLiteral("image_ok%1") : QStringLiteral("image_error%1")).arg(suffix);
    ui->label_iconReport->setStyleSheet(
        QStringLiteral("border-image: url(:/resources/images/%1.png)").arg(image));
    ui->label_titleReport->setText(normal ? formText("Network status is normal")
                                          : formText("Network status is abnormal"));
}

void CSettingsForm::on_pBt_details_clicked()
{
    qInfo() << RJ_FUNCTION;
    auto *dlg = new CWebreportDetailsDlg(this, m_diag, m_strDiagText);
    dlg->show();
}

// ---------------------------------------------------------------- SIP page

CSettingsForm::SipValues CSettingsForm::storedSipValues() const
{
    SipValues v;
    if (const CUserConfigUtils *config = CUserConfigUtils::getInstance())
        static_cast<CUserConfigUtils::SipSettings &>(v) = config->getSipSettings();
    return v;
}

// What Save stores: every text trimmed.
CSettingsForm::SipValues CSettingsForm::fieldSipValues() const
{
    SipValues v;
    v.transportProtocol = ui->combobox_protocol->currentText().trimmed();
    v.screenName = ui->lineedit_screenname->text().trimmed();
    v.enableRegistration = ui->radio_SIPRegistration->isChecked();
    v.proxyServerAddress = ui->lineedit_SIPserver->text().trimmed();
    v.domain = ui->lineedit_SIPdomain->text().trimmed();
    v.signInAddress = ui->lineedit_SIPnumber->text().trimmed();
    v.authenticationUserName = ui->lineedit_SIPusername->text().trimmed();
    v.authenticationPassword = ui->lineedit_SIPpassword->text().trimmed();
    return v;
}

void CSettingsForm::loadSipSettings()
{
    if (!CUserConfigUtils::getInstance()) {
        qWarning() << RJ_FUNCTION << "No user configuration";
        return;
    }
    const SipValues v = storedSipValues();
    const int protocolIndex =
        ui->combobox_protocol->findText(v.transportProtocol, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ui->combobox_protocol->setCurrentIndex(protocolIndex >= 0 ? protocolIndex : 0);
    ui->lineedit_screenname->setText(v.screenName);
    // Setting the state emits no clicked(), so the panel follows it here.
    ui->radio_SIPRegistration->setChecked(v.enableRegistration);
    ui->widget_SIPregistration->setVisible(v.enableRegistration);
    ui->lineedit_SIPserver->setText(v.proxyServerAddress);
    ui->lineedit_SIPdomain->setText(v.domain);
    ui->lineedit_SIPnumber->setText(v.signInAddress);
    ui->lineedit_SIPusername->setText(v.authenticationUserName);
    ui->lineedit_SIPpassword->setText(v.authenticationPassword);
    m_pSipFieldsBase = std::make_unique<SipValues>(fieldSipValues());
    qInfo() << RJ_FUNCTION << "protocol:" << v.transportProtocol << ", registration:" << v.enableRegistration;
}

bool CSettingsForm::isSipSettingsChanged()
{
    if (ui->lvSettingsEntrances->isRowHidden(SettingsPageIndex_SIP))
        return false;
    const SipValues stored = storedSipValues();
    const SipValues fields = fieldSipValues();
    return fields.transportProtocol != stored.transportProtocol.trimmed()
           || fields.screenName != stored.screenName.trimmed()
           || fields.proxyServerAddress != stored.proxyServerAddress.trimmed()
           || fields.domain != stored.domain.trimmed() || fields.signInAddress != stored.signInAddress.trimmed()
           || fields.authenticationUserName != stored.authenticationUserName.trimmed()
           || fields.authenticationPassword != stored.authenticationPassword.trimmed()
           || fields.enableRegistration != stored.enableRegistration;
}

void CSettingsForm::on_radio_SIPRegistration_clicked(bool nchecked)
{
    ui->widget_SIPregistration->setVisible(nchecked);
}

void CSettingsForm::on_pbt_SIPSave_clicked()
{
    const SipValues v = fieldSipValues();
    qInfo() << RJ_FUNCTION << "protocol:" << v.transportProtocol << ", registration:" << v.enableRegistration
            << ", server:" << v.proxyServerAddress;
    if (v.enableRegistration && v.proxyServerAddress.isEmpty()) {
        AlertDlg::execPrompt(this, formText("Prompt"), formText("Input Server Address"));
        return;
    }
    CUserConfigUtils *config = CUserConfigUtils::getInstance();
    if (!config) {
        qWarning() << RJ_FUNCTION << "No user configuration, nothing saved";
        return;
    }
    if (!config->setSipSettings(v)) {
        // Nothing was stored: the fields show what is, the registration
        // stays as it was, and the person is told why (CSaveFailureNotice).
        qWarning() << RJ_FUNCTION << "Not saved, the fields show the stored settings";
        loadSipSettings();
        return;
    }
    m_pSipFieldsBase = std::make_unique<SipValues>(v);

    // The outcome of the new registration arrives later as engine events.
    if (CRJSdkManager::getInstance())
        CCallController::getInstance()->whenLoginSkipped();
    else
        qWarning() << RJ_FUNCTION << "No engine, registration not renewed";

    AlertDlg::execPrompt(this, formText("Prompt"), formText("Saved Successfully!"));
}

// ------------------------------------------------------------- page change

void CSettingsForm::slt_settingspageChanged(int index)
{
    qInfo() << RJ_FUNCTION << "index:" << index << ", last index:" << m_lastSettingsIndex;

    // Asked before the new page starts its meter or preview, so that staying
    // on the SIP page leaves neither running.
    if (index != m_lastSettingsIndex && m_lastSettingsIndex == SettingsPageIndex_SIP && isSipSettingsChanged()) {
        const auto answer = AlertDlg::execQuestion(
            this, formText("Note"), formText("Changes are not saved, Are you sure you want to leave?"),
            QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Ok);
        if (answer != QDialogButtonBox::Ok) {
            // The nested change back to 0 finds 0 already stored.
            setCurrentPage(SettingsPageIndex_SIP);
            return;
        }
        loadSipSettings();
    }

    if (index == SettingsPageIndex_Audio)
        slt_refreshAudioDevices();
    else if (index == SettingsPageIndex_Video)
        slt_refreshVedioDevices();
    else if (index == SettingsPageIndex_NetworkReport)
        updateWebReport();

    if (index != m_lastSettingsIndex) {
        // A hidden form only remembers the page: the show starts its meter
        // or preview.
        const bool shown = isVisible();
        if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
            // Entering page 2 switched the meter on in its refresh above.
            if (index != SettingsPageIndex_Audio && m_lastSettingsIndex == SettingsPageIndex_Audio)
                sdk->enableMicMeter(false);
            if (index == SettingsPageIndex_Video && shown)
                sdk->enablePreview(true);
            else if (m_lastSettingsIndex == SettingsPageIndex_Video)
                sdk->enablePreview(false);
        }
        if (index == SettingsPageIndex_Audio && shown)
            setMicMeterRunning(true);
        else if (m_lastSettingsIndex == SettingsPageIndex_Audio)
            setMicMeterRunning(false);
    }
    m_lastSettingsIndex = index;
}

void CSettingsForm::setMicMeterRunning(bool running)
{
    if (running) {
        qInfo() << RJ_FUNCTION << "Start mic meter";
        m_pMicMeterTimer->start(kMicMeterIntervalMs);
    } else {
        qInfo() << RJ_FUNCTION << "Stop mic meter";
        m_pMicMeterTimer->stop();
    }
}

// ------------------------------------------------------- show, hide, close

// The base class's show handling is left out on purpose: the scale comes
// from the host.
void CSettingsForm::showEvent(QShowEvent *event)
{
    qInfo() << RJ_FUNCTION << "current page:" << ui->twgtSettingsPages->currentIndex();
    loadOptionControls();

    if (m_lastSettingsIndex == SettingsPageIndex_Video) {
        if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
            sdk->enablePreview(true);
        slt_refreshVedioDevices();
    }
    const int current = ui->twgtSettingsPages->currentIndex();
    if (current == SettingsPageIndex_Audio) {
        setMicMeterRunning(true);
        slt_refreshAudioDevices();
    } else if (current == SettingsPageIndex_NetworkReport) {
        updateWebReport();
    }
    QWidget::showEvent(event);
}

void CSettingsForm::hideEvent(QHideEvent *event)
{
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
        sdk->enableMicMeter(false);
        sdk->enablePreview(false);
    }
    setMicMeterRunning(false);
    QWidget::hideEvent(event);
}

void CSettingsForm::closeEvent(QCloseEvent *event)
{
    qInfo() << RJ_FUNCTION;
    QWidget::closeEvent(event);
}

// ------------------------------------------------------------ translation

void CSettingsForm::slotOnLanguageChanged()
{
    ui->retranslateUi(this);
    retranslatePageNames();
    // The form's texts came back in their first state: the report shows its
    // last diagnosis again in the new language, without asking the engine.
    if (m_bWebReportShown)
        showWebReport();
    else
        setNetworkStatus(m_bNetworkNormal);
}

void CSettingsForm::retranslatePageNames()
{
    const char *const names[] = {"General", "Audio", "Video", "Network Report", "About"};
    for (int row = SettingsPageIndex_General; row < SettingsPageIndex_Count; ++row) {
        if (QListWidgetItem *item = ui->lvSettingsEntrances->item(row))
            item->setText(formText(names[row - 1]));
    }
    retranslateLanguageItems();
}

} // namespace rj_app::views
