// Playlist views, the folder listings and the drive-letter change, read
// back through the controls' own messages.
#include "PlaylistFixture.h"

#include "framework/ui/CTreeCtrl.h"
#include "library/maintenance/MaintenanceScans.h"

#include <algorithm>

namespace playlist_test {
namespace {

class PlaylistViews : public PlaylistTest
{
protected:
    std::string SavedPlaylist(const std::string& name, TrackArray& records)
    {
        const std::string path = File(name);
        EXPECT_TRUE(VIZU::XML_SavePLFromArray(path.c_str(), &records));
        return path;
    }
    void ThreeTracks(TrackArray& records)
    {
        const std::string mp3 = File("here.mp3");
        EXPECT_TRUE(tavrix_test::WriteFileBytes(mp3, "x"));
        Fill(records, {
            {"Here", "A", "Al", "Ge", "2001", mp3.c_str(), "12850", 205, 17, 4, 1},
            {"Gone", "B", "", "", "", "C:\\no\\such\\gone.mp3", "", 59, 3, 0, 0},
            {"Wave", "C", "", "", "", "C:\\no\\such\\w.wav", "", 0, 0, 0, 0},
        });
    }
};

TEST_F(PlaylistViews, TrackRowsShowTheRecordsWithTypeAndMissingFileImages)
{
    TrackArray three;
    ThreeTracks(three);
    SavedPlaylist("view.txl", three);
    m_list->InsertItem(0, "old row");
    ASSERT_EQ(3, VIZU::XML_DisplayPL(m_list.get(), nullptr, File("view").c_str(), true));
    ASSERT_EQ(3, Rows());
    EXPECT_EQ("Here", Text(0, 0));
    EXPECT_EQ("A", Text(0, 1));
    EXPECT_EQ("Al", Text(0, 3));
    EXPECT_EQ("Ge", Text(0, 4));
    EXPECT_EQ("003:25", Text(0, 5));
    EXPECT_EQ("2001", Text(0, 6));
    EXPECT_EQ("128.50", Text(0, 7));
    EXPECT_EQ(File("here.mp3"), Text(0, 8));
    EXPECT_EQ("17", Text(0, 9));
    EXPECT_EQ("4", Text(0, 10));
    EXPECT_EQ(16, Image(0, 2));
    EXPECT_EQ(15, Image(1, 2));
    const int images[] = {5, 11, 11};
    const LPARAM data[] = {17, 3, 0};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(images[row], Image(row, 0)) << row;
        EXPECT_EQ(data[row], Data(row)) << row;
    }
    // Without the check, by type only.
    ASSERT_EQ(3, VIZU::XML_DisplayPL(m_list.get(), nullptr, File("view.txl").c_str(), false));
    EXPECT_EQ(5, Image(1, 0));
    EXPECT_EQ(13, Image(2, 0));
}

TEST_F(PlaylistViews, IconRowsCarryImageZeroAndTheirRowNumber)
{
    TrackArray three;
    ThreeTracks(three);
    SavedPlaylist("icons.txl", three);
    ASSERT_EQ(3, VIZU::XML_DisplayPLIcons(m_list.get(), nullptr, File("icons").c_str(), true));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(0, Image(row, 0)) << row;
        EXPECT_EQ(row, Data(row)) << row;
    }
    EXPECT_EQ("Gone", Text(1, 0));
    EXPECT_EQ("3", Text(1, 9));
    EXPECT_EQ("000:59", Text(1, 5));
    EXPECT_EQ(16, Image(0, 2));
    EXPECT_EQ(15, Image(2, 2));
}

TEST_F(PlaylistViews, AMissingFileIsReportedAndTheListKept)
{
    m_list->InsertItem(0, "kept");
    EXPECT_EQ(-1, VIZU::XML_DisplayPL(m_list.get(), nullptr, File("nothing").c_str(), false));
    EXPECT_EQ(-1, VIZU::XML_DisplayPLIcons(m_list.get(), nullptr, File("nothing").c_str(), false));
    ASSERT_EQ(2u, m_answerer.texts.size());
    EXPECT_EQ("[I/O ERROR] Unable to open file\n" + File("nothing.txl"), m_answerer.texts[0]);
    ASSERT_EQ(1, Rows());
    EXPECT_EQ("kept", Text(0, 0));
    // A path ending in .TXL is read as it is.
    TrackArray three;
    ThreeTracks(three);
    SavedPlaylist("caps.TXL", three);
    EXPECT_EQ(3, VIZU::XML_DisplayPL(m_list.get(), nullptr, File("caps.TXL").c_str(), false));
}

