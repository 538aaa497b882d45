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
