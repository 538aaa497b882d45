// The skins the program ships (Default, Jukebox, Thumbnails), as the build
// draws them into the program folder's Skins/: each loads, and its item
// table holds only controls the main window builds, each once, inside the
// background, not covering one another, with the pictures its control
// takes at the sizes the control draws them.
#include "skin/file/Skin.h"

#include "foundation/xml/XmlMarkup.h"
#include "input/commands/CommandVocabulary.h"
#include "tests/support/TestSupport.h"

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <set>
#include <string>
#include <vector>

using namespace tavrix_test;

namespace {

std::string SkinsDir()
{
#ifdef TAVRIX_SHIPPED_SKINS_DIR
    return TAVRIX_SHIPPED_SKINS_DIR;   // the native build draws them there
#else
    return ImageDir() + "/Skins";
#endif
}

// ---- What the main window's builders make a control for, by name ----
const char* const kDeckActions[] = {
    "play", "stop", "pause", "playpause", "restart", "fadein", "fadeout", "eject", "next", "previous",
    "preset1", "preset2", "preset3", "preset4", "cue1", "cue2", "loopin", "loopout", "loopstart", "eqonoff",
    "mute", "ff", "rw", "pitchzero", "viewqueue", "eqflat", "pitchup", "pitchdown", "random", "props",
    "eqlowkill", "eqmidkill", "eqhighkill", "fxrotate", "fxecho", "fxflange"};
const char* const kSmallDeckActions[] = {"play", "stop", "pause", "playpause", "restart", "fadein",
                                         "fadeout", "eject", "eqonoff", "mute", "ff", "rw",
                                         "pitchzero", "eqflat", "pitchup", "pitchdown"};
const char* const kOtherButtons[] = {
    "about", "help", "minimize", "config", "close", "mainmenu", "mx-center", "mx-fadeleft", "mx-faderight",
    "mx-mixleft", "mx-mixright", "mx-mixnext", "mx-automixon", "mx-automixprops", "mx-automixrandom",
    "mx-automixq", "mx-monitora", "mx-monitorb", "mx-monitorc", "mx-monitord", "mx-assignleft",
    "mx-assignright", "mc-refresh", "ml-refresh", "viewlibrary", "viewartist", "viewalbum", "viewgenre",
    "viewyear", "viewbpm", "openlibmgr", "openadvsearch", "viewsearch", "viewrequest", "viewhistory",
    "vieweffects", "viewjukebox", "viewvideo", "viewcdplayer", "viewmixer", "viewcomm", "viewsearchbox",
    "viewtextout", "tl-selall", "tl-selnone", "tl-loadtoa", "tl-loadtob", "tl-loadtomxq", "tl-loadtojbq",
    "filteroff", "searchgo", "tl-scrollup", "tl-scrolldn", "tv-scrolll", "tv-scrollr", "vj-load", "vj-play",
    "vj-pause", "vj-stop", "vj-next", "vj-mute", "vj-exmon", "fx-stop", "fx-play", "jb-play", "jb-stop",
    "jb-next", "jb-playpause", "jukeplay", "jukestop", "jukenext", "jukeuplevel", "jukescrollup",
    "jukescrolldn", "jukescrollleft", "jukescrollright", "jukenumbsp", "jukenumtrash", "me-file", "me-edit",
    "me-view", "me-tools", "me-help", "me-library"};
const char* const kDeckFields[] = {"title", "artist", "album", "genre", "bpm", "filetype", "sps",
                                   "channels", "frequency", "totaltime", "elaptime", "remaintime", "status"};
const char* const kOtherFields[] = {"vd-title", "vd-etime", "vd-rtime", "vd-ttime", "jukectext", "jukettext",
                                    "juketotal", "jukeelapsed", "jukeremain", "juketitle", "jukeartist",
                                    "jukealbum", "jukeanum", "juketnum", "clock", "uptime", "thumbview",
                                    "txt_assignleft", "txt_assignright", "a-pitch", "b-pitch"};
const char* const kStatusFields[] = {"s-mycomputer", "s-mylibrary", "s-tracklist", "s-historylist",
                                     "s-automix", "s-requestlist", "s-searchlist", "s-alist", "s-blist",
                                     "s-mxlist", "s-vdstatus"};
const char* const kBigDeckLights[] = {"preset1", "preset2", "preset3", "preset4", "cue1", "cue2",
                                      "loopin", "loopout", "loopstart", "mute", "eqonoff", "eqlowkill",
                                      "eqmidkill", "eqhighkill", "live", "random", "pitchcenter", "beat",
                                      "fxecho", "fxflange", "fxrotate", "keylock"};
const char* const kSmallDeckLights[] = {"mute", "eqonoff", "live", "pitchcenter", "keylock"};
const char* const kOtherLights[] = {"lt-mx-auto", "lt-mx-autornd", "lt-mx-mona", "lt-mx-monb",
                                    "lt-mx-monc", "lt-mx-mond", "lt-vd-exmon"};
const char* const kTrees[] = {"juketree", "mylibrary", "mycomputer"};
const char* const kLists[] = {"tracklist", "historylist", "searchlist", "requestlist", "a-queue", "b-queue",
                              "mx-queue", "jukequeue", "thumblist", "jukelist"};
const char* const kMisc[] = {
    "tl-splitter", "tl-infownd", "jukespectrum", "jukevolume", "jukeprog", "jukeart", "artbuddy", "arta",
    "artb", "artc", "artd", "editsearch", "editfilter", "editsearchlist", "cpuusage", "videop", "sldxfader",
    "a-sldtempo", "b-sldtempo", "sld-vd-volume", "sld-vd-seek"};

struct Builders
{
    std::set<std::string> buttons, fields, status, lights, trees, lists, misc;

