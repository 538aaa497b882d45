#include "audio/jukebox/AudioJukebox.h"

#include <commctrl.h>
#include <shellapi.h>

#include "audio/deck/DeckLogic.h"
#include "audio/players/PlayerWindowSettings.h"
#include "decoder/player/control_messages.h"
#include "foundation/app/MessageTexts.h"
#include "framework/ui/CDC.h"
#include "framework/ui/MessageMap.h"
#include "library/api/VIZU.h"
#include "skin/tracklist/TrackListRules.h"
#include "widgets/menus/NewMenu.h"

IMPLEMENT_DYNAMIC(AudioJukebox, PlayerWindow)

BEGIN_MESSAGE_MAP(AudioJukebox, PlayerWindow)
    ON_WM_CTLCOLOR()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_JB_STOP, &AudioJukebox::OnStop)
    ON_BN_CLICKED(IDC_JB_NEXT, &AudioJukebox::OnNext)
    ON_BN_CLICKED(IDC_JB_PLAYPAUSE, &AudioJukebox::OnPlayPause)
    ON_BN_CLICKED(IDC_JB_PROPS, &AudioJukebox::OnPropsClicked)
    ON_CBN_SELCHANGE(IDC_JB_OUTPUTDEVICE, &AudioJukebox::OnOutputDeviceChange)
    ON_NOTIFY(NM_DBLCLK, IDC_JB_QUEUE, &AudioJukebox::OnListDoubleClick)
    ON_NOTIFY(NM_CLICK, IDC_JB_QUEUE, &AudioJukebox::OnListClick)
    ON_NOTIFY(NM_RCLICK, IDC_JB_QUEUE, &AudioJukebox::OnListClick)
    ON_WM_CONTEXTMENU()
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

