// The fixed-argument send entry points.
#include "decoder/player/control_messages.h"

#include "decoder/player/message_transport.h"

int control_message_send_N(message_channel* channel, int code)
{
    return control_message_send(channel, code);
}

int control_message_send_P(message_channel* channel, int code, const void* pointer)
{
    return control_message_send(channel, code, pointer);
}

int control_message_send_S(message_channel* channel, int code, const char* text)
{
    return control_message_send(channel, code, text);
}

int control_message_send_SS(message_channel* channel, int code, const char* first,
                            const char* second)
{
    return control_message_send(channel, code, first, second);
}

int control_message_send_SI(message_channel* channel, int code, const char* text, int value)
{
    return control_message_send(channel, code, text, value);
}

int control_message_send_I(message_channel* channel, int code, int value)
{
    return control_message_send(channel, code, value);
}

int control_message_send_II(message_channel* channel, int code, int first, int second)
{
    return control_message_send(channel, code, first, second);
}

int control_message_send_III(message_channel* channel, int code, int first, int second, int third)
{
    return control_message_send(channel, code, first, second, third);
}

int control_message_send_IIII(message_channel* channel, int code, int first, int second, int third,
                              int fourth)
{
    return control_message_send(channel, code, first, second, third, fourth);
}

int control_message_send_IPI(message_channel* channel, int code, int first, const void* pointer,
                             int second)
{
    return control_message_send(channel, code, first, pointer, second);
}
