// File-name parsing: titles from paths, the field cutter and the four mask
// parsers, first as pure code and then through "KVLib.ini".
#include "library/tags/FileNameParseCore.h"
#include "library/api/VIZU.h"
#include "tests/library/tags/TagsFixture.h"

#include <gtest/gtest.h>

#include <string>

using fnparse::ParsedFields;

namespace {

// A code page where 0x81 starts a two-byte character.
bool TestLead(unsigned char c)
{
    return c == 0x81;
}

// "artist|title|album|year|genre" with "-" for a field not written.
std::string Fields(const ParsedFields& f)
{
    std::string s;
    for (int i = 0; i < fnparse::kFieldCount; ++i) {
        if (i)
            s += '|';
        s += f.set[i] ? "[" + f.value[i] + "]" : "-";
    }
    return s;
}

std::string Fields(const TAG_INFO& t)
{
    return t.Artist.str() + "|" + t.Title.str() + "|" + t.Album.str() + "|" + t.Year.str() + "|" +
           t.Genre.str();
}

} // namespace

TEST(FileNameParse, TitleAndFileNameFromPaths)
{
    struct Case { const char* path; const char* title; const char* name; };
    const Case cases[] = {
        {"C:\\Music\\Artist - Song.mp3", "Artist - Song", "\\Artist - Song.mp3"},
        {"C:\\Music\\Song", "", "\\Song"},
        {"C:\\Music\\.mp3", "", "\\.mp3"},
        {"Song.mp3", "Song", "Song.mp3"},
        {"C:\\Sets.2004\\Intro", "Sets", "\\Intro"},
        {"C:\\a\\b.mp3", "b", "\\b.mp3"},
        {"C:/a/b.c.mp3", "C:/a/b.c", "C:/a/b.c.mp3"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.title, fnparse::TitleFromPath(c.path, nullptr));
        EXPECT_EQ(c.name, fnparse::FilenameFromPath(c.path, nullptr));
    }
}

TEST(FileNameParse, ADoubleByteCharacterIsOneCharacter)
{
    // "\x81\\" is one character whose second byte is a backslash.
    const std::string path = "C:\\Music\\\x81\\Song.mp3";
    EXPECT_EQ("\x81\\Song", fnparse::TitleFromPath(path, TestLead));
    EXPECT_EQ("Song", fnparse::TitleFromPath(path, nullptr));
    EXPECT_EQ("\x81-", fnparse::FieldFromText("\x81--x", '-', false, TestLead));
    EXPECT_EQ("\x81", fnparse::FieldFromText("\x81--x", '-', false, nullptr));
}

