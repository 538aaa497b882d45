// MainApp: the application object. InitInstance prepares the process,
// shows the first-run notice and the skin browser when the settings ask,
// runs the main dialog modally and undoes everything in reverse; it always
// returns FALSE, so the main dialog's loop is the program's message loop.
#pragma once

#include <cstdint>

#include "framework/ui/CWinApp.h"
#include "mainwindow/app/AppCommandLineInfo.h"

class MainApp : public CWinApp
{
public:
    // Construction
    MainApp();

    // Overridables
    BOOL InitInstance() override;
    int ExitInstance() override;

    // Attributes
    const AppCommandLineInfo& GetCommandLineInfo() const { return m_cmdInfo; }

private:
    bool StartSockets();

    ULONG_PTR m_gdiplusToken = 0;
    bool m_bGdiplusStarted = false;
    AppCommandLineInfo m_cmdInfo;
};
