// Builds the look-up tables from the code tables once, at first use.
#include "decoder/mpeg/mpeg_huffman.h"

#include <vector>

namespace {

const uint32_t LINK = MPEG_HUFFMAN_LINK;
const int ROOT_BITS = 8;
const int SUB_BITS = 6;

struct code_word
{
    uint32_t code;
    int length;
    int symbol;
};

void build_level(std::vector<uint32_t>& out, size_t base, int bits, const std::vector<code_word>& codes)
{
    std::vector<std::vector<code_word>> longer(size_t(1) << bits);
    for (const code_word& c : codes) {
        if (c.length <= bits) {
            const int spare = bits - c.length;
            const size_t first = size_t(c.code) << spare;
            for (size_t i = 0; i < (size_t(1) << spare); ++i)
                out[base + first + i] = (uint32_t(c.length) << 16) | uint32_t(c.symbol);
        } else {
            const int rest = c.length - bits;
            code_word tail = {c.code & ((1u << rest) - 1u), rest, c.symbol};
            longer[c.code >> rest].push_back(tail);
        }
    }
    for (size_t prefix = 0; prefix < longer.size(); ++prefix) {
        if (longer[prefix].empty())
            continue;
        int max_len = 0;
        for (const code_word& c : longer[prefix])
            max_len = c.length > max_len ? c.length : max_len;
        const int sub_bits = max_len < SUB_BITS ? max_len : SUB_BITS;
        const size_t sub = out.size();
        out.resize(sub + (size_t(1) << sub_bits), 0);
        out[base + prefix] = LINK | (uint32_t(sub_bits) << 24) | uint32_t(sub);
        build_level(out, sub, sub_bits, longer[prefix]);
    }
}

struct lookup
{
    std::vector<uint32_t> entries;
    int root_bits = 0;
};

lookup build_lookup(const mpeg_huffman_source& src, bool pairs)
{
    lookup result;
    std::vector<code_word> codes;
    int max_len = 0;
    const int count = src.size * src.size;
    for (int i = 0; i < count; ++i) {
        const int symbol = pairs ? ((i / src.size) << 4) | (i % src.size) : i;
        codes.push_back({src.codes[i], src.lengths[i], symbol});
        max_len = src.lengths[i] > max_len ? src.lengths[i] : max_len;
    }
    result.root_bits = max_len < ROOT_BITS ? max_len : ROOT_BITS;
    result.entries.assign(size_t(1) << result.root_bits, 0);
    build_level(result.entries, 0, result.root_bits, codes);
    return result;
}

struct lookups
{
    lookup pair[32];
    lookup quad[2];
    mpeg_huffman_lookup pair_view[32];
    mpeg_huffman_lookup quad_view[2];

    lookups()
    {
        for (int t = 1; t < 32; ++t) {
            if (mpeg_huffman_sources[t].size == 0)
                continue;
            // Tables 17-23 and 25-31 share the code words of 16 and 24.
            int same = t;
            for (int u = 1; u < t; ++u)
                if (mpeg_huffman_sources[u].codes == mpeg_huffman_sources[t].codes) {
                    same = u;
                    break;
                }
            pair[t] = same == t ? build_lookup(mpeg_huffman_sources[t], true) : pair[same];
        }
        quad[0] = build_lookup(mpeg_huffman_count1_sources[0], false);
        quad[1] = build_lookup(mpeg_huffman_count1_sources[1], false);
        for (int t = 0; t < 32; ++t)
            pair_view[t] = {pair[t].entries.empty() ? nullptr : pair[t].entries.data(), pair[t].root_bits};
        for (int t = 0; t < 2; ++t)
            quad_view[t] = {quad[t].entries.data(), quad[t].root_bits};
    }
};

const lookups& tables()
{
    static const lookups all;
    return all;
}

} // namespace

const mpeg_huffman_lookup& mpeg_huffman_pair_lookup(int table)
{
    return tables().pair_view[table & 31];
}

const mpeg_huffman_lookup& mpeg_huffman_quad_lookup(int table)
{
    return tables().quad_view[table & 1];
}

int mpeg_huffman_pair(int table, layer3_bits& bits)
{
    const mpeg_huffman_lookup& l = mpeg_huffman_pair_lookup(table);
    if (l.entries == nullptr)
        return -1;
    return mpeg_huffman_decode(l, bits);
}

int mpeg_huffman_quad(int table, layer3_bits& bits)
{
    return mpeg_huffman_decode(mpeg_huffman_quad_lookup(table), bits);
}
