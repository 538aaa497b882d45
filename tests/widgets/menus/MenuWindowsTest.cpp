// The popup windows of the owner-drawn menus: the hook takes over a popup
// showing a CNewMenu and gives it back on every path (closing, the menu
// destroyed while shown, the hook removed, a thread ending), and an
// own-border style changes the popup's border and size.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <thread>

#include "MenuTestSupport.h"
#include "tests/widgets/menus/MenuTestIds.h"
#include "widgets/menus/MenuMath.h"
#include "widgets/menus/MenuStyle.h"
#include "widgets/menus/MenuWindows.h"
#include "widgets/menus/NewMenu.h"

using namespace menu_test;

namespace {

class MenuWindowsTest : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        ASSERT_TRUE(m_owner.Make());
        ASSERT_TRUE(m_menu.LoadMenu(IDR_TEST_MENU));
        m_popup = m_menu.GetSubMenu(0);
        ASSERT_TRUE(m_popup->SetMenuTitle("Deck A", 64, -1));
        m_popup->SetTitleColors(0xffffff, 0xffffff, 0xd54600);
    }

    bool Proc(HWND hWnd, WNDPROC proc) const
    {
        return ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(proc);
    }

    MenuOwner m_owner;
    CNewMenu m_menu;
    CNewMenu* m_popup = nullptr;
};

} // namespace

TEST_F(MenuWindowsTest, TheHookWatchesTheThreadThatStartedTheLibrary)
{
    EXPECT_TRUE(MenuLibrary().IsHooked());
    EXPECT_EQ(::GetCurrentThreadId(), MenuLibrary().HookThread());
}

TEST_F(MenuWindowsTest, APopupShowingANewMenuIsTakenOverWhileOpen)
{
    CNewMenu::SetDrawStyle(7);
    HWND seen = nullptr;
    bool takenOver = false, hasProperty = false;
    m_owner.Show(*m_popup, 20, 20, [&](HWND popup) {
        seen = popup;
        takenOver = MenuLibrary().StateOf(popup) != nullptr && Proc(popup, MenuWindowProc);
        hasProperty = ::GetPropA(popup, "OldMenuProc") != nullptr;
    });
    ASSERT_TRUE(m_owner.opened) << "the popup never opened";
    EXPECT_TRUE(takenOver);
    EXPECT_TRUE(hasProperty);
    EXPECT_EQ(0u, MenuLibrary().StateCount()) << "released when closed";
    if (::IsWindow(seen)) {
        EXPECT_FALSE(Proc(seen, MenuWindowProc));
        EXPECT_EQ(nullptr, ::GetPropA(seen, "OldMenuProc"));
    }
    EXPECT_EQ(0, ::GlobalFindAtomA("OldMenuProc")) << "the atom goes with the last window";
}

TEST_F(MenuWindowsTest, APlainMenuIsLeftToTheSystem)
{
    CMenu plain;
    ASSERT_TRUE(plain.CreatePopupMenu());
    plain.AppendMenu(MF_STRING, 1, "Plain");
    bool takenOver = true;
    m_owner.Show(plain, 20, 20, [&](HWND popup) { takenOver = MenuLibrary().StateOf(popup) != nullptr; });
    ASSERT_TRUE(m_owner.opened);
    EXPECT_FALSE(takenOver);
}

TEST_F(MenuWindowsTest, AnOwnBorderStyleDropsTheSystemBorderAndResizesThePopup)
{
    WineSeam windows(FALSE);
    SIZE system = {0, 0}, own = {0, 0};
    LONG ownStyle = 0, savedStyle = 0;
    DWORD flags = 0;
    COLORREF corner = CLR_INVALID;
    CNewMenu::SetDrawStyle(7);
    m_owner.Show(*m_popup, 20, 20, [&](HWND popup) {
        RECT r;
        ::GetWindowRect(popup, &r);
        system = SIZE{r.right - r.left, r.bottom - r.top};
    });
    ASSERT_TRUE(m_owner.opened);
    CNewMenu::SetDrawStyle(6);
    m_owner.Show(*m_popup, 20, 20, [&](HWND popup) {
        RECT r;
        ::GetWindowRect(popup, &r);
        own = SIZE{r.right - r.left, r.bottom - r.top};
        ownStyle = ::GetWindowLongA(popup, GWL_STYLE);
        if (MenuWindowState* state = MenuLibrary().StateOf(popup)) {
            flags = state->flags;
            savedStyle = state->savedStyle;
        }
        ::RedrawWindow(popup, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = ::GetWindowDC(popup);
        corner = ::GetPixel(dc, 0, 0);
        ::ReleaseDC(popup, dc);
    });
    ASSERT_TRUE(m_owner.opened);
    BOOL dropShadow = FALSE;
    ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &dropShadow, 0);
    const int d = dropShadow ? -2 : 2;
    EXPECT_EQ(system.cx + d, own.cx) << "drop shadow " << dropShadow;
    EXPECT_EQ(system.cy + d, own.cy);
    EXPECT_FALSE(ownStyle & WS_BORDER);
    EXPECT_TRUE(flags & kStateStylesChanged);
    EXPECT_EQ(savedStyle & ~WS_BORDER, ownStyle & ~WS_VISIBLE & ~WS_BORDER & savedStyle);
    if (corner != CLR_INVALID) {
        EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), corner) << "the own 1-pixel frame";
    }
}

