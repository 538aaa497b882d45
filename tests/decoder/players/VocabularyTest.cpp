// The control vocabulary: which codes are valid, where the player server
// routes each one, how each code's arguments are packed, and that every
// code survives encoding and decoding.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <set>
#include <string>
#include <vector>

#include "decoder/player/control_messages.h"
#include "decoder/player/message_codec.h"

namespace {

const int8_t kSamples[8] = {1, -2, 3, -4, 5, -6, 7, -8};
const int8_t kEqualizer[64] = {1, 2, 3, -4, 5, 6, 7, -8, 9, 10, 11, 12, 13, 14, 15, 16,
                               17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, -32,
                               33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48,
                               49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, -64};
const uint8_t kBytes[5] = {9, 8, 7, 6, 5};

property_entry g_entries[2] = {{"a", 1, {nullptr}}, {"title", 0, {nullptr}}};

// Packs the code with sample arguments of its shape.
control_message Pack(int code)
{
    g_entries[0].value.integer = 1;
    g_entries[1].value.text = "Song";
    static property_list list = {2, g_entries};
    control_message m;
    switch (control_code_shape(code)) {
    case SHAPE_U32_LPARAM: case SHAPE_U32_WPARAM: control_message_pack_args(&m, code, 0xDEADBEEFu); break;
    case SHAPE_U32_PAIR: control_message_pack_args(&m, code, 200, 400); break;
    case SHAPE_U32_TRIPLE: control_message_pack_args(&m, code, 1, 2, 3); break;
    case SHAPE_TEXT: control_message_pack_args(&m, code, "some text"); break;
    case SHAPE_I16: case SHAPE_I16_UNCARRIED: control_message_pack_args(&m, code, -2); break;
    case SHAPE_FILTER:
        if (code == CM_INPUT_FILTER_INFO || code == CM_OUTPUT_FILTER_INFO)
            control_message_pack_args(&m, code, -3, "filter");
        else
            control_message_pack_args(&m, code, "filter", -3);
        break;
    case SHAPE_NAME_INTEGER: control_message_pack_args(&m, code, "NAME", -12345); break;
    case SHAPE_TEXT_PAIR: control_message_pack_args(&m, code, "NAME", "value"); break;
    case SHAPE_BYTES: control_message_pack_args(&m, code, 4097, kBytes, 5); break;
    case SHAPE_EQUALIZER: control_message_pack_args(&m, code, kEqualizer); break;
    case SHAPE_U8: case SHAPE_LEVEL_BALANCE: case SHAPE_LEVEL_PCM: case SHAPE_LEVEL_MASTER:
        control_message_pack_args(&m, code, 200); break;
    case SHAPE_LEVELS: case SHAPE_LEVELS_UNCARRIED: control_message_pack_args(&m, code, 50, 60, 70); break;
    case SHAPE_NACK: control_message_pack_args(&m, code, 15, -507); break;
    case SHAPE_FOUR_U8: control_message_pack_args(&m, code, 1, 2, 3, 40); break;
    case SHAPE_MODULE_INFO: control_message_pack_args(&m, code, 3, 2, "module", "description"); break;
    case SHAPE_DEVICE_INFO: control_message_pack_args(&m, code, 3, 1, 2, "device", "description"); break;
    case SHAPE_FORMAT: control_message_pack_args(&m, code, 44100, 128, 2); break;
    case SHAPE_PROPERTIES: control_message_pack_args(&m, code, &list); break;
    case SHAPE_PROGRESS: control_message_pack_args(&m, code, 4, 5, -300, "progress"); break;
    case SHAPE_DEBUG: control_message_pack_args(&m, code, 4, 2, "debug"); break;
    case SHAPE_ERROR: control_message_pack_args(&m, code, 4, -514, "error"); break;
    case SHAPE_EVENT: control_message_pack_args(&m, code, 4, -7, kBytes, 5); break;
    case SHAPE_PCM: control_message_pack_args(&m, code, 10, 20, 44100, 2, 4, kSamples); break;
    case SHAPE_FEEDBACK_TIMECODE: control_message_pack_args(&m, code, 10, 20, 1, 2, 3, 4); break;
    case SHAPE_FEEDBACK_POSITION: control_message_pack_args(&m, code, 10, 20, 30, 400); break;
    case SHAPE_NONE: control_message_pack_args(&m, code); break;
    }
    return m;
}

std::string Bytes(const void* data, size_t n)
{
    return data ? std::string(static_cast<const char*>(data), n) : std::string("<null>");
}

// The payload's carried fields as text, for comparison.
std::string Describe(const control_message& m)
{
    const control_payload& p = m.payload;
    char b[256] = "";
    switch (control_code_shape(m.code)) {
    case SHAPE_NONE: case SHAPE_U32_TRIPLE: case SHAPE_I16_UNCARRIED: case SHAPE_LEVELS_UNCARRIED:
    case SHAPE_FEEDBACK_TIMECODE: case SHAPE_FEEDBACK_POSITION:
        return "-";
    case SHAPE_U32_LPARAM: case SHAPE_U32_WPARAM: snprintf(b, sizeof b, "%u", p.u32.value); break;
    case SHAPE_U32_PAIR: snprintf(b, sizeof b, "%u %u", p.u32_pair.first, p.u32_pair.second); break;
    case SHAPE_TEXT: return p.text.text;
    case SHAPE_I16: snprintf(b, sizeof b, "%d", p.i16.value); break;
    case SHAPE_FILTER: snprintf(b, sizeof b, "%d %s", p.filter.id, p.filter.name); break;
    case SHAPE_NAME_INTEGER: snprintf(b, sizeof b, "%s %d", p.env_integer.name, p.env_integer.value); break;
    case SHAPE_TEXT_PAIR: snprintf(b, sizeof b, "%s|%s", p.env_string.name, p.env_string.value); break;
    case SHAPE_BYTES: return std::to_string(p.bytes.type) + " " + Bytes(p.bytes.data, p.bytes.length);
    case SHAPE_EQUALIZER: return Bytes(p.equalizer.data, 64);
    case SHAPE_U8: snprintf(b, sizeof b, "%u", p.u8.value); break;
    case SHAPE_LEVEL_BALANCE: case SHAPE_LEVEL_PCM: case SHAPE_LEVEL_MASTER: case SHAPE_LEVELS:
        snprintf(b, sizeof b, "%u %u %u", p.levels.master, p.levels.pcm, p.levels.balance); break;
    case SHAPE_NACK: snprintf(b, sizeof b, "%u %d", p.nack.code, p.nack.error); break;
    case SHAPE_FOUR_U8:
        snprintf(b, sizeof b, "%u %u %u %u", p.timecode.hours, p.timecode.minutes, p.timecode.seconds,
                 p.timecode.hundredths); break;
    case SHAPE_MODULE_INFO:
        snprintf(b, sizeof b, "%u %u %s %s", p.module.module_id, p.module.count, p.module.name,
                 p.module.description); break;
    case SHAPE_DEVICE_INFO:
        snprintf(b, sizeof b, "%u %u %u %s %s", p.device.module_id, p.device.index, p.device.flags,
                 p.device.name, p.device.description); break;
    case SHAPE_FORMAT: snprintf(b, sizeof b, "%u %u %u", p.format.frequency, p.format.bitrate, p.format.channels); break;
    case SHAPE_PROPERTIES: {
        std::string s = std::to_string(p.properties.count);
        for (uint32_t i = 0; i < p.properties.count; ++i) {
            const property_entry& e = p.properties.entries[i];
            s += std::string(" ") + e.name + "=" + (e.type == 1 ? std::to_string(e.value.integer) : std::string(e.value.text));
        }
        return s;
    }
    case SHAPE_PROGRESS:
        snprintf(b, sizeof b, "%u %u %d %s", p.progress.source, p.progress.code, p.progress.value, p.progress.text); break;
    case SHAPE_DEBUG: snprintf(b, sizeof b, "%u %u %s", p.debug.source, p.debug.level, p.debug.text); break;
    case SHAPE_ERROR: snprintf(b, sizeof b, "%u %d %s", p.error.source, p.error.error, p.error.text); break;
    case SHAPE_EVENT:
        return std::to_string(p.event.source) + " " + std::to_string(p.event.type) + " " +
               Bytes(p.event.data, p.event.length);
    case SHAPE_PCM:
        return std::to_string(p.pcm.time_s) + " " + std::to_string(p.pcm.time_us) + " " +
               std::to_string(p.pcm.sample_rate) + " " + std::to_string(p.pcm.channels) + " " +
               std::to_string(p.pcm.samples_per_channel) + " " +
               Bytes(p.pcm.samples, static_cast<size_t>(p.pcm.channels) * p.pcm.samples_per_channel);
    }
    return b;
}

struct Encoded
{
    uint32_t id = 0;
    uintptr_t w = 0;
    intptr_t l = 0;
};

Encoded Encode(const control_message& m)
{
    Encoded e;
    EXPECT_EQ(0, message_encode(&m, &e.id, &e.w, &e.l));
    return e;
}

control_message Decode(const Encoded& e, std::vector<uint8_t>& area)
{
    control_message m;
    message_decode(area.data(), area.size(), e.id, e.w, e.l, &m);
    return m;
}

} // namespace

