// The master mixer on a real window: every control reads the selected deck,
// the main window's values and "TavrixVJ.INI" (a fresh program folder per
// test), and every change reaches the deck and the file at once.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/fx/FxFilter.h"
#include "audio/mastermixer/TXVMixer2.h"
#include "decoder/player/control_messages.h"
#include "foundation/app/MessageDialog.h"
#include "tests/audio/deck/DeckRecorders.h"
#include "tests/support/ProgramFolder.h"

namespace {

using Strings = std::vector<std::string>;

UINT FourMixers() { return 4; }

// The main window as the mixer sees it: the decks of a recording host, the
// equalizer values it keeps, and its calls written down.
class MixerTestHost : public MasterMixerHost
{
public:
    explicit MixerTestHost(RecordingHost* decks) : m_decks(decks) {}

    int eq[4][3] = {};
    int monitorGain[4] = {-1, -1, -1, -1};
    Strings calls;

    Deck* GetDeck(int deck) override { return m_decks->GetDeck(deck); }
    void GetDeckEqValues(int deck, int* low, int* mid, int* high) override
    {
        *low = eq[deck][0];
        *mid = eq[deck][1];
        *high = eq[deck][2];
    }
    void SetDeckEqValues(int deck, int low, int mid, int high) override
    {
        eq[deck][0] = low;
        eq[deck][1] = mid;
        eq[deck][2] = high;
    }
    void SetDeckEq(int deck, int low, int mid, int high) override
    {
        calls.push_back("SetDeckEq " + std::to_string(deck) + " " + std::to_string(low) + " " +
                        std::to_string(mid) + " " + std::to_string(high));
        GetDeck(deck)->SetEqualizer(low, mid, high);
    }
    void UpdateEqControls(int deck) override { calls.push_back("UpdateEqControls " + std::to_string(deck)); }
    void SetDeckMonitorGain(int deck, int gain) override { monitorGain[deck] = gain; }
    // The equalizer toggles switch the deck's equalizer as the main
    // window's do; the rest goes to the recording host (effects toggle).
    void RunDeckCommand(UINT id) override
    {
        calls.push_back("command " + std::to_string(id));
        const UINT toggles[4] = {ID_EQ_ON_OFF_A, ID_EQ_ON_OFF_B, ID_EQ_ON_OFF_C, ID_EQ_ON_OFF_D};
        for (int deck = 0; deck < 4; ++deck) {
            if (toggles[deck] != id)
                continue;
            Deck* d = GetDeck(deck);
            if (d->IsEqualizerOn())
                d->EqualizerOff();
            else
                d->SetEqualizer(eq[deck][0], eq[deck][1], eq[deck][2]);
            return;
        }
        m_decks->RunDeckCommand(id);
    }

private:
    RecordingHost* m_decks;
};

class NoticeRecorder : public MessageDialog
{
public:
    Strings shown;
    void ShowModal(const CString& text) override { shown.push_back(static_cast<const char*>(text)); }
};

Strings g_launched;
BOOL LaunchOnlySndvol(SHELLEXECUTEINFOA* info)
{
    g_launched.push_back(std::string(info->lpVerb) + " " + info->lpFile + " " + std::to_string(info->nShow) + " " +
                         std::to_string(info->fMask & SEE_MASK_FLAG_NO_UI ? 1 : 0));
    return strcmp(info->lpFile, "sndvol") == 0;
}

int g_deviceMaximum = 10;
int FixedVolume(UINT) { return 4; }
int FixedRange(UINT, int* minimum, int* maximum)
{
    *minimum = 0;
    *maximum = g_deviceMaximum;
    return 0;
}

} // namespace

class MasterMixerTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        FxRestoreDefaults();
        m_previousMixers = DeckSetMixerCountSource(FourMixers);
        m_previousDialog = SetMessageDialog(&m_notices);
    }
    void TearDown() override
    {
        if (m_dialog)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        for (auto& d : m_decks)
            d.reset();
        SetMessageDialog(m_previousDialog);
        TXVMixer2::SetLauncher(nullptr);
        TXVMixer2::SetVolumeSources(nullptr, nullptr);
        DeckSetMixerCountSource(m_previousMixers);
        FxRestoreDefaults();
    }

    void MakeDecks(int count)
    {
        for (int i = 0; i < count; ++i) {
            m_decks[i] = std::make_unique<RecordingDeck>(&m_decksHost);
            m_decksHost.decks[i] = m_decks[i].get();
            m_decks[i]->Init(m_decksHost.DeckWindow(), i);
            // The devices the player lists: 0 and 2.
            m_decks[i]->Recorder()->Notify(CM_OUTPUT_DEVICE_INFO, 3, 0, 0, "/dev/dsound/0", "Primary");
            m_decks[i]->Recorder()->Notify(CM_OUTPUT_DEVICE_INFO, 3, 2, 0, "/dev/dsound/2", "Second");
            m_decks[i]->Recorder()->ClearSent();
        }
    }
    TXVMixer2& Open(int decks = 2)
    {
        MakeDecks(decks);
        m_dialog = std::make_unique<TXVMixer2>(&m_host);
        EXPECT_TRUE(m_dialog->CreateModeless());
        return *m_dialog;
    }
    HWND Window() const { return m_dialog->GetSafeHwnd(); }
    HWND Item(UINT id) const { return ::GetDlgItem(Window(), static_cast<int>(id)); }
    std::string Text(UINT id) const
    {
        char text[512] = {};
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    bool Checked(UINT id) const { return ::IsDlgButtonChecked(Window(), static_cast<int>(id)) == BST_CHECKED; }
    bool Enabled(UINT id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    void Click(UINT id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    int SliderPos(UINT id) const { return static_cast<int>(::SendMessageA(Item(id), TBM_GETPOS, 0, 0)); }
    int SliderMin(UINT id) const { return static_cast<int>(::SendMessageA(Item(id), TBM_GETRANGEMIN, 0, 0)); }
    int SliderMax(UINT id) const { return static_cast<int>(::SendMessageA(Item(id), TBM_GETRANGEMAX, 0, 0)); }
    void Scroll(UINT id, int position, int code, UINT message = WM_VSCROLL)
    {
        ::SendMessageA(Item(id), TBM_SETPOS, TRUE, position);
        ::SendMessageA(Window(), message, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(Item(id)));
    }
    std::string Ini(const char* section, const char* key) const
    {
        char value[256] = {};
        ::GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value,
                                   m_dir.File("TavrixVJ.INI").c_str());
        return value;
    }
    void WriteIni(const char* section, const char* key, const char* value)
    {
        ::WritePrivateProfileStringA(section, key, value, m_dir.File("TavrixVJ.INI").c_str());
    }
    // Selects the tree item of that text, as a click does.
    void SelectDeck(const char* name)
    {
        const HWND tree = Item(IDC_MIX_DECKS);
        for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
            char text[64] = {};
            TVITEMA tv = {};
            tv.mask = TVIF_TEXT;
            tv.hItem = item;
            tv.pszText = text;
            tv.cchTextMax = sizeof text;
            ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
            if (strcmp(text, name) == 0) {
                TreeView_SelectItem(tree, item);
                return;
            }
        }
        ADD_FAILURE() << "no tree item " << name;
    }
    Strings TreeTexts() const
    {
        Strings texts;
        const HWND tree = Item(IDC_MIX_DECKS);
        for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
            char text[64] = {};
            TVITEMA tv = {};
            tv.mask = TVIF_TEXT;
            tv.hItem = item;
            tv.pszText = text;
            tv.cchTextMax = sizeof text;
            ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
            texts.push_back(text);
        }
        return texts;
    }
    void PickDevice(UINT combo, int device)
    {
        const HWND box = Item(combo);
        const int count = static_cast<int>(::SendMessageA(box, CB_GETCOUNT, 0, 0));
        for (int row = 0; row < count; ++row)
            if (static_cast<int>(::SendMessageA(box, CB_GETITEMDATA, row, 0)) == device)
                ::SendMessageA(box, CB_SETCURSEL, row, 0);
        ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    }
    void Type(UINT edit, const char* text)
    {
        const int length = ::GetWindowTextLengthA(Item(edit));
        ::SendMessageA(Item(edit), EM_SETSEL, length, length);
        ::SendMessageA(Item(edit), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }

    RecordingHost m_decksHost;
    MixerTestHost m_host{&m_decksHost};
    std::unique_ptr<RecordingDeck> m_decks[4];
    std::unique_ptr<TXVMixer2> m_dialog;
    NoticeRecorder m_notices;

private:
    DeckMixerCountSource m_previousMixers = nullptr;
    MessageDialog* m_previousDialog = nullptr;
};

