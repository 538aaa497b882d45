// The file tree's rules without windows: order, drive roots, extensions,
// renamed paths, path walks, shares and the drag's auto-scroll.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/filetree/FileTreeRules.h"

using namespace filetree;

namespace {

TEST(FileTreeRules, DriveRootsAreExactlyLetterColonBackslash)
{
    struct Case { const char* path; bool root; };
    const Case cases[] = {{"C:\\", true}, {"z:\\", true}, {"C:", false}, {"C:\\Music", false},
                          {"", false}, {"C:/", false}, {"\\\\S", false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsDriveRootText(c.path), c.root) << c.path;
}

TEST(FileTreeRules, NamesSortIgnoringCase)
{
    CStringArray names;
    for (const char* name : {"b.txt", "Beta", "a.TXT", "alpha", "_under", "Zed", "10", "1"})
        names.Add(name);
    SortIgnoringCase(names);
    std::vector<std::string> got;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        got.push_back(static_cast<const char*>(names[i]));
    // Compared lower-cased, as the case-blind comparison does: '_' (0x5F)
    // comes after the digits and before every letter.
    EXPECT_EQ(got, std::vector<std::string>({"1", "10", "_under", "a.TXT", "alpha", "b.txt", "Beta", "Zed"}));
    for (INT_PTR i = 1; i < names.GetSize(); ++i)
        EXPECT_LE(names[i - 1].CompareNoCase(names[i]), 0) << names[i - 1] << " before " << names[i];
}

TEST(FileTreeRules, ExtensionsBelongToTheLastComponent)
{
    struct Case { const char* path; const char* ext; const char* stripped; };
    const Case cases[] = {
        {"Song.mp3", ".mp3", "Song"},
        {"a.b.WAV", ".WAV", "a.b"},
        {"C:\\dir.x\\noext", "", "C:\\dir.x\\noext"},
        {"plain", "", "plain"},
        {".hidden", ".hidden", ""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(ExtensionOf(c.path), c.ext) << c.path;
        EXPECT_STREQ(StripExtension(c.path), c.stripped) << c.path;
    }
}

TEST(FileTreeRules, ARenamedPathKeepsAHiddenExtension)
{
    struct Case { const char* parent; const char* typed; const char* old; bool hidden; const char* path; const char* name; };
    const Case cases[] = {
        {"C:\\Music", "Tune", "C:\\Music\\Song.mp3", true, "C:\\Music\\Tune.mp3", "Tune.mp3"},
        {"C:\\Music", "Tune.wav", "C:\\Music\\Song.mp3", false, "C:\\Music\\Tune.wav", "Tune.wav"},
        {"C:\\", "Folder", "C:\\Old", false, "C:\\Folder", "Folder"},
        {"C:\\", "x", "C:\\y.txt", true, "C:\\x.txt", "x.txt"},
    };
    for (const Case& c : cases) {
        CString name;
        EXPECT_STREQ(RenamedPath(c.parent, c.typed, c.old, c.hidden, name), c.path) << c.typed;
        EXPECT_STREQ(name, c.name) << c.typed;
    }
}

TEST(FileTreeRules, WalkPathsAreUpperCasedAndCutToTheRootFolder)
{
    struct Case { const char* path; const char* root; WalkStart start; const char* rest; };
    const Case cases[] = {
        {"c:\\music\\", "", WalkStart::Rest, "C:\\MUSIC"},
        {"C:\\", "", WalkStart::Rest, "C:\\"},
        {"", "", WalkStart::None, ""},
        {"C:\\Music\\Rock", "C:\\Music", WalkStart::Rest, "ROCK"},
        {"c:\\music", "C:\\Music", WalkStart::RootFolder, ""},
        {"C:\\Music\\", "C:\\Music", WalkStart::RootFolder, ""},
        {"C:\\Musicals\\x", "C:\\Music", WalkStart::None, ""},
        {"D:\\Music\\x", "C:\\Music", WalkStart::None, ""},
    };
    for (const Case& c : cases) {
        CString rest;
        WalkStart start = NormaliseWalkPath(c.path, c.root, rest);
        EXPECT_EQ(start, c.start) << c.path;
        if (start == WalkStart::Rest) {
            EXPECT_STREQ(rest, c.rest) << c.path;
        }
    }
}

TEST(FileTreeRules, PrefixesAreWholeFolders)
{
    CString rest = "C:\\USERS\\ME\\DOCS\\SONGS";
    EXPECT_FALSE(ConsumePrefix(rest, "C:\\Users\\Me\\Doc"));
    EXPECT_TRUE(ConsumePrefix(rest, "C:\\Users\\Me\\Docs"));
    EXPECT_STREQ(rest, "SONGS");
    CString same = "C:\\DOCS";
    EXPECT_TRUE(ConsumePrefix(same, "c:\\docs"));
    EXPECT_STREQ(same, "");
    EXPECT_FALSE(ConsumePrefix(same, ""));
}

TEST(FileTreeRules, ComponentsSplitAtBackslashesAndTheDriveKeepsItsOwn)
{
    struct Case { const char* rest; bool keep; std::vector<std::string> parts; };
    const Case cases[] = {
        {"C:\\MUSIC\\ROCK", true, {"C:\\", "MUSIC", "ROCK"}},
        {"C:\\", true, {"C:\\"}},
        {"SERVER\\SHARE\\X", false, {"SERVER", "SHARE", "X"}},
        {"ROCK", false, {"ROCK"}},
        {"A\\\\B", false, {"A", "", "B"}},
        {"", true, {}},
    };
    for (const Case& c : cases) {
        CStringArray parts;
        SplitComponents(c.rest, c.keep, parts);
        std::vector<std::string> got;
        for (INT_PTR i = 0; i < parts.GetSize(); ++i)
            got.push_back(static_cast<const char*>(parts[i]));
        EXPECT_EQ(got, c.parts) << c.rest;
    }
}

TEST(FileTreeRules, OnlyDiskAndPrintSharesCountAndAdministrativeOnesDoNot)
{
    CArray<ShareEntry> shares;
    ShareEntry admin;
    admin.type = 0x80000000u;
    admin.path = "C:\\";
    shares.Add(admin);
    ShareEntry music;
    music.type = 0;
    music.path = "D:\\Music";
    shares.Add(music);
    ShareEntry ipc;
    ipc.type = 3;
    ipc.path = "E:\\";
    shares.Add(ipc);
    EXPECT_FALSE(IsSharedPath(shares, "C:\\"));
    EXPECT_TRUE(IsSharedPath(shares, "d:\\music"));
    EXPECT_FALSE(IsSharedPath(shares, "D:\\Music\\Rock"));
    EXPECT_FALSE(IsSharedPath(shares, "E:\\"));
    EXPECT_FALSE(IsSharedPath(CArray<ShareEntry>(), "D:\\Music"));
}

TEST(FileTreeRules, DraggingNearAnEdgeScrollsThatWay)
{
    // Client area 100..400, items 16 high: the zones are 100..132 and 368..400.
    struct Case { int y; bool firstIsFirst; int direction; };
    const Case cases[] = {
        {110, false, -1}, {110, true, 0}, {100, false, 0}, {131, false, -1}, {132, false, 0},
        {250, false, 0}, {369, false, 1}, {399, true, 1}, {400, false, 0}, {368, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AutoScrollDirection(c.y, 100, 400, 16, c.firstIsFirst), c.direction) << c.y;
    EXPECT_EQ(AutoScrollDirection(110, 100, 400, 0, false), 0) << "no item height";
}

} // namespace
