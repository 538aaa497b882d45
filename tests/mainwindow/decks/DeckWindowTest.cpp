// The decks in a real main window under Wine: the shipped Default skin's
// deck controls (text and status fields, lights, sliders, position bars,
// level bars) made by the test's own builder, real decks whose players play
// through DirectSound into the sound server's null sink, and a recording of
// the sink's monitor. Runs alone (SERIAL): other sound on the sink would
// mix into the recording.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "../../decoder/dkplayer/DsoundTestSupport.h"
#include "audio/deck/DeckLogic.h"
#include "audio/deck/DeckPlayer.h"
#include "decoder/player/message_transport.h"
#include "input/controllermap/ControllerMap.h"
#include "mainwindow/decks/DeckArea.h"
#include "mainwindow/mixer/Mixer.h"
#include "mainwindow/messages/PrivateMessages.h"
#include "skin/create/SkinPaneSeams.h"
#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/parts/ProgramParts.h"
#include "mainwindow/res/MainWindowIds.h"
#include "skin/create/CreateRules.h"
#include "skin/create/FindSkinControl.h"
#include "skin/fields/TXVIndLight.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/fields/TXVTextField.h"
#include "skin/file/Skin.h"
#include "tests/mainwindow/support/ProgramWindowFixture.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"
#include "widgets/progress/GradientProgressCtrl.h"
#include "widgets/slider/BitmapSlider.h"

using namespace tavrix_test;

namespace
{

bool IsDeckControl(const CString& action)
{
    const char* a = action.GetString();
    return (a[0] >= 'a' && a[0] <= 'd' && a[1] == '-') || strncmp(a, "lt-", 3) == 0 || action == "sldxfader";
}

// The program's parts with the test's own builder of the deck controls
// (until the window's builders are part of the program).
class DeckTestParts : public ProgramParts
{
public:
    explicit DeckTestParts(MainDialog& dialog) : ProgramParts(dialog) {}

    bool CreateTextFields() override
    {
        Each(SKIN_TEXTFIELD, [this](const SkinItem& item) {
            auto field = std::make_unique<TXVTextField>();
            TheSkin().CreateTextField(item, *field);
            Keep(std::move(field));
        });
        return true;
    }
    bool CreateStatusFields() override
    {
        Each(SKIN_STATUS, [this](const SkinItem& item) {
            auto field = std::make_unique<TXVStatusField>();
            TheSkin().CreateStatusField(item, *field);
            Keep(std::move(field));
        });
        return true;
    }
    bool CreateIndicatorLights() override
    {
        Each(SKIN_INDLIGHT, [this](const SkinItem& item) {
            auto light = std::make_unique<TXVIndLight>();
            TheSkin().CreateIndicatorLight(item, *light);
            Keep(std::move(light));
        });
        return true;
    }
    bool CreateMiscControls() override
    {
        Each(SKIN_SLIDER, [this](const SkinItem& item) {
            auto slider = std::make_unique<CBitmapSlider>();
            m_backgrounds.push_back(std::make_unique<CBitmap>());
            TheSkin().CreateSlider(item, *slider, *m_backgrounds.back());
            Keep(std::move(slider));
        });
        Each(SKIN_PROGRESS, [this](const SkinItem& item) {
            auto bar = std::make_unique<CGradientProgressCtrl>();
            TheSkin().CreateProgressBar(item, *bar);
            Keep(std::move(bar));
        });
        Each(SKIN_METER, [this](const SkinItem& item) {
            if (SkinMeterDisplay(item.value) != MeterDisplay::Bar)
                return;
            auto bar = std::make_unique<CGradientProgressCtrl>();
            TheSkin().CreateLevelMeter(item, *bar);
            Keep(std::move(bar));
        });
        return true;
    }

    size_t ControlCount() const { return m_controls.size(); }

private:
    template <class F>
    void Each(int kind, F make)
    {
        const Skin& skin = TheSkin();
        for (int i = 0; i < skin.GetItemCount(); ++i) {
            const SkinItem& item = skin.GetItem(i);
            if (item.kind == kind && item.id != 0 && IsDeckControl(item.action))
                make(item);
        }
    }
    void Keep(std::unique_ptr<CWnd> control) { m_controls.push_back(std::move(control)); }

    std::vector<std::unique_ptr<CWnd>> m_controls;
    std::vector<std::unique_ptr<CBitmap>> m_backgrounds;
};

// A real main window with the Default skin's deck controls and real decks
// (their players need no sound device to be set up).
class DeckWindowDisplays : public ProgramWindowFixture
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenWindow("[MAIN]\r\n" + MainKeys() + "Tooltips=1\r\nSaveEQGain=1\r\n" +
                                               FullGainDecks(),
                                           4, [](MainDialog& dialog) {
                                               return std::unique_ptr<ProgramParts>(new DeckTestParts(dialog));
                                           }));
        ASSERT_GT(static_cast<DeckTestParts&>(*m_parts).ControlCount(), 100u) << "the Default skin's deck controls";
    }
};

