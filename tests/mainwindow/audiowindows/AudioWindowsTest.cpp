// The main window's side of the sampler, the audio jukebox and the
// feedback module, on a real main window: the effect list read when it is
// made, both windows created hidden and shown, the commands that reach
// them, the queue operations of the jukebox's menu on the main window's
// queue, and the deck meters the feedback module drives through the main
// window's registration.
#include "mainwindow/audiowindows/AudioWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio/deck/DeckLogic.h"
#include "audio/sampler/EffectListFile.h"
#include "decoder/engine/decoder.h"
#include "library/api/VIZU.h"
#include "mainwindow/res/MainWindowIds.h"
#include "tests/audio/players/WaveFiles.h"
#include "tests/mainwindow/window/MainWindowFixture.h"

namespace {

typedef std::vector<std::string> Strings;
using main_menus::ModelessWindow;
using command_areas::CommandArea;

// The decks as the feedback module asks after them.
class DeckParts : public tavrix_test::FakeParts
{
public:
    int states[4] = {0, 0, 0, 0};
    bool scopes[4] = {false, false, false, false};
    std::vector<std::string> scopeValues;
    std::vector<std::string> levels;
    void SetDeckVuLevels(int deck, int left, int right) override
    {
        levels.push_back(std::to_string(deck) + " " + std::to_string(left) + " " + std::to_string(right));
    }
    int DeckPlayerState(int deck) override { return states[deck]; }
    bool IsDeckScopeShown(int deck) override { return scopes[deck]; }
    void AppendDeckScopeValue(int deck, int value) override
    {
        scopeValues.push_back(std::to_string(deck) + " " + std::to_string(value));
    }
};

// A 16-bit stereo 44.1 kHz WAVE file of silence.
std::string MakeWave(const std::string& path, int seconds)
{
    EXPECT_TRUE(tavrix_test::WriteFileBytes(path, WaveFileBytes(StereoSilence(seconds))));
    return path;
}

// The client variables a fake feedback server hands the module.
std::map<std::string, int32_t> g_variables;
int GetInteger(feedback_server*, const char* name, int32_t* value)
{
    auto it = g_variables.find(name);
    if (it == g_variables.end())
        return -900;
    *value = it->second;
    return 0;
}
const feedback_services kServices = {GetInteger, nullptr, nullptr, nullptr, nullptr};

class AudioWindowsTest : public tavrix_test::MainWindowTest
{
protected:
    void TearDown() override
    {
        m_audio.reset();
        MainWindowTest::TearDown();
    }
    // The main window with the deck fakes, laid out, and its audio side.
    void Open()
    {
        ASSERT_NO_FATAL_FAILURE(WriteSettings("", "[AUDIOJUKEBOX]\r\nVolume=50\r\n"));
        m_dialog = new MainDialog;
        m_dialog->SetParts(&m_decks);
        ASSERT_TRUE(m_dialog->Create(IDD_MAINDIALOG));
        m_decks.window = m_dialog->m_hWnd;
        ASSERT_TRUE(tavrix_test::PumpUntil(
            [&] { return tavrix_test::InOrder(LogLines(), {"Main window shown"}); }, 10000));
        m_audio = std::make_unique<AudioWindows>(*m_dialog);
    }
    void Queue(const std::vector<std::string>& paths)
    {
        CArray<CTrackRecord, CTrackRecord&>& queue = m_dialog->Queues().jukebox;
        for (const std::string& path : paths) {
            CTrackRecord rec;
            rec.m_Title = path.substr(path.rfind('\\') + 1).c_str();
            rec.m_FileName = path.c_str();
            queue.Add(rec);
        }
    }
    Strings QueueTitles() const
    {
        Strings titles;
        CArray<CTrackRecord, CTrackRecord&>& queue = m_dialog->Queues().jukebox;
        for (int i = 0; i < queue.GetSize(); ++i)
            titles.push_back(queue[i].m_Title.GetString());
        return titles;
    }
    Strings ListTitles() const
    {
        Strings titles;
        TXVTrackList& list = m_audio->GetAudioJukebox()->GetList();
        for (int r = 0; r < list.GetItemCount(); ++r)
            titles.push_back(list.GetItemText(r, 0).GetString());
        return titles;
    }

