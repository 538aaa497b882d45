// A client window on the test thread that records the notifications of a
// player as they arrive, and helpers to wait for them with a time-out.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "decoder/player/message_transport.h"

struct Note
{
    int code = 0;
    int64_t a = 0, b = 0, c = 0, d = 0;
    std::string text;
    std::string detail; // descriptions of module and device info
};

class NotificationClient
{
public:
    NotificationClient();
    ~NotificationClient();

    HWND Window() const { return m_window; }
    const std::vector<Note>& Notes() const { return m_notes; }
    void Clear() { m_notes.clear(); }

    // Waits for a notification with that code (and first value, when given)
    // arriving after index from; returns its index or -1.
    int WaitFor(int code, size_t from = 0, DWORD timeout_ms = 10000);
    int WaitForValue(int code, int64_t a, size_t from = 0, DWORD timeout_ms = 10000);
    // Sends a command and waits for its ack or nack; returns the error
    // (0 for ack, 1 when neither came).
    int Command(message_channel* player, int code, ...);

    std::vector<Note> OfCode(int code, size_t from = 0) const;

    void Record(const control_message& m);

private:
    HWND m_window = nullptr;
    message_channel* m_channel = nullptr;
    std::vector<Note> m_notes;
};
