// "Input From File".
#include "decoder/modules/file_input.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "foundation/genres/GenreNames.h"

namespace {

struct file_input
{
    char* name;
    module_entry* entry;
    decoder* dec;
    FILE* file;
    bool standard_input;
};

void set_text(char* destination, size_t size, const char* text)
{
    snprintf(destination, size, "%s", text);
}

int input_query(module_info* info, int flags)
{
    if (!info)
        return DK_ERR_INVALID_PARAMETERS;
    if (flags & MODULE_QUERY_NAME) {
        set_text(info->name, sizeof(info->name), "Input From File");
        set_text(info->description, sizeof(info->description), "Version 1.2");
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 2;
    if (flags & MODULE_QUERY_DEVICE) {
        switch (info->index) {
        case 0:
            set_text(info->name, sizeof(info->name), "*");
            set_text(info->description, sizeof(info->description), "any file name");
            info->flags = 1;
            break;
        case 1:
            set_text(info->name, sizeof(info->name), "-");
            set_text(info->description, sizeof(info->description), "standard input");
            info->flags = 0;
            break;
        default:
            return DK_ERR_INVALID_PARAMETERS;
        }
    }
    return 0;
}

int input_probe(const char*)
{
    return 0;
}

int input_new_instance(void** instance, const char* name, module_entry* entry, decoder* dec)
{
    if (!instance || !name || !*name) {
        decoder_debug(dec, entry, 0, error_string(DK_ERR_INTERNAL),
                      "null params or null/empty input name");
        return DK_ERR_INVALID_PARAMETERS;
    }
    file_input* in = static_cast<file_input*>(calloc(1, sizeof(file_input)));
    if (!in)
        return DK_ERR_OUT_OF_MEMORY;
    in->name = static_cast<char*>(malloc(strlen(name) + 1));
    if (!in->name) {
        free(in);
        return DK_ERR_OUT_OF_MEMORY;
    }
    strcpy(in->name, name);
    in->entry = entry;
    in->dec = dec;
    *instance = in;
    return 0;
}

int input_delete_instance(void* instance)
{
    file_input* in = static_cast<file_input*>(instance);
    if (!in)
        return DK_ERR_INVALID_PARAMETERS;
    if (in->file && !in->standard_input)
        fclose(in->file);
    free(in->name);
    free(in);
    return 0;
}

bool ends_with(const char* text, const char* ending)
{
    const size_t length = strlen(text);
    const size_t ending_length = strlen(ending);
    return length >= ending_length && strcmp(text + length - ending_length, ending) == 0;
}

// A tag field: the bytes up to the first NUL, without trailing spaces.
void tag_field(const unsigned char* bytes, size_t size, char* out)
{
    memcpy(out, bytes, size);
    out[size] = '\0';
    size_t length = strlen(out);
    while (length > 0 && out[length - 1] == ' ')
        out[--length] = '\0';
}

void read_id3v1_tag(file_input* in)
{
    if (fseek(in->file, -128, SEEK_END) != 0)
        return;
    unsigned char tag[128];
    if (fread(tag, 1, sizeof(tag), in->file) == sizeof(tag) && memcmp(tag, "TAG", 3) == 0 &&
        in->dec && in->dec->services.set_stream_string) {
        struct field { size_t offset, size; const char* name; };
        static const field fields[] = {
            { 3, 30, "id3/title" }, { 33, 30, "id3/artist" }, { 63, 30, "id3/album" },
            { 93, 4, "id3/year" }, { 97, 30, "id3/comment" },
        };
        char text[31];
        for (const field& f : fields) {
            tag_field(tag + f.offset, f.size, text);
            in->dec->services.set_stream_string(in->dec, f.name, text);
        }
        const char* genre = Id3v1GenreName(tag[127]);
        if (genre)
            in->dec->services.set_stream_string(in->dec, "id3/genre", genre);
    }
    fseek(in->file, 0, SEEK_SET);
}

int input_open(void* instance)
{
    file_input* in = static_cast<file_input*>(instance);
    if (!in)
        return DK_ERR_INVALID_PARAMETERS;
    if (in->file)
        return 0;
    if (strcmp(in->name, "-") == 0) {
#ifdef _WIN32
        _setmode(_fileno(stdin), _O_BINARY);
#endif
        in->file = stdin;
        in->standard_input = true;
        return 0;
    }
    in->file = fopen(in->name, "rb");
    if (!in->file) {
        const int error = errno;
        if (error == ENOENT) {
            decoder_debug(in->dec, in->entry, 0, "cannot open input file", "file not found");
            return DK_ERR_NO_SUCH_FILE;
        }
        if (error == EACCES) {
            decoder_debug(in->dec, in->entry, 0, "cannot open input file", "permission denied");
            return DK_ERR_PERMISSION_DENIED;
        }
        decoder_debug(in->dec, in->entry, 0, "cannot open input file", strerror(error));
        return DK_ERR_OPEN_FAILED;
    }
    if (strlen(in->name) > 4 && ends_with(in->name, ".mp3"))
        read_id3v1_tag(in);
    return 0;
}

int input_close(void* instance)
{
    file_input* in = static_cast<file_input*>(instance);
    if (!in)
        return DK_ERR_INVALID_PARAMETERS;
    if (in->file && !in->standard_input)
        fclose(in->file);
    in->file = nullptr;
    in->standard_input = false;
    return 0;
}

// The bytes that came: fewer than asked at the end of the file, so that
// the last partial block is delivered too.
int input_read(void* instance, void* buffer, int count)
{
    file_input* in = static_cast<file_input*>(instance);
    if (!in || !in->file || !buffer || count < 0)
        return DK_ERR_INVALID_PARAMETERS;
    const size_t got = fread(buffer, 1, static_cast<size_t>(count), in->file);
    if (got == 0 && ferror(in->file))
        return DK_ERR_READ_FAILED;
    return static_cast<int>(got);
}

int input_seek(void* instance, uint32_t offset)
{
    file_input* in = static_cast<file_input*>(instance);
    if (!in || !in->file || in->standard_input)
        return -1;
    return fseek(in->file, static_cast<long>(offset), SEEK_SET) == 0 ? 0 : -1;
}

int input_get_capabilities(void* instance)
{
    const file_input* in = static_cast<const file_input*>(instance);
    return in && !in->standard_input ? INPUT_CAN_SEEK : 0;
}

int input_get_size(void* instance)
{
    const file_input* in = static_cast<const file_input*>(instance);
    if (!in || !in->file || in->standard_input)
        return 0;
    struct stat info;
    if (fstat(fileno(in->file), &info) != 0 || info.st_size < 0 || info.st_size > 0x7fffffff)
        return 0;
    return static_cast<int>(info.st_size);
}

} // namespace

int file_input_module_register(input_module_ops* ops)
{
    if (!ops)
        return DK_ERR_INVALID_PARAMETERS;
    ops->version = DECODER_MODULE_VERSION;
    ops->probe = input_probe;
    ops->query = input_query;
    ops->new_instance = input_new_instance;
    ops->delete_instance = input_delete_instance;
    ops->open = input_open;
    ops->close = input_close;
    ops->read = input_read;
    ops->seek = input_seek;
    ops->get_capabilities = input_get_capabilities;
    ops->get_size = input_get_size;
    return 0;
}
