// The drawing resources' colours and font sizes, read back from the GDI
// objects themselves.
#include "skin/drawing/DrawResources.h"

#include "tests/support/TestSupport.h"

#include <windows.h>

namespace {

COLORREF BrushColour(const CBrush& brush)
{
    LOGBRUSH lb = {};
    EXPECT_EQ(static_cast<int>(sizeof lb), ::GetObjectA(brush.m_hObject, sizeof lb, &lb));
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), lb.lbStyle);
    return lb.lbColor;
}

TEST(DrawResources, PenAndBrushes)
{
    DrawResources r;
    LOGPEN lp = {};
    ASSERT_EQ(static_cast<int>(sizeof lp), ::GetObjectA(r.m_penBlue.m_hObject, sizeof lp, &lp));
    EXPECT_EQ(static_cast<UINT>(PS_SOLID), lp.lopnStyle);
    EXPECT_EQ(1, lp.lopnWidth.x);
    EXPECT_EQ(RGB(0x00, 0x46, 0xD5), lp.lopnColor);

    const struct { const CBrush* brush; COLORREF colour; const char* name; } brushes[] = {
        {&r.m_brBlack, RGB(0x00, 0x00, 0x00), "black"},      {&r.m_brWhite, RGB(0xFF, 0xFF, 0xFF), "white"},
        {&r.m_brCyan, RGB(0x00, 0xFF, 0xFF), "cyan"},        {&r.m_brNavy, RGB(0x16, 0x3C, 0x65), "navy"},
        {&r.m_brRed, RGB(0xFF, 0x00, 0x00), "red"},          {&r.m_brLightBlue, RGB(0x80, 0x80, 0xFF), "light blue"},
        {&r.m_brSilver, RGB(0xC0, 0xC0, 0xC0), "silver"},    {&r.m_brBlue, RGB(0x00, 0x00, 0xFF), "blue"},
        {&r.m_brGreen, RGB(0x00, 0xC0, 0x00), "green"},      {&r.m_brOrange, RGB(0xC5, 0x8F, 0x0F), "orange"},
        {&r.m_brYellow, RGB(0xFF, 0xFF, 0x00), "yellow"},    {&r.m_brDarkGrey, RGB(0x24, 0x24, 0x24), "dark grey"},
        {&r.m_brMediumBlue, RGB(0x00, 0x46, 0xD5), "medium blue"}, {&r.m_brPaleBlue, RGB(0xC0, 0xC0, 0xFF), "pale blue"},
        {&r.m_brLightGrey, RGB(0xEE, 0xEE, 0xEE), "light grey"}, {&r.m_brIceBlue, RGB(0xDF, 0xEA, 0xF5), "ice blue"},
    };
    for (const auto& b : brushes)
        EXPECT_EQ(b.colour, BrushColour(*b.brush)) << b.name;
}

TEST(DrawResources, FontsArePointFontsOfTheirFaces)
{
    DrawResources r;
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    const struct { const CFont* font; int tenths; const char* face; } fonts[] = {
        {&r.m_fntArial6, 60, "Arial"},          {&r.m_fntArial7, 70, "Arial"},
        {&r.m_fntArial8, 80, "Arial"},          {&r.m_fntArialBold8, 80, "Arial Bold"},
        {&r.m_fntArial9, 90, "Arial"},          {&r.m_fntArialBold9, 90, "Arial Bold"},
        {&r.m_fntArial10, 100, "Arial"},        {&r.m_fntArialBold10, 100, "Arial Bold"},
        {&r.m_fntArial11, 110, "Arial"},        {&r.m_fntArial12, 120, "Arial"},
        {&r.m_fntArial13, 130, "Arial"},        {&r.m_fntArial14, 140, "Arial"},
        {&r.m_fntArial15, 150, "Arial"},        {&r.m_fntArialBold16, 160, "Arial Bold"},
        {&r.m_fntArialBold20, 200, "Arial Bold"}, {&r.m_fntMSSans7, 70, "MS Sans Serif"},
        {&r.m_fntMicrosoftSans8, 80, "Microsoft Sans Serif"}, {&r.m_fntMSSansBold8, 80, "MS Sans Serif Bold"},
        {&r.m_fntMSSans9, 90, "MS Sans Serif"}, {&r.m_fntMSSansBold9, 90, "MS Sans Serif Bold"},
        {&r.m_fntMSSans10, 100, "MS Sans Serif"}, {&r.m_fntMSSansBold10, 100, "MS Sans Serif Bold"},
        {&r.m_fntMSSans11, 110, "MS Sans Serif"}, {&r.m_fntMSSans12, 120, "MS Sans Serif"},
    };
    for (const auto& f : fonts) {
        LOGFONTA lf = {};
        ASSERT_EQ(static_cast<int>(sizeof lf), ::GetObjectA(f.font->m_hObject, sizeof lf, &lf)) << f.face;
        EXPECT_STREQ(f.face, lf.lfFaceName);
        // A point font: its height in whole pixels at the screen's
        // resolution (the framework's point fonts drop the fraction).
        EXPECT_EQ(-(dpi * f.tenths / 720), lf.lfHeight) << f.face << " " << f.tenths;
        EXPECT_EQ(0, lf.lfWeight) << f.face;   // the bold faces name no weight
    }
}

} // namespace
