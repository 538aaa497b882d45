// Adding files to the library: one file with its refusals and add log, a
// listed folder, a folder's new files, and the batches of the add wizard
// and the watch-folder scan.
#include "tests/library/import/ImportFixture.h"

#include "library/state/LibrarySettings.h"
#include "framework/ui/CWnd.h"
#include "library/import/TrackImport.h"
#include "library/state/LibraryLock.h"
#include "foundation/xml/XmlMarkup.h"
#include "tests/support/Id3v2Writer.h"

#include <commctrl.h>

#include <atomic>
#include <regex>
#include <thread>

using namespace import_test;

namespace {

const char kStamp[] = R"(\[\d\d/\d\d/\d\d-\d\d:\d\d:\d\d\] )";

std::vector<std::string> LogLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the log ends in a line end";
    return lines;
}

void ExpectLogLine(const std::string& line, const std::string& text)
{
    std::smatch m;
    ASSERT_TRUE(std::regex_search(line, m, std::regex(std::string("^") + kStamp))) << line;
    EXPECT_EQ(text, line.substr(static_cast<size_t>(m.length(0))));
}

// Holds a file open with no sharing: nothing else can read it meanwhile.
class HeldFile
{
public:
    explicit HeldFile(const std::string& path)
        : m_h(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
        EXPECT_NE(INVALID_HANDLE_VALUE, m_h) << path;
    }
    ~HeldFile() { CloseHandle(m_h); }

private:
    HANDLE m_h;
};

void SetAddTracks(const std::vector<std::string>& paths)
{
    m_AddTracks.RemoveAll();
    for (const std::string& p : paths) {
        CString s(p.c_str());
        m_AddTracks.Add(s);
    }
}

CTrackRecord RecordFor(const std::string& path, int index)
{
    CTrackRecord r;
    r.m_FileName = path.c_str();
    r.m_Index = index;
    return r;
}

} // namespace

class AddATrackTest : public ImportTest
{
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        MakeStandardFolder();
    }
};

TEST_F(AddATrackTest, AppendsRecordsWithConsecutiveIndicesFromTheTags)
{
    ASSERT_EQ(0, m_Tracks.GetSize());
    ASSERT_TRUE(VIZU::AddATrack((m_root + "\\Tagged.mp3").c_str(), false));
    ASSERT_TRUE(VIZU::AddATrack((m_root + "\\tone.wav").c_str(), true));
    ASSERT_TRUE(VIZU::AddATrack((m_root + "\\sub\\a.MP3").c_str(), false));
    ASSERT_EQ(3, m_Tracks.GetSize());
    EXPECT_TRUE(VIZU::IsDirty());
    EXPECT_EQ(0, m_ExceptionArray.GetSize());

    const CTrackRecord& tagged = m_Tracks[0];
    EXPECT_EQ(1, tagged.m_Index);
    EXPECT_STREQ((m_root + "\\Tagged.mp3").c_str(), tagged.m_FileName);
    EXPECT_STREQ("Import Title", tagged.m_Title);
    EXPECT_STREQ("Import Artist", tagged.m_Artist);
    EXPECT_STREQ("Import Album", tagged.m_Album);
    EXPECT_STREQ("MP3", tagged.m_FileType);
    EXPECT_EQ(1, tagged.m_Length);

    EXPECT_EQ(2, m_Tracks[1].m_Index);
    EXPECT_STREQ("WAV", m_Tracks[1].m_FileType);
    EXPECT_EQ(3, m_Tracks[2].m_Index);
    EXPECT_STREQ("MP3", m_Tracks[2].m_FileType);
    // Missing tag texts are filled in: no record without a title or artist.
    EXPECT_FALSE(m_Tracks[2].m_Title.IsEmpty());
    EXPECT_FALSE(m_Tracks[2].m_Artist.IsEmpty());
}

