// MIDILearn: the modal "TAVRIX PRO DJ - MIDI LEARN" dialog (template 241)
// that builds a controller map by example. Step 1 choose a control type,
// step 2 move or press the control (one or two phases, each ended by
// Finished), step 3 choose its command, step 4 add the entry; Save Map
// writes the entries as "cmap-<name>.xml" in the program folder.
//
// While open it listens on its own MIDI input (device 0); the main
// window's devices are closed meanwhile and opened again when it goes.
// The driver's thread only posts each message to the dialog; the learning
// itself runs on the window thread.
#pragma once

#include "framework/ui/AfxWin.h"
#include "input/learn/LearnSteps.h"
#include "input/midi/MIDIInDevice.h"
#include "input/midi/MIDIOutDevice.h"
#include "input/midi/MidiHost.h"
#include "input/res/InputResource.h"

#include <atomic>
#include <functional>
#include <vector>

// A learned message on its way to the dialog: wParam the packed message,
// lParam the listening session it belongs to.
#define WM_MIDILEARN_MESSAGE (WM_USER + 120)

class MIDILearn : public CDialog, public midi::CMIDIInputSink
{
public:
    enum { IDD = IDD_MIDILEARN };

    // Asks the user for a map name: false when cancelled.
    using NamePrompt = std::function<bool(const CString& prompt, CString& name)>;
    // The program's name prompt, used by every learn dialog without one of
    // its own; returns the one before.
    static NamePrompt SetDefaultNamePrompt(NamePrompt prompt);

    // Construction
    explicit MIDILearn(CWnd* pParent = nullptr, midi::MidiDeviceHost* host = midi::GetMidiDeviceHost());
    ~MIDILearn() override;

    // Attributes
    void SetNamePrompt(NamePrompt prompt) { m_namePrompt = std::move(prompt); }
    const LearnSteps& GetSteps() const { return m_steps; }
    // The rows of the entries list, top first.
    const std::vector<LearnedRow>& GetRows() const { return m_rows; }
    int GetShownStep() const { return m_shownStep; }
    // The file the last Save Map wrote, empty when none.
    const CString& GetSavedPath() const { return m_savedPath; }

    // Overridables
    BOOL OnInitDialog() override;
    void OnOK() override; // Save Map
    void DoDataExchange(CDataExchange* pDX) override;

    void ReceiveLongMessage(const BYTE* bytes, DWORD count, DWORD timestamp) override;
    void ReceiveShortMessage(DWORD packed, DWORD timestamp) override;
    void OnLongMessageError(const BYTE* bytes, DWORD count, DWORD timestamp) override;
    void OnShortMessageError(DWORD packed, DWORD timestamp) override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnTypeChanged();                                  // ON_LBN_SELCHANGE 1222
    void OnFinished();                                     // ON_BN_CLICKED 1227
    void OnAddToMapper();                                  // ON_BN_CLICKED 1225
    void OnCommandClicked(NMHDR* pNMHDR, LRESULT* pResult); // ON_NOTIFY NM_CLICK 1215
    LRESULT OnLearnMessage(WPARAM wParam, LPARAM lParam);  // ON_MESSAGE WM_MIDILEARN_MESSAGE
    void OnDestroy();                                      // ON_WM_DESTROY

private:
    void ShowStep(int step);
    void ResetForm();
    void OpenLearnInput();
    void CloseLearnInput();
    void LearningFailed(const CString& reason);
    void ShowDeviceStates();
    void FillDeviceLists();
    void SetupColumns();
    void ReleaseDevices();
    void Warn(const CString& text);

    midi::MidiDeviceHost* m_host;
    bool m_bHostInputWasOpen = false;
    bool m_bReleased = false;
    midi::CMIDIOutDevice m_out; // never opened
    midi::CMIDIInDevice m_in;
    std::atomic<LPARAM> m_session{0}; // the listening session, 0 when not listening
    LPARAM m_lastSession = 0;

    LearnSteps m_steps;
    std::vector<LearnedRow> m_rows;
    NamePrompt m_namePrompt;
    CString m_savedPath;
    int m_shownStep = 0;

    CBitmap m_bmStep;
    CBitmap m_bmCurrent;
    CStatic m_marks[4];
    CStatic m_channel, m_command, m_key, m_value;
    CStatic m_inputState, m_outputState, m_prompt;
    CComboBox m_inputs, m_outputs;
    CListBox m_types;
    CListCtrl m_commands, m_entries;
    CButton m_finished, m_add;
    CEdit m_instruction;
};
