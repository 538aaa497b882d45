#include "decoder/feedback_server.h"

#include <stdlib.h>

#include "decoder/decoder_errors.h"

namespace {

struct feedback_server
{
    message_channel* channel;
    int state; // 0 running, 2 exiting
};

void feedback_dispatch(void* user, control_message* message)
{
    feedback_server* server = static_cast<feedback_server*>(user);
    if (message->code == CM_FEEDBACK_EXIT)
        server->state = 2;
}

} // namespace

int feedback_server_create(message_channel* channel, void*, void** instance)
{
    feedback_server* server = static_cast<feedback_server*>(calloc(1, sizeof(feedback_server)));
    if (!server)
        return DK_ERR_OUT_OF_MEMORY;
    server->channel = channel;
    message_set_callback(channel, feedback_dispatch, server);
    *instance = server;
    return 0;
}

int feedback_server_step(void* instance)
{
    feedback_server* server = static_cast<feedback_server*>(instance);
    while (message_peek(server->channel, nullptr) == 1) {
    }
    if (server->state == 2)
        return -1;
    const int r = message_wait(server->channel, nullptr, -1);
    if (r < 0 && r != DK_ERR_TIMEOUT)
        return -1;
    return server->state == 2 ? -1 : 0;
}

void feedback_server_destroy(void* instance)
{
    feedback_server* server = static_cast<feedback_server*>(instance);
    while (message_peek(server->channel, nullptr) == 1) {
    }
    free(server);
}