TEST_F(MasterMixerTest, OpensOnDeckAWithItsRangesTextsAndTheDecksThatExist)
{
    TXVMixer2& dialog = Open(2);
    char caption[64] = {};
    ::GetWindowTextA(Window(), caption, sizeof caption);
    EXPECT_STREQ("Master Mixer", caption);
    EXPECT_STREQ("Master Mixer", dialog.GetHeaderText());
    EXPECT_EQ((Strings{"Deck A", "Deck B"}), TreeTexts());
    EXPECT_EQ("Deck A Audio Properties", Text(IDC_MIX_PROPERTIES));
    EXPECT_EQ(0, dialog.GetSelectedDeck());
    EXPECT_EQ(0u, Text(IDC_MIX_HELP).find("Select the deck from the list, to change properties.\n\n"));
    const struct { UINT id; int low, high; } ranges[] = {
        {IDC_MIX_MASTER_VOLUME, 0, 100}, {IDC_MIX_SPARE_SLIDER, 0, 100},     {IDC_MIX_MONITOR_VOLUME, 0, 100},
        {IDC_MIX_EQ_LOW, -50, 50},       {IDC_MIX_EQ_MID, -50, 50},         {IDC_MIX_EQ_HIGH, -50, 50},
        {IDC_MIX_ROTATE_SPEED, 10, 100}, {IDC_MIX_ECHO_LENGTH, 500, 5000},  {IDC_MIX_FLANGE_LENGTH, 5, 350},
    };
    for (const auto& r : ranges) {
        EXPECT_EQ(r.low, SliderMin(r.id)) << r.id;
        EXPECT_EQ(r.high, SliderMax(r.id)) << r.id;
    }
    for (UINT id : {IDC_MIX_MASTER_VOLUME, IDC_MIX_SPARE_SLIDER, IDC_MIX_MONITOR_VOLUME, IDC_MIX_EQ_LOW,
                    IDC_MIX_EQ_MID, IDC_MIX_EQ_HIGH})
        EXPECT_EQ(11, static_cast<int>(::SendMessageA(Item(id), TBM_GETNUMTICS, 0, 0))) << "a tick every 10: " << id;
    EXPECT_EQ(20, SliderPos(IDC_MIX_ROTATE_SPEED));
    EXPECT_EQ(FxGetEchoLength(), SliderPos(IDC_MIX_ECHO_LENGTH));
    EXPECT_EQ(FxGetFlangeLength(), SliderPos(IDC_MIX_FLANGE_LENGTH));
}

TEST_F(MasterMixerTest, ListsDecksCAndDWhenTheMainWindowHasThemAndDisablesTheirEffects)
{
    Open(4);
    EXPECT_EQ((Strings{"Deck A", "Deck B", "Deck C", "Deck D"}), TreeTexts());
    FxSetMode(1, FX_ECHO);
    SelectDeck("Deck C");
    EXPECT_EQ(2, m_dialog->GetSelectedDeck());
    EXPECT_EQ("Deck C Audio Properties", Text(IDC_MIX_PROPERTIES));
    for (UINT id : {IDC_MIX_ROTATE, IDC_MIX_ECHO, IDC_MIX_FLANGE, IDC_MIX_FX_FILTER, IDC_MIX_ROTATE_SPEED,
                    IDC_MIX_ECHO_LENGTH, IDC_MIX_FLANGE_LENGTH})
        EXPECT_FALSE(Enabled(id)) << id;
    SelectDeck("Deck B");
    EXPECT_TRUE(Enabled(IDC_MIX_ECHO));
    EXPECT_TRUE(Checked(IDC_MIX_ECHO)) << "deck B's echo is on";
    SelectDeck("Deck D");
    EXPECT_EQ(3, m_dialog->GetSelectedDeck());
    // Showing the dialog starts on deck A again.
    m_dialog->ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_EQ(0, m_dialog->GetSelectedDeck());
    EXPECT_EQ("Deck A Audio Properties", Text(IDC_MIX_PROPERTIES));
}

