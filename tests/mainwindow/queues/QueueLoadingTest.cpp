// Loading from the lists into decks A and B through recording decks: the
// idle-deck table, "next" consuming the queue only after a load, "previous",
// play next, the bad-track notice, the knob scroll targets and queue modes,
// and the lists' double-clicks and scroll messages.
#include "QueueListsFixture.h"

#include "skin/tracklist/TrackListRules.h"

#include <commctrl.h>

using namespace queue_test;

namespace {

const char kBadTrack[] = "Bad track\nnot loaded";

} // namespace

TEST_F(QueueListsTest, IdleDeckTable)
{
    struct Row
    {
        bool aPlays, bPlays;
        std::vector<std::string> loads;   // double-click on the main list
        std::vector<std::string> mixes;   // play next
    };
    const Row rows[] = {
        {false, false, {"0 C:\\q\\b.mp3"}, {"left"}},
        {true, false, {"1 C:\\q\\b.mp3"}, {"right"}},
        {false, true, {"0 C:\\q\\b.mp3"}, {"left"}},
        {true, true, {}, {}},
    };
    FillListOnly(4013, QueuePaths({"a", "b"}));
    Select(4013, {1});
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.aPlays) + std::to_string(row.bPlays));
        m_decks.playing[0] = row.aPlays;
        m_decks.playing[1] = row.bPlays;

        m_decks.loads.clear();
        m_parts.calls.clear();
        EXPECT_TRUE(m_queues->OnListNotify(List(4013).GetSafeHwnd(), NM_DBLCLK));
        EXPECT_EQ(row.loads, m_decks.loads);
        EXPECT_EQ((std::vector<std::string>{"status line"}), m_parts.calls);

        // Play next loads the same deck, then mixes over to it.
        m_decks.loads.clear();
        m_decks.mixes.clear();
        m_parts.calls.clear();
        EXPECT_TRUE(m_queues->RunCommand(28143));
        EXPECT_EQ(row.loads, m_decks.loads);
        EXPECT_EQ(row.mixes, m_decks.mixes);
        EXPECT_EQ((std::vector<std::string>{"status line"}), m_parts.calls);

        // The search and request lists the same, without the status line.
        for (int type : {4007, 4009}) {
            FillListOnly(type, QueuePaths({"b"}));
            Select(type, {0});
            m_decks.loads.clear();
            m_parts.calls.clear();
            EXPECT_TRUE(m_queues->OnListNotify(List(type).GetSafeHwnd(), NM_DBLCLK));
            EXPECT_EQ(row.loads, m_decks.loads) << type;
            EXPECT_TRUE(m_parts.calls.empty());
        }
    }
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(QueueListsTest, PlayNextAsksAgainAfterTheLoad)
{
    // Deck B plays; the load goes to A, which then plays too: no mix.
    struct StartsPlaying : RecordingDecks
    {
        bool LoadTrack(int deck, const CString& path) override
        {
            playing[deck] = true;
            return RecordingDecks::LoadTrack(deck, path);
        }
    } decks;
    decks.playing[1] = true;
    m_queues->SetDecks(&decks);
    FillListOnly(4013, QueuePaths({"a"}));
    Select(4013, {0});
    ASSERT_TRUE(m_queues->RunCommand(28143));
    EXPECT_EQ((std::vector<std::string>{"0 C:\\q\\a.mp3"}), decks.loads);
    EXPECT_TRUE(decks.mixes.empty());
    m_queues->SetDecks(&m_decks);
}

TEST_F(QueueListsTest, NextConsumesTheQueueOnlyAfterASuccessfulLoad)
{
    Fill(4005, QueuePaths({"bad", "good"}));
    m_decks.bad.insert("C:\\q\\bad.mp3");
    ASSERT_TRUE(m_queues->RunCommand(27108));
    EXPECT_EQ((std::vector<std::string>{"0 C:\\q\\bad.mp3"}), m_decks.loads);
    EXPECT_EQ((std::vector<std::string>{kBadTrack}), m_messages.shown);
    EXPECT_EQ(QueuePaths({"bad", "good"}), ArrayPaths(4005));
    EXPECT_EQ(QueuePaths({"bad", "good"}), RowPaths(4005));
    EXPECT_TRUE(m_parts.captions.empty());

    m_decks.bad.clear();
    ASSERT_TRUE(m_queues->RunCommand(27108));
    EXPECT_EQ(QueuePaths({"good"}), ArrayPaths(4005));
    EXPECT_EQ(QueuePaths({"good"}), RowPaths(4005));
    EXPECT_EQ((std::vector<int>{1}), m_parts.captions);

    // Deck B's queue feeds deck B; an empty queue does nothing.
    Fill(4006, QueuePaths({"x"}));
    m_decks.loads.clear();
    ASSERT_TRUE(m_queues->RunCommand(27208));
    ASSERT_TRUE(m_queues->RunCommand(27208));
    EXPECT_EQ((std::vector<std::string>{"1 C:\\q\\x.mp3"}), m_decks.loads);
    EXPECT_TRUE(ArrayPaths(4006).empty());
    EXPECT_EQ((std::vector<int>{1, 2}), m_parts.captions);
    EXPECT_EQ(1u, m_messages.shown.size());
}

