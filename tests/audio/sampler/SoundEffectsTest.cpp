// The sound-effects sampler window on a real window, with its player
// recording the commands it would send: the list read from and written to
// "SoundEffects.xml" in the program folder, adding (prompt, drop), deleting,
// renaming and moving effects through the context menu, playing effects by
// number and from the list, looping, volume, the device box and the
// settings it keeps.
#include "audio/sampler/SoundEffects.h"

#include "audio/deck/DeckLogic.h"
#include "audio/sampler/EffectListFile.h"
#include "decoder/player/control_messages.h"
#include "foundation/app/MessageDialog.h"
#include "framework/ui/Prompts.h"
#include "library/api/VIZU.h"
#include "tests/audio/players/PlayerRecorders.h"
#include "tests/audio/players/PopupItems.h"
#include "tests/audio/players/WaveFiles.h"
#include "tests/support/ProgramFolder.h"
#include "widgets/menus/NewMenu.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Strings;

// The main window's side: the effect list, the effects folder, captions
// from a table, the library's tag reader and time texts.
struct TestHost : SoundEffectsHost
{
    SoundEffectList effects;
    CString folder;
    std::map<std::string, std::string> captions;
    SoundEffectList& Effects() override { return effects; }
    CString EffectsFolder() override { return folder; }
    CString MenuText(const char* key) override
    {
        const auto found = captions.find(key);
        return found == captions.end() ? CString() : CString(found->second.c_str());
    }
    bool GetTagInfo(const CString& path, TAG_INFO* tags) override { return VIZU::GetTagInfo(path, tags); }
    CString LibraryVersion() override { return "5.00"; }
    CString SecondsText(int seconds) override
    {
        CString text;
        text.Format("t%d", seconds);
        return text;
    }
};

typedef Recording<SoundEffectsPlayer> RecordingPlayer;

// The window with a recording player and a context menu that answers with
// a chosen command after noting its items.
class TestSampler : public SoundEffects
{
public:
    explicit TestSampler(SoundEffectsHost* host) : SoundEffects(host) {}
    RecordingPlayer* Recorder() const { return static_cast<RecordingPlayer*>(GetPlayer()); }
    Strings Sent() const { return Recorder()->sent; }
    Strings TakeSent()
    {
        Strings sent;
        sent.swap(Recorder()->sent);
        return sent;
    }

    UINT menuAnswer = 0;
    Strings menuItems;   // "caption" or "caption (grey)", separators as "-"
    std::string menuTitle;

protected:
    SoundEffectsPlayer* CreatePlayer() override { return new RecordingPlayer(); }
    UINT RunContextMenu(CNewMenu& popup, POINT) override
    {
        menuTitle = PopupTitle(popup);
        menuItems = PopupItems(popup, true);
        return menuAnswer;
    }
};

// Answers the Add Effect prompts that open, in turn: each answer types a
// name and presses OK, or presses Cancel; notes what each prompt showed.
class PromptAnswers
{
public:
    struct Answer
    {
        bool ok;
        std::string name;
    };
    explicit PromptAnswers(std::vector<Answer> answers) : m_answers(answers.begin(), answers.end())
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 20, &PromptAnswers::Tick);
    }
    ~PromptAnswers()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    struct Shown
    {
        std::string caption, prompt, file;
    };
    std::vector<Shown> shown;
    bool Done() const { return m_answers.empty(); }

private:
    static std::string Text(HWND window, int id)
    {
        char text[600] = {};
        ::GetDlgItemTextA(window, id, text, sizeof text);
        return text;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        PromptAnswers* self = s_current;
        if (!self || self->m_answers.empty())
            return;
        HWND prompt = nullptr;
        for (const char* caption : {"Add Effect", "Rename Effect"})
            if (!prompt)
                prompt = tavrix_test::FindOwnWindow("#32770", caption);
        if (!prompt || !::IsWindowVisible(prompt))
            return;
        char caption[100] = {};
        ::GetWindowTextA(prompt, caption, sizeof caption);
        self->shown.push_back({caption, Text(prompt, IDC_ADDFX_PROMPT), Text(prompt, IDC_ADDFX_FILE)});
        const Answer answer = self->m_answers.front();
        self->m_answers.pop_front();
        ::SetDlgItemTextA(prompt, IDC_ADDFX_NAME, answer.name.c_str());
        ::SendMessageA(prompt, WM_COMMAND, MAKEWPARAM(answer.ok ? IDOK : IDCANCEL, BN_CLICKED), 0);
    }

    std::deque<Answer> m_answers;
    UINT_PTR m_timer = 0;
    static PromptAnswers* s_current;
};
PromptAnswers* PromptAnswers::s_current = nullptr;

