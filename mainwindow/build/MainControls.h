// MainControls: the controls of the main window that the skin places, one
// member for every element the builders know (see BuildTables.h), held by
// the program's parts object for the life of the main window. No control
// exists until its builder makes it; a member whose item the skin lacks
// keeps no window, and calls on it do nothing.
//
// Finding a control: every control the builders make is a child of the
// main window whose window id is the skin item's id (SkinWindowId), so
// FindSkinControl<T>(mainWindow, itemId) finds it, except:
// - the knobs, which are the main dialog template's trackbars 1042-1057
//   (KnobTemplateId) subclassed by the builder: Knob(index) or
//   GetDlgItem(template id);
// - the image level meters (18000 + slot) and needle meters (id 0xFFFF)
//   that the level-meter creator makes beside the meter's own (hidden) bar:
//   the main window's SkinMeterSet;
// - the info window, a top-level window: InfoWindow().
#pragma once

#include <windows.h>

#include <memory>

#include "foundation/filetree/TreeFileCtrl.h"
#include "framework/ui/CGdiObject.h"
#include "mainwindow/build/BuildTables.h"
#include "mainwindow/build/InfoWnd.h"
#include "skin/create/SkinPaneSeams.h"
#include "skin/dialogs/TXVEditCtrl.h"
#include "skin/fields/TXVIndLight.h"
#include "skin/fields/TXVSplitter.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/fields/TXVTextField.h"
#include "skin/knob/KnobCtrl.h"
#include "skin/thumblist/TXVThumbList.h"
#include "skin/tracklist/TXVTrackList.h"
#include "skin/tree/TXVTreeCtrl.h"
#include "widgets/button/FlatButton.h"
#include "widgets/progress/GradientProgressCtrl.h"
#include "widgets/scope/ScopeCtrl.h"
#include "widgets/slider/BitmapSlider.h"

class MainControls
{
public:
    MainControls();
    ~MainControls();
    MainControls(const MainControls&) = delete;
    MainControls& operator=(const MainControls&) = delete;

    // ---- Typed accessors (index: the element's place in its table).
    CFlatButton& Button(int index) { return m_buttons[Clamp(index, main_build::kButtonCount)]; }
    TXVTextField& TextField(int index) { return m_textFields[Clamp(index, main_build::kTextFieldCount)]; }
    TXVStatusField& StatusField(int index) { return m_statusFields[Clamp(index, main_build::kStatusFieldCount)]; }
    TXVIndLight& Light(int index) { return m_lights[Clamp(index, main_build::kLightCount)]; }
    TXVTrackList& TrackList(int slot) { return m_trackLists[Clamp(slot, main_build::kTrackListCount)]; }
    KnobCtrl& Knob(int index) { return m_knobs[Clamp(index, main_build::kKnobCount)]; }
    CBitmap& KnobBackground(int index) { return m_knobBacks[Clamp(index, main_build::kKnobCount)]; }
    CBitmapSlider& Slider(int index) { return m_sliders[Clamp(index, main_build::kSliderCount)]; }
    CBitmap& SliderBackground(int index) { return m_sliderBacks[Clamp(index, main_build::kSliderCount)]; }
    CGradientProgressCtrl& LevelMeter(int index) { return m_meters[Clamp(index, main_build::kMeterCount)]; }
    CGradientProgressCtrl& DeckProgress(int deck) { return m_progress[Clamp(deck, main_build::kProgressCount)]; }
    CScopeCtrl& PeakView(int deck) { return m_peakViews[Clamp(deck, main_build::kPeakViewCount)]; }
    bool IsPeakViewShown(int deck) const { return m_peakShown[Clamp(deck, main_build::kPeakViewCount)]; }
    void SetPeakViewShown(int deck, bool shown) { m_peakShown[Clamp(deck, main_build::kPeakViewCount)] = shown; }
    TXVEditCtrl& Edit(int index) { return m_edits[Clamp(index, main_build::kEditCount)]; }
    TXVTreeCtrl& LibraryTree() { return m_libraryTree; }
    CTreeFileCtrl& FolderTree() { return m_folderTree; }
    TXVTreeCtrl& JukeTree() { return m_jukeTree; }
    TXVThumbList& ThumbList() { return m_thumbList; }
    TXVSplitter& Splitter() { return m_splitter; }
    TXVSpectrumCtrl& Spectrum() { return m_spectrum; }
    CBitmapSlider& JukeVolume() { return m_jukeVolume; }
    CBitmap& JukeVolumeBackground() { return m_jukeVolumeBack; }
    CGradientProgressCtrl& JukeProgress() { return m_jukeProgress; }
    CGradientProgressCtrl& CpuMeter() { return m_cpuMeter; }

    // By name; null when the name is not a known element or its control
    // was not made.
    CFlatButton* FindButton(const char* action);
    TXVTextField* FindTextField(const char* name);
    TXVStatusField* FindStatusField(const char* name);
    TXVIndLight* FindLight(const char* name);
    TXVTrackList* FindTrackList(const char* name);

