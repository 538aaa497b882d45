// SkinBuilder: builds the main window's controls from the loaded skin, once,
// inside the start-up timer: the seven builders in their order (buttons,
// text fields, status fields, lights, trees, lists, the other controls),
// each walking the skin's items in table order and making the controls its
// tables name (BuildTables.h) into the members of MainControls. Beside them
// the list captions in the status fields, the info window's texts, the
// skin browser command and the sound effects' names on buttons.
//
// A second item with an id already built is ignored (the first wins) and
// logged; an item no builder knows makes nothing.
#pragma once

#include <functional>
#include <set>
#include <vector>

#include "framework/core/CString.h"
#include "mainwindow/build/MainControls.h"
#include "mainwindow/build/TrackInfoTexts.h"

class MainDialog;
class ListOwner;
struct SkinItem;

class SkinBuilder
{
public:
    SkinBuilder(MainDialog& dialog, MainControls& controls);

    void SetListOwner(ListOwner* owner) { m_pListOwner = owner; }
    // The display names of the sound-effects list, in file order.
    void SetSoundEffectNames(std::vector<CString> names) { m_effects = std::move(names); }
    // The skin browser (run modally): true when the user changed the skin
    // style. Unset: the browser is not part of the program yet.
    void SetSkinBrowser(std::function<bool()> browser) { m_browser = std::move(browser); }

    // The seven builders, in this order.
    void CreateButtons();
    void CreateTextFields();
    void CreateStatusFields();
    void CreateIndicatorLights();
    void CreateTrees();
    void CreateLists();
    void CreateMiscControls();

    // One button from its item: always true (a hidden item makes no window).
    bool CreateSkinButton(const SkinItem& item, CFlatButton& button);
    // The display text of entry index of the sound-effects list; empty past
    // either end.
    CString GetSoundEffectName(int index) const;
    void SetupKnob(const SkinItem& item, KnobCtrl& knob, CBitmap& background);
    bool CreateVideoOnSkin(const SkinItem& item);

    // Captions of the lists in their status fields.
    void UpdateSearchListCaption();
    void UpdateRequestListCaption();
    void UpdateQueueCaption(int code);

    // The skin browser command.
    void OnSkinBrowser();

    // The info window: shown or hidden; the texts handed to it.
    void ToggleInfoWindow();
    void SetTrackInfo(const TrackInfoTexts& info);
    const TrackInfoTexts& GetTrackInfo() const { return m_trackInfo; }

    // Items ignored as second items of an id already built.
    int GetIgnoredCount() const { return m_nIgnored; }

private:
    // True when the item's id is free (and claims it); false (logged) when
    // an earlier item took it.
    bool Claim(const SkinItem& item);
    CString ImagePath(const CString& file) const;
    HBITMAP LoadImageFile(const CString& file) const;
    void CreateTrackList(const SkinItem& item, int slot);
    void CreateThumbList(const SkinItem& item);
    void CreateJukeList(const SkinItem& item);
    void CreateLibraryTree(const SkinItem& item);
    void CreateFolderTree(const SkinItem& item);
    void CreatePeakView(const SkinItem& item, int deck);
    void CreateInfoWindow(const SkinItem& item);
    void CreateSplitter(const SkinItem& item);
    void Log(const CString& text) const;
    void UpdateListCaption(const char* fieldName, int listSlot);

    MainDialog& m_dialog;
    MainControls& m_controls;
    ListOwner* m_pListOwner = nullptr;
    std::vector<CString> m_effects;
    std::function<bool()> m_browser;
    std::set<int32_t> m_built;
    int m_nIgnored = 0;
    TrackInfoTexts m_trackInfo;
};