struct NotedMessages : MessageDialog
{
    Strings texts;
    void ShowModal(const CString& text) override { texts.push_back(text.GetString()); }
};

// A 16-bit stereo 44.1 kHz WAVE file of silence.
std::string MakeWave(const std::string& path, int seconds)
{
    EXPECT_TRUE(tavrix_test::WriteFileBytes(path, WaveFileBytes(StereoSilence(seconds))));
    return path;
}

std::string FileText(const CString& path)
{
    std::string bytes;
    tavrix_test::ReadFileBytes(path.GetString(), bytes);
    return bytes;
}

class SoundEffectsTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        m_previousDialog = SetMessageDialog(&m_messages);
        m_host.folder = (m_dir.Path() + "\\fx").c_str();
        ::CreateDirectoryA(m_host.folder, nullptr);
    }
    void TearDown() override { SetMessageDialog(m_previousDialog); }

    CString ListPath() const { return EffectListPath(m_dir.Path().c_str()); }

    // Writes the list file with effects of (title, path, length).
    void WriteList(const std::vector<SoundEffectEntry>& effects)
    {
        ASSERT_EQ(static_cast<int>(effects.size()), SaveEffectListFile(ListPath(), effects, "5.00"));
    }
    static SoundEffectEntry Effect(const char* display, const std::string& path, int length)
    {
        SoundEffectEntry e;
        e.display = display;
        e.filename = path.c_str();
        e.length = length;
        return e;
    }

    std::unique_ptr<TestSampler> Open()
    {
        auto sampler = std::make_unique<TestSampler>(&m_host);
        EXPECT_TRUE(sampler->CreateModeless());
        return sampler;
    }

    static Strings Rows(TestSampler& sampler)
    {
        Strings rows;
        CListCtrl& list = sampler.GetList();
        for (int r = 0; r < list.GetItemCount(); ++r)
            rows.push_back(std::string(list.GetItemText(r, 0)) + "|" + std::string(list.GetItemText(r, 1)) + "|" +
                           std::string(list.GetItemText(r, 2)) + "|" + std::string(list.GetItemText(r, 3)));
        return rows;
    }
    static std::string Item(TestSampler& sampler, int id)
    {
        char text[300] = {};
        ::GetDlgItemTextA(sampler.GetSafeHwnd(), id, text, sizeof text);
        return text;
    }
    static void Select(TestSampler& sampler, int row)
    {
        sampler.GetList().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    static void RunMenu(TestSampler& sampler, UINT command)
    {
        sampler.menuAnswer = command;
        ::SendMessageA(sampler.GetSafeHwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(sampler.GetList().GetSafeHwnd()),
                       MAKELPARAM(10, 10));
    }
    static void Click(TestSampler& sampler, int id)
    {
        ::SendMessageA(sampler.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(sampler.GetSafeHwnd(), id)));
    }
    std::vector<std::string> Titles()
    {
        Strings titles;
        for (const SoundEffectEntry& e : LoadEffectListFile(ListPath()))
            titles.push_back(e.display.GetString());
        return titles;
    }

    tavrix_test::TempDir m_media;
    TestHost m_host;
    NotedMessages m_messages;
    MessageDialog* m_previousDialog = nullptr;
};

} // namespace

