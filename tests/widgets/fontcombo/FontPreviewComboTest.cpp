// The font preview combo in a real window: the sorted list of the screen's
// fonts with their types, item heights, the TrueType mark, selected items,
// the styles with sample text, and the drop-down width.
#include <gtest/gtest.h>

#include <windows.h>

#include "WidgetTestSupport.h"
#include "widgets/fontcombo/FontPreviewCombo.h"

using widget_test::DibSurface;

namespace {

const UINT kId = 8001;
const COLORREF kInk = RGB(0x20, 0x20, 0x80); // the TrueType mark's colour
const COLORREF kWhite = RGB(255, 255, 255);

class FontComboTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Make(0, 0, 400, 400));
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE |
                                       CBS_HASSTRINGS | CBS_SORT,
                                   CRect(10, 10, 30, 300), &m_parent, kId)); // narrow: the drop-down width is its own
        m_combo.FillFontList();
        m_tahoma = m_combo.FindStringExact(-1, "Tahoma");
    }

    // Item index drawn into a 250 x 20 white surface with the given state
    // and font type.
    std::unique_ptr<DibSurface> DrawItem(int index, UINT state, DWORD fontType)
    {
        auto s = std::make_unique<DibSurface>(250, 20, kWhite);
        SetBkColor(s->Dc(), kWhite);
        SetTextColor(s->Dc(), RGB(0, 0, 0));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = kId;
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = m_combo.GetSafeHwnd();
        dis.hDC = s->Dc();
        dis.rcItem = RECT{0, 0, 250, 20};
        dis.itemData = fontType;
        m_combo.DrawItem(&dis);
        return s;
    }

    widget_test::RecordingParent m_parent;
    CFontPreviewCombo m_combo;
    int m_tahoma = -1;
};

} // namespace

TEST_F(FontComboTest, ListsEachOfTheScreensFacesOnceSortedWithItsType)
{
    ASSERT_LT(3, m_combo.GetCount());
    EXPECT_EQ(0, m_combo.GetCurSel());
    CString previous;
    m_combo.GetLBText(0, previous);
    for (int i = 1; i < m_combo.GetCount(); ++i) {
        CString name;
        m_combo.GetLBText(i, name);
        EXPECT_LT(lstrcmpiA(previous, name), 0) << previous << " before " << name << ", each face once";
        previous = name;
    }
    ASSERT_LE(0, m_tahoma);
    EXPECT_TRUE(m_combo.GetItemData(m_tahoma) & TRUETYPE_FONTTYPE);
}

TEST_F(FontComboTest, ItemsAreTwentyPixelsHighAtTheDefaultFontHeight)
{
    EXPECT_EQ(20, m_combo.SendMessage(CB_GETITEMHEIGHT, 0));
    EXPECT_EQ(20, m_combo.SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(m_combo.GetCount() - 1)));
}

TEST_F(FontComboTest, ATrueTypeFaceShowsTheMarkAndARasterFaceDoesNot)
{
    ASSERT_LE(0, m_tahoma);
    const RECT mark = {5, 4, 20, 19};
    auto trueType = DrawItem(m_tahoma, 0, TRUETYPE_FONTTYPE);
    EXPECT_LT(10, trueType->Count(mark, kInk));
    EXPECT_LT(10, trueType->Count(RECT{30, 0, 250, 20}, RGB(0, 0, 0))) << "the name, after the mark";
    auto raster = DrawItem(m_tahoma, 0, RASTER_FONTTYPE);
    EXPECT_EQ(0, raster->Count(mark, kInk));
    EXPECT_EQ(0, raster->Count(RECT{0, 0, 10, 20}, RGB(0, 0, 0))) << "the text starts 10 pixels in";
    EXPECT_LT(10, raster->Count(RECT{10, 0, 250, 20}, RGB(0, 0, 0)));
}

TEST_F(FontComboTest, ASelectedItemIsHighlighted)
{
    ASSERT_LE(0, m_tahoma);
    auto selected = DrawItem(m_tahoma, ODS_SELECTED, TRUETYPE_FONTTYPE);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), selected->At(240, 2));
    EXPECT_LT(10, selected->Count(RECT{30, 0, 250, 20}, GetSysColor(COLOR_HIGHLIGHTTEXT)));
}

TEST_F(FontComboTest, StylesWithSampleTextMeasureTheirColumnsAndTheDropDown)
{
    const int base = GetSystemMetrics(SM_CXVSCROLL) + 15;
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(kId, CBN_DROPDOWN), reinterpret_cast<LPARAM>(m_combo.GetSafeHwnd()));
    EXPECT_EQ(base, m_combo.GetDroppedWidth()) << "names are not measured in style 0";
    m_combo.SetPreviewStyle(CFontPreviewCombo::NAME_THEN_SAMPLE);
    m_combo.ResetContent();
    m_combo.FillFontList();
    EXPECT_LT(0, m_combo.GetWidestName());
    EXPECT_LT(0, m_combo.GetWidestSample());
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(kId, CBN_DROPDOWN), reinterpret_cast<LPARAM>(m_combo.GetSafeHwnd()));
    EXPECT_EQ(base + m_combo.GetWidestName() + m_combo.GetWidestSample() + 20, m_combo.GetDroppedWidth());
    m_combo.SetSampleColour(RGB(200, 0, 0));
    ASSERT_LE(0, m_combo.FindStringExact(-1, "Tahoma"));
    auto shot = DrawItem(m_combo.FindStringExact(-1, "Tahoma"), 0, TRUETYPE_FONTTYPE);
    const int sampleLeft = 15 + 10 + m_combo.GetWidestName() + 20;
    EXPECT_EQ(0, shot->Count(RECT{0, 0, sampleLeft, 20}, RGB(200, 0, 0))) << "the name column first";
    EXPECT_LT(10, shot->Count(RECT{sampleLeft, 0, 250, 20}, RGB(200, 0, 0))) << "then the sample in its colour";
}
