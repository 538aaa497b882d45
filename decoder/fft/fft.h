// A small fixed-point spectrum analyser for the players' feedback blocks:
// a block of signed 8-bit samples is windowed (four-term Blackman-Harris),
// transformed by a radix-2 FFT in 32-bit integers and turned into one level
// byte per band on a logarithmic scale (0.1875 dB of power per step),
// stretched to the band count asked for.
#pragma once

#include <stdint.h>

struct fft_context
{
    int32_t n;            // sample count; 0 until the first input
    uint32_t size;        // bytes of the work buffer
    uint8_t* buffer;      // n real parts, n imaginary parts, n/2 level bytes
    int32_t* real;
    int32_t* imaginary;
    uint8_t* levels;
};

enum { FFT_MAX_SAMPLES = 1024, FFT_TABLE_SIZE = 1024, FFT_LEVEL_COUNT = 256 };

// 0; -100 without memory.
int fft_new(fft_context** context);
// Frees the work buffer and the context; 0.
int fft_delete(fft_context* context);
// Windows n samples into the work buffer. 0; -102 when n is not a power of
// two from 1 to 1024 (the previous input stays); -100 without memory (the
// context then has no buffer).
int fft_set_input(fft_context* context, const int8_t* samples, int n);
// Transforms the input in place and writes `bands` level bytes. 0; -102
// without input or when bands < n/2.
int fft_get_spectrum(fft_context* context, uint8_t* output, int bands);
// 0 for 1, 2, 4 ... 1024, else -1.
int fft_check_size(int n);

// The constant tables (each entry within 1 of its formula).
const int32_t* fft_window_table();    // 1024 entries, 65535 x Blackman-Harris(i / 1023)
const int32_t* fft_sine_table();      // 1024 entries, 32767 x sin(2 pi k / 1024)
const int32_t* fft_threshold_table(); // 256 entries, 16777215 x 10^(3 (k - 255) / 160)

// The level byte of a power value: the binary search over the thresholds.
int fft_level_of(int64_t power);
// Stretches m levels over `bands` > m output bytes (the Bresenham walk).
void fft_stretch_levels(const uint8_t* levels, int m, uint8_t* output, int bands);
