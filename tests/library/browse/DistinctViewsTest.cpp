// Distinct values into trees, lists and combo boxes, an album's tracks,
// the distinct counts and the album and artist arrays, on a fixture library
// with letter-case variants and empty fields.
#include "tests/library/tracklist/TrackListFixture.h"

#include "framework/ui/CComboBox.h"
#include "framework/ui/CTreeCtrl.h"
#include "library/records/RecordAccess.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using namespace tracklist_test;

class DistinctViews : public TrackListTest
{
protected:
    void SetUp() override
    {
        TrackListTest::SetUp();
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, CRect(0, 0, 300, 300),
                                  &m_window, 200));
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT,
                                   CRect(300, 0, 500, 300), &m_window, 300));
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
        m_combo.DestroyWindow();
        TrackListTest::TearDown();
    }

    HWND Tree() const { return m_tree.GetSafeHwnd(); }

    std::vector<HTREEITEM> Children(HTREEITEM parent) const
    {
        std::vector<HTREEITEM> items;
        HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(
            Tree(), TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
        while (item) {
            items.push_back(item);
            item = reinterpret_cast<HTREEITEM>(
                SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
        }
        return items;
    }
    std::string ItemText(HTREEITEM item, int* image = nullptr) const
    {
        char buffer[256] = {};
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT | TVIF_IMAGE;
        tv.hItem = item;
        tv.pszText = buffer;
        tv.cchTextMax = sizeof buffer;
        SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        if (image)
            *image = tv.iImage;
        return buffer;
    }
    std::vector<std::string> ChildTexts(HTREEITEM parent) const
    {
        std::vector<std::string> texts;
        for (HTREEITEM item : Children(parent))
            texts.push_back(ItemText(item));
        return texts;
    }
    std::vector<std::string> ComboTexts() const
    {
        std::vector<std::string> texts;
        HWND combo = m_combo.GetSafeHwnd();
        const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char buffer[256] = {};
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
            texts.push_back(buffer);
        }
        return texts;
    }
    LPARAM ComboData(int item) const
    {
        return SendMessageA(m_combo.GetSafeHwnd(), CB_GETITEMDATA, item, 0);
    }
    std::vector<std::string> Titles() const
    {
        std::vector<std::string> titles;
        for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i)
            titles.push_back(m_Tracks[i].m_Title.GetString());
        return titles;
    }

    CTreeCtrl m_tree;
    CComboBox m_combo;
};

using Strings = std::vector<std::string>;

// Two spellings of one artist (the record whose title sorts first gives
// the spelling), a genre and an album left empty.
void SetCaseLibrary()
{
    SetLibrary({
        {"b song", "Abba", "Gold", "Pop", "1979", "C:\\m\\1.mp3", "120.00"},
        {"a song", "ABBA", "gold", "", "1979", "C:\\m\\2.mp3", "128.75"},
        {"c song", "Beatles", "", "Rock", "", "C:\\m\\3.mp3", "128.00"},
        {"d song", "", "Abbey Road", "rock", "1969", "C:\\m\\4.mp3", "95.00"},
    });
}

TEST_F(DistinctViews, TheTreeGivesEachValueOnceUnderOneRoot)
{
    SetCaseLibrary();
    struct Case
    {
        int code;
        const char* root;
        int image;
        Strings values;
        int sortCode;
    };
    const Case cases[] = {
        {30, "Artist List", 4, {"ABBA", "Beatles"}, 2},
        {31, "Album List", 3, {"Abbey Road", "gold"}, 1},
        {32, "Genre List", 7, {"Pop", "Rock"}, 4},
        {36, "BPM List", 6, {"095", "120", "128"}, 3},
        {34, "Year List", 10, {"1969", "1979"}, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.root);
        EXPECT_EQ(static_cast<int>(c.values.size()),
                  VIZU::DisplayFilteredTree(&m_tree, c.code, "ignored", nullptr, nullptr));
        const std::vector<HTREEITEM> roots = Children(nullptr);
        ASSERT_EQ(1u, roots.size());
        int image = -1;
        EXPECT_EQ(c.root, ItemText(roots[0], &image));
        EXPECT_EQ(c.image, image);
        EXPECT_EQ(c.values, ChildTexts(roots[0]));
        for (HTREEITEM child : Children(roots[0])) {
            ItemText(child, &image);
            EXPECT_EQ(c.image, image);
        }
        // The library itself is left in the view's order, the sort recorded.
        EXPECT_EQ(c.sortCode, LastSortCode());
        EXPECT_FALSE(LastSortDescending());
    }
    EXPECT_EQ((Strings{"c song", "d song", "a song", "b song"}), Titles()) << "year order";
}