TEST_F(MasterMixerTest, DeviceCombosWriteTheIniAndMoveTheDeck)
{
    Open(2);
    SelectDeck("Deck B");
    PickDevice(IDC_MIX_MAINS_DEVICE, 2);
    EXPECT_EQ("2", Ini("DECKB", "OutputDevice"));
    EXPECT_EQ("<missing>", Ini("DECKA", "OutputDevice"));
    EXPECT_EQ(2, m_decks[1]->GetMainsDevice());
    EXPECT_EQ((Strings{"set_output_name /dev/dsound/2"}), m_decks[1]->Recorder()->Sent())
        << "the mains output switches at once";
    EXPECT_TRUE(m_decks[0]->Recorder()->Sent().empty());

    m_decks[1]->Recorder()->ClearSent();
    PickDevice(IDC_MIX_MONITOR_DEVICE, 2);
    EXPECT_EQ("2", Ini("DECKB", "MonitorDevice"));
    EXPECT_EQ(2, m_decks[1]->GetMonitorDevice());
    EXPECT_TRUE(m_decks[1]->Recorder()->Sent().empty()) << "the monitor takes effect at its next switch";
    // Read back: the page shows the chosen rows.
    const HWND mains = Item(IDC_MIX_MAINS_DEVICE);
    EXPECT_EQ(2, static_cast<int>(::SendMessageA(mains, CB_GETCOUNT, 0, 0)));
}

TEST_F(MasterMixerTest, MonitorVolumeIsDrawnInvertedAndMovesTheDeckAndTheMainWindowsGain)
{
    MakeDecks(2);
    m_decks[1]->SetMonitorVolume(80);
    m_dialog = std::make_unique<TXVMixer2>(&m_host);
    ASSERT_TRUE(m_dialog->CreateModeless());
    SelectDeck("Deck B");
    EXPECT_EQ(20, SliderPos(IDC_MIX_MONITOR_VOLUME));
    Scroll(IDC_MIX_MONITOR_VOLUME, 30, SB_THUMBTRACK);
    EXPECT_EQ(70, m_decks[1]->GetMonitorVolume());
    EXPECT_EQ(70, m_host.monitorGain[1]);
    EXPECT_EQ(-1, m_host.monitorGain[0]);
    // Codes past 5 (end of scroll, top, bottom) change nothing.
    Scroll(IDC_MIX_MONITOR_VOLUME, 0, SB_ENDSCROLL);
    EXPECT_EQ(70, m_decks[1]->GetMonitorVolume());
}

