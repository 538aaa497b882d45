// Every queue operation on real track lists: the rows and the array end in
// step (or, for the lists whose array an operation leaves alone, only the
// rows change), with the answer and the captions the operation gives.
#include "QueueListsFixture.h"

#include <algorithm>
#include <functional>

using namespace queue_test;

namespace {

enum class Op
{
    Up,
    Down,
    Top,
    Bottom,
    Delete,
    Remove,
    Empty,
};

const char* OpName(Op op)
{
    switch (op) {
    case Op::Up: return "up";
    case Op::Down: return "down";
    case Op::Top: return "top";
    case Op::Bottom: return "bottom";
    case Op::Delete: return "delete";
    case Op::Remove: return "remove";
    case Op::Empty: return "empty";
    }
    return "?";
}

struct OpCase
{
    Op op;
    int type;
    std::vector<int> selected;
    bool answer;
    std::vector<std::string> rows;    // names after the operation
    std::vector<std::string> array;   // names after the operation
    std::vector<int> captions;
};

const std::vector<std::string> kStart = {"a", "b", "c", "d"};

const OpCase kCases[] = {
    // Deck A queue: rows and records move together.
    {Op::Up, 4005, {2}, true, {"a", "c", "b", "d"}, {"a", "c", "b", "d"}, {4005}},
    {Op::Up, 4005, {0}, false, kStart, kStart, {}},
    {Op::Up, 4005, {}, false, kStart, kStart, {}},
    {Op::Down, 4005, {1}, true, {"a", "c", "b", "d"}, {"a", "c", "b", "d"}, {4005}},
    {Op::Down, 4005, {3}, false, kStart, kStart, {}},
    {Op::Top, 4005, {2}, true, {"c", "a", "b", "d"}, {"c", "a", "b", "d"}, {4005}},
    {Op::Top, 4005, {0}, false, kStart, kStart, {}},
    {Op::Bottom, 4005, {1}, true, {"a", "c", "d", "b"}, {"a", "c", "d", "b"}, {4005}},
    {Op::Bottom, 4005, {3}, false, kStart, kStart, {}},
    {Op::Delete, 4005, {1, 3}, true, {"a", "c"}, {"a", "c"}, {1, 4005}},
    {Op::Delete, 4005, {0, 1, 2, 3}, true, {}, {}, {1, 4005}},
    {Op::Delete, 4005, {}, false, kStart, kStart, {}},
    {Op::Remove, 4005, {1, 3}, true, {"a", "c", "d"}, {"a", "c", "d"}, {1}},
    {Op::Remove, 4005, {}, false, kStart, kStart, {}},
    {Op::Empty, 4005, {}, true, {}, {}, {1, 4005}},
    // Deck B queue, AutoMix queue, request list.
    {Op::Up, 4006, {3}, true, {"a", "b", "d", "c"}, {"a", "b", "d", "c"}, {4006}},
    {Op::Delete, 4006, {0}, true, {"b", "c", "d"}, {"b", "c", "d"}, {2, 4006}},
    {Op::Down, 4011, {0}, true, {"b", "a", "c", "d"}, {"b", "a", "c", "d"}, {4011}},
    {Op::Bottom, 4011, {0}, true, {"b", "c", "d", "a"}, {"b", "c", "d", "a"}, {4011}},
    {Op::Remove, 4011, {2}, true, {"a", "b", "d"}, {"a", "b", "d"}, {4}},
    {Op::Empty, 4011, {}, true, {}, {}, {4, 4011}},
    {Op::Top, 4009, {3}, true, {"d", "a", "b", "c"}, {"d", "a", "b", "c"}, {4009}},
    {Op::Delete, 4009, {2}, true, {"a", "b", "d"}, {"a", "b", "d"}, {4009}},
    {Op::Empty, 4009, {}, true, {}, {}, {5, 4009}},
    // Search and history: the rows move, the records stay; nothing is
    // removed from them.
    {Op::Up, 4007, {2}, true, {"a", "c", "b", "d"}, kStart, {4007}},
    {Op::Down, 4008, {0}, true, {"b", "a", "c", "d"}, kStart, {4008}},
    {Op::Top, 4007, {2}, true, kStart, kStart, {4007}},
    {Op::Delete, 4007, {1}, true, kStart, kStart, {4007}},
    {Op::Remove, 4008, {1}, true, kStart, kStart, {6}},
    {Op::Empty, 4007, {}, true, {}, {}, {7, 4007}},
    {Op::Empty, 4008, {}, true, {}, {}, {6, 4008}},
};

} // namespace

