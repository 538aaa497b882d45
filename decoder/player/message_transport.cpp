// Posting, receiving, hidden windows and engine threads.
#include "decoder/player/message_transport.h"

#include <process.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"

namespace {

int post_to(const message_destination& to, const control_message* message)
{
    if (to.kind != DESTINATION_WINDOW && to.kind != DESTINATION_THREAD)
        return DK_ERR_INTERNAL;
    uint32_t id = 0;
    uintptr_t w = 0;
    intptr_t l = 0;
    const int r = message_encode(message, &id, &w, &l);
    if (r < 0)
        return r;
    for (int attempt = 0; attempt < 11; ++attempt) {
        const BOOL posted = to.kind == DESTINATION_WINDOW
                                ? PostMessageA(to.window, id, static_cast<WPARAM>(w), static_cast<LPARAM>(l))
                                : PostThreadMessageA(to.thread_id, id, static_cast<WPARAM>(w),
                                                     static_cast<LPARAM>(l));
        if (posted)
            return 0;
        Sleep(10);
    }
    // Nobody will free the block now; the sender learns the message is lost.
    message_encode_release(id, l);
    return DK_ERR_POST_FAILED;
}

int process(message_channel* channel, control_message* message, const MSG& msg)
{
    if (msg.message < ENGINE_MESSAGE_BASE) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (message)
            memset(message, 0, sizeof(*message));
        return 0;
    }
    control_message local;
    control_message* out = message ? message : &local;
    message_receive(channel, out, msg.message, msg.wParam, msg.lParam);
    if (!message) {
        if (!channel->callback)
            return DK_ERR_INVALID_PARAMETERS;
        channel->callback(channel->callback_user, out);
    }
    return 0;
}

int send_variadic(message_channel* channel, bool second, int code, va_list arguments)
{
    control_message message;
    control_message_pack(&message, code, arguments);
    if (message.code == 0)
        return DK_ERR_INVALID_MESSAGE;
    return second ? message_post_second(channel, &message) : message_post(channel, &message);
}

struct thread_start_block
{
    HANDLE start_event;
    message_channel* channel;
    engine_create_function create;
    engine_step_function step;
    engine_destroy_function destroy;
    void* data;
    HWND* window;
    HANDLE* sync_event;
};

LRESULT CALLBACK hidden_window_procedure(HWND window, UINT id, WPARAM wparam, LPARAM lparam)
{
    if (id < ENGINE_MESSAGE_BASE)
        return DefWindowProcA(window, id, wparam, lparam);
    message_channel* channel =
        reinterpret_cast<message_channel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!channel)
        return 0;
    control_message message;
    message_receive(channel, &message, id, wparam, lparam);
    if (channel->callback)
        channel->callback(channel->callback_user, &message);
    return 0;
}

unsigned __stdcall engine_thread_body(void* argument)
{
    thread_start_block* start = static_cast<thread_start_block*>(argument);
    message_channel* channel = start->channel;
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    char class_name[32];
    snprintf(class_name, sizeof(class_name), "DkCoHW%08lx",
             static_cast<unsigned long>(GetCurrentThreadId()));
    HWND window = nullptr;
    if (start->window) {
        WNDCLASSA wc;
        memset(&wc, 0, sizeof(wc));
        wc.lpfnWndProc = hidden_window_procedure;
        wc.hInstance = instance;
        wc.lpszClassName = class_name;
        RegisterClassA(&wc);
        window = CreateWindowExA(0, class_name, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        if (window)
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(channel));
        *start->window = window;
    }
    channel->sync_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (start->sync_event)
        *start->sync_event = channel->sync_event;
    engine_step_function step = start->step;
    engine_destroy_function destroy = start->destroy;
    // The creator waits until create has run, so the creation data need
    // only live for the start call.
    void* server = nullptr;
    const int created = start->create(channel, start->data, &server);
    SetEvent(start->start_event); // the start block belongs to the creator from here

    if (created >= 0) {
        while (step(server) == 0) {
        }
        destroy(server);
    }
    if (channel->join_thread) {
        WaitForSingleObject(channel->join_thread, 10000);
        CloseHandle(channel->join_thread);
    }
    channel->callback = nullptr;
    if (window) {
        DestroyWindow(window);
        UnregisterClassA(class_name, instance);
    }
    if (channel->sync_event) {
        SetEvent(channel->sync_event);
        CloseHandle(channel->sync_event);
    }
    free(channel);
    return 0;
}

} // namespace

