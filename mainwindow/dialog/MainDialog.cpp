#include "mainwindow/dialog/MainDialog.h"

#include <mmsystem.h>

#include <cstdlib>
#include <ctime>

#include "foundation/app/ProgramFolder.h"
#include "foundation/app/ProgramLog.h"
#include "foundation/app/WaitingMessages.h"
#include "foundation/drawing/MemDC.h"
#include "framework/ui/CWinApp.h"
#include "framework/ui/MessageMap.h"
#include "framework/ui/Prompts.h"
#include "input/commands/CommandVocabulary.h"
#include "input/controllermap/ControllerMapLoader.h"
#include "input/shortcuts/Shortcuts.h"
#include "mainwindow/dialog/StartupSeams.h"
#include "mainwindow/messages/PrivateMessages.h"
#include "mainwindow/skinhost/MainSkinHost.h"
#include "mainwindow/res/MainWindowIds.h"
#include "skin/file/Skin.h"

namespace {

const char kCaption[] = "TAVRIX PRO DJ";
const int kMinTrackWidth = 800;
const int kMinTrackHeight = 554;

bool FileExists(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The worker threads' jobs: the folder listing and the library display
// are brought in by the panes; until then their events start nothing.
struct ThreadJob
{
    MainDialog* dialog;
    StartupSeam seam;
};

void RunThreadJob(void* data)
{
    const ThreadJob* job = static_cast<const ThreadJob*>(data);
    if (job->seam == StartupSeam::LibraryDisplayJob && job->dialog->Parts().RunLibraryDisplayJob())
        return;
    RunStartupSeam(*job->dialog, job->seam);
}

} // namespace

BEGIN_MESSAGE_MAP(MainDialog, CDialog)
    ON_WM_CREATE()                 // int OnCreate(LPCREATESTRUCT)
    ON_WM_PAINT()                  // void OnPaint()
    ON_WM_ERASEBKGND()             // BOOL OnEraseBkgnd(CDC*)
    ON_WM_GETMINMAXINFO()          // void OnGetMinMaxInfo(MINMAXINFO*)
    ON_WM_CTLCOLOR()               // HBRUSH OnCtlColor(CDC*, CWnd*, UINT)
    ON_MESSAGE(WM_QUERYDRAGICON, &MainDialog::OnQueryDragIcon)
    ON_MESSAGE(WM_DEVICECHANGE, &MainDialog::OnDeviceChange)
    ON_MESSAGE(WM_ENDSESSION, &MainDialog::OnEndSession)
    ON_WM_SYSCOMMAND()             // void OnSysCommand(UINT, LPARAM)
    ON_WM_CLOSE()                  // void OnClose()
    ON_WM_TIMER()                  // void OnTimer(UINT_PTR)
    ON_WM_WINDOWPOSCHANGING()      // void OnWindowPosChanging(WINDOWPOS*)
    ON_WM_CONTEXTMENU()            // void OnContextMenu(CWnd*, CPoint): the lists' and tree's menus
    ON_COMMAND(27005, &MainDialog::OnCommandClose)
    // Private messages, the two main menus and every other command id:
    // mainwindow/messages and mainwindow/dispatch.
    ON_MESSAGE(WM_SLIDER_TRACKING, &MainDialog::OnSliderMessage)
    ON_MESSAGE(WM_SLIDER_CHANGED, &MainDialog::OnSliderMessage)
    ON_MESSAGE(WM_DECK_TIME, &MainDialog::OnDeckTimeMessage)
    ON_MESSAGE(WM_CONTROLLER_TIME, &MainDialog::OnControllerTimeMessage)
    ON_MESSAGE(WM_JOG_MOVED, &MainDialog::OnJogMovedMessage)
    ON_MESSAGE(WM_ART_FOUND, &MainDialog::OnArtFoundMessage)
    ON_MESSAGE(WM_DECK_TEXT, &MainDialog::OnDeckTextMessage)
    ON_MESSAGE(WM_CONTROLLER_LED, &MainDialog::OnControllerLedMessage)
    ON_MESSAGE(WM_CONTROLLER_FLASH, &MainDialog::OnControllerFlashMessage)
    ON_MESSAGE(WM_CONTROLLER_VALUE, &MainDialog::OnControllerValueMessage)
    ON_MESSAGE(WM_QUEUE_A_SCROLL, &MainDialog::OnQueueAScrollMessage)
    ON_MESSAGE(WM_QUEUE_B_SCROLL, &MainDialog::OnQueueBScrollMessage)
    ON_MESSAGE(WM_PITCH_NUDGE_HOLD, &MainDialog::OnPitchNudgeMessage)
    ON_MESSAGE(WM_HOLD_FORWARD, &MainDialog::OnHeldForwardMessage)
    ON_MESSAGE(WM_HOLD_REWIND, &MainDialog::OnHeldRewindMessage)
    ON_MESSAGE(WM_CONTROLLER_WHEEL, &MainDialog::OnControllerWheelMessage)
    ON_MESSAGE(WM_COMM_REQUEST, &MainDialog::OnCommRequestMessage)
    ON_MESSAGE(WM_JUKE_SCROLL_UP, &MainDialog::OnJukeScrollUpMessage)
    ON_MESSAGE(WM_JUKE_SCROLL_DOWN, &MainDialog::OnJukeScrollDownMessage)
    ON_MESSAGE(WM_THUMB_SCROLL_LEFT, &MainDialog::OnThumbScrollLeftMessage)
    ON_MESSAGE(WM_THUMB_SCROLL_RIGHT, &MainDialog::OnThumbScrollRightMessage)
    ON_MESSAGE(WM_TAG_ART, &MainDialog::OnTagArtMessage)
    ON_MESSAGE(WM_TRACKLIST_SCROLL_UP, &MainDialog::OnTrackListScrollUpMessage)
    ON_MESSAGE(WM_TRACKLIST_SCROLL_DOWN, &MainDialog::OnTrackListScrollDownMessage)
    ON_MESSAGE(WM_CONTROLLER_DISPLAY, &MainDialog::OnControllerDisplayMessage)
    ON_MESSAGE(WM_COMM_SOCKET_EVENT, &MainDialog::OnCommSocketEventMessage)
    ON_COMMAND(27007, &MainDialog::OnMainMenu)
    ON_COMMAND(28503, &MainDialog::OnFileMenu)
    ON_COMMAND_RANGE(27001, 28510, &MainDialog::OnVocabularyCommand)
    ON_COMMAND_RANGE(32812, 32813, &MainDialog::OnVocabularyCommand)
END_MESSAGE_MAP()

// ---------------------------------------------------------------- construction

MainDialog::MainDialog(CWnd* pParent) : CDialog(IDD_MAINDIALOG, pParent)
{
    // The skinned controls reach this window through its host.
    m_skinHost = std::make_unique<MainSkinHost>(*this);
    SetSkinHost(m_skinHost.get());
    // 1. Members, the icon, the start time of the run.
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDI_MAINICON) : nullptr;
    m_startTime = static_cast<int64_t>(std::time(nullptr));
    // 2. The program folder (the library's lies beside the program: the
    // same folder); 3. the desktop-window-manager flag.
    m_strProgramFolder = ::GetProgramFolder();
    m_bDwm = FileExists("C:\\Windows\\System32\\dwmapi.dll");
    // 4. The settings.
    LoadSettings();
    // 5. The log.
    m_bLog = GetIniBool("MAIN", "Logging");
    if (m_bLog) {
        const CString log = m_strProgramFolder + "TXLOG.txt";
        if (FileExists(log))
            ::DeleteFileA(log);
        Log("Program run started");
        m_ini.SetLogWriter(WriteLog);
    }
    // 6. Menu captions; 7. sound effects (read by the parts' audio windows
    // when they are made); 8. the command vocabulary.
    RunStartupSeam(*this, StartupSeam::MenuTextMap);
    BuildActionNameMap();
    BuildCommandDescriptionMap();
    Log("Commands mapped");
    // 9. The skin.
    m_bSkinLoaded = LoadSkin();
    Log("Skin loaded");
    // 10. The random generator; 11. the worker threads.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    StartWorkerThreads();
}

