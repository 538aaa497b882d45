// The fill that the library-display worker thread runs into a list that
// the window thread owns, and fills whose list goes away in the middle.
#include "TrackListFixture.h"

#include "library/state/LibraryState.h"

#include <atomic>
#include <thread>

using namespace tracklist_test;

namespace {

int g_appMessages = 0;
HWND g_destroyOnMessage = nullptr;

LRESULT CALLBACK ProbeProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_APP + 3) {
        ++g_appMessages;
        if (g_destroyOnMessage) {
            DestroyWindow(g_destroyOnMessage);
            g_destroyOnMessage = nullptr;
        }
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

class WorkerTest : public TrackListTest
{
protected:
    void SetUp() override
    {
        TrackListTest::SetUp();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TrackListProbe";
        RegisterClassA(&wc);
        m_probe = CreateWindowA("TrackListProbe", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                wc.hInstance, nullptr);
        ASSERT_NE(nullptr, m_probe);
        g_appMessages = 0;
        g_destroyOnMessage = nullptr;
    }
    void TearDown() override
    {
        DestroyWindow(m_probe);
        TrackListTest::TearDown();
    }

    void MakeLibrary(int count)
    {
        m_Tracks.RemoveAll();
        for (int i = 0; i < count; ++i) {
            CTrackRecord r;
            r.m_Title.Format("Title %d", i);
            r.m_Artist = i % 2 ? "Odd" : "Even";
            r.m_FileName.Format("C:\\music\\%05d.%s", i, i % 3 ? "mp3" : "wav");
            r.m_BPMText = "12000";
            r.m_Length = i;
            r.m_Index = i + 1;
            m_Tracks.Add(r);
        }
    }

    HWND m_probe = nullptr;
};

} // namespace

TEST_F(WorkerTest, TheWorkersPathNeitherPumpsNorSwitchesDrawingOff)
{
    MakeLibrary(20);
    PostMessageA(m_probe, WM_APP + 3, 0, 0);
    EXPECT_EQ(20, VIZU::DisplayTracks(m_list.get(), false, LibraryTrackIcons(), false, true));
    EXPECT_EQ(0, g_appMessages);
    EXPECT_EQ(20, Rows());
    // Drawing stayed on: the new rows are waiting to be painted.
    EXPECT_TRUE(GetUpdateRect(m_list->GetSafeHwnd(), nullptr, FALSE));

    // The window thread's own call pumps.
    EXPECT_EQ(20, VIZU::DisplayTracks(m_list.get(), false, LibraryTrackIcons(), false, false));
    EXPECT_EQ(1, g_appMessages);
}

TEST_F(WorkerTest, AWorkerThreadFillsTheWindowThreadsList)
{
    MakeLibrary(60);
    std::atomic<int> result{-1};
    CListCtrl* list = m_list.get();
    CImageList* icons = LibraryTrackIcons();
    std::thread worker([&] { result = VIZU::DisplayTracks(list, true, icons, true, true); });
    // The window thread keeps using the library meanwhile.
    bool done = PumpUntil([&] {
        VIZU::GetRecordCount();
        return result.load() >= 0;
    }, 60000);
    ASSERT_TRUE(done) << "the worker's fill did not end within 60 s";
    worker.join();
    EXPECT_EQ(60, result.load());
    ASSERT_EQ(60, Rows());
    for (int row : {0, 1, 30, 59}) {
        EXPECT_EQ("Title " + std::to_string(row), Text(row, 0));
        EXPECT_EQ(row, Data(row));
        EXPECT_EQ(0, Image(row, 0));   // plain icons
        EXPECT_EQ("120.00", Text(row, 7));
    }
}

TEST_F(WorkerTest, AWorkerStopsWhenTheWindowThreadDestroysTheList)
{
    MakeLibrary(5000);
    std::atomic<int> result{-1};
    CListCtrl* list = m_list.get();
    HWND hList = m_list->GetSafeHwnd();
    // The window and its wrapper go while the worker is filling: once the
    // first screen of rows is in and the next batch is being inserted.
    tavrix_test::InsertWatch watch(hList, 100, [&] {
        m_list->DestroyWindow();
        m_list.reset();
    });
    std::thread worker([&] { result = VIZU::DisplayTracks(list, false, nullptr, false, true); });
    bool done = PumpUntil([&] { return result.load() >= 0; }, 60000);
    ASSERT_TRUE(done) << "the worker's fill did not stop within 60 s of the list going";
    worker.join();
    EXPECT_TRUE(watch.Ran());
    EXPECT_FALSE(IsWindow(hList));
    EXPECT_GT(result.load(), 100);
    EXPECT_LT(result.load(), 5000);
    // The library lock is free again.
    EXPECT_EQ(5000, VIZU::GetRecordCount());
}

