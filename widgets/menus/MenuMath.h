// The arithmetic of the owner-drawn menus: colour blends, the operating
// system class, the style a loader keeps, item and title sizes, the
// shadow's factors and the pictures of the image lists. Portable: no
// Windows header; a colour is a COLORREF's 0x00BBGGRR.
#pragma once

#include <cstdint>

namespace menu_math {

using Colour = uint32_t;

constexpr Colour kDefaultColour = 0xFF000000u; // CLR_DEFAULT: "use the default"
constexpr Colour kNoColour = 0xFFFFFFFFu;      // CLR_NONE

inline int Red(Colour c) { return static_cast<int>(c & 0xFF); }
inline int Green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int Blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }
inline Colour Rgb(int r, int g, int b)
{
    return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) |
           (static_cast<Colour>(b & 0xFF) << 16);
}

// a * b / c rounded to the nearest (halves away from zero), as MulDiv.
int MulDivRound(int a, int b, int c);

// Per channel: channel * (255 - amount) / 255.
Colour ScaleTowardBlack(int amount, Colour colour);
// Per channel: channel + (255 - channel) * amount / 255.
Colour ScaleTowardWhite(int amount, Colour colour);
// 86 % of a and 14 % of b (70 % and 30 %), each channel at most 255.
Colour Blend86(Colour a, Colour b);
Colour Blend70(Colour a, Colour b);
// (a * (255 - alpha) + b * alpha) / 256 per channel; b = kNoColour stays.
Colour AlphaMix(Colour a, Colour b, int alpha);

// The operating system class from GetVersion's answer and, where it is
// asked, GetVersionEx's major and minor numbers: 0 to 4 the Windows 95
// family (high bit of the version set), 1 and 5 to 7 the NT family.
int OsClass(bool windows95Family, int versionByte, int major, int minor);

// The style a drawing style number selects under a loader: under Wine the
// even numbers (own border) 0 to 10 become the next odd one.
unsigned StyleUnderLoader(unsigned style, bool wine);

// Drawing styles by their item measurer and painter.
enum class Painter { Classic, Flat, Shaded, Scheme };
// The painter of a style number; false for a number that is not a style.
bool PainterOfStyle(unsigned style, Painter& painter);

// An item's size.
struct Size
{
    int cx = 0;
    int cy = 0;
};

// A plain item's size for its painter: text is the measured display text
// (with "nnn" in place of a tab for the shaded, flat and scheme
// measurers), icon the image column's reserved size, cyMenu the system's
// menu height (SM_CYMENU), opensSubMenu an item with a sub-menu.
Size MeasurePlainItem(Painter painter, Size text, Size icon, int cyMenu, bool opensSubMenu);

// A title's size: text measured in the title font, image the image size
// (0 x 0 without an image), flags the title flags, cxMenuCheck the
// system's check width (0 under Wine).
Size MeasureTitle(Size text, Size image, unsigned flags, int cxMenuCheck);

// Title flag bits.
constexpr unsigned kTitleMark = 1;       // set on every title record
constexpr unsigned kTitleVertical = 2;
constexpr unsigned kTitleGradient = 4;
constexpr unsigned kTitleSunken = 8;
constexpr unsigned kTitleEtched = 16;
constexpr unsigned kTitleRounded = 32;
constexpr unsigned kTitleCentred = 64;

// The colour of band offset of d in a 2-pixel band gradient by hand.
Colour BandColour(Colour from, Colour to, int offset, int d);

// The own shadow's factor (out of 255) for a pixel d (1 outermost to 4)
// from the outer edge and k pixels into the ramp at an end (0: full
// shadow, 1 to 4 ramping): 255 - 30 d, or 255 - 6 d k within a ramp.
int ShadowFactor(int d, int k);
// A snapshot pixel darkened by a factor: each channel * f / 255.
Colour Darken(Colour pixel, int factor);

// The shaded picture of a pixel (toward black by 50) and the greyed
// picture with a tint colour: per channel (110 * grey + 145 * tint) / 256.
Colour ShadedPixel(Colour pixel);
Colour GreyedPixel(Colour pixel, Colour tint);

} // namespace menu_math
