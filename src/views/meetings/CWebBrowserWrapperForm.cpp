#include "views/meetings/CWebBrowserWrapperForm.h"

#include <QDebug>
#include <QLabel>
#include <QVBoxLayout>

namespace rj_app::views {

CWebBrowserWrapperForm::CWebBrowserWrapperForm(int urlType, QWidget *parent)
    : CBaseWgt(parent)
    , m_iUrlType(urlType)
{
    setObjectName(QStringLiteral("CWebBrowserWrapperForm"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#CWebBrowserWrapperForm { background-color: #ffffff; }"));
    auto *layout = new QVBoxLayout(this);
    m_pLblPage = new QLabel(this);
    m_pLblPage->setObjectName(QStringLiteral("m_pLblPage"));
    m_pLblPage->setAlignment(Qt::AlignCenter);
    m_pLblPage->setStyleSheet(QStringLiteral("color: #919191;"));
    layout->addWidget(m_pLblPage);
    createPage();
}

CWebBrowserWrapperForm::~CWebBrowserWrapperForm() = default;

void CWebBrowserWrapperForm::createPage()
{
    m_bHasPage = true;
    m_bPageUsed = false;
    ++m_iPageGeneration;
    static const char *const kNames[] = {"conferences", "conference control", "contacts"};
    const int kind = m_iUrlType >= 0 && m_iUrlType <= 2 ? m_iUrlType : 0;
    m_pLblPage->setText(QString::fromLatin1(kNames[kind]));
}

void CWebBrowserWrapperForm::updateDpi(double scale)
{
    m_dScale = scale;
}

void CWebBrowserWrapperForm::updatePage()
{
    qInfo() << "m_webBrowserUrlType:" << m_iUrlType;
    if (m_bHasPage && !m_bPageUsed) {
        qInfo("page not used and do not create new page");
        return;
    }
    createPage();
}

void CWebBrowserWrapperForm::releaseCurrentPage()
{
    qInfo("%s", Q_FUNC_INFO);
    m_bHasPage = false;
}

void CWebBrowserWrapperForm::stopWeb()
{
    qInfo() << "m_showFlag:" << m_bShowFlag;
}

void CWebBrowserWrapperForm::clearConfListCache()
{
    qInfo("%s", Q_FUNC_INFO);
    if (!m_bHasPage)
        return;
    qInfo("exec clearConfListCache");
    ++m_iClearCount;
}

void CWebBrowserWrapperForm::showEvent(QShowEvent *event)
{
    m_bShowFlag = true;
    m_bPageUsed = true;
    CBaseWgt::showEvent(event);
}

} // namespace rj_app::views
