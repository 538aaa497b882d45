// The fixed-point spectrum analyser: its sizes, tables and buffer, the
// transform against a recursive reference of the same integer arithmetic,
// the levels against a double-precision spectrum of generated sines, and
// the stretching walk.
#include <math.h>
#include <stdint.h>

#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "decoder/fft/fft.h"

namespace {

const double kPi = 3.14159265358979323846;

struct FftDeleter
{
    void operator()(fft_context* c) const { fft_delete(c); }
};
using FftPtr = std::unique_ptr<fft_context, FftDeleter>;

FftPtr NewFft()
{
    fft_context* c = nullptr;
    EXPECT_EQ(0, fft_new(&c));
    return FftPtr(c);
}

std::vector<int8_t> Sine(int n, double cyclesPerBlock, double amplitude, double phase = 0.0)
{
    std::vector<int8_t> s(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        s[i] = static_cast<int8_t>(lround(amplitude * sin(2.0 * kPi * cyclesPerBlock * i / n + phase)));
    return s;
}

// The windowed input as the analyser forms it.
void Windowed(const std::vector<int8_t>& samples, std::vector<int32_t>* re)
{
    const int n = static_cast<int>(samples.size());
    const int32_t* w = fft_window_table();
    re->resize(samples.size());
    for (int i = 0; i < n; ++i)
        (*re)[i] = (samples[i] * w[1024 / n / 2 + i * (1024 / n)]) >> 8;
}

// Recursive decimation in time with the same butterfly arithmetic: each
// level halves the even half and adds the odd half times the 15-bit
// twiddle, every product shifted right by 16.
void ReferenceTransform(std::vector<int32_t>& re, std::vector<int32_t>& im)
{
    const size_t n = re.size();
    if (n == 1)
        return;
    std::vector<int32_t> er(n / 2), ei(n / 2), orr(n / 2), oi(n / 2);
    for (size_t i = 0; i < n / 2; ++i) {
        er[i] = re[2 * i]; ei[i] = im[2 * i];
        orr[i] = re[2 * i + 1]; oi[i] = im[2 * i + 1];
    }
    ReferenceTransform(er, ei);
    ReferenceTransform(orr, oi);
    const int32_t* sine = fft_sine_table();
    const int b = static_cast<int>(n / 2);
    for (int k = 0; k < b; ++k) {
        const int32_t c = sine[k * 512 / b + 256], s = sine[k * 512 / b];
        const int32_t tr = ((orr[k] * c) >> 16) + ((oi[k] * s) >> 16);
        const int32_t ti = ((oi[k] * c) >> 16) - ((orr[k] * s) >> 16);
        re[k] = (er[k] >> 1) + tr;
        im[k] = (ei[k] >> 1) + ti;
        re[k + b] = (er[k] >> 1) - tr;
        im[k + b] = (ei[k] >> 1) - ti;
    }
}

// The level of a power by a plain count: the binary search from 127 with
// steps 64 down to 1 compares only the odd thresholds and ends on an even
// index, twice the number of odd thresholds below the power.
int ReferenceLevel(double power)
{
    const int32_t* t = fft_threshold_table();
    int below = 0;
    for (int k = 1; k < 255; k += 2)
        if (t[k] < power)
            ++below;
    return 2 * below;
}

} // namespace

TEST(Fft, SizesAreThePowersOfTwoUpTo1024)
{
    struct Case { int n; int result; } cases[] = {
        {1, 0}, {2, 0}, {4, 0}, {64, 0}, {512, 0}, {1024, 0},
        {0, -1}, {3, -1}, {1000, -1}, {2048, -1}, {-4, -1}, {513, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.result, fft_check_size(c.n)) << c.n;
    FftPtr f = NewFft();
    std::vector<int8_t> block(1024, 1);
    EXPECT_EQ(-102, fft_set_input(f.get(), block.data(), 1000));
    EXPECT_EQ(0, f->n);
    EXPECT_EQ(0, fft_set_input(f.get(), block.data(), 1));
    EXPECT_EQ(0, fft_set_input(f.get(), block.data(), 1024));
    EXPECT_EQ(1024, f->n);
}

TEST(Fft, TablesFollowTheirFormulas)
{
    const int32_t* w = fft_window_table();
    const int32_t* s = fft_sine_table();
    const int32_t* t = fft_threshold_table();
    for (int i = 0; i < 1024; ++i) {
        const double a = 2.0 * kPi * i / 1023.0;
        const double bh = 65535.0 * (0.35875 - 0.48829 * cos(a) + 0.14128 * cos(2 * a) - 0.01168 * cos(3 * a));
        EXPECT_LE(fabs(w[i] - bh), 1.0) << i;
        EXPECT_LE(fabs(s[i] - 32767.0 * sin(2.0 * kPi * i / 1024.0)), 1.0) << i;
    }
    EXPECT_EQ(3, w[0]);
    EXPECT_EQ(3, w[1023]);
    EXPECT_GE(w[511], 65534);
    EXPECT_EQ(32767, s[256]);
    for (int k = 0; k < 256; ++k)
        EXPECT_LE(fabs(t[k] - 16777215.0 * pow(10.0, 3.0 * (k - 255) / 160.0)), 1.0) << k;
    EXPECT_EQ(277, t[0]);
    EXPECT_EQ(16777215, t[255]);
}

TEST(Fft, SpectrumBeforeInputOrWithTooFewBandsIsRefused)
{
    FftPtr f = NewFft();
    uint8_t out[1024];
    EXPECT_EQ(-102, fft_get_spectrum(f.get(), out, 512));
    EXPECT_EQ(0, fft_set_input(f.get(), nullptr, 0)); // a count of 0 on a fresh context
    EXPECT_EQ(-102, fft_get_spectrum(f.get(), out, 512));
    const std::vector<int8_t> block = Sine(256, 10, 100);
    ASSERT_EQ(0, fft_set_input(f.get(), block.data(), 256));
    EXPECT_EQ(-102, fft_get_spectrum(f.get(), out, 127));
    EXPECT_EQ(0, fft_get_spectrum(f.get(), out, 128));
}

TEST(Fft, WorkBufferGrowsAndIsKept)
{
    FftPtr f = NewFft();
    std::vector<int8_t> block(1024, 5);
    ASSERT_EQ(0, fft_set_input(f.get(), block.data(), 64));
    EXPECT_EQ(64u / 2 + 8 * 64, f->size);
    ASSERT_EQ(0, fft_set_input(f.get(), block.data(), 512));
    EXPECT_EQ(512u / 2 + 8 * 512, f->size);
    ASSERT_EQ(0, fft_set_input(f.get(), block.data(), 16));
    EXPECT_EQ(512u / 2 + 8 * 512, f->size);
    EXPECT_EQ(16, f->n);
}

TEST(Fft, SilenceGivesLevelZero)
{
    for (int n : {2, 16, 256, 1024}) {
        FftPtr f = NewFft();
        std::vector<int8_t> block(static_cast<size_t>(n), 0);
        ASSERT_EQ(0, fft_set_input(f.get(), block.data(), n));
        std::vector<uint8_t> out(static_cast<size_t>(n), 99);
        ASSERT_EQ(0, fft_get_spectrum(f.get(), out.data(), n));
        EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](uint8_t v) { return v == 0; })) << n;
    }
}

