// The numbered messages between a player's client and its two server
// threads: commands 1-72, 139, 140 for the player server, 125-149 for the
// feedback server, notifications 73-124 and 150-159 for the client (each
// code's route says what the player server does with it). One
// record carries every message; the transport (message_transport.h) turns
// it into a window message and back.
#pragma once

#include <stdarg.h>
#include <stdint.h>

#include "decoder/engine/property_list.h"

enum control_code
{
    // player server commands
    CM_EXIT = 1, CM_SYNC = 2, CM_PING = 3, CM_PLAY = 4, CM_PAUSE = 5, CM_STOP = 6, CM_SEEK = 7,
    CM_INPUT_OPEN = 8, CM_INPUT_CLOSE = 9, CM_INPUT_SEND = 10, CM_INPUT_FILTER_ADD = 11,
    CM_INPUT_FILTER_REMOVE = 12, CM_INPUT_FILTERS_LIST = 13, CM_INPUT_MODULE_ADD = 14,
    CM_INPUT_MODULE_QUERY = 15, CM_INPUT_MODULES_LIST = 16, CM_OUTPUT_OPEN = 17,
    CM_OUTPUT_CLOSE = 18, CM_OUTPUT_SEND = 19, CM_OUTPUT_MUTE = 20, CM_OUTPUT_UNMUTE = 21,
    CM_OUTPUT_RESET = 22, CM_OUTPUT_DRAIN = 23, CM_OUTPUT_FILTER_ADD = 24,
    CM_OUTPUT_FILTER_REMOVE = 25, CM_OUTPUT_FILTERS_LIST = 26, CM_OUTPUT_MODULE_ADD = 27,
    CM_OUTPUT_MODULE_QUERY = 28, CM_OUTPUT_MODULES_LIST = 29, CM_RESERVED_30 = 30,
    CM_CODEC_MODULE_ADD = 31, CM_CODEC_MODULE_QUERY = 32, CM_CODEC_MODULES_LIST = 33,
    CM_SET_PLAYER_MODE = 34, CM_GET_PLAYER_MODE = 35, CM_ENV_SET_INTEGER = 36,
    CM_ENV_GET_INTEGER = 37, CM_ENV_SET_STRING = 38, CM_ENV_GET_STRING = 39, CM_ENV_UNSET = 40,
    CM_SET_INPUT_NAME = 41, CM_GET_INPUT_NAME = 42, CM_SET_INPUT_MODULE = 43,
    CM_GET_INPUT_MODULE = 44, CM_SET_POSITION_RANGE = 45, CM_GET_POSITION_RANGE = 46,
    CM_SET_TIMECODE_GRANULARITY = 47, CM_GET_TIMECODE_GRANULARITY = 48,
    CM_SET_OUTPUT_NAME = 49, CM_GET_OUTPUT_NAME = 50, CM_SET_OUTPUT_MODULE = 51,
    CM_GET_OUTPUT_MODULE = 52, CM_RESERVED_54 = 54, CM_RESERVED_56 = 56,
    CM_SET_OUTPUT_LEVELS = 57, CM_GET_OUTPUT_LEVELS = 58, CM_SET_CHANNEL_MODE = 59,
    CM_GET_CHANNEL_MODE = 60, CM_SET_OUTPUT_PORTS = 61, CM_GET_OUTPUT_PORTS = 62,
    CM_SET_CODEC_QUALITY = 63, CM_GET_CODEC_QUALITY = 64, CM_SET_CODEC_EQUALIZER = 65,
    CM_GET_CODEC_EQUALIZER = 66, CM_SET_CODEC_MODULE = 67, CM_SET_NOTIFICATION_MASK = 69,
    CM_GET_NOTIFICATION_MASK = 70, CM_SET_DEBUG_LEVEL = 71, CM_GET_DEBUG_LEVEL = 72,
    // notifications of the player server
    CM_READY = 73, CM_ACK = 74, CM_NACK = 75, CM_PONG = 76, CM_EXITED = 77,
    CM_PLAYER_STATE = 78, CM_PLAYER_MODE = 79, CM_ENV_INTEGER = 80, CM_ENV_STRING = 81,
    CM_INPUT_STATE = 82, CM_INPUT_NAME = 83, CM_INPUT_CAPS = 84, CM_POSITION = 85,
    CM_POSITION_RANGE = 86, CM_TIMECODE = 87, CM_TIMECODE_GRANULARITY = 88,
    CM_INPUT_MODULE = 89, CM_INPUT_MODULE_INFO = 90, CM_INPUT_DEVICE_INFO = 91,
    CM_INPUT_FILTER_INFO = 92, CM_OUTPUT_STATE = 93, CM_OUTPUT_NAME = 94, CM_OUTPUT_CAPS = 95,
    CM_RESERVED_96 = 96, CM_RESERVED_98 = 98, CM_RESERVED_100 = 100,
    CM_OUTPUT_BALANCE = 101, CM_OUTPUT_PCM_LEVEL = 102, CM_OUTPUT_MASTER_LEVEL = 103,
    CM_CHANNEL_MODE = 104, CM_OUTPUT_PORTS = 105, CM_OUTPUT_MODULE = 106,
    CM_OUTPUT_MODULE_INFO = 107, CM_OUTPUT_DEVICE_INFO = 108, CM_OUTPUT_FILTER_INFO = 109,
    CM_STREAM_CONTENT_TYPE = 110, CM_STREAM_DURATION = 111, CM_STREAM_FORMAT = 112,
    CM_STREAM_PROPERTIES = 113, CM_CODEC_QUALITY = 114, CM_CODEC_EQUALIZER = 115,
    CM_CODEC_MODULE = 116, CM_CODEC_MODULE_INFO = 117, CM_CODEC_DEVICE_INFO = 118,
    CM_NOTIFICATION_MASK = 119, CM_DEBUG_LEVEL = 120, CM_PROGRESS = 121, CM_DEBUG = 122,
    CM_ERROR = 123, CM_MODULE_EVENT = 124,
    // feedback server commands
    CM_FEEDBACK_MODULE_ADD = 125, CM_FEEDBACK_MODULE_QUERY = 126,
    CM_FEEDBACK_MODULES_LIST = 127, CM_FEEDBACK_EXIT = 128, CM_FEEDBACK_START = 129,
    CM_FEEDBACK_STOP = 130, CM_FEEDBACK_PAUSE = 131, CM_FEEDBACK_RESUME = 132,
    CM_FEEDBACK_FLUSH = 133, CM_FEEDBACK_SEND = 134, CM_FEEDBACK_PCM = 135,
    CM_RESERVED_136 = 136, CM_FEEDBACK_TIMECODE = 137, CM_FEEDBACK_POSITION = 138,
    CM_SET_PCM_FEEDBACK_RATE = 139, CM_GET_PCM_FEEDBACK_RATE = 140,
    CM_FEEDBACK_SELECT_NAME = 141, CM_RESERVED_142 = 142, CM_FEEDBACK_SELECT_ID = 143,
    CM_RESERVED_144 = 144, CM_FEEDBACK_ENV_SET_INTEGER = 145,
    CM_FEEDBACK_ENV_GET_INTEGER = 146, CM_FEEDBACK_ENV_SET_STRING = 147,
    CM_FEEDBACK_ENV_GET_STRING = 148, CM_FEEDBACK_ENV_UNSET = 149,
    // notifications of both servers
    CM_PCM_FEEDBACK_RATE = 150, CM_FEEDBACK_STATE = 151, CM_FEEDBACK_HANDLER = 152,
    CM_FEEDBACK_MODULE_INFO = 153, CM_FEEDBACK_HANDLER_NAME = 154,
    CM_FEEDBACK_HANDLER_INFO = 155, CM_FEEDBACK_ENV_INTEGER = 156,
    CM_FEEDBACK_ENV_STRING = 157, CM_RESERVED_158 = 158, CM_RESERVED_159 = 159,

