#include "views/framework/CBaseWgt.h"

#include "helpers/CGeneralUtils.h"
#include "platform/CScreenDpiWatcher.h"
#include "views/framework/CScaleRule.h"

#include <QDebug>
#include <QScreen>
#include <QShowEvent>

namespace rj_app::views {

CBaseWgt::CBaseWgt(QWidget *parent)
    : QWidget(nullptr)
{
    // The owner places the widget; the parent is deliberately not passed on.
    Q_UNUSED(parent)
    m_pDpiWatcher = new platform::CScreenDpiWatcher(
        [this](unsigned int dpi) {
            if (isVisible())
                updateDpi(dpi);
        },
        this);
}

CBaseWgt::~CBaseWgt()
{
    delete m_pDpiWatcher;
}

QScreen *CBaseWgt::getDisplayScreen() const
{
    return CScaleRule::screenOf(this);
}

void CBaseWgt::centerWindow()
{
    CScaleRule::centerOn(this, getDisplayScreen());
}

void CBaseWgt::setStyleSheets(const QString &basePath)
{
    helpers::CGeneralUtils::setStyle(this, CScaleRule::styleSheetFiles(basePath, fStretchFactor));
}

void CBaseWgt::updateDpi(unsigned int dpi)
{
    if (CScaleRule::takeDpi("rj_app::views::CBaseWgt::updateDpi", this, dpi, m_uLastDpi, fStretchFactor))
        onDpiChanged();
}

void CBaseWgt::onDpiChanged()
{
    qDebug() << "rj_app::views::CBaseWgt::onDpiChanged" << this << fStretchFactor;
}

void CBaseWgt::showEvent(QShowEvent *event)
{
    QScreen *screen = getDisplayScreen();
    if (!screen) {
        qWarning() << "Can not get valid screen";
        return;
    }
    if (isWindow())
        m_pDpiWatcher->watch(windowHandle());
    updateDpi(platform::CScreenDpiWatcher::dpiOf(screen));
    QWidget::showEvent(event);
}

bool CBaseWgt::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    return QWidget::nativeEvent(eventType, message, result);
}

} // namespace rj_app::views
