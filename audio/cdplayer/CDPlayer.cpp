#include "audio/cdplayer/CDPlayer.h"

#include <commctrl.h>
#include <dbt.h>

#include <cstdio>
#include <cstdlib>

#include "foundation/app/ProgramFolder.h"
#include "foundation/app/WaitingMessages.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/CDC.h"
#include "framework/ui/MessageMap.h"
#include "framework/win/CFile.h"
#include "framework/win/CWaitCursor.h"

IMPLEMENT_DYNAMIC(CCDPlayer, CDialog)

BEGIN_MESSAGE_MAP(CCDPlayer, CDialog)
    ON_BN_CLICKED(IDC_CD_PLAYPAUSE, &CCDPlayer::OnPlayPause)
    ON_BN_CLICKED(IDC_CD_STOP, &CCDPlayer::OnStop)
    ON_BN_CLICKED(IDC_CD_NEXT, &CCDPlayer::OnNext)
    ON_BN_CLICKED(IDC_CD_PREVIOUS, &CCDPlayer::OnPrevious)
    ON_BN_CLICKED(IDC_CD_EJECT, &CCDPlayer::OnEject)
    ON_BN_CLICKED(IDC_CD_MIXERINFO, &CCDPlayer::OnMixerInfo)
    ON_CBN_SELCHANGE(IDC_CD_OUTPUTDEVICE, &CCDPlayer::OnOutputDeviceChange)
    ON_BN_CLICKED(IDC_CD_LOOKUP, &CCDPlayer::OnCddbLookup)
    ON_BN_CLICKED(IDC_CD_REFRESH, &CCDPlayer::OnRefreshTrackList)
    ON_NOTIFY(NM_DBLCLK, IDC_CD_TRACKLIST, &CCDPlayer::OnTrackDblClk)
    ON_WM_CTLCOLOR()
    ON_WM_VSCROLL()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_DEVICECHANGE, &CCDPlayer::OnDeviceChange)
    ON_MESSAGE(MM_MCINOTIFY, &CCDPlayer::OnMciNotify)
END_MESSAGE_MAP()

const char* const kDefaultCddbSite = "gnudb.gnudb.org";

namespace {

const char* const kSection = "CDPLAYER";
const char* const kMessageCaption = "TAVRIX PRO DJ";
// A disc holds at most 99 tracks; a drive that claims more is not believed.
const int kMaxTracks = 99;

CString IniPath()
{
    return GetProgramFolder() + "TavrixVJ.INI";
}

CString MinutesSeconds(int seconds)
{
    return CDMinutesSecondsText(seconds, 2);
}

// The window position as CDPLAYER/WindowPos stores it.
struct StoredPosition
{
    int32_t left;
    int32_t top;
};
static_assert(sizeof(StoredPosition) == 8, "WindowPos is two 32-bit integers");

} // namespace

CCDPlayer::CCDPlayer(CDAudioOwner* owner, CWnd* parent, CDAudioDriver* driver)
    : CDialog(IDD, parent)
    , m_audio(owner ? owner : this, driver)
    , m_parent(parent)
{
}

CCDPlayer::~CCDPlayer() = default;

BOOL CCDPlayer::CreateModeless()
{
    return Create(IDD, m_parent);
}

// ---------------------------------------------------------------- settings

int CCDPlayer::IniInt(const char* key, int fallback) const
{
    return static_cast<int>(::GetPrivateProfileIntA(kSection, key, fallback, IniPath()));
}

CString CCDPlayer::IniString(const char* key, const char* fallback) const
{
    char value[256] = {};
    ::GetPrivateProfileStringA(kSection, key, fallback, value, sizeof value, IniPath());
    return value;
}

UINT CCDPlayer::DriveType(const char* root)
{
    return ::GetDriveTypeA(root);
}

// ---------------------------------------------------------------- start

