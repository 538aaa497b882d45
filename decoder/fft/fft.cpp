#include "decoder/fft/fft.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"

namespace {

struct Tables
{
    int32_t window[FFT_TABLE_SIZE];
    int32_t sine[FFT_TABLE_SIZE];
    int32_t threshold[FFT_LEVEL_COUNT];

    Tables()
    {
        const double pi = 3.14159265358979323846;
        for (int i = 0; i < FFT_TABLE_SIZE; ++i) {
            const double a = 2.0 * pi * i / 1023.0;
            const double w = 0.35875 - 0.48829 * cos(a) + 0.14128 * cos(2.0 * a) - 0.01168 * cos(3.0 * a);
            // Truncated: 3 at both ends (3.93).
            window[i] = static_cast<int32_t>(65535.0 * w);
            sine[i] = static_cast<int32_t>(lround(32767.0 * sin(2.0 * pi * i / 1024.0)));
        }
        for (int k = 0; k < FFT_LEVEL_COUNT; ++k)
            threshold[k] = static_cast<int32_t>(16777215.0 * pow(10.0, 3.0 * (k - 255) / 160.0));
    }
};

const Tables& GetTables()
{
    static const Tables tables;
    return tables;
}

void BitReverse(int32_t* re, int32_t* im, int n)
{
    for (int i = 1, j = 0; i < n; ++i) {
        int bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j |= bit;
        if (i < j) {
            int32_t t = re[i]; re[i] = re[j]; re[j] = t;
            t = im[i]; im[i] = im[j]; im[j] = t;
        }
    }
}

// Radix-2 stages; each halves, so the result is scaled by 1/n.
void Transform(int32_t* re, int32_t* im, int n)
{
    const int32_t* sine = GetTables().sine;
    for (int b = 1; b < n; b <<= 1) {
        for (int i = 0; i < b; ++i) {
            const int index = i * 512 / b;
            const int32_t c = sine[index + 256];
            const int32_t s = sine[index];
            for (int r = i; r < n; r += 2 * b) {
                const int q = r + b;
                const int32_t tr = ((re[q] * c) >> 16) + ((im[q] * s) >> 16);
                const int32_t ti = ((im[q] * c) >> 16) - ((re[q] * s) >> 16);
                const int32_t hr = re[r] >> 1;
                const int32_t hi = im[r] >> 1;
                re[r] = hr + tr;
                im[r] = hi + ti;
                re[q] = hr - tr;
                im[q] = hi - ti;
            }
        }
    }
}

} // namespace

const int32_t* fft_window_table() { return GetTables().window; }
const int32_t* fft_sine_table() { return GetTables().sine; }
const int32_t* fft_threshold_table() { return GetTables().threshold; }

int fft_check_size(int n)
{
    for (int size = 1; size <= FFT_MAX_SAMPLES; size <<= 1)
        if (n == size)
            return 0;
    return -1;
}

int fft_new(fft_context** context)
{
    if (!context)
        return DK_ERR_INVALID_PARAMETERS;
    GetTables();
    fft_context* c = static_cast<fft_context*>(calloc(1, sizeof(fft_context)));
    *context = c;
    return c ? 0 : DK_ERR_OUT_OF_MEMORY;
}

int fft_delete(fft_context* context)
{
    if (context) {
        free(context->buffer);
        free(context);
    }
    return 0;
}

int fft_set_input(fft_context* context, const int8_t* samples, int n)
{
    if (!context)
        return DK_ERR_INVALID_PARAMETERS;
    if (n == 0 && context->n == 0)
        return 0;
    if (n != context->n) {
        if (fft_check_size(n) != 0)
            return DK_ERR_INVALID_PARAMETERS;
        context->n = n;
    }
    const uint32_t needed = static_cast<uint32_t>(n / 2 + 8 * n);
    if (!context->buffer || context->size < needed) {
        free(context->buffer);
        context->buffer = static_cast<uint8_t*>(malloc(needed));
        context->size = context->buffer ? needed : 0;
        if (!context->buffer) {
            context->real = context->imaginary = nullptr;
            context->levels = nullptr;
            return DK_ERR_OUT_OF_MEMORY;
        }
    }
    context->real = reinterpret_cast<int32_t*>(context->buffer);
    context->imaginary = context->real + n;
    context->levels = reinterpret_cast<uint8_t*>(context->imaginary + n);
    if (!samples)
        return DK_ERR_INVALID_PARAMETERS;
    const int32_t* window = GetTables().window;
    const int step = FFT_MAX_SAMPLES / n;
    for (int i = 0; i < n; ++i) {
        context->real[i] = (samples[i] * window[step / 2 + i * step]) >> 8;
        context->imaginary[i] = 0;
    }
    return 0;
}

int fft_level_of(int64_t power)
{
    const int32_t* threshold = GetTables().threshold;
    int index = 127;
    for (int step = 64; step >= 1; step >>= 1) {
        if (threshold[index] < power)
            index += step;
        else
            index -= step;
    }
    return index;
}

void fft_stretch_levels(const uint8_t* levels, int m, uint8_t* output, int bands)
{
    if (m <= 0) {
        memset(output, 0, static_cast<size_t>(bands));
        return;
    }
    // The walk may close one segment more than there are level pairs; a
    // segment past the last level interpolates towards the last level.
    auto level = [&](int s) { return static_cast<int>(levels[s < m ? s : m - 1]); };
    int e = 2 * m - bands;
    int i = 0;
    int s = 0;
    for (int j = 0; j < bands; ++j) {
        if (e < 0) {
            e += 2 * m;
            continue;
        }
        const int len = j - i;
        for (int k = 0; k < len; ++k)
            output[i + k] = static_cast<uint8_t>(((len - k) * level(s) + k * level(s + 1)) / len);
        e += 2 * (m - bands);
        i = j;
        ++s;
    }
    const uint8_t last = i > 0 ? output[i - 1] : static_cast<uint8_t>(level(s));
    for (int j = i; j < bands; ++j)
        output[j] = last;
}

int fft_get_spectrum(fft_context* context, uint8_t* output, int bands)
{
    if (!context || !context->n || !context->buffer || !output)
        return DK_ERR_INVALID_PARAMETERS;
    const int n = context->n;
    const int m = n / 2;
    if (bands < m)
        return DK_ERR_INVALID_PARAMETERS;
    int32_t* re = context->real;
    int32_t* im = context->imaginary;
    BitReverse(re, im, n);
    Transform(re, im, n);
    uint8_t* levels = context->levels;
    if (m > 0)
        levels[0] = 0;
    for (int k = 1; k < m; ++k) {
        // The sum of squares is kept in 64 bits: 2 x 32768^2 passes 31 bits.
        const int64_t power = (static_cast<int64_t>(re[k]) * re[k] + static_cast<int64_t>(im[k]) * im[k]) >> 3;
        levels[k] = static_cast<uint8_t>(fft_level_of(power));
    }
    if (bands == m)
        memcpy(output, levels, static_cast<size_t>(m));
    else
        fft_stretch_levels(levels, m, output, bands);
    return 0;
}
