// The library object and its state: open, save, close, the queries, the
// extended properties, the waiting window and the lock, over real files.
#include "library/api/VIZU.h"
#include "tests/library/LibraryTestState.h"

#include "framework/ui/CImageList.h"
#include "framework/win/CFile.h"
#include "library/file/LibraryFileFormat.h"
#include "library/state/LibraryState.h"
#include "library/state/Waiting.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

// A plain library file for these tests: a first line "LIB" (or "BAK" for a
// file that stands for one restored from its backup copy), then one file path
// a line. Anything else is not a library: nothing is loaded.
class LineLibraryFormat : public LibraryFileFormat
{
public:
    std::function<void()> onSave;
    int saves = 0;

    int LoadLib(const CString& path, CArray<CTrackRecord, CTrackRecord&>& tracks) override
    {
        tracks.RemoveAll();   // as the real loader does, before it knows
        std::string text;
        if (!tavrix_test::ReadFileBytes(path.GetString(), text))
            AfxThrowFileException(CFileException::fileNotFound, 2, path);
        std::istringstream in(text);
        std::string line;
        std::getline(in, line);
        if (line != "LIB" && line != "BAK")
            return 1;
        int index = 0;
        while (std::getline(in, line)) {
            CTrackRecord r;
            r.m_FileName = line.c_str();
            r.m_Index = index++;
            tracks.Add(r);
        }
        return text.rfind("BAK", 0) == 0 ? 2 : 0;
    }

    int SaveLib(const CString& path, const CArray<CTrackRecord, CTrackRecord&>& tracks) override
    {
        ++saves;
        if (onSave)
            onSave();
        std::string text = "LIB\n";
        for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
            text += std::string(tracks[i].m_FileName.GetString()) + "\n";
        return tavrix_test::WriteFileBytes(path.GetString(), text)
                   ? static_cast<int>(tracks.GetSize()) : -1;
    }

    void CreateLib(const CString& path) override
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        f.Write("LIB\n", 4);
    }

    bool GetLibInfo(const CString& path, LIB_INFO* info) override
    {
        std::string text;
        if (!tavrix_test::ReadFileBytes(path.GetString(), text) || text.rfind("LIB", 0) != 0)
            return false;
        info->Tracks = 0;
        for (char ch : text)
            info->Tracks += ch == '\n';
        info->Tracks -= 1;
        info->Version = "5.00";
        return true;
    }
};

std::string Lines(std::initializer_list<const char*> paths, const char* head = "LIB")
{
    std::string text = std::string(head) + "\n";
    for (const char* p : paths)
        text += std::string(p) + "\n";
    return text;
}

std::string ReadText(const std::string& path)
{
    std::string text;
    tavrix_test::ReadFileBytes(path, text);
    return text;
}

class LibraryStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = SetLibraryFileFormat(&format);
        vizu = std::make_unique<VIZU>();
    }
    void TearDown() override
    {
        vizu.reset();
        SetLibraryFileFormat(m_previous);
    }

    // A library file in the temporary folder with these tracks.
    std::string MakeLib(const char* name, std::initializer_list<const char*> paths,
                        const char* head = "LIB")
    {
        std::string path = dir.File(name);
        EXPECT_TRUE(tavrix_test::WriteFileBytes(path, Lines(paths, head)));
        return path;
    }

    tavrix_test::TempDir dir;
    LineLibraryFormat format;
    std::unique_ptr<VIZU> vizu;

private:
    LibraryFileFormat* m_previous = nullptr;
};

} // namespace

TEST_F(LibraryStateTest, NothingOpenAfterConstruction)
{
    EXPECT_FALSE(VIZU::IsOpen());
    EXPECT_FALSE(VIZU::IsDirty());
    EXPECT_FALSE(VIZU::HasLibSwitched());
    EXPECT_TRUE(VIZU::GetFullDBPath().IsEmpty());
    EXPECT_TRUE(VIZU::GetLibTitle().IsEmpty());
    EXPECT_TRUE(VIZU::GetActiveLibrary().IsEmpty());
    EXPECT_EQ(0, m_Tracks.GetSize());
    EXPECT_FALSE(VIZU::Close());
    CTrackRecord r;
    EXPECT_FALSE(VIZU::GetTrackPropsEx("x", &r));
    EXPECT_FALSE(VIZU::SetTrackPropsEx("x", &r));
    // Writing to the empty path of no library fails.
    EXPECT_EQ(-1, VIZU::Save(VIZU::GetFullDBPath()));
    EXPECT_TRUE(VIZU::DeleteAllRecords());
    EXPECT_FALSE(VIZU::IsOpen());
    EXPECT_EQ(2, format.saves);
}

