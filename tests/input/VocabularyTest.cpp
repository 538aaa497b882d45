// The command vocabulary as one table: every action name with its id, the
// descriptions and the key names; look-ups never add names.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "input/commands/CommandVocabulary.h"
#include "input/controllermap/ControllerMap.h"

namespace {

struct DeckId
{
    int id;
    bool named; // the id has an action name
};

struct DeckRow
{
    const char* suffix;
    DeckId decks[4]; // A, B, C, D; id 0: no such command
    const char* description;
};

const DeckRow kDeckRows[] = {
{"play", {{27101, true}, {27201, true}, {28301, true}, {28401, true}}, "Play Deck x"},
{"stop", {{27102, true}, {27202, true}, {28302, true}, {28402, true}}, "Stop Deck x"},
{"pause", {{27103, true}, {27203, true}, {28303, true}, {28403, true}}, "Pause Deck x"},
{"restart", {{27104, true}, {27204, true}, {28304, true}, {28404, true}}, "Restart Deck x"},
{"fadein", {{27105, true}, {27205, true}, {28305, true}, {28405, true}}, "Start and Fadein Deck x"},
{"fadeout", {{27106, true}, {27206, true}, {28306, true}, {28406, true}}, "Fade out and stop Deck x"},
{"eject", {{27107, true}, {27207, true}, {28307, true}, {28407, true}}, "Display File Open Dialog"},
{"next", {{27108, true}, {27208, true}, {28308, false}, {28408, false}}, "Load next track in Deck x Queue"},
{"previous", {{27109, true}, {27209, true}, {28309, false}, {28409, false}}, "Load previous track played in history list"},
{"preset1", {{27110, true}, {27210, true}, {28310, false}, {28410, false}}, "Load Preset 1 into Deck x"},
{"preset2", {{27111, true}, {27211, true}, {28311, false}, {28411, false}}, "Load Preset 2 into Deck x"},
{"preset3", {{27112, true}, {27212, true}, {28312, false}, {28412, false}}, "Load Preset 3 into Deck x"},
{"preset4", {{27113, true}, {27213, true}, {28313, false}, {28413, false}}, "Load Preset 4 into Deck x"},
{"cue1", {{27114, true}, {27214, true}, {28314, false}, {28414, false}}, "Advance to cue point 1 in Deck x"},
{"cue2", {{27115, true}, {27215, true}, {28315, false}, {28415, false}}, "Advance to cue point 2 in Deck x"},
{"loopin", {{27116, true}, {27216, true}, {28316, false}, {28416, false}}, "Set Loop in point for Deck x"},
{"loopout", {{27117, true}, {27217, true}, {28317, false}, {28417, false}}, "Set Loop out point for Deck x"},
{"loopstart", {{27118, true}, {27218, true}, {28318, false}, {28418, false}}, "Looping start/stop toggle Deck x"},
{"eqonoff", {{27119, true}, {27219, true}, {28319, true}, {28419, true}}, "EQ on/off toggle Deck x"},
{"mute", {{27120, true}, {27220, true}, {28320, true}, {28420, true}}, "Mute/Unmute Deck x"},
{"ff", {{27121, true}, {27221, true}, {28321, true}, {28421, true}}, "Fast forward Deck x"},
{"rw", {{27122, true}, {27222, true}, {28322, true}, {28422, true}}, "Rewind Deck x"},
{"pitchzero", {{27124, true}, {27224, true}, {28324, true}, {28424, true}}, "Center the pitch on Deck x"},
{"gainup", {{27125, true}, {27225, true}, {28325, true}, {28425, true}}, "Move gain up on Deck x"},
{"gaindown", {{27126, true}, {27226, true}, {28326, true}, {28426, true}}, "Move gain down on Deck x"},
{"viewqueue", {{27127, true}, {27227, true}, {28327, false}, {28427, false}}, "View Deck A Queue in new window"},
{"eqflat", {{27128, true}, {27228, true}, {28328, true}, {28428, true}}, "Reset Eq to flat position for Deck x"},
{"pitchup", {{27129, true}, {27229, true}, {28329, true}, {28429, true}}, "Move Pitch up one increment for Deck x"},
{"pitchdown", {{27130, true}, {27230, true}, {28330, true}, {28430, true}}, "Move Pitch down one increment for Deck x"},
{"random", {{27131, true}, {27231, true}, {28331, false}, {28431, false}}, "Turn Random play mode on for Deck x"},
{"props", {{27132, true}, {27232, true}, {28332, false}, {28432, false}}, "Open Audio deck Properties"},
{"eqlowkill", {{27135, true}, {27235, true}, {28335, false}, {28435, false}}, "Kill EQ Low band for Deck x"},
{"eqmidkill", {{27136, true}, {27236, true}, {28336, false}, {28436, false}}, "Kill EQ mid band for Deck x"},
{"eqhighkill", {{27137, true}, {27237, true}, {28337, false}, {28437, false}}, "Kill EQ high band for Deck x"},
{"playpause", {{27139, true}, {27239, true}, {28339, true}, {28439, true}}, "Play/Pause Toggle Deck x"},
{"pitchmoveup", {{27140, true}, {27240, true}, {28340, true}, {28440, true}}, "Move pitch up for Deck x"},
{"pitchmovedown", {{27141, true}, {27241, true}, {28341, true}, {28441, true}}, "Move pitch down for Deck x"},
{nullptr, {{0, false}, {0, false}, {28342, false}, {28442, false}}, "Deck x FX Filter on/off"},
{nullptr, {{0, false}, {0, false}, {28343, false}, {28443, false}}, "Deck x FX Rotate"},
{nullptr, {{0, false}, {0, false}, {28344, false}, {28444, false}}, "Deck x FX Echo"},
{nullptr, {{0, false}, {0, false}, {28345, false}, {28445, false}}, "Deck x FX Flange"},
};

struct NameRow
{
    const char* name;
    int id;
};

// The action names outside the deck table.
const NameRow kOtherNames[] = {
{"about", 27001},
{"help", 27002},
{"minimize", 27003},
{"config", 27004},
{"close", 27005},
{"programdump", 27006},
{"mainmenu", 27007},
{"mx-center", 27301},
{"mx-fadeleft", 27302},
{"mx-faderight", 27303},
{"mx-mixleft", 27304},
{"mx-mixright", 27305},
{"mx-automixon", 27306},
{"mx-automixprops", 27308},
{"mx-automixq", 27309},
{"mx-faderleft", 27312},
{"mx-faderright", 27313},
{"mx-monitora", 27314},
{"mx-monitorb", 27315},
{"mx-automixrandom", 27316},
{"mx-mixnext", 27317},
{"sldxfader", 27318},
{"mx-monitorc", 27319},
{"mx-monitord", 27320},
{"mx-assignleft", 27321},
{"mx-assignright", 27322},
{"mc-refresh", 27401},
{"ml-refresh", 27402},
{"viewlibrary", 27403},
{"viewartist", 27404},
{"viewalbum", 27405},
{"viewgenre", 27406},
{"viewyear", 27407},
{"openlibmgr", 27408},
{"openadvsearch", 27409},
{"viewsearch", 27410},
{"viewrequest", 27411},
{"vieweffects", 27412},
{"viewjukebox", 27413},
{"viewhistory", 27414},
{"viewvideo", 27415},
{"viewcdplayer", 27416},
{"viewmixer", 27417},
{"viewcomm", 27418},
{"viewsearchbox", 27419},
{"pl-new", 27501},
{"pl-delete", 27502},
{"pl-automix", 27503},
{"pl-rename", 27504},
{"pl-loadtoaq", 27505},
{"pl-loadtobq", 27506},
{"pl-loadtojbq", 27507},
{"pl-loadtomxq", 27508},
{"pl-editplaylist", 27509},
{"tl-selall", 27601},
{"tl-selnone", 27602},
{"tl-edittag", 27603},
{"tl-loadtoa", 27604},
{"tl-loadtob", 27605},
{"tl-loadtoaq", 27606},
{"tl-loadtobq", 27607},
{"tl-loadtomxq", 27608},
{"tl-loadtojbq", 27609},
{"filteroff", 27610},
{"searchgo", 27611},
{"tl-scrollup", 27612},
{"tl-scrolldn", 27613},
{"tl-setfocus", 27614},
{"sl-loadtoa", 27615},
{"sl-loadtob", 27616},
{"sl-setfocus", 27617},
{"sl-scrollup", 27618},
{"sl-scrolldn", 27619},
{"se-setfocus", 27620},
{"fl-automix", 27701},
{"fl-loadtoaq", 27702},
{"fl-loadtobq", 27703},
{"fl-loadtojbq", 27704},
{"fl-loadtomxq", 27705},
{"fl-multitagedit", 27706},
{"vj-load", 27801},
{"vj-play", 27802},
{"vj-stop", 27803},
{"vj-pause", 27804},
{"vj-next", 27805},
{"vj-mute", 27806},
{"vj-exmon", 27807},
{"fx-1", 27903},
{"fx-20", 27922},
{"a-gain", 28001},
{"a-pitch", 28002},
{"a-eqlow", 28003},
{"a-eqmid", 28004},
{"a-eqhigh", 28005},
{"a-seek", 28006},
{"b-gain", 28007},
{"b-pitch", 28008},
{"b-eqlow", 28009},
{"b-eqmid", 28010},
{"b-eqhigh", 28011},
{"b-seek", 28012},
{"xfader", 28013},
{"a-jogwheel", 28014},
{"b-jogwheel", 28015},
{"a-jogmode", 28016},
{"b-jogmode", 28017},
{"aq-setfocus", 28018},
{"aq-scrollup", 28019},
{"aq-scrolldown", 28020},
{"aq-loadtoa", 28021},
{"aq-deleteseleted", 28022},
{"bq-setfocus", 28023},
{"bq-scrollup", 28024},
{"bq-scrolldown", 28025},
{"bq-loadtob", 28026},
{"bq-deleteseleted", 28027},
{"bq-scroll", 28028},
{"aq-scroll", 28029},
{"a-gainpitch", 28030},
{"b-gainpitch", 28031},
{"a-scrolltoggle", 28032},
{"b-scrolltoggle", 28033},
{"al-loadtodeck", 28034},
{"bl-loadtodeck", 28035},
{"fx-stop", 28102},
{"fx-play", 28103},
{"jb-playpause", 28104},
{"jb-stop", 28105},
{"jb-next", 28106},
{"jb-play", 28107},
{"aq-moveup", 28108},
{"aq-movedn", 28109},
{"bq-moveup", 28110},
{"bq-movedn", 28111},
{"mxq-moveup", 28112},
{"mxq-movedn", 28113},
{"viewbpm", 28114},
{"jukestop", 28115},
{"jukeplay", 28116},
{"jukenext", 28117},
{"jukeuplevel", 28118},
{"jukescrollup", 28119},
{"jukescrolldn", 28120},
{"a-fxonoff", 28121},
{"a-fxrotate", 28122},
{"a-fxecho", 28123},
{"a-fxflange", 28124},
{"b-fxonoff", 28125},
{"b-fxrotate", 28126},
{"b-fxecho", 28127},
{"b-fxflange", 28128},
{"jukescrollleft", 28129},
{"jukescrollright", 28130},
{"jukenum1", 28131},
{"jukenum9", 28139},
{"jukenum0", 28140},
{"jukenumbsp", 28141},
{"jukenumtrash", 28142},
{"tl-playnext", 28143},
{"viewtextout", 28144},
{"tv-scrolll", 28501},
{"tv-scrollr", 28502},
{"me-file", 28503},
{"me-edit", 28504},
{"me-view", 28505},
{"me-tools", 28506},
{"me-help", 28507},
{"me-library", 28508},
{"a-unloaddeck", 28509},
{"B-unloaddeck", 28510},
{"fx-2", 27904},
{"fx-3", 27905},
{"fx-4", 27906},
{"fx-5", 27907},
{"fx-6", 27908},
{"fx-7", 27909},
{"fx-8", 27910},
{"fx-9", 27911},
{"fx-10", 27912},
{"fx-11", 27913},
{"fx-12", 27914},
{"fx-13", 27915},
{"fx-14", 27916},
{"fx-15", 27917},
{"fx-16", 27918},
{"fx-17", 27919},
{"fx-18", 27920},
{"fx-19", 27921},
{"jukenum2", 28132},
{"jukenum3", 28133},
{"jukenum4", 28134},
{"jukenum5", 28135},
{"jukenum6", 28136},
{"jukenum7", 28137},
{"jukenum8", 28138},
};

// Ids with an action name but no description.
const int kUndescribed[] = {27319, 27320, 27321, 27322, 28129, 28130, 28131, 28132, 28133, 28134,
                            28135, 28136, 28137, 28138, 28139, 28140, 28141, 28142, 28509, 28510};

// Descriptions given word for word.
const NameRow kDescriptionTexts[] = {
    {"Display Tavrix About screen", 27001}, {"Open operations manual in browser", 27002},
    {"Minimize Tavrix", 27003}, {"Close Tavrix", 27005}, {"For debugging only", 27006},
    {"Display Main Menu", 27007}, {"Autofade Right", 27303}, {"Mic to Deck B", 27305},
    {"Move CrossFader Right", 27313}, {"Not being used", 27610}, {"MIDI: Not being used", 28013},
    {"MIDI: B Queue Load selected to Deck A", 28026}, {"View BPMs", 28114}, {"iJuke Stop", 28115},
    {"iJuke Play", 28116}, {"iJuke Next", 28117}, {"iJuke up one level", 28118},
    {"iJuke scroll up", 28119}, {"iJuke scroll down", 28120}, {"View the Text Output Manager", 28144},
    {"Thumb List scroll left", 28501}, {"Thumb list scroll right", 28502},
    {"MIDI: Crossfader Control", 27318}, {"MIDI: Deck A Gain Control", 28001},
    {"MIDI: Deck A Pitch Control", 28002}, {"MIDI: Deck A EQ Low", 28003},
    {"MIDI: Current Queue load to Deck B", 28035}, {"TrackList - Select All", 27601},
    {"TrackList - Load to Jukebox Queue", 27609}, {"TrackList - Load to available deck and mix in", 28143},
    {"File Menu", 28503}, {"Edit Menu", 28504}, {"View Menu", 28505}, {"Tools Menu", 28506},
    {"Help Menu", 28507}, {"Library Menu", 28508}, {"Play Sampler #1", 27903}, {"Play Sampler #20", 27922},
    {"Deck x FX Filter on/off", 28121}, {"Deck x FX Rotate", 28122}, {"Deck x FX Echo", 28123},
    {"Deck x FX Flange", 28124}, {"Deck x FX Filter on/off", 28125}, {"Deck x FX Flange", 28128},
    {"View Deck A Queue in new window", 27127}, {"View Deck B Queue in new window", 27227},
    {"View Deck C Queue in new window", 28327}, {"View Deck D Queue in new window", 28427},
};

const NameRow kKeys[] = {
    {"bksp", 8}, {"tab", 9}, {"sp", 32}, {"pgup", 33}, {"pgdn", 34}, {"end", 35}, {"home", 36},
    {"left", 37}, {"up", 38}, {"right", 39}, {"down", 40}, {"ins", 45}, {"del", 46},
};

class VocabularyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearCommandMaps();
        CommandDescriptionMap.RemoveAll();
        BuildActionNameMap();
        BuildCommandDescriptionMap();
        BuildKeyNameMap();
    }
    void TearDown() override { ClearCommandMaps(); }
};

