// The player wrapper: its hidden window and class, the dispatch of every
// notification code to its handler, the handlers' thread, the version check
// and the destruction order.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <functional>
#include <memory>
#include <thread>

#include "RecordingPlayer.h"
#include "decoder/player/message_codec.h"
#include "framework/ui/Prompts.h"
#include "tests/support/TestSupport.h"

namespace {

std::string ExpectedClassName()
{
    char name[32];
    snprintf(name, sizeof(name), "DkWrW%08lx", static_cast<unsigned long>(GetCurrentThreadId()));
    return name;
}

struct DispatchCase
{
    int code;
    std::function<void(control_payload&)> fill;
    const char* expected;
};

const int8_t kBands[64] = {-7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                           22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41,
                           42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61,
                           62, 99};
const int8_t kPcm[4] = {-3, 4, 5, 6};
const uint8_t kEvent[3] = {200, 1, 2};
property_entry kProperties[2] = {{"title", PROPERTY_STRING, {"Song"}}, {"bitrate", PROPERTY_INTEGER, {nullptr}}};

// Every notification code with a payload whose fields all differ, and the
// handler call it must become.
std::vector<DispatchCase> DispatchCases()
{
    kProperties[1].value.integer = 128;
    auto module = [](control_payload& p) {
        p.module.module_id = 3;
        p.module.count = 2;
        p.module.name = "Mod";
        p.module.description = "Desc";
    };
    auto device = [](control_payload& p) {
        p.device.module_id = 4;
        p.device.index = 1;
        p.device.flags = 2;
        p.device.name = "/dev/x/1";
        p.device.description = "Dev";
    };
    return {
        {73, [](control_payload&) {}, "OnReady()"},
        {74, [](control_payload& p) { p.u8.value = 200; }, "OnAck(200)"},
        {75, [](control_payload& p) { p.nack.code = 27; p.nack.error = -800; }, "OnNack(27,-800)"},
        {76, [](control_payload& p) { p.u32.value = 0xFFFFFFF0u; }, "OnPong(4294967280)"},
        {77, [](control_payload&) {}, "OnExited()"},
        {78, [](control_payload& p) { p.u8.value = 3; }, "OnPlayerState(3)"},
        {79, [](control_payload& p) { p.u32.value = 5; }, "OnPlayerMode(5)"},
        {80, [](control_payload& p) { p.env_integer.name = "A.B"; p.env_integer.value = -9; }, "OnEnvInteger(A.B,-9)"},
        {81, [](control_payload& p) { p.env_string.name = "S"; p.env_string.value = "v"; }, "OnEnvString(S,v)"},
        {82, [](control_payload& p) { p.u8.value = 1; }, "OnInputState(1)"},
        {83, [](control_payload& p) { p.text.text = "in.mp3"; }, "OnInputName(in.mp3)"},
        {84, [](control_payload& p) { p.u32.value = 1; }, "OnInputCaps(1)"},
        {85, [](control_payload& p) { p.u32_pair.first = 12; p.u32_pair.second = 400; }, "OnPosition(12,400)"},
        {86, [](control_payload& p) { p.u32.value = 1000; }, "OnPositionRange(1000)"},
        {87, [](control_payload& p) { p.timecode = {1, 2, 3, 40}; }, "OnTimecode(1,2,3,40)"},
        {88, [](control_payload& p) { p.u32.value = 10; }, "OnTimecodeGranularity(10)"},
        {89, [](control_payload& p) { p.i16.value = -1; }, "OnInputModule(-1)"},
        {90, module, "OnInputModuleInfo(3,2,Mod,Desc)"},
        {91, device, "OnInputDeviceInfo(4,1,2,/dev/x/1,Dev)"},
        {92, [](control_payload& p) { p.filter.id = -2; p.filter.name = "F"; }, "OnInputFilterInfo(-2,F)"},
        {93, [](control_payload& p) { p.u8.value = 0; }, "OnOutputState(0)"},
        {94, [](control_payload& p) { p.text.text = "/dev/dsound/0"; }, "OnOutputName(/dev/dsound/0)"},
        {95, [](control_payload& p) { p.u32.value = 0x7FFFFF; }, "OnOutputCaps(0x7fffff)"},
        {96, [](control_payload& p) { p.u32_pair.first = 6; p.u32_pair.second = 7; }, "OnReserved96(6,7)"},
        {98, [](control_payload& p) { p.timecode = {9, 8, 7, 6}; }, "OnReserved98(9,8,7,6)"},
        {100, [](control_payload& p) { p.levels = {70, 60, 50}; }, "OnReserved100(70,60,50)"},
        {101, [](control_payload& p) { p.levels.balance = 45; }, "OnOutputBalance(45)"},
        {102, [](control_payload& p) { p.levels.pcm = 200; }, "OnOutputPcmLevel(200)"},
        {103, [](control_payload& p) { p.levels.master = 99; }, "OnOutputMasterLevel(99)"},
        {104, [](control_payload& p) { p.u8.value = 3; }, "OnChannelMode(3)"},
        {105, [](control_payload& p) { p.u8.value = 1; }, "OnOutputPorts(1)"},
        {106, [](control_payload& p) { p.i16.value = -300; }, "OnOutputModule(-300)"},
        {107, module, "OnOutputModuleInfo(3,2,Mod,Desc)"},
        {108, device, "OnOutputDeviceInfo(4,1,2,/dev/x/1,Dev)"},
        {109, [](control_payload& p) { p.filter.id = 5; p.filter.name = "G"; }, "OnOutputFilterInfo(5,G)"},
        {110, [](control_payload& p) { p.text.text = "audio/mpeg"; }, "OnContentType(audio/mpeg)"},
        {111, [](control_payload& p) { p.u32.value = 183; }, "OnDuration(183)"},
        {112, [](control_payload& p) { p.format.frequency = 44100; p.format.bitrate = 128; p.format.channels = 2; },
         "OnStreamFormat(44100,128,2)"},
        {113, [](control_payload& p) { p.properties.count = 2; p.properties.entries = kProperties; },
         "OnStreamProperties(2,title=Song,bitrate=128)"},
        {114, [](control_payload& p) { p.u8.value = 2; }, "OnCodecQuality(2)"},
        {115, [](control_payload& p) { p.equalizer.data = kBands; }, "OnCodecEqualizer(-7,99)"},
        {116, [](control_payload& p) { p.i16.value = -5; }, "OnCodecModule(-5)"},
        {117, module, "OnCodecModuleInfo(3,2,Mod,Desc)"},
        {118, device, "OnCodecDeviceInfo(4,1,2,/dev/x/1,Dev)"},
        {119, [](control_payload& p) { p.u32.value = 0xFFFFFFFFu; }, "OnNotificationMask(0xffffffff)"},
        {120, [](control_payload& p) { p.u8.value = 4; }, "OnDebugLevel(4)"},
        {121, [](control_payload& p) { p.progress.source = 1; p.progress.code = 2; p.progress.value = -3; p.progress.text = "pr"; },
         "OnProgress(1,2,-3,pr)"},
        {122, [](control_payload& p) { p.debug.source = 1; p.debug.level = 0; p.debug.text = "dbg"; }, "OnDebug(1,0,dbg)"},
        {123, [](control_payload& p) { p.error.source = 2; p.error.error = -513; p.error.text = "err"; }, "OnError(2,-513,err)"},
        {124, [](control_payload& p) { p.event.source = 3; p.event.type = -4; p.event.data = kEvent; p.event.length = 3; },
         "OnModuleEvent(3,-4,3,200)"},
        {150, [](control_payload& p) { p.u8.value = 100; }, "OnPcmFeedbackRate(100)"},
        {151, [](control_payload& p) { p.u8.value = 1; }, "OnFeedbackState(1)"},
        {152, [](control_payload& p) { p.i16.value = -1; }, "OnFeedbackHandler(-1)"},
        {153, module, "OnFeedbackModuleInfo(3,2,Mod,Desc)"},
        {154, [](control_payload& p) { p.text.text = "sample-vu"; }, "OnFeedbackHandlerName(sample-vu)"},
        {155, device, "OnFeedbackHandlerInfo(4,1,2,/dev/x/1,Dev)"},
        {156, [](control_payload& p) { p.env_integer.name = "CLIENT.PLAYER"; p.env_integer.value = 2; },
         "OnFeedbackEnvInteger(CLIENT.PLAYER,2)"},
        {157, [](control_payload& p) { p.env_string.name = "K"; p.env_string.value = "w"; }, "OnFeedbackEnvString(K,w)"},
        {158, [](control_payload& p) { p.pcm = {1, 2, 44100, 2, 2, kPcm}; }, "OnReserved158(1,2,44100,2,2,-3)"},
        {159, [](control_payload& p) { p.u32_triple.first = 1; p.u32_triple.second = 2; p.u32_triple.third = 3; },
         "OnReserved159(1,2,3)"},
    };
}

} // namespace

