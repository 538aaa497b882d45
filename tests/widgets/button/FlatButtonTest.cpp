// The flat button in a real window: its images at rest and under the
// pointer, the skin background under it, captions and decorations, clicks
// and double clicks forwarded to the parent, auto-repeat, tooltips, and
// images that cannot be used.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "WidgetTestSupport.h"
#include "widgets/button/FlatButton.h"

using widget_test::Received;
using widget_test::WindowShot;

namespace {

const COLORREF kImage = RGB(200, 100, 255);
const COLORREF kDark = RGB(176, 88, 224);
const COLORREF kKey = RGB(255, 0, 255);
const UINT kId = 5001;

COLORREF ImagePixel(int x, int y)
{
    return x < 4 && y < 4 ? kKey : kImage;
}

class FlatButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A place of this program's own on the shared desktop.
        const int offset = static_cast<int>(GetCurrentProcessId() % 200);
        ASSERT_TRUE(m_parent.Make(100 + offset, 100 + offset, 400, 300));
    }
    void TearDown() override
    {
        m_button.DestroyWindow();
        CFlatButton::SetSkinDC(nullptr);
    }

    // The pointer at a point of the button: the system's cursor goes there
    // too, so that the mouse moves the system makes up agree.
    static void PointAt(CWnd& button, int x, int y)
    {
        widget_test::PutCursorAt(button.GetSafeHwnd(), x, y);
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }

    void Make(DWORD type = BS_PUSHBUTTON, const char* caption = "")
    {
        ASSERT_TRUE(m_button.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, CRect(10, 10, 74, 42),
                                    &m_parent, kId));
        EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), m_button.GetStyle() & 0x1F);
    }

    void Hover() { PointAt(m_button, 20, 10); }
    void Press(UINT message = WM_LBUTTONDOWN) { m_button.SendMessage(message, MK_LBUTTON, MAKELPARAM(20, 10)); }
    void Release() { m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 10)); }

    std::vector<Received> Commands()
    {
        widget_test::PumpFor(20);
        std::vector<Received> out;
        for (const Received& r : m_parent.Of(WM_COMMAND))
            if (LOWORD(r.wParam) == kId)
                out.push_back(r);
        return out;
    }

    widget_test::RecordingParent m_parent;
    CFlatButton m_button;
};

} // namespace

TEST_F(FlatButtonTest, AKindOneButtonRestsDarkenedAndLightsUpUnderThePointer)
{
    Make();
    ASSERT_EQ(0, m_button.SetBitmaps(widget_test::MakeBitmap(64, 32, ImagePixel), kKey, FLATBUTTON_DARKEN_FIRST, 0));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    {
        const WindowShot rest(m_button.GetSafeHwnd());
        EXPECT_EQ(kDark, rest.At(30, 20));
        EXPECT_EQ(face, rest.At(1, 1)) << "key-coloured pixels stay transparent";
    }
    Hover();
    EXPECT_TRUE(m_button.IsHovered());
    {
        const WindowShot hovered(m_button.GetSafeHwnd());
        EXPECT_EQ(kImage, hovered.At(30, 20));
        EXPECT_EQ(face, hovered.At(1, 1));
    }
    m_button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(m_button.IsHovered());
    EXPECT_EQ(kDark, WindowShot(m_button.GetSafeHwnd()).At(30, 20));
}

TEST_F(FlatButtonTest, WithOnlyAFirstImageThatImageShowsInEveryState)
{
    Make();
    ASSERT_EQ(0, m_button.SetBitmaps(widget_test::MakeBitmap(64, 32, ImagePixel), kKey));
    EXPECT_EQ(kImage, WindowShot(m_button.GetSafeHwnd()).At(30, 20));
    Hover();
    EXPECT_EQ(kImage, WindowShot(m_button.GetSafeHwnd()).At(30, 20));
    Press();
    const WindowShot pressed(m_button.GetSafeHwnd());
    EXPECT_EQ(kImage, pressed.At(30, 20));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pressed.At(0, 5)) << "pressed moves the image one pixel right and down";
    Release();
}

TEST_F(FlatButtonTest, ImagesThatCannotBeReadLeaveTheButtonWithoutPictures)
{
    Make();
    HBITMAP gone = widget_test::MakeBitmap(8, 8, ImagePixel);
    DeleteObject(gone);
    EXPECT_EQ(1, m_button.SetBitmaps(gone, kKey));
    EXPECT_EQ(nullptr, m_button.GetImage(0));
    EXPECT_EQ(0, m_button.SetBitmaps(nullptr, 0)) << "no pictures at all";
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), WindowShot(m_button.GetSafeHwnd()).At(30, 20));
}

