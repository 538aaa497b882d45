#include "skin/thumblist/ThumbMath.h"

namespace thumb_math {

int IconSpacing(int width)
{
    if (width <= 0)
        return 1;
    const int columns = width / kColumnWidth;
    return columns < 1 ? width : width / columns;
}

Bands ThumbBands(int height, bool selected)
{
    Bands bands;
    if (height <= 0)
        return bands;
    bands.top = selected ? height / 9 : height / 4;
    bands.bottom = selected ? height / 9 : height / 8;
    return bands;
}

Rect FitThumb(int pictureWidth, int pictureHeight, int width, int height, bool selected)
{
    Rect fit;
    const Bands bands = ThumbBands(height, selected);
    const int box = height - bands.top - bands.bottom;
    if (pictureWidth <= 0 || pictureHeight <= 0 || width <= 0 || box <= 0)
        return fit;
    // 64-bit products: the proportions compare exactly whatever the sizes.
    const long long pw = static_cast<long long>(pictureWidth) + 10;
    const long long ph = pictureHeight;
    if (pw * 100 / ph <= static_cast<long long>(width) * 100 / box) {
        fit.height = box;
        fit.width = static_cast<int>(pw * box / ph);
    } else {
        fit.width = width;
        fit.height = static_cast<int>(ph * width / pw);
    }
    // Whole-number ratios can round a side one pixel past the box.
    fit.width = fit.width > width ? width : fit.width;
    fit.height = fit.height > box ? box : fit.height;
    fit.x = (width - fit.width) / 2;
    fit.y = bands.top + (box - fit.height) / 2;
    return fit;
}

int ReflectionHeight(int pictureHeight, bool selected)
{
    return pictureHeight > 0 ? pictureHeight * (selected ? 15 : 25) / 100 : 0;
}

int ReflectionAlpha(int row, int reflectionHeight)
{
    if (reflectionHeight <= 0 || row < 0 || row >= reflectionHeight)
        return 0;
    return 255 * (reflectionHeight - row) / reflectionHeight;
}

TextLines SplitThumbText(const std::string& text)
{
    TextLines lines;
    const std::string::size_type brk = text.find_first_of("\r\n");
    if (brk == std::string::npos || brk == 0) {
        lines.first = text;
        return lines;
    }
    lines.first = text.substr(0, brk);
    std::string::size_type rest = brk + 1;
    if (text[brk] == '\r' && rest < text.size() && text[rest] == '\n')
        ++rest;
    lines.second = text.substr(rest);
    lines.twoLines = true;
    return lines;
}

} // namespace thumb_math