TEST_F(VocabularyTest, EveryActionNameHasItsIdAndNoOtherNameExists)
{
    std::set<std::string> expected;
    const char letters[] = "abcd";
    for (const DeckRow& row : kDeckRows) {
        for (int d = 0; d < 4; ++d) {
            if (!row.suffix || !row.decks[d].named)
                continue;
            const std::string name = std::string(1, letters[d]) + "-" + row.suffix;
            EXPECT_EQ(row.decks[d].id, ActionNameMap.Lookup(name.c_str())) << name;
            expected.insert(name);
        }
    }
    for (const NameRow& row : kOtherNames) {
        EXPECT_EQ(row.id, ActionNameMap.Lookup(row.name)) << row.name;
        expected.insert(row.name);
    }
    EXPECT_EQ(309u, expected.size());
    EXPECT_EQ(309u, ActionNameMap.GetCount());
    for (const auto& row : ActionNameMap)
        EXPECT_EQ(1u, expected.count(row.first)) << "unexpected name " << row.first;
}

TEST_F(VocabularyTest, DescriptionsCoverEveryCommandExceptTheListedOnes)
{
    std::set<int> expected;
    for (const DeckRow& row : kDeckRows) {
        for (int d = 0; d < 4; ++d) {
            if (!row.decks[d].id)
                continue;
            expected.insert(row.decks[d].id);
            if (row.suffix && std::string(row.suffix) == "viewqueue")
                continue;
            EXPECT_EQ(std::string(row.description), CommandDescriptionMap.Lookup(row.decks[d].id).GetString())
                << row.decks[d].id;
        }
    }
    for (const NameRow& row : kOtherNames)
        expected.insert(row.id);
    for (int id : kUndescribed)
        expected.erase(id);
    EXPECT_EQ(331u, expected.size());
    EXPECT_EQ(331u, CommandDescriptionMap.GetCount());
    for (int id : expected)
        EXPECT_FALSE(CommandDescriptionMap.Lookup(id).IsEmpty()) << id;
    for (int id : kUndescribed)
        EXPECT_FALSE(CommandDescriptionMap.Contains(id)) << id;
    for (const NameRow& row : kDescriptionTexts)
        EXPECT_EQ(std::string(row.name), CommandDescriptionMap.Lookup(row.id).GetString()) << row.id;
    for (const auto& row : CommandDescriptionMap) {
        if (row.first >= 28001 && row.first <= 28035) {
            EXPECT_EQ(0, row.second.Find("MIDI: ")) << row.first;
        }
        if (row.first >= 27601 && row.first <= 27609) {
            EXPECT_EQ(0, row.second.Find("TrackList - ")) << row.first;
        }
    }
}

