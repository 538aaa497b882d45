// The skin's control creators: each makes one control of the main window
// from a skin item (see Skin.h and CreateRules.h for the choices).
#include "skin/file/Skin.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "foundation/drawing/DrawingHelpers.h"
#include "foundation/drawing/HexToColor.h"
#include "skin/create/CreateRules.h"
#include "skin/create/FindSkinControl.h"
#include "skin/create/SkinMeterSet.h"
#include "skin/create/SkinPaneSeams.h"
#include "skin/dialogs/TXVEditCtrl.h"
#include "skin/fields/TXVIndLight.h"
#include "skin/fields/TXVSplitter.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/fields/TXVTextField.h"
#include "skin/host/SkinHost.h"
#include "widgets/progress/GradientProgressCtrl.h"
#include "widgets/slider/BitmapSlider.h"

#ifndef EM_SETCUEBANNER
#define EM_SETCUEBANNER 0x1501
#endif

namespace {

RECT ItemRect(const SkinItem& item)
{
    return RECT{item.left, item.top, item.right, item.bottom};
}

UINT ItemId(const SkinItem& item)
{
    return SkinWindowId(item.id);
}

// The bar's setup shared by progress bars and level meters: range, colours,
// orientation, reverse, border and position (the pattern is the caller's).
void SetUpBar(const SkinItem& item, CGradientProgressCtrl& bar)
{
    bar.Create(SkinCommonStyle(item), ItemRect(item), SkinMainWindow(), ItemId(item));
    bar.SetRangeAndRedraw(0, 100);
    bar.SetBkColour(HexToColor(item.bkcolor));
    bar.SetColours(3, HexToColor(item.pcolor1), HexToColor(item.pcolor2), HexToColor(item.pcolor3));
    const bool vertical = item.orient.CompareNoCase("vert") == 0;
    bar.ModifyStyle(vertical ? 0 : kGradientVertical, vertical ? kGradientVertical : 0);
    bar.ModifyStyle(item.reverse ? 0 : kGradientReversed, item.reverse ? kGradientReversed : 0);
    bar.ModifyStyleEx(item.border ? 0 : WS_EX_STATICEDGE, item.border ? WS_EX_STATICEDGE : 0, SWP_FRAMECHANGED);
}

void FinishBar(CGradientProgressCtrl& bar)
{
    bar.SetPos(0);
    if (bar.m_hWnd)
        bar.Invalidate();
}

// A pattern brush made from the program's 8 x 8 bitmap resource, kept by
// the skin; null when the resource is missing.
CBrush* MakePatternBrush(Skin& skin, int resource)
{
    if (!resource)
        return nullptr;
    HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
    if (!bitmap)
        return nullptr;
    auto brush = std::make_shared<CBrush>();
    brush->Attach(::CreatePatternBrush(bitmap));
    ::DeleteObject(bitmap);
    if (!brush->m_hObject)
        return nullptr;
    skin.KeepObject(brush);
    return brush.get();
}

template <class Field>
void ApplyFieldItem(const SkinItem& item, Field& field)
{
    field.SetColors(item.txcolor, item.bkcolor);
    field.SetFont(item.font, item.fsize);
}

template <class Field>
void ApplyFieldBorder(const SkinItem& item, Field& field)
{
    if (item.border == 1) {
        field.ShowBorder(true);
        field.SetBorderColor(HexToColor(item.bdcolor));
    } else {
        field.ShowBorder(false);
    }
}

} // namespace

int Skin::CreateStatusField(const SkinItem& item, TXVStatusField& field)
{
    field.Create(item.value, SkinCommonStyle(item), ItemRect(item), SkinMainWindow(), ItemId(item));
    ApplyFieldItem(item, field);
    if (item.trans == 1 && item.visible == 1)
        field.GrabBackground();
    ApplyFieldBorder(item, field);
    if (item.time == 0)
        field.SetTimeFlag(false);
    field.SetDefaultText(item.value);
    field.SetAlign(item.align);
    field.SetText(item.value);
    return 0;
}

