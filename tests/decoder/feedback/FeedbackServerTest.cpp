// A feedback server thread with its hidden window, driven from the test
// thread as the player server drives it; a handler module registered by
// address records what reaches it.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>

#include "RecordingHandler.h"
#include "decoder/player/feedback_server.h"
#include "tests/decoder/players/NotificationClient.h"

namespace {

class FeedbackServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HandlerLog::Instance().Reset();
        message_channel* channel = static_cast<message_channel*>(calloc(1, sizeof(message_channel)));
        channel->second.kind = DESTINATION_WINDOW;
        channel->second.window = client.Window();
        HWND window = nullptr;
        DWORD id = 0;
        ASSERT_EQ(0, engine_thread_start(channel, feedback_server_create, feedback_server_step,
                                         feedback_server_destroy, nullptr, &thread, &id, &window,
                                         nullptr));
        ASSERT_NE(nullptr, window);
        server = static_cast<message_channel*>(calloc(1, sizeof(message_channel)));
        server->first.kind = DESTINATION_WINDOW;
        server->first.window = window;
    }

    void TearDown() override
    {
        if (server) {
            control_message_send(server, CM_FEEDBACK_EXIT);
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
            CloseHandle(thread);
            free(server);
        }
    }

    int Add(const void* registration)
    {
        return client.Command(server, CM_FEEDBACK_MODULE_ADD, FunctionName(registration).c_str());
    }

    // Registers the recording module and makes "rec-a" run.
    void RunHandler()
    {
        ASSERT_EQ(0, Add(reinterpret_cast<const void*>(&RecordingModuleRegister)));
        ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_NAME, "rec-a"));
        ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_START));
    }

    // A stereo block of 4 samples per channel whose first sample tells it apart.
    void SendPcm(int64_t time_us, int8_t tag)
    {
        int8_t samples[8] = {tag, 1, 2, 3, -1, -2, -3, -4};
        ASSERT_EQ(0, control_message_send(server, CM_FEEDBACK_PCM,
                                          static_cast<uint32_t>(time_us / 1000000),
                                          static_cast<uint32_t>(time_us % 1000000), 44100, 2, 4,
                                          samples));
    }

    void SendTime(int code, int64_t time_us)
    {
        ASSERT_EQ(0, control_message_send(server, code, static_cast<uint32_t>(time_us / 1000000),
                                          static_cast<uint32_t>(time_us % 1000000)));
    }

    // A command round trip: everything posted before it has been handled.
    void Settle() { ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_ENV_SET_INTEGER, "SETTLE", 1)); }

    static std::vector<HandlerCall> Events() { return HandlerLog::Instance().Calls("event"); }

    NotificationClient client;
    message_channel* server = nullptr;
    HANDLE thread = nullptr;
};

} // namespace

TEST_F(FeedbackServer, ModulesAreCheckedWhenTheyAreAdded)
{
    struct Case
    {
        const char* what;
        const void* registration;
        int result;
    };
    const Case cases[] = {
        {"recording", reinterpret_cast<const void*>(&RecordingModuleRegister), 0},
        {"wrong version bits", reinterpret_cast<const void*>(&WrongVersionRegister), -106},
        {"other low byte", reinterpret_cast<const void*>(&VersionLowByteRegister), 0},
        {"no event operation", reinterpret_cast<const void*>(&MissingEventRegister), -103},
        {"no probe operation", reinterpret_cast<const void*>(&MissingProbeRegister), -103},
        {"entry refuses", reinterpret_cast<const void*>(&FailingEntryRegister), -510},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, Add(c.registration)) << c.what;
    EXPECT_EQ(-102, client.Command(server, CM_FEEDBACK_MODULE_ADD, ""));
    EXPECT_EQ(-801, client.Command(server, CM_FEEDBACK_MODULE_ADD, "no_such_symbol@kernel32.dll"));
    EXPECT_EQ(-800, client.Command(server, CM_FEEDBACK_MODULE_ADD, "no_such_library_here.dll"));

    // Two were taken: ids 0 and 1, listed newest first.
    const size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_MODULES_LIST));
    const auto modules = client.OfCode(CM_FEEDBACK_MODULE_INFO, from);
    ASSERT_EQ(2u, modules.size());
    EXPECT_EQ(1, modules[0].a);
    EXPECT_EQ(0, modules[1].a);
    EXPECT_EQ(4u, client.OfCode(CM_FEEDBACK_HANDLER_INFO, from).size());
}

