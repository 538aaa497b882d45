// Menu items painted by each drawing style into DIB sections and read at
// pixels: backgrounds, selections, check marks, grayed text, separators
// and title bands.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "MenuTestSupport.h"
#include "tests/widgets/menus/MenuTestIds.h"
#include "widgets/menus/MenuMath.h"
#include "widgets/menus/MenuStyle.h"
#include "widgets/menus/MenuWindows.h"
#include "widgets/menus/NewMenu.h"

using namespace menu_test;
using namespace menu_math;
using widget_test::DibSurface;

namespace {

const int kW = 200, kH = 24;

class MenuDrawTest : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        ASSERT_TRUE(m_menu.LoadMenu(IDR_TEST_MENU));
        m_popup = m_menu.GetSubMenu(0);
        ASSERT_NE(nullptr, m_popup);
    }

    // The item at the position painted in the style with the state.
    std::unique_ptr<DibSurface> Paint(UINT style, int pos, UINT state, int height = kH)
    {
        CNewMenu::SetDrawStyle(style);
        auto s = std::make_unique<DibSurface>(kW, height, RGB(1, 2, 3));
        CNewMenuItemData* record = m_popup->GetRecord(pos);
        DRAWITEMSTRUCT dis = {ODT_MENU, 0, static_cast<UINT>(record->m_nID), ODA_DRAWENTIRE, state,
                              reinterpret_cast<HWND>(m_popup->GetSafeHmenu()), s->Dc(), {0, 0, kW, height},
                              reinterpret_cast<ULONG_PTR>(record)};
        m_popup->DrawItem(&dis);
        return s;
    }

    CNewMenu m_menu;
    CNewMenu* m_popup = nullptr;
};

COLORREF Sys(int index)
{
    return ::GetSysColor(index);
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(Red(a) - Red(b)) <= tolerance && std::abs(Green(a) - Green(b)) <= tolerance &&
           std::abs(Blue(a) - Blue(b)) <= tolerance;
}

const RECT kClassicBox = {3, 3, 21, 21};    // inside the sunken edge
const RECT kFlatColumn = {0, 0, 24, kH};
const RECT kText = {29, 0, 185, kH};

} // namespace

TEST_F(MenuDrawTest, ClassicPaintsMenuColourTheHighlightAndTheCheckGlyph)
{
    for (UINT style : {1u, 5u}) {
        auto plain = Paint(style, 1, 0);
        EXPECT_EQ(Sys(COLOR_MENU), plain->At(0, 0)) << style;
        EXPECT_EQ(Sys(COLOR_MENU), plain->At(kW - 1, kH - 1)) << style;
        EXPECT_GT(plain->Count(kText, Sys(COLOR_MENUTEXT)), 10) << "caption and shortcut " << style;
        EXPECT_EQ(0, plain->Count(kClassicBox, Sys(COLOR_MENUTEXT))) << "no mark on an unchecked item";

        auto checked = Paint(style, 3, ODS_CHECKED);
        EXPECT_GT(checked->Count(kClassicBox, Sys(COLOR_MENUTEXT)), 4) << "Marlett b";

        auto selected = Paint(style, 3, ODS_CHECKED | ODS_SELECTED);
        EXPECT_EQ(Sys(COLOR_MENU), selected->At(1, 1)) << "a checked item keeps its column";
        EXPECT_EQ(Sys(COLOR_HIGHLIGHT), selected->At(26, 1));
        EXPECT_EQ(Sys(COLOR_HIGHLIGHT), selected->At(kW - 1, kH - 1));
        EXPECT_GT(selected->Count(kText, Sys(COLOR_HIGHLIGHTTEXT)), 10);

        auto selectedPlain = Paint(style, 1, ODS_SELECTED);
        EXPECT_EQ(Sys(COLOR_HIGHLIGHT), selectedPlain->At(1, 1)) << "an unchecked one is highlighted whole";
    }
}

