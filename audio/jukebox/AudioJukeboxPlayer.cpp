#include "audio/jukebox/AudioJukeboxPlayer.h"

#include "audio/deck/DeckLogic.h"
#include "audio/players/PlayerLogic.h"
#include "decoder/player/player_server.h"

AudioJukeboxPlayer::AudioJukeboxPlayer(HINSTANCE instance) : OutputDevicePlayer(instance) {}

AudioJukeboxPlayer::~AudioJukeboxPlayer()
{
    Command(CM_FEEDBACK_STOP);
    if (m_metersRegistered)
        FeedbackRegisterLevelMeters(m_meterKey, nullptr);
}

int AudioJukeboxPlayer::Setup(AudioJukeboxOwner* owner, HWND window, int deviceIndex, int secondIndex,
                              const char* name, int extra)
{
    m_owner = owner;
    SetupOutput(window, deviceIndex, secondIndex, name, extra);
    return 0;
}

void AudioJukeboxPlayer::OnReady()
{
    Command(CM_SET_PCM_FEEDBACK_RATE, m_feedbackRate);
    // The client variables hold 32 bits: the window's handle stands for the
    // window object, which the feedback module finds under it.
    if (m_owner) {
        m_meterKey = FeedbackHandleValue(m_owner->FeedbackWindowHandle());
        FeedbackRegisterLevelMeters(m_meterKey, m_owner);
        m_metersRegistered = true;
    }
    Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.FEEDBACK-WINDOW", m_meterKey);
    Command(CM_FEEDBACK_MODULE_ADD, static_cast<const char*>(FeedbackModuleName()));
    Command(CM_FEEDBACK_SELECT_NAME, "sample-spectrum");
    Command(CM_FEEDBACK_START);
    AnnounceWindowAndPriority();
}

void AudioJukeboxPlayer::ResetDisplay()
{
    m_position = 0;
    if (!m_owner)
        return;
    m_owner->SetProgressPosition(0);
    m_owner->SetVULevels(0, 0);
}

void AudioJukeboxPlayer::OnPlayerState(uint8_t state)
{
    switch (state) {
    case PLAYER_STOPPED:
        m_state = DECK_STATE_STOPPED;
        m_position = 0;
        if (m_owner) {
            m_owner->SetProgressPosition(0);
            m_owner->UpdateTime(0);
            m_owner->SetStatusText("Stopped");
            m_owner->SetVULevels(0, 0);
        }
        break;
    case PLAYER_PLAYING:
        m_state = DECK_STATE_PLAYING;
        if (m_owner) {
            m_owner->UpdateTime(m_position);
            m_owner->SetStatusText("Playing");
        }
        break;
    case PLAYER_PAUSED:
        m_state = DECK_STATE_PAUSED;
        if (m_owner) {
            m_owner->UpdateTime(m_position);
            m_owner->SetStatusText("Paused");
        }
        break;
    case PLAYER_END_OF_STREAM:
        m_state = DECK_STATE_END_OF_STREAM;
        ResetDisplay();
        if (m_owner && m_owner->PlayNext()) {
            Command(CM_PLAY);
            m_owner->SetStatusText("Playing");
        } else {
            Command(CM_OUTPUT_DRAIN);
            Command(CM_STOP);
            if (m_owner)
                m_owner->SetStatusText("Stopped");
        }
        if (m_owner)
            m_owner->UpdateTime(0);
        break;
    default:
        break;
    }
}

void AudioJukeboxPlayer::OnTimecode(const control_payload* p)
{
    TakeTimecode(p);
    if (!m_owner)
        return;
    m_owner->UpdateTime(m_position);
    if (JukeboxReachedPreload(m_position, m_owner->TrackLength(), m_owner->PreloadSeconds()))
        m_owner->PlayNext();
}

void AudioJukeboxPlayer::OnDuration(uint32_t seconds)
{
    if (m_owner)
        m_owner->SetTrackLength(static_cast<int>(seconds));
}