TEST_F(FeedbackServer, QueryAnswersTheModuleAndEachHandler)
{
    ASSERT_EQ(0, Add(reinterpret_cast<const void*>(&RecordingModuleRegister)));
    EXPECT_EQ(-102, client.Command(server, CM_FEEDBACK_MODULE_QUERY, -1));
    EXPECT_EQ(-507, client.Command(server, CM_FEEDBACK_MODULE_QUERY, 3));
    const size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_MODULE_QUERY, 0));
    const auto modules = client.OfCode(CM_FEEDBACK_MODULE_INFO, from);
    ASSERT_EQ(1u, modules.size());
    EXPECT_EQ(0, modules[0].a);
    EXPECT_EQ(2, modules[0].b);
    EXPECT_EQ("Recording Module", modules[0].text);
    EXPECT_EQ("records its calls", modules[0].detail);
    const auto handlers = client.OfCode(CM_FEEDBACK_HANDLER_INFO, from);
    ASSERT_EQ(2u, handlers.size());
    EXPECT_EQ("rec-a", handlers[0].text);
    EXPECT_EQ(0, handlers[0].b);
    EXPECT_EQ(5, handlers[0].c);
    EXPECT_EQ("rec-b", handlers[1].text);
    EXPECT_EQ(1, handlers[1].b);
    EXPECT_EQ("recording handler", handlers[1].detail);
}

TEST_F(FeedbackServer, TextsThatFillTheirFieldsAreCutThere)
{
    ASSERT_EQ(0, Add(reinterpret_cast<const void*>(&LongNamesRegister)));
    const size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_MODULE_QUERY, 0));
    const auto modules = client.OfCode(CM_FEEDBACK_MODULE_INFO, from);
    ASSERT_EQ(1u, modules.size());
    EXPECT_EQ(std::string(254, 'n'), modules[0].text);
    EXPECT_EQ(std::string(254, 'd'), modules[0].detail);
    const auto handlers = client.OfCode(CM_FEEDBACK_HANDLER_INFO, from);
    ASSERT_EQ(1u, handlers.size());
    EXPECT_EQ(std::string(254, 'n'), handlers[0].text);
}

