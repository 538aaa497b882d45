// The texts of every tagged MP3 the media script makes, read exactly: ID3v2
// frames in ISO-8859-1 and in little-endian UTF-16, ID3v1 tags beside them
// or alone. Stray bytes past a frame's text would show here.
#include "library/api/VIZU.h"
#include "tests/library/tags/TagsFixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using namespace tavrix_test;

namespace {

struct FixtureCase
{
    const char* file;
    const char* title;
    const char* artist;
    const char* album;
    const char* genre;
    const char* year;
    const char* comment;
};

// Album and genre as GetTagInfo defaults them when the tag has none.
const FixtureCase kFixtures[] = {
    {"import_latin1.mp3", "Import Title", "Import Artist", "Import Album", "Rock", "2021", ""},
    {"tone440_latin1.mp3", "Folder Title", "Folder Artist", "Unknown", "Other", "", ""},
    {"tone440_tags.mp3", "Scanner Title", "Scanner Artist", "Scanner Album", "Rock", "2024", "Note"},
    {"tags_utf16.mp3", "Wide Title", "Wide Artist", "Unknown", "Other", "", ""},
    {"tags_v1only.mp3", "Old Title", "Old Artist", "Old Album", "Metal", "1987", "Old Note"},
};

class TagFixtures : public KVLibIniTest
{
protected:
    TempDir m_dir;
};

} // namespace

TEST_F(TagFixtures, EveryTaggedFixtureReadsItsExactTexts)
{
    for (const FixtureCase& c : kFixtures) {
        SCOPED_TRACE(c.file);
        const std::string path = MediaPath(c.file);
        TAG_INFO info;
        ASSERT_TRUE(VIZU::GetTagInfo(path.c_str(), &info));
        EXPECT_EQ(c.title, info.Title.str());
        EXPECT_EQ(c.artist, info.Artist.str());
        EXPECT_EQ(c.album, info.Album.str());
        EXPECT_EQ(c.genre, info.Genre.str());
        EXPECT_EQ(c.year, info.Year.str());
        EXPECT_EQ(c.comment, info.Comment.str());
        EXPECT_EQ("MP3", info.FileType.str());

        TAG_INFO quick;
        ASSERT_TRUE(VIZU::GetID3TagQuick(&quick, path.c_str()));
        EXPECT_EQ(c.title, quick.Title.str());
        EXPECT_EQ(c.artist, quick.Artist.str());
    }
}

