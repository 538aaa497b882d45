// BuildTables: which skin elements the main window's builders turn into
// controls, and the small rules they follow (window styles, scroll bars,
// item heights, captions). Window-free; built natively too.
#pragma once

#include <cstdint>
#include <string>

namespace main_build {

// The elements each builder knows, by name (a button's action name, else
// the control name). Index -1: the builder makes nothing of that item.
enum : int
{
    kButtonCount = 218,
    kTextFieldCount = 73,
    kStatusFieldCount = 11,
    kLightCount = 61,
    kTrackListCount = 8,
    kKnobCount = 16,
    kSliderCount = 29,
    kMeterCount = 8,
    kProgressCount = 4,
    kPeakViewCount = 4,
    kJukePaneCount = 10,
    kArtCount = 6,
    kEditCount = 3,
};

int ButtonIndex(const char* action);          // compared without case
const char* ButtonAction(int index);
int TextFieldIndex(const char* name);
const char* TextFieldName(int index);
int StatusFieldIndex(const char* name);
const char* StatusFieldName(int index);
int LightIndex(const char* name);
const char* LightName(int index);

// The track lists: "tracklist", "historylist", "searchlist", "requestlist",
// "a-queue", "b-queue", "mx-queue", "jukequeue", in that order.
int TrackListIndex(const char* name);
const char* TrackListName(int index);
int TrackListType(int index);                 // 8, 6, 7, 5, 1, 2, 4, 14
enum TrackListSlot { TL_MAIN, TL_HISTORY, TL_SEARCH, TL_REQUEST, TL_DECKA, TL_DECKB, TL_AUTOMIX, TL_JUKEQUEUE };

// What the misc builder makes of an item of kind 6 and above, with its slot
// inside its group (knob, slider, meter ... index).
enum class MiscKind
{
    None, Splitter, InfoWindow, JukePane, Spectrum, JukeVolume, JukeProgress, AlbumArt, Edit,
    CpuMeter, LevelMeter, DeckProgress, PeakView, VideoOnSkin, Knob, Slider, SeekSlider,
};
MiscKind ClassifyMisc(const char* name, int* slot);
const char* KnobName(int index);              // "knb-a-jog" ...
int KnobTemplateId(int index);                // 1042 ... 1057
const char* SliderName(int index);            // the 24 sliders, then the 5 seek sliders
const char* ArtName(int index);               // "jukeart", "artbuddy", "arta" .. "artd"
const char* EditName(int index);              // "editsearch", "editfilter", "editsearchlist"
const char* MeterName(int index);             // "a-leftmtr" .. "d-rightmtr"

// Window styles.
enum : uint32_t
{
    kButtonStyle = 0x50030000u,
    kTreeStyle = 0x500100A7u,
    kListStyle = 0x50010001u,
    kThumbListStyle = 0x5001080Cu,
    kBorderStyle = 0x00800000u,
    kChildVisible = 0x50000000u,
    kChildHidden = 0x40000000u,
};
uint32_t TreeStyle(int border);
uint32_t ListStyle(int border);

// The scroll bars a list hides: -1 none, 0 horizontal, 1 vertical, 3 both.
int ScrollBarsToHide(int nhs, int nvs);
// A tree's item height for a font size in tenths of a point.
int TreeItemHeight(int fsize);

// The sound effect a button names when it has no caption of its own:
// "fx-N" (any case, neither "fx-stop" nor "fx-play") gives N - 1; else -1.
int SoundEffectIndexOf(const char* action);

// The status field a queue caption goes to: 1/4005 "s-alist", 2/4006
// "s-blist", 4/4011 "s-mxlist", 5/4009 "s-requestlist", 6/4008
// "s-historylist"; null for any other code. The list slot beside it.
const char* QueueCaptionField(int code, int* listSlot);
// "%s:: %d Items, Time: %s" and "%s - %d items".
std::string FormatQueueCaption(const char* text, int rows, const char* time);
std::string FormatListCaption(const char* text, int rows);

} // namespace main_build