TEST_F(FeedbackServer, HandlerIsSelectedStartedStoppedAndDeleted)
{
    EXPECT_EQ(-507, client.Command(server, CM_FEEDBACK_START)); // no module yet
    EXPECT_EQ(-1, client.Command(server, CM_FEEDBACK_STOP));
    EXPECT_EQ(-1, client.Command(server, CM_FEEDBACK_SEND, 1, "x", 1));
    ASSERT_EQ(0, Add(reinterpret_cast<const void*>(&RecordingModuleRegister)));

    size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_NAME, "rec-b"));
    ASSERT_EQ(1u, client.OfCode(CM_FEEDBACK_HANDLER, from).size());
    EXPECT_EQ(-1, client.OfCode(CM_FEEDBACK_HANDLER, from)[0].a); // selected by name
    ASSERT_EQ(1u, client.OfCode(CM_FEEDBACK_HANDLER_NAME, from).size());
    EXPECT_EQ("rec-b", client.OfCode(CM_FEEDBACK_HANDLER_NAME, from)[0].text);
    auto made = HandlerLog::Instance().Calls("new");
    ASSERT_EQ(1u, made.size());
    EXPECT_EQ("rec-b", made[0].name);
    EXPECT_EQ(0, made[0].value); // its module's registry entry
    EXPECT_TRUE(HandlerLog::Instance().Calls("start").empty()); // created stopped

    // The same name again: acknowledged, nothing else.
    from = client.Notes().size();
    EXPECT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_NAME, "rec-b"));
    EXPECT_TRUE(client.OfCode(CM_FEEDBACK_HANDLER_NAME, from).empty());
    EXPECT_EQ(1u, HandlerLog::Instance().Calls("new").size());

    from = client.Notes().size();
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_START));
    ASSERT_EQ(1u, client.OfCode(CM_FEEDBACK_STATE, from).size());
    EXPECT_EQ(0, client.OfCode(CM_FEEDBACK_STATE, from)[0].a);
    EXPECT_EQ(1u, HandlerLog::Instance().Calls("start").size());
    EXPECT_EQ(0, client.Command(server, CM_FEEDBACK_START)); // already running
    EXPECT_EQ(1u, HandlerLog::Instance().Calls("start").size());

    // Bytes reach the handler's message operation.
    EXPECT_EQ(0, client.Command(server, CM_FEEDBACK_SEND, 9, "hello", 5));
    auto messages = HandlerLog::Instance().Calls("message");
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(9, messages[0].value);
    EXPECT_EQ("hello", messages[0].name);

    // Another name while running: the old handler stopped and deleted, the
    // new one created and started.
    from = client.Notes().size();
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_NAME, "rec-a"));
    EXPECT_EQ(1u, HandlerLog::Instance().Calls("delete").size());
    ASSERT_EQ(1u, HandlerLog::Instance().Calls("stop").size());
    EXPECT_EQ("rec-b", HandlerLog::Instance().Calls("stop")[0].name);
    ASSERT_EQ(2u, HandlerLog::Instance().Calls("start").size());
    EXPECT_EQ("rec-a", HandlerLog::Instance().Calls("start").back().name);
    EXPECT_EQ(1u, client.OfCode(CM_FEEDBACK_HANDLER_NAME, from).size());

    from = client.Notes().size();
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_STOP));
    ASSERT_EQ(1u, client.OfCode(CM_FEEDBACK_STATE, from).size());
    EXPECT_EQ(1, client.OfCode(CM_FEEDBACK_STATE, from)[0].a);
    EXPECT_EQ(0, client.Command(server, CM_FEEDBACK_STOP)); // already stopped: nothing
    EXPECT_EQ(1u, client.OfCode(CM_FEEDBACK_STATE, from).size());

    // No name: the handler goes.
    from = client.Notes().size();
    EXPECT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_NAME, ""));
    EXPECT_EQ(2u, HandlerLog::Instance().Calls("delete").size());
    EXPECT_TRUE(client.OfCode(CM_FEEDBACK_HANDLER_NAME, from).empty());
    EXPECT_EQ(-1, client.Command(server, CM_FEEDBACK_STOP));

    // A name no module takes.
    EXPECT_EQ(-507, client.Command(server, CM_FEEDBACK_SELECT_NAME, "nobody"));
}

TEST_F(FeedbackServer, SelectingByIdTakesThatModule)
{
    ASSERT_EQ(0, Add(reinterpret_cast<const void*>(&RecordingModuleRegister)));
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_ID, 7));
    EXPECT_EQ(-507, client.Command(server, CM_FEEDBACK_START));
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_ID, 0));
    const size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_START)); // no name needed
    ASSERT_EQ(1u, client.OfCode(CM_FEEDBACK_HANDLER, from).size());
    EXPECT_EQ(0, client.OfCode(CM_FEEDBACK_HANDLER, from)[0].a);
    EXPECT_EQ("", HandlerLog::Instance().Calls("new").back().name);
    // Selecting while running stops and starts the same handler.
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_ID, 0));
    EXPECT_EQ(1u, HandlerLog::Instance().Calls("stop").size());
    EXPECT_EQ(2u, HandlerLog::Instance().Calls("start").size());
    EXPECT_EQ(1u, HandlerLog::Instance().Calls("new").size());
}

TEST_F(FeedbackServer, AFailingNewLeavesNoHandler)
{
    ASSERT_EQ(0, Add(reinterpret_cast<const void*>(&RecordingModuleRegister)));
    HandlerLog::Instance().new_result = -505;
    EXPECT_EQ(-505, client.Command(server, CM_FEEDBACK_SELECT_NAME, "rec-a"));
    EXPECT_EQ(-505, client.Command(server, CM_FEEDBACK_START));
    EXPECT_EQ(-1, client.Command(server, CM_FEEDBACK_STOP));
    EXPECT_TRUE(client.OfCode(CM_FEEDBACK_HANDLER).empty());
}