// The decks playing into the sound server's null sink.
class DeckWindow : public DeckWindowDisplays
{
protected:
    void SetUp() override
    {
        if (!HasDirectSound())
            GTEST_SKIP() << "no DirectSound device (no sound server)";
        DeckWindowDisplays::SetUp();
    }
};

} // namespace

// The players post a time on every time code (ten a second for each deck
// at MAIN/TimeGran 10). On a loaded machine showing one took longer than
// that: the times piled up in the queue, the displays fell ever further
// behind and the window answered nothing else (a play pressed waited for
// the backlog). One deck time handled now shows the newest time of every
// deck waiting and leaves none behind.
TEST_F(DeckWindowDisplays, ABacklogOfDeckTimesIsShownAtItsNewestByOneHandling)
{
    for (int i = 0; i <= 300; ++i) {
        ASSERT_TRUE(::PostMessageA(Window(), WM_DECK_TIME, 0, i));
        ASSERT_TRUE(::PostMessageA(Window(), WM_DECK_TIME, 1, 2 * i));
    }
    // Another kind of message behind them keeps its place.
    ASSERT_TRUE(::PostMessageA(Window(), WM_NULL, 0, 0));
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, Window(), WM_DECK_TIME, WM_DECK_TIME, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_EQ(0, msg.lParam);
    ::DispatchMessageA(&msg);

    EXPECT_FALSE(::PeekMessageA(&msg, Window(), WM_DECK_TIME, WM_DECK_TIME, PM_NOREMOVE))
        << "a deck time still waits: deck " << msg.wParam << " at " << msg.lParam;
    EXPECT_EQ("005:00", Text("a-elaptime"));
    EXPECT_EQ("010:00", Text("b-elaptime"));
    EXPECT_TRUE(::PeekMessageA(&msg, Window(), WM_NULL, WM_NULL, PM_REMOVE));

    // Times of a deck that does not exist are taken and shown nowhere.
    ASSERT_TRUE(::PostMessageA(Window(), WM_DECK_TIME, 0, 61));
    ASSERT_TRUE(::PostMessageA(Window(), WM_DECK_TIME, 7, 5));
    ASSERT_TRUE(::PostMessageA(Window(), WM_DECK_TIME, 0, 62));
    ASSERT_TRUE(::PeekMessageA(&msg, Window(), WM_DECK_TIME, WM_DECK_TIME, PM_REMOVE));
    ::DispatchMessageA(&msg);
    EXPECT_FALSE(::PeekMessageA(&msg, Window(), WM_DECK_TIME, WM_DECK_TIME, PM_NOREMOVE));
    EXPECT_EQ("001:02", Text("a-elaptime"));
}

namespace
{

// An album-art view that writes down the picture files it is told to show.
class RecordingArtView : public CWnd, public SkinAlbumArt
{
public:
    BOOL CreateView(DWORD, const RECT&, CWnd*, UINT) override { return TRUE; }
    HWND GetViewWindow() const override { return m_hWnd; }
    void SetHasArt(bool) override {}
    void GrabBackground() override {}
    void SetDefaultImage(const CString&) override {}
    void SetArtFileName(const CString&) override {}
    void ShowTrackArt(const CString&) override {}
    void SetBorder(bool) override {}
    void ShowImageFile(const CString& file) override { shown.push_back(file.GetString()); }
    std::vector<std::string> shown;
};

} // namespace