TEST_F(WorkerTest, APumpedFillStopsWhenAHandlerDestroysTheList)
{
    MakeLibrary(200);
    g_destroyOnMessage = m_list->GetSafeHwnd();
    PostMessageA(m_probe, WM_APP + 3, 0, 0);
    EXPECT_EQ(0, VIZU::DisplayTracks(m_list.get(), false, LibraryTrackIcons(), false, false));
    EXPECT_EQ(1, g_appMessages);
    EXPECT_FALSE(IsWindow(m_list->GetSafeHwnd()));

    // The same for a pumped filter fill.
    std::unique_ptr<CListCtrl> list = MakeList();
    g_destroyOnMessage = list->GetSafeHwnd();
    PostMessageA(m_probe, WM_APP + 3, 0, 0);
    EXPECT_EQ(1, VIZU::DisplayFilteredTracks(list.get(), 23, "", false));
    EXPECT_FALSE(IsWindow(list->GetSafeHwnd()));
}

TEST_F(WorkerTest, AStoppedWorkerFillEndsAndALaterOneRunsWhole)
{
    MakeLibrary(5000);
    CListCtrl* list = m_list.get();
    EXPECT_EQ(0, VIZU::StopWorkerFill(list));   // none under way
    std::atomic<int> result{-1};
    int told = 0;
    {
        tavrix_test::InsertWatch watch(m_list->GetSafeHwnd(), 100, [&] { told = VIZU::StopWorkerFill(list); });
        std::thread worker([&] { result = VIZU::DisplayTracks(list, false, nullptr, false, true); });
        ASSERT_TRUE(PumpUntil([&] { return result.load() >= 0; }, 60000)) << "the stopped fill did not end within 60 s";
        worker.join();
        EXPECT_TRUE(watch.Ran());
    }
    EXPECT_EQ(1, told);
    EXPECT_GT(result.load(), 100);
    EXPECT_LT(result.load(), 5000);
    EXPECT_EQ(result.load(), Rows());
    // The rows that came are whole and in order.
    EXPECT_EQ("Title 0", Text(0, 0));
    EXPECT_EQ("Title 100", Text(100, 0));
    EXPECT_EQ(Rows() - 1, Data(Rows() - 1));

    // A fill after the stop is not affected.
    MakeLibrary(3000);
    result = -1;
    std::thread again([&] { result = VIZU::DisplayTracks(list, false, nullptr, false, true); });
    ASSERT_TRUE(PumpUntil([&] { return result.load() >= 0; }, 60000));
    again.join();
    EXPECT_EQ(3000, result.load());
    ASSERT_EQ(3000, Rows());
    for (int row : {0, 63, 64, 1087, 1088, 2999}) {
        EXPECT_EQ("Title " + std::to_string(row), Text(row, 0));
        EXPECT_EQ(row, Data(row));
    }
}

TEST_F(WorkerTest, AColumnSortOnTheWindowThreadStopsTheWorkersFill)
{
    // What a click on the main list's column header does while the display
    // worker is still filling that list: the library is sorted and the list
    // refilled on the window thread. The worker's later batches must not
    // land in the refilled list.
    MakeLibrary(2000);
    CListCtrl* list = m_list.get();
    std::atomic<int> result{-1};
    int refilled = -1;
    {
        tavrix_test::InsertWatch watch(m_list->GetSafeHwnd(), 100, [&] {
            VIZU::SortTrackListD(7);
            refilled = VIZU::DisplayTracks(list, false, nullptr, false, false);
        });
        std::thread worker([&] { result = VIZU::DisplayTracks(list, false, nullptr, false, true); });
        ASSERT_TRUE(PumpUntil([&] { return result.load() >= 0; }, 60000)) << "the worker's fill did not end within 60 s";
        worker.join();
        ASSERT_TRUE(watch.Ran());
    }
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(2000, refilled);
    EXPECT_LT(result.load(), 2000) << "the worker went on filling";
    ASSERT_EQ(2000, Rows());
    // Exactly the sorted refill: titles from the highest down, each row's
    // data its place in the sorted library.
    EXPECT_EQ("Title 999", Text(0, 0));
    EXPECT_EQ("Title 0", Text(1999, 0));
    int outOfOrder = 0;
    for (int row = 1; row < 2000; ++row)
        if (Text(row - 1, 0) < Text(row, 0) || Data(row) != row)
            ++outOfOrder;
    EXPECT_EQ(0, outOfOrder);
}