TEST_F(QueueListsTest, EveryOperationKeepsRowsAndArrayInStep)
{
    for (const OpCase& c : kCases) {
        SCOPED_TRACE(std::string(OpName(c.op)) + " on " + std::to_string(c.type));
        Fill(c.type, QueuePaths(kStart));
        Select(c.type, c.selected);
        m_parts.captions.clear();
        TXVTrackList& list = List(c.type);
        bool answer = false;
        switch (c.op) {
        case Op::Up: answer = m_queues->MoveQueueItemUp(list, c.type); break;
        case Op::Down: answer = m_queues->MoveQueueItemDown(list, c.type); break;
        case Op::Top: answer = m_queues->MoveQueueItemToTop(list, c.type); break;
        case Op::Bottom: answer = m_queues->MoveQueueItemToBottom(list, c.type); break;
        case Op::Delete: answer = m_queues->DeleteSelectedQueueItems(list, c.type); break;
        case Op::Remove: answer = m_queues->RemoveSelectedQueueItem(list, c.type); break;
        case Op::Empty: answer = m_queues->EmptyList(list, c.type); break;
        }
        EXPECT_EQ(c.answer, answer);
        EXPECT_EQ(QueuePaths(c.rows), RowPaths(c.type));
        EXPECT_EQ(QueuePaths(c.array), ArrayPaths(c.type));
        EXPECT_EQ(c.captions, m_parts.captions);
    }
}

TEST_F(QueueListsTest, MovedRowStaysSelectedAndCarriesItsRecord)
{
    Fill(4005, QueuePaths(kStart));
    Select(4005, {2});
    ASSERT_TRUE(m_queues->MoveQueueItemUp(List(4005), 4005));
    EXPECT_EQ((std::vector<int>{1}), SelectedRows(4005));
    ASSERT_TRUE(m_queues->MoveQueueItemUp(List(4005), 4005));
    EXPECT_EQ((std::vector<int>{0}), SelectedRows(4005));
    EXPECT_EQ(QueuePaths({"c", "a", "b", "d"}), ArrayPaths(4005));
    // Whole records move, not only paths: indexes follow their rows.
    EXPECT_EQ((std::vector<int>{3, 1, 2, 4}), ArrayIndexes(4005));
    EXPECT_EQ(RowIndexes(4005), ArrayIndexes(4005));

    ASSERT_TRUE(m_queues->MoveQueueItemDown(List(4005), 4005));
    EXPECT_EQ((std::vector<int>{1}), SelectedRows(4005));
    EXPECT_EQ(RowIndexes(4005), ArrayIndexes(4005));
}

