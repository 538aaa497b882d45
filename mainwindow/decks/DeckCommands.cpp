#include "mainwindow/decks/DeckCommands.h"

using namespace deck_rules;

namespace
{

const char* const kKillLights[3] = {"eqlowkill", "eqmidkill", "eqhighkill"};
const char* const kPresetLights[4] = {"preset1", "preset2", "preset3", "preset4"};
const DeckAction kPresetActions[4] = {DeckAction::Preset1, DeckAction::Preset2, DeckAction::Preset3,
                                      DeckAction::Preset4};
const char* const kCueNotSet = "Cue name not set";

// Controller lamps of the transport (group 1).
enum { LampPlay = 39, LampCue = 38 };
enum { PitchSliderCentre = 50, PitchSliderMax = 100 };
enum { ModeRotate = 1, ModeEcho = 2, ModeFlange = 3 };

} // namespace

// ---------------------------------------------------------------- the mixer's view

void DeckCommands::MixViewBridge::ShowCrossfader(int x) { m_owner.m_view->ShowCrossfader(x); }
void DeckCommands::MixViewBridge::ShowGainSlider(int deck, int position)
{
    m_owner.m_view->ShowGainSlider(deck, position);
}
void DeckCommands::MixViewBridge::ShowEqControls(int deck, const int* knobs, const int* sliders)
{
    m_owner.m_view->ShowEqControls(deck, knobs, sliders);
}
void DeckCommands::MixViewBridge::SetLight(const char* name, bool on) { m_owner.m_view->SetLight(name, on); }
void DeckCommands::MixViewBridge::SetText(const char* name, const CString& text)
{
    m_owner.m_view->SetText(name, text);
}
void DeckCommands::MixViewBridge::RestoreText(const char* name) { m_owner.m_view->RestoreText(name); }
bool DeckCommands::MixViewBridge::HasControl(const char* name) const { return m_owner.m_view->HasControl(name); }
void DeckCommands::MixViewBridge::ShowMessage(const CString& text) { m_owner.m_view->ShowMessage(text); }
void DeckCommands::MixViewBridge::ShowNotice(int id) { m_owner.m_view->ShowNotice(id); }
void DeckCommands::MixViewBridge::WriteLog(const CString& text) { m_owner.m_view->WriteLog(text); }

// ---------------------------------------------------------------- construction

DeckCommands::DeckCommands(DeckSlots* slots, DeckView* view, MixTimers* timers, MixSettings* mixSettings)
    : m_slots(slots), m_view(view), m_bridge(*this), m_mixer(timers, &m_bridge, mixSettings)
{
}

bool DeckCommands::DeckExists(int deck) const
{
    return Valid(deck) && m_hasDeck[deck] && m_slots->Mix(deck) != nullptr;
}

bool DeckCommands::IsKillOn(int deck, int band) const
{
    return (deck == 0 || deck == 1) && band >= 0 && band < 3 && m_kill[deck][band];
}

void DeckCommands::SkipJogKnobUpdate(int deck)
{
    if (deck == 0 || deck == 1)
        m_skipJog[deck] = true;
}

MixDeck* DeckCommands::Mix(int deck) const
{
    return Valid(deck) && m_hasDeck[deck] ? m_slots->Mix(deck) : nullptr;
}

DeckOps* DeckCommands::Ops(int deck) const
{
    return Valid(deck) && m_hasDeck[deck] ? m_slots->Ops(deck) : nullptr;
}

void DeckCommands::Light(int deck, const char* light, bool on)
{
    m_view->SetLight(DeckLightName(deck, light), on);
}

void DeckCommands::SetField(int deck, const char* field, const CString& text)
{
    const CString name = DeckControlName(deck, field);
    if (m_view->HasControl(name))
        m_view->SetText(name, text);
}

bool DeckCommands::IsPlaying(int deck) const
{
    MixDeck* mix = Mix(deck);
    return mix != nullptr && mix->GetState() == MixStatePlaying;
}

// ---------------------------------------------------------------- set-up and presets

