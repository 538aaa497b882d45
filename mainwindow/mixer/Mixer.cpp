#include "mainwindow/mixer/Mixer.h"

using namespace mixer;

namespace
{

const char* const kPitchCentreLights[DeckCount] = {
    "lt-a-pitchcenter", "lt-b-pitchcenter", "lt-c-pitchcenter", "lt-d-pitchcenter"};
const char* const kPitchTexts[2] = {"a-pitch", "b-pitch"};
const char* const kMonitorLights[DeckCount] = {
    "lt-mx-mona", "lt-mx-monb", "lt-mx-monc", "lt-mx-mond"};

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

bool ValidDeck(int deck)
{
    return deck >= DeckA && deck < DeckCount;
}

} // namespace

Mixer::Mixer(MixTimers* timers, MixView* view, MixSettings* settings)
    : m_timers(timers), m_view(view), m_settings(settings)
{
}

MixDeck* Mixer::GetDeck(int deck) const
{
    return ValidDeck(deck) ? m_decks[deck] : nullptr;
}

void Mixer::SetCrossfaderRange(int minimum, int maximum)
{
    m_xMin = minimum;
    m_xMax = maximum < minimum ? minimum : maximum;
    m_x = Clamp(m_x, m_xMin, m_xMax);
}

void Mixer::GetEq(int deck, int values[3]) const
{
    for (int band = 0; band < 3; ++band)
        values[band] = m_state[deck].eq[band];
}

int Mixer::ComputeVolume(int deck) const
{
    return DeckVolume(deck, m_state[deck].gainPosition, m_x, m_xMax);
}

void Mixer::SetGainPosition(int deck, int position)
{
    if (ValidDeck(deck))
        m_state[deck].gainPosition = Clamp(position, GainLoudest, GainSilent);
}

void Mixer::SetPitchSlider(int deck, int position)
{
    if (ValidDeck(deck))
        m_state[deck].pitchSlider = Clamp(position, 0, 100);
}

void Mixer::MoveCrossfader(int x)
{
    m_x = Clamp(x, m_xMin, m_xMax);
    m_view->ShowCrossfader(m_x);
}

void Mixer::ApplyDeckVolume(int deck)
{
    MixDeck* object = GetDeck(deck);
    if (object == nullptr || object->IsOnMonitor())
        return;
    object->SetMainsVolume(ComputeVolume(deck));
}

void Mixer::ApplyPitch(int deck)
{
    MixDeck* object = GetDeck(deck);
    if (object == nullptr)
        return;
    PitchValue value = PitchFromSlider(m_state[deck].pitchSlider);
    object->SetPitch(value.pitch);
    m_state[deck].pitch = value.pitch;
    m_view->SetLight(kPitchCentreLights[deck], value.pitch == PitchNormal);
    if (deck <= DeckB && m_view->HasControl(kPitchTexts[deck]))
        m_view->SetText(kPitchTexts[deck], PitchText(value.shown));
}

void Mixer::StoreDeckEq(int deck, int low, int mid, int high)
{
    if (!ValidDeck(deck))
        return;
    m_state[deck].eq[0] = low;
    m_state[deck].eq[1] = mid;
    m_state[deck].eq[2] = high;
}

void Mixer::SetDeckEq(int deck, int low, int mid, int high)
{
    StoreDeckEq(deck, low, mid, high);
    MixDeck* object = GetDeck(deck);
    if (object != nullptr && object->IsEqualizerOn())
        object->SetEqualizer(EqApplied(low), EqApplied(mid), EqApplied(high));
}

void Mixer::UpdateEqControls(int deck)
{
    if (!ValidDeck(deck))
        return;
    int knobs[3];
    int sliders[3];
    for (int band = 0; band < 3; ++band) {
        knobs[band] = EqKnobPosition(m_state[deck].eq[band]);
        sliders[band] = -m_state[deck].eq[band];
    }
    m_view->ShowEqControls(deck, knobs, sliders);
}

void Mixer::OnCrossfaderChanged()
{
    ApplyDeckVolume(m_left);
    ApplyDeckVolume(m_right);
    m_view->RefreshOnAirLights();
}

void Mixer::OnCenterCrossfader()
{
    MoveCrossfader(0);
    OnCrossfaderChanged();
}

void Mixer::OnFaderStep(int delta)
{
    MoveCrossfader(m_x + delta);
    OnCrossfaderChanged();
}

void Mixer::StartGlide(int direction)
{
    m_glideDirection = direction;
    m_glideStep = GlideStepSize(m_settings->GlideStep());
    m_gliding = true;
    m_timers->StartTimer(TimerGlide, TimerPeriod(m_settings->GlidePeriod()));
}

void Mixer::OnFadeLeft()
{
    StartGlide(0);
}

void Mixer::OnFadeRight()
{
    StartGlide(1);
}

bool Mixer::IsPlaying(int deck) const
{
    MixDeck* object = GetDeck(deck);
    return object != nullptr && object->GetState() == MixStatePlaying;
}

void Mixer::MixTo(int deck, int direction)
{
    MixDeck* object = GetDeck(deck);
    if (object == nullptr || !object->HasTrack())
        return;
    if (deck == DeckA || deck == DeckB) {
        object->RunPlayCommand();
    } else {
        object->Play();
        m_view->RefreshOnAirLights();
    }
    if (!m_autoMixRunning)
        m_stopFarDeck = true;
    StartGlide(direction);
}

