#include "web/WebComponentsPlugin.h"

#include "web/WhiteBoardWebEngineWidget.h"
#include "web/CWebBrowserWrapperForm.h"

namespace rj_app::web {

WebComponentsPlugin::WebComponentsPlugin(QObject *parent)
    : QObject(parent)
{
}

views::CWebPageHost *WebComponentsPlugin::createWebBrowserWrapperForm(int urlType, QWidget *parent)
{
    return new views::CWebBrowserWrapperForm(urlType, parent);
}

views::WhiteBoardWebWidget *WebComponentsPlugin::createWhiteBoardWebWidget(QWidget *parent)
{
    return new views::WhiteBoardWebEngineWidget(parent);
}

} // namespace rj_app::web
