#pragma once

// The fixed palette of screen drawing and the web whiteboard: pen and
// highlighter colours (picker swatches 1 to 8), their widths (size steps 1 to
// 4), the board backgrounds, the accent colour and the drawing folder name.
// Nothing here is configurable or stored.

#include <QColor>
#include <QString>

#include <array>

namespace rj_app::views {

enum class DrawMode { Pen, Highlighter };

inline constexpr int kSwatchCount = 8;
inline constexpr int kSizeStepCount = 4;

inline constexpr int kPenAlpha = 255;
inline constexpr int kHighlighterAlpha = 80;

// Swatch order; the names are the ones the swatch pictures carry
// (":/resources/images/ScreenDrawing/color_<name>_default.png").
inline const std::array<QColor, kSwatchCount> kPenColors{{
    QColor(0, 0, 0, kPenAlpha),       // black
    QColor(255, 255, 255, kPenAlpha), // white
    QColor(0, 0, 255, kPenAlpha),     // blue
    QColor(0, 249, 0, kPenAlpha),     // green
    QColor(255, 252, 0, kPenAlpha),   // yellow
    QColor(255, 133, 23, kPenAlpha),  // orange
    QColor(255, 0, 0, kPenAlpha),     // red
    QColor(255, 64, 255, kPenAlpha),  // purple
}};
inline constexpr std::array<const char *, kSwatchCount> kPenColorNames{
    {"black", "white", "blue", "green", "yellow", "orange", "red", "purple"}};

inline const std::array<QColor, kSwatchCount> kHighlighterColors{{
    QColor(255, 252, 0, kHighlighterAlpha),   // yellow
    QColor(0, 249, 0, kHighlighterAlpha),     // green
    QColor(0, 253, 255, kHighlighterAlpha),   // lake
    QColor(255, 64, 255, kHighlighterAlpha),  // purple
    QColor(255, 133, 23, kHighlighterAlpha),  // orange
    QColor(170, 228, 100, kHighlighterAlpha), // light-green
    QColor(169, 216, 255, kHighlighterAlpha), // light-blue
    QColor(255, 172, 213, kHighlighterAlpha), // pink
}};
inline constexpr std::array<const char *, kSwatchCount> kHighlighterColorNames{
    {"yellow", "green", "lake", "purple", "orange", "light-green", "light-blue", "pink"}};

// Widths in pixels of size steps 1 to 4.
inline constexpr std::array<int, kSizeStepCount> kPenSizes{{3, 6, 9, 12}};
inline constexpr std::array<int, kSizeStepCount> kHighlighterSizes{{4, 8, 12, 16}};

// Board backgrounds as the board pickers and the overlay keep them: red,
// green, blue and an alpha of 0 to 255. Qt's style sheets read rgb() with
// four numbers as opaque; the sheet writes them with styleSheetColor().
inline constexpr char kBoardBlack[] = "rgb(0,0,0,255)";
inline constexpr char kBoardWhite[] = "rgb(255,255,255,255)";
inline constexpr char kBoardTransparent[] = "rgb(255,255,255,0)";

// Marks the current choice: the swatch frame and the overlay's border.
inline const QColor kAccentColor{67, 129, 255};
inline constexpr char kAccentColorName[] = "#4381ff";
inline constexpr char kSelectedFrameStyle[] = "border:2px solid #4381ff;";

// The drawing folder beside the executable.
inline constexpr char kPaintDirName[] = "Paint";

// A board text, "rgb(r,g,b,a)" or "rgba(r,g,b,a)" with an alpha of 0 to 255;
// an invalid colour for anything else.
QColor boardColor(const QString &text);
// `color` as a style sheet colour that Qt reads back with the same alpha:
// its rgba() takes an alpha of 0 or 1 as a fraction of one.
QString styleSheetColor(const QColor &color);

// Swatch 1 to 8 of the mode's table; an invalid colour for any other number.
QColor paletteColor(DrawMode mode, int swatch);
// Width of size step 1 to 4 of the mode's table; 0 for any other step.
int paletteSize(DrawMode mode, int step);
// The swatch 1 to 8 whose colour equals `color`, alpha included, in the
// mode's table only; 0 when none does.
int swatchOfColor(DrawMode mode, const QColor &color);
// The size step 1 to 4 of `width` in the mode's table; 0 when it is not there.
int stepOfSize(DrawMode mode, int width);
// "#rrggbb" of a swatch, as the pickers' style sheets write it; empty for a
// number out of range.
QString swatchHex(DrawMode mode, int swatch);
// The swatch's picture name ("light-green"); empty for a number out of range.
QString swatchName(DrawMode mode, int swatch);

} // namespace rj_app::views