int Skin::CreateTextField(const SkinItem& item, TXVTextField& field)
{
    field.Create(item.value, SkinCommonStyle(item), ItemRect(item), SkinMainWindow(), ItemId(item));
    field.EnableText(item.visible == 1);
    field.SetVisibleFlag(item.visible == 1);
    ApplyFieldItem(item, field);
    if (item.trans == 1 && item.visible != 0)
        field.GrabBackground();
    ApplyFieldBorder(item, field);
    field.SetDefaultText(item.value);
    field.SetAlign(item.align);
    field.SetText(item.value);
    field.SetControlName(item.action);
    return 0;
}

int Skin::CreateEditBox(const SkinItem& item, TXVEditCtrl& edit)
{
    edit.Create(SkinEditStyle(item), ItemRect(item), SkinMainWindow(), ItemId(item));
    edit.SetFont(item.font, item.fsize);
    const char* cue = item.value;
    const int length = ::MultiByteToWideChar(CP_ACP, 0, cue, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, cue, -1, wide.data(), length);
    if (edit.m_hWnd)
        ::SendMessageW(edit.m_hWnd, EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(wide.data()));
    edit.SetEditMode(SkinEditMode(item.action));
    return 0;
}

int Skin::CreateSpectrum(const SkinItem& item, TXVSpectrumCtrl& pane)
{
    pane.Create("", SkinCommonStyle(item), ItemRect(item), SkinMainWindow(), ItemId(item));
    pane.ModifyStyleEx(WS_EX_STATICEDGE, 0);
    SkinHost* host = TheSkinHost();
    if (SkinMeterSet* meters = host ? host->GetMeterSet() : nullptr) {
        meters->spectrumBack = HexToColor(item.bkcolor);
        meters->spectrumFore = HexToColor(item.txcolor);
    }
    return 0;
}

int Skin::CreateJukePane(const SkinItem& item, SkinJukePane& pane, int slot)
{
    pane.CreatePane(SkinCommonStyle(item), ItemRect(item), SkinMainWindow(), ItemId(item));
    pane.SetSlotNumber(slot);
    pane.SetColors(item.txcolor, item.bkcolor);
    pane.SetFont(item.font, item.fsize);
    pane.ShowBorder(item.border == 1);
    if (item.border == 1)
        pane.SetBorderColor(HexToColor(item.bdcolor));
    return 0;
}

int Skin::CreateProgressBar(const SkinItem& item, CGradientProgressCtrl& bar)
{
    SetUpBar(item, bar);
    bar.SetBarBrush(MakePatternBrush(*this, ProgressPattern(item.value)));
    FinishBar(bar);
    return 0;
}

int Skin::CreateIndicatorLight(const SkinItem& item, TXVIndLight& light)
{
    light.Create("", item.visible == 1 ? 0x5000000Eu : kSkinStyleHidden, ItemRect(item), SkinMainWindow(),
                 ItemId(item));
    light.SetReady(item.visible == 1);
    light.LoadOnImage(m_strFolder + item.imageon);
    light.LoadOffImage(m_strFolder + item.image);
    light.GrabBackground(item.tcolor.IsEmpty() ? RGB(0, 255, 0) : HexToColor(item.tcolor));
    light.SetState(false);
    return 0;
}

int Skin::CreateSlider(const SkinItem& item, CBitmapSlider& slider, CBitmap& background)
{
    if (item.visible != 1) {
        slider.Create("", kSkinStyleHidden, ItemRect(item), SkinMainWindow(), ItemId(item));
        slider.EnableWindow(FALSE);
        return 0;
    }
    slider.Create("", 0x50000100u, ItemRect(item), SkinMainWindow(), ItemId(item));
    SkinHost* host = TheSkinHost();
    if (CDC* skinDC = host ? host->GetSkinDC() : nullptr)
        CaptureDCArea(skinDC, item.left, item.top, item.right - item.left, item.bottom - item.top, background);
    slider.SetChannelBitmap(&background);
    const COLORREF key = item.tcolor.IsEmpty() ? 0xFF000000u : HexToColor(item.tcolor);
    slider.LoadThumbBitmaps(m_strFolder + item.image, 0, TRUE, key);
    const SliderSetup setup = SkinSliderSetup(item);
    slider.m_bVertical = setup.vertical ? TRUE : FALSE;
    slider.SetRange(setup.minimum, setup.maximum);
    slider.SetPos(setup.position);
    slider.EnableFocusRect(FALSE, FALSE);
    return 0;
}