TEST(DkPlayer, HiddenWindowHasTheThreadsClassAndTitle)
{
    RecordingPlayer player;
    ASSERT_NE(nullptr, player.Window());
    ASSERT_NE(nullptr, player.Player());
    EXPECT_STREQ(ExpectedClassName().c_str(), player.ClassName());
    EXPECT_EQ(13u, strlen(player.ClassName()));
    char name[64] = {};
    GetClassNameA(player.Window(), name, sizeof(name));
    EXPECT_EQ(ExpectedClassName(), name);
    char title[64] = {};
    GetWindowTextA(player.Window(), title, sizeof(title));
    EXPECT_STREQ("Dekoda Hidden Window", title);
    EXPECT_EQ(player.Window(), tavrix_test::FindOwnWindow(ExpectedClassName().c_str(), "Dekoda Hidden Window"));
    EXPECT_EQ(GetCurrentThreadId(), GetWindowThreadProcessId(player.Window(), nullptr));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&player), GetWindowLongPtrA(player.Window(), GWLP_USERDATA));
}

TEST(DkPlayer, EveryNotificationCodeReachesItsHandler)
{
    RecordingPlayer player;
    ASSERT_TRUE(player.WaitFor("OnReady()"));
    const std::vector<DispatchCase> cases = DispatchCases();
    EXPECT_EQ(60u, cases.size());
    for (const DispatchCase& c : cases) {
        player.Clear();
        control_message m;
        memset(&m, 0, sizeof(m));
        m.code = c.code;
        c.fill(m.payload);
        player.DispatchNotification(&m);
        ASSERT_EQ(1u, player.Calls().size()) << "code " << c.code;
        EXPECT_EQ(c.expected, player.Calls()[0].text) << "code " << c.code;
    }
}

