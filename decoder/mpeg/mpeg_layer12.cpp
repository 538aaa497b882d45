// Layers I and II (ISO/IEC 11172-3, and 13818-3 for layer II at the lower
// sampling frequencies): bit allocation, scale factors, dequantization and
// the hand-over of 32-subband blocks to the output stage.
#include "decoder/mpeg/mpeg_layers.h"

#include <math.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"
#include "decoder/mpeg/mpeg_math.h"

namespace {

// Scale factors 2^(1 - i/3); index 63 is not a valid value.
struct scale_table
{
    float value[64];
    scale_table()
    {
        for (int i = 0; i < 64; ++i)
            value[i] = static_cast<float>(mpeg_math::exp2_ratio(3 - i, 3));
    }
};

const float* scale_factors()
{
    static const scale_table t;
    return t.value;
}

// A code c of a quantizer with L levels stands for (2c - (L - 1)) / L.
inline float dequantize(uint32_t code, uint32_t levels)
{
    return static_cast<float>((2.0 * code - (levels - 1.0)) / levels);
}

// ---------------------------------------------------------------------------
// Layer I

int layer1_decode(const mpeg_frame& frame, mpeg_output& out)
{
    const mpeg_frame_header& h = frame.header;
    const int nch = mpeg_channels(h);
    int bound = mpeg_joint_bound(h);
    if (bound > 32)
        bound = 32;
    const float* sf_table = scale_factors();
    mpeg_bits bits(frame.body, static_cast<size_t>(frame.body_size));

    int alloc[2][32];
    for (int sb = 0; sb < 32; ++sb) {
        if (sb < bound) {
            for (int ch = 0; ch < nch; ++ch)
                alloc[ch][sb] = static_cast<int>(bits.read(4));
        } else {
            alloc[0][sb] = alloc[1][sb] = static_cast<int>(bits.read(4));
        }
        for (int ch = 0; ch < nch; ++ch)
            if (alloc[ch][sb] == 15)
                return DK_ERR_INVALID_FRAME;
    }

    float scale[2][32];
    for (int sb = 0; sb < 32; ++sb)
        for (int ch = 0; ch < nch; ++ch) {
            scale[ch][sb] = 0.0f;
            if (alloc[ch][sb]) {
                const uint32_t index = bits.read(6);
                if (index == 63)
                    return DK_ERR_INVALID_FRAME;
                scale[ch][sb] = sf_table[index];
            }
        }
    if (bits.overrun())
        return DK_ERR_INVALID_FRAME;

    const int limit = out.subband_limit();
    float sample[2][32];
    for (int slot = 0; slot < 12; ++slot) {
        for (int sb = 0; sb < 32; ++sb) {
            if (sb < bound) {
                for (int ch = 0; ch < nch; ++ch) {
                    const int a = alloc[ch][sb];
                    sample[ch][sb] = 0.0f;
                    if (a) {
                        const uint32_t levels = (1u << (a + 1)) - 1u;
                        sample[ch][sb] = dequantize(bits.read(a + 1), levels) * scale[ch][sb];
                    }
                }
            } else {
                const int a = alloc[0][sb];
                float value = 0.0f;
                if (a)
                    value = dequantize(bits.read(a + 1), (1u << (a + 1)) - 1u);
                sample[0][sb] = value * scale[0][sb];
                sample[1][sb] = value * scale[1][sb];
            }
        }
        for (int sb = limit; sb < 32; ++sb)
            sample[0][sb] = sample[1][sb] = 0.0f;
        out.block(sample[0], nch == 2 ? sample[1] : nullptr);
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Layer II

// Quantization classes: levels, bits per code (per triple when grouped).
struct quant_class
{
    uint16_t levels;
    uint8_t bits;
    bool grouped;
};

const quant_class kClasses[17] = {
    {3, 5, true},      {5, 7, true},      {7, 3, false},     {9, 10, true},
    {15, 4, false},    {31, 5, false},    {63, 6, false},    {127, 7, false},
    {255, 8, false},   {511, 9, false},   {1023, 10, false}, {2047, 11, false},
    {4095, 12, false}, {8191, 13, false}, {16383, 14, false}, {32767, 15, false},
    {65535, 16, false},
};

enum { Q3, Q5, Q7, Q9, Q15, Q31, Q63, Q127, Q255, Q511, Q1023, Q2047, Q4095, Q8191,
       Q16383, Q32767, Q65535 };

// A row of an allocation table: the width of the allocation field and the
// class of each allocation value from 1 up.
struct alloc_row
{
    uint8_t nbal;
    int8_t classes[15];
};

const alloc_row kRowA0 = {4, {Q3, Q7, Q15, Q31, Q63, Q127, Q255, Q511, Q1023, Q2047, Q4095,
                              Q8191, Q16383, Q32767, Q65535}};
const alloc_row kRowA1 = {4, {Q3, Q5, Q7, Q9, Q15, Q31, Q63, Q127, Q255, Q511, Q1023, Q2047,
                              Q4095, Q8191, Q65535}};
const alloc_row kRowA2 = {3, {Q3, Q5, Q7, Q9, Q15, Q31, Q65535}};
const alloc_row kRowA3 = {2, {Q3, Q5, Q65535}};
const alloc_row kRowC0 = {4, {Q3, Q5, Q9, Q15, Q31, Q63, Q127, Q255, Q511, Q1023, Q2047, Q4095,
                              Q8191, Q16383, Q32767}};
const alloc_row kRowC1 = {3, {Q3, Q5, Q9, Q15, Q31, Q63, Q127}};
const alloc_row kRowL0 = {4, {Q3, Q5, Q7, Q9, Q15, Q31, Q63, Q127, Q255, Q511, Q1023, Q2047,
                              Q4095, Q8191, Q16383}};
const alloc_row kRowL1 = {3, {Q3, Q5, Q9, Q15, Q31, Q63, Q127}};
const alloc_row kRowL2 = {2, {Q3, Q5, Q9}};

struct alloc_table
{
    int sblimit;
    const alloc_row* rows[32];
};

alloc_table make_table(int which)
{
    alloc_table t;
    memset(&t, 0, sizeof(t));
    switch (which) {
    case 0: // 11172-3 table B.2a: 27 subbands
    case 1: // table B.2b: 30 subbands
        t.sblimit = which == 0 ? 27 : 30;
        for (int sb = 0; sb < t.sblimit; ++sb)
            t.rows[sb] = sb < 3 ? &kRowA0 : sb < 11 ? &kRowA1 : sb < 23 ? &kRowA2 : &kRowA3;
        break;
    case 2: // table B.2c: 8 subbands
    case 3: // table B.2d: 12 subbands
        t.sblimit = which == 2 ? 8 : 12;
        for (int sb = 0; sb < t.sblimit; ++sb)
            t.rows[sb] = sb < 2 ? &kRowC0 : &kRowC1;
        break;
    default: // 13818-3 table B.1: lower sampling frequencies, 30 subbands
        t.sblimit = 30;
        for (int sb = 0; sb < t.sblimit; ++sb)
            t.rows[sb] = sb < 4 ? &kRowL0 : sb < 11 ? &kRowL1 : &kRowL2;
        break;
    }
    return t;
}

const alloc_table& table_for(const mpeg_frame_header& h)
{
    static const alloc_table tables[5] = {make_table(0), make_table(1), make_table(2),
                                          make_table(3), make_table(4)};
    if (h.version != MPEG_VERSION_1)
        return tables[4];
    // The table follows the bitrate per channel.
    int index = h.bitrate_index;
    if (h.mode != MPEG_MODE_SINGLE_CHANNEL)
        index = index == 4 ? 1 : (index > 4 ? index - 4 : index);
    const int rate = mpeg_sample_rate(h);
    if (index <= 2)
        return rate == 32000 ? tables[3] : tables[2];
    if (index <= 5)
        return tables[0];
    return rate == 48000 ? tables[0] : tables[1];
}

// Reads one triple of a subband's samples (before the scale factor).
void read_triple(mpeg_bits& bits, const quant_class& q, float* value)
{
    if (q.grouped) {
        uint32_t code = bits.read(q.bits);
        for (int i = 0; i < 3; ++i) {
            value[i] = dequantize(code % q.levels, q.levels);
            code /= q.levels;
        }
    } else {
        for (int i = 0; i < 3; ++i)
            value[i] = dequantize(bits.read(q.bits), q.levels);
    }
}

int layer2_decode(const mpeg_frame& frame, mpeg_output& out)
{
    const mpeg_frame_header& h = frame.header;
    const int nch = mpeg_channels(h);
    const alloc_table& table = table_for(h);
    const int sblimit = table.sblimit;
    int bound = mpeg_joint_bound(h);
    // A joint-stereo bound beyond the table's subbands is clipped to them,
    // as the standard does.
    if (bound > sblimit)
        bound = sblimit;
    const float* sf_table = scale_factors();
    mpeg_bits bits(frame.body, static_cast<size_t>(frame.body_size));

    int8_t cls[2][32]; // class index, -1 for no allocation
    for (int sb = 0; sb < sblimit; ++sb) {
        const alloc_row& row = *table.rows[sb];
        for (int ch = 0; ch < nch; ++ch) {
            if (sb < bound || ch == 0) {
                const uint32_t a = bits.read(row.nbal);
                cls[ch][sb] = a == 0 ? -1 : row.classes[a - 1];
            } else {
                cls[ch][sb] = cls[0][sb];
            }
        }
    }

    uint8_t scfsi[2][32];
    for (int sb = 0; sb < sblimit; ++sb)
        for (int ch = 0; ch < nch; ++ch)
            scfsi[ch][sb] = cls[ch][sb] >= 0 ? static_cast<uint8_t>(bits.read(2)) : 0;

    float scale[2][32][3];
    for (int sb = 0; sb < sblimit; ++sb)
        for (int ch = 0; ch < nch; ++ch) {
            float* s = scale[ch][sb];
            if (cls[ch][sb] < 0) {
                s[0] = s[1] = s[2] = 0.0f;
                continue;
            }
            switch (scfsi[ch][sb]) {
            case 0:
                s[0] = sf_table[bits.read(6)];
                s[1] = sf_table[bits.read(6)];
                s[2] = sf_table[bits.read(6)];
                break;
            case 1:
                s[0] = s[1] = sf_table[bits.read(6)];
                s[2] = sf_table[bits.read(6)];
                break;
            case 2:
                s[0] = s[1] = s[2] = sf_table[bits.read(6)];
                break;
            default:
                s[0] = sf_table[bits.read(6)];
                s[1] = s[2] = sf_table[bits.read(6)];
                break;
            }
        }
    if (bits.overrun())
        return DK_ERR_INVALID_FRAME;

    const int limit = out.subband_limit();
    float sample[2][3][32];
    memset(sample, 0, sizeof(sample));
    for (int round = 0; round < 12; ++round) {
        const int part = round >> 2;
        for (int sb = 0; sb < sblimit; ++sb) {
            if (sb < bound) {
                for (int ch = 0; ch < nch; ++ch) {
                    float v[3] = {0.0f, 0.0f, 0.0f};
                    if (cls[ch][sb] >= 0)
                        read_triple(bits, kClasses[cls[ch][sb]], v);
                    for (int i = 0; i < 3; ++i)
                        sample[ch][i][sb] = v[i] * scale[ch][sb][part];
                }
            } else {
                float v[3] = {0.0f, 0.0f, 0.0f};
                if (cls[0][sb] >= 0)
                    read_triple(bits, kClasses[cls[0][sb]], v);
                for (int ch = 0; ch < nch; ++ch)
                    for (int i = 0; i < 3; ++i)
                        sample[ch][i][sb] = v[i] * scale[ch][sb][part];
            }
        }
        for (int i = 0; i < 3; ++i) {
            for (int sb = limit; sb < 32; ++sb)
                sample[0][i][sb] = sample[1][i][sb] = 0.0f;
            out.block(sample[0][i], nch == 2 ? sample[1][i] : nullptr);
        }
    }
    return 0;
}

} // namespace

int mpeg_layer1_decode(const mpeg_frame& frame, mpeg_output& out)
{
    return layer1_decode(frame, out);
}

int mpeg_layer2_decode(const mpeg_frame& frame, mpeg_output& out)
{
    return layer2_decode(frame, out);
}
