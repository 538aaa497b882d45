// MainDialog: the program's main window, a dialog (template 102) drawn from
// the skin. This file set covers its lifecycle: construction (settings, log,
// command vocabulary, skin), OnInitDialog, the window messages it handles
// itself, the settings accessors, the shutdown sequence and the destructor.
//
// Code by concern: MainDialog.cpp (construction, start-up, window
// messages), MainDialogSettings.cpp (the settings file), MainDialogExit.cpp
// (shutdown), StartupSeams.cpp (the components other parts of the program
// bring in later).
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/app/WorkerThread.h"
#include "framework/ui/CDC.h"
#include "framework/ui/CDialog.h"
#include "framework/ui/CGdiObject.h"
#include "framework/ui/CImageList.h"
#include "library/api/VIZU.h"
#include "mainwindow/dispatch/KeyRules.h"
#include "mainwindow/lists/QueueArrays.h"
#include "mainwindow/parts/MainWindowParts.h"
#include "mainwindow/settings/MainSettings.h"
#include "mainwindow/settings/SettingsFile.h"
#include "mainwindow/timers/TimerRules.h"
#include "skin/create/SkinMeterSet.h"
#include "skin/splash/TXVSplash.h"

#include <memory>

class MainSkinHost;

class MainDialog : public CDialog
{
public:
    // Construction
    explicit MainDialog(CWnd* pParent = nullptr);
    ~MainDialog() override;

    // Attributes
    // False when neither the chosen skin nor the shipped "Default" skin
    // could be loaded: the application object then does not run the window.
    bool HasSkin() const { return m_bSkinLoaded; }
    const MainSettings& GetSettings() const { return m_settings; }
    const CString& GetProgramFolder() const { return m_strProgramFolder; }
    bool IsLogging() const { return m_bLog; }
    // The music library the window shows.
    VIZU& GetLibrary() { return m_vizu; }
    // The working lists of tracks (queues, history, search, requests).
    QueueArrays& Queues() { return m_queues; }

    // The command-line playlist (switch p), loaded into the AutoMix queue
    // once the window is laid out.
    void SetCommandLinePlaylist(const CString& name)
    {
        m_bCmdLinePlaylist = true;
        m_strCmdLinePlaylist = name;
    }
    bool HasCommandLinePlaylist() const { return m_bCmdLinePlaylist; }
    const CString& GetCommandLinePlaylist() const { return m_strCmdLinePlaylist; }

    // Settings (MainDialogSettings.cpp): "TavrixVJ.INI" in the program folder.
    CString GetIniString(CString section, CString key) const;
    int GetIniInt(CString section, CString key) const;
    bool GetIniBool(CString section, CString key) const;
    BOOL WriteIniString(CString section, CString key, CString value);
    BOOL WriteIniInt(CString section, CString key, int value);
    void LoadSettings();
    void SaveSettings();

    // Operations
    // The shutdown sequence: false when the user declined (MAIN/AskShutdown),
    // true when the program is ending. bAsk false skips the question (the
    // session is ending).
    bool ExitProgram(bool bAsk = true);
    // A line of the program log, written only while the log is on.
    void Log(const char* text) const;
    // Wakes the library-display thread (MainWindowParts::RunLibraryDisplayJob);
    // false when MAIN/UseDisplayTracksThread did not start it.
    bool StartLibraryDisplayJob();
    // The track icons the library's lists and trees are given.
    CImageList& GetTrackImages() { return m_imlTracks; }

    // Overridables
    BOOL OnInitDialog() override;
    void OnCancel() override;

protected:
    // Window messages (handler signatures beside their map entries).
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeviceChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnClose();
    void OnTimer(UINT_PTR nIDEvent);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnCommandClose();
    // Notifications of the controls go to MainWindowParts::OnControlNotify first.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

private:
    // Construction steps
    bool LoadSkin();
    void StartWorkerThreads();
    void OnStartupTimer();
    void PumpWaiting();
    void SetSplashStatus(TXVSplash& splash, const char* text, int pumps = 1);

    // Identity and settings
    HICON m_hIcon = nullptr;
    bool m_bDwm = false;
    bool m_bCmdLinePlaylist = false;
    CString m_strCmdLinePlaylist;
    int64_t m_startTime = 0;
    CString m_strProgramFolder;
    SettingsFile m_ini;
    MainSettings m_settings;
    bool m_bLog = false;
    bool m_bCDPlayerEnabled = false;
    bool m_bCommServerRunning = false;
    bool m_bLibraryWindowOpen = false;
    bool m_bDenonFeedback = false;
    HACCEL m_hAccel = nullptr;

