// "DirectSound Output": the output module of the library
// "dk_dsound_output.dll", bound through "output_module_register". It plays
// 16-bit PCM through one looping DirectSound buffer of about 400 ms that
// it keeps filled from the decoder's writes. A watch thread follows the
// play cursor, so the module knows what is still queued (its delay) and
// stops the buffer when the decoder stops writing instead of letting it
// loop over old sound.
//
// "/dev/dsound/0" is the default device, "/dev/dsound/N" the N-th device
// that DirectSound lists (the N-th waveOut device). The variables
// "OUTPUT.DIRECTSOUND.WINDOW" (the window for the cooperative level, read
// at open) and "OUTPUT.DIRECTSOUND.PITCH" (the speed in thousandths,
// followed while playing) come from the decoder's environment.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include "decoder/engine/decoder.h"
#include "decoder/dsound_output/dsound_stream.h"

namespace {

enum
{
    BUFFER_MS = 400,
    MARGIN_MS = 10,      // never written right behind the play cursor
    GUARD_MS = 60,       // silence laid after the data, heard if it runs dry
    WATCH_PERIOD_MS = 10,
    STALL_LIMIT_MS = 3000, // a write that finds no room for this long fails
    CAPABILITIES = 0x7FFFFF, // with OUTPUT_CAN_REPORT_DELAY
    MAX_DEVICES = 32,
};

const char window_variable[] = "OUTPUT.DIRECTSOUND.WINDOW";
const char pitch_variable[] = "OUTPUT.DIRECTSOUND.PITCH";

struct device_entry
{
    GUID guid;
    bool is_default; // DirectSound's "primary" entry, the null GUID
    char description[128];
};

struct device_list
{
    int count;
    device_entry devices[MAX_DEVICES];
};

BOOL CALLBACK collect_device(LPGUID guid, LPCSTR description, LPCSTR, LPVOID user)
{
    device_list* list = static_cast<device_list*>(user);
    if (list->count >= MAX_DEVICES)
        return FALSE;
    device_entry& d = list->devices[list->count++];
    memset(&d, 0, sizeof(d));
    d.is_default = guid == nullptr;
    if (guid)
        d.guid = *guid;
    snprintf(d.description, sizeof(d.description), "%s", description ? description : "");
    return TRUE;
}

// Entry 0 is always the default device; the others follow in DirectSound's
// order.
void list_devices(device_list* list)
{
    memset(list, 0, sizeof(*list));
    device_list found;
    memset(&found, 0, sizeof(found));
    DirectSoundEnumerateA(collect_device, &found);
    list->count = 1;
    snprintf(list->devices[0].description, sizeof(list->devices[0].description), "%s",
             "Primary Sound Driver");
    list->devices[0].is_default = true;
    for (int i = 0; i < found.count && list->count < MAX_DEVICES; ++i) {
        if (found.devices[i].is_default)
            snprintf(list->devices[0].description, sizeof(list->devices[0].description), "%s",
                     found.devices[i].description);
        else
            list->devices[list->count++] = found.devices[i];
    }
}

struct dsound_instance
{
    module_entry* entry;
    decoder* dec;
    environment_watcher* pitch_watcher;
    int device;

    CRITICAL_SECTION lock; // the buffer and the stream, shared with the watch thread
    IDirectSound8* sound;
    IDirectSoundBuffer* buffer;
    HANDLE watch_thread;
    HANDLE watch_stop;