TEST_F(MasterMixerTest, EqualizerBandsStoreTheValuesAndApplyThemOnlyWhileTheEqualizerIsOn)
{
    MakeDecks(2);
    m_host.eq[1][0] = 10;
    m_host.eq[1][1] = -20;
    m_host.eq[1][2] = 30;
    m_dialog = std::make_unique<TXVMixer2>(&m_host);
    ASSERT_TRUE(m_dialog->CreateModeless());
    SelectDeck("Deck B");
    EXPECT_EQ(-10, SliderPos(IDC_MIX_EQ_LOW));
    EXPECT_EQ(20, SliderPos(IDC_MIX_EQ_MID));
    EXPECT_EQ(-30, SliderPos(IDC_MIX_EQ_HIGH));
    EXPECT_FALSE(Checked(IDC_MIX_EQ_ON));
    for (UINT id : {IDC_MIX_EQ_LOW, IDC_MIX_EQ_MID, IDC_MIX_EQ_HIGH, IDC_MIX_EQ_FLAT})
        EXPECT_FALSE(Enabled(id)) << id;

    // Off: the values are kept, the deck is not touched.
    Scroll(IDC_MIX_EQ_LOW, 40, SB_THUMBPOSITION);
    EXPECT_EQ(-40, m_host.eq[1][0]);
    EXPECT_EQ((Strings{"UpdateEqControls 1"}), m_host.calls);

    // On through the main window's toggle of deck B.
    m_host.calls.clear();
    Click(IDC_MIX_EQ_ON);
    EXPECT_EQ((Strings{"command 27219"}), m_host.calls);
    EXPECT_TRUE(m_decks[1]->IsEqualizerOn());
    EXPECT_TRUE(Checked(IDC_MIX_EQ_ON));
    EXPECT_TRUE(Enabled(IDC_MIX_EQ_HIGH));

    m_host.calls.clear();
    Scroll(IDC_MIX_EQ_HIGH, -50, SB_LINEDOWN);
    EXPECT_EQ((Strings{"SetDeckEq 1 -40 -20 50", "UpdateEqControls 1"}), m_host.calls);

    m_host.calls.clear();
    Click(IDC_MIX_EQ_FLAT);
    EXPECT_EQ((Strings{"SetDeckEq 1 0 0 0", "UpdateEqControls 1"}), m_host.calls);
    EXPECT_EQ(0, SliderPos(IDC_MIX_EQ_LOW));
    EXPECT_EQ(0, m_host.eq[1][2]);

    Click(IDC_MIX_EQ_ON);
    EXPECT_FALSE(m_decks[1]->IsEqualizerOn());
    EXPECT_FALSE(Enabled(IDC_MIX_EQ_LOW));
    EXPECT_FALSE(m_decks[0]->IsEqualizerOn()) << "deck A untouched";
}

TEST_F(MasterMixerTest, EffectBoxesRunTheSelectedDecksCommandsAndTheFilterBoxAttaches)
{
    Open(2);
    SelectDeck("Deck B");
    Click(IDC_MIX_ECHO);
    EXPECT_EQ(FX_ECHO, FxGetMode(1));
    EXPECT_EQ(FX_NONE, FxGetMode(0));
    EXPECT_TRUE(Checked(IDC_MIX_ECHO));
    Click(IDC_MIX_FLANGE);
    EXPECT_EQ(FX_FLANGE, FxGetMode(1));
    EXPECT_FALSE(Checked(IDC_MIX_ECHO));
    EXPECT_TRUE(Checked(IDC_MIX_FLANGE));
    EXPECT_EQ((Strings{"RunDeckCommand(28127)", "RunDeckCommand(28128)"}), m_decksHost.calls);

    SelectDeck("Deck A");
    EXPECT_FALSE(Checked(IDC_MIX_FLANGE)) << "deck A's page shows deck A's mode";
    Click(IDC_MIX_ROTATE);
    EXPECT_EQ(FX_ROTATE, FxGetMode(0));

    EXPECT_FALSE(m_decks[0]->GetPlayer()->IsFxAttached());
    Click(IDC_MIX_FX_FILTER);
    EXPECT_TRUE(m_decks[0]->GetPlayer()->IsFxAttached());
    EXPECT_FALSE(m_decks[1]->GetPlayer()->IsFxAttached());
    Click(IDC_MIX_FX_FILTER);
    EXPECT_FALSE(m_decks[0]->GetPlayer()->IsFxAttached());

    Scroll(IDC_MIX_ECHO_LENGTH, 1200, SB_THUMBTRACK, WM_HSCROLL);
    EXPECT_EQ(1200, FxGetEchoLength());
    Scroll(IDC_MIX_FLANGE_LENGTH, 77, SB_PAGEUP, WM_HSCROLL);
    EXPECT_EQ(77, FxGetFlangeLength());
    Scroll(IDC_MIX_ROTATE_SPEED, 50, SB_LINEUP, WM_HSCROLL);
    EXPECT_FLOAT_EQ(0.00005f, FxGetRotateSpeed());
    Scroll(IDC_MIX_ROTATE_SPEED, 90, SB_ENDSCROLL, WM_HSCROLL);
    EXPECT_FLOAT_EQ(0.00005f, FxGetRotateSpeed()) << "an end-of-scroll code sets nothing";
}