    // State of the lifecycle
    bool m_bSkinLoaded = false;
    bool m_bLaidOut = false;     // timer 1 has shown the window
    bool m_bExiting = false;     // the shutdown sequence has begun

    // Windows owned
    TXVSplash m_splashStart;
    TXVSplash m_splashExit;

    // Library and the working lists of tracks
    VIZU m_vizu;
    QueueArrays m_queues;

    // Threads: the first is built and never started; then folder listing
    // and library display.
    HANDLE m_hIdleEvents[2] = {nullptr, nullptr};
    HANDLE m_hFolderEvent = nullptr;
    HANDLE m_hDisplayEvent = nullptr;
    WorkerThread m_threadIdle;
    WorkerThread m_threadFolders;
    WorkerThread m_threadDisplay;

    // Drawing: the skin background in a memory DC.
    HBITMAP m_hBackground = nullptr;
    SIZE m_sizeBackground = {0, 0};
    CDC m_dcSkin;
    HGDIOBJ m_hOldSkinBitmap = nullptr;
    CImageList m_imlTracks;

    // ---- Timers and the start-up sequence (mainwindow/timers), private
    // messages (mainwindow/messages), commands, keys and the two main menus
    // (mainwindow/dispatch). The parts of the program they call through
    // MainWindowParts.
public:
    // The parts the window calls (null: the defaults). Set before Create.
    void SetParts(MainWindowParts* parts) { m_pParts = parts ? parts : &DefaultMainWindowParts(); }
    MainWindowParts& Parts() const { return *m_pParts; }
    int64_t GetStartTime() const { return m_startTime; }
    // The main track list's view (1: the library), set by the start-up.
    int GetMainListView() const { return m_nMainListView; }
    // Runs a command through the message map (WM_COMMAND with its id).
    void RunCommand(UINT id);
    void OnMainMenu();
    void OnFileMenu();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // WM_CONTEXTMENU: the context menu of the window it came from (the parts').
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    // Notifications the message map leaves alone go to the parts (the lists' clicks).

protected:
    void OnVocabularyCommand(UINT id);
    LRESULT OnSliderMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeckTimeMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnControllerTimeMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnJogMovedMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnArtFoundMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeckTextMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnControllerLedMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnControllerFlashMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnControllerValueMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueueAScrollMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueueBScrollMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnPitchNudgeMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnHeldForwardMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnHeldRewindMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnControllerWheelMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommRequestMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnJukeScrollUpMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnJukeScrollDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnThumbScrollLeftMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnThumbScrollRightMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnTagArtMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrackListScrollUpMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrackListScrollDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnControllerDisplayMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommSocketEventMessage(WPARAM wParam, LPARAM lParam);

private:
    // A held scroll button's repeat: running flag and current period.
    struct RepeatState
    {
        bool running = false;
        int period = 0;
    };

    // A start-up step: its log line when it did its work, else the
    // line that names what is not there yet.
    void StartupStep(bool done, const char* line, const char* missing);
    void CreateFirstLibrary();
    void OnHeldButton(WPARAM deck, LPARAM pressed, bool forward);
    void OnRepeatButton(RepeatState& state, const main_timers::RepeatRule& rule, UINT id, LPARAM pressed);
    bool RepeatTick(RepeatState& state, const main_timers::RepeatRule& rule, UINT id);
    void OnClockTimer();
    void OnCpuMeterTimer();
    void OnFirstFocusTimer();
    void StartTimer(UINT id, UINT period);
    void StopTimer(UINT id);
    key_rules::KeyTarget KeyTargetOf(HWND hWnd) const;
    void RunMainPopup(UINT resource, const char* title, const main_menus::MenuItem* items, size_t count,
                      UINT extraFlags);
    void CarryOutMenuItem(const main_menus::MenuItem& item);
    void RunMenuHandler(main_menus::MenuHandler handler);

    MainWindowParts* m_pParts = &DefaultMainWindowParts();
    int m_nMainListView = 0;
    RepeatState m_repeatJukeList, m_repeatThumbList, m_repeatTrackList;
    bool m_bHeldForward[2] = {false, false};
    bool m_bHeldRewind[2] = {false, false};
    int m_nLastCpuValue = 0;

    // The skinned controls' view of this window (MainSkinHost).
public:
    CDC* GetSkinDC() { return m_dcSkin.GetSafeHdc() ? &m_dcSkin : nullptr; }
    SkinMeterSet& GetSkinMeters() { return m_skinMeters; }

private:
    SkinMeterSet m_skinMeters;
    std::unique_ptr<MainSkinHost> m_skinHost;
};
