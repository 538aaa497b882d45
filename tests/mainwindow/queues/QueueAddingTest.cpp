// Adding real files to the queues (running record indexes, targets, the
// main track list's selection) and loading playlists and folders into them
// with each answer to the question.
#include "QueueListsFixture.h"

#include "tests/support/TestSupport.h"

#include <windows.h>

using namespace queue_test;

namespace {

const char kQuestion[] = "Would you like to add this list to the existing cued items?\n"
                         "If you choose no, the existing queue will be cleared.";

} // namespace

TEST_F(QueueListsTest, RunningIndexesGoOnAfterTheQueueIsEmptied)
{
    const std::string a = MakeTrack("a.wav"), b = MakeTrack("b.wav"), c = MakeTrack("c.wav");
    List(4005).SetOwnerValue(7);
    ASSERT_TRUE(m_queues->AddFileToQueue(a.c_str(), 1));
    ASSERT_TRUE(m_queues->AddFileToQueue(b.c_str(), 1));
    EXPECT_EQ((Paths{a, b}), ArrayPaths(4005));
    EXPECT_EQ(ArrayPaths(4005), RowPaths(4005));
    EXPECT_EQ((std::vector<int>{7, 8}), ArrayIndexes(4005));
    EXPECT_EQ(ArrayIndexes(4005), RowIndexes(4005));
    EXPECT_EQ((std::vector<int>{1, 1}), m_parts.captions);

    ASSERT_TRUE(m_queues->EmptyList(List(4005), 4005));
    ASSERT_TRUE(m_queues->AddFileToQueue(c.c_str(), 1));
    EXPECT_EQ((std::vector<int>{9}), ArrayIndexes(4005));
    EXPECT_EQ((std::vector<int>{9}), RowIndexes(4005));
    EXPECT_EQ(10, List(4005).GetOwnerValue());

    // Each list counts on its own.
    ASSERT_TRUE(m_queues->AddFileToQueue(a.c_str(), 4));
    ASSERT_TRUE(m_queues->AddFileToQueue(a.c_str(), 2));
    EXPECT_EQ((std::vector<int>{0}), ArrayIndexes(4011));
    EXPECT_EQ((std::vector<int>{0}), ArrayIndexes(4006));
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(QueueListsTest, AMissingFileIsNotQueued)
{
    EXPECT_FALSE(m_queues->AddFileToQueue(m_dir.File("gone.wav").c_str(), 1));
    EXPECT_TRUE(ArrayPaths(4005).empty());
    EXPECT_EQ(0, List(4005).GetItemCount());
    EXPECT_EQ((std::vector<std::string>{"Missing file"}), m_messages.shown);
    EXPECT_TRUE(m_parts.captions.empty());
}

TEST_F(QueueListsTest, AddTargets)
{
    const std::string a = MakeTrack("a.wav");
    struct Row
    {
        int target;
        int arrayType;        // 0: nothing added
        int rowsIn;           // the list that gets a row, 0: none
        std::vector<int> captions;
        std::vector<std::string> calls;
    };
    const Row rows[] = {
        {5, 4009, 4009, {5}, {"request caption"}},
        {3, 4010, 0, {}, {"jukebox fill"}},
        {4005, 4005, 0, {}, {"popup 4005"}},
        {4009, 4009, 0, {}, {"popup 4009"}},
        {4011, 4011, 0, {}, {"popup 4011"}},
        {4007, 0, 0, {}, {}},
        {4008, 0, 0, {}, {}},
        {6, 0, 0, {}, {}},
        {7, 0, 0, {}, {}},
        {8, 0, 0, {}, {}},
        {13, 0, 0, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target);
        for (int type : {4005, 4009, 4011, 4007, 4008}) {
            queue_rules::ArrayOfType(m_arrays, type)->RemoveAll();
            List(type).DeleteAllItems();
        }
        m_arrays.jukebox.RemoveAll();
        m_parts.captions.clear();
        m_parts.calls.clear();
        EXPECT_TRUE(m_queues->AddFileToQueue(a.c_str(), row.target));
        for (int type : {4005, 4009, 4010, 4011, 4007, 4008}) {
            const INT_PTR count = queue_rules::ArrayOfType(m_arrays, type)->GetSize();
            EXPECT_EQ(type == row.arrayType ? 1 : 0, count) << type;
            if (type != 4010) {
                EXPECT_EQ(type == row.rowsIn ? 1 : 0, List(type).GetItemCount()) << type;
            }
        }
        EXPECT_EQ(row.captions, m_parts.captions);
        EXPECT_EQ(row.calls, m_parts.calls);
    }
    // The dAredero queue with no list on the window: its own running number.
    ASSERT_TRUE(m_queues->AddFileToQueue(a.c_str(), 14));
    ASSERT_TRUE(m_queues->AddFileToQueue(a.c_str(), 14));
    ASSERT_EQ(2, m_arrays.dArederoQueue.GetSize());
    EXPECT_EQ(0, m_arrays.dArederoQueue[0].m_Index);
    EXPECT_EQ(1, m_arrays.dArederoQueue[1].m_Index);
}

TEST_F(QueueListsTest, TheMainListsSelectionGoesToAQueueRowByRow)
{
    const std::string a = MakeTrack("a.wav"), b = MakeTrack("b.wav"), c = MakeTrack("c.wav");
    const std::string gone = m_dir.File("gone.wav");
    FillListOnly(4013, {a, gone, b, c});
    Select(4013, {0, 1, 3});
    ASSERT_TRUE(m_queues->RunCommand(27606));
    EXPECT_EQ((Paths{a, c}), ArrayPaths(4005));
    EXPECT_EQ(ArrayPaths(4005), RowPaths(4005));
    EXPECT_EQ((std::vector<std::string>{"Missing file"}), m_messages.shown);

    const struct
    {
        unsigned id;
        int type;
    } commands[] = {{27607, 4006}, {27608, 4011}, {27609, 4010}};
    for (const auto& command : commands) {
        ASSERT_TRUE(m_queues->RunCommand(command.id));
        EXPECT_EQ((Paths{a, c}), ArrayPaths(command.type)) << command.id;
    }
    // Nothing selected: nothing added, nothing shown.
    Select(4013, {});
    m_messages.shown.clear();
    ASSERT_TRUE(m_queues->RunCommand(27606));
    EXPECT_EQ(2u, ArrayPaths(4005).size());
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(QueueListsTest, APlaylistDroppedOnAQueueAsksWhenTheQueueHoldsTracks)
{
    const std::string a = MakeTrack("a.wav"), b = MakeTrack("b.wav"), c = MakeTrack("c.wav");
    const std::string playlist = MakePlaylist("list.txl", {b, c});
    struct Row
    {
        Paths before;
        int answer;
        bool asked;
        Paths after;
    };
    const Row rows[] = {
        {{}, IDYES, false, {b, c}},
        {{}, IDNO, false, {b, c}},
        {{a}, IDYES, true, {a, b, c}},
        {{a}, IDNO, true, {b, c}},
    };
    for (int type : {4005, 4006, 4011}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::to_string(type) + " answer " + std::to_string(row.answer) + " with " +
                         std::to_string(row.before.size()));
            Fill(type, row.before);
            m_prompts.asked.clear();
            m_prompts.answer = row.answer;
            m_parts.captions.clear();
            EXPECT_TRUE(m_queues->LoadPlaylistIntoQueue(playlist.c_str(), type));
            EXPECT_EQ(row.after, ArrayPaths(type));
            EXPECT_EQ(row.after, RowPaths(type));
            ASSERT_EQ(row.asked ? 1u : 0u, m_prompts.asked.size());
            if (row.asked) {
                EXPECT_EQ(kQuestion, m_prompts.asked[0].text);
                EXPECT_EQ("TAVRIX PRO DJ", m_prompts.asked[0].caption);
                EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), m_prompts.asked[0].type);
            }
            EXPECT_EQ((std::vector<int>{queue_rules::CaptionCodeOfType(type)}), m_parts.captions);
        }
    }
    // Other lists take no playlist.
    Fill(4009, {a});
    EXPECT_TRUE(m_queues->LoadPlaylistIntoQueue(playlist.c_str(), 4009));
    EXPECT_EQ((Paths{a}), ArrayPaths(4009));
}

