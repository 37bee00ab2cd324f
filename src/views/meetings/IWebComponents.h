#pragma once

#include <QtPlugin>

class QWidget;

namespace rj_app::views {

class CWebPageHost;
class WhiteBoardWebWidget;

// What the web library (libglimora_web.so, the only code that links the web
// engine) makes for the client. It is loaded on first use through
// WebComponents; everything it builds is a widget of the GUI thread that its
// caller owns.
//
// The library and the client are built together: a new kind of web widget is
// one more pure virtual member here, with the interface id's version raised,
// so that a library of another build is refused instead of called wrongly.
class IWebComponents
{
public:
    virtual ~IWebComponents() = default;

    // An embedded web page of kind `urlType` (enums::WebBrowserUrlType).
    virtual CWebPageHost *createWebBrowserWrapperForm(int urlType, QWidget *parent) = 0;
    // The whiteboard page of a call.
    virtual WhiteBoardWebWidget *createWhiteBoardWebWidget(QWidget *parent) = 0;
};

} // namespace rj_app::views

#define GLIMORA_WEB_COMPONENTS_IID "org.glimora.IWebComponents/2"
Q_DECLARE_INTERFACE(rj_app::views::IWebComponents, GLIMORA_WEB_COMPONENTS_IID)