TEST_F(DistinctViews, AParentItemHasOnlyItsChildrenReplaced)
{
    SetCaseLibrary();
    ASSERT_EQ(2, VIZU::DisplayFilteredTree(&m_tree, 30, "", nullptr, nullptr));
    HTREEITEM root = Children(nullptr)[0];
    TVINSERTSTRUCTA insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>("Playlists");
    HTREEITEM other = reinterpret_cast<HTREEITEM>(
        SendMessageA(Tree(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    ASSERT_TRUE(other);

    EXPECT_EQ(2, VIZU::DisplayFilteredTree(&m_tree, 32, "", nullptr, root));
    EXPECT_EQ(2u, Children(nullptr).size()) << "no new root item";
    EXPECT_EQ("Artist List", ItemText(root));
    EXPECT_EQ((Strings{"Pop", "Rock"}), ChildTexts(root));
    EXPECT_EQ("Playlists", ItemText(Children(nullptr)[1]));
}

TEST_F(DistinctViews, TheListShowsTheValuesLastFirst)
{
    SetLibrary({{"1", "Cher"}, {"2", "Abba"}, {"3", "Beatles"}, {"4", "abba"}});
    EXPECT_EQ(3, VIZU::DisplayFilteredList(m_list.get(), 30, ""));
    ASSERT_EQ(3, Rows());
    EXPECT_EQ("Cher", Text(0, 0));
    EXPECT_EQ("Beatles", Text(1, 0));
    EXPECT_EQ("Abba", Text(2, 0)) << "ties by title: 2 before 4";
    EXPECT_EQ(0, VIZU::DisplayFilteredList(m_list.get(), 33, "")) << "code 33 gives no values";
    EXPECT_EQ(0, Rows());
}

TEST_F(DistinctViews, CombosTakeValuesFromASortedCopyLeavingTheLibraryAsItWas)
{
    SetLibrary({
        {"t1", "Abba Gold Band", "Zeta", "Pop"},
        {"t2", "abba", "alpha", ""},
        {"t3", "Abba", "Alpha", "pop"},
        {"t4", "", "", "Jazz"},
    });
    const Strings before = Titles();
    struct Case
    {
        int (*fill)(CComboBox*);
        Strings texts;
    };
    const Case cases[] = {
        {VIZU::DisplayComboArtists, {"abba", "Abba Gold Band"}},
        {VIZU::DisplayComboAlbums, {"alpha", "Zeta"}},
        {VIZU::DisplayComboGenres, {"Jazz", "Pop"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(static_cast<int>(c.texts.size()), c.fill(&m_combo));
        EXPECT_EQ(c.texts, ComboTexts());
        EXPECT_EQ(0, static_cast<int>(SendMessageA(m_combo.GetSafeHwnd(), CB_GETCURSEL, 0, 0)));
        EXPECT_EQ(before, Titles());
    }
    // Artists sorted: t4 (empty), t2 abba, t3 Abba, t1 Abba Gold Band: each
    // item's data is its first record's place in that order, also where
    // one value begins like another.
    VIZU::DisplayComboArtists(&m_combo);
    EXPECT_EQ(1, ComboData(0));
    EXPECT_EQ(3, ComboData(1));
}

TEST_F(DistinctViews, AnAlbumsTracksAreNumberedInLibraryOrder)
{
    SetLibrary({
        {"First", "A", "Best Of", "", "", "C:\\m\\1.mp3", "128.00"},
        {"Other", "B", "Else", "", "", "C:\\m\\2.mp3", "128.50"},
        {"Second", "C", "best of", "", "", "C:\\m\\3.mp3", "90.00"},
    });
    EXPECT_EQ(2, VIZU::DisplayAlbumTracks(m_list.get(), 21, "BEST of", false, false));
    ASSERT_EQ(2, Rows());
    EXPECT_EQ("01 - First", Text(0, 0));
    EXPECT_EQ("02 - Second", Text(1, 0));
    EXPECT_EQ("C:\\m\\3.mp3", Text(1, 8));
    EXPECT_EQ(1, Data(1));
    EXPECT_EQ(0, Image(1, 0));
    EXPECT_EQ(2, VIZU::DisplayAlbumTracks(m_list.get(), 26, "128", false, false)) << "tempo";
    EXPECT_EQ("02 - Other", Text(1, 0));
    EXPECT_EQ(0, VIZU::DisplayAlbumTracks(m_list.get(), 25, "First", false, false));
}

TEST_F(DistinctViews, CountsAndArraysTakeTheFirstRecordOfEachValue)
{
    SetLibrary({
        {"zz", "Abba", "Gold", "", "", "C:\\m\\1.mp3"},
        {"aa", "ABBA", "Arrival", "", "", "C:\\m\\2.mp3"},
        {"mm", "Beatles", "gold", "", "", "C:\\m\\3.mp3"},
        {"nn", "", "", "", "", "C:\\m\\4.mp3"},
    });
    EXPECT_EQ(2, VIZU::GetArtistCount());
    EXPECT_EQ(2, VIZU::GetAlbumCount());
    ASSERT_EQ(2, VIZU::BuildArtistArray());
    ASSERT_EQ(2, VIZU::BuildAlbumArray());
    tagAlbumDescriptor entry;
    ASSERT_EQ(0, VIZU::GetArtistArrayRecord(0, &entry));
    EXPECT_STREQ("ABBA", entry.Artist);
    EXPECT_STREQ("Arrival", entry.Album);
    EXPECT_STREQ("C:\\m\\2.mp3", entry.Path);
    ASSERT_EQ(0, VIZU::GetAlbumArrayRecord(1, &entry));
    EXPECT_STREQ("gold", entry.Album) << "the title mm sorts before zz";
    EXPECT_STREQ("Beatles", entry.Artist);
    EXPECT_EQ(-1, VIZU::GetAlbumArrayRecord(2, &entry));
    EXPECT_EQ(-1, VIZU::GetArtistArrayRecord(-1, &entry));
    EXPECT_STREQ("gold", entry.Album) << "left untouched";
}

TEST_F(DistinctViews, AnEmptyLibraryGivesEmptyViewsAndArrays)
{
    SetLibrary({{"x", "Someone", "Something", "Pop", "2000"}});
    ASSERT_EQ(1, VIZU::BuildAlbumArray());
    ASSERT_EQ(1, VIZU::DisplayComboGenres(&m_combo));
    m_Tracks.RemoveAll();
    EXPECT_EQ(0, VIZU::BuildAlbumArray());
    EXPECT_EQ(0, m_AlbumArray.GetSize());
    EXPECT_EQ(0, VIZU::BuildArtistArray());
    EXPECT_EQ(0, VIZU::GetArtistCount());
    EXPECT_EQ(0, VIZU::GetAlbumCount());
    tagAlbumDescriptor entry;
    EXPECT_EQ(-1, VIZU::GetAlbumArrayRecord(0, &entry));
    EXPECT_EQ(0, VIZU::DisplayComboGenres(&m_combo));
    EXPECT_EQ(Strings{"Pop"}, ComboTexts()) << "the combo box is left as it was";
    EXPECT_EQ(0, VIZU::DisplayFilteredTree(&m_tree, 30, "", nullptr, nullptr));
    ASSERT_EQ(1u, Children(nullptr).size());
    EXPECT_TRUE(Children(Children(nullptr)[0]).empty());
    EXPECT_EQ(0, VIZU::DisplayFilteredList(m_list.get(), 31, ""));
    EXPECT_EQ(0, VIZU::DisplayAlbumTracks(m_list.get(), 21, "x", false, false));
    EXPECT_EQ(0, VIZU::DisplayMostPlayedList(m_list.get(), 10, false, false));
    EXPECT_EQ(0, VIZU::DisplayRecentlyAddedList(m_list.get(), 10, false, false));
    EXPECT_EQ(0, Rows());
}

} // namespace
