// The skin control names: every skin element other than a button names its
// control with one of these 286 names, and the main window creates the
// control under the name's negative id.
#include "skin/file/Skin.h"

#include <cstdio>

namespace {

const char kDeckLetters[] = {'a', 'b', 'c', 'd'};

struct NamedId
{
    const char* name;
    int32_t id;
};

const NamedId kFixed[] = {
    // Mixer lights (-802 is not used).
    {"lt-mx-auto", -801}, {"lt-mx-mona", -803}, {"lt-mx-monb", -804}, {"lt-mx-autornd", -805},
    {"lt-mx-monc", -806}, {"lt-mx-mond", -807},
    // Sliders.
    {"sldxfader", -101}, {"a-sldgain", -102}, {"a-sldpitch", -103}, {"a-sldtempo", -104},
    {"b-sldgain", -105}, {"b-sldpitch", -106}, {"b-sldtempo", -107}, {"a-sldeqlow", -108},
    {"a-sldeqmid", -109}, {"a-sldeqhigh", -110}, {"b-sldeqlow", -111}, {"b-sldeqmid", -112},
    {"b-sldeqhigh", -113}, {"a-sldseek", -114}, {"b-sldseek", -115}, {"c-sldgain", -116},
    {"c-sldpitch", -117}, {"c-sldeqlow", -118}, {"c-sldeqmid", -119}, {"c-sldeqhigh", -120},
    {"c-sldseek", -121}, {"d-sldgain", -122}, {"d-sldpitch", -123}, {"d-sldeqlow", -124},
    {"d-sldeqmid", -125}, {"d-sldeqhigh", -126}, {"d-sldseek", -127},
    // Knobs.
    {"knb-a-jog", -601}, {"knb-b-jog", -602}, {"knb-a-eqlow", -603}, {"knb-a-eqmid", -604},
    {"knb-a-eqhigh", -605}, {"knb-b-eqlow", -606}, {"knb-b-eqmid", -607}, {"knb-b-eqhigh", -608},
    {"knb-c-jog", -609}, {"knb-d-jog", -610}, {"knb-c-eqlow", -611}, {"knb-c-eqmid", -612},
    {"knb-c-eqhigh", -613}, {"knb-d-eqlow", -614}, {"knb-d-eqmid", -615}, {"knb-d-eqhigh", -616},
    // Level meters.
    {"a-leftmtr", -901}, {"a-rightmtr", -902}, {"b-leftmtr", -903}, {"b-rightmtr", -904},
    {"c-leftmtr", -905}, {"c-rightmtr", -906}, {"d-leftmtr", -907}, {"d-rightmtr", -908},
    // Deck position bars.
    {"a-progress", -1001}, {"b-progress", -1002}, {"c-progress", -1003}, {"d-progress", -1004},
    // List status lines.
    {"s-mycomputer", -701}, {"s-mylibrary", -702}, {"s-tracklist", -703}, {"s-historylist", -704},
    {"s-automix", -705}, {"s-requestlist", -706}, {"s-searchlist", -707}, {"s-alist", -708},
    {"s-blist", -709}, {"s-mxlist", -710}, {"s-clist", -711}, {"s-dlist", -712},
    // Edit boxes, video windows, album-art views and peak views.
    {"editsearch", -2001}, {"videoa", -2002}, {"videob", -2003}, {"videop", -2004},
    {"arta", -2005}, {"artb", -2006}, {"vp-a", -2007}, {"vp-b", -2008}, {"editfilter", -2009},
    {"vp-c", -2010}, {"vp-d", -2011}, {"artc", -2012}, {"artd", -2013},
    {"editsearchlist", -5202},
    // Lists, trees and queues (-3005 is not used).
    {"a-queue", -3001}, {"b-queue", -3002}, {"j-queue", -3003}, {"mx-queue", -3004},
    {"tracklist", -3006}, {"historylist", -3007}, {"searchlist", -3008}, {"requestlist", -3009},
    {"mycomputer", -3010}, {"mylibrary", -3011}, {"c-queue", -3012}, {"d-queue", -3013},
    // Video deck.
    {"s-vdstatus", -3101}, {"vd-title", -3102}, {"vd-etime", -3103}, {"vd-rtime", -3104},
    {"vd-ttime", -3105}, {"lt-vd-exmon", -3106}, {"sld-vd-volume", -3107}, {"sld-vd-seek", -3108},
    {"artbuddy", -3109},
    // Jukebox (the ten panes follow by rule).
    {"juketree", -5009}, {"jukelist", -5010}, {"jukeart", -5011}, {"jukectext", -5012},
    {"jukettext", -5013}, {"jukeprog", -5014}, {"juketotal", -5015}, {"jukeelapsed", -5016},
    {"jukeremain", -5017}, {"jukevolume", -5018}, {"jukespectrum", -5019}, {"juketitle", -5020},
    {"jukeartist", -5021}, {"jukealbum", -5022}, {"jukeanum", -5023}, {"juketnum", -5024},
    {"jukequeue", -5025},
    // Other controls.
    {"clock", -5101}, {"uptime", -5102}, {"cpuusage", -5103}, {"thumblist", -5104},
    {"thumbview", -5105}, {"txt_assignleft", -5106}, {"txt_assignright", -5107},
    {"a-pitch", -5108}, {"b-pitch", -5109}, {"tl-infownd", -5201}, {"tl-splitter", -5203},
};

// Deck text fields: "d-field", id = base(d) - n.
const char* const kDeckFields[] = {"title", "artist", "album", "genre", "bpm", "filetype", "sps",
                                   "channels", "frequency", "totaltime", "elaptime", "remaintime",
                                   "status"};
const int32_t kDeckFieldBase[] = {-400, -500, -540, -560};

// Deck lights: "lt-d-light", id = base(d) - n.
const char* const kDeckLights[] = {"preset1", "preset2", "preset3", "preset4", "cue1", "cue2",
                                   "loopin", "loopout", "loopstart", "mute", "eqonoff",
                                   "eqlowkill", "eqmidkill", "eqhighkill", "live", "random",
                                   "pitchcenter", "beat", "fxecho", "fxflange", "fxrotate",
                                   "keylock"};
const int32_t kDeckLightBase[] = {-200, -300, -340, -370};

} // namespace

void Skin::BindControlNames()
{
    char name[32];
    for (int deck = 0; deck < 4; ++deck) {
        int32_t n = 1;
        for (const char* field : kDeckFields) {
            std::snprintf(name, sizeof name, "%c-%s", kDeckLetters[deck], field);
            m_names[name] = kDeckFieldBase[deck] - n++;
        }
        n = 1;
        for (const char* light : kDeckLights) {
            std::snprintf(name, sizeof name, "lt-%c-%s", kDeckLetters[deck], light);
            m_names[name] = kDeckLightBase[deck] - n++;
        }
    }
    for (const NamedId& entry : kFixed)
        m_names[entry.name] = entry.id;
    for (int32_t n = 1; n <= 10; ++n) {
        std::snprintf(name, sizeof name, "j%d", static_cast<int>(n));
        m_names[name] = -5025 - n;
    }
}
