// Skin: the loaded skin file of the main window (its background, its zones,
// the jukebox mode and one SkinItem per control element), and the map of
// skin control names to control ids. Portable: no window code; the main
// window's builders turn the items into controls.
//
// Classes: SkinRect, SkinItem, Skin.
#pragma once

#include "framework/core/CString.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A rectangle as the skin gives it: right and bottom are exclusive.
struct SkinRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// A point inside the main window (a zone's top-left corner).
struct SkinPoint
{
    int32_t x = 0;
    int32_t y = 0;
};

// The kinds of control elements.
enum SkinItemKind : int32_t
{
    SKIN_BUTTON = 0,
    SKIN_TEXTFIELD = 1,
    SKIN_STATUS = 2,
    SKIN_INDLIGHT = 3,
    SKIN_TREECTRL = 4,
    SKIN_LISTCTRL = 5,
    SKIN_METER = 6,
    SKIN_PROGRESS = 7,
    SKIN_KNOB = 8,
    SKIN_SLIDER = 9,
    SKIN_OTHER = 10,   // videowin, edit, infownd, splitter, viewpeak, artwin, spectrum, jukepane
};

// One control element of the skin, copied by value. Colours stay hex texts
// ("RRGGBB"); numbers absent from the element read 0, texts "".
struct SkinItem
{
    int32_t kind = 0;
    CString action;      // a button's action name, else the control name
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    CString bkcolor;
    CString txcolor;
    int32_t visible = 0;
    CString font;
    int32_t fsize = 0;   // tenths of a point
    int32_t id = 0;      // command id (button) or negative control id; 0 unknown
    CString value;
    int32_t border = 0;
    CString bdcolor;
    CString tcolor;
    CString orient;
    CString tooltip;
    CString image;
    CString imageon;
    int32_t hl = 0;
    int32_t reverse = 0;
    CString pcolor1, pcolor2, pcolor3;
    int32_t trans = 0;
    int32_t Header = 0;
    int32_t NHS = 0;
    int32_t NVS = 0;
    int32_t align = 0;
    CString linecolor;
    CString gridcolor;
    int32_t LHI = 0;
    int32_t FH = 0;
    CString FHBkColor;
    CString FHTxColor;
    int32_t SSA = 0;
    int32_t AR = 0;
    int32_t IJ = 0;
    int32_t FW = 0;
    int32_t STI = 0;
    int32_t HB = 0;
    int32_t ICON = 0;
    int32_t reflect = 0;
    int32_t time = 1;

    // Kind and every number 0, time 1, every text empty.
    void Reset();
};

class XmlMarkup;

// The controls the creators set up (skin/create/SkinCreate.cpp); the
// portable part of the skin never touches them.
class TXVStatusField;
class TXVTextField;
class TXVEditCtrl;
class TXVSpectrumCtrl;
class TXVIndLight;
class CBitmapSlider;
class CBitmap;
class CGradientProgressCtrl;
class SkinJukePane;
class SkinAlbumArt;
class SkinListControl;

class Skin
{
public:
    // The special zones. Each has a rectangle; all but the window-move zone
    // also have an origin (its corner inside the main window).
    enum Zone { ZONE_DECKA, ZONE_DECKB, ZONE_DECKC, ZONE_DECKD, ZONE_VIDEO, ZONE_WINDOWMOVE,
                ZONE_SPLITTER, ZONE_COUNT };

    // Construction: empty, with the control-name map filled.
    Skin();
    virtual ~Skin();
    Skin(const Skin&) = delete;
    Skin& operator=(const Skin&) = delete;

    // Operations
    // The folder the skin's images are read from, with its trailing backslash.
    void SetFolder(const CString& folder) { m_strFolder = folder; }
    // Reads the skin file at that path into this object; false when the
    // file cannot be read or its root "TavrixVJSkin" or its "background"
    // element is missing.
    bool Load(const CString& path);
    // The same from the file's text (up to its first zero byte).
    bool LoadText(const CString& text);
    // Back to the empty skin of construction (the name map stays), before
    // another skin is loaded in place of one that could not be used.
    void Clear();

