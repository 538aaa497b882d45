#include "mainwindow/build/BuildTables.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace main_build {

namespace {

const char* const kButtons[kButtonCount] = {
    // window
    "about", "help", "minimize", "config", "close", "mainmenu",
    // deck A
    "a-play", "a-stop", "a-pause", "a-playpause", "a-restart", "a-fadein", "a-fadeout", "a-eject", "a-next",
    "a-previous", "a-preset1", "a-preset2", "a-preset3", "a-preset4", "a-cue1", "a-cue2", "a-loopin",
    "a-loopout", "a-loopstart", "a-eqonoff", "a-mute", "a-ff", "a-rw", "a-pitchzero", "a-viewqueue",
    "a-eqflat", "a-pitchup", "a-pitchdown", "a-random", "a-props", "a-eqlowkill", "a-eqmidkill",
    "a-eqhighkill", "a-fxrotate", "a-fxecho", "a-fxflange",
    // deck B
    "b-play", "b-stop", "b-pause", "b-playpause", "b-restart", "b-fadein", "b-fadeout", "b-eject", "b-next",
    "b-previous", "b-preset1", "b-preset2", "b-preset3", "b-preset4", "b-cue1", "b-cue2", "b-loopin",
    "b-loopout", "b-loopstart", "b-eqonoff", "b-mute", "b-ff", "b-rw", "b-pitchzero", "b-viewqueue",
    "b-eqflat", "b-pitchup", "b-pitchdown", "b-random", "b-props", "b-eqlowkill", "b-eqmidkill",
    "b-eqhighkill", "b-fxrotate", "b-fxecho", "b-fxflange",
    // decks C and D
    "c-play", "c-stop", "c-pause", "c-playpause", "c-restart", "c-fadein", "c-fadeout", "c-eject",
    "c-eqonoff", "c-mute", "c-ff", "c-rw", "c-pitchzero", "c-eqflat", "c-pitchup", "c-pitchdown",
    "d-play", "d-stop", "d-pause", "d-playpause", "d-restart", "d-fadein", "d-fadeout", "d-eject",
    "d-eqonoff", "d-mute", "d-ff", "d-rw", "d-pitchzero", "d-eqflat", "d-pitchup", "d-pitchdown",
    // mixer
    "mx-center", "mx-fadeleft", "mx-faderight", "mx-mixleft", "mx-mixright", "mx-mixnext", "mx-automixon",
    "mx-automixprops", "mx-automixrandom", "mx-automixq", "mx-monitora", "mx-monitorb", "mx-monitorc",
    "mx-monitord", "mx-assignleft", "mx-assignright",
    // library and windows
    "mc-refresh", "ml-refresh", "viewlibrary", "viewartist", "viewalbum", "viewgenre", "viewyear", "viewbpm",
    "openlibmgr", "openadvsearch", "viewsearch", "viewrequest", "viewhistory", "vieweffects", "viewjukebox",
    "viewvideo", "viewcdplayer", "viewmixer", "viewcomm", "viewsearchbox", "viewtextout",
    // track list
    "tl-selall", "tl-selnone", "tl-loadtoa", "tl-loadtob", "tl-loadtomxq", "tl-loadtojbq", "filteroff",
    "searchgo", "tl-scrollup", "tl-scrolldn", "tv-scrolll", "tv-scrollr",
    // video deck
    "vj-load", "vj-play", "vj-pause", "vj-stop", "vj-next", "vj-mute", "vj-exmon",
    // sound effects
    "fx-1", "fx-2", "fx-3", "fx-4", "fx-5", "fx-6", "fx-7", "fx-8", "fx-9", "fx-10", "fx-11", "fx-12", "fx-13",
    "fx-14", "fx-15", "fx-16", "fx-17", "fx-18", "fx-19", "fx-20", "fx-stop", "fx-play",
    // audio jukebox
    "jb-play", "jb-stop", "jb-next", "jb-playpause",
    // dAredero
    "jukeplay", "jukestop", "jukenext", "jukeuplevel", "jukescrollup", "jukescrolldn", "jukescrollleft",
    "jukescrollright", "jukenum0", "jukenum1", "jukenum2", "jukenum3", "jukenum4", "jukenum5", "jukenum6",
    "jukenum7", "jukenum8", "jukenum9", "jukenumbsp", "jukenumtrash",
    // menu buttons
    "me-file", "me-edit", "me-view", "me-tools", "me-help", "me-library",
};

const char* const kTextFields[kTextFieldCount] = {
    "a-title", "a-artist", "a-album", "a-genre", "a-bpm", "a-filetype", "a-sps", "a-channels", "a-frequency",
    "a-totaltime", "a-elaptime", "a-remaintime", "a-status",
    "b-title", "b-artist", "b-album", "b-genre", "b-bpm", "b-filetype", "b-sps", "b-channels", "b-frequency",
    "b-totaltime", "b-elaptime", "b-remaintime", "b-status",
    "c-title", "c-artist", "c-album", "c-genre", "c-bpm", "c-filetype", "c-sps", "c-channels", "c-frequency",
    "c-totaltime", "c-elaptime", "c-remaintime", "c-status",
    "d-title", "d-artist", "d-album", "d-genre", "d-bpm", "d-filetype", "d-sps", "d-channels", "d-frequency",
    "d-totaltime", "d-elaptime", "d-remaintime", "d-status",
    "vd-title", "vd-etime", "vd-rtime", "vd-ttime",
    "jukectext", "jukettext", "juketotal", "jukeelapsed", "jukeremain", "juketitle", "jukeartist", "jukealbum",
    "jukeanum", "juketnum",
    "clock", "uptime", "thumbview", "txt_assignleft", "txt_assignright", "a-pitch", "b-pitch",
};

const char* const kStatusFields[kStatusFieldCount] = {
    "s-mycomputer", "s-mylibrary", "s-tracklist", "s-historylist", "s-automix", "s-requestlist",
    "s-searchlist", "s-alist", "s-blist", "s-mxlist", "s-vdstatus",
};

const char* const kLights[kLightCount] = {
    "lt-a-preset1", "lt-a-preset2", "lt-a-preset3", "lt-a-preset4", "lt-a-cue1", "lt-a-cue2", "lt-a-loopin",
    "lt-a-loopout", "lt-a-loopstart", "lt-a-mute", "lt-a-eqonoff", "lt-a-eqlowkill", "lt-a-eqmidkill",
    "lt-a-eqhighkill", "lt-a-live", "lt-a-random", "lt-a-pitchcenter", "lt-a-beat", "lt-a-fxecho",
    "lt-a-fxflange", "lt-a-fxrotate", "lt-a-keylock",
    "lt-b-preset1", "lt-b-preset2", "lt-b-preset3", "lt-b-preset4", "lt-b-cue1", "lt-b-cue2", "lt-b-loopin",
    "lt-b-loopout", "lt-b-loopstart", "lt-b-mute", "lt-b-eqonoff", "lt-b-eqlowkill", "lt-b-eqmidkill",
    "lt-b-eqhighkill", "lt-b-live", "lt-b-random", "lt-b-pitchcenter", "lt-b-beat", "lt-b-fxecho",
    "lt-b-fxflange", "lt-b-fxrotate", "lt-b-keylock",
    "lt-c-mute", "lt-c-eqonoff", "lt-c-live", "lt-c-pitchcenter", "lt-c-keylock",
    "lt-d-mute", "lt-d-eqonoff", "lt-d-live", "lt-d-pitchcenter", "lt-d-keylock",
    "lt-mx-auto", "lt-mx-autornd", "lt-mx-mona", "lt-mx-monb", "lt-mx-monc", "lt-mx-mond", "lt-vd-exmon",
};

struct TrackListRow
{
    const char* name;
    int type;
};
const TrackListRow kTrackLists[kTrackListCount] = {
    {"tracklist", 8}, {"historylist", 6}, {"searchlist", 7}, {"requestlist", 5},
    {"a-queue", 1},   {"b-queue", 2},     {"mx-queue", 4},   {"jukequeue", 14},
};

const char* const kKnobs[kKnobCount] = {
    "knb-a-jog", "knb-b-jog", "knb-a-eqlow", "knb-a-eqmid", "knb-a-eqhigh", "knb-b-eqlow", "knb-b-eqmid",
    "knb-b-eqhigh", "knb-c-jog", "knb-d-jog", "knb-c-eqlow", "knb-c-eqmid", "knb-c-eqhigh", "knb-d-eqlow",
    "knb-d-eqmid", "knb-d-eqhigh",
};

const char* const kSliders[kSliderCount] = {
    "sldxfader", "a-sldgain", "a-sldpitch", "a-sldeqlow", "a-sldeqmid", "a-sldeqhigh", "b-sldgain", "b-sldpitch",
    "b-sldeqlow", "b-sldeqmid", "b-sldeqhigh", "c-sldgain", "c-sldpitch", "c-sldeqlow", "c-sldeqmid",
    "c-sldeqhigh", "d-sldgain", "d-sldpitch", "d-sldeqlow", "d-sldeqmid", "d-sldeqhigh", "a-sldtempo",
    "b-sldtempo", "sld-vd-volume",
    // the seek sliders
    "a-sldseek", "b-sldseek", "c-sldseek", "d-sldseek", "sld-vd-seek",
};
const int kFirstSeekSlider = 24;

const char* const kArts[kArtCount] = {"jukeart", "artbuddy", "arta", "artb", "artc", "artd"};
const char* const kEdits[kEditCount] = {"editsearch", "editfilter", "editsearchlist"};
const char* const kMeters[kMeterCount] = {"a-leftmtr", "a-rightmtr", "b-leftmtr", "b-rightmtr",
                                          "c-leftmtr", "c-rightmtr", "d-leftmtr", "d-rightmtr"};
const char* const kProgress[kProgressCount] = {"a-progress", "b-progress", "c-progress", "d-progress"};
const char* const kPeakViews[kPeakViewCount] = {"vp-a", "vp-b", "vp-c", "vp-d"};

template <size_t N>
int Find(const char* const (&table)[N], const char* name, bool anyCase)
{
    if (!name)
        return -1;
    for (size_t i = 0; i < N; ++i) {
        if (anyCase ? ::strcasecmp(table[i], name) == 0 : std::strcmp(table[i], name) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

template <size_t N>
const char* At(const char* const (&table)[N], int index)
{
    return index >= 0 && static_cast<size_t>(index) < N ? table[index] : "";
}

} // namespace

int ButtonIndex(const char* action) { return Find(kButtons, action, true); }
const char* ButtonAction(int index) { return At(kButtons, index); }
int TextFieldIndex(const char* name) { return Find(kTextFields, name, false); }
const char* TextFieldName(int index) { return At(kTextFields, index); }
int StatusFieldIndex(const char* name) { return Find(kStatusFields, name, false); }
const char* StatusFieldName(int index) { return At(kStatusFields, index); }
int LightIndex(const char* name) { return Find(kLights, name, false); }
const char* LightName(int index) { return At(kLights, index); }

int TrackListIndex(const char* name)
{
    for (int i = 0; i < kTrackListCount; ++i) {
        if (name && std::strcmp(kTrackLists[i].name, name) == 0)
            return i;
    }
    return -1;
}

const char* TrackListName(int index)
{
    return index >= 0 && index < kTrackListCount ? kTrackLists[index].name : "";
}

int TrackListType(int index)
{
    return index >= 0 && index < kTrackListCount ? kTrackLists[index].type : 0;
}

MiscKind ClassifyMisc(const char* name, int* slot)
{
    int index = 0;
    MiscKind kind = MiscKind::None;
    if (!name) {
        kind = MiscKind::None;
    } else if (std::strcmp(name, "tl-splitter") == 0) {
        kind = MiscKind::Splitter;
    } else if (std::strcmp(name, "tl-infownd") == 0) {
        kind = MiscKind::InfoWindow;
    } else if (name[0] == 'j' && name[1] >= '1' && name[1] <= '9' &&
               (name[2] == '\0' || (name[1] == '1' && name[2] == '0' && name[3] == '\0'))) {
        kind = MiscKind::JukePane;
        index = std::atoi(name + 1) - 1;
    } else if (std::strcmp(name, "jukespectrum") == 0) {
        kind = MiscKind::Spectrum;
    } else if (std::strcmp(name, "jukevolume") == 0) {
        kind = MiscKind::JukeVolume;
    } else if (std::strcmp(name, "jukeprog") == 0) {
        kind = MiscKind::JukeProgress;
    } else if ((index = Find(kArts, name, false)) >= 0) {
        kind = MiscKind::AlbumArt;
    } else if ((index = Find(kEdits, name, false)) >= 0) {
        kind = MiscKind::Edit;
    } else if (std::strcmp(name, "cpuusage") == 0) {
        kind = MiscKind::CpuMeter;
        index = 0;
    } else if ((index = Find(kMeters, name, false)) >= 0) {
        kind = MiscKind::LevelMeter;
    } else if ((index = Find(kProgress, name, false)) >= 0) {
        kind = MiscKind::DeckProgress;
    } else if ((index = Find(kPeakViews, name, false)) >= 0) {
        kind = MiscKind::PeakView;
    } else if (std::strcmp(name, "videop") == 0) {
        kind = MiscKind::VideoOnSkin;
        index = 0;
    } else if ((index = Find(kKnobs, name, false)) >= 0) {
        kind = MiscKind::Knob;
    } else if ((index = Find(kSliders, name, false)) >= 0) {
        kind = index >= kFirstSeekSlider ? MiscKind::SeekSlider : MiscKind::Slider;
    }
    if (kind == MiscKind::None || index < 0)
        index = 0;
    if (slot)
        *slot = index;
    return kind;
}

const char* KnobName(int index) { return At(kKnobs, index); }

int KnobTemplateId(int index)
{
    // "knb-a-jog" 1042, "knb-b-jog" 1043, the EQ knobs of A and B 1044-1049,
    // "knb-c-jog" 1050, "knb-d-jog" 1051, the EQ knobs of C and D 1052-1057:
    // the table's order.
    return index >= 0 && index < kKnobCount ? 1042 + index : 0;
}

const char* SliderName(int index) { return At(kSliders, index); }
const char* ArtName(int index) { return At(kArts, index); }
const char* EditName(int index) { return At(kEdits, index); }
const char* MeterName(int index) { return At(kMeters, index); }

uint32_t TreeStyle(int border) { return kTreeStyle | (border == 1 ? kBorderStyle : 0u); }
uint32_t ListStyle(int border) { return kListStyle | (border == 1 ? kBorderStyle : 0u); }

int ScrollBarsToHide(int nhs, int nvs)
{
    if (nhs == 1 && nvs == 1)
        return 3;
    if (nhs == 1)
        return 0;
    if (nvs == 1)
        return 1;
    return -1;
}

int TreeItemHeight(int fsize)
{
    return fsize / 10 + 10;
}

int SoundEffectIndexOf(const char* action)
{
    if (!action || ::strncasecmp(action, "fx-", 3) != 0)
        return -1;
    if (::strcasecmp(action, "fx-stop") == 0 || ::strcasecmp(action, "fx-play") == 0)
        return -1;
    return std::atoi(action + 3) - 1;
}

const char* QueueCaptionField(int code, int* listSlot)
{
    int slot = -1;
    const char* field = nullptr;
    switch (code) {
    case 1: case 4005: field = "s-alist"; slot = TL_DECKA; break;
    case 2: case 4006: field = "s-blist"; slot = TL_DECKB; break;
    case 4: case 4011: field = "s-mxlist"; slot = TL_AUTOMIX; break;
    case 5: case 4009: field = "s-requestlist"; slot = TL_REQUEST; break;
    case 6: case 4008: field = "s-historylist"; slot = TL_HISTORY; break;
    default: break;
    }
    if (listSlot)
        *listSlot = slot;
    return field;
}

std::string FormatQueueCaption(const char* text, int rows, const char* time)
{
    return std::string(text ? text : "") + ":: " + std::to_string(rows) + " Items, Time: " + (time ? time : "");
}

std::string FormatListCaption(const char* text, int rows)
{
    return std::string(text ? text : "") + " - " + std::to_string(rows) + " items";
}

} // namespace main_build
