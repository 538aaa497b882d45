// The colour picker and its popup in real windows: the colour shown, the
// popup's opening entry, moves and keys, accepting, cancelling, the system
// colour dialog behind "More Colors...", placement near the bottom of the
// screen, and a popup that cannot be created.
#include <gtest/gtest.h>

#include <windows.h>

#include "WidgetTestSupport.h"
#include "framework/ui/Prompts.h"
#include "tests/support/TestSupport.h"
#include "widgets/colourpicker/ColourPicker.h"

using widget_test::Received;
using widget_test::WindowShot;

namespace {

const UINT kId = 6001;
const COLORREF kOrange = 0x2068FF;

// Answers the colour dialog and counts how often it was asked.
class ColourAnswerer : public CPromptAnswerer
{
public:
    int MessageBox(HWND, const char*, const char*, UINT) override { return IDOK; }
    BOOL ChooseColor(CHOOSECOLORA& cc) override
    {
        ++asked;
        flags = cc.Flags;
        if (!accept)
            return FALSE;
        cc.rgbResult = RGB(1, 2, 3);
        return TRUE;
    }
    int asked = 0;
    DWORD flags = 0;
    bool accept = true;
};

class ColourPickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Make(100, 100, 300, 200));
        ASSERT_TRUE(m_picker.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 30), &m_parent, kId));
    }
    void TearDown() override { AfxSetPromptAnswerer(nullptr); }

    CColourGridPopup* Open(COLORREF colour)
    {
        m_picker.SetColour(colour);
        m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(kId, BN_CLICKED), reinterpret_cast<LPARAM>(m_picker.GetSafeHwnd()));
        return m_picker.GetPopup();
    }

    // The picker's notifications to the parent, in order (message, colour).
    std::vector<std::pair<UINT, COLORREF>> Notes() const
    {
        std::vector<std::pair<UINT, COLORREF>> out;
        for (const Received& r : m_parent.received)
            if (r.message >= CPN_SELCHANGE && r.message <= CPN_SELENDCANCEL && r.lParam == kId)
                out.emplace_back(r.message, static_cast<COLORREF>(r.wParam));
        return out;
    }

    static POINT Centre(const ColourGridBox& box)
    {
        return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    static void MoveTo(CColourGridPopup* popup, POINT p)
    {
        popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }

    widget_test::RecordingParent m_parent;
    CColourPicker m_picker;
};

} // namespace

TEST_F(ColourPickerTest, ThePickerSizesItselfAndShowsItsColour)
{
    CRect client;
    m_picker.GetClientRect(&client);
    EXPECT_EQ(m_picker.GetArrowRect().bottom + GetSystemMetrics(SM_CYEDGE), client.Height());
    EXPECT_EQ(100, client.Width());
    m_picker.SetColour(RGB(0, 128, 0));
    EXPECT_EQ(RGB(0, 128, 0), WindowShot(m_picker.GetSafeHwnd()).At(20, client.Height() / 2));
    m_picker.SetColour(CLR_AUTOMATIC);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), WindowShot(m_picker.GetSafeHwnd()).At(20, client.Height() / 2));
}

TEST_F(ColourPickerTest, OpeningMarksTheCellOfTheColour)
{
    CColourGridPopup* popup = Open(kOrange);
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(m_picker.IsPopupActive());
    EXPECT_EQ(9, popup->GetInitial());
    EXPECT_EQ(kColourGridNone, popup->GetCurrent());
    ASSERT_EQ(1u, Notes().size());
    EXPECT_EQ(CPN_DROPDOWN, Notes()[0].first);
    EXPECT_EQ(kOrange, Notes()[0].second);
    CRect window, picker;
    popup->GetWindowRect(&window);
    m_picker.GetWindowRect(&picker);
    EXPECT_EQ(picker.left, window.left);
    EXPECT_EQ(picker.bottom, window.top);
    const WindowShot shot(popup->GetSafeHwnd());
    const ColourGridBox cell9 = ColourGridCellBox(popup->GetLayout(), 9);
    const ColourGridBox cell10 = ColourGridCellBox(popup->GetLayout(), 10);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), shot.At(cell9.left + 2, cell9.top + 2)) << "initial: highlighted";
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), shot.At(cell10.left + 2, cell10.top + 2));
    EXPECT_EQ(kOrange, shot.At(Centre(cell9).x, Centre(cell9).y));
    popup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
}