TEST(FileNameParse, FieldCutter)
{
    struct Case { const char* text; char delimiter; bool last; const char* field; };
    const Case cases[] = {
        {"A - B", '-', false, "A "},
        {"A - B", '-', true, "A - B"},
        {"-B", '-', false, ""},
        {"NoDelimiter", '-', false, "NoDelimiter"},
        {"", '-', false, ""},
        {"A - B", '\0', false, "A - B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.field, fnparse::FieldFromText(c.text, c.delimiter, c.last, nullptr));
    }
}

TEST(FileNameParse, DelimiterSplitFollowsTheOrderOfTheCodesInTheMask)
{
    const std::string longPiece(200, 'x');
    struct Case { std::string mask; char delimiter; std::string title; bool result; std::string fields; };
    const Case cases[] = {
        {"%2 - %1", '-', "Song - Artist", true, "[ Artist]|[Song ]|-|-|-"},
        {"%1", '-', "A - B - C", true, "[A ]|-|-|-|-"},
        {"%1 - %2", '\0', "  A - B  ", true, "[A - B]|[]|-|-|-"},
        {"%1-%2", '-', longPiece + "-B", true, "[" + longPiece.substr(0, 127) + "]|[]|-|-|-"},
        {"%1-%3-%4-%5", '-', "A-B", true, "[A]|-|[B]|[]|[]"},
        {"%1 %1 %2", '-', "A-B", true, "[A]|[B]|-|-|-"},
        {"%3/%1", '/', "  Album/Artist/Extra ", true, "[Artist]|-|[Album]|-|-"},
        {"no codes %9", '-', "A-B", false, "-|-|-|-|-"},
        {"", '-', "A-B", false, "-|-|-|-|-"},
        {"%1-%2", '-', "", true, "[]|[]|-|-|-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask + " / " + c.title);
        ParsedFields f;
        EXPECT_EQ(c.result, fnparse::ParseByDelimiter(c.mask, c.delimiter, c.title, &f, nullptr));
        EXPECT_EQ(c.fields, Fields(f));
    }
}

TEST(FileNameParse, MaskWalkTakesEachDelimiterFromTheMask)
{
    struct Case { std::string mask; std::string title; std::string fields; };
    const Case cases[] = {
        {"%1 - %2", "Artist - Song", "[Artist ]|[ Song]|-|-|-"},
        {"%2", "Artist - Song", "-|[Artist - Song]|-|-|-"},
        {" %2", "Artist - Song", "-|-|-|-|-"},
        {"%9 - %2", "Artist - Song", "-|[Artist - Song]|-|-|-"},
        {"%1 - %2 - %3", "A - B - C", "[A ]|[ B ]|[ C]|-|-"},
        {"%1 - %2    ", "A - B", "[A ]|[ B]|-|-|-"},
        {"%4_%1_%2", "1999_Art_Title", "[Art]|[Title]|-|[1999]|-"},
        // A lone "%" at the end and a delimiter the title lacks end cleanly.
        {"%1 - %", "A - B", "[A ]|-|-|-|-"},
        {"%1-%2", "NoDash", "[NoDash]|[]|-|-|-"},
        {"%", "Whatever", "-|-|-|-|-"},
        {"", "Whatever", "-|-|-|-|-"},
        {"%1 - %2", "", "[]|[]|-|-|-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask + " / " + c.title);
        ParsedFields f;
        fnparse::ParseByMaskWalk(c.mask, c.title, &f, nullptr);
        EXPECT_EQ(c.fields, Fields(f));
    }
}

TEST(FileNameParse, FivePassesReadAtMostFiveCodes)
{
    struct Case { std::string mask; std::string title; bool result; std::string fields; };
    const Case cases[] = {
        {"%1 - %2", "A - B", true, "[A ]|[ B]|-|-|-"},
        {"%1 - %2", "  AB  ", true, "[]|[AB]|-|-|-"},
        {"%1-%2-%3-%4-%5-%1", "a-b-c-d-e-f", true, "[a]|[b]|[c]|[d]|[e]|"},
        {"%1 -%", "A - B", true, "[A ]|-|-|-|-"},
        {"%", "A", true, "-|-|-|-|-"},
        {"no code", "A - B", false, "-|-|-|-|-"},
        {"%9-%2", "x-y", true, "-|[y]|-|-|-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask + " / " + c.title);
        ParsedFields f;
        EXPECT_EQ(c.result, fnparse::ParseByFivePasses(c.mask, c.title, &f, nullptr));
        std::string expected = c.fields;
        if (!expected.empty() && expected.back() == '|')
            expected.pop_back();
        EXPECT_EQ(expected, Fields(f));
    }
}

using FileNameParseIni = KVLibIniTest;

TEST_F(FileNameParseIni, ParsersReadTheMaskAndDelimiterOfKVLibIni)
{
    struct Case {
        const char* ini;
        const char* path;
        int parser; // 0 ParseFilename, 1 Ex, 2 WithMask
        bool result;
        const char* fields; // artist|title|album|year|genre; "keep" where untouched
    };
    const Case cases[] = {
        {"FilenameParseString=%2 - %1\r\nFilenameParseDelim=-\r\n", "C:\\M\\Song - Artist.mp3", 0, true, " Artist|Song |keep|keep|keep"},
        {"FilenameParseString=%1 - %2\r\nFilenameParseDelim=-\r\n", "C:\\M\\A - B.wav", 1, true, "A | B|keep|keep|keep"},
        {"FilenameParseString=%1 - %2\r\n", "C:\\M\\A - B.wav", 2, true, "A | B|keep|keep|keep"},
        {"FilenameParseString=%1 - %2\r\n", "C:\\M\\A - B.wav", 0, true, "A - B||keep|keep|keep"},
        {"", "C:\\M\\A - B.wav", 0, false, "keep|keep|keep|keep|keep"},
        {"", "C:\\M\\A - B.wav", 1, true, "keep|keep|keep|keep|keep"},
        {"", "C:\\M\\A - B.wav", 2, false, "keep|keep|keep|keep|keep"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.ini) + " " + c.path + " parser " + std::to_string(c.parser));
        WriteIni(c.ini);
        TAG_INFO info;
        info.Artist = info.Title = info.Album = info.Year = info.Genre = "keep";
        bool result = c.parser == 0   ? VIZU::ParseFilename(&info, c.path)
                      : c.parser == 1 ? VIZU::ParseFilenameEx(&info, c.path)
                                      : VIZU::ParseFilenameWithMask(&info, c.path);
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.fields, Fields(info));
    }
}

TEST_F(FileNameParseIni, Ex42TakesTheCallersMaskAndIgnoresTheIni)
{
    WriteIni("FilenameParseString=%3\r\n");
    TAG_INFO info;
    char mask[] = "%1 - %2";
    EXPECT_TRUE(VIZU::ParseFilenameEx42(&info, "C:\\M\\A - B.mp3", mask, nullptr));
    EXPECT_EQ("A | B||||", Fields(info) + "|");
    TAG_INFO untouched;
    untouched.Title = "keep";
    EXPECT_TRUE(VIZU::ParseFilenameEx42(&untouched, "C:\\M\\A - B.mp3", nullptr, nullptr));
    EXPECT_EQ("keep", untouched.Title.str());
    EXPECT_EQ("\\A - B.mp3", VIZU::GetFilenameFromPath("C:\\M\\A - B.mp3").str());
    EXPECT_EQ("A - B", VIZU::GetTitleFromFilename("C:\\M\\A - B.mp3").str());
    EXPECT_EQ("A ", VIZU::GetFieldFromFilename("A - B", 0, '-', false).str());
}
