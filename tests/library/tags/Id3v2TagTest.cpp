// The bounded ID3v2 reader on tags made by the test writer: versions and
// text encodings, synchsafe and plain sizes, unsynchronisation, data
// length indicators, compression within and beyond the limits, frames
// larger than the tag, pictures, the year of a time stamp, and the rule
// for control characters.
#include "library/tags/Id3v2Tag.h"
#include "library/tags/TagFields.h"
#include "library/tags/TagReadingText.h"
#include "tests/support/Id3v2Writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavrix_test;

namespace {

bool Parse(const std::string& bytes, id3v2::Tag* tag)
{
    return tag->Parse(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// The frame's text as UTF-8, whatever its encoding (Latin-1 bytes as
// their code points).
std::string Utf8(const id3v2::Text& text)
{
    std::string out;
    auto put = [&](char32_t p) {
        if (p < 0x80) {
            out += static_cast<char>(p);
        } else if (p < 0x800) {
            out += static_cast<char>(0xC0 | p >> 6);
            out += static_cast<char>(0x80 | (p & 0x3F));
        } else if (p < 0x10000) {
            out += static_cast<char>(0xE0 | p >> 12);
            out += static_cast<char>(0x80 | (p >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (p & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | p >> 18);
            out += static_cast<char>(0x80 | (p >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (p >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (p & 0x3F));
        }
    };
    if (!text.unicode) {
        for (unsigned char c : text.bytes)
            put(c);
        return out;
    }
    for (size_t i = 0; i < text.units.size(); ++i) {
        char32_t u = text.units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.units.size()) {
            u = 0x10000 + ((u - 0xD800) << 10) + (text.units[i + 1] - 0xDC00);
            ++i;
        }
        put(u);
    }
    return out;
}

std::string FrameText(const id3v2::Tag& tag, const char* id)
{
    const id3v2::FrameRef* frame = tag.Find(id);
    std::vector<uint8_t> content;
    id3v2::Text text;
    if (!frame || !tag.Content(*frame, &content) || !id3v2::TextOfFrame(content, 100000, &text))
        return "<none>";
    return Utf8(text);
}

} // namespace

TEST(Id3v2Tag, TextFramesInEveryVersionAndEncoding)
{
    struct Case { int major; Id3Encoding encoding; const char* text; };
    const Case cases[] = {
        {3, kId3Latin1, "Caf\xC3\xA9 Noir"},
        {3, kId3Utf16, "Caf\xC3\xA9 \xE2\x82\xAC"},
        {4, kId3Latin1, "Caf\xC3\xA9 Noir"},
        {4, kId3Utf16, "Caf\xC3\xA9 \xE2\x82\xAC"},
        {4, kId3Utf16BE, "\xF0\x9F\x8E\xB5 Z\xC3\xB6\xC3\xAB"},
        {4, kId3Utf8, "\xF0\x9F\x8E\xB5 Z\xC3\xB6\xC3\xAB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.major) + "/" + std::to_string(c.encoding));
        id3v2::Tag tag;
        ASSERT_TRUE(Parse(Id3v2Writer(c.major).Text("TIT2", c.text, c.encoding).Text("TALB", "B").Bytes(64), &tag));
        EXPECT_EQ(c.major, tag.Header().major);
        EXPECT_EQ(c.text, FrameText(tag, "TIT2"));
        EXPECT_EQ("B", FrameText(tag, "TALB"));
        EXPECT_EQ(0, tag.Skipped());
        EXPECT_FALSE(tag.Damaged());
    }
}

TEST(Id3v2Tag, OnlyTheFirstOfSeveralStringsIsTaken)
{
    id3v2::Tag tag;
    ASSERT_TRUE(Parse(Id3v2Writer(4).Text("TPE1", std::string("One\0Two", 7), kId3Utf8).Bytes(), &tag));
    EXPECT_EQ("One", FrameText(tag, "TPE1"));
    ASSERT_TRUE(Parse(Id3v2Writer(4).Text("TPE1", std::string("One\0Two", 7), kId3Utf16).Bytes(), &tag));
    EXPECT_EQ("One", FrameText(tag, "TPE1"));
}

TEST(Id3v2Tag, SizesSynchsafeAndPlain)
{
    // 300 bytes: the synchsafe and the plain form of the size differ.
    const std::string longText(299, 'x');
    id3v2::Tag tag;
    ASSERT_TRUE(Parse(Id3v2Writer(4).Text("TIT2", longText).Text("TALB", "After").Bytes(10), &tag));
    EXPECT_TRUE(longText == FrameText(tag, "TIT2"));
    EXPECT_EQ("After", FrameText(tag, "TALB"));

    // An ID3v2.4 tag written with plain sizes, as some writers do.
    std::string bytes = Id3v2Writer(3).Text("TIT2", longText).Text("TALB", "After").Bytes(10);
    bytes[3] = 4;
    ASSERT_TRUE(Parse(bytes, &tag));
    EXPECT_TRUE(longText == FrameText(tag, "TIT2"));
    EXPECT_EQ("After", FrameText(tag, "TALB"));
    EXPECT_FALSE(tag.Damaged());
}

TEST(Id3v2Tag, UnsynchronisationAndDataLengthIndicators)
{
    // 0xFF 0xE0 and 0xFF 0x00 in the text: unsynchronisation changes them.
    const std::string text = "\xC3\xBF\xC3\xA0 and \xC3\xBF";
    Id3FrameOptions unsync;
    unsync.unsynchronise = true;
    Id3FrameOptions both = unsync;
    both.dataLength = true;
    Id3FrameOptions length;
    length.dataLength = true;
    id3v2::Tag tag;
    ASSERT_TRUE(Parse(Id3v2Writer(4)
                          .Text("TIT2", text, kId3Latin1, unsync)
                          .Text("TPE1", text, kId3Latin1, both)
                          .Text("TALB", text, kId3Latin1, length)
                          .Bytes(),
                      &tag));
    EXPECT_EQ(text, FrameText(tag, "TIT2"));
    EXPECT_EQ(text, FrameText(tag, "TPE1"));
    EXPECT_EQ(text, FrameText(tag, "TALB"));

    // ID3v2.3 unsynchronises the whole tag.
    ASSERT_TRUE(Parse(Id3v2Writer(3).Text("TIT2", text).Text("TALB", "B").Bytes(0, true), &tag));
    EXPECT_EQ(text, FrameText(tag, "TIT2"));
    EXPECT_EQ("B", FrameText(tag, "TALB"));
}

TEST(Id3v2Tag, CompressedFramesWithinTheLimitsAreRead)
{
    Id3FrameOptions compressed;
    compressed.compress = true;
    compressed.unsynchronise = true;
    const std::string picture(200000, '\xFF');
    for (int major : {3, 4}) {
        SCOPED_TRACE(major);
        id3v2::Tag tag;
        ASSERT_TRUE(Parse(Id3v2Writer(major)
                              .Text("TIT2", std::string(60000, 't'), kId3Latin1, compressed)
                              .Picture("image/png", picture, "cover", kId3Latin1, compressed)
                              .Bytes(),
                          &tag));
        const std::string title = FrameText(tag, "TIT2");
        EXPECT_EQ(60000u, title.size());
        EXPECT_TRUE(title == std::string(60000, 't')) << title.substr(0, 40);
        const id3v2::FrameRef* apic = tag.Find("APIC");
        ASSERT_NE(nullptr, apic);
        std::vector<uint8_t> content;
        ASSERT_TRUE(tag.Content(*apic, &content));
        id3v2::Picture parsed;
        ASSERT_TRUE(id3v2::PictureOfFrame(content, &parsed));
        EXPECT_EQ("image/png", parsed.mimeType);
        EXPECT_EQ(3, parsed.pictureType);
        EXPECT_EQ("cover", Utf8(parsed.description));
        EXPECT_EQ(picture.size(), parsed.data.size());
        EXPECT_TRUE(picture == std::string(parsed.data.begin(), parsed.data.end()));
    }
}

TEST(Id3v2Tag, FramesBeyondTheirLimitsAreSkippedWithoutInflating)
{
    for (int major : {3, 4}) {
        SCOPED_TRACE(major);
        id3v2::Tag tag;
        ASSERT_TRUE(Parse(Id3v2Writer(major)
                              // 256 MB, declared truthfully
                              .InflatingFrame("TIT2", std::string(1, '\0'), 'A', kLargestSynchsafe)
                              .Frame("TPE1", std::string(1, '\0') + "Artist")
                              // past the limit, declaring 100 bytes
                              .InflatingFrame("TALB", std::string(1, '\0'), 'B', id3v2::kFrameLimit + 2, 100)
                              .Frame("TPE2", std::string(1, '\0') + std::string(id3v2::kFrameLimit, 'p'))
                              .Text("TCON", "Rock")
                              .Bytes(),
                          &tag));
        EXPECT_EQ(2, tag.Skipped()) << "the 256 MB frame and the oversized plain one";
        EXPECT_EQ(nullptr, tag.Find("TIT2"));
        EXPECT_EQ(nullptr, tag.Find("TPE2"));
        EXPECT_EQ("Artist", FrameText(tag, "TPE1"));
        EXPECT_EQ("<none>", FrameText(tag, "TALB")) << "inflating stops at the limit";
        EXPECT_EQ("Rock", FrameText(tag, "TCON"));
    }
}

TEST(Id3v2Tag, AFrameLargerThanTheTagEndsTheWalk)
{
    for (int major : {3, 4}) {
        SCOPED_TRACE(major);
        id3v2::Tag tag;
        ASSERT_TRUE(Parse(Id3v2Writer(major)
                              .Text("TIT2", "Kept")
                              .RawFrame("TALB", 5000, 0, std::string(1, '\0') + "short")
                              .Bytes(),
                          &tag));
        EXPECT_EQ("Kept", FrameText(tag, "TIT2"));
        EXPECT_EQ(nullptr, tag.Find("TALB"));
        EXPECT_EQ(1, tag.Skipped());
        EXPECT_TRUE(tag.Damaged());
    }
    // A tag whose header claims more bytes than there are: the frames that
    // are there are read.
    std::string bytes = Id3v2Writer(4).Text("TIT2", "Cut").Bytes(100);
    bytes.resize(30);
    id3v2::Tag tag;
    ASSERT_TRUE(Parse(bytes, &tag));
    EXPECT_EQ("Cut", FrameText(tag, "TIT2"));
}

TEST(Id3v2Tag, HeadersThatAreNotTags)
{
    struct Case { const char* name; std::string bytes; };
    const Case cases[] = {
        {"short", std::string("ID3\x04\0\0\0\0", 8)},
        {"mark", std::string("ID2\x04\0\0\0\0\0\0", 10)},
        {"size not synchsafe", std::string("ID3\x04\0\0\0\0\x80\0", 10)},
        {"version 5", std::string("ID3\x05\0\0\0\0\0\0", 10)},
        {"version 2 (read by id3lib)", std::string("ID3\x02\0\0\0\0\0\0", 10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        id3v2::Tag tag;
        EXPECT_FALSE(Parse(c.bytes, &tag));
        EXPECT_TRUE(tag.Frames().empty());
    }
}

TEST(Id3v2Tag, ExtendedHeadersAreStepped)
{
    std::string v4 = Id3v2Writer(4).Text("TIT2", "T4").Bytes();
    // Flag, then a six-byte extended header (synchsafe size counting itself).
    v4[5] = 0x40;
    v4.insert(10, std::string("\0\0\0\x06\x01\0", 6));
    v4[9] = static_cast<char>(v4[9] + 6);
    id3v2::Tag tag;
    ASSERT_TRUE(Parse(v4, &tag));
    EXPECT_EQ("T4", FrameText(tag, "TIT2"));

    std::string v3 = Id3v2Writer(3).Text("TIT2", "T3").Bytes();
    v3[5] = 0x40;
    v3.insert(10, std::string("\0\0\0\x06\0\0\0\0\0\0", 10));
    v3[9] = static_cast<char>(v3[9] + 10);
    ASSERT_TRUE(Parse(v3, &tag));
    EXPECT_EQ("T3", FrameText(tag, "TIT2"));
}

TEST(Id3v2Tag, FieldsTakeTheYearOfTheTimeStampAndBareGenreNumbers)
{
    id3v2::Tag tag;
    tagfields::TagFields fields;
    ASSERT_TRUE(Parse(Id3v2Writer(4)
                          .Text("TDRC", "1999-04-01T10:00", kId3Utf8)
                          .Text("TCON", "17", kId3Utf16)
                          .Comment("desc", "The note", kId3Utf16BE)
                          .Counter(42)
                          .Picture("image/jpeg", "\xFF\xD8\xFF\xD9")
                          .Bytes(),
                      &tag));
    tagfields::FromTag(tag, &fields);
    EXPECT_EQ("1999", Utf8(fields[tagfields::kYear].text));
    EXPECT_EQ("(17)", Utf8(fields[tagfields::kGenre].text));
    EXPECT_EQ("The note", Utf8(fields[tagfields::kComment].text));
    EXPECT_TRUE(fields.hasCounter);
    EXPECT_EQ(42u, fields.playCount);
    EXPECT_TRUE(fields.hasPicture);

    // TYER, when there is one, wins; a genre number in ID3v2.3 stays a name.
    ASSERT_TRUE(Parse(Id3v2Writer(3).Text("TYER", "2001").Text("TDRC", "1999").Text("TCON", "17").Bytes(), &tag));
    tagfields::FromTag(tag, &fields);
    EXPECT_EQ("2001", Utf8(fields[tagfields::kYear].text));
    EXPECT_EQ("17", Utf8(fields[tagfields::kGenre].text));
    EXPECT_FALSE(fields.hasPicture);

    EXPECT_EQ("2024", tagfields::YearOfTimestamp("20240501"));
    EXPECT_EQ("98", tagfields::YearOfTimestamp("98-01"));
    EXPECT_EQ("", tagfields::YearOfTimestamp("spring"));
}

TEST(Id3v2Tag, MalformedUtf8AndOddUtf16AreReadSafely)
{
    struct Case { uint8_t encoding; std::string bytes; std::u16string units; };
    const Case cases[] = {
        {id3v2::kUtf8, "a\xC3", u"a\xFFFD"},
        {id3v2::kUtf8, "\xED\xA0\x80z", u"\xFFFDz"},
        {id3v2::kUtf8, "\xC0\xAFx", u"\xFFFD\xFFFDx"},
        {id3v2::kUtf16, std::string("\xFE\xFF\0A\0B", 6), u"AB"},
        {id3v2::kUtf16, std::string("\0A\0", 3), u"A"},
        {id3v2::kUtf16BE, std::string("\0A\0\0\0B", 6), u"A"},
    };
    for (const Case& c : cases) {
        const id3v2::Text text = id3v2::DecodeString(
            c.encoding, reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size(), 100);
        EXPECT_TRUE(text.unicode);
        EXPECT_EQ(c.units, text.units) << c.bytes;
    }
}

TEST(TagTextControl, LineBreaksAndTabsBecomeBlanksOtherControlBytesGo)
{
    struct Case { std::string in; std::string out; bool changed; };
    const Case cases[] = {
        {"plain", "plain", false},
        {"a\r\nb", "a  b", true},
        {"a\tb", "a b", true},
        {std::string("x\x01y\x1Fz\x7F"), "xyz\x7F", true},
        {"\xE9t\xE9", "\xE9t\xE9", false},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        EXPECT_EQ(c.changed, tagtext::RemoveControlChars(text));
        EXPECT_EQ(c.out, text);
    }
}
