#pragma once

#include "views/meetings/IWebComponents.h"

#include <QObject>

namespace rj_app::web {

// The web library's entry: QPluginLoader finds it by its metadata and the
// client reaches it through views::IWebComponents only.
class WebComponentsPlugin : public QObject, public views::IWebComponents
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GLIMORA_WEB_COMPONENTS_IID)
    Q_INTERFACES(rj_app::views::IWebComponents)
public:
    explicit WebComponentsPlugin(QObject *parent = nullptr);

    views::CWebPageHost *createWebBrowserWrapperForm(int urlType, QWidget *parent) override;
    views::WhiteBoardWebWidget *createWhiteBoardWebWidget(QWidget *parent) override;
};

} // namespace rj_app::web