    CM_LAST_CODE = 159,
};

// Time-stamped 8-bit samples for a visualisation: all of the first
// channel, then all of the second.
struct pcm_block
{
    uint32_t time_s;
    uint32_t time_us;
    uint32_t sample_rate;
    uint16_t channels;
    uint16_t samples_per_channel;
    const int8_t* samples;
};

// The payload shapes; the code says which one is in use. Pointers belong
// to the sender until the send returns; in a received record they point
// into the receiving channel's area.
union control_payload
{
    struct { uint32_t value; } u32;
    struct { uint32_t first, second; } u32_pair;
    struct { uint32_t first, second, third; } u32_triple;
    struct { uint8_t value; } u8;
    struct { int16_t value; } i16;
    struct { const char* text; } text;
    struct { int16_t id; const char* name; } filter;
    struct { const char* name; int32_t value; } env_integer;
    struct { const char* name; const char* value; } env_string;
    struct { uint16_t type; uint32_t length; const void* data; } bytes;
    struct { const int8_t* data; } equalizer;
    struct { uint8_t master, pcm, balance; } levels;
    struct { uint8_t code; int16_t error; } nack;
    struct { uint8_t hours, minutes, seconds, hundredths; } timecode;
    struct { uint8_t module_id, count; const char* name; const char* description; } module;
    struct { uint8_t module_id, index, flags; const char* name; const char* description; } device;
    struct { uint32_t frequency; uint16_t bitrate; uint8_t channels; } format;
    property_list properties;
    struct { uint8_t source, code; int16_t value; const char* text; } progress;
    struct { uint8_t source, level; const char* text; } debug;
    struct { uint8_t source; int16_t error; const char* text; } error;
    struct { uint8_t source; int16_t type; const void* data; uint32_t length; } event;
    pcm_block pcm;
    struct { uint32_t time_s, time_us; uint8_t hours, minutes, seconds, hundredths; } feedback_timecode;
    struct { uint32_t time_s, time_us, position, range; } feedback_position;
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(control_payload) <= 20, "the payload holds at most 20 bytes");
#endif

