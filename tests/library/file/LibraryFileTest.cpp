// The library file on disk: its exact bytes, saving and loading, the
// recovery from the backup copy, the header, the reader into any array,
// creation, and the tempo text.
#include "library/api/VIZU.h"

#include "framework/core/Exceptions.h"
#include "library/file/LibraryFileFormat.h"
#include "library/state/LibraryState.h"
#include "library/file/SafeFileWrite.h"
#include "tests/library/file/LibraryFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <ctime>
#include <memory>
#include <string>

using tavrix_test::ReadFileBytes;
using tavrix_test::TempDir;
using tavrix_test::WriteFileBytes;

namespace {

const char* const kProlog = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";
const char* const kRecover =
    "An error ocurred when loading your music library.\n\nWould you like to reload your last "
    "saved version?";

std::string Today()
{
    time_t now = time(nullptr);
    char text[16] = {};
    strftime(text, sizeof text, "%m/%d/%y", localtime(&now));
    return text;
}

std::string ReadText(const std::string& path)
{
    std::string text;
    EXPECT_TRUE(ReadFileBytes(path, text)) << path;
    return text;
}

// A library file text with these TRK elements (already written lines).
std::string LibraryText(const std::string& tracks, int count)
{
    std::string text = std::string(kProlog) + "<KelvaneMusicLibrary Version=\"5.00\" Date=\"01/02/03\" Tracks=\""
                       + std::to_string(count) + "\"" + (tracks.empty() ? "/>\r\n" : ">\r\n");
    if (!tracks.empty())
        text += tracks + "</KelvaneMusicLibrary>\r\n";
    return text;
}

std::string Trk(const std::string& path, const std::string& title, const std::string& nu)
{
    return "<TRK>\r\n<FN>" + path + "</FN>\r\n<AR>Artist</AR>\r\n<AL>Album</AL>\r\n<TI>" + title
           + "</TI>\r\n<GE>House</GE>\r\n<BI FT=\"MP3\" BP=\"12000\" YR=\"1999\"/>\r\n" + nu
           + "\r\n<CU C1=\"5\" C1N=\"in\" C2=\"9\" C2N=\"out\"/>\r\n</TRK>\r\n";
}

const std::string kNu = "<NU ID=\"7\" LE=\"200\" PC=\"3\" HP=\"1\" VL=\"90\" SP=\"2\" EP=\"199\"/>";

CTrackRecord FullTrack()
{
    CTrackRecord r;
    r.m_FileName = "C:\\Music\\a & b.mp3";
    r.m_Artist = "Art <1>";
    r.m_Album = "Album";
    r.m_Title = "Title";
    r.m_Genre = "House";
    r.m_FileType = "MP3";
    r.m_BPMText = "128.50";
    r.m_Year = "1999";
    r.m_Index = 7;
    r.m_Length = 200;
    r.m_PlayCount = 3;
    r.m_HasPicture = 1;
    r.m_Volume = 90;
    r.m_Start = 2;
    r.m_End = 199;
    r.m_Cue1 = 5;
    r.m_Cue1Name = "say \"hi\"";
    r.m_Cue2 = 9;
    r.m_Cue2Name = "it's";
    return r;
}

void ExpectStoredEqual(const CTrackRecord& a, const CTrackRecord& b)
{
    EXPECT_STREQ(a.m_FileName, b.m_FileName);
    EXPECT_STREQ(a.m_Artist, b.m_Artist);
    EXPECT_STREQ(a.m_Album, b.m_Album);
    EXPECT_STREQ(a.m_Title, b.m_Title);
    EXPECT_STREQ(a.m_Genre, b.m_Genre);
    EXPECT_STREQ(a.m_FileType, b.m_FileType);
    EXPECT_STREQ(a.m_BPMText, b.m_BPMText);
    EXPECT_STREQ(a.m_Year, b.m_Year);
    EXPECT_EQ(a.m_Index, b.m_Index);
    EXPECT_EQ(a.m_Length, b.m_Length);
    EXPECT_EQ(a.m_PlayCount, b.m_PlayCount);
    EXPECT_EQ(a.m_HasPicture, b.m_HasPicture);
    EXPECT_EQ(a.m_Volume, b.m_Volume);
    EXPECT_EQ(a.m_Start, b.m_Start);
    EXPECT_EQ(a.m_End, b.m_End);
    EXPECT_EQ(a.m_Cue1, b.m_Cue1);
    EXPECT_STREQ(a.m_Cue1Name, b.m_Cue1Name);
    EXPECT_EQ(a.m_Cue2, b.m_Cue2);
    EXPECT_STREQ(a.m_Cue2Name, b.m_Cue2Name);
}

class LibraryFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = SetLibraryFileFormat(DefaultLibraryFileFormat());
        vizu = std::make_unique<VIZU>();
    }
    void TearDown() override
    {
        VIZU::Close();
        vizu.reset();
        SetLibraryFileFormat(m_previous);
    }

    std::string Write(const char* name, const std::string& text)
    {
        std::string path = dir.File(name);
        EXPECT_TRUE(WriteFileBytes(path, text));
        return path;
    }

    TempDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<VIZU> vizu;

