// The skin file loader: what each element gives, in which order, and the
// edge cases of the file's layout.
#include "skin/file/Skin.h"

#include "input/commands/CommandVocabulary.h"
#include "tests/support/TestSupport.h"

#include <string>

using namespace tavrix_test;

namespace {

class SkinFile : public ::testing::Test
{
protected:
    void SetUp() override { BuildActionNameMap(); }

    // Loads a skin whose root holds `children`.
    bool LoadBody(Skin& skin, const std::string& children, const char* root = "TavrixVJSkin")
    {
        std::string text = std::string("<?xml version=\"1.0\"?>\r\n<") + root + ">\r\n" + children +
                           "</" + root + ">\r\n";
        return skin.LoadText(CString(text.c_str()));
    }

    static const char* Background() { return "<background image=\"bg.bmp\" x=\"10\" y=\"20\" width=\"1024\" height=\"700\"/>\r\n"; }
};

TEST_F(SkinFile, BackgroundGivesTheImageAndTheRectangle)
{
    Skin skin;
    ASSERT_TRUE(LoadBody(skin, Background()));
    EXPECT_STREQ("bg.bmp", skin.GetBackgroundImage());
    const SkinRect& r = skin.GetBackgroundRect();
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(20, r.top);
    EXPECT_EQ(1034, r.right);
    EXPECT_EQ(720, r.bottom);
    EXPECT_EQ(0, skin.GetItemCount());
}

TEST_F(SkinFile, WrongRootOrMissingBackgroundLoadsNothing)
{
    Skin wrongRoot;
    EXPECT_FALSE(LoadBody(wrongRoot, std::string(Background()) + "<status action=\"clock\"/>\r\n", "OtherSkin"));
    EXPECT_EQ(0, wrongRoot.GetItemCount());
    EXPECT_TRUE(wrongRoot.GetBackgroundRect().IsEmpty());
    EXPECT_STREQ("", wrongRoot.GetBackgroundImage());

    Skin noBackground;
    EXPECT_FALSE(LoadBody(noBackground, "<status action=\"clock\" x=\"1\"/>\r\n"));
    EXPECT_EQ(0, noBackground.GetItemCount());

    Skin notXml;
    EXPECT_FALSE(notXml.LoadText("this is no skin"));
    EXPECT_FALSE(notXml.Load("Z:\\no\\such\\folder\\skin.xml"));
}

TEST_F(SkinFile, ASkinLoadedOverAnotherReplacesItAndAFailedLoadKeepsIt)
{
    Skin skin;
    skin.SetFolder("C:\\Skins\\First\\");
    ASSERT_TRUE(LoadBody(skin, std::string(Background()) + "<jukemode value=\"2\"/>\r\n" +
                                   "<deckCdrop x=\"1\" y=\"2\" r=\"3\" b=\"4\"/>\r\n" +
                                   "<status action=\"clock\" x=\"1\"/>\r\n<status action=\"clock\" x=\"2\"/>\r\n"));
    ASSERT_EQ(2, skin.GetItemCount());
    ASSERT_TRUE(skin.IsJukeMode2());

    // A file that is no skin changes nothing.
    EXPECT_FALSE(LoadBody(skin, "<status action=\"clock\" x=\"9\"/>\r\n"));
    EXPECT_EQ(2, skin.GetItemCount());

    ASSERT_TRUE(LoadBody(skin, std::string("<background image=\"two.bmp\" x=\"0\" y=\"0\" width=\"8\" height=\"8\"/>\r\n") +
                                   "<status action=\"clock\" x=\"5\"/>\r\n"));
    EXPECT_EQ(1, skin.GetItemCount());
    EXPECT_STREQ("two.bmp", skin.GetBackgroundImage());
    EXPECT_FALSE(skin.IsJukeMode());
    EXPECT_TRUE(skin.GetZoneRect(Skin::ZONE_DECKC).IsEmpty());
    EXPECT_STREQ("C:\\Skins\\First\\", skin.GetFolder());
}

TEST_F(SkinFile, JukeModeCountsOnlyAfterTheBackground)
{
    const struct { const char* before; const char* after; bool on; bool two; } cases[] = {
        {"<jukemode value=\"2\"/>", "", false, false},
        {"", "<jukemode value=\"2\"/>", true, true},
        {"", "<jukemode value=\"1\"/>", true, false},
        {"", "<jukemode value=\"0\"/>", false, false},
        {"", "", false, false},
    };
    for (const auto& c : cases) {
        Skin skin;
        ASSERT_TRUE(LoadBody(skin, std::string(c.before) + Background() + c.after));
        EXPECT_EQ(c.on, skin.IsJukeMode()) << c.before << c.after;
        EXPECT_EQ(c.two, skin.IsJukeMode2()) << c.before << c.after;
    }
}

TEST_F(SkinFile, ZonesKeepTheLastElementAndTheirOrigins)
{
    Skin skin;
    ASSERT_TRUE(LoadBody(skin, std::string("<deckAdrop x=\"1\" y=\"2\" r=\"3\" b=\"4\"/>\r\n") + Background() +
                                   "<deckAdrop x=\"110\" y=\"220\" r=\"310\" b=\"420\"/>\r\n"
                                   "<videodrop x=\"50\" y=\"60\" r=\"70\" b=\"80\"/>\r\n"
                                   "<windowmove x=\"15\" y=\"25\" r=\"500\" b=\"45\"/>\r\n"));
    const SkinRect& a = skin.GetZoneRect(Skin::ZONE_DECKA);
    EXPECT_EQ(110, a.left);
    EXPECT_EQ(220, a.top);
    EXPECT_EQ(310, a.right);
    EXPECT_EQ(420, a.bottom);
    EXPECT_EQ(100, skin.GetOrigin(Skin::ZONE_DECKA).x);   // 110 - background left 10
    EXPECT_EQ(200, skin.GetOrigin(Skin::ZONE_DECKA).y);   // 220 - background top 20
    EXPECT_EQ(40, skin.GetOrigin(Skin::ZONE_VIDEO).x);
    EXPECT_EQ(40, skin.GetOrigin(Skin::ZONE_VIDEO).y);
    EXPECT_EQ(500, skin.GetZoneRect(Skin::ZONE_WINDOWMOVE).right);
    EXPECT_TRUE(skin.GetZoneRect(Skin::ZONE_DECKB).IsEmpty());
}

TEST_F(SkinFile, ItemsComeGroupedByElementInTableOrder)
{
    Skin skin;
    ASSERT_TRUE(LoadBody(skin, std::string(Background()) +
                                   "<textfield action=\"a-title\"/>\r\n"
                                   "<status action=\"s-tracklist\"/>\r\n"
                                   "<button action=\"play-a\"/>\r\n"
                                   "<status action=\"clock\"/>\r\n"
                                   "<listctrl action=\"tracklist\"/>\r\n"
                                   "<videowin action=\"videop\"/>\r\n"
                                   "<jukepane action=\"j1\"/>\r\n"
                                   "<slider action=\"sldxfader\"/>\r\n"));
    const char* expected[] = {"videop", "s-tracklist", "clock", "sldxfader", "tracklist", "a-title", "j1"};
    // The button's action is not a command name: it is dropped.
    ASSERT_EQ(7, skin.GetItemCount());
    for (int i = 0; i < 7; ++i)
        EXPECT_STREQ(expected[i], skin.GetItem(i).action) << i;
}

TEST_F(SkinFile, ButtonsNeedAKnownActionOtherElementsAreKeptWithIdZero)
{
    Skin skin;
    ASSERT_TRUE(LoadBody(skin, std::string(Background()) +
                                   "<button action=\"a-play\" x=\"1\" y=\"2\" w=\"30\" h=\"20\" AR=\"1\"/>\r\n"
                                   "<button action=\"no-such-action\"/>\r\n"
                                   "<status action=\"no-such-name\"/>\r\n"));
    ASSERT_EQ(2, skin.GetItemCount());
    EXPECT_EQ(SKIN_BUTTON, skin.GetItem(0).kind);
    EXPECT_EQ(27101, skin.GetItem(0).id);
    EXPECT_EQ(1, skin.GetItem(0).AR);
    EXPECT_EQ(SKIN_STATUS, skin.GetItem(1).kind);
    EXPECT_EQ(0, skin.GetItem(1).id);
}

TEST_F(SkinFile, RectanglesFollowTheirElementsRule)
{
    const struct { const char* element; int32_t right, bottom; } cases[] = {
        {"<status action=\"clock\" x=\"10\" y=\"5\" w=\"100\" h=\"20\"/>", 111, 26},
        {"<edit action=\"editsearch\" x=\"10\" y=\"5\" w=\"100\" h=\"20\"/>", 110, 25},
        {"<meter action=\"a-leftmtr\" x=\"10\" y=\"5\" w=\"100\" h=\"20\"/>", 110, 25},
        {"<progress action=\"a-progress\" x=\"10\" y=\"5\" w=\"100\" h=\"20\"/>", 111, 26},
        {"<knob action=\"knb-a-jog\" x=\"10\" y=\"5\" w=\"100\" h=\"20\"/>", 110, 25},
        {"<artwin action=\"arta\" x=\"10\" y=\"5\" r=\"77\" b=\"88\" w=\"1\" h=\"1\"/>", 77, 88},
        {"<textfield action=\"a-title\" x=\"10\" y=\"5\"/>", 11, 6},
        {"<videowin action=\"videop\" x=\"10\" y=\"5\"/>", 10, 5},
    };
    for (const auto& c : cases) {
        Skin skin;
        ASSERT_TRUE(LoadBody(skin, std::string(Background()) + c.element + "\r\n"));
        ASSERT_EQ(1, skin.GetItemCount()) << c.element;
        EXPECT_EQ(10, skin.GetItem(0).left) << c.element;
        EXPECT_EQ(5, skin.GetItem(0).top) << c.element;
        EXPECT_EQ(c.right, skin.GetItem(0).right) << c.element;
        EXPECT_EQ(c.bottom, skin.GetItem(0).bottom) << c.element;
    }
}

TEST_F(SkinFile, AttributesAndDefaults)
{
    Skin skin;
    ASSERT_TRUE(LoadBody(skin, std::string(Background()) +
        "<status action=\"clock\" fsize=\"9\" font=\"Arial\" bkcolor=\"102030\" visible=\"1\" align=\"2\"/>\r\n"
        "<status action=\"uptime\" time=\"1\"/>\r\n"
        "<treectrl action=\"mylibrary\"/>\r\n"
        "<listctrl action=\"tracklist\" border=\"0\" Header=\"1\" FHBkColor=\"aabbcc\" ICON=\"1\" IJ=\"4\"/>\r\n"
        "<textfield action=\"a-title\"/>\r\n"
        "<indlight action=\"lt-a-cue1\" imageon=\"on.bmp\" imageoff=\"off.bmp\"/>\r\n"
        "<knob action=\"knb-a-jog\" imageknob=\"k.bmp\" imagedot=\"d.bmp\"/>\r\n"
        "<meter action=\"a-leftmtr\" imageon=\"m1.bmp\" imageoff=\"m0.bmp\" reverse=\"1\" pcolor3=\"ff0000\"/>\r\n"
        "<artwin action=\"arta\" reflect=\"1\"/>\r\n"));
    ASSERT_EQ(9, skin.GetItemCount());
    const SkinItem& clock = skin.GetItem(0);
    EXPECT_EQ(90, clock.fsize);
    EXPECT_STREQ("Arial", clock.font);
    EXPECT_STREQ("102030", clock.bkcolor);
    EXPECT_EQ(1, clock.visible);
    EXPECT_EQ(2, clock.align);
    EXPECT_EQ(-5101, clock.id);
    EXPECT_EQ(0, clock.time);                    // a status without "time"
    EXPECT_EQ(1, skin.GetItem(1).time);
    // Element table order: status, artwin, indlight, meter, knob, treectrl, listctrl, textfield.
    const char* order[] = {"clock", "uptime", "arta", "lt-a-cue1", "a-leftmtr", "knb-a-jog", "mylibrary",
                           "tracklist", "a-title"};
    for (int i = 0; i < 9; ++i)
        EXPECT_STREQ(order[i], skin.GetItem(i).action) << i;
    const int artwin = 2, light = 3, knob = 5, tree = 6, list = 7, text = 8;
    const SkinItem& meter = skin.GetItem(4);
    EXPECT_EQ(SKIN_METER, meter.kind);
    EXPECT_STREQ("m0.bmp", meter.image);
    EXPECT_STREQ("m1.bmp", meter.imageon);
    EXPECT_EQ(1, meter.reverse);
    EXPECT_STREQ("ff0000", meter.pcolor3);
    EXPECT_EQ(1, skin.GetItem(artwin).reflect);
    EXPECT_STREQ("off.bmp", skin.GetItem(light).image);
    EXPECT_STREQ("on.bmp", skin.GetItem(light).imageon);
    EXPECT_STREQ("k.bmp", skin.GetItem(knob).image);
    EXPECT_STREQ("d.bmp", skin.GetItem(knob).imageon);
    EXPECT_EQ(1, skin.GetItem(tree).border);     // absent: lists and trees have one
    EXPECT_EQ(0, skin.GetItem(list).border);
    EXPECT_EQ(1, skin.GetItem(list).Header);
    EXPECT_EQ(1, skin.GetItem(list).ICON);
    EXPECT_EQ(4, skin.GetItem(list).IJ);
    EXPECT_STREQ("aabbcc", skin.GetItem(list).FHBkColor);
    EXPECT_EQ(0, skin.GetItem(text).border);     // other kinds: absent reads 0
    EXPECT_EQ(0, skin.GetItem(text).visible);    // absent "visible": hidden
    EXPECT_EQ(1, skin.GetItem(text).time);
}

TEST_F(SkinFile, PeakViewsSplitterAndJukePanes)
{
    Skin skin;
    ASSERT_TRUE(LoadBody(skin, std::string(Background()) +
        "<viewpeak action=\"VP-A\" value=\"1\"/>\r\n"
        "<viewpeak action=\"vp-b\" value=\"01\"/>\r\n"
        "<splitter action=\"tl-splitter\" x=\"100\" y=\"120\" w=\"5\" h=\"300\"/>\r\n"
        "<jukepane action=\"j1\" visible=\"1\"/>\r\n"
        "<jukepane action=\"j2\" visible=\"1\"/>\r\n"
        "<jukepane action=\"j3\" visible=\"1\"/>\r\n"
        "<jukepane action=\"j4\" visible=\"0\"/>\r\n"));
    EXPECT_TRUE(skin.IsPeakViewA());
    EXPECT_FALSE(skin.IsPeakViewB());
    EXPECT_EQ(3, skin.GetVisibleJukePanes());
    const SkinRect& s = skin.GetZoneRect(Skin::ZONE_SPLITTER);
    EXPECT_EQ(100, s.left);
    EXPECT_EQ(105, s.right);
    EXPECT_EQ(420, s.bottom);
    EXPECT_EQ(90, skin.GetOrigin(Skin::ZONE_SPLITTER).x);
    EXPECT_EQ(100, skin.GetOrigin(Skin::ZONE_SPLITTER).y);
}

TEST_F(SkinFile, HugeNumbersDoNotOverflow)
{
    Skin skin;
    ASSERT_TRUE(LoadBody(skin, "<background x=\"2147483647\" y=\"-99999999999\" width=\"2147483647\" height=\"-5\"/>\r\n"
                               "<status action=\"clock\" x=\"2147483647\" w=\"2147483647\" fsize=\"999999999\"/>\r\n"));
    EXPECT_EQ(INT32_MAX, skin.GetBackgroundRect().right);
    EXPECT_EQ(INT32_MIN, skin.GetBackgroundRect().top);
    EXPECT_EQ(INT32_MAX, skin.GetItem(0).right);
    EXPECT_EQ(INT32_MAX, skin.GetItem(0).fsize);
}

TEST_F(SkinFile, LoadReadsTheFileUpToItsFirstZeroByte)
{
    TempDir dir;
    std::string text = std::string("<TavrixVJSkin>") + Background() + "<status action=\"clock\"/></TavrixVJSkin>";
    text += std::string(1, '\0') + "<status action=\"uptime\"/>";
    ASSERT_TRUE(WriteFileBytes(dir.File("s.xml"), text));
    Skin skin;
    ASSERT_TRUE(skin.Load(dir.File("s.xml").c_str()));
    ASSERT_EQ(1, skin.GetItemCount());
    EXPECT_STREQ("clock", skin.GetItem(0).action);
}

// ------------------------------------------------------------- write-back

const char kTwoLists[] =
    "<?xml version=\"1.0\"?>\r\n<TavrixVJSkin>\r\n"
    "  <background image=\"bg.bmp\" x=\"0\" y=\"0\" width=\"10\" height=\"10\"/>\r\n"
    "  <listctrl action=\"historylist\" font=\"Tahoma\" fsize=\"10\" bkcolor=\"000000\" txcolor=\"ffffff\"/>\r\n"
    "  <listctrl action=\"tracklist\"   x=\"5\" font=\"Tahoma\" fsize=\"10\"/>\r\n"
    "  <!-- kept as it is -->\r\n"
    "</TavrixVJSkin>\r\n";

TEST(SkinWriteBack, ChangesOnlyTheMatchingElement)
{
    CString text = kTwoLists;
    ASSERT_EQ(0, Skin::SaveFontText(text, "listctrl", "tracklist", "Verdana", 8));
    std::string expected = kTwoLists;
    const std::string from = "<listctrl action=\"tracklist\"   x=\"5\" font=\"Tahoma\" fsize=\"10\"/>";
    expected.replace(expected.find(from), from.size(),
                     "<listctrl action=\"tracklist\"   x=\"5\" font=\"Verdana\" fsize=\"08\"/>");
    EXPECT_EQ(expected, text.str());

    CString colours = kTwoLists;
    ASSERT_EQ(0, Skin::SaveColorsText(colours, "listctrl", "tracklist", 0x00123456, 0x000000FF));
    EXPECT_NE(std::string::npos, colours.str().find("<listctrl action=\"tracklist\"   x=\"5\" font=\"Tahoma\" fsize=\"10\" bkcolor=\"563412\" txcolor=\"ff0000\"/>"))
        << colours.str();
    EXPECT_NE(std::string::npos, colours.str().find("bkcolor=\"000000\" txcolor=\"ffffff\""));
}

TEST(SkinWriteBack, ResultsAndUntouchedFiles)
{
    const struct { const char* text; const char* element; const char* action; int result; } cases[] = {
        {kTwoLists, "listctrl", "nolist", -1},
        {kTwoLists, "treectrl", "tracklist", -1},
        {kTwoLists, "listctrl", "TrackList", -1},   // case-sensitive
        {"<OtherSkin><listctrl action=\"tracklist\"/></OtherSkin>", "listctrl", "tracklist", -2},
        {"", "listctrl", "tracklist", -2},
    };
    for (const auto& c : cases) {
        CString font = c.text, colours = c.text;
        EXPECT_EQ(c.result, Skin::SaveFontText(font, c.element, c.action, "Arial", 9)) << c.element << c.action;
        EXPECT_EQ(c.result, Skin::SaveColorsText(colours, c.element, c.action, 0, 0)) << c.element << c.action;
        EXPECT_STREQ(c.text, font);
        EXPECT_STREQ(c.text, colours);
    }
}

} // namespace