bool MainDialog::LoadSkin()
{
    Skin& skin = TheSkin();
    skin.SetFolder(m_settings.skinBitmapFolder + "\\");
    if (skin.Load(m_settings.skinFilePath) &&
        FileExists(m_settings.skinBitmapFolder + "\\" + skin.GetBackgroundImage()))
        return true;

    // The chosen skin is unusable: say so once and take the shipped one.
    const CString failed = m_settings.skinFilePath;
    CString text;
    text.Format("Skin not loaded: %s", failed.GetString());
    Log(text);
    const CString folder = m_strProgramFolder + "Skins";
    const CString file = folder + "\\Default.xml";
    const CString bitmaps = folder + "\\Default";
    bool loaded = false;
    if (file.CompareNoCase(failed) != 0) {
        skin.Clear();
        skin.SetFolder(bitmaps + "\\");
        loaded = skin.Load(file) && FileExists(bitmaps + "\\" + skin.GetBackgroundImage());
    }
    if (loaded) {
        m_settings.SkinFolder = folder;
        m_settings.SkinXML = "Default.xml";
        m_settings.SkinBMPPath = "Default";
        m_settings.skinFilePath = file;
        m_settings.skinBitmapFolder = bitmaps;
        Log("Default skin loaded instead");
        text.Format("The skin \"%s\" could not be loaded.\nTavrix uses its Default skin instead.",
                    failed.GetString());
        AfxPromptMessageBox(nullptr, text, kCaption, MB_OK | MB_ICONWARNING);
        return true;
    }
    skin.Clear();
    Log("Default skin not loaded either: the program ends");
    text.Format("The skin \"%s\" could not be loaded, nor the Default skin \"%s\".\n"
                "Tavrix cannot start without a skin.",
                failed.GetString(), file.GetString());
    AfxPromptMessageBox(nullptr, text, kCaption, MB_OK | MB_ICONSTOP);
    return false;
}

