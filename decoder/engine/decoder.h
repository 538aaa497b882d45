// The decoder object and the interface of every module: one input module
// (a byte source), a chain of input filters, one codec (bytes to 16-bit
// PCM), a chain of output filters and one output module (a PCM sink).
// Modules are tables of functions copied at registration; they receive the
// decoder handle and use its public fields and services, so the order of
// the fields below is part of the module interface.
//
// Every operation returns 0 or more for success and a negative engine code
// (decoder/engine/decoder_errors.h) for failure.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "decoder/engine/decoder_errors.h"
#include "decoder/engine/environment.h"

// Version word of input, output, codec and filter module tables; bits 8 to
// 23 must match, the lowest byte is not compared.
enum { DECODER_MODULE_VERSION = 0x40400 };
// Version word of feedback handler module tables.
enum { FEEDBACK_HANDLER_MODULE_VERSION = 0x30801 };

struct decoder;
struct module_entry;
struct input_filter_entry;
struct output_filter_entry;

// ---------------------------------------------------------------------------
// Records shared with the modules

// Filled by query methods; modules loaded from libraries write it, so the
// layout is fixed (524 bytes).
enum module_query_flags
{
    MODULE_QUERY_NAME = 1,         // name and description of the module
    MODULE_QUERY_DEVICE_COUNT = 2, // index = number of devices
    MODULE_QUERY_DEVICE = 4,       // name, description, flags of device [index]
    MODULE_QUERY_FRAME_SIZE = 8,   // codecs: largest PCM block in bytes
    MODULE_QUERY_CAPABILITIES = 16 // codecs: capabilities into flags
};

struct module_info
{
    int32_t index;
    int32_t flags;
    char name[255];
    char description[255];
    char unused[2];
    int32_t frame_size;
};
static_assert(offsetof(module_info, description) == 263 && offsetof(module_info, frame_size) == 520,
              "module_info is shared with module libraries");

// Description of the last decoded block.
enum pcm_change_flags
{
    PCM_CHANGED_BYTES_PER_SAMPLE = 1,
    PCM_CHANGED_CHANNELS = 2, // a channel change sets 2 and 4
    PCM_CHANGED_RATE = 4,
};

struct pcm_buffer
{
    int32_t changed;
    void* samples;            // signed 16-bit, native order, interleaved
    int32_t sample_count;     // per channel
    int32_t bytes_per_sample; // always 2
    int32_t channels;
    int32_t sample_rate;
    int32_t delay_ms;         // queued in the output, when it can say
};

enum stream_change_flags
{
    STREAM_CHANGED_PROPERTIES = 1,
    STREAM_CHANGED_FORMAT = 2, // format, duration or bitrate
    STREAM_CHANGED_CONTENT_TYPE = 4,
};

// Filled by the codec.
struct stream_info
{
    int32_t changed;       // cleared by the decoder before each decode call
    int32_t duration_ms;   // 0 when not known
    int32_t frequency;     // Hz
    int32_t bitrate;       // kbit/s
    int32_t channels;      // 1 or 2
    const char* content_type; // the codec's own text ("audio/pcm")
    environment* properties;  // published by codecs and inputs
};

struct decoder_timecode
{
    int32_t hours;
    int32_t minutes;
    int32_t seconds;
    int32_t hundredths;
};

struct decoder_status
{
    float position; // 0.0 to 1.0 of the stream
    stream_info info;
    decoder_timecode timecode;
};

enum codec_channel_selection
{
    CODEC_CHANNELS_BOTH = 0,
    CODEC_CHANNELS_LEFT = 1,
    CODEC_CHANNELS_RIGHT = 2,
    CODEC_CHANNELS_MIXED = 3,
};

enum codec_parameter_mask
{
    CODEC_PARAMETER_CHANNELS = 1,
    CODEC_PARAMETER_QUALITY = 2,
    CODEC_PARAMETER_EQUALIZER = 4,
};

