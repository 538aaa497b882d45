#include "audio/mastermixer/TXVMixer2.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include <commctrl.h>
#include <mmsystem.h>
#include <uxtheme.h>

#include "audio/deck/Deck.h"
#include "audio/deck/DeckPlayer.h"
#include "audio/fx/FxFilter.h"
#include "foundation/app/IniAccess.h"
#include "foundation/app/MessageTexts.h"
#include "foundation/app/ProgramFolder.h"
#include "foundation/shell/ShellHelpers.h"
#include "framework/ui/MessageMap.h"
#include "framework/win/AppState.h"

BEGIN_MESSAGE_MAP(TXVMixer2, TXVDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_MIX_DECKS, &TXVMixer2::OnDeckChanged)
    ON_NOTIFY(TVN_SELCHANGEDW, IDC_MIX_DECKS, &TXVMixer2::OnDeckChanged)
    ON_NOTIFY(NM_CLICK, IDC_MIX_SYSTEM_MIXERS, &TXVMixer2::OnMixerClicked)
    ON_CBN_SELCHANGE(IDC_MIX_MAINS_DEVICE, &TXVMixer2::OnMainsDevice)
    ON_CBN_SELCHANGE(IDC_MIX_MONITOR_DEVICE, &TXVMixer2::OnMonitorDevice)
    ON_BN_CLICKED(IDC_MIX_EQ_ON, &TXVMixer2::OnEqualizerOn)
    ON_BN_CLICKED(IDC_MIX_EQ_FLAT, &TXVMixer2::OnResetFlat)
    ON_BN_CLICKED(IDC_MIX_ROTATE, &TXVMixer2::OnRotate)
    ON_BN_CLICKED(IDC_MIX_ECHO, &TXVMixer2::OnEcho)
    ON_BN_CLICKED(IDC_MIX_FLANGE, &TXVMixer2::OnFlange)
    ON_BN_CLICKED(IDC_MIX_FX_FILTER, &TXVMixer2::OnFxFilter)
    ON_BN_CLICKED(IDC_MIX_PREPROCESS, &TXVMixer2::OnPreProcess)
    ON_BN_CLICKED(IDC_MIX_FIND_START, &TXVMixer2::OnFindStart)
    ON_BN_CLICKED(IDC_MIX_CHECK_BPM, &TXVMixer2::OnCheckBpm)
    ON_EN_CHANGE(IDC_MIX_SAMPLE_TIME, &TXVMixer2::OnSampleTime)
    ON_EN_CHANGE(IDC_MIX_START_LEVEL, &TXVMixer2::OnStartLevel)
    ON_BN_CLICKED(IDC_MIX_MORE_INFO, &TXVMixer2::OnMoreInfo)
    ON_BN_CLICKED(IDC_MIX_SYSTEM_MIXER, &TXVMixer2::OnSystemMixer)
END_MESSAGE_MAP()

namespace {

const char* const kDeckSections[4] = {"DECKA", "DECKB", "DECKC", "DECKD"};
const char* const kDeckNames[4] = {"Deck A", "Deck B", "Deck C", "Deck D"};
const UINT kEqCommands[4] = {ID_EQ_ON_OFF_A, ID_EQ_ON_OFF_B, ID_EQ_ON_OFF_C, ID_EQ_ON_OFF_D};
// The effect commands of deck A (rotate, echo, flange); deck B's are 4 on.
const UINT kEffectCommandsA = 28122;
const UINT kEffectCommandsB = 28126;
const float kRotateUnit = 0.000001f; // radians per frame of one slider step

const char* const kHelpText =
    "Select the deck from the list, to change properties.\n\nChanging the output device(s), will result in an "
    "immedaite output change, and will also save that selection. Use the Mixer button to the right, to open "
    "Window's Master Mixer, to change output levels, etc.";
const char* const kMoreInfoText =
    "The Pre-Processor will scan tracks as they are loaded into a deck, to try and find a start point to cue to, "
    "and the BPM of the song. Sample Time is how many seconds to scan, Start Level is the percent to look for "
    "(output level), Find BPM will attempt to get a good beats per minute value.\r\n\r\nIf you do not need these "
    "values, you can elect to turn the Pre-Processor off, which will speed up load times.";

BOOL SystemLauncher(SHELLEXECUTEINFOA* info) { return ::ShellExecuteExA(info); }

TXVMixer2::Launcher g_launcher = SystemLauncher;
TXVMixer2::VolumeSource g_volume = GetMasterVolume;
TXVMixer2::VolumeRangeSource g_volumeRange = GetMasterVolumeRange;

CString IniPath() { return GetProgramFolder() + "TavrixVJ.INI"; }

void WriteIni(const char* section, const char* key, const CString& value)
{
    ::WritePrivateProfileStringA(section, key, value, IniPath());
}

int ReadIniInt(const char* section, const char* key)
{
    return atoi(GetIniString(section, key));
}

} // namespace

