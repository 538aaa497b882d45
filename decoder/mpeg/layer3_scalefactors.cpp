// Layer III scale factors: MPEG-1 with the scfsi reuse, MPEG-2/2.5 with
// the partitions of ISO/IEC 13818-3 (including mixed blocks and the
// intensity positions of the right channel).
#include "decoder/mpeg/layer3_internal.h"

#include <string.h>

namespace {

const uint8_t mpeg1_slen[2][16] = {
    {0, 0, 0, 0, 3, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4},
    {0, 1, 2, 3, 0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 2, 3},
};

// Scale factors per partition: [partition table][long, short, mixed][4].
const uint8_t lsf_partition_bands[6][3][4] = {
    {{6, 5, 5, 5}, {9, 9, 9, 9}, {6, 9, 9, 9}},
    {{6, 5, 7, 3}, {9, 9, 12, 6}, {6, 9, 12, 6}},
    {{11, 10, 0, 0}, {18, 18, 0, 0}, {15, 18, 0, 0}},
    {{7, 7, 7, 0}, {12, 12, 12, 0}, {6, 15, 12, 0}},
    {{6, 6, 6, 3}, {12, 9, 9, 6}, {6, 12, 9, 6}},
    {{8, 8, 5, 0}, {15, 12, 9, 0}, {6, 18, 9, 0}},
};

} // namespace

void layer3_scalefactors_read_mpeg1(const layer3_granule_info& gi, const int* scfsi, int gr,
                                    layer3_bits& bits, layer3_scalefactors* sf)
{
    const int slen1 = mpeg1_slen[0][gi.scalefac_compress & 15];
    const int slen2 = mpeg1_slen[1][gi.scalefac_compress & 15];
    memset(sf->is_max_l, 7, sizeof(sf->is_max_l));
    memset(sf->is_max_s, 7, sizeof(sf->is_max_s));
    sf->intensity_scale = 0;
    sf->preflag = gi.preflag;

    if (gi.window_switching && gi.block_type == 2) {
        int first_short = 0;
        if (gi.mixed_block) {
            for (int band = 0; band < 8; ++band)
                sf->l[band] = uint8_t(bits.read(slen1));
            first_short = 3;
        }
        for (int band = first_short; band < 12; ++band) {
            const int slen = band < 6 ? slen1 : slen2;
            for (int w = 0; w < 3; ++w)
                sf->s[band][w] = uint8_t(bits.read(slen));
        }
        sf->s[12][0] = sf->s[12][1] = sf->s[12][2] = 0;
        return;
    }

    static const int group_start[5] = {0, 6, 11, 16, 21};
    for (int group = 0; group < 4; ++group) {
        if (gr == 1 && scfsi[group])
            continue; // keeps the first granule's values
        const int slen = group < 2 ? slen1 : slen2;
        for (int band = group_start[group]; band < group_start[group + 1]; ++band)
            sf->l[band] = uint8_t(bits.read(slen));
    }
    sf->l[21] = 0;
}

void layer3_scalefactors_read_lsf(const layer3_granule_info& gi, bool intensity_right,
                                  layer3_bits& bits, layer3_scalefactors* sf)
{
    int slen[4] = {0, 0, 0, 0};
    int table = 0;
    int sfc = gi.scalefac_compress;
    sf->preflag = 0;
    sf->intensity_scale = 0;
    if (!intensity_right) {
        if (sfc < 400) {
            slen[0] = (sfc >> 4) / 5;
            slen[1] = (sfc >> 4) % 5;
            slen[2] = (sfc & 15) >> 2;
            slen[3] = sfc & 3;
            table = 0;
        } else if (sfc < 500) {
            sfc -= 400;
            slen[0] = (sfc >> 2) / 5;
            slen[1] = (sfc >> 2) % 5;
            slen[2] = sfc & 3;
            table = 1;
        } else {
            sfc -= 500;
            slen[0] = sfc / 3;
            slen[1] = sfc % 3;
            sf->preflag = 1;
            table = 2;
        }
    } else {
        sf->intensity_scale = sfc & 1;
        int isc = sfc >> 1;
        if (isc < 180) {
            slen[0] = isc / 36;
            slen[1] = (isc % 36) / 6;
            slen[2] = (isc % 36) % 6;
            table = 3;
        } else if (isc < 244) {
            isc -= 180;
            slen[0] = (isc & 63) >> 4;
            slen[1] = (isc & 15) >> 2;
            slen[2] = isc & 3;
            table = 4;
        } else {
            isc -= 244;
            slen[0] = isc / 3;
            slen[1] = isc % 3;
            table = 5;
        }
    }

    const bool is_short = gi.window_switching && gi.block_type == 2;
    const int column = !is_short ? 0 : gi.mixed_block ? 2 : 1;
    uint8_t values[36];
    uint8_t maxima[36];
    int n = 0;
    for (int part = 0; part < 4; ++part) {
        const int count = lsf_partition_bands[table][column][part];
        for (int i = 0; i < count && n < 36; ++i, ++n) {
            values[n] = uint8_t(bits.read(slen[part]));
            maxima[n] = uint8_t((1 << slen[part]) - 1);
        }
    }
    for (; n < 36; ++n)
        values[n] = maxima[n] = 0;

    if (!is_short) {
        for (int band = 0; band < 21; ++band) {
            sf->l[band] = values[band];
            sf->is_max_l[band] = maxima[band];
        }
        sf->l[21] = 0;
        sf->is_max_l[21] = sf->is_max_l[20];
        return;
    }
    int pos = 0;
    int first_short = 0;
    if (gi.mixed_block) {
        for (int band = 0; band < 6; ++band, ++pos) {
            sf->l[band] = values[pos];
            sf->is_max_l[band] = maxima[pos];
        }
        first_short = 3;
    }
    for (int band = first_short; band < 12; ++band) {
        for (int w = 0; w < 3; ++w, ++pos)
            sf->s[band][w] = values[pos];
        sf->is_max_s[band] = maxima[pos - 1];
    }
    sf->s[12][0] = sf->s[12][1] = sf->s[12][2] = 0;
    sf->is_max_s[12] = sf->is_max_s[11];
}
