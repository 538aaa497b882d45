// MIDI learn without windows: the learn cycle's flags and the entry being
// learned, the rows learned so far as a controller-map file, and the check
// of a map's name.
//
// A control is learned in one or two phases: a button by its press and its
// release, a slider, knob, scroll knob or wheel by a first and a second end
// of its travel, each phase ended by Finished. Every message of a phase
// overwrites what the previous one recorded: the last one counts.
#pragma once

#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

// The entry being learned. lit, lkey and hd are never learned and stay 0.
struct LearnEntry
{
    CString action;
    CString type;
    int32_t rlow = 0;
    int32_t rhigh = 0;
    int32_t lit = 0;
    int32_t lkey = 0;
    int32_t hd = 0;
    int32_t chan = 0;
    int32_t command = 0;
    int32_t midikey = 0;
    int32_t value = 0;
};

class LearnSteps
{
public:
    // What Finished asks next.
    enum class FinishResult
    {
        NextPhase, // listen again for the second phase (prompt given)
        Done       // the control is learned: choose its command
    };

    // Operations
    // Starts learning a control of the type (compared case-blind); gives
    // the prompt. True when the type is known and the input shall listen.
    bool ChooseType(const CString& type, CString& prompt);
    // One message of the controller. True when Finished may now be used.
    bool Receive(uint32_t packed);
    // Ends the current phase; for NextPhase, prompt is the next one's.
    FinishResult Finish(CString& prompt);
    // Stops learning (all flags clear); the entry stays.
    void Stop();
    void SetAction(const CString& action) { m_entry.action = action; }

    // Attributes
    const LearnEntry& Entry() const { return m_entry; }
    // True while a phase waits for messages.
    bool IsLearning() const;

private:
    void RecordFirst(uint32_t packed);

    LearnEntry m_entry;
    bool m_buttonPress = false;
    bool m_buttonRelease = false;
    bool m_knob[2] = {false, false};
    bool m_scrollKnob[2] = {false, false};
    bool m_slider[2] = {false, false};
    bool m_wheel[2] = {false, false};
};

// One row of the learned map, as the dialog's entries list shows it (the
// file keeps action, type, chan, midikey, rlow, rhigh, lit, lkey and hd).
using LearnedRow = LearnEntry;

// The controller-map file text: prolog, root "ControllerMapper" with the
// name and version "1.0", one "cm" item per row in the order given.
CString FormatLearnedMapText(const CString& name, const std::vector<LearnedRow>& rows);

// True when the name can stand in "cmap-" + name + ".xml" in the program
// folder: not empty, no path separator, no "..", no character that a file
// name cannot hold (< > : " / \ | ? * and control characters), not ending
// in a dot or a space. Otherwise false with the reason.
bool CheckMapName(const CString& name, CString& reason);
