#include "mainwindow/decks/DeckArea.h"

#include "audio/deck/DeckPlayer.h"
#include "audio/feedback/VisualFeedback.h"
#include "audio/worker/DeckWorker.h"
#include "library/api/VIZU.h"
#include "mainwindow/dialog/MainDialog.h"
#include "skin/create/FindSkinControl.h"
#include "skin/file/Skin.h"
#include "skin/knob/KnobCtrl.h"
#include "widgets/scope/ScopeCtrl.h"
#include "widgets/slider/BitmapSlider.h"

using deck_rules::DeckControlName;

namespace
{

const char* const kEqBands[3] = {"eqlow", "eqmid", "eqhigh"};

KnobCtrl* FindKnob(HWND window, int deck, const char* what)
{
    CString name;
    name.Format("knb-%s", DeckControlName(deck, what).GetString());
    return FindSkinControl<KnobCtrl>(window, TheSkin().LookupControlName(name));
}

} // namespace

DeckArea::DeckArea(MainDialog& dialog) : m_dialog(dialog)
{
}

DeckArea::~DeckArea()
{
    // The decks go before the commands and the view they report to.
    m_set.reset();
}

DeckAreaSettings DeckArea::ReadSettings() const
{
    const MainSettings& s = m_dialog.GetSettings();
    DeckAreaSettings out;
    out.tooltips = s.Tooltips;
    out.saveEqGain = s.SaveEQGain;
    out.timeGran = s.TimeGran;
    out.feedbackRate = s.FeedbackRate;
    out.monoOutput = s.MonoOutput;
    out.pitchBendAmount = s.PitchBendAmount;
    out.eqKillAmount = s.EQKillAmount;
    out.denonDisplay = s.Denon4500UseDisplay;
    out.textOutFollowsDecks = s.textOutFollowsDecks;
    for (int deck = 0; deck < 4; ++deck) {
        const DeckSettings& d = s.decks[deck];
        out.decks[deck].eqOn = d.EQOn;
        out.decks[deck].gain = d.Gain;
        out.decks[deck].eq[0] = d.EQLow;
        out.decks[deck].eq[1] = d.EQMid;
        out.decks[deck].eq[2] = d.EQHi;
        out.decks[deck].monGain = d.MonGain;
    }
    return out;
}

DeckHostSettings DeckArea::ReadHostSettings() const
{
    const MainSettings& s = m_dialog.GetSettings();
    DeckHostSettings out;
    out.decode = s.Decode;
    out.bufferFile = s.BufferFile;
    out.playerMode = s.AudioDeckPlayerMode;
    out.logging = s.Logging;
    out.useFxFilter = s.UseFXFilter;
    for (int deck = 0; deck < 4; ++deck) {
        out.outputDevice[deck] = s.decks[deck].OutputDevice;
        out.monitorDevice[deck] = s.decks[deck].MonitorDevice;
    }
    return out;
}

void DeckArea::MakeParts()
{
    if (m_commands)
        return;
    const HWND window = m_dialog.GetSafeHwnd();
    m_ini.SetFolder(m_dialog.GetProgramFolder());
    m_mixSettings.reset(new IniMixSettings(&m_ini));
    m_view.reset(new DeckWindowView(window, &m_dialog.GetSkinMeters()));
    m_view->SetLog([this](const CString& text) { m_dialog.Log(text); });
    // The players measure their levels with the program's feedback module
    // (the meters of the skin, the level AutoMix reads).
    DeckPlayer::SetFeedbackModuleEntry(reinterpret_cast<void*>(&sample_feedback_module_register));
    m_set.reset(new DeckSet(window, ReadHostSettings()));
    m_commands.reset(new DeckCommands(m_set.get(), m_view.get(), this, m_mixSettings.get()));
    m_commands->SetSettings(ReadSettings());
    m_set->SetCommands(m_commands.get());
    m_set->SetView(m_view.get());
    m_set->SetCommandRunner([this](UINT id) { m_dialog.RunCommand(id); });
    m_input.reset(new MixerInput(&m_commands->GetMixer(), this));
    m_input->SetPauseOnSeek(m_dialog.GetSettings().PauseOnSeek);
}

