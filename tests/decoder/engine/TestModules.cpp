#include "TestModules.h"

#include <algorithm>
#include <cstring>

namespace test_modules {

namespace {

std::map<std::string, Stream>& streams()
{
    static std::map<std::string, Stream> s;
    return s;
}

std::map<std::string, Captured>& captures()
{
    static std::map<std::string, Captured> c;
    return c;
}

Counters g_counters;
int g_duration_ms = 0;
int g_bitrate = 0;
std::vector<std::string> g_probes;

struct MemoryInput
{
    std::string name;
    decoder* dec;
    size_t position = 0;
    int timeouts_left = 0;
};

int input_probe(const char* name) { return name && std::strncmp(name, "mem:", 4) == 0 ? 0 : -1; }

int input_new(void** instance, const char* name, module_entry*, decoder* dec)
{
    if (!streams().count(name))
        return DK_ERR_NO_SUCH_FILE;
    ++g_counters.input_new;
    *instance = new MemoryInput{ name, dec };
    return 0;
}

int input_delete(void* instance)
{
    ++g_counters.input_delete;
    delete static_cast<MemoryInput*>(instance);
    return 0;
}

int input_open(void* instance)
{
    MemoryInput* in = static_cast<MemoryInput*>(instance);
    ++g_counters.input_open;
    in->position = 0;
    const Stream& s = streams()[in->name];
    in->timeouts_left = s.timeouts;
    if (s.content_type)
        in->dec->input->content_type = s.content_type;
    return 0;
}

int input_close(void*)
{
    ++g_counters.input_close;
    return 0;
}

int input_read(void* instance, void* buffer, int count)
{
    MemoryInput* in = static_cast<MemoryInput*>(instance);
    const Stream& s = streams()[in->name];
    if (in->timeouts_left > 0) {
        --in->timeouts_left;
        return DK_ERR_TIMEOUT;
    }
    size_t n = std::min(static_cast<size_t>(count), s.bytes.size() - std::min(in->position, s.bytes.size()));
    if (s.max_read > 0)
        n = std::min(n, static_cast<size_t>(s.max_read));
    std::memcpy(buffer, s.bytes.data() + in->position, n);
    in->position += n;
    return static_cast<int>(n);
}

int input_seek(void* instance, uint32_t offset)
{
    MemoryInput* in = static_cast<MemoryInput*>(instance);
    if (!streams()[in->name].seekable)
        return -1;
    in->position = offset;
    return 0;
}

int input_capabilities(void* instance)
{
    return streams()[static_cast<MemoryInput*>(instance)->name].seekable ? INPUT_CAN_SEEK : 0;
}

int input_size(void* instance)
{
    const Stream& s = streams()[static_cast<MemoryInput*>(instance)->name];
    return s.seekable ? static_cast<int>(s.bytes.size()) : 0;
}

struct CaptureOutput
{
    std::string name;
};

int output_probe(const char* name) { return name && std::strncmp(name, "cap:", 4) == 0 ? 0 : -1; }

int output_new(void** instance, const char* name, module_entry*, decoder*)
{
    *instance = new CaptureOutput{ name };
    return 0;
}

int output_delete(void* instance)
{
    delete static_cast<CaptureOutput*>(instance);
    return 0;
}

int output_open(void*) { ++g_counters.output_open; return 0; }
int output_close(void*) { ++g_counters.output_close; return 0; }

int output_write(void* instance, void* samples, int bytes, int, int channels, int rate)
{
    Captured& c = captures()[static_cast<CaptureOutput*>(instance)->name];
    c.bytes.append(static_cast<const char*>(samples), static_cast<size_t>(bytes));
    c.channels = channels;
    c.rate = rate;
    return 0;
}

int output_set_control(void* instance, output_control* control, int mask)
{
    captures()[static_cast<CaptureOutput*>(instance)->name].controls.push_back({ mask, *control });
    return 0;
}

struct FallbackCodec
{
    decoder* dec;
};

int codec_probe(const char*, const char* name)
{
    g_probes.push_back(name ? name : "");
    return 0;
}

int codec_query(module_info* info, int flags)
{
    if (flags & MODULE_QUERY_NAME) {
        std::strcpy(info->name, "Fallback Codec");
        return 0;
    }
    if (flags & MODULE_QUERY_FRAME_SIZE)
        info->frame_size = FALLBACK_BLOCK_BYTES;
    if (flags & MODULE_QUERY_CAPABILITIES)
        info->flags = 3;
    return 0;
}

int codec_new(void** instance, const char*, const char*, module_entry*, decoder* dec)
{
    ++g_counters.codec_new;
    *instance = new FallbackCodec{ dec };
    return 0;
}

int codec_delete(void* instance)
{
    ++g_counters.codec_delete;
    delete static_cast<FallbackCodec*>(instance);
    return 0;
}

int codec_decode(void* instance, pcm_buffer* pcm, stream_info* info)
{
    decoder* dec = static_cast<FallbackCodec*>(instance)->dec;
    const int r = dec->services.read(dec, pcm->samples, FALLBACK_BLOCK_BYTES);
    if (r < 0)
        return r;
    const int bytes = r == 0 ? FALLBACK_BLOCK_BYTES : r;
    pcm->sample_count = bytes / 4;
    pcm->channels = 2;
    pcm->sample_rate = 44100;
    info->content_type = "audio/test";
    return 0;
}

int codec_stream_info(void*, stream_info* info)
{
    info->duration_ms = g_duration_ms;
    info->bitrate = g_bitrate;
    info->frequency = 44100;
    info->channels = 2;
    return 0;
}

int codec_open(void*, const char*, const char*) { ++g_counters.codec_open; return 0; }
int codec_close(void*) { ++g_counters.codec_close; return 0; }
int codec_seek_notice(void*, uint32_t) { ++g_counters.codec_seek_notice; return 0; }
int codec_reset(void*) { ++g_counters.codec_reset; return 0; }

} // namespace

void reset()
{
    streams().clear();
    captures().clear();
    g_counters = Counters();
    g_duration_ms = 0;
    g_bitrate = 0;
    g_probes.clear();
}

void set_stream(const std::string& name, const Stream& stream) { streams()[name] = stream; }
Counters& counters() { return g_counters; }
Captured& captured(const std::string& output_name) { return captures()[output_name]; }

void set_codec_stream_facts(int duration_ms, int bitrate)
{
    g_duration_ms = duration_ms;
    g_bitrate = bitrate;
}

std::vector<std::string>& codec_probes() { return g_probes; }

input_module_ops memory_input_ops()
{
    input_module_ops ops;
    std::memset(&ops, 0, sizeof(ops));
    ops.version = DECODER_MODULE_VERSION;
    ops.probe = input_probe;
    ops.new_instance = input_new;
    ops.delete_instance = input_delete;
    ops.open = input_open;
    ops.close = input_close;
    ops.read = input_read;
    ops.seek = input_seek;
    ops.get_capabilities = input_capabilities;
    ops.get_size = input_size;
    return ops;
}

output_module_ops capture_output_ops()
{
    output_module_ops ops;
    std::memset(&ops, 0, sizeof(ops));
    ops.version = DECODER_MODULE_VERSION;
    ops.probe = output_probe;
    ops.new_instance = output_new;
    ops.delete_instance = output_delete;
    ops.open = output_open;
    ops.close = output_close;
    ops.write = output_write;
    ops.set_control = output_set_control;
    return ops;
}

codec_module_ops fallback_codec_ops()
{
    codec_module_ops ops;
    std::memset(&ops, 0, sizeof(ops));
    ops.version = DECODER_MODULE_VERSION;
    ops.probe = codec_probe;
    ops.query = codec_query;
    ops.new_instance = codec_new;
    ops.delete_instance = codec_delete;
    ops.decode = codec_decode;
    ops.get_stream_info = codec_stream_info;
    ops.open = codec_open;
    ops.close = codec_close;
    ops.seek_notice = codec_seek_notice;
    ops.reset = codec_reset;
    return ops;
}

void record_debug(void* client, const void*, int, const char* message, const char* detail)
{
    static_cast<DebugLog*>(client)->push_back({ message ? message : "", detail ? detail : "" });
}

} // namespace test_modules
