// A library object, a visible top-level window with a report list control,
// records made to order and the list read back through its own messages.
#pragma once

#include "framework/ui/AfxWin.h"
#include "library/api/VIZU.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace tracklist_test {

using tavrix_test::PumpUntil;

struct Track
{
    const char* title = "";
    const char* artist = "";
    const char* album = "";
    const char* genre = "";
    const char* year = "";
    const char* path = "";
    const char* bpm = "";
    int length = 0;
    int index = 0;
    int playCount = 0;
    int hasPicture = 0;
};

CTrackRecord MakeRecord(const Track& t);
void SetLibrary(std::initializer_list<Track> tracks);

// Writes "KVLib.ini" in the program folder (the test's own).
void WriteLibIni(const std::string& text);
std::string LibIniPath();

class TrackListTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new report list in the window (the fixture's list is m_list).
    std::unique_ptr<CListCtrl> MakeList();

    std::string Text(int row, int sub) const { return Text(m_list->GetSafeHwnd(), row, sub); }
    int Image(int row, int sub) const { return Image(m_list->GetSafeHwnd(), row, sub); }
    LPARAM Data(int row) const { return Data(m_list->GetSafeHwnd(), row); }
    int Rows() const { return m_list->GetItemCount(); }

public:
    static std::string Text(HWND list, int row, int sub);
    static int Image(HWND list, int row, int sub);
    static LPARAM Data(HWND list, int row);

protected:
    tavrix_test::ProgramFolderScope m_folder;
    std::unique_ptr<VIZU> m_vizu;
    CWnd m_window;
    std::unique_ptr<CListCtrl> m_list;
};

} // namespace tracklist_test
