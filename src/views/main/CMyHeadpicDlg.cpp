#include "views/main/CMyHeadpicDlg.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/CWaitingDlg.h"
#include "views/main/CPictureEditWidget.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

namespace rj_app::views {

using helpers::CUserConfigUtils;
using models::CLoginManager;
using models::CRJSdkManager;

namespace {

CMyHeadpicDlg::FileChooser &fileChooser()
{
    static CMyHeadpicDlg::FileChooser s_chooser;
    return s_chooser;
}

} // namespace

void CMyHeadpicDlg::setFileChooser(FileChooser chooser)
{
    fileChooser() = std::move(chooser);
}

CMyHeadpicDlg::CMyHeadpicDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    setupUi();
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    dragAreaHeight = m_pTitlebar->height();
    setStyleSheet(QString());
    helpers::CGeneralUtils::setStyle(this, {QStringLiteral(":/resources/qss/my-headpic-dlg.qss")});
    connect(m_pBtnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pBtnOpen, &QPushButton::clicked, this, &CMyHeadpicDlg::on_m_pBtnOpen_clicked);
    connect(m_pBtnUpload, &QPushButton::clicked, this, &CMyHeadpicDlg::on_m_pBtnUpload_clicked);
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
        connect(sdk, &CRJSdkManager::eventUploadUserImageComplete, this,
                &CMyHeadpicDlg::slot_UploadUserImageComplete);
        connect(sdk, &CRJSdkManager::eventError, this, &CMyHeadpicDlg::slotOnError);
    }
    disableDefaultButtons();
}

void CMyHeadpicDlg::setupUi()
{
    setObjectName(QStringLiteral("CMyHeadpicDlg"));
    setFixedSize(312, 330);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(1, 1, 1, 1);
    root->setSpacing(0);

    m_pTitlebar = new QWidget(this);
    m_pTitlebar->setObjectName(QStringLiteral("Titlebar"));
    m_pTitlebar->setAttribute(Qt::WA_StyledBackground);
    m_pTitlebar->setFixedHeight(28);
    auto *title = new QHBoxLayout(m_pTitlebar);
    title->setContentsMargins(0, 0, 0, 0);
    title->addSpacerItem(new QSpacerItem(28, 28, QSizePolicy::Fixed, QSizePolicy::Minimum));
    title->addStretch();
    auto *name = new QLabel(tr("Photo"), m_pTitlebar);
    name->setObjectName(QStringLiteral("titleName"));
    name->setAlignment(Qt::AlignCenter);
    name->setFixedWidth(50);
    title->addWidget(name);
    title->addStretch();
    m_pBtnClose = new QPushButton(m_pTitlebar);
    m_pBtnClose->setObjectName(QStringLiteral("m_pBtnClose"));
    m_pBtnClose->setFixedSize(28, 28);
    title->addWidget(m_pBtnClose);
    root->addWidget(m_pTitlebar);
    root->addSpacerItem(new QSpacerItem(20, 15, QSizePolicy::Minimum, QSizePolicy::Fixed));

    m_pEditor = new CPictureEditWidget(this);
    root->addWidget(m_pEditor, 0, Qt::AlignHCenter);
    root->addSpacerItem(new QSpacerItem(20, 10, QSizePolicy::Minimum, QSizePolicy::Fixed));
    auto *tips = new QLabel(tr("Best size 800x800 and within 1MB"), this);
    tips->setObjectName(QStringLiteral("labeltips"));
    tips->setAlignment(Qt::AlignCenter);
    root->addWidget(tips);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch();
    m_pBtnOpen = new QPushButton(tr("Open"), this);
    m_pBtnOpen->setObjectName(QStringLiteral("m_pBtnOpen"));
    m_pBtnOpen->setFixedSize(80, 28);
    m_pBtnUpload = new QPushButton(tr("Upload"), this);
    m_pBtnUpload->setObjectName(QStringLiteral("m_pBtnUpload"));
    m_pBtnUpload->setFixedSize(80, 28);
    buttons->addWidget(m_pBtnOpen);
    buttons->addWidget(m_pBtnUpload);
    buttons->addStretch();
    root->addLayout(buttons);
    root->addSpacerItem(new QSpacerItem(20, 15, QSizePolicy::Minimum, QSizePolicy::Fixed));
}

QString CMyHeadpicDlg::uploadTempPath()
{
    return CUserConfigUtils::getUserConfigPath() + QStringLiteral("/upload_avatar_temp.jpg");
}