TEST_F(ColourPickerTest, AColourOutsideTheTableOpensOnMoreColors)
{
    CColourGridPopup* popup = Open(RGB(1, 2, 3));
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(kColourGridCustom, popup->GetInitial());
    popup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
}

TEST_F(ColourPickerTest, AcceptingAutomaticStoresItAndTheBoxShowsTheButtonFace)
{
    CColourGridPopup* popup = Open(kOrange);
    ASSERT_NE(nullptr, popup);
    m_parent.Clear();
    MoveTo(popup, Centre(popup->GetLayout().defaultBox));
    ASSERT_EQ(1u, Notes().size());
    EXPECT_EQ(CPN_SELCHANGE, Notes()[0].first);
    EXPECT_EQ(CLR_AUTOMATIC, Notes()[0].second);
    popup->SendMessage(WM_KEYDOWN, VK_RETURN);
    const std::vector<std::pair<UINT, COLORREF>> expected = {{CPN_SELCHANGE, CLR_AUTOMATIC},
                                                            {CPN_CLOSEUP, CLR_AUTOMATIC},
                                                            {CPN_SELENDOK, CLR_AUTOMATIC},
                                                            {CPN_SELCHANGE, CLR_AUTOMATIC}};
    EXPECT_EQ(expected, Notes()) << "a different colour: closed, accepted, changed";
    EXPECT_EQ(CLR_AUTOMATIC, m_picker.GetColour());
    EXPECT_FALSE(m_picker.IsPopupActive());
    EXPECT_EQ(nullptr, m_picker.GetPopup());
    CRect client;
    m_picker.GetClientRect(&client);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), WindowShot(m_picker.GetSafeHwnd()).At(20, client.Height() / 2));
}

TEST_F(ColourPickerTest, AcceptingTheSameColourSendsNoChangeAfterwards)
{
    CColourGridPopup* popup = Open(kOrange);
    ASSERT_NE(nullptr, popup);
    popup->SendMessage(WM_KEYDOWN, VK_RIGHT); // no current cell: after the last, More Colors
    popup->SendMessage(WM_KEYDOWN, VK_UP);    // the last cell
    EXPECT_EQ(39, popup->GetCurrent());
    MoveTo(popup, Centre(ColourGridCellBox(popup->GetLayout(), 9)));
    EXPECT_EQ(9, popup->GetCurrent());
    m_parent.Clear();
    popup->SendMessage(WM_KEYDOWN, VK_SPACE);
    const std::vector<std::pair<UINT, COLORREF>> expected = {{CPN_CLOSEUP, kOrange}, {CPN_SELENDOK, kOrange}};
    EXPECT_EQ(expected, Notes());
}