void Mixer::OnMixLeft()
{
    MixTo(m_left, 0);
}

void Mixer::OnMixRight()
{
    MixTo(m_right, 1);
}

void Mixer::OnMixNext()
{
    bool a = IsPlaying(DeckA);
    bool b = IsPlaying(DeckB);
    if (a && b)
        return;
    if (a)
        OnMixRight();
    else
        OnMixLeft();
}

void Mixer::OnAssignLeft()
{
    m_left = m_left == DeckA ? DeckC : DeckA;
    m_view->SetText("txt_assignleft", m_left == DeckA ? "A" : "C");
}

void Mixer::OnAssignRight()
{
    m_right = m_right == DeckB ? DeckD : DeckB;
    m_view->SetText("txt_assignright", m_right == DeckB ? "B" : "D");
}

void Mixer::GlideTick()
{
    GlideStep step = mixer::GlideTick(m_x, m_xMin, m_xMax, m_glideDirection, m_glideStep);
    if (step.ended) {
        EndGlide();
        return;
    }
    MoveCrossfader(step.x);
    OnCrossfaderChanged();
}

void Mixer::EndGlide()
{
    m_timers->KillTimer(TimerGlide);
    m_gliding = false;
    m_view->ShowCrossfader(m_x);
    if (m_stopFarDeck) {
        int far = m_glideDirection == 1 ? m_left : m_right;
        MixDeck* object = GetDeck(far);
        if (object != nullptr && object->GetState() == MixStatePlaying)
            object->RunStopCommand();
    }
    m_stopFarDeck = false;
}

int Mixer::FadeInTimer(int deck)
{
    static const int ids[DeckCount] = {TimerFadeInA, TimerFadeInB, TimerFadeInC, TimerFadeInD};
    return ValidDeck(deck) ? ids[deck] : 0;
}

int Mixer::FadeOutTimer(int deck)
{
    static const int ids[DeckCount] = {TimerFadeOutA, TimerFadeOutB, TimerFadeOutC, TimerFadeOutD};
    return ValidDeck(deck) ? ids[deck] : 0;
}

void Mixer::OnFadeIn(int deck)
{
    MixDeck* object = GetDeck(deck);
    if (object == nullptr || !object->HasTrack() || object->GetState() == MixStatePlaying)
        return;
    DeckState& state = m_state[deck];
    object->Play();
    state.fadeTarget = state.gainPosition;
    state.gainPosition = GainSilent;
    m_view->ShowGainSlider(deck, state.gainPosition);
    state.fadingIn = true;
    m_timers->StartTimer(FadeInTimer(deck), TimerPeriod(m_settings->FadeInPeriod()));
}

void Mixer::OnFadeOut(int deck)
{
    MixDeck* object = GetDeck(deck);
    if (object == nullptr || !object->HasTrack() || object->GetState() != MixStatePlaying)
        return;
    DeckState& state = m_state[deck];
    // A fade already under way keeps the gain it will return to: the
    // running fade-out's target, or the level a running fade-in was
    // heading for (that fade-in ends here).
    if (state.fadingIn) {
        m_timers->KillTimer(FadeInTimer(deck));
        state.fadingIn = false;
    } else if (!state.fadingOut) {
        state.fadeTarget = state.gainPosition;
    }
    state.fadingOut = true;
    m_timers->StartTimer(FadeOutTimer(deck), TimerPeriod(m_settings->FadeOutPeriod()));
}

void Mixer::FadeTick(int deck, bool in)
{
    if (!ValidDeck(deck))
        return;
    DeckState& state = m_state[deck];
    FadeStep step = in ? mixer::FadeInTick(state.gainPosition, state.fadeTarget)
                       : mixer::FadeOutTick(state.gainPosition, state.fadeTarget);
    if (step.ended) {
        m_timers->KillTimer(in ? FadeInTimer(deck) : FadeOutTimer(deck));
        (in ? state.fadingIn : state.fadingOut) = false;
        // A fade-out ends in silence: the deck stops, its slider goes back.
        MixDeck* object = GetDeck(deck);
        if (!in && object != nullptr)
            object->Stop();
    }
    state.gainPosition = step.position;
    m_view->ShowGainSlider(deck, state.gainPosition);
    ApplyDeckVolume(deck);
}

void Mixer::OnMonitor(int deck)
{
    MixDeck* object = GetDeck(deck);
    if (object == nullptr)
        return;
    if (object->MainsEqualsMonitor()) {
        m_view->ShowMessage("Mains and Monitor are set to the same device.\n\nIf you have more than "
                            "one device, set them in the Master Mixer. More than one sound device is "
                            "required to use monitor functions.");
        return;
    }
    DeckState& state = m_state[deck];
    if (state.onMains) {
        object->RouteToMonitor();
        object->SetMonitorVolume(state.monitorGain);
        state.onMains = false;
        m_view->SetLight(kMonitorLights[deck], true);
    } else {
        object->RouteToMains();
        state.onMains = true;
        ApplyDeckVolume(deck);
        m_view->SetLight(kMonitorLights[deck], false);
    }
    m_view->RefreshOnAirLights();
}

bool Mixer::OnTimer(int id)
{
    if (id == TimerGlide) {
        GlideTick();
        return true;
    }
    for (int deck = DeckA; deck < DeckCount; ++deck) {
        if (id == FadeInTimer(deck) || id == FadeOutTimer(deck)) {
            FadeTick(deck, id == FadeInTimer(deck));
            return true;
        }
    }
    return false;
}