enum { CODEC_EQUALIZER_SIZE = 64 };

struct codec_parameters
{
    int32_t channels; // codec_channel_selection
    int32_t quality;  // 0 full rate, 1 half, 2 quarter
    int8_t* equalizer; // 32 left then 32 right band settings; null: flat
};

enum output_control_mask
{
    OUTPUT_CONTROL_BYTES_PER_SAMPLE = 0x1,
    OUTPUT_CONTROL_FORMAT = 0x2, // with 0x4: rate and channel count
    OUTPUT_CONTROL_FORMAT_RATE = 0x4,
    OUTPUT_CONTROL_MASTER_LEVEL = 0x8,
    OUTPUT_CONTROL_PCM_LEVEL = 0x10,
    OUTPUT_CONTROL_BALANCE = 0x20,
    // Obeyed by the output modules; the decoder passes them on.
    OUTPUT_CONTROL_PORTS = 0x40,
    OUTPUT_CONTROL_MUTE = 0x80,
    OUTPUT_CONTROL_UNMUTE = 0x100,
    OUTPUT_CONTROL_RESET = 0x200,
    OUTPUT_CONTROL_PAUSE = 0x400,
    OUTPUT_CONTROL_RESUME = 0x800,
    OUTPUT_CONTROL_DRAIN = 0x1000,
};

struct output_control
{
    int32_t bytes_per_sample;
    int32_t sample_rate;
    int32_t channels;
    int32_t master_level; // 0-100
    int32_t pcm_level;    // 0-100
    int32_t balance;      // 0-100, 50 centred
    int32_t ports;
};

// ---------------------------------------------------------------------------
// Module tables. Entry 0 is the version word; the rest are functions. An
// empty optional entry takes the decoder's default.

struct input_module_ops
{
    uintptr_t version;
    int (*probe)(const char* name);                          // required
    int (*query)(module_info* info, int flags);              // optional
    int (*new_instance)(void** instance, const char* name, module_entry* entry, decoder* dec);
    int (*delete_instance)(void* instance);
    int (*open)(void* instance);
    int (*close)(void* instance);
    // Bytes delivered (fewer than asked only at the end), 0 at the end,
    // negative on failure (-104: no data yet).
    int (*read)(void* instance, void* buffer, int count);
    int (*seek)(void* instance, uint32_t offset);            // optional: -1
    int (*get_capabilities)(void* instance);                 // optional: 0
    int (*get_size)(void* instance);                         // optional: 0
    int (*send_message)(void* instance, int type, const void* data, int size); // optional: -1
};

struct output_module_ops
{
    uintptr_t version;
    int (*probe)(const char* name);                          // required
    int (*query)(module_info* info, int flags);              // optional
    int (*new_instance)(void** instance, const char* name, module_entry* entry, decoder* dec);
    int (*delete_instance)(void* instance);
    int (*open)(void* instance);
    int (*close)(void* instance);
    int (*write)(void* instance, void* samples, int byte_count, int bytes_per_sample,
                 int channels, int sample_rate);
    void* (*get_buffer)(void* instance, int byte_count);     // optional
    int (*set_control)(void* instance, output_control* control, int mask);
    int (*get_control)(void* instance, output_control* control, int mask);
    int (*get_status)(void* instance, int* delay_ms);        // optional: -1
    int (*get_capabilities)(void* instance);                 // optional: 0x7fbfffff
    int (*send_message)(void* instance, int type, const void* data, int size);
};