TEST_F(FlatButtonTest, TheSkinBackgroundUnderTheButtonIsItsFace)
{
    widget_test::DibSurface skin(400, 300);
    for (int y = 0; y < 300; y += 1)
        for (int x = 0; x < 400; x += 1)
            SetPixel(skin.Dc(), x, y, RGB(x % 256, y % 256, 77));
    CDC skinDC;
    skinDC.Attach(skin.Dc());
    CFlatButton::SetSkinDC(&skinDC);
    Make();
    m_button.SetSkinBackground(TRUE);
    ASSERT_EQ(0, m_button.SetBitmaps(widget_test::MakeBitmap(64, 32, ImagePixel), kKey));
    const WindowShot shot(m_button.GetSafeHwnd());
    EXPECT_EQ(RGB(10, 10, 77), shot.At(0, 0)) << "the skin at the button's place in the parent shows through";
    EXPECT_EQ(RGB(13, 12, 77), shot.At(3, 2));
    EXPECT_EQ(kImage, shot.At(30, 20));
    CFlatButton::SetSkinDC(nullptr);
    skinDC.Detach();
}

TEST_F(FlatButtonTest, HoverDecorationsShowOnlyUnderThePointer)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const struct
    {
        const char* name;
        std::function<void(CFlatButton&)> set;
        POINT at;
        std::function<bool(COLORREF)> hovered;
    } cases[] = {
        {"round frame", [](CFlatButton& b) { b.SetHoverRoundFrame(TRUE); }, {0, 16},
         [](COLORREF c) { return c == RGB(0x80, 0x80, 0xFF); }},
        {"top bar", [](CFlatButton& b) { b.SetHoverTopBar(TRUE); }, {32, 2},
         [](COLORREF c) { return c == RGB(0, 255, 0); }},
        {"edge", [](CFlatButton& b) { b.SetHoverEdge(TRUE); }, {0, 16}, [&](COLORREF c) { return c != face; }},
        {"red glass", [](CFlatButton& b) { b.SetHoverRedGlass(TRUE); }, {32, 28},
         [](COLORREF c) { return GetRValue(c) > 240 && GetGValue(c) < 140; }},
        {"blue glass", [](CFlatButton& b) { b.SetHoverBlueGlass(TRUE); }, {32, 28},
         [](COLORREF c) { return GetBValue(c) > GetRValue(c) && GetRValue(c) > 160; }},
        {"orange glass", [](CFlatButton& b) { b.SetHoverOrangeGlass(TRUE); }, {32, 2},
         [](COLORREF c) { return GetRValue(c) > 240 && GetBValue(c) > 200; }},
    };
    for (const auto& c : cases) {
        CFlatButton button; // a fresh button for each decoration
        ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 74, 42), &m_parent, kId));
        c.set(button);
        EXPECT_EQ(face, WindowShot(button.GetSafeHwnd()).At(c.at.x, c.at.y)) << c.name << " at rest";
        PointAt(button, 20, 10);
        const COLORREF got = WindowShot(button.GetSafeHwnd()).At(c.at.x, c.at.y);
        EXPECT_TRUE(c.hovered(got)) << c.name << std::hex << " got " << got;
    }
}

TEST_F(FlatButtonTest, CaptionsTakeTheirColourAndGlassMakesThemBlack)
{
    Make(BS_PUSHBUTTON, "GO");
    m_button.SetPointFont("Tahoma", 180);
    const RECT all = {0, 0, 64, 32};
    m_button.SetTextColorHex("FF0000");
    EXPECT_LT(10, WindowShot(m_button.GetSafeHwnd()).Count(all, RGB(255, 0, 0)));
    m_button.SetTextColorHex("");
    {
        const WindowShot black(m_button.GetSafeHwnd());
        EXPECT_EQ(0, black.Count(all, RGB(255, 0, 0)));
        EXPECT_LT(10, black.Count(all, RGB(0, 0, 0)));
    }
    m_button.SetTextColorHex("FF0000");
    m_button.SetHoverOrangeGlass(TRUE);
    Hover();
    const WindowShot glass(m_button.GetSafeHwnd());
    EXPECT_EQ(0, glass.Count(all, RGB(255, 0, 0))) << "a glass button's caption is black while hovered";
    EXPECT_LT(10, glass.Count(all, RGB(0, 0, 0)));
}

