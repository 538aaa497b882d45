// Shared set-up of the playlist tests: the track-list fixture (a library
// object, a window with a report list of track rows), a folder of the
// test's own, prompts answered and remembered, and the files' bytes.
#pragma once

#include "framework/ui/Prompts.h"
#include "library/file/SafeFileWrite.h"
#include "tests/library/tracklist/TrackListFixture.h"

#include <ctime>
#include <string>
#include <vector>

namespace playlist_test {

using tracklist_test::MakeRecord;
using tracklist_test::Track;
using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

// Answers every prompt with OK and remembers the texts.
class Answerer : public CPromptAnswerer
{
public:
    std::vector<std::string> texts;
    int MessageBox(HWND, const char* text, const char*, UINT) override
    {
        texts.push_back(text);
        return IDOK;
    }
};

inline std::string Bytes(const std::string& path)
{
    std::string bytes;
    EXPECT_TRUE(tavrix_test::ReadFileBytes(path, bytes)) << path;
    return bytes;
}

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Today as the files carry it.
inline std::string Today()
{
    time_t now = time(nullptr);
    struct tm local = {};
    char text[16] = {};
    localtime_s(&local, &now);
    strftime(text, sizeof text, "%m/%d/%y", &local);
    return text;
}

// A golden text with its "@DATE@" replaced by the file's date, which must
// be today's (taken before and after the write).
inline std::string WithDate(std::string golden, const std::string& file,
                            const std::string& before)
{
    const size_t at = file.find("Date=\"");
    std::string date = at == std::string::npos ? std::string() : file.substr(at + 6, 8);
    EXPECT_TRUE(date == before || date == Today()) << date;
    golden.replace(golden.find("@DATE@"), 6, date);
    return golden;
}

// Fills records with the tracks (the arrays cannot be copied or moved).
inline void Fill(TrackArray& records, std::initializer_list<Track> tracks)
{
    records.RemoveAll();
    for (const Track& t : tracks) {
        CTrackRecord r = MakeRecord(t);
        records.Add(r);
    }
}

class PlaylistTest : public tracklist_test::TrackListTest
{
protected:
    void SetUp() override
    {
        TrackListTest::SetUp();
        m_previous = AfxSetPromptAnswerer(&m_answerer);
    }
    void TearDown() override
    {
        SetSafeWriteFailAfter(-1);
        AfxSetPromptAnswerer(m_previous);
        TrackListTest::TearDown();
    }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    // No temporary file of a write is left in the folder.
    void ExpectNoTemporaryFiles() const
    {
        WIN32_FIND_DATAA found = {};
        HANDLE search = FindFirstFileA((m_dir.Path() + "\\*").c_str(), &found);
        ASSERT_NE(INVALID_HANDLE_VALUE, search);
        std::vector<std::string> names;
        do {
            names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        for (const std::string& name : names)
            EXPECT_EQ(std::string::npos, name.find(".saving")) << name;
    }

    tavrix_test::TempDir m_dir;
    Answerer m_answerer;
    CPromptAnswerer* m_previous = nullptr;
};

} // namespace playlist_test
