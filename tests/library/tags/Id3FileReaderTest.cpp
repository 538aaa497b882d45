// The block reader that feeds id3lib: every position and length must give
// the file's own bytes, across block edges and at the end of the file.
#include "library/tags/Id3FileReader.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <id3/tag.h>

#include <string>
#include <vector>

namespace {

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

constexpr size_t kFileSize = 150000; // three blocks, the last one short

TEST(Id3FileReaderTest, ReadsTheFilesBytesAtEveryPlace)
{
    tavrix_test::TempDir dir;
    const std::string path = dir.File("pattern.bin");
    const std::string bytes = Pattern(kFileSize);
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, bytes));

    struct Case { uint32_t pos; uint32_t len; uint32_t expected; };
    const Case cases[] = {
        {0, 10, 10},
        {65530, 12, 12},           // across the first block edge
        {140000, 10000, 10000},    // ends exactly at the end
        {149990, 100, 10},         // cut at the end
        {10, 140000, 140000},      // spans three blocks
        {3, 0, 0},
    };
    Id3FileReader reader(path.c_str());
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(kFileSize, reader.getEnd());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pos);
        reader.setCur(c.pos);
        std::vector<ID3_Reader::char_type> out(c.len + 1, 0);
        EXPECT_EQ(c.expected, reader.readChars(out.data(), c.len));
        EXPECT_EQ(bytes.substr(c.pos, c.expected),
                  std::string(reinterpret_cast<const char*>(out.data()), c.expected));
        EXPECT_EQ(c.pos + c.expected, reader.getCur());
    }
    // Back to the start after the end's block pushed one out.
    reader.setCur(65535);
    EXPECT_EQ(static_cast<unsigned char>(bytes[65535]), reader.readChar());
    EXPECT_EQ(static_cast<unsigned char>(bytes[65536]), reader.peekChar());
    EXPECT_EQ(65536u, reader.getCur());
}

TEST(Id3FileReaderTest, StopsAtTheEnd)
{
    tavrix_test::TempDir dir;
    const std::string path = dir.File("short.bin");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, "abc"));
    Id3FileReader reader(path.c_str());
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(3u, reader.setCur(1000));
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(ID3_Reader::END_OF_READER, reader.peekChar());
    EXPECT_EQ(ID3_Reader::END_OF_READER, reader.readChar());
    reader.setCur(1);
    EXPECT_EQ(2u, reader.skipChars(50));
    EXPECT_EQ(3u, reader.getCur());
}

TEST(Id3FileReaderTest, AMissingFileReadsNothing)
{
    tavrix_test::TempDir dir;
    Id3FileReader reader(dir.File("absent.mp3").c_str());
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(0u, reader.getEnd());
    char buf[4];
    EXPECT_EQ(0u, reader.readChars(buf, 4));
    EXPECT_EQ(ID3_Reader::END_OF_READER, reader.readChar());
}

// A version 1 tag at the end of a file larger than a block is found through
// the reader, as id3lib finds it through its own file stream.
TEST(Id3FileReaderTest, Id3libFindsAVersion1TagAtTheEndOfALargeFile)
{
    tavrix_test::TempDir dir;
    const std::string path = dir.File("large.mp3");
    std::string v1(128, '\0');
    v1.replace(0, 3, "TAG");
    v1.replace(3, 9, "Far Title");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, std::string(200000, '\0') + v1));

    Id3FileReader reader(path.c_str());
    ID3_Tag tag;
    tag.Link(reader, ID3TT_ALL);
    const ID3_Frame* title = tag.Find(ID3FID_TITLE);
    ASSERT_NE(nullptr, title);
    char text[64] = {};
    title->GetField(ID3FN_TEXT)->Get(text, sizeof(text) - 1);
    EXPECT_STREQ("Far Title", text);
}

} // namespace
