#include "audio/sampler/SoundEffects.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>

#include "audio/deck/DeckLogic.h"
#include "audio/players/PlayerWindowSettings.h"
#include "audio/sampler/EffectListFile.h"
#include "decoder/player/control_messages.h"
#include "foundation/app/MessageTexts.h"
#include "foundation/app/ProgramFolder.h"
#include "framework/ui/CDC.h"
#include "framework/ui/MessageMap.h"
#include "framework/ui/Prompts.h"
#include "framework/win/CWaitCursor.h"
#include "widgets/menus/NewMenu.h"

// ---------------------------------------------------------------- AddEffect

BOOL AddEffect::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_caption);
    SetDlgItemText(IDC_ADDFX_PROMPT, m_prompt);
    SetDlgItemText(IDC_ADDFX_FILE, m_file);
    if (CWnd* name = GetDlgItem(IDC_ADDFX_NAME))
        name->SetFocus();
    return FALSE;
}

void AddEffect::OnOK()
{
    GetDlgItemText(IDC_ADDFX_NAME, m_displayName);
    EndDialog(IDOK);
}

// ---------------------------------------------------------------- SoundEffects

IMPLEMENT_DYNAMIC(SoundEffects, PlayerWindow)

BEGIN_MESSAGE_MAP(SoundEffects, PlayerWindow)
    ON_WM_CTLCOLOR()
    ON_WM_VSCROLL()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_SFX_PLAY, &SoundEffects::OnPlay)
    ON_BN_CLICKED(IDC_SFX_STOP, &SoundEffects::OnStop)
    ON_BN_CLICKED(IDC_SFX_LOOP, &SoundEffects::OnToggleLoop)
    ON_CBN_SELCHANGE(IDC_SFX_OUTPUTDEVICE, &SoundEffects::OnOutputDeviceChange)
    ON_NOTIFY(NM_DBLCLK, IDC_SFX_LIST, &SoundEffects::OnListDoubleClick)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_EFFECTS_ADDEFFECT, &SoundEffects::OnAddEffectCommand)
    ON_COMMAND(ID_EFFECTS_DELETEEFFECT, &SoundEffects::OnMenuCommandHandledByMenu)
    ON_COMMAND(ID_EFFECTS_RENAMEEFFECT, &SoundEffects::OnMenuCommandHandledByMenu)
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

namespace {

const char* const kSection = "SOUNDEFFECTS";
const char* const kCaption = "Sound Effects Sampler";
const char* const kAddPrompt =
    "Would you like to add the following file as a sound effect? If so, enter a display name for it, "
    "and then click OK.";
const char* const kRenamePrompt =
    "Would you like to rename the display title for this effect? If so, enter a new name for it, and "
    "then click OK.";
const COLORREF kBlue = 0xd54600;
const COLORREF kCyan = 0xffff00;
// The file column of the list, where every row keeps its effect's path.
const int kPathColumn = 3;

struct MenuTextKey
{
    UINT id;
    const char* key;
};
const MenuTextKey kMenuTextKeys[] = {
    {ID_EFFECTS_ADDEFFECT, "ID_EFFECTS_ADDEFFECT"},   {ID_EFFECTS_DELETEEFFECT, "ID_EFFECTS_DELETEEFFECT"},
    {ID_EFFECTS_RENAMEEFFECT, "ID_EFFECTS_RENAMEEFFECT"}, {ID_EFFECTS_MOVEUP, "ID_EFFECTS_MOVEUP"},
    {ID_EFFECTS_MOVEDOWN, "ID_EFFECTS_MOVEDOWN"},
};

int IniInt(const char* key)
{
    return ReadPlayerSetting(kSection, key);
}

void WriteIniInt(const char* key, int value)
{
    WritePlayerSetting(kSection, key, value);
}

} // namespace

SoundEffects::SoundEffects(SoundEffectsHost* host, CWnd* parent)
    : PlayerWindow(IDD, kSection, parent)
    , m_host(host)
{
}

SoundEffects::~SoundEffects()
{
    if (m_listChanged)
        SaveEffectList();
    if (m_hWnd)
        SaveSettings();
    delete m_player;
    m_player = nullptr;
    if (m_hWnd)
        DestroyWindow();
}

SoundEffectsPlayer* SoundEffects::CreatePlayer()
{
    return new SoundEffectsPlayer(::GetModuleHandleA(nullptr));
}

// ---------------------------------------------------------------- settings

const CString& SoundEffects::GetMenuCaption(UINT id) const
{
    static const CString none;
    const auto found = m_menuText.find(id);
    return found == m_menuText.end() ? none : found->second;
}