TXVMixer2::Launcher TXVMixer2::SetLauncher(Launcher launcher)
{
    Launcher previous = g_launcher;
    g_launcher = launcher ? launcher : SystemLauncher;
    return previous;
}

void TXVMixer2::SetVolumeSources(VolumeSource volume, VolumeRangeSource range)
{
    g_volume = volume ? volume : GetMasterVolume;
    g_volumeRange = range ? range : GetMasterVolumeRange;
}

TXVMixer2::TXVMixer2(MasterMixerHost* host, CWnd* parent) : TXVDialog(IDD, parent), m_host(host), m_parent(parent) {}

TXVMixer2::~TXVMixer2()
{
    if (m_deckImages)
        ImageList_Destroy(m_deckImages);
    if (m_deviceImages)
        ImageList_Destroy(m_deviceImages);
}

BOOL TXVMixer2::CreateModeless() { return Create(IDD, m_parent); }

// --- small control helpers -------------------------------------------------

void TXVMixer2::Check(UINT id, bool on)
{
    ::CheckDlgButton(m_hWnd, static_cast<int>(id), on ? BST_CHECKED : BST_UNCHECKED);
}

bool TXVMixer2::IsChecked(UINT id) const
{
    return ::IsDlgButtonChecked(m_hWnd, static_cast<int>(id)) == BST_CHECKED;
}

void TXVMixer2::Enable(UINT id, bool on) { ::EnableWindow(::GetDlgItem(m_hWnd, static_cast<int>(id)), on); }

int TXVMixer2::SliderPos(UINT id) const
{
    return static_cast<int>(::SendDlgItemMessageA(m_hWnd, static_cast<int>(id), TBM_GETPOS, 0, 0));
}

void TXVMixer2::SetSliderPos(UINT id, int position)
{
    ::SendDlgItemMessageA(m_hWnd, static_cast<int>(id), TBM_SETPOS, TRUE, position);
}

void TXVMixer2::SetEditText(UINT id, const CString& text)
{
    // Only a different text is set, so the caret of a user typing there
    // stays where it is.
    char current[64] = {};
    ::GetDlgItemTextA(m_hWnd, static_cast<int>(id), current, sizeof current);
    if (text != current)
        ::SetDlgItemTextA(m_hWnd, static_cast<int>(id), text);
}

Deck* TXVMixer2::SelectedDeck() const { return m_host ? m_host->GetDeck(m_deck) : nullptr; }

// --- set-up ------------------------------------------------------------------

