// The player server: its record, loop, commands and notifications, and
// the player API that starts it.
#include "decoder/player/player_server.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "decoder/engine/module_loader.h"
#include "decoder/modules/file_input.h"
#include "decoder/modules/file_output.h"
#include "decoder/modules/network_input.h"
#include "decoder/modules/wave_codec.h"
#include "decoder/modules/waveout_output.h"
#include "decoder/mpeg/mpeg_codec.h"
#include "decoder/player/feedback_server.h"

namespace {

enum { FEEDBACK_POSITION_RANGE = 400, PCM_FEEDBACK_SAMPLES = 256 };

// Notification mask bits.
enum : uint32_t
{
    MASK_ERROR = 0x1, MASK_DEBUG = 0x2, MASK_PROGRESS = 0x4, MASK_ACK = 0x8, MASK_NACK = 0x10,
    MASK_PLAYER_STATE = 0x20, MASK_INPUT_STATE = 0x40, MASK_INPUT_NAME = 0x80,
    MASK_INPUT_CAPS = 0x100, MASK_POSITION = 0x200, MASK_TIMECODE = 0x400,
    MASK_OUTPUT_STATE = 0x800, MASK_OUTPUT_NAME = 0x1000, MASK_OUTPUT_CAPS = 0x2000,
    MASK_FEEDBACK_POSITION = 0x4000, MASK_FEEDBACK_TIMECODE = 0x8000,
    MASK_BALANCE = 0x20000, MASK_PCM_LEVEL = 0x40000, MASK_MASTER_LEVEL = 0x80000,
    MASK_PORTS = 0x100000, MASK_CONTENT_TYPE = 0x200000, MASK_DURATION = 0x400000,
    MASK_FORMAT = 0x800000, MASK_PROPERTIES = 0x1000000, MASK_MODULE_EVENT = 0x8000000,
};

struct player_server
{
    decoder* dec;
    message_channel* channel;
    void* loader_user;
    player_module_loader_hook loader;
    int state;
    uint32_t mode;
    uint32_t position_range;
    uint32_t last_position;
    uint32_t granularity;
    int last_timecode[4];
    int input_module;
    char* input_name;
    uint32_t last_feedback_position;
    int balance, pcm_level, master_level; // 255: none
    int ports;                            // -1: none
    int output_module;
    char* output_name;
    uint32_t last_duration;
    int codec_module;
    uint32_t pcm_period_us;
    uint32_t pcm_last_s, pcm_last_us;
    uint32_t mask;
    int debug_level;
};

void notify(player_server* ps, uint32_t bit, int code, ...)
{
    if (bit && !(ps->mask & bit))
        return;
    va_list arguments;
    va_start(arguments, code);
    control_message message;
    control_message_pack(&message, code, arguments);
    va_end(arguments);
    message_post(ps->channel, &message);
}

void to_feedback(player_server* ps, int code, ...)
{
    va_list arguments;
    va_start(arguments, code);
    control_message message;
    control_message_pack(&message, code, arguments);
    va_end(arguments);
    message_post_second(ps->channel, &message);
}

void set_state(player_server* ps, int state)
{
    if (ps->state == state)
        return;
    ps->state = state;
    notify(ps, MASK_PLAYER_STATE, CM_PLAYER_STATE, state);
}

bool input_open(player_server* ps) { return ps->dec->input->state == DECODER_OPEN; }
bool output_open(player_server* ps) { return ps->dec->output->state == DECODER_OPEN; }

int output_control_bits(player_server* ps, int mask)
{
    if (!ps->dec->output->ops || !ps->dec->output->instance)
        return 0;
    output_control control;
    memset(&control, 0, sizeof(control));
    return decoder_output_set_control(ps->dec, &control, mask);
}

void now_plus_delay(player_server* ps, uint32_t* s, uint32_t* us)
{
    time_of_day(s, us);
    const uint32_t delay_us = static_cast<uint32_t>(ps->dec->pcm->delay_ms > 0 ? ps->dec->pcm->delay_ms : 0) * 1000;
    *us += delay_us;
    *s += *us / 1000000;
    *us %= 1000000;
}

void feedback_time(int code, player_server* ps)
{
    uint32_t s = 0, us = 0;
    time_of_day(&s, &us);
    to_feedback(ps, code, s, us);
}

char* copy_text(const char* text)
{
    const size_t n = strlen(text) + 1;
    char* copy = static_cast<char*>(malloc(n));
    if (copy)
        memcpy(copy, text, n);
    return copy;
}

void send_timecode(player_server* ps)
{
    const decoder_timecode& t = ps->dec->status->timecode;
    int hundredths = t.hundredths;
    if (ps->granularity == 100)
        hundredths = 0;
    else
        hundredths -= hundredths % static_cast<int>(ps->granularity);
    if (t.hours == ps->last_timecode[0] && t.minutes == ps->last_timecode[1] &&
        t.seconds == ps->last_timecode[2] && hundredths == ps->last_timecode[3])
        return;
    ps->last_timecode[0] = t.hours;
    ps->last_timecode[1] = t.minutes;
    ps->last_timecode[2] = t.seconds;
    ps->last_timecode[3] = hundredths;
    notify(ps, MASK_TIMECODE, CM_TIMECODE, t.hours, t.minutes, t.seconds, hundredths);
}

// After a frame, and after opening an input with result 0.
void after_frame(player_server* ps, int result)
{
    if (result >= 0 || result == DK_ERR_INVALID_FRAME || result == DK_ERR_TIMEOUT) {
        stream_info& info = ps->dec->status->info;
        if (info.changed & STREAM_CHANGED_CONTENT_TYPE)
            notify(ps, MASK_CONTENT_TYPE, CM_STREAM_CONTENT_TYPE, info.content_type);
        const uint32_t duration = static_cast<uint32_t>(info.duration_ms > 0 ? info.duration_ms : 0) / 1000;
        if (duration != ps->last_duration) {
            ps->last_duration = duration;
            notify(ps, MASK_DURATION, CM_STREAM_DURATION, duration);
        }
        if (info.changed & STREAM_CHANGED_FORMAT)
            notify(ps, MASK_FORMAT, CM_STREAM_FORMAT, info.frequency, info.bitrate, info.channels);
        if ((info.changed & STREAM_CHANGED_PROPERTIES) && info.properties) {
            property_list list = {0, nullptr};
            if (environment_snapshot(info.properties, &list) >= 0)
                notify(ps, MASK_PROPERTIES, CM_STREAM_PROPERTIES, &list);
        }
        info.changed = 0;

        float fraction = ps->dec->status->position;
        if (fraction < 0)
            fraction = 0;
        uint32_t position = static_cast<uint32_t>(static_cast<double>(ps->position_range) * fraction);
        if (position > ps->position_range)
            position = ps->position_range;
        if (position != ps->last_position) {
            ps->last_position = position;
            notify(ps, MASK_POSITION, CM_POSITION, position, ps->position_range);
        }
        send_timecode(ps);
        return;
    }
    set_state(ps, PLAYER_END_OF_STREAM);
    if ((ps->mode & PLAYER_MODE_CLOSE_AT_END) && output_open(ps)) {
        output_control_bits(ps, OUTPUT_CONTROL_DRAIN);
        decoder_output_close(ps->dec);
        notify(ps, MASK_OUTPUT_STATE, CM_OUTPUT_STATE, 1);
    }
}

void periodic(player_server* ps)
{
    uint32_t s = 0, us = 0;
    now_plus_delay(ps, &s, &us);
    const decoder_timecode& t = ps->dec->status->timecode;
    if ((ps->mask & MASK_FEEDBACK_TIMECODE) &&
        (t.hours != ps->last_timecode[0] || t.minutes != ps->last_timecode[1] ||
         t.seconds != ps->last_timecode[2]))
        to_feedback(ps, CM_FEEDBACK_TIMECODE, s, us, ps->last_timecode[0], ps->last_timecode[1],
                    ps->last_timecode[2], ps->last_timecode[3]);
    if (ps->mask & MASK_FEEDBACK_POSITION) {
        float fraction = ps->dec->status->position;
        uint32_t position = fraction > 0 ? static_cast<uint32_t>(FEEDBACK_POSITION_RANGE * fraction) : 0;
        if (position > FEEDBACK_POSITION_RANGE)
            position = FEEDBACK_POSITION_RANGE;
        if (position != ps->last_feedback_position) {
            ps->last_feedback_position = position;
            to_feedback(ps, CM_FEEDBACK_POSITION, s, us, position, FEEDBACK_POSITION_RANGE);
        }
    }
    if (ps->pcm_period_us) {
        uint64_t due = static_cast<uint64_t>(ps->pcm_last_s) * 1000000 + ps->pcm_last_us + ps->pcm_period_us;
        uint64_t now = static_cast<uint64_t>(s) * 1000000 + us;
        const pcm_buffer& pcm = *ps->dec->pcm;
        if (due < now && pcm.samples && pcm.channels >= 1 && pcm.channels <= 2) {
            ps->pcm_last_s = s;
            ps->pcm_last_us = us;
            // At most the frames the block holds.
            const int frames = pcm.sample_count < PCM_FEEDBACK_SAMPLES ? pcm.sample_count : PCM_FEEDBACK_SAMPLES;
            int8_t samples[2 * PCM_FEEDBACK_SAMPLES];
            memset(samples, 0, sizeof(samples));
            const int16_t* in = static_cast<const int16_t*>(pcm.samples);
            for (int c = 0; c < pcm.channels; ++c)
                for (int i = 0; i < frames; ++i)
                    samples[c * PCM_FEEDBACK_SAMPLES + i] = static_cast<int8_t>(in[i * pcm.channels + c] / 256);
            to_feedback(ps, CM_FEEDBACK_PCM, s, us, pcm.sample_rate, pcm.channels,
                        PCM_FEEDBACK_SAMPLES, samples);
        }
    }
}

int do_play(player_server* ps);

int do_input_open(player_server* ps, const char* name)
{
    if (name && !*name)
        name = nullptr;
    if (input_open(ps))
        decoder_input_close(ps->dec);
    if (name) {
        char* copy = copy_text(name);
        if (!copy)
            return DK_ERR_OUT_OF_MEMORY;
        free(ps->input_name);
        ps->input_name = copy;
    }
    ps->last_duration = 0;
    int r = decoder_input_new(ps->dec, ps->input_name ? ps->input_name : "", ps->input_module);
    if (r < 0)
        return r;
    r = decoder_input_open(ps->dec);
    notify(ps, MASK_INPUT_STATE, CM_INPUT_STATE, r < 0 ? 1 : 0);
    if (r < 0) {
        set_state(ps, PLAYER_STOPPED);
        return r;
    }
    notify(ps, MASK_INPUT_NAME, CM_INPUT_NAME, ps->input_name ? ps->input_name : "");
    notify(ps, MASK_INPUT_CAPS, CM_INPUT_CAPS, ps->dec->input->capabilities);
    after_frame(ps, 0);
    if (ps->state == PLAYER_PLAYING)
        return do_play(ps);
    return 0;
}

int apply_levels(player_server* ps, int master, int pcm, int balance)
{
    output_control control;
    memset(&control, 0, sizeof(control));
    int mask = 0;
    if (master >= 0 && master <= 100) {
        ps->master_level = master;
        control.master_level = master;
        mask |= OUTPUT_CONTROL_MASTER_LEVEL;
    }
    if (pcm >= 0 && pcm <= 100) {
        ps->pcm_level = pcm;
        control.pcm_level = pcm;
        mask |= OUTPUT_CONTROL_PCM_LEVEL;
    }
    if (balance >= 0 && balance <= 100) {
        ps->balance = balance;
        control.balance = balance;
        mask |= OUTPUT_CONTROL_BALANCE;
    }
    if (!mask || !ps->dec->output->instance)
        return 0;
    return decoder_output_set_control(ps->dec, &control, mask);
}

void report_levels(player_server* ps)
{
    output_control control;
    memset(&control, 0, sizeof(control));
    if (ps->dec->output->instance)
        decoder_output_get_control(ps->dec, &control, 0x78);
    notify(ps, MASK_BALANCE, CM_OUTPUT_BALANCE, control.balance);
    notify(ps, MASK_PCM_LEVEL, CM_OUTPUT_PCM_LEVEL, control.pcm_level);
    notify(ps, MASK_MASTER_LEVEL, CM_OUTPUT_MASTER_LEVEL, control.master_level);
}

int do_output_open(player_server* ps, const char* name)
{
    if (name && !*name)
        name = nullptr;
    if (output_open(ps))
        decoder_output_close(ps->dec);
    if (name) {
        char* copy = copy_text(name);
        if (!copy)
            return DK_ERR_OUT_OF_MEMORY;
        free(ps->output_name);
        ps->output_name = copy;
    }
    int r = decoder_output_new(ps->dec, ps->output_name ? ps->output_name : "", ps->output_module);
    if (r < 0)
        return r;
    r = decoder_output_open(ps->dec);
    notify(ps, MASK_OUTPUT_STATE, CM_OUTPUT_STATE, r < 0 ? 1 : 0);
    if (r < 0) {
        set_state(ps, PLAYER_STOPPED);
        return r;
    }
    notify(ps, MASK_OUTPUT_NAME, CM_OUTPUT_NAME, ps->output_name ? ps->output_name : "");
    notify(ps, MASK_OUTPUT_CAPS, CM_OUTPUT_CAPS, ps->dec->output->capabilities);
    apply_levels(ps, ps->master_level, ps->pcm_level, ps->balance);
    if (ps->ports != -1) {
        output_control control;
        memset(&control, 0, sizeof(control));
        control.ports = ps->ports;
        decoder_output_set_control(ps->dec, &control, OUTPUT_CONTROL_PORTS);
    }
    report_levels(ps);
    notify(ps, MASK_PORTS, CM_OUTPUT_PORTS, ps->ports == -1 ? 0 : ps->ports);
    return 0;
}

int do_play(player_server* ps)
{
    int r = 0;
    if (!input_open(ps) && (r = do_input_open(ps, nullptr)) < 0)
        return r;
    if (!output_open(ps) && (r = do_output_open(ps, nullptr)) < 0)
        return r;
    output_control_bits(ps, OUTPUT_CONTROL_RESUME);
    feedback_time(CM_FEEDBACK_RESUME, ps);
    set_state(ps, PLAYER_PLAYING);
    return 0;
}

void output_reset(player_server* ps)
{
    to_feedback(ps, CM_FEEDBACK_FLUSH);
    output_control_bits(ps, OUTPUT_CONTROL_RESET);
}

int reopen_input(player_server* ps) { return input_open(ps) ? do_input_open(ps, nullptr) : 0; }
int reopen_output(player_server* ps) { return output_open(ps) ? do_output_open(ps, nullptr) : 0; }

int module_id_check(int id, uint32_t count)
{
    return id < -1 || (id >= 0 && static_cast<uint32_t>(id) >= count) ? DK_ERR_MODULE_NOT_FOUND : 0;
}

// A table of one of the kinds a player registers from a library or
// builds in.
union module_table
{
    input_module_ops input;
    output_module_ops output;
    codec_module_ops codec;
};

// What the module commands of one kind use: its table, its registry and
// its notifications.
struct module_kind_commands
{
    module_kind kind;
    size_t table_size;
    int (*add)(decoder* dec, const module_table& table);
    int (*query)(decoder* dec, int id, module_info* info, int flags);
    uint32_t decoder_module_counts::*count;
    int info_code;
    int device_code;
};

const module_kind_commands g_input_modules = {
    MODULE_KIND_INPUT, sizeof(input_module_ops),
    [](decoder* dec, const module_table& table) {
        return decoder_input_module_register(dec, &table.input);
    },
    decoder_input_module_query, &decoder_module_counts::input,
    CM_INPUT_MODULE_INFO, CM_INPUT_DEVICE_INFO};

const module_kind_commands g_output_modules = {
    MODULE_KIND_OUTPUT, sizeof(output_module_ops),
    [](decoder* dec, const module_table& table) {
        return decoder_output_module_register(dec, &table.output);
    },
    decoder_output_module_query, &decoder_module_counts::output,
    CM_OUTPUT_MODULE_INFO, CM_OUTPUT_DEVICE_INFO};

const module_kind_commands g_codec_modules = {
    MODULE_KIND_CODEC, sizeof(codec_module_ops),
    [](decoder* dec, const module_table& table) {
        return decoder_codec_module_register(dec, &table.codec);
    },
    decoder_codec_module_query, &decoder_module_counts::codec,
    CM_CODEC_MODULE_INFO, CM_CODEC_DEVICE_INFO};

// The built-in modules in the order of registration. The MPEG codec comes
// before the WAVE codec: it accepts every stream, and the newest codec is
// probed first.
struct builtin_module
{
    const module_kind_commands* kind;
    int (*fill)(module_table* table);
};

const builtin_module g_builtin_modules[] = {
    {&g_input_modules, [](module_table* t) { return file_input_module_register(&t->input); }},
    {&g_input_modules, [](module_table* t) { return network_input_module_register(&t->input); }},
    {&g_output_modules, [](module_table* t) { return file_output_module_register(&t->output); }},
    {&g_output_modules, [](module_table* t) { return waveout_output_module_register(&t->output); }},
    {&g_codec_modules, [](module_table* t) { return mpeg_codec_module_register(&t->codec); }},
    {&g_codec_modules, [](module_table* t) { return wave_codec_module_register(&t->codec); }},
};

// Loads a module for a registration command (Algorithm of the loader hook).
int load_module(player_server* ps, module_kind kind, const char* name, void* table, size_t size)
{
    if (!name || !*name)
        return DK_ERR_INVALID_PARAMETERS;
    void* entry = nullptr;
    const char* symbol = module_default_symbol(kind);
    bool stored = false;
    if (ps->loader) {
        const int r = ps->loader(ps->loader_user, kind, 0, ps->channel, ps->dec, &entry, name, symbol);
        if (r < 0)
            return r;
        stored = r == 1;
    }
    if (!stored) {
        const int r = module_entry_resolve(&entry, name, symbol);
        if (r < 0)
            return r;
        if (ps->loader) {
            const int h = ps->loader(ps->loader_user, kind, 1, ps->channel, ps->dec, &entry, name, symbol);
            if (h < 0)
                return h;
        }
    }
    if (!entry)
        return DK_ERR_INVALID_PARAMETERS;
    memset(table, 0, size);
    typedef int (*register_function)(void*);
    const int r = reinterpret_cast<register_function>(entry)(table);
    return r != 0 ? r : 0;
}

// A module may fill the whole of a text field; what it hands on ends there.
void terminate_texts(module_info* info)
{
    info->name[sizeof(info->name) - 1] = '\0';
    info->description[sizeof(info->description) - 1] = '\0';
}

int query_modules(player_server* ps, const module_kind_commands& kind, int id, bool one)
{
    const uint32_t count = ps->dec->counts->*kind.count;
    if (one && (id < 0 || static_cast<uint32_t>(id) >= count))
        return DK_ERR_MODULE_NOT_FOUND;
    const int first = one ? id : 0, last = one ? id : static_cast<int>(count) - 1;
    for (int m = first; m <= last; ++m) {
        module_info info;
        memset(&info, 0, sizeof(info));
        if (kind.query(ps->dec, m, &info, MODULE_QUERY_NAME) < 0)
            continue;
        terminate_texts(&info);
        module_info devices;
        memset(&devices, 0, sizeof(devices));
        if (kind.query(ps->dec, m, &devices, MODULE_QUERY_DEVICE_COUNT) < 0)
            continue;
        const int n = devices.index;
        notify(ps, 0, kind.info_code, m, n, info.name, info.description);
        for (int d = 0; d < n; ++d) {
            module_info device;
            memset(&device, 0, sizeof(device));
            device.index = d;
            if (kind.query(ps->dec, m, &device, MODULE_QUERY_DEVICE) < 0)
                continue;
            terminate_texts(&device);
            notify(ps, 0, kind.device_code, m, d, device.flags, device.name, device.description);
        }
    }
    return 0;
}

int register_loaded(player_server* ps, const module_kind_commands& kind, const char* name)
{
    module_table table;
    const int r = load_module(ps, kind.kind, name, &table, kind.table_size);
    if (r < 0)
        return r;
    return kind.add(ps->dec, table);
}

int add_filter(player_server* ps, bool input, const char* name, int position)
{
    module_info info;
    memset(&info, 0, sizeof(info));
    int id = 0;
    if (input) {
        input_filter_module_ops table;
        const int r = load_module(ps, MODULE_KIND_INPUT_FILTER, name, &table, sizeof(table));
        if (r < 0)
            return r;
        id = decoder_input_filter_register(ps->dec, &table, position);
        if (id < 0)
            return id;
        if (table.query && table.query(&info, MODULE_QUERY_NAME) >= 0)
            notify(ps, 0, CM_INPUT_FILTER_INFO, id, info.name);
    } else {
        output_filter_module_ops table;
        const int r = load_module(ps, MODULE_KIND_OUTPUT_FILTER, name, &table, sizeof(table));
        if (r < 0)
            return r;
        id = decoder_output_filter_register(ps->dec, &table, position);
        if (id < 0)
            return id;
        if (table.query && table.query(&info, MODULE_QUERY_NAME) >= 0)
            notify(ps, 0, CM_OUTPUT_FILTER_INFO, id, info.name);
    }
    return id;
}

int list_input_filter(void* client, input_filter_entry* entry)
{
    module_info info;
    memset(&info, 0, sizeof(info));
    if (entry->id != 0 && entry->ops.query && entry->ops.query(&info, MODULE_QUERY_NAME) >= 0)
        notify(static_cast<player_server*>(client), 0, CM_INPUT_FILTER_INFO, entry->id, info.name);
    return 0;
}

int list_output_filter(void* client, output_filter_entry* entry)
{
    module_info info;
    memset(&info, 0, sizeof(info));
    if (entry->id != 0 && entry->ops.query && entry->ops.query(&info, MODULE_QUERY_NAME) >= 0)
        notify(static_cast<player_server*>(client), 0, CM_OUTPUT_FILTER_INFO, entry->id, info.name);
    return 0;
}

// Carries out one command; -1000000 asks the loop to end.
enum { EXIT_REQUEST = -1000000, NO_ANSWER = 1000000 };

int execute(player_server* ps, const control_message* m)
{
    const control_payload& p = m->payload;
    decoder* dec = ps->dec;
    switch (m->code) {
    case CM_EXIT:
        return EXIT_REQUEST;
    case CM_PING:
        notify(ps, 0, CM_PONG, p.u32.value);
        return 0;
    case CM_PLAY:
        return do_play(ps);
    case CM_PAUSE:
        if (!input_open(ps))
            return DK_ERR_INTERNAL;
        if (ps->mode & PLAYER_MODE_CLOSE_ON_PAUSE) {
            output_reset(ps);
            if (output_open(ps)) {
                decoder_output_close(dec);
                notify(ps, MASK_OUTPUT_STATE, CM_OUTPUT_STATE, 1);
            }
        } else {
            feedback_time(CM_FEEDBACK_PAUSE, ps);
            output_control_bits(ps, OUTPUT_CONTROL_PAUSE);
        }
        set_state(ps, PLAYER_PAUSED);
        return 0;
    case CM_STOP:
        if (!input_open(ps))
            return DK_ERR_INTERNAL;
        output_reset(ps);
        if ((ps->mode & PLAYER_MODE_CLOSE_ON_STOP) && output_open(ps)) {
            decoder_output_close(dec);
            notify(ps, MASK_OUTPUT_STATE, CM_OUTPUT_STATE, 1);
        }
        decoder_input_seek_to_position(dec, 0.0f);
        set_state(ps, PLAYER_STOPPED);
        return 0;
    case CM_SEEK: {
        if (p.u32_pair.second == 0)
            return DK_ERR_INVALID_PARAMETERS;
        if (!input_open(ps))
            return -1;
        if (ps->state == PLAYER_PLAYING || ps->state == PLAYER_PAUSED)
            output_reset(ps);
        double fraction = static_cast<double>(p.u32_pair.first) / p.u32_pair.second;
        if (fraction > 1)
            fraction = 1;
        const int r = decoder_input_seek_to_position(dec, static_cast<float>(fraction));
        notify(ps, MASK_POSITION, CM_POSITION, p.u32_pair.first, p.u32_pair.second);
        const decoder_timecode& t = dec->status->timecode;
        ps->last_timecode[0] = t.hours;
        ps->last_timecode[1] = t.minutes;
        ps->last_timecode[2] = t.seconds;
        ps->last_timecode[3] = t.hundredths;
        notify(ps, MASK_TIMECODE, CM_TIMECODE, t.hours, t.minutes, t.seconds, t.hundredths);
        if (ps->state == PLAYER_END_OF_STREAM)
            set_state(ps, PLAYER_STOPPED);
        return r < 0 ? r : 0;
    }
    case CM_INPUT_OPEN:
        return do_input_open(ps, p.text.text);
    case CM_INPUT_CLOSE:
        set_state(ps, PLAYER_STOPPED);
        if (input_open(ps))
            decoder_input_close(dec);
        notify(ps, MASK_INPUT_STATE, CM_INPUT_STATE, 1);
        return 0;
    case CM_INPUT_SEND:
        return decoder_input_send_message(dec, p.bytes.type, p.bytes.data, static_cast<int>(p.bytes.length));
    case CM_INPUT_FILTER_ADD:
        return add_filter(ps, true, p.filter.name, p.filter.id);
    case CM_INPUT_FILTER_REMOVE:
        return decoder_input_filter_unregister(dec, p.filter.name, p.filter.id);
    case CM_INPUT_FILTERS_LIST:
        decoder_input_filters_enumerate(dec, ps, list_input_filter);
        return 0;
    case CM_INPUT_MODULE_ADD:
        return register_loaded(ps, g_input_modules, p.text.text);
    case CM_INPUT_MODULE_QUERY:
        return query_modules(ps, g_input_modules, p.i16.value, true);
    case CM_INPUT_MODULES_LIST:
        return query_modules(ps, g_input_modules, 0, false);
    case CM_OUTPUT_OPEN:
        return do_output_open(ps, p.text.text);
    case CM_OUTPUT_CLOSE:
        set_state(ps, PLAYER_STOPPED);
        if (output_open(ps))
            decoder_output_close(dec);
        notify(ps, MASK_OUTPUT_STATE, CM_OUTPUT_STATE, 1);
        return 0;
    case CM_OUTPUT_SEND:
        return decoder_output_send_message(dec, p.bytes.type, p.bytes.data, static_cast<int>(p.bytes.length));
    case CM_OUTPUT_MUTE:
        return output_control_bits(ps, OUTPUT_CONTROL_MUTE);
    case CM_OUTPUT_UNMUTE:
        return output_control_bits(ps, OUTPUT_CONTROL_UNMUTE);
    case CM_OUTPUT_RESET:
        output_reset(ps);
        return 0;
    case CM_OUTPUT_DRAIN:
        return output_control_bits(ps, OUTPUT_CONTROL_DRAIN);
    case CM_OUTPUT_FILTER_ADD:
        return add_filter(ps, false, p.filter.name, p.filter.id);
    case CM_OUTPUT_FILTER_REMOVE:
        return decoder_output_filter_unregister(dec, p.filter.name, p.filter.id);
    case CM_OUTPUT_FILTERS_LIST:
        decoder_output_filters_enumerate(dec, ps, list_output_filter);
        return 0;
    case CM_OUTPUT_MODULE_ADD:
        return register_loaded(ps, g_output_modules, p.text.text);
    case CM_OUTPUT_MODULE_QUERY:
        return query_modules(ps, g_output_modules, p.i16.value, true);
    case CM_OUTPUT_MODULES_LIST:
        return query_modules(ps, g_output_modules, 0, false);
    case CM_CODEC_MODULE_ADD:
        return register_loaded(ps, g_codec_modules, p.text.text);
    case CM_CODEC_MODULE_QUERY:
        return query_modules(ps, g_codec_modules, p.i16.value, true);
    case CM_CODEC_MODULES_LIST:
        return query_modules(ps, g_codec_modules, 0, false);
    case CM_SET_PLAYER_MODE:
        ps->mode = p.u32.value;
        return 0;
    case CM_GET_PLAYER_MODE:
        notify(ps, 0, CM_PLAYER_MODE, ps->mode);
        return 0;
    case CM_ENV_SET_INTEGER:
        return dec->services.set_environment_integer(dec, p.env_integer.name, p.env_integer.value);
    case CM_ENV_GET_INTEGER: {
        int32_t value = 0;
        const int r = dec->services.get_environment_integer(dec, p.text.text, &value);
        if (r < 0)
            return r;
        notify(ps, 0, CM_ENV_INTEGER, p.text.text, value);
        return 0;
    }
    case CM_ENV_SET_STRING:
        return dec->services.set_environment_string(dec, p.env_string.name, p.env_string.value);
    case CM_ENV_GET_STRING: {
        char value[ENVIRONMENT_STRING_BUFFER_SIZE];
        const int r = dec->services.get_environment_string(dec, p.text.text, value);
        if (r < 0)
            return r;
        notify(ps, 0, CM_ENV_STRING, p.text.text, value);
        return 0;
    }
    case CM_ENV_UNSET:
        return dec->services.remove_environment_variable(dec, p.text.text);
    case CM_SET_INPUT_NAME: {
        char* copy = copy_text(p.text.text);
        if (!copy)
            return DK_ERR_OUT_OF_MEMORY;
        free(ps->input_name);
        ps->input_name = copy;
        return reopen_input(ps);
    }
    case CM_GET_INPUT_NAME:
        notify(ps, MASK_INPUT_NAME, CM_INPUT_NAME, ps->input_name ? ps->input_name : "");
        return 0;
    case CM_SET_INPUT_MODULE:
        if (module_id_check(p.i16.value, dec->counts->input) < 0)
            return DK_ERR_MODULE_NOT_FOUND;
        ps->input_module = p.i16.value;
        return reopen_input(ps);
    case CM_GET_INPUT_MODULE:
        notify(ps, 0, CM_INPUT_MODULE, ps->input_module);
        return 0;
    case CM_SET_POSITION_RANGE:
        if (p.u32.value == 0)
            return DK_ERR_INVALID_PARAMETERS;
        ps->position_range = p.u32.value;
        return 0;
    case CM_GET_POSITION_RANGE:
        notify(ps, 0, CM_POSITION_RANGE, ps->position_range);
        return 0;
    case CM_SET_TIMECODE_GRANULARITY:
        if (p.u32.value == 0)
            return DK_ERR_INVALID_PARAMETERS;
        ps->granularity = p.u32.value;
        return 0;
    case CM_GET_TIMECODE_GRANULARITY:
        notify(ps, 0, CM_TIMECODE_GRANULARITY, ps->granularity);
        return 0;
    case CM_SET_OUTPUT_NAME: {
        char* copy = copy_text(p.text.text);
        if (!copy)
            return DK_ERR_OUT_OF_MEMORY;
        free(ps->output_name);
        ps->output_name = copy;
        return reopen_output(ps);
    }
    case CM_GET_OUTPUT_NAME:
        notify(ps, 0, CM_OUTPUT_NAME, ps->output_name ? ps->output_name : "");
        return 0;
    case CM_SET_OUTPUT_MODULE:
        if (module_id_check(p.i16.value, dec->counts->output) < 0)
            return DK_ERR_MODULE_NOT_FOUND;
        ps->output_module = p.i16.value;
        return reopen_output(ps);
    case CM_GET_OUTPUT_MODULE:
        notify(ps, 0, CM_OUTPUT_MODULE, ps->output_module);
        return 0;
    case CM_SET_OUTPUT_LEVELS:
        return apply_levels(ps, p.levels.master, p.levels.pcm, p.levels.balance);
    case CM_GET_OUTPUT_LEVELS:
        report_levels(ps);
        return 0;
    case CM_SET_CHANNEL_MODE:
        decoder_codec_set_channels(dec, p.u8.value);
        output_reset(ps);
        return 0;
    case CM_GET_CHANNEL_MODE:
        notify(ps, 0, CM_CHANNEL_MODE, decoder_codec_get_channels(dec));
        return 0;
    case CM_SET_OUTPUT_PORTS: {
        ps->ports = p.u8.value;
        if (!dec->output->instance)
            return 0;
        output_control control;
        memset(&control, 0, sizeof(control));
        control.ports = ps->ports;
        return decoder_output_set_control(dec, &control, OUTPUT_CONTROL_PORTS);
    }
    case CM_GET_OUTPUT_PORTS: {
        output_control control;
        memset(&control, 0, sizeof(control));
        if (dec->output->instance)
            decoder_output_get_control(dec, &control, OUTPUT_CONTROL_PORTS);
        notify(ps, MASK_PORTS, CM_OUTPUT_PORTS, control.ports);
        return 0;
    }
    case CM_SET_CODEC_QUALITY:
        return decoder_codec_set_quality(dec, p.u8.value);
    case CM_GET_CODEC_QUALITY:
        notify(ps, 0, CM_CODEC_QUALITY, decoder_codec_get_quality(dec));
        return 0;
    case CM_SET_CODEC_EQUALIZER:
        return decoder_codec_set_equalizer(dec, p.equalizer.data);
    case CM_GET_CODEC_EQUALIZER: {
        int8_t bands[CODEC_EQUALIZER_SIZE];
        decoder_codec_get_equalizer(dec, bands);
        notify(ps, 0, CM_CODEC_EQUALIZER, bands);
        return 0;
    }
    case CM_SET_CODEC_MODULE:
        if (module_id_check(p.i16.value, dec->counts->codec) < 0)
            return DK_ERR_MODULE_NOT_FOUND;
        if (const int r = decoder_codec_set_module(dec, p.i16.value); r < 0)
            return r;
        ps->codec_module = p.i16.value;
        return reopen_input(ps);
    case CM_SET_NOTIFICATION_MASK:
        ps->mask = p.u32.value;
        return 0;
    case CM_GET_NOTIFICATION_MASK:
        notify(ps, 0, CM_NOTIFICATION_MASK, ps->mask);
        return 0;
    case CM_SET_DEBUG_LEVEL:
        ps->debug_level = p.u8.value;
        return 0;
    case CM_GET_DEBUG_LEVEL:
        notify(ps, 0, CM_DEBUG_LEVEL, ps->debug_level);
        return 0;
    case CM_SET_PCM_FEEDBACK_RATE:
        ps->pcm_period_us = p.u8.value ? 1000000u / p.u8.value : 0;
        return 0;
    case CM_GET_PCM_FEEDBACK_RATE:
        notify(ps, 0, CM_PCM_FEEDBACK_RATE, ps->pcm_period_us ? 1000000u / ps->pcm_period_us : 0);
        return 0;
    default:
        return NO_ANSWER;
    }
}

// -1 when the player is to end.
int dispatch(player_server* ps, const control_message* m)
{
    switch (control_code_route(m->code)) {
    case ROUTE_NONE:
        return 0;
    case ROUTE_FEEDBACK:
        message_post_second(ps->channel, m);
        return 0;
    case ROUTE_PLAYER:
        break;
    }
    const int r = execute(ps, m);
    if (r == EXIT_REQUEST)
        return -1;
    if (r == NO_ANSWER)
        return 0;
    if (r < 0)
        notify(ps, MASK_NACK, CM_NACK, m->code, r);
    else
        notify(ps, MASK_ACK, CM_ACK, m->code);
    return 0;
}

void format_text(char* out, size_t size, const char* message, const char* detail)
{
    if (!message)
        message = "";
    if (detail && *detail)
        snprintf(out, size, "%s (%s)", message, detail);
    else
        snprintf(out, size, "%s", message);
}

int source_id(const void* source)
{
    return source ? static_cast<const module_entry*>(source)->id : 0;
}

void on_debug(void* client, const void* source, int level, const char* message, const char* detail)
{
    player_server* ps = static_cast<player_server*>(client);
    if (level > ps->debug_level)
        return;
    char text[1024];
    format_text(text, sizeof(text), message, detail);
    notify(ps, MASK_DEBUG, CM_DEBUG, source_id(source), level, text);
}

void on_error(void* client, int source, int error, const char* message, const char* detail)
{
    player_server* ps = static_cast<player_server*>(client);
    char text[1024];
    format_text(text, sizeof(text), message, detail);
    notify(ps, MASK_ERROR, CM_ERROR, source, error, text);
}

void on_progress(void* client, int source, int code, int value, const char* text)
{
    notify(static_cast<player_server*>(client), MASK_PROGRESS, CM_PROGRESS, source, code, value,
           text);
}

void on_event(void* client, int source, int type, const void* data, uint32_t length)
{
    notify(static_cast<player_server*>(client), MASK_MODULE_EVENT, CM_MODULE_EVENT, source, type,
           data, length);
}

int server_create(message_channel* channel, void* data, void** instance)
{
    player_server* ps = static_cast<player_server*>(calloc(1, sizeof(player_server)));
    if (!ps)
        return DK_ERR_OUT_OF_MEMORY;
    const int r = decoder_new(&ps->dec);
    if (r < 0) {
        free(ps);
        return r;
    }
    ps->channel = channel;
    ps->position_range = 400;
    ps->granularity = 100;
    for (int& t : ps->last_timecode)
        t = -1;
    ps->input_module = ps->output_module = ps->codec_module = -1;
    ps->balance = ps->pcm_level = ps->master_level = 255;
    ps->ports = -1;
    ps->mask = 0xFFFFFFFFu;
    ps->dec->client = ps;
    ps->dec->debug_callback = on_debug;
    ps->dec->error_callback = on_error;
    ps->dec->progress_callback = on_progress;
    ps->dec->event_callback = on_event;

    const property_list* properties = static_cast<const property_list*>(data);
    for (uint32_t i = 0; properties && i < properties->count; ++i) {
        const property_entry& e = properties->entries[i];
        const bool loader = e.name && strcmp(e.name, "module-loader-hook") == 0;
        const bool init = e.name && strcmp(e.name, "init-hook") == 0;
        if (!loader && !init)
            continue;
        if (e.type != PROPERTY_HOOK)
            break;
        const player_hook* hook = static_cast<const player_hook*>(e.value.pointer);
        if (!hook)
            continue;
        if (loader) {
            ps->loader_user = hook->user;
            ps->loader = reinterpret_cast<player_module_loader_hook>(hook->function);
        } else if (hook->function) {
            reinterpret_cast<player_init_hook>(hook->function)(hook->user, channel, ps->dec);
        }
    }
    notify(ps, 0, CM_READY);
    *instance = ps;
    return 0;
}

int server_step(void* instance)
{
    player_server* ps = static_cast<player_server*>(instance);
    control_message m;
    while (message_peek(ps->channel, &m) == 1)
        if (dispatch(ps, &m) < 0)
            return -1;
    if (ps->state == PLAYER_PLAYING) {
        int r = decoder_play(ps->dec);
        if (r > 0)
            r = 0;
        if (r == 0)
            periodic(ps);
        after_frame(ps, r);
        return 0;
    }
    const int r = message_wait(ps->channel, &m, -1);
    if (r == -1)
        return -1;
    if (r == 0 && dispatch(ps, &m) < 0)
        return -1;
    return 0;
}

void server_destroy(void* instance)
{
    player_server* ps = static_cast<player_server*>(instance);
    decoder_delete(ps->dec);
    free(ps->input_name);
    free(ps->output_name);
    notify(ps, 0, CM_EXITED);
    to_feedback(ps, CM_FEEDBACK_EXIT);
    free(ps);
}

void builtin_init_hook(void* user, message_channel* channel, decoder* dec)
{
    builtin_modules_register(user, channel, dec);
}

player_hook g_builtin_hook = {nullptr, reinterpret_cast<void*>(&builtin_init_hook)};

} // namespace

