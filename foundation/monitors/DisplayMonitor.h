// The display monitors of the machine, and placing windows on them.
//   DisplayMonitor      one monitor (its handle)
//   DisplayMonitorList  every monitor, in the platform's order
//   DisplayMonitorSource  where the monitors come from: the platform, or a
//                         test's set (a second monitor no machine here has)
#pragma once

#include <windows.h>

#include "framework/core/CArray.h"
#include "framework/core/CObject.h"

class DisplayMonitorSource
{
public:
    virtual ~DisplayMonitorSource() = default;
    // Every monitor's handle, in enumeration order.
    virtual void EnumerateMonitors(CArray<HMONITOR, HMONITOR>& monitors) = 0;
    // The monitor's information (the basic MONITORINFO); false when there
    // is no such monitor.
    virtual bool GetMonitorInfo(HMONITOR monitor, MONITORINFO& info) = 0;
};

// The source in use (null: the platform's); returns the previous one.
DisplayMonitorSource* SetDisplayMonitorSource(DisplayMonitorSource* source);

class DisplayMonitor : public CObject
{
public:
    // Construction
    DisplayMonitor() = default;
    DisplayMonitor(const DisplayMonitor& other) : CObject(), m_hMonitor(other.m_hMonitor) {}
    DisplayMonitor& operator=(const DisplayMonitor& other)
    {
        m_hMonitor = other.m_hMonitor;
        return *this;
    }
    ~DisplayMonitor() override = default;   // the handle belongs to the system

    // Attributes
    // The monitor's full rectangle in virtual-screen coordinates (empty for
    // a null or vanished monitor).
    void GetMonitorRect(LPRECT rect) const;
    BOOL IsPrimary() const;

    // Operations
    // Moves the rectangle, keeping its size, to the centre of the monitor's
    // work area (TRUE) or full rectangle (FALSE).
    void CenterRect(LPRECT rect, BOOL workArea = TRUE) const;
    // Centres the window so, without resizing, reordering or activating it.
    BOOL CenterWindow(HWND window, BOOL workArea = TRUE) const;

    // Data
    HMONITOR m_hMonitor = nullptr;

private:
    bool GetInfo(MONITORINFO& info) const;
};

class DisplayMonitorList : public CObject
{
public:
    // Construction: enumerates the monitors.
    DisplayMonitorList();
    DisplayMonitorList(const DisplayMonitorList&) = delete;
    DisplayMonitorList& operator=(const DisplayMonitorList&) = delete;
    ~DisplayMonitorList() override;

    // Attributes
    // A copy of the monitor at the index (0 .. count - 1; outside it throws
    // the framework's invalid-argument exception).
    DisplayMonitor GetMonitor(INT_PTR index) const;

    // Data: one entry per monitor, owned; callers read the count here.
    CArray<DisplayMonitor*, DisplayMonitor*> m_Monitors;
};
