// AudioJukeboxPlayer: the audio jukebox's player. Beyond the sampler
// player's pattern it runs the level-meter feedback ("sample-spectrum" of
// the visualisation feedback module), shows the state in the owner's status
// field and chains the queue: the next queued track is loaded when the
// position reaches the track length less the preload seconds, and at the
// end of a track.
#pragma once

#include "audio/feedback/VisualFeedback.h"
#include "audio/players/OutputDevicePlayer.h"

// What the player needs of its owner, the jukebox window; the level
// meters are what the feedback handler drives (FeedbackLevelMeters).
class AudioJukeboxOwner : public FeedbackLevelMeters
{
public:
    virtual void UpdateTime(int position) = 0;
    // Loads the first queued track; true when it loaded one.
    virtual bool PlayNext() = 0;
    virtual void SetStatusText(const char* text) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual int TrackLength() const = 0;
    virtual int PreloadSeconds() const = 0;
    // The length field of the owner's tag record (stream_duration).
    virtual void SetTrackLength(int seconds) = 0;
};

class AudioJukeboxPlayer : public OutputDevicePlayer
{
public:
    // Construction
    explicit AudioJukeboxPlayer(HINSTANCE instance);
    // Stops the feedback and takes the owner's meters off the feedback
    // module before the base ends the player.
    ~AudioJukeboxPlayer() override;

    // As SoundEffectsPlayer::Setup; the owner passes "Jukebox".
    int Setup(AudioJukeboxOwner* owner, HWND window, int deviceIndex, int secondIndex, const char* name,
              int extra);
    // Feedback deliveries per second for the meters (0: none); set before
    // the engine's ready is handled.
    void SetFeedbackRate(int rate) { m_feedbackRate = rate; }
    int GetFeedbackRate() const { return m_feedbackRate; }

    // Notification handlers
    void OnReady() override;
    void OnPlayerState(uint8_t state) override;
    void OnTimecode(const control_payload* p) override;
    void OnDuration(uint32_t seconds) override;

private:
    void ResetDisplay();

    // Data
    AudioJukeboxOwner* m_owner = nullptr;
    int32_t m_feedbackRate = 0;
    int32_t m_meterKey = 0;
    bool m_metersRegistered = false;
};
