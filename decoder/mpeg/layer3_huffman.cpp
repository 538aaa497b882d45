// Layer III Huffman decoding with requantisation in one pass over the
// granule's lines: big-values pairs by region, then count1 quadruples until
// the granule's bits are used up; each value is scaled at once by the gain
// of its scale factor band.
#include "decoder/mpeg/layer3_internal.h"

#include <math.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"
#include "decoder/mpeg/mpeg_huffman.h"
#include "decoder/mpeg/mpeg_math.h"

namespace {

const int MAX_MAGNITUDE = 15 + 8191; // largest value with 13 linbits

const uint8_t pretab[22] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 3, 3, 3, 2, 0};

struct pow43_table
{
    float v[MAX_MAGNITUDE + 1];
    pow43_table()
    {
        for (int i = 0; i <= MAX_MAGNITUDE; ++i)
            v[i] = float(mpeg_math::pow43(double(i)));
    }
};

const float* pow43()
{
    static const pow43_table table;
    return table.v;
}

// +|x|^(4/3) and -|x|^(4/3) for x below 16, indexed by sign * 16 + x: a
// value and its sign bit in one look-up (a product with a negated factor is
// the negated product).
struct signed_pow43_table
{
    float v[32];
    signed_pow43_table()
    {
        for (int i = 0; i < 16; ++i) {
            v[i] = pow43()[i];
            v[16 + i] = -pow43()[i];
        }
    }
};

const float* signed_pow43()
{
    static const signed_pow43_table table;
    return table.v;
}

// 2^(q / 4).
inline float gain_of(int q)
{
    static const float quarter[4] = {1.0f, 1.18920712f, 1.41421356f, 1.68179283f};
    return ldexpf(quarter[q & 3], q >> 2);
}

// v with its sign bit set when sign is 1, without a branch on the sign.
inline float signed_value(float v, uint32_t sign)
{
    uint32_t bits;
    memcpy(&bits, &v, 4);
    bits ^= sign << 31;
    memcpy(&v, &bits, 4);
    return v;
}

struct band_cell
{
    int end;
    float gain;
};

// The gain of every band in the order the lines come: long bands, or the
// three windows of each short band, or both for a mixed block.
int build_cells(const layer3_granule_info& gi, const layer3_scalefactors& sf,
                const layer3_band_table& bands, bool lsf, band_cell* cells)
{
    const int shift = 1 + gi.scalefac_scale;
    const int base = gi.global_gain - 210;
    int n = 0;
    const bool is_short = gi.window_switching && gi.block_type == 2;
    int long_bands = 22;
    int first_short = 13;
    if (is_short) {
        long_bands = gi.mixed_block ? (lsf ? 6 : 8) : 0;
        first_short = gi.mixed_block ? 3 : 0;
    }
    for (int band = 0; band < long_bands; ++band) {
        const int amount = sf.l[band] + (sf.preflag ? pretab[band] : 0);
        cells[n].end = bands.long_bounds[band + 1];
        cells[n].gain = gain_of(base - (amount << shift));
        ++n;
    }
    if (is_short) {
        int end = bands.short_bounds[first_short] * 3;
        for (int band = first_short; band < 13; ++band) {
            const int width = bands.short_bounds[band + 1] - bands.short_bounds[band];
            for (int w = 0; w < 3; ++w) {
                end += width;
                cells[n].end = end;
                cells[n].gain = gain_of(base - 8 * gi.subblock_gain[w] - (sf.s[band][w] << shift));
                ++n;
            }
        }
    }
    cells[n - 1].end = 576;
    return n;
}

} // namespace