TEST_F(FeedbackServer, EnvironmentAndServicesReachTheHandler)
{
    const std::string long_text(3000, 'v');
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.PLAYER", 2));
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_ENV_SET_STRING, "CLIENT.TEXT", long_text.c_str()));
    EXPECT_EQ(-901, client.Command(server, CM_FEEDBACK_ENV_SET_STRING, "CLIENT.PLAYER", "x"));

    size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_ENV_GET_INTEGER, "CLIENT.PLAYER"));
    ASSERT_EQ(1u, client.OfCode(CM_FEEDBACK_ENV_INTEGER, from).size());
    EXPECT_EQ("CLIENT.PLAYER", client.OfCode(CM_FEEDBACK_ENV_INTEGER, from)[0].text);
    EXPECT_EQ(2, client.OfCode(CM_FEEDBACK_ENV_INTEGER, from)[0].a);
    // A value longer than the reading buffer arrives cut to it.
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_ENV_GET_STRING, "CLIENT.TEXT"));
    ASSERT_EQ(1u, client.OfCode(CM_FEEDBACK_ENV_STRING, from).size());
    EXPECT_EQ("CLIENT.TEXT=" + std::string(1023, 'v'), client.OfCode(CM_FEEDBACK_ENV_STRING, from)[0].text);
    EXPECT_EQ(-901, client.Command(server, CM_FEEDBACK_ENV_GET_STRING, "CLIENT.PLAYER"));
    EXPECT_EQ(-900, client.Command(server, CM_FEEDBACK_ENV_GET_INTEGER, "NOTHING"));

    // The handler reads both through its services, and posts to the client.
    from = client.Notes().size();
    ASSERT_EQ(0, Add(reinterpret_cast<const void*>(&RecordingModuleRegister)));
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_NAME, "rec-a"));
    HandlerLog& log = HandlerLog::Instance();
    EXPECT_EQ(0, log.integer_result);
    EXPECT_EQ(2, log.integer_read);
    EXPECT_EQ(0, log.string_result);
    EXPECT_EQ(std::string(1023, 'v'), log.string_read);
    ASSERT_GE(client.WaitForValue(CM_PONG, 4242, from), 0);

    // Its watcher sees the variable set and removed.
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.WATCHED", 31));
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_ENV_UNSET, "CLIENT.WATCHED"));
    EXPECT_EQ(-900, client.Command(server, CM_FEEDBACK_ENV_UNSET, "CLIENT.WATCHED"));
    const auto watched = log.Calls("watch");
    ASSERT_EQ(2u, watched.size());
    EXPECT_EQ(31, watched[0].value);
    EXPECT_EQ(-1, watched[1].value); // removed
    // Deleting the handler takes its watcher back.
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_NAME, ""));
    ASSERT_EQ(1u, log.Calls("delete").size());
    EXPECT_EQ(0, log.Calls("delete")[0].value);
}

TEST_F(FeedbackServer, OfEventsDueWithinTheLookAheadOnlyTheEarliestIsDelivered)
{
    RunHandler();
    const int64_t t0 = NowUs() + 400000;
    // Posted out of order: the queue sorts them. The wait ends 1 ms before
    // the first is due, less the rounding to milliseconds, so all three
    // fall within the look-ahead then.
    SendPcm(t0 + 1000, 3);
    SendPcm(t0, 1);
    SendPcm(t0 + 500, 2);
    SendPcm(t0 + 150000, 4);
    ASSERT_TRUE(HandlerLog::Instance().WaitForCount("event", 2, 3000));
    ASSERT_FALSE(HandlerLog::Instance().WaitForCount("event", 3, 300));
    const auto events = Events();
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ(1, events[0].samples[0]);
    EXPECT_EQ(t0, int64_t{events[0].block.time_s} * 1000000 + events[0].block.time_us);
    EXPECT_GE(events[0].delivered_us, t0 - FEEDBACK_LOOK_AHEAD_US - 1000);
    EXPECT_EQ(4, events[1].samples[0]);
    EXPECT_GE(events[1].delivered_us, t0 + 150000 - FEEDBACK_LOOK_AHEAD_US - 1000);
    // The block came through whole: both channels, in order.
    EXPECT_EQ(44100u, events[1].block.sample_rate);
    EXPECT_EQ(2, events[1].block.channels);
    EXPECT_EQ(4, events[1].block.samples_per_channel);
    EXPECT_EQ((std::vector<int8_t>{4, 1, 2, 3, -1, -2, -3, -4}), events[1].samples);
}