// WM_USER+9502 (sent by a window with a controller-map entry), +9503 (a
// deck's cover was downloaded) and +9520 (write the cover into the tag).
TEST_F(DeckWindowDisplays, TheJogWheelTheFoundCoverAndTheTagPictureMessages)
{
    Load(0, "decks_a330.mp3");
    Pump(200);
    ASSERT_EQ("000:00", Text("a-elaptime"));

    // The wheel moves deck A only while its jog mode is on.
    ControllerMapItem wheel;
    wheel.commandId = 28014;
    ::SendMessageA(Window(), WM_JOG_MOVED, reinterpret_cast<WPARAM>(&wheel), 67);
    Pump(300);
    EXPECT_EQ("000:00", Text("a-elaptime")) << "the jog mode is off";
    m_parts->Decks().Input()->SetJogMode(0, true);
    ::SendMessageA(Window(), WM_JOG_MOVED, reinterpret_cast<WPARAM>(&wheel), 67);
    EXPECT_TRUE(PumpUntil([&] { return Text("a-elaptime") == "000:03"; }, 5000)) << Text("a-elaptime");
    EXPECT_EQ("000:02", Text("a-remaintime"));

    // The cover deck A downloaded is shown in deck A's view; deck B's view
    // is not touched by deck A's cover.
    RecordingArtView artA, artB;
    const RECT rc = {0, 0, 10, 10};
    ASSERT_TRUE(artA.Create(nullptr, "", WS_CHILD, rc, m_dialog,
                            SkinWindowId(TheSkin().LookupControlName("arta"))));
    ASSERT_TRUE(artB.Create(nullptr, "", WS_CHILD, rc, m_dialog,
                            SkinWindowId(TheSkin().LookupControlName("artb"))));
    m_parts->Decks().View()->ForgetControls();
    ::PostMessageA(Window(), WM_ART_FOUND, 0, 0);
    Pump(200);
    EXPECT_EQ((std::vector<std::string>{m_folder.File("amazonimage-A.jpg")}), artA.shown);
    EXPECT_TRUE(artB.shown.empty());
    ::PostMessageA(Window(), WM_ART_FOUND, 2, 0);   // deck C has no view of its own
    Pump(200);
    EXPECT_EQ(1u, artA.shown.size());
    EXPECT_TRUE(artB.shown.empty());
    artA.DestroyWindow();
    artB.DestroyWindow();
    m_parts->Decks().View()->ForgetControls();

    // No cover was downloaded for the track: its file stays as it was, with
    // MAIN/AutosaveAlbumArt on or not.
    const std::string track = m_folder.File("keep.mp3");
    ASSERT_TRUE(::CopyFileA(MediaPath("decks_a330.mp3").c_str(), track.c_str(), FALSE));
    std::string before, after;
    ASSERT_TRUE(ReadFileBytes(track, before));
    ::SendMessageA(Window(), WM_TAG_ART, 0, reinterpret_cast<LPARAM>(track.c_str()));
    ASSERT_TRUE(ReadFileBytes(track, after));
    EXPECT_TRUE(before == after);
}