    // ---- The panes of other parts (seams). A part that brings the real
    // class sets its object before the builders run; the builders put a
    // placeholder where none was set.
    void SetJukePane(int index, std::unique_ptr<SkinJukePane> pane);
    SkinJukePane* JukePane(int index) const;
    std::unique_ptr<SkinJukePane>& JukePaneSlot(int index) { return m_jukePanes[Clamp(index, main_build::kJukePaneCount)]; }
    void SetAlbumArt(int index, std::unique_ptr<SkinAlbumArt> view);
    SkinAlbumArt* AlbumArt(int index) const;
    std::unique_ptr<SkinAlbumArt>& AlbumArtSlot(int index) { return m_arts[Clamp(index, main_build::kArtCount)]; }
    void SetJukeList(std::unique_ptr<SkinListControl> list) { m_jukeList = std::move(list); }
    SkinListControl* JukeList() const { return m_jukeList.get(); }
    std::unique_ptr<SkinListControl>& JukeListSlot() { return m_jukeList; }
    // The video window on the skin (placeholder until the video part).
    std::unique_ptr<CWnd>& VideoSlot() { return m_video; }
    bool HasVideoOnSkin() const { return m_video && m_video->m_hWnd; }

    // The info window; null until the skin's item made it.
    InfoWnd* InfoWindow() const { return m_info.get(); }
    std::unique_ptr<InfoWnd>& InfoWindowSlot() { return m_info; }

    // ---- Flags the builders set.
    // Whether the skin shows the list (its item's visible non-zero); the
    // main track list has none (always false).
    bool IsListShown(int slot) const { return m_listShown[Clamp(slot, main_build::kTrackListCount)]; }
    void SetListShown(int slot, bool shown) { m_listShown[Clamp(slot, main_build::kTrackListCount)] = shown; }
    bool HasThumbList() const { return m_bThumbList; }
    void SetThumbList(bool has) { m_bThumbList = has; }
    int GetThumbView() const { return m_nThumbView; }
    void SetThumbView(int view) { m_nThumbView = view; }
    bool AreEqKnobsShown(int deck) const { return m_eqKnobsShown[Clamp(deck, 4)]; }
    void SetEqKnobsShown(int deck, bool shown) { m_eqKnobsShown[Clamp(deck, 4)] = shown; }
    // The trees' fonts as the skin gave them (face, tenths of a point).
    CFont& LibraryTreeFont() { return m_libraryTreeFont; }
    CFont& FolderTreeFont() { return m_folderTreeFont; }
    CString m_strLibraryTreeFace;
    int m_nLibraryTreeSize = 0;
    CString m_strFolderTreeFace;
    int m_nFolderTreeSize = 0;

private:
    static int Clamp(int index, int count) { return index < 0 ? 0 : (index >= count ? count - 1 : index); }

    CFlatButton m_buttons[main_build::kButtonCount];
    TXVTextField m_textFields[main_build::kTextFieldCount];
    TXVStatusField m_statusFields[main_build::kStatusFieldCount];
    TXVIndLight m_lights[main_build::kLightCount];
    TXVTrackList m_trackLists[main_build::kTrackListCount];
    bool m_listShown[main_build::kTrackListCount] = {};
    KnobCtrl m_knobs[main_build::kKnobCount];
    CBitmap m_knobBacks[main_build::kKnobCount];
    CBitmapSlider m_sliders[main_build::kSliderCount];
    CBitmap m_sliderBacks[main_build::kSliderCount];
    CGradientProgressCtrl m_meters[main_build::kMeterCount];
    CGradientProgressCtrl m_progress[main_build::kProgressCount];
    CScopeCtrl m_peakViews[main_build::kPeakViewCount];
    bool m_peakShown[main_build::kPeakViewCount] = {};
    TXVEditCtrl m_edits[main_build::kEditCount];
    TXVTreeCtrl m_libraryTree;
    CTreeFileCtrl m_folderTree;
    TXVTreeCtrl m_jukeTree;
    CFont m_libraryTreeFont;
    CFont m_folderTreeFont;
    TXVThumbList m_thumbList;
    bool m_bThumbList = false;
    int m_nThumbView = 0;
    TXVSplitter m_splitter;
    TXVSpectrumCtrl m_spectrum;
    CBitmapSlider m_jukeVolume;
    CBitmap m_jukeVolumeBack;
    CGradientProgressCtrl m_jukeProgress;
    CGradientProgressCtrl m_cpuMeter;
    bool m_eqKnobsShown[4] = {};
    std::unique_ptr<SkinJukePane> m_jukePanes[main_build::kJukePaneCount];
    std::unique_ptr<SkinAlbumArt> m_arts[main_build::kArtCount];
    std::unique_ptr<SkinListControl> m_jukeList;
    std::unique_ptr<CWnd> m_video;
    std::unique_ptr<InfoWnd> m_info;
};
