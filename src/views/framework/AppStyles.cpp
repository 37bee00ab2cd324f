#include "views/framework/AppStyles.h"

namespace rj_app::styles {

namespace {
QString imageButton(const char *name)
{
    const QString base = QStringLiteral(":/resources/images/title-bar/icon_player_") + QLatin1String(name);
    return QStringLiteral("QPushButton{background: url(%1default.png) 0px 0px no-repeat; border: none;}"
                          "QPushButton:hover{background: url(%1hover.png);}"
                          "QPushButton:pressed{background: url(%1click.png);}")
        .arg(base);
}
} // namespace

const QString RedButton = QStringLiteral(
    "QPushButton{background-color: #f64f35; color: #FFFFFF; border: none; border-radius: 3px;}"
    "QPushButton:hover{background-color: #f98878; color: #FFFFFF;}"
    "QPushButton:pressed{background-color: #f98878; color: rgba(255, 255, 255, 0.3);}");
const QString WhiteDialogFrame = QStringLiteral("QDialog{background-color: #ffffff; border: 1px solid #555555}");
const QString DarkBackground = QStringLiteral("QWidget{background-color:#1c1e20;}");
const QString TitleLabel = QStringLiteral("QLabel{color: #ffffff; font-size: 20px;}");
const QString MinimizeButton = imageButton("minimize_");
const QString MaximizeButton = imageButton("maximize_");
const QString RestoreButton = imageButton("restore_");
const QString FullScreenButton = imageButton("fullscreen_");
const QString ExitFullScreenButton = imageButton("exit_fullscreen_");
const QString AlertTextColor = QStringLiteral("color: #FF4747;");
const QString NormalTextColor = QStringLiteral("color: #fff;");

} // namespace rj_app::styles
