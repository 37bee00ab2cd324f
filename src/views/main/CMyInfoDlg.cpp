#include "views/main/CMyInfoDlg.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/CUCMApiManager.h"
#include "views/framework/AlertDlg.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CMainDlgManager.h"
#include "views/main/CMyHeadpicDlg.h"
#include "views/main/CMyPasswordDlg.h"

#include <QDebug>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <utility>

namespace rj_app::views {

using models::CLoginManager;
using models::CRJSdkManager;

CMyInfoDlg::CMyInfoDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    setupUi();
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    disableDefaultButtons();
    dragAreaHeight = m_pWgtTitlePanel->height();
    setWindowTitle(tr("PRODUCT_NAME"));
    CLoginManager *login = CLoginManager::getInstance();
    m_pWgtChangePasswordPanel->setVisible(login->m_feature.enableChangePassword);
    connect(login, &CLoginManager::sigAvatarDownloadedOk, this, &CMyInfoDlg::slotOnAvatarDownloadedOk);
    connect(m_pBtnClose, &QPushButton::clicked, this, &CMyInfoDlg::slotOnClose);
    connect(m_pBtnLogout, &QPushButton::clicked, this, &CMyInfoDlg::slotOnLogout);
    connect(m_pBtnChange, &QPushButton::clicked, this, &CMyInfoDlg::EnterEditMode);
    connect(m_pBtnChangePassword, &QPushButton::clicked, this, &CMyInfoDlg::on_m_pBtnChangePassword_clicked);
    setMouseTracking(true);
    m_pLblAvatar->setMouseTracking(true);
    m_pLblAvatar->installEventFilter(this);
    initData();
}