TEST_F(QueueListsTest, APlaylistThatCannotBeReadLeavesTheQueue)
{
    const std::string a = MakeTrack("a.wav");
    Fill(4005, {a});
    m_prompts.answer = IDNO;
    EXPECT_TRUE(m_queues->LoadPlaylistIntoQueue(m_dir.File("none.txl").c_str(), 4005));
    EXPECT_EQ((Paths{a}), ArrayPaths(4005));
    EXPECT_EQ((Paths{a}), RowPaths(4005));
    EXPECT_FALSE(m_queues->LoadAutoMixQueue(m_dir.File("none.txl").c_str()));
}

TEST_F(QueueListsTest, TheAutoMixPlaylistLoaderAsksYesNoCancel)
{
    const std::string a = MakeTrack("a.wav"), b = MakeTrack("b.wav");
    m_parts.playlist = MakePlaylist("mix.txl", {b});
    struct Row
    {
        int answer;
        bool running;
        Paths after;
        std::vector<std::string> calls;
    };
    const Row rows[] = {
        {IDYES, false, {a, b}, {"automix toggled"}},
        {IDNO, false, {b}, {"automix toggled"}},
        {IDNO, true, {b}, {}},
        {IDCANCEL, false, {a}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        Fill(4011, {a});
        m_prompts.asked.clear();
        m_prompts.answer = row.answer;
        m_parts.calls.clear();
        m_parts.autoMixRunning = row.running;
        m_queues->LoadPlaylistIntoAutoMixQueue();
        EXPECT_EQ(row.after, ArrayPaths(4011));
        EXPECT_EQ(row.after, RowPaths(4011));
        ASSERT_EQ(1u, m_prompts.asked.size());
        EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION), m_prompts.asked[0].type);
        EXPECT_EQ(row.calls, m_parts.calls);
    }
    // No playlist selected: the question is asked, nothing changes.
    m_parts.playlist.clear();
    Fill(4011, {a});
    m_prompts.asked.clear();
    m_prompts.answer = IDNO;
    m_parts.calls.clear();
    m_queues->LoadPlaylistIntoAutoMixQueue();
    EXPECT_EQ(1u, m_prompts.asked.size());
    EXPECT_EQ((Paths{a}), ArrayPaths(4011));
    EXPECT_TRUE(m_parts.calls.empty());
}

