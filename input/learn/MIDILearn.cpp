#include "input/learn/MIDILearn.h"

#include "foundation/app/ProgramFolder.h"
#include "input/commands/CommandVocabulary.h"
#include "input/commands/InputLog.h"
#include "input/commands/TextFiles.h"
#include "input/midi/MIDIExceptions.h"
#include "input/midi/MidiBytes.h"

#include <cstdio>

namespace {

MIDILearn::NamePrompt& DefaultNamePrompt()
{
    static MIDILearn::NamePrompt prompt;
    return prompt;
}

CString Decimal(int32_t value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

const char* const kControlTypes[] = {"button", "knob", "scrollknob", "slider", "wheel"};

// Fills the list with the names of the devices of one direction and
// selects the first; a device whose capabilities cannot be read is logged.
template <class Device, class Caps, class Error>
void FillDeviceNames(CComboBox& list, const char* direction)
{
    list.ResetContent();
    const UINT count = Device::GetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        Caps caps = {};
        try {
            Device::GetDevCaps(id, caps);
            list.AddString(caps.szPname);
        } catch (const Error& error) {
            WriteLogWhenOn(CString("ERROR: MIDI ") + direction + " device: " + error.what());
        }
    }
    if (list.GetCount() > 0)
        list.SetCurSel(0);
}

} // namespace

BEGIN_MESSAGE_MAP(MIDILearn, CDialog)
    ON_LBN_SELCHANGE(IDC_LEARN_TYPES, OnTypeChanged)
    ON_BN_CLICKED(IDC_LEARN_FINISHED, OnFinished)
    ON_BN_CLICKED(IDC_LEARN_ADD, OnAddToMapper)
    ON_NOTIFY(NM_CLICK, IDC_LEARN_COMMANDS, OnCommandClicked)
    ON_MESSAGE(WM_MIDILEARN_MESSAGE, OnLearnMessage)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

MIDILearn::NamePrompt MIDILearn::SetDefaultNamePrompt(NamePrompt prompt)
{
    NamePrompt previous = DefaultNamePrompt();
    DefaultNamePrompt() = std::move(prompt);
    return previous;
}

MIDILearn::MIDILearn(CWnd* pParent, midi::MidiDeviceHost* host) : CDialog(IDD_MIDILEARN, pParent), m_host(host)
{
}

MIDILearn::~MIDILearn()
{
    ReleaseDevices();
}

void MIDILearn::ReleaseDevices()
{
    if (m_bReleased)
        return;
    m_bReleased = true;
    m_session = 0;
    m_in.Close();
    m_in.SetReceiver(nullptr);
    m_out.Close();
    if (m_bHostInputWasOpen && m_host)
        m_host->InitMIDIController();
}

void MIDILearn::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < 4; ++i)
        DDX_Control(pDX, IDC_LEARN_STEP1 + i, m_marks[i]);
    DDX_Control(pDX, IDC_LEARN_CHANNEL, m_channel);
    DDX_Control(pDX, IDC_LEARN_COMMAND, m_command);
    DDX_Control(pDX, IDC_LEARN_KEY, m_key);
    DDX_Control(pDX, IDC_LEARN_VALUE, m_value);
    DDX_Control(pDX, IDC_LEARN_INPUT_STATE, m_inputState);
    DDX_Control(pDX, IDC_LEARN_OUTPUT_STATE, m_outputState);
    DDX_Control(pDX, IDC_LEARN_PROMPT, m_prompt);
    DDX_Control(pDX, IDC_LEARN_INPUTS, m_inputs);
    DDX_Control(pDX, IDC_LEARN_OUTPUTS, m_outputs);
    DDX_Control(pDX, IDC_LEARN_TYPES, m_types);
    DDX_Control(pDX, IDC_LEARN_COMMANDS, m_commands);
    DDX_Control(pDX, IDC_LEARN_ENTRIES, m_entries);
    DDX_Control(pDX, IDC_LEARN_FINISHED, m_finished);
    DDX_Control(pDX, IDC_LEARN_ADD, m_add);
    DDX_Control(pDX, IDC_LEARN_INSTRUCTION, m_instruction);
}

