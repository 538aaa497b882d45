#include "tests/decoder/mpeg/layer3/layer3_test_support.h"

#include <math.h>
#include <stdlib.h>
#include <stdio.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"
#include "decoder/mpeg/mpeg_layers.h"
#include "decoder/mpeg/mpeg_reader.h"
#include "decoder/mpeg/mpeg_synth.h"

namespace layer3_test {

namespace {

struct memory_source
{
    const std::string* bytes;
    size_t pos;
};

int ReadMemory(void* context, void* buffer, int count)
{
    memory_source* src = static_cast<memory_source*>(context);
    const size_t left = src->bytes->size() - src->pos;
    if (left == 0)
        return DK_ERR_END_OF_INPUT;
    const size_t n = left < size_t(count) ? left : size_t(count);
    memcpy(buffer, src->bytes->data() + src->pos, n);
    src->pos += n;
    return n == size_t(count) ? 0 : int(n);
}

} // namespace

DecodeResult Decode(const std::string& bytes, int selection, int quality)
{
    DecodeResult result;
    memory_source src = {&bytes, 0};
    mpeg_reader reader;
    mpeg_output out;
    mpeg_layer3_state* state = mpeg_layer3_new();
    std::vector<int16_t> block(1152 * 2);
    mpeg_frame frame;
    while (reader.next_frame(ReadMemory, &src, &frame) == 0) {
        if (mpeg_layer(frame.header) != 3)
            continue;
        out.configure(frame.header, selection, quality);
        out.begin(block.data());
        if (mpeg_layer3_decode(state, frame, out) < 0) {
            ++result.invalid;
            continue;
        }
        ++result.frames;
        result.channels = out.pcm_channels();
        result.rate = out.rate();
        result.pcm.insert(result.pcm.end(), block.begin(),
                          block.begin() + out.samples_written() * out.pcm_channels());
    }
    mpeg_layer3_delete(state);
    return result;
}

std::vector<int16_t> ReadPcm(const std::string& path)
{
    std::vector<int16_t> pcm;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return pcm;
    uint8_t two[2];
    while (fread(two, 1, 2, f) == 2)
        pcm.push_back(int16_t(uint16_t(two[0] | (two[1] << 8))));
    fclose(f);
    return pcm;
}

Difference Compare(const std::vector<int16_t>& a, const std::vector<int16_t>& b, size_t count)
{
    Difference d;
    double sum = 0.0;
    for (size_t i = 0; i < count && i < a.size() && i < b.size(); ++i) {
        const int diff = abs(int(a[i]) - int(b[i]));
        if (diff > d.max)
            d.max = diff;
        sum += double(diff) * diff;
    }
    d.rms = count ? sqrt(sum / double(count)) : 0.0;
    return d;
}

void BitWriter::Put(uint32_t value, int bits)
{
    for (int i = bits - 1; i >= 0; --i)
        m_bits.push_back((value >> i) & 1u);
}

void BitWriter::Append(const BitWriter& other)
{
    m_bits.insert(m_bits.end(), other.m_bits.begin(), other.m_bits.end());
}

std::string BitWriter::Bytes() const
{
    std::string out((m_bits.size() + 7) / 8, '\0');
    for (size_t i = 0; i < m_bits.size(); ++i)
        if (m_bits[i])
            out[i / 8] = char(uint8_t(out[i / 8]) | (0x80 >> (i % 8)));
    return out;
}

std::string SideInfo(const mpeg_frame_header& h, const layer3_side_info& si)
{
    const bool lsf = mpeg_is_lsf(h);
    const int nch = h.mode == MPEG_MODE_SINGLE_CHANNEL ? 1 : 2;
    BitWriter w;
    w.Put(uint32_t(si.main_data_begin), lsf ? 8 : 9);
    w.Put(0, lsf ? (nch == 1 ? 1 : 2) : (nch == 1 ? 5 : 3));
    if (!lsf)
        for (int ch = 0; ch < nch; ++ch)
            for (int band = 0; band < 4; ++band)
                w.Put(uint32_t(si.scfsi[ch][band]), 1);
    for (int gr = 0; gr < (lsf ? 1 : 2); ++gr) {
        for (int ch = 0; ch < nch; ++ch) {
            const layer3_granule_info& g = si.gr[gr][ch];
            w.Put(uint32_t(g.part2_3_length), 12);
            w.Put(uint32_t(g.big_values), 9);
            w.Put(uint32_t(g.global_gain), 8);
            w.Put(uint32_t(g.scalefac_compress), lsf ? 9 : 4);
            w.Put(uint32_t(g.window_switching), 1);
            if (g.window_switching) {
                w.Put(uint32_t(g.block_type), 2);
                w.Put(uint32_t(g.mixed_block), 1);
                w.Put(uint32_t(g.table_select[0]), 5);
                w.Put(uint32_t(g.table_select[1]), 5);
                for (int i = 0; i < 3; ++i)
                    w.Put(uint32_t(g.subblock_gain[i]), 3);
            } else {
                for (int i = 0; i < 3; ++i)
                    w.Put(uint32_t(g.table_select[i]), 5);
                w.Put(uint32_t(g.region0_count), 4);
                w.Put(uint32_t(g.region1_count), 3);
            }
            if (!lsf)
                w.Put(uint32_t(g.preflag), 1);
            w.Put(uint32_t(g.scalefac_scale), 1);
            w.Put(uint32_t(g.count1_table), 1);
        }
    }
    return w.Bytes();
}

mpeg_frame_header Header(uint32_t word)
{
    mpeg_frame_header h;
    mpeg_header_unpack(word, &h);
    return h;
}

mpeg_frame MakeFrame(uint32_t word, const std::string& side_info, const std::string& main, int reservoir)
{
    mpeg_frame f;
    memset(&f, 0, sizeof(f));
    f.header = Header(word);
    f.header_word = word;
    f.body = reinterpret_cast<const uint8_t*>(side_info.data());
    f.body_size = int32_t(side_info.size());
    f.main_data = reinterpret_cast<const uint8_t*>(main.data()) + reservoir;
    f.main_data_size = int32_t(main.size()) - reservoir;
    f.reservoir_before = reservoir;
    return f;
}

} // namespace layer3_test
