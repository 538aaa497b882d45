#include "decoder/modules/waveout_output.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <windows.h>
#include <mmsystem.h>

namespace {

struct waveout_buffer
{
    WAVEHDR header;
    bool prepared;
    bool in_use;
    uint32_t capacity;
};

struct waveout_instance
{
    module_entry* entry;
    decoder* dec;
    environment_watcher* watcher;
    UINT device; // WAVE_MAPPER or an index
    HWAVEOUT wave;
    HMIXER mixer;
    DWORD volume_control;
    LONG volume_minimum, volume_maximum;
    DWORD volume_steps;
    waveout_buffer buffers[WAVEOUT_BUFFER_COUNT];
    int next;
    uint32_t frames_written;
    int rate, channels;
    float balance;
    uint32_t volume;
    bool muted, paused;
};

void debug(waveout_instance* out, const char* message, const char* detail)
{
    decoder_debug(out->dec, out->entry, 0, message, detail);
}

void wait_header(waveout_buffer& b)
{
    if (b.in_use && b.prepared) {
        for (int i = 0; i < 1000 && !(b.header.dwFlags & WHDR_DONE); ++i)
            Sleep(10);
    }
    b.in_use = false;
    b.header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
}

void close_device(waveout_instance* out)
{
    if (!out->wave)
        return;
    if (out->paused) {
        waveOutRestart(out->wave);
        out->paused = false;
    }
    for (waveout_buffer& b : out->buffers)
        if (b.prepared && b.in_use)
            wait_header(b);
    waveOutReset(out->wave);
    out->frames_written = 0;
    for (waveout_buffer& b : out->buffers)
        if (b.prepared) {
            waveOutUnprepareHeader(out->wave, &b.header, sizeof(WAVEHDR));
            b.prepared = false;
        }
    waveOutClose(out->wave);
    out->wave = nullptr;
}

int open_device(waveout_instance* out, int rate, int channels)
{
    if (out->wave && out->rate == rate && out->channels == channels)
        return 0;
    close_device(out);
    WAVEFORMATEX format;
    memset(&format, 0, sizeof(format));
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = static_cast<DWORD>(rate * channels * 2);
    for (int attempt = 0; attempt < 10; ++attempt) {
        const MMRESULT r = waveOutOpen(&out->wave, out->device, &format, 0, 0, WAVE_ALLOWSYNC);
        if (r == MMSYSERR_NOERROR) {
            DWORD volume = 0;
            if (waveOutGetVolume(out->wave, &volume) != MMSYSERR_NOERROR || volume == 0) {
                out->balance = 0.5f;
            } else {
                const float left = static_cast<float>(volume & 0xFFFF);
                const float right = static_cast<float>(volume >> 16);
                out->balance = left + right > 0 ? right / (left + right) : 0.5f;
            }
            out->volume = volume;
            out->rate = rate;
            out->channels = channels;
            return 0;
        }
        out->wave = nullptr;
        if (r == MMSYSERR_BADDEVICEID || r == MMSYSERR_NODRIVER)
            return DK_ERR_NO_SUCH_DEVICE_2;
        if (r != MMSYSERR_ALLOCATED)
            return DK_ERR_OPEN_FAILED;
        Sleep(50);
    }
    return DK_ERR_DEVICE_BUSY;
}

int open_mixer(waveout_instance* out)
{
    HMIXER mixer = nullptr;
    MMRESULT r = mixerOpen(&mixer, static_cast<UINT>(reinterpret_cast<UINT_PTR>(out->wave)), 0, 0,
                           MIXER_OBJECTF_HWAVEOUT);
    if (r != MMSYSERR_NOERROR)
        return static_cast<int>(r);
    MIXERCAPSA caps;
    if ((r = mixerGetDevCapsA(reinterpret_cast<UINT_PTR>(mixer), &caps, sizeof(caps))) == MMSYSERR_NOERROR) {
        char text[256];
        snprintf(text, sizeof(text), "mixer caps: mid=%d, pid=%d, version=%d.%d, name=%s, %d destinations",
                 caps.wMid, caps.wPid, caps.vDriverVersion >> 8, caps.vDriverVersion & 0xFF,
                 caps.szPname, static_cast<int>(caps.cDestinations));
        debug(out, text, nullptr);
        MIXERLINEA line;
        memset(&line, 0, sizeof(line));
        line.cbStruct = sizeof(line);
        line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
        r = mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line, MIXER_GETLINEINFOF_COMPONENTTYPE);
        if (r == MMSYSERR_NOERROR) {
            MIXERCONTROLA control;
            memset(&control, 0, sizeof(control));
            MIXERLINECONTROLSA controls;
            memset(&controls, 0, sizeof(controls));
            controls.cbStruct = sizeof(controls);
            controls.dwLineID = line.dwLineID;
            controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
            controls.cControls = 1;
            controls.cbmxctrl = sizeof(control);
            controls.pamxctrl = &control;
            r = mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &controls,
                                      MIXER_GETLINECONTROLSF_ONEBYTYPE);
            if (r == MMSYSERR_NOERROR) {
                snprintf(text, sizeof(text), "mixer control: name=%s, min=%d, max=%d, steps=%d",
                         control.szName, static_cast<int>(control.Bounds.lMinimum),
                         static_cast<int>(control.Bounds.lMaximum), static_cast<int>(control.Metrics.cSteps));
                debug(out, text, nullptr);
                out->volume_control = control.dwControlID;
                out->volume_minimum = control.Bounds.lMinimum;
                out->volume_maximum = control.Bounds.lMaximum;
                out->volume_steps = control.Metrics.cSteps;
                out->mixer = mixer;
                return 0;
            }
        }
    }
    mixerClose(mixer);
    return static_cast<int>(r);
}

