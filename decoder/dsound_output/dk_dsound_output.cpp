// The DirectSound output module, loaded by name and bound through its
// entry point. For now a stub: it answers for the "/dev/dsound/N" names
// but has no device to open yet.
#include <string.h>

#include "decoder/decoder.h"

namespace {

const char device_prefix[] = "/dev/dsound/";

int dsound_probe(const char* name)
{
    return name && strncmp(name, device_prefix, sizeof(device_prefix) - 1) == 0 ? 0 : -1;
}

int dsound_query(module_info* info, int flags)
{
    if (!info)
        return DK_ERR_INVALID_PARAMETERS;
    if (flags & MODULE_QUERY_NAME) {
        strcpy(info->name, "DirectSound Output");
        info->description[0] = '\0';
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 0;
    if (flags & MODULE_QUERY_DEVICE)
        return DK_ERR_INVALID_PARAMETERS;
    return 0;
}

int dsound_new(void** instance, const char*, module_entry*, decoder*)
{
    if (!instance)
        return DK_ERR_INVALID_PARAMETERS;
    *instance = nullptr;
    return DK_ERR_NO_SUCH_DEVICE;
}

int dsound_delete(void*) { return 0; }
int dsound_open(void*) { return DK_ERR_NO_SUCH_DEVICE; }
int dsound_close(void*) { return 0; }
int dsound_write(void*, void*, int, int, int, int) { return DK_ERR_WRITE_FAILED; }

} // namespace

extern "C" __declspec(dllexport) int output_module_register(output_module_ops* ops)
{
    if (!ops)
        return DK_ERR_INVALID_PARAMETERS;
    ops->version = DECODER_MODULE_VERSION;
    ops->probe = dsound_probe;
    ops->query = dsound_query;
    ops->new_instance = dsound_new;
    ops->delete_instance = dsound_delete;
    ops->open = dsound_open;
    ops->close = dsound_close;
    ops->write = dsound_write;
    return 0;
}
