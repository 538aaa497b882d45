// The engine's message transport: channels that say where a thread's
// messages go, posting with retries, receiving with and without a time-out,
// the hidden window a server thread may own, and engine threads.
#pragma once

#include <stdint.h>

#include <windows.h>

#include "decoder/player/control_messages.h"
#include "decoder/player/message_codec.h"

enum destination_kind
{
    DESTINATION_NONE = 0,
    DESTINATION_WINDOW = 1,
    DESTINATION_THREAD = 2,
};

struct message_destination
{
    int32_t kind;
    HWND window;     // kind 1
    DWORD thread_id; // kind 2
    HANDLE thread;   // kind 2
};

typedef void (*message_receive_callback)(void* user, control_message* message);

struct message_channel
{
    message_destination first;
    message_destination second;
    message_receive_callback callback;
    void* callback_user;
    uint8_t area[MESSAGE_RECEIVE_AREA_SIZE];
    HANDLE join_thread;
    HANDLE sync_event;
};

// 0; -103 for no destination; -100 without memory; -306 for an invalid
// code; -308 when every attempt to post failed.
int message_post(message_channel* channel, const control_message* message);
int message_post_second(message_channel* channel, const control_message* message);

int message_receive(message_channel* channel, control_message* message, UINT identifier,
                    WPARAM wparam, LPARAM lparam);
// 1 when a message was taken (code 0 when it was not an engine message),
// 0 when the queue was empty.
int message_peek(message_channel* channel, control_message* message);
// time-out in microseconds, -1 for none; 0, -104 on time-out, -1 on failure.
int message_wait(message_channel* channel, control_message* message, int32_t timeout_us);
// Posts sync and waits for the channel's sync event (negative: no time-out).
int message_sync(message_channel* channel, int32_t timeout_ms);
void message_set_callback(message_channel* channel, message_receive_callback callback,
                          void* user);

int control_message_send(message_channel* channel, int code, ...);
int control_message_send_internal(message_channel* channel, int code, ...);

typedef int (*engine_create_function)(message_channel* channel, void* data, void** instance);
typedef int (*engine_step_function)(void* instance);
typedef void (*engine_destroy_function)(void* instance);

// Starts a thread on channel (which it then owns and frees at its end) and
// waits until it is ready. window: null for no hidden window.
// 0, -100, -101 (no event), -1 (thread not started).
int engine_thread_start(message_channel* channel, engine_create_function create,
                        engine_step_function step, engine_destroy_function destroy,
                        void* data, HANDLE* thread, DWORD* thread_id, HWND* window,
                        HANDLE* sync_event);
