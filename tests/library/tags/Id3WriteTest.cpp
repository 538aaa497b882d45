// The tag writers at frame level on files made at test time: the frames
// each writer leaves, what the readers read back, the ID3v2.3 header of a
// new tag, the play counter's sequence, the audio between the tags never
// changed, read-only files and ID3v2.4 tags left alone, and writes that
// fail part-way leaving the file as it was.
#include "library/api/VIZU.h"
#include "library/file/SafeFileWrite.h"
#include "tests/library/tags/TagWriteFixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

using namespace tavrix_test;

namespace {

// A tag as a DJ's files have them: an artist spread over several frames, a
// comment converted from ID3v1 (with a description) and one without.
std::string RichTag(size_t padding)
{
    Id3v2Writer tag(3);
    tag.Text("TIT2", "Old Title")
        .Text("TPE1", "Old Artist")
        .Text("TPE2", "Old Band")
        .Text("TCOM", "Old Composer")
        .Text("TALB", "Old Album")
        .Text("TCON", "(17)")
        .Text("TYER", "1999")
        .Comment("", "old comment")
        .Comment("ID3v1 Comment", "kept comment")
        .Text("TBPM", "99")
        .Text("TENC", "Old Encoder")
        .Counter(7);
    return tag.Bytes(padding);
}

uint32_t CounterOf(const WrittenTag& tag)
{
    const WrittenFrame* frame = tag.Find("PCNT");
    if (!frame)
        return 0xFFFFFFFF;
    uint32_t count = 0;
    for (unsigned char byte : frame->content)
        count = (count << 8) | byte;
    return count;
}

// The comment frames: description to (language, text).
struct CommentFrame
{
    std::string language, description, text;
};

std::vector<CommentFrame> CommentsOf(const WrittenTag& tag)
{
    std::vector<CommentFrame> out;
    for (const WrittenFrame& frame : tag.frames) {
        if (frame.id != "COMM")
            continue;
        EXPECT_GE(frame.content.size(), 5u);
        EXPECT_EQ('\0', frame.content[0]);
        const std::string rest = frame.content.substr(4);
        const size_t nul = rest.find('\0');
        CommentFrame comment;
        comment.language = frame.content.substr(1, 3);
        comment.description = rest.substr(0, nul);
        comment.text = nul == std::string::npos ? std::string() : rest.substr(nul + 1);
        while (!comment.text.empty() && comment.text.back() == '\0')
            comment.text.pop_back();
        out.push_back(comment);
    }
    return out;
}

std::string TextOf(const WrittenTag& tag, const char* id)
{
    const WrittenFrame* frame = tag.Find(id);
    if (!frame)
        return "<none>";
    std::string text = frame->content;
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

TAG_INFO FullInfo()
{
    TAG_INFO info;
    info.Title = "New Title";
    info.Artist = "New Artist";
    info.Album = "New Album";
    info.Genre = "Trance";
    info.Year = "2004";
    info.Comment = "new comment";
    info.BPMText = "128.50";
    info.EncodedBy = "TavrixVJ";
    info.PlayCount = 12;
    return info;
}

class Id3Write : public KVLibIniTest
{
protected:
    TempDir m_dir;
};

TEST_F(Id3Write, SetID3TagInfoWritesEachFrameAsItsKindRequires)
{
    // Padding 0: the tag grows and the file is written anew; 4096: in place.
    for (size_t padding : {size_t(0), size_t(4096)}) {
        SCOPED_TRACE(padding);
        const std::string path = ToneWithTag(m_dir, "rich" + std::to_string(padding) + ".mp3",
                                             RichTag(padding));
        TAG_INFO info = FullInfo();
        ASSERT_TRUE(VIZU::SetID3TagInfo(&info, path.c_str()));

        const WrittenTag tag = ReadWrittenTag(path);
        ASSERT_TRUE(tag.present);
        EXPECT_EQ(3, tag.major);
        EXPECT_EQ(Latin1Text("New Title"), TextOf(tag, "TIT2"));
        EXPECT_EQ(1, tag.Count("TPE1"));
        EXPECT_EQ(Latin1Text("New Artist"), TextOf(tag, "TPE1"));
        EXPECT_EQ(0, tag.Count("TPE2"));
        EXPECT_EQ(0, tag.Count("TPE3"));
        EXPECT_EQ(0, tag.Count("TCOM"));
        EXPECT_EQ(Latin1Text("New Album"), TextOf(tag, "TALB"));
        EXPECT_EQ(Latin1Text("Trance"), TextOf(tag, "TCON"));
        EXPECT_EQ(Latin1Text("2004"), TextOf(tag, "TYER"));
        EXPECT_EQ(1, tag.Count("TBPM"));
        EXPECT_EQ(Latin1Text("128.50"), TextOf(tag, "TBPM"));
        EXPECT_EQ(1, tag.Count("TENC"));
        EXPECT_EQ(Latin1Text("TavrixVJ"), TextOf(tag, "TENC"));
        EXPECT_EQ(1, tag.Count("PCNT"));
        EXPECT_EQ(12u, CounterOf(tag));
        const std::vector<CommentFrame> comments = CommentsOf(tag);
        ASSERT_EQ(2u, comments.size());
        int withoutDescription = 0;
        for (const CommentFrame& comment : comments) {
            if (comment.description.empty()) {
                ++withoutDescription;
                EXPECT_EQ("XXX", comment.language);
                EXPECT_EQ("new comment", comment.text);
            } else {
                EXPECT_EQ("ID3v1 Comment", comment.description);
                EXPECT_EQ("kept comment", comment.text);
            }
        }
        EXPECT_EQ(1, withoutDescription);
        EXPECT_EQ(ToneAudio(), AudioOf(path));
        if (padding > 0) {
            EXPECT_EQ(RichTag(padding).size(), tag.totalSize) << "written within the old tag";
        }

        // What the reader reads back, after its own rules.
        TAG_INFO read;
        ASSERT_TRUE(VIZU::GetID3TagInfo(&read, path.c_str()));
        EXPECT_STREQ("New Title", read.Title);
        EXPECT_STREQ("New Artist", read.Artist);
        EXPECT_STREQ("New Album", read.Album);
        EXPECT_STREQ("Trance", read.Genre);
        EXPECT_STREQ("2004", read.Year);
        EXPECT_STREQ("new comment", read.Comment);
        EXPECT_STREQ("12850", read.BPMText);
        EXPECT_EQ(128, read.BPM);
        EXPECT_TRUE(read.HasBPM);
        EXPECT_STREQ("TavrixVJ", read.EncodedBy);
        EXPECT_EQ(12, read.PlayCount);
    }
}

TEST_F(Id3Write, AnEmptyTextKeepsTheFrameAlreadyThere)
{
    struct Case
    {
        const char* name;
        CString TAG_INFO::*field;
        const char* frame;
        const char* old;
    };
    const Case cases[] = {
        {"title", &TAG_INFO::Title, "TIT2", "Old Title"},
        {"artist", &TAG_INFO::Artist, "TPE2", "Old Band"},
        {"album", &TAG_INFO::Album, "TALB", "Old Album"},
        {"genre", &TAG_INFO::Genre, "TCON", "(17)"},
        {"year", &TAG_INFO::Year, "TYER", "1999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = ToneWithTag(m_dir, std::string(c.name) + ".mp3", RichTag(256));
        TAG_INFO info = FullInfo();
        info.*(c.field) = "";
        ASSERT_TRUE(VIZU::SetID3TagInfo(&info, path.c_str()));
        EXPECT_EQ(Latin1Text(c.old), TextOf(ReadWrittenTag(path), c.frame));
    }
    const std::string path = ToneWithTag(m_dir, "comment.mp3", RichTag(256));
    TAG_INFO info = FullInfo();
    info.Comment = "";
    ASSERT_TRUE(VIZU::SetID3TagInfo(&info, path.c_str()));
    const std::vector<CommentFrame> comments = CommentsOf(ReadWrittenTag(path));
    ASSERT_EQ(2u, comments.size());
    EXPECT_EQ("old comment", comments[0].text);
}

TEST_F(Id3Write, ANewTagIsID3v23WithThePaddingOfA2KFile)
{
    const std::string path = ToneWithTag(m_dir, "plain.mp3", "");
    ASSERT_TRUE(VIZU::SetBPMTag(path.c_str(), "120"));
    const std::string bytes = FileBytesOf(path);
    ASSERT_GE(bytes.size(), 10u);
    EXPECT_EQ(std::string("ID3\x03\x00\x00", 6), bytes.substr(0, 6));
    for (int i = 6; i < 10; ++i)
        EXPECT_EQ(0, bytes[i] & 0x80) << "synchsafe size byte " << i;
    const WrittenTag tag = ReadWrittenTag(path);
    EXPECT_EQ(Latin1Text("120"), TextOf(tag, "TBPM"));
    EXPECT_EQ(0u, bytes.size() % 2048) << "the file rounded up to 2 KB";
    EXPECT_EQ(ToneAudio(), AudioOf(path));
    // An ID3v1 tag is added at the end as well.
    EXPECT_EQ("TAG", bytes.substr(bytes.size() - 128, 3));
}

TEST_F(Id3Write, SetBPMTagTwiceLeavesOneTempoFrameInEncodingZero)
{
    const std::string path = ToneWithTag(m_dir, "bpm.mp3", RichTag(64));
    ASSERT_TRUE(VIZU::SetBPMTag(path.c_str(), "126.00"));
    ASSERT_TRUE(VIZU::SetBPMTag(path.c_str(), "127.25"));
    const WrittenTag tag = ReadWrittenTag(path);
    EXPECT_EQ(1, tag.Count("TBPM"));
    EXPECT_EQ(Latin1Text("127.25"), TextOf(tag, "TBPM"));
    TAG_INFO read;
    ASSERT_TRUE(VIZU::GetID3TagInfo(&read, path.c_str()));
    EXPECT_STREQ("12725", read.BPMText);
    EXPECT_EQ(127, read.BPM);
    EXPECT_EQ(ToneAudio(), AudioOf(path));
}

TEST_F(Id3Write, ThePlayCounterCountsUpFromWhatTheFileHolds)
{
    const std::string none = ToneWithTag(m_dir, "none.mp3", "");
    EXPECT_EQ(0, VIZU::IncrementPlayCounter(none.c_str(), false));
    EXPECT_EQ(1u, CounterOf(ReadWrittenTag(none)));
    for (int expected = 2; expected <= 5; ++expected) {
        EXPECT_EQ(expected, VIZU::IncrementPlayCounter(none.c_str(), false));
        EXPECT_EQ(uint32_t(expected), CounterOf(ReadWrittenTag(none)));
    }
    const std::string seven = ToneWithTag(m_dir, "seven.mp3", RichTag(32));
    EXPECT_EQ(8, VIZU::IncrementPlayCounter(seven.c_str(), false));
    EXPECT_EQ(8u, CounterOf(ReadWrittenTag(seven)));
    TAG_INFO read;
    ASSERT_TRUE(VIZU::GetID3TagInfo(&read, seven.c_str()));
    EXPECT_EQ(8, read.PlayCount);
    EXPECT_EQ(ToneAudio(), AudioOf(none));
    EXPECT_EQ(ToneAudio(), AudioOf(seven));
}

TEST_F(Id3Write, BatchWritesOnlyTheChosenFields)
{
    const std::string path = ToneWithTag(m_dir, "batch.mp3", RichTag(1024));
    tagBatchTag batch;
    batch.FolderMode = true;
    batch.Tag.Path = path.c_str();
    batch.Tag.Title = "Never Written";
    batch.Tag.Artist = "Batch Artist";
    batch.Tag.Album = "Batch Album";
    batch.Tag.Genre = "House";
    batch.Tag.Year = "2011";
    batch.Tag.Comment = "batch comment";
    batch.Tag.EncodedBy = "Batch Encoder";
    batch.Tag.BPMText = "124";
    batch.Tag.PlayCount = 3;
    batch.SetArtist = batch.SetGenre = batch.SetBPM = batch.SetPlayCount = true;
    ASSERT_TRUE(VIZU::SetBatchID3TagInfo(&batch));

    const WrittenTag tag = ReadWrittenTag(path);
    EXPECT_EQ(Latin1Text("Old Title"), TextOf(tag, "TIT2"));
    EXPECT_EQ(Latin1Text("Batch Artist"), TextOf(tag, "TPE1"));
    EXPECT_EQ(0, tag.Count("TCOM"));
    EXPECT_EQ(Latin1Text("Old Album"), TextOf(tag, "TALB"));
    EXPECT_EQ(Latin1Text("House"), TextOf(tag, "TCON"));
    EXPECT_EQ(Latin1Text("1999"), TextOf(tag, "TYER"));
    EXPECT_EQ(Latin1Text("Old Encoder"), TextOf(tag, "TENC"));
    EXPECT_EQ(Latin1Text("124"), TextOf(tag, "TBPM"));
    EXPECT_EQ(3u, CounterOf(tag));
    EXPECT_EQ("old comment", CommentsOf(tag)[0].text);
    EXPECT_EQ(ToneAudio(), AudioOf(path));
}

TEST_F(Id3Write, ABatchWithNoFlagStillWritesTheTagOnce)
{
    const std::string path = ToneWithTag(m_dir, "noflag.mp3", RichTag(512));
    const std::string before = FileBytesOf(path);
    tagBatchTag batch;
    batch.FolderMode = true;
    batch.Tag.Path = path.c_str();
    ASSERT_TRUE(VIZU::SetBatchID3TagInfo(&batch));
    const std::string after = FileBytesOf(path);
    // The file had no ID3v1 tag: one is added; the front tag keeps its frames.
    EXPECT_EQ(before.size() + 128, after.size());
    EXPECT_EQ("TAG", after.substr(after.size() - 128, 3));
    EXPECT_EQ(12u, ReadWrittenTag(path).frames.size());
    EXPECT_EQ(ToneAudio(), AudioOf(path));
}

TEST_F(Id3Write, ReadOnlyAndMissingFilesAreLeftAloneAndReported)
{
    const std::string path = ToneWithTag(m_dir, "locked.mp3", RichTag(128));
    const std::string before = FileBytesOf(path);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    RecordedPrompts prompts;
    TAG_INFO info = FullInfo();
    EXPECT_FALSE(VIZU::SetID3TagInfo(&info, path.c_str()));
    EXPECT_FALSE(VIZU::SetBPMTag(path.c_str(), "100"));
    ASSERT_EQ(2u, prompts.shown.size());
    for (const RecordedPrompts::Box& box : prompts.shown) {
        EXPECT_EQ("File is Read Only - Cannot Update Tag", box.text);
        EXPECT_EQ("Kelvane Library Manager", box.caption);
        EXPECT_EQ(UINT(MB_OK | MB_ICONINFORMATION), box.type);
    }
    EXPECT_EQ(-1, VIZU::IncrementPlayCounter(path.c_str(), false));
    tagBatchTag batch;
    batch.FolderMode = true;
    batch.Tag.Path = path.c_str();
    batch.SetAlbum = true;
    batch.Tag.Album = "x";
    EXPECT_FALSE(VIZU::SetBatchID3TagInfo(&batch));
    EXPECT_EQ(2u, prompts.shown.size()) << "the others show nothing";
    EXPECT_EQ(before, FileBytesOf(path));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    batch.Tag.Path = m_dir.File("missing.mp3").c_str();
    EXPECT_FALSE(VIZU::SetBatchID3TagInfo(&batch));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_dir.File("missing.mp3").c_str()));
}

// Every writer, on a file of the given tag.
struct Writer
{
    const char* name;
    std::function<bool(const std::string&)> write;
};

std::vector<Writer> AllWriters(const TempDir& dir)
{
    const std::string image = dir.File("cover.jpg");
    EXPECT_TRUE(WriteFileBytes(image, std::string("\xFF\xD8\xFF\xE0 picture bytes \xFF\xD9", 20)));
    return {
        {"SetID3TagInfo", [](const std::string& p) { TAG_INFO i = FullInfo(); return VIZU::SetID3TagInfo(&i, p.c_str()); }},
        {"SetBPMTag", [](const std::string& p) { return VIZU::SetBPMTag(p.c_str(), "131"); }},
        {"IncrementPlayCounter", [](const std::string& p) { return VIZU::IncrementPlayCounter(p.c_str(), false) >= 0; }},
        {"SetBatchID3TagInfo", [](const std::string& p) {
             tagBatchTag b;
             b.FolderMode = true;
             b.Tag.Path = p.c_str();
             b.SetArtist = b.SetAlbum = b.SetComment = b.SetEncodedBy = b.SetBPM = b.SetPlayCount = true;
             b.Tag.Artist = "A"; b.Tag.Album = "B"; b.Tag.Comment = "C"; b.Tag.EncodedBy = "E"; b.Tag.BPMText = "1";
             b.RemovePictures = true;
             return VIZU::SetBatchID3TagInfo(&b);
         }},
        {"SetID3Picture", [image](const std::string& p) { return VIZU::SetID3Picture(p.c_str(), image.c_str(), true); }},
    };
}

TEST_F(Id3Write, EveryWriterLeavesTheAudioAsItWas)
{
    const std::vector<Writer> writers = AllWriters(m_dir);
    int n = 0;
    // No tag, a tag that must grow, a tag with room to spare.
    for (const std::string& front : {std::string(), RichTag(0), RichTag(8192)}) {
        for (const Writer& writer : writers) {
            SCOPED_TRACE(std::string(writer.name) + " on a front tag of " + std::to_string(front.size()));
            const std::string path = ToneWithTag(m_dir, "audio" + std::to_string(n++) + ".mp3", front);
            ASSERT_TRUE(writer.write(path));
            EXPECT_EQ(ToneAudio(), AudioOf(path));
            TAG_INFO read;
            EXPECT_TRUE(VIZU::GetID3TagInfo(&read, path.c_str()));
        }
    }
}

TEST_F(Id3Write, AWriteThatFailsPartWayLeavesTheFileByteForByte)
{
    const std::vector<Writer> writers = AllWriters(m_dir);
    int n = 0;
    // The rewrite (tag must grow) and the in-place write; the full disk
    // comes at once, inside the tag, and (for a rewrite) inside the audio.
    int completed = 0;
    for (const std::string& front : {std::string(), RichTag(0), RichTag(8192)}) {
        for (int64_t failAfter : {int64_t(0), int64_t(7), int64_t(300), int64_t(20000)}) {
            for (const Writer& writer : writers) {
                SCOPED_TRACE(std::string(writer.name) + " failing after " + std::to_string(failAfter) +
                             " on a front tag of " + std::to_string(front.size()));
                const std::string path = ToneWithTag(m_dir, "fail" + std::to_string(n++) + ".mp3", front);
                const std::string before = FileBytesOf(path);
                SetSafeWriteFailAfter(failAfter);
                const bool written = writer.write(path);
                SetSafeWriteFailAfter(-1);
                const std::string after = FileBytesOf(path);
                if (failAfter >= 20000 && written) {
                    // A write of fewer bytes than that (in place) completes.
                    EXPECT_EQ(ToneAudio(), AudioOf(path));
                    TAG_INFO read;
                    EXPECT_TRUE(VIZU::GetID3TagInfo(&read, path.c_str()));
                    ++completed;
                    continue;
                }
                EXPECT_FALSE(written);
                EXPECT_TRUE(before == after) << "file changed";
                EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(SafeWriteTempPath(path.c_str())));
            }
        }
    }
    // Only in-place writes complete: the five writers on the roomy tag,
    // and the two whose tag keeps its size on the tight one.
    EXPECT_EQ(7, completed);
}

TEST_F(Id3Write, AnID3v24TagIsNeverRewrittenByTheTagLibrary)
{
    Id3v2Writer v24(4);
    v24.Text("TIT2", "Four").Text("TDRC", "2001-02-03").Text("TXXX", std::string("\0key\0value", 10))
        .Counter(3);
    const std::string path = ToneWithTag(m_dir, "v24.mp3", v24.Bytes(100));
    const std::string before = FileBytesOf(path);
    const std::vector<Writer> writers = AllWriters(m_dir);
    for (const Writer& writer : writers) {
        SCOPED_TRACE(writer.name);
        EXPECT_FALSE(writer.write(path));
        EXPECT_TRUE(before == FileBytesOf(path));
    }
    TAG_INFO read;
    ASSERT_TRUE(VIZU::GetID3TagInfo(&read, path.c_str()));
    EXPECT_STREQ("Four", read.Title);
    EXPECT_EQ(3, read.PlayCount);
}

} // namespace