TEST_F(DeckWindow, TwoTracksPlayOnDecksAAndBAtTheirGainsAndTheDisplaysFollow)
{
    Load(0, "decks_a330.mp3");
    Load(1, "decks_b880.mp3");
    // The load's display: titles, the elapsed time at 0, the remaining
    // time equal to the total, the stream facts.
    EXPECT_EQ("Deck Tone A", Text("a-title"));
    EXPECT_EQ("Deck Tone B", Text("b-title"));
    EXPECT_EQ("Tavrix Tests", Text("b-artist"));
    EXPECT_EQ("000:00", Text("a-elaptime"));
    EXPECT_EQ(Text("a-totaltime"), Text("a-remaintime"));
    EXPECT_EQ("000:05", Text("a-totaltime"));
    EXPECT_EQ("44100", Text("a-frequency"));
    EXPECT_EQ("128", Text("a-sps"));
    EXPECT_EQ(1, Light("lt-a-pitchcenter"));

    // Deck B's gain slider at position 50 (volume 50), as the user drags it.
    CBitmapSlider* gainB = Slider("b-sldgain");
    ASSERT_NE(nullptr, gainB);
    gainB->SetPos(50);
    ::SendMessageA(Window(), WM_USER + 9426, static_cast<WPARAM>(TheSkin().LookupControlName("b-sldgain")), 0);

    // The recording starts once both play: under Wine a deck's output that
    // opens while the recorder's capture runs sometimes fails to open.
    Command(27101);   // "a-play"
    Command(27201);   // "b-play"
    ASSERT_TRUE(PumpUntil([&] { return Decks().Get(0)->GetState() == DECK_STATE_PLAYING &&
                                       Decks().Get(1)->GetState() == DECK_STATE_PLAYING; }, 10000))
        << "the decks never played: A " << Decks().Get(0)->GetState() << ", B " << Decks().Get(1)->GetState();
    SinkRecorder recorder;
    if (!recorder.Problem().empty())
        GTEST_SKIP() << recorder.Problem();
    // The recorder can take seconds to deliver on a loaded machine, when
    // the five-second tracks are far on: both start again from the top,
    // so that the recording holds three seconds of them.
    Decks().Get(0)->SeekToStart();
    Decks().Get(1)->SeekToStart();
    ASSERT_TRUE(PumpUntil([&] { return Decks().Get(0)->GetPosition() <= 1 && Decks().Get(1)->GetPosition() <= 1; },
                          10000))
        << "the decks did not go back: A at " << Decks().Get(0)->GetPosition() << ", B at "
        << Decks().Get(1)->GetPosition();
    ASSERT_TRUE(PumpUntil([&] { return Decks().Get(0)->GetPosition() >= 3 && Decks().Get(1)->GetPosition() >= 3; },
                          15000))
        << "A at " << Decks().Get(0)->GetPosition() << ", B at " << Decks().Get(1)->GetPosition();
    // The deck time has reached every display.
    EXPECT_EQ("Playing", Text("a-status"));
    EXPECT_EQ("Playing", Text("b-status"));
    EXPECT_NE("000:00", Text("a-elaptime"));
    EXPECT_NE(Text("a-totaltime"), Text("a-remaintime"));
    EXPECT_EQ(1, Light("lt-a-live"));
    EXPECT_EQ(1, Light("lt-b-live"));
    CBitmapSlider* seekA = Slider("a-sldseek");
    ASSERT_NE(nullptr, seekA);
    EXPECT_GE(seekA->GetPos(), 2);
    CGradientProgressCtrl* barB =
        FindSkinControl<CGradientProgressCtrl>(Window(), TheSkin().LookupControlName("b-progress"));
    ASSERT_NE(nullptr, barB);
    EXPECT_GE(barB->CProgressCtrl::GetPos(), 2);

    Command(27102);   // "a-stop"
    Command(27202);   // "b-stop"
    Pump(400);        // the sound server's own latency
    EXPECT_EQ("Stopped", Text("a-status"));
    EXPECT_EQ("000:00", Text("a-elaptime"));
    EXPECT_EQ(0, Light("lt-a-live"));
    const std::vector<int16_t> heard = recorder.Stop();

    const ToneMeasure span = MeasureTone(heard, 2000);
    ASSERT_LT(span.first + 44100, span.last) << "nothing was heard";
    const size_t from = span.first + 22050, to = span.last - 22050;
    const double a = MedianToneAmplitude(heard, from, to, 330);
    const double b = MedianToneAmplitude(heard, from, to, 880);
    printf("heard %.2f s: deck A 330 Hz %.0f, deck B 880 Hz %.0f (ratio %.3f)\n", span.seconds, a, b, b / a);
    // Both tones are -6 dB (16384) in their files; deck A plays at volume
    // 100, deck B at 50.
    EXPECT_NEAR(16384, a, 16384 * 0.15);
    EXPECT_NEAR(0.5, b / a, 0.06);
}

TEST_F(DeckWindow, ResetWhilePlayingEndsTheDecksThreadsAndNothingOfItArrivesAfterwards)
{
    Load(0, "decks_a330.mp3");
    Command(27101);
    ASSERT_TRUE(PumpUntil([&] { return Decks().Get(0)->GetPosition() >= 1; }, 10000)) << "it never played";
    Deck* old = Decks().Get(0);
    HANDLE server = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), old->GetPlayer()->Player()->join_thread,
                                  ::GetCurrentProcess(), &server, SYNCHRONIZE, FALSE, 0));
    // A time the old deck posted, still waiting when the reset comes.
    ::PostMessageA(Window(), WM_DECK_TIME, 0, 3);
    ::PostMessageA(Window(), WM_DECK_TIME, 1, 0);

    SinkRecorder recorder;
    m_parts->Decks().ResetDeck(0);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(server, 0)) << "the old player's thread still runs";
    ::CloseHandle(server);
    // Deck A's waiting time is gone; deck B's is still there.
    MSG msg;
    std::vector<std::pair<WPARAM, LPARAM>> waiting;
    while (::PeekMessageA(&msg, Window(), WM_DECK_TIME, WM_DECK_TIME, PM_REMOVE))
        waiting.emplace_back(msg.wParam, msg.lParam);
    EXPECT_EQ((std::vector<std::pair<WPARAM, LPARAM>>{{1, 0}}), waiting);

    EXPECT_NE(nullptr, Decks().Get(0));
    EXPECT_NE(DECK_STATE_PLAYING, Decks().Get(0)->GetState());
    Pump(600);
    EXPECT_EQ("Deck A - Reset", Text("a-title"));
    EXPECT_EQ("000:00", Text("a-elaptime"));
    EXPECT_EQ(50, Slider("a-sldpitch")->GetPos());
    EXPECT_EQ("0", Text("a-pitch"));
    EXPECT_EQ(1, Light("lt-a-pitchcenter"));
    EXPECT_EQ(0, Light("lt-a-live"));
    EXPECT_TRUE(m_parts->Decks().Commands()->AreDecksSetUp());
    if (recorder.Problem().empty()) {
        const std::vector<int16_t> heard = recorder.Stop();
        // The sink's own latency still carries what was written before.
        const size_t from = heard.size() > 33075 ? 33075 : heard.size();
        int peak = 0;
        for (size_t i = from; i < heard.size(); ++i)
            peak = std::max(peak, std::abs(static_cast<int>(heard[i])));
        size_t last = 0;
        for (size_t i = 0; i < heard.size(); ++i)
            if (std::abs(static_cast<int>(heard[i])) > 500)
                last = i;
        EXPECT_LT(peak, 500) << "the reset deck still sounds: heard until frame " << last << " of " << heard.size();
    }

    // The fresh deck plays again (the recording has ended: see above).
    Load(0, "decks_a330.mp3");
    Command(27101);
    EXPECT_TRUE(PumpUntil([&] { return Decks().Get(0)->GetPosition() >= 1; }, 10000))
        << "the fresh deck does not play: state " << Decks().Get(0)->GetState();
    Pump(300);
    EXPECT_NE("000:00", Text("a-elaptime"));
    Command(27102);
}