bool DeckArea::InitDecks()
{
    MakeParts();
    if (m_commands->AreDecksSetUp())
        return true;
    const HWND window = m_dialog.GetSafeHwnd();
    const Skin& skin = TheSkin();
    // The builders have made the controls by now.
    m_view->ForgetControls();
    m_commands->InitDecks(!skin.GetZoneRect(Skin::ZONE_DECKC).IsEmpty(),
                          !skin.GetZoneRect(Skin::ZONE_DECKD).IsEmpty());
    m_input->SetDecksSetUp(true);
    // The crossfader's range as the skin's builder gave it.
    if (CBitmapSlider* fader = FindSkinControl<CBitmapSlider>(window, skin.LookupControlName("sldxfader")))
        m_commands->GetMixer().SetCrossfaderRange(fader->GetRangeMin(), fader->GetRangeMax());
    return true;
}

bool DeckArea::RefreshPresetButtons()
{
    // At start-up the presets come before the decks: the parts are made
    // here when needed, the decks only by InitDecks.
    if (!m_dialog.GetSafeHwnd())
        return false;
    MakeParts();
    m_commands->RefreshPresetButtons();
    return true;
}

void DeckArea::RunCommand(unsigned id)
{
    if (!m_commands)
        return;
    m_commands->RunCommand(id);
    m_input->SetKeyLock(m_commands->IsKeyLocked());
}

void DeckArea::OnDeckTime(int deck, int seconds)
{
    if (!m_commands)
        return;
    if (deck < 0 || deck > 3) {
        m_commands->OnDeckTime(deck, seconds);
        return;
    }
    // The players post a time on every time code; when showing one takes
    // longer than the codes come (a loaded machine), the times would pile
    // up in the queue and the window would fall ever further behind. The
    // newest time of each deck waiting is shown instead, once.
    int latest[4] = {0, 0, 0, 0};
    bool found[4] = {false, false, false, false};
    latest[deck] = seconds;
    found[deck] = true;
    if (m_set)
        m_set->TakeWaitingDeckTimes(latest, found);
    for (int d = 0; d < 4; ++d)
        if (found[d])
            m_commands->OnDeckTime(d, latest[d]);
}

void DeckArea::OnPitchNudgeReleased(int deck)
{
    if (m_commands)
        m_commands->RestorePitch(deck);
}

void DeckArea::OnSliderNotify(int controlId)
{
    if (m_input)
        m_input->OnSliderNotify(controlId);
}

void DeckArea::OnShowDeckArt(int deck, const char* path)
{
    if (m_view)
        m_view->ShowArt(deck, path ? CString(path) : CString());
}

void DeckArea::OnJogWheel(int commandId, int value)
{
    if (!m_commands || !m_input)
        return;
    const bool jogMode[2] = {m_input->IsJogModeOn(0), m_input->IsJogModeOn(1)};
    m_commands->OnJogWheel(commandId, value, jogMode);
}

void DeckArea::OnArtFound(int deck)
{
    // Each deck downloads into its own image file: the cover shown is the
    // one found for that deck's track.
    Deck* object = m_set && (deck == 0 || deck == 1) ? m_set->Get(deck) : nullptr;
    if (object && object->GetWorker())
        m_view->ShowArtFile(deck, object->GetWorker()->ArtFile());
}

void DeckArea::OnTagArt(int deck, const char* path)
{
    const CString file = path ? CString(path) : CString();
    if (file.GetLength() < 3 || file.Right(3).CompareNoCase("mp3") != 0)
        return;
    if (!m_dialog.GetSettings().AutosaveAlbumArt)
        return;
    // Only the cover the deck downloaded for this very track goes into its
    // tag: another track's cover would be written into the user's file.
    Deck* object = m_set ? m_set->Get(deck) : nullptr;
    DeckWorker* worker = object ? object->GetWorker() : nullptr;
    if (!worker || !worker->ArtFound() || worker->ArtFoundPath().CompareNoCase(file) != 0)
        return;
    if (VIZU::HasPicture(file))
        return;
    const bool written = VIZU::SetID3Picture(file, worker->ArtFile(), false);
    if (m_dialog.GetSettings().Logging)
        m_dialog.Log(written ? "Album art updated" : "Error: Album art not updated");
}

