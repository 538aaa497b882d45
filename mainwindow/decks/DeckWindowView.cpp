#include "mainwindow/decks/DeckWindowView.h"

#include <commdlg.h>

#include "audio/fx/FxFilter.h"
#include "foundation/app/IniAccess.h"
#include "foundation/app/MessageTexts.h"
#include "foundation/app/ProgramLog.h"
#include "library/api/VIZU.h"
#include "library/records/CTrackRecord.h"
#include "mainwindow/decks/DeckRules.h"
#include "mainwindow/messages/PrivateMessages.h"
#include "skin/create/FindSkinControl.h"
#include "skin/create/SkinMeterSet.h"
#include "skin/create/SkinPaneSeams.h"
#include "skin/fields/TXVIndLight.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/fields/TXVTextField.h"
#include "skin/file/Skin.h"
#include "skin/knob/KnobCtrl.h"
#include "widgets/button/FlatButton.h"
#include "widgets/progress/GradientProgressCtrl.h"
#include "widgets/scope/ScopeCtrl.h"
#include "widgets/slider/BitmapSlider.h"

using deck_rules::DeckControlName;

namespace
{

const char* const kEqBands[3] = {"eqlow", "eqmid", "eqhigh"};
const char* const kArtViews[5] = {"arta", "artb", "artc", "artd", "jukeart"};
const char* const kDeckSections[2] = {"DECKA", "DECKB"};

int32_t ControlId(const char* name)
{
    return TheSkin().LookupControlName(name);
}

CString KnobName(int deck, const char* what)
{
    CString name;
    name.Format("knb-%s", DeckControlName(deck, what).GetString());
    return name;
}

} // namespace

DeckWindowView::DeckWindowView(HWND mainWindow, SkinMeterSet* meters)
    : m_mainWindow(mainWindow), m_meters(meters)
{
}

HWND DeckWindowView::ControlWindow(const char* name) const
{
    return WindowOf(ControlId(name));
}

void DeckWindowView::ForgetControls()
{
    m_windows.clear();
    m_windowsListed = false;
}

