// A deck against a player that writes down its commands: every operation's
// control messages and their arguments, the player's set-up, the mapping of
// the engine's states, the deck time messages, loops and positions past an
// hour, the device list, and the main window's calls.
#include <gtest/gtest.h>

#include <stdio.h>

#include <functional>
#include <memory>

#include "DeckRecorders.h"
#include "audio/deck/DeckLogic.h"
#include "audio/fx/FxFilter.h"
#include "decoder/player/player_server.h"
#include "foundation/app/MessageDialog.h"
#include "framework/ui/AfxWin.h"
#include "tests/support/ProgramFolder.h"

namespace {

using Strings = std::vector<std::string>;

UINT g_mixers = 4;
UINT TestMixerCount() { return g_mixers; }

class NoticeRecorder : public MessageDialog
{
public:
    void ShowModal(const CString& text) override { shown.push_back(static_cast<const char*>(text)); }
    Strings shown;
};

std::string FunctionName(const void* entry)
{
    char text[40];
    snprintf(text, sizeof(text), "function@%llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(entry)));
    return text;
}

std::string HandleText(HWND window)
{
    return std::to_string(static_cast<int>(reinterpret_cast<intptr_t>(window)));
}

} // namespace

class DeckTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        m_previousMixers = DeckSetMixerCountSource(TestMixerCount);
        g_mixers = 4;
        m_previousDialog = SetMessageDialog(&m_notices);
        FxRestoreDefaults();
    }
    void TearDown() override
    {
        for (auto& deck : m_decks)
            deck.reset();
        DeckSetMixerCountSource(m_previousMixers);
        SetMessageDialog(m_previousDialog);
        DeckPlayer::SetFeedbackModuleEntry(nullptr);
        FxRestoreDefaults();
    }

    // A deck of that number, initialised; its set-up commands and the
    // host's calls so far are cleared.
    RecordingDeck& MakeDeck(int index, bool clear = true)
    {
        m_decks[index] = std::make_unique<RecordingDeck>(&m_host);
        m_host.decks[index] = m_decks[index].get();
        EXPECT_TRUE(m_decks[index]->Init(m_host.DeckWindow(), index));
        if (clear) {
            m_decks[index]->Recorder()->ClearSent();
            m_host.calls.clear();
            m_host.TakeTimes();
        }
        return *m_decks[index];
    }

    RecordingHost m_host;
    NoticeRecorder m_notices;
    std::unique_ptr<RecordingDeck> m_decks[4];

private:
    DeckMixerCountSource m_previousMixers = nullptr;
    MessageDialog* m_previousDialog = nullptr;
};

// --- transport, levels and routing -------------------------------------------

struct OperationCase
{
    const char* name;
    int state;    // engine state reported before the operation, -1 none
    int position; // the player's position in seconds
    std::function<void(Deck&)> operation;
    Strings sent;
};

class DeckOperations : public DeckTest, public ::testing::WithParamInterface<OperationCase>
{
};

TEST_P(DeckOperations, SendTheirControlMessages)
{
    const OperationCase& c = GetParam();
    RecordingDeck& deck = MakeDeck(1);
    deck.GetTagInfo().Length = 240;
    if (c.state >= 0)
        deck.Recorder()->Notify(CM_PLAYER_STATE, c.state);
    deck.Recorder()->SetPosition(c.position);
    deck.Recorder()->ClearSent();
    c.operation(deck);
    EXPECT_EQ(c.sent, deck.Recorder()->Sent());
}