    DeckParts m_decks;
    std::unique_ptr<AudioWindows> m_audio;
    tavrix_test::TempDir m_media;
};

} // namespace

TEST_F(AudioWindowsTest, TheSamplerAndTheJukeboxAreMadeHiddenAndShownOnDemand)
{
    const std::string horn = MakeWave(m_media.File("horn.wav"), 1);
    SoundEffectEntry effect;
    effect.display = "Horn";
    effect.filename = horn.c_str();
    effect.length = 1;
    ASSERT_EQ(1, SaveEffectListFile(EffectListPath(m_folder.Path().c_str()), {effect}, "5.00"));
    ASSERT_NO_FATAL_FAILURE(Open());
    // The list is read when the main window's side is made.
    ASSERT_EQ(1u, m_audio->Effects().size());
    EXPECT_STREQ("Horn", m_audio->Effects()[0].display);

    Queue({m_media.File("a.wav"), m_media.File("b.wav")});
    EXPECT_FALSE(m_audio->CreateModeless(ModelessWindow::MasterMixer));
    ASSERT_TRUE(m_audio->CreateModeless(ModelessWindow::SoundEffects));
    ASSERT_TRUE(m_audio->CreateModeless(ModelessWindow::AudioJukebox));
    SoundEffects* sampler = m_audio->GetSoundEffects();
    AudioJukebox* jukebox = m_audio->GetAudioJukebox();
    ASSERT_TRUE(sampler && jukebox);
    // A second creation keeps the window.
    EXPECT_TRUE(m_audio->CreateModeless(ModelessWindow::AudioJukebox));
    EXPECT_EQ(jukebox, m_audio->GetAudioJukebox());
    EXPECT_FALSE(::IsWindowVisible(sampler->GetSafeHwnd()));
    EXPECT_FALSE(::IsWindowVisible(jukebox->GetSafeHwnd()));
    EXPECT_EQ(m_dialog->GetSafeHwnd(), ::GetWindow(jukebox->GetSafeHwnd(), GW_OWNER));
    EXPECT_EQ(1, sampler->GetList().GetItemCount());
    EXPECT_EQ((Strings{"a.wav", "b.wav"}), ListTitles());

    // Shown from the menus, toggled by "vieweffects" and "viewjukebox".
    EXPECT_TRUE(m_audio->ShowModeless(ModelessWindow::AudioJukebox));
    EXPECT_TRUE(::IsWindowVisible(jukebox->GetSafeHwnd()));
    EXPECT_FALSE(m_audio->ShowModeless(ModelessWindow::CommView));
    EXPECT_TRUE(m_audio->RunCommand(CommandArea::Windows, 27413));
    EXPECT_FALSE(::IsWindowVisible(jukebox->GetSafeHwnd()));
    EXPECT_TRUE(m_audio->RunCommand(CommandArea::Windows, 27412));
    EXPECT_TRUE(::IsWindowVisible(sampler->GetSafeHwnd()));
    EXPECT_TRUE(m_audio->RunCommand(CommandArea::Windows, 27412));
    EXPECT_FALSE(::IsWindowVisible(sampler->GetSafeHwnd()));
}

TEST_F(AudioWindowsTest, CommandsReachTheSamplerAndTheJukebox)
{
    const std::string horn = MakeWave(m_media.File("horn.wav"), 1);
    const std::string song = MakeWave(m_media.File("song.wav"), 2);
    SoundEffectEntry effect;
    effect.display = "Horn";
    effect.filename = horn.c_str();
    effect.length = 1;
    ASSERT_EQ(1, SaveEffectListFile(EffectListPath(m_folder.Path().c_str()), {effect}, "5.00"));
    ASSERT_NO_FATAL_FAILURE(Open());
    // Before the windows exist the commands are not taken.
    EXPECT_FALSE(m_audio->RunCommand(CommandArea::AudioJukebox, 28106));
    EXPECT_FALSE(m_audio->RunCommand(CommandArea::Sampler, 27903));
    Queue({song});
    ASSERT_TRUE(m_audio->CreateModeless(ModelessWindow::SoundEffects));
    ASSERT_TRUE(m_audio->CreateModeless(ModelessWindow::AudioJukebox));

    // "fx-1" loads effect 1 into the sampler's player.
    EXPECT_TRUE(m_audio->RunCommand(CommandArea::Sampler, 27903));
    EXPECT_EQ(horn, std::string(m_audio->GetSoundEffects()->GetTags().Path));
    EXPECT_TRUE(m_audio->RunCommand(CommandArea::Sampler, 28102));
    EXPECT_TRUE(m_audio->RunCommand(CommandArea::Sampler, 28103));
    // "jb-next" takes the queue's first track into the jukebox.
    EXPECT_TRUE(m_audio->RunCommand(CommandArea::AudioJukebox, 28106));
    EXPECT_EQ(song, std::string(m_audio->GetAudioJukebox()->GetTags().Path));
    EXPECT_EQ(0, m_dialog->Queues().jukebox.GetSize());
    EXPECT_TRUE(m_audio->RunCommand(CommandArea::AudioJukebox, 28104));
    EXPECT_TRUE(m_audio->RunCommand(CommandArea::AudioJukebox, 28105));
    EXPECT_FALSE(m_audio->RunCommand(CommandArea::Deck, 27101));
}