    Builders()
    {
        for (const char* deck : {"a", "b"})
            for (const char* a : kDeckActions)
                buttons.insert(std::string(deck) + "-" + a);
        for (const char* deck : {"c", "d"})
            for (const char* a : kSmallDeckActions)
                buttons.insert(std::string(deck) + "-" + a);
        buttons.insert(std::begin(kOtherButtons), std::end(kOtherButtons));
        for (int n = 1; n <= 20; ++n)
            buttons.insert("fx-" + std::to_string(n));
        for (int n = 0; n <= 9; ++n)
            buttons.insert("jukenum" + std::to_string(n));
        for (const char* deck : {"a", "b", "c", "d"}) {
            const std::string d(deck);
            for (const char* f : kDeckFields)
                fields.insert(d + "-" + f);
            for (const char* m : {"leftmtr", "rightmtr", "progress", "sldseek", "sldgain", "sldpitch",
                                  "sldeqlow", "sldeqmid", "sldeqhigh"})
                misc.insert(d + "-" + m);
            misc.insert("vp-" + d);
            for (const char* k : {"jog", "eqlow", "eqmid", "eqhigh"})
                misc.insert("knb-" + d + "-" + k);
        }
        fields.insert(std::begin(kOtherFields), std::end(kOtherFields));
        status.insert(std::begin(kStatusFields), std::end(kStatusFields));
        for (const char* deck : {"a", "b"})
            for (const char* l : kBigDeckLights)
                lights.insert(std::string("lt-") + deck + "-" + l);
        for (const char* deck : {"c", "d"})
            for (const char* l : kSmallDeckLights)
                lights.insert(std::string("lt-") + deck + "-" + l);
        lights.insert(std::begin(kOtherLights), std::end(kOtherLights));
        trees.insert(std::begin(kTrees), std::end(kTrees));
        lists.insert(std::begin(kLists), std::end(kLists));
        misc.insert(std::begin(kMisc), std::end(kMisc));
        for (int n = 1; n <= 10; ++n)
            misc.insert("j" + std::to_string(n));
    }

    // The names of the builder that owns items of this kind.
    const std::set<std::string>& ForKind(int32_t kind) const
    {
        switch (kind) {
        case SKIN_BUTTON: return buttons;
        case SKIN_TEXTFIELD: return fields;
        case SKIN_STATUS: return status;
        case SKIN_INDLIGHT: return lights;
        case SKIN_TREECTRL: return trees;
        case SKIN_LISTCTRL: return lists;
        default: return misc;
        }
    }

    std::set<std::string> All() const
    {
        std::set<std::string> all;
        for (const std::set<std::string>* s : {&buttons, &fields, &status, &lights, &trees, &lists, &misc})
            all.insert(s->begin(), s->end());
        return all;
    }
};

// Width and height of a 24-bit BMP file; 0 x 0 when it is not one.
struct PictureSize
{
    int32_t w = 0, h = 0;
};

PictureSize ReadBmpSize(const std::string& path)
{
    PictureSize size;
    std::string bytes;
    if (!ReadFileBytes(path, bytes) || bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0)
        return size;
    auto le32 = [&](size_t at) {
        return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
                                    static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
                                    static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
                                    static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24);
    };
    const int32_t w = le32(18), h = le32(22);
    const int bits = static_cast<uint8_t>(bytes[28]) | static_cast<uint8_t>(bytes[29]) << 8;
    const int64_t row = (static_cast<int64_t>(w) * bits / 8 + 3) / 4 * 4;
    const int64_t need = le32(10) + row * (h < 0 ? -static_cast<int64_t>(h) : h);
    if (w <= 0 || h == 0 || bits != 24 || static_cast<int64_t>(bytes.size()) < need)
        return size;   // the pixels must all be there
    size.w = w;
    size.h = h < 0 ? -h : h;
    return size;
}