TEST_F(MenuDrawTest, GrayedTextPerStyleWhenSelected)
{
    const UINT grayed = ODS_GRAYED | ODS_DISABLED;
    // Classic: embossed when idle, menu colour on the highlight.
    auto idle = Paint(1, 4, grayed);
    EXPECT_GT(idle->Count(kText, Sys(COLOR_GRAYTEXT)), 5);
    EXPECT_GT(idle->Count(kText, Sys(COLOR_BTNHIGHLIGHT)), 5) << "the emboss";
    auto selected = Paint(1, 4, grayed | ODS_SELECTED);
    EXPECT_EQ(0, selected->Count(kText, Sys(COLOR_GRAYTEXT)));
    EXPECT_GT(selected->Count(kText, Sys(COLOR_MENU)), 5);
    // Flat and scheme: gray text on the selection.
    for (UINT style : {3u, 9u, 11u}) {
        auto s = Paint(style, 4, grayed | ODS_SELECTED);
        EXPECT_GT(s->Count(kText, Sys(COLOR_GRAYTEXT)), 5) << style;
    }
    // Shaded: the base colour on the highlight gradient.
    auto shaded = Paint(7, 4, grayed | ODS_SELECTED);
    const COLORREF base = MenuFlatMenusOn() ? Sys(COLOR_MENUBAR) : Sys(COLOR_MENU);
    EXPECT_GT(shaded->Count(kText, base), 5);
}

TEST_F(MenuDrawTest, ShadedItemsAreGradientsWithASunkenSelection)
{
    const COLORREF base = MenuFlatMenusOn() ? Sys(COLOR_MENUBAR) : Sys(COLOR_MENU);
    auto plain = Paint(7, 1, 0);
    EXPECT_EQ(ScaleTowardWhite(30, base), plain->At(100, 0));
    EXPECT_TRUE(Near(ScaleTowardBlack(30, base), plain->At(100, kH - 1), 4)) << std::hex << plain->At(100, kH - 1);
    auto selected = Paint(7, 1, ODS_SELECTED);
    const COLORREF h = Sys(COLOR_HIGHLIGHT);
    EXPECT_EQ(ScaleTowardBlack(60, base), selected->At(100, 0)) << "dark top edge";
    EXPECT_EQ(ScaleTowardBlack(60, base), selected->At(0, 10)) << "dark left edge";
    EXPECT_EQ(ScaleTowardWhite(60, base), selected->At(100, kH - 1)) << "light bottom edge";
    EXPECT_TRUE(Near(ScaleTowardWhite(30, h), selected->At(100, 1), 12)) << std::hex << selected->At(100, 1);
    auto separator = Paint(7, 2, 0, 8);
    EXPECT_EQ(ScaleTowardWhite(60, base), separator->At(100, 5)) << "separator in the light colour";
    EXPECT_EQ(ScaleTowardWhite(60, base), separator->At(0, 0)) << "the etched line is 1 pixel in";
    EXPECT_NE(ScaleTowardWhite(60, base), separator->At(100, 0));
}

TEST_F(MenuDrawTest, FlatColumnAreaSelectionAndCheckBox)
{
    const COLORREF menu = MenuBackgroundColor(m_popup->GetSafeHmenu());
    const COLORREF window = Sys(COLOR_WINDOW);
    COLORREF area = Blend86(window, menu), column = Blend86(menu, window);
    if (area == column) {
        area = window;
        column = menu;
    }
    auto plain = Paint(3, 1, 0);
    EXPECT_EQ(column, plain->At(2, 12));
    EXPECT_EQ(column, plain->At(23, 12));
    EXPECT_EQ(area, plain->At(24, 12));
    EXPECT_EQ(area, plain->At(kW - 1, 0));

    auto selected = Paint(3, 3, ODS_SELECTED | ODS_CHECKED);
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), selected->At(100, 0)) << "framed by the selection pen";
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), selected->At(0, 12));
    EXPECT_EQ(SelectionFillColor(), selected->At(100, 12));
    EXPECT_EQ(Blend86(SelectionFillColor(), Sys(COLOR_HIGHLIGHT)), selected->At(3, 3)) << "the check box";
    EXPECT_GT(selected->Count(RECT{1, 1, 22, 23}, Sys(COLOR_MENUTEXT)), 4) << "the glyph";

    auto inactive = Paint(3, 1, ODS_SELECTED | ODS_INACTIVE);
    EXPECT_EQ(area, inactive->At(100, 12)) << "no selection on an inactive menu";

    auto separator = Paint(3, 2, 0, 9);
    EXPECT_EQ(Sys(COLOR_GRAYTEXT), separator->At(100, 4)) << "a line across the middle";
    EXPECT_EQ(Sys(COLOR_GRAYTEXT), separator->At(kW - 1, 4));
    EXPECT_NE(Sys(COLOR_GRAYTEXT), separator->At(27, 4)) << "starting at the text's left edge";
    EXPECT_EQ(Sys(COLOR_GRAYTEXT), separator->At(28, 4));
}