void DeckCommands::InitDecks(bool hasDeckC, bool hasDeckD)
{
    // 1. to 4. The decks: A and B always, C and D where the skin has them.
    const bool wanted[4] = {true, true, hasDeckC, hasDeckD};
    for (int deck = 0; deck < 4; ++deck) {
        if (deck == 2)
            for (int ab = 0; ab < 2; ++ab)
                m_view->SetFxMode(ab, 0);
        m_hasDeck[deck] = false;
        if (!wanted[deck])
            continue;
        m_slots->Create(deck);
        m_hasDeck[deck] = m_slots->Mix(deck) != nullptr;
        m_mixer.SetDeck(deck, Mix(deck));
    }
    m_decksSetUp = true;

    // 5. Gains and EQ controls; the stored EQ values are the settings'.
    for (int deck = 0; deck < 4; ++deck) {
        const DeckAreaSettings::Deck& s = m_settings.decks[deck];
        m_mixer.StoreDeckEq(deck, ClampStoredEq(s.eq[0]), ClampStoredEq(s.eq[1]), ClampStoredEq(s.eq[2]));
    }
    if (m_settings.saveEqGain) {
        for (int deck = 0; deck < 4; ++deck) {
            if (!DeckExists(deck))
                continue;
            m_mixer.SetGainPosition(deck, ClampGainPosition(m_settings.decks[deck].gain));
            m_view->ShowGainSlider(deck, m_mixer.GetGainPosition(deck));
        }
        for (int deck = 0; deck < 4; ++deck)
            if (DeckExists(deck))
                m_mixer.UpdateEqControls(deck);
    }
    for (int deck = 0; deck < 4; ++deck) {
        DeckOps* ops = Ops(deck);
        MixDeck* mix = Mix(deck);
        if (!ops)
            continue;
        // 6. The EQ state through the EQ on/off command.
        m_eqOn[deck] = !m_settings.decks[deck].eqOn;
        EqOnOff(deck);
        // 7. and 8. Time code granularity, the pitch at rest.
        ops->SetTimecodeGranularity(m_settings.timeGran);
        SetPitchSlider(deck, PitchSliderCentre);
        m_mixer.ApplyPitch(deck);
        Light(deck, "pitchcenter", true);
        // 9. to 11. Monitor gain, feedback rate, mono or normal output.
        m_mixer.SetMonitorGain(deck, m_settings.decks[deck].monGain);
        mix->SetMonitorVolume(m_settings.decks[deck].monGain);
        ops->SetFeedbackRate(m_settings.feedbackRate);
        ops->SetOutputChannels(m_settings.monoOutput != 0 ? 3 : 0);
    }
}

void DeckCommands::RefreshPresetButtons()
{
    if (!m_settings.tooltips)
        return;
    for (int deck = 0; deck < 2; ++deck)
        for (int n = 0; n < 4; ++n) {
            const CString path = m_view->ReadPreset(deck, n + 1);
            m_view->SetTooltip(CommandIdOf(deck, kPresetActions[n]), m_view->TitleFromFile(path));
            Light(deck, kPresetLights[n], !path.IsEmpty());
        }
}

void DeckCommands::LoadPreset(int deck, int n)
{
    MixDeck* mix = Mix(deck);
    if (!mix || deck > 1 || n < 1 || n > 4)
        return;
    const CString path = m_view->ReadPreset(deck, n);
    if (path.IsEmpty())
        EditPresets();
    else
        mix->LoadTrack(path);   // a failed load says why itself
}

void DeckCommands::EditPresets()
{
    m_view->ShowConfig(ConfigPagePresets);
    RefreshPresetButtons();
}

void DeckCommands::RefreshCuePoints(int deck)
{
    DeckOps* ops = Ops(deck);
    if (!ops || deck > 1)
        return;
    DeckCueInfo info;
    if (!m_view->ReadCuePoints(ops->GetPath(), info))
        info = DeckCueInfo();
    for (int cue = 0; cue < 2; ++cue) {
        const bool set = info.position[cue] > 0;
        Light(deck, cue == 0 ? "cue1" : "cue2", set);
        ShowCueName(deck * 2 + cue, info.inLibrary ? info.name[cue] : CString(cue == 0 ? "Cue 1" : "Cue 2"));
        ops->SetCue(cue + 1, set, info.position[cue]);
    }
}

// ---------------------------------------------------------------- commands

bool DeckCommands::RunCommand(unsigned id)
{
    const DeckCommand command = DeckCommandOf(id);
    if (command.action == DeckAction::None)
        return id == 27246 || id == 28346 || id == 28446;
    if (DeckExists(command.deck))
        Run(command.deck, command.action);
    return true;
}

