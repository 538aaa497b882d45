// What the MIDI controller receiver does with one short message: the
// messages it posts to the main window, decided from the message, the
// controller map and the main window's flags. No window code: the receiver
// (MIDIControlReceiver) carries the plan out on the driver's thread.
#pragma once

#include "input/controllermap/ControllerMap.h"

#include <cstdint>

// Where a post carries its copy of the entry.
enum class ReceiverItemSlot
{
    None,
    WParam,
    LParam
};

struct ReceiverPost
{
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    ReceiverItemSlot slot = ReceiverItemSlot::None; // the item replaces that parameter
};

// The main window's flags as the receiver reads them.
struct ReceiverFlags
{
    bool displayController = false; // pitch bends go straight to the pitch
    bool gainPitchSwapA = false;    // deck A's pitch bend moves its gain
    bool gainPitchSwapB = false;
};

// At most two posts per message, in order; the entry they carry.
struct ReceiverPlan
{
    int count = 0;
    ReceiverPost posts[2];
    ControllerMapItem item;
    bool setsJogWheel = false; // item becomes the main window's jog-wheel item first

    void Add(uint32_t message, uintptr_t wParam, intptr_t lParam, ReceiverItemSlot slot = ReceiverItemSlot::None);
};

// The plan for one packed short message. Looks the controller key up in
// map (under its lock); the pitch-bend shortcut does not consult it.
ReceiverPlan PlanShortMessage(uint32_t packed, const ReceiverFlags& flags, const ControllerMapTable& map);
