// Real decks (with players that write their commands down) behind the
// mixer and AutoMix through DeckMixAdapter: volumes, pitch and routing reach
// the players, play and stop commands reach the main window, the deck's
// states and positions reach the mixer.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "FakeMix.h"
#include "tests/audio/deck/DeckRecorders.h"
#include "decoder/player/player_server.h"
#include "foundation/app/MessageDialog.h"
#include "mainwindow/mixer/DeckMixAdapter.h"
#include "tests/support/ProgramFolder.h"

using namespace mixtest;
using namespace mixer;

namespace
{

UINT FourMixers() { return 4; }

class SilentNotices : public MessageDialog
{
public:
    void ShowModal(const CString&) override {}
};

bool Has(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

class DeckMixAdapterTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        m_previousMixers = DeckSetMixerCountSource(FourMixers);
        m_previousDialog = SetMessageDialog(&m_notices);
        for (int deck = DeckA; deck <= DeckB; ++deck) {
            m_decks[deck] = std::make_unique<RecordingDeck>(&m_host);
            m_host.decks[deck] = m_decks[deck].get();
            ASSERT_TRUE(m_decks[deck]->Init(m_host.DeckWindow(), deck));
            m_decks[deck]->Recorder()->ClearSent();
            m_adapters[deck] = std::make_unique<DeckMixAdapter>(m_decks[deck].get(), &m_host);
            m_mixer.SetDeck(deck, m_adapters[deck].get());
        }
        m_host.calls.clear();
        m_host.TakeTimes();
    }
    void TearDown() override
    {
        m_adapters[0].reset();
        m_adapters[1].reset();
        m_decks[0].reset();
        m_decks[1].reset();
        DeckSetMixerCountSource(m_previousMixers);
        SetMessageDialog(m_previousDialog);
    }
    const std::vector<std::string>& Sent(int deck) { return m_decks[deck]->Recorder()->Sent(); }

    RecordingHost m_host;
    SilentNotices m_notices;
    std::unique_ptr<RecordingDeck> m_decks[2];
    std::unique_ptr<DeckMixAdapter> m_adapters[2];
    FakeClock m_clock;
    RecordingView m_view;
    FakeSettings m_settings;
    FakeQueue m_queue;
    FakeRandom m_random;
    Mixer m_mixer{&m_clock, &m_view, &m_settings};
    DeckMixerCountSource m_previousMixers = nullptr;
    MessageDialog* m_previousDialog = nullptr;
};

TEST_F(DeckMixAdapterTest, VolumesAndPitchReachThePlayers)
{
    m_mixer.MoveCrossfader(50);
    m_mixer.OnCrossfaderChanged();
    EXPECT_TRUE(Has(Sent(DeckA), "set_output_levels 255 50 255"));
    EXPECT_TRUE(Has(Sent(DeckB), "set_output_levels 255 100 255"));
    m_mixer.SetPitchSlider(DeckB, 48);
    m_mixer.ApplyPitch(DeckB);
    EXPECT_TRUE(Has(Sent(DeckB), "env_set_integer OUTPUT.DIRECTSOUND.PITCH 1010"));
}

TEST_F(DeckMixAdapterTest, StatesPositionsAndLengthsComeFromTheDeck)
{
    m_decks[DeckA]->GetTagInfo().Length = 240;
    m_decks[DeckA]->Recorder()->Notify(CM_PLAYER_STATE, PLAYER_PLAYING);
    m_decks[DeckA]->Recorder()->SetPosition(70);
    EXPECT_EQ(MixStatePlaying, m_adapters[DeckA]->GetState());
    EXPECT_EQ(70, m_adapters[DeckA]->GetPosition());
    EXPECT_EQ(240, m_adapters[DeckA]->GetLength());
    m_decks[DeckA]->Recorder()->Notify(CM_PLAYER_STATE, PLAYER_PAUSED);
    EXPECT_EQ(MixStatePaused, m_adapters[DeckA]->GetState());
    m_adapters[DeckA]->SetLevel(37);
    EXPECT_EQ(37, m_adapters[DeckA]->GetLevel());
}

TEST_F(DeckMixAdapterTest, PlayAndStopCommandsGoThroughTheMainWindow)
{
    AutoMix autoMix(&m_mixer, &m_clock, &m_view, &m_settings, &m_queue, &m_random);
    m_settings.autoMix.useFade = true;
    autoMix.LoadAutoMixSettings();
    autoMix.StartDeckAndFade(DeckB);
    EXPECT_TRUE(Has(m_host.calls, "RunDeckCommand(27201)"));
    EXPECT_TRUE(m_clock.Running(TimerGlide));

    // A glide started by "mx-mixleft" stops the far deck when it ends.
    m_adapters[DeckA]->SetLoader([](Deck&, const CString&) { return 1; });
    m_decks[DeckA]->GetTagInfo().Length = 240;
    m_decks[DeckB]->Recorder()->Notify(CM_PLAYER_STATE, PLAYER_PLAYING);
    EXPECT_EQ(-1, m_adapters[DeckA]->LoadTrack(""));
    EXPECT_EQ(1, m_adapters[DeckA]->LoadTrack("C:\\a.mp3"));
    m_mixer.MoveCrossfader(-100);
    m_mixer.OnFadeLeft();
    m_mixer.OnTimer(TimerGlide);
    EXPECT_FALSE(m_mixer.IsGliding());
    EXPECT_FALSE(Has(m_host.calls, "RunDeckStopCommand(1)"));   // no stop flag: B plays on
}

TEST_F(DeckMixAdapterTest, LoadingNeedsTheInstalledLoader)
{
    EXPECT_EQ(-1, m_adapters[DeckA]->LoadTrack("C:\\a.mp3"));
    CString seen;
    m_adapters[DeckA]->SetLoader([&](Deck& deck, const CString& path) {
        seen = path;
        return deck.GetIndex() == DeckA ? 1 : -1;
    });
    EXPECT_EQ(1, m_adapters[DeckA]->LoadTrack("C:\\a.mp3"));
    EXPECT_STREQ("C:\\a.mp3", seen.GetString());
    m_adapters[DeckA]->SetLoader([](Deck&, const CString&) { return 0; });
    EXPECT_EQ(-1, m_adapters[DeckA]->LoadTrack("C:\\b.mp3"));
}

TEST_F(DeckMixAdapterTest, MonitorRoutingSwitchesTheDecksDevice)
{
    m_decks[DeckA]->SetMainsDevice(1);
    m_decks[DeckA]->SetMonitorDevice(2);
    m_mixer.SetMonitorGain(DeckA, 60);
    m_mixer.OnMonitor(DeckA);
    EXPECT_TRUE(m_adapters[DeckA]->IsOnMonitor());
    EXPECT_TRUE(m_view.lights["lt-mx-mona"]);
    m_mixer.OnMonitor(DeckA);
    EXPECT_FALSE(m_adapters[DeckA]->IsOnMonitor());
    EXPECT_FALSE(m_view.lights["lt-mx-mona"]);
}

TEST_F(DeckMixAdapterTest, PlayCommandIds)
{
    EXPECT_EQ(27101u, DeckMixAdapter::PlayCommandId(0));
    EXPECT_EQ(27201u, DeckMixAdapter::PlayCommandId(1));
    EXPECT_EQ(28301u, DeckMixAdapter::PlayCommandId(2));
    EXPECT_EQ(28401u, DeckMixAdapter::PlayCommandId(3));
    EXPECT_EQ(0u, DeckMixAdapter::PlayCommandId(4));
}

} // namespace
