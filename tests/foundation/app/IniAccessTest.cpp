// GetIniString on a real "TavrixVJ.INI" in a temporary program folder.
#include "tests/support/ProgramFolder.h"

#include "foundation/app/IniAccess.h"

#include <climits>
#include <string>

namespace {

class IniAccessTest : public ProgramFolderTest
{
protected:
    void WriteIni(const std::string& text)
    {
        ASSERT_TRUE(tavrix_test::WriteFileBytes(m_dir.File("TavrixVJ.INI"), text));
    }
    static std::string Get(const char* section, const char* key)
    {
        return static_cast<const char*>(GetIniString(section, key));
    }
};

TEST_F(IniAccessTest, ReadsValuesFromTheProgramFoldersIni)
{
    WriteIni("[MAIN]\r\nLogging=1\r\nSkinFolder=Skins\\Default\\\r\n[MSGTEXT]\r\nMSG_BADLINK=Gone|Really gone\r\n");
    EXPECT_EQ("1", Get("MAIN", "Logging"));
    EXPECT_EQ("Skins\\Default\\", Get("MAIN", "SkinFolder"));
    EXPECT_EQ("Gone|Really gone", Get("MSGTEXT", "MSG_BADLINK"));
    EXPECT_EQ("1", Get("main", "logging"));   // the profile calls ignore case
}

TEST_F(IniAccessTest, MissingKeySectionOrFileGivesEmptyText)
{
    EXPECT_EQ("", Get("MAIN", "Logging"));   // no file yet
    WriteIni("[MAIN]\r\nLogging=1\r\n");
    EXPECT_EQ("", Get("MAIN", "NoSuchKey"));
    EXPECT_EQ("", Get("NOSECTION", "Logging"));
}

TEST_F(IniAccessTest, ValuesAreCutToTheBufferOf512)
{
    const struct { size_t length; size_t expected; } cases[] = {
        {1, 1}, {510, 510}, {511, 511}, {512, 511}, {600, 511},
    };
    for (const auto& c : cases) {
        std::string value;
        for (size_t i = 0; i < c.length; ++i)
            value += static_cast<char>('a' + i % 26);
        WriteIni("[MAIN]\r\nLong=" + value + "\r\n");
        EXPECT_EQ(value.substr(0, c.expected), Get("MAIN", "Long")) << "length " << c.length;
    }
}

TEST(IntToStrTest, DecimalText)
{
    const std::pair<int, const char*> cases[] = {
        {0, "0"}, {42, "42"}, {-7, "-7"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.second, static_cast<const char*>(IntToStr(c.first)));
}

} // namespace