namespace {

const char* const kSection = "AUDIOJUKEBOX";
const char* const kCaption = "Audio Jukebox";
const COLORREF kBlue = 0xd54600;
const COLORREF kCyan = 0xffff00;
const COLORREF kYellow = 0x00ffff;
// The list's type for the jukebox queue, and the row images.
const int kQueueListType = 3;
const int kMp3Image = 5;
const int kOtherImage = 13;
const int kPictureImage = 16;
const int kNoPictureImage = 15;

struct MenuOperation
{
    UINT id;
    JukeboxQueueOperation operation;
};
const MenuOperation kMenuOperations[] = {
    {ID_QLIST_MOVEUP, JukeboxQueueOperation::MoveUp},
    {ID_QLIST_MOVEDOWN, JukeboxQueueOperation::MoveDown},
    {ID_QLIST_BRINGTOTOP, JukeboxQueueOperation::MoveToTop},
    {ID_QLIST_SENDTOBOTTOM, JukeboxQueueOperation::MoveToBottom},
    {ID_QLIST_DELETE, JukeboxQueueOperation::DeleteSelected},
    {ID_QLIST_SHUFFLE, JukeboxQueueOperation::Shuffle},
    {ID_QLIST_EMPTY, JukeboxQueueOperation::Empty},
    {ID_QLIST_SAVEASPLAYLIST, JukeboxQueueOperation::SaveAsPlaylist},
};

void SetSubItemImage(CListCtrl& list, int row, int subItem, int image)
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = subItem;
    item.iImage = image;
    ::SendMessageA(list.GetSafeHwnd(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

bool IsMp3(const CString& fileType)
{
    return fileType.CompareNoCase("mp3") == 0;
}

} // namespace

AudioJukebox::AudioJukebox(AudioJukeboxHost* host, CWnd* parent)
    : PlayerWindow(IDD, kSection, parent)
    , m_host(host)
    , m_queue(&VIZU::GetTagInfo, this, this)
{
}

AudioJukebox::~AudioJukebox()
{
    if (m_hWnd)
        KillTimer(kTimerDevices);
    SaveSettings();
    delete m_player;
    m_player = nullptr;
    if (m_hWnd)
        DestroyWindow();
}

AudioJukeboxPlayer* AudioJukebox::CreatePlayer()
{
    return new AudioJukeboxPlayer(::GetModuleHandleA(nullptr));
}

// ---------------------------------------------------------------- settings

void AudioJukebox::LoadSettings()
{
    m_outputDevice = ReadPlayerSetting(kSection, "OutputDevice");
    m_volume = ReadPlayerSetting(kSection, "Volume");
    m_preloadSeconds = ReadPlayerSetting(kSection, "PreloadSeconds");
    m_feedbackRate = ReadPlayerSetting(kSection, "Feedback");
    if (m_hWnd)
        MoveToStoredPosition();
}

void AudioJukebox::SaveSettings()
{
    WritePlayerSetting(kSection, "OutputDevice", m_player ? m_player->GetDeviceIndex() : m_outputDevice);
    WritePlayerSetting(kSection, "Volume", m_volume);
    if (m_hWnd)
        WritePlayerWindowPos(kSection, m_hWnd);
}

// ---------------------------------------------------------------- start

BOOL AudioJukebox::OnInitDialog()
{
    CDialog::OnInitDialog();
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    if (m_header.SubclassDlgItem(IDC_JB_HEADER, this))
        m_header.SetCaption(kCaption);
    m_list.SubclassDlgItem(IDC_JB_QUEUE, this);
    m_volumeSlider.SubclassDlgItem(IDC_JB_VOLUME, this);
    m_progress.SubclassDlgItem(IDC_JB_PROGRESS, this);
    m_devices.SubclassDlgItem(IDC_JB_OUTPUTDEVICE, this);
    m_positionSlider.SubclassDlgItem(IDC_JB_POSITION, this);
    m_leftMeter.SubclassDlgItem(IDC_JB_LEFTMETER, this);
    m_rightMeter.SubclassDlgItem(IDC_JB_RIGHTMETER, this);

    LoadSettings();
    SetupQueueList();

    m_outputDevice = ReadPlayerSetting(kSection, "OutputDevice");
    m_player = CreatePlayer();
    m_queue.SetPlayer(m_player);
    m_player->Setup(this, m_hWnd, m_outputDevice, 0, "Jukebox", 0);
    m_player->SetFeedbackRate(m_feedbackRate);

    m_volumeSlider.SetRange(0, 100, TRUE);
    m_volumeSlider.SetTicFreq(5);
    m_volumeSlider.SetPos(100 - m_volume);
    m_player->SetVolume(m_volume);

    // Read again from the settings each time the window is shown.
    m_preloadSeconds = 0;

    SetDlgItemText(IDC_JB_STATUSLINE, "Idle...");
    SetTimer(kTimerDevices, 100, nullptr);
    FillQueueList();
    SetupMeters();
    return TRUE;
}

void AudioJukebox::SetupQueueList()
{
    m_list.SetColors(0xffffff, 0);
    m_list.SetSkinValue(false, CString());
    m_list.SetListType(kQueueListType);
    VIZU::DisplayListHeader(&m_list, false);
    m_list.EnableSorting(false);
}

void AudioJukebox::SetupMeters()
{
    // Plain names: the pictures lie in the current folder.
    m_leftMeter.LoadBitmaps("JBLedOff.bmp", "JBLedLOn.bmp");
    m_leftMeter.SetVertical(false);
    m_leftMeter.SetReverse(true);
    m_rightMeter.LoadBitmaps("JBLedOff.bmp", "JBLedROn.bmp");
    m_rightMeter.SetVertical(false);
    m_leftMeter.SetLevel(0);
    m_rightMeter.SetLevel(0);
}

// ---------------------------------------------------------------- the queue

bool AudioJukebox::IsEmpty() const
{
    return !m_host || m_host->JukeboxQueue().GetSize() == 0;
}

CString AudioJukebox::FirstPath() const
{
    return IsEmpty() ? CString() : m_host->JukeboxQueue()[0].m_FileName;
}

void AudioJukebox::RemoveFirst()
{
    if (!IsEmpty())
        m_host->JukeboxQueue().RemoveAt(0);
}

int AudioJukebox::FillQueueList()
{
    if (!m_list.GetSafeHwnd())
        return 0;
    m_list.DeleteAllItems();
    if (m_host) {
        CArray<CTrackRecord, CTrackRecord&>& queue = m_host->JukeboxQueue();
        for (int i = 0; i < queue.GetSize(); ++i) {
            VIZU::ProcessMessages();
            // The queue may have changed while messages ran.
            if (i >= queue.GetSize())
                break;
            const CTrackRecord rec = queue[i];
            using namespace tracklist_rules;
            const int image = IsMp3(rec.m_FileType) ? kMp3Image : kOtherImage;
            const int row = m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, i, rec.m_Title, 0, 0, image, i);
            if (row < 0)
                continue;
            CString counter;
            counter.Format("%d", rec.m_PlayCount);
            m_list.SetItemText(row, COL_ARTIST, rec.m_Artist);
            SetSubItemImage(m_list, row, COL_EMPTY, rec.m_HasPicture ? kPictureImage : kNoPictureImage);
            m_list.SetItemText(row, COL_ALBUM, rec.m_Album);
            m_list.SetItemText(row, COL_GENRE, rec.m_Genre);
            m_list.SetItemText(row, COL_LENGTH, VIZU::SecondsToString(rec.m_Length));
            m_list.SetItemText(row, COL_YEAR, rec.m_Year);
            m_list.SetItemText(row, COL_BPM, rec.m_BPMText);
            m_list.SetItemText(row, COL_PATH, rec.m_FileName);
            m_list.SetItemText(row, COL_PLAYCOUNT, counter);
        }
    }
    UpdateStatusText();
    return m_list.GetItemCount();
}

void AudioJukebox::UpdateStatusText()
{
    if (!m_list.GetSafeHwnd())
        return;
    CString text;
    text.Format("%d items -- Time: %s", m_list.GetItemCount(), VIZU::GetTotalQueueTime(&m_list).GetString());
    SetDlgItemText(IDC_JB_STATUSLINE, text);
}

void AudioJukebox::QueueRecordTaken(const CString& path)
{
    if (!m_list.GetSafeHwnd())
        return;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        if (m_list.GetItemText(row, kPathColumn).CompareNoCase(path) == 0) {
            m_list.DeleteItem(row);
            return;
        }
}

bool AudioJukebox::PlayNext()
{
    const bool loaded = m_queue.PlayNext();
    UpdateStatusText();
    return loaded;
}

bool AudioJukebox::QueueDroppedFile(const CString& path)
{
    if (!VIZU::Exists(path))
        return false;
    TAG_INFO tags;
    CTrackRecord rec;
    if (VIZU::GetTagInfo(path, &tags))
        VIZU::CopyTagInfoToRecord(&rec, &tags);
    // A file whose tags cannot be read still joins the queue by its path
    // (its turn passes it over).
    if (rec.m_FileName.IsEmpty())
        rec.m_FileName = path;
    if (m_host)
        m_host->JukeboxQueue().Add(rec);
    VIZU::InsertRecIntoList(&m_list, &m_list.GetSmallImages(), &rec, true);
    return true;
}

void AudioJukebox::OnDropFiles(HDROP hDropInfo)
{
    if (DropLandsOn(hDropInfo, m_hWnd, m_list.GetSafeHwnd())) {
        const UINT count = ::DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            char file[MAX_PATH] = {};
            if (::DragQueryFileA(hDropInfo, i, file, MAX_PATH) == 0)
                continue;
            if (!QueueDroppedFile(file)) {
                ShowMessage("Unable to load file - possibly moved or deleted!");
                break;
            }
        }
    }
    ::DragFinish(hDropInfo);
}

