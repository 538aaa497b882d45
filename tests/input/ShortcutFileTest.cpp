// Shortcut files to accelerator tables (read back with
// CopyAcceleratorTable), the edits' rebuilds, failures that keep the old
// tables, and atomic saves.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "input/commands/CommandVocabulary.h"
#include "input/shortcuts/Shortcuts.h"
#include "ShortcutTestFixture.h"

namespace {

using tavrix_test::ReadFileBytes;
using tavrix_test::WriteFileBytes;

const std::string kProlog = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

std::string Item(const char* key, int ctrl, int alt, int shift, const char* action)
{
    return std::string("<sc key=\"") + key + "\" ctrl=\"" + std::to_string(ctrl) + "\" alt=\"" +
           std::to_string(alt) + "\" shift=\"" + std::to_string(shift) + "\" action=\"" + action + "\"/>\r\n";
}

std::string File(const std::string& items)
{
    return kProlog + "<TavrixShortCuts Date=\"01/01/26\" Items=\"0\">\r\n" + items + "</TavrixShortCuts>\r\n";
}

std::vector<ACCEL> Rows(HACCEL table)
{
    if (!table)
        return {};
    std::vector<ACCEL> rows(static_cast<size_t>(::CopyAcceleratorTableA(table, nullptr, 0)));
    ::CopyAcceleratorTableA(table, rows.data(), static_cast<int>(rows.size()));
    return rows;
}

class ShortcutFileTest : public ShortcutTableTest
{
protected:
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = m_dir.File(name);
        EXPECT_TRUE(WriteFileBytes(path, text));
        return path;
    }
    std::string Log()
    {
        std::string text;
        ReadFileBytes(m_dir.File("TXLOG.txt"), text);
        return text;
    }
};

TEST_F(ShortcutFileTest, AFileBecomesAnAcceleratorTableRowForRow)
{
    const std::string path = Write("keys.key", File(Item("F1", 0, 0, 0, "a-play") + Item("sp", 1, 1, 1, "b-stop") +
                                                  Item("z", 0, 1, 0, "B-unloaddeck") +
                                                  Item("nokey", 1, 0, 0, "a-play") + Item("q", 0, 0, 1, "unknown")));
    EXPECT_EQ(0, LoadShortcutFile(path.c_str(), m_table));
    ASSERT_EQ(5u, ShortcutTable.size());
    const std::vector<ACCEL> rows = Rows(m_table);
    const ACCEL expected[] = {{0x01, 112, 27101}, {0x1D, 32, 27202}, {0x11, 90, 28510}, {0x09, 0, 27101},
                              {0x05, 81, 0}};
    ASSERT_EQ(5u, rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(expected[i].fVirt, rows[i].fVirt & 0x7F) << i;
        EXPECT_EQ(expected[i].key, rows[i].key) << i;
        EXPECT_EQ(expected[i].cmd, rows[i].cmd) << i;
    }
    EXPECT_FALSE(ActionNameMap.Contains("unknown"));
    EXPECT_EQ(71u, KeyNameMap.GetCount());
}

TEST_F(ShortcutFileTest, TablesOfAnySizeLoad)
{
    for (size_t count : {1u, 100u, 101u, 500u}) {
        std::string items;
        for (size_t i = 0; i < count; ++i)
            items += Item(kKeyListOrder[i % 71], static_cast<int>(i & 1), 0, 0, "a-play");
        EXPECT_EQ(0, LoadShortcutFile(Write("many.key", File(items)).c_str(), m_table));
        EXPECT_EQ(count, ShortcutTable.size());
        EXPECT_EQ(count, Rows(m_table).size());
    }
}

TEST_F(ShortcutFileTest, UnreadableOrNonXmlFilesKeepTheOldTablesAndAreLogged)
{
    ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"), "[MAIN]\r\nLogging=1\r\n"));
    const std::string good = Write("good.key", File(Item("a", 1, 0, 0, "a-play")));
    LoadShortcutFile(good.c_str(), m_table);
    const HACCEL before = m_table;
    ASSERT_NE(nullptr, before);

    const std::string cases[] = {
        m_dir.File("missing.key"),
        Write("text.key", "this is not XML"),
        Write("cut.key", File(Item("a", 0, 0, 0, "b-play")).substr(0, 80)),
        m_dir.Path(), // a folder
    };
    for (const std::string& path : cases) {
        EXPECT_EQ(0, LoadShortcutFile(path.c_str(), m_table));
        EXPECT_EQ(before, m_table) << path;
        ASSERT_EQ(1u, ShortcutTable.size()) << path;
        EXPECT_EQ("a-play", std::string(ShortcutTable[0].actionName));
        EXPECT_NE(std::string::npos, Log().find("ERROR: Shortcut file " + path)) << path;
    }
    EXPECT_EQ(1u, Rows(m_table).size());
}