void SoundEffects::LoadSettings()
{
    m_outputDevice = IniInt("OutputDevice");
    m_volume = IniInt("Volume");
    for (const MenuTextKey& key : kMenuTextKeys)
        m_menuText[key.id] = m_host ? m_host->MenuText(key.key) : CString();
    if (m_hWnd)
        MoveToStoredPosition();
}

void SoundEffects::SaveSettings()
{
    WriteIniInt("OutputDevice", m_player ? m_player->GetDeviceIndex() : m_outputDevice);
    WriteIniInt("Volume", m_volume);
    if (m_hWnd)
        WritePlayerWindowPos(kSection, m_hWnd);
}

// ---------------------------------------------------------------- start

BOOL SoundEffects::OnInitDialog()
{
    CDialog::OnInitDialog();
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    if (m_header.SubclassDlgItem(IDC_SFX_HEADER, this))
        m_header.SetCaption(kCaption);
    m_list.SubclassDlgItem(IDC_SFX_LIST, this);
    m_volumeSlider.SubclassDlgItem(IDC_SFX_VOLUME, this);
    m_devices.SubclassDlgItem(IDC_SFX_OUTPUTDEVICE, this);

    LoadSettings();

    m_outputDevice = IniInt("OutputDevice");
    m_player = CreatePlayer();
    m_player->Setup(this, m_hWnd, m_outputDevice, 0, "Effects", 0);

    m_volumeSlider.SetRange(0, 100, TRUE);
    m_volumeSlider.SetPos(100 - m_volume);
    m_player->SetVolume(m_volume);

    while (m_list.DeleteColumn(0))
        ;
    m_list.InsertColumn(0, "#", LVCFMT_LEFT, 25);
    m_list.InsertColumn(1, "Title", LVCFMT_LEFT, 155);
    m_list.InsertColumn(2, "Length", LVCFMT_LEFT, 50);
    m_list.InsertColumn(3, "Filename", LVCFMT_LEFT, 0);
    ListView_SetExtendedListViewStyleEx(m_list.GetSafeHwnd(), LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    m_volumeSlider.SetTicFreq(5);

    SetDlgItemText(IDC_SFX_STATUS, " Idle...");
    LoadEffectList();
    FillEffectList();
    ShowLoopText();
    SetTimer(kTimerDevices, 100, nullptr);
    return TRUE;
}

// ---------------------------------------------------------------- the list

void SoundEffects::LoadEffectList()
{
    if (!m_host)
        return;
    m_host->Effects() = LoadEffectListFile(EffectListPath(GetProgramFolder()));
}

int SoundEffects::SaveEffectList()
{
    if (!m_host)
        return -1;
    CWaitCursor wait;
    const int written =
        SaveEffectListFile(EffectListPath(GetProgramFolder()), m_host->Effects(), m_host->LibraryVersion());
    // A failed write keeps the flag: the edit is still to be saved.
    if (written >= 0)
        m_listChanged = false;
    return written;
}

void SoundEffects::FillEffectList()
{
    if (!m_list.GetSafeHwnd() || !m_host)
        return;
    m_list.DeleteAllItems();
    const SoundEffectList& effects = m_host->Effects();
    for (size_t i = 0; i < effects.size(); ++i) {
        CString number, length;
        number.Format("%d", static_cast<int>(i + 1));
        length.Format("%03d", effects[i].length);
        const int row = m_list.InsertItem(static_cast<int>(i), number);
        m_list.SetItemText(row, 1, effects[i].display);
        m_list.SetItemText(row, 2, length);
        m_list.SetItemText(row, kPathColumn, effects[i].filename);
    }
    UpdateStatusText();
}

void SoundEffects::UpdateStatusText()
{
    CString text;
    text.Format("%d effects available -- Right click list for options", m_list.GetItemCount());
    SetDlgItemText(IDC_SFX_STATUS, text);
}

void SoundEffects::SaveReadFill()
{
    if (SaveEffectList() < 0) {
        // The file as it was; the edit stays in the list (numbered afresh)
        // and is written at the next save, instead of being read away.
        SoundEffectList& effects = m_host->Effects();
        for (size_t i = 0; i < effects.size(); ++i)
            effects[i].id = static_cast<int>(i + 1);
        ShowMessage("Unable to save the sound effects list - the change is kept until the next save.");
    } else {
        LoadEffectList();
    }
    FillEffectList();
}

int SoundEffects::SelectedRow() const
{
    return m_list.GetSafeHwnd() ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
}

CString SoundEffects::SelectedPath() const
{
    const int row = SelectedRow();
    return row < 0 ? CString() : m_list.GetItemText(row, kPathColumn);
}

// ---------------------------------------------------------------- playing

void SoundEffects::SetTimeText(int seconds)
{
    SetDlgItemText(IDC_SFX_TIME, m_host ? m_host->SecondsText(seconds) : CString());
}

bool SoundEffects::LoadEffectFile(const CString& given)
{
    if (given.IsEmpty())
        return false;
    const CString path = ResolveEffectPath(given, m_host ? m_host->EffectsFolder() : CString());
    TAG_INFO tags;
    if (!m_host || !m_host->GetTagInfo(path, &tags))
        return true;
    m_tags = tags;
    if (m_player) {
        m_player->Command(CM_INPUT_OPEN, static_cast<const char*>(path));
        m_player->Command(CM_SET_POSITION_RANGE, static_cast<int>(m_tags.Length));
    }
    SetTimeText(m_tags.Length);
    SetDlgItemText(IDC_SFX_TITLE, m_tags.Title);
    return true;
}

void SoundEffects::PlayEffect(int id)
{
    if (!m_host)
        return;
    // Copies: loading dispatches nothing, but the list is the main window's.
    const SoundEffectList effects = m_host->Effects();
    for (size_t place : EffectsWithId(effects, id)) {
        LoadEffectFile(effects[place].filename);
        if (m_player && m_player->GetState() != DECK_STATE_PLAYING)
            m_player->Command(CM_PLAY);
    }
}

void SoundEffects::OnPlay()
{
    if (m_player)
        m_player->Command(CM_PLAY);
}

void SoundEffects::OnStop()
{
    if (m_player)
        m_player->Command(CM_STOP);
}

void SoundEffects::OnListDoubleClick(NMHDR*, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    const CString path = SelectedPath();
    if (path.IsEmpty())
        return;
    LoadEffectFile(path);
    if (m_player && m_player->GetState() != DECK_STATE_PLAYING)
        m_player->Command(CM_PLAY);
}

// ---------------------------------------------------------------- editing

bool SoundEffects::AskDisplayName(const CString& caption, const CString& prompt, const CString& file,
                                  CString& name)
{
    AddEffect dialog(this);
    dialog.SetCaption(caption);
    dialog.SetPrompt(prompt);
    dialog.m_file = file;
    if (dialog.DoModal() != IDOK)
        return false;
    name = dialog.m_displayName;
    return true;
}

void SoundEffects::AppendEffect(const CString& path, const CString& display)
{
    TAG_INFO tags;
    SoundEffectEntry entry;
    entry.id = static_cast<int>(m_host->Effects().size());
    entry.display = display;
    entry.filename = path;
    entry.length = m_host->GetTagInfo(path, &tags) ? tags.Length : 0;
    m_host->Effects().push_back(entry);
    m_listChanged = true;
    SaveReadFill();
}

bool SoundEffects::AddEffectFile(const CString& path)
{
    CString name;
    if (m_host && AskDisplayName("Add Effect", kAddPrompt, path, name))
        AppendEffect(path, name);
    return true;
}

bool SoundEffects::OnAddEffect()
{
    char file[MAX_PATH] = {};
    const char filter[] = "Music Files (*.mp3; *.wav)\0*.mp3; *.wav\0";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!AfxPromptFileDialog(&ofn, TRUE))
        return false;
    return AddEffectFile(file);
}