TEST_F(LibraryStateTest, ConstructionEmptiesTheArrays)
{
    vizu.reset();
    CTrackRecord r;
    m_Tracks.Add(r);
    m_FilteredTracks.Add(r);
    m_iJukeTracks.Add(r);
    CString s("x");
    m_AddTracks.Add(s);
    m_ExceptionArray.Add(s);
    TestState().thumbnailsArtist = TestState().thumbnailsAlbum = true;
    vizu = std::make_unique<VIZU>();
    EXPECT_FALSE(TestState().thumbnailsArtist);
    EXPECT_FALSE(TestState().thumbnailsAlbum);
    EXPECT_EQ(0, m_Tracks.GetSize());
    EXPECT_EQ(0, m_FilteredTracks.GetSize());
    EXPECT_EQ(0, m_iJukeTracks.GetSize());
    EXPECT_EQ(0, m_AddTracks.GetSize());
    EXPECT_EQ(0, m_ExceptionArray.GetSize());
}

TEST_F(LibraryStateTest, OpenTakesTitleFromAfterTheLastBackslash)
{
    std::string path = MakeLib("My Lib.v2.txd", {"C:\\a.mp3", "C:\\b.mp3"});
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    EXPECT_TRUE(VIZU::IsOpen());
    EXPECT_FALSE(VIZU::IsDirty());
    EXPECT_STREQ(path.c_str(), VIZU::GetFullDBPath());
    EXPECT_STREQ("My Lib.v2.txd", VIZU::GetLibTitle());
    EXPECT_STREQ("My Lib.v2.txd", VIZU::GetActiveLibrary());
    ASSERT_EQ(2, m_Tracks.GetSize());
    EXPECT_STREQ("C:\\b.mp3", m_Tracks[1].m_FileName);
}

TEST_F(LibraryStateTest, OpenOfAPathWithoutBackslashTitlesItWhole)
{
    const char* name = "kvcore-relative.txd";   // in the current folder
    ASSERT_TRUE(tavrix_test::WriteFileBytes(name, Lines({"C:\\a.mp3"})));
    EXPECT_EQ(0, VIZU::Open(name));
    EXPECT_STREQ(name, VIZU::GetLibTitle());
    EXPECT_STREQ(name, VIZU::GetFullDBPath());
    EXPECT_TRUE(VIZU::Close());
    DeleteFileA(name);
}

TEST_F(LibraryStateTest, OpenOfAMissingFileFailsAndChangesNothing)
{
    std::string path = MakeLib("a.txd", {"C:\\a.mp3"});
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    EXPECT_EQ(-1, VIZU::Open(dir.File("missing.txd").c_str()));
    EXPECT_STREQ(path.c_str(), VIZU::GetFullDBPath());
    EXPECT_EQ(1, m_Tracks.GetSize());
}

// Mend: a library that cannot be loaded leaves the open one as it was; an
// emptied array would otherwise be written over the real file.
TEST_F(LibraryStateTest, FailedOpenKeepsTheOpenLibraryItsRecordsAndItsChangedFlag)
{
    std::string good = MakeLib("good.txd", {"C:\\a.mp3", "C:\\b.mp3"});
    std::string bad = dir.File("bad.txd");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(bad, "not a library\n"));
    ASSERT_EQ(0, VIZU::Open(good.c_str()));
    CTrackRecord props;
    props.m_Cue1 = 9;
    ASSERT_TRUE(VIZU::SetTrackPropsEx("C:\\a.mp3", &props));

    EXPECT_EQ(-1, VIZU::Open(bad.c_str()));
    EXPECT_TRUE(VIZU::IsOpen());
    EXPECT_TRUE(VIZU::IsDirty());
    EXPECT_STREQ(good.c_str(), VIZU::GetFullDBPath());
    EXPECT_STREQ("good.txd", VIZU::GetLibTitle());
    ASSERT_EQ(2, m_Tracks.GetSize());
    EXPECT_EQ(9, m_Tracks[0].m_Cue1);

    EXPECT_TRUE(VIZU::Close());
    EXPECT_EQ(Lines({"C:\\a.mp3", "C:\\b.mp3"}), ReadText(good));
}

