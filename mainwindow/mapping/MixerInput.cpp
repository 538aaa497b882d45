#include "mainwindow/mapping/MixerInput.h"

using namespace mapping;

namespace
{

// The EQ slider ids of each deck, low, mid, high.
const int kEqSliders[4][3] = {
    {-108, -109, -110}, {-111, -112, -113}, {-118, -119, -120}, {-124, -125, -126}};

enum { SB_THUMBPOSITION_CODE = 4 };

} // namespace

void MixerInput::SetJogMode(int deck, bool on)
{
    if (deck == 0 || deck == 1)
        m_jogMode[deck] = on;
}

void MixerInput::SeekDeck(int deck, int seconds)
{
    MixDeck* object = m_mixer->GetDeck(deck);
    if (object == nullptr)
        return;
    m_seeking[deck] = true;
    if (m_pauseOnSeek) {
        object->Pause();
        object->SeekTo(seconds);
        object->Play();
    } else {
        object->SeekTo(seconds);
    }
    m_seeking[deck] = false;
}

void MixerInput::OnSliderNotify(int controlId)
{
    SliderTarget target = ClassifySlider(controlId);
    switch (target.kind) {
    case SliderKind::Crossfader:
        m_mixer->MoveCrossfader(m_host->GetSliderPosition(controlId));
        m_mixer->OnCrossfaderChanged();
        break;
    case SliderKind::Gain:
        m_mixer->SetGainPosition(target.deck, m_host->GetSliderPosition(controlId));
        m_mixer->ApplyDeckVolume(target.deck);
        break;
    case SliderKind::Pitch:
        if (target.deck == mixer::DeckA && m_keyLock)
            break;
        m_mixer->SetPitchSlider(target.deck, m_host->GetSliderPosition(controlId));
        m_mixer->ApplyPitch(target.deck);
        break;
    case SliderKind::Eq: {
        // While the EQ is off its sliders store nothing.
        MixDeck* object = m_mixer->GetDeck(target.deck);
        if (object == nullptr || !object->IsEqualizerOn())
            break;
        const int* ids = kEqSliders[target.deck];
        m_mixer->SetDeckEq(target.deck, -m_host->GetSliderPosition(ids[0]),
                           -m_host->GetSliderPosition(ids[1]), -m_host->GetSliderPosition(ids[2]));
        break;
    }
    case SliderKind::Seek:
        SeekDeck(target.deck, m_host->GetSliderPosition(controlId));
        break;
    case SliderKind::VideoSeek:
        m_host->SeekVideoDeck(m_host->GetSliderPosition(controlId));
        break;
    case SliderKind::VideoVolume:
        m_host->SetVideoVolume(m_host->GetSliderPosition(controlId));
        break;
    case SliderKind::JukeboxVolume:
        m_host->SetJukeboxVolume(m_host->GetSliderPosition(controlId));
        break;
    case SliderKind::Tempo:
    case SliderKind::None:
        break;
    }
}

void MixerInput::GetDeckEqFromKnobs(int deck, int& low, int& mid, int& high)
{
    low = mid = high = 0;
    if (deck < 0 || deck > 3)
        return;
    low = mixer::EqValueFromKnob(m_host->GetEqKnobPosition(deck, 0));
    mid = mixer::EqValueFromKnob(m_host->GetEqKnobPosition(deck, 1));
    high = mixer::EqValueFromKnob(m_host->GetEqKnobPosition(deck, 2));
}

void MixerInput::OnKnobScroll(int code, int position, int deck, int band)
{
    if (code != SB_THUMBPOSITION_CODE || !m_decksSetUp)
        return;
    MixDeck* object = m_mixer->GetDeck(deck);
    if (object == nullptr)
        return;
    if (band < 0) {
        if (!object->HasTrack())
            return;
        m_host->SkipJogKnobUpdate(deck);
        SeekDeck(deck, JogKnobSeconds(object->GetLength(), position));
        return;
    }
    // Knob values are stored whether or not the EQ is on.
    int low, mid, high;
    GetDeckEqFromKnobs(deck, low, mid, high);
    m_mixer->SetDeckEq(deck, low, mid, high);
}

void MixerInput::OnControllerValue(int commandId, const ControllerRange& range, int value)
{
    ControllerTarget target = ClassifyControllerCommand(commandId);
    switch (target.kind) {
    case ControllerKind::Crossfader:
        m_mixer->MoveCrossfader(CrossfaderFromController(value, range));
        m_mixer->ApplyDeckVolume(mixer::DeckA);
        m_mixer->ApplyDeckVolume(mixer::DeckB);
        m_mixer->RefreshOnAirLights();
        break;
    case ControllerKind::Gain:
        m_mixer->SetGainPosition(target.deck, SliderFromController(value, range));
        m_mixer->ApplyDeckVolume(target.deck);
        break;
    case ControllerKind::Pitch:
        m_mixer->SetPitchSlider(target.deck, SliderFromController(value, range));
        m_mixer->ApplyPitch(target.deck);
        break;
    case ControllerKind::Eq: {
        m_host->SetEqKnobPosition(target.deck, target.band, EqKnobFromController(value, range));
        int low, mid, high;
        GetDeckEqFromKnobs(target.deck, low, mid, high);
        m_mixer->SetDeckEq(target.deck, low, mid, high);
        break;
    }
    case ControllerKind::JogWheel:
    case ControllerKind::None:
        break;
    }
}

void MixerInput::OnControllerWheel(int commandId, const ControllerRange& range, int value)
{
    ControllerTarget target = ClassifyControllerCommand(commandId);
    if (target.kind != ControllerKind::JogWheel || !m_jogMode[target.deck] || !m_decksSetUp)
        return;
    MixDeck* object = m_mixer->GetDeck(target.deck);
    if (object == nullptr || !object->HasTrack())
        return;
    m_host->SkipJogKnobUpdate(target.deck);
    int seek = JogWheelSeek(value, range.Inverted(), m_denon);
    if (seek != 0)
        object->SeekTo(object->GetPosition() + seek);
}