INSTANTIATE_TEST_SUITE_P(
    Deck, DeckOperations,
    ::testing::Values(
        OperationCase{"Play", -1, 0, [](Deck& d) { d.Play(); }, {"play"}},
        OperationCase{"Pause", -1, 0, [](Deck& d) { d.Pause(); }, {"pause"}},
        OperationCase{"SeekTo", -1, 0, [](Deck& d) { EXPECT_EQ(0, d.SeekTo(30)); }, {"seek 30 240"}},
        OperationCase{"SeekForward", -1, 50, [](Deck& d) { d.SeekForward(10); }, {"seek 60 240"}},
        OperationCase{"SeekBackward", -1, 50, [](Deck& d) { d.SeekBackward(10); }, {"seek 40 240"}},
        OperationCase{"SeekBackwardToZeroDoesNothing", -1, 10, [](Deck& d) { d.SeekBackward(10); }, {}},
        OperationCase{"SeekBackwardPastZeroDoesNothing", -1, 4, [](Deck& d) { d.SeekBackward(10); }, {}},
        OperationCase{"SeekToStartWhilePlaying", PLAYER_PLAYING, 70, [](Deck& d) { d.SeekToStart(); }, {"seek 0 240"}},
        OperationCase{"SeekToStartWhilePaused", PLAYER_PAUSED, 70, [](Deck& d) { d.SeekToStart(); }, {"seek 0 240"}},
        OperationCase{"SeekToStartWhileStopped", PLAYER_STOPPED, 0, [](Deck& d) { d.SeekToStart(); }, {}},
        OperationCase{"SeekToStartAtTheEnd", PLAYER_END_OF_STREAM, 0, [](Deck& d) { d.SeekToStart(); }, {}},
        OperationCase{"MuteThenUnmute", -1, 0,
                      [](Deck& d) {
                          d.ToggleMute();
                          EXPECT_TRUE(d.IsMuted());
                          d.ToggleMute();
                          EXPECT_FALSE(d.IsMuted());
                      },
                      {"output_mute", "output_unmute"}},
        OperationCase{"Pitch", -1, 0, [](Deck& d) { d.SetPitch(1040); }, {"env_set_integer OUTPUT.DIRECTSOUND.PITCH 1040"}},
        OperationCase{"FeedbackRate", -1, 0, [](Deck& d) { EXPECT_EQ(0, d.SetFeedbackRate(25)); }, {"set_pcm_feedback_rate 25"}},
        OperationCase{"TimecodeGranularity", -1, 0, [](Deck& d) { EXPECT_EQ(0, d.SetTimecodeGranularity(50)); },
                      {"set_timecode_granularity 50"}},
        OperationCase{"MainsVolumeOnMains", -1, 0, [](Deck& d) { d.SetMainsVolume(80); }, {"set_output_levels 255 80 255"}},
        OperationCase{"MonitorVolumeOnMainsIsOnlyKept", -1, 0,
                      [](Deck& d) {
                          d.SetMonitorVolume(60);
                          EXPECT_EQ(60, d.GetMonitorVolume());
                      },
                      {}},
        OperationCase{"RoutingToTheMonitorAndBack", -1, 0,
                      [](Deck& d) {
                          d.SetMonitorDevice(2);
                          d.RouteToMonitor();
                          EXPECT_TRUE(d.IsOnMonitor());
                          d.SetMonitorVolume(60);
                          d.SetMainsVolume(90);
                          d.RouteToMains();
                          EXPECT_FALSE(d.IsOnMonitor());
                      },
                      {"set_output_name /dev/dsound/2", "set_output_levels 255 60 255", "set_output_name /dev/dsound/0"}},
        OperationCase{"MainsDeviceIsSelectedAtOnce", -1, 0,
                      [](Deck& d) {
                          d.SetMainsDevice(3);
                          EXPECT_EQ(3, d.GetMainsDevice());
                      },
                      {"set_output_name /dev/dsound/3"}},
        OperationCase{"EqualizerOff", -1, 0,
                      [](Deck& d) {
                          d.SetEqualizerFlag(true);
                          EXPECT_EQ(0, d.EqualizerOff());
                          EXPECT_FALSE(d.IsEqualizerOn());
                      },
                      {"set_codec_equalizer off"}}),
    [](const ::testing::TestParamInfo<OperationCase>& info) { return std::string(info.param.name); });

TEST_F(DeckTest, PlayAndPauseKeepThePausedFlag)
{
    RecordingDeck& deck = MakeDeck(0);
    deck.Pause();
    EXPECT_TRUE(deck.IsPaused());
    deck.Play();
    EXPECT_FALSE(deck.IsPaused());
}