void DeckWindowView::ListControls() const
{
    m_windows.clear();
    m_windowsListed = true;
    if (!m_mainWindow)
        return;
    // The ids compared in 32 bits, as FindSkinWindow does: a negative id is
    // stored zero-extended on 64-bit Windows. The first child with an id
    // is the one found.
    for (HWND child = ::GetWindow(m_mainWindow, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        m_windows.emplace(static_cast<int32_t>(static_cast<UINT>(::GetWindowLongPtrA(child, GWLP_ID))), child);
}

HWND DeckWindowView::WindowOf(int32_t id) const
{
    if (id == 0 || !m_mainWindow)
        return nullptr;
    if (!m_windowsListed)
        ListControls();
    auto found = m_windows.find(id);
    if (found == m_windows.end())
        return nullptr;
    HWND hWnd = found->second;
    if (::IsWindow(hWnd) && ::GetParent(hWnd) == m_mainWindow &&
        static_cast<UINT>(::GetWindowLongPtrA(hWnd, GWLP_ID)) == SkinWindowId(id))
        return hWnd;
    // The control was made again since the list was taken.
    ListControls();
    found = m_windows.find(id);
    return found != m_windows.end() ? found->second : nullptr;
}

bool DeckWindowView::HasControl(const char* name) const
{
    return ControlWindow(name) != nullptr;
}

void DeckWindowView::SetSliderPos(const CString& name, int position)
{
    if (CBitmapSlider* slider = Control<CBitmapSlider>(ControlId(name)))
        slider->SetPos(position);
}

void DeckWindowView::SetKnobPos(const CString& name, int position)
{
    if (KnobCtrl* knob = Control<KnobCtrl>(ControlId(name))) {
        knob->SetPos(position);
        knob->Invalidate();
    }
}

// ---------------------------------------------------------------- the mixer's controls

void DeckWindowView::ShowCrossfader(int x)
{
    SetSliderPos("sldxfader", x);
}

void DeckWindowView::ShowGainSlider(int deck, int position)
{
    SetSliderPos(DeckControlName(deck, "sldgain"), position);
}

void DeckWindowView::ShowEqControls(int deck, const int* knobPositions, const int* sliderPositions)
{
    CString slider;
    for (int band = 0; band < 3; ++band) {
        SetKnobPos(KnobName(deck, kEqBands[band]), knobPositions[band]);
        slider.Format("sld%s", kEqBands[band]);
        SetSliderPos(DeckControlName(deck, slider), sliderPositions[band]);
    }
}

void DeckWindowView::SetLight(const char* name, bool on)
{
    if (TXVIndLight* light = Control<TXVIndLight>(ControlId(name)))
        light->SetState(on);
}

void DeckWindowView::SetText(const char* name, const CString& text)
{
    const int32_t id = ControlId(name);
    if (TXVTextField* field = Control<TXVTextField>(id))
        field->SetText(text);
    else if (TXVStatusField* status = Control<TXVStatusField>(id))
        status->SetText(text);
}

void DeckWindowView::ShowMessage(const CString& text) { ::ShowMessage(text); }
void DeckWindowView::ShowNotice(int id) { ShowMessageById(id); }

void DeckWindowView::WriteLog(const CString& text)
{
    if (m_log)
        m_log(text);
    else
        ::WriteLog(text);
}

// ---------------------------------------------------------------- the deck's controls

void DeckWindowView::ShowPitchSlider(int deck, int position)
{
    SetSliderPos(DeckControlName(deck, "sldpitch"), position);
}

bool DeckWindowView::HasEqKnobs(int deck) const
{
    return HasControl(KnobName(deck, "eqlow"));
}

void DeckWindowView::SetPositionRange(int deck, int length)
{
    const int32_t id = ControlId(DeckControlName(deck, "progress"));
    if (CGradientProgressCtrl* bar = Control<CGradientProgressCtrl>(id)) {
        bar->SetRangeAndRedraw(0, length);
        bar->SetPos(0);
    }
}

void DeckWindowView::SetSeekRange(int deck, int length)
{
    if (CBitmapSlider* slider = Control<CBitmapSlider>(ControlId(DeckControlName(deck, "sldseek"))))
        slider->SetRange(0, length);
}

void DeckWindowView::ShowPosition(int deck, int seconds)
{
    const int32_t id = ControlId(DeckControlName(deck, "progress"));
    if (CGradientProgressCtrl* bar = Control<CGradientProgressCtrl>(id))
        bar->SetPos(seconds);
}

void DeckWindowView::ShowSeekSlider(int deck, int seconds)
{
    SetSliderPos(DeckControlName(deck, "sldseek"), seconds);
}

void DeckWindowView::ShowJogKnob(int deck, int position)
{
    SetKnobPos(KnobName(deck, "jog"), position);
}

void DeckWindowView::ShowLevels(int deck, int left, int right)
{
    if (deck < 0 || deck > 3)
        return;
    const int levels[2] = {left, right};
    if (m_meters && deck <= 1 && m_meters->deckUsesNeedleMeters[deck]) {
        for (int side = 0; side < 2; ++side)
            if (m_meters->needleMeters[deck * 2 + side].GetSafeHwnd())
                m_meters->needleMeters[deck * 2 + side].SetValue(static_cast<double>(levels[side]));
        return;
    }
    if (m_meters && m_meters->deckUsesImageMeters[deck]) {
        for (int side = 0; side < 2; ++side)
            if (m_meters->imageMeters[deck * 2 + side].GetSafeHwnd())
                m_meters->imageMeters[deck * 2 + side].SetLevel(levels[side]);
        return;
    }
    const char* const names[2] = {"leftmtr", "rightmtr"};
    for (int side = 0; side < 2; ++side) {
        const int32_t id = ControlId(DeckControlName(deck, names[side]));
        if (CGradientProgressCtrl* bar = Control<CGradientProgressCtrl>(id))
            bar->SetPos(levels[side]);
    }
}

void DeckWindowView::ResetPeakView(int deck)
{
    CString name;
    name.Format("vp-%c", "abcd"[deck & 3]);
    if (CScopeCtrl* scope = Control<CScopeCtrl>(ControlId(name)))
        scope->Reset();
}

bool DeckWindowView::ShowArt(int index, const CString& path)
{
    if (index < 0 || index > 4)
        return false;
    SkinAlbumArt* view = Control<SkinAlbumArt>(ControlId(kArtViews[index]));
    if (!view)
        return false;
    view->ShowTrackArt(path);
    if (path.IsEmpty())
        return false;
    TAG_INFO tags;
    return VIZU::GetTagInfo(path, &tags) && tags.HasPicture;
}

bool DeckWindowView::IsTrackInLibrary(const CString& path) { return VIZU::IsTrackInLib(path); }

void DeckWindowView::ShowTrackProperties(const CString& path, int length, int deck)
{
    if (m_trackProperties)
        m_trackProperties(path, length, deck);
    else
        WriteLog("Not yet part of the program: the extended track properties dialog");
}

void DeckWindowView::ShowCueNaming(const CString& path, int seconds, int cue)
{
    if (m_cueNaming)
        m_cueNaming(path, seconds, cue);
    else
        WriteLog("Not yet part of the program: the cue-point naming dialog");
}

void DeckWindowView::PostDeckTime(int deck, int seconds)
{
    if (m_mainWindow)
        ::PostMessageA(m_mainWindow, WM_DECK_TIME, static_cast<WPARAM>(deck), seconds);
}

void DeckWindowView::ShowArtFile(int deck, const CString& file)
{
    if (deck != 0 && deck != 1)
        return;
    if (SkinAlbumArt* view = Control<SkinAlbumArt>(ControlId(kArtViews[deck])))
        view->ShowImageFile(file);
}

void DeckWindowView::SetTooltip(unsigned commandId, const CString& text)
{
    if (CFlatButton* button = Control<CFlatButton>(static_cast<int32_t>(commandId)))
        button->SetTooltipText(text);
}

// ---------------------------------------------------------------- the library and the settings

CString DeckWindowView::SecondsText(int seconds) { return VIZU::SecondsToString(seconds); }
CString DeckWindowView::TitleFromFile(const CString& path) { return VIZU::GetTitleFromFilename(path); }

bool DeckWindowView::ReadCuePoints(const CString& path, DeckCueInfo& info)
{
    info = DeckCueInfo();
    if (path.IsEmpty())
        return false;
    CTrackRecord record;
    record.ClearRecord();
    info.inLibrary = VIZU::GetTrackPropsEx(path, &record);
    info.position[0] = record.m_Cue1;
    info.position[1] = record.m_Cue2;
    info.name[0] = record.m_Cue1Name;
    info.name[1] = record.m_Cue2Name;
    return info.inLibrary;
}

CString DeckWindowView::ReadPreset(int deck, int n)
{
    if (deck < 0 || deck > 1 || n < 1 || n > 4)
        return CString();
    CString key;
    key.Format("Preset%d", n);
    return GetIniString(kDeckSections[deck], key);
}

int DeckWindowView::GetFxMode(int deck) { return FxGetMode(deck); }
void DeckWindowView::SetFxMode(int deck, int mode) { FxSetMode(deck, mode); }
void DeckWindowView::ClearEchoBuffer(int deck) { FxClearEchoBuffer(deck); }
void DeckWindowView::ClearDelayBuffer(int deck) { FxClearDelayBuffer(deck); }

// ---------------------------------------------------------------- dialogs

bool DeckWindowView::AskTrackFile(CString& path)
{
    char file[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_mainWindow;
    ofn.lpstrFilter = "Music Files (*.mp3; *.wav)\0*.mp3;*.wav\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameA(&ofn))
        return false;
    path = file;
    return true;
}

void DeckWindowView::ShowConfig(int page)
{
    if (m_showConfig)
        m_showConfig(page);
}

void DeckWindowView::PostDenonTime(int deck, int seconds)
{
    // WM_USER+9501: the time for the controller's display.
    if (m_mainWindow)
        ::PostMessageA(m_mainWindow, WM_CONTROLLER_TIME, static_cast<WPARAM>(deck), seconds);
}
