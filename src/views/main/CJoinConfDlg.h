#pragma once

#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QString>

#include <memory>

namespace Ui {
class CJoinConfDlg;
}

namespace rj_app::views {

// The modal join dialog of the home window. Opened with an empty number it
// offers the recent numbers to pick or type; opened with a number (and a
// password) from a meeting list it shows both read-only. A join stores the
// microphone and camera choices, switches both devices and dials; then the
// dialog closes. The opener runs it with exec() and deletes it.
class CJoinConfDlg : public CBaseDlg
{
    Q_OBJECT
public:
    CJoinConfDlg(const QString &confNumber, const QString &password, QWidget *parent = nullptr);
    ~CJoinConfDlg() override;

    void joinConf(bool isAudioOnly);

public slots:
    void slotOnVideoJoin();
    void slotOnAudioJoin();
    void slotOnLanguageChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    void initControls();
    void updateTexts();

    std::unique_ptr<Ui::CJoinConfDlg> ui;
    QString m_qstrConfNumber;
    QString m_qstrPassword;
    CDpiLayoutScaler m_scaler;
};

} // namespace rj_app::views