void CMyInfoDlg::setupUi()
{
    setObjectName(QStringLiteral("CMyInfoDlg"));
    setFixedSize(290, 380);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(1, 1, 1, 1);
    root->setSpacing(0);

    m_pWgtTitlePanel = new QWidget(this);
    m_pWgtTitlePanel->setObjectName(QStringLiteral("m_pWgtTitlePanel"));
    m_pWgtTitlePanel->setAttribute(Qt::WA_StyledBackground);
    m_pWgtTitlePanel->setFixedHeight(120);
    auto *titleLayout = new QVBoxLayout(m_pWgtTitlePanel);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->setSpacing(0);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch();
    m_pBtnClose = new QPushButton(m_pWgtTitlePanel);
    m_pBtnClose->setObjectName(QStringLiteral("m_pBtnClose"));
    m_pBtnClose->setFixedSize(28, 28);
    closeRow->addWidget(m_pBtnClose);
    titleLayout->addLayout(closeRow);

    auto *content = new QWidget(m_pWgtTitlePanel);
    content->setObjectName(QStringLiteral("m_pWgtContectPanel"));
    auto *contentLayout = new QHBoxLayout(content);
    contentLayout->setContentsMargins(20, 2, 20, 12);
    auto *left = new QVBoxLayout;
    left->setSpacing(0);
    m_pNameRow = new QHBoxLayout;
    m_pNameRow->setSpacing(10);
    m_pLblDisplayName = new QLabel(content);
    m_pLblDisplayName->setObjectName(QStringLiteral("m_pLblDisplayName"));
    m_pLblDisplayName->setFixedHeight(30);
    m_pLblDisplayName->setAlignment(Qt::AlignCenter);
    m_pBtnChange = new QPushButton(content);
    m_pBtnChange->setObjectName(QStringLiteral("m_pBtnChange"));
    m_pBtnChange->setFixedSize(16, 16);
    m_pBtnChange->setCursor(Qt::PointingHandCursor);
    m_pNameRow->addWidget(m_pLblDisplayName);
    m_pNameRow->addWidget(m_pBtnChange);
    m_pNameRow->addStretch();
    left->addLayout(m_pNameRow);
    auto *accountRow = new QHBoxLayout;
    accountRow->setSpacing(2);
    auto *accountTitle = new QLabel(tr("Account:"), content);
    accountTitle->setObjectName(QStringLiteral("m_pLblAccountTitle"));
    m_pLblAccountContent = new QLabel(content);
    m_pLblAccountContent->setObjectName(QStringLiteral("m_pLblAccountContent"));
    accountRow->addWidget(accountTitle);
    accountRow->addWidget(m_pLblAccountContent);
    accountRow->addStretch();
    left->addLayout(accountRow);
    contentLayout->addLayout(left);
    contentLayout->addStretch();
    m_pLblAvatar = new QLabel(content);
    m_pLblAvatar->setObjectName(QStringLiteral("m_pLblAvatar"));
    m_pLblAvatar->setFixedSize(60, 60);
    m_pLblAvatar->setCursor(Qt::PointingHandCursor);
    contentLayout->addWidget(m_pLblAvatar);
    titleLayout->addWidget(content);
    root->addWidget(m_pWgtTitlePanel);

    auto *gridWidget = new QWidget(this);
    gridWidget->setObjectName(QStringLiteral("gridWidget"));
    gridWidget->setFixedHeight(164);
    auto *grid = new QGridLayout(gridWidget);
    grid->setHorizontalSpacing(5);
    grid->setContentsMargins(20, 0, 0, 0);
    const auto addRow = [&](int row, const char *titleName, const QString &title, const char *contentName) {
        auto *titleLabel = new QLabel(title, gridWidget);
        titleLabel->setObjectName(QLatin1String(titleName));
        auto *value = new QLabel(gridWidget);
        value->setObjectName(QLatin1String(contentName));
        grid->addWidget(titleLabel, row, 0);
        grid->addWidget(value, row, 1);
        return value;
    };
    m_pLblUserIdContent = addRow(0, "m_pLblUserIdTitle", tr("User ID"), "m_pLblUserIdContent");
    m_pLblOrganizationContent = addRow(1, "m_pLblOrganizationTitle", tr("Organization"), "m_pLblOrganizationContent");
    m_pLblDepartmentContent = addRow(2, "m_pLblDepartmentTitle", tr("Unit"), "m_pLblDepartmentContent");
    m_pLblMobileContent = addRow(3, "m_pLblMobileTitle", tr("Mobile"), "m_pLblMobileContent");
    m_pLblEmailContent = addRow(4, "m_pLblEmailTitle", tr("Email"), "m_pLblEmailContent");
    grid->setColumnStretch(1, 1);
    root->addWidget(gridWidget);

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("line"));
    line->setFixedHeight(1);
    line->setFrameShape(QFrame::HLine);
    root->addWidget(line);
    m_pWgtChangePasswordPanel = new QWidget(this);
    m_pWgtChangePasswordPanel->setObjectName(QStringLiteral("m_pWgtChangePasswordPanel"));
    auto *passwordRow = new QHBoxLayout(m_pWgtChangePasswordPanel);
    m_pBtnChangePassword = new QPushButton(tr("Change Password"), m_pWgtChangePasswordPanel);
    m_pBtnChangePassword->setObjectName(QStringLiteral("m_pBtnChangePassword"));
    m_pBtnChangePassword->setFixedSize(130, 28);
    m_pBtnChangePassword->setCursor(Qt::PointingHandCursor);
    passwordRow->addStretch();
    passwordRow->addWidget(m_pBtnChangePassword);
    passwordRow->addStretch();
    root->addWidget(m_pWgtChangePasswordPanel);
    auto *line2 = new QFrame(this);
    line2->setObjectName(QStringLiteral("line_2"));
    line2->setFixedHeight(1);
    line2->setFrameShape(QFrame::HLine);
    root->addWidget(line2);
    auto *logoutRow = new QHBoxLayout;
    m_pBtnLogout = new QPushButton(tr("Logout"), this);
    m_pBtnLogout->setObjectName(QStringLiteral("m_pBtnLogout"));
    m_pBtnLogout->setFixedSize(96, 28);
    m_pBtnLogout->setCursor(Qt::PointingHandCursor);
    logoutRow->addStretch();
    logoutRow->addWidget(m_pBtnLogout);
    logoutRow->addStretch();
    root->addLayout(logoutRow);
    root->addStretch();
}