TEST_F(MenuDrawTest, SchemeColumnShadesIntoTheSchemeColour)
{
    auto plain = Paint(11, 1, 0);
    const COLORREF window10 = ScaleTowardBlack(10, Sys(COLOR_WINDOW));
    COLORREF area = Blend86(window10, MenuFlatMenusOn() ? Sys(COLOR_MENUBAR) : Sys(COLOR_MENU));
    EXPECT_EQ(area, plain->At(0, 12)) << "the column starts in the area colour";
    EXPECT_EQ(area, plain->At(100, 12));
    EXPECT_NE(plain->At(0, 12), plain->At(22, 12)) << "and shades toward the scheme colour";

    auto selected = Paint(11, 3, ODS_SELECTED | ODS_CHECKED);
    EXPECT_EQ(0xC2EEFFu, selected->At(100, 12)) << "the selection of styles 10 and 11";
    EXPECT_EQ(0x3E80FEu, selected->At(3, 3)) << "the selected check box";
    auto checked = Paint(11, 3, ODS_CHECKED);
    EXPECT_EQ(0x6FC0FFu, checked->At(3, 3));
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), checked->At(1, 1)) << "the box frame";
}

TEST_F(MenuDrawTest, TitleBandsAcrossTheTopAndDownTheSide)
{
    ASSERT_TRUE(m_popup->SetMenuTitle("Deck A", 64, -1));
    ASSERT_TRUE(m_popup->SetTitleColors(0xffffff, 0xffffff, 0xd54600));
    for (UINT style : {1u, 3u, 7u, 9u}) {
        auto band = Paint(style, 0, 0, 20);
        EXPECT_EQ(0xd54600u, band->At(0, 0)) << style;
        EXPECT_EQ(0xd54600u, band->At(kW - 1, 19)) << style;
        const int white = band->Count(RECT{0, 0, kW, 20}, 0xffffff);
        EXPECT_GT(white, 20) << "the white text " << style;
        EXPECT_EQ(0, band->Count(RECT{0, 0, kW / 2 - 40, 20}, 0xffffff)) << "centred";
    }
    // Down the side: the band spans the whole height of the surface.
    ASSERT_TRUE(m_popup->SetMenuTitle("Deck A", 66, -1));
    CNewMenu::SetDrawStyle(7);
    DibSurface s(60, 200, RGB(1, 2, 3));
    CNewMenuItemData* record = m_popup->GetRecord(0);
    DRAWITEMSTRUCT dis = {ODT_MENU, 0, 0, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(m_popup->GetSafeHmenu()),
                          s.Dc(), {0, 0, 20, 20}, reinterpret_cast<ULONG_PTR>(record)};
    m_popup->DrawItem(&dis);
    EXPECT_EQ(0xd54600u, s.At(1, 0));
    EXPECT_EQ(0xd54600u, s.At(1, 199));
    EXPECT_GT(s.Count(RECT{0, 0, 20 + ::GetSystemMetrics(SM_CXMENUCHECK), 200}, 0xffffff), 20) << "the turned text";
    EXPECT_EQ(RGB(1, 2, 3), s.At(59, 100)) << "only the band";
}

TEST_F(MenuDrawTest, AGradientTitleShadesFromTheBandToTheSecondColour)
{
    ASSERT_TRUE(m_popup->SetMenuTitle("", 64 | kTitleGradient, -1));
    ASSERT_TRUE(m_popup->SetTitleColors(0xffffff, 0xffffff, 0xd54600));
    auto band = Paint(7, 0, 0, 20);
    EXPECT_EQ(0xd54600u, band->At(0, 10));
    EXPECT_TRUE(Near(0xffffff, band->At(kW - 1, 10), 6)) << std::hex << band->At(kW - 1, 10);
    EXPECT_TRUE(Near(BandColour(0xd54600, 0xffffff, 100, kW), band->At(100, 10), 4));
}

TEST_F(MenuDrawTest, HighContrastShadedItemsAreSolid)
{
    const BOOL old = MenuLibrary().SetHighContrastForTest(TRUE);
    auto selected = Paint(7, 1, ODS_SELECTED);
    auto plain = Paint(7, 1, 0);
    MenuLibrary().SetHighContrastForTest(old);
    const COLORREF base = MenuFlatMenusOn() ? Sys(COLOR_MENUBAR) : Sys(COLOR_MENU);
    EXPECT_EQ(base, plain->At(100, 0));
    EXPECT_EQ(base, plain->At(100, kH - 1));
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), selected->At(100, 5));
    EXPECT_EQ(Sys(COLOR_BTNTEXT), selected->At(100, 0)) << "frame in the button text colour";
}