TEST(Vocabulary, ValidCodesAreExactlyTheVocabulary)
{
    const std::set<int> invalid = {53, 55, 68, 97, 99};
    for (int code = -2; code <= 162; ++code) {
        const bool expected = code >= 1 && code <= 159 && !invalid.count(code);
        EXPECT_EQ(expected, control_code_valid(code)) << code;
        control_message m = Pack(code);
        if (!expected) {
            EXPECT_EQ(0, m.code) << code;
            uint32_t id = 1;
            uintptr_t w = 1;
            intptr_t l = 1;
            EXPECT_EQ(-306, message_encode(&m, &id, &w, &l)) << code;
        } else {
            EXPECT_EQ(code, m.code);
            EXPECT_STRNE("", control_code_name(code));
        }
    }
    EXPECT_STREQ("set_codec_module", control_code_name(67));
    EXPECT_STREQ("pcm_feedback_rate", control_code_name(150));
}

TEST(Vocabulary, EveryCodeHasItsRoute)
{
    // The player server carries out its commands, passes the feedback
    // commands a client may send on to the feedback server, and drops the
    // rest: sync, notifications, reserved codes and the feedback commands
    // that only the player server itself sends.
    struct Range
    {
        int first, last;
        control_route route;
    };
    const Range ranges[] = {
        {-2, 0, ROUTE_NONE},          {1, 1, ROUTE_PLAYER},       {2, 2, ROUTE_NONE},
        {3, 29, ROUTE_PLAYER},        {30, 30, ROUTE_NONE},       {31, 52, ROUTE_PLAYER},
        {53, 56, ROUTE_NONE},         {57, 67, ROUTE_PLAYER},     {68, 68, ROUTE_NONE},
        {69, 72, ROUTE_PLAYER},       {73, 124, ROUTE_NONE},      {125, 127, ROUTE_FEEDBACK},
        {128, 128, ROUTE_NONE},       {129, 130, ROUTE_FEEDBACK}, {131, 133, ROUTE_NONE},
        {134, 134, ROUTE_FEEDBACK},   {135, 138, ROUTE_NONE},     {139, 140, ROUTE_PLAYER},
        {141, 149, ROUTE_FEEDBACK},   {150, 162, ROUTE_NONE},
    };
    int next = -2;
    for (const Range& r : ranges) {
        ASSERT_EQ(next, r.first) << "the ranges cover every code once";
        for (int code = r.first; code <= r.last; ++code) {
            EXPECT_EQ(r.route, control_code_route(code)) << code << " " << control_code_name(code);
            if (control_code_route(code) != ROUTE_NONE) {
                EXPECT_TRUE(control_code_valid(code)) << code;
            }
        }
        next = r.last + 1;
    }
    EXPECT_EQ(163, next);
}

