// The way out: the shutdown sequence and the destructor.
#include "mainwindow/dialog/MainDialog.h"

#include "framework/ui/Prompts.h"
#include "input/commands/CommandVocabulary.h"
#include "mainwindow/dialog/StartupSeams.h"
#include "mainwindow/skinhost/MainSkinHost.h"

namespace {
const int kLastTimerId = 35;
}

bool MainDialog::ExitProgram(bool bAsk)
{
    if (m_bExiting)
        return true;   // already on its way (a close that came in while it pumps)
    if (bAsk && m_settings.AskShutdown) {
        const int answer = AfxPromptMessageBox(m_hWnd, "Are you sure you want to exit Tavrix?", "TAVRIX PRO DJ",
                                               MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer != IDYES)
            return false;
    }
    m_bExiting = true;
    Log("Shutdown started");

    if (m_bLibraryWindowOpen) {
        HWND library = ::FindWindowA(nullptr, "Library Manager");
        if (library)
            ::SendMessageA(library, WM_CLOSE, 0, 0);
    }

    if (m_splashExit.CreateSplash(this))
        m_splashExit.ShowSplash();

    if (m_bCommServerRunning) {
        SetSplashStatus(m_splashExit, "Stopping Comm", 2);
        RunStartupSeam(*this, StartupSeam::StopCommServer);
    }

    SetSplashStatus(m_splashExit, "Timer shutdown");
    for (UINT_PTR id = 0; id <= kLastTimerId; ++id)
        KillTimer(id);
    Log("Timers stopped");

    SetSplashStatus(m_splashExit, "MIDI shutdown");
    if (m_bDenonFeedback)
        SetSplashStatus(m_splashExit, "Denon HC4500 shutdown", 0);
    RunStartupSeam(*this, StartupSeam::MIDIShutdown);

    SetSplashStatus(m_splashExit, "Decks shutdown");
    Parts().StopDecks();

    SetSplashStatus(m_splashExit, "Closing Library...");
    VIZU::Close();

    SetSplashStatus(m_splashExit, "Saving settings...");
    SaveSettings();
    Log("Lib closed, Settings saved");

    if (m_settings.AutoSaveHistory) {
        SetSplashStatus(m_splashExit, "Saving history...");
        RunStartupSeam(*this, StartupSeam::SaveHistoryList);
    }

    SetSplashStatus(m_splashExit, "Controls shutdown...");
    ClearCommandMaps();
    Log("Pointers deleted");

    RunStartupSeam(*this, StartupSeam::TreeFonts);

    if (m_hAccel) {
        ::DestroyAcceleratorTable(m_hAccel);
        m_hAccel = nullptr;
    }
    Log("Accel table destroyed");
    Log("Shutdown complete");

    SetSplashStatus(m_splashExit, "Shutdown complete...");
    ::Sleep(100);
    m_splashExit.FadeOut(800);

    ::PostQuitMessage(0xF060);
    DestroyWindow();
    return true;
}

MainDialog::~MainDialog()
{
    if (TheSkinHost() == m_skinHost.get())
        SetSkinHost(nullptr);
    // The worker threads (each waits up to 500 ms before it is ended).
    m_threadDisplay.Stop();
    m_threadFolders.Stop();
    m_threadIdle.Stop();
    for (HANDLE event : {m_hIdleEvents[0], m_hIdleEvents[1], m_hFolderEvent, m_hDisplayEvent}) {
        if (event)
            ::CloseHandle(event);
    }
    if (m_hAccel)
        ::DestroyAcceleratorTable(m_hAccel);
    if (m_hOldSkinBitmap)
        ::SelectObject(m_dcSkin.m_hDC, m_hOldSkinBitmap);
    if (m_hBackground)
        ::DeleteObject(m_hBackground);
}