bool CMyHeadpicDlg::replaceFile(const QString &source, const QString &target)
{
    const QString staging = target + QStringLiteral(".new");
    QFile::remove(staging);
    if (!QFile::copy(source, staging))
        return false;
    // rename() replaces the target in one step; the old avatar stays until then.
    if (std::rename(QFile::encodeName(staging).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(staging);
        return false;
    }
    return true;
}

void CMyHeadpicDlg::on_m_pBtnOpen_clicked()
{
    QString path;
    if (fileChooser())
        path = fileChooser()(this);
    else
        path = QFileDialog::getOpenFileName(this, tr("Open"), QDir::homePath(),
                                            QStringLiteral("JPG(*.jpg);;PNG(*.png)"));
    if (!path.isEmpty())
        m_pEditor->loadPicture(path);
}

void CMyHeadpicDlg::on_m_pBtnUpload_clicked()
{
    qInfo("%s", RJ_FUNCTION);
    const QPixmap canvas = m_pEditor->getPixmap();
    if (canvas.isNull())
        return;
    const QString path = uploadTempPath();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qWarning() << "Failed to open:" << path;
        AlertDlg::execPrompt(this, tr("Prompt"), tr("Upload picture failed."));
        return;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    canvas.save(&buffer, "JPG");
    file.write(bytes);
    file.close();
    showWaitingDlg();
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    if (!sdk || !sdk->uploadUserImage(path.toLocal8Bit().constData())) {
        hideWaitingDlg();
        QFile::remove(path);
        AlertDlg::execPrompt(this, tr("Prompt"), tr("Upload picture failed."));
    }
}

void CMyHeadpicDlg::slot_UploadUserImageComplete(std::string szPath)
{
    const QString uploaded = QString::fromLocal8Bit(szPath.c_str());
    qInfo() << RJ_FUNCTION << uploaded;
    hideWaitingDlg();
    const QString header = CUserConfigUtils::getInstance()->getHeaderImagePath();
    if (!replaceFile(uploaded, header)) {
        qWarning("Failed to copy avatar file");
        QFile::remove(uploaded);
        return;
    }
    emit CLoginManager::getInstance()->sigAvatarDownloadedOk();
    QFile::remove(uploaded);
    AlertDlg::execPrompt(this, tr("Prompt"), tr("Upload picture succeeded"));
    accept();
}

void CMyHeadpicDlg::slotOnError(rj::engine::RJError err)
{
    qInfo() << RJ_FUNCTION << QString::fromStdString(err.action) << err.code;
    if (err.action != "uploadUserImage")
        return;
    hideWaitingDlg();
    AlertDlg::execPrompt(this, tr("Prompt"), tr("Upload picture failed."));
}

bool CMyHeadpicDlg::isWaiting() const
{
    return m_pWaitingDlg && m_pWaitingDlg->isVisible();
}

void CMyHeadpicDlg::showWaitingDlg()
{
    qInfo("%s", RJ_FUNCTION);
    if (!m_pWaitingDlg)
        m_pWaitingDlg = new CWaitingDlg(nullptr);
    m_pWaitingDlg->setParent(this, Qt::SplashScreen);
    if (fStretchFactor > 0)
        m_pWaitingDlg->setFixedSize(size());
    else
        m_pWaitingDlg->setScaledFixedSize(width(), height());
    m_pWaitingDlg->show();
    m_pWaitingDlg->move(pos());
    qInfo("done");
}

void CMyHeadpicDlg::hideWaitingDlg()
{
    qInfo("%s", RJ_FUNCTION);
    if (m_pWaitingDlg && m_pWaitingDlg->isVisible())
        m_pWaitingDlg->hide();
}

void CMyHeadpicDlg::showEvent(QShowEvent *event)
{
    qInfo("%s", RJ_FUNCTION);
    m_scaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
    centerWindowOnScreen();
}

void CMyHeadpicDlg::hideEvent(QHideEvent *event)
{
    qInfo("%s", RJ_FUNCTION);
    hideWaitingDlg();
    CBaseDlg::hideEvent(event);
}

void CMyHeadpicDlg::onDpiChanged()
{
    setStyleSheet(QString());
    setStyleSheets(QStringLiteral(":/resources/qss/my-headpic-dlg"));
    m_scaler.rescale(fStretchFactor, this, true);
}

} // namespace rj_app::views