TEST_F(FlatButtonTest, ClicksReachTheParentWithThePressesInScreenCoordinates)
{
    Make();
    Hover();
    Press();
    Release();
    widget_test::PumpFor(20);
    const auto downs = m_parent.Of(WM_LBUTTONDOWN);
    const auto ups = m_parent.Of(WM_LBUTTONUP);
    ASSERT_EQ(1u, downs.size());
    ASSERT_EQ(1u, ups.size());
    POINT expected = {20, 10};
    ClientToScreen(m_button.GetSafeHwnd(), &expected);
    EXPECT_EQ(MAKELPARAM(expected.x, expected.y), downs[0].lParam);
    const auto commands = Commands();
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(static_cast<UINT>(BN_CLICKED), commands[0].notifyCode);
    // A fast second click arrives as a double click and counts as a click.
    Press();
    Release();
    Press(WM_LBUTTONDBLCLK);
    Release();
    EXPECT_EQ(3u, Commands().size());
}

TEST_F(FlatButtonTest, AHeldAutoRepeatButtonRepeatsAndSendsNothingAtRelease)
{
    Make();
    m_button.SetAutoRepeat(TRUE);
    Hover();
    const DWORD down = GetTickCount();
    Press();
    widget_test::PumpFor(1000);
    const auto held = Commands();
    Release();
    ASSERT_LE(3u, held.size()) << "a first command at 300 ms and then about one every 100 ms";
    EXPECT_GE(8u, held.size());
    EXPECT_LE(280u, held[0].tick - down) << "not before 300 ms";
    EXPECT_EQ(held.size(), Commands().size()) << "nothing at release";
    EXPECT_EQ(0u, m_parent.Of(WM_LBUTTONDOWN).size()) << "auto-repeat presses are not forwarded";
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(FlatButtonTest, AShortAutoRepeatClickSendsOneCommandAtRelease)
{
    Make();
    m_button.SetAutoRepeat(TRUE);
    Hover();
    Press();
    widget_test::PumpFor(150);
    EXPECT_TRUE(Commands().empty());
    Release();
    EXPECT_EQ(1u, Commands().size());
}

TEST_F(FlatButtonTest, ReleasingOffTheButtonSendsNothingAndKeepsNoCapture)
{
    Make();
    m_button.SetAutoRepeat(TRUE);
    Hover();
    Press();
    widget_test::PutCursorAt(m_button.GetSafeHwnd(), -5, 100);
    m_button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-5), 100));
    EXPECT_FALSE(m_button.IsHovered());
    m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-5), 100));
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(FlatButtonTest, TheTooltipHasOneToolWhoseTextCanChange)
{
    Make();
    m_button.SetTooltipText(nullptr);
    EXPECT_EQ(nullptr, m_button.GetToolTip().GetSafeHwnd()) << "a null text does nothing";
    m_button.SetTooltipText("Cue A");
    ASSERT_NE(nullptr, m_button.GetToolTip().GetSafeHwnd());
    m_button.SetTooltipText("Cue A: intro");
    EXPECT_EQ(1, m_button.GetToolTip().GetToolCount());
    CString text;
    m_button.GetToolTip().GetText(text, &m_button, 1);
    EXPECT_STREQ("Cue A: intro", text);
}

TEST_F(FlatButtonTest, TheDefaultButtonStyleIsKeptForTheDialogManager)
{
    Make(BS_DEFPUSHBUTTON);
    EXPECT_TRUE(m_button.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    m_button.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_TRUE(m_button.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), m_button.GetStyle() & 0x1F);
    EXPECT_EQ(0, m_button.SendMessage(BM_GETCHECK));
}

TEST(BlitBitmap, CopiesOrStretchesAtTheDestination)
{
    widget_test::DibSurface target(40, 40, RGB(255, 255, 255));
    CBitmap bitmap;
    bitmap.Attach(widget_test::MakeBitmap(10, 10, [](int x, int) { return x < 5 ? RGB(255, 0, 0) : RGB(0, 0, 255); }));
    BlitBitmap(target.Cdc(), RECT{0, 0, 10, 10}, &bitmap);
    EXPECT_EQ(RGB(255, 0, 0), target.At(4, 4));
    EXPECT_EQ(RGB(0, 0, 255), target.At(5, 4));
    BlitBitmap(target.Cdc(), RECT{20, 20, 40, 40}, &bitmap, TRUE);
    EXPECT_EQ(RGB(255, 0, 0), target.At(29, 30)) << "stretched twice as wide";
    EXPECT_EQ(RGB(0, 0, 255), target.At(30, 30));
    BlitBitmap(target.Cdc(), RECT{0, 20, 10, 30}, &bitmap, FALSE, TRUE);
    EXPECT_EQ(RGB(255, 0, 0), target.At(2, 22)) << "and-mode over white keeps the picture";
}
