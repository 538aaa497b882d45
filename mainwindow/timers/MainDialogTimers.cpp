// The main window's timers: timer 1's start-up sequence, the held
// fast-forward and rewind, the accelerating scroll repeats, the clock and
// uptime, the CPU meter, the dAredero advance and the first focus. The
// fades, glide, AutoMix and random play ticks belong to the mixer.
#include "mainwindow/dialog/MainDialog.h"

#include <commctrl.h>

#include "foundation/cpu/CpuUsageSampler.h"
#include "mainwindow/dialog/StartupSeams.h"
#include "skin/file/Skin.h"

using namespace main_timers;
using main_menus::ModelessWindow;

void MainDialog::StartTimer(UINT id, UINT period)
{
    Parts().StartTimer(m_hWnd, id, period);
}

void MainDialog::StopTimer(UINT id)
{
    Parts().StopTimer(m_hWnd, id);
}

void MainDialog::StartupStep(bool done, const char* line, const char* missing)
{
    if (done) {
        Log(line);
        return;
    }
    CString text;
    text.Format("Not yet part of the program: %s", missing);
    Log(text);
}

// ---------------------------------------------------------------- timer 1

void MainDialog::OnStartupTimer()
{
    MainWindowParts& parts = Parts();
    const Skin& skin = TheSkin();

    // 1, 2.
    KillTimer(kStartup);
    SetSplashStatus(m_splashStart, "Building skin...");
    // 3. The window from the skin.
    StartupStep(parts.CreateButtons(), "Buttons initialized", "buttons");
    StartupStep(parts.CreateTextFields(), "Text fields initialized", "text fields");
    StartupStep(parts.CreateStatusFields(), "Status fields initialized", "status fields");
    StartupStep(parts.CreateIndicatorLights(), "Indicator lights initialized", "indicator lights");
    StartupStep(parts.CreateTrees(), "Trees initialized", "trees");
    StartupStep(parts.CreateLists(), "Lists initialized", "lists");
    StartupStep(parts.CreateMiscControls(), "Misc controls initialized", "misc controls");
    // 4, 5.
    parts.UpdateQueueCaption(1);
    parts.UpdateQueueCaption(2);
    parts.UpdateQueueCaption(4);
    StartupStep(parts.RefreshPresetButtons(), "Presets initialized", "preset buttons");
    // 6.
    SetSplashStatus(m_splashStart, "Initializing decks...");
    StartupStep(parts.InitDecks(), "Player decks initialized", "decks");
    // 7. The modeless windows.
    StartupStep(parts.CreateModeless(ModelessWindow::WaitingWindow), "WaitingDlg created", "waiting window");
    StartupStep(parts.CreateModeless(ModelessWindow::MasterMixer), "Master mixer created", "master mixer");
    StartupStep(parts.CreateModeless(ModelessWindow::FXConfig), "m_FXConfig created", "deck effects window");
    if (m_settings.videoJukeboxEnable)
        StartupStep(parts.CreateModeless(ModelessWindow::VideoJukebox), "Video Jukebox created", "video jukebox");
    PumpWaiting();
    StartupStep(parts.CreateModeless(ModelessWindow::OutputText), "Output Text created", "text output");
    // 8. The library.
    m_splashStart.SetStatus("Loading Library...");
    const bool noLibrary = m_settings.Library.IsEmpty();
    if (!noLibrary) {
        VIZU::Open(m_settings.Library);
        m_nMainListView = 1;
        CString text;
        text.Format("Library open: %s", m_settings.Library.GetString());
        Log(text);
    }
    // 9, 10.
    if (!parts.HasThumbList())
        parts.SelectLibraryRoot();
    if (parts.HasVideoOnSkin())
        parts.SetVideoVolume(GetIniInt("VIDEOONSKIN", "Volume"));
    // 11. The window is shown.
    m_bLaidOut = true;
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    ::UpdateWindow(m_hWnd);
    Log("Main window shown");
    // 12.
    m_splashStart.FadeOut(800);
    Log("Splash destroyed");
    parts.LoadAutoMixSettings();
    // 13.
    if (noLibrary)
        CreateFirstLibrary();
    // 14, 15. The jukebox pages or the library tree.
    if (skin.IsJukeMode()) {
        parts.CreateJukeboxPlayer();
        if (skin.IsJukeMode2()) {
            parts.ShowFirstJukeboxPage();
            StartTimer(kDAredero, kDArederoPeriod);
        } else {
            parts.BuildLibraryTree();
            parts.SetJukeboxViews(6);
        }
    }
    if (parts.HasThumbList()) {
        parts.BuildLibraryTree();
        parts.ShowThumbSelection(1);
    }
    // 16, 17.
    if (m_settings.UseController && m_bDenonFeedback)
        parts.SetDenonLights(true);
    parts.AutoLoadOnStart();
    // 18. The command line's playlist into the AutoMix queue.
    if (m_bCmdLinePlaylist && !m_strCmdLinePlaylist.IsEmpty()) {
        const CString path = m_settings.PlaylistFolder + "\\" + m_strCmdLinePlaylist;
        StartupStep(parts.LoadAutoMixQueue(path), "Command line playlist loaded", "AutoMix queue");
        parts.UpdateQueueCaption(4);
        if (!parts.IsAutoMixRunning())
            parts.ToggleAutoMix();
    }
    // 19, 20.
    if (parts.HasTrackListAndInfo())
        StartTimer(kFirstFocus, kFirstFocusPeriod);
    if (skin.IsPeakViewA())
        parts.ToggleDeckSpectrum(0);
    if (skin.IsPeakViewB())
        parts.ToggleDeckSpectrum(1);
}