void DeckCommands::Run(int deck, DeckAction action)
{
    MixDeck* mix = Mix(deck);
    DeckOps* ops = Ops(deck);
    switch (action) {
    case DeckAction::None: break;
    case DeckAction::Play: Play(deck); break;
    case DeckAction::Pause:
        mix->Pause();
        RefreshOnAirLights();
        break;
    case DeckAction::PlayPause: PlayPause(deck); break;
    case DeckAction::Stop: Stop(deck); break;
    case DeckAction::Restart: ops->SeekToStart(); break;
    case DeckAction::Eject: {
        CString path;
        if (m_view->AskTrackFile(path) && mix->LoadTrack(path) == -1)
            m_view->ShowNotice(NoticeBadTrack);
        break;
    }
    case DeckAction::Mute:
        ops->ToggleMute();
        Light(deck, "mute", ops->IsMuted());
        break;
    case DeckAction::FastForward: Seek(deck, true); break;
    case DeckAction::Rewind: Seek(deck, false); break;
    case DeckAction::Cue1: Cue(deck, 1); break;
    case DeckAction::Cue2: Cue(deck, 2); break;
    case DeckAction::LoopIn:
        ops->SetLoopIn();
        Light(deck, "loopin", true);
        break;
    case DeckAction::LoopOut:
        ops->SetLoopOut();
        Light(deck, "loopout", true);
        break;
    case DeckAction::LoopStart: ops->ToggleLoop(); break;
    case DeckAction::PitchZero:
        SetPitchSlider(deck, PitchSliderCentre);
        m_mixer.ApplyPitch(deck);
        Light(deck, "pitchcenter", true);
        break;
    case DeckAction::PitchMoveUp: PitchStep(deck, -1); break;
    case DeckAction::PitchMoveDown: PitchStep(deck, +1); break;
    case DeckAction::PitchUp: PitchNudge(deck, +1); break;
    case DeckAction::PitchDown: PitchNudge(deck, -1); break;
    case DeckAction::KeyLock:
        m_keyLock = !m_keyLock;
        Light(deck, "keylock", m_keyLock);
        break;
    case DeckAction::EqOnOff: EqOnOff(deck); break;
    case DeckAction::EqFlat: EqFlat(deck); break;
    case DeckAction::KillLow: Kill(deck, 0); break;
    case DeckAction::KillMid: Kill(deck, 1); break;
    case DeckAction::KillHigh: Kill(deck, 2); break;
    case DeckAction::GainUp: GainStep(deck, -1); break;
    case DeckAction::GainDown: GainStep(deck, +1); break;
    case DeckAction::FxRotate: Effect(deck, ModeRotate); break;
    case DeckAction::FxEcho: Effect(deck, ModeEcho); break;
    case DeckAction::FxFlange: Effect(deck, ModeFlange); break;
    case DeckAction::GainPitch: m_pitchBendOnGain[deck] = !m_pitchBendOnGain[deck]; break;
    case DeckAction::Props: m_view->ShowConfig(ConfigPageDecks); break;
    case DeckAction::Preset1: LoadPreset(deck, 1); break;
    case DeckAction::Preset2: LoadPreset(deck, 2); break;
    case DeckAction::Preset3: LoadPreset(deck, 3); break;
    case DeckAction::Preset4: LoadPreset(deck, 4); break;
    case DeckAction::Unload: UnloadDeck(deck); break;
    }
}

void DeckCommands::TransportLeds(int deck, bool playing)
{
    if (!m_denonFeedback || deck > 1)
        return;
    m_view->SetDenonLed(deck, LampPlay, playing);
    m_view->SetDenonLed(deck, LampCue, !playing);
}

void DeckCommands::Play(int deck)
{
    Mix(deck)->Play();
    RefreshOnAirLights();
    TransportLeds(deck, true);
}

void DeckCommands::PlayDecksAB()
{
    if (DeckExists(0))
        Play(0);
    if (DeckExists(1))
        Play(1);
}

void DeckCommands::Stop(int deck)
{
    Mix(deck)->Stop();
    DeckOps* ops = Ops(deck);
    if (ops->IsMuted()) {
        ops->ToggleMute();
        Light(deck, "mute", ops->IsMuted());
    }
    RefreshOnAirLights();
    TransportLeds(deck, false);
}

void DeckCommands::PlayPause(int deck)
{
    MixDeck* mix = Mix(deck);
    const bool pause = mix->GetState() == MixStatePlaying;
    if (pause)
        mix->Pause();
    else
        mix->Play();
    RefreshOnAirLights();
    TransportLeds(deck, !pause);
}

