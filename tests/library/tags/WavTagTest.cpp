// WAV files made by sox: format facts, damaged headers, the KV and AG tag
// trailers with their states, and the batch writer.
#include "library/state/LibrarySettings.h"
#include "tests/library/LibraryTestState.h"
#include "library/api/VIZU.h"
#include "tests/library/tags/TagsFixture.h"

#include "framework/ui/Prompts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using namespace tavrix_test;

namespace {

uint32_t Le32At(const std::string& b, size_t at)
{
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 |
           static_cast<uint8_t>(b[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

void PutLe32(std::string& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A 128-byte trailer block written by hand, as another program would.
std::string Block(const std::string& title, const std::string& artist, const std::string& comment,
                  unsigned char genre)
{
    std::string b(128, '\0');
    std::memcpy(&b[0], "TAG", 3);
    std::memcpy(&b[3], title.data(), std::min<size_t>(30, title.size()));
    std::memcpy(&b[33], artist.data(), std::min<size_t>(30, artist.size()));
    std::memcpy(&b[97], comment.data(), std::min<size_t>(30, comment.size()));
    b[127] = static_cast<char>(genre);
    return b;
}

class WavTags : public KVLibIniTest
{
protected:
    void SetUp() override
    {
        KVLibIniTest::SetUp();
        ASSERT_TRUE(ReadFileBytes(MediaPath("tone440.wav"), m_wav));
        ASSERT_EQ(m_wav.size(), 8u + Le32At(m_wav, 4)) << "the RIFF chunk fills the file";
    }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        std::string path = m_dir.File(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    std::string Bytes(const std::string& path)
    {
        std::string b;
        EXPECT_TRUE(ReadFileBytes(path, b));
        return b;
    }

    TAG_INFO Values(const char* title, const char* artist, const char* genre)
    {
        TAG_INFO t;
        t.Title = title;
        t.Artist = artist;
        t.Album = "Album";
        t.Year = "2004";
        t.Comment = "Note";
        t.Genre = genre;
        return t;
    }

    TempDir m_dir;
    std::string m_wav;
};

class PromptRecorder : public CPromptAnswerer
{
public:
    std::string text;
    int MessageBox(HWND, const char* t, const char*, UINT) override
    {
        text = t;
        return IDOK;
    }
};

} // namespace

TEST_F(WavTags, FormatFactsOfSoxFiles)
{
    TAG_INFO info;
    info.Year = "kept";
    ASSERT_TRUE(VIZU::GetWavInfo(MediaPath("tone440.wav").c_str(), &info));
    EXPECT_EQ(3, info.Length);
    EXPECT_EQ(2, info.Channels);
    EXPECT_EQ(44100, info.SampleRate);
    EXPECT_EQ(176400, info.Bitrate) << "average bytes per second, not kilobits";
    EXPECT_EQ("tone440", info.Title.str());
    EXPECT_EQ("WAV", info.FileType.str());
    EXPECT_EQ("00000", info.BPMText.str());
    EXPECT_EQ("NA", info.Artist.str());
    EXPECT_EQ("NA", info.Album.str());
    EXPECT_EQ("NA", info.Genre.str());
    EXPECT_EQ("kept", info.Year.str());

    // Ten times the bytes per second in all, the padding after the chunk.
    std::string ten = m_wav + std::string(1764000 - m_wav.size(), '\0');
    TAG_INFO tenInfo;
    ASSERT_TRUE(VIZU::GetWavInfo(Write("ten.wav", ten).c_str(), &tenInfo));
    EXPECT_EQ(10, tenInfo.Length);

    TAG_INFO shortInfo;
    ASSERT_TRUE(VIZU::GetWavInfo(MediaPath("tags_short.wav").c_str(), &shortInfo));
    EXPECT_EQ(100, shortInfo.Length) << "under a second reads as 100";
    EXPECT_EQ(8000, shortInfo.Bitrate);
    EXPECT_EQ(1, shortInfo.Channels);

    TAG_INFO viaTags;
    ASSERT_TRUE(VIZU::GetTagInfo(MediaPath("tone440.wav").c_str(), &viaTags));
    EXPECT_EQ("Unknown", viaTags.Artist.str());
    EXPECT_EQ("Other", viaTags.Genre.str());
    EXPECT_EQ("tone440", viaTags.Title.str());
}

TEST_F(WavTags, DamagedHeadersFailOrReadSafely)
{
    // The sox file: "fmt " at 12, its 16-byte body at 20, "data" at 36.
    ASSERT_EQ("fmt ", m_wav.substr(12, 4));
    ASSERT_EQ("data", m_wav.substr(36, 4));
    struct Case { const char* name; std::function<void(std::string&)> damage; bool ok; int length; };
    const Case cases[] = {
        {"not RIFF", [](std::string& b) { b[0] = 'X'; }, false, 0},
        {"not WAVE", [](std::string& b) { b[8] = 'X'; }, false, 0},
        {"no fmt", [](std::string& b) { b[12] = 'X'; }, false, 0},
        {"no data", [](std::string& b) { b[36] = 'X'; }, false, 0},
        {"fmt past the end", [](std::string& b) { PutLe32(b, 16, 0x7FFFFFF0u); }, false, 0},
        {"short fmt", [](std::string& b) { PutLe32(b, 16, 8); }, false, 0},
        {"cut in the header", [](std::string& b) { b.resize(30); }, false, 0},
        {"no bytes per second", [](std::string& b) { PutLe32(b, 28, 0); }, true, 100},
        {"extensible fmt", [](std::string& b) {
             // 24 more bytes of format: size 40, extension size 22.
             b.insert(36, std::string("\x16\0", 2) + std::string(22, '\x11'));
             PutLe32(b, 16, 40);
             PutLe32(b, 4, Le32At(b, 4) + 24);
         }, true, 3},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = m_wav;
        c.damage(bytes);
        std::string path = Write("damaged" + std::to_string(n++) + ".wav", bytes);
        TAG_INFO info;
        EXPECT_EQ(c.ok, VIZU::GetWavInfo(path.c_str(), &info));
        EXPECT_EQ(c.ok, VIZU::GetTagInfo(path.c_str(), &info));
        if (c.ok) {
            EXPECT_EQ(c.length, info.Length);
            EXPECT_EQ(2, info.Channels);
        }
    }
    TAG_INFO missing;
    EXPECT_FALSE(VIZU::GetWavInfo(m_dir.File("missing.wav").c_str(), &missing));
}

TEST_F(WavTags, KVTrailerIsAppendedThenReplacedAndReadsBack)
{
    std::string path = Write("kv.wav", m_wav);
    EXPECT_EQ(4403, VIZU::CheckForWAVTags(path.c_str()));
    TAG_INFO none;
    EXPECT_FALSE(VIZU::ReadKVWAVTag(&none, path.c_str()));
    EXPECT_FALSE(VIZU::ReadAGWAVTag(&none, path.c_str()));

    TAG_INFO first = Values("First", "Artist", "Blues");
    ASSERT_TRUE(VIZU::WriteKVWAVTag(path.c_str(), &first));
    std::string once = Bytes(path);
    ASSERT_EQ(m_wav.size() + 128, once.size());
    EXPECT_EQ(m_wav, once.substr(0, m_wav.size())) << "audio untouched";
    EXPECT_EQ(4402, VIZU::CheckForWAVTags(path.c_str())) << "the last 320 bytes hold it too";

    TAG_INFO second = Values("A title much longer than thirty characters", "Second", "blues");
    ASSERT_TRUE(VIZU::WriteKVWAVTag(path.c_str(), &second));
    ASSERT_EQ(m_wav.size() + 128, Bytes(path).size()) << "the second write replaces the first";

    TAG_INFO kv;
    kv.PlayCount = 5;
    ASSERT_TRUE(VIZU::ReadKVWAVTag(&kv, path.c_str()));
    EXPECT_EQ("A title much longer than thirt", kv.Title.str());
    EXPECT_EQ("Second", kv.Artist.str());
    EXPECT_EQ("Album", kv.Album.str());
    EXPECT_EQ("2004", kv.Year.str());
    EXPECT_EQ("Blues", kv.Genre.str());
    EXPECT_EQ("Note" + std::string(26, ' '), kv.Comment.str()) << "KV keeps the comment's blanks";
    EXPECT_EQ(0, kv.PlayCount);

    TAG_INFO ag;
    ASSERT_TRUE(VIZU::ReadAGWAVTag(&ag, path.c_str()));
    EXPECT_EQ("Note", ag.Comment.str());
    EXPECT_EQ("Second", ag.Artist.str());

    // An unknown genre name is written as "Other"; byte 255 reads as "Misc".
    TAG_INFO odd = Values("T", "A", "No Such Genre");
    ASSERT_TRUE(VIZU::WriteKVWAVTag(path.c_str(), &odd));
    std::string bytes = Bytes(path);
    EXPECT_EQ(12, static_cast<unsigned char>(bytes.back()));
    bytes.back() = '\xFF';
    Write("kv.wav", bytes);
    TAG_INFO misc;
    ASSERT_TRUE(VIZU::ReadKVWAVTag(&misc, path.c_str()));
    EXPECT_EQ("Misc", misc.Genre.str());
}

TEST_F(WavTags, AGTrailerIsFoundBeforeOtherDataAndOverwrittenInPlace)
{
    std::string path = Write("ag.wav", m_wav + Block("AG Title", "AG Artist", "  spaced  ", 17) +
                                           std::string(50, 'z'));
    EXPECT_EQ(4401, VIZU::CheckForWAVTags(path.c_str()));
    EXPECT_FALSE(VIZU::WAVHasKVID3Tag(path.c_str()));
    TAG_INFO kv;
    EXPECT_FALSE(VIZU::ReadKVWAVTag(&kv, path.c_str()));

    TAG_INFO ag;
    ASSERT_TRUE(VIZU::ReadAGWAVTag(&ag, path.c_str()));
    EXPECT_EQ("AG Title", ag.Title.str());
    EXPECT_EQ("AG Artist", ag.Artist.str());
    EXPECT_EQ("spaced", ag.Comment.str());
    EXPECT_EQ("Rock", ag.Genre.str());

    const size_t size = Bytes(path).size();
    TAG_INFO values = Values("New", "Other Artist", "Pop");
    ASSERT_TRUE(VIZU::WriteAGWAVTag(path.c_str(), &values));
    std::string after = Bytes(path);
    ASSERT_EQ(size, after.size());
    EXPECT_EQ(std::string(50, 'z'), after.substr(after.size() - 50));
    EXPECT_EQ(m_wav, after.substr(0, m_wav.size()));
    TAG_INFO back;
    ASSERT_TRUE(VIZU::ReadAGWAVTag(&back, path.c_str()));
    EXPECT_EQ("New", back.Title.str());
    EXPECT_EQ("Pop", back.Genre.str());
}

TEST_F(WavTags, AGTrailerGenreByteAtTheEndsOfTheList)
{
    struct Case { unsigned char genre; const char* name; };
    const Case cases[] = {
        {0, "Blues"}, {79, "Hard Rock"}, {80, "Folk"}, {125, "Dance Hall"}, {126, "Misc"},
        {255, "Misc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.genre));
        std::string path = Write("genre" + std::to_string(c.genre) + ".wav",
                                 m_wav + Block("T", "A", "", c.genre));
        TAG_INFO ag;
        ASSERT_TRUE(VIZU::ReadAGWAVTag(&ag, path.c_str()));
        EXPECT_EQ(c.name, ag.Genre.str());
    }
}

TEST_F(WavTags, AGTrailerCutShortAtTheEnd)
{
    // Only the first 60 bytes of the block made it into the file.
    std::string path = Write("cut.wav", m_wav + Block("Cut Title", "Cut Artist Name Long", "", 3).substr(0, 60));
    TAG_INFO ag;
    ag.Genre = "kept";
    ASSERT_TRUE(VIZU::ReadAGWAVTag(&ag, path.c_str()));
    EXPECT_EQ("Cut Title", ag.Title.str());
    EXPECT_EQ("Cut Artist Name Long", ag.Artist.str());
    EXPECT_EQ("", ag.Album.str());
    EXPECT_EQ("kept", ag.Genre.str()) << "no genre byte";

    TAG_INFO values = Values("Whole", "Block", "Dance");
    ASSERT_TRUE(VIZU::WriteAGWAVTag(path.c_str(), &values));
    std::string after = Bytes(path);
    EXPECT_EQ(m_wav.size() + 128, after.size()) << "the write lengthens the file";
    EXPECT_EQ(m_wav, after.substr(0, m_wav.size()));
    EXPECT_EQ(3, static_cast<unsigned char>(after.back()));
}

TEST_F(WavTags, TagBytesInsideTheAudioAreNoTrailer)
{
    // "TAG" where a KV trailer would be and further up, both inside the
    // RIFF chunk: audio, not a trailer.
    std::string audio = m_wav;
    std::memcpy(&audio[audio.size() - 128], "TAG", 3);
    std::memcpy(&audio[audio.size() - 300], "TAG", 3);
    std::string path = Write("audio.wav", audio);
    EXPECT_EQ(4403, VIZU::CheckForWAVTags(path.c_str()));
    TAG_INFO info;
    EXPECT_FALSE(VIZU::ReadKVWAVTag(&info, path.c_str()));
    EXPECT_FALSE(VIZU::ReadAGWAVTag(&info, path.c_str()));
    TAG_INFO values = Values("T", "A", "Rock");
    EXPECT_FALSE(VIZU::WriteAGWAVTag(path.c_str(), &values));
    EXPECT_EQ(audio, Bytes(path)) << "nothing written";

    ASSERT_TRUE(VIZU::WriteKVWAVTag(path.c_str(), &values));
    std::string after = Bytes(path);
    ASSERT_EQ(audio.size() + 128, after.size()) << "appended, not written over the audio";
    EXPECT_EQ(audio, after.substr(0, audio.size()));

    // A real trailer after audio that holds "TAG" is the one read.
    TAG_INFO back;
    ASSERT_TRUE(VIZU::ReadAGWAVTag(&back, path.c_str()));
    EXPECT_EQ("A", back.Artist.str());
}

TEST_F(WavTags, ShortFilesReportOnlyTheKVScheme)
{
    std::string path = Write("small.wav", std::string(72, 'x') + Block("S", "A", "", 0));
    EXPECT_EQ(4400, VIZU::CheckForWAVTags(path.c_str()));
    std::string tiny = Write("tiny.wav", "TAG");
    EXPECT_EQ(4403, VIZU::CheckForWAVTags(tiny.c_str()));
    EXPECT_EQ(4403, VIZU::CheckForWAVTags(m_dir.File("missing.wav").c_str()));
}

TEST_F(WavTags, TagInfoReadsTheAGTrailerOnlyWhenAsked)
{
    std::string path = Write("ask.wav", m_wav + Block("Trailer Title", "Trailer Artist", "", 13));
    TAG_INFO plain;
    ASSERT_TRUE(VIZU::GetTagInfo(path.c_str(), &plain));
    EXPECT_EQ("Unknown", plain.Artist.str());
    EXPECT_EQ("ask", plain.Title.str());

    TestState().settings.wavLookForID3V1 = 1;
    TAG_INFO asked;
    ASSERT_TRUE(VIZU::GetTagInfo(path.c_str(), &asked));
    EXPECT_EQ("Trailer Artist", asked.Artist.str());
    EXPECT_EQ("Trailer Title", asked.Title.str());
    EXPECT_EQ("Pop", asked.Genre.str());
    EXPECT_EQ("WAV", asked.FileType.str());
    EXPECT_EQ(3, asked.Length);
}

TEST_F(WavTags, BatchWriterChangesTheChosenFieldsAndReportsTheWrite)
{
    tagBatchTag batch;
    batch.FolderMode = true;
    batch.SetArtist = true;
    batch.SetGenre = true;
    batch.Tag.Artist = "Batch Artist";
    batch.Tag.Genre = "Jazz";
    batch.Tag.Album = "not asked for";

    batch.Tag.Path = m_dir.File("missing.wav").c_str();
    EXPECT_FALSE(VIZU::SetBatchWAVTagInfo(&batch));

    std::string plain = Write("plain.wav", m_wav);
    batch.Tag.Path = plain.c_str();
    EXPECT_FALSE(VIZU::SetBatchWAVTagInfo(&batch));
    EXPECT_EQ(m_wav, Bytes(plain));

    struct Case { const char* name; std::string bytes; bool kv; };
    const Case cases[] = {
        {"kv.wav", m_wav + Block("Keep Title", "Old", "", 0), true},
        {"ag.wav", m_wav + Block("Keep Title", "Old", "", 0) + "tail", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Write(c.name, c.bytes);
        batch.Tag.Path = path.c_str();
        ASSERT_TRUE(VIZU::SetBatchWAVTagInfo(&batch));
        TAG_INFO back;
        ASSERT_TRUE(c.kv ? VIZU::ReadKVWAVTag(&back, path.c_str()) : VIZU::ReadAGWAVTag(&back, path.c_str()));
        EXPECT_EQ("Keep Title", back.Title.str());
        EXPECT_EQ("Batch Artist", back.Artist.str());
        EXPECT_EQ("Jazz", back.Genre.str());
        EXPECT_EQ("", back.Album.str());
        EXPECT_EQ(c.bytes.size(), Bytes(path).size());

        // A file another program holds open without sharing cannot be
        // written: the failure is reported.
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        EXPECT_FALSE(VIZU::SetBatchWAVTagInfo(&batch));
        CloseHandle(held);
    }
}

TEST_F(WavTags, OlderReaderFillsARecordOrSaysItFoundNoTag)
{
    VIZU vizu;
    PromptRecorder prompts;
    CPromptAnswerer* previous = AfxSetPromptAnswerer(&prompts);
    std::string tagged = Write("old.wav", m_wav + Block("Old Title", "Old Artist", "", 80));
    CTrackRecord rec;
    EXPECT_TRUE(vizu.ReadID3TAG1FromWAV(&rec, tagged.c_str()));
    EXPECT_EQ("Old Title" + std::string(21, ' '), rec.m_Title.str()) << "nothing trimmed";
    EXPECT_EQ("Folk", rec.m_Genre.str());
    EXPECT_TRUE(prompts.text.empty());

    std::string plain = Write("plain.wav", m_wav);
    EXPECT_FALSE(vizu.ReadID3TAG1FromWAV(&rec, plain.c_str()));
    EXPECT_EQ("Couldn't find TAG", prompts.text);
    AfxSetPromptAnswerer(previous);
}

TEST_F(WavTags, UpdateRecordFromTagReadsTheIniSettingAtEachCall)
{
    std::string path = Write("update.wav", m_wav + Block("Trailer Title", "Trailer Artist", "", 13));
    m_Tracks.RemoveAll();
    CTrackRecord rec;
    rec.m_FileName = path.c_str();
    rec.m_Artist = "Old";
    m_Tracks.Add(rec);

    TestState().settings.wavLookForID3V1 = 0; // the add settings as loaded say no
    ASSERT_TRUE(VIZU::UpdateRecordFromTag(path.c_str()));
    EXPECT_EQ("Unknown", m_Tracks[0].m_Artist.str());

    WriteIni("WAV_LookForID3V1=1\r\n");
    ASSERT_TRUE(VIZU::UpdateRecordFromTag(path.c_str()));
    EXPECT_EQ("Trailer Artist", m_Tracks[0].m_Artist.str());
    EXPECT_EQ("Trailer Title", m_Tracks[0].m_Title.str());
    EXPECT_EQ(3, m_Tracks[0].m_Length);
    EXPECT_EQ("WAV", m_Tracks[0].m_FileType.str());
    m_Tracks.RemoveAll();
}
