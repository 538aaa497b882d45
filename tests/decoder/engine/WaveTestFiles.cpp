#include "WaveTestFiles.h"

#include <cstring>

#include "decoder/engine/decoder.h"
#include "decoder/modules/file_input.h"
#include "decoder/modules/file_output.h"
#include "decoder/modules/wave_codec.h"
#include "tests/support/TestSupport.h"
#include "TestModules.h"

namespace wave_test {

namespace {

uint32_t get32(const std::string& s, size_t at)
{
    return static_cast<uint32_t>(static_cast<unsigned char>(s[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}

uint16_t get16(const std::string& s, size_t at)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(s[at]) |
                                 static_cast<unsigned char>(s[at + 1]) << 8);
}

void put16(std::string& s, uint32_t v)
{
    s.push_back(static_cast<char>(v & 0xff));
    s.push_back(static_cast<char>((v >> 8) & 0xff));
}

void put32(std::string& s, uint32_t v)
{
    put16(s, v & 0xffff);
    put16(s, v >> 16);
}

void chunk(std::string& s, const std::string& id, const std::string& body)
{
    s += id;
    put32(s, static_cast<uint32_t>(body.size()));
    s += body;
    if (body.size() & 1)
        s.push_back('\0');
}

} // namespace

bool parse(const std::string& bytes, WaveFile& out)
{
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id = bytes.substr(at, 4);
        const uint32_t size = get32(bytes, at + 4);
        at += 8;
        if (id == "fmt ") {
            out.format_tag = get16(bytes, at);
            out.channels = get16(bytes, at + 2);
            out.sample_rate = get32(bytes, at + 4);
            out.bits = get16(bytes, at + 14);
        } else if (id == "data") {
            out.data_offset = static_cast<uint32_t>(at);
            out.data_size = size;
            out.data = bytes.substr(at, std::min<size_t>(size, bytes.size() - at));
            return true;
        }
        at += size + (size & 1);
    }
    return false;
}

std::string expected_pcm16(const WaveFile& wave)
{
    const size_t frame = wave.channels * (wave.bits / 8u);
    const size_t bytes = wave.data.size() - wave.data.size() % frame;
    if (wave.bits == 16)
        return wave.data.substr(0, bytes);
    std::string out;
    for (size_t i = 0; i < bytes; ++i) {
        const int16_t v = static_cast<int16_t>((static_cast<unsigned char>(wave.data[i]) - 128) * 256);
        put16(out, static_cast<uint16_t>(v));
    }
    return out;
}

std::string build(const BuildOptions& o, const std::string& data)
{
    std::string fmt;
    put16(fmt, o.format_tag);
    put16(fmt, o.channels);
    put32(fmt, o.sample_rate);
    put32(fmt, o.sample_rate * o.channels * (o.bits / 8u));
    put16(fmt, o.channels * (o.bits / 8u));
    put16(fmt, o.bits);
    if (o.fmt_size >= 18)
        put16(fmt, o.fmt_size == 40 ? 22 : 0);
    if (o.fmt_size == 40) {
        put16(fmt, o.bits);          // valid bits
        put32(fmt, o.channels == 2 ? 3 : 4); // channel mask
        put16(fmt, o.sub_format);
        fmt += std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 14);
    }
    std::string body = "WAVE";
    chunk(body, "fmt ", fmt);
    for (const auto& c : o.before_data)
        chunk(body, c.first, c.second);
    chunk(body, "data", data);
    for (const auto& c : o.after_data)
        chunk(body, c.first, c.second);
    std::string riff = "RIFF";
    put32(riff, static_cast<uint32_t>(body.size()));
    return riff + body;
}

std::string pattern(size_t n, unsigned seed)
{
    std::string s(n, '\0');
    uint32_t x = seed * 2654435761u + 12345u;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = static_cast<char>(x >> 24);
    }
    return s;
}

DecodeResult decode_to_wave_file(const std::string& input_path, const std::string& output_path)
{
    DecodeResult result;
    decoder* dec = nullptr;
    if (decoder_new(&dec) != 0)
        return result;
    input_module_ops input;
    output_module_ops output;
    codec_module_ops wave;
    std::memset(&input, 0, sizeof(input));
    std::memset(&output, 0, sizeof(output));
    std::memset(&wave, 0, sizeof(wave));
    file_input_module_register(&input);
    file_output_module_register(&output);
    wave_codec_module_register(&wave);
    const codec_module_ops catch_all = test_modules::fallback_codec_ops();
    decoder_codec_module_register(dec, &catch_all);
    decoder_codec_module_register(dec, &wave);
    decoder_input_module_register(dec, &input);
    decoder_output_module_register(dec, &output);

    const std::string out_name = "wav:" + output_path;
    decoder_output_new(dec, out_name.c_str(), -1);
    decoder_output_open(dec);
    decoder_input_new(dec, input_path.c_str(), -1);
    result.open_result = decoder_input_open(dec);
    if (result.open_result == 0) {
        const stream_info& info = dec->status->info;
        result.duration_ms = info.duration_ms;
        result.frequency = info.frequency;
        result.bitrate = info.bitrate;
        result.channels = info.channels;
        int r = 0;
        while ((r = decoder_play(dec)) == 0)
            result.block_frames.push_back(dec->pcm->sample_count);
        result.last_result = r;
        result.content_type = info.content_type ? info.content_type : "";
        decoder_input_close(dec);
    }
    decoder_output_close(dec);
    decoder_delete(dec);

    std::string bytes;
    WaveFile written;
    if (tavrix_test::ReadFileBytes(output_path, bytes) && parse(bytes, written)) {
        result.written = written.data;
        result.out_channels = written.channels;
        result.out_rate = written.sample_rate;
    }
    return result;
}

} // namespace wave_test