void SoundEffects::OnAddEffectCommand()
{
    OnAddEffect();
}

void SoundEffects::OnMenuCommandHandledByMenu() {}

void SoundEffects::OnDropFiles(HDROP hDropInfo)
{
    char file[MAX_PATH] = {};
    if (DropLandsOn(hDropInfo, m_hWnd, m_list.GetSafeHwnd()) && ::DragQueryFileA(hDropInfo, 0, file, MAX_PATH) > 0) {
        if (::GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES)
            AddEffectFile(file);
        else
            ShowMessage("Unable to load file - possibly moved or deleted!");
    }
    ::DragFinish(hDropInfo);
}

bool SoundEffects::DeleteEffect()
{
    if (SelectedRow() < 0 || !m_host)
        return false;
    DeleteEffectByPath(m_host->Effects(), SelectedPath());
    m_listChanged = true;
    SaveReadFill();
    return true;
}

bool SoundEffects::RenameEffect()
{
    if (SelectedRow() < 0 || !m_host)
        return false;
    const CString path = SelectedPath();
    SoundEffectList& effects = m_host->Effects();
    for (size_t place : EffectsWithPath(effects, path)) {
        CString name;
        if (AskDisplayName("Rename Effect", kRenamePrompt, path, name)) {
            effects[place].display = name;
            break;
        }
    }
    // The file keeps the old title until the next save.
    m_listChanged = true;
    FillEffectList();
    return true;
}