    int rate, channels;
    dsound_stream stream;
    bool running; // the buffer is playing
    bool paused, muted;
    int pcm_level, master_level, balance;
    int32_t pitch;
};

void debug(dsound_instance* out, const char* message, const char* detail)
{
    decoder* dec = out->dec;
    if (dec && dec->debug_callback)
        dec->debug_callback(dec->client, out->entry, 0, message, detail);
}

void debug_result(dsound_instance* out, const char* message, HRESULT hr)
{
    char number[16];
    snprintf(number, sizeof(number), "0x%08lx", static_cast<unsigned long>(hr));
    debug(out, message, number);
}

uint32_t ms_to_bytes(const dsound_instance* out, int ms)
{
    const uint32_t align = out->stream.block_align;
    return static_cast<uint32_t>(static_cast<uint64_t>(out->rate) * ms / 1000) * align;
}

uint32_t frequency(const dsound_instance* out)
{
    return dsound_frequency_for_pitch(out->rate, out->pitch);
}

// --- the buffer (called with the lock held) ----------------------------------

bool lock_region(dsound_instance* out, uint32_t offset, uint32_t count, void** first, DWORD* first_size,
                 void** second, DWORD* second_size)
{
    HRESULT hr = out->buffer->Lock(offset, count, first, first_size, second, second_size, 0);
    if (hr == DSERR_BUFFERLOST && SUCCEEDED(out->buffer->Restore()))
        hr = out->buffer->Lock(offset, count, first, first_size, second, second_size, 0);
    return SUCCEEDED(hr);
}

// Copies count bytes (silence for null data) to offset, wrapping at the end.
bool fill(dsound_instance* out, uint32_t offset, const uint8_t* data, uint32_t count)
{
    if (count == 0)
        return true;
    void* first = nullptr;
    void* second = nullptr;
    DWORD first_size = 0, second_size = 0;
    if (!lock_region(out, offset, count, &first, &first_size, &second, &second_size))
        return false;
    if (data) {
        memcpy(first, data, first_size);
        if (second)
            memcpy(second, data + first_size, second_size);
    } else {
        memset(first, 0, first_size);
        if (second)
            memset(second, 0, second_size);
    }
    out->buffer->Unlock(first, first_size, second, second_size);
    return true;
}

void follow_cursor(dsound_instance* out)
{
    if (!out->buffer || !out->running)
        return;
    DWORD play = 0, write = 0;
    if (FAILED(out->buffer->GetCurrentPosition(&play, &write)))
        return;
    if (dsound_stream_advance(&out->stream, play)) {
        // Ran dry: stop before the cursor loops back to old sound.
        out->buffer->Stop();
        out->running = false;
    }
}

void start(dsound_instance* out)
{
    if (!out->buffer || out->running || out->paused || dsound_stream_queued(&out->stream) == 0)
        return;
    const uint32_t from = dsound_stream_play_start(&out->stream);
    out->buffer->SetCurrentPosition(from);
    out->stream.last_cursor = from;
    HRESULT hr = out->buffer->Play(0, 0, DSBPLAY_LOOPING);
    if (hr == DSERR_BUFFERLOST && SUCCEEDED(out->buffer->Restore()))
        hr = out->buffer->Play(0, 0, DSBPLAY_LOOPING);
    if (SUCCEEDED(hr))
        out->running = true;
    else
        debug_result(out, "cannot start the sound buffer", hr);
}

void stop(dsound_instance* out)
{
    if (!out->buffer || !out->running)
        return;
    out->buffer->Stop();
    follow_cursor(out);
    out->running = false;
}

void apply_volume(dsound_instance* out)
{
    if (!out->buffer)
        return;
    const int32_t volume = out->muted ? DSOUND_VOLUME_MIN : dsound_volume_for_levels(out->pcm_level, out->master_level);
    out->buffer->SetVolume(volume);
    out->buffer->SetPan(dsound_pan_for_balance(out->balance));
}

void apply_pitch(dsound_instance* out)
{
    if (out->buffer)
        out->buffer->SetFrequency(frequency(out));
}

void release_buffer(dsound_instance* out)
{
    if (!out->buffer)
        return;
    out->buffer->Stop();
    out->buffer->Release();
    out->buffer = nullptr;
    out->running = false;
}

int create_buffer(dsound_instance* out, int rate, int channels)
{
    if (rate <= 0 || channels <= 0)
        return DK_ERR_INVALID_PARAMETERS;
    if (channels > 2)
        return DK_ERR_UNSUPPORTED_FORMAT;
    release_buffer(out);
    WAVEFORMATEX format;
    memset(&format, 0, sizeof(format));
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = static_cast<DWORD>(rate * channels * 2);
    out->rate = rate;
    out->channels = channels;
    dsound_stream_reset(&out->stream, 0, format.nBlockAlign);
    const uint32_t size = ms_to_bytes(out, BUFFER_MS);

    DSBUFFERDESC description;
    memset(&description, 0, sizeof(description));
    description.dwSize = sizeof(description);
    description.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS | DSBCAPS_CTRLVOLUME |
                          DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY;
    description.dwBufferBytes = size;
    description.lpwfxFormat = &format;
    const HRESULT hr = out->sound->CreateSoundBuffer(&description, &out->buffer, nullptr);
    if (FAILED(hr)) {
        out->buffer = nullptr;
        debug_result(out, "cannot create the sound buffer", hr);
        return hr == DSERR_BADFORMAT ? DK_ERR_UNSUPPORTED_FORMAT : DK_ERR_OPEN_FAILED;
    }
    dsound_stream_reset(&out->stream, size, format.nBlockAlign);
    fill(out, 0, nullptr, size);
    out->buffer->SetCurrentPosition(0);
    apply_volume(out);
    apply_pitch(out);
    return 0;
}

// Lets what is queued play out (not while paused), at most a second longer
// than it should take. Called with the lock held; releases it while waiting.
void wait_played(dsound_instance* out)
{
    const DWORD limit = static_cast<DWORD>(dsound_stream_delay_ms(&out->stream, frequency(out))) + 1000;
    const DWORD begin = GetTickCount();
    while (out->running && !out->paused && dsound_stream_queued(&out->stream) > 0 &&
           GetTickCount() - begin < limit) {
        LeaveCriticalSection(&out->lock);
        Sleep(WATCH_PERIOD_MS);
        EnterCriticalSection(&out->lock);
        follow_cursor(out);
    }
}

int change_format(dsound_instance* out, int rate, int channels)
{
    if (out->buffer && rate == out->rate && channels == out->channels)
        return 0;
    if (!out->sound) {
        out->rate = rate;
        out->channels = channels;
        return 0;
    }
    wait_played(out);
    return create_buffer(out, rate, channels);
}

DWORD WINAPI watch(LPVOID user)
{
    dsound_instance* out = static_cast<dsound_instance*>(user);
    while (WaitForSingleObject(out->watch_stop, WATCH_PERIOD_MS) == WAIT_TIMEOUT) {
        EnterCriticalSection(&out->lock);
        follow_cursor(out);
        LeaveCriticalSection(&out->lock);
    }
    return 0;
}

void pitch_changed(void* user, const char*, void* value)
{
    dsound_instance* out = static_cast<dsound_instance*>(user);
    // Removed (null): normal speed. Set: read back through the environment,
    // which refuses a string where the value pointer could not tell.
    int32_t pitch = DSOUND_PITCH_NORMAL;
    if (!value || out->dec->services.get_environment_integer(out->dec, pitch_variable, &pitch) < 0 || pitch <= 0)
        pitch = DSOUND_PITCH_NORMAL;
    EnterCriticalSection(&out->lock);
    out->pitch = pitch;
    apply_pitch(out);
    LeaveCriticalSection(&out->lock);
}

HWND cooperative_window(dsound_instance* out)
{
    int32_t value = 0;
    if (out->dec && out->dec->services.get_environment_integer(out->dec, window_variable, &value) == 0) {
        // Window handles keep their meaning in 32 bits (sign-extended).
        HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(value));
        if (window && IsWindow(window))
            return window;
    }
    return GetDesktopWindow();
}

