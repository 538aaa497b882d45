#include "mainwindow/mastermixer/MainMasterMixer.h"

#include "audio/deck/Deck.h"
#include "audio/deck/DeckHost.h"
#include "audio/mastermixer/TXVMixer2.h"
#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/mixer/Mixer.h"
#include "mainwindow/mixer/MixerMath.h"
#include "mainwindow/parts/ProgramParts.h"

namespace {

bool ValidDeck(int deck) { return deck >= 0 && deck < 4; }

} // namespace

MainMasterMixer::MainMasterMixer(MainDialog& dialog) : m_dialog(dialog) {}

MainMasterMixer::~MainMasterMixer()
{
    if (m_window && m_window->GetSafeHwnd())
        m_window->DestroyWindow();
}

bool MainMasterMixer::Create()
{
    if (m_window && m_window->GetSafeHwnd())
        return true;
    m_window = std::make_unique<TXVMixer2>(this, &m_dialog);
    if (!m_window->CreateModeless()) {
        m_window.reset();
        return false;
    }
    return true;
}

void MainMasterMixer::Show()
{
    if (!Create())
        return;
    m_window->ShowWindow(SW_SHOW);
    m_window->SetForegroundWindow();
}

Deck* MainMasterMixer::GetDeck(int deck)
{
    return m_decks && ValidDeck(deck) ? m_decks->GetDeck(deck) : nullptr;
}

void MainMasterMixer::GetDeckEqValues(int deck, int* low, int* mid, int* high)
{
    int values[3] = {0, 0, 0};
    if (m_mixer && ValidDeck(deck))
        m_mixer->GetEq(deck, values);
    else if (ValidDeck(deck))
        for (int band = 0; band < 3; ++band)
            values[band] = m_eq[deck][band];
    *low = values[0];
    *mid = values[1];
    *high = values[2];
}

void MainMasterMixer::SetDeckEqValues(int deck, int low, int mid, int high)
{
    if (!ValidDeck(deck))
        return;
    if (m_mixer) {
        m_mixer->StoreDeckEq(deck, low, mid, high);
        return;
    }
    m_eq[deck][0] = low;
    m_eq[deck][1] = mid;
    m_eq[deck][2] = high;
}

void MainMasterMixer::SetDeckEq(int deck, int low, int mid, int high)
{
    if (!ValidDeck(deck))
        return;
    if (m_mixer) {
        m_mixer->SetDeckEq(deck, low, mid, high);
        return;
    }
    SetDeckEqValues(deck, low, mid, high);
    Deck* object = GetDeck(deck);
    if (object && object->IsEqualizerOn())
        object->SetEqualizer(mixer::EqApplied(low), mixer::EqApplied(mid), mixer::EqApplied(high));
}

void MainMasterMixer::UpdateEqControls(int deck)
{
    if (m_mixer && ValidDeck(deck))
        m_mixer->UpdateEqControls(deck);
}

void MainMasterMixer::SetDeckMonitorGain(int deck, int gain)
{
    if (!ValidDeck(deck))
        return;
    if (m_mixer)
        m_mixer->SetMonitorGain(deck, gain);
    else
        m_monitorGain[deck] = gain;
}

int MainMasterMixer::GetDeckMonitorGain(int deck) const
{
    if (!ValidDeck(deck))
        return 0;
    return m_mixer ? m_mixer->GetMonitorGain(deck) : m_monitorGain[deck];
}

void MainMasterMixer::RunDeckCommand(UINT id)
{
    if (m_dialog.GetSafeHwnd())
        m_dialog.RunCommand(id);
}

bool CreateMasterMixerWindow(ProgramParts& parts) { return parts.MasterMixer().Create(); }

void ShowMasterMixerWindow(ProgramParts& parts) { parts.MasterMixer().Show(); }
