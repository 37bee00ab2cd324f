#pragma once

#include "views/framework/CBaseWgt.h"

#include <QString>

namespace rj_app {
namespace enums {

// The kind of an embedded web page, fixed when its host is created.
enum WebBrowserUrlType : int {
    Conferences = 0, // meeting list, home window
    ConfControl = 1, // conference control, in-call window
    Contact = 2,     // contacts, home window
};

} // namespace enums

namespace views {

// One embedded web page of a "ROZ" server as the rest of the client sees it.
// The page itself needs the web engine, which lives in the web library and is
// loaded on first use (WebComponents); this is what the home window and the
// conference-control window hold and call.
class CWebPageHost : public CBaseWgt
{
    Q_OBJECT
public:
    // What the host shows: nothing yet, the loading form, the page, or the
    // load-failed form.
    enum DisplayState : int { Idle = 0, Loading = 1, Shown = 2, Failed = 3 };
    Q_ENUM(DisplayState)

    // The parts of a page address that come from the sign-in and the call.
    struct AddressParts
    {
        QString configured; // the deployment's address of this kind; wins when set
        QString serverType; // "ROZ" for a server with web pages
        QString urlSuffix;  // the server's path prefix for this client
        QString urlPrefix;  // scheme, host and port of the login server
        QString token;
        QString numericId;  // the current meeting's number, empty outside a call
    };

    ~CWebPageHost() override;

    int urlType() const { return m_webBrowserUrlType; }
    DisplayState displayState() const { return m_displayState; }

    // The host passes its scale (1, 1.5 or 2); 0 or below counts as 1.
    virtual void updateDpi(double scale) = 0;
    // A fresh page if the current one was used; before a page is shown again.
    virtual void updatePage() = 0;
    // Frees the page with its bridge; the next load makes a new one.
    virtual void releaseCurrentPage() = 0;
    // Stops loading, if the host was ever shown.
    virtual void stopWeb() = 0;
    // Tells the meeting-list page to forget what it keeps.
    virtual void clearConfListCache() = 0;
    // Whether a page with its bridge is set up.
    virtual bool hasPage() const = 0;
    virtual double zoomFactor() const = 0;

    // "conferences", "confControl", "contact"; empty for any other kind.
    static QString pageKey(int urlType);
    // The deployment's configured address of the kind (app-config.ini).
    static QString configuredAddress(int urlType);
    // The sign-in and call data the address is built from, as they stand.
    static AddressParts currentAddressParts();
    // The page address: the configured one unchanged, else, for a "ROZ"
    // server that names its suffix, prefix + suffix + key with the token and
    // meeting number as query values; else empty.
    static QString pageAddress(const QString &pageKey, const AddressParts &parts);
    // The address with the token hidden, for the log.
    static QString addressForLog(const QString &address, const QString &token);

signals:
    void sigJoinConf(const QString &confNumber, const QString &confPassword, bool isAudioOnly,
                     const QString &peerName);
    // Emitted each time the host enters a state, also the one it is in.
    void sigDisplayStateEntered(int state);

protected:
    CWebPageHost(int urlType, QWidget *parent);

    void setDisplayState(DisplayState state);

    const int m_webBrowserUrlType;

private:
    DisplayState m_displayState = Idle;
};

} // namespace views
} // namespace rj_app