// A tag's line breaks and control bytes reach neither the record nor the
// library file, which keeps its line layout and stays well-formed XML.
TEST_F(AddATrackTest, ControlCharactersOfATagReachNeitherTheRecordNorTheFile)
{
    std::string audio;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath("tone440.mp3"), audio));
    const std::string tag = tavrix_test::Id3v2Writer(3)
                                .Text("TIT2", "Night\r\nDrive\x01\x1F")
                                .Text("TPE1", "Tab\tArtist")
                                .Text("TALB", "Al\x0B" "bum & <Co>")
                                .Text("TCON", "Sy\nnth")
                                .Bytes();
    const std::string path = m_root + "\\broken.mp3";
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, tag + audio));
    ASSERT_TRUE(VIZU::AddATrack(path.c_str(), false));
    ASSERT_EQ(1, m_Tracks.GetSize());
    EXPECT_STREQ("Night  Drive", m_Tracks[0].m_Title);
    EXPECT_STREQ("Tab Artist", m_Tracks[0].m_Artist);
    EXPECT_STREQ("Album & <Co>", m_Tracks[0].m_Album);
    EXPECT_STREQ("Sy nth", m_Tracks[0].m_Genre);

    const std::string library = ProgramFile("control.txd");
    ASSERT_EQ(1, VIZU::XML_SaveLib(library.c_str()));
    const std::string text = ReadText(library);
    const std::vector<std::string> lines = tavrix_test::ElementLines(text);
    ASSERT_EQ(13u, lines.size()) << "prolog, root, ten lines of the record, root end";
    EXPECT_EQ("<TI>Night  Drive</TI>", lines[6]);
    XmlMarkup xml;
    EXPECT_TRUE(xml.SetDocument(CString(text)));

    CArray<CTrackRecord, CTrackRecord&> read;
    ASSERT_EQ(1, VIZU::XML_LoadLibToArray(library.c_str(), &read));
    EXPECT_STREQ("Night  Drive", read[0].m_Title);
    EXPECT_STREQ("Album & <Co>", read[0].m_Album);
}

TEST_F(AddATrackTest, TheNextIndexFollowsTheHighestInTheLibrary)
{
    {
        CTrackRecord r = RecordFor("C:\\x.mp3", 41);
        m_Tracks.Add(r);
    }
    {
        CTrackRecord r = RecordFor("C:\\y.mp3", 7);
        m_Tracks.Add(r);
    }
    ASSERT_TRUE(VIZU::AddATrack((m_root + "\\tone.wav").c_str(), false));
    EXPECT_EQ(42, m_Tracks[2].m_Index);
}

TEST_F(AddATrackTest, RefusalsAndTheirExceptionEntries)
{
    const std::string tagged = m_root + "\\Tagged.mp3";
    ASSERT_TRUE(VIZU::AddATrack(tagged.c_str(), false));
    const std::string held = Put("import_plain.mp3", "held.mp3");
    HeldFile holder(held);

    struct Case
    {
        std::string path;
        bool dupes;
        bool added;
        const char* reason;   // null: no entry
    };
    const Case cases[] = {
        {m_root + "\\notes.txt", false, false, nullptr},
        {m_root + "\\no-dot-wav", false, false, "Analyze Failure"},
        {m_root + "\\gone.mp3", false, false, "Analyze Failure"},
        {held, false, false, "Analyze Failure"},
        {tagged, true, false, "Found Dupe Record"},
        {tagged, false, true, nullptr},   // without the test it goes in twice
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        m_ExceptionArray.RemoveAll();
        INT_PTR before = m_Tracks.GetSize();
        EXPECT_EQ(c.added, VIZU::AddATrack(c.path.c_str(), c.dupes));
        EXPECT_EQ(before + (c.added ? 1 : 0), m_Tracks.GetSize());
        if (!c.reason) {
            EXPECT_EQ(0, m_ExceptionArray.GetSize());
            continue;
        }
        // The tag reader may have added its own entry before ours.
        ASSERT_GE(m_ExceptionArray.GetSize(), 1);
        EXPECT_EQ(std::string("[") + c.reason + "]   " + c.path,
                  m_ExceptionArray[m_ExceptionArray.GetSize() - 1].GetString());
    }
    EXPECT_EQ(2, m_Tracks[1].m_Index);
}