BOOL MIDILearn::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The main window's devices stay closed while learning runs.
    if (m_host) {
        if (m_host->GetMidiIn().IsOpen()) {
            m_host->GetMidiIn().Close();
            m_bHostInputWasOpen = true;
        }
        if (m_host->GetMidiOut().IsOpen())
            m_host->GetMidiOut().Close();
    }
    FillDeviceLists();
    ShowDeviceStates();
    SetupColumns();
    int row = 0;
    for (const auto& name : ActionNameMap)
        m_commands.InsertItem(row++, name.first.c_str());
    m_types.ResetContent();
    for (const char* type : kControlTypes)
        m_types.AddString(type);
    m_instruction.SetWindowText("When all entries completed, click Save Map, and you can enter a name for the map.");
    ResetForm();
    m_bmStep.LoadBitmap(IDB_LEARN_STEP);
    m_bmCurrent.LoadBitmap(IDB_LEARN_STEP_CURRENT);
    ShowStep(1);
    return TRUE;
}

void MIDILearn::FillDeviceLists()
{
    FillDeviceNames<midi::CMIDIOutDevice, MIDIOUTCAPSA, midi::CMIDIOutException>(m_outputs, "out");
    FillDeviceNames<midi::CMIDIInDevice, MIDIINCAPSA, midi::CMIDIInException>(m_inputs, "in");
}

void MIDILearn::SetupColumns()
{
    const DWORD style = LVS_EX_FULLROWSELECT;
    m_commands.SetExtendedStyle(m_commands.GetExtendedStyle() | style);
    m_entries.SetExtendedStyle(m_entries.GetExtendedStyle() | style);
    while (m_commands.DeleteColumn(0)) {
    }
    while (m_entries.DeleteColumn(0)) {
    }
    m_commands.InsertColumn(0, "Commands", LVCFMT_LEFT, 150);
    const char* const narrow[] = {"Chan", "Key", "Low", "High", "Light", "LKey", "HD"};
    m_entries.InsertColumn(0, "Action", LVCFMT_LEFT, 120);
    m_entries.InsertColumn(1, "Type", LVCFMT_LEFT, 120);
    for (int i = 0; i < 7; ++i)
        m_entries.InsertColumn(2 + i, narrow[i], LVCFMT_LEFT, 40);
}

void MIDILearn::ShowStep(int step)
{
    m_shownStep = step;
    for (int i = 0; i < 4; ++i)
        m_marks[i].SetBitmap(i + 1 == step ? static_cast<HBITMAP>(m_bmCurrent) : static_cast<HBITMAP>(m_bmStep));
}

void MIDILearn::ResetForm()
{
    ShowStep(1);
    m_types.EnableWindow(TRUE);
    m_types.SetCurSel(-1);
    m_prompt.SetWindowText("");
    m_channel.SetWindowText("0");
    m_command.SetWindowText("0");
    m_key.SetWindowText("0");
    m_value.SetWindowText("0");
    m_finished.EnableWindow(FALSE);
    m_add.EnableWindow(FALSE);
    m_commands.EnableWindow(FALSE);
}

void MIDILearn::ShowDeviceStates()
{
    m_inputState.SetWindowText(m_in.IsOpen() ? "Open" : "Closed");
    m_outputState.SetWindowText(m_out.IsOpen() ? "Open" : "Closed");
}

void MIDILearn::Warn(const CString& text)
{
    AfxPromptMessageBox(GetSafeHwnd(), text, "Warning", MB_OK | MB_ICONWARNING);
}

void MIDILearn::OpenLearnInput()
{
    if (midi::CMIDIInDevice::GetNumDevs() == 0) {
        LearningFailed("No MIDI input devices available.");
        return;
    }
    try {
        m_in.SetReceiver(this);
        m_session = ++m_lastSession;
        m_in.Open(0);
        m_in.StartReceiving();
    } catch (const midi::CMIDIInException& error) {
        // A busy or vanished port: say why and let the user choose again.
        m_session = 0;
        m_in.Close();
        LearningFailed(error.what());
        return;
    }
    ShowDeviceStates();
}

void MIDILearn::CloseLearnInput()
{
    m_session = 0;
    if (m_in.IsReceiving())
        m_in.StopReceiving();
    if (m_in.IsOpen())
        m_in.Close();
    ShowDeviceStates();
}

void MIDILearn::LearningFailed(const CString& reason)
{
    m_steps.Stop();
    ShowDeviceStates();
    Warn(reason);
    ResetForm();
}

