#pragma once

#include <QWidget>

class QScreen;

namespace rj_app::platform {
class CScreenDpiWatcher;
}

namespace rj_app::views {

// Base of the DPI-aware pages, panels and popups: the scale rule and style
// sheets of CBaseDlg without dragging or Escape handling. The constructor does
// not pass `parent` on: the owner puts the widget into a layout or reparents
// it; until then it is a window of its own.
class CBaseWgt : public QWidget
{
public:
    explicit CBaseWgt(QWidget *parent = nullptr);
    ~CBaseWgt() override;

    QScreen *getDisplayScreen() const;
    void centerWindow();

    void setStyleSheets(const QString &basePath);
    void updateDpi(unsigned int dpi);

    double fStretchFactor = 0;

protected:
    void showEvent(QShowEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

    virtual void onDpiChanged();

private:
    unsigned int m_uLastDpi = 0;
    rj_app::platform::CScreenDpiWatcher *m_pDpiWatcher = nullptr;
};

} // namespace rj_app::views