BOOL CCDPlayer::OnInitDialog()
{
    CDialog::OnInitDialog();
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    if (m_header.SubclassDlgItem(IDC_CD_HEADER, this))
        m_header.SetCaption("CD Player");
    m_list.SubclassDlgItem(IDC_CD_TRACKLIST, this);
    m_volume.SubclassDlgItem(IDC_CD_VOLUME, this);
    m_mixers.SubclassDlgItem(IDC_CD_OUTPUTDEVICE, this);

    while (m_list.DeleteColumn(0))
        ;
    m_list.InsertColumn(0, "#", LVCFMT_LEFT, 25);
    m_list.InsertColumn(1, "Title", LVCFMT_LEFT, 170);
    m_list.InsertColumn(2, "Length", LVCFMT_LEFT, 50);
    ListView_SetExtendedListViewStyleEx(m_list.GetSafeHwnd(), LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);

    // The settings first, so that a lookup on opening saves as asked.
    m_saveInfo = IniInt("SaveInfo", 0) != 0;
    m_catalogPath = GetProgramFolder() + IniString("SaveInfoFilename", "TXDiscs.txt");

    if (m_audio.IsMediaPresent())
        ReadDiscIntoList("No CD, or read error...");
    else
        SetProgress("No CD in drive...");

    DWORD minimum = 0, maximum = 65535;
    m_audio.GetCDVolumeRange(minimum, maximum);
    m_volume.SetRange(static_cast<int>(minimum), static_cast<int>(maximum), TRUE);
    m_volume.SetPageSize(4000);
    m_volume.SetPos(65535 - static_cast<int>(m_audio.GetCDVolume()));

    UpdateDisplay();

    m_audio.FillMixerList(m_mixers.GetSafeHwnd());
    const int device = IniInt("OutputDevice", 0);
    for (int i = 0; i < m_mixers.GetCount(); ++i)
        if (static_cast<int>(m_mixers.GetItemData(i)) == device)
            m_mixers.SetCurSel(i);

    SetDlgItemText(IDC_CD_ALBUM, "Unknown...");

    if (IniInt("CDDBOnOpen", 0) == 1) {
        SetProgress("Looking up CD Info...");
        if (CWnd* progress = GetDlgItem(IDC_CD_PROGRESS))
            progress->UpdateWindow();
        OnCddbLookup();
        UpdateDisplay();
    }
    return TRUE;
}

// ---------------------------------------------------------------- the disc

void CCDPlayer::SetProgress(const char* text)
{
    SetDlgItemText(IDC_CD_PROGRESS, text);
}

bool CCDPlayer::ReadCD()
{
    SetProgress("Reading CD...");
    DispatchWaitingMessages();
    m_tracks.clear();
    m_audio.Open();
    if (!m_audio.IsReady() || !m_audio.IsMediaPresent())
        return false;
    int count = m_audio.GetTrackCount();
    if (count > kMaxTracks)
        count = kMaxTracks;
    for (int n = 1; n <= count; ++n) {
        CDTrackEntry entry;
        entry.number = n;
        entry.start = m_audio.GetTrackStart(n);
        entry.length = m_audio.GetTrackLength(n);
        entry.end = entry.start + entry.length;
        entry.title.Format("Track %d", n);
        m_tracks.push_back(entry);
    }
    SetProgress("Idle...");
    return true;
}

// Reads the disc with the wait cursor and lists it; `failure` goes to the
// progress line when the disc cannot be read.
void CCDPlayer::ReadDiscIntoList(const char* failure)
{
    SetProgress("Reading CD...");
    CWaitCursor wait;
    if (!ReadCD())
        SetProgress(failure);
    m_trackCount = m_audio.GetTrackCount();
    RefreshTrackList();
}

void CCDPlayer::RefreshTrackList()
{
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    if (m_audio.IsReady() && m_audio.IsMediaPresent()) {
        for (size_t i = 0; i < m_tracks.size(); ++i) {
            const CDTrackEntry& entry = m_tracks[i];
            CString number;
            number.Format("%02d", entry.number);
            const int row = m_list.InsertItem(static_cast<int>(i), number);
            m_list.SetItemText(row, 1, entry.title);
            m_list.SetItemText(row, 2, MinutesSeconds(entry.length));
            m_list.SetItemData(row, static_cast<DWORD_PTR>(i + 1));
        }
        const int length = m_audio.GetDiscLength();
        CString totals;
        totals.Format("TRKS: %d  ::  TOTTIME: %02d:%02d", m_list.GetItemCount(), length / 60, length % 60);
        SetDlgItemText(IDC_CD_TOTALS, totals);
    }
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}

void CCDPlayer::UpdateDisplay()
{
    const int row = m_currentTrack - 1;
    SetDlgItemText(IDC_CD_TITLE, row >= 0 && row < m_list.GetItemCount() ? m_list.GetItemText(row, 1) : CString());
    const int elapsed = m_audio.GetPosition() - m_audio.GetTrackStart(m_audio.GetCurrentTrack());
    SetDlgItemText(IDC_CD_ELAPSED, MinutesSeconds(elapsed));
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        const bool current = static_cast<int>(m_list.GetItemData(i)) == m_currentTrack;
        m_list.SetItemState(i, current ? LVIS_SELECTED : 0, LVIS_SELECTED);
        if (current)
            m_list.EnsureVisible(i, FALSE);
    }
}

