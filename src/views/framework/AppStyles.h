#pragma once

#include <QString>

// Style strings shared by several windows.
namespace rj_app::styles {

extern const QString RedButton;
extern const QString WhiteDialogFrame;
extern const QString DarkBackground;
extern const QString TitleLabel;
extern const QString MinimizeButton;
extern const QString MaximizeButton;
extern const QString RestoreButton;
extern const QString FullScreenButton;
extern const QString ExitFullScreenButton;
extern const QString AlertTextColor;
extern const QString NormalTextColor;

} // namespace rj_app::styles
