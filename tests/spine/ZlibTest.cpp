// zlib (Debian's mingw package) round-trips a buffer, as id3lib's
// compressed frames need.
#include <zlib.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Zlib, CompressAndUncompressRoundTrip)
{
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "Track " + std::to_string(i % 37) + " - Artist\n";

    uLongf packedSize = compressBound(static_cast<uLong>(text.size()));
    std::vector<Bytef> packed(packedSize);
    ASSERT_EQ(Z_OK, compress(packed.data(), &packedSize,
                             reinterpret_cast<const Bytef*>(text.data()),
                             static_cast<uLong>(text.size())));
    EXPECT_LT(packedSize, text.size() / 4);

    std::vector<Bytef> back(text.size());
    uLongf backSize = static_cast<uLongf>(back.size());
    ASSERT_EQ(Z_OK, uncompress(back.data(), &backSize, packed.data(), packedSize));
    ASSERT_EQ(text.size(), backSize);
    EXPECT_EQ(text, std::string(back.begin(), back.end()));

    // A damaged stream is refused, not read past its end.
    packed[packedSize / 2] ^= 0x5A;
    backSize = static_cast<uLongf>(back.size());
    EXPECT_NE(Z_OK, uncompress(back.data(), &backSize, packed.data(), packedSize));
}