void MainDialog::StartWorkerThreads()
{
    static ThreadJob folderJob, displayJob;
    for (HANDLE& event : m_hIdleEvents)
        event = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_threadIdle.AddHandler(m_hIdleEvents[0], RunThreadJob, nullptr);
    if (m_settings.UseEnumerateFolderThread) {
        m_hFolderEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        folderJob = {this, StartupSeam::FolderListingJob};
        m_threadFolders.AddHandler(m_hFolderEvent, RunThreadJob, &folderJob);
        m_threadFolders.Start(THREAD_PRIORITY_NORMAL);
    }
    if (m_settings.UseDisplayTracksThread) {
        m_hDisplayEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        displayJob = {this, StartupSeam::LibraryDisplayJob};
        m_threadDisplay.AddHandler(m_hDisplayEvent, RunThreadJob, &displayJob);
        m_threadDisplay.Start(THREAD_PRIORITY_NORMAL);
    }
}

bool MainDialog::StartLibraryDisplayJob()
{
    return m_hDisplayEvent && ::SetEvent(m_hDisplayEvent);
}

void MainDialog::Log(const char* text) const
{
    if (m_bLog)
        WriteLog(text);
}

void MainDialog::PumpWaiting()
{
    DispatchWaitingMessages();
}

void MainDialog::SetSplashStatus(TXVSplash& splash, const char* text, int pumps)
{
    splash.SetStatus(text);
    for (int i = 0; i < pumps; ++i)
        PumpWaiting();
}

// ---------------------------------------------------------------- start-up

BOOL MainDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (m_splashStart.CreateSplash(this))
        m_splashStart.ShowSplash();
    SetSplashStatus(m_splashStart, "Launching...");
    SetSplashStatus(m_splashStart, "Creating shortcuts...");

    LoadShortcutFile(m_strProgramFolder + m_settings.ShortcutsXML, m_hAccel);
    Log("Accel table created");
    if (m_settings.UseController) {
        SetSplashStatus(m_splashStart, "Creating controller maps...");
        LoadControllerMap(m_strProgramFolder + m_settings.Controller + ".xml");
    }
    Log("Controller mapping completed");

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowText(kCaption);

    RunStartupSeam(*this, StartupSeam::PopupList);
    StartupStep(Parts().CreateModeless(main_menus::ModelessWindow::AudioJukebox), "Audio jukebox created",
                "audio jukebox");

    SetTimer(main_timers::kStartup, main_timers::kStartupPeriod);

    m_bCDPlayerEnabled = GetIniBool("CDPLAYER", "Enable");
    if (m_bCDPlayerEnabled)
        RunStartupSeam(*this, StartupSeam::CDPlayer);
    RunStartupSeam(*this, StartupSeam::AdvancedSearch);
    RunStartupSeam(*this, StartupSeam::CommView);
    StartupStep(Parts().CreateModeless(main_menus::ModelessWindow::SoundEffects), "Sound effects created",
                "sound effects");
    RunStartupSeam(*this, StartupSeam::SearchBox);
    if (m_settings.UseController)
        RunStartupSeam(*this, StartupSeam::MIDIController);
    return TRUE;
}

