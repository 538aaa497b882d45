#include "input/midi/ReceiverRules.h"

#include "input/midi/MidiBytes.h"
#include "input/midi/ReceiverMessages.h"

namespace {

const int32_t kScrollUp = 27612;   // "tl-scrollup"
const int32_t kScrollDown = 27613; // "tl-scrolldn"

bool Is(const CString& text, const char* name)
{
    return text.CompareNoCase(name) == 0;
}

void PlanPitchBend(ReceiverPlan& plan, int channel, int value, const ReceiverFlags& flags)
{
    if (channel != 0 && channel != 1)
        return;
    const bool swapped = channel == 0 ? flags.gainPitchSwapA : flags.gainPitchSwapB;
    // "a-pitch" 28002, "b-pitch" 28008; swapped: "a-gain" 28001, "b-gain" 28007.
    const int32_t base = channel == 0 ? 28001 : 28007;
    plan.item = ControllerMapItem();
    plan.item.commandId = swapped ? base : base + 1;
    plan.item.rlow = 0;
    plan.item.rhigh = 127;
    plan.Add(WM_MIDI_VALUE, static_cast<uintptr_t>(value), 0, ReceiverItemSlot::LParam);
}

void PlanHeldButton(ReceiverPlan& plan, bool pressed)
{
    const uintptr_t state = pressed ? 1 : 0;
    switch (plan.item.commandId) {
    case 27121: plan.Add(WM_MIDI_FAST_FORWARD, 0, static_cast<intptr_t>(state)); break; // "a-ff"
    case 27122: plan.Add(WM_MIDI_REWIND, 0, static_cast<intptr_t>(state)); break;       // "a-rw"
    case 27221: plan.Add(WM_MIDI_FAST_FORWARD, 1, static_cast<intptr_t>(state)); break; // "b-ff"
    case 27222: plan.Add(WM_MIDI_REWIND, 1, static_cast<intptr_t>(state)); break;       // "b-rw"
    case 27129: // "a-pitchup"
    case 27130: // "a-pitchdown"
    case 27229: // "b-pitchup"
    case 27230: // "b-pitchdown"
        if (pressed)
            plan.Add(WM_COMMAND, static_cast<uintptr_t>(static_cast<uint16_t>(plan.item.commandId)), 0);
        else
            plan.Add(WM_MIDI_PITCH_RELEASE, plan.item.commandId < 27200 ? 0 : 1, 0);
        break;
    default:
        break;
    }
}

void PlanButton(ReceiverPlan& plan)
{
    plan.Add(WM_COMMAND, static_cast<uintptr_t>(static_cast<uint16_t>(plan.item.commandId)), 0);
    const uintptr_t lkey = static_cast<uint16_t>(plan.item.lkey);
    switch (plan.item.lit) {
    case 1: plan.Add(WM_MIDI_LED_TOGGLE, lkey, 0); break;
    case 2: plan.Add(WM_MIDI_LED_FLASH, lkey, 0); break;
    case 3: plan.Add(WM_MIDI_DISPLAY_TEXT, 0, 0, ReceiverItemSlot::WParam); break;
    default: break;
    }
}

} // namespace

void ReceiverPlan::Add(uint32_t message, uintptr_t wParam, intptr_t lParam, ReceiverItemSlot slot)
{
    if (count >= 2)
        return;
    ReceiverPost& post = posts[count++];
    post.message = message;
    post.wParam = wParam;
    post.lParam = lParam;
    post.slot = slot;
}

ReceiverPlan PlanShortMessage(uint32_t packed, const ReceiverFlags& flags, const ControllerMapTable& map)
{
    ReceiverPlan plan;
    const int channel = midi::ChannelOf(packed);
    const int command = midi::CommandOf(packed);
    const int value = midi::Data2Of(packed);
    const int32_t key = ControllerKey(midi::Data1Of(packed), channel);

    if (command == 0xE0 && flags.displayController) {
        PlanPitchBend(plan, channel, value, flags);
        return plan;
    }
    if (!map.Lookup(key, plan.item))
        return plan;

    const ControllerMapItem& item = plan.item;
    if (Is(item.type, "slider") || Is(item.type, "knob")) {
        plan.Add(WM_MIDI_VALUE, static_cast<uintptr_t>(value), 0, ReceiverItemSlot::LParam);
    } else if (Is(item.type, "scrollknob")) {
        if (Is(item.action, "aq-scroll"))
            plan.Add(WM_MIDI_SCROLL_AQ, static_cast<uintptr_t>(value), item.rhigh);
        else if (Is(item.action, "bq-scroll"))
            plan.Add(WM_MIDI_SCROLL_BQ, static_cast<uintptr_t>(value), item.rhigh);
        else if (Is(item.action, "tl-scroll"))
            plan.Add(WM_COMMAND, value == item.rlow ? kScrollUp : kScrollDown, 0);
    } else if (Is(item.type, "wheel")) {
        plan.setsJogWheel = true;
        plan.Add(WM_MIDI_WHEEL, static_cast<uintptr_t>(value), 0, ReceiverItemSlot::LParam);
    } else if (Is(item.type, "button")) {
        const bool pressed = value == item.rhigh;
        if (item.hd == 1)
            PlanHeldButton(plan, pressed);
        else if (pressed)
            PlanButton(plan);
    }
    return plan;
}