struct ShippedSkin
{
    const char* name;
    bool jukeMode2;
    int visiblePanes;
    // Builder names the skin must have, and those it must not have (every
    // other builder name must be present when `complete` is set).
    std::vector<std::string> required;
    std::vector<std::string> absent;
    bool complete;
};

// Names the parameter in test output.
void PrintTo(const ShippedSkin& skin, std::ostream* out) { *out << skin.name; }

std::vector<std::string> JukeboxNames()
{
    std::vector<std::string> names = {
        "juketree", "jukelist", "jukeart", "jukectext", "jukettext", "jukeprog", "juketotal", "jukeelapsed",
        "jukeremain", "jukevolume", "jukespectrum", "juketitle", "jukeartist", "jukealbum", "jukeanum",
        "juketnum", "jukequeue", "jukeplay", "jukestop", "jukenext", "jukeuplevel", "jukescrollup",
        "jukescrolldn", "jukescrollleft", "jukescrollright", "jukenumbsp", "jukenumtrash"};
    for (int n = 0; n <= 9; ++n)
        names.push_back("jukenum" + std::to_string(n));
    for (int n = 1; n <= 10; ++n)
        names.push_back("j" + std::to_string(n));
    return names;
}

std::vector<std::string> ThumbnailNames() { return {"thumblist", "tv-scrolll", "tv-scrollr", "thumbview"}; }