TEST_F(AddATrackTest, TheAddLogNamesEachFileBeforeItIsReadAndEachFailure)
{
    SetLogAdds(true);
    const std::string tagged = m_root + "\\Tagged.mp3";
    const std::string held = Put("import_plain.mp3", "held.mp3");
    {
        HeldFile holder(held);
        ASSERT_TRUE(VIZU::AddATrack(tagged.c_str(), false));
        ASSERT_FALSE(VIZU::AddATrack(held.c_str(), false));
        ASSERT_FALSE(VIZU::AddATrack((m_root + "\\notes.txt").c_str(), false));
    }
    std::vector<std::string> lines = LogLines(ReadText(ProgramFile("KVLibAdd.Log")));
    ASSERT_GE(lines.size(), 3u);
    ExpectLogLine(lines[0], tagged);
    ExpectLogLine(lines[1], held);
    // The tag reader may log its own failure between the two.
    ExpectLogLine(lines.back(), "*UNABLE TO ADD: " + held);
    for (const std::string& line : lines)
        EXPECT_EQ(std::string::npos, line.find("notes.txt")) << "other types are not logged";
}

TEST_F(AddATrackTest, WithoutTheSettingNoLogIsWritten)
{
    ASSERT_TRUE(VIZU::AddATrack((m_root + "\\Tagged.mp3").c_str(), false));
    ASSERT_FALSE(VIZU::AddATrack((m_root + "\\gone.mp3").c_str(), false));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(ProgramFile("KVLibAdd.Log").c_str()));
}

// The watch-folder import runs on a worker thread while the window thread
// keeps clearing the exception list and reading the records: every file
// arrives once with its own index, and no record or entry is ever seen torn.
TEST_F(AddATrackTest, AnImportOnAWorkerThreadSharesTheLibraryWithTheWindowThread)
{
    // Missing files are refused at once, so exception entries arrive as
    // fast as the window thread clears them.
    const int kGood = 40, kGone = 1000;
    std::vector<std::string> files;
    for (int i = 0; i < kGood + kGone; ++i) {
        const std::string name = "w" + std::to_string(i) + ".mp3";
        if (i % 25 == 0 && i / 25 < kGood)
            files.push_back(Put("import_plain.mp3", name));
        else
            files.push_back(m_root + "\\gone-" + name);   // refused: "Analyze Failure"
    }
    {
        LibraryLock lock;
        SetAddTracks(files);
    }

    std::atomic<int> added{-1};
    std::thread worker([&] { added = VIZU::WatchAddFiles(nullptr, false); });
    int rounds = 0;
    std::string torn;
    // As fast as it can, answering what the worker sends it meanwhile.
    const DWORD start = GetTickCount();
    while (added.load() < 0 && GetTickCount() - start < 60000) {
        ++rounds;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        VIZU::EmptyExceptionList();
        const int count = VIZU::GetRecordCount();
        for (int i = 0; i < count && torn.empty(); ++i) {
            CTrackRecord r;
            if (!VIZU::GetRecordAtIndex(i, &r) || r.m_Index != i + 1 ||
                r.m_FileName.Find("\\w") < 0)
                torn = "record " + std::to_string(i) + ": " + r.m_FileName.GetString();
        }
        LibraryLock lock;
        for (INT_PTR i = 0; i < m_ExceptionArray.GetSize() && torn.empty(); ++i)
            if (m_ExceptionArray[i].Find("[Analyze Failure]   ") != 0)
                torn = std::string("exception entry: ") + m_ExceptionArray[i].GetString();
    }
    ASSERT_GE(added.load(), 0) << "the import on the worker thread did not end within 60 s";
    worker.join();

    EXPECT_EQ("", torn);
    EXPECT_GT(rounds, 1);
    EXPECT_EQ(kGood, added.load());
    ASSERT_EQ(kGood, VIZU::GetRecordCount());
    std::set<std::string> paths;
    for (int i = 0; i < kGood; ++i) {
        CTrackRecord r;
        ASSERT_TRUE(VIZU::GetRecordAtIndex(i, &r));
        EXPECT_EQ(i + 1, r.m_Index);
        paths.insert(r.m_FileName.GetString());
    }
    for (const std::string& f : files) {
        if (f.find("gone-") == std::string::npos) {
            EXPECT_EQ(1u, paths.count(f)) << f;
        }
    }
    LibraryLock lock;
    EXPECT_EQ(0, m_AddTracks.GetSize());
}

