// Table-driven decoding of the layer III Huffman codes. Each code table of
// the standard (mpeg_huffman_tables.cpp) is turned once into multi-level
// look-up tables indexed by the next bits of the stream.
#pragma once

#include <stdint.h>

#include "decoder/mpeg/layer3_bits.h"

// One code table as the standard lists it: code word and length for every
// symbol (x * size + y for pairs, v * 8 + w * 4 + x * 2 + y for quadruples).
struct mpeg_huffman_source
{
    const uint16_t* codes;
    const uint8_t* lengths;
    int size;     // values per dimension (2 to 16); 0 for an unused table
    int linbits;
};

extern const mpeg_huffman_source mpeg_huffman_sources[32];
extern const mpeg_huffman_source mpeg_huffman_count1_sources[2];

// The look-up table of one code table. An entry is either a leaf,
// (length << 16) | symbol, the length counting the code's bits still unread
// at that level, or a link to a sub-table, MPEG_HUFFMAN_LINK | (sub-table
// bits << 24) | index of the sub-table. An entry of 0 matches no code.
struct mpeg_huffman_lookup
{
    const uint32_t* entries;
    int root_bits;
};
const uint32_t MPEG_HUFFMAN_LINK = 0x80000000u;

// The look-up of big-values table t (entries nullptr for 0, 4 and 14), and
// of count1 table A (0) or B (1).
const mpeg_huffman_lookup& mpeg_huffman_pair_lookup(int table);
const mpeg_huffman_lookup& mpeg_huffman_quad_lookup(int table);

// Decodes one symbol and consumes its bits; -1 when the bits match no code.
// The reader must hold at least 32 ensured bits (the longest code has 19).
inline int mpeg_huffman_decode_ensured(const mpeg_huffman_lookup& l, layer3_bits& bits)
{
    const uint32_t* entries = l.entries;
    uint32_t e = entries[bits.peek_ensured(l.root_bits)];
    int level_bits = l.root_bits;
    while (e & MPEG_HUFFMAN_LINK) {
        bits.skip_ensured(level_bits);
        level_bits = int((e >> 24) & 0x7F);
        e = entries[(e & 0xFFFFFF) + bits.peek_ensured(level_bits)];
    }
    if (e == 0)
        return -1;
    bits.skip_ensured(int(e >> 16));
    return int(e & 0xFFFF);
}

// The same for any reader.
inline int mpeg_huffman_decode(const mpeg_huffman_lookup& l, layer3_bits& bits)
{
    bits.ensure(32);
    return mpeg_huffman_decode_ensured(l, bits);
}

// Decodes one symbol of big-values table t (1 to 31, not 4 or 14): returns
// x * 16 + y, or -1 when the bits match no code. Consumes the code's bits.
int mpeg_huffman_pair(int table, layer3_bits& bits);
// Decodes one count1 quadruple (table 0 = A, 1 = B): v * 8 + w * 4 + x * 2 + y.
int mpeg_huffman_quad(int table, layer3_bits& bits);
// Linbits of big-values table t.
inline int mpeg_huffman_linbits(int table) { return mpeg_huffman_sources[table].linbits; }
// True when big-values table t exists (tables 4 and 14 do not).
inline bool mpeg_huffman_table_valid(int table)
{
    return table >= 0 && table < 32 && (table == 0 || mpeg_huffman_sources[table].size != 0);
}
