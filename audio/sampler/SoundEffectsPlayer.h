// SoundEffectsPlayer: the sound-effects sampler's player. It turns the
// engine's notifications into the sampler's state code and time display,
// takes the effect's length from the stream, and starts the effect again
// while the sampler's looping flag is on (Stop then restarts it too, until
// looping is switched off).
#pragma once

#include "audio/players/OutputDevicePlayer.h"

// What the player needs of its owner, the sampler window.
class SoundEffectsOwner
{
public:
    virtual ~SoundEffectsOwner() = default;
    virtual void SetTimeText(int seconds) = 0;
    virtual bool IsLooping() const = 0;
    // The length field of the owner's tag record.
    virtual void SetTrackLength(int seconds) = 0;
};

class SoundEffectsPlayer : public OutputDevicePlayer
{
public:
    // Construction
    explicit SoundEffectsPlayer(HINSTANCE instance);
    ~SoundEffectsPlayer() override;

    // The owner, its window (given to DirectSound), the device number, a
    // second device number and an extra value (both only stored), the
    // player name ("Effects"); 0.
    int Setup(SoundEffectsOwner* owner, HWND window, int deviceIndex, int secondIndex, const char* name,
              int extra);

    // Notification handlers
    void OnReady() override;
    void OnPlayerState(uint8_t state) override;
    void OnTimecode(const control_payload* p) override;
    void OnDuration(uint32_t seconds) override;

private:
    void TimeText(int seconds);

    // Data
    SoundEffectsOwner* m_owner = nullptr;
};