    // Write-back into a skin file (SkinWriteBack.cpp): 0 done, -1 no
    // element of that name with that action (or the file cannot be read
    // or replaced), -2 no root element. The file is replaced atomically.
    static int SaveFont(const CString& path, const CString& element, const CString& action,
                        const CString& face, int sizePoints);
    static int SaveColors(const CString& path, const CString& element, const CString& action,
                          uint32_t bkColor, uint32_t txColor);
    // The edit of the write-back on a document's text; the same results.
    static int SaveFontText(CString& text, const CString& element, const CString& action,
                            const CString& face, int sizePoints);
    static int SaveColorsText(CString& text, const CString& element, const CString& action,
                              uint32_t bkColor, uint32_t txColor);

    // Control creators (skin/create/SkinCreate.cpp): each makes the
    // control's window as a child of the skin host's main window at the
    // item's rectangle with the item's id, and applies the item. Each
    // returns 0.
    int CreateStatusField(const SkinItem& item, TXVStatusField& field);
    int CreateTextField(const SkinItem& item, TXVTextField& field);
    int CreateEditBox(const SkinItem& item, TXVEditCtrl& edit);
    int CreateSpectrum(const SkinItem& item, TXVSpectrumCtrl& pane);
    int CreateJukePane(const SkinItem& item, SkinJukePane& pane, int slot);
    int CreateProgressBar(const SkinItem& item, CGradientProgressCtrl& bar);
    int CreateIndicatorLight(const SkinItem& item, TXVIndLight& light);
    int CreateSlider(const SkinItem& item, CBitmapSlider& slider, CBitmap& background);
    int CreateLevelMeter(const SkinItem& item, CGradientProgressCtrl& bar);
    int CreateAlbumArt(const SkinItem& item, SkinAlbumArt& view);
    // The lists and trees, whose classes set themselves up from the item.
    int CreateListControl(const SkinItem& item, SkinListControl& control);

    // Objects the skin keeps for its controls (the bars' pattern brushes):
    // they live as long as the skin object.
    void KeepObject(std::shared_ptr<void> object) { m_kept.push_back(std::move(object)); }
    size_t GetKeptObjectCount() const { return m_kept.size(); }

    // Attributes
    int32_t GetVisibleJukePanes() const { return m_nVisibleJukePanes; }
    const CString& GetBackgroundImage() const { return m_strBackground; }
    const SkinRect& GetBackgroundRect() const { return m_rcBackground; }
    const CString& GetFolder() const { return m_strFolder; }
    const SkinPoint& GetOrigin(Zone zone) const { return m_origins[zone]; }
    const SkinRect& GetZoneRect(Zone zone) const { return m_zones[zone]; }
    bool IsJukeMode() const { return m_bJukeMode; }
    bool IsJukeMode2() const { return m_bJukeMode2; }
    bool IsPeakViewA() const { return m_bPeakViewA; }
    bool IsPeakViewB() const { return m_bPeakViewB; }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    const SkinItem& GetItem(int index) const { return m_items[static_cast<size_t>(index)]; }
    // The control id of a skin control name (case-sensitive); 0 unknown.
    int32_t LookupControlName(const char* name) const;
    size_t GetControlNameCount() const { return m_names.size(); }
    const std::map<std::string, int32_t>& GetControlNames() const { return m_names; }

    // The file's text up to its first zero byte; false when it cannot be read.
    static bool ReadSkinText(const CString& path, CString& text);

private:
    // Implementation (SkinControlNames.cpp)
    void BindControlNames();

    void ReadZones(XmlMarkup& xml);
    void ReadItems(XmlMarkup& xml);

    int32_t m_nVisibleJukePanes = 0;
    CString m_strBackground;
    SkinRect m_rcBackground;
    CString m_strFolder;
    SkinPoint m_origins[ZONE_COUNT];   // the window-move zone's stays 0, 0
    bool m_bJukeMode = false;
    bool m_bJukeMode2 = false;
    bool m_bPeakViewA = false;
    bool m_bPeakViewB = false;
    SkinRect m_zones[ZONE_COUNT];
    std::vector<SkinItem> m_items;
    std::map<std::string, int32_t> m_names;
    std::vector<std::shared_ptr<void>> m_kept;
};

// The program's one skin object, alive for the whole run.
Skin& TheSkin();