int message_post(message_channel* channel, const control_message* message)
{
    return post_to(channel->first, message);
}

int message_post_second(message_channel* channel, const control_message* message)
{
    return post_to(channel->second, message);
}

int message_receive(message_channel* channel, control_message* message, UINT identifier,
                    WPARAM wparam, LPARAM lparam)
{
    message_decode(channel->area, sizeof(channel->area), identifier, static_cast<uintptr_t>(wparam),
                   static_cast<intptr_t>(lparam), message);
    if (message->code == CM_SYNC && channel->sync_event)
        SetEvent(channel->sync_event);
    return 0;
}

int message_peek(message_channel* channel, control_message* message)
{
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return 0;
    process(channel, message, msg);
    return 1;
}

int message_wait(message_channel* channel, control_message* message, int32_t timeout_us)
{
    if (timeout_us != -1) {
        const DWORD r = MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                                  static_cast<DWORD>(timeout_us / 1000), QS_ALLINPUT);
        if (r == WAIT_TIMEOUT)
            return DK_ERR_TIMEOUT;
        if (r == WAIT_FAILED)
            return -1;
    }
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0)
        return -1;
    return process(channel, message, msg);
}

int message_sync(message_channel* channel, int32_t timeout_ms)
{
    const int r = control_message_send(channel, CM_SYNC);
    if (r < 0)
        return r;
    const DWORD wait = WaitForSingleObject(channel->sync_event,
                                           timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms));
    return wait == WAIT_OBJECT_0 ? 0 : DK_ERR_TIMEOUT;
}

void message_set_callback(message_channel* channel, message_receive_callback callback, void* user)
{
    channel->callback = callback;
    channel->callback_user = user;
}

int control_message_send(message_channel* channel, int code, ...)
{
    va_list arguments;
    va_start(arguments, code);
    const int r = send_variadic(channel, false, code, arguments);
    va_end(arguments);
    return r;
}

int control_message_send_internal(message_channel* channel, int code, ...)
{
    va_list arguments;
    va_start(arguments, code);
    const int r = send_variadic(channel, true, code, arguments);
    va_end(arguments);
    return r;
}

int engine_thread_start(message_channel* channel, engine_create_function create,
                        engine_step_function step, engine_destroy_function destroy,
                        void* data, HANDLE* thread, DWORD* thread_id, HWND* window,
                        HANDLE* sync_event)
{
    thread_start_block* start = static_cast<thread_start_block*>(calloc(1, sizeof(thread_start_block)));
    if (!start)
        return DK_ERR_OUT_OF_MEMORY;
    start->start_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!start->start_event) {
        free(start);
        return DK_ERR_OUT_OF_RESOURCES;
    }
    start->channel = channel;
    start->create = create;
    start->step = step;
    start->destroy = destroy;
    start->data = data;
    start->window = window;
    start->sync_event = sync_event;
    unsigned id = 0;
    const uintptr_t handle = _beginthreadex(nullptr, 0, engine_thread_body, start, 0, &id);
    if (!handle) {
        CloseHandle(start->start_event);
        free(start);
        return -1;
    }
    WaitForSingleObject(start->start_event, INFINITE);
    CloseHandle(start->start_event);
    free(start);
    *thread = reinterpret_cast<HANDLE>(handle);
    *thread_id = id;
    return 0;
}
