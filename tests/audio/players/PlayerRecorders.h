// Players that write down every command they would send ("play",
// "set_output_name /dev/dsound/3"), with no engine behind them, and owners
// that write down every call a player makes.
#pragma once

#include <stdarg.h>

#include <string>
#include <utility>
#include <vector>

#include "audio/daredero/DArederoPlayer.h"
#include "audio/jukebox/AudioJukeboxPlayer.h"
#include "audio/sampler/SoundEffectsPlayer.h"
#include "decoder/player/player_server.h"

std::string DescribeCommand(const control_message& message);

template <class Player>
class Recording : public Player
{
public:
    template <class... Args>
    explicit Recording(Args... args) : Player(GetModuleHandleA(nullptr), args...)
    {
        if (this->m_player)
            player_delete(this->m_player);
        this->m_player = nullptr;
    }
    std::vector<std::string> sent;
    void Notify(int code, ...)
    {
        control_message message;
        va_list arguments;
        va_start(arguments, code);
        control_message_pack(&message, code, arguments);
        va_end(arguments);
        this->DispatchNotification(&message);
    }

protected:
    int PostCommand(const control_message& message) override
    {
        sent.push_back(DescribeCommand(message));
        return 0;
    }
};

struct CallLog
{
    std::vector<std::string> calls;
    void Add(const std::string& text) { calls.push_back(text); }
    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(calls);
        return taken;
    }
};

struct SamplerOwner : SoundEffectsOwner, CallLog
{
    bool looping = false;
    void SetTimeText(int seconds) override { Add("time " + std::to_string(seconds)); }
    bool IsLooping() const override { return looping; }
    void SetTrackLength(int seconds) override { Add("length " + std::to_string(seconds)); }
};

struct JukeboxOwner : AudioJukeboxOwner, CallLog
{
    HWND window = nullptr;
    bool next = false;
    int length = 0;
    int preload = 0;
    HWND FeedbackWindowHandle() const override { return window; }
    void SetVULevels(int l, int r) override { Add("vu " + std::to_string(l) + " " + std::to_string(r)); }
    void UpdateTime(int position) override { Add("time " + std::to_string(position)); }
    bool PlayNext() override
    {
        Add("next");
        return next;
    }
    void SetStatusText(const char* text) override { Add(std::string("status ") + text); }
    void SetProgressPosition(int position) override { Add("progress " + std::to_string(position)); }
    int TrackLength() const override { return length; }
    int PreloadSeconds() const override { return preload; }
    void SetTrackLength(int seconds) override { Add("length " + std::to_string(seconds)); }
};
