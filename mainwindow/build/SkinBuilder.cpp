#include "mainwindow/build/SkinBuilder.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "foundation/app/MessageTexts.h"
#include "foundation/drawing/DrawingHelpers.h"
#include "foundation/drawing/HexToColor.h"
#include "foundation/shell/ShellHelpers.h"
#include "library/api/VIZU.h"
#include "mainwindow/build/SkinPlaceholders.h"
#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/res/MainWindowIds.h"
#include "mainwindow/settings/SettingsFile.h"
#include "skin/create/FindSkinControl.h"
#include "skin/file/Skin.h"

using namespace main_build;

namespace {

RECT ItemRect(const SkinItem& item)
{
    return RECT{item.left, item.top, item.right, item.bottom};
}

// The clock timer (clock and uptime fields) and the CPU meter's timer.
const UINT kClockTimer = 20;
const UINT kCpuMeterTimer = 21;

void HideBars(TXVTrackList& list, const SkinItem& item)
{
    const int which = ScrollBarsToHide(item.NHS, item.NVS);
    if (which >= 0)
        list.HideScrollBars(1, which);
}

} // namespace

SkinBuilder::SkinBuilder(MainDialog& dialog, MainControls& controls) : m_dialog(dialog), m_controls(controls)
{
}

void SkinBuilder::Log(const CString& text) const
{
    m_dialog.Log(text);
}

bool SkinBuilder::Claim(const SkinItem& item)
{
    if (m_built.insert(item.id).second)
        return true;
    ++m_nIgnored;
    CString line;
    line.Format("Skin item ignored: %s (id %d is already built)", static_cast<const char*>(item.action),
                static_cast<int>(item.id));
    Log(line);
    return false;
}

CString SkinBuilder::ImagePath(const CString& file) const
{
    // The skin's folder ends with its backslash.
    return TheSkin().GetFolder() + file;
}

