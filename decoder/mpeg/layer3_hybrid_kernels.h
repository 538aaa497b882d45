// The layer III IMDCT's tables and kernels: plain C (layer3_hybrid.cpp)
// and SSE2 (layer3_hybrid_sse2.cpp).
#pragma once

struct layer3_imdct_tables
{
    // cos(pi / 18 (n + 1/2)(k + 1/2)) as [k][n], rows padded to 20 so that
    // each row is five vectors of four.
    float dct18[18][20];
    float dct6[6][6];    // cos(pi / 6 (n + 1/2)(k + 1/2)) as [n][k]
    float window[4][36]; // block types 0, 1, 3 (long) and 2 (short, 12 used)

    layer3_imdct_tables();
};

const layer3_imdct_tables& layer3_imdct_tables_get();

// The long IMDCT's last step: the 36 samples of its 18 DCT-IV values z,
// z[i + 9] (i < 9), -z[26 - i] (i < 27), -z[i - 27], windowed; the first
// half plus the overlap is output, the second half is the new overlap.
inline void layer3_imdct_long_window(const float* z, const float* window, float* overlap, float* out)
{
    for (int i = 0; i < 9; ++i)
        out[i] = overlap[i] + z[i + 9] * window[i];
    for (int i = 9; i < 18; ++i)
        out[i] = overlap[i] - z[26 - i] * window[i];
    for (int i = 18; i < 27; ++i)
        overlap[i - 18] = -z[26 - i] * window[i];
    for (int i = 27; i < 36; ++i)
        overlap[i - 18] = -z[i - 27] * window[i];
}

// One subband's 36-point IMDCT with its window and overlap: 18 values in,
// 18 out, the overlap replaced by the second half.
void layer3_imdct_long_plain(const layer3_imdct_tables& t, const float* in, const float* window,
                             float* overlap, float* out);
// The three 12-point IMDCTs of a short-block subband.
void layer3_imdct_short_plain(const layer3_imdct_tables& t, const float* in, float* overlap, float* out);

// One subband's 36-point IMDCT with its window and overlap: 18 values in,
// 18 out, the overlap replaced by the second half. Every output takes the
// plain kernel's operations in its order, four outputs at a time.
void layer3_imdct_long_sse2(const layer3_imdct_tables& t, const float* in, const float* window,
                            float* overlap, float* out);
// The three 12-point IMDCTs of a short-block subband, likewise.
void layer3_imdct_short_sse2(const layer3_imdct_tables& t, const float* in, float* overlap, float* out);