TEST_F(SoundEffectsTest, OpensWithTheListFileSettingsAndPlayer)
{
    WriteList({Effect("Horn", "C:\\fx\\horn.mp3", 3), Effect("Siren & <Bell>", "#siren.wav", 12)});
    ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"),
                                          "[SOUNDEFFECTS]\r\nOutputDevice=2\r\nVolume=30\r\n"));
    auto sampler = Open();
    EXPECT_EQ((Strings{"1|Horn|003|C:\\fx\\horn.mp3", "2|Siren & <Bell>|012|#siren.wav"}), Rows(*sampler));
    ASSERT_EQ(2u, m_host.effects.size());
    EXPECT_EQ(2, m_host.effects[1].id);
    EXPECT_EQ("2 effects available -- Right click list for options", Item(*sampler, IDC_SFX_STATUS));
    EXPECT_EQ("Looping: Off", Item(*sampler, IDC_SFX_LOOPTEXT));
    EXPECT_EQ(70, sampler->GetVolumeSlider().GetPos());
    char caption[100] = {};
    ::GetWindowTextA(sampler->GetSafeHwnd(), caption, sizeof caption);
    EXPECT_STREQ("Sound Effects Sampler", caption);
    EXPECT_FALSE(::IsWindowVisible(sampler->GetSafeHwnd()));
    EXPECT_TRUE(::GetWindowLongA(sampler->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    // Set up on device 2 at volume 30.
    const Strings sent = sampler->Sent();
    const Strings expected = {"set_output_name /dev/dsound/2", "output_modules_list", "get_output_name",
                              "output_module_add dk_dsound_output.dll", "set_output_levels 255 30 255"};
    EXPECT_EQ(expected, sent);
    EXPECT_EQ(DECK_STATE_SETUP, sampler->GetPlayer()->GetState());
    EXPECT_EQ("Effects", std::string(sampler->GetPlayer()->GetPlayerName()));
    // The hidden file column.
    EXPECT_EQ(0, sampler->GetList().GetColumnWidth(3));
}

TEST_F(SoundEffectsTest, MissingListFileIsAnEmptyList)
{
    m_host.effects.push_back(Effect("stale", "x.wav", 1));
    auto sampler = Open();
    EXPECT_TRUE(m_host.effects.empty());
    EXPECT_EQ(0, sampler->GetList().GetItemCount());
    EXPECT_EQ("0 effects available -- Right click list for options", Item(*sampler, IDC_SFX_STATUS));
}

TEST_F(SoundEffectsTest, AddEffectAsksForTheTitleAndRenumbers)
{
    const std::string wave = MakeWave(m_media.File("horn.wav"), 2);
    WriteList({Effect("A", "a.wav", 1), Effect("B", "b.wav", 1), Effect("C", "c.wav", 1)});
    auto sampler = Open();
    {
        PromptAnswers answers({{true, "Air Horn"}});
        EXPECT_TRUE(sampler->AddEffectFile(wave.c_str()));
        ASSERT_EQ(1u, answers.shown.size());
        EXPECT_EQ("Add Effect", answers.shown[0].caption);
        EXPECT_EQ("Would you like to add the following file as a sound effect? If so, enter a display name for it, "
                  "and then click OK.",
                  answers.shown[0].prompt);
        EXPECT_EQ(wave, answers.shown[0].file);
    }
    ASSERT_EQ(4u, m_host.effects.size());
    EXPECT_EQ(4, m_host.effects[3].id);
    EXPECT_EQ(2, m_host.effects[3].length);
    EXPECT_EQ("4|Air Horn|002|" + wave, Rows(*sampler)[3]);
    EXPECT_EQ((Strings{"A", "B", "C", "Air Horn"}), Titles());
    EXPECT_FALSE(sampler->IsListChanged());

    // Cancel adds nothing and writes nothing.
    const std::string before = FileText(ListPath());
    ASSERT_TRUE(::DeleteFileA(ListPath()));
    {
        PromptAnswers answers({{false, "ignored"}});
        EXPECT_TRUE(sampler->AddEffectFile(wave.c_str()));
        EXPECT_TRUE(answers.Done());
    }
    EXPECT_EQ(4u, m_host.effects.size());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(ListPath()));
    EXPECT_NE(std::string::npos, before.find("tracks=\"4\""));
}

