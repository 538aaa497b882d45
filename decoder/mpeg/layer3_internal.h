// Layer III decoding, stage by stage. The frame decoder (layer3.cpp) runs
// side information, then per granule: scale factors, Huffman decoding with
// requantisation, stereo, reorder, alias reduction, IMDCT and frequency
// inversion, and hands the subband samples to the output stage. The stages
// are visible here so that tests can check each against the standard's
// formulas.
#pragma once

#include <stdint.h>

#include "decoder/mpeg/layer3_bits.h"
#include "decoder/mpeg/mpeg_bits.h"
#include "decoder/mpeg/mpeg_frame.h"

// Side information of one granule of one channel.
struct layer3_granule_info
{
    int part2_3_length;
    int big_values;
    int global_gain;
    int scalefac_compress;
    int window_switching;
    int block_type;       // 0 normal, 1 start, 2 short, 3 stop
    int mixed_block;
    int table_select[3];
    int subblock_gain[3];
    int region0_count;
    int region1_count;
    int preflag;
    int scalefac_scale;
    int count1_table;
};

struct layer3_side_info
{
    int main_data_begin;
    int private_bits;
    int scfsi[2][4];
    int granules;         // 2 for MPEG-1, 1 otherwise
    int channels;
    layer3_granule_info gr[2][2];
};

// Scale factor band boundaries of one sampling frequency, in lines.
struct layer3_band_table
{
    int16_t long_bounds[23];  // 22 long bands
    int16_t short_bounds[14]; // 13 short bands, per window
};

// Scale factors of one granule and channel; for the right channel of an
// intensity-coded MPEG-2/2.5 frame they are intensity positions, and
// is_max holds each band's illegal position (2^slen - 1).
struct layer3_scalefactors
{
    uint8_t l[22];
    uint8_t s[13][3];
    uint8_t is_max_l[22];
    uint8_t is_max_s[13];
    int intensity_scale; // MPEG-2/2.5 right channel: scalefac_compress bit 0
    int preflag;         // MPEG-1 from the side information, MPEG-2/2.5 from scalefac_compress
};

// The spectrum of one channel in a granule.
struct layer3_spectrum
{
    float xr[576];
    int nonzero; // lines 0 .. nonzero - 1 may be nonzero
};

// Frame-level facts the granule stages need.
struct layer3_frame_facts
{
    bool lsf;                 // MPEG-2 or 2.5
    int channels;
    bool ms_stereo;
    bool intensity_stereo;
    const layer3_band_table* bands;
};

// Table of scale factor bands: index 0-2 MPEG-1 (44.1, 48, 32 kHz), 3-5
// MPEG-2 (22.05, 24, 16 kHz), 6-8 MPEG-2.5 (11.025, 12, 8 kHz).
const layer3_band_table& layer3_bands(const mpeg_frame_header& h);

// Reads the side information; 0, or -700 when it is damaged (big_values
// above 288, a window-switched granule with block type 0, too few bytes).
int layer3_sideinfo_read(const mpeg_frame_header& h, mpeg_bits& bits, layer3_side_info* si);

// Reads one granule's scale factors for channel ch. prev holds the first
// granule's values for the scfsi reuse of MPEG-1.
void layer3_scalefactors_read_mpeg1(const layer3_granule_info& gi, const int* scfsi, int gr,
                                    layer3_bits& bits, layer3_scalefactors* sf);
void layer3_scalefactors_read_lsf(const layer3_granule_info& gi, bool intensity_right,
                                  layer3_bits& bits, layer3_scalefactors* sf);

// Huffman decoding with requantisation of one granule and channel, from the
// current position up to part3_end (a bit position). 0, or -700 when the
// codes are damaged or run past the granule's end.
int layer3_huffman_decode(const layer3_granule_info& gi, const layer3_scalefactors& sf,
                          const layer3_band_table& bands, bool lsf, layer3_bits& bits,
                          size_t part3_end, layer3_spectrum* out);

// Stereo processing of a granule: mid/side and intensity stereo (the right
// channel's granule info and scale factors carry the intensity positions).
void layer3_stereo_process(const layer3_frame_facts& facts, const layer3_granule_info& gi_right,
                           const layer3_scalefactors& sf_right, layer3_spectrum* left,
                           layer3_spectrum* right);

// Puts the short-block lines of a granule into the order the IMDCT reads:
// for each frequency the three windows side by side.
void layer3_reorder_short(const layer3_granule_info& gi, const layer3_band_table& bands,
                          layer3_spectrum* spec);

// The standard's alias-reduction butterflies between adjacent subbands.
void layer3_alias_reduce(const layer3_granule_info& gi, layer3_spectrum* spec);

// The hybrid stage: IMDCT of the first `subbands` subbands with the block
// type's window and the overlap; the others output their overlap memory
// and clear it.
void layer3_imdct_granule(const layer3_granule_info& gi, const layer3_spectrum& spec, int subbands,
                          float overlap[32][18], float out[32][18]);

// Negates every odd sample of every odd subband.
void layer3_frequency_invert(float out[32][18]);

// Everything a layer III decoder keeps between frames, plus the working
// buffers of a granule.
struct mpeg_layer3_state
{
    layer3_spectrum spec[2];
    layer3_scalefactors sf[2];
    float overlap[2][32][18];
    float hybrid[2][32][18];
};

// Decodes the spectra of one granule (scale factors, Huffman and
// requantisation of every channel, then stereo) into state->spec.
int layer3_granule_spectrum(mpeg_layer3_state* state, const layer3_frame_facts& facts,
                            const layer3_side_info& si, int gr, layer3_bits& bits,
                            size_t granule_start);