BOOL TXVMixer2::OnInitDialog()
{
    TXVDialog::OnInitDialog();
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    SetWindowText("Master Mixer");
    SetHeaderText("Master Mixer");
    m_mains.SubclassDlgItem(IDC_MIX_MAINS_DEVICE, this);
    m_monitor.SubclassDlgItem(IDC_MIX_MONITOR_DEVICE, this);

    const struct { UINT id; int low, high; bool ticks; } sliders[] = {
        {IDC_MIX_MASTER_VOLUME, 0, 100, true}, {IDC_MIX_SPARE_SLIDER, 0, 100, true},
        {IDC_MIX_MONITOR_VOLUME, 0, 100, true}, {IDC_MIX_EQ_LOW, -50, 50, true},
        {IDC_MIX_EQ_MID, -50, 50, true},        {IDC_MIX_EQ_HIGH, -50, 50, true},
        {IDC_MIX_ROTATE_SPEED, 10, 100, false}, {IDC_MIX_ECHO_LENGTH, 500, 5000, false},
        {IDC_MIX_FLANGE_LENGTH, 5, 350, false},
    };
    for (const auto& s : sliders) {
        const int id = static_cast<int>(s.id);
        ::SendDlgItemMessageA(m_hWnd, id, TBM_SETRANGEMIN, FALSE, s.low);
        ::SendDlgItemMessageA(m_hWnd, id, TBM_SETRANGEMAX, TRUE, s.high);
        if (s.ticks)
            ::SendDlgItemMessageA(m_hWnd, id, TBM_SETTICFREQ, 10, 0);
    }
    ShowFxSliders();

    const HWND tree = ::GetDlgItem(m_hWnd, IDC_MIX_DECKS);
    m_deckImages = ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_MIXER_DECKS), 32, 12,
                                        RGB(0xC0, 0xC0, 0xC0), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (m_deckImages)
        TreeView_SetImageList(tree, m_deckImages, TVSIL_NORMAL);
    TreeView_SetItemHeight(tree, 48);
    AddDeckItems();

    const HWND list = ::GetDlgItem(m_hWnd, IDC_MIX_SYSTEM_MIXERS);
    m_deviceImages = ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_MIXER_DEVICES), 32, 5,
                                          RGB(0xFF, 0xFF, 0xFF), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (m_deviceImages)
        ListView_SetImageList(list, m_deviceImages, LVSIL_SMALL);
    ::SetWindowTheme(list, L"explorer", nullptr);
    FillMixerList();

    ::SetDlgItemTextA(m_hWnd, IDC_MIX_HELP, kHelpText);
    m_deck = 0;
    ShowDeckPage(0);
    return TRUE;
}

void TXVMixer2::AddDeckItems()
{
    const HWND tree = ::GetDlgItem(m_hWnd, IDC_MIX_DECKS);
    HTREEITEM first = nullptr;
    for (int deck = 0; deck < 4; ++deck) {
        // Decks C and D are listed only when the main window has them.
        if (deck >= 2 && !(m_host && m_host->GetDeck(deck)))
            continue;
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<char*>(kDeckNames[deck]);
        insert.item.iImage = 9;
        insert.item.iSelectedImage = 9;
        const HTREEITEM item = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        if (!first)
            first = item;
    }
    if (first)
        TreeView_SelectItem(tree, first);
}

void TXVMixer2::FillMixerList()
{
    // The rows: the system's mixer devices, with the device number in the
    // third column, which a click reads.
    const HWND list = ::GetDlgItem(m_hWnd, IDC_MIX_SYSTEM_MIXERS);
    const struct { const char* title; int width; } columns[] = {{"Mixer", 150}, {"Vol", 40}, {"No.", 30}};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[i].title);
        column.cx = columns[i].width;
        ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    const UINT count = mixerGetNumDevs();
    for (UINT n = 0; n < count; ++n) {
        MIXERCAPSA caps = {};
        if (mixerGetDevCapsA(n, &caps, sizeof caps) != MMSYSERR_NOERROR)
            continue;
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(n);
        item.pszText = caps.szPname;
        item.iImage = 0;
        const int row = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (row < 0)
            continue;
        char text[16];
        snprintf(text, sizeof text, "%d", g_volume(n));
        LVITEMA sub = {};
        sub.iSubItem = 1;
        sub.pszText = text;
        ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
        snprintf(text, sizeof text, "%u", n);
        sub.iSubItem = 2;
        ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
    }
}

void TXVMixer2::OnOK() { ShowWindow(SW_HIDE); }
void TXVMixer2::OnCancel() { ShowWindow(SW_HIDE); }

void TXVMixer2::OnShowWindow(BOOL bShow, UINT nStatus)
{
    TXVDialog::OnShowWindow(bShow, nStatus);
    if (!bShow)
        return;
    const HWND tree = ::GetDlgItem(m_hWnd, IDC_MIX_DECKS);
    const HTREEITEM first = TreeView_GetRoot(tree);
    if (first)
        TreeView_SelectItem(tree, first);
    m_deck = 0;
    ShowDeckPage(0);
}