// ---------------------------------------------------------------- loading

bool AudioJukebox::LoadFile(const CString& path)
{
    if (path.IsEmpty())
        return false;
    // Unreadable tags open nothing; the call still counts as taken.
    m_queue.LoadFile(path);
    return true;
}

void AudioJukebox::TrackLoaded(const TAG_INFO& tags)
{
    m_progress.SetRange32(0, tags.Length);
    m_positionSlider.SetRange(0, tags.Length, TRUE);
    UpdateTime(tags.Length);
    SetDlgItemText(IDC_JB_TITLE, tags.Title);
    SetDlgItemText(IDC_JB_ARTIST, tags.Artist);
}

void AudioJukebox::TrackTried(const CString& path, const TAG_INFO& tags)
{
    if (m_host && m_host->UpdatePlayCounterSetting() == 1 && IsMp3(tags.FileType))
        VIZU::IncrementPlayCounter(path, true);
}

// ---------------------------------------------------------------- the player's displays

void AudioJukebox::UpdateTime(int position)
{
    if (!m_hWnd)
        return;
    SetDlgItemText(IDC_JB_TIME, VIZU::SecondsToString(m_queue.Tags().Length - position));
    m_positionSlider.SetPos(position);
}

void AudioJukebox::SetStatusText(const char* text)
{
    if (m_hWnd)
        SetDlgItemText(IDC_JB_STATUS, text);
}

void AudioJukebox::SetProgressPosition(int position)
{
    m_progress.SetPos(position);
}

void AudioJukebox::SetVULevels(int left, int right)
{
    m_leftMeter.SetLevel(left);
    m_rightMeter.SetLevel(right);
}

// ---------------------------------------------------------------- controls

void AudioJukebox::OnPlayPause()
{
    if (!m_player)
        return;
    m_player->Command(m_player->GetState() == DECK_STATE_PLAYING ? CM_PAUSE : CM_PLAY);
}

void AudioJukebox::OnStop()
{
    if (m_player)
        m_player->Command(CM_STOP);
    SetVULevels(0, 0);
}