TEST_F(AudioWindowsTest, TheQueueMenuEditsTheMainWindowsQueue)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(m_audio->CreateModeless(ModelessWindow::AudioJukebox));
    TXVTrackList& list = m_audio->GetAudioJukebox()->GetList();
    struct Case
    {
        JukeboxQueueOperation operation;
        int selected;
        Strings order;
        int selectedAfter;
    };
    const Case cases[] = {
        {JukeboxQueueOperation::MoveUp, 2, {"a", "c", "b", "d"}, 1},
        {JukeboxQueueOperation::MoveUp, 0, {"a", "b", "c", "d"}, 0},
        {JukeboxQueueOperation::MoveDown, 1, {"a", "c", "b", "d"}, 2},
        {JukeboxQueueOperation::MoveDown, 3, {"a", "b", "c", "d"}, 3},
        {JukeboxQueueOperation::MoveToTop, 2, {"c", "a", "b", "d"}, 0},
        {JukeboxQueueOperation::MoveToBottom, 1, {"a", "c", "d", "b"}, 3},
        {JukeboxQueueOperation::DeleteSelected, 1, {"a", "c", "d"}, -1},
        {JukeboxQueueOperation::Empty, 1, {}, -1},
    };
    for (const Case& c : cases) {
        m_dialog->Queues().jukebox.RemoveAll();
        Queue({"x\\a", "x\\b", "x\\c", "x\\d"});
        m_audio->GetAudioJukebox()->FillQueueList();
        list.SetItemState(c.selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_audio->RunQueueOperation(c.operation, list);
        EXPECT_EQ(c.order, QueueTitles()) << static_cast<int>(c.operation) << " " << c.selected;
        EXPECT_EQ(c.order, ListTitles()) << static_cast<int>(c.operation) << " " << c.selected;
        if (c.selectedAfter >= 0) {
            EXPECT_EQ(c.selectedAfter, list.GetNextItem(-1, LVNI_SELECTED)) << static_cast<int>(c.operation);
        }
    }
    // Two selected rows go together; shuffling keeps every record.
    m_dialog->Queues().jukebox.RemoveAll();
    Queue({"x\\a", "x\\b", "x\\c", "x\\d"});
    m_audio->GetAudioJukebox()->FillQueueList();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    m_audio->RunQueueOperation(JukeboxQueueOperation::DeleteSelected, list);
    EXPECT_EQ((Strings{"b", "d"}), QueueTitles());
    m_audio->RunQueueOperation(JukeboxQueueOperation::Shuffle, list);
    Strings shuffled = QueueTitles();
    std::sort(shuffled.begin(), shuffled.end());
    EXPECT_EQ((Strings{"b", "d"}), shuffled);
    EXPECT_EQ(2, list.GetItemCount());
    char status[100] = {};
    ::GetDlgItemTextA(m_audio->GetAudioJukebox()->GetSafeHwnd(), IDC_JB_STATUSLINE, status, sizeof status);
    EXPECT_EQ("2 items -- Time: " + std::string(VIZU::GetTotalQueueTime(&list)), status);
}