void playback_rate_changed(void* user, const char*, void* value)
{
    waveout_instance* out = static_cast<waveout_instance*>(user);
    if (!out->wave)
        return;
    const int32_t rate = value ? *static_cast<int32_t*>(value) : 0;
    waveOutSetPlaybackRate(out->wave, static_cast<DWORD>(rate));
}

int out_probe(const char* name)
{
    if (!name || !*name || strncmp(name, "/dev/wave/", 10) == 0)
        return 0;
    return -1;
}

int out_query(module_info* info, int flags)
{
    if (!info)
        return DK_ERR_INVALID_PARAMETERS;
    if (flags & MODULE_QUERY_NAME) {
        strcpy(info->name, "Win32 Sound Driver Interface");
        strcpy(info->description, "Version 1.3");
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = static_cast<int32_t>(waveOutGetNumDevs()) + 1;
    if (flags & MODULE_QUERY_DEVICE) {
        if (info->index < 0 || static_cast<UINT>(info->index) > waveOutGetNumDevs())
            return DK_ERR_INVALID_PARAMETERS;
        WAVEOUTCAPSA caps;
        const UINT device = info->index == 0 ? WAVE_MAPPER : static_cast<UINT>(info->index - 1);
        if (waveOutGetDevCapsA(device, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            return -1;
        snprintf(info->name, sizeof(info->name), "/dev/wave/%d", static_cast<int>(info->index));
        snprintf(info->description, sizeof(info->description), "%s", caps.szPname);
        info->flags = info->index == 0 ? 2 : 0;
    }
    return 0;
}

int out_new(void** instance, const char* name, module_entry* entry, decoder* dec)
{
    UINT device = WAVE_MAPPER;
    if (name && *name) {
        if (strlen(name) != 11 || strncmp(name, "/dev/wave/", 10) != 0 || name[10] < '0' || name[10] > '9')
            return DK_ERR_NO_SUCH_DEVICE_2;
        if (name[10] != '0')
            device = static_cast<UINT>(name[10] - '1');
    }
    waveout_instance* out = static_cast<waveout_instance*>(calloc(1, sizeof(waveout_instance)));
    if (!out)
        return DK_ERR_OUT_OF_MEMORY;
    out->entry = entry;
    out->dec = dec;
    out->device = device;
    out->balance = 0.5f;
    if (dec)
        dec->services.add_environment_watcher(dec, "OUTPUT.WAVE.PLAYBACK-RATE", out,
                                              playback_rate_changed, &out->watcher);
    *instance = out;
    return 0;
}

int out_close(void* instance);

int out_delete(void* instance)
{
    waveout_instance* out = static_cast<waveout_instance*>(instance);
    if (!out)
        return DK_ERR_INVALID_PARAMETERS;
    if (out->wave)
        out_close(out);
    if (out->watcher && out->dec)
        out->dec->services.remove_environment_watcher(out->dec, out->watcher);
    for (waveout_buffer& b : out->buffers)
        free(b.header.lpData);
    free(out);
    return 0;
}

int out_open(void* instance)
{
    waveout_instance* out = static_cast<waveout_instance*>(instance);
    out->wave = nullptr;
    out->mixer = nullptr;
    out->frames_written = 0;
    out->next = 0;
    out->balance = 0.5f;
    out->muted = out->paused = false;
    const int r = open_device(out, 44100, 2);
    if (r < 0)
        return r;
    for (waveout_buffer& b : out->buffers) {
        b.in_use = false;
        b.prepared = false;
    }
    const int m = open_mixer(out);
    if (m != 0) {
        char number[16];
        snprintf(number, sizeof(number), "%d", m);
        debug(out, "cannot open mixer", number);
    }
    return 0;
}

int out_close(void* instance)
{
    waveout_instance* out = static_cast<waveout_instance*>(instance);
    close_device(out);
    if (out->mixer) {
        mixerClose(out->mixer);
        out->mixer = nullptr;
    }
    return 0;
}

void* out_get_buffer(void* instance, int size)
{
    waveout_instance* out = static_cast<waveout_instance*>(instance);
    if (size < 0)
        return nullptr;
    waveout_buffer& b = out->buffers[out->next];
    if (b.prepared)
        wait_header(b);
    if (b.header.lpData && b.capacity >= static_cast<uint32_t>(size))
        return b.header.lpData;
    if (b.prepared) {
        waveOutUnprepareHeader(out->wave, &b.header, sizeof(WAVEHDR));
        b.prepared = false;
    }
    free(b.header.lpData);
    b.header.lpData = static_cast<LPSTR>(malloc(static_cast<size_t>(size)));
    b.capacity = b.header.lpData ? static_cast<uint32_t>(size) : 0;
    return b.header.lpData;
}

int out_write(void* instance, void* samples, int bytes, int bytes_per_sample, int channels, int)
{
    waveout_instance* out = static_cast<waveout_instance*>(instance);
    if (!samples || !out->wave || bytes < 0)
        return -1;
    waveout_buffer& b = out->buffers[out->next];
    if (b.header.lpData != samples) {
        // Data that did not come from get_buffer: copy it into the header's block.
        if (b.prepared)
            wait_header(b);
        if (!b.header.lpData || b.capacity < static_cast<uint32_t>(bytes)) {
            if (!out_get_buffer(out, bytes))
                return -1;
        }
        memcpy(b.header.lpData, samples, static_cast<size_t>(bytes));
    }
    if (!b.prepared) {
        b.header.dwBufferLength = b.capacity;
        b.header.dwFlags = 0;
        if (waveOutPrepareHeader(out->wave, &b.header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR)
            return -1;
        b.prepared = true;
    }
    b.in_use = true;
    b.header.dwBufferLength = static_cast<DWORD>(bytes) < b.capacity ? static_cast<DWORD>(bytes) : b.capacity;
    b.header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
    if (waveOutWrite(out->wave, &b.header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        b.in_use = false;
        return -1;
    }
    const int frame = bytes_per_sample * channels;
    if (frame > 0)
        out->frames_written += static_cast<uint32_t>(bytes / frame);
    out->next = (out->next + 1) % WAVEOUT_BUFFER_COUNT;
    return 0;
}

// Level 0-100 to a channel volume 0-65535 (x 655.35, kept exact in double).
double level_to_volume(int level) { return level * 65535.0 / 100.0; }

int louder_level(uint32_t volume)
{
    const uint32_t left = volume & 0xFFFF, right = volume >> 16;
    return static_cast<int>(left > right ? left : right);
}

uint32_t volume_for(double level, float balance)
{
    double left = level, right = level;
    if (balance > 0.5f)
        left = (1.0 - balance) * 2.0 * level;
    else
        right = balance * 2.0 * level;
    return (static_cast<uint32_t>(right) << 16) | (static_cast<uint32_t>(left) & 0xFFFF);
}

int out_set_control(void* instance, output_control* control, int mask)
{
    waveout_instance* out = static_cast<waveout_instance*>(instance);
    if (!control)
        return DK_ERR_INVALID_PARAMETERS;
    if ((mask & OUTPUT_CONTROL_RESET) && out->wave) {
        waveOutReset(out->wave);
        Sleep(100);
        out->frames_written = 0;
        if (out->paused) {
            waveOutRestart(out->wave);
            out->paused = false;
        }
        for (waveout_buffer& b : out->buffers)
            wait_header(b);
    }
    if ((mask & OUTPUT_CONTROL_PAUSE) && out->wave && !out->paused) {
        waveOutPause(out->wave);
        out->paused = true;
    }
    if (mask & OUTPUT_CONTROL_RESUME) {
        if (out->paused && out->wave)
            waveOutRestart(out->wave);
        out->paused = false;
    }
    if (mask & (OUTPUT_CONTROL_FORMAT | OUTPUT_CONTROL_FORMAT_RATE)) {
        const int r = open_device(out, control->sample_rate, control->channels);
        if (r < 0)
            return r;
    }
    if (mask & OUTPUT_CONTROL_MUTE) {
        out->muted = true;
        if (out->wave)
            waveOutSetVolume(out->wave, 0);
    }
    if (mask & OUTPUT_CONTROL_UNMUTE) {
        out->muted = false;
        if (out->wave)
            waveOutSetVolume(out->wave, out->volume);
    }
    if ((mask & OUTPUT_CONTROL_MASTER_LEVEL) && out->mixer) {
        MIXERCONTROLDETAILS_UNSIGNED value;
        value.dwValue = static_cast<DWORD>(out->volume_minimum +
                                           (out->volume_maximum - out->volume_minimum) * control->master_level * 0.01);
        MIXERCONTROLDETAILS details;
        memset(&details, 0, sizeof(details));
        details.cbStruct = sizeof(details);
        details.dwControlID = out->volume_control;
        details.cChannels = 1;
        details.cbDetails = sizeof(value);
        details.paDetails = &value;
        mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(out->mixer), &details, MIXER_SETCONTROLDETAILSF_VALUE);
    }
    if (mask & OUTPUT_CONTROL_BALANCE)
        out->balance = control->balance * 0.01f;
    if (mask & OUTPUT_CONTROL_PCM_LEVEL)
        out->volume = volume_for(level_to_volume(control->pcm_level), out->balance);
    else if (mask & OUTPUT_CONTROL_BALANCE)
        out->volume = volume_for(louder_level(out->volume), out->balance);
    if ((mask & (OUTPUT_CONTROL_PCM_LEVEL | OUTPUT_CONTROL_BALANCE)) && !out->muted && out->wave)
        waveOutSetVolume(out->wave, out->volume);
    return 0;
}

int out_get_control(void* instance, output_control* control, int mask)
{
    waveout_instance* out = static_cast<waveout_instance*>(instance);
    if (!control)
        return DK_ERR_INVALID_PARAMETERS;
    if (mask & OUTPUT_CONTROL_MASTER_LEVEL) {
        control->master_level = 0;
        MIXERCONTROLDETAILS_UNSIGNED value;
        MIXERCONTROLDETAILS details;
        memset(&details, 0, sizeof(details));
        details.cbStruct = sizeof(details);
        details.dwControlID = out->volume_control;
        details.cChannels = 1;
        details.cbDetails = sizeof(value);
        details.paDetails = &value;
        if (out->mixer && out->volume_maximum > out->volume_minimum &&
            mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(out->mixer), &details,
                                    MIXER_GETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR)
            control->master_level = static_cast<int32_t>(
                static_cast<double>(value.dwValue) / (out->volume_maximum - out->volume_minimum) * 100);
    }
    if (mask & OUTPUT_CONTROL_PCM_LEVEL)
        control->pcm_level = static_cast<int32_t>(louder_level(out->volume) * 100.0 / 65535.0) & 0x7F;
    if (mask & OUTPUT_CONTROL_BALANCE)
        control->balance = static_cast<int32_t>(out->balance * 100);
    return 0;
}

int out_status(void* instance, int* delay_ms)
{
    waveout_instance* out = static_cast<waveout_instance*>(instance);
    *delay_ms = 0;
    if (!out->wave || out->rate <= 0)
        return 0;
    MMTIME time;
    memset(&time, 0, sizeof(time));
    time.wType = TIME_SAMPLES;
    if (waveOutGetPosition(out->wave, &time, sizeof(time)) != MMSYSERR_NOERROR || time.wType != TIME_SAMPLES)
        return 0;
    const int64_t left = static_cast<int64_t>(out->frames_written) - static_cast<int64_t>(time.u.sample);
    *delay_ms = left > 0 ? static_cast<int>(left * 1000 / out->rate) : 0;
    return 0;
}

int out_capabilities(void*) { return WAVEOUT_CAPABILITIES; }

int out_message(void*, int, const void*, int) { return -1; }

} // namespace

uint32_t waveout_volume_word(int pcm_level, float balance)
{
    return volume_for(level_to_volume(pcm_level), balance);
}

int waveout_output_module_register(output_module_ops* ops)
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
    ops->get_buffer = out_get_buffer;
    ops->set_control = out_set_control;
    ops->get_control = out_get_control;
    ops->get_status = out_status;
    ops->get_capabilities = out_capabilities;
    ops->send_message = out_message;
    return 0;
}
