// id3lib, built from its Debian sources, writes an ID3v2.3 frame into an
// MP3 file made by lame and reads it back.
#include "tests/support/TestSupport.h"

#include <id3/misc_support.h>
#include <id3/tag.h>

#include <memory>
#include <string>

using namespace tavrix_test;

TEST(Id3lib, WritesAndReadsBackAnId3v23TitleFrame)
{
    TempDir dir;
    std::string mp3 = dir.File("tone.mp3");
    ASSERT_TRUE(CopyFileTo(MediaPath("tone440.mp3"), mp3));
    std::string original;
    ASSERT_TRUE(ReadFileBytes(mp3, original));
    ASSERT_GT(original.size(), 1000u);
    ASSERT_NE("ID3", original.substr(0, 3)) << "fixture should start untagged";

    {
        ID3_Tag tag;
        tag.Link(mp3.c_str(), ID3TT_ID3V2);
        ID3_AddTitle(&tag, "Test Title \xE9", true);
        ID3_AddArtist(&tag, "Test Artist", true);
        ASSERT_NE(0u, tag.Update(ID3TT_ID3V2));
    }

    std::string tagged;
    ASSERT_TRUE(ReadFileBytes(mp3, tagged));
    ASSERT_GE(tagged.size(), 10u);
    EXPECT_EQ("ID3", tagged.substr(0, 3));
    EXPECT_EQ(3, tagged[3]) << "major version 3 (ID3v2.3)";
    // The audio follows the tag unchanged.
    EXPECT_EQ(original, tagged.substr(tagged.size() - original.size()));

    ID3_Tag back(mp3.c_str());
    std::unique_ptr<char[]> title(ID3_GetTitle(&back));
    std::unique_ptr<char[]> artist(ID3_GetArtist(&back));
    ASSERT_TRUE(title);
    ASSERT_TRUE(artist);
    EXPECT_STREQ("Test Title \xE9", title.get());
    EXPECT_STREQ("Test Artist", artist.get());
}