void TXVMixer2::OnDeckChanged(NMHDR*, LRESULT* pResult)
{
    const HWND tree = ::GetDlgItem(m_hWnd, IDC_MIX_DECKS);
    char text[64] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (item.hItem && ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
        ::SetDlgItemTextA(m_hWnd, IDC_MIX_PROPERTIES, CString(text) + " Audio Properties");
        const size_t length = strlen(text);
        const char letter = length ? static_cast<char>(text[length - 1] | 0x20) : 0;
        if (letter >= 'a' && letter <= 'd')
            ShowDeckPage(letter - 'a');
    }
    if (pResult)
        *pResult = 0;
}

// --- the page of a deck -------------------------------------------------------

void TXVMixer2::ShowFxSliders()
{
    // The speed to the nearest step, so the default 0.00002 shows 20, as in
    // the FX dialog.
    SetSliderPos(IDC_MIX_ROTATE_SPEED, static_cast<int>(lroundf(FxGetRotateSpeed() / kRotateUnit)));
    SetSliderPos(IDC_MIX_ECHO_LENGTH, FxGetEchoLength());
    SetSliderPos(IDC_MIX_FLANGE_LENGTH, FxGetFlangeLength());
}

void TXVMixer2::EnableBands(bool on)
{
    for (UINT id : {IDC_MIX_EQ_LOW, IDC_MIX_EQ_MID, IDC_MIX_EQ_HIGH, IDC_MIX_EQ_FLAT})
        Enable(id, on);
}

void TXVMixer2::ShowDeckPage(int deck)
{
    if (!m_hWnd || deck < 0 || deck > 3)
        return;
    m_deck = deck;
    m_filling = true;
    Deck* d = SelectedDeck();
    ShowFxSliders();

    const bool fxDeck = deck < 2;
    if (fxDeck) {
        DeckPlayer* player = d ? d->GetPlayer() : nullptr;
        Check(IDC_MIX_FX_FILTER, player && player->IsFxAttached());
        const int mode = FxGetMode(deck);
        Check(IDC_MIX_ROTATE, mode == FX_ROTATE);
        Check(IDC_MIX_ECHO, mode == FX_ECHO);
        Check(IDC_MIX_FLANGE, mode == FX_FLANGE);
    }
    for (UINT id : {IDC_MIX_ROTATE_SPEED, IDC_MIX_ECHO_LENGTH, IDC_MIX_FLANGE_LENGTH, IDC_MIX_ROTATE, IDC_MIX_ECHO,
                    IDC_MIX_FLANGE, IDC_MIX_FX_FILTER})
        Enable(id, fxDeck);

    if (d) {
        d->FillMainsDeviceCombo(&m_mains);
        d->FillMonitorDeviceCombo(&m_monitor);
        SetSliderPos(IDC_MIX_MONITOR_VOLUME, abs(d->GetMonitorVolume() - 100));
        Check(IDC_MIX_EQ_ON, d->IsEqualizerOn());
        EnableBands(d->IsEqualizerOn());
    } else {
        m_mains.ResetContent();
        m_monitor.ResetContent();
        EnableBands(false);
    }
    int low = 0, mid = 0, high = 0;
    if (m_host)
        m_host->GetDeckEqValues(deck, &low, &mid, &high);
    SetSliderPos(IDC_MIX_EQ_LOW, -low);
    SetSliderPos(IDC_MIX_EQ_MID, -mid);
    SetSliderPos(IDC_MIX_EQ_HIGH, -high);

    Check(IDC_MIX_PREPROCESS, ReadIniInt("MAIN", "PreProcess") != 0);
    Check(IDC_MIX_FIND_START, ReadIniInt("MAIN", "FindStart") != 0);
    Check(IDC_MIX_CHECK_BPM, ReadIniInt("MAIN", "CheckBPM") != 0);
    SetEditText(IDC_MIX_SAMPLE_TIME, GetIniString("MAIN", "SampleTime"));
    SetEditText(IDC_MIX_START_LEVEL, GetIniString("MAIN", "FindStartLevel"));
    m_filling = false;
}

// --- devices -------------------------------------------------------------------