TEST_F(MasterMixerTest, PreProcessBoxesAndEditsWriteTheIniAndDeckAReadsThemAgain)
{
    WriteIni("MAIN", "SampleTime", "10");
    WriteIni("MAIN", "FindStartLevel", "5");
    WriteIni("MAIN", "CheckBPM", "1");
    Open(2);
    EXPECT_EQ("10", Text(IDC_MIX_SAMPLE_TIME));
    EXPECT_EQ("5", Text(IDC_MIX_START_LEVEL));
    EXPECT_TRUE(Checked(IDC_MIX_CHECK_BPM));
    EXPECT_FALSE(Checked(IDC_MIX_PREPROCESS));
    EXPECT_EQ("10", Ini("MAIN", "SampleTime")) << "filling the page writes nothing";

    const struct { UINT box; const char* key; bool (Deck::*read)() const; } boxes[] = {
        {IDC_MIX_PREPROCESS, "PreProcess", &Deck::IsPreProcessOn},
        {IDC_MIX_FIND_START, "FindStart", &Deck::IsFindStartOn},
        {IDC_MIX_CHECK_BPM, "CheckBPM", &Deck::IsCheckBpmOn},
    };
    for (const auto& b : boxes) {
        const bool before = Checked(b.box);
        Click(b.box);
        EXPECT_EQ(before ? "0" : "1", Ini("MAIN", b.key)) << b.key;
        EXPECT_EQ(!before, (m_decks[0].get()->*b.read)()) << b.key;
        EXPECT_EQ(!before, Checked(b.box)) << b.key << " read back";
    }

    // Typing 1 and 2 writes the text as it stands each time.
    ::SetWindowTextA(Item(IDC_MIX_SAMPLE_TIME), "");
    EXPECT_EQ("", Ini("MAIN", "SampleTime"));
    Type(IDC_MIX_SAMPLE_TIME, "1");
    EXPECT_EQ("1", Ini("MAIN", "SampleTime"));
    EXPECT_EQ(1, m_decks[0]->GetSampleTime());
    Type(IDC_MIX_SAMPLE_TIME, "2");
    EXPECT_EQ("12", Ini("MAIN", "SampleTime"));
    EXPECT_EQ(12, m_decks[0]->GetSampleTime());
    Type(IDC_MIX_START_LEVEL, "0");
    EXPECT_EQ("50", Ini("MAIN", "FindStartLevel"));
    EXPECT_EQ(50, m_decks[0]->GetFindStartLevel());
    EXPECT_EQ("12", Text(IDC_MIX_SAMPLE_TIME));

    // A huge number is written as typed; the deck scans at most an hour
    // (SampleTime x 38 frames would overflow).
    ::SetWindowTextA(Item(IDC_MIX_SAMPLE_TIME), "99999999999");
    EXPECT_EQ("99999999999", Ini("MAIN", "SampleTime"));
    EXPECT_EQ(3600, m_decks[0]->GetSampleTime());
    ::SetWindowTextA(Item(IDC_MIX_SAMPLE_TIME), "-5");
    EXPECT_EQ(-5, m_decks[0]->GetSampleTime()) << "no scan at all, as the pre-process treats it";
}

TEST_F(MasterMixerTest, MoreInfoExplainsThePreProcessor)
{
    Open(2);
    Click(IDC_MIX_MORE_INFO);
    ASSERT_EQ(1u, m_notices.shown.size());
    EXPECT_EQ(0u, m_notices.shown[0].find("The Pre-Processor will scan tracks as they are loaded into a deck,"));
    EXPECT_NE(std::string::npos, m_notices.shown[0].find("which will speed up load times."));
}