bool SoundEffects::MoveEffect(int step)
{
    const int row = SelectedRow();
    const int other = row + step;
    if (row < 0 || other < 0 || other >= m_list.GetItemCount() || !m_host)
        return false;
    const CString path = m_list.GetItemText(row, kPathColumn);
    const CString otherPath = m_list.GetItemText(other, kPathColumn);
    m_list.SetItemState(other, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SwapEffects(m_host->Effects(), path, otherPath);
    m_listChanged = true;
    SaveReadFill();
    return true;
}

bool SoundEffects::MoveEffectUp()
{
    return MoveEffect(-1);
}

bool SoundEffects::MoveEffectDown()
{
    return MoveEffect(1);
}

void SoundEffects::OnContextMenu(CWnd* pWnd, CPoint pos)
{
    if (!pWnd || pWnd->GetSafeHwnd() != m_list.GetSafeHwnd())
        return;
    CNewMenu::SetDrawStyle(8);
    CNewMenu menu;
    if (!menu.LoadMenu(IDR_SOUNDEFFECTS_MENU))
        return;
    CNewMenu* popup = menu.GetSubMenu(0);
    if (!popup) {
        menu.DestroyMenu();
        return;
    }
    for (const MenuTextKey& key : kMenuTextKeys)
        popup->SetItemText(key.id, GetMenuCaption(key.id), MF_BYCOMMAND);
    popup->SetMenuTitle("Sound Effects", 64);
    popup->SetTitleColors(0xffffff, 0xffffff, kBlue);
    if (SelectedRow() < 0) {
        popup->EnableMenuItem(ID_EFFECTS_DELETEEFFECT, MF_BYCOMMAND | MF_GRAYED);
        popup->EnableMenuItem(ID_EFFECTS_RENAMEEFFECT, MF_BYCOMMAND | MF_GRAYED);
    }
    const POINT at = {pos.x, pos.y};
    const UINT chosen = RunContextMenu(*popup, at);
    menu.DestroyMenu();
    switch (chosen) {
    case ID_EFFECTS_ADDEFFECT: OnAddEffect(); break;
    case ID_EFFECTS_DELETEEFFECT: DeleteEffect(); break;
    case ID_EFFECTS_RENAMEEFFECT: RenameEffect(); break;
    case ID_EFFECTS_MOVEUP: MoveEffectUp(); break;
    case ID_EFFECTS_MOVEDOWN: MoveEffectDown(); break;
    default: break;
    }
}

// ---------------------------------------------------------------- controls

void SoundEffects::ShowLoopText()
{
    SetDlgItemText(IDC_SFX_LOOPTEXT, m_looping ? "Looping: On" : "Looping: Off");
}

void SoundEffects::OnToggleLoop()
{
    m_looping = !m_looping;
    ShowLoopText();
}

void SoundEffects::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    const HWND from = pScrollBar ? reinterpret_cast<CWnd*>(pScrollBar)->GetSafeHwnd() : nullptr;
    if (from && from == m_volumeSlider.GetSafeHwnd() && nSBCode <= SB_THUMBTRACK) {
        m_volume = 100 - m_volumeSlider.GetPos();
        if (m_player)
            m_player->SetVolume(m_volume);
    }
    Default();
}

void SoundEffects::OnOutputDeviceChange()
{
    const int device = m_player ? m_player->ChooseBoxDevice(m_devices) : -1;
    if (device >= 0)
        WriteIniInt("OutputDevice", device);
}

void SoundEffects::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerDevices) {
        Default();
        return;
    }
    KillTimer(kTimerDevices);
    if (m_player)
        m_player->FillDeviceCombo(&m_devices);
}

HBRUSH SoundEffects::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT)
{
    const HBRUSH standard = reinterpret_cast<HBRUSH>(Default());
    const int id = pWnd ? ::GetDlgCtrlID(pWnd->GetSafeHwnd()) : 0;
    switch (id) {
    case IDC_SFX_BLANK:
        pDC->SetBkColor(RGB(0, 0, 0));
        break;
    case IDC_SFX_CONTROLS:
        pDC->SetTextColor(kBlue);
        return standard;
    case IDC_SFX_TITLE:
    case IDC_SFX_TIME:
        pDC->SetBkColor(RGB(0, 0, 0));
        pDC->SetTextColor(kCyan);
        if (m_draw.m_fntArial12.GetSafeHandle())
            pDC->SelectObject(&m_draw.m_fntArial12);
        break;
    case IDC_SFX_LOOPTEXT:
        pDC->SetBkColor(RGB(0, 0, 0));
        pDC->SetTextColor(RGB(255, 255, 255));
        break;
    default:
        return standard;
    }
    return static_cast<HBRUSH>(m_draw.m_brBlack.GetSafeHandle());
}