TEST_F(AddATrackTest, AddFolderToLibraryAddsEveryListedFileEvenWhenPresent)
{
    const std::string tagged = m_root + "\\Tagged.mp3";
    ASSERT_TRUE(VIZU::AddATrack(tagged.c_str(), false));
    CArray<CTrackRecord, CTrackRecord&> listing;
    for (const char* name : {"Tagged.mp3", "notes.txt", "tone.wav", "gone.mp3"}) {
        CTrackRecord r = RecordFor(m_root + "\\" + name, 0);
        listing.Add(r);
    }
    EXPECT_EQ(2, VIZU::AddFolderToLibrary("ignored", &listing));
    ASSERT_EQ(3, m_Tracks.GetSize());
    EXPECT_STREQ(tagged.c_str(), m_Tracks[1].m_FileName);
    EXPECT_EQ(2, m_Tracks[1].m_Index);
    EXPECT_EQ(4, listing.GetSize());   // only read

    CArray<CTrackRecord, CTrackRecord&> none;
    EXPECT_EQ(0, VIZU::AddFolderToLibrary("", &none));
    EXPECT_EQ(0, VIZU::AddFolderToLibrary("", nullptr));
}

TEST_F(AddATrackTest, AddNewInFolderToLibraryAddsOnlyNewMusicFilesOfTheFolderItself)
{
    ASSERT_TRUE(VIZU::AddATrack((m_root + "\\Tagged.mp3").c_str(), false));
    Put("import_latin1.mp3", "Second.Mp3");
    EXPECT_EQ(2, VIZU::AddNewInFolderToLibrary(m_root.c_str(), nullptr));
    EXPECT_EQ(3, m_Tracks.GetSize());
    std::set<std::string> paths;
    for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i)
        paths.insert(m_Tracks[i].m_FileName.GetString());
    EXPECT_EQ((std::set<std::string>{m_root + "\\Tagged.mp3", m_root + "\\Second.Mp3",
                                     m_root + "\\tone.wav"}),
              paths);
    // Nothing new the second time; a folder that cannot be listed gives 0.
    EXPECT_EQ(0, VIZU::AddNewInFolderToLibrary(m_root.c_str(), nullptr));
    EXPECT_EQ(0, VIZU::AddNewInFolderToLibrary((m_root + "\\missing").c_str(), nullptr));
    // A folder given with its final backslash gives the same paths.
    Put("import_plain.mp3", "sub\\d.mp3");
    EXPECT_EQ(0, VIZU::AddNewInFolderToLibrary((m_root + "\\").c_str(), nullptr));
    EXPECT_EQ(4, VIZU::AddNewInFolderToLibrary((m_root + "\\sub\\").c_str(), nullptr));
    EXPECT_TRUE(VIZU::IsTrackInLib((m_root + "\\sub\\d.mp3").c_str()));
}