void TXVMixer2::DeviceChanged(CComboBox& combo, const char* key, bool mains)
{
    const int row = combo.GetCurSel();
    Deck* d = SelectedDeck();
    if (row < 0 || !d)
        return;
    const int device = static_cast<int>(combo.GetItemData(row));
    WriteIni(kDeckSections[m_deck], key, IntToStr(device));
    if (mains)
        d->SetMainsDevice(device);
    else
        d->SetMonitorDevice(device);
    ShowDeckPage(m_deck);
}

void TXVMixer2::OnMainsDevice() { DeviceChanged(m_mains, "OutputDevice", true); }
void TXVMixer2::OnMonitorDevice() { DeviceChanged(m_monitor, "MonitorDevice", false); }

// --- monitor volume and equalizer ------------------------------------------------

void TXVMixer2::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    // Line, page and thumb codes (0 to 5) carry a new position.
    if (nSBCode <= SB_THUMBTRACK && pScrollBar) {
        const int id = ::GetDlgCtrlID(pScrollBar->GetSafeHwnd());
        if (id == IDC_MIX_MONITOR_VOLUME) {
            const int volume = abs(SliderPos(IDC_MIX_MONITOR_VOLUME) - 100);
            if (Deck* d = SelectedDeck())
                d->SetMonitorVolume(volume);
            if (m_host)
                m_host->SetDeckMonitorGain(m_deck, volume);
        } else if (id == IDC_MIX_EQ_LOW || id == IDC_MIX_EQ_MID || id == IDC_MIX_EQ_HIGH) {
            BandsChanged();
        }
    }
    TXVDialog::OnVScroll(nSBCode, nPos, pScrollBar);
}

void TXVMixer2::BandsChanged()
{
    const int low = -SliderPos(IDC_MIX_EQ_LOW);
    const int mid = -SliderPos(IDC_MIX_EQ_MID);
    const int high = -SliderPos(IDC_MIX_EQ_HIGH);
    if (!m_host)
        return;
    m_host->SetDeckEqValues(m_deck, low, mid, high);
    Deck* d = SelectedDeck();
    if (d && d->IsEqualizerOn())
        m_host->SetDeckEq(m_deck, low, mid, high);
    m_host->UpdateEqControls(m_deck);
}

void TXVMixer2::OnResetFlat()
{
    for (UINT id : {IDC_MIX_EQ_LOW, IDC_MIX_EQ_MID, IDC_MIX_EQ_HIGH})
        SetSliderPos(id, 0);
    BandsChanged();
}

void TXVMixer2::OnEqualizerOn()
{
    if (m_host)
        m_host->RunDeckCommand(kEqCommands[m_deck]);
    Deck* d = SelectedDeck();
    const bool on = d && d->IsEqualizerOn();
    Check(IDC_MIX_EQ_ON, on);
    EnableBands(on);
}

// --- effects ---------------------------------------------------------------------

void TXVMixer2::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (nSBCode <= SB_THUMBTRACK && pScrollBar) {
        const HWND slider = pScrollBar->GetSafeHwnd();
        const int position = static_cast<int>(::SendMessageA(slider, TBM_GETPOS, 0, 0));
        switch (::GetDlgCtrlID(slider)) {
        case IDC_MIX_ROTATE_SPEED: FxSetRotateSpeed(position * kRotateUnit); break;
        case IDC_MIX_ECHO_LENGTH: FxSetEchoLength(position); break;
        case IDC_MIX_FLANGE_LENGTH: FxSetFlangeLength(position); break;
        default: break;
        }
    }
    TXVDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}

void TXVMixer2::Effect(UINT clearOne, UINT clearTwo, int offset)
{
    Check(clearOne, false);
    Check(clearTwo, false);
    if (m_host)
        m_host->RunDeckCommand((m_deck == 0 ? kEffectCommandsA : kEffectCommandsB) + offset);
    ShowDeckPage(m_deck);
}

void TXVMixer2::OnRotate() { Effect(IDC_MIX_ECHO, IDC_MIX_FLANGE, 0); }
void TXVMixer2::OnEcho() { Effect(IDC_MIX_ROTATE, IDC_MIX_FLANGE, 1); }
void TXVMixer2::OnFlange() { Effect(IDC_MIX_ROTATE, IDC_MIX_ECHO, 2); }