void CCDPlayer::UpdateTimes()
{
    const int track = m_audio.GetCurrentTrack();
    const int elapsed = m_audio.GetPosition() - m_audio.GetTrackStart(track);
    SetDlgItemText(IDC_CD_ELAPSED, MinutesSeconds(elapsed));
    SetDlgItemText(IDC_CD_REMAIN, MinutesSeconds(m_audio.GetTrackLength(track) - (elapsed < 0 ? 0 : elapsed)));
}

void CCDPlayer::UpdateStateText()
{
    const char* text = "";
    switch (m_state) {
    case CDAUDIO_PLAYING: text = "Playing"; break;
    case CDAUDIO_PAUSED: text = "Paused"; break;
    case CDAUDIO_STOPPED: text = "Stopped"; break;
    }
    SetDlgItemText(IDC_CD_STATE, text);
}

// ---------------------------------------------------------------- playing

void CCDPlayer::PlayCurrentTrack()
{
    m_audio.PlayTrack(m_currentTrack);
    SetTimer(kTimerPlaying, 1000);
}

void CCDPlayer::OnPlayPause()
{
    if (m_audio.IsPlaying()) {
        m_audio.Pause();
        KillTimer(kTimerPlaying);
        m_state = CDAUDIO_PAUSED;
    } else {
        if (m_state == CDAUDIO_PAUSED)
            m_audio.Resume();
        else
            m_audio.PlayTrack(m_currentTrack);
        m_state = CDAUDIO_PLAYING;
        SetTimer(kTimerPlaying, 1000);
    }
    UpdateStateText();
    UpdateDisplay();
}

void CCDPlayer::OnStop()
{
    m_audio.Stop();
    KillTimer(kTimerPlaying);
    m_state = CDAUDIO_STOPPED;
    m_currentTrack = 1;
    UpdateStateText();
    UpdateTimes();
    UpdateDisplay();
}

void CCDPlayer::OnNext()
{
    ++m_currentTrack;
    if (m_currentTrack > m_trackCount) {
        KillTimer(kTimerPlaying);
        m_audio.Stop();
        m_state = CDAUDIO_STOPPED;
        m_currentTrack = 1;
        UpdateStateText();
        UpdateTimes();
    } else {
        PlayCurrentTrack();
    }
    UpdateDisplay();
}

void CCDPlayer::OnPrevious()
{
    if (m_currentTrack <= 1)
        return;
    --m_currentTrack;
    m_audio.PlayTrack(m_currentTrack);
    UpdateDisplay();
}

void CCDPlayer::OnTrackDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    if (!activate || activate->iItem < 0 || activate->iItem >= m_list.GetItemCount())
        return;
    m_currentTrack = std::atoi(m_list.GetItemText(activate->iItem, 0));
    PlayCurrentTrack();
    m_state = CDAUDIO_PLAYING;
    UpdateDisplay();
    UpdateStateText();
}

LRESULT CCDPlayer::OnMciNotify(WPARAM wParam, LPARAM)
{
    if (wParam == MCI_NOTIFY_SUCCESSFUL)
        OnNext();
    return 0;
}

// ---------------------------------------------------------------- tray and disc changes

void CCDPlayer::OnEject()
{
    if (m_audio.IsMediaPresent()) {
        m_audio.ToggleDoor();
        m_currentTrack = 1;
        RefreshTrackList();
        UpdateDisplay();
        SetDlgItemText(IDC_CD_STATE, "");
    } else {
        m_audio.ToggleDoor();
        SetDlgItemText(IDC_CD_STATE, "Waiting on CD...");
        SetTimer(kTimerWaitDisc, 500);
    }
}

void CCDPlayer::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerWaitDisc) {
        DispatchWaitingMessages();
        if (m_audio.IsMediaPresent()) {
            KillTimer(kTimerWaitDisc);
            m_currentTrack = 1;
            RefreshTrackList();
            UpdateDisplay();
        }
    } else if (nIDEvent == kTimerPlaying) {
        UpdateStateText();
        UpdateTimes();
    }
    Default();
}