void builtin_modules_register(void*, message_channel*, decoder* dec)
{
    for (const builtin_module& builtin : g_builtin_modules) {
        module_table table;
        memset(&table, 0, sizeof(table));
        if (builtin.fill(&table) == 0)
            builtin.kind->add(dec, table);
    }
}

int player_new(message_channel** handle, HWND* client_window)
{
    property_entry entry;
    entry.name = "init-hook";
    entry.type = PROPERTY_HOOK;
    entry.value.pointer = &g_builtin_hook;
    property_list list = {1, &entry};
    return player_new_with_properties(handle, client_window, &list);
}

int player_new_with_properties(message_channel** handle, HWND* client_window,
                               const property_list* properties)
{
    *handle = nullptr;
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    message_channel* client = static_cast<message_channel*>(calloc(1, sizeof(message_channel)));
    message_channel* feedback = static_cast<message_channel*>(calloc(1, sizeof(message_channel)));
    message_channel* server = static_cast<message_channel*>(calloc(1, sizeof(message_channel)));
    if (!client || !feedback || !server) {
        free(client);
        free(feedback);
        free(server);
        return DK_ERR_OUT_OF_MEMORY;
    }
    message_destination to_client;
    memset(&to_client, 0, sizeof(to_client));
    if (client_window && *client_window) {
        to_client.kind = DESTINATION_WINDOW;
        to_client.window = *client_window;
    } else {
        to_client.kind = DESTINATION_THREAD;
        to_client.thread_id = GetCurrentThreadId();
    }
    feedback->second = to_client;
    server->first = to_client;

    HANDLE feedback_thread = nullptr;
    DWORD feedback_id = 0;
    HWND feedback_window = nullptr;
    int r = engine_thread_start(feedback, feedback_server_create, feedback_server_step,
                                feedback_server_destroy, nullptr, &feedback_thread, &feedback_id,
                                &feedback_window, nullptr);
    if (r < 0) {
        free(client);
        free(feedback);
        free(server);
        return r;
    }
    server->second.kind = DESTINATION_WINDOW;
    server->second.window = feedback_window;
    server->join_thread = feedback_thread;

    HANDLE thread = nullptr;
    DWORD thread_id = 0;
    HANDLE sync_event = nullptr;
    r = engine_thread_start(server, server_create, server_step, server_destroy,
                            const_cast<property_list*>(properties), &thread, &thread_id, nullptr,
                            &sync_event);
    if (r < 0) {
        PostMessageA(feedback_window, ENGINE_MESSAGE_BASE + CM_FEEDBACK_EXIT, 0, 0);
        WaitForSingleObject(feedback_thread, 10000);
        CloseHandle(feedback_thread);
        free(client);
        free(server);
        return r;
    }
    client->first.kind = DESTINATION_THREAD;
    client->first.thread_id = thread_id;
    client->first.thread = thread;
    client->join_thread = thread;
    client->sync_event = sync_event;
    SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
    *handle = client;
    return 0;
}

int player_delete(message_channel* handle)
{
    if (!handle)
        return DK_ERR_INVALID_PARAMETERS;
    control_message_send(handle, CM_EXIT);
    if (handle->join_thread) {
        WaitForSingleObject(handle->join_thread, 10000);
        CloseHandle(handle->join_thread);
    }
    free(handle);
    return 0;
}

int player_set_priority(message_channel* handle, int level)
{
    static const int priorities[5] = {THREAD_PRIORITY_IDLE, THREAD_PRIORITY_BELOW_NORMAL,
                                      THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_ABOVE_NORMAL,
                                      THREAD_PRIORITY_HIGHEST};
    if (!handle || level < 0 || level > 4)
        return DK_ERR_INVALID_PARAMETERS;
    SetThreadPriority(handle->join_thread, priorities[level]);
    return 0;
}

int player_get_priority(message_channel* handle)
{
    if (!handle)
        return DK_ERR_INVALID_PARAMETERS;
    switch (GetThreadPriority(handle->join_thread)) {
    case 0: return 2;
    case 1: return 3;
    case 2: case 15: return 4;
    case -15: case -2: return 0;
    case -1: return 1;
    default: return -1;
    }
}
