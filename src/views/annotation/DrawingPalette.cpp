#include "views/annotation/DrawingPalette.h"

#include <QRegularExpression>

namespace rj_app::views {

namespace {

const std::array<QColor, kSwatchCount> &colorsOf(DrawMode mode)
{
    return mode == DrawMode::Highlighter ? kHighlighterColors : kPenColors;
}

const std::array<int, kSizeStepCount> &sizesOf(DrawMode mode)
{
    return mode == DrawMode::Highlighter ? kHighlighterSizes : kPenSizes;
}

bool isSwatch(int swatch)
{
    return swatch >= 1 && swatch <= kSwatchCount;
}

} // namespace

QColor paletteColor(DrawMode mode, int swatch)
{
    return isSwatch(swatch) ? colorsOf(mode)[static_cast<size_t>(swatch - 1)] : QColor();
}

int paletteSize(DrawMode mode, int step)
{
    if (step < 1 || step > kSizeStepCount)
        return 0;
    return sizesOf(mode)[static_cast<size_t>(step - 1)];
}

int swatchOfColor(DrawMode mode, const QColor &color)
{
    if (!color.isValid())
        return 0;
    // Compare the 8-bit values, not the QColor objects: a colour that reached
    // the caller through another colour spec is still the same swatch.
    const QRgb wanted = color.rgba();
    const auto &colors = colorsOf(mode);
    for (size_t i = 0; i < colors.size(); ++i) {
        if (colors[i].rgba() == wanted)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

int stepOfSize(DrawMode mode, int width)
{
    const auto &sizes = sizesOf(mode);
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i] == width)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

QString swatchHex(DrawMode mode, int swatch)
{
    return isSwatch(swatch) ? paletteColor(mode, swatch).name(QColor::HexRgb) : QString();
}

QString swatchName(DrawMode mode, int swatch)
{
    if (!isSwatch(swatch))
        return QString();
    const auto &names = mode == DrawMode::Highlighter ? kHighlighterColorNames : kPenColorNames;
    return QLatin1String(names[static_cast<size_t>(swatch - 1)]);
}

QColor boardColor(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*rgba?\\(\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*\\)\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return {};
    int parts[4];
    for (int i = 0; i < 4; ++i) {
        parts[i] = m.captured(i + 1).toInt();
        if (parts[i] > 255)
            return {};
    }
    return QColor(parts[0], parts[1], parts[2], parts[3]);
}

QString styleSheetColor(const QColor &color)
{
    // A fraction that Qt turns back into the same whole alpha, whether it
    // truncates or rounds.
    const QString alpha = color.alpha() == 1 ? QStringLiteral("0.005") : QString::number(color.alpha());
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(color.red()).arg(color.green()).arg(color.blue()).arg(alpha);
}

} // namespace rj_app::views