LRESULT CCDPlayer::OnDeviceChange(WPARAM wParam, LPARAM lParam)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (wParam == DBT_DEVICEARRIVAL && header && header->dbch_devicetype == DBT_DEVTYP_VOLUME &&
        header->dbch_size >= sizeof(DEV_BROADCAST_VOLUME)) {
        const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
        if (volume->dbcv_flags != DBTF_MEDIA || volume->dbcv_unitmask == 0)
            return TRUE;
        char letter = 'A';
        for (DWORD mask = volume->dbcv_unitmask; !(mask & 1) && letter < 'Z'; mask >>= 1)
            ++letter;
        char root[8];
        std::snprintf(root, sizeof root, "%c:\\", letter);
        if (DriveType(root) != DRIVE_CDROM)
            return TRUE;
        if (!ReadCD())
            SetProgress("CD read error...");
        m_trackCount = m_audio.GetTrackCount();
        RefreshTrackList();
        UpdateDisplay();
    } else if (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) {
        UpdateDisplay();
    }
    return TRUE;
}

void CCDPlayer::OnRefreshTrackList()
{
    if (m_audio.IsMediaPresent())
        ReadDiscIntoList("No CD, or read error...");
    else
        SetProgress("No CD in drive...");
}

// ---------------------------------------------------------------- volume and mixers

void CCDPlayer::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    const HWND from = pScrollBar ? reinterpret_cast<CWnd*>(pScrollBar)->GetSafeHwnd() : nullptr;
    if (from && from == m_volume.GetSafeHwnd() && nSBCode <= SB_THUMBTRACK)
        m_audio.SetCDVolume(static_cast<DWORD>(65535 - m_volume.GetPos()));
    Default();
}

void CCDPlayer::OnOutputDeviceChange()
{
    const int item = m_mixers.GetCurSel();
    if (item < 0)
        return;
    CString value;
    value.Format("%d", static_cast<int>(m_mixers.GetItemData(item)));
    ::WritePrivateProfileStringA(kSection, "OutputDevice", value, IniPath());
}

void CCDPlayer::OnMixerInfo()
{
    const UINT mixers = m_audio.GetMixerCount();
    for (UINT i = 0; i < mixers; ++i) {
        CString text;
        text.Format("Device ID #%u: %s", i, m_audio.GetMixerName(i));
        MessageBox(text, kMessageCaption, MB_OK | MB_ICONINFORMATION);
    }
    DWORD minimum = 0, maximum = 0, steps = 0;
    const MMRESULT result = m_audio.GetCDVolumeMetrics(minimum, maximum, steps);
    CString text;
    if (result != MMSYSERR_NOERROR) {
        text.Format("Error getting Volume Control: %d", static_cast<int>(result));
        MessageBox(text, kMessageCaption, MB_OK | MB_ICONINFORMATION);
    } else {
        text.Format("Volume Min: %lu\nVolume Max: %lu\nStep: %lu", static_cast<unsigned long>(minimum),
                    static_cast<unsigned long>(maximum), static_cast<unsigned long>(steps));
        MessageBox(text, kMessageCaption, MB_OK | MB_ICONINFORMATION);
        m_volume.SetRange(static_cast<int>(minimum), static_cast<int>(maximum), TRUE);
    }
    DWORD value = 0;
    if (m_audio.ReadCDVolume(value))
        m_volume.SetPos(static_cast<int>(value));
    else
        MessageBox("Error getting control details", kMessageCaption, MB_OK | MB_ICONINFORMATION);
}

// ---------------------------------------------------------------- colours

HBRUSH CCDPlayer::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT)
{
    const HBRUSH standard = reinterpret_cast<HBRUSH>(Default());
    const int id = pWnd ? ::GetDlgCtrlID(pWnd->GetSafeHwnd()) : 0;
    CFont* font = nullptr;
    COLORREF colour = RGB(0, 255, 255);
    switch (id) {
    case IDC_CD_TITLE: font = &m_draw.m_fntArialBold10; break;
    case IDC_CD_ELAPSED:
    case IDC_CD_REMAIN: font = &m_draw.m_fntArial10; break;
    case IDC_CD_TIMELABELS:
        font = &m_draw.m_fntArial8;
        colour = RGB(0, 192, 0);
        break;
    case IDC_CD_DISPLAY: break;
    default:
        return standard;
    }
    pDC->SetBkColor(RGB(0, 0, 0));
    pDC->SetTextColor(colour);
    if (font && font->GetSafeHandle())
        pDC->SelectObject(font);
    return static_cast<HBRUSH>(m_draw.m_brBlack.GetSafeHandle());
}

// ---------------------------------------------------------------- window position

