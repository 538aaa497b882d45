// The thumbnail list's arithmetic: the icon spacing of its columns, the
// place of a picture in its icon rectangle, the reflection under it and
// the split of an item's text into two lines. Portable (built natively too).
#pragma once

#include <string>

namespace thumb_math {

// The nominal width of a thumbnail column.
const int kColumnWidth = 140;

// Horizontal icon spacing so that whole columns of about 140 pixels fill
// the width: width / (width / 140). A list narrower than one column gets
// one column of its whole width (at least 1 pixel).
int IconSpacing(int width);

struct Rect
{
    int x = 0, y = 0, width = 0, height = 0;
};

// Bands above and below the picture's box in a w x h icon rectangle:
// selected h/9 and h/9, else h/4 and h/8.
struct Bands
{
    int top = 0;
    int bottom = 0;
};
Bands ThumbBands(int height, bool selected);

// The picture of pw x ph fitted into the box (w x (h - bands)) keeping the
// proportion (pw + 10) : ph, centred horizontally in w and vertically in
// the box. Empty (0 x 0) when the picture or the box has no size.
Rect FitThumb(int pictureWidth, int pictureHeight, int width, int height, bool selected);

// Height of the reflection under a picture of that height: 15 % selected,
// 25 % otherwise.
int ReflectionHeight(int pictureHeight, bool selected);
// Alpha of the reflection's row k (0 at the top): 255 x (rh - k) / rh.
int ReflectionAlpha(int row, int reflectionHeight);

// The two lines of a thumbnail's text: split at the first line break when
// it comes after the first character; otherwise the whole text is one line.
struct TextLines
{
    std::string first;
    std::string second;
    bool twoLines = false;
};
TextLines SplitThumbText(const std::string& text);

} // namespace thumb_math