TEST(Vocabulary, EveryCodeRoundTrips)
{
    std::vector<uint8_t> area(MESSAGE_RECEIVE_AREA_SIZE);
    for (int code = 1; code <= 159; ++code) {
        if (!control_code_valid(code))
            continue;
        const control_message sent = Pack(code);
        const Encoded e = Encode(sent);
        EXPECT_EQ(0x9000u + static_cast<uint32_t>(code), e.id) << code;
        const control_message received = Decode(e, area);
        ASSERT_EQ(code, received.code);
        EXPECT_EQ(Describe(sent), Describe(received)) << "code " << code << " " << control_code_name(code);
    }
}

TEST(Vocabulary, PackingPutsArgumentsInPayloadOrder)
{
    control_message m = Pack(CM_SET_OUTPUT_LEVELS); // balance 50, PCM 60, master 70
    EXPECT_EQ(70, m.payload.levels.master);
    EXPECT_EQ(60, m.payload.levels.pcm);
    EXPECT_EQ(50, m.payload.levels.balance);
    control_message_pack_args(&m, CM_SET_OUTPUT_LEVELS, 255, 40, 255);
    EXPECT_EQ(255, m.payload.levels.master);
    EXPECT_EQ(40, m.payload.levels.pcm);
    EXPECT_EQ(255, m.payload.levels.balance);
    control_message_pack_args(&m, CM_INPUT_SEND, 4099, "abc", 3);
    EXPECT_EQ(4099, m.payload.bytes.type);
    EXPECT_EQ(3u, m.payload.bytes.length);
    control_message_pack_args(&m, CM_OUTPUT_FILTER_ADD, "fx", 7);
    EXPECT_EQ(7, m.payload.filter.id);
    EXPECT_STREQ("fx", m.payload.filter.name);
}