TEST_F(AudioWindowsTest, TheFeedbackModuleHandsTheDeckLevelsToTheDecks)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(m_audio->CreateModeless(ModelessWindow::AudioJukebox));
    SkinMeterSet& meters = m_dialog->GetSkinMeters();
    meters.spectrumBack = RGB(1, 2, 3);
    meters.spectrumFore = RGB(4, 5, 6);

    feedback_handler_module_ops ops = {};
    ASSERT_EQ(0, sample_feedback_module_register(&ops));
    g_variables.clear();
    g_variables["CLIENT.FEEDBACK-WINDOW"] = FeedbackHandleValue(m_dialog->GetSafeHwnd());
    void* deckA = nullptr;
    void* deckB = nullptr;
    feedback_server* server = reinterpret_cast<feedback_server*>(&g_variables);
    ASSERT_EQ(0, ops.new_instance(&deckA, "sample-vua", nullptr, server, &kServices));
    ASSERT_EQ(0, ops.new_instance(&deckB, "sample-vub", nullptr, server, &kServices));

    std::vector<int8_t> samples(1024, 0);
    samples[3] = 90;          // left peak
    samples[512 + 7] = 120;   // right peak
    pcm_block block = {};
    block.sample_rate = 44100;
    block.channels = 2;
    block.samples_per_channel = 512;
    block.samples = samples.data();

    // Stopped decks get no levels.
    ops.event(deckA, &block);
    EXPECT_TRUE(m_decks.levels.empty());
    // Playing: the levels of decks A and B go to the decks (which show
    // them on the window thread), the means into the level fields.
    m_decks.states[0] = DECK_STATE_PLAYING;
    m_decks.states[1] = DECK_STATE_PLAYING;
    m_decks.scopes[0] = true;
    ops.event(deckA, &block);
    ops.event(deckB, &block);
    EXPECT_EQ((Strings{"0 90 100", "1 90 100"}), m_decks.levels);
    EXPECT_EQ(95, m_audio->DeckLevel(0));
    EXPECT_EQ(95, m_audio->DeckLevel(1));
    ASSERT_EQ(1u, m_decks.scopeValues.size());
    EXPECT_EQ("0 ", m_decks.scopeValues[0].substr(0, 2));
    uint32_t bar = 0, peak = 0;
    m_audio->GetSpectrumColours(&bar, &peak);
    EXPECT_EQ(RGB(1, 2, 3), bar);
    EXPECT_EQ(RGB(4, 5, 6), peak);

    // Gone with the main window's side: the handler finds nothing.
    m_audio.reset();
    m_decks.levels.clear();
    ops.event(deckA, &block);
    EXPECT_TRUE(m_decks.levels.empty());
    ops.delete_instance(deckA);
    ops.delete_instance(deckB);
}

TEST_F(AudioWindowsTest, TheDArederoPlayerWritesThePaneThroughTheMainWindow)
{
    const std::string song = MakeWave(m_media.File("song.wav"), 3);
    ASSERT_NO_FATAL_FAILURE(Open());
    m_audio->CreateJukeboxPlayer();
    DArederoPlayer* player = m_audio->GetDArederoPlayer();
    ASSERT_NE(nullptr, player);
    m_audio->CreateJukeboxPlayer();
    EXPECT_EQ(player, m_audio->GetDArederoPlayer());
    EXPECT_EQ("dAredero", std::string(player->GetPlayerName()));
    EXPECT_EQ(DECK_STATE_SETUP, player->GetState());
    EXPECT_EQ(m_dialog->GetSettings().FeedbackRate, player->GetFeedbackRate());

    m_decks.Clear();
    ASSERT_TRUE(player->LoadFile(song.c_str()));
    TAG_INFO tags;
    ASSERT_TRUE(VIZU::GetTagInfo(song.c_str(), &tags));
    const std::string title = tags.Title.GetString(), artist = tags.Artist.GetString();
    EXPECT_TRUE(tavrix_test::InOrder(m_decks.events,
                                     {"SetTextField jukectext " + title + " - " + artist, "SetTextField juketitle " + title,
                                      "SetTextField jukeartist " + artist, "OnShowDeckArt 4 " + song}));
    m_decks.Clear();
    m_audio->UpdateJukeboxTimes(1);
    EXPECT_EQ((Strings{"SetTextField juketotal " + std::string(VIZU::SecondsToString(3)),
                       "SetTextField jukeelapsed " + std::string(VIZU::SecondsToString(1)),
                       "SetTextField jukeremain " + std::string(VIZU::SecondsToString(2))}),
              m_decks.events);
}