TEST_F(DeckTest, TheEqualizerTableGivesBandZeroToLowOneToSixToMidTheRestToHighForBothChannels)
{
    RecordingDeck& deck = MakeDeck(0);
    EXPECT_EQ(0, deck.SetEqualizer(-20, 7, 30));
    EXPECT_TRUE(deck.IsEqualizerOn());
    std::string expected = "set_codec_equalizer";
    for (int channel = 0; channel < 2; ++channel)
        for (int band = 0; band < 32; ++band)
            expected += band == 0 ? " -20" : band <= 6 ? " 7" : " 30";
    EXPECT_EQ(Strings{expected}, deck.Recorder()->Sent());

    // A kill: the band at the bottom of the range; values past a byte are held.
    int8_t table[64];
    DeckEqualizerTable(-500, 0, 300, table);
    EXPECT_EQ(-128, table[0]);
    EXPECT_EQ(-128, table[32]);
    EXPECT_EQ(127, table[31]);
    EXPECT_EQ(0, table[6]);
}

// --- set-up ------------------------------------------------------------------

struct SetupCase
{
    const char* name;
    int mains;
    UINT mixers;
    const char* device;
};

class DeckSetup : public DeckTest, public ::testing::WithParamInterface<SetupCase>
{
};

TEST_P(DeckSetup, SelectsTheStoredDeviceItsModuleAndLevels)
{
    const SetupCase& c = GetParam();
    g_mixers = c.mixers;
    m_host.settings.outputDevice[1] = c.mains;
    m_host.settings.monitorDevice[1] = 1;
    RecordingDeck& deck = MakeDeck(1, false);
    const Strings expected = {"output_modules_list", std::string("set_output_name ") + c.device,
                              "get_output_name", "output_module_add dk_dsound_output.dll",
                              "get_output_levels"};
    EXPECT_EQ(expected, deck.Recorder()->Sent());
    EXPECT_EQ(DECK_STATE_SETUP, deck.GetState());
    EXPECT_EQ(1, deck.GetMonitorDevice());
}

INSTANTIATE_TEST_SUITE_P(
    Deck, DeckSetup,
    ::testing::Values(SetupCase{"Device2", 2, 4, "/dev/dsound/2"},
                      SetupCase{"Device9IsSetUpOnDevice0", 9, 12, "/dev/dsound/0"},
                      SetupCase{"Device3WithTwoMixersBecomes0", 3, 2, "/dev/dsound/0"},
                      SetupCase{"Device3WithThreeMixersStays", 3, 3, "/dev/dsound/3"}),
    [](const ::testing::TestParamInfo<SetupCase>& info) { return std::string(info.param.name); });

TEST_F(DeckTest, TheDevicesAreCheckedAgainstTheMixerCount)
{
    g_mixers = 2;
    m_host.settings.outputDevice[0] = 3;
    m_host.settings.monitorDevice[0] = 2;
    RecordingDeck& deck = MakeDeck(0);
    EXPECT_EQ(0, deck.GetMainsDevice());
    EXPECT_EQ(2, deck.GetMonitorDevice()) << "an index equal to the count stays";
}

TEST_F(DeckTest, WithTheFxFilterSettingEachDeckInsertsItsOwnFilterEntry)
{
    m_host.settings.useFxFilter = true;
    for (int i = 0; i < 4; ++i) {
        RecordingDeck& deck = MakeDeck(i, false);
        const std::string add =
            "output_filter_add " + FunctionName(reinterpret_cast<void*>(FxFilterModuleEntry(i))) + " 0";
        const Strings& sent = deck.Recorder()->Sent();
        ASSERT_EQ(6u, sent.size());
        EXPECT_EQ(add, sent[4]) << "deck " << i;
        EXPECT_EQ("get_output_levels", sent[5]);
        EXPECT_TRUE(deck.GetPlayer()->IsFxAttached());
        deck.Recorder()->ClearSent();
        deck.GetPlayer()->DetachFxFilter();
        EXPECT_EQ(Strings{"output_filter_remove " + add.substr(18)}, deck.Recorder()->Sent());
        EXPECT_FALSE(deck.GetPlayer()->IsFxAttached());
    }
}

TEST_F(DeckTest, PlayerModeOneCreatesThePlayerWithoutSettingItUp)
{
    ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"), "[MAIN]\r\nAudioDeckPlayerMode=1\r\n"));
    RecordingDeck& deck = MakeDeck(0, false);
    EXPECT_EQ(1, deck.GetPlayerMode());
    ASSERT_NE(nullptr, deck.GetPlayer());
    EXPECT_TRUE(deck.Recorder()->Sent().empty());
}