TEST_F(LibraryStateTest, FailedLoadKeepsTheRecords)
{
    std::string good = MakeLib("good.txd", {"C:\\a.mp3"});
    std::string bad = dir.File("bad.txd");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(bad, "junk"));
    ASSERT_EQ(0, VIZU::Open(good.c_str()));
    EXPECT_EQ(-1, VIZU::Load(bad.c_str()));
    EXPECT_EQ(1, m_Tracks.GetSize());
    EXPECT_EQ(0, VIZU::Load(MakeLib("other.txd", {"C:\\x.mp3", "C:\\y.mp3"}).c_str()));
    EXPECT_EQ(2, m_Tracks.GetSize());
    EXPECT_STREQ(good.c_str(), VIZU::GetFullDBPath());   // Load changes no path
    EXPECT_FALSE(VIZU::IsDirty());
}

TEST_F(LibraryStateTest, AFileErrorWhileLoadingReachesTheCallerAndKeepsTheRecords)
{
    std::string good = MakeLib("good.txd", {"C:\\a.mp3"});
    ASSERT_EQ(0, VIZU::Open(good.c_str()));
    // Exists, yet the reader cannot open it: a folder.
    std::string folder = dir.File("folder.txd");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_THROW(VIZU::Open(folder.c_str()), CFileException);
    EXPECT_EQ(1, m_Tracks.GetSize());
    EXPECT_STREQ(good.c_str(), VIZU::GetFullDBPath());
}

TEST_F(LibraryStateTest, ALibraryRestoredFromItsBackupIsChangedAndCloseWritesIt)
{
    std::string path = MakeLib("lib.txd", {"C:\\a.mp3"}, "BAK");
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    EXPECT_TRUE(VIZU::IsDirty());
    EXPECT_TRUE(VIZU::Close());
    EXPECT_EQ(Lines({"C:\\a.mp3"}), ReadText(path));
    EXPECT_FALSE(VIZU::IsOpen());
    EXPECT_FALSE(VIZU::IsDirty());
    EXPECT_EQ(0, m_Tracks.GetSize());
}

TEST_F(LibraryStateTest, CloseTwiceAnswersFalseTheSecondTime)
{
    ASSERT_EQ(0, VIZU::Open(MakeLib("a.txd", {"C:\\a.mp3"}).c_str()));
    VIZU::SetInitialLibPath("C:\\start");
    EXPECT_TRUE(VIZU::Close());
    EXPECT_EQ(0, format.saves);   // unchanged: not written
    EXPECT_FALSE(VIZU::Close());
    EXPECT_TRUE(VIZU::GetFullDBPath().IsEmpty());
    EXPECT_TRUE(VIZU::GetLibTitle().IsEmpty());
}

// Mend: a changed library whose save fails stays open with everything.
TEST_F(LibraryStateTest, CloseWhoseSaveFailsKeepsTheLibraryOpen)
{
    std::string path = MakeLib("a.txd", {"C:\\a.mp3"});
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    CTrackRecord props;
    props.m_Cue2 = 5;
    ASSERT_TRUE(VIZU::SetTrackPropsEx("C:\\a.mp3", &props));
    // Another program holds the file open, sharing nothing.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    EXPECT_FALSE(VIZU::Close());
    EXPECT_TRUE(VIZU::IsOpen());
    EXPECT_TRUE(VIZU::IsDirty());
    EXPECT_STREQ(path.c_str(), VIZU::GetFullDBPath());
    ASSERT_EQ(1, m_Tracks.GetSize());
    EXPECT_EQ(5, m_Tracks[0].m_Cue2);

    CloseHandle(held);
    EXPECT_TRUE(VIZU::Close());
    EXPECT_EQ(Lines({"C:\\a.mp3"}), ReadText(path));
    EXPECT_FALSE(VIZU::IsOpen());
}

