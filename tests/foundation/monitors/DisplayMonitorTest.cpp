#include "foundation/monitors/DisplayMonitor.h"

#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

#include <map>

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Two monitors side by side (the machines here have one): a primary one
// with a task bar at its bottom and a second one to its right.
class TwoMonitors : public DisplayMonitorSource
{
public:
    TwoMonitors()
    {
        Add(1, {0, 0, 1024, 768}, {0, 0, 1024, 738}, MONITORINFOF_PRIMARY);
        Add(2, {1024, -100, 2304, 924}, {1024, -70, 2304, 924}, 0);
        m_previous = SetDisplayMonitorSource(this);
    }
    ~TwoMonitors() override { SetDisplayMonitorSource(m_previous); }

    void EnumerateMonitors(CArray<HMONITOR, HMONITOR>& monitors) override
    {
        for (HMONITOR monitor : m_order)
            monitors.Add(monitor);
    }
    bool GetMonitorInfo(HMONITOR monitor, MONITORINFO& info) override
    {
        auto it = m_info.find(monitor);
        if (it == m_info.end())
            return false;
        info = it->second;
        return true;
    }

    void Add(INT_PTR id, RECT full, RECT work, DWORD flags)
    {
        HMONITOR handle = reinterpret_cast<HMONITOR>(id);
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        info.rcMonitor = full;
        info.rcWork = work;
        info.dwFlags = flags;
        m_info[handle] = info;
        m_order.push_back(handle);
    }

    std::map<HMONITOR, MONITORINFO> m_info;
    std::vector<HMONITOR> m_order;

private:
    DisplayMonitorSource* m_previous;
};

TEST(DisplayMonitor, TheMachinesOneMonitorIsPrimary)
{
    DisplayMonitorList list;
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), list.m_Monitors.GetSize());
    ASSERT_EQ(1, list.m_Monitors.GetSize());
    const DisplayMonitor monitor = list.GetMonitor(0);
    EXPECT_NE(nullptr, monitor.m_hMonitor);
    EXPECT_TRUE(monitor.IsPrimary());
    RECT rect;
    monitor.GetMonitorRect(&rect);
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(SameRect(screen, rect));
    EXPECT_THROW(list.GetMonitor(1), CInvalidArgException);
    EXPECT_THROW(list.GetMonitor(-1), CInvalidArgException);
}

TEST(DisplayMonitor, CentresARealWindowWithoutResizingIt)
{
    HWND window = CreateWindowExA(0, "STATIC", "centred", WS_POPUP | WS_VISIBLE, 7, 9, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    DisplayMonitorList list;
    const DisplayMonitor monitor = list.GetMonitor(0);
    for (BOOL workArea : {FALSE, TRUE}) {
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetMonitorInfoA(monitor.m_hMonitor, &info));
        const RECT area = workArea ? info.rcWork : info.rcMonitor;
        EXPECT_TRUE(monitor.CenterWindow(window, workArea));
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(200, rect.right - rect.left);
        EXPECT_EQ(100, rect.bottom - rect.top);
        EXPECT_EQ(area.left + (area.right - area.left - 200) / 2, rect.left) << workArea;
        EXPECT_EQ(area.top + (area.bottom - area.top - 100) / 2, rect.top) << workArea;
    }
    EXPECT_FALSE(monitor.CenterWindow(nullptr));
    DestroyWindow(window);
}

TEST(DisplayMonitor, ASecondMonitorThroughTheSeam)
{
    TwoMonitors monitors;
    DisplayMonitorList list;
    ASSERT_EQ(2, list.m_Monitors.GetSize());
    const DisplayMonitor primary = list.GetMonitor(0);
    const DisplayMonitor second = list.GetMonitor(1);
    EXPECT_TRUE(primary.IsPrimary());
    EXPECT_FALSE(second.IsPrimary());
    RECT rect;
    second.GetMonitorRect(&rect);
    EXPECT_TRUE(SameRect(RECT{1024, -100, 2304, 924}, rect));

    // A 640 x 480 output window on the second monitor: on its full
    // rectangle, and on its work area (which starts 30 pixels lower).
    RECT full = {0, 0, 640, 480};
    second.CenterRect(&full, FALSE);
    EXPECT_TRUE(SameRect(RECT{1344, 172, 1984, 652}, full));
    RECT work = {0, 0, 640, 480};
    second.CenterRect(&work, TRUE);
    EXPECT_TRUE(SameRect(RECT{1344, 187, 1984, 667}, work));
    // 200 x 100 on the primary's work area.
    RECT small = {50, 50, 250, 150};
    primary.CenterRect(&small);
    EXPECT_TRUE(SameRect(RECT{412, 319, 612, 419}, small));
}

TEST(DisplayMonitor, AVanishedOrMissingMonitorLeavesRectanglesAlone)
{
    TwoMonitors monitors;
    DisplayMonitorList list;
    const DisplayMonitor second = list.GetMonitor(1);
    monitors.m_info.clear();   // unplugged after the list was made
    RECT rect = {1, 2, 3, 4};
    second.CenterRect(&rect);
    EXPECT_TRUE(SameRect(RECT{1, 2, 3, 4}, rect));
    second.GetMonitorRect(&rect);
    EXPECT_TRUE(IsRectEmpty(&rect));
    EXPECT_FALSE(second.IsPrimary());
    const DisplayMonitor none;
    EXPECT_EQ(nullptr, none.m_hMonitor);
    EXPECT_FALSE(none.IsPrimary());
}

TEST(DisplayMonitor, OneEntryPerMonitorDelivered)
{
    TwoMonitors monitors;
    monitors.Add(3, {-800, 0, 0, 600}, {-800, 0, 0, 600}, 0);
    DisplayMonitorList list;
    ASSERT_EQ(3, list.m_Monitors.GetSize());
    for (INT_PTR i = 0; i < 3; ++i) {
        ASSERT_NE(nullptr, list.m_Monitors[i]);
        EXPECT_EQ(reinterpret_cast<HMONITOR>(i + 1), list.GetMonitor(i).m_hMonitor);
    }
    // Copies carry the handle.
    DisplayMonitor copy = list.GetMonitor(2);
    DisplayMonitor assigned;
    assigned = copy;
    EXPECT_EQ(copy.m_hMonitor, assigned.m_hMonitor);
}

} // namespace
