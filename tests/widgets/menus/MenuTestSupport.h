// Helpers of the menu tests: a fixture that puts the drawing style back,
// the Wine check as another machine answers it, an item's facts, text
// sizes in the menu and title fonts, and an owner window that runs a
// check while a popup menu is open.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "WidgetTestSupport.h"
#include "framework/ui/AfxWin.h"

namespace menu_test {

// The Wine check answered as given, for the scope.
class WineSeam
{
public:
    explicit WineSeam(BOOL wine);
    ~WineSeam();

private:
    BOOL m_old;
};

class MenuTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

private:
    UINT m_style = 0;
};

struct ItemFacts
{
    UINT type = 0;
    UINT state = 0;
    ULONG_PTR data = 0;
};
ItemFacts Facts(HMENU menu, int pos);

SIZE MenuTextSize(const char* text, bool bold);
SIZE TitleTextSize(const char* text);

// A top-level owner for popup menus; while a menu it shows is open and
// idle it runs the check once with the popup window, then ends the menu.
class MenuOwner : public CWnd
{
public:
    bool Make();
    // Shows the popup at (x, y) and runs check when it is open; the
    // command chosen (0: none). opened tells whether check ran.
    UINT Show(HMENU popup, int x, int y, std::function<void(HWND)> check);
    bool opened = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::function<void(HWND)> m_check;
    int m_ticks = 0;
    void RunCheck(HWND popup);
};

// The visible popup menu window of this thread, if any.
HWND OpenPopupWindow();

} // namespace menu_test
