// The vocabulary: names, payload shapes, routes and the packing of
// arguments.
#include "decoder/player/control_messages.h"

#include <string.h>

namespace {

struct code_description
{
    const char* name;
    control_shape shape;
    control_route route;
};

// Indexed by code; a null name marks an invalid code.
const code_description g_codes[CM_LAST_CODE + 1] = {
    /*   0 */ {nullptr, SHAPE_NONE, ROUTE_NONE},
    /*   1 */ {"exit", SHAPE_NONE, ROUTE_PLAYER},
    /*   2 */ {"sync", SHAPE_NONE, ROUTE_NONE},
    /*   3 */ {"ping", SHAPE_U32_LPARAM, ROUTE_PLAYER},
    /*   4 */ {"play", SHAPE_NONE, ROUTE_PLAYER},
    /*   5 */ {"pause", SHAPE_NONE, ROUTE_PLAYER},
    /*   6 */ {"stop", SHAPE_NONE, ROUTE_PLAYER},
    /*   7 */ {"seek", SHAPE_U32_PAIR, ROUTE_PLAYER},
    /*   8 */ {"input_open", SHAPE_TEXT, ROUTE_PLAYER},
    /*   9 */ {"input_close", SHAPE_NONE, ROUTE_PLAYER},
    /*  10 */ {"input_send", SHAPE_BYTES, ROUTE_PLAYER},
    /*  11 */ {"input_filter_add", SHAPE_FILTER, ROUTE_PLAYER},
    /*  12 */ {"input_filter_remove", SHAPE_FILTER, ROUTE_PLAYER},
    /*  13 */ {"input_filters_list", SHAPE_NONE, ROUTE_PLAYER},
    /*  14 */ {"input_module_add", SHAPE_TEXT, ROUTE_PLAYER},
    /*  15 */ {"input_module_query", SHAPE_I16, ROUTE_PLAYER},
    /*  16 */ {"input_modules_list", SHAPE_NONE, ROUTE_PLAYER},
    /*  17 */ {"output_open", SHAPE_TEXT, ROUTE_PLAYER},
    /*  18 */ {"output_close", SHAPE_NONE, ROUTE_PLAYER},
    /*  19 */ {"output_send", SHAPE_BYTES, ROUTE_PLAYER},
    /*  20 */ {"output_mute", SHAPE_NONE, ROUTE_PLAYER},
    /*  21 */ {"output_unmute", SHAPE_NONE, ROUTE_PLAYER},
    /*  22 */ {"output_reset", SHAPE_NONE, ROUTE_PLAYER},
    /*  23 */ {"output_drain", SHAPE_NONE, ROUTE_PLAYER},
    /*  24 */ {"output_filter_add", SHAPE_FILTER, ROUTE_PLAYER},
    /*  25 */ {"output_filter_remove", SHAPE_FILTER, ROUTE_PLAYER},
    /*  26 */ {"output_filters_list", SHAPE_NONE, ROUTE_PLAYER},
    /*  27 */ {"output_module_add", SHAPE_TEXT, ROUTE_PLAYER},
    /*  28 */ {"output_module_query", SHAPE_I16, ROUTE_PLAYER},
    /*  29 */ {"output_modules_list", SHAPE_NONE, ROUTE_PLAYER},
    /*  30 */ {"reserved_30", SHAPE_BYTES, ROUTE_NONE},
    /*  31 */ {"codec_module_add", SHAPE_TEXT, ROUTE_PLAYER},
    /*  32 */ {"codec_module_query", SHAPE_I16, ROUTE_PLAYER},
    /*  33 */ {"codec_modules_list", SHAPE_NONE, ROUTE_PLAYER},
    /*  34 */ {"set_player_mode", SHAPE_U32_WPARAM, ROUTE_PLAYER},
    /*  35 */ {"get_player_mode", SHAPE_NONE, ROUTE_PLAYER},
    /*  36 */ {"env_set_integer", SHAPE_NAME_INTEGER, ROUTE_PLAYER},
    /*  37 */ {"env_get_integer", SHAPE_TEXT, ROUTE_PLAYER},
    /*  38 */ {"env_set_string", SHAPE_TEXT_PAIR, ROUTE_PLAYER},
    /*  39 */ {"env_get_string", SHAPE_TEXT, ROUTE_PLAYER},
    /*  40 */ {"env_unset", SHAPE_TEXT, ROUTE_PLAYER},
    /*  41 */ {"set_input_name", SHAPE_TEXT, ROUTE_PLAYER},
    /*  42 */ {"get_input_name", SHAPE_NONE, ROUTE_PLAYER},
    /*  43 */ {"set_input_module", SHAPE_I16, ROUTE_PLAYER},
    /*  44 */ {"get_input_module", SHAPE_NONE, ROUTE_PLAYER},
    /*  45 */ {"set_position_range", SHAPE_U32_LPARAM, ROUTE_PLAYER},
    /*  46 */ {"get_position_range", SHAPE_NONE, ROUTE_PLAYER},
    /*  47 */ {"set_timecode_granularity", SHAPE_U32_LPARAM, ROUTE_PLAYER},
    /*  48 */ {"get_timecode_granularity", SHAPE_NONE, ROUTE_PLAYER},
    /*  49 */ {"set_output_name", SHAPE_TEXT, ROUTE_PLAYER},
    /*  50 */ {"get_output_name", SHAPE_NONE, ROUTE_PLAYER},
    /*  51 */ {"set_output_module", SHAPE_I16, ROUTE_PLAYER},
    /*  52 */ {"get_output_module", SHAPE_NONE, ROUTE_PLAYER},
    /*  53 */ {nullptr, SHAPE_NONE, ROUTE_NONE},
    /*  54 */ {"reserved_54", SHAPE_NONE, ROUTE_NONE},
    /*  55 */ {nullptr, SHAPE_NONE, ROUTE_NONE},
    /*  56 */ {"reserved_56", SHAPE_NONE, ROUTE_NONE},
    /*  57 */ {"set_output_levels", SHAPE_LEVELS, ROUTE_PLAYER},
    /*  58 */ {"get_output_levels", SHAPE_NONE, ROUTE_PLAYER},
    /*  59 */ {"set_channel_mode", SHAPE_U8, ROUTE_PLAYER},
    /*  60 */ {"get_channel_mode", SHAPE_NONE, ROUTE_PLAYER},
    /*  61 */ {"set_output_ports", SHAPE_U8, ROUTE_PLAYER},
    /*  62 */ {"get_output_ports", SHAPE_NONE, ROUTE_PLAYER},
    /*  63 */ {"set_codec_quality", SHAPE_U8, ROUTE_PLAYER},
    /*  64 */ {"get_codec_quality", SHAPE_NONE, ROUTE_PLAYER},
    /*  65 */ {"set_codec_equalizer", SHAPE_EQUALIZER, ROUTE_PLAYER},
    /*  66 */ {"get_codec_equalizer", SHAPE_NONE, ROUTE_PLAYER},
    /*  67 */ {"set_codec_module", SHAPE_I16, ROUTE_PLAYER},
    /*  68 */ {nullptr, SHAPE_NONE, ROUTE_NONE},
    /*  69 */ {"set_notification_mask", SHAPE_U32_LPARAM, ROUTE_PLAYER},
    /*  70 */ {"get_notification_mask", SHAPE_NONE, ROUTE_PLAYER},
    /*  71 */ {"set_debug_level", SHAPE_U8, ROUTE_PLAYER},
    /*  72 */ {"get_debug_level", SHAPE_NONE, ROUTE_PLAYER},
    /*  73 */ {"ready", SHAPE_NONE, ROUTE_NONE},
    /*  74 */ {"ack", SHAPE_U8, ROUTE_NONE},
    /*  75 */ {"nack", SHAPE_NACK, ROUTE_NONE},
    /*  76 */ {"pong", SHAPE_U32_LPARAM, ROUTE_NONE},
    /*  77 */ {"exited", SHAPE_NONE, ROUTE_NONE},
    /*  78 */ {"player_state", SHAPE_U8, ROUTE_NONE},
    /*  79 */ {"player_mode", SHAPE_U32_WPARAM, ROUTE_NONE},
    /*  80 */ {"env_integer", SHAPE_NAME_INTEGER, ROUTE_NONE},
    /*  81 */ {"env_string", SHAPE_TEXT_PAIR, ROUTE_NONE},
    /*  82 */ {"input_state", SHAPE_U8, ROUTE_NONE},
    /*  83 */ {"input_name", SHAPE_TEXT, ROUTE_NONE},
    /*  84 */ {"input_caps", SHAPE_U32_WPARAM, ROUTE_NONE},
    /*  85 */ {"position", SHAPE_U32_PAIR, ROUTE_NONE},
    /*  86 */ {"position_range", SHAPE_U32_LPARAM, ROUTE_NONE},
    /*  87 */ {"timecode", SHAPE_FOUR_U8, ROUTE_NONE},
    /*  88 */ {"timecode_granularity", SHAPE_U32_LPARAM, ROUTE_NONE},
    /*  89 */ {"input_module", SHAPE_I16, ROUTE_NONE},
    /*  90 */ {"input_module_info", SHAPE_MODULE_INFO, ROUTE_NONE},
    /*  91 */ {"input_device_info", SHAPE_DEVICE_INFO, ROUTE_NONE},
    /*  92 */ {"input_filter_info", SHAPE_FILTER, ROUTE_NONE},
    /*  93 */ {"output_state", SHAPE_U8, ROUTE_NONE},
    /*  94 */ {"output_name", SHAPE_TEXT, ROUTE_NONE},
    /*  95 */ {"output_caps", SHAPE_U32_WPARAM, ROUTE_NONE},
    /*  96 */ {"reserved_96", SHAPE_U32_PAIR, ROUTE_NONE},
    /*  97 */ {nullptr, SHAPE_NONE, ROUTE_NONE},
    /*  98 */ {"reserved_98", SHAPE_FOUR_U8, ROUTE_NONE},
    /*  99 */ {nullptr, SHAPE_NONE, ROUTE_NONE},
    /* 100 */ {"reserved_100", SHAPE_LEVELS_UNCARRIED, ROUTE_NONE},
    /* 101 */ {"output_balance", SHAPE_LEVEL_BALANCE, ROUTE_NONE},
    /* 102 */ {"output_pcm_level", SHAPE_LEVEL_PCM, ROUTE_NONE},
    /* 103 */ {"output_master_level", SHAPE_LEVEL_MASTER, ROUTE_NONE},
    /* 104 */ {"channel_mode", SHAPE_U8, ROUTE_NONE},
    /* 105 */ {"output_ports", SHAPE_U8, ROUTE_NONE},
    /* 106 */ {"output_module", SHAPE_I16, ROUTE_NONE},
    /* 107 */ {"output_module_info", SHAPE_MODULE_INFO, ROUTE_NONE},
    /* 108 */ {"output_device_info", SHAPE_DEVICE_INFO, ROUTE_NONE},
    /* 109 */ {"output_filter_info", SHAPE_FILTER, ROUTE_NONE},
    /* 110 */ {"stream_content_type", SHAPE_TEXT, ROUTE_NONE},
    /* 111 */ {"stream_duration", SHAPE_U32_WPARAM, ROUTE_NONE},
    /* 112 */ {"stream_format", SHAPE_FORMAT, ROUTE_NONE},
    /* 113 */ {"stream_properties", SHAPE_PROPERTIES, ROUTE_NONE},
    /* 114 */ {"codec_quality", SHAPE_U8, ROUTE_NONE},
    /* 115 */ {"codec_equalizer", SHAPE_EQUALIZER, ROUTE_NONE},
    /* 116 */ {"codec_module", SHAPE_I16_UNCARRIED, ROUTE_NONE},
    /* 117 */ {"codec_module_info", SHAPE_MODULE_INFO, ROUTE_NONE},
    /* 118 */ {"codec_device_info", SHAPE_DEVICE_INFO, ROUTE_NONE},
    /* 119 */ {"notification_mask", SHAPE_U32_LPARAM, ROUTE_NONE},
    /* 120 */ {"debug_level", SHAPE_U8, ROUTE_NONE},
    /* 121 */ {"progress", SHAPE_PROGRESS, ROUTE_NONE},
    /* 122 */ {"debug", SHAPE_DEBUG, ROUTE_NONE},
    /* 123 */ {"error", SHAPE_ERROR, ROUTE_NONE},
    /* 124 */ {"module_event", SHAPE_EVENT, ROUTE_NONE},
    /* 125 */ {"feedback_module_add", SHAPE_TEXT, ROUTE_FEEDBACK},
    /* 126 */ {"feedback_module_query", SHAPE_I16, ROUTE_FEEDBACK},
    /* 127 */ {"feedback_modules_list", SHAPE_NONE, ROUTE_FEEDBACK},
    /* 128 */ {"feedback_exit", SHAPE_NONE, ROUTE_NONE},
    /* 129 */ {"feedback_start", SHAPE_NONE, ROUTE_FEEDBACK},
    /* 130 */ {"feedback_stop", SHAPE_NONE, ROUTE_FEEDBACK},
    /* 131 */ {"feedback_pause", SHAPE_U32_PAIR, ROUTE_NONE},
    /* 132 */ {"feedback_resume", SHAPE_U32_PAIR, ROUTE_NONE},
    /* 133 */ {"feedback_flush", SHAPE_NONE, ROUTE_NONE},
    /* 134 */ {"feedback_send", SHAPE_BYTES, ROUTE_FEEDBACK},
    /* 135 */ {"feedback_pcm", SHAPE_PCM, ROUTE_NONE},
    /* 136 */ {"reserved_136", SHAPE_U32_TRIPLE, ROUTE_NONE},
    /* 137 */ {"feedback_timecode", SHAPE_FEEDBACK_TIMECODE, ROUTE_NONE},
    /* 138 */ {"feedback_position", SHAPE_FEEDBACK_POSITION, ROUTE_NONE},
    /* 139 */ {"set_pcm_feedback_rate", SHAPE_U8, ROUTE_PLAYER},
    /* 140 */ {"get_pcm_feedback_rate", SHAPE_NONE, ROUTE_PLAYER},
    /* 141 */ {"feedback_select_name", SHAPE_TEXT, ROUTE_FEEDBACK},
    /* 142 */ {"reserved_142", SHAPE_NONE, ROUTE_FEEDBACK},
    /* 143 */ {"feedback_select_id", SHAPE_I16, ROUTE_FEEDBACK},
    /* 144 */ {"reserved_144", SHAPE_NONE, ROUTE_FEEDBACK},
    /* 145 */ {"feedback_env_set_integer", SHAPE_NAME_INTEGER, ROUTE_FEEDBACK},
    /* 146 */ {"feedback_env_get_integer", SHAPE_TEXT, ROUTE_FEEDBACK},
    /* 147 */ {"feedback_env_set_string", SHAPE_TEXT_PAIR, ROUTE_FEEDBACK},
    /* 148 */ {"feedback_env_get_string", SHAPE_TEXT, ROUTE_FEEDBACK},
    /* 149 */ {"feedback_env_unset", SHAPE_TEXT, ROUTE_FEEDBACK},
    /* 150 */ {"pcm_feedback_rate", SHAPE_U8, ROUTE_NONE},
    /* 151 */ {"feedback_state", SHAPE_U8, ROUTE_NONE},
    /* 152 */ {"feedback_handler", SHAPE_I16, ROUTE_NONE},
    /* 153 */ {"feedback_module_info", SHAPE_MODULE_INFO, ROUTE_NONE},
    /* 154 */ {"feedback_handler_name", SHAPE_TEXT, ROUTE_NONE},
    /* 155 */ {"feedback_handler_info", SHAPE_DEVICE_INFO, ROUTE_NONE},
    /* 156 */ {"feedback_env_integer", SHAPE_NAME_INTEGER, ROUTE_NONE},
    /* 157 */ {"feedback_env_string", SHAPE_TEXT_PAIR, ROUTE_NONE},
    /* 158 */ {"reserved_158", SHAPE_PCM, ROUTE_NONE},
    /* 159 */ {"reserved_159", SHAPE_U32_TRIPLE, ROUTE_NONE},
};

uint32_t u32_arg(va_list& a) { return static_cast<uint32_t>(va_arg(a, int)); }
uint8_t u8_arg(va_list& a) { return static_cast<uint8_t>(va_arg(a, int)); }
int16_t i16_arg(va_list& a) { return static_cast<int16_t>(va_arg(a, int)); }
const char* text_arg(va_list& a) { return va_arg(a, const char*); }

} // namespace