TEST_F(DeckTest, SettingsAreReadFromTheProgramFolder)
{
    ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"),
                                          "[MAIN]\r\nWAVScaleValue=250\r\n[DECKC]\r\nNoHistory=1\r\n"));
    RecordingDeck& c = MakeDeck(2);
    RecordingDeck& a = MakeDeck(0);
    EXPECT_EQ(250, c.GetWavScaleValue());
    EXPECT_TRUE(c.GetNoHistory());
    EXPECT_FALSE(a.GetNoHistory());
}

TEST_F(DeckTest, WhenReadyThePlayerStartsItsFeedbackAndGivesDirectSoundTheWindow)
{
    int entry = 0;
    DeckPlayer::SetFeedbackModuleEntry(&entry);
    RecordingDeck& deck = MakeDeck(2);
    EXPECT_FALSE(deck.GetPlayer()->IsReady());
    deck.Recorder()->Notify(CM_READY);
    const std::string window = HandleText(m_host.DeckWindow());
    const Strings expected = {"set_pcm_feedback_rate 100",
                              "feedback_env_set_integer CLIENT.MAINWINDOW " + window,
                              "feedback_env_set_integer CLIENT.FEEDBACK-WINDOW " + window,
                              "feedback_env_set_integer CLIENT.PLAYER 2",
                              "feedback_module_add " + FunctionName(&entry),
                              "feedback_select_name sample-vu",
                              "feedback_start",
                              "env_set_integer OUTPUT.DIRECTSOUND.WINDOW " + window};
    EXPECT_EQ(expected, deck.Recorder()->Sent());
    EXPECT_TRUE(deck.GetPlayer()->IsReady());
}

TEST_F(DeckTest, TheFeedbackModeSwitchesBetweenVuSpectrumAndOff)
{
    int entry = 0;
    RecordingDeck& deck = MakeDeck(3);
    const std::string window = HandleText(m_host.DeckWindow());
    HWND spectrum = m_host.DeckWindow();
    deck.GetPlayer()->SetFeedbackMode(1, spectrum, 120, 40);
    EXPECT_EQ((Strings{"feedback_stop", "set_pcm_feedback_rate 100",
                       "feedback_env_set_integer CLIENT.MAINWINDOW " + window,
                       "feedback_env_set_integer CLIENT.FEEDBACK-WINDOW " + window,
                       "feedback_env_set_integer CLIENT.FEEDBACK-WIDTH 120",
                       "feedback_env_set_integer CLIENT.FEEDBACK-HEIGHT 40",
                       "feedback_env_set_integer CLIENT.PLAYER 3"}),
              deck.Recorder()->Sent())
        << "without the feedback module nothing is selected or started";
    DeckPlayer::SetFeedbackModuleEntry(&entry);
    deck.Recorder()->ClearSent();
    deck.GetPlayer()->SetFeedbackMode(0, nullptr, 0, 0);
    EXPECT_EQ((Strings{"feedback_stop", "set_pcm_feedback_rate 100",
                       "feedback_env_set_integer CLIENT.MAINWINDOW " + window,
                       "feedback_env_set_integer CLIENT.FEEDBACK-WINDOW " + window,
                       "feedback_env_set_integer CLIENT.PLAYER 3", "feedback_module_add " + FunctionName(&entry),
                       "feedback_select_name sample-vub", "feedback_start"}),
              deck.Recorder()->Sent());
    deck.Recorder()->ClearSent();
    deck.GetPlayer()->SetFeedbackMode(1, spectrum, 120, 40);
    EXPECT_EQ("feedback_select_name sample-spectrumb", deck.Recorder()->Sent().at(8));
    deck.Recorder()->ClearSent();
    deck.GetPlayer()->SetFeedbackMode(2, nullptr, 0, 0);
    EXPECT_EQ(Strings{"feedback_stop"}, deck.Recorder()->Sent());
}

// --- engine states -------------------------------------------------------------

struct StateCase
{
    const char* name;
    int deck;
    int engineState;
    int deckState;
    long long posted; // lParam of the deck time message, -1 none
    Strings calls;
    Strings sent;
};

class DeckStates : public DeckTest, public ::testing::WithParamInterface<StateCase>
{
};