struct codec_module_ops
{
    uintptr_t version;
    int (*probe)(const char* content_type, const char* input_name); // required
    int (*query)(module_info* info, int flags);                     // required
    int (*new_instance)(void** instance, const char* content_type, const char* input_name,
                        module_entry* entry, decoder* dec);
    int (*delete_instance)(void* instance);
    int (*decode)(void* instance, pcm_buffer* pcm, stream_info* info);
    int (*get_stream_info)(void* instance, stream_info* info);      // optional
    float (*position_of_offset)(void* instance, uint32_t offset);   // optional
    float (*offset_fraction_of_position)(void* instance, float fraction); // optional
    int (*open)(void* instance, const char* content_type, const char* input_name);
    int (*close)(void* instance);
    int (*seek_notice)(void* instance, uint32_t offset);
    int (*reset)(void* instance);
    int (*set_parameters)(void* instance, codec_parameters* parameters, int mask);
    int (*get_parameters)(void* instance, codec_parameters* parameters, int mask);
    void* reserved;
};

// Filter methods take their own chain entry and pass a call on by calling
// the same method of entry->next. An empty pass-through entry passes on.
struct input_filter_module_ops
{
    uintptr_t version;
    int (*query)(module_info* info, int flags);                          // required
    int (*new_instance)(void** instance, int filter_id, decoder* dec);   // optional
    int (*delete_instance)(void* instance);                              // optional
    int (*open)(input_filter_entry* entry);
    int (*close)(input_filter_entry* entry);
    int (*read)(input_filter_entry* entry, void* buffer, int count);
    int (*seek)(input_filter_entry* entry, uint32_t offset);
    int (*get_capabilities)(input_filter_entry* entry);
    int (*get_size)(input_filter_entry* entry);
    int (*send_message)(input_filter_entry* entry, int type, const void* data, int size);
};

struct output_filter_module_ops
{
    uintptr_t version;
    int (*query)(module_info* info, int flags);                          // required
    int (*new_instance)(void** instance, int filter_id, decoder* dec);   // optional
    int (*delete_instance)(void* instance);                              // optional
    int (*open)(output_filter_entry* entry);
    int (*close)(output_filter_entry* entry);
    int (*write)(output_filter_entry* entry, void* samples, int byte_count,
                 int bytes_per_sample, int channels, int sample_rate);
    void* (*get_buffer)(output_filter_entry* entry, int byte_count);
    int (*set_control)(output_filter_entry* entry, output_control* control, int mask);
    int (*get_control)(output_filter_entry* entry, output_control* control, int mask);
    int (*get_status)(output_filter_entry* entry, int* delay_ms);
    int (*get_capabilities)(output_filter_entry* entry);
    int (*send_message)(output_filter_entry* entry, int type, const void* data, int size);
};

// The register function every module kind exports (a library module under
// "input_module_register" and the like): fills an empty table, returns 0.
typedef int (*input_module_register_function)(input_module_ops* ops);
typedef int (*output_module_register_function)(output_module_ops* ops);
typedef int (*codec_module_register_function)(codec_module_ops* ops);
typedef int (*input_filter_module_register_function)(input_filter_module_ops* ops);
typedef int (*output_filter_module_register_function)(output_filter_module_ops* ops);

// A registered module. Modules get their entry in new; its id tags their
// debug texts.
struct module_entry
{
    int32_t id;
    int32_t spare;
    union {
        input_module_ops input;
        output_module_ops output;
        codec_module_ops codec;
    } ops;
    module_entry* next;
};

struct input_filter_entry
{
    int32_t id;     // the module end has 0
    void* instance; // the module end: the decoder
    input_filter_module_ops ops;
    input_filter_entry* next;     // towards the module
    input_filter_entry* previous; // towards the decoder
};

struct output_filter_entry
{
    int32_t id;
    void* instance;
    output_filter_module_ops ops;
    output_filter_entry* next;
    output_filter_entry* previous;
};

// ---------------------------------------------------------------------------
// The decoder record

enum decoder_io_state
{
    DECODER_CLOSED = 0,
    DECODER_OPEN = 1,
};

enum { INPUT_CAN_SEEK = 1 };               // random access; the size is known
enum { OUTPUT_CAN_REPORT_DELAY = 0x400000 };
enum { OUTPUT_DEFAULT_CAPABILITIES = 0x7fbfffff };

