#include "tests/decoder/mpeg/codec/mpeg_test_streams.h"

#include <math.h>
#include <string.h>

#include "decoder/mpeg/mpeg_codec.h"
#include "decoder/mpeg/mpeg_frame.h"
#include "tests/support/TestSupport.h"

namespace mpeg_test {

uint32_t HeaderWord(int version, int layer, int bitrate_index, int sampling_index, int padding,
                    int mode, int mode_extension, int protection)
{
    uint32_t v20 = 0, v19 = 0;
    switch (version) {
    case 1: v20 = 1; v19 = 1; break;
    case 0: v20 = 1; v19 = 0; break;
    case 2: v20 = 0; v19 = 0; break;
    default: v20 = 0; v19 = 1; break;
    }
    return 0xFFE00000u | v20 << 20 | v19 << 19 | static_cast<uint32_t>(layer) << 17 |
           static_cast<uint32_t>(protection) << 16 | static_cast<uint32_t>(bitrate_index) << 12 |
           static_cast<uint32_t>(sampling_index) << 10 | static_cast<uint32_t>(padding) << 9 |
           static_cast<uint32_t>(mode) << 6 | static_cast<uint32_t>(mode_extension) << 4;
}

std::string BigEndian32(uint32_t v)
{
    std::string s(4, '\0');
    s[0] = static_cast<char>(v >> 24);
    s[1] = static_cast<char>(v >> 16);
    s[2] = static_cast<char>(v >> 8);
    s[3] = static_cast<char>(v);
    return s;
}

std::string Frame(uint32_t word, const std::string& body)
{
    mpeg_frame_header h;
    mpeg_header_unpack(word, &h);
    const int size = mpeg_frame_size(h);
    std::string frame = BigEndian32(word);
    std::string rest = body;
    rest.resize(static_cast<size_t>(size - 4), '\0');
    return frame + rest;
}

std::string Repeat(const std::string& s, int times)
{
    std::string r;
    for (int i = 0; i < times; ++i)
        r += s;
    return r;
}

std::string Id3v2(uint32_t body_size)
{
    std::string tag = "ID3";
    tag += '\x03';
    tag += '\0';
    tag += '\0';
    tag += static_cast<char>((body_size >> 21) & 0x7F);
    tag += static_cast<char>((body_size >> 14) & 0x7F);
    tag += static_cast<char>((body_size >> 7) & 0x7F);
    tag += static_cast<char>(body_size & 0x7F);
    tag += std::string(body_size, '\0');
    return tag;
}

std::string Id3v1(const std::string& title, const std::string& artist, const std::string& album,
                  const std::string& year, const std::string& comment, uint8_t genre)
{
    auto field = [](const std::string& s, size_t n) {
        std::string f = s.substr(0, n);
        f.resize(n, ' ');
        return f;
    };
    return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) +
           field(comment, 30) + std::string(1, static_cast<char>(genre));
}

MemoryDecoder::MemoryDecoder(const std::string& bytes, bool random_access) : m_bytes(bytes)
{
    memset(&m_dec, 0, sizeof(m_dec));
    memset(&m_input, 0, sizeof(m_input));
    m_input.state = DECODER_OPEN;
    m_input.capabilities = random_access ? INPUT_CAN_SEEK : 0;
    m_input.size = random_access ? static_cast<uint32_t>(bytes.size()) : 0;
    m_dec.input = &m_input;
    m_dec.client = this;
    m_dec.services.read = Read;
    m_dec.services.seek = Seek;
    m_dec.services.set_stream_integer = SetInteger;
}

int MemoryDecoder::Read(decoder* dec, void* buffer, int count)
{
    MemoryDecoder* self = static_cast<MemoryDecoder*>(dec->client);
    ++self->reads;
    if (self->m_stall_every > 0 && self->reads % self->m_stall_every == 0)
        return DK_ERR_TIMEOUT;
    const uint32_t pos = self->m_input.position;
    if (pos >= self->m_bytes.size())
        return DK_ERR_END_OF_INPUT;
    size_t n = self->m_bytes.size() - pos;
    if (n > static_cast<size_t>(count))
        n = static_cast<size_t>(count);
    memcpy(buffer, self->m_bytes.data() + pos, n);
    self->m_input.position += static_cast<uint32_t>(n);
    return n == static_cast<size_t>(count) ? 0 : static_cast<int>(n);
}

int MemoryDecoder::Seek(decoder* dec, uint32_t offset)
{
    MemoryDecoder* self = static_cast<MemoryDecoder*>(dec->client);
    if (offset > self->m_bytes.size())
        return -1;
    self->m_input.position = offset;
    return 0;
}

int MemoryDecoder::SetInteger(decoder* dec, const char* name, int32_t value)
{
    static_cast<MemoryDecoder*>(dec->client)->properties[name] = value;
    return 0;
}

DecodeResult Decode(const std::string& bytes, const DecodeOptions& options)
{
    DecodeResult result;
    MemoryDecoder input(bytes);
    codec_module_ops ops;
    mpeg_codec_module_register(&ops);
    void* codec = nullptr;
    if (ops.new_instance(&codec, "audio/mpeg", "memory", nullptr, input.Get()) != 0)
        return result;
    codec_parameters p = {options.selection, options.quality,
                          const_cast<int8_t*>(options.equalizer)};
    ops.set_parameters(codec, &p, 7);
    ops.open(codec, "audio/mpeg", "memory");
    if (options.stream_info)
        ops.get_stream_info(codec, &result.info);
    input.SetStall(options.stall_every);
    static int16_t samples[2304];
    pcm_buffer pcm = {};
    for (int guard = 0; guard < 1000000; ++guard) {
        pcm.samples = samples;
        result.info.changed = 0;
        const int r = ops.decode(codec, &pcm, &result.info);
        if (r == DK_ERR_TIMEOUT)
            continue;
        if (r == DK_ERR_INVALID_FRAME) {
            ++result.invalid;
            continue;
        }
        if (r < 0) {
            result.last = r;
            break;
        }
        ++result.frames;
        result.channels = pcm.channels;
        result.rate = pcm.sample_rate;
        result.pcm.insert(result.pcm.end(), samples, samples + pcm.sample_count * pcm.channels);
    }
    ops.delete_instance(codec);
    return result;
}

std::vector<int16_t> ReadPcm(const std::string& path)
{
    std::string bytes;
    std::vector<int16_t> pcm;
    if (!tavrix_test::ReadFileBytes(path, bytes))
        return pcm;
    pcm.resize(bytes.size() / 2);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                      static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    return pcm;
}

Difference Compare(const std::vector<int16_t>& a, const std::vector<int16_t>& b, size_t count)
{
    Difference d;
    double sum = 0.0;
    for (size_t i = 0; i < count && i < a.size() && i < b.size(); ++i) {
        const int diff = a[i] > b[i] ? a[i] - b[i] : b[i] - a[i];
        if (diff > d.max)
            d.max = diff;
        sum += static_cast<double>(diff) * diff;
        ++d.compared;
    }
    d.rms = d.compared ? sqrt(sum / d.compared) : 0.0;
    return d;
}

} // namespace mpeg_test