void MIDILearn::OnTypeChanged()
{
    const int index = m_types.GetCurSel();
    if (index < 0)
        return;
    CString type;
    m_types.GetText(index, type);
    m_types.EnableWindow(FALSE);
    ShowStep(2);
    CString prompt;
    const bool listen = m_steps.ChooseType(type, prompt);
    m_prompt.SetWindowText(prompt);
    if (listen)
        OpenLearnInput();
}

void MIDILearn::ReceiveShortMessage(DWORD packed, DWORD timestamp)
{
    (void)timestamp;
    // Driver thread: hand the message to the window thread, nothing more.
    const LPARAM session = m_session.load();
    HWND hWnd = GetSafeHwnd();
    if (session != 0 && hWnd)
        ::PostMessageA(hWnd, WM_MIDILEARN_MESSAGE, static_cast<WPARAM>(packed), session);
}

LRESULT MIDILearn::OnLearnMessage(WPARAM wParam, LPARAM lParam)
{
    // A message of a session that has ended (posted before Finished closed
    // the input) belongs to no phase any more.
    if (lParam != m_session.load())
        return 0;
    const uint32_t packed = static_cast<uint32_t>(wParam);
    m_channel.SetWindowText(Decimal(midi::ChannelOf(packed)));
    m_command.SetWindowText(Decimal(midi::CommandOf(packed)));
    m_key.SetWindowText(Decimal(midi::Data1Of(packed)));
    m_value.SetWindowText(Decimal(midi::Data2Of(packed)));
    if (m_steps.Receive(packed))
        m_finished.EnableWindow(TRUE);
    return 0;
}

void MIDILearn::OnDestroy()
{
    // Nothing may be posted to the handle once it is gone.
    m_session = 0;
    m_in.Close();
    CDialog::OnDestroy();
}

void MIDILearn::OnFinished()
{
    CloseLearnInput();
    CString prompt;
    if (m_steps.Finish(prompt) == LearnSteps::FinishResult::NextPhase) {
        m_prompt.SetWindowText(prompt);
        m_finished.EnableWindow(FALSE);
        OpenLearnInput();
        return;
    }
    m_prompt.SetWindowText("");
    m_finished.EnableWindow(FALSE);
    m_commands.EnableWindow(TRUE);
    ShowStep(3);
}

void MIDILearn::OnCommandClicked(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    *pResult = 0;
    const int row = m_commands.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0 || !m_commands.IsWindowEnabled())
        return;
    m_steps.SetAction(m_commands.GetItemText(row, 0));
    m_add.EnableWindow(TRUE);
    ShowStep(4);
}

void MIDILearn::OnAddToMapper()
{
    m_commands.EnableWindow(FALSE);
    const LearnedRow row = m_steps.Entry();
    m_rows.insert(m_rows.begin(), row);
    m_entries.InsertItem(0, row.action);
    const int32_t numbers[] = {row.chan, row.midikey, row.rlow, row.rhigh, row.lit, row.lkey, row.hd};
    m_entries.SetItemText(0, 1, row.type);
    for (int i = 0; i < 7; ++i)
        m_entries.SetItemText(0, 2 + i, Decimal(numbers[i]));
    ResetForm();
}

void MIDILearn::OnOK()
{
    const NamePrompt& prompt = m_namePrompt ? m_namePrompt : DefaultNamePrompt();
    CString name;
    if (!prompt || !prompt("Enter a name for the new mapper", name) || name.IsEmpty()) {
        EndDialog(IDOK);
        return;
    }
    CString reason;
    if (!CheckMapName(name, reason)) {
        Warn(reason);
        return;
    }
    const CString path = GetProgramFolder() + "cmap-" + name + ".xml";
    if (!WriteTextFileAtomically(path, FormatLearnedMapText(name, m_rows), reason)) {
        WriteLogWhenOn("ERROR: Controller map " + path + ": " + reason);
        Warn("The map could not be saved: " + reason);
        return;
    }
    m_savedPath = path;
    EndDialog(IDOK);
}

void MIDILearn::ReceiveLongMessage(const BYTE*, DWORD, DWORD)
{
}

void MIDILearn::OnLongMessageError(const BYTE*, DWORD, DWORD)
{
}

void MIDILearn::OnShortMessageError(DWORD, DWORD)
{
    std::fputs("Invalid short message received!\n", stdout);
    std::fflush(stdout);
}
