#include "input/commands/CommandVocabulary.h"

#include "input/controllermap/ControllerMap.h"

CommandNameMap<int32_t> ActionNameMap;
CommandDescriptionTable CommandDescriptionMap;
CommandNameMap<uint16_t> KeyNameMap;

CString CommandDescriptionTable::Lookup(int32_t id) const
{
    Rows::const_iterator it = m_rows.find(id);
    return it == m_rows.end() ? CString() : it->second;
}

namespace {

struct NamedId
{
    const char* name;
    int32_t id;
};

struct Description
{
    int32_t id;
    const char* text;
};

// The deck commands: one row per suffix, at base + offset for decks A
// (27100), B (27200), C (28300) and D (28400). Decks C and D have no
// action name where allDecks is false, only the description.
struct DeckCommand
{
    const char* suffix; // null: a description row without an action name
    int offset;
    bool allDecks;
    const char* description;
};

const DeckCommand kDeckCommands[] = {
    {"play", 1, true, "Play Deck x"},
    {"stop", 2, true, "Stop Deck x"},
    {"pause", 3, true, "Pause Deck x"},
    {"restart", 4, true, "Restart Deck x"},
    {"fadein", 5, true, "Start and Fadein Deck x"},
    {"fadeout", 6, true, "Fade out and stop Deck x"},
    {"eject", 7, true, "Display File Open Dialog"},
    {"next", 8, false, "Load next track in Deck x Queue"},
    {"previous", 9, false, "Load previous track played in history list"},
    {"preset1", 10, false, "Load Preset 1 into Deck x"},
    {"preset2", 11, false, "Load Preset 2 into Deck x"},
    {"preset3", 12, false, "Load Preset 3 into Deck x"},
    {"preset4", 13, false, "Load Preset 4 into Deck x"},
    {"cue1", 14, false, "Advance to cue point 1 in Deck x"},
    {"cue2", 15, false, "Advance to cue point 2 in Deck x"},
    {"loopin", 16, false, "Set Loop in point for Deck x"},
    {"loopout", 17, false, "Set Loop out point for Deck x"},
    {"loopstart", 18, false, "Looping start/stop toggle Deck x"},
    {"eqonoff", 19, true, "EQ on/off toggle Deck x"},
    {"mute", 20, true, "Mute/Unmute Deck x"},
    {"ff", 21, true, "Fast forward Deck x"},
    {"rw", 22, true, "Rewind Deck x"},
    {"pitchzero", 24, true, "Center the pitch on Deck x"},
    {"gainup", 25, true, "Move gain up on Deck x"},
    {"gaindown", 26, true, "Move gain down on Deck x"},
    {"viewqueue", 27, false, nullptr}, // "View Deck <letter> Queue in new window"
    {"eqflat", 28, true, "Reset Eq to flat position for Deck x"},
    {"pitchup", 29, true, "Move Pitch up one increment for Deck x"},
    {"pitchdown", 30, true, "Move Pitch down one increment for Deck x"},
    {"random", 31, false, "Turn Random play mode on for Deck x"},
    {"props", 32, false, "Open Audio deck Properties"},
    {"eqlowkill", 35, false, "Kill EQ Low band for Deck x"},
    {"eqmidkill", 36, false, "Kill EQ mid band for Deck x"},
    {"eqhighkill", 37, false, "Kill EQ high band for Deck x"},
    {"playpause", 39, true, "Play/Pause Toggle Deck x"},
    {"pitchmoveup", 40, true, "Move pitch up for Deck x"},
    {"pitchmovedown", 41, true, "Move pitch down for Deck x"},
};

// Decks C and D only: descriptions without action names.
const DeckCommand kDeckEffectRows[] = {
    {nullptr, 42, false, "Deck x FX Filter on/off"},
    {nullptr, 43, false, "Deck x FX Rotate"},
    {nullptr, 44, false, "Deck x FX Echo"},
    {nullptr, 45, false, "Deck x FX Flange"},
};

struct Deck
{
    char prefix;
    int32_t base;
    bool main; // decks A and B have every action name
};

const Deck kDecks[] = {{'a', 27100, true}, {'b', 27200, true}, {'c', 28300, false}, {'d', 28400, false}};

const NamedId kActionNames[] = {
    // General
    {"about", 27001}, {"help", 27002}, {"minimize", 27003}, {"config", 27004}, {"close", 27005},
    {"programdump", 27006}, {"mainmenu", 27007},
    // Mixer
    {"mx-center", 27301}, {"mx-fadeleft", 27302}, {"mx-faderight", 27303}, {"mx-mixleft", 27304},
    {"mx-mixright", 27305}, {"mx-automixon", 27306}, {"mx-automixprops", 27308}, {"mx-automixq", 27309},
    {"mx-faderleft", 27312}, {"mx-faderright", 27313}, {"mx-monitora", 27314}, {"mx-monitorb", 27315},
    {"mx-automixrandom", 27316}, {"mx-mixnext", 27317}, {"sldxfader", 27318}, {"mx-monitorc", 27319},
    {"mx-monitord", 27320}, {"mx-assignleft", 27321}, {"mx-assignright", 27322},
    // Library and views
    {"mc-refresh", 27401}, {"ml-refresh", 27402}, {"viewlibrary", 27403}, {"viewartist", 27404},
    {"viewalbum", 27405}, {"viewgenre", 27406}, {"viewyear", 27407}, {"openlibmgr", 27408},
    {"openadvsearch", 27409}, {"viewsearch", 27410}, {"viewrequest", 27411}, {"vieweffects", 27412},
    {"viewjukebox", 27413}, {"viewhistory", 27414}, {"viewvideo", 27415}, {"viewcdplayer", 27416},
    {"viewmixer", 27417}, {"viewcomm", 27418}, {"viewsearchbox", 27419},
    // Playlists
    {"pl-new", 27501}, {"pl-delete", 27502}, {"pl-automix", 27503}, {"pl-rename", 27504},
    {"pl-loadtoaq", 27505}, {"pl-loadtobq", 27506}, {"pl-loadtojbq", 27507}, {"pl-loadtomxq", 27508},
    {"pl-editplaylist", 27509},
    // Track list and search
    {"tl-selall", 27601}, {"tl-selnone", 27602}, {"tl-edittag", 27603}, {"tl-loadtoa", 27604},
    {"tl-loadtob", 27605}, {"tl-loadtoaq", 27606}, {"tl-loadtobq", 27607}, {"tl-loadtomxq", 27608},
    {"tl-loadtojbq", 27609}, {"filteroff", 27610}, {"searchgo", 27611}, {"tl-scrollup", 27612},
    {"tl-scrolldn", 27613}, {"tl-setfocus", 27614}, {"sl-loadtoa", 27615}, {"sl-loadtob", 27616},
    {"sl-setfocus", 27617}, {"sl-scrollup", 27618}, {"sl-scrolldn", 27619}, {"se-setfocus", 27620},
    // Folders
    {"fl-automix", 27701}, {"fl-loadtoaq", 27702}, {"fl-loadtobq", 27703}, {"fl-loadtojbq", 27704},
    {"fl-loadtomxq", 27705}, {"fl-multitagedit", 27706},
    // Video deck
    {"vj-load", 27801}, {"vj-play", 27802}, {"vj-stop", 27803}, {"vj-pause", 27804}, {"vj-next", 27805},
    {"vj-mute", 27806}, {"vj-exmon", 27807},
    // Controller values and queues
    {"a-gain", 28001}, {"a-pitch", 28002}, {"a-eqlow", 28003}, {"a-eqmid", 28004}, {"a-eqhigh", 28005},
    {"a-seek", 28006}, {"b-gain", 28007}, {"b-pitch", 28008}, {"b-eqlow", 28009}, {"b-eqmid", 28010},
    {"b-eqhigh", 28011}, {"b-seek", 28012}, {"xfader", 28013}, {"a-jogwheel", 28014},
    {"b-jogwheel", 28015}, {"a-jogmode", 28016}, {"b-jogmode", 28017}, {"aq-setfocus", 28018},
    {"aq-scrollup", 28019}, {"aq-scrolldown", 28020}, {"aq-loadtoa", 28021},
    {"aq-deleteseleted", 28022}, {"bq-setfocus", 28023}, {"bq-scrollup", 28024},
    {"bq-scrolldown", 28025}, {"bq-loadtob", 28026}, {"bq-deleteseleted", 28027}, {"bq-scroll", 28028},
    {"aq-scroll", 28029}, {"a-gainpitch", 28030}, {"b-gainpitch", 28031}, {"a-scrolltoggle", 28032},
    {"b-scrolltoggle", 28033}, {"al-loadtodeck", 28034}, {"bl-loadtodeck", 28035},
    // Sampler, jukeboxes, queues and effects
    {"fx-stop", 28102}, {"fx-play", 28103}, {"jb-playpause", 28104}, {"jb-stop", 28105},
    {"jb-next", 28106}, {"jb-play", 28107}, {"aq-moveup", 28108}, {"aq-movedn", 28109},
    {"bq-moveup", 28110}, {"bq-movedn", 28111}, {"mxq-moveup", 28112}, {"mxq-movedn", 28113},
    {"viewbpm", 28114}, {"jukestop", 28115}, {"jukeplay", 28116}, {"jukenext", 28117},
    {"jukeuplevel", 28118}, {"jukescrollup", 28119}, {"jukescrolldn", 28120}, {"a-fxonoff", 28121},
    {"a-fxrotate", 28122}, {"a-fxecho", 28123}, {"a-fxflange", 28124}, {"b-fxonoff", 28125},
    {"b-fxrotate", 28126}, {"b-fxecho", 28127}, {"b-fxflange", 28128}, {"jukescrollleft", 28129},
    {"jukescrollright", 28130}, {"jukenum1", 28131}, {"jukenum2", 28132}, {"jukenum3", 28133},
    {"jukenum4", 28134}, {"jukenum5", 28135}, {"jukenum6", 28136}, {"jukenum7", 28137},
    {"jukenum8", 28138}, {"jukenum9", 28139}, {"jukenum0", 28140}, {"jukenumbsp", 28141},
    {"jukenumtrash", 28142}, {"tl-playnext", 28143}, {"viewtextout", 28144},
    // Thumbnails and menus
    {"tv-scrolll", 28501}, {"tv-scrollr", 28502}, {"me-file", 28503}, {"me-edit", 28504},
    {"me-view", 28505}, {"me-tools", 28506}, {"me-help", 28507}, {"me-library", 28508},
    {"a-unloaddeck", 28509}, {"B-unloaddeck", 28510},
};

// The descriptions other than the decks' and the sampler's.
const Description kDescriptions[] = {
    {27001, "Display Tavrix About screen"}, {27002, "Open operations manual in browser"},
    {27003, "Minimize Tavrix"}, {27004, "Open the Configuration Settings"}, {27005, "Close Tavrix"},
    {27006, "For debugging only"}, {27007, "Display Main Menu"},
    {27301, "Center the CrossFader"}, {27302, "Autofade Left"}, {27303, "Autofade Right"},
    {27304, "Mic to Deck A"}, {27305, "Mic to Deck B"}, {27306, "AutoMix on/off toggle"},
    {27308, "Open AutoMix Properties"}, {27309, "View AutoMix Queue"}, {27312, "Move CrossFader Left"},
    {27313, "Move CrossFader Right"}, {27314, "Monitor Deck A"}, {27315, "Monitor Deck B"},
    {27316, "AutoMix Random play toggle"}, {27317, "AutoMix mix in next track"},
    {27318, "MIDI: Crossfader Control"},
    {27401, "Refresh the Library tree"}, {27402, "Refresh the Library list"}, {27403, "View Library"},
    {27404, "View Library by Artist"}, {27405, "View Library by Album"}, {27406, "View Library by Genre"},
    {27407, "View Library by Year"}, {27408, "Open Library Manager"}, {27409, "Open Advanced Search"},
    {27410, "View Search Results"}, {27411, "View Requests"}, {27412, "View Sound Effects Sampler"},
    {27413, "View Audio Jukebox"}, {27414, "View History"}, {27415, "View Video Jukebox"},
    {27416, "View CD Player"}, {27417, "View Mixer"}, {27418, "View Communications Window"},
    {27419, "View Search Box"},
    {27501, "Playlist - New"}, {27502, "Playlist - Delete"}, {27503, "Playlist - AutoMix"},
    {27504, "Playlist - Rename"}, {27505, "Playlist - Load to Deck A Queue"},
    {27506, "Playlist - Load to Deck B Queue"}, {27507, "Playlist - Load to Jukebox Queue"},
    {27508, "Playlist - Load to AutoMix Queue"}, {27509, "Playlist - Edit Playlist"},
    {27601, "TrackList - Select All"}, {27602, "TrackList - Select None"},
    {27603, "TrackList - Edit Tag"}, {27604, "TrackList - Load to Deck A"},
    {27605, "TrackList - Load to Deck B"}, {27606, "TrackList - Load to Deck A Queue"},
    {27607, "TrackList - Load to Deck B Queue"}, {27608, "TrackList - Load to AutoMix Queue"},
    {27609, "TrackList - Load to Jukebox Queue"}, {27610, "Not being used"}, {27611, "Start Search"},
    {27612, "Track List scroll up"}, {27613, "Track List scroll down"},
    {27614, "Set focus to the Track List"}, {27615, "Search List - Load to Deck A"},
    {27616, "Search List - Load to Deck B"}, {27617, "Set focus to the Search List"},
    {27618, "Search List scroll up"}, {27619, "Search List scroll down"},
    {27620, "Set focus to the Search Edit"},
    {27701, "Folder - AutoMix"}, {27702, "Folder - Load to Deck A Queue"},
    {27703, "Folder - Load to Deck B Queue"}, {27704, "Folder - Load to Jukebox Queue"},
    {27705, "Folder - Load to AutoMix Queue"}, {27706, "Folder - Edit tags of all tracks"},
    {27801, "Video - Load"}, {27802, "Video - Play"}, {27803, "Video - Stop"}, {27804, "Video - Pause"},
    {27805, "Video - Next"}, {27806, "Video - Mute"}, {27807, "Video - External monitor on/off"},
    {28001, "MIDI: Deck A Gain Control"}, {28002, "MIDI: Deck A Pitch Control"},
    {28003, "MIDI: Deck A EQ Low"}, {28004, "MIDI: Deck A EQ Mid"}, {28005, "MIDI: Deck A EQ High"},
    {28006, "MIDI: Deck A Seek"}, {28007, "MIDI: Deck B Gain Control"},
    {28008, "MIDI: Deck B Pitch Control"}, {28009, "MIDI: Deck B EQ Low"},
    {28010, "MIDI: Deck B EQ Mid"}, {28011, "MIDI: Deck B EQ High"}, {28012, "MIDI: Deck B Seek"},
    {28013, "MIDI: Not being used"}, {28014, "MIDI: Deck A Jog Wheel"},
    {28015, "MIDI: Deck B Jog Wheel"}, {28016, "MIDI: Deck A Jog Mode"},
    {28017, "MIDI: Deck B Jog Mode"}, {28018, "MIDI: A Queue Set Focus"},
    {28019, "MIDI: A Queue Scroll Up"}, {28020, "MIDI: A Queue Scroll Down"},
    {28021, "MIDI: A Queue Load selected to Deck A"}, {28022, "MIDI: A Queue Delete selected"},
    {28023, "MIDI: B Queue Set Focus"}, {28024, "MIDI: B Queue Scroll Up"},
    {28025, "MIDI: B Queue Scroll Down"}, {28026, "MIDI: B Queue Load selected to Deck A"},
    {28027, "MIDI: B Queue Delete selected"}, {28028, "MIDI: B Queue Scroll"},
    {28029, "MIDI: A Queue Scroll"}, {28030, "MIDI: Deck A Gain/Pitch swap"},
    {28031, "MIDI: Deck B Gain/Pitch swap"}, {28032, "MIDI: Deck A Scroll toggle"},
    {28033, "MIDI: Deck B Scroll toggle"}, {28034, "MIDI: Current Queue load to Deck A"},
    {28035, "MIDI: Current Queue load to Deck B"},
    {28102, "Stop Sampler"}, {28103, "Play Sampler"}, {28104, "Jukebox Play/Pause"},
    {28105, "Jukebox Stop"}, {28106, "Jukebox Next"}, {28107, "Jukebox Play"},
    {28108, "Deck A Queue move up"}, {28109, "Deck A Queue move down"},
    {28110, "Deck B Queue move up"}, {28111, "Deck B Queue move down"},
    {28112, "AutoMix Queue move up"}, {28113, "AutoMix Queue move down"}, {28114, "View BPMs"},
    {28115, "iJuke Stop"}, {28116, "iJuke Play"}, {28117, "iJuke Next"}, {28118, "iJuke up one level"},
    {28119, "iJuke scroll up"}, {28120, "iJuke scroll down"},
    {28121, "Deck x FX Filter on/off"}, {28122, "Deck x FX Rotate"}, {28123, "Deck x FX Echo"},
    {28124, "Deck x FX Flange"}, {28125, "Deck x FX Filter on/off"}, {28126, "Deck x FX Rotate"},
    {28127, "Deck x FX Echo"}, {28128, "Deck x FX Flange"},
    {28143, "TrackList - Load to available deck and mix in"}, {28144, "View the Text Output Manager"},
    {28501, "Thumb List scroll left"}, {28502, "Thumb list scroll right"}, {28503, "File Menu"},
    {28504, "Edit Menu"}, {28505, "View Menu"}, {28506, "Tools Menu"}, {28507, "Help Menu"},
    {28508, "Library Menu"},
};

struct KeyName
{
    const char* name;
    uint16_t code;
};

const KeyName kNamedKeys[] = {
    {"bksp", 8}, {"tab", 9}, {"sp", 32}, {"pgup", 33}, {"pgdn", 34}, {"end", 35}, {"home", 36},
    {"left", 37}, {"up", 38}, {"right", 39}, {"down", 40}, {"ins", 45}, {"del", 46},
};

// A name or text with a number in it ("fx-%d").
CString Numbered(const char* format, int n)
{
    CString text;
    text.Format(format, n);
    return text;
}

} // namespace