TEST(Vocabulary, EncodingTableCases)
{
    // set_output_levels (balance 50, PCM 60, master 70): wParam bytes 0-2.
    Encoded e = Encode(Pack(CM_SET_OUTPUT_LEVELS));
    EXPECT_EQ(50u, e.w & 0xFF);
    EXPECT_EQ(60u, (e.w >> 8) & 0xFF);
    EXPECT_EQ(70u, (e.w >> 16) & 0xFF);
    EXPECT_EQ(0, e.l);

    control_message m;
    control_message_pack_args(&m, CM_NACK, 15, -507);
    e = Encode(m);
    EXPECT_EQ(15u, e.w);
    EXPECT_EQ(-507, e.l);

    control_message_pack_args(&m, CM_SET_NOTIFICATION_MASK, 0xFFFFFFFFu);
    e = Encode(m);
    std::vector<uint8_t> area(MESSAGE_RECEIVE_AREA_SIZE);
    EXPECT_EQ(0xFFFFFFFFu, Decode(e, area).payload.u32.value);

    control_message_pack_args(&m, CM_SET_INPUT_MODULE, -1);
    e = Encode(m);
    EXPECT_EQ(static_cast<uintptr_t>(-1), e.w); // sign-extended

    // A property list with one integer entry "a" = 1: 13 bytes.
    property_entry entry = {"a", 1, {nullptr}};
    entry.value.integer = 1;
    property_list list = {1, &entry};
    control_message_pack_args(&m, CM_STREAM_PROPERTIES, &list);
    e = Encode(m);
    const uint8_t expected[13] = {0, 0, 0, 1, 1, 0, 1, 'a', 0, 0, 0, 0, 1};
    EXPECT_EQ(0, memcmp(expected, reinterpret_cast<const void*>(e.l), 13));
    message_encode_release(e.id, e.l);

    // No data: no block.
    control_message_pack_args(&m, CM_INPUT_SEND, 4097, nullptr, 10);
    e = Encode(m);
    EXPECT_EQ(0, e.l);
    control_message received = Decode(e, area);
    EXPECT_EQ(nullptr, received.payload.bytes.data);
    EXPECT_EQ(0u, received.payload.bytes.length);
}