bool control_code_valid(int code)
{
    return code >= 1 && code <= CM_LAST_CODE && g_codes[code].name != nullptr;
}

control_shape control_code_shape(int code)
{
    return control_code_valid(code) ? g_codes[code].shape : SHAPE_NONE;
}

const char* control_code_name(int code)
{
    return control_code_valid(code) ? g_codes[code].name : "";
}

control_route control_code_route(int code)
{
    return control_code_valid(code) ? g_codes[code].route : ROUTE_NONE;
}

void control_message_pack(control_message* message, int code, va_list arguments)
{
    memset(message, 0, sizeof(*message));
    if (!control_code_valid(code))
        return;
    message->code = code;
    control_payload& p = message->payload;
    va_list a;
    va_copy(a, arguments);
    switch (g_codes[code].shape) {
    case SHAPE_NONE:
        break;
    case SHAPE_U32_LPARAM:
    case SHAPE_U32_WPARAM:
        p.u32.value = u32_arg(a);
        break;
    case SHAPE_U32_PAIR:
        p.u32_pair.first = u32_arg(a);
        p.u32_pair.second = u32_arg(a);
        break;
    case SHAPE_U32_TRIPLE:
        p.u32_triple.first = u32_arg(a);
        p.u32_triple.second = u32_arg(a);
        p.u32_triple.third = u32_arg(a);
        break;
    case SHAPE_TEXT:
        p.text.text = text_arg(a);
        break;
    case SHAPE_I16:
    case SHAPE_I16_UNCARRIED:
        p.i16.value = i16_arg(a);
        break;
    case SHAPE_FILTER:
        if (code == CM_INPUT_FILTER_INFO || code == CM_OUTPUT_FILTER_INFO) {
            p.filter.id = i16_arg(a);
            p.filter.name = text_arg(a);
        } else { // commands: name first, then position or id
            p.filter.name = text_arg(a);
            p.filter.id = i16_arg(a);
        }
        break;
    case SHAPE_NAME_INTEGER:
        p.env_integer.name = text_arg(a);
        p.env_integer.value = static_cast<int32_t>(va_arg(a, int));
        break;
    case SHAPE_TEXT_PAIR:
        p.env_string.name = text_arg(a);
        p.env_string.value = text_arg(a);
        break;
    case SHAPE_BYTES:
        p.bytes.type = static_cast<uint16_t>(va_arg(a, int));
        p.bytes.data = va_arg(a, const void*);
        p.bytes.length = u32_arg(a);
        break;
    case SHAPE_EQUALIZER:
        p.equalizer.data = va_arg(a, const int8_t*);
        break;
    case SHAPE_U8:
        p.u8.value = u8_arg(a);
        break;
    case SHAPE_LEVEL_BALANCE:
        p.levels.balance = u8_arg(a);
        break;
    case SHAPE_LEVEL_PCM:
        p.levels.pcm = u8_arg(a);
        break;
    case SHAPE_LEVEL_MASTER:
        p.levels.master = u8_arg(a);
        break;
    case SHAPE_LEVELS:
    case SHAPE_LEVELS_UNCARRIED:
        p.levels.balance = u8_arg(a);
        p.levels.pcm = u8_arg(a);
        p.levels.master = u8_arg(a);
        break;
    case SHAPE_NACK:
        p.nack.code = u8_arg(a);
        p.nack.error = i16_arg(a);
        break;
    case SHAPE_FOUR_U8:
        p.timecode.hours = u8_arg(a);
        p.timecode.minutes = u8_arg(a);
        p.timecode.seconds = u8_arg(a);
        p.timecode.hundredths = u8_arg(a);
        break;
    case SHAPE_MODULE_INFO:
        p.module.module_id = u8_arg(a);
        p.module.count = u8_arg(a);
        p.module.name = text_arg(a);
        p.module.description = text_arg(a);
        break;
    case SHAPE_DEVICE_INFO:
        p.device.module_id = u8_arg(a);
        p.device.index = u8_arg(a);
        p.device.flags = u8_arg(a);
        p.device.name = text_arg(a);
        p.device.description = text_arg(a);
        break;
    case SHAPE_FORMAT:
        p.format.frequency = u32_arg(a);
        p.format.bitrate = static_cast<uint16_t>(va_arg(a, int));
        p.format.channels = u8_arg(a);
        break;
    case SHAPE_PROPERTIES: {
        const property_list* list = va_arg(a, const property_list*);
        if (list)
            p.properties = *list;
        break;
    }
    case SHAPE_PROGRESS:
        p.progress.source = u8_arg(a);
        p.progress.code = u8_arg(a);
        p.progress.value = i16_arg(a);
        p.progress.text = text_arg(a);
        break;
    case SHAPE_DEBUG:
        p.debug.source = u8_arg(a);
        p.debug.level = u8_arg(a);
        p.debug.text = text_arg(a);
        break;
    case SHAPE_ERROR:
        p.error.source = u8_arg(a);
        p.error.error = i16_arg(a);
        p.error.text = text_arg(a);
        break;
    case SHAPE_EVENT:
        p.event.source = u8_arg(a);
        p.event.type = i16_arg(a);
        p.event.data = va_arg(a, const void*);
        p.event.length = u32_arg(a);
        break;
    case SHAPE_PCM:
        p.pcm.time_s = u32_arg(a);
        p.pcm.time_us = u32_arg(a);
        p.pcm.sample_rate = u32_arg(a);
        p.pcm.channels = static_cast<uint16_t>(va_arg(a, int));
        p.pcm.samples_per_channel = static_cast<uint16_t>(va_arg(a, int));
        p.pcm.samples = va_arg(a, const int8_t*);
        break;
    case SHAPE_FEEDBACK_TIMECODE:
        p.feedback_timecode.time_s = u32_arg(a);
        p.feedback_timecode.time_us = u32_arg(a);
        p.feedback_timecode.hours = u8_arg(a);
        p.feedback_timecode.minutes = u8_arg(a);
        p.feedback_timecode.seconds = u8_arg(a);
        p.feedback_timecode.hundredths = u8_arg(a);
        break;
    case SHAPE_FEEDBACK_POSITION:
        p.feedback_position.time_s = u32_arg(a);
        p.feedback_position.time_us = u32_arg(a);
        p.feedback_position.position = u32_arg(a);
        p.feedback_position.range = u32_arg(a);
        break;
    }
    va_end(a);
}

void control_message_pack_args(control_message* message, int code, ...)
{
    va_list arguments;
    va_start(arguments, code);
    control_message_pack(message, code, arguments);
    va_end(arguments);
}