TEST_F(QueueListsTest, ATrackQueuedTwiceLosesTheRecordOfTheRowActedOn)
{
    const Paths twice = QueuePaths({"a", "b", "a"});
    // Deleting one of the two rows: that row and one record of the file go.
    Fill(4005, twice);
    Select(4005, {2});
    ASSERT_TRUE(m_queues->DeleteSelectedQueueItems(List(4005), 4005));
    EXPECT_EQ(QueuePaths({"a", "b"}), RowPaths(4005));
    EXPECT_EQ(RowPaths(4005), ArrayPaths(4005));
    EXPECT_EQ(RowIndexes(4005), ArrayIndexes(4005));

    // Both rows selected: both go.
    Fill(4005, twice);
    Select(4005, {0, 2});
    ASSERT_TRUE(m_queues->DeleteSelectedQueueItems(List(4005), 4005));
    EXPECT_EQ(QueuePaths({"b"}), RowPaths(4005));
    EXPECT_EQ(QueuePaths({"b"}), ArrayPaths(4005));

    // Moving the second copy up swaps its own record.
    Fill(4005, twice);
    Select(4005, {2});
    ASSERT_TRUE(m_queues->MoveQueueItemUp(List(4005), 4005));
    EXPECT_EQ(QueuePaths({"a", "a", "b"}), ArrayPaths(4005));
    EXPECT_EQ(RowIndexes(4005), ArrayIndexes(4005));
    EXPECT_EQ((std::vector<int>{1, 3, 2}), ArrayIndexes(4005));

    Fill(4011, twice);
    Select(4011, {2});
    ASSERT_TRUE(m_queues->MoveQueueItemToTop(List(4011), 4011));
    EXPECT_EQ((std::vector<int>{3, 1, 2}), ArrayIndexes(4011));
    EXPECT_EQ(RowIndexes(4011), ArrayIndexes(4011));
}

TEST_F(QueueListsTest, DeletingFromAHiddenListRemovesRecordsAndLeavesItsRows)
{
    // The list-shown flag off: the contents live in the floating window;
    // the rows of the given list stay, the records go.
    m_parts.hidden.insert(4005);
    Fill(4005, QueuePaths(kStart));
    Select(4005, {0, 2});
    ASSERT_TRUE(m_queues->DeleteSelectedQueueItems(List(4005), 4005));
    EXPECT_EQ(QueuePaths(kStart), RowPaths(4005));
    EXPECT_EQ(QueuePaths({"b", "d"}), ArrayPaths(4005));
}

TEST_F(QueueListsTest, ShuffleKeepsTheRecordsAndRefillsTheList)
{
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i)
        names.push_back("t" + std::to_string(i));
    Fill(4011, QueuePaths(names));
    m_queues->ShuffleQueue(4011);
    Paths after = ArrayPaths(4011);
    EXPECT_EQ(RowPaths(4011), after);
    EXPECT_EQ(RowIndexes(4011), ArrayIndexes(4011));
    std::sort(after.begin(), after.end());
    Paths before = QueuePaths(names);
    std::sort(before.begin(), before.end());
    EXPECT_EQ(before, after);
    EXPECT_EQ((std::vector<int>{4}), m_parts.captions);

    // One track: nothing changes, the list and caption are refreshed.
    Fill(4005, QueuePaths({"only"}));
    List(4005).DeleteAllItems();
    m_parts.captions.clear();
    m_queues->ShuffleQueue(4005);
    EXPECT_EQ(QueuePaths({"only"}), RowPaths(4005));
    EXPECT_EQ((std::vector<int>{1}), m_parts.captions);

    // Search and history are not shuffled.
    Fill(4007, QueuePaths(names));
    m_parts.captions.clear();
    m_queues->ShuffleQueue(4007);
    EXPECT_EQ(QueuePaths(names), ArrayPaths(4007));
    EXPECT_TRUE(m_parts.captions.empty());
}