void DeckCommands::Seek(int deck, bool forward)
{
    const bool playing = IsPlaying(deck);
    m_seeking[deck] = true;
    if (forward)
        Ops(deck)->SeekForward(playing ? 1 : 2);
    else
        Ops(deck)->SeekBackward(playing ? 2 : 1);
    m_seeking[deck] = false;
}

void DeckCommands::Cue(int deck, int cue)
{
    MixDeck* mix = Mix(deck);
    DeckOps* ops = Ops(deck);
    if (!mix->HasTrack() || !ops->IsCueSet(cue) || ops->GetCue(cue) <= 0)
        return;
    mix->SeekTo(ops->GetCue(cue));
    mix->Pause();
}

void DeckCommands::SetPitchSlider(int deck, int position)
{
    m_mixer.SetPitchSlider(deck, position);
    m_view->ShowPitchSlider(deck, m_mixer.GetPitchSlider(deck));
}

void DeckCommands::PitchStep(int deck, int delta)
{
    const int position = m_mixer.GetPitchSlider(deck);
    if ((delta < 0 && position <= 0) || (delta > 0 && position >= PitchSliderMax))
        return;
    SetPitchSlider(deck, position + delta);
    m_mixer.ApplyPitch(deck);
}

void DeckCommands::PitchNudge(int deck, int direction)
{
    const int pitch = m_mixer.GetPitch(deck);
    Mix(deck)->SetPitch(pitch + direction * m_settings.pitchBendAmount);
    Light(deck, "pitchcenter", pitch == mixer::PitchNormal);
}

void DeckCommands::RestorePitch(int deck)
{
    MixDeck* mix = Mix(deck);
    if (!mix)
        return;
    const int pitch = m_mixer.GetPitch(deck);
    mix->SetPitch(pitch);
    Light(deck, "pitchcenter", pitch == mixer::PitchNormal);
}

void DeckCommands::EqOnOff(int deck)
{
    DeckOps* ops = Ops(deck);
    if (m_eqOn[deck]) {
        ops->EqualizerOff();
        m_eqOn[deck] = false;
        Light(deck, "eqonoff", false);
        return;
    }
    m_eqOn[deck] = true;
    ops->SetEqualizerFlag(true);
    int eq[3];
    m_mixer.GetEq(deck, eq);
    Mix(deck)->SetEqualizer(mixer::EqApplied(eq[0]), mixer::EqApplied(eq[1]), mixer::EqApplied(eq[2]));
    Light(deck, "eqonoff", true);
}

void DeckCommands::EqFlat(int deck)
{
    m_mixer.StoreDeckEq(deck, 0, 0, 0);
    m_mixer.UpdateEqControls(deck);
    if (m_eqOn[deck])
        Mix(deck)->SetEqualizer(0, 0, 0);
}

void DeckCommands::Kill(int deck, int band)
{
    if (!m_eqOn[deck])
        return;
    m_kill[deck][band] = !m_kill[deck][band];
    int eq[3];
    m_mixer.GetEq(deck, eq);
    for (int b = 0; b < 3; ++b)
        if (m_kill[deck][b])
            eq[b] = m_settings.eqKillAmount;
    Mix(deck)->SetEqualizer(eq[0], eq[1], eq[2]);
    Light(deck, kKillLights[band], m_kill[deck][band]);
}

void DeckCommands::GainStep(int deck, int delta)
{
    const int position = m_mixer.GetGainPosition(deck);
    if ((delta < 0 && position <= mixer::GainLoudest) || (delta > 0 && position >= mixer::GainSilent))
        return;
    m_mixer.SetGainPosition(deck, position + delta);
    m_view->ShowGainSlider(deck, m_mixer.GetGainPosition(deck));
    m_mixer.ApplyDeckVolume(deck);
}

void DeckCommands::Effect(int deck, int mode)
{
    const int current = m_view->GetFxMode(deck);
    const int next = ToggledFxMode(current, mode);
    // Switching echo or flange on starts from silent rings, on either deck.
    if (next == ModeEcho)
        m_view->ClearEchoBuffer(deck);
    else if (next == ModeFlange)
        m_view->ClearDelayBuffer(deck);
    m_view->SetFxMode(deck, next);
    UpdateFxButtons(deck);
}