class BatchTest : public AddATrackTest
{
protected:
    void SetUp() override
    {
        AddATrackTest::SetUp();
        page.AddTextItem(IDC_WIZ_ADDSTATUS);
        progress = page.AddProgress(IDC_WIZ_ADDPROGRESS);
        exceptions = page.AddButton(IDC_WIZ_EXCEPTIONS, false);
        ResetProgressSteps();
        wnd.Attach(page.Handle());
    }
    void TearDown() override
    {
        wnd.Detach();
        AddATrackTest::TearDown();
    }
    std::pair<int, int> Range() const
    {
        PBRANGE r = {};
        SendMessageA(progress, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&r));
        return {r.iLow, r.iHigh};
    }
    int Pos() const { return static_cast<int>(SendMessageA(progress, PBM_GETPOS, 0, 0)); }

    Page page;
    CWnd wnd;
    HWND progress = nullptr;
    HWND exceptions = nullptr;
};

TEST_F(BatchTest, WizAddFilesWithNothingCollectedReportsNoneAdded)
{
    m_AddTracks.RemoveAll();
    EXPECT_EQ(0, VIZU::WizAddFiles(&wnd, false, false));
    EXPECT_EQ(" Added 0 songs to DB, 0 exceptions", page.Text(IDC_WIZ_ADDSTATUS));
    EXPECT_EQ(0, ProgressSteps());
    EXPECT_FALSE(IsWindowEnabled(exceptions));
}

TEST_F(BatchTest, WizAddFilesMp3OnlySkipsWavFilesAndStepsForEveryFile)
{
    const std::string wav = Put("import_tone.wav", "a.WAV");
    SetAddTracks({m_root + "\\Tagged.mp3", wav, m_root + "\\sub\\a.MP3"});
    EXPECT_EQ(2, VIZU::WizAddFiles(&wnd, false, true));
    EXPECT_EQ(3, ProgressSteps());
    EXPECT_EQ(std::make_pair(0, 3), Range());
    EXPECT_EQ(0, Pos());
    EXPECT_EQ((std::vector<std::string>{"Adding songs to library [all]...", "",
                                        " Added 2 songs to DB, 0 exceptions"}),
              page.TextsOf(IDC_WIZ_ADDSTATUS));
    EXPECT_FALSE(IsWindowEnabled(exceptions));
    EXPECT_EQ(3, m_AddTracks.GetSize());   // kept for the wizard
    EXPECT_FALSE(VIZU::IsTrackInLib(wav.c_str()));
}

TEST_F(BatchTest, WizAddFilesOnlyNewTakesAPathInAnotherLetterCaseAsNew)
{
    const std::string tagged = m_root + "\\Tagged.mp3";
    const std::string tone = m_root + "\\tone.wav";
    {
        CTrackRecord r = RecordFor(m_root + "\\TAGGED.MP3", 1);
        m_Tracks.Add(r);
    }
    {
        CTrackRecord r = RecordFor(tone, 2);
        m_Tracks.Add(r);
    }
    SetAddTracks({tagged, tone});
    EXPECT_EQ(1, VIZU::WizAddFiles(&wnd, true, false));
    ASSERT_EQ(3, m_Tracks.GetSize());
    EXPECT_STREQ(tagged.c_str(), m_Tracks[2].m_FileName);
    EXPECT_EQ(3, m_Tracks[2].m_Index);
    EXPECT_EQ(2, ProgressSteps());
    EXPECT_EQ("Adding songs to library [only new]...", page.TextsOf(IDC_WIZ_ADDSTATUS).at(0));
    EXPECT_EQ(" Added 1 songs to DB, 0 exceptions", page.Text(IDC_WIZ_ADDSTATUS));
}

TEST_F(BatchTest, WizAddFilesCountsRefusalsAndEnablesTheExceptionsButton)
{
    CString old("[old]   entry");
    m_ExceptionArray.Add(old);
    const std::string gone = m_root + "\\gone.mp3";
    SetAddTracks({gone, m_root + "\\notes.txt", m_root + "\\Tagged.mp3"});
    EXPECT_EQ(1, VIZU::WizAddFiles(&wnd, false, false));
    EXPECT_EQ(" Added 1 songs to DB, 2 exceptions", page.Text(IDC_WIZ_ADDSTATUS));
    EXPECT_TRUE(IsWindowEnabled(exceptions));
    ASSERT_GE(m_ExceptionArray.GetSize(), 1);
    EXPECT_STREQ(("[Analyze Failure]   " + gone).c_str(),
                 m_ExceptionArray[m_ExceptionArray.GetSize() - 1]);
    for (INT_PTR i = 0; i < m_ExceptionArray.GetSize(); ++i)
        EXPECT_STRNE("[old]   entry", m_ExceptionArray[i]);
}