private:
    LibraryFileFormat* m_previous = nullptr;
};

} // namespace

TEST_F(LibraryFile, EmptyLibraryIsTwoLines)
{
    const std::string expected = std::string(kProlog)
        + "<KelvaneMusicLibrary Version=\"5.00\" Date=\"" + Today() + "\" Tracks=\"0\"/>\r\n";
    const std::string created = dir.File("created.txd");
    EXPECT_TRUE(VIZU::XML_CreateLib(created.c_str()));
    EXPECT_EQ(expected, ReadText(created));

    const std::string saved = dir.File("saved.txd");
    m_Tracks.RemoveAll();
    EXPECT_EQ(0, VIZU::XML_SaveLib(saved.c_str()));
    EXPECT_EQ(expected, ReadText(saved));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(LibraryFile, OneTrackLibraryBytes)
{
    CTrackRecord r = FullTrack();
    r.m_Album = "";   // an empty text is an empty element
    m_Tracks.RemoveAll();
    m_Tracks.Add(r);
    const std::string path = dir.File("one.txd");
    EXPECT_EQ(1, VIZU::XML_SaveLib(path.c_str()));
    const std::string expected = std::string(kProlog)
        + "<KelvaneMusicLibrary Version=\"5.00\" Date=\"" + Today() + "\" Tracks=\"1\">\r\n"
        + "<TRK>\r\n"
        + "<FN>C:\\Music\\a &amp; b.mp3</FN>\r\n"
        + "<AR>Art &lt;1&gt;</AR>\r\n"
        + "<AL/>\r\n"
        + "<TI>Title</TI>\r\n"
        + "<GE>House</GE>\r\n"
        + "<BI FT=\"MP3\" BP=\"128.50\" YR=\"1999\"/>\r\n"
        + "<NU ID=\"7\" LE=\"200\" PC=\"3\" HP=\"1\" VL=\"90\" SP=\"2\" EP=\"199\"/>\r\n"
        + "<CU C1=\"5\" C1N=\"say &quot;hi&quot;\" C2=\"9\" C2N=\"it&apos;s\"/>\r\n"
        + "</TRK>\r\n"
        + "</KelvaneMusicLibrary>\r\n";
    EXPECT_EQ(expected, ReadText(path));
}

TEST_F(LibraryFile, SaveAndLoadGiveTheStoredMembersBack)
{
    m_Tracks.RemoveAll();
    CTrackRecord a = FullTrack();
    a.m_BPM = 128;       // not stored
    a.m_Played = 1;      // not stored
    a.m_Bitrate = 320;   // not stored
    CTrackRecord b = FullTrack();
    b.m_FileName = "C:\\b.mp3";
    b.m_Title = "<&>'\"";
    b.m_BPMText = "12000";
    CTrackRecord c;      // everything empty
    c.m_FileName = "C:\\c.wav";
    m_Tracks.Add(a);
    m_Tracks.Add(b);
    m_Tracks.Add(c);
    const std::string path = dir.File("round.txd");
    ASSERT_EQ(3, VIZU::XML_SaveLib(path.c_str()));
    m_Tracks.RemoveAll();
    ASSERT_EQ(0, VIZU::XML_LoadLib(path.c_str()));
    ASSERT_EQ(3, m_Tracks.GetSize());

    ExpectStoredEqual(a, m_Tracks[0]);
    EXPECT_EQ(0, m_Tracks[0].m_BPM);
    EXPECT_EQ(0, m_Tracks[0].m_Played);
    EXPECT_EQ(0, m_Tracks[0].m_Bitrate);
    b.m_BPMText = "120.00"; // normalised when read
    ExpectStoredEqual(b, m_Tracks[1]);
    c.m_BPMText = "000.00";
    ExpectStoredEqual(c, m_Tracks[2]);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(LibraryFile, NulInATitleLoadsAsBar)
{
    std::string text = LibraryText(Trk("C:\\a.mp3", std::string("A") + '\0' + "B", kNu), 1);
    const std::string path = Write("zero.txd", text);   // "nul" names the null device
    const int result = VIZU::XML_LoadLib(path.c_str());
    for (const ShownBox& box : prompts.shown)
        ADD_FAILURE() << box.text;
    ASSERT_EQ(0, result);
    ASSERT_EQ(1, m_Tracks.GetSize());
    EXPECT_STREQ("A|B", m_Tracks[0].m_Title);
    EXPECT_STREQ("House", m_Tracks[0].m_Genre);
}

// A missing child leaves its own fields empty and the following children
// are still read.
TEST_F(LibraryFile, MissingChildrenGiveEmptyFields)
{
    std::string noArtist = Trk("C:\\a.mp3", "T1", kNu);
    noArtist.erase(noArtist.find("<AR>"), std::string("<AR>Artist</AR>\r\n").size());
    std::string noPlayCount = Trk("C:\\b.mp3", "T2", "<NU ID=\"8\" LE=\"100\"/>");
    std::string noNumbers = Trk("C:\\c.mp3", "T3", "");
    const std::string path = Write("gaps.txd", LibraryText(noArtist + noPlayCount + noNumbers, 3));
    ASSERT_EQ(0, VIZU::XML_LoadLib(path.c_str()));
    ASSERT_EQ(3, m_Tracks.GetSize());

    EXPECT_STREQ("", m_Tracks[0].m_Artist);
    EXPECT_STREQ("Album", m_Tracks[0].m_Album);
    EXPECT_STREQ("T1", m_Tracks[0].m_Title);
    EXPECT_EQ(3, m_Tracks[0].m_PlayCount);

    EXPECT_EQ(8, m_Tracks[1].m_Index);
    EXPECT_EQ(100, m_Tracks[1].m_Length);
    EXPECT_EQ(0, m_Tracks[1].m_PlayCount);
    EXPECT_EQ(0, m_Tracks[1].m_Volume);

    EXPECT_EQ(0, m_Tracks[2].m_Index);
    EXPECT_EQ(0, m_Tracks[2].m_Length);
    EXPECT_EQ(5, m_Tracks[2].m_Cue1);
    EXPECT_STREQ("out", m_Tracks[2].m_Cue2Name);
}

TEST_F(LibraryFile, RecoveryFromTheBackupCopy)
{
    const std::string good = LibraryText(Trk("C:\\bak.mp3", "Saved", kNu), 1);
    const std::string other = LibraryText(Trk("C:\\bakbak.mp3", "Never", kNu), 1);
    const std::string broken = "this is not a library";
    struct Case
    {
        const char* name;
        int answer;             // to the first question
        const char* backup;     // null: no .bak file
        int result;
        const char* track;      // the one track after, or null for the kept ones
        const char* message;    // the message after the question, or null
    };
    const Case cases[] = {
        {"no", IDNO, "good", 1, nullptr, nullptr},
        {"yes with backup", IDYES, "good", 2, "C:\\bak.mp3", nullptr},
        {"yes without backup", IDYES, nullptr, 1, nullptr,
         "There is no saved version of your music library to reload."},
        {"yes with broken backup", IDYES, "broken", 1, nullptr,
         "Your last saved version of the music library could not be read either."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        const std::string path = folder.File("lib.txd");
        ASSERT_TRUE(WriteFileBytes(path, broken));
        if (c.backup) {
            ASSERT_TRUE(WriteFileBytes(path + ".bak", std::string(c.backup) == "good" ? good : broken));
        }
        // Never read, however often the question is answered Yes.
        ASSERT_TRUE(WriteFileBytes(path + ".bak.bak", other));
        m_Tracks.RemoveAll();
        AddTo(m_Tracks, MakeTrack("C:\\kept.mp3", "A", "T"));
        prompts.shown.clear();
        prompts.answers = {c.answer, IDYES, IDYES};

        int result = -1;
        EXPECT_NO_THROW(result = VIZU::XML_LoadLib(path.c_str()));
        EXPECT_EQ(c.result, result);
        ASSERT_GE(prompts.shown.size(), 1u);
        EXPECT_EQ(kRecover, prompts.shown[0].text);
        EXPECT_EQ("Kelvane Library Manager", prompts.shown[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION), prompts.shown[0].type);
        if (c.message) {
            ASSERT_EQ(2u, prompts.shown.size());
            EXPECT_EQ(c.message, prompts.shown[1].text);
        } else {
            EXPECT_EQ(1u, prompts.shown.size());
        }
        ASSERT_EQ(1, m_Tracks.GetSize());
        EXPECT_STREQ(c.track ? c.track : "C:\\kept.mp3", m_Tracks[0].m_FileName);
    }
}

TEST_F(LibraryFile, OpenFromTheBackupCopyMarksTheLibraryChanged)
{
    const std::string path = Write("lib.txd", "<broken");
    Write("lib.txd.bak", LibraryText(Trk("C:\\bak.mp3", "Saved", kNu), 1));
    prompts.answers = {IDYES};
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    EXPECT_TRUE(VIZU::IsDirty());
    ASSERT_EQ(1, VIZU::GetRecordCount());
    // Closing writes the restored records over the damaged file.
    EXPECT_TRUE(VIZU::Close());
    m_Tracks.RemoveAll();
    EXPECT_EQ(0, VIZU::XML_LoadLib(path.c_str()));
    ASSERT_EQ(1, m_Tracks.GetSize());
    EXPECT_STREQ("C:\\bak.mp3", m_Tracks[0].m_FileName);
}

TEST_F(LibraryFile, AnotherRootLoadsAsAnEmptyLibrary)
{
    const std::string path = Write("other.txd", std::string(kProlog) + "<Playlist><TRK/></Playlist>\r\n");
    AddTo(m_Tracks, MakeTrack("C:\\a.mp3", "A", "T"));
    EXPECT_EQ(0, VIZU::XML_LoadLib(path.c_str()));
    EXPECT_EQ(0, m_Tracks.GetSize());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(LibraryFile, HeaderCountWithoutReadableRecords)
{
    const std::string path = Write("count.txd", LibraryText("<OTHER/>\r\n", 3));
    EXPECT_EQ(1, VIZU::XML_LoadLib(path.c_str()));
    EXPECT_EQ(0, m_Tracks.GetSize());
    ASSERT_EQ(1u, prompts.shown.size());
    EXPECT_EQ("We were unable to read the records in this library properly. Header shows 3 "
              "records, our counter shows 0 records.\n\nThis is usually cause by an embedded "
              "NULL character in a tag entry. Contact our support.",
              prompts.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), prompts.shown[0].type & MB_ICONMASK);
    EXPECT_EQ(-1, VIZU::Open(path.c_str()));
    EXPECT_FALSE(VIZU::IsOpen());
}

namespace {

// The library file format in use, counting the head reads it is asked for.
class HeadCountingFormat : public LibraryFileFormat
{
public:
    int LoadLib(const CString& path, CArray<CTrackRecord, CTrackRecord&>& tracks) override
    {
        return m_real->LoadLib(path, tracks);
    }
    int SaveLib(const CString& path, const CArray<CTrackRecord, CTrackRecord&>& tracks) override
    {
        return m_real->SaveLib(path, tracks);
    }
    void CreateLib(const CString& path) override { m_real->CreateLib(path); }
    bool GetLibInfo(const CString& path, LIB_INFO* info) override
    {
        ++m_headReads;
        return m_real->GetLibInfo(path, info);
    }
    int m_headReads = 0;

private:
    LibraryFileFormat* m_real = DefaultLibraryFileFormat();
};

} // namespace

// An open reads the file once and takes the record count for its check
// from that text, by the rule the head is read with on its own.
TEST_F(LibraryFile, OpenTakesTheHeaderCountFromTheTextItRead)
{
    struct Case { const char* name; std::string text; };
    const Case cases[] = {
        {"three.txd", LibraryText("<OTHER/>\r\n", 3)},
        {"lf.txd", std::string("<?xml version=\"1.0\"?>\n<KelvaneMusicLibrary Version=\"5.00\" "
                               "Tracks=\"6\">\n<OTHER/>\n</KelvaneMusicLibrary>\n")},
        {"noprolog.txd", std::string("<KelvaneMusicLibrary Version=\"5.00\" Tracks=\"4\">\r\n"
                                     "<OTHER/>\r\n</KelvaneMusicLibrary>\r\n")},
        {"oneline.txd", std::string(kProlog) + "<KelvaneMusicLibrary Version=\"5.00\" "
                        "Tracks=\"2\"><OTHER/></KelvaneMusicLibrary>\r\n"},
    };
    HeadCountingFormat counting;
    SetLibraryFileFormat(&counting);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write(c.name, c.text);
        LIB_INFO info;
        info.Tracks = 0;
        VIZU::XML_GetLibInfo(path.c_str(), &info);
        prompts.shown.clear();
        counting.m_headReads = 0;
        EXPECT_EQ(info.Tracks > 0 ? -1 : 0, VIZU::Open(path.c_str()));
        EXPECT_EQ(0, counting.m_headReads);
        if (info.Tracks > 0) {
            ASSERT_EQ(1u, prompts.shown.size());
            EXPECT_EQ(0u, prompts.shown[0].text.find("We were unable to read the records in this "
                                                     "library properly. Header shows "
                                                     + std::to_string(info.Tracks) + " records,"))
                << prompts.shown[0].text;
        } else {
            EXPECT_TRUE(prompts.shown.empty());
        }
        VIZU::Close();
    }
}

TEST_F(LibraryFile, HeaderInfo)
{
    const std::string empty = dir.File("empty.txd");
    ASSERT_TRUE(VIZU::XML_CreateLib(empty.c_str()));
    const std::string two = Write("two.txd", LibraryText(Trk("C:\\a.mp3", "A", kNu) + Trk("C:\\b.mp3", "B", kNu), 2));
    const std::string plain = Write("plain.txt", "just\r\ntext\r\n");
    struct Case { const std::string* path; bool found; int tracks; const char* version; };
    const Case cases[] = {
        {&empty, true, 0, "5.00"},
        {&two, true, 2, "5.00"},
        {&plain, false, -5, "kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.path);
        LIB_INFO info;
        info.Tracks = -5;
        info.Version = "kept";
        EXPECT_EQ(c.found, VIZU::XML_GetLibInfo(c.path->c_str(), &info));
        EXPECT_EQ(c.tracks, info.Tracks);
        EXPECT_STREQ(c.version, info.Version);
    }
    LIB_INFO info;
    EXPECT_THROW(VIZU::XML_GetLibInfo(dir.File("missing.txd").c_str(), &info), CFileException);
}

TEST_F(LibraryFile, CreatingReplacesAnyFile)
{
    const std::string path = Write("list.txl", LibraryText(Trk("C:\\a.mp3", "A", kNu), 1));
    EXPECT_TRUE(VIZU::XML_CreatePL(path.c_str()));
    CArray<CTrackRecord, CTrackRecord&> records;
    EXPECT_EQ(0, VIZU::XML_LoadLibToArray(path.c_str(), &records));
    LIB_INFO info;
    EXPECT_TRUE(VIZU::XML_GetLibInfo(path.c_str(), &info));
    EXPECT_EQ(0, info.Tracks);
    EXPECT_THROW(VIZU::XML_CreateLib(dir.File("no\\such\\folder.txd").c_str()), CFileException);
}

TEST_F(LibraryFile, ReadingIntoAnyArrayKeepsTheTempoText)
{
    const std::string path = Write("pl.txl", LibraryText(Trk("C:\\a.mp3", "A", kNu) + Trk("C:\\b.mp3", "B", kNu), 2));
    CArray<CTrackRecord, CTrackRecord&> records;
    CTrackRecord before = MakeTrack("C:\\before.mp3", "A", "T");
    records.Add(before);   // replaced, not appended to
    EXPECT_EQ(2, VIZU::XML_LoadLibToArray(path.c_str(), &records));
    ASSERT_EQ(2, records.GetSize());
    EXPECT_STREQ("12000", records[0].m_BPMText);
    EXPECT_STREQ("C:\\b.mp3", records[1].m_FileName);
    EXPECT_EQ(7, records[1].m_Index);
    EXPECT_THROW(VIZU::XML_LoadLibToArray(dir.File("missing.txl").c_str(), &records), CFileException);
}

TEST_F(LibraryFile, TempoTextNormalised)
{
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"12000", "120.00"}, {"120", "001.20"}, {"98.5", "009.85"}, {"123456", "123.56"},
        {"", "000.00"}, {"120.00", "120.00"}, {"1.2.3", "001.23"}, {"abcdefg", "abc.fg"},
    };
    for (const Case& c : cases) {
        CString text = c.in;
        EXPECT_EQ(0, VIZU::BPMFormat(&text));
        EXPECT_STREQ(c.out, text) << c.in;
    }
}

TEST_F(LibraryFile, RollbackCopyOfTheOpenLibrary)
{
    EXPECT_FALSE(VIZU::XML_CreateRollbackLibrary());
    const std::string text = LibraryText(Trk("C:\\a.mp3", "A", kNu), 1);
    const std::string path = Write("lib.txd", text);
    Write("lib.txd.bak", "older");
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    EXPECT_TRUE(VIZU::XML_CreateRollbackLibrary());
    EXPECT_EQ(text, ReadText(path + ".bak"));
}

TEST_F(LibraryFile, SaveThatCannotWriteThere)
{
    const std::string readOnly = Write("ro.txd", "old");
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string missing = dir.File("no\\such\\lib.txd");
    for (const std::string& path : {readOnly, missing}) {
        SCOPED_TRACE(path);
        prompts.shown.clear();
        m_Tracks.RemoveAll();
        AddTo(m_Tracks, MakeTrack("C:\\a.mp3", "A", "T"));
        EXPECT_EQ(-1, VIZU::XML_SaveLib(path.c_str()));
        ASSERT_EQ(1u, prompts.shown.size());
        EXPECT_EQ("Unable to save library, error: Unable to open Library file", prompts.shown[0].text);
        EXPECT_EQ("Kelvane Library Manager", prompts.shown[0].caption);
    }
    EXPECT_EQ("old", ReadText(readOnly));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Whatever byte the write stops at, the file holds the old library whole,
// and no temporary file is left behind.
TEST_F(LibraryFile, InterruptedSaveLeavesTheOldLibrary)
{
    m_Tracks.RemoveAll();
    AddTo(m_Tracks, MakeTrack("C:\\old.mp3", "Old", "Old"));
    const std::string path = dir.File("lib.txd");
    ASSERT_EQ(1, VIZU::XML_SaveLib(path.c_str()));
    const std::string old = ReadText(path);

    m_Tracks.RemoveAll();
    for (int i = 0; i < 5; ++i)
        AddTo(m_Tracks, MakeTrack("C:\\new.mp3", "New", "New", i));
    const std::string probe = dir.File("probe.txd");
    ASSERT_EQ(5, VIZU::XML_SaveLib(probe.c_str()));
    const int64_t size = static_cast<int64_t>(ReadText(probe).size());

    for (int64_t at = 0; at < size; at += at < 64 ? 1 : 37) {
        SCOPED_TRACE(at);
        prompts.shown.clear();
        SetSafeWriteFailAfter(at);
        const int result = VIZU::XML_SaveLib(path.c_str());
        SetSafeWriteFailAfter(-1);
        EXPECT_EQ(-1, result);
        ASSERT_EQ(1u, prompts.shown.size());
        EXPECT_EQ("Unable to write library, error: Unable to Save Library file", prompts.shown[0].text);
        ASSERT_EQ(old, ReadText(path));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((path + ".saving").c_str()));
    }
    CArray<CTrackRecord, CTrackRecord&> records;
    EXPECT_EQ(1, VIZU::XML_LoadLibToArray(path.c_str(), &records));

    SetSafeWriteFailAfter(size);   // exactly enough room
    EXPECT_EQ(5, VIZU::XML_SaveLib(path.c_str()));
    SetSafeWriteFailAfter(-1);
    EXPECT_EQ(5, VIZU::XML_LoadLibToArray(path.c_str(), &records));
}

TEST_F(LibraryFile, TemporaryFileLeftByACrashIsWrittenOver)
{
    const std::string path = Write("lib.txd", LibraryText(Trk("C:\\a.mp3", "A", kNu), 1));
    Write("lib.txd.saving", "half a libr");
    m_Tracks.RemoveAll();
    AddTo(m_Tracks, MakeTrack("C:\\n1.mp3", "N", "1"));
    AddTo(m_Tracks, MakeTrack("C:\\n2.mp3", "N", "2"));
    EXPECT_EQ(2, VIZU::XML_SaveLib(path.c_str()));
    CArray<CTrackRecord, CTrackRecord&> records;
    EXPECT_EQ(2, VIZU::XML_LoadLibToArray(path.c_str(), &records));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((path + ".saving").c_str()));
}