// Timer 1 and the other timers: mainwindow/timers.

// ---------------------------------------------------------------- window messages

int MainDialog::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    if (static_cast<int>(Default()) == -1)
        return -1;

    // On the skin's rectangle, at the bottom, hidden until timer 1.
    const SkinRect& r = TheSkin().GetBackgroundRect();
    ::SetWindowPos(m_hWnd, HWND_BOTTOM, r.left, r.top, r.Width(), r.Height(), SWP_HIDEWINDOW);

    // The background from the skin's bitmap folder, into a memory DC.
    const CString path = m_settings.skinBitmapFolder + "\\" + TheSkin().GetBackgroundImage();
    m_hBackground = static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (m_hBackground) {
        BITMAP info = {};
        ::GetObjectA(m_hBackground, sizeof info, &info);
        m_sizeBackground.cx = info.bmWidth;
        m_sizeBackground.cy = info.bmHeight;
    }
    if (m_dcSkin.CreateCompatibleDC(nullptr) && m_hBackground)
        m_hOldSkinBitmap = ::SelectObject(m_dcSkin.m_hDC, m_hBackground);

    // The track icons.
    if (m_imlTracks.Create(16, 17, ILC_COLOR32 | ILC_MASK, 1, 20)) {
        CBitmap strip;
        if (strip.LoadBitmap(IDB_TRACKICONS))
            m_imlTracks.Add(&strip, RGB(0, 255, 0));
    }
    return 0;
}

void MainDialog::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // Only timer 1 shows the window (the modal loop would show it at once).
    if (!m_bLaidOut)
        lpwndpos->flags &= ~SWP_SHOWWINDOW;
    Default();
}

void MainDialog::OnPaint()
{
    if (::IsIconic(m_hWnd)) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
        RECT rect;
        ::GetClientRect(m_hWnd, &rect);
        const int x = (rect.right - rect.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (rect.bottom - rect.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(dc.m_hDC, x, y, m_hIcon);
        return;
    }
    CPaintDC dc(this);
    const RECT& update = dc.m_ps.rcPaint;
    if (update.right <= update.left || update.bottom <= update.top)
        return;
    CRect rect(update);
    MemDC mem(&dc, &rect);
    mem.BitBlt(0, 0, m_sizeBackground.cx, m_sizeBackground.cy, &m_dcSkin, 0, 0, SRCCOPY);
}

BOOL MainDialog::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;   // the paint covers everything
}

void MainDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    lpMMI->ptMinTrackSize.x = kMinTrackWidth;
    lpMMI->ptMinTrackSize.y = kMinTrackHeight;
    Default();
}

HBRUSH MainDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    (void)pDC;
    (void)nCtlColor;
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (pWnd && ::GetDlgCtrlID(pWnd->m_hWnd) == IDC_HOLLOW_CHILD)
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    return brush;
}

LRESULT MainDialog::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hIcon);
}

LRESULT MainDialog::OnDeviceChange(WPARAM, LPARAM)
{
    if (m_settings.UseController && static_cast<int>(::midiInGetNumDevs()) <= 0)
        RunStartupSeam(*this, StartupSeam::MIDIShutdown);
    return 0;
}

LRESULT MainDialog::OnEndSession(WPARAM wParam, LPARAM)
{
    // The session ends: save as on any other way out, without asking.
    if (wParam)
        ExitProgram(false);
    return 0;
}

void MainDialog::OnSysCommand(UINT nID, LPARAM lParam)
{
    (void)lParam;
    if ((nID & 0xFFF0) == SC_CLOSE) {
        if (!ExitProgram())
            return;
        return;   // the window is gone: nothing is left to process
    }
    Default();
}

void MainDialog::OnClose()
{
    // Closed from outside (another program, the task list): shut down in order.
    ExitProgram();
}

void MainDialog::OnCancel()
{
    ExitProgram();
}

void MainDialog::OnCommandClose()
{
    ExitProgram();
}