void CCDPlayer::SaveWindowPos()
{
    if (!m_hWnd)
        return;
    RECT rect = {};
    GetWindowRect(&rect);
    StoredPosition position = {rect.left, rect.top};
    ::WritePrivateProfileStructA(kSection, "WindowPos", &position, sizeof position, IniPath());
}

void CCDPlayer::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (bShow) {
        StoredPosition position = {};
        if (::GetPrivateProfileStructA(kSection, "WindowPos", &position, sizeof position, IniPath()))
            SetWindowPos(nullptr, position.left, position.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SaveWindowPos();
    }
}

void CCDPlayer::OnClose()
{
    SaveWindowPos();
    Default();
}

void CCDPlayer::OnDestroy()
{
    KillTimer(kTimerPlaying);
    KillTimer(kTimerWaitDisc);
    Default();
}

// ---------------------------------------------------------------- the CD database

void CCDPlayer::ShowLookupFailure(uint32_t discId, const CString& host)
{
    CString text;
    text.Format("Unable to get disc info for:\n\nDisc ID: %08x\nCDDB Server: %s\n\nPossible Causes:\n\n"
                "This may be a burned disc;\nYou may not have an internet connection;\nThe CDDB server timed out.",
                discId, host);
    MessageBox(text, kMessageCaption, MB_OK | MB_ICONINFORMATION);
}

void CCDPlayer::OnCddbLookup()
{
    // The lookup lets waiting messages through: a second click waits for
    // the first lookup instead of running inside it.
    if (m_lookupRunning)
        return;
    m_lookupRunning = true;
    SetProgress("Looking up CD Info...");
    DispatchWaitingMessages();
    // The lookup opens the drive for itself: closing it stops the disc.
    m_audio.Close();
    if (m_state != CDAUDIO_STOPPED) {
        KillTimer(kTimerPlaying);
        m_state = CDAUDIO_STOPPED;
        UpdateStateText();
    }

    uint32_t discId = 0;
    if (!m_client.ComputeDiscId(discId)) {
        CString text;
        text.Format("An error occurred while retrieving the DISC ID, Error:%d, Text:%s", m_client.GetLastErrorCode(),
                    m_client.GetErrorText());
        MessageBox(text, kMessageCaption, MB_OK | MB_ICONINFORMATION);
    } else {
        CDDBServer server;
        server.host = IniString("CDDBSite", kDefaultCddbSite);
        server.port = IniInt("CDDBPort", 80);
        CDDBToc toc;
        m_client.ReadToc(toc);
        CDDBMatchArray matches;
        CDDBRecord record;
        if (!m_client.Query(server, discId, toc, matches) || matches.GetSize() == 0 ||
            !m_client.Read(server, matches[0].discId, matches[0].category, record)) {
            ShowLookupFailure(discId, server.host);
        } else {
            SetDlgItemText(IDC_CD_ALBUM, record.title + " - " + record.artist);
            for (size_t i = 0; i < static_cast<size_t>(record.trackTitles.GetSize()) && i < m_tracks.size(); ++i)
                m_tracks[i].title = record.trackTitles[static_cast<int>(i)];
            RefreshTrackList();
            if (m_saveInfo) {
                CString id;
                id.Format("%08x", record.discId);
                SaveDiscToCatalog(record.title, record.artist, id);
            }
        }
    }

    m_audio.Open();
    SetProgress("Idle...");
    UpdateDisplay();
    m_lookupRunning = false;
}

bool CCDPlayer::SaveDiscToCatalog(const CString& title, const CString& artist, const CString& discId)
{
    CDCatalogAlbum album;
    album.artist = artist;
    album.title = title;
    album.discId = discId;
    for (const CDTrackEntry& entry : m_tracks) {
        CDCatalogTrack track;
        track.number = entry.number;
        track.title = entry.title;
        track.length = entry.length;
        album.tracks.push_back(track);
    }
    DWORD error = 0;
    const CDCatalogSave result = AppendToCatalogFile(m_catalogPath, album, &error, DispatchWaitingMessages);
    if (result == CDCatalogSave::Written)
        return true;
    CString text;
    if (result == CDCatalogSave::NotACatalogue) {
        text.Format("%s is not a CD catalogue: the disc was not added to it.", m_catalogPath);
    } else {
        try {
            CFile::ThrowOsError(error, m_catalogPath);
        } catch (const CFileException& e) {
            text = e.GetErrorMessage();
        }
    }
    MessageBox(text, kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
    return false;
}