// --- the operations ------------------------------------------------------------

int out_probe(const char* name)
{
    return name && strncmp(name, "/dev/dsound/", 12) == 0 ? 0 : -1;
}

int out_query(module_info* info, int flags)
{
    if (!info)
        return DK_ERR_INVALID_PARAMETERS;
    if (flags & MODULE_QUERY_NAME) {
        strcpy(info->name, "DirectSound Output");
        strcpy(info->description, "Version 1.0");
    }
    if (flags & (MODULE_QUERY_DEVICE_COUNT | MODULE_QUERY_DEVICE)) {
        device_list list;
        list_devices(&list);
        if (flags & MODULE_QUERY_DEVICE_COUNT)
            info->index = list.count;
        if (flags & MODULE_QUERY_DEVICE) {
            if (info->index < 0 || info->index >= list.count)
                return DK_ERR_INVALID_PARAMETERS;
            snprintf(info->name, sizeof(info->name), "/dev/dsound/%d", static_cast<int>(info->index));
            snprintf(info->description, sizeof(info->description), "%s",
                     list.devices[info->index].description);
            info->flags = info->index == 0 ? 2 : 0;
        }
    }
    return 0;
}

int out_new(void** instance, const char* name, module_entry* entry, decoder* dec)
{
    if (!instance)
        return DK_ERR_INVALID_PARAMETERS;
    *instance = nullptr;
    const int device = dsound_device_number(name);
    if (device < 0)
        return DK_ERR_NO_SUCH_DEVICE_2;
    dsound_instance* out = static_cast<dsound_instance*>(calloc(1, sizeof(dsound_instance)));
    if (!out)
        return DK_ERR_OUT_OF_MEMORY;
    out->entry = entry;
    out->dec = dec;
    out->device = device;
    out->rate = 44100;
    out->channels = 2;
    out->pcm_level = out->master_level = 100;
    out->balance = 50;
    out->pitch = DSOUND_PITCH_NORMAL;
    InitializeCriticalSection(&out->lock);
    if (dec) {
        int32_t pitch = 0;
        if (dec->services.get_environment_integer(dec, pitch_variable, &pitch) == 0 && pitch > 0)
            out->pitch = pitch;
        dec->services.add_environment_watcher(dec, pitch_variable, out, pitch_changed, &out->pitch_watcher);
    }
    *instance = out;
    return 0;
}

