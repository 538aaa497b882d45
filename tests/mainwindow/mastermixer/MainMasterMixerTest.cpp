// The main window's side of the master mixer, on a real main window (fake
// parts record where its commands go): the start-up step creates one hidden
// dialog owned by the main window, the menu's Show shows it on deck A, and
// the dialog's changes reach the main window's mixer model, its equalizer
// refresh and its command dispatch.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/mastermixer/TXVMixer2.h"
#include "mainwindow/mastermixer/MainMasterMixer.h"
#include "mainwindow/mixer/DeckMixAdapter.h"
#include "mainwindow/mixer/Mixer.h"
#include "mainwindow/parts/ProgramParts.h"
#include "tests/audio/deck/DeckRecorders.h"
#include "tests/mainwindow/window/MainWindowFixture.h"

namespace {

using Strings = std::vector<std::string>;

UINT FourMixers() { return 4; }

class NoTimers : public MixTimers
{
public:
    void StartTimer(int, int) override {}
    void KillTimer(int) override {}
};

// Writes down the equalizer controls the mixer moves.
class EqView : public MixView
{
public:
    Strings shown;
    void ShowEqControls(int deck, const int*, const int* sliders) override
    {
        shown.push_back(std::to_string(deck) + ": " + std::to_string(sliders[0]) + " " + std::to_string(sliders[1]) +
                        " " + std::to_string(sliders[2]));
    }
};

class FixedSettings : public MixSettings
{
public:
    int GlideStep() override { return 1; }
    int GlidePeriod() override { return 10; }
    int FadeInPeriod() override { return 10; }
    int FadeOutPeriod() override { return 10; }
    AutoMixSettings ReadAutoMix() override { return AutoMixSettings(); }
};

class MainMasterMixerTest : public tavrix_test::MainWindowTest
{
protected:
    void SetUp() override
    {
        m_previousMixers = DeckSetMixerCountSource(FourMixers);
        WriteSettings();
        OpenMainWindow();
        m_programParts = std::make_unique<ProgramParts>(*m_dialog);
        for (int i = 0; i < 2; ++i) {
            m_decks[i] = std::make_unique<RecordingDeck>(&m_deckHost);
            m_deckHost.decks[i] = m_decks[i].get();
            m_decks[i]->Init(m_dialog->m_hWnd, i);
            m_adapters[i] = std::make_unique<DeckMixAdapter>(m_decks[i].get(), &m_deckHost);
            m_mixer.SetDeck(i, m_adapters[i].get());
            m_decks[i]->Recorder()->ClearSent();
        }
    }
    void TearDown() override
    {
        m_programParts.reset();
        MainWindowTest::TearDown();
        for (auto& d : m_decks)
            d.reset();
        DeckSetMixerCountSource(m_previousMixers);
    }