TEST_F(FeedbackServer, PauseAndResumeShiftQueuedEvents)
{
    struct Case
    {
        int64_t event_after_pause_us;
        int64_t resume_after_pause_us;
    };
    const Case cases[] = {
        {500000, 2000000}, // pause at t, resume at t + 2 s: t + 0.5 s plays at t + 2.5 s
        {100000, 500000},
    };
    RunHandler();
    for (const Case& c : cases) {
        HandlerLog::Instance().Reset();
        const int64_t t = NowUs();
        SendTime(CM_FEEDBACK_PAUSE, t);
        SendPcm(t + c.event_after_pause_us, 7);
        SendTime(CM_FEEDBACK_RESUME, t + c.resume_after_pause_us);
        const int64_t due = t + c.resume_after_pause_us + c.event_after_pause_us;
        ASSERT_TRUE(HandlerLog::Instance().WaitForCount("event", 1, 5000));
        const auto events = Events();
        EXPECT_EQ(due, int64_t{events[0].block.time_s} * 1000000 + events[0].block.time_us);
        EXPECT_GE(events[0].delivered_us, due - FEEDBACK_LOOK_AHEAD_US - 1000);
    }
}

TEST_F(FeedbackServer, FlushWhilePausedEmptiesTheQueueAndStaysPaused)
{
    RunHandler();
    const int64_t t = NowUs();
    SendTime(CM_FEEDBACK_PAUSE, t);
    SendPcm(t + 50000, 1);
    SendPcm(t + 60000, 2);
    ASSERT_EQ(0, control_message_send(server, CM_FEEDBACK_FLUSH));
    // Still paused: an event queued now waits although its time passes.
    SendPcm(t + 100000, 3);
    Settle();
    EXPECT_FALSE(HandlerLog::Instance().WaitForCount("event", 1, 400));
    SendTime(CM_FEEDBACK_RESUME, t);
    ASSERT_TRUE(HandlerLog::Instance().WaitForCount("event", 1, 3000));
    EXPECT_FALSE(HandlerLog::Instance().WaitForCount("event", 2, 300));
    EXPECT_EQ(3, Events()[0].samples[0]);
}

TEST_F(FeedbackServer, PcmWithoutARunningHandlerReachesNobody)
{
    ASSERT_EQ(0, Add(reinterpret_cast<const void*>(&RecordingModuleRegister)));
    // No handler: the block is not even queued.
    SendPcm(NowUs() + 200000, 1);
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_SELECT_NAME, "rec-a"));
    // A stopped handler: due events are taken and dropped.
    SendPcm(NowUs() + 20000, 2);
    EXPECT_FALSE(HandlerLog::Instance().WaitForCount("event", 1, 500));
    ASSERT_EQ(0, client.Command(server, CM_FEEDBACK_START));
    SendPcm(NowUs() + 20000, 3);
    ASSERT_TRUE(HandlerLog::Instance().WaitForCount("event", 1, 3000));
    EXPECT_FALSE(HandlerLog::Instance().WaitForCount("event", 2, 400));
    EXPECT_EQ(3, Events()[0].samples[0]);
}

TEST_F(FeedbackServer, ExitDeletesTheRunningHandler)
{
    RunHandler();
    control_message_send(server, CM_FEEDBACK_EXIT);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
    CloseHandle(thread);
    free(server);
    server = nullptr;
    EXPECT_EQ(1u, HandlerLog::Instance().Calls("stop").size());
    EXPECT_EQ(1u, HandlerLog::Instance().Calls("delete").size());
}
