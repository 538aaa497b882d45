// The feedback server thread of a player. It owns one feedback handler (a
// visualisation, typically) and hands it the PCM blocks the player server
// sends, each when its time stamp says the listener hears it. It keeps the
// registry of handler modules, its own environment and the selection of
// the active handler. Reached only by control messages through its hidden
// window: from the client by way of the player server (125-127, 129, 130,
// 134, 141, 143, 145-149) and from the player server (128, 131-133, 135,
// 137, 138). Answers and notifications go to its channel's second
// destination, the client.
#pragma once

#include "decoder/player/feedback_handler.h"
#include "decoder/player/message_transport.h"

// Thread functions for engine_thread_start.
int feedback_server_create(message_channel* channel, void* data, void** instance);
int feedback_server_step(void* instance);
void feedback_server_destroy(void* instance);

// Events due up to this far ahead are delivered now, in microseconds.
enum { FEEDBACK_LOOK_AHEAD_US = 3000 };