void DeckCommands::UpdateFxButtons(int deck)
{
    if (deck != 0 && deck != 1)
        return;
    const int mode = m_view->GetFxMode(deck);
    Light(deck, "fxrotate", mode == ModeRotate);
    Light(deck, "fxecho", mode == ModeEcho);
    Light(deck, "fxflange", mode == ModeFlange);
}

int DeckCommands::GetDecksPlaying() const
{
    const bool a = IsPlaying(0);
    const bool b = IsPlaying(1);
    return a && b ? 2 : a ? 3 : b ? 4 : 1;
}

void DeckCommands::RefreshOnAirLights()
{
    const int playing = GetDecksPlaying();
    const int x = m_mixer.GetCrossfader();
    const bool aLive = x <= 99 && (playing == 2 || playing == 3) && m_mixer.IsOnMains(0);
    m_view->SetLight("lt-a-live", aLive);
    if (aLive && m_settings.textOutFollowsDecks && x < 1) {
        const DeckTrackInfo info = Ops(0)->GetTrackInfo();
        m_view->ShowTextOutputTrack(info.title, info.artist);
    }
    const bool bLive = x >= -99 && (playing == 2 || playing == 4) && m_mixer.IsOnMains(1);
    m_view->SetLight("lt-b-live", bLive);
    if (bLive && m_settings.textOutFollowsDecks && x >= 0) {
        const DeckTrackInfo info = Ops(1)->GetTrackInfo();
        m_view->ShowTextOutputTrack(info.title, info.artist);
    }
    for (int deck = 2; deck < 4; ++deck)
        if (DeckExists(deck))
            Light(deck, "live", IsPlaying(deck) && m_mixer.IsOnMains(deck));
}

// ---------------------------------------------------------------- notifications

void DeckCommands::OnDeckTime(int deck, int seconds)
{
    if (!DeckExists(deck))
        return;
    ShowDeckTime(deck, seconds);
    m_view->ShowPosition(deck, seconds);
    m_view->ShowSeekSlider(deck, seconds);
    if (deck > 1)
        return;
    if (m_skipJog[deck]) {
        m_skipJog[deck] = false;
        return;
    }
    const int position = JogKnobPosition(seconds, Mix(deck)->GetLength());
    if (position >= 0)
        m_view->ShowJogKnob(deck, position);
}

void DeckCommands::OnJogWheel(int commandId, int value, const bool jogMode[2])
{
    const int deck = commandId == 28014 ? 0 : commandId == 28015 ? 1 : -1;
    if (deck < 0 || !jogMode[deck] || m_seeking[deck])
        return;
    m_seeking[deck] = true;
    MixDeck* mix = Mix(deck);
    if (m_decksSetUp && mix && mix->HasTrack()) {
        m_skipJog[deck] = true;
        int position = mix->GetPosition();
        if (value != 64) {
            // Within the track: a seek before its start or past its end
            // would hand the player an offset outside its range.
            position -= 64 - value;
            const int length = mix->GetLength();
            if (length > 0 && position > length)
                position = length;
            if (position < 0)
                position = 0;
            mix->SeekTo(position);
        }
        m_view->PostDeckTime(deck, position);
    }
    m_seeking[deck] = false;
}

bool DeckCommands::EditDeckTrackProps(int deck)
{
    if ((deck != 0 && deck != 1) || !DeckExists(deck))
        return false;
    const CString path = Ops(deck)->GetPath();
    if (path.IsEmpty() || !m_view->IsTrackInLibrary(path)) {
        m_view->ShowNotice(NoticeNotInLibrary);
        return false;
    }
    m_view->ShowTrackProperties(path, Mix(deck)->GetLength(), deck);
    return true;
}

void DeckCommands::ShowSaveCuePoint(int deck, int cue)
{
    if ((deck != 0 && deck != 1) || (cue != 1 && cue != 2) || !DeckExists(deck))
        return;
    const CString path = Ops(deck)->GetPath();
    // No track, nothing to name a cue of.
    if (path.IsEmpty() || !Mix(deck)->HasTrack())
        return;
    m_view->ShowCueNaming(path, Mix(deck)->GetPosition(), cue);
}

void DeckCommands::ShowDeckTime(int deck, int seconds)
{
    MixDeck* mix = Mix(deck);
    if (!mix)
        return;
    SetField(deck, "elaptime", m_view->SecondsText(seconds));
    SetField(deck, "remaintime", m_view->SecondsText(mix->GetLength() - seconds));
    if (deck <= 1 && m_denonFeedback && m_settings.denonDisplay)
        m_view->PostDenonTime(deck, seconds);
}