TEST(Fft, OneSampleGivesNoLevels)
{
    FftPtr f = NewFft();
    const int8_t one = 100;
    ASSERT_EQ(0, fft_set_input(f.get(), &one, 1));
    uint8_t out[4] = {9, 9, 9, 9};
    EXPECT_EQ(0, fft_get_spectrum(f.get(), out, 0));
    EXPECT_EQ(0, fft_get_spectrum(f.get(), out, 4));
    for (uint8_t v : out)
        EXPECT_EQ(0, v);
}

// Bit-exact: the analyser's levels equal the reference's for sines of
// several sizes, frequencies, amplitudes and phases.
TEST(Fft, LevelsMatchTheReferenceArithmeticBitForBit)
{
    struct Case { int n; double cycles; double amplitude; double phase; } cases[] = {
        {8, 1, 127, 0}, {64, 5, 127, 0.3}, {256, 20.5, 90, 1.0}, {512, 37, 127, 0},
        {512, 100.25, 60, 2.0}, {1024, 3, 127, 0.7}, {1024, 311, 20, 0}, {128, 63, 127, 0}};
    for (const Case& c : cases) {
        const std::vector<int8_t> block = Sine(c.n, c.cycles, c.amplitude, c.phase);
        std::vector<int32_t> re, im(static_cast<size_t>(c.n), 0);
        Windowed(block, &re);
        ReferenceTransform(re, im);
        FftPtr f = NewFft();
        ASSERT_EQ(0, fft_set_input(f.get(), block.data(), c.n));
        std::vector<uint8_t> out(static_cast<size_t>(c.n / 2));
        ASSERT_EQ(0, fft_get_spectrum(f.get(), out.data(), c.n / 2));
        EXPECT_EQ(0, out[0]);
        for (int k = 1; k < c.n / 2; ++k) {
            EXPECT_EQ(re[k], f->real[k]) << c.n << " bin " << k;
            EXPECT_EQ(im[k], f->imaginary[k]) << c.n << " bin " << k;
            const double power = (double(re[k]) * re[k] + double(im[k]) * im[k]) / 8.0;
            ASSERT_EQ(ReferenceLevel(floor(power)), out[k]) << c.n << " bin " << k;
        }
    }
}