TEST_F(PlaylistViews, FilesThatAreNoPlaylistEmptyTheList)
{
    const std::vector<std::string> texts = {
        "", "no xml", "<?xml version=\"1.0\"?>\r\n<Other/>\r\n",
        "<?xml version=\"1.0\"?>\r\n<KelvaneMusicLibrary Tracks=\"0\"/>\r\n"};
    for (const std::string& text : texts) {
        ASSERT_TRUE(tavrix_test::WriteFileBytes(File("odd.txl"), text));
        for (bool icons : {false, true}) {
            m_list->InsertItem(0, "old");
            const int rows = icons
                ? VIZU::XML_DisplayPLIcons(m_list.get(), nullptr, File("odd.txl").c_str(), false)
                : VIZU::XML_DisplayPL(m_list.get(), nullptr, File("odd.txl").c_str(), false);
            EXPECT_EQ(0, rows) << text;
            EXPECT_EQ(0, Rows()) << text;
        }
    }
}

TEST_F(PlaylistViews, ANulByteShowsAsABarInBothViews)
{
    std::string text =
        "<?xml version=\"1.0\"?>\r\n<KelvaneMusicLibrary Tracks=\"1\">\r\n<TRK>\r\n"
        "<FN>C:\\a.mp3</FN>\r\n<AR>A</AR>\r\n<AL/>\r\n<TI>ab";
    text += '\0';
    text += "cd</TI>\r\n<GE/>\r\n<BI FT=\"MP3\" BP=\"\" YR=\"\"/>\r\n"
            "<NU ID=\"0\" LE=\"1\" PC=\"0\" HP=\"0\" VL=\"100\" SP=\"0\" EP=\"0\"/>\r\n"
            "<CU C1=\"0\" C1N=\"\" C2=\"0\" C2N=\"\"/>\r\n</TRK>\r\n</KelvaneMusicLibrary>\r\n";
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("zero.txl"), text));
    ASSERT_EQ(1, VIZU::XML_DisplayPL(m_list.get(), nullptr, File("zero.txl").c_str(), false));
    EXPECT_EQ("ab|cd", Text(0, 0));
    ASSERT_EQ(1, VIZU::XML_DisplayPLIcons(m_list.get(), nullptr, File("zero.txl").c_str(), false));
    EXPECT_EQ("ab|cd", Text(0, 0));
}

// --- folders