int Skin::CreateLevelMeter(const SkinItem& item, CGradientProgressCtrl& bar)
{
    SetUpBar(item, bar);
    const MeterDisplay display = SkinMeterDisplay(item.value);
    SkinHost* host = TheSkinHost();
    SkinMeterSet* meters = host ? host->GetMeterSet() : nullptr;
    if (display == MeterDisplay::Bar) {
        const char* value = item.value;
        if (value[0] == 'H' || value[0] == 'h' || value[0] == 'V' || value[0] == 'v')
            bar.SetBkColour(0);
        bar.SetBarBrush(MakePatternBrush(*this, MeterPattern(value)));
        FinishBar(bar);
        return 0;
    }
    FinishBar(bar);
    bar.ShowWindow(SW_HIDE);
    if (!meters)
        return 0;
    if (display == MeterDisplay::Image) {
        const int slot = ImageMeterSlot(item.action);
        if (slot < 0)
            return 0;
        TXVVUMeter& meter = meters->imageMeters[slot];
        if (meter.m_hWnd)
            meter.DestroyWindow();
        meter.Create(item.action, item.visible == 1 ? 0x5000000Eu : 0x4000000Eu, ItemRect(item),
                     SkinMainWindow(), static_cast<UINT>(SkinMeterSet::kFirstImageMeterId + slot));
        meter.LoadBitmaps(m_strFolder + item.image, m_strFolder + item.imageon);
        meter.SetLevel(0);
        const int deck = LeftMeterDeck(item.action);
        if (deck >= 0)
            meters->deckUsesImageMeters[deck] = true;
        return 0;
    }
    const int slot = NeedleMeterSlot(item.action);
    if (slot < 0)
        return 0;
    CNeedleMeterCtrl& needle = meters->needleMeters[slot];
    if (!needle.m_hWnd)
        needle.Create("", WS_CHILD, ItemRect(item), SkinMainWindow(), 0xFFFF);
    needle.LoadBackgroundBitmap(m_strFolder + item.image);
    needle.SetRange(0.0, 100.0);
    needle.SetDecimals(0);
    needle.SetNeedleColor(HexToColor(item.pcolor1));
    needle.SetValue(0.0);
    if (needle.m_hWnd) {
        const RECT rect = ItemRect(item);
        needle.MoveWindow(&rect);
        needle.ShowWindow(SW_SHOW);
    }
    const int deck = LeftMeterDeck(item.action);
    if (deck >= 0)
        meters->deckUsesNeedleMeters[deck] = true;
    return 0;
}

int Skin::CreateAlbumArt(const SkinItem& item, SkinAlbumArt& view)
{
    view.CreateView(SkinCommonStyle(item), ItemRect(item), SkinMainWindow(), ItemId(item));
    view.SetHasArt(item.visible == 1);
    if (HWND window = view.GetViewWindow())
        ::SetWindowLongPtrA(window, GWL_EXSTYLE, ::GetWindowLongPtrA(window, GWL_EXSTYLE) & ~WS_EX_STATICEDGE);
    if (item.image.IsEmpty())
        view.GrabBackground();
    view.SetDefaultImage(item.image);
    view.SetArtFileName(item.value);
    view.ShowTrackArt("");
    view.SetBorder(item.border == 1);
    return 0;
}

int Skin::CreateListControl(const SkinItem& item, SkinListControl& control)
{
    control.CreateFromSkin(item, SkinMainWindow());
    return 0;
}