TEST_F(QueueListsTest, TheJukeboxQueueChangesThroughItsWindow)
{
    // The audio jukebox window's own list (a track list of its own here).
    TXVTrackList& jukeList = List(4013);
    m_arrays.jukebox.RemoveAll();
    for (const std::string& path : QueuePaths(kStart)) {
        CTrackRecord record;
        record.m_FileName = path.c_str();
        m_arrays.jukebox.Add(record);
    }
    jukeList.ShowTracks(m_arrays.jukebox);
    Select(4013, {1});
    m_parts.hidden.insert(4010);   // its rows go whatever the flags say
    ASSERT_TRUE(m_queues->DeleteSelectedQueueItems(jukeList, 4010));
    EXPECT_EQ(QueuePaths({"a", "c", "d"}), RowPaths(4013));
    Select(4013, {2});
    ASSERT_TRUE(m_queues->MoveQueueItemToTop(jukeList, 4010));
    Paths jukebox;
    for (INT_PTR i = 0; i < m_arrays.jukebox.GetSize(); ++i)
        jukebox.push_back(m_arrays.jukebox[i].m_FileName.GetString());
    EXPECT_EQ(QueuePaths({"d", "a", "c"}), jukebox);
    EXPECT_EQ((std::vector<std::string>{"jukebox status", "jukebox fill"}), m_parts.calls);
}

TEST_F(QueueListsTest, EmptyingTheSearchListInTheFloatingWindowEmptiesTheMainOne)
{
    Fill(4007, QueuePaths(kStart));
    // The floating window's list: another list showing the same records.
    TXVTrackList& floating = List(4013);
    FillListOnly(4013, QueuePaths(kStart));
    ASSERT_TRUE(m_queues->EmptyList(floating, 4007));
    EXPECT_EQ(0, floating.GetItemCount());
    EXPECT_EQ(0, List(4007).GetItemCount());
    EXPECT_TRUE(ArrayPaths(4007).empty());
    EXPECT_EQ((std::vector<std::string>{"search caption"}), m_parts.calls);
}

TEST_F(QueueListsTest, GetListTypeNamesTheMainWindowsLists)
{
    for (int type : kListTypes)
        EXPECT_EQ(type, m_queues->GetListType(List(type).GetSafeHwnd())) << type;
    EXPECT_EQ(4016, m_queues->GetListType(m_main.GetSafeHwnd()));
    EXPECT_EQ(4016, m_queues->GetListType(nullptr));
    EXPECT_EQ(&List(4011), m_queues->ListOfCode(4));
    EXPECT_EQ(nullptr, m_queues->ListOfCode(14));
    EXPECT_EQ(nullptr, m_queues->ListOfType(4010));
}

TEST_F(QueueListsTest, QueueCommandsActOnTheirLists)
{
    struct Row
    {
        unsigned id;
        int type;
        std::vector<std::string> after;
    };
    const Row rows[] = {
        {28108, 4005, {"a", "c", "b", "d"}}, {28109, 4005, {"a", "b", "d", "c"}},
        {28110, 4006, {"a", "c", "b", "d"}}, {28111, 4006, {"a", "b", "d", "c"}},
        {28112, 4011, {"a", "c", "b", "d"}}, {28113, 4011, {"a", "b", "d", "c"}},
        {28022, 4005, {"a", "b", "d"}},      {28027, 4006, {"a", "b", "d"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        Fill(row.type, QueuePaths(kStart));
        Select(row.type, {2});
        EXPECT_TRUE(m_queues->RunCommand(row.id));
        EXPECT_EQ(QueuePaths(row.after), ArrayPaths(row.type));
        EXPECT_EQ(ArrayPaths(row.type), RowPaths(row.type));
    }
    EXPECT_FALSE(m_queues->RunCommand(27005));
    // The Delete key in the AutoMix queue.
    Fill(4011, QueuePaths(kStart));
    Select(4011, {0, 3});
    m_queues->DeleteSelectedInQueue(4011);
    EXPECT_EQ(QueuePaths({"b", "c"}), ArrayPaths(4011));
}

TEST_F(QueueListsTest, SelectAllAndNone)
{
    FillListOnly(4013, QueuePaths(kStart));
    ASSERT_TRUE(m_queues->RunCommand(27601));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), SelectedRows(4013));
    ASSERT_TRUE(m_queues->RunCommand(27602));
    EXPECT_TRUE(SelectedRows(4013).empty());
    EXPECT_EQ(-1, List(4013).GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ((std::vector<std::string>{"status line", "status line"}), m_parts.calls);
}