struct decoder_input_state
{
    int32_t state;        // decoder_io_state
    int32_t capabilities; // INPUT_CAN_SEEK
    uint32_t position;    // bytes read or sought to
    uint32_t size;        // 0 when not known
    void* instance;
    const input_module_ops* ops;
    char* name;
    // "unknown" after each open and close; an input module may point it at
    // a type text of its own while it opens. Not owned.
    const char* content_type;
};

struct decoder_output_state
{
    int32_t state;
    int32_t capabilities;
    void* instance;
    const output_module_ops* ops;
    char* name;
};

struct decoder_codec_state
{
    void* instance;
    const codec_module_ops* ops;
    int32_t frame_size;   // largest PCM block of one decode call, bytes
    int32_t capabilities;
};

struct decoder_module_counts
{
    uint32_t input;
    uint32_t output;
    uint32_t codec;
};

// The client's callbacks; client is the decoder's client value. A module
// reports with its registry id as source (0: the core).
typedef void (*decoder_progress_callback)(void* client, int source, int code, int value,
                                          const char* text);
typedef void (*decoder_debug_callback)(void* client, const void* source, int level,
                                       const char* message, const char* detail);
typedef void (*decoder_error_callback)(void* client, int source, int error, const char* message,
                                       const char* detail);
// data and length: a block of the module's, valid only during the call.
typedef void (*decoder_event_callback)(void* client, int source, int type, const void* data,
                                       uint32_t length);

// Services for modules, each called with the decoder handle first.
struct decoder_services
{
    // Fills the buffer from the input: 0 when all count bytes came, the
    // number of bytes delivered (1 to count - 1) when the input ended or
    // stalled first, -514 at the end with nothing delivered, or an error.
    int (*read)(decoder* dec, void* buffer, int count);
    int (*seek)(decoder* dec, uint32_t offset);
    int (*codec_resync)(decoder* dec);
    int (*set_stream_integer)(decoder* dec, const char* name, int32_t value);
    int (*get_stream_integer)(decoder* dec, const char* name, int32_t* value);
    int (*set_stream_string)(decoder* dec, const char* name, const char* text);
    int (*get_stream_string)(decoder* dec, const char* name, char* buffer); // 1024 bytes
    int (*remove_stream_property)(decoder* dec, const char* name);
    int (*set_environment_integer)(decoder* dec, const char* name, int32_t value);
    int (*get_environment_integer)(decoder* dec, const char* name, int32_t* value);
    int (*set_environment_string)(decoder* dec, const char* name, const char* text);
    int (*get_environment_string)(decoder* dec, const char* name, char* buffer); // 1024 bytes
    int (*remove_environment_variable)(decoder* dec, const char* name);
    int (*add_environment_watcher)(decoder* dec, const char* name, void* user,
                                   environment_watch_function function,
                                   environment_watcher** watcher);
    int (*remove_environment_watcher)(decoder* dec, environment_watcher* watcher);
};

struct decoder_private;

struct decoder
{
    decoder_input_state* input;
    decoder_output_state* output;
    decoder_codec_state* codec;
    decoder_module_counts* counts;
    decoder_status* status;
    pcm_buffer* pcm;
    void* client;
    decoder_progress_callback progress_callback;
    decoder_debug_callback debug_callback;
    decoder_error_callback error_callback;
    decoder_event_callback event_callback;
    void* reserved;
    decoder_services services;
    decoder_private* private_part;
};

// ---------------------------------------------------------------------------
// The decoder's operations

int decoder_new(decoder** dec);
int decoder_delete(decoder* dec);

// Reports a debug text to the client's debug callback, when there is one.
// Modules pass their registry entry as the source.
void decoder_debug(decoder* dec, const void* source, int level, const char* message,
                   const char* detail);

// Progress and events of a module, to the client's callbacks when it
// installed them; source is the module's registry id.
inline void decoder_report_progress(decoder* dec, int source, int code, int value,
                                    const char* text)
{
    if (dec && dec->progress_callback)
        dec->progress_callback(dec->client, source, code, value, text);
}

