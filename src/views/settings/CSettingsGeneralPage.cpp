// The option controls of the settings page set: the General page, and the
// option boxes and render type of the Audio and Video pages. Nothing here has
// a Save button; every change is applied at once.

#include "views/settings/CSettingsGeneralPage.h"

#include "custom_controls/CComboBoxIgnoreScroll.h"
#include "helpers/CConfigSaveNotifier.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "models/CRJSdkManager.h"
#include "platform/CAutoStart.h"
#include "views/settings/CSettingsForm.h"
#include "views/settings/CSettingsFormUi.h"
#include "views/settings/FeedBackDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDebug>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <utility>

namespace rj_app::views {

const std::map<int, QString> g_callRateMap = {
    {384, QStringLiteral("384K")}, {512, QStringLiteral("512K")},  {768, QStringLiteral("768K")},
    {1024, QStringLiteral("1M")},  {1536, QStringLiteral("1.5M")}, {2048, QStringLiteral("2M")},
    {3027, QStringLiteral("3M")},  {4096, QStringLiteral("4M")},
};

using helpers::CUserConfigUtils;
using models::CLinguist;
using models::CRJSdkManager;
using platform::CAutoStart;

namespace {

CSettingsForm::FolderChooser &folderChooser()
{
    static CSettingsForm::FolderChooser chooser;
    return chooser;
}

// Makes the item whose data is `value` current, which runs the combo's
// handler when that changes the current item. When no item has that value the
// combo shows none: an entry shown for a value that is not in effect could not
// be chosen, since choosing the current item changes nothing.
bool selectByData(QComboBox *combo, int value)
{
    const int index = combo->findData(value);
    if (index >= 0) {
        combo->setCurrentIndex(index);
        return true;
    }
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(-1);
    return false;
}

// Loads a check box; its handler runs when the state changes. Returns whether
// it did.
bool loadBox(QCheckBox *box, bool value)
{
    if (box->isChecked() == value)
        return false;
    box->setChecked(value);
    return true;
}

} // namespace

void CSettingsForm::setFolderChooser(FolderChooser chooser)
{
    folderChooser() = std::move(chooser);
}

// Part of initForm: items, popup views and the render-type group. No handler
// is connected yet.
void CSettingsForm::initOptionControls()
{
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        ui->m_pSnapshotPath->setText(config->getScreenPicPath());
    // Only "Change Path" stores a folder: typing one would be lost.
    ui->m_pSnapshotPath->setReadOnly(true);

    ui->m_pCmbBoxLanguage->setView(new QListView(this));
    ui->m_pCmbBoxLanguage->addItem(QString(), int(CLinguist::EN_US));
    ui->m_pCmbBoxLanguage->addItem(QString(), int(CLinguist::ZH_CN));
    retranslateLanguageItems();

    ui->m_pCmbBoxCallRate->setView(new QListView(this));
    for (const auto &rate : g_callRateMap)
        ui->m_pCmbBoxCallRate->addItem(rate.second, rate.first);

    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    m_iRenderType = sdk ? sdk->getRenderType() : RenderType_Auto;
    m_pRenderTypeGroup = new QButtonGroup(this);
    m_pRenderTypeGroup->addButton(ui->prbtRenderAuto, RenderType_Auto);
    m_pRenderTypeGroup->addButton(ui->prbtRenderD3d, RenderType_D3D);
    m_pRenderTypeGroup->addButton(ui->prbtRenderGDI, RenderType_GDI);
    showRenderType();
}

void CSettingsForm::showStoredOptions()
{
    CUserConfigUtils *config = CUserConfigUtils::getInstance();
    if (!config)
        return;
    qInfo() << RJ_FUNCTION;
    ui->m_pSnapshotPath->setText(config->getScreenPicPath());
    // A combo or box that changes runs its handler, which finds the value
    // stored and applies it again: the interface goes back to the stored
    // language too.
    const int storedLanguage = ui->m_pCmbBoxLanguage->findData(int(CLinguist::storedLanguage()));
    if (storedLanguage >= 0)
        ui->m_pCmbBoxLanguage->setCurrentIndex(storedLanguage);
    loadBox(ui->m_pChkBoxAutoLogin, config->getRememberMe());
    loadBox(ui->m_pChkBoxAutoAnswer, config->getAntoAnswer());
    loadBox(ui->m_pChkBoxAutoSaveWhiteBoardSnapshot, config->getAutoCaptureWin());
    loadBox(ui->m_pChkBoxDisablePrompt, config->getDisablePrompt());
    loadBox(ui->m_pChkBoxSeperateWin4RemoteContent, config->getOpenNewWinInContentStream());
    loadBox(ui->m_pChkBoxFullScreenOnCallConnected, config->getFullScreenOnCallConnected());
    loadBox(ui->m_pChkBoxAINoiseReduction, config->getAINoiseReduction());
    loadBox(ui->m_pChkBoxHardEncode, config->getEnableHardEncode());
    loadBox(ui->m_pChkBoxHardDecode, config->getEnableHardDecode());
}

void CSettingsForm::connectOptionControls()
{
    // Queued: the failure is heard inside the handler of the very box that
    // changed.
    connect(helpers::CConfigSaveNotifier::instance(), &helpers::CConfigSaveNotifier::sigSaveFailed, this,
            &CSettingsForm::showStoredOptions, Qt::QueuedConnection);
    connect(ui->m_pBtnChangeSnapshotPath, &QPushButton::clicked, this, &CSettingsForm::chooseSnapshotPath);
    connect(ui->m_pCmbBoxCallRate, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CSettingsForm::slotOnCallRateCurrentIndexChanged);
    connect(ui->m_pChkBoxAutoLogin, &QCheckBox::toggled, this, &CSettingsForm::slotOnChkBoxAutoLoginToggled);
    connect(ui->m_pChkBoxEnableHightFrameRate, &QCheckBox::toggled, this,
            &CSettingsForm::slotOnChkBoxEnableHightFrameRateToggled);
    connect(ui->m_pChkBoxAutoAnswer, &QCheckBox::toggled, this, &CSettingsForm::slotOnChkBoxAutoAnswerToggled);
    connect(ui->m_pChkBoxAutoSaveWhiteBoardSnapshot, &QCheckBox::toggled, this,
            &CSettingsForm::slotOnChkBoxAutoSaveWhiteBoardSnapshot);
    connect(ui->m_pCmbBoxLanguage, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CSettingsForm::slotOnLanguageCurrentIndexChanged);
    connect(ui->m_pChkBoxEnable1080p, &QCheckBox::toggled, this, &CSettingsForm::slotOnChkBoxEnable1080p);
    connect(ui->m_pChkBoxSeperateWin4RemoteContent, &QCheckBox::toggled, this,
            &CSettingsForm::slotOnSeperateWin4RemoteContent);
    connect(ui->m_pChkBoxFullScreenOnCallConnected, &QCheckBox::toggled, this,
            &CSettingsForm::slotOnChkBoxFullScreenOnCallConnected);
    connect(ui->m_pChkBoxDisableShare, &QCheckBox::toggled, this, &CSettingsForm::slotOnChkBoxDisableShare);
    connect(ui->m_pChkBoxDisablePrompt, &QCheckBox::toggled, this, &CSettingsForm::slotOnChkBoxDisablePrompt);
    connect(ui->m_pChkBoxAutoRun, &QCheckBox::toggled, this, &CSettingsForm::slotOnChkBoxAutoRun);
    connect(m_pRenderTypeGroup, &QButtonGroup::idClicked, this, &CSettingsForm::slotOnbuttonClicked);
    connect(ui->m_pChkBoxAINoiseReduction, &QCheckBox::toggled, this, &CSettingsForm::slotOnChkBoxAINoiseReduction);
    connect(ui->m_pChkBoxHardEncode, &QCheckBox::toggled, this, &CSettingsForm::slotOnChkBoxHardEncode);
    connect(ui->m_pChkBoxHardDecode, &QCheckBox::toggled, this, &CSettingsForm::slotOnChkBoxHardDecode);
    connect(ui->btnUploadDiagnosis, &QPushButton::clicked, this, &CSettingsForm::slt_UploadFeedBack);
}

// At every show: another settings form, or the engine itself, may have
// changed any of these since. A box whose state changes runs its handler,
// which writes the same value back and applies it.
void CSettingsForm::loadOptionControls()
{
    qInfo() << RJ_FUNCTION;
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    CUserConfigUtils *config = CUserConfigUtils::getInstance();

    if (sdk) {
        const unsigned int bandwidth = sdk->getBandwidth();
        qInfo() << RJ_FUNCTION << "current call rate:" << bandwidth;
        if (!selectByData(ui->m_pCmbBoxCallRate, int(bandwidth)))
            qInfo() << RJ_FUNCTION << "Call rate not offered:" << bandwidth;
    }
    if (!selectByData(ui->m_pCmbBoxLanguage, int(CLinguist::getInstance()->getLanguage())))
        qInfo() << RJ_FUNCTION << "Not found the suitable language";

    if (config) {
        // Kept in step with the other settings form, which may have changed it.
        ui->m_pSnapshotPath->setText(config->getScreenPicPath());
        loadBox(ui->m_pChkBoxAutoLogin, config->getRememberMe());
        loadBox(ui->m_pChkBoxAutoAnswer, config->getAntoAnswer());
    }
    loadBox(ui->m_pChkBoxAutoRun, CAutoStart::isEnabled());
    if (config) {
        loadBox(ui->m_pChkBoxAutoSaveWhiteBoardSnapshot, config->getAutoCaptureWin());
        loadBox(ui->m_pChkBoxDisablePrompt, config->getDisablePrompt());
    }
    if (sdk) {
        loadBox(ui->m_pChkBoxEnableHightFrameRate, sdk->highFPSEnabled());
        loadBox(ui->m_pChkBoxEnable1080p, sdk->HDEnabled());
    }
    if (config) {
        loadBox(ui->m_pChkBoxSeperateWin4RemoteContent, config->getOpenNewWinInContentStream());
        loadBox(ui->m_pChkBoxFullScreenOnCallConnected, config->getFullScreenOnCallConnected());
    }
    if (sdk)
        loadBox(ui->m_pChkBoxDisableShare, !sdk->contentEnabled());
    ui->m_pChkBoxAutoSaveWhiteBoardSnapshot->hide();

    if (config) {
        const bool noise = config->getAINoiseReduction();
        const bool encode = config->getEnableHardEncode();
        const bool decode = config->getEnableHardDecode();
        const bool noiseApplied = loadBox(ui->m_pChkBoxAINoiseReduction, noise);
        const bool encodeApplied = loadBox(ui->m_pChkBoxHardEncode, encode);
        const bool decodeApplied = loadBox(ui->m_pChkBoxHardDecode, decode);
        // Nothing else hands these stored choices to the engine, which starts
        // from its own defaults: a choice that left its box unchanged (off)
        // is applied here, once.
        if (sdk && !m_bStoredChoicesApplied) {
            m_bStoredChoicesApplied = true;
            if (!noiseApplied)
                slotOnChkBoxAINoiseReduction(noise);
            if (!encodeApplied)
                slotOnChkBoxHardEncode(encode);
            if (!decodeApplied)
                slotOnChkBoxHardDecode(decode);
        }
    }

    // The other settings form may have changed it; a stale choice shown here
    // could not be chosen again.
    if (sdk) {
        m_iRenderType = sdk->getRenderType();
        showRenderType();
    }
}

void CSettingsForm::retranslateLanguageItems()
{
    // The names of the languages come from the translation files.
    ui->m_pCmbBoxLanguage->setItemText(0, QCoreApplication::translate("CSettingsForm", "English_Language"));
    ui->m_pCmbBoxLanguage->setItemText(
        1, QCoreApplication::translate("CSettingsForm", "Simplified-Chinese_Language"));
}

// A failed engine operation leaves the box showing what is in effect.
void CSettingsForm::showEngineState(QCheckBox *box, bool engineState)
{
    qWarning() << RJ_FUNCTION << box->objectName() << "shows the engine's state:" << engineState;
    const QSignalBlocker blocker(box);
    box->setChecked(engineState);
}

void CSettingsForm::showRenderType()
{
    if (QAbstractButton *button = m_pRenderTypeGroup->button(m_iRenderType)) {
        button->setChecked(true);
        return;
    }
    // A type with no button: none checked.
    m_pRenderTypeGroup->setExclusive(false);
    for (QAbstractButton *button : m_pRenderTypeGroup->buttons())
        button->setChecked(false);
    m_pRenderTypeGroup->setExclusive(true);
}

// ------------------------------------------------------------ handlers

void CSettingsForm::slotOnCallRateCurrentIndexChanged(int idx)
{
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    if (idx < 0 || !sdk)
        return;
    const int kbps = ui->m_pCmbBoxCallRate->itemData(idx).toInt();
    const unsigned int current = sdk->getBandwidth();
    qInfo() << RJ_FUNCTION << "Set call rate to:" << kbps << ", current call rate:" << current;
    if (unsigned(kbps) == current)
        return;
    if (!sdk->setBandwidth(unsigned(kbps))) {
        qWarning() << RJ_FUNCTION << "Failed, the call rate stays" << sdk->getBandwidth();
        const QSignalBlocker blocker(ui->m_pCmbBoxCallRate);
        selectByData(ui->m_pCmbBoxCallRate, int(sdk->getBandwidth()));
    }
}

void CSettingsForm::slotOnLanguageCurrentIndexChanged(int idx)
{
    if (idx < 0)
        return;
    qInfo() << RJ_FUNCTION << ui->m_pCmbBoxLanguage->itemText(idx);
    CLinguist *linguist = CLinguist::getInstance();
    const auto language = CLinguist::Language(ui->m_pCmbBoxLanguage->itemData(idx).toInt());
    linguist->changeLanguage(language);
    if (linguist->getLanguage() != language) {
        qWarning() << RJ_FUNCTION << "Failed, the language stays" << linguist->getLanguage();
        const QSignalBlocker blocker(ui->m_pCmbBoxLanguage);
        selectByData(ui->m_pCmbBoxLanguage, int(linguist->getLanguage()));
    }
}

void CSettingsForm::slotOnChkBoxAutoLoginToggled(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setRememberMe(checked);
}

void CSettingsForm::slotOnChkBoxAutoAnswerToggled(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setAntoAnswer(checked);
}

void CSettingsForm::slotOnChkBoxAutoSaveWhiteBoardSnapshot(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setAutoCaptureWin(checked);
}

void CSettingsForm::slotOnChkBoxDisablePrompt(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setDisablePrompt(checked);
}

void CSettingsForm::slotOnSeperateWin4RemoteContent(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setOpenNewWinInContentStream(checked);
}

void CSettingsForm::slotOnChkBoxFullScreenOnCallConnected(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setFullScreenOnCallConnected(checked);
}

void CSettingsForm::slotOnChkBoxEnableHightFrameRateToggled(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    if (sdk && !sdk->enableHighFPS(checked))
        showEngineState(ui->m_pChkBoxEnableHightFrameRate, sdk->highFPSEnabled());
}

void CSettingsForm::slotOnChkBoxEnable1080p(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    if (sdk && !sdk->enableHD(checked))
        showEngineState(ui->m_pChkBoxEnable1080p, sdk->HDEnabled());
}

// Checked means content sending is off; only a box that disagrees with the
// engine changes it.
void CSettingsForm::slotOnChkBoxDisableShare(bool checked)
{
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    if (!sdk)
        return;
    const bool contentEnabled = sdk->contentEnabled();
    qInfo() << RJ_FUNCTION << "disable:" << checked << ", content enabled:" << contentEnabled;
    if (contentEnabled != checked)
        return;
    if (!sdk->enableContent(!checked))
        showEngineState(ui->m_pChkBoxDisableShare, !sdk->contentEnabled());
}

void CSettingsForm::slotOnChkBoxAINoiseReduction(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setAINoiseReduction(checked);
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        sdk->enableNoiseSuppression(checked);
}

void CSettingsForm::slotOnChkBoxHardEncode(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setEnableHardEncode(checked);
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        sdk->enableHardEncoder(checked);
}

void CSettingsForm::slotOnChkBoxHardDecode(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setEnableHardDecode(checked);
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        sdk->enableHardDecoder(checked);
}

// The box shows what the session will do at the next log-in, which after a
// failed write or removal is not what was asked.
void CSettingsForm::slotOnChkBoxAutoRun(bool checked)
{
    qInfo() << RJ_FUNCTION << checked;
    const bool done = checked ? CAutoStart::enable(QCoreApplication::applicationFilePath()) : CAutoStart::disable();
    if (!done)
        qWarning() << RJ_FUNCTION << "Failed to" << (checked ? "write" : "remove") << "the auto start entry"
                   << CAutoStart::entryPath();
    const bool enabled = CAutoStart::isEnabled();
    if (enabled != ui->m_pChkBoxAutoRun->isChecked()) {
        const QSignalBlocker blocker(ui->m_pChkBoxAutoRun);
        ui->m_pChkBoxAutoRun->setChecked(enabled);
    }
}

void CSettingsForm::slotOnbuttonClicked(int id)
{
    qInfo() << RJ_FUNCTION << "id:" << id << ", applied:" << m_iRenderType;
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    if (!sdk || !m_pRenderTypeGroup->button(id) || id == m_iRenderType)
        return;
    if (sdk->setRenderType(id)) {
        m_iRenderType = id;
        return;
    }
    // Refused: the radios show the type still in effect.
    m_iRenderType = sdk->getRenderType();
    qWarning() << RJ_FUNCTION << "Failed, the render type stays" << m_iRenderType;
    showRenderType();
}

void CSettingsForm::chooseSnapshotPath()
{
    QString start = ui->m_pSnapshotPath->text();
    if (start.isEmpty())
        start = QStringLiteral("./");
    const QString caption = QCoreApplication::translate("CSettingsForm", "Please set the snapshot path");
    const QString chosen = folderChooser()
                               ? folderChooser()(this, caption, start)
                               : QFileDialog::getExistingDirectory(this, caption, start, QFileDialog::ShowDirsOnly);
    qInfo() << RJ_FUNCTION << "chosen:" << chosen;
    if (chosen.isEmpty())
        return;
    ui->m_pSnapshotPath->setText(chosen);
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance())
        config->setScreenPicPath(chosen);
}

void CSettingsForm::slt_UploadFeedBack()
{
    qInfo() << RJ_FUNCTION;
    // Deletes itself when closed.
    auto *dlg = new FeedBackDlg(nullptr);
    dlg->show();
}

} // namespace rj_app::views