TEST_F(QueueListsTest, FoldersGoIntoTheJukeboxAndAutoMixQueues)
{
    const std::string folder = m_dir.File("music");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("wave_s16_mono_11k.wav"), folder + "\\one.wav"));
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("wave_s16_mono_11k.wav"), folder + "\\two.wav"));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(folder + "\\notes.txt", "not music"));
    const std::string a = MakeTrack("a.wav");
    m_parts.folder = folder;

    // The jukebox queue held a track; No clears it first. The jukebox is
    // not playing: it takes the first track and plays, and is shown.
    CTrackRecord old;
    old.m_FileName = a.c_str();
    m_arrays.jukebox.Add(old);
    m_prompts.answer = IDNO;
    m_queues->LoadFolderIntoJukeboxQueue(true);
    ASSERT_EQ(2, m_arrays.jukebox.GetSize());
    for (INT_PTR i = 0; i < 2; ++i)
        EXPECT_NE(std::string::npos, std::string(m_arrays.jukebox[i].m_FileName.GetString()).find(folder));
    EXPECT_EQ((std::vector<std::string>{"folder of tree", "jukebox fill", "jukebox status", "jukebox next",
                                        "jukebox shown"}),
              m_parts.calls);

    // Playing already: Yes appends, and the jukebox is only shown.
    m_parts.calls.clear();
    m_parts.jukeboxPlaying = true;
    m_prompts.answer = IDYES;
    m_queues->LoadFolderIntoJukeboxQueue(false);
    EXPECT_EQ(4, m_arrays.jukebox.GetSize());
    EXPECT_EQ((std::vector<std::string>{"folder of my computer", "jukebox fill", "jukebox status",
                                        "jukebox shown"}),
              m_parts.calls);

    // The AutoMix queue, empty: no question.
    m_prompts.asked.clear();
    m_queues->LoadFolderIntoAutoMixQueue(true);
    EXPECT_TRUE(m_prompts.asked.empty());
    EXPECT_EQ(2u, ArrayPaths(4011).size());
    EXPECT_EQ(ArrayPaths(4011), RowPaths(4011));

    // No folder selected: nothing is read.
    m_parts.folder.clear();
    m_prompts.answer = IDNO;
    m_queues->LoadFolderIntoAutoMixQueue(true);
    EXPECT_EQ(2u, ArrayPaths(4011).size());
}

TEST_F(QueueListsTest, TheCommandLinePlaylistFillsTheAutoMixQueue)
{
    const std::string a = MakeTrack("a.wav"), b = MakeTrack("b.wav");
    Fill(4011, {a});
    EXPECT_TRUE(m_queues->LoadAutoMixQueue(MakePlaylist("start.txl", {b, a}).c_str()));
    EXPECT_EQ((Paths{b, a}), ArrayPaths(4011));
    EXPECT_EQ(ArrayPaths(4011), RowPaths(4011));
    EXPECT_TRUE(m_prompts.asked.empty());
}