int layer3_huffman_decode(const layer3_granule_info& gi, const layer3_scalefactors& sf,
                          const layer3_band_table& bands, bool lsf, layer3_bits& stream,
                          size_t part3_end, layer3_spectrum* out)
{
    // A copy of the bit reader that the compiler can keep in registers
    // (the stream's state goes back at the end).
    layer3_bits bits = stream;
    float* xr = out->xr;
    const float* p43 = pow43();
    const float* sp43 = signed_pow43();
    band_cell cells[13 * 3 + 8];
    build_cells(gi, sf, bands, lsf, cells);
    const band_cell* cell = cells;

    int region1;
    int region2;
    if (!gi.window_switching) {
        const int r1 = gi.region0_count + 1;
        const int r2 = gi.region0_count + gi.region1_count + 2;
        region1 = bands.long_bounds[r1 > 22 ? 22 : r1];
        region2 = bands.long_bounds[r2 > 22 ? 22 : r2];
    } else {
        region1 = gi.block_type == 2 ? bands.short_bounds[3] * 3 : bands.long_bounds[8];
        region2 = 576;
    }
    const int big_end = gi.big_values * 2;
    if (region1 > big_end)
        region1 = big_end;
    if (region2 > big_end)
        region2 = big_end;

    int last_nonzero = 0;
    int i = 0;
    // Big values, in runs that share both the table (region) and the gain
    // (scale factor band); band and region bounds are even, so a pair never
    // straddles one.
    while (i < big_end) {
        const int region = i < region1 ? 0 : i < region2 ? 1 : 2;
        const int region_end = region == 0 ? region1 : region == 1 ? region2 : big_end;
        const int table = gi.table_select[region];
        while (i >= cell->end)
            ++cell;
        const int run_end = cell->end < region_end ? cell->end : region_end;
        if (table == 0) {
            for (; i < run_end; ++i)
                xr[i] = 0.0f;
            continue;
        }
        const mpeg_huffman_lookup& lookup = mpeg_huffman_pair_lookup(table);
        if (lookup.entries == nullptr) {
            stream = bits;
            return DK_ERR_INVALID_FRAME; // tables 4 and 14 do not exist
        }
        const int linbits = mpeg_huffman_linbits(table);
        const float gain = cell->gain;
        for (; i < run_end; i += 2) {
            // Enough bits for a code and its two sign bits without checks.
            bits.ensure(32);
            const int symbol = mpeg_huffman_decode_ensured(lookup, bits);
            if (symbol < 0) {
                stream = bits;
                return DK_ERR_INVALID_FRAME;
            }
            int x = symbol >> 4;
            int y = symbol & 15;
            if (linbits && (x == 15 || y == 15)) {
                if (x == 15)
                    x += int(bits.read(linbits));
                const uint32_t sign_x = x ? bits.read_bit() : 0u;
                if (y == 15)
                    y += int(bits.read(linbits));
                const uint32_t sign_y = y ? bits.read_bit() : 0u;
                xr[i] = signed_value(p43[x] * gain, sign_x);
                xr[i + 1] = signed_value(p43[y] * gain, sign_y);
            } else {
                const int has_y = y != 0;
                const int count = (x != 0) + has_y;
                const uint32_t signs = count ? bits.peek_ensured(count) : 0u;
                bits.skip_ensured(count);
                const uint32_t sign_x = (signs >> has_y) & 1u;
                const uint32_t sign_y = signs & uint32_t(has_y);
                xr[i] = sp43[(sign_x << 4) | uint32_t(x)] * gain;
                xr[i + 1] = sp43[(sign_y << 4) | uint32_t(y)] * gain;
            }
            if (symbol)
                last_nonzero = i + 1 + (y != 0);
        }
    }
    if (bits.position() > part3_end) {
        stream = bits;
        return DK_ERR_INVALID_FRAME;
    }

    // count1 quadruples; one that ends past the granule's bits is dropped.
    const mpeg_huffman_lookup& quads = mpeg_huffman_quad_lookup(gi.count1_table);
    while (i + 4 <= 576 && bits.position() < part3_end) {
        const int symbol = mpeg_huffman_decode(quads, bits);
        // One sign bit per nonzero value, in order.
        static const uint8_t ones[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
        const int count = ones[symbol & 15];
        uint32_t signs = count ? bits.read(count) << (32 - count) : 0u;
        if (bits.position() > part3_end)
            break;
        while (i >= cell->end)
            ++cell;
        float values[4];
        for (int k = 0; k < 4; ++k) {
            const uint32_t bit = uint32_t(symbol >> (3 - k)) & 1u;
            const float gain = i + k < cell->end ? cell->gain : cell[1].gain;
            values[k] = signed_value(bit ? gain : 0.0f, (signs >> 31) & bit);
            signs <<= bit;
        }
        memcpy(xr + i, values, sizeof(values));
        if (symbol)
            last_nonzero = i + 4 - __builtin_ctz(unsigned(symbol));
        i += 4;
    }
    if (i < 576)
        memset(xr + i, 0, sizeof(float) * size_t(576 - i));
    bits.set_position(part3_end);
    stream = bits;
    out->nonzero = last_nonzero;
    return 0;
}
