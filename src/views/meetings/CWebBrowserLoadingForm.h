#pragma once

#include "views/framework/CDpiLayoutScaler.h"

#include <QWidget>

class QLabel;
class QMovie;

namespace rj_app::views {

// Shown over an embedded web page while it starts: an animation and
// "Trying to load...".
class CWebBrowserLoadingForm : public QWidget
{
    Q_OBJECT
public:
    explicit CWebBrowserLoadingForm(QWidget *parent = nullptr);
    ~CWebBrowserLoadingForm() override;

    void retranslateUi();
    // Restyles for the scale and (re)starts the animation.
    void updateDpi(double scale);

    QMovie *movie() const { return m_pMovie; }

private:
    void setupUi();

    QLabel *label_laodgif = nullptr;
    QLabel *label_text = nullptr;
    QMovie *m_pMovie = nullptr;
    const QString m_qstrGif1x = QStringLiteral(":/resources/images/loading.gif");
    const QString m_qstrGif15x = QStringLiteral(":/resources/images/loading_1.5x.gif");
    const QString m_qstrGif2x = QStringLiteral(":/resources/images/loading_2x.gif");
    CDpiLayoutScaler m_scaler;
};

} // namespace rj_app::views