TEST_F(ShortcutFileTest, AnotherRootOrNoItemsEmptiesTheTables)
{
    for (const std::string& text : {kProlog + "<Other>" + Item("a", 0, 0, 0, "a-play") + "</Other>",
                                    kProlog + "<TavrixShortCuts Items=\"0\"/>"}) {
        LoadShortcutFile(Write("good.key", File(Item("a", 0, 0, 0, "a-play"))).c_str(), m_table);
        ASSERT_NE(nullptr, m_table);
        LoadShortcutFile(Write("other.key", text).c_str(), m_table);
        EXPECT_EQ(nullptr, m_table) << text;
        EXPECT_TRUE(ShortcutTable.empty()) << text;
    }
}

TEST_F(ShortcutFileTest, EditsRebuildTheMainWindowsTable)
{
    LoadShortcutFile(Write("k.key", File(Item("a", 0, 0, 0, "a-play") + Item("b", 0, 0, 0, "A-PLAY"))).c_str(),
                     m_table);
    EXPECT_EQ(0, StoreShortcut(ShortcutEntry("c", "a-play", 0x09)));
    std::vector<ACCEL> rows = Rows(m_table);
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ('A', rows[0].key);
    EXPECT_EQ('C', rows[1].key);
    EXPECT_EQ(0x09, rows[1].fVirt & 0x7F);

    EXPECT_EQ(0, RemoveShortcut(ShortcutEntry("", "A-Play", 0x01)));
    rows = Rows(m_table);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ('C', rows[0].key);

    const HACCEL kept = m_table;
    EXPECT_EQ(-1, RemoveShortcut(ShortcutEntry("", "b-play", 0x01)));
    EXPECT_EQ(kept, m_table);
    EXPECT_EQ(0, RemoveShortcut(ShortcutEntry("", "a-play", 0x01)));
    EXPECT_EQ(nullptr, m_table);
    EXPECT_TRUE(ShortcutTable.empty());
}

TEST_F(ShortcutFileTest, SavesAreAtomicAndReadBack)
{
    ShortcutTable = {ShortcutEntry("F5", "a-play", 0x1D), ShortcutEntry("del", "x&<y>", 0x01)};
    const std::string path = m_dir.File("saved.key");
    ASSERT_TRUE(SaveShortcutFile(path.c_str()));
    std::string text;
    ASSERT_TRUE(ReadFileBytes(path, text));
    EXPECT_EQ(0u, text.find(kProlog + "<TavrixShortCuts Date=\""));
    EXPECT_NE(std::string::npos, text.find("Items=\"2\""));
    EXPECT_NE(std::string::npos,
              text.find("<sc key=\"F5\" ctrl=\"1\" alt=\"1\" shift=\"1\" action=\"a-play\"/>"));
    ShortcutTable.clear();
    LoadShortcutFile(path.c_str(), m_table);
    ASSERT_EQ(2u, ShortcutTable.size());
    EXPECT_EQ("x&<y>", std::string(ShortcutTable[1].actionName));

    // A file held open by another program is not replaced: it keeps its
    // text and no temporary file is left behind.
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ShortcutTable = {ShortcutEntry("a", "b-play", 0x01)};
    EXPECT_FALSE(SaveShortcutFile(path.c_str()));
    ::CloseHandle(held);
    std::string after;
    ASSERT_TRUE(ReadFileBytes(path, after));
    EXPECT_EQ(text, after);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(m_dir.File("*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    std::vector<std::string> names;
    do {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
            names.push_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    EXPECT_EQ(std::vector<std::string>{"saved.key"}, names);
    EXPECT_FALSE(SaveShortcutFile(m_dir.File("no-such-folder\\x.key").c_str()));
}

TEST_F(ShortcutFileTest, WritesTheProgramsTable)
{
    ShortcutTable.assign(3, ShortcutEntry("F1", "jb-play", kShortcutVirtKey | kShortcutAlt));
    const std::string path = m_dir.File("k.key");
    EXPECT_EQ(3, WriteShortcutFile(path.c_str()));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_NE(std::string::npos, bytes.find("Items=\"3\""));
    EXPECT_NE(std::string::npos, bytes.find("<sc key=\"F1\" ctrl=\"0\" alt=\"1\" shift=\"0\" action=\"jb-play\"/>"));
    EXPECT_THROW(WriteShortcutFile(m_dir.File("no-such-folder\\k.key").c_str()), CFileException);
}

} // namespace
