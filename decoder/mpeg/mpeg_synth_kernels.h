// The synthesis filterbank's windowing kernels and tables, shared by the
// plain C and the SSE2 implementation (mpeg_synth.cpp, mpeg_synth_sse2.cpp).
#pragma once

#include <stdint.h>

// The 512 window coefficients at 16-bit output scale, in the order the
// windowing walks them: row i of 64 holds the taps of the history slots
// 128 i + j (entries j < 32) and 128 i + 96 + j (entries 32 + j).
const double* mpeg_synth_window_table();
// The factors 1 / (2 cos((2k + 1) pi / 2n)), k < n / 2, of the fast DCT
// for n = 32, 16, 8, 4, 2.
const double* mpeg_synth_dct_factors(int n);

// Matrixing of one block: the 32 subband samples (times the gains, when
// given; only the lowest 32 >> shift count, the rest as zero) through the
// fast DCT into the 64 values of a V vector at v, rounded to float.
void mpeg_synth_matrix_plain(const float* subbands, const float* gains, int shift, double* v);
// The same at full rate, two values at a time in SSE2 registers, with the
// plain kernel's operations for every value.
void mpeg_synth_matrix_sse2(const float* subbands, const float* gains, double* v);

// Windowing of one block from the V history v (a ring of 1024 values whose
// newest vector starts at o, a multiple of 64): 32 >> shift samples to out,
// stepping by stride. Full rate rounds to the nearest integer, reduced rate
// truncates; both clip to 16 bits.
void mpeg_synth_window_plain(const double* v, int o, int shift, int16_t* out, int stride);
// The same at full rate, four outputs at a time in SSE2 registers. Each
// output's sum takes the same products in the same order as the plain
// kernel, so the samples are the same.
void mpeg_synth_window_sse2(const double* v, int o, int16_t* out, int stride);
