#include "DeckRecorders.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "audio/fx/FXConfigIds.h"
#include "audio/fx/FxFilter.h"
#include "decoder/player/player_server.h"

std::string DescribeCommand(const control_message& m)
{
    const control_payload& p = m.payload;
    std::string text = control_code_name(m.code);
    char buffer[600];
    switch (control_code_shape(m.code)) {
    case SHAPE_NONE:
        return text;
    case SHAPE_U32_LPARAM:
    case SHAPE_U32_WPARAM:
        snprintf(buffer, sizeof(buffer), " %u", static_cast<unsigned>(p.u32.value));
        break;
    case SHAPE_U32_PAIR:
        snprintf(buffer, sizeof(buffer), " %u %u", static_cast<unsigned>(p.u32_pair.first),
                 static_cast<unsigned>(p.u32_pair.second));
        break;
    case SHAPE_TEXT:
        snprintf(buffer, sizeof(buffer), " %s", p.text.text ? p.text.text : "(none)");
        break;
    case SHAPE_U8:
        snprintf(buffer, sizeof(buffer), " %u", static_cast<unsigned>(p.u8.value));
        break;
    case SHAPE_FILTER:
        snprintf(buffer, sizeof(buffer), " %s %d", p.filter.name ? p.filter.name : "(none)",
                 static_cast<int>(p.filter.id));
        break;
    case SHAPE_NAME_INTEGER:
        snprintf(buffer, sizeof(buffer), " %s %d", p.env_integer.name,
                 static_cast<int>(p.env_integer.value));
        break;
    case SHAPE_LEVELS:
        snprintf(buffer, sizeof(buffer), " %u %u %u", p.levels.balance, p.levels.pcm, p.levels.master);
        break;
    case SHAPE_EQUALIZER:
        if (!p.equalizer.data)
            return text + " off";
        buffer[0] = '\0';
        for (int i = 0; i < 64; ++i) {
            char one[8];
            snprintf(one, sizeof(one), " %d", static_cast<int>(p.equalizer.data[i]));
            strcat(buffer, one);
        }
        break;
    default:
        snprintf(buffer, sizeof(buffer), " (shape %d)", static_cast<int>(control_code_shape(m.code)));
        break;
    }
    return text + buffer;
}

RecordingDeckPlayer::RecordingDeckPlayer() : DeckPlayer(GetModuleHandleA(nullptr))
{
    // No engine behind this player: its commands are only written down.
    if (m_player)
        player_delete(m_player);
    m_player = nullptr;
}

int RecordingDeckPlayer::PostCommand(const control_message& message)
{
    m_sent.push_back(DescribeCommand(message));
    return m_failing != 0 && message.code == m_failing ? DK_ERR_POST_FAILED : 0;
}

void RecordingDeckPlayer::Notify(int code, ...)
{
    control_message message;
    va_list arguments;
    va_start(arguments, code);
    control_message_pack(&message, code, arguments);
    va_end(arguments);
    DispatchNotification(&message);
}

RecordingHost::RecordingHost()
{
    // A hidden top-level window: DirectSound takes it as its window too.
    m_window = CreateWindowExA(0, "STATIC", "deck host", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
}

RecordingHost::~RecordingHost()
{
    if (m_window)
        DestroyWindow(m_window);
}

std::vector<std::pair<int, long long>> RecordingHost::TakeTimes()
{
    std::vector<std::pair<int, long long>> out;
    MSG msg;
    while (PeekMessageA(&msg, m_window, WM_DECK_TIME, WM_DECK_TIME, PM_REMOVE))
        out.emplace_back(static_cast<int>(msg.wParam), static_cast<long long>(msg.lParam));
    return out;
}

void RecordingHost::Add(const char* format, ...)
{
    char text[200];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    calls.push_back(text);
    threads.push_back(GetCurrentThreadId());
}

void RecordingHost::UpdateDeckDisplay(int deck) { Add("UpdateDeckDisplay(%d)", deck); }
void RecordingHost::ShowDeckStatus(int deck) { Add("ShowDeckStatus(%d)", deck); }
void RecordingHost::SetDeckVuLevels(int deck, int left, int right) { Add("SetDeckVuLevels(%d,%d,%d)", deck, left, right); }
void RecordingHost::InitDeckPositionBar(int deck, int length) { Add("InitDeckPositionBar(%d,%d)", deck, length); }
void RecordingHost::SetDeckLoopLight(int deck, bool on) { Add("SetDeckLoopLight(%d,%d)", deck, on ? 1 : 0); }
void RecordingHost::ResetDeckWaveform(int deck) { Add("ResetDeckWaveform(%d)", deck); }
void RecordingHost::RunDeckStopCommand(int deck)
{
    Add("RunDeckStopCommand(%d)", deck);
    if (stopDecks && GetDeck(deck))
        GetDeck(deck)->Stop();
}

void RecordingHost::RunDeckCommand(UINT id)
{
    Add("RunDeckCommand(%u)", id);
    const struct { UINT id; int deck, mode; } effects[] = {
        {ID_FX_ROTATE_A, 0, FX_ROTATE}, {ID_FX_ECHO_A, 0, FX_ECHO}, {ID_FX_FLANGE_A, 0, FX_FLANGE},
        {ID_FX_ROTATE_B, 1, FX_ROTATE}, {ID_FX_ECHO_B, 1, FX_ECHO}, {ID_FX_FLANGE_B, 1, FX_FLANGE}};
    for (const auto& e : effects)
        if (e.id == id)
            FxToggleMode(e.deck, e.mode);
}
