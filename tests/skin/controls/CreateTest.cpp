// Each of the skin's control creators on a hidden parent: the window's
// style, id, place, range and position, the bars' patterns, the meter
// displays a value selects, the edit's cue banner, and the panes' seams.
#include <gtest/gtest.h>

#include "SkinTestHost.h"
#include "skin/create/SkinPaneSeams.h"
#include "skin/dialogs/TXVEditCtrl.h"
#include "skin/fields/TXVSplitter.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/fields/TXVTextField.h"
#include "skin/file/Skin.h"
#include "tests/support/TestSupport.h"
#include "widgets/progress/GradientProgressCtrl.h"
#include "widgets/slider/BitmapSlider.h"

using widget_test::DibSurface;

namespace {

SkinItem Item(const char* action, int id, int visible = 1)
{
    SkinItem item;
    item.action = action;
    item.id = id;
    item.left = 20;
    item.top = 30;
    item.right = 120;
    item.bottom = 50;
    item.visible = visible;
    item.font = "Arial";
    item.fsize = 90;
    return item;
}

DWORD Style(CWnd& wnd)
{
    return static_cast<DWORD>(::GetWindowLongA(wnd.m_hWnd, GWL_STYLE));
}

DWORD ExStyle(CWnd& wnd)
{
    return static_cast<DWORD>(::GetWindowLongA(wnd.m_hWnd, GWL_EXSTYLE));
}

// The window's rectangle in its parent's client coordinates.
RECT Placed(CWnd& wnd)
{
    RECT r;
    ::GetWindowRect(wnd.m_hWnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(wnd.m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::unique_ptr<DibSurface> Draw(CWnd& wnd)
{
    return skin_test::DrawClient(wnd.m_hWnd);
}

class CreateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_skin.SetFolder(CString(m_dir.Path().c_str()) + "\\");
    }

    tavrix_test::TempDir m_dir;
    skin_test::TestHost m_host;
    Skin m_skin;
};

// The edit with the style its window was asked for.
class RecordingEdit : public TXVEditCtrl
{
public:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override
    {
        requested = static_cast<DWORD>(cs.style);
        return TXVEditCtrl::PreCreateWindow(cs);
    }
    DWORD requested = 0;
};

class FakeJukePane : public SkinJukePane
{
public:
    BOOL CreatePane(DWORD style, const RECT& rect, CWnd* parent, UINT id) override
    {
        calls.push_back("create " + std::to_string(style) + " " + std::to_string(rect.left) + " " +
                        std::to_string(static_cast<int>(id)) + (parent ? " parent" : ""));
        return TRUE;
    }
    void SetSlotNumber(int slot) override { calls.push_back("slot " + std::to_string(slot)); }
    void SetColors(const CString& t, const CString& b) override { calls.push_back("colors " + std::string(t) + " " + std::string(b)); }
    void SetFont(const CString& f, int s) override { calls.push_back("font " + std::string(f) + " " + std::to_string(s)); }
    void ShowBorder(bool show) override { calls.push_back(show ? "border on" : "border off"); }
    void SetBorderColor(COLORREF c) override { calls.push_back("border colour " + std::to_string(c)); }
    std::vector<std::string> calls;
};

class FakeAlbumArt : public SkinAlbumArt
{
public:
    BOOL CreateView(DWORD style, const RECT&, CWnd*, UINT) override
    {
        calls.push_back("create " + std::to_string(style));
        return TRUE;
    }
    HWND GetViewWindow() const override { return nullptr; }
    void SetHasArt(bool has) override { calls.push_back(has ? "has art" : "no art"); }
    void GrabBackground() override { calls.push_back("grab"); }
    void SetDefaultImage(const CString& i) override { calls.push_back("default " + std::string(i)); }
    void SetArtFileName(const CString& n) override { calls.push_back("name " + std::string(n)); }
    void ShowTrackArt(const CString& p) override { calls.push_back("show [" + std::string(p) + "]"); }
    void SetBorder(bool b) override { calls.push_back(b ? "border" : "no border"); }
    std::vector<std::string> calls;
};

} // namespace

TEST_F(CreateTest, FieldsTakeStyleIdPlaceAndAlignment)
{
    const struct { int visible; int align; DWORD style; int expectAlign; } cases[] = {
        {1, 1, 0x50000000, 1}, {1, 2, 0x50000000, 2}, {1, 3, 0x50000000, 0}, {0, 1, 0x40000000, 1}};
    for (const auto& c : cases) {
        SkinItem item = Item("s-tracklist", -5101, c.visible);
        item.align = c.align;
        item.value = "Tracks";
        item.time = 0;
        TXVStatusField status;
        m_skin.CreateStatusField(item, status);
        EXPECT_EQ(c.style, Style(status) & 0xFFFF0000u);
        EXPECT_EQ(-5101, ::GetDlgCtrlID(status.m_hWnd));
        EXPECT_EQ(&m_host.window, status.GetParent());
        const RECT r = Placed(status);
        EXPECT_EQ(20, r.left);
        EXPECT_EQ(50, r.bottom);
        EXPECT_EQ(c.expectAlign, status.GetAlign());
        EXPECT_FALSE(status.GetTimeFlag());
        EXPECT_EQ(CString("Tracks"), status.GetDefaultText());
        EXPECT_EQ(CString("Tracks"), status.GetText());
    }
    SkinItem item = Item("a-title", -1001);
    item.time = 5;
    TXVStatusField timed;
    m_skin.CreateStatusField(item, timed);
    EXPECT_TRUE(timed.GetTimeFlag());
}

TEST_F(CreateTest, EditBoxesTakeTheirStyleModeFontAndCueBanner)
{
    const struct { const char* action; int visible; int border; DWORD style; int mode; } cases[] = {
        {"editsearch", 1, 1, 0x50810080, 1},
        {"editsearchlist", 1, 0, 0x50010080, 1},
        {"editfilter", 1, 2, 0x50810080, 2},
        {"editfilter", 0, 1, 0x40000000, 2},
    };
    for (const auto& c : cases) {
        SkinItem item = Item(c.action, -5301, c.visible);
        item.border = c.border;
        item.value = "Search library";
        RecordingEdit edit;
        m_skin.CreateEditBox(item, edit);
        // The style asked for (the edit control keeps WS_BORDER to itself).
        EXPECT_EQ(c.style, edit.requested) << c.action;
        EXPECT_EQ(c.style & ~WS_BORDER, Style(edit) & 0xFFFF00FFu & ~WS_BORDER) << c.action;
        EXPECT_EQ(c.mode, edit.GetEditMode()) << c.action;
        EXPECT_EQ(reinterpret_cast<LRESULT>(edit.GetFontHandle()), ::SendMessageA(edit.m_hWnd, WM_GETFONT, 0, 0));
        wchar_t cue[64] = {};
        if (::SendMessageW(edit.m_hWnd, 0x1502 /* EM_GETCUEBANNER */, reinterpret_cast<WPARAM>(cue), 64))
            EXPECT_STREQ(L"Search library", cue);
        else
            ADD_FAILURE() << "the edit holds no cue banner";
    }
}

TEST_F(CreateTest, SlidersTakeTheirRangeAndPositionAndHiddenOnesNothing)
{
    ASSERT_TRUE(widget_test::WriteBmp(m_dir.File("thumb.bmp"), 10, 6, [](int, int) { return RGB(200, 200, 200); }));
    const struct { const char* action; const char* orient; BOOL vertical; int minimum, maximum, position; } cases[] = {
        {"sldxfader", "horz", FALSE, -100, 100, 0},
        {"a-sldgain", "horz", FALSE, 0, 100, 50},
        {"a-sldeqmid", "", TRUE, -50, 50, 0},
        {"c-sldeqmid", "", TRUE, -50, 50, 0},
        {"sld-vd-volume", "", TRUE, 0, 5000, 50},
    };
    for (const auto& c : cases) {
        SkinItem item = Item(c.action, -101);
        item.orient = c.orient;
        item.image = "thumb.bmp";
        CBitmapSlider slider;
        CBitmap background;
        m_skin.CreateSlider(item, slider, background);
        EXPECT_EQ(0x50000100u, Style(slider) & 0xFFFF0FFFu) << c.action;
        EXPECT_EQ(c.vertical, slider.m_bVertical) << c.action;
        EXPECT_EQ(c.minimum, slider.GetRangeMin()) << c.action;
        EXPECT_EQ(c.maximum, slider.GetRangeMax()) << c.action;
        EXPECT_EQ(c.position, slider.GetPos()) << c.action;
        // The channel is the skin under the slider.
        auto s = Draw(slider);
        EXPECT_EQ(skin_test::SkinPixel(20 + 95, 30 + 1), s->At(95, 1)) << c.action;
    }
    SkinItem hiddenItem = Item("a-sldpitch", -103, 0);
    hiddenItem.image = "thumb.bmp";
    CBitmapSlider hidden;
    CBitmap background;
    m_skin.CreateSlider(hiddenItem, hidden, background);
    EXPECT_FALSE(::IsWindowEnabled(hidden.m_hWnd));
    EXPECT_EQ(0x40000000u | WS_DISABLED, Style(hidden) & 0xFFFF0000u);
    EXPECT_EQ(nullptr, background.m_hObject) << "no background taken";
}

TEST_F(CreateTest, ProgressBarsTakeStylesAndPatterns)
{
    const struct
    {
        const char* value;
        const char* orient;
        int reverse, border;
        COLORREF a, b;   // the pattern's colours in the bar (b: 0 when shades)
    } cases[] = {
        {"h2", "", 0, 0, RGB(0, 255, 0), RGB(0, 0, 0)},
        {"H1", "VERT", 1, 1, RGB(255, 255, 255), RGB(0, 0, 0)},
        {"H3", "", 0, 1, RGB(0x33, 0x99, 0xCC), RGB(0, 0, 0)},
    };
    size_t kept = m_skin.GetKeptObjectCount();
    for (const auto& c : cases) {
        SkinItem item = Item("a-progress", -1401);
        item.value = c.value;
        item.orient = c.orient;
        item.reverse = c.reverse;
        item.border = c.border;
        item.bkcolor = "101010";
        item.pcolor1 = "FF0000";
        item.pcolor2 = "FF0000";
        item.pcolor3 = "FF0000";
        CGradientProgressCtrl bar;
        m_skin.CreateProgressBar(item, bar);
        EXPECT_EQ(++kept, m_skin.GetKeptObjectCount()) << "the skin keeps the brush";
        EXPECT_EQ(0, bar.CGradientProgress::GetPos());
        EXPECT_EQ(c.orient[0] != 0, (bar.GetStyle() & kGradientVertical) != 0) << c.value;
        EXPECT_EQ(c.reverse != 0, (bar.GetStyle() & kGradientReversed) != 0) << c.value;
        EXPECT_EQ(c.border != 0, (ExStyle(bar) & WS_EX_STATICEDGE) != 0) << c.value;
        bar.SetPos(100);
        auto s = Draw(bar);
        const RECT all{0, 0, s->Width(), s->Height()};
        const int pattern = s->Count(all, c.a) + s->Count(all, c.b);
        EXPECT_EQ(s->Width() * s->Height(), pattern) << c.value;
        EXPECT_GT(s->Count(all, c.a), 0) << c.value;
        EXPECT_EQ(0, s->Count(all, RGB(255, 0, 0))) << "the pattern, not the gradient";
    }
    // Shades, and a value without a pattern: the gradient.
    SkinItem item = Item("d-progress", -1404);
    item.pcolor1 = item.pcolor2 = item.pcolor3 = "FF0000";
    item.value = "H7";
    CGradientProgressCtrl blue;
    m_skin.CreateProgressBar(item, blue);
    blue.SetPos(100);
    auto shades = Draw(blue);
    EXPECT_GT(GetBValue(shades->At(10, 3)), GetRValue(shades->At(10, 3)));
    EXPECT_NE(shades->At(10, 0), shades->At(10, 3));
    EXPECT_EQ(shades->At(10, 3), shades->At(18, 11)) << "8 x 8 repeats";
    item.value = "X1";
    CGradientProgressCtrl plain;
    m_skin.CreateProgressBar(item, plain);
    plain.SetPos(100);
    auto gradient = Draw(plain);
    EXPECT_EQ(gradient->Width() * gradient->Height(), gradient->Count(RECT{0, 0, 100, 20}, RGB(255, 0, 0)));
}

TEST_F(CreateTest, MeterValuesSelectTheBarTheImageMeterOrTheNeedle)
{
    ASSERT_TRUE(widget_test::WriteBmp(m_dir.File("off.bmp"), 100, 20, [](int, int) { return RGB(30, 30, 30); }));
    ASSERT_TRUE(widget_test::WriteBmp(m_dir.File("on.bmp"), 100, 20, [](int, int) { return RGB(0, 200, 0); }));
    auto meterItem = [](const char* action, const char* value) {
        SkinItem item = Item(action, -1501);
        item.value = value;
        item.image = "off.bmp";
        item.imageon = "on.bmp";
        item.pcolor1 = "FF0000";
        return item;
    };
    // "VU" on deck A's left meter: the image meter 18000, the bar hidden.
    CGradientProgressCtrl aLeft;
    m_skin.CreateLevelMeter(meterItem("a-leftmtr", "VU"), aLeft);
    EXPECT_FALSE(::IsWindowVisible(aLeft.m_hWnd) || (Style(aLeft) & WS_VISIBLE));
    TXVVUMeter& image = m_host.meters.imageMeters[0];
    ASSERT_NE(nullptr, image.m_hWnd);
    EXPECT_EQ(18000, ::GetDlgCtrlID(image.m_hWnd));
    EXPECT_EQ(0x5000000Eu, Style(image) & 0xFFFF00FFu);
    char text[32] = {};
    ::GetWindowTextA(image.m_hWnd, text, sizeof text);
    EXPECT_STREQ("a-leftmtr", text);
    EXPECT_TRUE(image.IsVertical()) << "orient is not applied to it";
    EXPECT_TRUE(m_host.meters.deckUsesImageMeters[0]);
    EXPECT_EQ(100 * 20, Draw(image)->Count(RECT{0, 0, 100, 20}, RGB(30, 30, 30))) << "level 0";
    // "vu" on deck D's right meter: 18007, no deck flag.
    CGradientProgressCtrl dRight;
    m_skin.CreateLevelMeter(meterItem("d-rightmtr", "vu"), dRight);
    EXPECT_EQ(18007, ::GetDlgCtrlID(m_host.meters.imageMeters[7].m_hWnd));
    EXPECT_FALSE(m_host.meters.deckUsesImageMeters[3]);

    // "AN" on deck B's left meter: the needle meter, shown at the item.
    CGradientProgressCtrl bLeft;
    m_skin.CreateLevelMeter(meterItem("b-leftmtr", "AN"), bLeft);
    CNeedleMeterCtrl& needle = m_host.meters.needleMeters[2];
    ASSERT_NE(nullptr, needle.m_hWnd);
    EXPECT_TRUE(Style(needle) & WS_VISIBLE);
    EXPECT_EQ(30, Placed(needle).top);
    EXPECT_EQ(RGB(255, 0, 0), needle.GetNeedleColor());
    EXPECT_EQ(100.0, needle.GetMaximum());
    EXPECT_TRUE(m_host.meters.deckUsesNeedleMeters[1]);
    EXPECT_FALSE(Style(bLeft) & WS_VISIBLE);

    // "AN" on deck C: neither display.
    CGradientProgressCtrl cLeft;
    m_skin.CreateLevelMeter(meterItem("c-leftmtr", "AN"), cLeft);
    EXPECT_FALSE(Style(cLeft) & WS_VISIBLE);
    EXPECT_EQ(nullptr, m_host.meters.imageMeters[4].m_hWnd);
    EXPECT_FALSE(m_host.meters.deckUsesNeedleMeters[2]);

    // "V2": the bar with black and silver lines on black.
    CGradientProgressCtrl cpu;
    m_skin.CreateLevelMeter(meterItem("cpuusage", "V2"), cpu);
    EXPECT_TRUE(Style(cpu) & WS_VISIBLE);
    EXPECT_EQ(RGB(0, 0, 0), cpu.GetBkColour());
    cpu.SetPos(100);
    auto lines = Draw(cpu);
    EXPECT_EQ(100 * 10, lines->Count(RECT{0, 0, 100, 20}, RGB(0xC0, 0xC0, 0xC0)));
}

TEST_F(CreateTest, LightsSpectrumAndTextFieldsTakeTheirItems)
{
    SkinItem item = Item("jukespectrum", -5401);
    item.bkcolor = "000010";
    item.txcolor = "00FF00";
    TXVSpectrumCtrl spectrum;
    m_skin.CreateSpectrum(item, spectrum);
    EXPECT_EQ(RGB(0, 0, 0x10), m_host.meters.spectrumBack);
    EXPECT_EQ(RGB(0, 255, 0), m_host.meters.spectrumFore);
    EXPECT_EQ(0u, ExStyle(spectrum) & WS_EX_STATICEDGE);

    SkinItem field = Item("a-title", -1001);
    field.value = "No track";
    TXVTextField text;
    m_skin.CreateTextField(field, text);
    EXPECT_EQ(CString("No track"), text.GetText());
    EXPECT_EQ(CString("textfield"), text.GetKindName());
    EXPECT_TRUE(text.IsTextEnabled());
}

TEST_F(CreateTest, PanesOfOtherPartsAreDrivenThroughTheirSeams)
{
    SkinItem item = Item("j3", -5003);
    item.txcolor = "FFFFFF";
    item.bkcolor = "000000";
    item.border = 1;
    item.bdcolor = "0000FF";
    FakeJukePane pane;
    m_skin.CreateJukePane(item, pane, 3);
    EXPECT_EQ(std::vector<std::string>({"create 1342177280 20 -5003 parent", "slot 3", "colors FFFFFF 000000",
                                        "font Arial 90", "border on", "border colour 16711680"}),
              pane.calls);

    SkinItem art = Item("arta", -2001, 0);
    art.value = "cover.jpg";
    FakeAlbumArt view;
    m_skin.CreateAlbumArt(art, view);
    EXPECT_EQ(std::vector<std::string>({"create 1073741824", "no art", "grab", "default ", "name cover.jpg",
                                        "show []", "no border"}),
              view.calls);
}
