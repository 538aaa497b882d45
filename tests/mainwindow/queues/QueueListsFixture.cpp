#include "QueueListsFixture.h"

#include "mainwindow/queues/QueueRules.h"
#include "skin/create/FindSkinControl.h"
#include "skin/file/Skin.h"
#include "skin/tracklist/TrackListRules.h"
#include "tests/support/TestSupport.h"

using tracklist_rules::COL_INDEX;
using tracklist_rules::COL_PATH;

namespace queue_test {

Paths QueuePaths(const std::vector<std::string>& names)
{
    Paths paths;
    for (const std::string& name : names)
        paths.push_back("C:\\q\\" + name + ".mp3");
    return paths;
}

void QueueListsTest::SetUp()
{
    ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"),
                                          "[MSGTEXT]\r\nMSG_BADLINK=Missing file\r\n"
                                          "MSG_BADTRACK=Bad track|not loaded\r\n"));
    ASSERT_TRUE(m_main.Make(10, 10, 900, 700));
    int y = 0;
    for (int type : kListTypes) {
        const int32_t id = TheSkin().LookupControlName(queue_rules::SkinNameOfType(type));
        ASSERT_NE(0, id) << type;
        auto list = std::make_unique<TXVTrackList>();
        ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, y, 880, y + 90),
                                 &m_main, SkinWindowId(id)));
        list->SetOwner(&m_owner);
        list->SetListType(queue_rules::ListCodeOfType(type));
        list_test::AddTrackColumns(*list);
        m_lists[type] = std::move(list);
        y += 95;
    }
    m_queues = std::make_unique<QueueLists>(m_main, m_arrays, m_parts);
    m_queues->SetDecks(&m_decks);
    m_oldMessages = SetMessageDialog(&m_messages);
    m_oldPrompts = AfxSetPromptAnswerer(&m_prompts);
}

void QueueListsTest::TearDown()
{
    SetMessageDialog(m_oldMessages);
    AfxSetPromptAnswerer(m_oldPrompts);
    m_queues.reset();
    m_lists.clear();
    m_main.DestroyWindow();
}

void QueueListsTest::Fill(int type, const Paths& paths)
{
    queue_rules::TrackArray* tracks = queue_rules::ArrayOfType(m_arrays, type);
    ASSERT_NE(nullptr, tracks);
    tracks->RemoveAll();
    int index = 1;
    for (const std::string& path : paths) {
        CTrackRecord record;
        record.m_FileName = path.c_str();
        record.m_Title = path.c_str();
        record.m_Index = index++;
        tracks->Add(record);
    }
    List(type).ShowTracks(*tracks);
}

void QueueListsTest::FillListOnly(int type, const Paths& paths)
{
    queue_rules::TrackArray tracks;
    int index = 1;
    for (const std::string& path : paths) {
        CTrackRecord record;
        record.m_FileName = path.c_str();
        record.m_Index = index++;
        tracks.Add(record);
    }
    List(type).ShowTracks(tracks);
}

void QueueListsTest::Select(int type, const std::vector<int>& rows)
{
    TXVTrackList& list = List(type);
    list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : rows)
        list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

Paths QueueListsTest::RowPaths(int type)
{
    Paths paths;
    TXVTrackList& list = List(type);
    for (int row = 0; row < list.GetItemCount(); ++row)
        paths.push_back(list.GetItemText(row, COL_PATH).GetString());
    return paths;
}

Paths QueueListsTest::ArrayPaths(int type)
{
    Paths paths;
    const queue_rules::TrackArray* tracks = queue_rules::ArrayOfType(m_arrays, type);
    for (INT_PTR i = 0; tracks && i < tracks->GetSize(); ++i)
        paths.push_back((*tracks)[i].m_FileName.GetString());
    return paths;
}

std::vector<int> QueueListsTest::ArrayIndexes(int type)
{
    std::vector<int> indexes;
    const queue_rules::TrackArray* tracks = queue_rules::ArrayOfType(m_arrays, type);
    for (INT_PTR i = 0; tracks && i < tracks->GetSize(); ++i)
        indexes.push_back((*tracks)[i].m_Index);
    return indexes;
}

std::vector<int> QueueListsTest::RowIndexes(int type)
{
    std::vector<int> indexes;
    TXVTrackList& list = List(type);
    for (int row = 0; row < list.GetItemCount(); ++row)
        indexes.push_back(atoi(list.GetItemText(row, COL_INDEX).GetString()));
    return indexes;
}

std::vector<int> QueueListsTest::SelectedRows(int type)
{
    std::vector<int> rows;
    TXVTrackList& list = List(type);
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = list.GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

std::string QueueListsTest::MakeTrack(const std::string& name)
{
    const std::string path = m_dir.File(name);
    EXPECT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("wave_s16_mono_11k.wav"), path));
    return path;
}

std::string QueueListsTest::MakePlaylist(const std::string& name, const Paths& files)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                       "<KelvaneMusicLibrary Version=\"5.00\" Date=\"12/10/26\" Tracks=\"1\">\r\n";
    for (const std::string& file : files)
        text += "<TRK>\r\n<FN>" + file + "</FN>\r\n<TI>" + file + "</TI>\r\n</TRK>\r\n";
    text += "</KelvaneMusicLibrary>\r\n";
    const std::string path = m_dir.File(name);
    EXPECT_TRUE(tavrix_test::WriteFileBytes(path, text));
    return path;
}

} // namespace queue_test
