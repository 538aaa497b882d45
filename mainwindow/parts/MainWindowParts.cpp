#include "mainwindow/parts/MainWindowParts.h"

#include <ctime>

#include "foundation/cpu/CpuUsageSampler.h"
#include "framework/ui/CWnd.h"
#include "widgets/menus/NewMenu.h"

int MainWindowParts::TotalCpuUsage()
{
    static CpuUsageSampler total;
    return total.GetTotalUsage();
}

int MainWindowParts::ProcessCpuUsage(const char* instanceName)
{
    static CpuUsageSampler process;
    return process.GetProcessUsage(instanceName);
}

int64_t MainWindowParts::Now()
{
    return static_cast<int64_t>(std::time(nullptr));
}

void MainWindowParts::LocalTimeOfDay(int& hour, int& minute)
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    hour = now.wHour;
    minute = now.wMinute;
}

UINT MainWindowParts::RunMenu(CNewMenu& popup, CWnd& owner, POINT at, UINT flags)
{
    return static_cast<UINT>(::TrackPopupMenu(popup.m_hMenu, flags, at.x, at.y, 0, owner.m_hWnd, nullptr));
}

MainWindowParts& DefaultMainWindowParts()
{
    static MainWindowParts parts;
    return parts;
}
