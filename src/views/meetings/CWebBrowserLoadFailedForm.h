#pragma once

#include "views/framework/CDpiLayoutScaler.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace rj_app::views {

// Shown in place of an embedded web page that did not come up: a picture,
// a text and, when trying again can help, "Reload".
class CWebBrowserLoadFailedForm : public QWidget
{
    Q_OBJECT
public:
    enum Reason : int {
        PageNotLoaded = 0,   // the page did not announce itself in time
        NoWebComponents = 1, // the web library is missing: no reload helps
        RunningAsRoot = 2,   // the web engine refuses root with its sandbox on
    };

    explicit CWebBrowserLoadFailedForm(QWidget *parent = nullptr, Reason reason = PageNotLoaded);
    ~CWebBrowserLoadFailedForm() override;

    void retranslateUi();
    void updateDpi(double scale);

signals:
    void signal_reload();

private:
    void setupUi();

    const Reason m_reason;
    QLabel *label_failedpic = nullptr;
    QLabel *label = nullptr;
    QPushButton *pBtReload = nullptr;
    // The runs of blanks are part of the template.
    const QString m_qstrBtnStyle = QStringLiteral(
        "color: #ffffff;         font-size: %1px;         background-color: #f5452e;         border: none;         "
        "border-radius: 5px;");
    CDpiLayoutScaler m_scaler;
};

} // namespace rj_app::views