HBITMAP SkinBuilder::LoadImageFile(const CString& file) const
{
    if (file.IsEmpty())
        return nullptr;
    return static_cast<HBITMAP>(
        ::LoadImageA(nullptr, ImagePath(file), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

// ---------------------------------------------------------------- buttons

void SkinBuilder::CreateButtons()
{
    CFlatButton::SetSkinDC(m_dialog.GetSkinDC());
    Skin& skin = TheSkin();
    for (int i = 0; i < skin.GetItemCount(); ++i) {
        const SkinItem item = skin.GetItem(i);
        if (item.kind != SKIN_BUTTON || item.id == 0)
            continue;
        const int index = ButtonIndex(item.action);
        if (index < 0 || !Claim(item))
            continue;
        CreateSkinButton(item, m_controls.Button(index));
    }
}

bool SkinBuilder::CreateSkinButton(const SkinItem& item, CFlatButton& button)
{
    HBITMAP face = LoadImageFile(item.image);
    if (item.visible == 0) {
        if (face)
            ::DeleteObject(face);
        return true;
    }
    CString caption = item.value;
    if (caption.IsEmpty())
        caption = GetSoundEffectName(SoundEffectIndexOf(item.action));   // "fx-N": the Nth effect
    button.Create(caption, kButtonStyle, ItemRect(item), &m_dialog, SkinWindowId(item.id));
    button.SetSkinBackground(TRUE);
    const COLORREF key = HexToColor(item.tcolor);
    if (!item.imageon.IsEmpty()) {
        HBITMAP on = LoadImageFile(item.imageon);
        button.SetBitmaps(on, key, face, key);
    } else {
        button.SetHoverRoundFrame(FALSE);
        switch (item.hl) {
        case 2: button.SetHoverRoundFrame(TRUE); break;
        case 3: button.SetHoverTopBar(TRUE); break;
        case 4: button.SetHoverEdge(TRUE); break;
        case 5: button.SetHoverRedGlass(TRUE); break;
        case 6: button.SetHoverBlueGlass(TRUE); break;
        case 7: button.SetHoverOrangeGlass(TRUE); break;
        case 8: button.SetHoverFloodFill(TRUE); break;
        default: break;
        }
        if (item.hl == 1)
            button.SetBitmaps(face, key, FLATBUTTON_DARKEN_FIRST, 0);
        else
            button.SetBitmaps(face, key, nullptr, 0);
    }
    const MainSettings& settings = m_dialog.GetSettings();
    if (settings.Tooltips) {
        if (settings.BalloonTips)
            button.SetTooltipBalloon();
        button.SetTooltipText(item.tooltip, TRUE);
    }
    if (!item.font.IsEmpty())
        button.SetPointFont(item.font, item.fsize);
    if (!item.txcolor.IsEmpty())
        button.SetTextColorHex(item.txcolor);
    if (item.AR == 1)
        button.SetAutoRepeat(TRUE);
    return true;
}

CString SkinBuilder::GetSoundEffectName(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_effects.size())
        return CString();
    return m_effects[static_cast<size_t>(index)];
}

// ---------------------------------------------------------------- fields and lights

void SkinBuilder::CreateTextFields()
{
    Skin& skin = TheSkin();
    for (int i = 0; i < skin.GetItemCount(); ++i) {
        const SkinItem item = skin.GetItem(i);
        if (item.kind != SKIN_TEXTFIELD)
            continue;
        const int index = TextFieldIndex(item.action);
        if (index < 0 || !Claim(item))
            continue;
        skin.CreateTextField(item, m_controls.TextField(index));
        if (item.action == "clock" || item.action == "uptime")
            m_dialog.Parts().StartTimer(m_dialog.m_hWnd, kClockTimer, 1000);
    }
}

void SkinBuilder::CreateStatusFields()
{
    Skin& skin = TheSkin();
    for (int i = 0; i < skin.GetItemCount(); ++i) {
        const SkinItem item = skin.GetItem(i);
        if (item.kind != SKIN_STATUS)
            continue;
        const int index = StatusFieldIndex(item.action);
        if (index < 0 || !Claim(item))
            continue;
        skin.CreateStatusField(item, m_controls.StatusField(index));
        if (item.action == "s-tracklist") {
            // The busy bar shows over the track list's status line.
            if (CWnd* busy = m_dialog.GetDlgItem(IDC_TESTPROGRESS))
                busy->SetWindowPos(nullptr, item.left, item.top, item.right - item.left, item.bottom - item.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        }
    }
}

void SkinBuilder::CreateIndicatorLights()
{
    Skin& skin = TheSkin();
    for (int i = 0; i < skin.GetItemCount(); ++i) {
        const SkinItem item = skin.GetItem(i);
        if (item.kind != SKIN_INDLIGHT)
            continue;
        const int index = LightIndex(item.action);
        if (index < 0 || !Claim(item))
            continue;
        skin.CreateIndicatorLight(item, m_controls.Light(index));
    }
}

// ---------------------------------------------------------------- trees

void SkinBuilder::CreateTrees()
{
    Skin& skin = TheSkin();
    for (int i = 0; i < skin.GetItemCount(); ++i) {
        const SkinItem item = skin.GetItem(i);
        if (item.kind != SKIN_TREECTRL)
            continue;
        if (item.action == "juketree") {
            if (Claim(item))
                m_controls.JukeTree().Create(TreeStyle(item.border), ItemRect(item), &m_dialog,
                                             SkinWindowId(item.id));
        } else if (item.action == "mylibrary") {
            if (Claim(item))
                CreateLibraryTree(item);
        } else if (item.action == "mycomputer") {
            if (Claim(item))
                CreateFolderTree(item);
        }
    }
}

void SkinBuilder::CreateLibraryTree(const SkinItem& item)
{
    TXVTreeCtrl& tree = m_controls.LibraryTree();
    tree.Create(TreeStyle(item.border), ItemRect(item), &m_dialog, SkinWindowId(item.id));
    tree.SetOwner(m_pListOwner);
    tree.LoadImageList();
    ::SendMessageA(tree.m_hWnd, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(HexToColor(item.bkcolor)));
    ::SendMessageA(tree.m_hWnd, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(HexToColor(item.txcolor)));
    if (item.IJ == 4)
        tree.SetExplorerTheme(true);
    CFont& font = m_controls.LibraryTreeFont();
    font.DeleteObject();
    if (font.CreatePointFont(item.fsize, item.font))
        tree.SetFont(static_cast<HFONT>(font.m_hObject), TRUE);
    m_controls.m_strLibraryTreeFace = item.font;
    m_controls.m_nLibraryTreeSize = item.fsize;
    ::SendMessageA(tree.m_hWnd, TVM_SETITEMHEIGHT, static_cast<WPARAM>(TreeItemHeight(item.fsize)), 0);
    // Its captions and items: the library's views.
    m_dialog.Parts().BuildLibraryTree();
    if (item.visible == 0)
        tree.ShowWindow(SW_HIDE);
}

void SkinBuilder::CreateFolderTree(const SkinItem& item)
{
    CTreeFileCtrl& tree = m_controls.FolderTree();
    tree.Create(TreeStyle(item.border), ItemRect(item), &m_dialog, SkinWindowId(item.id));
    ::SendMessageA(tree.m_hWnd, TVM_SETITEMHEIGHT, static_cast<WPARAM>(TreeItemHeight(item.fsize)), 0);
    ::SendMessageA(tree.m_hWnd, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(HexToColor(item.bkcolor)));
    ::SendMessageA(tree.m_hWnd, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(HexToColor(item.txcolor)));
    CFont& font = m_controls.FolderTreeFont();
    font.DeleteObject();
    if (font.CreatePointFont(item.fsize, item.font))
        tree.SetFont(static_cast<HFONT>(font.m_hObject), TRUE);
    m_controls.m_strFolderTreeFace = item.font;
    m_controls.m_nFolderTreeSize = item.fsize;
    tree.SetShowNetwork(m_dialog.GetSettings().ShowNetwork ? TRUE : FALSE);
    if (item.IJ == 4)
        tree.SetExplorerTheme();
    tree.SetShowFiles(FALSE);
    tree.m_bAllowRename = FALSE;
    tree.m_bAllowDelete = FALSE;
    tree.m_bAllowProperties = FALSE;
    tree.SetShowDesktopRoot(FALSE);
    tree.SetShowMyDocuments(FALSE);
    tree.AttachSystemImageList();
    tree.Refresh();
    if (HTREEITEM root = TreeView_GetRoot(tree.m_hWnd))
        TreeView_Expand(tree.m_hWnd, root, TVE_EXPAND);
    if (item.visible == 0)
        tree.ShowWindow(SW_HIDE);
}

// ---------------------------------------------------------------- lists

void SkinBuilder::CreateLists()
{
    Skin& skin = TheSkin();
    for (int i = 0; i < skin.GetItemCount(); ++i) {
        const SkinItem item = skin.GetItem(i);
        if (item.kind != SKIN_LISTCTRL)
            continue;
        const int slot = TrackListIndex(item.action);
        if (slot >= 0) {
            if (Claim(item))
                CreateTrackList(item, slot);
        } else if (item.action == "thumblist") {
            if (Claim(item))
                CreateThumbList(item);
        } else if (item.action == "jukelist") {
            if (Claim(item))
                CreateJukeList(item);
        }
    }
}

void SkinBuilder::CreateTrackList(const SkinItem& item, int slot)
{
    TXVTrackList& list = m_controls.TrackList(slot);
    if (slot != TL_MAIN)
        m_controls.SetListShown(slot, item.visible != 0);
    list.Create(ListStyle(item.border), ItemRect(item), &m_dialog, SkinWindowId(item.id));
    if (item.IJ == 4)
        list.SetExplorerTheme(true);
    list.SetFont(item.font, item.fsize);
    const COLORREF back = HexToColor(item.bkcolor);
    const COLORREF text = HexToColor(item.txcolor);
    list.SetBkColor(back);
    list.SetTextBkColor(back);
    list.SetTextColor(text);
    list.SetListType(TrackListType(slot));
    list.SetOwnerWindow(&m_dialog);
    list.SetOwner(m_pListOwner);
    if (item.LHI == 1)
        list.SetCompactRows(true);
    if (item.FH == 1) {
        list.SubclassHeader();
        list.SetHeaderColors(HexToColor(item.FHBkColor.IsEmpty() ? CString("000000") : item.FHBkColor),
                             HexToColor(item.FHTxColor.IsEmpty() ? CString("ffffff") : item.FHTxColor));
    }
    if (item.SSA == 1)
        list.ModifyStyle(0, LVS_SHOWSELALWAYS);
    list.SetColors(back, text);
    if (!item.value.IsEmpty())
        list.SetSkinValue(true, item.value);
    else
        list.SetSkinValue(false, "");
    if (item.Header != 1) {
        list.SetOwnerHeader(false);
        list.ModifyStyle(0, LVS_NOCOLUMNHEADER);
    }
    HideBars(list, item);
    VIZU::DisplayListHeader(&list, false);
    if (item.visible == 0)
        list.ShowWindow(SW_HIDE);
    if (slot == TL_MAIN) {
        // The saved widths; when absent or unreadable the header's own.
        int32_t widths[kSavedColumns] = {};
        const CString ini = m_dialog.GetProgramFolder() + SettingsFile::kFileName;
        if (::GetPrivateProfileStructA("MAIN", "TracklistColumnSizes", widths, sizeof widths, ini)) {
            int values[kSavedColumns];
            for (int c = 0; c < kSavedColumns; ++c)
                values[c] = widths[c];
            RestoreColumnWidths(list, values);
        }
    }
    if (item.IJ == 1 || item.IJ == 2 || item.IJ == 3)
        list.SetJukeStyle(true);
    if (item.IJ == 2)
        list.SetJukeStyle2(true);
    if (item.IJ == 3)
        list.SetJukeStyle3(true);
    if (item.FW == 1)
        list.SetFullWidthColumn(true);
    if (item.STI == 1)
        list.SetSTI(true);
    if (item.HB == 1)
        list.SetHB(true);
    if (item.ICON == 1)
        list.ToggleIconView();
}

void SkinBuilder::CreateThumbList(const SkinItem& item)
{
    TXVThumbList& list = m_controls.ThumbList();
    m_controls.SetThumbList(true);
    list.Create(kThumbListStyle, ItemRect(item), &m_dialog, SkinWindowId(item.id));
    list.ModifyStyle(0, LVS_NOCOLUMNHEADER);
    list.SetOwnerWindow(&m_dialog);
    list.LoadImageLists();
    list.SetFont(item.font, item.fsize);
    const COLORREF back = HexToColor(item.bkcolor);
    const COLORREF text = HexToColor(item.txcolor);
    list.SetColors(back, text);
    list.SetBkColor(back);
    list.SetTextBkColor(back);
    list.SetTextColor(text);
    const int which = ScrollBarsToHide(item.NHS, item.NVS);
    if (which >= 0)
        list.HideScrollBars(1, which);
    m_controls.SetThumbView(6);
}

void SkinBuilder::CreateJukeList(const SkinItem& item)
{
    std::unique_ptr<SkinListControl>& slot = m_controls.JukeListSlot();
    if (!slot) {
        // The jukebox list's own class is not part of the program yet.
        DWORD style = ListStyle(item.border) | LVS_SHOWSELALWAYS | (item.Header != 1 ? LVS_NOCOLUMNHEADER : 0u);
        if (item.visible == 0)
            style &= ~static_cast<DWORD>(WS_VISIBLE);
        slot.reset(new PlaceholderListControl(style));
    }
    TheSkin().CreateListControl(item, *slot);
}

// ---------------------------------------------------------------- the other controls

void SkinBuilder::CreateMiscControls()
{
    Skin& skin = TheSkin();
    for (int i = 0; i < skin.GetItemCount(); ++i) {
        const SkinItem item = skin.GetItem(i);
        if (item.kind <= SKIN_LISTCTRL)
            continue;
        int slot = 0;
        const MiscKind kind = ClassifyMisc(item.action, &slot);
        if (kind == MiscKind::None || !Claim(item))
            continue;
        switch (kind) {
        case MiscKind::Splitter:
            CreateSplitter(item);
            break;
        case MiscKind::InfoWindow:
            CreateInfoWindow(item);
            break;
        case MiscKind::JukePane: {
            std::unique_ptr<SkinJukePane>& pane = m_controls.JukePaneSlot(slot);
            if (!pane)
                pane.reset(new PlaceholderJukePane);
            skin.CreateJukePane(item, *pane, slot + 1);
            break;
        }
        case MiscKind::Spectrum:
            skin.CreateSpectrum(item, m_controls.Spectrum());
            break;
        case MiscKind::JukeVolume:
            skin.CreateSlider(item, m_controls.JukeVolume(), m_controls.JukeVolumeBackground());
            break;
        case MiscKind::JukeProgress:
            skin.CreateProgressBar(item, m_controls.JukeProgress());
            break;
        case MiscKind::AlbumArt: {
            std::unique_ptr<SkinAlbumArt>& view = m_controls.AlbumArtSlot(slot);
            if (!view)
                view.reset(new PlaceholderAlbumArt);
            skin.CreateAlbumArt(item, *view);
            break;
        }
        case MiscKind::Edit:
            skin.CreateEditBox(item, m_controls.Edit(slot));
            break;
        case MiscKind::CpuMeter:
            skin.CreateLevelMeter(item, m_controls.CpuMeter());
            m_controls.CpuMeter().SetRangeAndRedraw(0, 300);
            if (item.visible != 0)
                m_dialog.Parts().StartTimer(m_dialog.m_hWnd, kCpuMeterTimer, 100);
            break;
        case MiscKind::LevelMeter:
            skin.CreateLevelMeter(item, m_controls.LevelMeter(slot));
            break;
        case MiscKind::DeckProgress:
            skin.CreateProgressBar(item, m_controls.DeckProgress(slot));
            break;
        case MiscKind::PeakView:
            CreatePeakView(item, slot);
            break;
        case MiscKind::VideoOnSkin:
            CreateVideoOnSkin(item);
            break;
        case MiscKind::Knob:
            SetupKnob(item, m_controls.Knob(slot), m_controls.KnobBackground(slot));
            if (item.visible == 1) {
                // The EQ-low knobs: "knb-a-eqlow" 2, "knb-b-eqlow" 5,
                // "knb-c-eqlow" 10, "knb-d-eqlow" 13.
                const int eqLow[4] = {2, 5, 10, 13};
                for (int deck = 0; deck < 4; ++deck) {
                    if (slot == eqLow[deck])
                        m_controls.SetEqKnobsShown(deck, true);
                }
            }
            break;
        case MiscKind::Slider:
            skin.CreateSlider(item, m_controls.Slider(slot), m_controls.SliderBackground(slot));
            break;
        case MiscKind::SeekSlider:
            skin.CreateSlider(item, m_controls.Slider(slot), m_controls.SliderBackground(slot));
            if (item.action == "sld-vd-seek")
                m_controls.Slider(slot).SetRange(0, 100);
            m_controls.Slider(slot).SetPos(0);
            break;
        case MiscKind::None:
            break;
        }
    }
}

void SkinBuilder::CreateSplitter(const SkinItem& item)
{
    if (item.visible != 1)
        return;
    TXVSplitter& splitter = m_controls.Splitter();
    splitter.Create(item.value, kChildVisible, ItemRect(item), &m_dialog, SkinWindowId(item.id));
    splitter.SetColors(HexToColor(item.bkcolor), HexToColor(item.txcolor), HexToColor(item.bdcolor));
    if (item.trans == 1)
        splitter.GrabBackground();
}

void SkinBuilder::CreatePeakView(const SkinItem& item, int deck)
{
    CScopeCtrl& view = m_controls.PeakView(deck);
    view.Create(item.visible == 1 ? kChildVisible : kChildHidden, ItemRect(item), &m_dialog,
                SkinWindowId(item.id));
    m_controls.SetPeakViewShown(deck, item.visible == 1);
    if (deck < 2) {
        SkinMeterSet& meters = m_dialog.GetSkinMeters();
        meters.spectrumBack = HexToColor(item.tcolor);
        meters.spectrumFore = HexToColor(item.gridcolor);
    } else {
        view.SetRange(0.0, 100.0, 1);
        view.SetYUnits("A");
        view.SetXUnits("B");
    }
    view.SetBackgroundColor(HexToColor(item.bkcolor));
    view.SetGridColor(HexToColor(item.gridcolor));
    view.SetPlotColor(HexToColor(item.linecolor));
    view.SetCenterLineColor(HexToColor(item.tcolor));
}

void SkinBuilder::CreateInfoWindow(const SkinItem& item)
{
    std::unique_ptr<InfoWnd>& info = m_controls.InfoWindowSlot();
    info.reset(new InfoWnd(&m_dialog));
    if (!info->CreateStrip()) {
        info.reset();
        return;
    }
    // The skin's rectangle is in the main window's client area; the strip
    // is a window of its own, placed in screen coordinates.
    POINT corner = {item.left, item.top};
    ::ClientToScreen(m_dialog.m_hWnd, &corner);
    const int width = item.right - item.left;
    const int height = item.bottom - item.top;
    info->SetHomeRect(CRect(corner.x, corner.y, corner.x + width, corner.y + height));
    info->SetWindowPos(nullptr, corner.x, corner.y, width, height,
                       SWP_NOZORDER | SWP_NOACTIVATE | (item.visible == 1 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    info->SetListFont(item.font, item.fsize);
    info->SetColors(HexToColor(item.bkcolor), HexToColor(item.txcolor));
    info->SetupLayout();
    info->SetToggleable(item.value == "1");
    info->SetTrackInfo(TrackInfoTexts());
    // A strip the skin hides stays hidden at the start.
}

bool SkinBuilder::CreateVideoOnSkin(const SkinItem& item)
{
    std::unique_ptr<CWnd>& video = m_controls.VideoSlot();
    if (!video) {
        // The video window's own class is not part of the program yet: a
        // window at its place keeps the skin's picture there.
        auto* placeholder = new SkinPlaceholderWnd;
        video.reset(placeholder);
        placeholder->CreatePlaceholder(kChildHidden, ItemRect(item), &m_dialog, SkinWindowId(item.id));
    }
    if (video->m_hWnd) {
        video->ModifyStyleEx(0, WS_EX_ACCEPTFILES);
        if (item.visible == 1)
            video->ShowWindow(SW_SHOW);
    }
    Log("Video on skin created");
    return true;
}

void SkinBuilder::SetupKnob(const SkinItem& item, KnobCtrl& knob, CBitmap& background)
{
    int index = 0;
    if (ClassifyMisc(item.action, &index) != MiscKind::Knob)
        index = -1;
    if (!knob.m_hWnd && index >= 0)
        knob.SubclassDlgItem(static_cast<UINT>(KnobTemplateId(index)), &m_dialog);
    HBITMAP back = LoadImageFile(item.image);   // the knob item's imageknob
    if (!back) {
        CDC* skinDC = m_dialog.GetSkinDC();
        background.DeleteObject();
        if (skinDC)
            CaptureDCArea(skinDC, item.left, item.top, item.right - item.left, item.bottom - item.top, background);
        back = static_cast<HBITMAP>(background.Detach());
    }
    HBITMAP dot = LoadImageFile(item.imageon);   // its imagedot
    if (knob.m_hWnd) {
        knob.SetRange(30, 329);
        ::SendMessageA(knob.m_hWnd, TBM_SETPOS, TRUE, 0);
    }
    knob.SetTransparentColor(HexToColor(item.tcolor));
    knob.SetDrawBackground(false);
    if (HBITMAP old = knob.SetBitmap(back, KnobCtrl::SLOT_BACKGROUND))
        ::DeleteObject(old);
    if (HBITMAP old = knob.SetBitmap(back, KnobCtrl::SLOT_KNOB))
        ::DeleteObject(old);
    if (HBITMAP old = knob.SetBitmap(dot, KnobCtrl::SLOT_DOT))
        ::DeleteObject(old);
    if (knob.m_hWnd)
        knob.SetWindowPos(nullptr, item.left, item.top, item.right - item.left, item.bottom - item.top,
                          SWP_NOZORDER | SWP_NOACTIVATE | (item.visible == 1 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// ---------------------------------------------------------------- captions

void SkinBuilder::UpdateListCaption(const char* fieldName, int listSlot)
{
    TXVStatusField& field = m_controls.StatusField(StatusFieldIndex(fieldName));
    if (!field.m_hWnd)
        return;
    const int rows = m_controls.TrackList(listSlot).GetItemCount();
    field.SetText(FormatListCaption(field.GetDefaultText(), rows).c_str());
}

void SkinBuilder::UpdateSearchListCaption()
{
    UpdateListCaption("s-searchlist", TL_SEARCH);
}

void SkinBuilder::UpdateRequestListCaption()
{
    UpdateListCaption("s-requestlist", TL_REQUEST);
}

void SkinBuilder::UpdateQueueCaption(int code)
{
    int slot = -1;
    const char* name = QueueCaptionField(code, &slot);
    if (!name)
        return;
    TXVStatusField& field = m_controls.StatusField(StatusFieldIndex(name));
    if (!field.m_hWnd)
        return;
    TXVTrackList& list = m_controls.TrackList(slot);
    const int rows = list.GetItemCount();
    const CString time = VIZU::GetTotalQueueTime(&list);
    field.SetText(FormatQueueCaption(field.GetDefaultText(), rows, time).c_str());
}

// ---------------------------------------------------------------- skin browser, info window

void SkinBuilder::OnSkinBrowser()
{
    if (!m_browser) {
        Log("Not yet part of the program: skin browser");
        return;
    }
    if (m_browser())
        ShowMessage("You have changed your skin style.\n\nYou will need to restart Tavrix before the changes take effect.");
}

void SkinBuilder::ToggleInfoWindow()
{
    InfoWnd* info = m_controls.InfoWindow();
    if (!info || !info->m_hWnd)
        return;
    info->ShowWindow(info->IsWindowVisible() ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void SkinBuilder::SetTrackInfo(const TrackInfoTexts& info)
{
    m_trackInfo = info;
    if (InfoWnd* window = m_controls.InfoWindow())
        window->SetTrackInfo(m_trackInfo);
}