TEST_F(QueueListsTest, NamedDeckLoadsKeepTheRecordAndShowTheBadTrack)
{
    struct Row
    {
        unsigned id;
        int type;
        int deck;
    };
    const Row rows[] = {
        {27604, 4013, 0}, {27605, 4013, 1}, {27615, 4007, 0}, {27616, 4007, 1}, {28021, 4005, 0}, {28026, 4006, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        if (queue_rules::ArrayOfType(m_arrays, row.type))
            Fill(row.type, QueuePaths({"a", "b"}));
        else
            FillListOnly(row.type, QueuePaths({"a", "b"}));
        Select(row.type, {1});
        m_decks.loads.clear();
        m_messages.shown.clear();
        // Deck A playing changes nothing: the deck's load decides.
        m_decks.playing[0] = true;
        ASSERT_TRUE(m_queues->RunCommand(row.id));
        EXPECT_EQ((std::vector<std::string>{std::to_string(row.deck) + " C:\\q\\b.mp3"}), m_decks.loads);
        EXPECT_TRUE(m_messages.shown.empty());
        EXPECT_EQ(2, List(row.type).GetItemCount());

        m_decks.bad.insert("C:\\q\\b.mp3");
        ASSERT_TRUE(m_queues->RunCommand(row.id));
        EXPECT_EQ((std::vector<std::string>{kBadTrack}), m_messages.shown);
        m_decks.bad.clear();

        // Nothing selected: nothing.
        Select(row.type, {});
        m_decks.loads.clear();
        ASSERT_TRUE(m_queues->RunCommand(row.id));
        EXPECT_TRUE(m_decks.loads.empty());
    }
}

TEST_F(QueueListsTest, QueueDoubleClicksLoadTheirOwnDeckAndSkipEmptyPaths)
{
    Fill(4005, QueuePaths({"a"}));
    Fill(4006, QueuePaths({"b"}));
    Select(4005, {0});
    Select(4006, {0});
    m_decks.playing[0] = m_decks.playing[1] = true;
    EXPECT_TRUE(m_queues->OnListNotify(List(4005).GetSafeHwnd(), NM_DBLCLK));
    EXPECT_TRUE(m_queues->OnListNotify(List(4006).GetSafeHwnd(), NM_DBLCLK));
    EXPECT_EQ((std::vector<std::string>{"0 C:\\q\\a.mp3", "1 C:\\q\\b.mp3"}), m_decks.loads);
    EXPECT_EQ(1u, ArrayPaths(4005).size());

    // A row without a path: the double-click hands nothing to the deck, the
    // command hands the empty path on.
    List(4005).SetItemText(0, tracklist_rules::COL_PATH, "");
    m_decks.loads.clear();
    EXPECT_TRUE(m_queues->OnListNotify(List(4005).GetSafeHwnd(), NM_DBLCLK));
    EXPECT_TRUE(m_decks.loads.empty());
    ASSERT_TRUE(m_queues->RunCommand(28021));
    EXPECT_EQ((std::vector<std::string>{"0 "}), m_decks.loads);

    // A click on the main list refreshes the status line; other codes and
    // windows are not the lists'.
    EXPECT_TRUE(m_queues->OnListNotify(List(4013).GetSafeHwnd(), NM_CLICK));
    EXPECT_EQ((std::vector<std::string>{"status line"}), m_parts.calls);
    EXPECT_FALSE(m_queues->OnListNotify(List(4005).GetSafeHwnd(), NM_CLICK));
    EXPECT_FALSE(m_queues->OnListNotify(m_main.GetSafeHwnd(), NM_DBLCLK));
}

TEST_F(QueueListsTest, PreviousLoadsTheNewestHistoryEntry)
{
    ASSERT_TRUE(m_queues->RunCommand(27109));
    EXPECT_TRUE(m_decks.loads.empty());

    Fill(4008, QueuePaths({"newest", "older"}));
    ASSERT_TRUE(m_queues->RunCommand(27109));
    ASSERT_TRUE(m_queues->RunCommand(27209));
    EXPECT_EQ((std::vector<std::string>{"0 C:\\q\\newest.mp3", "1 C:\\q\\newest.mp3"}), m_decks.loads);
    EXPECT_EQ(QueuePaths({"newest", "older"}), ArrayPaths(4008));

    // A failed load shows nothing.
    m_decks.bad.insert("C:\\q\\newest.mp3");
    ASSERT_TRUE(m_queues->RunCommand(27109));
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(QueueListsTest, ScrollTogglesChooseTheListsOfTheKnobsAndQueueModes)
{
    Fill(4005, QueuePaths({"qa"}));
    Fill(4011, QueuePaths({"mix"}));
    FillListOnly(4013, QueuePaths({"main"}));
    Select(4005, {0});
    Select(4011, {0});
    Select(4013, {0});

    // Queue mode A: the deck A queue, then after one toggle the main list,
    // after a second the queue again.
    ASSERT_TRUE(m_queues->RunCommand(28021));
    m_queues->ToggleScrollTarget(0);
    ASSERT_TRUE(m_queues->RunCommand(28021));
    m_queues->ToggleScrollTarget(0);
    ASSERT_TRUE(m_queues->RunCommand(28021));
    EXPECT_EQ((std::vector<std::string>{"0 C:\\q\\qa.mp3", "0 C:\\q\\main.mp3", "0 C:\\q\\qa.mp3"}),
              m_decks.loads);

    // Knob A's target is now 3: "al-loadtodeck" takes the AutoMix queue's
    // selected row into deck A, and the record stays.
    EXPECT_EQ(3, m_queues->Knobs().target[0]);
    m_decks.loads.clear();
    ASSERT_TRUE(m_queues->RunCommand(28034));
    EXPECT_EQ((std::vector<std::string>{"0 C:\\q\\mix.mp3"}), m_decks.loads);
    EXPECT_EQ(QueuePaths({"mix"}), ArrayPaths(4011));

    // Knob B (target 2, the deck B queue, nothing selected there).
    m_decks.loads.clear();
    ASSERT_TRUE(m_queues->RunCommand(28035));
    EXPECT_TRUE(m_decks.loads.empty());
    // A target outside 1 to 6 loads nothing.
    m_queues->Knobs().target[1] = 9;
    ASSERT_TRUE(m_queues->RunCommand(28035));
    EXPECT_TRUE(m_decks.loads.empty());
}

TEST_F(QueueListsTest, LoadSelectedRowToDeck)
{
    FillListOnly(4013, QueuePaths({"a"}));
    EXPECT_FALSE(m_queues->LoadSelectedRowToDeck(0, &List(4013)));
    Select(4013, {0});
    EXPECT_TRUE(m_queues->LoadSelectedRowToDeck(1, &List(4013)));
    EXPECT_TRUE(m_queues->LoadSelectedRowToDeck(2, &List(4013)));
    EXPECT_EQ((std::vector<std::string>{"1 C:\\q\\a.mp3"}), m_decks.loads);
    m_decks.bad.insert("C:\\q\\a.mp3");
    EXPECT_FALSE(m_queues->LoadSelectedRowToDeck(0, &List(4013)));
    EXPECT_EQ((std::vector<std::string>{kBadTrack}), m_messages.shown);
    EXPECT_FALSE(m_queues->LoadSelectedRowToDeck(0, nullptr));
}

TEST_F(QueueListsTest, QueueScrollMessagesScrollTheKnobsList)
{
    // Knob A on the main track list (target 4): equal values scroll down
    // through the main list's own command.
    m_queues->Knobs().target[0] = 4;
    m_main.Clear();
    m_queues->OnQueueScroll(0, 3, 3);
    m_queues->OnQueueScroll(0, 4, 3);
    std::vector<WPARAM> commands;
    for (const widget_test::Received& r : m_main.Of(WM_COMMAND))
        commands.push_back(LOWORD(r.wParam));
    EXPECT_EQ((std::vector<WPARAM>{27613, 27612}), commands);

    // Knob B on the deck B queue: values that differ move the focus up.
    Fill(4006, QueuePaths({"a", "b", "c"}));
    List(4006).SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_queues->OnQueueScroll(1, 1, 0);
    widget_test::PumpFor(100);
    EXPECT_EQ(1, List(4006).GetNextItem(-1, LVNI_FOCUSED));
    // The scroll commands of the deck B queue.
    ASSERT_TRUE(m_queues->RunCommand(28025));
    widget_test::PumpFor(100);
    EXPECT_EQ(2, List(4006).GetNextItem(-1, LVNI_FOCUSED));

    // A target outside 1 to 6: nothing.
    m_main.Clear();
    m_queues->Knobs().target[0] = 0;
    m_queues->OnQueueScroll(0, 1, 1);
    EXPECT_TRUE(m_main.Of(WM_COMMAND).empty());
}