TEST(Vocabulary, ReceivedBlocksStayInsideTheArea)
{
    std::vector<uint8_t> area(MESSAGE_RECEIVE_AREA_SIZE + 64, 0xEE);
    const size_t size = MESSAGE_RECEIVE_AREA_SIZE;
    auto guard_intact = [&] {
        for (size_t i = size; i < area.size(); ++i)
            if (area[i] != 0xEE)
                return false;
        return true;
    };
    control_message m, r;
    // A text longer than 8191 characters arrives cut to 8191.
    const std::string text(10000, 'x');
    control_message_pack_args(&m, CM_INPUT_OPEN, text.c_str());
    Encoded e = Encode(m);
    message_decode(area.data(), size, e.id, e.w, e.l, &r);
    EXPECT_EQ(8191u, strlen(r.payload.text.text));
    EXPECT_TRUE(guard_intact());

    // A text pair whose first string fills the area: the second is empty.
    control_message_pack_args(&m, CM_ENV_SET_STRING, text.c_str(), "value");
    e = Encode(m);
    message_decode(area.data(), size, e.id, e.w, e.l, &r);
    EXPECT_EQ(8191u, strlen(r.payload.env_string.name));
    EXPECT_STREQ("", r.payload.env_string.value);
    EXPECT_TRUE(guard_intact());

    // An oversized byte block is cut to the area.
    const std::vector<uint8_t> big(20000, 0x11);
    control_message_pack_args(&m, CM_INPUT_SEND, 4097, big.data(), static_cast<int>(big.size()));
    e = Encode(m);
    message_decode(area.data(), size, e.id, e.w, e.l, &r);
    EXPECT_EQ(size, r.payload.bytes.length);
    EXPECT_TRUE(guard_intact());

    // An oversized PCM block keeps whole channels that fit.
    const std::vector<int8_t> samples(2 * 6000, 3);
    control_message_pack_args(&m, CM_FEEDBACK_PCM, 1, 2, 44100, 2, 6000, samples.data());
    e = Encode(m);
    message_decode(area.data(), size, e.id, e.w, e.l, &r);
    EXPECT_EQ(2u, r.payload.pcm.channels);
    EXPECT_EQ(size / 2, r.payload.pcm.samples_per_channel);
    EXPECT_TRUE(guard_intact());

    // A property list larger than the area is cut to the entries that fit.
    std::vector<property_entry> entries(2000);
    const std::string value(20, 'v');
    for (auto& en : entries) {
        en.name = "name";
        en.type = 0;
        en.value.text = value.c_str();
    }
    property_list list = {static_cast<uint32_t>(entries.size()), entries.data()};
    control_message_pack_args(&m, CM_STREAM_PROPERTIES, &list);
    e = Encode(m);
    message_decode(area.data(), size, e.id, e.w, e.l, &r);
    EXPECT_LT(r.payload.properties.count, 2000u);
    EXPECT_TRUE(guard_intact());
}

TEST(Vocabulary, ApiVersions)
{
    EXPECT_EQ(0x40400u, api_version_get(1));
    EXPECT_EQ(0x30801u, api_version_get(2));
    EXPECT_EQ(0x30209u, api_version_get(3));
    EXPECT_EQ(0u, api_version_get(0));
    EXPECT_EQ(0u, api_version_get(4));
}