std::vector<std::string> EqSliderNames()
{
    std::vector<std::string> names;
    for (const char* deck : {"a", "b", "c", "d"})
        for (const char* band : {"low", "mid", "high"})
            names.push_back(std::string(deck) + "-sldeq" + band);
    return names;
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<ShippedSkin> Skins()
{
    std::vector<std::string> thumbsRequired = ThumbnailNames();
    for (const char* deck : {"a", "b"})
        for (const char* band : {"low", "mid", "high"})
            thumbsRequired.push_back(std::string(deck) + "-sldeq" + band);
    return {
        // Default: every control of the main window but the jukebox's,
        // the thumbnail row's and the EQ faders (its EQs are knobs).
        {"Default", false, 0, {}, Join(Join(JukeboxNames(), ThumbnailNames()), EqSliderNames()), true},
        {"Jukebox", true, 10, JukeboxNames(), {}, false},
        {"Thumbnails", false, 0, thumbsRequired, JukeboxNames(), false},
    };
}

class ShippedSkins : public ::testing::TestWithParam<ShippedSkin>
{
protected:
    void SetUp() override
    {
        BuildActionNameMap();
        const std::string name = GetParam().name;
        m_folder = SkinsDir() + "/" + name + "/";
        m_skin.SetFolder(m_folder.c_str());
        ASSERT_TRUE(m_skin.Load((SkinsDir() + "/" + name + ".xml").c_str())) << name;
    }

    std::string Picture(const CString& file) const { return m_folder + file.GetString(); }

    std::string m_folder;
    Skin m_skin;
};

TEST_P(ShippedSkins, BackgroundAndThumbLoad)
{
    const SkinRect& bg = m_skin.GetBackgroundRect();
    EXPECT_EQ(0, bg.left);
    EXPECT_EQ(0, bg.top);
    EXPECT_GE(bg.Width(), 1024);
    EXPECT_GE(bg.Height(), 700);
    const PictureSize size = ReadBmpSize(Picture(m_skin.GetBackgroundImage()));
    EXPECT_EQ(bg.Width(), size.w);
    EXPECT_EQ(bg.Height(), size.h);
    EXPECT_EQ(GetParam().jukeMode2, m_skin.IsJukeMode2());
    EXPECT_EQ(GetParam().jukeMode2, m_skin.IsJukeMode());
    EXPECT_EQ(GetParam().visiblePanes, m_skin.GetVisibleJukePanes());
    EXPECT_FALSE(m_skin.GetZoneRect(Skin::ZONE_WINDOWMOVE).IsEmpty());

    // The skin browser's preview picture.
    std::string text;
    ASSERT_TRUE(ReadFileBytes(SkinsDir() + "/" + GetParam().name + ".xml", text));
    XmlMarkup xml;
    xml.SetDocument(CString(text.c_str()));
    ASSERT_TRUE(xml.FindElement("TavrixVJSkin"));
    ASSERT_TRUE(xml.FindChildElement("thumb"));
    xml.IntoElement();
    const PictureSize thumb = ReadBmpSize(Picture(xml.GetAttribute("image")));
    EXPECT_GT(thumb.w, 0);
    EXPECT_GT(thumb.h, 0);
}

TEST_P(ShippedSkins, EveryItemIsAControlTheWindowBuildsOnceInsideTheBackground)
{
    const Builders builders;
    const SkinRect& bg = m_skin.GetBackgroundRect();
    std::set<int32_t> ids;
    std::set<std::string> names;
    for (int i = 0; i < m_skin.GetItemCount(); ++i) {
        const SkinItem& item = m_skin.GetItem(i);
        const std::string name = item.action.GetString();
        SCOPED_TRACE(name);
        EXPECT_NE(0, item.id);
        EXPECT_TRUE(ids.insert(item.id).second) << "a second item with the same id";
        names.insert(name);
        EXPECT_EQ(1u, builders.ForKind(item.kind).count(name)) << "no builder makes this element of kind "
                                                                << item.kind;
        EXPECT_FALSE(SkinRect({item.left, item.top, item.right, item.bottom}).IsEmpty());
        EXPECT_GE(item.left, bg.left);
        EXPECT_GE(item.top, bg.top);
        EXPECT_LE(item.right, bg.right);
        EXPECT_LE(item.bottom, bg.bottom);
        EXPECT_EQ(1, item.visible);
    }
    for (const std::string& name : GetParam().required)
        EXPECT_EQ(1u, names.count(name)) << name << " is missing";
    for (const std::string& name : GetParam().absent)
        EXPECT_EQ(0u, names.count(name)) << name << " should not be there";
    if (GetParam().complete) {
        const std::set<std::string> absent(GetParam().absent.begin(), GetParam().absent.end());
        for (const std::string& name : builders.All())
            if (!absent.count(name)) {
                EXPECT_EQ(1u, names.count(name)) << name << " is missing";
            }
    }
}

TEST_P(ShippedSkins, NoTwoControlsCoverEachOther)
{
    for (int i = 0; i < m_skin.GetItemCount(); ++i) {
        const SkinItem& a = m_skin.GetItem(i);
        for (int j = i + 1; j < m_skin.GetItemCount(); ++j) {
            const SkinItem& b = m_skin.GetItem(j);
            const bool overlap = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
            EXPECT_FALSE(overlap) << a.action.GetString() << " and " << b.action.GetString();
        }
    }
}

TEST_P(ShippedSkins, PicturesHaveTheSizesTheirControlsDraw)
{
    int pictures = 0;
    for (int i = 0; i < m_skin.GetItemCount(); ++i) {
        const SkinItem& item = m_skin.GetItem(i);
        SCOPED_TRACE(item.action.GetString());
        const int32_t w = item.right - item.left, h = item.bottom - item.top;
        const PictureSize first = ReadBmpSize(Picture(item.image));
        const PictureSize second = ReadBmpSize(Picture(item.imageon));
        switch (item.kind) {
        case SKIN_BUTTON:
        case SKIN_INDLIGHT:
            // Faces and lights fill their rectangle; the key colour is set.
            EXPECT_EQ(w, first.w);
            EXPECT_EQ(h, first.h);
            EXPECT_EQ(w, second.w);
            EXPECT_EQ(h, second.h);
            EXPECT_STREQ("ff00ff", item.tcolor.GetString());
            pictures += 2;
            break;
        case SKIN_KNOB:
            // The knob's window takes its picture's size; the dot turns inside it.
            EXPECT_EQ(w, first.w);
            EXPECT_EQ(h, first.h);
            EXPECT_EQ(first.w, first.h);
            EXPECT_GT(second.w, 0);
            EXPECT_LT(second.w * 2, first.w);
            pictures += 2;
            break;
        case SKIN_SLIDER:
            // The thumb travels inside the slider.
            EXPECT_GT(first.w, 0);
            EXPECT_LE(first.w, w);
            EXPECT_LE(first.h, h);
            ++pictures;
            break;
        case SKIN_METER:
            if (item.value.Left(2) == "VU") {
                EXPECT_EQ(w, first.w);
                EXPECT_EQ(h, first.h);
                EXPECT_EQ(w, second.w);
                EXPECT_EQ(h, second.h);
                pictures += 2;
            }
            break;
        default:
            if (!item.image.IsEmpty() && item.action != "tl-infownd") {
                EXPECT_EQ(w, first.w);
                EXPECT_EQ(h, first.h);
                ++pictures;
            }
            break;
        }
    }
    EXPECT_GT(pictures, 20);
}

INSTANTIATE_TEST_SUITE_P(Each, ShippedSkins, ::testing::ValuesIn(Skins()),
                         [](const ::testing::TestParamInfo<ShippedSkin>& info) { return std::string(info.param.name); });

} // namespace