class PlaylistFolders : public PlaylistTest
{
protected:
    void SetUp() override
    {
        PlaylistTest::SetUp();
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 300), &m_window, 200));
        m_folder = File("lists");
        ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr));
        for (const char* name : {"a.txl", "b.txl", "notes.txt", "c.txl.bak"})
            ASSERT_TRUE(tavrix_test::WriteFileBytes(m_folder + "\\" + name, "x"));
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
        PlaylistTest::TearDown();
    }
    std::vector<std::string> Children(HTREEITEM parent, int image) const
    {
        std::vector<std::string> names;
        for (HTREEITEM item = m_tree.GetNextItem(parent, parent == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD);
             item; item = m_tree.GetNextSiblingItem(item)) {
            names.push_back(m_tree.GetItemText(item).str());
            if (image >= 0) {
                int normal = -1, selected = -1;
                m_tree.GetItemImage(item, normal, selected);
                EXPECT_EQ(image, normal);
                EXPECT_EQ(image, selected);
            }
        }
        return names;
    }
    std::vector<std::string> ListRows() const
    {
        std::vector<std::string> rows;
        for (int row = 0; row < Rows(); ++row)
            rows.push_back(Text(row, 0));
        return rows;
    }

    CTreeCtrl m_tree;
    std::string m_folder;
};

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(PlaylistFolders, PlaylistsAndHistoryGoUnderTheirTreeItems)
{
    m_tree.InsertItem("Library");
    HTREEITEM playlists = m_tree.InsertItem("Playlists");
    HTREEITEM history = m_tree.InsertItem("History");
    m_tree.InsertItem("stale", playlists);

    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(2, VIZU::EnumeratePlaylists(&m_tree, nullptr, m_folder.c_str()));
        EXPECT_EQ(2, VIZU::EnumerateHistoryLists(&m_tree, nullptr, m_folder.c_str()));
    }
    const std::vector<std::string> listed = Children(playlists, 2);
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), Sorted(listed));
    EXPECT_EQ(listed, Children(history, 10));
    EXPECT_EQ(3u, Children(TVI_ROOT, -1).size());

    // The list rows go in at the top: the reverse of the tree's order.
    m_list->InsertItem(0, "old");
    EXPECT_EQ(2, VIZU::EnumeratePlaylistsToList(m_list.get(), m_folder.c_str()));
    EXPECT_EQ((std::vector<std::string>(listed.rbegin(), listed.rend())), ListRows());
    EXPECT_EQ(2, VIZU::EnumeratePlaylistsToThumbList(m_list.get(), m_folder.c_str()));
    EXPECT_EQ((std::vector<std::string>(listed.rbegin(), listed.rend())), ListRows());
    EXPECT_EQ(0, Image(0, 0));
    EXPECT_EQ(0, Image(1, 0));

    EXPECT_EQ(2, VIZU::GetPlaylistCount(m_folder.c_str()));
    EXPECT_EQ(0, VIZU::GetPlaylistCount(File("no such folder").c_str()));
}

TEST_F(PlaylistFolders, ItemsGoToTheTopLevelWithoutTheirExactItem)
{
    // Searched from the second (history: third) top-level item, exactly.
    m_tree.InsertItem("Playlists");
    m_tree.InsertItem("PLAYLISTS");
    m_tree.InsertItem("History");
    EXPECT_EQ(2, VIZU::EnumeratePlaylists(&m_tree, nullptr, m_folder.c_str()));
    EXPECT_EQ(2, VIZU::EnumerateHistoryLists(&m_tree, nullptr, m_folder.c_str()));
    const std::vector<std::string> top = Children(TVI_ROOT, -1);
    EXPECT_EQ((std::vector<std::string>{"Playlists", "PLAYLISTS", "History"}),
              std::vector<std::string>(top.begin(), top.begin() + 3));
    EXPECT_EQ((std::vector<std::string>{"History", "PLAYLISTS", "Playlists", "a", "b"}),
              Sorted(top));
    EXPECT_EQ(2u, Children(m_tree.GetNextSiblingItem(m_tree.GetNextSiblingItem(m_tree.GetRootItem())),
                           10).size());
}

TEST_F(PlaylistFolders, EmptyOrMissingFoldersListNothing)
{
    HTREEITEM playlists = nullptr;
    m_tree.InsertItem("Library");
    playlists = m_tree.InsertItem("Playlists");
    m_tree.InsertItem("stale", playlists);
    EXPECT_EQ(0, VIZU::EnumeratePlaylists(&m_tree, nullptr, File("none").c_str()));
    EXPECT_TRUE(Children(playlists, -1).empty());
    m_list->InsertItem(0, "old");
    EXPECT_EQ(0, VIZU::EnumeratePlaylistsToList(m_list.get(), File("none").c_str()));
    EXPECT_EQ(0, Rows());
}

// --- drive letters

struct Letters
{
    bool ok = true;
    const char* from = "D";
    const char* to = "E";
};
Letters g_letters;

bool AnswerLetters(CString& from, CString& to)
{
    from = g_letters.from;
    to = g_letters.to;
    return g_letters.ok;
}

class PlaylistDrive : public PlaylistViews
{
protected:
    void SetUp() override
    {
        PlaylistViews::SetUp();
        m_previousPrompt = SetDriveLetterPrompt(AnswerLetters);
        g_letters = Letters();
    }
    void TearDown() override
    {
        SetDriveLetterPrompt(m_previousPrompt);
        PlaylistViews::TearDown();
    }
    DriveLetterPrompt m_previousPrompt = nullptr;
};