TEST_F(QueueListsTest, TrackListMenuItemsReachTheListOperations)
{
    const std::string a = MakeTrack("a.wav"), b = MakeTrack("b.wav"), c = MakeTrack("c.wav");
    FillListOnly(4013, {a, b, c});
    // Nothing selected: the items that need a selection do nothing.
    Select(4013, {});
    EXPECT_FALSE(m_queues->RunTrackListMenuItem(32969, 1));
    EXPECT_EQ(0, m_arrays.request.GetSize());
    // "Add to Request List" and the queue adds, the selection each time.
    Select(4013, {0, 2});
    EXPECT_TRUE(m_queues->RunTrackListMenuItem(32969, 1));
    EXPECT_EQ((Paths{a, c}), ArrayPaths(4009));
    EXPECT_EQ(ArrayPaths(4009), RowPaths(4009));
    EXPECT_TRUE(m_queues->RunTrackListMenuItem(32795, 1));
    EXPECT_EQ((Paths{a, c}), ArrayPaths(4005));
    EXPECT_TRUE(m_queues->RunTrackListMenuItem(32797, 1));
    EXPECT_EQ((Paths{a, c}), ArrayPaths(4011));
    // "Select All" and "Select None".
    EXPECT_TRUE(m_queues->RunTrackListMenuItem(32960, 1));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), SelectedRows(4013));
    EXPECT_TRUE(m_queues->RunTrackListMenuItem(32961, 1));
    EXPECT_TRUE(SelectedRows(4013).empty());
    // Items of other parts of the window are not carried out here.
    Select(4013, {1});
    EXPECT_FALSE(m_queues->RunTrackListMenuItem(32812, 1));
    EXPECT_FALSE(m_queues->RunTrackListMenuItem(32825, 7));
    EXPECT_FALSE(m_queues->RunTrackListMenuItem(32799, 1));
}

TEST_F(QueueListsTest, QueueMenuItemsReachTheQueueOperations)
{
    Fill(4005, QueuePaths({"q0", "q1", "q2", "q3"}));
    Select(4005, {2});
    EXPECT_TRUE(m_queues->RunQueueMenuItem(List(4005), 4005, 32799));   // Move Up
    EXPECT_EQ(QueuePaths({"q0", "q2", "q1", "q3"}), ArrayPaths(4005));
    Select(4005, {1});
    EXPECT_TRUE(m_queues->RunQueueMenuItem(List(4005), 4005, 32802));   // Send to Bottom
    EXPECT_EQ(QueuePaths({"q0", "q1", "q3", "q2"}), ArrayPaths(4005));
    Select(4005, {3});
    EXPECT_TRUE(m_queues->RunQueueMenuItem(List(4005), 4005, 32801));   // Bring to Top
    EXPECT_EQ(QueuePaths({"q2", "q0", "q1", "q3"}), ArrayPaths(4005));
    Select(4005, {1});
    EXPECT_TRUE(m_queues->RunQueueMenuItem(List(4005), 4005, 32800));   // Move Down
    EXPECT_EQ(QueuePaths({"q2", "q1", "q0", "q3"}), ArrayPaths(4005));
    Select(4005, {0, 3});
    EXPECT_TRUE(m_queues->RunQueueMenuItem(List(4005), 4005, 32803));   // Delete
    EXPECT_EQ(QueuePaths({"q1", "q0"}), ArrayPaths(4005));
    EXPECT_EQ(ArrayPaths(4005), RowPaths(4005));
    // Nothing selected: the moves and delete are greyed and change nothing.
    Select(4005, {});
    EXPECT_FALSE(m_queues->RunQueueMenuItem(List(4005), 4005, 32799));
    EXPECT_FALSE(m_queues->RunQueueMenuItem(List(4005), 4005, 32803));
    EXPECT_EQ(QueuePaths({"q1", "q0"}), ArrayPaths(4005));
    EXPECT_TRUE(m_queues->RunQueueMenuItem(List(4005), 4005, 32804));   // Shuffle
    EXPECT_EQ(2, m_arrays.deckA.GetSize());
    EXPECT_TRUE(m_queues->RunQueueMenuItem(List(4005), 4005, 32805));   // Empty List
    EXPECT_EQ(0, m_arrays.deckA.GetSize());
    EXPECT_EQ(0, List(4005).GetItemCount());
    // The history list offers neither moves nor emptying.
    Fill(4008, QueuePaths({"h0", "h1"}));
    Select(4008, {1});
    EXPECT_FALSE(m_queues->RunQueueMenuItem(List(4008), 4008, 32799));
    EXPECT_FALSE(m_queues->RunQueueMenuItem(List(4008), 4008, 32805));
    EXPECT_EQ(QueuePaths({"h0", "h1"}), ArrayPaths(4008));
    // Save as playlist belongs to the playlist files: not carried out here.
    EXPECT_FALSE(m_queues->RunQueueMenuItem(List(4008), 4008, 32806));
}
