#include "NotificationClient.h"

#include "tests/support/TestSupport.h"

#include <stdlib.h>

namespace {

const char* kClass = "PlayersTestClient";

LRESULT CALLBACK ClientProc(HWND window, UINT id, WPARAM wparam, LPARAM lparam)
{
    if (id >= ENGINE_MESSAGE_BASE) {
        auto* client = reinterpret_cast<NotificationClient*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        message_channel* channel = reinterpret_cast<message_channel*>(GetPropA(window, "channel"));
        if (client && channel) {
            control_message m;
            message_receive(channel, &m, id, wparam, lparam);
            client->Record(m);
        }
        return 0;
    }
    return DefWindowProcA(window, id, wparam, lparam);
}

} // namespace

NotificationClient::NotificationClient()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ClientProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    m_channel = static_cast<message_channel*>(calloc(1, sizeof(message_channel)));
    m_window = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPropA(m_window, "channel", m_channel);
}

NotificationClient::~NotificationClient()
{
    RemovePropA(m_window, "channel");
    DestroyWindow(m_window);
    free(m_channel);
}

void NotificationClient::Record(const control_message& m)
{
    Note n;
    n.code = m.code;
    const control_payload& p = m.payload;
    switch (control_code_shape(m.code)) {
    case SHAPE_U8: n.a = p.u8.value; break;
    case SHAPE_U32_LPARAM: case SHAPE_U32_WPARAM: n.a = p.u32.value; break;
    case SHAPE_U32_PAIR: n.a = p.u32_pair.first; n.b = p.u32_pair.second; break;
    case SHAPE_I16: n.a = p.i16.value; break;
    case SHAPE_NACK: n.a = p.nack.code; n.b = p.nack.error; break;
    case SHAPE_FOUR_U8:
        n.a = p.timecode.hours; n.b = p.timecode.minutes; n.c = p.timecode.seconds; n.d = p.timecode.hundredths;
        break;
    case SHAPE_TEXT: n.text = p.text.text; break;
    case SHAPE_FILTER: n.a = p.filter.id; n.text = p.filter.name; break;
    case SHAPE_NAME_INTEGER: n.text = p.env_integer.name; n.a = p.env_integer.value; break;
    case SHAPE_TEXT_PAIR: n.text = std::string(p.env_string.name) + "=" + p.env_string.value; break;
    case SHAPE_FORMAT: n.a = p.format.frequency; n.b = p.format.bitrate; n.c = p.format.channels; break;
    case SHAPE_LEVEL_BALANCE: n.a = p.levels.balance; break;
    case SHAPE_LEVEL_PCM: n.a = p.levels.pcm; break;
    case SHAPE_LEVEL_MASTER: n.a = p.levels.master; break;
    case SHAPE_MODULE_INFO:
        n.a = p.module.module_id; n.b = p.module.count; n.text = p.module.name; n.detail = p.module.description;
        break;
    case SHAPE_DEVICE_INFO:
        n.a = p.device.module_id; n.b = p.device.index; n.c = p.device.flags; n.text = p.device.name;
        n.detail = p.device.description;
        break;
    case SHAPE_PROGRESS:
        n.a = p.progress.source; n.b = p.progress.code; n.c = p.progress.value; n.text = p.progress.text;
        break;
    case SHAPE_EVENT:
        n.a = p.event.source; n.b = p.event.type; n.c = p.event.length;
        if (p.event.data)
            n.text.assign(static_cast<const char*>(p.event.data), p.event.length);
        break;
    case SHAPE_PROPERTIES:
        n.a = p.properties.count;
        // The string properties as "name=value;" texts.
        for (uint32_t i = 0; i < p.properties.count && p.properties.entries; ++i) {
            const property_entry& e = p.properties.entries[i];
            if (e.type == PROPERTY_STRING && e.name && e.value.text)
                n.text += std::string(e.name) + "=" + e.value.text + ";";
        }
        break;
    case SHAPE_DEBUG: n.a = p.debug.level; n.text = p.debug.text; break;
    default: break;
    }
    m_notes.push_back(n);
}

int NotificationClient::WaitFor(int code, size_t from, DWORD timeout_ms)
{
    int found = -1;
    tavrix_test::PumpUntil([&] {
        for (size_t i = from; i < m_notes.size(); ++i)
            if (m_notes[i].code == code) {
                found = static_cast<int>(i);
                return true;
            }
        return false;
    }, timeout_ms);
    return found;
}

int NotificationClient::WaitForValue(int code, int64_t a, size_t from, DWORD timeout_ms)
{
    int found = -1;
    tavrix_test::PumpUntil([&] {
        for (size_t i = from; i < m_notes.size(); ++i)
            if (m_notes[i].code == code && m_notes[i].a == a) {
                found = static_cast<int>(i);
                return true;
            }
        return false;
    }, timeout_ms);
    return found;
}

int NotificationClient::Command(message_channel* player, int code, ...)
{
    const size_t from = m_notes.size();
    va_list arguments;
    va_start(arguments, code);
    control_message m;
    control_message_pack(&m, code, arguments);
    va_end(arguments);
    if (message_post(player, &m) < 0)
        return 1;
    int result = 1;
    tavrix_test::PumpUntil([&] {
        for (size_t i = from; i < m_notes.size(); ++i) {
            if (m_notes[i].code == CM_ACK && m_notes[i].a == code) {
                result = 0;
                return true;
            }
            if (m_notes[i].code == CM_NACK && m_notes[i].a == code) {
                result = static_cast<int>(m_notes[i].b);
                return true;
            }
        }
        return false;
    });
    return result;
}

std::vector<Note> NotificationClient::OfCode(int code, size_t from) const
{
    std::vector<Note> out;
    for (size_t i = from; i < m_notes.size(); ++i)
        if (m_notes[i].code == code)
            out.push_back(m_notes[i]);
    return out;
}