TEST_F(SoundEffectsTest, FailedSaveKeepsTheEditForTheNextSave)
{
    const std::string wave = MakeWave(m_media.File("horn.wav"), 1);
    WriteList({Effect("A", "a.wav", 1)});
    auto sampler = Open();
    // A folder in the file's place: the write fails.
    ASSERT_TRUE(::DeleteFileA(ListPath()));
    ASSERT_TRUE(::CreateDirectoryA(ListPath(), nullptr));
    {
        PromptAnswers answers({{true, "Horn"}});
        sampler->AddEffectFile(wave.c_str());
        EXPECT_TRUE(answers.Done());
    }
    EXPECT_EQ((Strings{"Unable to save the sound effects list - the change is kept until the next save."}),
              m_messages.texts);
    ASSERT_EQ(2u, m_host.effects.size());
    EXPECT_EQ(2, m_host.effects[1].id);
    EXPECT_EQ((Strings{"1|A|001|a.wav", "2|Horn|001|" + wave}), Rows(*sampler));
    EXPECT_TRUE(sampler->IsListChanged());
    // Once the file can be written, the window's end writes the edit.
    ASSERT_TRUE(::RemoveDirectoryA(ListPath()));
    sampler.reset();
    EXPECT_EQ((Strings{"A", "Horn"}), Titles());
}

TEST_F(SoundEffectsTest, AddEffectFromTheMenuTakesTheChosenFile)
{
    const std::string wave = MakeWave(m_media.File("drop.wav"), 1);
    struct ChooseFile : CPromptAnswerer
    {
        std::string path, filter;
        DWORD flags = 0;
        int MessageBox(HWND, const char*, const char*, UINT) override { return IDOK; }
        BOOL FileDialog(OPENFILENAMEA& ofn, BOOL open) override
        {
            filter.assign(ofn.lpstrFilter, 41);
            flags = ofn.Flags;
            lstrcpynA(ofn.lpstrFile, path.c_str(), static_cast<int>(ofn.nMaxFile));
            return open && !path.empty();
        }
    } chooser;
    chooser.path = wave;
    CPromptAnswerer* previous = AfxSetPromptAnswerer(&chooser);
    auto sampler = Open();
    {
        PromptAnswers answers({{true, "Drop"}});
        RunMenu(*sampler, ID_EFFECTS_ADDEFFECT);
        EXPECT_TRUE(answers.Done());
    }
    EXPECT_EQ(std::string("Music Files (*.mp3; *.wav)\0*.mp3; *.wav\0", 41), chooser.filter);
    EXPECT_EQ(static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST), chooser.flags);
    EXPECT_EQ((Strings{"Drop"}), Titles());
    // Cancel in the file dialog: nothing.
    chooser.path.clear();
    EXPECT_FALSE(sampler->OnAddEffect());
    EXPECT_EQ(1u, m_host.effects.size());
    AfxSetPromptAnswerer(previous);
}

TEST_F(SoundEffectsTest, ContextMenuCaptionsTitleAndGreyedItems)
{
    m_host.captions = {{"ID_EFFECTS_ADDEFFECT", "Add..."}, {"ID_EFFECTS_DELETEEFFECT", "Delete"},
                       {"ID_EFFECTS_MOVEUP", "Up"}, {"ID_EFFECTS_MOVEDOWN", "Down"}};
    WriteList({Effect("A", "a.wav", 1)});
    auto sampler = Open();
    EXPECT_EQ("Delete", std::string(sampler->GetMenuCaption(ID_EFFECTS_DELETEEFFECT)));
    RunMenu(*sampler, 0);
    // The rename caption is absent from MENUTEXT: the item shows it empty.
    EXPECT_EQ((Strings{"Add...", "Delete (grey)", " (grey)", "-", "Up", "Down"}), sampler->menuItems);
    EXPECT_EQ("Sound Effects 64", sampler->menuTitle);
    Select(*sampler, 0);
    RunMenu(*sampler, 0);
    EXPECT_EQ((Strings{"Add...", "Delete", "", "-", "Up", "Down"}), sampler->menuItems);
    // A right-click beside the list shows no menu.
    sampler->menuItems.clear();
    ::SendMessageA(sampler->GetSafeHwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(sampler->GetSafeHwnd()),
                   MAKELPARAM(10, 10));
    EXPECT_TRUE(sampler->menuItems.empty());
}