TEST(DkPlayer, CodesWithoutHandlersAreIgnored)
{
    RecordingPlayer player;
    ASSERT_TRUE(player.WaitFor("OnReady()"));
    player.Clear();
    for (int code : {0, 1, 4, 72, 97, 99, 125, 130, 139, 140, 149, 160, 1000, -5}) {
        control_message m;
        memset(&m, 0, sizeof(m));
        m.code = code;
        player.DispatchNotification(&m);
        EXPECT_TRUE(player.Calls().empty()) << "code " << code;
    }
    // Through the window: the procedure takes them and answers 0.
    for (int code : {97, 99, 130, 200}) {
        EXPECT_EQ(0, SendMessageA(player.Window(), ENGINE_MESSAGE_BASE + code, 0, 0)) << "code " << code;
        EXPECT_TRUE(player.Calls().empty()) << "code " << code;
    }
}

TEST(DkPlayer, PostedNotificationsAreDecodedIntoTheHandlersArguments)
{
    RecordingPlayer player;
    ASSERT_TRUE(player.WaitFor("OnReady()"));
    player.Clear();
    // A channel that posts to the player's window, as the engine's threads do.
    message_channel to_window;
    memset(&to_window, 0, sizeof(to_window));
    to_window.first.kind = DESTINATION_WINDOW;
    to_window.first.window = player.Window();
    property_entry entries[1] = {{"bitrate", PROPERTY_INTEGER, {nullptr}}};
    entries[0].value.integer = 320;
    property_list list = {1, entries};
    ASSERT_EQ(0, control_message_send(&to_window, CM_STREAM_CONTENT_TYPE, "audio/mpeg"));
    ASSERT_EQ(0, control_message_send(&to_window, CM_STREAM_DURATION, 183));
    ASSERT_EQ(0, control_message_send(&to_window, CM_ENV_STRING, "OUTPUT.NAME", "value"));
    ASSERT_EQ(0, control_message_send(&to_window, CM_NACK, 5, -103));
    ASSERT_EQ(0, control_message_send(&to_window, CM_TIMECODE, 0, 1, 2, 30));
    ASSERT_EQ(0, control_message_send(&to_window, CM_STREAM_PROPERTIES, &list));
    ASSERT_EQ(0, control_message_send(&to_window, CM_CODEC_EQUALIZER, kBands));
    ASSERT_EQ(0, control_message_send(&to_window, CM_OUTPUT_DEVICE_INFO, 1, 2, 0, "/dev/dsound/2", "Card"));
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return player.Calls().size() >= 8; }));
    const std::vector<std::string> expected = {
        "OnContentType(audio/mpeg)", "OnDuration(183)", "OnEnvString(OUTPUT.NAME,value)", "OnNack(5,-103)",
        "OnTimecode(0,1,2,30)", "OnStreamProperties(1,bitrate=320)", "OnCodecEqualizer(-7,99)",
        "OnOutputDeviceInfo(1,2,0,/dev/dsound/2,Card)"};
    ASSERT_EQ(expected.size(), player.Calls().size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], player.Calls()[i].text);
}

