// Controller-map files: loading replaces the map, keeps earlier light
// texts, and a file that cannot be read or parsed keeps the old map.
#include <gtest/gtest.h>

#include <string>

#include "input/commands/CommandVocabulary.h"
#include "input/controllermap/ControllerMap.h"
#include "input/controllermap/ControllerMapLoader.h"
#include "tests/support/ProgramFolder.h"

namespace {

std::string Map(const std::string& items)
{
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<ControllerMapper name=\"t\" version=\"1.0\">\r\n" +
           items + "</ControllerMapper>\r\n";
}

class ControllerMapFileTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        BuildActionNameMap();
        LightMap.clear();
    }
    void TearDown() override
    {
        ClearCommandMaps();
        LightMap.clear();
        ProgramFolderTest::TearDown();
    }
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = m_dir.File(name);
        EXPECT_TRUE(tavrix_test::WriteFileBytes(path, text));
        return path;
    }
};

TEST_F(ControllerMapFileTest, LoadingReplacesTheMapAndKeepsUnusedLights)
{
    LoadControllerMap(Write("cmap-one.xml",
                            Map("<cm action=\"a-play\" type=\"button\" chan=\"0\" midikey=\"20\" rlow=\"0\" "
                                "rhigh=\"127\" lit=\"1\" lkey=\"20\" hd=\"0\"/>\r\n"
                                "<cm type=\"light\" midikey=\"1\" chan=\"0\" outstring=\"ONE\"/>\r\n"
                                "<cm type=\"light\" midikey=\"2\" chan=\"1\" outstring=\"TWO\"/>\r\n"))
                          .c_str());
    ControllerMapItem item;
    ASSERT_TRUE(ControllerMap.Lookup(20, item));
    EXPECT_EQ(27101, item.commandId);
    EXPECT_EQ(1, item.lit);

    LoadControllerMap(Write("cmap-two.xml", Map("<cm action=\"b-play\" type=\"knob\" chan=\"1\" midikey=\"7\"/>\r\n"
                                                "<cm type=\"light\" midikey=\"2\" chan=\"1\" outstring=\"NEW\"/>\r\n"))
                          .c_str());
    EXPECT_FALSE(ControllerMap.Lookup(20, item));
    ASSERT_TRUE(ControllerMap.Lookup(107, item));
    EXPECT_EQ(27201, item.commandId);
    EXPECT_EQ(1u, ControllerMap.GetCount());
    ASSERT_EQ(2u, LightMap.size());
    EXPECT_EQ("ONE", std::string(LightMap.at(1)));
    EXPECT_EQ("NEW", std::string(LightMap.at(102)));
}

TEST_F(ControllerMapFileTest, BadFilesKeepTheMapEmptyOnesEmptyIt)
{
    ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"), "[MAIN]\r\nLogging=1\r\n"));
    const std::string good = Write("cmap-good.xml", Map("<cm action=\"a-play\" midikey=\"20\"/>"));
    struct Case
    {
        std::string path;
        bool keeps;
    } cases[] = {
        {m_dir.File("cmap-missing.xml"), true},
        {Write("cmap-text.xml", "plain words"), true},
        {Write("cmap-cut.xml", Map("<cm action=\"b-play\" midikey=\"9\"/>").substr(0, 70)), true},
        {Write("cmap-other.xml", "<Other><cm action=\"b-play\" midikey=\"9\"/></Other>"), false},
        {Write("cmap-empty.xml", Map("")), false},
    };
    for (const Case& c : cases) {
        LoadControllerMap(good.c_str());
        ASSERT_EQ(1u, ControllerMap.GetCount());
        LoadControllerMap(c.path.c_str());
        EXPECT_EQ(c.keeps ? 1u : 0u, ControllerMap.GetCount()) << c.path;
    }
    std::string log;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(m_dir.File("TXLOG.txt"), log));
    EXPECT_NE(std::string::npos, log.find("ERROR: Controller map " + m_dir.File("cmap-missing.xml")));
    EXPECT_NE(std::string::npos, log.find("ERROR: Controller map " + m_dir.File("cmap-text.xml") + " is not XML"));
    EXPECT_EQ(std::string::npos, log.find("cmap-empty.xml"));
}

} // namespace
