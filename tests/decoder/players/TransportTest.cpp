// Messages between real threads: an engine thread with a hidden window, a
// thread without one, posting failures and time-outs.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "NotificationClient.h"
#include "decoder/player/message_transport.h"
#include "tests/support/TestSupport.h"

namespace {

// An echo server: answers every engine message it receives (by callback
// on its hidden window, or from its queue) with pong carrying the code,
// and ends on exit.
struct Echo
{
    message_channel* channel;
    bool done;
    bool windowed;
    std::vector<std::string>* texts;
};

void EchoReceive(void* user, control_message* m)
{
    Echo* echo = static_cast<Echo*>(user);
    if (m->code == CM_EXIT) {
        echo->done = true;
        return;
    }
    if (m->code == CM_INPUT_OPEN)
        control_message_send(echo->channel, CM_INPUT_NAME, m->payload.text.text);
    else
        control_message_send(echo->channel, CM_PONG, m->code);
}

int EchoCreate(message_channel* channel, void* data, void** instance)
{
    Echo* echo = static_cast<Echo*>(calloc(1, sizeof(Echo)));
    echo->channel = channel;
    echo->windowed = data != nullptr;
    message_set_callback(channel, EchoReceive, echo);
    *instance = echo;
    return 0;
}

int EchoStep(void* instance)
{
    Echo* echo = static_cast<Echo*>(instance);
    control_message m;
    const int r = message_wait(echo->channel, echo->windowed ? nullptr : &m, -1);
    if (r < 0)
        return -1;
    if (!echo->windowed && m.code)
        EchoReceive(echo, &m);
    return echo->done ? 1 : 0;
}

void EchoDestroy(void* instance) { free(instance); }

message_channel* NewChannel(HWND client)
{
    message_channel* c = static_cast<message_channel*>(calloc(1, sizeof(message_channel)));
    c->first.kind = DESTINATION_WINDOW;
    c->first.window = client;
    return c;
}

} // namespace

TEST(Transport, HiddenWindowThreadRoundTrip)
{
    NotificationClient client;
    message_channel* channel = NewChannel(client.Window());
    HANDLE thread = nullptr;
    DWORD id = 0;
    HWND window = nullptr;
    HANDLE sync = nullptr;
    int windowed = 1;
    ASSERT_EQ(0, engine_thread_start(channel, EchoCreate, EchoStep, EchoDestroy, &windowed, &thread, &id,
                                     &window, &sync));
    ASSERT_NE(nullptr, window);
    char name[64];
    GetClassNameA(window, name, sizeof(name));
    char expected[32];
    snprintf(expected, sizeof(expected), "DkCoHW%08lx", static_cast<unsigned long>(id));
    EXPECT_STREQ(expected, name);

    message_channel to_server = {};
    to_server.first.kind = DESTINATION_WINDOW;
    to_server.first.window = window;
    EXPECT_EQ(0, control_message_send(&to_server, CM_PING, 7));
    EXPECT_EQ(0, control_message_send(&to_server, CM_INPUT_OPEN, "C:\\music\\a.mp3"));
    EXPECT_EQ(0, control_message_send(&to_server, CM_SEEK, 1, 2));
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return client.Notes().size() >= 3; }));
    EXPECT_EQ(CM_PONG, client.Notes()[0].code);
    EXPECT_EQ(CM_PING, client.Notes()[0].a);
    EXPECT_EQ("C:\\music\\a.mp3", client.Notes()[1].text);
    EXPECT_EQ(CM_SEEK, client.Notes()[2].a);

    EXPECT_EQ(0, control_message_send(&to_server, CM_EXIT));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
    CloseHandle(thread);
    EXPECT_FALSE(IsWindow(window));
}

TEST(Transport, ThreadQueueRoundTripAndSync)
{
    NotificationClient client;
    message_channel* channel = NewChannel(client.Window());
    HANDLE thread = nullptr;
    DWORD id = 0;
    HANDLE sync = nullptr;
    ASSERT_EQ(0, engine_thread_start(channel, EchoCreate, EchoStep, EchoDestroy, nullptr, &thread, &id,
                                     nullptr, &sync));
    message_channel to_server = {};
    to_server.first.kind = DESTINATION_THREAD;
    to_server.first.thread_id = id;
    to_server.sync_event = sync;
    EXPECT_EQ(0, message_sync(&to_server, 5000));
    EXPECT_EQ(0, control_message_send(&to_server, CM_PLAY));
    EXPECT_GE(client.WaitForValue(CM_PONG, CM_PLAY), 0);
    EXPECT_EQ(0, control_message_send(&to_server, CM_EXIT));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
    CloseHandle(thread);
}

TEST(Transport, RefusalsAndFailures)
{
    message_channel channel = {};
    // No destination.
    EXPECT_EQ(-103, control_message_send(&channel, CM_PING, 1));
    // Invalid codes are refused before anything is posted.
    channel.first.kind = DESTINATION_THREAD;
    channel.first.thread_id = GetCurrentThreadId();
    EXPECT_EQ(-306, control_message_send(&channel, 68));
    EXPECT_EQ(-306, control_message_send(&channel, 0));
    EXPECT_EQ(-306, control_message_send(&channel, 160));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, ENGINE_MESSAGE_BASE, ENGINE_MESSAGE_BASE + 200, PM_NOREMOVE));
    // The second destination is separate.
    EXPECT_EQ(-103, control_message_send_internal(&channel, CM_FEEDBACK_FLUSH));

    // Every post attempt fails: the sender hears it.
    HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    channel.first.kind = DESTINATION_WINDOW;
    channel.first.window = gone;
    EXPECT_EQ(-308, control_message_send(&channel, CM_INPUT_OPEN, "lost"));
}

TEST(Transport, WaitTimesOutAndPeekSeesAnEmptyQueue)
{
    message_channel channel = {};
    control_message m;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    EXPECT_EQ(0, message_peek(&channel, &m));
    EXPECT_EQ(-104, message_wait(&channel, &m, 20000));
    channel.first.kind = DESTINATION_THREAD;
    channel.first.thread_id = GetCurrentThreadId();
    EXPECT_EQ(0, control_message_send(&channel, CM_SET_NOTIFICATION_MASK, 0xFFFFFFFFu));
    EXPECT_EQ(0, message_wait(&channel, &m, 1000000));
    EXPECT_EQ(CM_SET_NOTIFICATION_MASK, m.code);
    EXPECT_EQ(0xFFFFFFFFu, m.payload.u32.value);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 5, 0, 0);
    EXPECT_EQ(1, message_peek(&channel, &m));
    EXPECT_EQ(0, m.code); // not an engine message
}
