#include "foundation/monitors/DisplayMonitor.h"

#include "foundation/monitors/MonitorGeometry.h"

namespace {

class PlatformMonitors : public DisplayMonitorSource
{
public:
    void EnumerateMonitors(CArray<HMONITOR, HMONITOR>& monitors) override
    {
        EnumDisplayMonitors(nullptr, nullptr, &PlatformMonitors::Collect,
                            reinterpret_cast<LPARAM>(&monitors));
    }

    bool GetMonitorInfo(HMONITOR monitor, MONITORINFO& info) override
    {
        info.cbSize = sizeof(MONITORINFO);
        return monitor && ::GetMonitorInfoA(monitor, &info) != 0;
    }

private:
    static BOOL CALLBACK Collect(HMONITOR monitor, HDC, LPRECT, LPARAM data)
    {
        reinterpret_cast<CArray<HMONITOR, HMONITOR>*>(data)->Add(monitor);
        return TRUE;
    }
};

PlatformMonitors g_platformMonitors;
DisplayMonitorSource* g_source = nullptr;

DisplayMonitorSource& Source()
{
    return g_source ? *g_source : g_platformMonitors;
}

MonitorBox ToBox(const RECT& rect)
{
    return MonitorBox{rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

DisplayMonitorSource* SetDisplayMonitorSource(DisplayMonitorSource* source)
{
    DisplayMonitorSource* previous = g_source;
    g_source = source;
    return previous;
}

bool DisplayMonitor::GetInfo(MONITORINFO& info) const
{
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(MONITORINFO);
    return m_hMonitor && Source().GetMonitorInfo(m_hMonitor, info);
}

void DisplayMonitor::GetMonitorRect(LPRECT rect) const
{
    if (!rect)
        return;
    MONITORINFO info;
    if (GetInfo(info))
        *rect = info.rcMonitor;
    else
        SetRectEmpty(rect);
}

BOOL DisplayMonitor::IsPrimary() const
{
    MONITORINFO info;
    return GetInfo(info) && info.dwFlags == MONITORINFOF_PRIMARY;
}

void DisplayMonitor::CenterRect(LPRECT rect, BOOL workArea) const
{
    if (!rect)
        return;
    MONITORINFO info;
    if (!GetInfo(info))
        return;
    const MonitorBox box = CenterBoxOn(ToBox(workArea ? info.rcWork : info.rcMonitor), ToBox(*rect));
    SetRect(rect, box.left, box.top, box.right, box.bottom);
}

BOOL DisplayMonitor::CenterWindow(HWND window, BOOL workArea) const
{
    RECT rect;
    if (!window || !GetWindowRect(window, &rect))
        return FALSE;
    CenterRect(&rect, workArea);
    return SetWindowPos(window, nullptr, rect.left, rect.top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DisplayMonitorList::DisplayMonitorList()
{
    DisplayMonitorSource& source = Source();
    CArray<HMONITOR, HMONITOR> handles;
    source.EnumerateMonitors(handles);
    // One entry per monitor the enumeration delivers, not per monitor the
    // system counted a moment before: a monitor attached in between gets
    // its place too, and one removed in between leaves no empty entry.
    for (INT_PTR i = 0; i < handles.GetSize(); ++i) {
        DisplayMonitor* monitor = new DisplayMonitor;
        monitor->m_hMonitor = handles[i];
        m_Monitors.Add(monitor);
    }
}

DisplayMonitorList::~DisplayMonitorList()
{
    for (INT_PTR i = 0; i < m_Monitors.GetSize(); ++i)
        delete m_Monitors[i];
    m_Monitors.RemoveAll();
}

DisplayMonitor DisplayMonitorList::GetMonitor(INT_PTR index) const
{
    if (index < 0 || index >= m_Monitors.GetSize())
        AfxThrowInvalidArgException();
    return m_Monitors[index] ? *m_Monitors[index] : DisplayMonitor();
}