TEST_F(LibraryStateTest, SavingAnEmptyLibraryWritesNoTrackAndClearsTheFlag)
{
    std::string path = MakeLib("a.txd", {"C:\\a.mp3"});
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    EXPECT_TRUE(VIZU::DeleteAllRecords());
    EXPECT_EQ(0, m_Tracks.GetSize());
    EXPECT_EQ("LIB\n", ReadText(path));
    EXPECT_FALSE(VIZU::IsDirty());
}

TEST_F(LibraryStateTest, SaveThatCannotWriteFailsAndKeepsTheFlag)
{
    ASSERT_EQ(0, VIZU::Open(MakeLib("a.txd", {"C:\\a.mp3"}).c_str()));
    CTrackRecord props;
    ASSERT_TRUE(VIZU::SetTrackPropsEx("C:\\a.mp3", &props));
    EXPECT_EQ(-1, VIZU::Save(dir.File("no-such-folder\\a.txd").c_str()));
    EXPECT_TRUE(VIZU::IsDirty());
    EXPECT_EQ(0, VIZU::Save(dir.File("copy.txd").c_str()));
    EXPECT_FALSE(VIZU::IsDirty());
}

TEST_F(LibraryStateTest, CreateWritesAnEmptyLibraryWithoutOpeningIt)
{
    std::string path = dir.File("new.txd");
    EXPECT_TRUE(VIZU::Create(path.c_str()));
    EXPECT_EQ("LIB\n", ReadText(path));
    EXPECT_FALSE(VIZU::IsOpen());
    EXPECT_THROW(VIZU::Create(dir.File("missing\\new.txd").c_str()), CFileException);
}

TEST_F(LibraryStateTest, WithoutALibraryFileFormatNothingIsReadOrWritten)
{
    SetLibraryFileFormat(nullptr);
    std::string path = MakeLib("a.txd", {"C:\\a.mp3"});
    EXPECT_EQ(-1, VIZU::Open(path.c_str()));
    EXPECT_FALSE(VIZU::IsOpen());
    EXPECT_EQ(-1, VIZU::Save(path.c_str()));
    EXPECT_FALSE(VIZU::Create(dir.File("b.txd").c_str()));
    EXPECT_FALSE(VIZU::Exists(dir.File("b.txd").c_str()));
    SetLibraryFileFormat(&format);
}

TEST_F(LibraryStateTest, TrackPropsAreFoundAnywhereByExactPath)
{
    ASSERT_EQ(0, VIZU::Open(MakeLib("a.txd", {"C:\\first.mp3", "C:\\mid.mp3", "C:\\last.mp3"}).c_str()));
    struct Case { const char* path; bool found; };
    const Case cases[] = {
        {"C:\\first.mp3", true}, {"C:\\mid.mp3", true}, {"C:\\last.mp3", true},
        {"c:\\first.mp3", false}, {"C:\\LAST.MP3", false}, {"", false}, {"C:\\other.mp3", false},
    };
    for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i) {
        m_Tracks[i].m_Cue1 = static_cast<int32_t>(10 + i);
        m_Tracks[i].m_Cue1Name.Format("cue%d", static_cast<int>(i));
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CTrackRecord out;
        out.m_Title = "kept";
        out.m_Cue1 = -1;
        EXPECT_EQ(c.found, VIZU::GetTrackPropsEx(c.path, &out));
        EXPECT_STREQ("kept", out.m_Title);
        if (c.found)
            EXPECT_NE(-1, out.m_Cue1);
        else
            EXPECT_EQ(-1, out.m_Cue1);
    }
    CTrackRecord out;
    ASSERT_TRUE(VIZU::GetTrackPropsEx("C:\\last.mp3", &out));
    EXPECT_EQ(12, out.m_Cue1);
    EXPECT_STREQ("cue2", out.m_Cue1Name);
}

