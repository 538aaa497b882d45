#include "TrackListFixture.h"

#include "framework/ui/Prompts.h"


namespace tracklist_test {

CTrackRecord MakeRecord(const Track& t)
{
    CTrackRecord r;
    r.m_Title = t.title;
    r.m_Artist = t.artist;
    r.m_Album = t.album;
    r.m_Genre = t.genre;
    r.m_Year = t.year;
    r.m_FileName = t.path;
    r.m_BPMText = t.bpm;
    r.m_Length = t.length;
    r.m_Index = t.index;
    r.m_PlayCount = t.playCount;
    r.m_HasPicture = t.hasPicture;
    return r;
}

void SetLibrary(std::initializer_list<Track> tracks)
{
    m_Tracks.RemoveAll();
    for (const Track& t : tracks) {
        CTrackRecord r = MakeRecord(t);
        m_Tracks.Add(r);
    }
}

std::string LibIniPath()
{
    return std::string(VIZU::GetLibINIFilePath().GetString());
}

void WriteLibIni(const std::string& text)
{
    ASSERT_TRUE(tavrix_test::WriteIniFile(LibIniPath(), text)) << LibIniPath();
}

void TrackListTest::SetUp()
{
    AfxSetUnattendedPrompts(TRUE);
    m_vizu = std::make_unique<VIZU>();
    m_Tracks.RemoveAll();
    m_SearchTracks.RemoveAll();
    m_FilteredTracks.RemoveAll();
    ASSERT_TRUE(m_window.CreateEx(0, nullptr, "Track list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                  900, 400, nullptr, nullptr));
    m_list = MakeList();
    ASSERT_TRUE(m_list && m_list->GetSafeHwnd());
}

void TrackListTest::TearDown()
{
    if (m_list && m_list->GetSafeHwnd())
        m_list->DestroyWindow();
    m_list.reset();
    m_window.DestroyWindow();
    m_vizu.reset();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

std::unique_ptr<CListCtrl> TrackListTest::MakeList()
{
    auto list = std::make_unique<CListCtrl>();
    if (!list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 880, 360),
                      &m_window, 100))
        return nullptr;
    VIZU::DisplayListHeader(list.get(), false);
    return list;
}

std::string TrackListTest::Text(HWND list, int row, int sub)
{
    char buffer[1024] = {};
    LVITEMA item = {};
    item.iSubItem = sub;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int TrackListTest::Image(HWND list, int row, int sub)
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = sub;
    item.iImage = -99;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

LPARAM TrackListTest::Data(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = -99;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

} // namespace tracklist_test
