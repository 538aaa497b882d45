// The feedback server thread of a player: owns a hidden window through
// which the player server reaches it. For now it takes only feedback_exit
// and drops every other message; handlers and the PCM queue come later.
#pragma once

#include "decoder/message_transport.h"

int feedback_server_create(message_channel* channel, void* data, void** instance);
int feedback_server_step(void* instance);
void feedback_server_destroy(void* instance);