void CMyInfoDlg::initData()
{
    qInfo("%s", RJ_FUNCTION);
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    if (!sdk || !sdk->getUserInfo(m_userInfo)) {
        qWarning("Failed to get user info");
        m_userInfo = CLoginManager::getInstance()->m_userInfo;
    }
    const auto text = [](const std::string &value) { return QString::fromUtf8(value.c_str()); };
    m_pLblDisplayName->setText(text(m_userInfo.displayName));
    m_pLblAccountContent->setText(text(m_userInfo.username));
    m_pLblUserIdContent->setText(text(m_userInfo.sipUserName));
    m_pLblOrganizationContent->setText(text(m_userInfo.org));
    m_pLblDepartmentContent->setText(text(m_userInfo.dept));
    m_pLblMobileContent->setText(text(m_userInfo.cellphone));
    m_pLblEmailContent->setText(text(m_userInfo.email));
}

bool CMyInfoDlg::isValidDisplayName(const QString &name)
{
    static const QRegularExpression kName(QStringLiteral("^([^\"<>]){1,16}$"));
    return kName.match(name.trimmed()).hasMatch();
}

void CMyInfoDlg::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
    if (!m_bPlaced && m_pHomeDlg) {
        m_bPlaced = true;
        move(m_pHomeDlg->getContentTopLeft());
    }
}

void CMyInfoDlg::onDpiChanged()
{
    setStyleSheet(QString());
    setStyleSheets(QStringLiteral(":/resources/qss/my-info-dlg"));
    m_scaler.rescale(fStretchFactor, this, true);
    dragAreaHeight = m_pWgtTitlePanel->height();
    drawAvatar(false);
    fitLabelWidth(m_pLblDisplayName);
}

void CMyInfoDlg::fitLabelWidth(QLabel *label)
{
    const double scale = fStretchFactor > 0 ? fStretchFactor : 1.0;
    QFont font = label->font();
    font.setPixelSize(int(13 * scale));
    label->setFont(font);
    label->setMinimumWidth(QFontMetrics(font).horizontalAdvance(label->text()));
    label->adjustSize();
}

void CMyInfoDlg::drawAvatar(bool darken)
{
    const double scale = fStretchFactor > 0 ? fStretchFactor : 1.0;
    const int side = int(m_avatarBaseSize.width() * scale);
    helpers::CGeneralUtils::drawRectroundImageOnLabel(
        m_pLblAvatar, CLoginManager::getInstance()->getLoggedInUserAvatarPath(), side, side, side / 8, side / 8,
        darken);
}

void CMyInfoDlg::slotOnAvatarDownloadedOk()
{
    qInfo("%s", RJ_FUNCTION);
    drawAvatar(false);
}

void CMyInfoDlg::showAvatarHover(bool show)
{
    const double scale = fStretchFactor > 0 ? fStretchFactor : 1.0;
    if (show) {
        drawAvatar(true);
        if (!m_pHoverIcon)
            m_pHoverIcon = new QLabel(m_pLblAvatar);
        m_pHoverIcon->setObjectName(QStringLiteral("m_pLblAvatarHover"));
        m_pHoverIcon->setFixedSize(int(24 * scale), int(24 * scale));
        m_pHoverIcon->setStyleSheet(
            QStringLiteral("border-image: url(\":/resources/images/my-info/btn_photo.png\");"));
        m_pHoverIcon->show();
        m_pHoverIcon->move(int(36 * scale * 0.5), int(36 * scale * 0.5));
    } else {
        drawAvatar(false);
        delete m_pHoverIcon;
        m_pHoverIcon = nullptr;
    }
}

bool CMyInfoDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pLblAvatar) {
        if (event->type() == QEvent::Enter)
            showAvatarHover(true);
        else if (event->type() == QEvent::Leave)
            showAvatarHover(false);
        else if (event->type() == QEvent::MouseButtonPress)
            QMetaObject::invokeMethod(this, "slot_m_pLblAvatar_clicked", Qt::QueuedConnection);
    } else if (m_pNewNameEdit && watched == m_pNewNameEdit) {
        if (event->type() == QEvent::FocusOut) {
            QMetaObject::invokeMethod(this, "ExitEditMode", Qt::QueuedConnection);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Enter || key == Qt::Key_Return) {
                QMetaObject::invokeMethod(this, "ExitEditMode", Qt::QueuedConnection);
                return true;
            }
        }
    }
    return CBaseDlg::eventFilter(watched, event);
}

