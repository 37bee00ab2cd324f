#include "custom_controls/CToolButton.h"

namespace rj_app::custom_controls {

CToolButton::CToolButton(QWidget *parent)
    : QToolButton(parent)
{
}

QString CToolButton::styleSheetFor(double scale)
{
    static const QString tmpl = QStringLiteral(
        "QToolButton {         color: #ffffff;         font-size: %1px;         text-align: center;         "
        "background-image: url(:/resources/images/layout-operationbar/icon_resume_pip_normal%2.png);         "
        "background-repeat: repeat-no-repeat;         background-position: left;         "
        "background-origin: content;         padding-left: %3px;         padding-right: -%3px;         "
        "background-color: rgba(255, 255, 255, 0.2);         border-radius: 5px;     }         "
        "QToolButton:hover {         "
        "background-image: url(:/resources/images/layout-operationbar/icon_resume_pip_click%2.png);         "
        "color: #4381ff;     }");
    if (scale <= 1.0)
        return tmpl.arg(12).arg(QString()).arg(10);
    if (scale <= 1.5)
        return tmpl.arg(18).arg(QStringLiteral("_1.5x")).arg(15);
    return tmpl.arg(24).arg(QStringLiteral("_2x")).arg(20);
}

void CToolButton::updateDpi(double scale)
{
    setStyleSheet(styleSheetFor(scale));
}

} // namespace rj_app::custom_controls