TEST(DkPlayer, AnswersOfThePlayerRunOnTheConstructingThread)
{
    RecordingPlayer player;
    ASSERT_TRUE(player.WaitFor("OnReady()"));
    EXPECT_EQ(0, player.Command(CM_PING, 77));
    EXPECT_TRUE(player.Has("OnPong(77)"));
    EXPECT_EQ(0, player.Command(CM_GET_POSITION_RANGE));
    EXPECT_TRUE(player.Has("OnPositionRange(400)"));
    EXPECT_EQ(-103, player.Command(CM_PAUSE));
    for (const HandlerCall& c : player.Calls())
        EXPECT_EQ(GetCurrentThreadId(), c.thread) << c.text;
}

TEST(DkPlayer, APlayerBuiltOnAnotherThreadAnswersThere)
{
    DWORD handler_thread = 0, builder = 0;
    bool ready = false;
    std::thread other([&] {
        builder = GetCurrentThreadId();
        RecordingPlayer player;
        char expected[32];
        snprintf(expected, sizeof(expected), "DkWrW%08lx", static_cast<unsigned long>(builder));
        EXPECT_STREQ(expected, player.ClassName());
        ready = player.WaitFor("OnReady()");
        if (ready)
            handler_thread = player.Calls().front().thread;
    });
    other.join();
    ASSERT_TRUE(ready);
    EXPECT_EQ(builder, handler_thread);
    EXPECT_NE(GetCurrentThreadId(), handler_thread);
}

TEST(DkPlayer, TwoPlayersOnOneThreadShareTheClassAndBothWork)
{
    auto first = std::make_unique<RecordingPlayer>();
    RecordingPlayer second;
    EXPECT_STREQ(first->ClassName(), second.ClassName());
    ASSERT_NE(nullptr, second.Window());
    EXPECT_NE(first->Window(), second.Window());
    ASSERT_TRUE(first->WaitFor("OnReady()"));
    ASSERT_TRUE(second.WaitFor("OnReady()"));
    EXPECT_EQ(0, first->Command(CM_PING, 1));
    EXPECT_EQ(0, second.Command(CM_PING, 2));
    EXPECT_TRUE(first->Has("OnPong(1)"));
    EXPECT_FALSE(first->Has("OnPong(2)"));
    EXPECT_TRUE(second.Has("OnPong(2)"));
    // The first one's end cannot unregister the class its sibling still uses.
    first.reset();
    EXPECT_EQ(0, second.Command(CM_PING, 3));
    EXPECT_TRUE(second.Has("OnPong(3)"));
}