void DeckArea::ToggleDeckSpectrum(int deck)
{
    Deck* object = m_set && (deck == 0 || deck == 1) ? m_set->Get(deck) : nullptr;
    DeckPlayer* player = object ? object->GetPlayer() : nullptr;
    if (!player || !player->IsReady())
        return;
    CScopeCtrl* scope = FindSkinControl<CScopeCtrl>(m_dialog.GetSafeHwnd(),
                                                   TheSkin().LookupControlName(deck == 0 ? "vp-a" : "vp-b"));
    if (m_spectrum[deck]) {
        player->SetFeedbackMode(0, nullptr, 0, 0);
        if (scope)
            scope->SetVideoShown(FALSE);
        m_spectrum[deck] = false;
    } else if (scope && scope->GetSafeHwnd()) {
        RECT rc;
        ::GetClientRect(scope->GetSafeHwnd(), &rc);
        player->SetFeedbackMode(1, scope->GetSafeHwnd(), rc.right - rc.left, rc.bottom - rc.top);
        scope->SetVideoShown(TRUE);
        m_spectrum[deck] = true;
    }
}

void DeckArea::ResetDeck(int deck)
{
    if (m_commands)
        m_commands->ResetDeck(deck);
}

void DeckArea::StopDecks()
{
    for (int deck = 0; m_set && deck < 4; ++deck)
        if (Deck* object = m_set->Get(deck))
            object->Stop();
}

void DeckArea::StoreSettings(MainSettings& settings, bool deckExists[4]) const
{
    if (!m_commands || !m_commands->AreDecksSetUp())
        return;
    const Mixer& mixer = m_commands->GetMixer();
    for (int deck = 0; deck < 4; ++deck) {
        deckExists[deck] = m_commands->DeckExists(deck);
        if (!deckExists[deck])
            continue;
        DeckSettings& out = settings.decks[deck];
        out.Gain = mixer.GetGainPosition(deck);
        int eq[3] = {0, 0, 0};
        mixer.GetEq(deck, eq);
        out.liveLow = eq[0];
        out.liveMid = eq[1];
        out.liveHigh = eq[2];
        out.MonGain = mixer.GetMonitorGain(deck);
        out.EQOn = m_commands->IsEqOn(deck);
    }
}

// ---------------------------------------------------------------- the mixer's seams

void DeckArea::StartTimer(int id, int periodMs)
{
    m_dialog.Parts().StartTimer(m_dialog.GetSafeHwnd(), static_cast<UINT>(id), static_cast<UINT>(periodMs));
}

void DeckArea::KillTimer(int id)
{
    m_dialog.Parts().StopTimer(m_dialog.GetSafeHwnd(), static_cast<UINT>(id));
}

int DeckArea::GetSliderPosition(int controlId)
{
    CBitmapSlider* slider = FindSkinControl<CBitmapSlider>(m_dialog.GetSafeHwnd(), controlId);
    return slider ? slider->GetPos() : 0;
}

int DeckArea::GetEqKnobPosition(int deck, int band)
{
    KnobCtrl* knob = band >= 0 && band < 3 ? FindKnob(m_dialog.GetSafeHwnd(), deck, kEqBands[band]) : nullptr;
    return knob ? knob->GetPos() : 180;
}

void DeckArea::SetEqKnobPosition(int deck, int band, int position)
{
    KnobCtrl* knob = band >= 0 && band < 3 ? FindKnob(m_dialog.GetSafeHwnd(), deck, kEqBands[band]) : nullptr;
    if (knob) {
        knob->SetPos(position);
        knob->Invalidate();
    }
}

void DeckArea::SkipJogKnobUpdate(int deck)
{
    if (m_commands)
        m_commands->SkipJogKnobUpdate(deck);
}