TEST_P(DeckStates, MapOntoDeckStatesAndTellTheMainWindow)
{
    const StateCase& c = GetParam();
    RecordingDeck& deck = MakeDeck(c.deck);
    deck.Recorder()->Notify(CM_TIMECODE, 0, 1, 5, 0);
    m_host.TakeTimes();
    deck.Recorder()->Notify(CM_PLAYER_STATE, c.engineState);
    EXPECT_EQ(c.deckState, deck.GetState());
    EXPECT_EQ(c.calls, m_host.calls);
    EXPECT_EQ(c.sent, deck.Recorder()->Sent());
    const auto times = m_host.TakeTimes();
    if (c.posted < 0) {
        EXPECT_TRUE(times.empty());
    } else {
        ASSERT_EQ(1u, times.size());
        EXPECT_EQ(c.deck, times[0].first);
        EXPECT_EQ(c.posted, times[0].second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Deck, DeckStates,
    ::testing::Values(
        StateCase{"PlayingKeepsThePosition", 0, PLAYER_PLAYING, DECK_STATE_PLAYING, 65, {"ShowDeckStatus(0)"}, {}},
        StateCase{"PausedKeepsThePosition", 3, PLAYER_PAUSED, DECK_STATE_PAUSED, 65, {"ShowDeckStatus(3)"}, {}},
        StateCase{"StoppedDeckA", 0, PLAYER_STOPPED, DECK_STATE_STOPPED, 0,
                  {"SetDeckVuLevels(0,0,0)", "ResetDeckWaveform(0)", "ShowDeckStatus(0)"}, {}},
        StateCase{"EndOfStreamDeckB", 1, PLAYER_END_OF_STREAM, DECK_STATE_END_OF_STREAM, 0,
                  {"SetDeckVuLevels(1,0,0)", "ShowDeckStatus(1)", "ResetDeckWaveform(1)", "RunDeckStopCommand(1)"},
                  {"output_drain"}},
        StateCase{"EndOfStreamDeckCHasNoWaveform", 2, PLAYER_END_OF_STREAM, DECK_STATE_END_OF_STREAM, 0,
                  {"SetDeckVuLevels(2,0,0)", "ShowDeckStatus(2)", "RunDeckStopCommand(2)"}, {"output_drain"}},
        StateCase{"AnUnknownStateChangesNothing", 1, 7, DECK_STATE_SETUP, -1, {}, {}}),
    [](const ::testing::TestParamInfo<StateCase>& info) { return std::string(info.param.name); });

TEST_F(DeckTest, TheEndOfPlayClearsOnlyTheDelayRingsOfItsOwnDeck)
{
    RecordingDeck& b = MakeDeck(1);
    RecordingDeck& c = MakeDeck(2);
    FxSetMode(1, FX_FLANGE); // decks B, C and D play with deck B's mode
    FxSetFlangeLength(5);
    // Deck B's ring gets sound; deck C's end of play must not clear it.
    output_filter_module_ops ops;
    ASSERT_EQ(0, FxFilterModuleB(&ops));
    int16_t block[2] = {1000, -1000};
    ops.write(nullptr, block, 4, 2, 2, 44100);
    c.Recorder()->Notify(CM_PLAYER_STATE, PLAYER_END_OF_STREAM);
    int16_t later[2 * 5] = {};
    ops.write(nullptr, later, sizeof(later), 2, 2, 44100);
    EXPECT_EQ(1000, later[8]) << "deck B's ring kept its sound";
    EXPECT_EQ(-1000, later[9]);
    ops.write(nullptr, block, 4, 2, 2, 44100);
    b.Recorder()->Notify(CM_PLAYER_STATE, PLAYER_STOPPED);
    int16_t cleared[2 * 5] = {};
    ops.write(nullptr, cleared, sizeof(cleared), 2, 2, 44100);
    for (int16_t v : cleared)
        EXPECT_EQ(0, v) << "deck B's stop cleared deck B's ring";
}

// --- stop and loop ---------------------------------------------------------------

class DeckStop : public DeckTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(DeckStop, StopsResetsTheOutputPostsTimeZeroAndSwitchesTheLoopOff)
{
    const int index = GetParam();
    RecordingDeck& deck = MakeDeck(index);
    deck.Recorder()->Notify(CM_TIMECODE, 0, 0, 30, 0);
    deck.SetLoopOut();
    ASSERT_TRUE(deck.ToggleLoop());
    deck.Pause();
    deck.Recorder()->ClearSent();
    m_host.calls.clear();
    m_host.TakeTimes();

    deck.Stop();
    EXPECT_EQ((Strings{"stop", "output_reset"}), deck.Recorder()->Sent());
    EXPECT_EQ(0, deck.GetPosition());
    EXPECT_FALSE(deck.IsPaused());
    EXPECT_FALSE(deck.IsLoopOn());
    const auto times = m_host.TakeTimes();
    ASSERT_EQ(1u, times.size());
    EXPECT_EQ(index, times[0].first);
    EXPECT_EQ(0, times[0].second);
    // Only decks A and B have loop lights; each touches only its own.
    const Strings light = index <= 1 ? Strings{"SetDeckLoopLight(" + std::to_string(index) + ",0)"} : Strings{};
    EXPECT_EQ(light, m_host.calls);
}

INSTANTIATE_TEST_SUITE_P(Deck, DeckStop, ::testing::Values(0, 1, 2, 3));

TEST_F(DeckTest, StopInBufferedModeStopsThePlayerToo)
{
    m_host.settings.decode = true;
    m_host.settings.bufferFile = true;
    RecordingDeck& deck = MakeDeck(1);
    deck.Stop();
    EXPECT_TRUE(deck.StopRequested());
    EXPECT_EQ((Strings{"stop", "output_reset"}), deck.Recorder()->Sent());
}

TEST_F(DeckTest, ALoopNeedsLoopInBeforeLoopOut)
{
    RecordingDeck& deck = MakeDeck(1);
    EXPECT_FALSE(deck.ToggleLoop()) << "loop-in and loop-out both 0";
    EXPECT_FALSE(deck.IsLoopOn());
    EXPECT_EQ(Strings{"Loop In needs to be less than loop out."}, m_notices.shown);
    EXPECT_TRUE(m_host.calls.empty());

    deck.Recorder()->Notify(CM_TIMECODE, 0, 0, 12, 0);
    deck.SetLoopIn();
    deck.Recorder()->Notify(CM_TIMECODE, 0, 0, 20, 0);
    deck.SetLoopOut();
    EXPECT_EQ(12, deck.GetLoopIn());
    EXPECT_EQ(20, deck.GetLoopOut());
    EXPECT_TRUE(deck.ToggleLoop());
    EXPECT_TRUE(deck.IsLoopOn());
    EXPECT_TRUE(deck.ToggleLoop());
    EXPECT_FALSE(deck.IsLoopOn());
    EXPECT_EQ((Strings{"SetDeckLoopLight(1,1)", "SetDeckLoopLight(1,0)"}), m_host.calls);
    EXPECT_EQ(1u, m_notices.shown.size());
}

struct LoopCase
{
    const char* name;
    int deck;
    int length, loopIn, loopOut;
    int hours, minutes, seconds;
    Strings sent;
};

class DeckLoops : public DeckTest, public ::testing::WithParamInterface<LoopCase>
{
};

TEST_P(DeckLoops, GoBackToLoopInWhenTheTimeCodeReachesLoopOut)
{
    const LoopCase& c = GetParam();
    RecordingDeck& deck = MakeDeck(c.deck);
    deck.GetTagInfo().Length = c.length;
    deck.Recorder()->Notify(CM_TIMECODE, c.loopIn / 3600, c.loopIn / 60 % 60, c.loopIn % 60, 0);
    deck.SetLoopIn();
    deck.Recorder()->Notify(CM_TIMECODE, c.loopOut / 3600, c.loopOut / 60 % 60, c.loopOut % 60, 0);
    deck.SetLoopOut();
    ASSERT_TRUE(deck.ToggleLoop());
    deck.Recorder()->ClearSent();
    m_host.TakeTimes();
    deck.Recorder()->Notify(CM_TIMECODE, c.hours, c.minutes, c.seconds, 0);
    EXPECT_EQ(c.sent, deck.Recorder()->Sent());
    const auto times = m_host.TakeTimes();
    ASSERT_EQ(1u, times.size());
    EXPECT_EQ(c.hours * 3600 + c.minutes * 60 + c.seconds, times[0].second);
}

INSTANTIATE_TEST_SUITE_P(
    Deck, DeckLoops,
    ::testing::Values(LoopCase{"AtLoopOut", 0, 240, 10, 20, 0, 0, 20, {"seek 10 240"}},
                      LoopCase{"PastLoopOut", 0, 240, 10, 20, 0, 0, 23, {"seek 10 240"}},
                      LoopCase{"BeforeLoopOut", 0, 240, 10, 20, 0, 0, 19, {}},
                      LoopCase{"DeckB", 1, 300, 100, 130, 0, 2, 10, {"seek 100 300"}},
                      LoopCase{"DeckD", 3, 300, 100, 130, 0, 2, 10, {"seek 100 300"}},
                      LoopCase{"PastAnHour", 1, 4000, 3650, 3700, 1, 1, 40, {"seek 3650 4000"}},
                      LoopCase{"PastAnHourNotYet", 1, 4000, 3650, 3700, 1, 1, 39, {}}),
    [](const ::testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.name); });

TEST_F(DeckTest, ADeckLoopsOnItsOwnValuesOnly)
{
    RecordingDeck& a = MakeDeck(0);
    RecordingDeck& b = MakeDeck(1);
    a.GetTagInfo().Length = 240;
    a.Recorder()->Notify(CM_TIMECODE, 0, 0, 10, 0);
    a.SetLoopIn();
    a.Recorder()->Notify(CM_TIMECODE, 0, 0, 20, 0);
    a.SetLoopOut();
    ASSERT_TRUE(a.ToggleLoop());
    b.Recorder()->ClearSent();
    b.Recorder()->Notify(CM_TIMECODE, 0, 0, 25, 0);
    EXPECT_TRUE(b.Recorder()->Sent().empty()) << "deck B does nothing with deck A's loop";
}

// --- positions ----------------------------------------------------------------------

TEST_F(DeckTest, PositionsCountHours)
{
    RecordingDeck& deck = MakeDeck(2);
    deck.GetTagInfo().Length = 4000;
    deck.Recorder()->Notify(CM_TIMECODE, 1, 2, 3, 50);
    EXPECT_EQ(3723, deck.GetPosition());
    const auto times = m_host.TakeTimes();
    ASSERT_EQ(1u, times.size());
    EXPECT_EQ(2, times[0].first);
    EXPECT_EQ(3723, times[0].second);
    deck.SeekForward(10);
    deck.SeekBackward(3700);
    deck.SeekTo(3900);
    EXPECT_EQ((Strings{"seek 3733 4000", "seek 23 4000", "seek 3900 4000"}), deck.Recorder()->Sent());
}

TEST_F(DeckTest, TheDurationBecomesTheTrackLengthAndSeekRange)
{
    RecordingDeck& deck = MakeDeck(3);
    deck.Recorder()->Notify(CM_STREAM_DURATION, 4321);
    EXPECT_EQ(4321, deck.GetTagInfo().Length);
    EXPECT_EQ(4321, deck.GetPlayer()->GetSeekRange());
    EXPECT_EQ(Strings{"InitDeckPositionBar(3,4321)"}, m_host.calls);
}

TEST_F(DeckTest, TheInputStateFollowsTheNotifications)
{
    RecordingDeck& deck = MakeDeck(0);
    deck.Recorder()->Notify(CM_INPUT_STATE, 0);
    EXPECT_TRUE(deck.GetPlayer()->GetInputOpen());
    deck.Recorder()->Notify(CM_INPUT_STATE, 5);
    EXPECT_TRUE(deck.GetPlayer()->GetInputOpen());
    deck.Recorder()->Notify(CM_INPUT_STATE, 1);
    EXPECT_FALSE(deck.GetPlayer()->GetInputOpen());
}

// --- texts and reset ------------------------------------------------------------------

TEST_F(DeckTest, EachDeckShowsItsOwnLetter)
{
    const char* const titles[4] = {"Deck A - Reset", "Deck B - Reset", "Deck C - Reset", "Deck D - Reset"};
    for (int i = 0; i < 4; ++i) {
        RecordingDeck& deck = MakeDeck(i);
        deck.GetTagInfo().Artist = "someone";
        deck.GetTagInfo().Length = 99;
        deck.ClearTrackInfo();
        EXPECT_STREQ(titles[i], deck.GetTagInfo().Title);
        EXPECT_TRUE(deck.GetTagInfo().Artist.IsEmpty());
        EXPECT_EQ(0, deck.GetTagInfo().Length);
    }
}

TEST_F(DeckTest, ResetUnloadsTheDeck)
{
    const char* const titles[4] = {"Deck A - Load Track", "Deck B - Load Track", "", ""};
    for (int i = 0; i < 4; ++i) {
        RecordingDeck& deck = MakeDeck(i);
        deck.GetTagInfo().Title = "a title";
        deck.GetTagInfo().Length = 99;
        EXPECT_EQ(0, deck.Reset());
        EXPECT_EQ((Strings{"stop", "input_close", "output_close", "output_reset"}), deck.Recorder()->Sent());
        EXPECT_STREQ(titles[i], deck.GetTagInfo().Title);
        EXPECT_EQ(0, deck.GetTagInfo().Length);
        EXPECT_EQ(Strings{"UpdateDeckDisplay(" + std::to_string(i) + ")"}, m_host.calls);
    }
}

TEST_F(DeckTest, CuePointsAreKeptPerCue)
{
    RecordingDeck& deck = MakeDeck(0);
    EXPECT_FALSE(deck.IsCueSet(1));
    deck.SetCue(2, 3725);
    EXPECT_FALSE(deck.IsCueSet(1));
    EXPECT_TRUE(deck.IsCueSet(2));
    EXPECT_EQ(3725, deck.GetCue(2));
    deck.SetCue(3, 5);
    EXPECT_FALSE(deck.IsCueSet(3));
    deck.ClearCues();
    EXPECT_FALSE(deck.IsCueSet(2));
}

// --- devices ----------------------------------------------------------------------------

TEST_F(DeckTest, TheDeviceListTakesDevNamesAsDsoundAndIsClearedBeforeListingAgain)
{
    m_host.settings.outputDevice[0] = 1;
    RecordingDeck& deck = MakeDeck(0);
    DeckPlayer* player = deck.GetPlayer();
    auto answer = [&]() {
        deck.Recorder()->Notify(CM_OUTPUT_DEVICE_INFO, 3, 0, 0, "/dev/wave/0", "Primary Sound Driver");
        deck.Recorder()->Notify(CM_OUTPUT_DEVICE_INFO, 3, 1, 0, "/dev/dsound/1", "Null Output");
        deck.Recorder()->Notify(CM_OUTPUT_DEVICE_INFO, 2, 0, 0, "file.raw", "a file");
    };
    answer();
    ASSERT_EQ(2u, player->Devices().size());
    EXPECT_STREQ("/dev/dsound/0", player->Devices()[0].name);
    EXPECT_EQ(1, player->Devices()[1].deviceIndex);
    EXPECT_STREQ("Null Output", player->GetMainsDeviceName());
    EXPECT_STREQ("Primary Sound Driver", player->GetMonitorDeviceName());
    player->SetMonitorDevice(7);
    EXPECT_STREQ("N/A", player->GetMonitorDeviceName());

    deck.Recorder()->ClearSent();
    EXPECT_EQ(0, player->ListOutputDevices());
    EXPECT_EQ(Strings{"output_modules_list"}, deck.Recorder()->Sent());
    EXPECT_TRUE(player->Devices().empty());
    answer();
    EXPECT_EQ(2u, player->Devices().size()) << "a second listing does not add the devices twice";

    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "parent", WS_POPUP, CRect(0, 0, 300, 300), nullptr, 0));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 200, 200), &parent, 100));
    combo.AddString("left over");
    deck.FillMainsDeviceCombo(&combo);
    ASSERT_EQ(2, combo.GetCount());
    CString row;
    combo.GetLBText(0, row);
    EXPECT_STREQ("0 : Primary Sound Driver", row);
    combo.GetLBText(1, row);
    EXPECT_STREQ("1 : Null Output", row);
    EXPECT_EQ(1u, combo.GetItemData(1));
    EXPECT_EQ(1, combo.GetCurSel());
    deck.FillMonitorDeviceCombo(&combo);
    EXPECT_EQ(2, combo.GetCount());
    EXPECT_EQ(CB_ERR, combo.GetCurSel()) << "monitor device 7 is not listed";
    parent.DestroyWindow();
}