// The exit's settings: each deck's gain, live EQ values, monitor gain and
// EQ switch as they are now, not as they were read at start.
TEST_F(DeckWindowDisplays, TheDecksGainsEqAndSwitchesAreWrittenBackAtExit)
{
    CBitmapSlider* gainB = Slider("b-sldgain");
    ASSERT_NE(nullptr, gainB);
    gainB->SetPos(30);
    ::SendMessageA(Window(), WM_USER + 9426, static_cast<WPARAM>(TheSkin().LookupControlName("b-sldgain")), 0);
    Command(27119);   // "a-eqonoff": deck A's EQ on
    Mixer* mixer = m_parts->Decks().GetMixer();
    ASSERT_NE(nullptr, mixer);
    mixer->SetDeckEq(0, 12, -20, 40);
    mixer->SetMonitorGain(1, 70);
    m_parts->StopDecks();
    m_dialog->SaveSettings();

    const std::string ini = m_folder.File("TavrixVJ.INI");
    auto value = [&](const char* section, const char* key) {
        return static_cast<int>(::GetPrivateProfileIntA(section, key, -999, ini.c_str()));
    };
    EXPECT_EQ(1, value("DECKA", "EQOn"));
    EXPECT_EQ(12, value("DECKA", "EQLow"));
    EXPECT_EQ(-20, value("DECKA", "EQMid"));
    EXPECT_EQ(40, value("DECKA", "EQHi"));
    EXPECT_EQ(0, value("DECKA", "Gain"));
    EXPECT_EQ(100, value("DECKA", "MonGain"));
    EXPECT_EQ(0, value("DECKB", "EQOn"));
    EXPECT_EQ(30, value("DECKB", "Gain"));
    EXPECT_EQ(70, value("DECKB", "MonGain"));
    // Decks C and D: their switch only where the skin made the deck.
    for (int deck = 2; deck < 4; ++deck) {
        const char* section = deck == 2 ? "DECKC" : "DECKD";
        if (Decks().Get(deck))
            EXPECT_EQ(0, value(section, "EQOn")) << section;
        else
            EXPECT_EQ(-999, value(section, "EQOn")) << section;
    }
}

// "Reset Deck" replaces deck A's object; the deck A queue's "a-next" then
// loads into the fresh deck (the lists ask the mixer for the deck each
// time, never keep the object the reset freed).
TEST_F(DeckWindowDisplays, AfterAResetTheDeckQueueLoadsIntoTheFreshDeck)
{
    m_parts->Decks().ResetDeck(0);
    ASSERT_TRUE(PumpUntil([&] { return Decks().Get(0) && Decks().Get(0)->GetPlayer()->IsReady(); }, 10000));
    Pump(200);
    ASSERT_EQ("Deck A - Reset", Text("a-title"));
    EXPECT_EQ(Decks().GetMixDeck(0), m_parts->Decks().GetMixer()->GetDeck(0));

    CTrackRecord record;
    record.m_FileName = MediaPath("decks_a330.mp3").c_str();
    m_dialog->Queues().deckA.Add(record);
    Command(27108);   // "a-next"
    EXPECT_EQ(0, m_dialog->Queues().deckA.GetSize()) << "the queue's track was not loaded";
    ASSERT_TRUE(PumpUntil([&] { return Decks().Get(0)->GetPlayer()->GetInputOpen(); }, 10000))
        << "the fresh deck's player never opened the track";
    EXPECT_EQ("Deck Tone A", Text("a-title"));
    EXPECT_EQ("000:05", Text("a-totaltime"));
}