void DeckCommands::ShowDeckStatus(int deck)
{
    MixDeck* mix = Mix(deck);
    if (!mix)
        return;
    SetField(deck, "status", StatusText(mix->GetState()));
    RefreshOnAirLights();
}

void DeckCommands::SetDeckVuLevels(int deck, int left, int right)
{
    if (Valid(deck))
        m_view->ShowLevels(deck, left, right);
}

void DeckCommands::InitDeckPositionBar(int deck, int length)
{
    if (Valid(deck))
        m_view->SetPositionRange(deck, length);
}

void DeckCommands::ShowCueName(int button, const CString& name)
{
    static const unsigned kCueButtons[4] = {27114, 27115, 27214, 27215};
    if (!m_settings.tooltips || button < 0 || button > 3)
        return;
    m_view->SetTooltip(kCueButtons[button], name.IsEmpty() ? CString(kCueNotSet) : name);
}

void DeckCommands::UpdateDeckDisplay(int deck)
{
    MixDeck* mix = Mix(deck);
    DeckOps* ops = Ops(deck);
    if (!mix || !ops)
        return;
    const DeckTrackInfo info = ops->GetTrackInfo();
    SetField(deck, "title", info.title);
    SetField(deck, "artist", info.artist);
    SetField(deck, "album", info.album);
    SetField(deck, "genre", info.genre);
    SetField(deck, "filetype", info.fileType);
    SetField(deck, "elaptime", m_view->SecondsText(0));
    SetField(deck, "remaintime", m_view->SecondsText(info.length));
    SetField(deck, "totaltime", m_view->SecondsText(info.length));
    SetField(deck, "bpm", info.bpm);
    SetField(deck, "channels", ChannelsText(info.channels));
    SetField(deck, "sps", BitrateText(info.bitrate));
    SetField(deck, "frequency", FrequencyText(info.frequency));
    SetField(deck, "status", StatusText(mix->GetState()));
    RefreshOnAirLights();
}

// ---------------------------------------------------------------- reset and unload

void DeckCommands::ResetDeck(int deck)
{
    if (deck == 0 || deck == 1) {
        // 1. The old deck stops and goes, its threads ended with it.
        if (MixDeck* old = Mix(deck))
            old->Stop();
        m_mixer.SetDeck(deck, nullptr);
        m_slots->Destroy(deck);
        // 2. A fresh deck with the window's feedback settings; it also
        // gets the EQ, monitor gain and output of the one it replaces, so
        // that the EQ light and the stored values tell what plays.
        m_slots->Create(deck);
        m_hasDeck[deck] = m_slots->Mix(deck) != nullptr;
        MixDeck* mix = Mix(deck);
        DeckOps* ops = Ops(deck);
        m_mixer.SetDeck(deck, mix);
        if (mix && ops) {
            ops->SetFeedbackRate(m_settings.feedbackRate);
            ops->SetTimecodeGranularity(m_settings.timeGran);
            ops->SetOutputChannels(m_settings.monoOutput != 0 ? 3 : 0);
            mix->SetMonitorVolume(m_settings.decks[deck].monGain);
            if (m_eqOn[deck]) {
                m_eqOn[deck] = false;
                EqOnOff(deck);
            }
            // 4. The track texts emptied ("Deck A - Reset"); then 3 and 5
            // to 9 as an unload does (the pitch does not read the texts).
            ops->ClearTrackInfo();
            PutDeckAtRest(deck);
        }
    }
    // 10.
    m_decksSetUp = true;
}

void DeckCommands::PutDeckAtRest(int deck)
{
    SetPitchSlider(deck, PitchSliderCentre);
    m_mixer.ApplyPitch(deck);
    Light(deck, "pitchcenter", true);
    SetDeckVuLevels(deck, 0, 0);
    m_view->ResetPeakView(deck);
    UpdateDeckDisplay(deck);
    SetField(deck, "status", StatusText(Mix(deck)->GetState()));
    RefreshOnAirLights();
    m_view->ShowArt(deck, CString());
}

void DeckCommands::UnloadDeck(int deck)
{
    DeckOps* ops = Ops(deck);
    if (!ops || deck > 1)
        return;
    ops->Unload();
    PutDeckAtRest(deck);
}