TEST_F(BatchTest, WizAddFilesStopsOnEscapeWhenTheUserSaysSo)
{
    struct Case
    {
        int answer;
        int added;
        const char* status;
    };
    const Case cases[] = {
        {IDOK, 0, "Adding aborted by user"},
        {IDCANCEL, 2, " Added 2 songs to DB, 0 exceptions"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        m_Tracks.RemoveAll();
        m_answerer.texts.clear();
        m_answerer.answer = c.answer;
        SetAddTracks({m_root + "\\Tagged.mp3", m_root + "\\tone.wav"});
        PostMessageA(page.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(c.added, VIZU::WizAddFiles(&wnd, false, false));
        EXPECT_EQ(c.added, m_Tracks.GetSize());
        EXPECT_EQ(c.status, page.Text(IDC_WIZ_ADDSTATUS));
        EXPECT_EQ(std::vector<std::string>{"ABORT?\nPress OK to abort, Cancel to continue"},
                  m_answerer.texts);
    }
}

TEST_F(BatchTest, WizAddFilesProgressRangeHoldsMoreThan65535Files)
{
    // Files of another type are refused at once, without reading anything.
    m_AddTracks.RemoveAll();
    CString other("x.txt");
    for (int i = 0; i < 70000; ++i)
        m_AddTracks.Add(other);
    EXPECT_EQ(0, VIZU::WizAddFiles(&wnd, false, false));
    EXPECT_EQ(std::make_pair(0, 70000), Range());
    EXPECT_EQ(70000, ProgressSteps());
    EXPECT_EQ(" Added 0 songs to DB, 70000 exceptions", page.Text(IDC_WIZ_ADDSTATUS));
}

TEST_F(BatchTest, WatchAddFilesAddsOnlyNewFilesAndEmptiesTheCollection)
{
    const std::string tagged = m_root + "\\Tagged.mp3";
    {
        CTrackRecord r = RecordFor(tagged, 5);
        m_Tracks.Add(r);
    }
    CString old("[old]   entry");
    m_ExceptionArray.Add(old);
    const std::string gone = m_root + "\\gone.mp3";
    SetAddTracks({tagged, m_root + "\\tone.wav", gone, m_root + "\\sub\\c.mp3"});
    EXPECT_EQ(2, VIZU::WatchAddFiles(&wnd, false));
    EXPECT_EQ(0, m_AddTracks.GetSize());
    ASSERT_EQ(3, m_Tracks.GetSize());
    EXPECT_EQ(6, m_Tracks[1].m_Index);
    EXPECT_EQ(7, m_Tracks[2].m_Index);
    ASSERT_GE(m_ExceptionArray.GetSize(), 1);
    EXPECT_STREQ(("[Analyze Failure]   " + gone).c_str(),
                 m_ExceptionArray[m_ExceptionArray.GetSize() - 1]);
    EXPECT_STRNE("[old]   entry", m_ExceptionArray[0]);

    // MP3 only: the WAV file stays out.
    Put("import_tone.wav", "sub\\e.wav");
    SetAddTracks({m_root + "\\sub\\e.wav", m_root + "\\sub\\a.MP3"});
    EXPECT_EQ(1, VIZU::WatchAddFiles(nullptr, true));
    EXPECT_FALSE(VIZU::IsTrackInLib((m_root + "\\sub\\e.wav").c_str()));
    EXPECT_TRUE(VIZU::IsTrackInLib((m_root + "\\sub\\a.MP3").c_str()));
}