TEST_F(MenuWindowsTest, AMenuDestroyedWhileShownIsLetGo)
{
    CNewMenu::SetDrawStyle(7);
    auto owned = std::make_unique<CNewMenu>();
    ASSERT_TRUE(owned->LoadMenu(IDR_TEST_MENU));
    CNewMenu* popup = owned->GetSubMenu(0);
    HMENU handle = *popup;
    m_owner.Show(handle, 20, 20, [&](HWND) { owned.reset(); });
    ASSERT_TRUE(m_owner.opened);
    EXPECT_FALSE(::IsMenu(handle));
    EXPECT_EQ(0u, MenuLibrary().StateCount());
    // The next menu is taken over as usual.
    bool takenOver = false;
    m_owner.Show(*m_popup, 20, 20, [&](HWND p) { takenOver = MenuLibrary().StateOf(p) != nullptr; });
    EXPECT_TRUE(takenOver);
}

TEST_F(MenuWindowsTest, RemovingTheHookGivesBackEveryWindowItHolds)
{
    CNewMenu::SetDrawStyle(7);
    bool restored = false;
    size_t statesAfter = 1;
    m_owner.Show(*m_popup, 20, 20, [&](HWND popup) {
        ASSERT_TRUE(MenuLibrary().StateOf(popup));
        MenuLibrary().Unhook();
        restored = !Proc(popup, MenuWindowProc) && !::GetPropA(popup, "OldMenuProc");
        statesAfter = MenuLibrary().StateCount();
    });
    const bool unhooked = !MenuLibrary().IsHooked();
    ASSERT_TRUE(MenuLibrary().Hook());
    EXPECT_TRUE(unhooked);
    EXPECT_TRUE(restored);
    EXPECT_EQ(0u, statesAfter);
    bool takenOver = false;
    m_owner.Show(*m_popup, 20, 20, [&](HWND p) { takenOver = MenuLibrary().StateOf(p) != nullptr; });
    EXPECT_TRUE(takenOver) << "hooked again";
}

TEST_F(MenuWindowsTest, APopupOfAThreadThatEndsLeavesNoStateBehind)
{
    HMENU handle = *m_popup;
    bool takenOver = false;
    HWND window = nullptr;
    std::thread worker([&] {
        // A popup menu window of this thread, showing the menu, taken over;
        // then the thread ends without closing it.
        window = ::CreateWindowExA(WS_EX_TOOLWINDOW, "#32768", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                   nullptr, handle);
        if (window && reinterpret_cast<HMENU>(::SendMessageA(window, kMenuGetMenu, 0, 0)) == handle)
            takenOver = SubclassMenuWindow(window, FALSE) && MenuLibrary().StateOf(window);
    });
    worker.join();
    if (!takenOver)
        GTEST_SKIP() << "this system's popup window does not take its menu at creation";
    for (int i = 0; i < 100 && ::IsWindow(window); ++i)
        ::Sleep(10);
    ASSERT_FALSE(::IsWindow(window)) << "the thread's window went with it";
    MenuLibrary().ForgetDeadWindows();
    EXPECT_EQ(nullptr, MenuLibrary().StateOf(window));
    EXPECT_EQ(0u, MenuLibrary().StateCount());
    EXPECT_EQ(0, ::GlobalFindAtomA("OldMenuProc"));
}

TEST_F(MenuWindowsTest, TheOwnerWindowDrawsTheItemsOfAnOpenMenu)
{
    CNewMenu::SetDrawStyle(7);
    COLORREF band = CLR_INVALID;
    m_owner.Show(*m_popup, 20, 20, [&](HWND popup) {
        ::RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        widget_test::WindowShot shot(popup);
        band = shot.At(6, 4);
    });
    ASSERT_TRUE(m_owner.opened);
    EXPECT_EQ(0xd54600u, band) << "the title band at the top of the popup";
}

TEST_F(MenuWindowsTest, PrintingAnOwnBorderPopupGivesItsFrameAndItems)
{
    WineSeam windows(FALSE);
    const struct
    {
        UINT style;
        COLORREF frame;
    } cases[] = {{6, ::GetSysColor(COLOR_HIGHLIGHT)},
                 {8, menu_math::ScaleTowardBlack(128, MenuColor(m_popup->GetSafeHmenu()))}};
    for (const auto& c : cases) {
        CNewMenu::SetDrawStyle(c.style);
        COLORREF corner = CLR_INVALID, band = CLR_INVALID;
        m_owner.Show(*m_popup, 20, 20, [&](HWND popup) {
            RECT r;
            ::GetWindowRect(popup, &r);
            const SIZE size = {r.right - r.left, r.bottom - r.top};
            widget_test::DibSurface s(size.cx, size.cy, RGB(1, 2, 3));
            ::SendMessageA(popup, WM_PRINT, reinterpret_cast<WPARAM>(s.Dc()),
                           PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
            corner = s.At(0, 0);
            band = s.At(size.cx / 2, 6);
            EXPECT_FALSE(MenuLibrary().StateOf(popup)->flags & kStatePrinting) << "the printing mark is cleared";
        });
        ASSERT_TRUE(m_owner.opened) << c.style;
        EXPECT_EQ(c.frame, corner) << "the own frame of style " << c.style;
        EXPECT_EQ(0xd54600u, band) << "the title band printed inside it, style " << c.style;
    }
}