inline void decoder_report_event(decoder* dec, int source, int type, const void* data,
                                 uint32_t length)
{
    if (dec && dec->event_callback)
        dec->event_callback(dec->client, source, type, data, length);
}

// Module id (0 or more); -102, -106 or -103 for a refused table.
int decoder_input_module_register(decoder* dec, const input_module_ops* ops);
int decoder_output_module_register(decoder* dec, const output_module_ops* ops);
int decoder_codec_module_register(decoder* dec, const codec_module_ops* ops);

int decoder_input_module_query(decoder* dec, int id, module_info* info, int flags);
int decoder_output_module_query(decoder* dec, int id, module_info* info, int flags);
int decoder_codec_module_query(decoder* dec, int id, module_info* info, int flags);

// Position -1: front; 0 or 1: just before the module; else before filter
// with that id. Returns the filter id (1 or more).
int decoder_input_filter_register(decoder* dec, const input_filter_module_ops* ops, int position);
int decoder_output_filter_register(decoder* dec, const output_filter_module_ops* ops, int position);
// id -2: by name; -1: the first; 0: the last; else by id. Returns the id of
// the new first filter (0 when none is left), -1 when nothing was found.
int decoder_input_filter_unregister(decoder* dec, const char* name, int id);
int decoder_output_filter_unregister(decoder* dec, const char* name, int id);
typedef int (*input_filter_enumerate_function)(void* client, input_filter_entry* entry);
typedef int (*output_filter_enumerate_function)(void* client, output_filter_entry* entry);
int decoder_input_filters_enumerate(decoder* dec, void* client, input_filter_enumerate_function function);
int decoder_output_filters_enumerate(decoder* dec, void* client, output_filter_enumerate_function function);

// Module id -1: probe the registry, newest first.
int decoder_input_new(decoder* dec, const char* name, int id);
int decoder_input_delete(decoder* dec);
int decoder_input_open(decoder* dec);
int decoder_input_close(decoder* dec);
// As the read service.
int decoder_input_read(decoder* dec, void* buffer, int count);
int decoder_input_seek_to_offset(decoder* dec, uint32_t offset);
int decoder_input_seek_to_position(decoder* dec, float fraction);
int decoder_input_seek_to_time(decoder* dec, float seconds);
int decoder_input_seek_to_timecode(decoder* dec, const decoder_timecode* timecode);
int decoder_input_send_message(decoder* dec, int type, const void* data, int size);

int decoder_output_new(decoder* dec, const char* name, int id);
int decoder_output_delete(decoder* dec);
int decoder_output_open(decoder* dec);
int decoder_output_close(decoder* dec);
int decoder_output_write(decoder* dec, void* samples, int byte_count, int bytes_per_sample,
                         int channels, int sample_rate);
int decoder_output_set_control(decoder* dec, output_control* control, int mask);
int decoder_output_get_control(decoder* dec, output_control* control, int mask);
int decoder_output_send_message(decoder* dec, int type, const void* data, int size);

// The codec for later input opens: module id -1 probes the registry (the
// default); another id takes that codec for every stream without probing.
// 0; -102 for an id below -1; -507 when no codec has the id.
int decoder_codec_set_module(decoder* dec, int id);

int decoder_codec_set_channels(decoder* dec, int channels);
int decoder_codec_get_channels(decoder* dec);
int decoder_codec_set_quality(decoder* dec, int quality);
int decoder_codec_get_quality(decoder* dec);
// 64 bytes, or null to switch the equalizer off.
int decoder_codec_set_equalizer(decoder* dec, const int8_t* equalizer);
int decoder_codec_get_equalizer(decoder* dec, int8_t* equalizer);

// Decodes one block into buffer (null: the decoder's own); described by
// dec->pcm and dec->status->info.
int decoder_decode(decoder* dec, void* buffer);
// Decodes one block and writes it to the output.
int decoder_play(decoder* dec);
