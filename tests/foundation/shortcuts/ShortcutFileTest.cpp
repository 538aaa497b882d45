#include "foundation/shortcuts/ShortcutFile.h"
#include "foundation/xml/XmlMarkup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ShortcutFile, TwoShortcutsGiveFiveLines)
{
    ShortcutRows table;
    table.push_back(ShortcutEntry("home", "a-play", kShortcutVirtKey | kShortcutControl));
    table.push_back(ShortcutEntry("pgup", "b-play", kShortcutVirtKey));
    const CString text = BuildShortcutFileText(table, "12/11/26");
    EXPECT_EQ(std::string("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                          "<TavrixShortCuts Date=\"12/11/26\" Items=\"2\">\r\n"
                          "<sc key=\"home\" ctrl=\"1\" alt=\"0\" shift=\"0\" action=\"a-play\"/>\r\n"
                          "<sc key=\"pgup\" ctrl=\"0\" alt=\"0\" shift=\"0\" action=\"b-play\"/>\r\n"
                          "</TavrixShortCuts>\r\n"),
              std::string(text.GetString()));
}

TEST(ShortcutFile, EmptyTableGivesAnEmptyRoot)
{
    ShortcutRows table;
    const CString text = BuildShortcutFileText(table, "01/02/03");
    EXPECT_EQ(std::string("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                          "<TavrixShortCuts Date=\"01/02/03\" Items=\"0\"/>\r\n"),
              std::string(text.GetString()));
}

TEST(ShortcutFile, EachModifierHasItsAttribute)
{
    const struct {
        BYTE flags;
        const char* ctrl;
        const char* alt;
        const char* shift;
    } cases[] = {
        {kShortcutVirtKey, "0", "0", "0"},
        {kShortcutVirtKey | kShortcutControl, "1", "0", "0"},
        {kShortcutVirtKey | kShortcutAlt, "0", "1", "0"},
        {kShortcutVirtKey | kShortcutShift, "0", "0", "1"},
        {kShortcutControl | kShortcutAlt | kShortcutShift, "1", "1", "1"},
    };
    ShortcutRows table;
    for (const auto& c : cases)
        table.push_back(ShortcutEntry("F1", "mx-automixon", c.flags));
    XmlMarkup xml(BuildShortcutFileText(table, "12/11/26"));
    ASSERT_TRUE(xml.FindElement("TavrixShortCuts"));
    EXPECT_EQ(CString("5"), xml.GetAttribute("Items"));
    xml.IntoElement();
    for (const auto& c : cases) {
        ASSERT_TRUE(xml.FindElement("sc"));
        EXPECT_EQ(CString(c.ctrl), xml.GetAttribute("ctrl")) << int(c.flags);
        EXPECT_EQ(CString(c.alt), xml.GetAttribute("alt")) << int(c.flags);
        EXPECT_EQ(CString(c.shift), xml.GetAttribute("shift")) << int(c.flags);
    }
    EXPECT_FALSE(xml.FindElement("sc"));
}

TEST(ShortcutFile, SpecialCharactersAreEscapedAndReadBackUnchanged)
{
    ShortcutRows table;
    table.push_back(ShortcutEntry("a&b\"c", "x<y>'z", kShortcutVirtKey));
    table.push_back(ShortcutEntry("caf\xE9", "tl-loadtob", kShortcutVirtKey));
    const CString text = BuildShortcutFileText(table, "12/11/26");
    EXPECT_NE(-1, text.Find("key=\"a&amp;b&quot;c\""));
    EXPECT_NE(-1, text.Find("action=\"x&lt;y&gt;&apos;z\""));
    XmlMarkup xml(text);
    ASSERT_TRUE(xml.FindElement("TavrixShortCuts"));
    xml.IntoElement();
    ASSERT_TRUE(xml.FindElement("sc"));
    EXPECT_EQ(CString("a&b\"c"), xml.GetAttribute("key"));
    EXPECT_EQ(CString("x<y>'z"), xml.GetAttribute("action"));
    ASSERT_TRUE(xml.FindElement("sc"));
    EXPECT_EQ(CString("caf\xE9"), xml.GetAttribute("key"));   // single-byte text as held
}

TEST(ShortcutFile, HeadsOfControllerMapsAndSkins)
{
    const struct {
        const char* text;
        bool found;
        const char* name;
        const char* version;
    } maps[] = {
        {"<?xml version=\"1.0\"?><ControllerMapper name=\"Denon\" version=\"1.2\">", true, "Denon", "1.2"},
        {"<ControllerMapper name=\"a&gt;b\" version=\"3\"><cm/>", true, "a>b", "3"},
        {"<ControllerMapper name='q' version=\"4\"><cm/>", true, "q", "4"},
        {"<!-- map --><ControllerMapper version=\"9\"/>", true, "", "9"},
        {"<ControllerMapper name=\"cut", false, "", ""},
        {"<Other name=\"x\">", false, "", ""},
        {"", false, "", ""},
    };
    for (const auto& m : maps) {
        ControllerMapHeader header;
        EXPECT_EQ(m.found, ParseControllerMapHead(m.text, header)) << m.text;
        EXPECT_EQ(CString(m.name), header.m_strName) << m.text;
        EXPECT_EQ(CString(m.version), header.m_strVersion) << m.text;
    }
    SkinHeaderInfo info;
    ParseSkinHead("<TavrixVJSkin><background width=\"800\" height=\"600\" type=\"jpeg\"/></TavrixVJSkin>", info);
    EXPECT_EQ(CString("800 x 600"), info.m_strSize);
    EXPECT_EQ(CString("jpeg"), info.m_strType);
    ParseSkinHead("<TavrixVJSkin><button/>", info);
    EXPECT_EQ(CString(" x "), info.m_strSize);
    EXPECT_EQ(CString(""), info.m_strType);
}

int g_rows = 0;
void CountRow()
{
    ++g_rows;
}

TEST(ShortcutFile, RunsTheCallbackBeforeEachRow)
{
    ShortcutRows table;
    for (int i = 0; i < 7; ++i)
        table.push_back(ShortcutEntry("a", "a-play", kShortcutVirtKey));
    g_rows = 0;
    BuildShortcutFileText(table, "12/11/26", CountRow);
    EXPECT_EQ(7, g_rows);
}

} // namespace
