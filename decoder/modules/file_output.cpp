// "Output To File".
#include "decoder/modules/file_output.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

enum file_format
{
    FORMAT_RAW = 0,
    FORMAT_WAVE = 1,
    FORMAT_AIFF = 2,
    FORMAT_SUN = 3,
};

struct file_output
{
    char* name;
    module_entry* entry;
    decoder* dec;
    int format;
    FILE* file;
    bool standard_output;
    uint32_t data_bytes;
    int32_t sample_rate;
    int32_t channels;
    bool written;
};

void set_text(char* destination, size_t size, const char* text)
{
    snprintf(destination, size, "%s", text);
}

int output_query(module_info* info, int flags)
{
    if (!info)
        return DK_ERR_INVALID_PARAMETERS;
    if (flags & MODULE_QUERY_NAME) {
        set_text(info->name, sizeof(info->name), "Output To File");
        set_text(info->description, sizeof(info->description), "Version 1.2");
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 3;
    if (flags & MODULE_QUERY_DEVICE) {
        static const struct { const char* name; const char* description; int flags; } devices[] = {
            { "*, or raw:*", "file name (raw PCM format)", 1 },
            { "wav:*", "file name (WAV format)", 1 },
            { "-", "standard output", 0 },
        };
        if (info->index < 0 || info->index > 2)
            return DK_ERR_INVALID_PARAMETERS;
        set_text(info->name, sizeof(info->name), devices[info->index].name);
        set_text(info->description, sizeof(info->description), devices[info->index].description);
        info->flags = devices[info->index].flags;
    }
    return 0;
}

int output_probe(const char*)
{
    return 0;
}

int output_new_instance(void** instance, const char* name, module_entry* entry, decoder* dec)
{
    if (!instance || !name || !*name) {
        decoder_debug(dec, entry, 0, error_string(DK_ERR_INTERNAL),
                      "null params or null/empty output name");
        return DK_ERR_INVALID_PARAMETERS;
    }
    file_output* out = static_cast<file_output*>(calloc(1, sizeof(file_output)));
    if (!out)
        return DK_ERR_OUT_OF_MEMORY;
    out->name = static_cast<char*>(malloc(strlen(name) + 1));
    if (!out->name) {
        free(out);
        return DK_ERR_OUT_OF_MEMORY;
    }
    strcpy(out->name, name);
    out->entry = entry;
    out->dec = dec;
    out->sample_rate = 44100;
    out->channels = 2;
    *instance = out;
    return 0;
}

void put16(unsigned char* at, uint32_t value)
{
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

void put32(unsigned char* at, uint32_t value)
{
    put16(at, value & 0xffff);
    put16(at + 2, value >> 16);
}

bool write_wave_header(file_output* out)
{
    unsigned char header[44];
    const uint32_t channels = static_cast<uint32_t>(out->channels);
    const uint32_t rate = static_cast<uint32_t>(out->sample_rate);
    memcpy(header, "RIFF", 4);
    put32(header + 4, out->data_bytes + 36);
    memcpy(header + 8, "WAVE", 4);
    memcpy(header + 12, "fmt ", 4);
    put32(header + 16, 16);
    put16(header + 20, 1);
    put16(header + 22, channels);
    put32(header + 24, rate);
    put32(header + 28, rate * channels * 2);
    put16(header + 32, channels * 2);
    put16(header + 34, 16);
    memcpy(header + 36, "data", 4);
    put32(header + 40, out->data_bytes);
    return fwrite(header, 1, sizeof(header), out->file) == sizeof(header);
}

int output_close(void* instance);

int output_open(void* instance)
{
    file_output* out = static_cast<file_output*>(instance);
    if (!out)
        return DK_ERR_INVALID_PARAMETERS;
    if (out->file)
        output_close(out);
    out->data_bytes = 0;
    out->written = false;
    out->sample_rate = 44100;
    out->channels = 2;

    static const struct { const char* prefix; int format; } prefixes[] = {
        { "raw:", FORMAT_RAW }, { "wav:", FORMAT_WAVE }, { "aiff:", FORMAT_AIFF }, { "sun:", FORMAT_SUN },
    };
    const char* rest = out->name;
    out->format = FORMAT_RAW;
    for (const auto& p : prefixes) {
        const size_t length = strlen(p.prefix);
        if (strncmp(out->name, p.prefix, length) == 0) {
            out->format = p.format;
            rest = out->name + length;
            break;
        }
    }
    if (strcmp(rest, "-") == 0) {
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        out->file = stdout;
        out->standard_output = true;
        return 0;
    }
    out->file = fopen(rest, "wb");
    if (!out->file) {
        const int error = errno;
        if (error == EACCES) {
            decoder_debug(out->dec, out->entry, 0, "cannot open output file", "permission denied");
            return DK_ERR_PERMISSION_DENIED;
        }
        decoder_debug(out->dec, out->entry, 0, "cannot open output file", strerror(error));
        return DK_ERR_OPEN_FAILED;
    }
    out->standard_output = false;
    return 0;
}

int output_close(void* instance)
{
    file_output* out = static_cast<file_output*>(instance);
    if (!out)
        return DK_ERR_INVALID_PARAMETERS;
    if (!out->file)
        return 0;
    // Only WAVE has a header; AIFF and Sun are written as raw PCM.
    if (out->format == FORMAT_WAVE && !out->standard_output && fseek(out->file, 0, SEEK_SET) == 0)
        write_wave_header(out);
    if (out->standard_output)
        fflush(out->file);
    else
        fclose(out->file);
    out->file = nullptr;
    out->standard_output = false;
    return 0;
}

int output_delete_instance(void* instance)
{
    file_output* out = static_cast<file_output*>(instance);
    if (!out)
        return DK_ERR_INVALID_PARAMETERS;
    if (out->file)
        output_close(out);
    free(out->name);
    free(out);
    return 0;
}

int output_write(void* instance, void* samples, int byte_count, int, int channels, int sample_rate)
{
    file_output* out = static_cast<file_output*>(instance);
    if (!out || !out->file || !samples || byte_count < 0)
        return -1;
    if (!out->written) {
        out->written = true;
        out->sample_rate = sample_rate;
        out->channels = channels;
        if (out->format == FORMAT_WAVE && !write_wave_header(out))
            return -1;
    }
    if (byte_count > 0 &&
        fwrite(samples, 1, static_cast<size_t>(byte_count), out->file) != static_cast<size_t>(byte_count))
        return -1;
    out->data_bytes += static_cast<uint32_t>(byte_count);
    return 0;
}

} // namespace

int file_output_module_register(output_module_ops* ops)
{
    if (!ops)
        return DK_ERR_INVALID_PARAMETERS;
    ops->version = DECODER_MODULE_VERSION;
    ops->probe = output_probe;
    ops->query = output_query;
    ops->new_instance = output_new_instance;
    ops->delete_instance = output_delete_instance;
    ops->open = output_open;
    ops->close = output_close;
    ops->write = output_write;
    return 0;
}