TEST(DkPlayer, DestructionRemovesTheWindowAndTheClass)
{
    HWND window = nullptr;
    {
        RecordingPlayer player;
        window = player.Window();
        ASSERT_TRUE(player.WaitFor("OnReady()"));
    }
    EXPECT_FALSE(IsWindow(window));
    WNDCLASSA wc;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), ExpectedClassName().c_str(), &wc));
}

namespace {

class BoxRecorder : public CPromptAnswerer
{
public:
    int MessageBox(HWND owner, const char* text, const char* caption, UINT type) override
    {
        ++count;
        this->owner = owner;
        this->text = text;
        this->caption = caption;
        this->type = type;
        return IDOK;
    }
    int count = 0;
    HWND owner = reinterpret_cast<HWND>(1);
    std::string text, caption;
    UINT type = 0;
};

uint32_t g_version = 0;
uint32_t FakeVersion(int selector) { return selector == 2 ? g_version : 0; }

// Installs the prompt answerer and a version source for one test.
class VersionScope
{
public:
    VersionScope(uint32_t version)
    {
        g_version = version;
        m_previousSource = DkPlayerSetApiVersionSource(FakeVersion);
        m_previousAnswerer = AfxSetPromptAnswerer(&box);
    }
    ~VersionScope()
    {
        DkPlayerSetApiVersionSource(m_previousSource);
        AfxSetPromptAnswerer(m_previousAnswerer);
    }
    BoxRecorder box;

private:
    DkApiVersionSource m_previousSource;
    CPromptAnswerer* m_previousAnswerer;
};

} // namespace

TEST(DkPlayer, ClientInterfaceOtherThan38IsRefusedWithTheBoxAndTheException)
{
    for (uint32_t version : {0x30701u, 0x40801u, 0x0u, 0x30901u, 0x20801u}) {
        VersionScope scope(version);
        int error = 0;
        try {
            RecordingPlayer player;
            ADD_FAILURE() << "no exception for version 0x" << std::hex << version;
        } catch (const DekodaException& e) {
            error = e.Error();
        }
        EXPECT_EQ(-106, error) << std::hex << version;
        EXPECT_EQ(1, scope.box.count) << std::hex << version;
        EXPECT_EQ(nullptr, scope.box.owner);
        EXPECT_EQ("Dekoda DLL API version mismatch", scope.box.text);
        EXPECT_EQ("Dekoda Error", scope.box.caption);
        EXPECT_EQ(static_cast<UINT>(MB_TOPMOST | MB_SETFOREGROUND | MB_ICONERROR), scope.box.type);
        EXPECT_EQ(nullptr, tavrix_test::FindOwnWindow(ExpectedClassName().c_str(), nullptr)) << "a window was made";
    }
}

TEST(DkPlayer, OnlyTheMajorAndMinorNumbersAreCompared)
{
    for (uint32_t version : {0x30801u, 0x308FFu, 0x30800u, 0xFF030801u}) {
        VersionScope scope(version);
        RecordingPlayer player;
        EXPECT_EQ(0, scope.box.count) << std::hex << version;
        EXPECT_NE(nullptr, player.Window());
        EXPECT_TRUE(player.WaitFor("OnReady()"));
    }
}

TEST(DkPlayer, TheEnginesOwnVersionIsAccepted)
{
    BoxRecorder box;
    CPromptAnswerer* previous = AfxSetPromptAnswerer(&box);
    {
        RecordingPlayer player;
        EXPECT_NE(nullptr, player.Player());
    }
    AfxSetPromptAnswerer(previous);
    EXPECT_EQ(0, box.count);
}