void AudioJukebox::OnNext()
{
    PlayNext();
}

void AudioJukebox::OnPropsClicked() {}

void AudioJukebox::OnListClick(NMHDR*, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
}

void AudioJukebox::OnListDoubleClick(NMHDR*, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row >= 0)
        LoadFile(m_list.GetItemText(row, kPathColumn));
}

void AudioJukebox::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    const HWND from = pScrollBar ? reinterpret_cast<CWnd*>(pScrollBar)->GetSafeHwnd() : nullptr;
    if (from && from == m_volumeSlider.GetSafeHwnd() && nSBCode <= SB_THUMBTRACK) {
        m_volume = 100 - m_volumeSlider.GetPos();
        if (m_player)
            m_player->SetVolume(m_volume);
    }
    Default();
}

void AudioJukebox::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    const HWND from = pScrollBar ? reinterpret_cast<CWnd*>(pScrollBar)->GetSafeHwnd() : nullptr;
    if (from && from == m_positionSlider.GetSafeHwnd() && nSBCode <= SB_THUMBTRACK) {
        const int position = m_positionSlider.GetPos();
        const int length = m_queue.Tags().Length;
        if (position < length && m_player)
            m_player->Command(CM_SEEK, position, length);
    }
    Default();
}

void AudioJukebox::OnOutputDeviceChange()
{
    const int device = m_player ? m_player->ChooseBoxDevice(m_devices) : -1;
    if (device >= 0)
        WritePlayerSetting(kSection, "OutputDevice", device);
}

void AudioJukebox::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerDevices) {
        Default();
        return;
    }
    KillTimer(kTimerDevices);
    if (m_player)
        m_player->FillDeviceCombo(&m_devices);
}

void AudioJukebox::OnContextMenu(CWnd* pWnd, CPoint pos)
{
    if (!pWnd || pWnd->GetSafeHwnd() != m_list.GetSafeHwnd())
        return;
    CNewMenu::SetDrawStyle(8);
    CNewMenu menu;
    if (!menu.LoadMenu(IDR_JUKEBOX_QUEUE_MENU))
        return;
    CNewMenu* popup = menu.GetSubMenu(0);
    if (!popup) {
        menu.DestroyMenu();
        return;
    }
    popup->SetMenuTitle(kCaption, 64);
    popup->SetTitleColors(0xffffff, 0xffffff, kBlue);
    const bool empty = m_list.GetItemCount() == 0;
    const bool selected = m_list.GetNextItem(-1, LVNI_SELECTED) >= 0;
    for (const MenuOperation& item : kMenuOperations) {
        const bool needsRow = item.id <= ID_QLIST_DELETE;
        if (empty || (needsRow && !selected))
            popup->EnableMenuItem(item.id, MF_BYCOMMAND | MF_GRAYED);
    }
    popup->EnableMenuItem(ID_QLIST_CHANGEFONTSIZE, MF_BYCOMMAND | MF_GRAYED);
    const POINT at = {pos.x, pos.y};
    const UINT chosen = RunContextMenu(*popup, at);
    menu.DestroyMenu();
    if (!m_host)
        return;
    for (const MenuOperation& item : kMenuOperations)
        if (item.id == chosen) {
            m_host->RunQueueOperation(item.operation, m_list);
            break;
        }
}

HBRUSH AudioJukebox::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT)
{
    const HBRUSH standard = reinterpret_cast<HBRUSH>(Default());
    const int id = pWnd ? ::GetDlgCtrlID(pWnd->GetSafeHwnd()) : 0;
    switch (id) {
    case IDC_JB_BLANK:
        pDC->SetBkColor(RGB(0, 0, 0));
        break;
    case IDC_JB_CONTROLS:
        pDC->SetTextColor(kBlue);
        return standard;
    case IDC_JB_TITLE:
    case IDC_JB_STATUS:
        pDC->SetBkColor(RGB(0, 0, 0));
        pDC->SetTextColor(id == IDC_JB_TITLE ? kCyan : kYellow);
        if (m_draw.m_fntArial10.GetSafeHandle())
            pDC->SelectObject(&m_draw.m_fntArial10);
        break;
    case IDC_JB_ARTIST:
        pDC->SetBkColor(RGB(0, 0, 0));
        pDC->SetTextColor(RGB(255, 255, 255));
        break;
    case IDC_JB_TIME:
        pDC->SetBkColor(RGB(0, 0, 0));
        pDC->SetTextColor(kCyan);
        break;
    default:
        return standard;
    }
    return static_cast<HBRUSH>(m_draw.m_brBlack.GetSafeHandle());
}