TEST_F(TagFixtures, OlderReaderTakesTheSameTextsUntrimmed)
{
    struct Case { const char* file; const char* title; const char* artist; };
    const Case cases[] = {
        {"import_latin1.mp3", "Import Title", "Import Artist"},
        {"tone440_tags.mp3", "Scanner Title", "Scanner Artist"},
        {"tags_utf16.mp3", " Wide Title ", "Wide Artist"},
        {"tags_v1only.mp3", "Old Title", "Old Artist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CTrackRecord rec;
        ASSERT_TRUE(VIZU::ReadID3Tag(&rec, MediaPath(c.file).c_str()));
        EXPECT_EQ(c.title, rec.m_Title.str());
        EXPECT_EQ(c.artist, rec.m_Artist.str());
    }
}

namespace {

std::string BigEndian32(size_t value)
{
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
    return out;
}

// An ID3v2.3 text frame: the encoding byte, then the text bytes as given.
std::string TextFrame(const char* id, char encoding, const std::string& text)
{
    const std::string body = std::string(1, encoding) + text;
    return std::string(id, 4) + BigEndian32(body.size()) + std::string(2, '\0') + body;
}

std::string Utf16Le(const std::u16string& text)
{
    std::string out;
    for (char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

std::string Utf16Be(const std::u16string& text)
{
    std::string out;
    for (char16_t unit : text) {
        out += static_cast<char>(unit >> 8);
        out += static_cast<char>(unit & 0xFF);
    }
    return out;
}

// The untagged tone behind an ID3v2.3 tag holding frames (no padding).
std::string Mp3WithFrames(const TempDir& dir, const std::string& name, const std::string& frames)
{
    std::string audio;
    EXPECT_TRUE(ReadFileBytes(MediaPath("tone440.mp3"), audio));
    std::string header("ID3\x03\x00\x00", 6);
    const size_t size = frames.size();
    for (int shift = 21; shift >= 0; shift -= 7)
        header += static_cast<char>((size >> shift) & 0x7F);
    const std::string path = dir.File(name);
    EXPECT_TRUE(WriteFileBytes(path, header + frames + audio));
    return path;
}

std::string AnsiOf(const std::wstring& text)
{
    int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], bytes,
                            nullptr, nullptr);
    return out;
}

const std::string kBomLe("\xFF\xFE", 2);
const std::string kBomBe("\xFE\xFF", 2);

} // namespace

// Title frames in each form a file may hold, each followed by an artist
// frame: the title must end where its frame ends. After a UTF-16 frame of
// odd size the tag library loses the frames that follow.
TEST_F(TagFixtures, TitleTextsEndWithTheirFrame)
{
    const std::u16string longText(1500, u'w');
    struct Case { const char* name; char encoding; std::string text; std::string title; bool next = true; };
    const Case cases[] = {
        {"little-endian", 1, kBomLe + Utf16Le(u"Little Title"), "Little Title"},
        {"big-endian mark", 1, kBomBe + Utf16Be(u"Big Title"), "Big Title"},
        {"odd size", 1, kBomLe + Utf16Le(u"Odd") + "X", "Odd", false},
        {"one character", 1, kBomLe + Utf16Le(u"Q"), "Q"},
        {"mark only", 1, kBomLe, ""},
        {"accented", 1, kBomLe + Utf16Le(u"Caf\u00E9"), AnsiOf(L"Caf\u00E9")},
        {"ends at zero", 1, kBomLe + Utf16Le(u"First") + std::string(2, '\0') + Utf16Le(u"Second"), "First"},
        {"long wide", 1, kBomLe + Utf16Le(longText), std::string(1024, 'w')},
        {"latin-1", 0, "Plain Title", "Plain Title"},
        {"latin-1 terminated", 0, std::string("Ends\0Here", 9), "Ends"},
        {"long latin-1", 0, std::string(1500, 'n'), std::string(1024, 'n')},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path =
            Mp3WithFrames(m_dir, "frames" + std::to_string(n++) + ".mp3",
                          TextFrame("TIT2", c.encoding, c.text) +
                              TextFrame("TPE1", 1, kBomLe + Utf16Le(u"Next Artist")));
        TAG_INFO info;
        ASSERT_TRUE(VIZU::GetID3TagInfo(&info, path.c_str()));
        EXPECT_EQ(c.title, info.Title.str());
        EXPECT_EQ(c.next ? "Next Artist" : "", info.Artist.str());
        EXPECT_EQ(3, info.Length);
        CTrackRecord rec;
        ASSERT_TRUE(VIZU::ReadID3Tag(&rec, path.c_str()));
        EXPECT_EQ(c.title, rec.m_Title.str());
    }
}

// The same frames read again and again: stray memory past a text would
// differ from read to read.
TEST_F(TagFixtures, RepeatedReadsGiveTheSameTexts)
{
    const std::string path = Mp3WithFrames(
        m_dir, "repeat.mp3",
        TextFrame("TIT2", 1, kBomLe + Utf16Le(u"Short")) + TextFrame("TPE1", 1, kBomLe + Utf16Le(u"Artist Name")) +
            TextFrame("TALB", 1, kBomBe + Utf16Be(u"An Album Title")) + TextFrame("TCON", 1, kBomLe + Utf16Le(u"(17)")));
    for (int i = 0; i < 50; ++i) {
        SCOPED_TRACE(i);
        TAG_INFO info;
        ASSERT_TRUE(VIZU::GetID3TagInfo(&info, path.c_str()));
        ASSERT_EQ("Short", info.Title.str());
        ASSERT_EQ("Artist Name", info.Artist.str());
        ASSERT_EQ("An Album Title", info.Album.str());
        ASSERT_EQ("Rock", info.Genre.str());
    }
}
