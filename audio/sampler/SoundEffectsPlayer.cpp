#include "audio/sampler/SoundEffectsPlayer.h"

#include "audio/deck/DeckLogic.h"
#include "decoder/player/player_server.h"

SoundEffectsPlayer::SoundEffectsPlayer(HINSTANCE instance) : OutputDevicePlayer(instance) {}

SoundEffectsPlayer::~SoundEffectsPlayer() = default;

int SoundEffectsPlayer::Setup(SoundEffectsOwner* owner, HWND window, int deviceIndex, int secondIndex,
                              const char* name, int extra)
{
    m_owner = owner;
    SetupOutput(window, deviceIndex, secondIndex, name, extra);
    return 0;
}

void SoundEffectsPlayer::TimeText(int seconds)
{
    if (m_owner)
        m_owner->SetTimeText(seconds);
}

void SoundEffectsPlayer::OnReady() { AnnounceWindowAndPriority(); }

void SoundEffectsPlayer::OnPlayerState(uint8_t state)
{
    const bool looping = m_owner && m_owner->IsLooping();
    switch (state) {
    case PLAYER_STOPPED:
        // Stop has rewound the effect: with looping on it starts again.
        if (looping) {
            Command(CM_OUTPUT_DRAIN);
            Command(CM_PLAY);
        }
        m_state = DECK_STATE_STOPPED;
        m_position = 0;
        TimeText(0);
        break;
    case PLAYER_PLAYING:
        m_state = DECK_STATE_PLAYING;
        TimeText(m_position);
        break;
    case PLAYER_PAUSED:
        m_state = DECK_STATE_PAUSED;
        TimeText(m_position);
        break;
    case PLAYER_END_OF_STREAM:
        if (looping) {
            Command(CM_OUTPUT_DRAIN);
            Command(CM_PLAY);
        }
        m_state = DECK_STATE_END_OF_STREAM;
        m_position = 0;
        Command(CM_OUTPUT_DRAIN);
        Command(CM_STOP);
        TimeText(0);
        break;
    default:
        break;
    }
}

void SoundEffectsPlayer::OnTimecode(const control_payload* p)
{
    TakeTimecode(p);
    TimeText(m_position);
}

void SoundEffectsPlayer::OnDuration(uint32_t seconds)
{
    if (m_owner)
        m_owner->SetTrackLength(static_cast<int>(seconds));
}