int out_close(void* instance);

int out_delete(void* instance)
{
    dsound_instance* out = static_cast<dsound_instance*>(instance);
    if (!out)
        return DK_ERR_INVALID_PARAMETERS;
    if (out->sound)
        out_close(out);
    if (out->pitch_watcher && out->dec)
        out->dec->services.remove_environment_watcher(out->dec, out->pitch_watcher);
    DeleteCriticalSection(&out->lock);
    free(out);
    return 0;
}

int out_open(void* instance)
{
    dsound_instance* out = static_cast<dsound_instance*>(instance);
    if (!out)
        return DK_ERR_INVALID_PARAMETERS;
    if (out->sound)
        out_close(out);
    const GUID* guid = nullptr;
    device_list list;
    list_devices(&list);
    if (out->device >= list.count)
        return DK_ERR_NO_SUCH_DEVICE_2;
    if (out->device > 0)
        guid = &list.devices[out->device].guid;

    IDirectSound8* sound = nullptr;
    HRESULT hr = DirectSoundCreate8(guid, &sound, nullptr);
    if (FAILED(hr)) {
        debug_result(out, "cannot open the DirectSound device", hr);
        return hr == DSERR_NODRIVER ? DK_ERR_NO_SUCH_DEVICE_2 : DK_ERR_OPEN_FAILED;
    }
    hr = sound->SetCooperativeLevel(cooperative_window(out), DSSCL_PRIORITY);
    if (FAILED(hr)) {
        debug_result(out, "cannot set the cooperative level", hr);
        sound->Release();
        return DK_ERR_OPEN_FAILED;
    }

    EnterCriticalSection(&out->lock);
    out->sound = sound;
    out->balance = 50;
    out->muted = out->paused = out->running = false;
    const int r = create_buffer(out, 44100, 2);
    LeaveCriticalSection(&out->lock);
    if (r < 0) {
        sound->Release();
        out->sound = nullptr;
        return r;
    }
    out->watch_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    out->watch_thread = out->watch_stop ? CreateThread(nullptr, 0, watch, out, 0, nullptr) : nullptr;
    if (!out->watch_thread) {
        // Without the watch the buffer would loop over old sound at the end.
        if (out->watch_stop)
            CloseHandle(out->watch_stop);
        out->watch_stop = nullptr;
        EnterCriticalSection(&out->lock);
        release_buffer(out);
        LeaveCriticalSection(&out->lock);
        sound->Release();
        out->sound = nullptr;
        return DK_ERR_OUT_OF_RESOURCES;
    }
    SetThreadPriority(out->watch_thread, THREAD_PRIORITY_TIME_CRITICAL);
    return 0;
}

