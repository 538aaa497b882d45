// The skin controls' tests: a host in place of the main window (a hidden
// parent window that records the scroll messages its children post, a
// skin background drawn in a known pattern, settings from a table, the
// filter calls), and reading a window's picture at pixels.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "WidgetTestSupport.h"
#include "framework/ui/AfxWin.h"
#include "skin/create/SkinMeterSet.h"
#include "skin/host/SkinHost.h"

namespace skin_test {

// The skin background's colour at a point of the main window: a pattern of
// 8-pixel squares, different in every square, so a copy's origin shows.
COLORREF SkinPixel(int x, int y);

// A hidden top-level window recording WM_VSCROLL.
class HostWindow : public CWnd
{
public:
    bool Make(int width, int height, bool visible = false);
    std::vector<MSG> scrolls;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TestHost : public SkinHost
{
public:
    explicit TestHost(int width = 400, int height = 300, bool visible = false);
    ~TestHost() override;

    CWnd* GetMainWindow() override { return &window; }
    CDC* GetSkinDC() override { return skin.Cdc(); }
    CString GetIniString(const CString& section, const CString& key) override;
    void FilterByTitle(const CString& text) override { filterCalls.push_back("title:" + std::string(text)); }
    void FilterOff() override { filterCalls.push_back("off"); }
    SkinMeterSet* GetMeterSet() override { return &meters; }

    HostWindow window;
    widget_test::DibSurface skin;
    std::map<std::string, std::string> ini;   // "SECTION/Key" -> value
    std::vector<std::string> filterCalls;
    SkinMeterSet meters;

private:
    SkinHost* m_before;
};

// The window's client area drawn by WM_PRINTCLIENT into a fresh surface
// of its size, filled with RGB(1, 2, 3) first.
std::unique_ptr<widget_test::DibSurface> DrawClient(HWND window);

// Dispatches the posted messages waiting for this thread.
void Pump();

} // namespace skin_test