TEST_F(PlaylistDrive, LettersMoveTheDriveAtTheStartInAnyCase)
{
    struct Case
    {
        Letters letters;
        int answer;
        const char* first;
        const char* second;
        const char* third;
    };
    const Case cases[] = {
        {{true, "D", "E"}, 2, "E:\\Music\\x.mp3", "E:\\y.mp3", "C:\\D:\\z.mp3"},
        {{true, " d ", "e"}, 2, "E:\\Music\\x.mp3", "E:\\y.mp3", "C:\\D:\\z.mp3"},
        {{true, "c", "F"}, 1, "D:\\Music\\x.mp3", "d:\\y.mp3", "F:\\D:\\z.mp3"},
        {{true, "G", "H"}, 0, "D:\\Music\\x.mp3", "d:\\y.mp3", "C:\\D:\\z.mp3"},
        {{true, "D:", "E"}, -1, nullptr, nullptr, nullptr},
        {{true, "D", "E:\\"}, -1, nullptr, nullptr, nullptr},
        {{true, "", "E"}, -1, nullptr, nullptr, nullptr},
        {{true, "DE", "F"}, -1, nullptr, nullptr, nullptr},
        {{true, "1", "F"}, -1, nullptr, nullptr, nullptr},
        {{false, "D", "E"}, -1, nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        TrackArray records;
        Fill(records, {
            {"x", "", "", "", "", "D:\\Music\\x.mp3"},
            {"y", "", "", "", "", "d:\\y.mp3"},
            {"z", "", "", "", "", "C:\\D:\\z.mp3"},
        });
        const std::string path = SavedPlaylist("drive.txl", records);
        const std::string before = Bytes(path);
        g_letters = c.letters;
        EXPECT_EQ(c.answer, VIZU::ChangeDriveLetterInPlaylist(path.c_str(), "", "")) << c.letters.from;
        if (!c.first) {
            EXPECT_EQ(before, Bytes(path)) << c.letters.from;
            continue;
        }
        TrackArray back;
        ASSERT_EQ(3, VIZU::XML_LoadLibToArray(path.c_str(), &back));
        EXPECT_STREQ(c.first, back[0].m_FileName) << c.letters.from;
        EXPECT_STREQ(c.second, back[1].m_FileName) << c.letters.from;
        EXPECT_STREQ(c.third, back[2].m_FileName) << c.letters.from;
    }
}

TEST_F(PlaylistDrive, PlaylistsThatDoNotReadAreNeverWrittenOver)
{
    const std::vector<std::string> texts = {
        "<?xml version=\"1.0\"?>\r\n<KelvaneMusicLibrary Tracks=\"0\"/>\r\n",
        "<?xml version=\"1.0\"?>\r\n<KelvaneMusicLibrary Tracks=\"2\">\r\n<TRK>\r\n<FN>D:\\a.mp3",
        "garbage"};
    for (const std::string& text : texts) {
        ASSERT_TRUE(tavrix_test::WriteFileBytes(File("bad.txl"), text));
        EXPECT_EQ(-1, VIZU::ChangeDriveLetterInPlaylist(File("bad.txl").c_str(), "", "")) << text;
        EXPECT_EQ(text, Bytes(File("bad.txl")));
    }
    EXPECT_EQ(-1, VIZU::ChangeDriveLetterInPlaylist(File("missing.txl").c_str(), "", ""));
    EXPECT_FALSE(Exists(File("missing.txl")));
}

TEST_F(PlaylistDrive, APlaylistEndingInCapitalsIsWrittenInPlace)
{
    TrackArray records;
    Fill(records, {{"x", "", "", "", "", "D:\\x.mp3"}});
    const std::string path = SavedPlaylist("caps.TXL", records);
    EXPECT_EQ(1, VIZU::ChangeDriveLetterInPlaylist(path.c_str(), "", ""));
    EXPECT_FALSE(Exists(path + ".txl"));
    TrackArray back;
    ASSERT_EQ(1, VIZU::XML_LoadLibToArray(path.c_str(), &back));
    EXPECT_STREQ("E:\\x.mp3", back[0].m_FileName);
}

} // namespace
} // namespace playlist_test