void CMyInfoDlg::mousePressEvent(QMouseEvent *event)
{
    QPointer<CMyInfoDlg> self(this);
    ExitEditMode();
    if (self)
        CBaseDlg::mousePressEvent(event);
}

void CMyInfoDlg::slot_m_pLblAvatar_clicked()
{
    qInfo("%s", RJ_FUNCTION);
    {
        CMyHeadpicDlg dlg(this);
        dlg.exec();
    }
    if (QWidget *active = CMainDlgManager::getInstance()->getActiveMainDlg())
        active->activateWindow();
}

void CMyInfoDlg::on_m_pBtnChangePassword_clicked()
{
    qInfo("%s", RJ_FUNCTION);
    CMyPasswordDlg dlg(this);
    dlg.exec();
}

void CMyInfoDlg::slotOnLogout()
{
    CLoginManager::getInstance()->logout();
    close();
}

void CMyInfoDlg::slotOnClose()
{
    close();
}

void CMyInfoDlg::EnterEditMode()
{
    qInfo("%s", RJ_FUNCTION);
    if (m_pNewNameEdit)
        return;
    const double scale = fStretchFactor > 0 ? fStretchFactor : 1.0;
    m_pLblDisplayName->hide();
    m_pBtnChange->hide();
    m_pNewNameEdit = new QLineEdit(this);
    m_pNewNameEdit->setObjectName(QStringLiteral("m_newNameEdit"));
    m_pNewNameEdit->setFixedSize(int(164 * scale), int(30 * scale));
    m_pNewNameEdit->setAlignment(Qt::AlignCenter);
    m_pNewNameEdit->setText(m_pLblDisplayName->text());
    m_pNameRow->insertWidget(1, m_pNewNameEdit);
    m_pNewNameEdit->selectAll();
    m_pNewNameEdit->setFocusPolicy(Qt::StrongFocus);
    m_pNewNameEdit->setFocus();
    m_pNewNameEdit->installEventFilter(this);
}

void CMyInfoDlg::ExitEditMode()
{
    if (!m_pNewNameEdit || m_bLeavingEditMode)
        return;
    qInfo("%s", RJ_FUNCTION);
    const QString name = m_pNewNameEdit->text().trimmed();
    if (!name.isEmpty() && !isValidDisplayName(name)) {
        // The prompt runs a loop of its own, in which a queued Return or
        // focus change would end edit mode under it.
        QPointer<CMyInfoDlg> self(this);
        m_bLeavingEditMode = true;
        m_pNewNameEdit->removeEventFilter(this);
        AlertDlg::execPrompt(this, tr("Prompt"), tr("Invalid input format"));
        if (!self)
            return;
        m_bLeavingEditMode = false;
        if (m_pNewNameEdit) {
            m_pNewNameEdit->setFocus();
            m_pNewNameEdit->setText(m_pLblDisplayName->text());
            m_pNewNameEdit->installEventFilter(this);
        }
        return;
    }

    // Edit mode ends before the engine and the server are asked: the
    // server's answer is awaited in a loop in which a second Return or a
    // click arrive, and they must find nothing left to commit.
    QLineEdit *editor = std::exchange(m_pNewNameEdit, nullptr);
    editor->removeEventFilter(this);
    m_pNameRow->removeWidget(editor);
    editor->hide();
    editor->deleteLater();
    m_pLblDisplayName->show();
    m_pBtnChange->show();
    if (name.isEmpty())
        return;

    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    const QByteArray utf8 = name.toUtf8();
    if (!sdk || !sdk->changeDisplayName(utf8.constData()))
        return;
    m_pLblDisplayName->setText(name);
    fitLabelWidth(m_pLblDisplayName);
    CLoginManager *login = CLoginManager::getInstance();
    if (login->m_userInfo.appServerType != "ROZ" && login->m_loginStatus != enums::AnonymousLoggedIn) {
        models::CUCMApiManager::getInstance()->getUser(login->getUrlPrefix(), login->getToken(),
                                                       QString::number(m_userInfo.userId));
    }
}

} // namespace rj_app::views