// Against the true spectrum: a double-precision DFT of the same windowed
// input, scaled by 1/n, gives the same levels within the fixed-point
// rounding of the transform (a level step is 0.1875 dB).
TEST(Fft, LevelsFollowTheDoublePrecisionSpectrum)
{
    struct Case { int n; double cycles; double amplitude; } cases[] = {
        {256, 16, 127}, {512, 40, 127}, {512, 100, 80}, {1024, 200, 127}, {1024, 7, 100}};
    for (const Case& c : cases) {
        const std::vector<int8_t> block = Sine(c.n, c.cycles, c.amplitude);
        std::vector<int32_t> input;
        Windowed(block, &input);
        FftPtr f = NewFft();
        ASSERT_EQ(0, fft_set_input(f.get(), block.data(), c.n));
        std::vector<uint8_t> out(static_cast<size_t>(c.n / 2));
        ASSERT_EQ(0, fft_get_spectrum(f.get(), out.data(), c.n / 2));
        int peak = 0;
        for (int k = 1; k < c.n / 2; ++k) {
            double sr = 0, si = 0;
            for (int i = 0; i < c.n; ++i) {
                sr += input[i] * cos(2 * kPi * k * i / c.n);
                si -= input[i] * sin(2 * kPi * k * i / c.n);
            }
            sr /= c.n;
            si /= c.n;
            const int expected = ReferenceLevel((sr * sr + si * si) / 8.0);
            if (expected >= 120) {
                EXPECT_NEAR(expected, out[k], 2) << c.n << " bin " << k;
            }
            if (out[k] > out[peak])
                peak = k;
        }
        EXPECT_EQ(static_cast<int>(c.cycles), peak) << c.n;
        EXPECT_GT(out[peak], 200);
    }
}

TEST(Fft, StretchingWalksOverTheLevels)
{
    struct Case { std::vector<uint8_t> levels; std::vector<uint8_t> expected; } cases[] = {
        // 2m = L: a zero-length first segment, then from level 1 on; the
        // last segment runs towards the last level.
        {{0, 10, 20, 30}, {10, 15, 20, 25, 30, 30, 30, 30}},
        {{0, 10, 20, 30}, {10, 15, 20, 30, 30, 30}},
        {{40, 80}, {40, 80, 80, 80, 80}},
        {{0, 40, 80, 120}, {0, 40, 60, 80, 100, 120, 120, 120, 120}}, // from level 0 when 2m < L
        {{0, 200}, {200, 200, 200, 200}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> out(c.expected.size(), 7);
        fft_stretch_levels(c.levels.data(), static_cast<int>(c.levels.size()), out.data(),
                           static_cast<int>(out.size()));
        EXPECT_EQ(c.expected, out);
    }
}

TEST(Fft, StretchedSpectrumStaysWithinTheLevels)
{
    // 256 samples stretched from 128 levels to 256 bands, and further.
    const std::vector<int8_t> block = Sine(256, 30, 127);
    for (int bands : {129, 200, 256, 511, 1000}) {
        FftPtr f = NewFft();
        ASSERT_EQ(0, fft_set_input(f.get(), block.data(), 256));
        std::vector<uint8_t> out(static_cast<size_t>(bands));
        ASSERT_EQ(0, fft_get_spectrum(f.get(), out.data(), bands));
        const uint8_t top = *std::max_element(f->levels, f->levels + 128);
        EXPECT_EQ(top, *std::max_element(out.begin(), out.end())) << bands;
    }
}

TEST(Fft, LevelSearchEndsOnEvenIndexesAroundTheOddThresholds)
{
    const int32_t* t = fft_threshold_table();
    EXPECT_EQ(0, fft_level_of(0));
    EXPECT_EQ(0, fft_level_of(t[1]));
    EXPECT_EQ(254, fft_level_of(int64_t(1) << 40));
    for (int k = 1; k < 255; k += 2) {
        EXPECT_EQ(k - 1, fft_level_of(t[k])) << k;
        EXPECT_EQ(k + 1, fft_level_of(t[k] + 1)) << k;
    }
}
