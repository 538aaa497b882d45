// The area-weighted resampler on its own: weight tables and pixel images.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "foundation/drawing/BitmapResample.h"

namespace {

struct TableCase
{
    std::uint32_t from, to;
    bool shrink;
    std::vector<ResampleWeight> expected;
};

TEST(ResampleTable, WeightsOfSmallAxes)
{
    const float third = 1.0f / 3.0f;
    const TableCase cases[] = {
        // shrinking 3 to 2 splits the middle pixel equally between both cells
        {3, 2, true, {{2 * third, 0.0f, false}, {third, third, true}, {2 * third, -1.0f, true}}},
        // enlarging 2 to 3: the middle output takes half of each source pixel
        {2, 3, false, {{1.0f, 0.0f, false}, {0.5f, 0.5f, true}, {1.0f, -1.0f, true}}},
        // equal lengths: every pixel ends its own cell
        {2, 2, true, {{1.0f, -1.0f, true}, {1.0f, -1.0f, true}}},
        // 4 to 2: two whole pixels per cell
        {4, 2, true, {{0.5f, 0.0f, false}, {0.5f, -1.0f, true}, {0.5f, 0.0f, false}, {0.5f, -1.0f, true}}},
    };
    for (const TableCase& c : cases) {
        std::vector<ResampleWeight> table = BuildResampleTable(c.from, c.to, c.shrink);
        ASSERT_EQ(table.size(), c.expected.size()) << c.from << "->" << c.to;
        for (size_t i = 0; i < table.size(); ++i) {
            EXPECT_FLOAT_EQ(table[i].first, c.expected[i].first) << c.from << "->" << c.to << " entry " << i;
            EXPECT_FLOAT_EQ(table[i].second, c.expected[i].second) << c.from << "->" << c.to << " entry " << i;
            EXPECT_EQ(table[i].crosses, c.expected[i].crosses) << c.from << "->" << c.to << " entry " << i;
        }
    }
}

TEST(ResampleTable, EveryCellIsEndedOnceEvenOnVeryLongAxes)
{
    // A spill of 1/30000 weighs less than the weights' threshold; the cell
    // must still end there.
    for (std::uint32_t shorter : {7u, 3u, 1u, 2999u}) {
        std::vector<ResampleWeight> table = BuildResampleTable(30000, shorter, true);
        int crossings = 0;
        for (const ResampleWeight& w : table)
            crossings += w.crosses ? 1 : 0;
        EXPECT_EQ(crossings, static_cast<int>(shorter)) << shorter;
        EXPECT_TRUE(table.back().crosses);
        EXPECT_FLOAT_EQ(table.back().second, -1.0f);
    }
}

std::vector<std::uint8_t> Uniform(std::uint32_t w, std::uint32_t h, std::uint8_t b, std::uint8_t g, std::uint8_t r)
{
    std::vector<std::uint8_t> img(Rgb24Stride(w) * h, 0);
    for (std::uint32_t y = 0; y < h; ++y)
        for (std::uint32_t x = 0; x < w; ++x) {
            std::uint8_t* p = &img[y * Rgb24Stride(w) + x * 3];
            p[0] = b; p[1] = g; p[2] = r;
        }
    return img;
}

TEST(ResampleRgb24, UniformColourStaysUniform)
{
    struct Size { std::uint32_t oldW, oldH, newW, newH; };
    const Size sizes[] = {
        {7, 5, 3, 2}, {3, 2, 7, 5}, {5, 5, 5, 5}, {10, 1, 3, 1}, {1, 10, 1, 4},
        {3, 3, 8, 3}, {30000, 1, 7, 1}, {7, 1, 30000, 1}, {13, 11, 12, 11},
    };
    for (const Size& s : sizes) {
        std::vector<std::uint8_t> src = Uniform(s.oldW, s.oldH, 50, 100, 200);
        std::vector<std::uint8_t> dst(Rgb24Stride(s.newW) * s.newH, 0xEE);
        ASSERT_TRUE(ResampleRgb24(src.data(), s.oldW, s.oldH, dst.data(), s.newW, s.newH));
        for (std::uint32_t y = 0; y < s.newH; ++y)
            for (std::uint32_t x = 0; x < s.newW; ++x) {
                const std::uint8_t* p = &dst[y * Rgb24Stride(s.newW) + x * 3];
                ASSERT_NEAR(p[0], 50, 1) << s.oldW << "x" << s.oldH << "->" << s.newW << "x" << s.newH << " at " << x << "," << y;
                ASSERT_NEAR(p[1], 100, 1);
                ASSERT_NEAR(p[2], 200, 1);
            }
    }
}

TEST(ResampleRgb24, SplitsAndBlendsPixels)
{
    // One row: 3 -> 2 shrinking; the middle pixel is shared.
    std::vector<std::uint8_t> src = {0, 0, 0, 90, 90, 90, 180, 180, 180, 0, 0, 0};
    std::vector<std::uint8_t> dst(Rgb24Stride(2), 0);
    ASSERT_TRUE(ResampleRgb24(src.data(), 3, 1, dst.data(), 2, 1));
    EXPECT_NEAR(dst[0], 30, 1);     // 2/3 * 0 + 1/3 * 90
    EXPECT_NEAR(dst[3], 150, 1);    // 1/3 * 90 + 2/3 * 180
    // 2 -> 3 enlarging: the middle is the average.
    std::vector<std::uint8_t> two = {0, 0, 0, 200, 200, 200, 0, 0};
    std::vector<std::uint8_t> three(Rgb24Stride(3), 0);
    ASSERT_TRUE(ResampleRgb24(two.data(), 2, 1, three.data(), 3, 1));
    EXPECT_EQ(three[0], 0);
    EXPECT_NEAR(three[3], 100, 1);
    EXPECT_EQ(three[6], 200);
}

TEST(ResampleRgb24, RefusesMixedGrowAndShrinkAndEmptySides)
{
    std::vector<std::uint8_t> src = Uniform(4, 4, 1, 2, 3);
    std::vector<std::uint8_t> dst(Rgb24Stride(8) * 8, 0x5A);
    EXPECT_FALSE(ResampleRgb24(src.data(), 4, 4, dst.data(), 2, 8));
    EXPECT_FALSE(ResampleRgb24(src.data(), 4, 4, dst.data(), 8, 2));
    EXPECT_FALSE(ResampleRgb24(src.data(), 4, 4, dst.data(), 0, 2));
    for (std::uint8_t b : dst)
        ASSERT_EQ(b, 0x5A);
}

} // namespace
