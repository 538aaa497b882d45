// A player: a server thread that owns one decoder and plays it frame by
// frame, driven by control messages and answering with notifications, and
// beside it the feedback server thread. The client holds a handle (a
// message_channel whose first destination is the player server thread)
// and sends commands with control_message_send.
#pragma once

#include <windows.h>

#include "decoder/engine/decoder.h"
#include "decoder/player/message_transport.h"
#include "decoder/engine/property_list.h"

// Player states (notification 78).
enum player_state
{
    PLAYER_STOPPED = 0,
    PLAYER_PLAYING = 1,
    PLAYER_PAUSED = 2,
    PLAYER_END_OF_STREAM = 3,
};

// Player mode bits (command 34).
enum player_mode
{
    PLAYER_MODE_CLOSE_ON_STOP = 1,
    PLAYER_MODE_CLOSE_ON_PAUSE = 2,
    PLAYER_MODE_CLOSE_AT_END = 4,
};

// A hook of the creation properties (entry type 8): the entry's value
// points at one of these.
struct player_hook
{
    void* user;
    void* function;
};
// "init-hook": called once the player server's decoder exists.
typedef void (*player_init_hook)(void* user, message_channel* channel, decoder* dec);
// "module-loader-hook": called around every module load (see the loader).
typedef int (*player_module_loader_hook)(void* user, int kind, int stage, message_channel* channel,
                                         decoder* dec, void** entry, const char* name,
                                         const char* symbol);

// The built-in modules: the file input; the file and waveOut outputs; the
// MPEG and WAVE codecs. Clients that read from memory register the memory
// input themselves.
void builtin_modules_register(void* user, message_channel* channel, decoder* dec);

// client_window: the address of the window that receives the
// notifications, or null for the calling thread's queue.
int player_new(message_channel** handle, HWND* client_window);
int player_new_with_properties(message_channel** handle, HWND* client_window,
                               const property_list* properties);
int player_delete(message_channel* handle);
// level 0-4: idle, below normal, normal, above normal, highest.
int player_set_priority(message_channel* handle, int level);
int player_get_priority(message_channel* handle);
