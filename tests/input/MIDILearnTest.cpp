// The MIDI learn dialog on its real template, with a driver of the test's
// own: learning buttons, sliders, knobs and wheels, the saved map's bytes,
// the main window's devices, and what happens when the input cannot open
// or the name cannot be a file name.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <thread>
#include <vector>

#include "FakeMidiApi.h"
#include "input/commands/CommandVocabulary.h"
#include "input/learn/MIDILearn.h"
#include "input/midi/MidiBytes.h"
#include "tests/framework/ui/UiTestSupport.h"
#include "tests/support/ProgramFolder.h"

namespace {

using midi::PackShortMessage;

class StandInHost : public midi::MidiDeviceHost
{
public:
    midi::CMIDIInDevice& GetMidiIn() override { return in; }
    midi::CMIDIOutDevice& GetMidiOut() override { return out; }
    void CloseMidiDevices() override {}
    void InitMIDIController() override
    {
        ++inits;
        in.Open(0);
        out.Open(0);
    }
    midi::CMIDIInDevice in;
    midi::CMIDIOutDevice out;
    int inits = 0;
};

class MIDILearnTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        BuildActionNameMap();
    }
    void TearDown() override
    {
        if (m_dialog) {
            m_dialog->DestroyWindow();
            m_dialog.reset();
        }
        ClearCommandMaps();
        ProgramFolderTest::TearDown();
    }

    void Open(midi::MidiDeviceHost* host = nullptr)
    {
        m_dialog.reset(new MIDILearn(nullptr, host));
        m_dialog->SetNamePrompt([this](const CString& prompt, CString& name) {
            m_prompts.push_back(prompt.GetString());
            name = m_name.c_str();
            return m_answer;
        });
        ASSERT_TRUE(m_dialog->Create(IDD_MIDILEARN));
        m_dialog->ShowWindow(SW_SHOW);
    }
    HWND Item(int id) { return ::GetDlgItem(m_dialog->GetSafeHwnd(), id); }
    std::string Text(int id)
    {
        char text[256] = {};
        ::GetWindowTextA(Item(id), text, sizeof(text));
        return text;
    }
    bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
    void Click(int id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    void ChooseType(const char* type)
    {
        const LRESULT index = ::SendMessageA(Item(IDC_LEARN_TYPES), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(type));
        ASSERT_GE(index, 0) << type;
        ::SendMessageA(Item(IDC_LEARN_TYPES), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageA(m_dialog->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_LEARN_TYPES, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(IDC_LEARN_TYPES)));
    }
    // The controller sends these, on the driver's thread; the dialog gets
    // them through its queue.
    void Move(const std::vector<uint32_t>& messages)
    {
        std::thread driver([&] {
            for (uint32_t message : messages)
                EXPECT_TRUE(m_driver.DeliverShort(message));
        });
        driver.join();
        ui_test::PumpPending();
    }
    void ChooseCommand(const char* action)
    {
        HWND list = Item(IDC_LEARN_COMMANDS);
        LVFINDINFOA find = {};
        find.flags = LVFI_STRING;
        find.psz = action;
        const int row = static_cast<int>(::SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
        ASSERT_GE(row, 0) << action;
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
        NMITEMACTIVATE click = {};
        click.hdr.hwndFrom = list;
        click.hdr.idFrom = IDC_LEARN_COMMANDS;
        click.hdr.code = NM_CLICK;
        click.iItem = row;
        ::SendMessageA(m_dialog->GetSafeHwnd(), WM_NOTIFY, IDC_LEARN_COMMANDS, reinterpret_cast<LPARAM>(&click));
    }
    // One whole learn cycle.
    void Learn(const char* type, const std::vector<uint32_t>& first, const std::vector<uint32_t>& second, const char* action)
    {
        ChooseType(type);
        Move(first);
        Click(IDC_LEARN_FINISHED);
        if (!second.empty()) {
            Move(second);
            Click(IDC_LEARN_FINISHED);
        }
        ChooseCommand(action);
        Click(IDC_LEARN_ADD);
    }
    std::string Saved(const std::string& name)
    {
        std::string bytes;
        tavrix_test::ReadFileBytes(m_dir.File("cmap-" + name + ".xml"), bytes);
        return bytes;
    }

    FakeMidiApi m_driver;
    ui_test::RecordingAnswerer m_boxes;
    std::unique_ptr<MIDILearn> m_dialog;
    std::string m_name = "mine";
    bool m_answer = true;
    std::vector<std::string> m_prompts;
};

TEST_F(MIDILearnTest, ItOpensOnStepOneWithTheListsFilled)
{
    m_driver.inputNames = {"Keys", "Pads"};
    m_driver.outputNames = {"Lights"};
    Open();
    char caption[64] = {};
    ::GetWindowTextA(m_dialog->GetSafeHwnd(), caption, sizeof(caption));
    EXPECT_STREQ("TAVRIX PRO DJ - MIDI LEARN", caption);
    EXPECT_EQ(1, m_dialog->GetShownStep());
    EXPECT_EQ(2, ::SendMessageA(Item(IDC_LEARN_INPUTS), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, ::SendMessageA(Item(IDC_LEARN_INPUTS), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(1, ::SendMessageA(Item(IDC_LEARN_OUTPUTS), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(5, ::SendMessageA(Item(IDC_LEARN_TYPES), LB_GETCOUNT, 0, 0));
    EXPECT_EQ(static_cast<LRESULT>(ActionNameMap.GetCount()), ::SendMessageA(Item(IDC_LEARN_COMMANDS), LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(9, ::SendMessageA(reinterpret_cast<HWND>(::SendMessageA(Item(IDC_LEARN_ENTRIES), LVM_GETHEADER, 0, 0)),
                                HDM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ("Closed", Text(IDC_LEARN_INPUT_STATE));
    EXPECT_EQ("Closed", Text(IDC_LEARN_OUTPUT_STATE));
    EXPECT_EQ("When all entries completed, click Save Map, and you can enter a name for the map.", Text(IDC_LEARN_INSTRUCTION));
    EXPECT_EQ("0", Text(IDC_LEARN_VALUE));
    EXPECT_FALSE(Enabled(IDC_LEARN_FINISHED));
    EXPECT_FALSE(Enabled(IDC_LEARN_ADD));
    EXPECT_FALSE(Enabled(IDC_LEARN_COMMANDS));
    EXPECT_TRUE(Enabled(IDC_LEARN_TYPES));
    // The marks show bitmaps: the current one for step 1.
    const LRESULT current = ::SendMessageA(Item(IDC_LEARN_STEP1), STM_GETIMAGE, IMAGE_BITMAP, 0);
    const LRESULT other = ::SendMessageA(Item(IDC_LEARN_STEP2), STM_GETIMAGE, IMAGE_BITMAP, 0);
    EXPECT_NE(0, current);
    EXPECT_NE(0, other);
    EXPECT_NE(current, other);
}

TEST_F(MIDILearnTest, AButtonIsLearnedByItsPressAndRelease)
{
    Open();
    ChooseType("button");
    EXPECT_EQ(2, m_dialog->GetShownStep());
    EXPECT_FALSE(Enabled(IDC_LEARN_TYPES));
    EXPECT_EQ("Press and release the button now. Click Finished when complete.", Text(IDC_LEARN_PROMPT));
    EXPECT_EQ("Open", Text(IDC_LEARN_INPUT_STATE));
    Move({PackShortMessage(0x90, 1, 36, 127)});
    EXPECT_EQ("1", Text(IDC_LEARN_CHANNEL));
    EXPECT_EQ("144", Text(IDC_LEARN_COMMAND));
    EXPECT_EQ("36", Text(IDC_LEARN_KEY));
    EXPECT_EQ("127", Text(IDC_LEARN_VALUE));
    EXPECT_FALSE(Enabled(IDC_LEARN_FINISHED)); // only after the release
    Move({PackShortMessage(0x90, 1, 36, 0)});
    EXPECT_TRUE(Enabled(IDC_LEARN_FINISHED));
    Click(IDC_LEARN_FINISHED);
    EXPECT_EQ("Closed", Text(IDC_LEARN_INPUT_STATE));
    EXPECT_FALSE(m_driver.IsInputOpen());
    EXPECT_EQ(3, m_dialog->GetShownStep());
    EXPECT_TRUE(Enabled(IDC_LEARN_COMMANDS));
    ChooseCommand("b-play");
    EXPECT_EQ(4, m_dialog->GetShownStep());
    EXPECT_TRUE(Enabled(IDC_LEARN_ADD));
    Click(IDC_LEARN_ADD);
    EXPECT_EQ(1, m_dialog->GetShownStep());
    EXPECT_TRUE(Enabled(IDC_LEARN_TYPES));
    EXPECT_EQ(1, ::SendMessageA(Item(IDC_LEARN_ENTRIES), LVM_GETITEMCOUNT, 0, 0));

    Click(IDOK);
    ASSERT_EQ(1u, m_prompts.size());
    EXPECT_EQ("Enter a name for the new mapper", m_prompts[0]);
    EXPECT_EQ(m_dir.File("cmap-mine.xml"), std::string(m_dialog->GetSavedPath()));
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
              "<ControllerMapper name=\"mine\" version=\"1.0\">\r\n"
              "<cm action=\"b-play\" type=\"button\" chan=\"1\" midikey=\"36\" rlow=\"0\" rhigh=\"127\" lit=\"0\" lkey=\"0\" hd=\"0\"/>\r\n"
              "</ControllerMapper>\r\n",
              Saved("mine"));
}

TEST_F(MIDILearnTest, SlidersKnobsScrollKnobsAndWheelsAreSavedNewestFirst)
{
    Open();
    Learn("slider", {PackShortMessage(0xB0, 0, 7, 10), PackShortMessage(0xB0, 0, 7, 0)},
          {PackShortMessage(0xB0, 0, 7, 127)}, "a-gain");
    Learn("knob", {PackShortMessage(0xB0, 0, 8, 0)}, {PackShortMessage(0xB0, 0, 8, 127)}, "a-eqlow");
    Learn("scrollknob", {PackShortMessage(0xB0, 2, 9, 127)}, {PackShortMessage(0xB0, 2, 9, 1)}, "aq-scroll");
    Learn("wheel", {PackShortMessage(0xB0, 1, 25, 63)}, {PackShortMessage(0xB0, 1, 25, 65)}, "b-jogwheel");
    ASSERT_EQ(4u, m_dialog->GetRows().size());
    m_name = "four";
    Click(IDOK);
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
              "<ControllerMapper name=\"four\" version=\"1.0\">\r\n"
              "<cm action=\"b-jogwheel\" type=\"wheel\" chan=\"1\" midikey=\"25\" rlow=\"63\" rhigh=\"65\" lit=\"0\" lkey=\"0\" hd=\"0\"/>\r\n"
              "<cm action=\"aq-scroll\" type=\"scrollknob\" chan=\"2\" midikey=\"9\" rlow=\"127\" rhigh=\"1\" lit=\"0\" lkey=\"0\" hd=\"0\"/>\r\n"
              "<cm action=\"a-eqlow\" type=\"knob\" chan=\"0\" midikey=\"8\" rlow=\"0\" rhigh=\"127\" lit=\"0\" lkey=\"0\" hd=\"0\"/>\r\n"
              "<cm action=\"a-gain\" type=\"slider\" chan=\"0\" midikey=\"7\" rlow=\"127\" rhigh=\"0\" lit=\"0\" lkey=\"0\" hd=\"0\"/>\r\n"
              "</ControllerMapper>\r\n",
              Saved("four"));
}

TEST_F(MIDILearnTest, TheSecondPhaseHasItsOwnPromptAndListensAgain)
{
    Open();
    ChooseType("slider");
    Move({PackShortMessage(0xB0, 0, 7, 0)});
    Click(IDC_LEARN_FINISHED);
    EXPECT_EQ("Pull the slider all the way to the right (horz), or bottom (vert), then click Finished.", Text(IDC_LEARN_PROMPT));
    EXPECT_FALSE(Enabled(IDC_LEARN_FINISHED));
    EXPECT_EQ(2, m_dialog->GetShownStep());
    EXPECT_EQ(2, m_driver.GetCounts().inOpen);
    EXPECT_TRUE(m_driver.IsInputOpen());
}

TEST_F(MIDILearnTest, MessagesOfAnEndedPhaseAreIgnored)
{
    Open();
    ChooseType("knob");
    // Posted by the driver, still queued when Finished closes the input.
    m_driver.DeliverShort(PackShortMessage(0xB0, 0, 8, 5));
    m_driver.DeliverShort(PackShortMessage(0xB0, 0, 8, 7));
    ui_test::PumpPending();
    m_driver.DeliverShort(PackShortMessage(0xB0, 0, 8, 99));
    Click(IDC_LEARN_FINISHED); // handled before the queued message
    ui_test::PumpPending();
    EXPECT_EQ(7, m_dialog->GetSteps().Entry().rlow);
    EXPECT_EQ(0, m_dialog->GetSteps().Entry().rhigh);
    EXPECT_EQ("7", Text(IDC_LEARN_VALUE));
}

TEST_F(MIDILearnTest, AnInputThatCannotOpenIsReportedAndTheDialogStaysUsable)
{
    m_driver.inOpenError = MMSYSERR_ALLOCATED;
    Open();
    ChooseType("button");
    ASSERT_EQ(1u, m_boxes.m_calls.size());
    EXPECT_EQ(FakeMidiApi::ErrorText(MMSYSERR_ALLOCATED), m_boxes.m_calls[0].text);
    EXPECT_EQ("Warning", m_boxes.m_calls[0].caption);
    EXPECT_EQ("Closed", Text(IDC_LEARN_INPUT_STATE));
    EXPECT_TRUE(Enabled(IDC_LEARN_TYPES));
    EXPECT_EQ(1, m_dialog->GetShownStep());
    EXPECT_FALSE(m_dialog->GetSteps().IsLearning());
    // Once the port is free the same dialog learns.
    m_driver.inOpenError = MMSYSERR_NOERROR;
    Learn("button", {PackShortMessage(0x90, 0, 40, 100), PackShortMessage(0x90, 0, 40, 0)}, {}, "a-play");
    ASSERT_EQ(1u, m_dialog->GetRows().size());
    EXPECT_EQ(100, m_dialog->GetRows()[0].rhigh);
}

TEST_F(MIDILearnTest, NoInputDeviceIsReported)
{
    m_driver.inputNames.clear();
    Open();
    ChooseType("knob");
    ASSERT_EQ(1u, m_boxes.m_calls.size());
    EXPECT_EQ("No MIDI input devices available.", m_boxes.m_calls[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONWARNING), m_boxes.m_calls[0].type);
    EXPECT_EQ(0, m_driver.GetCounts().inOpen);
    EXPECT_FALSE(Enabled(IDC_LEARN_FINISHED));
    EXPECT_TRUE(Enabled(IDC_LEARN_TYPES));
}

TEST_F(MIDILearnTest, NamesThatCannotBeAFileNameAreRefused)
{
    Open();
    Learn("knob", {PackShortMessage(0xB0, 0, 8, 0)}, {PackShortMessage(0xB0, 0, 8, 127)}, "a-eqlow");
    const char* const bad[] = {"..\\escape", "sub/dir", "a:b", "what?", ".."};
    for (const char* name : bad) {
        m_name = name;
        Click(IDOK);
        EXPECT_TRUE(::IsWindowVisible(m_dialog->GetSafeHwnd())) << name;
        EXPECT_TRUE(m_dialog->GetSavedPath().IsEmpty()) << name;
    }
    EXPECT_EQ(5u, m_boxes.m_calls.size());
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((m_dir.Path() + "\\..\\*escape*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    if (search != INVALID_HANDLE_VALUE)
        ::FindClose(search);
    // The entries are still there for a good name.
    m_name = "good";
    Click(IDOK);
    EXPECT_NE(std::string::npos, Saved("good").find("action=\"a-eqlow\""));
}

TEST_F(MIDILearnTest, CancelledOrEmptyNamesWriteNothing)
{
    struct Case
    {
        bool answer;
        const char* name;
    } cases[] = {{false, "mine"}, {true, ""}};
    for (const Case& c : cases) {
        Open();
        Learn("knob", {PackShortMessage(0xB0, 0, 8, 0)}, {PackShortMessage(0xB0, 0, 8, 127)}, "a-eqlow");
        m_answer = c.answer;
        m_name = c.name;
        Click(IDOK);
        EXPECT_FALSE(::IsWindowVisible(m_dialog->GetSafeHwnd()));
        EXPECT_TRUE(m_dialog->GetSavedPath().IsEmpty());
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA(m_dir.File("cmap-*").c_str(), &found);
        EXPECT_EQ(INVALID_HANDLE_VALUE, search);
        if (search != INVALID_HANDLE_VALUE)
            ::FindClose(search);
        m_dialog->DestroyWindow();
        m_dialog.reset();
    }
}

TEST_F(MIDILearnTest, TheMainWindowsDevicesAreClosedMeanwhileAndReopenedAfter)
{
    StandInHost host;
    host.in.Open(0);
    host.in.StartReceiving();
    host.out.Open(0);
    Open(&host);
    EXPECT_FALSE(host.in.IsOpen());
    EXPECT_FALSE(host.out.IsOpen());
    // The learn input can now take the port.
    Learn("button", {PackShortMessage(0x90, 0, 40, 127), PackShortMessage(0x90, 0, 40, 0)}, {}, "a-play");
    EXPECT_EQ(1u, m_dialog->GetRows().size());
    EXPECT_EQ(0, host.inits);
    m_dialog->DestroyWindow();
    m_dialog.reset();
    EXPECT_EQ(1, host.inits);
    EXPECT_TRUE(host.in.IsOpen());
}

TEST_F(MIDILearnTest, AClosedMainInputIsNotReopened)
{
    StandInHost host;
    host.out.Open(0);
    Open(&host);
    EXPECT_FALSE(host.out.IsOpen());
    ChooseType("button"); // input open while the dialog goes
    EXPECT_TRUE(m_driver.IsInputOpen());
    m_dialog->DestroyWindow();
    EXPECT_FALSE(m_driver.IsInputOpen()); // closed with the window
    m_dialog.reset();
    EXPECT_EQ(0, host.inits);
    EXPECT_FALSE(m_driver.IsInputOpen());
}

} // namespace