TEST_F(SoundEffectsTest, DeleteAndMoveEditTheFile)
{
    WriteList({Effect("A", "a.wav", 1), Effect("B", "B.WAV", 2), Effect("B2", "b.wav", 3), Effect("C", "c.wav", 4)});
    auto sampler = Open();
    // Nothing selected: delete and move do nothing.
    EXPECT_FALSE(sampler->DeleteEffect());
    EXPECT_FALSE(sampler->MoveEffectUp());

    struct Case
    {
        int row;
        UINT command;
        Strings titles;   // in the file afterwards; empty: not written
    };
    const Case cases[] = {
        {0, ID_EFFECTS_MOVEUP, {}},                              // first row up: nothing
        {3, ID_EFFECTS_MOVEDOWN, {}},                            // last row down: nothing
        {0, ID_EFFECTS_MOVEDOWN, {"B", "A", "B2", "C"}},
        // The swap matches paths ignoring case: b.wav finds B first.
        {2, ID_EFFECTS_MOVEUP, {"A", "B", "B2", "C"}},
        // Past an effect of the same file: both searches find B, the order
        // stays, the file is written again.
        {1, ID_EFFECTS_MOVEDOWN, {"A", "B", "B2", "C"}},
        // Delete is exact about case: b.wav is B2.
        {2, ID_EFFECTS_DELETEEFFECT, {"A", "B", "C"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(::DeleteFileA(ListPath()));
        Select(*sampler, c.row);
        RunMenu(*sampler, c.command);
        if (c.titles.empty()) {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(ListPath()));
            WriteList(m_host.effects);
            continue;
        }
        EXPECT_EQ(c.titles, Titles());
        ASSERT_EQ(c.titles.size(), m_host.effects.size());
        for (size_t i = 0; i < m_host.effects.size(); ++i) {
            EXPECT_EQ(static_cast<int>(i + 1), m_host.effects[i].id);
            EXPECT_EQ(c.titles[i], std::string(sampler->GetList().GetItemText(static_cast<int>(i), 1)));
        }
        EXPECT_EQ(-1, sampler->GetList().GetNextItem(-1, LVNI_SELECTED));
        EXPECT_FALSE(sampler->IsListChanged());
    }
}

TEST_F(SoundEffectsTest, RenameWalksEffectsOfThePathAndSavesLater)
{
    WriteList({Effect("First", "same.wav", 1), Effect("Other", "other.wav", 1), Effect("Second", "same.wav", 1)});
    auto sampler = Open();
    Select(*sampler, 0);
    {
        // Cancel on the first effect of the path moves on to the second.
        PromptAnswers answers({{false, ""}, {true, "Renamed"}});
        RunMenu(*sampler, ID_EFFECTS_RENAMEEFFECT);
        EXPECT_TRUE(answers.Done());
        ASSERT_EQ(2u, answers.shown.size());
        EXPECT_EQ("Rename Effect", answers.shown[1].caption);
        EXPECT_EQ("Would you like to rename the display title for this effect? If so, enter a new name for it, and "
                  "then click OK.",
                  answers.shown[1].prompt);
        EXPECT_EQ("same.wav", answers.shown[1].file);
    }
    EXPECT_EQ("Renamed", std::string(sampler->GetList().GetItemText(2, 1)));
    EXPECT_TRUE(sampler->IsListChanged());
    // Not written yet; the window's end writes it.
    EXPECT_EQ((Strings{"First", "Other", "Second"}), Titles());
    sampler.reset();
    EXPECT_EQ((Strings{"First", "Other", "Renamed"}), Titles());
}

TEST_F(SoundEffectsTest, PlaysEffectsByNumberAndFromTheList)
{
    const std::string horn = MakeWave(m_host.folder.GetString() + std::string("\\horn.wav"), 3);
    const std::string bell = MakeWave(m_media.File("bell.wav"), 2);
    WriteList({Effect("Horn", "#horn.wav", 3), Effect("Bell", bell, 2), Effect("Gone", m_media.File("gone.wav"), 1)});
    auto sampler = Open();
    sampler->TakeSent();

    struct Case
    {
        int id;
        Strings sent;
        std::string time;
    };
    const std::string hornPath = std::string(m_host.folder.GetString()) + "\\horn.wav";
    const Case cases[] = {
        {1, {"input_open " + hornPath, "set_position_range 3", "play"}, "t3"},
        {2, {"input_open " + bell, "set_position_range 2", "play"}, "t2"},
        // An effect without readable tags opens nothing; play plays what was open.
        {3, {"play"}, "t2"},
        // No such effect.
        {4, {}, "t2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        sampler->PlayEffect(c.id);
        EXPECT_EQ(c.sent, sampler->TakeSent());
        EXPECT_EQ(c.time, Item(*sampler, IDC_SFX_TIME));
    }
    EXPECT_EQ(std::string(sampler->GetTags().Title), Item(*sampler, IDC_SFX_TITLE));
    EXPECT_FALSE(sampler->LoadEffectFile(""));

    // While playing, a new effect is opened but play is not sent again.
    sampler->Recorder()->Notify(CM_PLAYER_STATE, 1);
    sampler->TakeSent();
    Select(*sampler, 0);
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = sampler->GetList().GetSafeHwnd();
    activate.hdr.idFrom = IDC_SFX_LIST;
    activate.hdr.code = NM_DBLCLK;
    activate.iItem = 0;
    ::SendMessageA(sampler->GetSafeHwnd(), WM_NOTIFY, IDC_SFX_LIST, reinterpret_cast<LPARAM>(&activate));
    EXPECT_EQ((Strings{"input_open " + hornPath, "set_position_range 3"}), sampler->TakeSent());

    // The buttons.
    Click(*sampler, IDC_SFX_STOP);
    Click(*sampler, IDC_SFX_PLAY);
    Click(*sampler, IDC_SFX_PROPS);
    EXPECT_EQ((Strings{"stop", "play"}), sampler->TakeSent());
}

TEST_F(SoundEffectsTest, LoopingRestartsTheEffectOnStop)
{
    auto sampler = Open();
    sampler->TakeSent();
    Click(*sampler, IDC_SFX_LOOP);
    EXPECT_EQ("Looping: On", Item(*sampler, IDC_SFX_LOOPTEXT));
    EXPECT_TRUE(sampler->IsLooping());
    Click(*sampler, IDC_SFX_STOP);
    sampler->Recorder()->Notify(CM_PLAYER_STATE, 0);
    EXPECT_EQ((Strings{"stop", "output_drain", "play"}), sampler->TakeSent());
    EXPECT_EQ("t0", Item(*sampler, IDC_SFX_TIME));
    Click(*sampler, IDC_SFX_LOOP);
    EXPECT_EQ("Looping: Off", Item(*sampler, IDC_SFX_LOOPTEXT));
    sampler->Recorder()->Notify(CM_PLAYER_STATE, 0);
    EXPECT_TRUE(sampler->TakeSent().empty());
}

TEST_F(SoundEffectsTest, VolumeDeviceBoxAndSettings)
{
    ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"),
                                          "[SOUNDEFFECTS]\r\nOutputDevice=9\r\nVolume=40\r\n"));
    auto sampler = Open();
    // Device 9 at start-up selects device 0.
    EXPECT_EQ("set_output_name /dev/dsound/0", sampler->Sent().front());
    sampler->Recorder()->Notify(CM_OUTPUT_DEVICE_INFO, 3, 0, 0, "/dev/wave/0", "Primary");
    sampler->Recorder()->Notify(CM_OUTPUT_DEVICE_INFO, 3, 9, 0, "/dev/dsound/9", "Null Output");
    sampler->Recorder()->Notify(CM_OUTPUT_DEVICE_INFO, 2, 0, 0, "file.raw", "a file");
    sampler->TakeSent();
    // The box is filled once, by the timer.
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return sampler->GetDeviceBox().GetCount() > 0; }, 5000));
    CComboBox& box = sampler->GetDeviceBox();
    ASSERT_EQ(2, box.GetCount());
    CString text;
    box.GetLBText(1, text);
    EXPECT_STREQ("9 : Null Output", text);
    EXPECT_EQ(9u, box.GetItemData(1));

    box.SetCurSel(1);
    ::SendMessageA(sampler->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_SFX_OUTPUTDEVICE, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(box.GetSafeHwnd()));
    EXPECT_EQ((Strings{"set_output_name /dev/dsound/9"}), sampler->TakeSent());
    EXPECT_EQ(9, sampler->GetPlayer()->GetDeviceIndex());

    // Volume: the slider's top is full volume (shown, as the user sees it).
    sampler->ShowWindow(SW_SHOW);
    sampler->GetVolumeSlider().SetPos(25);
    ::SendMessageA(sampler->GetSafeHwnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 25),
                   reinterpret_cast<LPARAM>(sampler->GetVolumeSlider().GetSafeHwnd()));
    EXPECT_EQ((Strings{"set_output_levels 255 75 255"}), sampler->TakeSent());

    // Hiding writes the settings; showing moves back to the position.
    ::SetWindowPos(sampler->GetSafeHwnd(), nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    sampler->ShowWindow(SW_SHOW);
    sampler->ShowWindow(SW_HIDE);
    const CString ini = (m_dir.File("TavrixVJ.INI")).c_str();
    EXPECT_EQ(9u, ::GetPrivateProfileIntA("SOUNDEFFECTS", "OutputDevice", -1, ini));
    EXPECT_EQ(75u, ::GetPrivateProfileIntA("SOUNDEFFECTS", "Volume", -1, ini));
    int32_t position[2] = {};
    ASSERT_TRUE(::GetPrivateProfileStructA("SOUNDEFFECTS", "WindowPos", position, sizeof position, ini));
    ::SetWindowPos(sampler->GetSafeHwnd(), nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    sampler->ShowWindow(SW_SHOW);
    RECT rect = {};
    ::GetWindowRect(sampler->GetSafeHwnd(), &rect);
    EXPECT_EQ(position[0], rect.left);
    EXPECT_EQ(position[1], rect.top);
    sampler->ShowWindow(SW_HIDE);
}

TEST_F(SoundEffectsTest, DropsOnTheListAddTheFirstFile)
{
    const std::string first = MakeWave(m_media.File("first.wav"), 1);
    const std::string second = MakeWave(m_media.File("second.wav"), 1);
    auto sampler = Open();
    RECT list = {};
    ::GetWindowRect(sampler->GetList().GetSafeHwnd(), &list);
    ::MapWindowPoints(nullptr, sampler->GetSafeHwnd(), reinterpret_cast<POINT*>(&list), 2);
    const POINT onList = {list.left + 5, list.top + 5};
    const POINT beside = {list.left + 5, list.bottom + 20};

    {
        PromptAnswers answers({{true, "First"}});
        ::SendMessageA(sampler->GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeFileDrop({first, second}, onList)), 0);
        EXPECT_TRUE(answers.Done());
    }
    EXPECT_EQ((Strings{"First"}), Titles());
    // Beside the list: nothing.
    ::SendMessageA(sampler->GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeFileDrop({second}, beside)), 0);
    EXPECT_EQ(1u, m_host.effects.size());
    // A file that is gone: the notice, nothing added.
    ::SendMessageA(sampler->GetSafeHwnd(), WM_DROPFILES,
                   reinterpret_cast<WPARAM>(MakeFileDrop({m_media.File("gone.wav")}, onList)), 0);
    EXPECT_EQ((Strings{"Unable to load file - possibly moved or deleted!"}), m_messages.texts);
    EXPECT_EQ(1u, m_host.effects.size());
}