    MainMasterMixer& Side() { return m_programParts->MasterMixer(); }
    HWND Dialog() { return Side().Window() ? Side().Window()->GetSafeHwnd() : nullptr; }
    HWND Item(UINT id) { return ::GetDlgItem(Dialog(), static_cast<int>(id)); }
    void Scroll(UINT id, int position)
    {
        ::SendMessageA(Item(id), TBM_SETPOS, TRUE, position);
        ::SendMessageA(Dialog(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(Item(id)));
    }
    Strings Sent(int deck, const char* prefix)
    {
        Strings out;
        for (const std::string& s : m_decks[deck]->Recorder()->Sent())
            if (s.compare(0, strlen(prefix), prefix) == 0)
                out.push_back(s);
        return out;
    }

    std::unique_ptr<ProgramParts> m_programParts;
    RecordingHost m_deckHost;
    std::unique_ptr<RecordingDeck> m_decks[2];
    std::unique_ptr<DeckMixAdapter> m_adapters[2];
    NoTimers m_timers;
    EqView m_view;
    FixedSettings m_settings;
    Mixer m_mixer{&m_timers, &m_view, &m_settings};

private:
    DeckMixerCountSource m_previousMixers = nullptr;
};

} // namespace

TEST_F(MainMasterMixerTest, TheStartUpStepCreatesOneHiddenDialogOwnedByTheMainWindow)
{
    Side().SetDecks(&m_deckHost);
    ASSERT_TRUE(CreateMasterMixerWindow(*m_programParts));
    const HWND first = Dialog();
    ASSERT_TRUE(::IsWindow(first));
    EXPECT_FALSE(::IsWindowVisible(first));
    EXPECT_EQ(m_dialog->m_hWnd, ::GetWindow(first, GW_OWNER));
    char caption[64] = {};
    ::GetWindowTextA(first, caption, sizeof caption);
    EXPECT_STREQ("Master Mixer", caption);
    // A second step keeps the dialog.
    ASSERT_TRUE(CreateMasterMixerWindow(*m_programParts));
    EXPECT_EQ(first, Dialog());
    // Shown on deck A; closing hides it, the next showing starts on deck A.
    ShowMasterMixerWindow(*m_programParts);
    EXPECT_TRUE(::IsWindowVisible(first));
    EXPECT_EQ(0, Side().Window()->GetSelectedDeck());
    Side().Window()->ShowDeckPage(1);
    ::SendMessageA(first, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(::IsWindowVisible(first));
    EXPECT_TRUE(::IsWindow(first));
    ShowMasterMixerWindow(*m_programParts);
    EXPECT_EQ(0, Side().Window()->GetSelectedDeck());
    EXPECT_EQ(first, Dialog());
}

TEST_F(MainMasterMixerTest, ShowCreatesTheDialogWhenTheStepHasNotRun)
{
    ShowMasterMixerWindow(*m_programParts);
    ASSERT_TRUE(::IsWindow(Dialog()));
    EXPECT_TRUE(::IsWindowVisible(Dialog()));
    // Without decks every page is empty, and nothing breaks.
    EXPECT_EQ(nullptr, Side().GetDeck(0));
    Scroll(IDC_MIX_MONITOR_VOLUME, 30);
    EXPECT_EQ(70, Side().GetDeckMonitorGain(0));
}

TEST_F(MainMasterMixerTest, ChangesReachTheMixerModelTheEqControlsAndTheWindowsCommands)
{
    Side().SetDecks(&m_deckHost);
    Side().SetMixer(&m_mixer);
    ASSERT_TRUE(CreateMasterMixerWindow(*m_programParts));
    ShowMasterMixerWindow(*m_programParts);
    Side().Window()->ShowDeckPage(1);
    m_parts.Clear();
    // The equalizer box runs deck B's toggle command through the window's
    // own dispatch, which hands it to the deck commands' part.
    ::SendMessageA(Item(IDC_MIX_EQ_ON), BM_CLICK, 0, 0);
    const Strings events = Drain();
    bool toggled = false;
    for (const std::string& e : events)
        toggled = toggled || (e.find("RunCommand") == 0 && e.find(" 27219") != std::string::npos);
    EXPECT_TRUE(toggled) << ::testing::PrintToString(events);
    // The bands go to the mixer model (drawn inverted) and its controls;
    // with the equalizer off nothing reaches the deck.
    Scroll(IDC_MIX_EQ_LOW, 20);
    int eq[3] = {};
    m_mixer.GetEq(1, eq);
    EXPECT_EQ(-20, eq[0]);
    EXPECT_EQ(0, eq[1]);
    ASSERT_FALSE(m_view.shown.empty());
    EXPECT_EQ("1: 20 0 0", m_view.shown.back());
    EXPECT_TRUE(Sent(1, "set_codec_equalizer").empty());
    // With the deck's equalizer on, the mixer applies them to the deck.
    m_decks[1]->SetEqualizerFlag(true);
    Scroll(IDC_MIX_EQ_HIGH, -10);
    m_mixer.GetEq(1, eq);
    EXPECT_EQ(10, eq[2]);
    EXPECT_FALSE(Sent(1, "set_codec_equalizer").empty());
    // The page reads the values back from the mixer model.
    m_mixer.StoreDeckEq(0, 5, -5, 0);
    Side().Window()->ShowDeckPage(0);
    EXPECT_EQ(-5, static_cast<int>(::SendMessageA(Item(IDC_MIX_EQ_LOW), TBM_GETPOS, 0, 0)));
    // The monitor volume is the mixer's monitor gain of the deck.
    Scroll(IDC_MIX_MONITOR_VOLUME, 30);
    EXPECT_EQ(70, m_mixer.GetMonitorGain(0));
    EXPECT_EQ(70, Side().GetDeckMonitorGain(0));
    EXPECT_EQ(70, m_decks[0]->GetMonitorVolume());
}

TEST_F(MainMasterMixerTest, WithoutTheMixerModelTheValuesAreKeptAndAppliedHere)
{
    Side().SetDecks(&m_deckHost);
    ASSERT_TRUE(CreateMasterMixerWindow(*m_programParts));
    ShowMasterMixerWindow(*m_programParts);
    m_decks[0]->SetEqualizerFlag(true);
    Scroll(IDC_MIX_EQ_MID, 25);
    int low = 1, mid = 1, high = 1;
    Side().GetDeckEqValues(0, &low, &mid, &high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(-25, mid);
    EXPECT_EQ(0, high);
    EXPECT_EQ(1u, Sent(0, "set_codec_equalizer").size());
    // Out-of-range decks are ignored.
    Side().SetDeckEqValues(7, 1, 2, 3);
    Side().GetDeckEqValues(7, &low, &mid, &high);
    EXPECT_EQ(0, low);
}
