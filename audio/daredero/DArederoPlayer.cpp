#include "audio/daredero/DArederoPlayer.h"

#include "audio/deck/DeckLogic.h"
#include "audio/feedback/VisualFeedback.h"
#include "decoder/player/player_server.h"

DArederoPlayer::DArederoPlayer(HINSTANCE instance, TagReader reader)
    : OutputDevicePlayer(instance), m_reader(reader) {}

DArederoPlayer::~DArederoPlayer() { Command(CM_FEEDBACK_STOP); }

int DArederoPlayer::Setup(DArederoHost* owner, HWND window, int deviceIndex, int secondIndex, const char* name,
                          int extra)
{
    m_owner = owner;
    SetupOutput(window, deviceIndex, secondIndex, name, extra);
    return 0;
}

void DArederoPlayer::SetupSpectrum(HWND window, int width, int height)
{
    Command(CM_SET_PCM_FEEDBACK_RATE, m_feedbackRate);
    Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.FEEDBACK-WINDOW", FeedbackHandleValue(window));
    Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.FEEDBACK-WIDTH", width);
    Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.FEEDBACK-HEIGHT", height);
    // The spectrum colours come from the main window.
    Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.MAINWINDOW",
            FeedbackHandleValue(m_owner ? m_owner->MainWindowHandle() : nullptr));
    Command(CM_FEEDBACK_MODULE_ADD, static_cast<const char*>(FeedbackModuleName()));
    Command(CM_FEEDBACK_SELECT_NAME, "sample-spectrum2");
    Command(CM_FEEDBACK_START);
}

bool DArederoPlayer::LoadFile(const CString& path)
{
    if (path.IsEmpty())
        return false;
    m_path = path;
    TAG_INFO tags;
    if (m_reader && m_reader(path, &tags)) {
        m_tags = tags;
        Command(CM_INPUT_OPEN, static_cast<const char*>(path));
        m_loaded = true;
        if (m_owner) {
            m_owner->SetJukeboxTrackTexts("");
            m_owner->SetJukeboxPositionRange(m_tags.Length);
            m_owner->SetJukeboxPosition(0);
        }
    }
    if (m_owner)
        m_owner->SetDeckTitle(4, path);
    return true;
}

void DArederoPlayer::OnReady() { AnnounceWindowAndPriority(); }

void DArederoPlayer::OnPlayerState(uint8_t state)
{
    switch (state) {
    case PLAYER_STOPPED:
        m_state = DECK_STATE_STOPPED;
        m_position = 0;
        if (m_owner) {
            m_owner->UpdateJukeboxTimes(0);
            m_owner->SetJukeboxPosition(0);
            m_owner->RedrawJukeboxView();
        }
        break;
    case PLAYER_PLAYING:
        m_state = DECK_STATE_PLAYING;
        if (m_owner) {
            m_owner->UpdateJukeboxTimes(m_position);
            m_owner->SetJukeboxPosition(m_position);
        }
        break;
    case PLAYER_PAUSED:
        m_state = DECK_STATE_PAUSED;
        break;
    case PLAYER_END_OF_STREAM:
        m_state = DECK_STATE_END_OF_STREAM;
        m_position = 0;
        if (!m_owner)
            break;
        m_owner->UpdateJukeboxTimes(0);
        m_owner->SetJukeboxPosition(0);
        if (!m_owner->JukeboxListShowsTracks())
            break;
        if (m_owner->StepSelectionDown() == -1) {
            Command(CM_OUTPUT_DRAIN);
            Command(CM_STOP);
            m_owner->RedrawJukeboxView();
        } else if (LoadFile(m_owner->GetSelectedPath())) {
            Command(CM_PLAY);
        }
        break;
    default:
        break;
    }
}

void DArederoPlayer::OnTimecode(const control_payload* p)
{
    TakeTimecode(p);
    if (m_owner) {
        m_owner->UpdateJukeboxTimes(m_position);
        m_owner->SetJukeboxPosition(m_position);
    }
}

void DArederoPlayer::OnDuration(uint32_t seconds)
{
    // The pane shows elapsed time from its argument: until the next time
    // code the elapsed time stays what the position says, not the length.
    (void)seconds;
    if (m_owner)
        m_owner->UpdateJukeboxTimes(m_position);
}