TEST_F(MasterMixerTest, TheSystemMixerButtonFallsBackToSndvol)
{
    g_launched.clear();
    TXVMixer2::SetLauncher(LaunchOnlySndvol);
    Open(2);
    Click(IDC_MIX_SYSTEM_MIXER);
    EXPECT_EQ((Strings{"open sndvol32 1 1", "open sndvol 1 1"}), g_launched);
}

TEST_F(MasterMixerTest, ClickingAMixerDeviceShowsItsVolumeWithASafeTickFrequency)
{
    TXVMixer2::SetVolumeSources(FixedVolume, FixedRange);
    Open(2);
    const HWND list = Item(IDC_MIX_SYSTEM_MIXERS);
    // A row of our own with device number 3 in the third column.
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    item.pszText = const_cast<char*>("test mixer");
    const int row = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    ASSERT_GE(row, 0);
    LVITEMA sub = {};
    sub.iSubItem = 2;
    sub.pszText = const_cast<char*>("3");
    ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
    ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);

    const int maxima[] = {10, 300};
    for (int maximum : maxima) {
        g_deviceMaximum = maximum;
        NMHDR click = {list, IDC_MIX_SYSTEM_MIXERS, static_cast<UINT>(NM_CLICK)};
        ::SendMessageA(Window(), WM_NOTIFY, IDC_MIX_SYSTEM_MIXERS, reinterpret_cast<LPARAM>(&click));
        EXPECT_EQ("Device: 3, Vol = 4", Text(IDC_MIX_DEVICE_VOLUME));
        EXPECT_EQ(maximum, SliderMax(IDC_MIX_MASTER_VOLUME));
        EXPECT_EQ(maximum - 4, SliderPos(IDC_MIX_MASTER_VOLUME));
        // A tick every maximum / 15 steps, at least every step.
        const int ticks = static_cast<int>(::SendMessageA(Item(IDC_MIX_MASTER_VOLUME), TBM_GETNUMTICS, 0, 0));
        EXPECT_EQ(maximum / 15 > 0 ? maximum / (maximum / 15) + 1 : maximum + 1, ticks) << maximum;
    }
}

TEST_F(MasterMixerTest, TheDeckTreeAndTheMixerListShowTheProgramsPictures)
{
    Open(2);
    // Bitmap 148: twelve 32 x 32 images, silver masked; the decks show image 9.
    const HIMAGELIST decks = TreeView_GetImageList(Item(IDC_MIX_DECKS), TVSIL_NORMAL);
    ASSERT_NE(nullptr, decks);
    EXPECT_EQ(12, ImageList_GetImageCount(decks));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(decks, &cx, &cy));
    EXPECT_EQ(32, cx);
    EXPECT_EQ(32, cy);
    EXPECT_EQ(48, TreeView_GetItemHeight(Item(IDC_MIX_DECKS)));
    TVITEMA tv = {};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = TreeView_GetRoot(Item(IDC_MIX_DECKS));
    ASSERT_TRUE(::SendMessageA(Item(IDC_MIX_DECKS), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)));
    EXPECT_EQ(9, tv.iImage);
    // The mask colour is transparent: the corner of image 9 draws nothing
    // over a red background, its platter does.
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 32, 32);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, 32, 32};
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    ::FillRect(dc, &all, red);
    ::DeleteObject(red);
    ASSERT_TRUE(ImageList_Draw(decks, 9, dc, 0, 0, ILD_TRANSPARENT));
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(dc, 0, 0));
    EXPECT_NE(RGB(255, 0, 0), ::GetPixel(dc, 15, 15));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    // Bitmap 273: five 32 x 32 images for the system mixer list.
    const HIMAGELIST devices = ListView_GetImageList(Item(IDC_MIX_SYSTEM_MIXERS), LVSIL_SMALL);
    ASSERT_NE(nullptr, devices);
    EXPECT_EQ(5, ImageList_GetImageCount(devices));
    ASSERT_TRUE(ImageList_GetIconSize(devices, &cx, &cy));
    EXPECT_EQ(32, cx);
}