TEST_F(LibraryStateTest, GetTrackPropsCopiesOnlyTheSevenExtendedMembers)
{
    ASSERT_EQ(0, VIZU::Open(MakeLib("a.txd", {"C:\\a.mp3"}).c_str()));
    CTrackRecord& lib = m_Tracks[0];
    lib.m_Cue1 = 1; lib.m_Cue2 = 2; lib.m_Start = 3; lib.m_Volume = 4; lib.m_Reserved1 = 5;
    lib.m_Cue1Name = "one"; lib.m_Cue2Name = "two";
    lib.m_End = 6; lib.m_Length = 7; lib.m_Title = "lib title"; lib.m_Reserved2 = 8;
    CTrackRecord out;
    ASSERT_TRUE(VIZU::GetTrackPropsEx("C:\\a.mp3", &out));
    EXPECT_EQ(1, out.m_Cue1);
    EXPECT_EQ(2, out.m_Cue2);
    EXPECT_EQ(3, out.m_Start);
    EXPECT_EQ(4, out.m_Volume);
    EXPECT_EQ(5, out.m_Reserved1);
    EXPECT_STREQ("one", out.m_Cue1Name);
    EXPECT_STREQ("two", out.m_Cue2Name);
    EXPECT_EQ(0, out.m_End);
    EXPECT_EQ(0, out.m_Length);
    EXPECT_EQ(0, out.m_Reserved2);
    EXPECT_TRUE(out.m_Title.IsEmpty());
    EXPECT_TRUE(out.m_FileName.IsEmpty());
}

