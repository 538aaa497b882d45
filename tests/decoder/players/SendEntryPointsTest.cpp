// The ten fixed-argument send entry points post the same records as the
// variadic form: each is sent to this thread's queue and decoded back.
#include <gtest/gtest.h>

#include <string.h>

#include <functional>
#include <string>

#include "decoder/player/message_transport.h"

namespace {

class SendEntryPoints : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MSG msg;
        PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
        memset(&channel, 0, sizeof(channel));
        channel.first.kind = DESTINATION_THREAD;
        channel.first.thread_id = GetCurrentThreadId();
    }

    // Takes the next engine message from this thread's queue.
    bool Receive(control_message* m)
    {
        MSG msg;
        if (!PeekMessageA(&msg, reinterpret_cast<HWND>(-1), ENGINE_MESSAGE_BASE,
                          ENGINE_MESSAGE_BASE + CM_LAST_CODE, PM_REMOVE))
            return false;
        message_receive(&channel, m, msg.message, msg.wParam, msg.lParam);
        return true;
    }

    message_channel channel;
};

} // namespace

TEST_F(SendEntryPoints, EachFormPostsItsArguments)
{
    int8_t bands[64];
    for (int i = 0; i < 64; ++i)
        bands[i] = static_cast<int8_t>(i - 32);
    message_channel* c = &channel;
    struct Case
    {
        const char* form;
        int code;
        std::function<int()> send;
        std::function<void(const control_payload&)> check;
    };
    const Case cases[] = {
        {"N", CM_PLAY, [&] { return control_message_send_N(c, CM_PLAY); },
         [](const control_payload&) {}},
        {"P", CM_SET_CODEC_EQUALIZER, [&] { return control_message_send_P(c, CM_SET_CODEC_EQUALIZER, bands); },
         [&](const control_payload& p) {
             ASSERT_NE(nullptr, p.equalizer.data);
             EXPECT_EQ(0, memcmp(bands, p.equalizer.data, 64));
         }},
        {"S", CM_INPUT_OPEN, [&] { return control_message_send_S(c, CM_INPUT_OPEN, "track.mp3"); },
         [](const control_payload& p) { EXPECT_STREQ("track.mp3", p.text.text); }},
        {"SS", CM_ENV_SET_STRING, [&] { return control_message_send_SS(c, CM_ENV_SET_STRING, "NAME", "value"); },
         [](const control_payload& p) {
             EXPECT_STREQ("NAME", p.env_string.name);
             EXPECT_STREQ("value", p.env_string.value);
         }},
        {"SI", CM_ENV_SET_INTEGER, [&] { return control_message_send_SI(c, CM_ENV_SET_INTEGER, "LEVEL", -7); },
         [](const control_payload& p) {
             EXPECT_STREQ("LEVEL", p.env_integer.name);
             EXPECT_EQ(-7, p.env_integer.value);
         }},
        {"SI", CM_OUTPUT_FILTER_ADD, [&] { return control_message_send_SI(c, CM_OUTPUT_FILTER_ADD, "fx", -1); },
         [](const control_payload& p) {
             EXPECT_STREQ("fx", p.filter.name);
             EXPECT_EQ(-1, p.filter.id);
         }},
        {"I", CM_PING, [&] { return control_message_send_I(c, CM_PING, 1234); },
         [](const control_payload& p) { EXPECT_EQ(1234u, p.u32.value); }},
        {"I", CM_SET_NOTIFICATION_MASK, [&] { return control_message_send_I(c, CM_SET_NOTIFICATION_MASK, -1); },
         [](const control_payload& p) { EXPECT_EQ(0xFFFFFFFFu, p.u32.value); }},
        {"II", CM_SEEK, [&] { return control_message_send_II(c, CM_SEEK, 200, 400); },
         [](const control_payload& p) {
             EXPECT_EQ(200u, p.u32_pair.first);
             EXPECT_EQ(400u, p.u32_pair.second);
         }},
        {"III", CM_SET_OUTPUT_LEVELS, [&] { return control_message_send_III(c, CM_SET_OUTPUT_LEVELS, 50, 60, 70); },
         [](const control_payload& p) {
             EXPECT_EQ(50, p.levels.balance);
             EXPECT_EQ(60, p.levels.pcm);
             EXPECT_EQ(70, p.levels.master);
         }},
        {"IIII", CM_TIMECODE, [&] { return control_message_send_IIII(c, CM_TIMECODE, 1, 2, 3, 40); },
         [](const control_payload& p) {
             EXPECT_EQ(1, p.timecode.hours);
             EXPECT_EQ(2, p.timecode.minutes);
             EXPECT_EQ(3, p.timecode.seconds);
             EXPECT_EQ(40, p.timecode.hundredths);
         }},
        {"IPI", CM_FEEDBACK_SEND, [&] { return control_message_send_IPI(c, CM_FEEDBACK_SEND, 9, "abc", 3); },
         [](const control_payload& p) {
             EXPECT_EQ(9, p.bytes.type);
             ASSERT_EQ(3u, p.bytes.length);
             EXPECT_EQ(0, memcmp("abc", p.bytes.data, 3));
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.form);
        ASSERT_EQ(0, k.send());
        control_message m;
        ASSERT_TRUE(Receive(&m));
        EXPECT_EQ(k.code, m.code);
        k.check(m.payload);
        EXPECT_FALSE(Receive(&m)); // one message per send
    }
}

TEST_F(SendEntryPoints, InvalidCodesAreRefusedAndNothingIsPosted)
{
    const int invalid[] = {0, 53, 68, 99, 160};
    for (int code : invalid) {
        EXPECT_EQ(-306, control_message_send_N(&channel, code)) << code;
        EXPECT_EQ(-306, control_message_send_I(&channel, code, 1)) << code;
        EXPECT_EQ(-306, control_message_send_IPI(&channel, code, 1, "x", 1)) << code;
    }
    control_message m;
    EXPECT_FALSE(Receive(&m));
    // A channel with no destination.
    message_channel none;
    memset(&none, 0, sizeof(none));
    EXPECT_EQ(-103, control_message_send_S(&none, CM_INPUT_OPEN, "x"));
}
