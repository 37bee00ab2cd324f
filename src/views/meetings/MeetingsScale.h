#pragma once

#include <QString>

// The scale rule of the meetings pages where code, not a style sheet, picks
// sizes and pictures: three sets (up to 1, below 2, from 2), lengths
// truncated to whole pixels.
namespace meetings {

// A scale of 0 or below counts as 1.
inline double normalScale(double scale)
{
    return scale > 0 ? scale : 1.0;
}

// 0, 1 or 2.
inline int sizeSet(double scale)
{
    if (scale <= 1)
        return 0;
    return scale < 2 ? 1 : 2;
}

// "", "-1.5x" or "-2x".
inline QString imageSuffix(double scale)
{
    static const char *const suffixes[] = {"", "-1.5x", "-2x"};
    return QLatin1String(suffixes[sizeSet(scale)]);
}

inline int scaled(int length, double scale)
{
    return static_cast<int>(length * scale);
}

} // namespace meetings