int out_close(void* instance)
{
    dsound_instance* out = static_cast<dsound_instance*>(instance);
    if (!out)
        return DK_ERR_INVALID_PARAMETERS;
    EnterCriticalSection(&out->lock);
    wait_played(out);
    LeaveCriticalSection(&out->lock);
    if (out->watch_thread) {
        SetEvent(out->watch_stop);
        WaitForSingleObject(out->watch_thread, INFINITE);
        CloseHandle(out->watch_thread);
        CloseHandle(out->watch_stop);
        out->watch_thread = out->watch_stop = nullptr;
    }
    release_buffer(out);
    if (out->sound) {
        out->sound->Release();
        out->sound = nullptr;
    }
    out->paused = false;
    return 0;
}

int out_write(void* instance, void* samples, int bytes, int bytes_per_sample, int channels, int sample_rate)
{
    dsound_instance* out = static_cast<dsound_instance*>(instance);
    if (!out || !samples || bytes < 0 || !out->sound)
        return -1;
    if (bytes_per_sample != 2)
        return DK_ERR_UNSUPPORTED_FORMAT;
    EnterCriticalSection(&out->lock);
    int r = 0;
    if (channels > 0 && sample_rate > 0)
        r = change_format(out, sample_rate, channels);
    if (r < 0 || !out->buffer) {
        LeaveCriticalSection(&out->lock);
        return r < 0 ? r : DK_ERR_WRITE_FAILED;
    }
    const uint8_t* from = static_cast<const uint8_t*>(samples);
    uint32_t left = static_cast<uint32_t>(bytes);
    left -= left % out->stream.block_align;
    const uint32_t margin = ms_to_bytes(out, MARGIN_MS);
    DWORD progress = GetTickCount();
    while (left > 0) {
        follow_cursor(out);
        uint32_t room = dsound_stream_free(&out->stream, margin);
        if (room > 0) {
            const uint32_t count = room < left ? room : left;
            if (!fill(out, out->stream.write_offset, from, count)) {
                r = DK_ERR_WRITE_FAILED;
                break;
            }
            dsound_stream_wrote(&out->stream, count);
            from += count;
            left -= count;
            room -= count;
            const uint32_t guard = ms_to_bytes(out, GUARD_MS);
            fill(out, out->stream.write_offset, nullptr, guard < room ? guard : room);
            start(out);
            progress = GetTickCount();
            continue;
        }
        if (GetTickCount() - progress > STALL_LIMIT_MS) {
            r = DK_ERR_WRITE_FAILED;
            break;
        }
        LeaveCriticalSection(&out->lock);
        Sleep(WATCH_PERIOD_MS / 2);
        EnterCriticalSection(&out->lock);
    }
    LeaveCriticalSection(&out->lock);
    return r;
}