void TXVMixer2::OnFxFilter()
{
    Deck* d = m_deck < 2 ? SelectedDeck() : nullptr;
    DeckPlayer* player = d ? d->GetPlayer() : nullptr;
    if (!player)
        return;
    const bool wanted = IsChecked(IDC_MIX_FX_FILTER);
    if (wanted && !player->IsFxAttached())
        player->AttachFxFilter();
    else if (!wanted && player->IsFxAttached())
        player->DetachFxFilter();
    ShowDeckPage(m_deck);
}

// --- pre-processor ---------------------------------------------------------------

void TXVMixer2::WriteCheck(UINT box, const char* key)
{
    WriteIni("MAIN", key, IntToStr(IsChecked(box) ? 1 : 0));
    if (Deck* a = m_host ? m_host->GetDeck(0) : nullptr)
        a->LoadPreProcessSettings();
    ShowDeckPage(m_deck);
}

void TXVMixer2::WriteEdit(UINT edit, const char* key)
{
    if (m_filling)
        return;
    char text[64] = {};
    ::GetDlgItemTextA(m_hWnd, static_cast<int>(edit), text, sizeof text);
    WriteIni("MAIN", key, text);
    if (Deck* a = m_host ? m_host->GetDeck(0) : nullptr)
        a->LoadPreProcessSettings();
}

void TXVMixer2::OnPreProcess() { WriteCheck(IDC_MIX_PREPROCESS, "PreProcess"); }
void TXVMixer2::OnFindStart() { WriteCheck(IDC_MIX_FIND_START, "FindStart"); }
void TXVMixer2::OnCheckBpm() { WriteCheck(IDC_MIX_CHECK_BPM, "CheckBPM"); }
void TXVMixer2::OnSampleTime() { WriteEdit(IDC_MIX_SAMPLE_TIME, "SampleTime"); }
void TXVMixer2::OnStartLevel() { WriteEdit(IDC_MIX_START_LEVEL, "FindStartLevel"); }
void TXVMixer2::OnMoreInfo() { ShowMessage(kMoreInfoText); }

// --- system mixers ---------------------------------------------------------------

void TXVMixer2::OnMixerClicked(NMHDR*, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    const HWND list = ::GetDlgItem(m_hWnd, IDC_MIX_SYSTEM_MIXERS);
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (row < 0)
        return;
    char text[16] = {};
    LVITEMA sub = {};
    sub.iSubItem = 2;
    sub.pszText = text;
    sub.cchTextMax = sizeof text;
    ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
    const int device = atoi(text);
    if (device < 0)
        return;
    int minimum = 0, maximum = 0;
    g_volumeRange(static_cast<UINT>(device), &minimum, &maximum);
    const int volume = g_volume(static_cast<UINT>(device));
    const int id = IDC_MIX_MASTER_VOLUME;
    ::SendDlgItemMessageA(m_hWnd, id, TBM_SETRANGEMIN, FALSE, minimum);
    ::SendDlgItemMessageA(m_hWnd, id, TBM_SETRANGEMAX, TRUE, maximum);
    // A tick at least every step: a device whose maximum is under 15 would
    // otherwise ask for a tick frequency of 0.
    ::SendDlgItemMessageA(m_hWnd, id, TBM_SETTICFREQ, maximum / 15 > 0 ? maximum / 15 : 1, 0);
    SetSliderPos(IDC_MIX_MASTER_VOLUME, maximum - volume);
    char line[64];
    snprintf(line, sizeof line, "Device: %d, Vol = %d", device, volume);
    ::SetDlgItemTextA(m_hWnd, IDC_MIX_DEVICE_VOLUME, line);
}

void TXVMixer2::OnSystemMixer()
{
    for (const char* program : {"sndvol32", "sndvol"}) {
        SHELLEXECUTEINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.hwnd = m_hWnd;
        info.lpVerb = "open";
        info.lpFile = program;
        info.nShow = SW_SHOWNORMAL;
        if (g_launcher(&info))
            return;
    }
}
