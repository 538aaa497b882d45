// The program's header bar under Wine: its bands, line, icon, dots and
// texts, read back from the window's pixels.
#include <gtest/gtest.h>

#include <cstring>

#include "HeaderTestSupport.h"

using namespace drawing_test;

namespace {

const std::uint32_t kYellow = 0xFFFF00u;
const std::uint32_t kWhite = 0xFFFFFFu;

TEST(TXVHeader, BandsSplitAtHalfTheHeightLessFive)
{
    HeaderHost host(400, 48);
    auto s = host.Repaint();
    // Upper band 0..18 from 0x948680 to 0x5A4742, lower band 19..47 from
    // 0x423330 to 0x251919 (colours as 0x00BBGGRR).
    const int x = 380;
    EXPECT_EQ(s->At(x, 0), 0x808694u);
    EXPECT_LE(ColourDistance(s->At(x, 18), 0x42475Au), 6);
    EXPECT_EQ(s->At(x, 19), 0x303342u);
    EXPECT_LE(ColourDistance(s->At(x, 46), 0x191925u), 2);
    for (int y = 1; y < 19; ++y)
        EXPECT_LE(s->At(x, y) & 0xFF, s->At(x, y - 1) & 0xFF) << y;
    // The last row is the black line, edge to edge.
    EXPECT_EQ(s->Count(0x000000u, 0, 47, 400, 48), 400);
}

TEST(TXVHeader, OtherHeightsSplitAndPlaceTheIconByTheSameRule)
{
    for (int height : {40, 60, 49}) {
        HeaderHost host(300, height);
        auto s = host.Repaint();
        const int split = height / 2 - 5;
        EXPECT_EQ(s->At(290, split), 0x303342u) << height;
        EXPECT_NE(s->At(290, split - 1), 0x303342u) << height;
        // The icon's yellow rim sits at its top centre: y = height / 2 - 16 + 1.
        EXPECT_EQ(s->At(12 + 16, height / 2 - 16 + 1), 0xFFD200u) << height;
    }
}

TEST(TXVHeader, IconOfTheProgramAtTwelveAndEight)
{
    HeaderHost host(400, 48);
    auto s = host.Repaint();
    // TavrixHeader.ico: yellow rim at the top centre, red label right of
    // the centre, black hole in the middle; corners transparent.
    EXPECT_EQ(s->At(12 + 16, 8 + 1), 0xFFD200u);
    EXPECT_EQ(s->At(12 + 21, 8 + 16), 0xDC2828u);
    EXPECT_EQ(s->At(12 + 16, 8 + 16), 0x141414u);
    EXPECT_NE(s->At(12, 8), 0xFFD200u);
    EXPECT_EQ(s->Count(0xDC2828u, 0, 0, 12, 48) + s->Count(0xDC2828u, 44, 0, 400, 48), 0) << "nothing of the icon outside 12..43";
}

TEST(TXVHeader, FourDotsInAColumnAtFiftyTwo)
{
    HeaderHost host(400, 48);
    auto s = host.Repaint();
    for (int top : {10, 18, 26, 34}) {
        EXPECT_GT(s->Count(0x000000u, 52, top, 56, top + 4), 0) << top;
        EXPECT_EQ(s->Count(0x000000u, 52, top + 4, 56, top + 8 - 4 + 4) - s->Count(0x000000u, 52, top + 8, 56, top + 8), 0)
            << "no dot between " << top;
    }
    EXPECT_EQ(s->Count(0x000000u, 46, 0, 52, 47), 0);
    EXPECT_EQ(s->Count(0x000000u, 56, 0, 69, 47), 0);
    EXPECT_EQ(s->Count(0x000000u, 52, 38, 56, 47), 0);
}

TEST(TXVHeader, TitleInYellowAndCaptionInWhite)
{
    HeaderHost host(400, 48);
    host.m_header.SetCaption("Search the library");
    auto s = host.Repaint();
    EXPECT_GT(s->Count(kYellow, 70, 8, 400, 30), 40) << "the title";
    EXPECT_EQ(s->Count(kYellow, 0, 0, 70, 48), 0);
    EXPECT_EQ(s->Count(kYellow, 0, 0, 400, 8), 0);
    EXPECT_GT(s->Count(kWhite, 71, 24, 400, 47), 40) << "the caption";
    EXPECT_EQ(s->Count(kWhite, 60, 0, 400, 24), 0);
    EXPECT_EQ(s->Count(kWhite, 60, 0, 71, 48), 0);
}

TEST(TXVHeader, EmptyCaptionPaintsTheTitleOnly)
{
    HeaderHost host(400, 48);
    auto s = host.Repaint();
    EXPECT_GT(s->Count(kYellow, 70, 8, 400, 30), 40);
    EXPECT_EQ(s->Count(kWhite, 60, 0, 400, 48), 0);
}

TEST(TXVHeader, SettingTheCaptionDoesNotRepaint)
{
    HeaderHost host(400, 48);
    auto before = host.Repaint();
    host.m_header.SetCaption("Later");
    RECT update;
    EXPECT_FALSE(::GetUpdateRect(host.m_header.m_hWnd, &update, FALSE));
    EXPECT_STREQ(host.m_header.GetCaption(), "Later");
    auto same = host.Capture();
    EXPECT_EQ(same->Count(kWhite, 71, 24, 400, 47), 0);
    auto after = host.Repaint();
    EXPECT_GT(after->Count(kWhite, 71, 24, 400, 47), 10);
}

TEST(TXVHeader, PaintsOnlyTheUpdateRectangle)
{
    HeaderHost host(400, 48);
    host.m_header.SetCaption("Caption");
    host.Repaint();
    // Scribble over the whole control without invalidating it.
    HDC hDC = ::GetDC(host.m_header.m_hWnd);
    RECT all = {0, 0, 400, 48};
    HBRUSH magenta = ::CreateSolidBrush(RGB(255, 0, 255));
    ::FillRect(hDC, &all, magenta);
    ::DeleteObject(magenta);
    ::ReleaseDC(host.m_header.m_hWnd, hDC);

    RECT part = {200, 0, 300, 48};
    auto s = host.Repaint(&part);
    EXPECT_EQ(s->Count(0xFF00FFu, 200, 0, 300, 48), 0);
    EXPECT_EQ(s->Count(0xFF00FFu, 0, 0, 200, 48), 200 * 48);
    EXPECT_EQ(s->Count(0xFF00FFu, 300, 0, 400, 48), 100 * 48);
    EXPECT_EQ(s->At(250, 0), 0x808694u);
}

TEST(TXVHeader, RunTimeClassAndTitle)
{
    TXVHeader header;
    EXPECT_STREQ(header.GetRuntimeClass()->m_lpszClassName, "TXVHeader");
    EXPECT_STREQ(TXVHeader::GetTitle(), "TAVRIX PRO DJ");
    EXPECT_TRUE(header.GetCaption().IsEmpty());
}

} // namespace