TEST_F(LibraryStateTest, SetTrackPropsChangesOnlyTheMatchAndMarksTheLibraryChanged)
{
    ASSERT_EQ(0, VIZU::Open(MakeLib("a.txd", {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"}).c_str()));
    CTrackRecord in;
    in.m_Cue1 = 11; in.m_Cue2 = 22; in.m_Start = 33; in.m_Volume = 44; in.m_Reserved1 = 55;
    in.m_Cue1Name = "A"; in.m_Cue2Name = "B";
    in.m_End = 99; in.m_Title = "not copied"; in.m_FileName = "C:\\z.mp3"; in.m_PlayCount = 77;
    EXPECT_FALSE(VIZU::SetTrackPropsEx("C:\\B.mp3", &in));
    EXPECT_FALSE(VIZU::IsDirty());
    ASSERT_TRUE(VIZU::SetTrackPropsEx("C:\\b.mp3", &in));
    EXPECT_TRUE(VIZU::IsDirty());
    const CTrackRecord& b = m_Tracks[1];
    EXPECT_EQ(11, b.m_Cue1);
    EXPECT_EQ(22, b.m_Cue2);
    EXPECT_EQ(33, b.m_Start);
    EXPECT_EQ(44, b.m_Volume);
    EXPECT_EQ(55, b.m_Reserved1);
    EXPECT_STREQ("A", b.m_Cue1Name);
    EXPECT_STREQ("B", b.m_Cue2Name);
    EXPECT_EQ(0, b.m_End);
    EXPECT_EQ(0, b.m_PlayCount);
    EXPECT_TRUE(b.m_Title.IsEmpty());
    EXPECT_STREQ("C:\\b.mp3", b.m_FileName);
    for (INT_PTR i : {0, 2}) {
        EXPECT_EQ(0, m_Tracks[i].m_Cue1);
        EXPECT_EQ(100, m_Tracks[i].m_Volume);
        EXPECT_TRUE(m_Tracks[i].m_Cue1Name.IsEmpty());
    }
}

TEST_F(LibraryStateTest, ProgramFolderPathsAndFixedAnswers)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folder(exe);
    folder.resize(folder.rfind('\\') + 1);
    EXPECT_STREQ(folder.c_str(), VIZU::GetLibDLLPath());
    EXPECT_STREQ((folder + "KVLib.ini").c_str(), VIZU::GetLibINIFilePath());
    {
        // The program folder moved elsewhere takes the library's files along.
        tavrix_test::ProgramFolderScope moved;
        EXPECT_EQ(moved.Path() + "\\", std::string(VIZU::GetLibDLLPath().GetString()));
        EXPECT_EQ(moved.File("KVLib.ini"), std::string(VIZU::GetLibINIFilePath().GetString()));
    }
    EXPECT_STREQ(folder.c_str(), VIZU::GetLibDLLPath());
    EXPECT_STREQ("5.00", VIZU::GetDBVersion());
    EXPECT_EQ(0, vizu->JustDumb());
    EXPECT_EQ(0, VIZU::FindGenre("Rock"));
}

TEST_F(LibraryStateTest, ASecondObjectLeavesTheFirstObjectsLibraryAlone)
{
    std::string path = MakeLib("a.txd", {"C:\\a.mp3"});
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    HWND waiting = LibraryWaitingWindow()->GetSafeHwnd();
    {
        VIZU second;
        EXPECT_TRUE(VIZU::IsOpen());
        EXPECT_EQ(1, m_Tracks.GetSize());
        EXPECT_EQ(waiting, LibraryWaitingWindow()->GetSafeHwnd());
    }
    EXPECT_TRUE(VIZU::IsOpen());
    EXPECT_EQ(1, m_Tracks.GetSize());
    EXPECT_TRUE(IsWindow(waiting));
}

TEST_F(LibraryStateTest, DestructionSavesAChangedLibraryAndEmptiesTheArrays)
{
    std::string path = MakeLib("a.txd", {"C:\\a.mp3"});
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    m_Tracks[0].m_FileName = "C:\\renamed.mp3";
    CTrackRecord props;
    ASSERT_TRUE(VIZU::SetTrackPropsEx("C:\\renamed.mp3", &props));
    CTrackRecord r;
    m_SearchTracks.Add(r);
    m_AlbumArray.Add(*std::make_unique<tagAlbumDescriptor>());
    HWND waiting = LibraryWaitingWindow()->GetSafeHwnd();
    vizu.reset();
    EXPECT_EQ(Lines({"C:\\renamed.mp3"}), ReadText(path));
    EXPECT_FALSE(VIZU::IsOpen());
    EXPECT_EQ(0, m_Tracks.GetSize());
    EXPECT_EQ(0, m_SearchTracks.GetSize());
    EXPECT_EQ(0, m_AlbumArray.GetSize());
    EXPECT_FALSE(IsWindow(waiting));
    EXPECT_EQ(nullptr, LibraryWaitingWindow());
}

TEST_F(LibraryStateTest, ThePathConstructorOpensTheLibrary)
{
    std::string path = MakeLib("a.txd", {"C:\\a.mp3", "C:\\b.mp3"});
    vizu.reset();
    vizu = std::make_unique<VIZU>(CString(path.c_str()));
    EXPECT_TRUE(VIZU::IsOpen());
    EXPECT_EQ(2, m_Tracks.GetSize());
    EXPECT_FALSE(VIZU::HasLibSwitched());
}

TEST_F(LibraryStateTest, TheWaitingWindowIsModelessHiddenAndOwnedByNoWindow)
{
    Waiting* w = LibraryWaitingWindow();
    ASSERT_NE(nullptr, w);
    HWND h = w->GetSafeHwnd();
    ASSERT_TRUE(IsWindow(h));
    EXPECT_FALSE(w->IsModal());
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_EQ(nullptr, GetParent(h));
    EXPECT_EQ(nullptr, GetWindow(h, GW_OWNER));
    HWND text = GetDlgItem(h, 7181);
    HWND anim = GetDlgItem(h, 7182);
    ASSERT_NE(nullptr, text);
    ASSERT_NE(nullptr, anim);
    char cls[64] = {};
    GetClassNameA(anim, cls, sizeof cls);
    EXPECT_STREQ("SysAnimate32", cls);
}

TEST_F(LibraryStateTest, SaveShowsItsTextInTheWaitingWindowAndHidesItAfter)
{
    ASSERT_EQ(0, VIZU::Open(MakeLib("a.txd", {"C:\\a.mp3"}).c_str()));
    HWND h = LibraryWaitingWindow()->GetSafeHwnd();
    bool visible = false;
    char text[64] = {};
    format.onSave = [&] {
        visible = IsWindowVisible(h) != 0;
        GetDlgItemTextA(h, 7181, text, sizeof text);
    };
    EXPECT_EQ(0, VIZU::Save(VIZU::GetFullDBPath()));
    EXPECT_TRUE(visible);
    EXPECT_STREQ("Saving Library...", text);
    EXPECT_FALSE(IsWindowVisible(h));
}

TEST_F(LibraryStateTest, TheTrackIconListHoldsSeventeenMaskedImages)
{
    CImageList* icons = LibraryTrackIcons();
    ASSERT_NE(nullptr, icons);
    EXPECT_EQ(17, icons->GetImageCount());
    int cx = 0, cy = 0;
    ASSERT_TRUE(icons->GetIconSize(cx, cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(17, cy);
    IMAGEINFO info = {};
    ASSERT_TRUE(icons->GetImageInfo(0, &info));
    EXPECT_NE(nullptr, info.hbmMask);
}

namespace {

// A window whose handler calls back into the library, as a window of the
// program may while a library loop pumps messages.
constexpr UINT kCallLibrary = WM_APP + 1;
int g_reentryResults = 0;
int g_reentryCalls = 0;

LRESULT CALLBACK ReenteringProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == kCallLibrary) {
        ++g_reentryCalls;
        g_reentryResults += VIZU::Close() ? 1 : 0;
        g_reentryResults += VIZU::SetTrackPropsEx("C:\\a.mp3", reinterpret_cast<CTrackRecord*>(l)) ? 1 : 0;
        g_reentryResults += VIZU::Save("C:\\elsewhere.txd") == 0 ? 1 : 0;
        g_reentryResults += VIZU::IsOpen() ? 10 : 0;   // reading is allowed
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

HWND MakeWindow(WNDPROC proc, const char* name)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return CreateWindowA(name, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

// Waits for a handle while answering messages sent to this thread.
bool WaitAnswering(HANDLE h, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD left = timeoutMs - (GetTickCount() - start);
        if (GetTickCount() - start >= timeoutMs)
            return false;
        DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, left, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0)
            return true;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

// Mend: a mutating call that re-enters through the message pump while
// another one runs is refused instead of pulling the state from under it.
TEST_F(LibraryStateTest, MutatingCallsReenteredThroughThePumpAreRefused)
{
    std::string path = MakeLib("a.txd", {"C:\\a.mp3"});
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    HWND h = MakeWindow(ReenteringProc, "KVCoreReentering");
    ASSERT_NE(nullptr, h);
    CTrackRecord props;
    props.m_Cue1 = 42;
    g_reentryCalls = g_reentryResults = 0;
    PostMessageA(h, kCallLibrary, 0, reinterpret_cast<LPARAM>(&props));
    EXPECT_EQ(0, VIZU::Save(path.c_str()));   // pumps: the handler runs inside
    EXPECT_EQ(1, g_reentryCalls);
    EXPECT_EQ(10, g_reentryResults);
    EXPECT_TRUE(VIZU::IsOpen());
    EXPECT_EQ(0, m_Tracks[0].m_Cue1);
    EXPECT_FALSE(VIZU::Exists("C:\\elsewhere.txd"));
    DestroyWindow(h);

    // Outside a running call the same calls work.
    EXPECT_TRUE(VIZU::SetTrackPropsEx("C:\\a.mp3", &props));
    EXPECT_EQ(42, m_Tracks[0].m_Cue1);
}

namespace {

constexpr UINT kFromWorker = WM_APP + 2;
int g_sentAnswered = 0;

LRESULT CALLBACK AnsweringProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == kFromWorker) {
        ++g_sentAnswered;
        return 7;
    }
    return DefWindowProcA(h, m, w, l);
}

struct WorkerData
{
    HWND target;
    HANDLE inSave;
    CString path;
    LRESULT answer = 0;
    int saved = -2;
};

DWORD WINAPI SavingWorker(LPVOID p)
{
    WorkerData* d = static_cast<WorkerData*>(p);
    d->saved = VIZU::Save(d->path);
    return 0;
}

} // namespace

// Mend: the window thread waiting for the lock keeps answering a worker that
// holds the lock and sends to it; neither waits for ever.
TEST_F(LibraryStateTest, AWindowThreadWaitingForTheLockAnswersAWorkerThatSendsToIt)
{
    std::string path = MakeLib("a.txd", {"C:\\a.mp3"});
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    HWND h = MakeWindow(AnsweringProc, "KVCoreAnswering");
    ASSERT_NE(nullptr, h);
    WorkerData d;
    d.target = h;
    d.path = path.c_str();
    d.inSave = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    format.onSave = [&] {
        SetEvent(d.inSave);
        WaitForSingleObject(go, 5000);   // the window thread is now at the lock
        d.answer = SendMessageA(d.target, kFromWorker, 0, 0);
    };
    g_sentAnswered = 0;
    HANDLE thread = CreateThread(nullptr, 0, SavingWorker, &d, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_TRUE(WaitAnswering(d.inSave, 10000));
    SetEvent(go);
    EXPECT_TRUE(VIZU::IsOpen());   // waits for the worker's lock
    ASSERT_TRUE(WaitAnswering(thread, 10000));
    EXPECT_EQ(1, g_sentAnswered);
    EXPECT_EQ(7, d.answer);
    EXPECT_EQ(0, d.saved);
    CloseHandle(thread);
    CloseHandle(go);
    CloseHandle(d.inSave);
    format.onSave = nullptr;
    DestroyWindow(h);
}

namespace {

struct AddingWorker
{
    int thread;
    int added = 0;
};

DWORD WINAPI AddRecords(LPVOID p)
{
    AddingWorker* w = static_cast<AddingWorker*>(p);
    for (int i = 0; i < 400; ++i) {
        CTrackRecord record;
        record.m_Index = w->thread * 1000 + i;
        record.m_FileName.Format("C:\\t%d\\%d.mp3", w->thread, i);
        if (VIZU::AddRecord(record))
            ++w->added;
        VIZU::GetRecordCount();   // a reader between the writers
    }
    return 0;
}

} // namespace

// Threads adding at once each get the lock in turn (the release wakes a
// waiting thread only when one is counted as waiting): nothing is lost or
// torn, and every thread finishes.
TEST_F(LibraryStateTest, ThreadsAddingAtOnceTakeTheLockInTurn)
{
    AddingWorker workers[4] = {{0}, {1}, {2}, {3}};
    HANDLE threads[4];
    for (int t = 0; t < 4; ++t) {
        threads[t] = CreateThread(nullptr, 0, AddRecords, &workers[t], 0, nullptr);
        ASSERT_NE(nullptr, threads[t]);
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(4, threads, TRUE, 60000));
    for (HANDLE h : threads)
        CloseHandle(h);
    ASSERT_EQ(1600, VIZU::GetRecordCount());
    std::set<int> indices;
    for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i) {
        const CTrackRecord& r = m_Tracks[i];
        CString expected;
        expected.Format("C:\\t%d\\%d.mp3", r.m_Index / 1000, r.m_Index % 1000);
        EXPECT_EQ(expected, r.m_FileName);
        indices.insert(r.m_Index);
    }
    EXPECT_EQ(1600u, indices.size());
    for (const AddingWorker& w : workers)
        EXPECT_EQ(400, w.added);
}

TEST_F(LibraryStateTest, LibFileInfoTakesCountAndVersionFromTheFormatOrShowsNA)
{
    std::string lib = MakeLib("a.txd", {"C:\\a.mp3", "C:\\b.mp3"});
    LIB_INFO info;
    GetLibFileInfo(lib.c_str(), &info);
    EXPECT_EQ(2, info.Tracks);
    EXPECT_STREQ("5.00", info.Version);
    EXPECT_EQ(static_cast<int32_t>(ReadText(lib).size()), info.FileSize);
    EXPECT_FALSE(info.Created.IsEmpty());
    EXPECT_FALSE(info.Modified.IsEmpty());

    std::string junk = dir.File("junk.txd");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(junk, "junk"));
    LIB_INFO bad;
    bad.Tracks = 5;
    GetLibFileInfo(junk.c_str(), &bad);
    EXPECT_EQ(0, bad.Tracks);
    EXPECT_STREQ("N/A", bad.Version);
    EXPECT_EQ(4, bad.FileSize);
}
