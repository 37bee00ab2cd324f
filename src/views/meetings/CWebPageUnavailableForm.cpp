#include "views/meetings/CWebPageUnavailableForm.h"

#include "models/CLinguist.h"
#include "views/meetings/CWebBrowserLoadFailedForm.h"

#include <QResizeEvent>

namespace rj_app::views {

CWebPageUnavailableForm::CWebPageUnavailableForm(int urlType, QWidget *parent,
                                                 CWebBrowserLoadFailedForm::Reason reason)
    : CWebPageHost(urlType, parent)
{
    setObjectName(QStringLiteral("CWebPageUnavailableForm"));
    resize(650, 476);
    m_pFailedForm = new CWebBrowserLoadFailedForm(this, reason);
    m_pFailedForm->setObjectName(QStringLiteral("m_pLoadFailedForm"));
    m_pFailedForm->resize(size());
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, m_pFailedForm,
            &CWebBrowserLoadFailedForm::retranslateUi);
    setDisplayState(Failed);
}

CWebPageUnavailableForm::~CWebPageUnavailableForm() = default;

void CWebPageUnavailableForm::updateDpi(double scale)
{
    m_dZoomFactor = scale > 0 ? scale : 1.0;
    if (scale > 0)
        m_pFailedForm->updateDpi(scale);
}

void CWebPageUnavailableForm::resizeEvent(QResizeEvent *event)
{
    CWebPageHost::resizeEvent(event);
    m_pFailedForm->resize(event->size());
}

} // namespace rj_app::views