struct control_message
{
    int32_t code; // 0: not an engine message, or refused by the packing
    control_payload payload;
};

// How a code's payload is laid out and carried (message_transport.cpp).
enum control_shape
{
    SHAPE_NONE,
    SHAPE_U32_LPARAM,  // 3, 45, 47, 69, 76, 86, 88, 119
    SHAPE_U32_PAIR,    // 7, 85, 96, 131, 132
    SHAPE_U32_WPARAM,  // 34, 79, 84, 95, 111
    SHAPE_U32_TRIPLE,  // 136, 159: packed, not carried
    SHAPE_TEXT,
    SHAPE_I16,
    SHAPE_I16_UNCARRIED, // 116
    SHAPE_FILTER,
    SHAPE_NAME_INTEGER,
    SHAPE_TEXT_PAIR,
    SHAPE_BYTES,
    SHAPE_EQUALIZER,
    SHAPE_U8,
    SHAPE_LEVEL_BALANCE, // 101
    SHAPE_LEVEL_PCM,     // 102
    SHAPE_LEVEL_MASTER,  // 103
    SHAPE_LEVELS,        // 57
    SHAPE_LEVELS_UNCARRIED, // 100
    SHAPE_NACK,
    SHAPE_FOUR_U8,       // 87, 98
    SHAPE_MODULE_INFO,
    SHAPE_DEVICE_INFO,
    SHAPE_FORMAT,
    SHAPE_PROPERTIES,
    SHAPE_PROGRESS,
    SHAPE_DEBUG,
    SHAPE_ERROR,
    SHAPE_EVENT,
    SHAPE_PCM,
    SHAPE_FEEDBACK_TIMECODE, // packed, not carried
    SHAPE_FEEDBACK_POSITION, // packed, not carried
};

// What the player server does with a code that reaches it.
enum control_route
{
    ROUTE_NONE,     // drops it: sync, notifications, reserved and invalid
                    // codes, and the feedback commands only the server sends
    ROUTE_PLAYER,   // carries it out and answers with an ack or a nack
    ROUTE_FEEDBACK, // passes it on to the feedback server
};

// false for 53, 55, 68, 97, 99 and codes outside 1-159.
bool control_code_valid(int code);
control_shape control_code_shape(int code);
// ROUTE_NONE for an invalid code.
control_route control_code_route(int code);
// The code's name ("ping"), "" for an invalid code.
const char* control_code_name(int code);

// Sets code and copies the arguments into the payload; an invalid code
// gives code 0. Integer arguments are passed as int (narrow values
// widened), texts and data as pointers; 113 takes a property_list*, 135
// and 158 the six pcm_block fields in order.
void control_message_pack(control_message* message, int code, va_list arguments);
void control_message_pack_args(control_message* message, int code, ...);

// Fixed-argument forms of control_message_send (message_transport.h), for
// callers that cannot pass variadic arguments: N none, I an integer, P a
// pointer, S a text. Each packs and posts as control_message_send does.
struct message_channel;
int control_message_send_N(message_channel* channel, int code);
int control_message_send_P(message_channel* channel, int code, const void* pointer);
int control_message_send_S(message_channel* channel, int code, const char* text);
int control_message_send_SS(message_channel* channel, int code, const char* first,
                            const char* second);
int control_message_send_SI(message_channel* channel, int code, const char* text, int value);
int control_message_send_I(message_channel* channel, int code, int value);
int control_message_send_II(message_channel* channel, int code, int first, int second);
int control_message_send_III(message_channel* channel, int code, int first, int second, int third);
int control_message_send_IIII(message_channel* channel, int code, int first, int second, int third,
                              int fourth);
int control_message_send_IPI(message_channel* channel, int code, int first, const void* pointer,
                             int second);