// The library file is replaced, not re-created: it keeps its attributes
// (and its creation time, which Wine's file system does not hold).
TEST_F(LibraryFile, SaveKeepsTheFilesAttributes)
{
    const std::string path = Write("lib.txd", LibraryText("", 0));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));

    m_Tracks.RemoveAll();
    AddTo(m_Tracks, MakeTrack("C:\\a.mp3", "A", "T"));
    ASSERT_EQ(1, VIZU::XML_SaveLib(path.c_str()));

    const DWORD attributes = GetFileAttributesA(path.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_NE(0u, attributes & FILE_ATTRIBUTE_HIDDEN);
    CArray<CTrackRecord, CTrackRecord&> records;
    EXPECT_EQ(1, VIZU::XML_LoadLibToArray(path.c_str(), &records));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(LibraryFile, OpenSaveAndCloseUseTheLibraryFileByDefault)
{
    const std::string path = dir.File("lib.txd");
    ASSERT_TRUE(VIZU::Create(path.c_str()));
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    EXPECT_EQ(0, VIZU::GetRecordCount());
    EXPECT_TRUE(VIZU::AddRecord(MakeTrack("C:\\a.mp3", "A", "T", 1)));
    EXPECT_TRUE(VIZU::IsDirty());
    EXPECT_EQ(0, VIZU::Save(path.c_str()));
    EXPECT_FALSE(VIZU::IsDirty());
    EXPECT_EQ(0, VIZU::IncrementPlayCount(1));
    EXPECT_TRUE(VIZU::Close());   // the changed count is written
    ASSERT_EQ(0, VIZU::Open(path.c_str()));
    ASSERT_EQ(1, VIZU::GetRecordCount());
    EXPECT_EQ(1, m_Tracks[0].m_PlayCount);
    LIB_INFO info;
    GetLibFileInfo(path.c_str(), &info);
    EXPECT_EQ(1, info.Tracks);
    EXPECT_STREQ("5.00", info.Version);
}

namespace {

struct PumpedDuringSave
{
    int seen = 0;
    bool added = true;
    bool deleted = true;
    bool sorted = true;
};
PumpedDuringSave g_pumped;

// A window message handled while the save lets messages run: it tries to
// change the records the save is walking.
LRESULT CALLBACK ChangeRecordsProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_APP + 7) {
        ++g_pumped.seen;
        g_pumped.added = VIZU::AddRecord(MakeTrack("C:\\late.mp3", "L", "L"));
        g_pumped.deleted = VIZU::DelRecord("C:\\0.mp3");
        g_pumped.sorted = VIZU::SortTrackListA(7);
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

} // namespace

// Messages run while a large library is saved, but the records cannot be
// changed under the save.
TEST_F(LibraryFile, SaveLetsMessagesRunButRefusesRecordChanges)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ChangeRecordsProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LibraryFileSavePump";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ASSERT_NE(nullptr, wnd);

    const int count = 20000;
    m_Tracks.RemoveAll();
    for (int i = 0; i < count; ++i) {
        CTrackRecord r;
        r.m_FileName.Format("C:\\%d.mp3", i);
        r.m_Title.Format("Title %d", count - i);
        m_Tracks.Add(r);
    }
    g_pumped = PumpedDuringSave();
    ASSERT_TRUE(PostMessageA(wnd, WM_APP + 7, 0, 0));
    const std::string path = dir.File("big.txd");
    const int written = VIZU::XML_SaveLib(path.c_str());
    EXPECT_EQ(count, written);
    // The save lets messages run at its first record, however fast it is.
    EXPECT_EQ(1, g_pumped.seen);
    EXPECT_FALSE(g_pumped.added);
    EXPECT_FALSE(g_pumped.deleted);
    EXPECT_FALSE(g_pumped.sorted);
    EXPECT_EQ(count, m_Tracks.GetSize());
    EXPECT_STREQ("C:\\0.mp3", m_Tracks[0].m_FileName);
    CArray<CTrackRecord, CTrackRecord&> records;
    EXPECT_EQ(count, VIZU::XML_LoadLibToArray(path.c_str(), &records));

    // After the save the same changes go through.
    EXPECT_TRUE(VIZU::AddRecord(MakeTrack("C:\\late.mp3", "L", "L")));
    DestroyWindow(wnd);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

TEST_F(LibraryFile, AnalyzeReadsEveryRecordAsStored)
{
    const std::string good = Write("good.txd", LibraryText(Trk("C:\\a.mp3", "A", kNu) + Trk("C:\\b.mp3", "B", kNu), 2));
    EXPECT_EQ(0, VIZU::XML_AnalyzeLib(good.c_str()));
    ASSERT_EQ(2, m_Tracks.GetSize());
    EXPECT_STREQ("12000", m_Tracks[0].m_BPMText);
    ASSERT_EQ(1u, prompts.shown.size());
    EXPECT_EQ("File read completed", prompts.shown[0].text);

    prompts.shown.clear();
    const std::string bad = Write("bad.txd", std::string(kProlog) + "<KelvaneMusicLibrary Tracks=\"1\">\r\n<TRK>\r\n");
    EXPECT_EQ(0, VIZU::XML_AnalyzeLib(bad.c_str()));
    EXPECT_EQ(2, m_Tracks.GetSize());   // untouched
    ASSERT_EQ(2u, prompts.shown.size());
    EXPECT_EQ(0u, prompts.shown[1].text.rfind("[XML_AnalyzeLib] SetDoc failed! Error: ", 0))
        << prompts.shown[1].text;
    EXPECT_EQ("Kelvane Library Manager", prompts.shown[1].caption);

    prompts.shown.clear();
    const std::string none = Write("none.txd", LibraryText("<OTHER/>\r\n", 4));
    EXPECT_EQ(0, VIZU::XML_AnalyzeLib(none.c_str()));
    EXPECT_EQ(0, m_Tracks.GetSize());
    ASSERT_EQ(2u, prompts.shown.size());
    EXPECT_EQ("We were unable to read the records in this library properly. Header shows 4 "
              "records, our counter shows 0 records.\n\nThis is usually cause by an End of File "
              "marker in a corrupt tag entry. Contact our support.",
              prompts.shown[1].text);
}