TEST_F(ColourPickerTest, EscapeCancelsWithTheOpeningColour)
{
    CColourGridPopup* popup = Open(kOrange);
    ASSERT_NE(nullptr, popup);
    MoveTo(popup, Centre(ColourGridCellBox(popup->GetLayout(), 16)));
    m_parent.Clear();
    popup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    const std::vector<std::pair<UINT, COLORREF>> expected = {{CPN_CLOSEUP, kOrange}, {CPN_SELENDCANCEL, kOrange}};
    EXPECT_EQ(expected, Notes());
    EXPECT_EQ(kOrange, m_picker.GetColour());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(ColourPickerTest, AButtonUpOutsideThePopupCancelsAndInsideAccepts)
{
    CColourGridPopup* popup = Open(kOrange);
    ASSERT_NE(nullptr, popup);
    CRect window;
    popup->GetWindowRect(&window);
    ASSERT_TRUE(SetCursorPos(window.right + 40, window.bottom + 40));
    popup->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(window.Width() + 40, window.Height() + 40));
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return m_picker.GetPopup() == nullptr; }, 2000));
    EXPECT_EQ(CPN_SELENDCANCEL, Notes().back().first);

    popup = Open(kOrange);
    ASSERT_NE(nullptr, popup);
    const POINT cell = Centre(ColourGridCellBox(popup->GetLayout(), 16));
    MoveTo(popup, cell);
    POINT screen = cell;
    ClientToScreen(popup->GetSafeHwnd(), &screen);
    ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
    popup->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return m_picker.GetPopup() == nullptr; }, 2000));
    EXPECT_EQ(CPN_SELCHANGE, Notes().back().first);
    EXPECT_EQ(RGB(255, 0, 0), m_picker.GetColour()) << "cell 16 is red";
}

TEST_F(ColourPickerTest, MoreColorsOpensTheColourDialogOnlyWhenAccepted)
{
    ColourAnswerer answerer;
    AfxSetPromptAnswerer(&answerer);
    CColourGridPopup* popup = Open(kOrange);
    ASSERT_NE(nullptr, popup);
    MoveTo(popup, Centre(popup->GetLayout().customBox));
    EXPECT_EQ(kColourGridCustom, popup->GetCurrent());
    EXPECT_EQ(kOrange, Notes().back().second) << "More Colors reports the opening colour";
    popup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(0, answerer.asked) << "Escape cancels without the dialog";

    popup = Open(kOrange);
    MoveTo(popup, Centre(popup->GetLayout().customBox));
    popup->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(1, answerer.asked);
    EXPECT_EQ(static_cast<DWORD>(CC_FULLOPEN | CC_ANYCOLOR), answerer.flags & 0x102u);
    EXPECT_EQ(RGB(1, 2, 3), m_picker.GetColour());
    EXPECT_EQ(CPN_SELCHANGE, Notes().back().first);

    answerer.accept = false;
    popup = Open(kOrange);
    MoveTo(popup, Centre(popup->GetLayout().customBox));
    popup->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(2, answerer.asked);
    EXPECT_EQ(CPN_SELENDCANCEL, Notes().back().first) << "a cancelled dialog cancels the choice";
    EXPECT_EQ(kOrange, m_picker.GetColour());
}

TEST_F(ColourPickerTest, NearTheBottomOfTheScreenThePopupOpensAbove)
{
    m_parent.MoveWindow(100, GetSystemMetrics(SM_CYSCREEN) - 60, 300, 50);
    CColourGridPopup* popup = Open(kOrange);
    ASSERT_NE(nullptr, popup);
    CRect window, picker;
    popup->GetWindowRect(&window);
    m_picker.GetWindowRect(&picker);
    EXPECT_EQ(picker.top, window.bottom);
    popup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
}

namespace {

HHOOK g_refuseHook = nullptr;

LRESULT CALLBACK RefusePopup(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char name[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name));
        if (lstrcmpA(name, "TavrixColourPopup") == 0)
            return 1;
    }
    return CallNextHookEx(g_refuseHook, code, wParam, lParam);
}

} // namespace

TEST_F(ColourPickerTest, APopupThatCannotBeCreatedLeavesThePickerClosed)
{
    g_refuseHook = SetWindowsHookExA(WH_CBT, RefusePopup, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, g_refuseHook);
    CColourGridPopup* popup = Open(kOrange);
    UnhookWindowsHookEx(g_refuseHook);
    EXPECT_EQ(nullptr, popup);
    EXPECT_FALSE(m_picker.IsPopupActive());
    EXPECT_TRUE(Notes().empty()) << "no popup, no messages";
    EXPECT_EQ(kOrange, m_picker.GetColour());
    // The next click opens it as usual.
    popup = Open(kOrange);
    ASSERT_NE(nullptr, popup);
    popup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
}
