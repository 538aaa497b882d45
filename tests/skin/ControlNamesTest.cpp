// The skin control names: the whole vocabulary as one table.
#include "skin/file/Skin.h"

#include "tests/support/TestSupport.h"

#include <set>
#include <string>

namespace {

struct Family
{
    const char* names;   // space-separated
    int32_t firstId;
    int32_t step;
};

// Each row: names whose ids run from firstId by step; rows with a step of
// 0 list "name=id" pairs instead.
const Family kFamilies[] = {
    {"a-title a-artist a-album a-genre a-bpm a-filetype a-sps a-channels a-frequency a-totaltime a-elaptime a-remaintime a-status", -401, -1},
    {"b-title b-artist b-album b-genre b-bpm b-filetype b-sps b-channels b-frequency b-totaltime b-elaptime b-remaintime b-status", -501, -1},
    {"c-title c-artist c-album c-genre c-bpm c-filetype c-sps c-channels c-frequency c-totaltime c-elaptime c-remaintime c-status", -541, -1},
    {"d-title d-artist d-album d-genre d-bpm d-filetype d-sps d-channels d-frequency d-totaltime d-elaptime d-remaintime d-status", -561, -1},
    {"lt-a-preset1 lt-a-preset2 lt-a-preset3 lt-a-preset4 lt-a-cue1 lt-a-cue2 lt-a-loopin lt-a-loopout lt-a-loopstart lt-a-mute lt-a-eqonoff lt-a-eqlowkill lt-a-eqmidkill lt-a-eqhighkill lt-a-live lt-a-random lt-a-pitchcenter lt-a-beat lt-a-fxecho lt-a-fxflange lt-a-fxrotate lt-a-keylock", -201, -1},
    {"lt-b-preset1 lt-b-preset2 lt-b-preset3 lt-b-preset4 lt-b-cue1 lt-b-cue2 lt-b-loopin lt-b-loopout lt-b-loopstart lt-b-mute lt-b-eqonoff lt-b-eqlowkill lt-b-eqmidkill lt-b-eqhighkill lt-b-live lt-b-random lt-b-pitchcenter lt-b-beat lt-b-fxecho lt-b-fxflange lt-b-fxrotate lt-b-keylock", -301, -1},
    {"lt-c-preset1 lt-c-preset2 lt-c-preset3 lt-c-preset4 lt-c-cue1 lt-c-cue2 lt-c-loopin lt-c-loopout lt-c-loopstart lt-c-mute lt-c-eqonoff lt-c-eqlowkill lt-c-eqmidkill lt-c-eqhighkill lt-c-live lt-c-random lt-c-pitchcenter lt-c-beat lt-c-fxecho lt-c-fxflange lt-c-fxrotate lt-c-keylock", -341, -1},
    {"lt-d-preset1 lt-d-preset2 lt-d-preset3 lt-d-preset4 lt-d-cue1 lt-d-cue2 lt-d-loopin lt-d-loopout lt-d-loopstart lt-d-mute lt-d-eqonoff lt-d-eqlowkill lt-d-eqmidkill lt-d-eqhighkill lt-d-live lt-d-random lt-d-pitchcenter lt-d-beat lt-d-fxecho lt-d-fxflange lt-d-fxrotate lt-d-keylock", -371, -1},
    {"lt-mx-auto=-801 lt-mx-mona=-803 lt-mx-monb=-804 lt-mx-autornd=-805 lt-mx-monc=-806 lt-mx-mond=-807", 0, 0},
    {"sldxfader a-sldgain a-sldpitch a-sldtempo b-sldgain b-sldpitch b-sldtempo a-sldeqlow a-sldeqmid a-sldeqhigh b-sldeqlow b-sldeqmid b-sldeqhigh a-sldseek b-sldseek c-sldgain c-sldpitch c-sldeqlow c-sldeqmid c-sldeqhigh c-sldseek d-sldgain d-sldpitch d-sldeqlow d-sldeqmid d-sldeqhigh d-sldseek", -101, -1},
    {"knb-a-jog knb-b-jog knb-a-eqlow knb-a-eqmid knb-a-eqhigh knb-b-eqlow knb-b-eqmid knb-b-eqhigh knb-c-jog knb-d-jog knb-c-eqlow knb-c-eqmid knb-c-eqhigh knb-d-eqlow knb-d-eqmid knb-d-eqhigh", -601, -1},
    {"a-leftmtr a-rightmtr b-leftmtr b-rightmtr c-leftmtr c-rightmtr d-leftmtr d-rightmtr", -901, -1},
    {"a-progress b-progress c-progress d-progress", -1001, -1},
    {"s-mycomputer s-mylibrary s-tracklist s-historylist s-automix s-requestlist s-searchlist s-alist s-blist s-mxlist s-clist s-dlist", -701, -1},
    {"editsearch videoa videob videop arta artb vp-a vp-b editfilter vp-c vp-d artc artd", -2001, -1},
    {"editsearchlist=-5202", 0, 0},
    {"a-queue=-3001 b-queue=-3002 j-queue=-3003 mx-queue=-3004 tracklist=-3006 historylist=-3007 searchlist=-3008 requestlist=-3009 mycomputer=-3010 mylibrary=-3011 c-queue=-3012 d-queue=-3013", 0, 0},
    {"s-vdstatus vd-title vd-etime vd-rtime vd-ttime lt-vd-exmon sld-vd-volume sld-vd-seek artbuddy", -3101, -1},
    {"juketree jukelist jukeart jukectext jukettext jukeprog juketotal jukeelapsed jukeremain jukevolume jukespectrum juketitle jukeartist jukealbum jukeanum juketnum jukequeue j1 j2 j3 j4 j5 j6 j7 j8 j9 j10", -5009, -1},
    {"clock uptime cpuusage thumblist thumbview txt_assignleft txt_assignright a-pitch b-pitch", -5101, -1},
    {"tl-infownd=-5201 tl-splitter=-5203", 0, 0},
};

TEST(SkinControlNames, TheWholeVocabulary)
{
    Skin skin;
    std::set<std::string> seen;
    std::set<int32_t> ids;
    for (const Family& f : kFamilies) {
        std::string all = f.names;
        size_t at = 0;
        int32_t id = f.firstId;
        while (at < all.size()) {
            size_t end = all.find(' ', at);
            if (end == std::string::npos)
                end = all.size();
            std::string name = all.substr(at, end - at);
            int32_t expected = id;
            if (f.step == 0) {
                const size_t eq = name.find('=');
                expected = std::stoi(name.substr(eq + 1));
                name = name.substr(0, eq);
            }
            EXPECT_EQ(expected, skin.LookupControlName(name.c_str())) << name;
            EXPECT_TRUE(seen.insert(name).second) << name;
            ids.insert(expected);
            id += f.step;
            at = end + 1;
        }
    }
    EXPECT_EQ(286u, seen.size());
    EXPECT_EQ(286u, ids.size());
    EXPECT_EQ(286u, skin.GetControlNameCount());
    EXPECT_EQ(-5203, skin.GetControlNames().empty() ? 0 : *ids.begin());
    EXPECT_EQ(-101, *ids.rbegin());
    for (const auto& entry : skin.GetControlNames())
        EXPECT_TRUE(seen.count(entry.first)) << "unexpected name " << entry.first;
}

TEST(SkinControlNames, UnknownNamesAndGapsGiveZero)
{
    Skin skin;
    for (const char* name : {"A-TITLE", "a-Title", "", "lt-mx-802", "a-title ", "j11", "j0"})
        EXPECT_EQ(0, skin.LookupControlName(name)) << name;
    EXPECT_EQ(0, skin.LookupControlName(nullptr));
    for (const auto& entry : skin.GetControlNames()) {
        EXPECT_NE(-802, entry.second);
        EXPECT_NE(-3005, entry.second);
    }
}

} // namespace