// No library set: "TXTracks.txd" in the program folder becomes the library,
// and the add-music wizard fills it.
void MainDialog::CreateFirstLibrary()
{
    const CString path = m_strProgramFolder + "TXTracks.txd";
    if (!VIZU::Create(path)) {
        CString text;
        text.Format("Library not created: %s", path.GetString());
        Log(text);
        return;
    }
    m_settings.Library = path;
    WriteIniString("MAIN", "Library", path);
    VIZU::Open(path);
    CString text;
    text.Format("Library created: %s", path.GetString());
    Log(text);
    StartupStep(Parts().RunAddMusicWizard(), "Add music wizard done", "add music wizard");
    Parts().DisplayTreeSelection();
    Parts().DisplayTreeSelection();
    Parts().SelectLibraryRoot();
}

// ---------------------------------------------------------------- the ticks

void MainDialog::OnTimer(UINT_PTR nIDEvent)
{
    const UINT id = static_cast<UINT>(nIDEvent);
    MainWindowParts& parts = Parts();
    switch (id) {
    case kStartup:
        OnStartupTimer();
        return;
    case kHoldA:
    case kHoldB: {
        const int deck = static_cast<int>(id - kHoldA);
        if (m_bHeldForward[deck])
            RunCommand(deck == 0 ? 27121 : 27221);
        else if (m_bHeldRewind[deck])
            RunCommand(deck == 0 ? 27122 : 27222);
        return;
    }
    case kJukeListUp:
    case kJukeListDown:
        if (RepeatTick(m_repeatJukeList, kJukeListRepeat, id))
            parts.JukeListSelect(id == kJukeListDown);
        return;
    case kThumbLeft:
    case kThumbRight:
        if (RepeatTick(m_repeatThumbList, kThumbListRepeat, id))
            parts.ThumbListScroll(id == kThumbRight);
        return;
    case kTrackListUp:
    case kTrackListDown:
        if (RepeatTick(m_repeatTrackList, kTrackListRepeat, id))
            RunCommand(id == kTrackListUp ? 27612 : 27613);
        return;
    case kClock:
        OnClockTimer();
        return;
    case kCpuMeter:
        OnCpuMeterTimer();
        return;
    case kDAredero:
        if (DArederoAdvances(parts.DArederoQueueRows(), parts.DArederoState()))
            parts.PlayNextJukeboxTrack();
        return;
    case kFirstFocus:
        OnFirstFocusTimer();
        return;
    default:
        if (IsMixerTimer(id))
            parts.MixerTimerTick(id);
        return;   // an id nothing uses
    }
}

bool MainDialog::RepeatTick(RepeatState& state, const RepeatRule& rule, UINT id)
{
    if (!state.running)
        return false;   // released: a tick still on its way does nothing
    state.period = NextRepeatPeriod(state.period, rule);
    StartTimer(id, static_cast<UINT>(state.period));
    return true;
}

void MainDialog::OnClockTimer()
{
    MainWindowParts& parts = Parts();
    int hour = 0, minute = 0;
    parts.LocalTimeOfDay(hour, minute);
    parts.SetTextField("clock", FormatClock(hour, minute).c_str());
    parts.SetTextField("uptime", FormatUptime(parts.Now() - m_startTime).c_str());
}

void MainDialog::OnCpuMeterTimer()
{
    MainWindowParts& parts = Parts();
    if (!parts.HasCpuMeter())
        return;
    parts.TotalCpuUsage();   // kept in step with the process's sample; not shown
    static const CString instance = GetProcessInstanceName();
    const int value = parts.ProcessCpuUsage(instance);
    if (value != m_nLastCpuValue) {
        m_nLastCpuValue = value;
        parts.SetCpuMeter(value);
    }
}

void MainDialog::OnFirstFocusTimer()
{
    StopTimer(kFirstFocus);
    if (HWND list = Parts().TrackListWindow()) {
        ::PostMessageA(list, WM_SETFOCUS, 0, 0);
        LVITEMA item = {};
        item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        item.state = LVIS_FOCUSED | LVIS_SELECTED;
        ::SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    }
    Parts().ShowSelectedTrackInfo();
}