int out_set_control(void* instance, output_control* control, int mask)
{
    dsound_instance* out = static_cast<dsound_instance*>(instance);
    if (!out || !control)
        return DK_ERR_INVALID_PARAMETERS;
    int r = 0;
    EnterCriticalSection(&out->lock);
    if ((mask & OUTPUT_CONTROL_RESET) && out->buffer) {
        stop(out);
        fill(out, 0, nullptr, out->stream.size);
        dsound_stream_reset(&out->stream, out->stream.size, out->stream.block_align);
        out->buffer->SetCurrentPosition(0);
        out->paused = false;
    }
    if ((mask & OUTPUT_CONTROL_PAUSE) && !out->paused) {
        stop(out);
        out->paused = true;
    }
    if ((mask & OUTPUT_CONTROL_RESUME) && out->paused) {
        out->paused = false;
        start(out);
    }
    if (mask & (OUTPUT_CONTROL_FORMAT | OUTPUT_CONTROL_FORMAT_RATE))
        r = change_format(out, control->sample_rate, control->channels);
    if (mask & OUTPUT_CONTROL_MUTE)
        out->muted = true;
    if (mask & OUTPUT_CONTROL_UNMUTE)
        out->muted = false;
    if (mask & OUTPUT_CONTROL_MASTER_LEVEL)
        out->master_level = control->master_level;
    if (mask & OUTPUT_CONTROL_BALANCE)
        out->balance = control->balance;
    if (mask & OUTPUT_CONTROL_PCM_LEVEL)
        out->pcm_level = control->pcm_level;
    if (mask & (OUTPUT_CONTROL_MUTE | OUTPUT_CONTROL_UNMUTE | OUTPUT_CONTROL_MASTER_LEVEL |
                OUTPUT_CONTROL_BALANCE | OUTPUT_CONTROL_PCM_LEVEL))
        apply_volume(out);
    if (mask & OUTPUT_CONTROL_DRAIN) {
        wait_played(out);
        stop(out);
    }
    LeaveCriticalSection(&out->lock);
    return r;
}

int out_get_control(void* instance, output_control* control, int mask)
{
    dsound_instance* out = static_cast<dsound_instance*>(instance);
    if (!out || !control)
        return DK_ERR_INVALID_PARAMETERS;
    EnterCriticalSection(&out->lock);
    if (mask & OUTPUT_CONTROL_MASTER_LEVEL)
        control->master_level = out->master_level;
    if (mask & OUTPUT_CONTROL_PCM_LEVEL)
        control->pcm_level = out->pcm_level;
    if (mask & OUTPUT_CONTROL_BALANCE)
        control->balance = out->balance;
    if (mask & (OUTPUT_CONTROL_FORMAT | OUTPUT_CONTROL_FORMAT_RATE)) {
        control->sample_rate = out->rate;
        control->channels = out->channels;
    }
    if (mask & OUTPUT_CONTROL_BYTES_PER_SAMPLE)
        control->bytes_per_sample = 2;
    LeaveCriticalSection(&out->lock);
    return 0;
}

int out_status(void* instance, int* delay_ms)
{
    dsound_instance* out = static_cast<dsound_instance*>(instance);
    if (!out || !delay_ms)
        return DK_ERR_INVALID_PARAMETERS;
    EnterCriticalSection(&out->lock);
    follow_cursor(out);
    *delay_ms = out->buffer ? dsound_stream_delay_ms(&out->stream, frequency(out)) : 0;
    LeaveCriticalSection(&out->lock);
    return 0;
}

int out_capabilities(void*) { return CAPABILITIES; }

int out_message(void*, int, const void*, int) { return -1; }

} // namespace

extern "C" __declspec(dllexport) int output_module_register(output_module_ops* ops)
{
    if (!ops)
        return DK_ERR_INVALID_PARAMETERS;
    ops->version = DECODER_MODULE_VERSION;
    ops->probe = out_probe;
    ops->query = out_query;
    ops->new_instance = out_new;
    ops->delete_instance = out_delete;
    ops->open = out_open;
    ops->close = out_close;
    ops->write = out_write;
    ops->set_control = out_set_control;
    ops->get_control = out_get_control;
    ops->get_status = out_status;
    ops->get_capabilities = out_capabilities;
    ops->send_message = out_message;
    return 0;
}