const char* const kKeyListOrder[71] = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
    "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z",
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "bksp", "tab", "sp", "pgup", "pgdn", "end", "home", "left", "up", "right", "down", "ins", "del",
    "num0", "num1", "num2", "num3", "num4", "num5", "num6", "num7", "num8", "num9",
};

void BuildActionNameMap()
{
    for (const Deck& deck : kDecks) {
        for (const DeckCommand& row : kDeckCommands) {
            if (!deck.main && !row.allDecks)
                continue;
            ActionNameMap.SetAt(CString(deck.prefix) + "-" + row.suffix, deck.base + row.offset);
        }
    }
    for (const NamedId& row : kActionNames)
        ActionNameMap.SetAt(row.name, row.id);
    for (int n = 1; n <= 20; ++n)
        ActionNameMap.SetAt(Numbered("fx-%d", n), 27902 + n);
}

void BuildCommandDescriptionMap()
{
    for (const Deck& deck : kDecks) {
        for (const DeckCommand& row : kDeckCommands) {
            CommandDescriptionMap.SetAt(deck.base + row.offset,
                                        row.description ? CString(row.description)
                                                        : Numbered("View Deck %c Queue in new window",
                                                                   deck.prefix - 'a' + 'A'));
        }
        if (!deck.main) {
            for (const DeckCommand& row : kDeckEffectRows)
                CommandDescriptionMap.SetAt(deck.base + row.offset, row.description);
        }
    }
    for (const Description& row : kDescriptions)
        CommandDescriptionMap.SetAt(row.id, row.text);
    for (int n = 1; n <= 20; ++n)
        CommandDescriptionMap.SetAt(27902 + n, Numbered("Play Sampler #%d", n));
}

void BuildKeyNameMap()
{
    for (char c = '0'; c <= '9'; ++c)
        KeyNameMap.SetAt(CString(c), static_cast<uint16_t>(c));
    for (char c = 'a'; c <= 'z'; ++c)
        KeyNameMap.SetAt(CString(c), static_cast<uint16_t>(c - 'a' + 'A'));
    for (int n = 1; n <= 12; ++n)
        KeyNameMap.SetAt(Numbered("F%d", n), static_cast<uint16_t>(111 + n));
    for (int n = 0; n <= 9; ++n)
        KeyNameMap.SetAt(Numbered("num%d", n), static_cast<uint16_t>(96 + n));
    for (const KeyName& row : kNamedKeys)
        KeyNameMap.SetAt(row.name, row.code);
}

void ClearCommandMaps()
{
    KeyNameMap.RemoveAll();
    ActionNameMap.RemoveAll();
    ControllerMap.RemoveAll();
}