TEST_F(VocabularyTest, KeyNamesGiveVirtualKeyCodes)
{
    EXPECT_EQ(71u, KeyNameMap.GetCount());
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_EQ(c, KeyNameMap.Lookup(std::string(1, c).c_str()));
    for (char c = 'a'; c <= 'z'; ++c)
        EXPECT_EQ(c - 'a' + 65, KeyNameMap.Lookup(std::string(1, c).c_str()));
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(111 + n, KeyNameMap.Lookup(("F" + std::to_string(n)).c_str()));
    for (int n = 0; n <= 9; ++n)
        EXPECT_EQ(96 + n, KeyNameMap.Lookup(("num" + std::to_string(n)).c_str()));
    for (const NameRow& row : kKeys)
        EXPECT_EQ(row.id, KeyNameMap.Lookup(row.name)) << row.name;
    std::set<std::string> listed(std::begin(kKeyListOrder), std::end(kKeyListOrder));
    EXPECT_EQ(71u, listed.size());
    for (const std::string& name : listed)
        EXPECT_TRUE(KeyNameMap.Contains(name.c_str())) << name;
}

TEST_F(VocabularyTest, NamesAreCaseSensitiveAndLookupsAddNothing)
{
    const NameRow cases[] = {
        {"B-unloaddeck", 28510}, {"b-unloaddeck", 0}, {"a-play", 27101}, {"A-PLAY", 0},
        {"fx-20", 27922}, {"jukenum0", 28140}, {"jukenum9", 28139}, {"c-preset1", 0},
        {"sldxfader", 27318}, {"xfader", 28013}, {"", 0}, {"a-play ", 0},
    };
    for (const NameRow& c : cases)
        EXPECT_EQ(c.id, ActionNameMap.Lookup(c.name)) << '"' << c.name << '"';
    EXPECT_EQ(309u, ActionNameMap.GetCount());
    EXPECT_EQ(112, KeyNameMap.Lookup("F1"));
    EXPECT_EQ(0, KeyNameMap.Lookup("f1"));
    EXPECT_EQ(70, KeyNameMap.Lookup("f"));
    EXPECT_EQ(71u, KeyNameMap.GetCount());
    EXPECT_EQ("Load Preset 1 into Deck x", std::string(CommandDescriptionMap.Lookup(28310).GetString()));
    for (const auto& row : ActionNameMap)
        EXPECT_NE(28310, row.second) << row.first;
}

TEST_F(VocabularyTest, BuildingTwiceChangesNothingAndClearingKeepsDescriptions)
{
    BuildActionNameMap();
    BuildCommandDescriptionMap();
    BuildKeyNameMap();
    EXPECT_EQ(309u, ActionNameMap.GetCount());
    EXPECT_EQ(331u, CommandDescriptionMap.GetCount());
    EXPECT_EQ(71u, KeyNameMap.GetCount());

    ControllerMapRows rows;
    rows[20].action = "a-play";
    ControllerMap.Replace(rows);
    ClearCommandMaps();
    EXPECT_EQ(0, ActionNameMap.Lookup("a-play"));
    EXPECT_EQ(0, KeyNameMap.Lookup("a"));
    EXPECT_EQ(0u, ActionNameMap.GetCount());
    EXPECT_EQ(0u, ControllerMap.GetCount());
    EXPECT_EQ("Play Deck x", std::string(CommandDescriptionMap.Lookup(27101).GetString()));
}

} // namespace
