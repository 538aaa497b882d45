// Controller maps: what each control of a MIDI controller does. A map file
// ("cmap-" + name + ".xml", root "ControllerMapper", one "cm" element per
// control) is read into ControllerMap (controller key -> entry), which the
// MIDI receiver consults on its own thread, and LightMap (controller key ->
// display text of the "light" entries), used on the window thread.
#pragma once

#include "framework/core/CString.h"

#include <cstdint>
#include <map>
#include <mutex>

// One map entry, copied by value.
struct ControllerMapItem
{
    CString action;
    CString type;
    int32_t key = 0;       // midikey, plus 100 on channel 1
    int32_t commandId = 0; // ActionNameMap value of action, 0 when unknown
    int32_t chan = 0;
    int32_t rlow = 0;
    int32_t rhigh = 0;
    int32_t lit = 0;
    int32_t lkey = 0;
    int32_t hd = 0;
    int32_t cmd = 0;
    CString outstring;
};

using ControllerMapRows = std::map<int32_t, ControllerMapItem>;
using LightMapRows = std::map<int32_t, CString>;

// The controller key of a MIDI key on a channel: only channels 0 and 1
// are told apart (channel 1 adds 100).
int32_t ControllerKey(int32_t midikey, int32_t chan);

// The global map with its lock: the loader replaces the rows on the window
// thread while the MIDI receiver looks keys up on the driver's thread.
class ControllerMapTable
{
public:
    // Attributes
    // Copies the entry of a key; false when the key has none.
    bool Lookup(int32_t key, ControllerMapItem& item) const;
    size_t GetCount() const;
    ControllerMapRows Snapshot() const;

    // Operations
    void Replace(ControllerMapRows rows);
    void RemoveAll();

private:
    mutable std::mutex m_lock;
    ControllerMapRows m_rows;
};

extern ControllerMapTable ControllerMap;
// Window thread only. Not emptied by a load: a later load replaces only
// the keys it enters again.
extern LightMapRows LightMap;

// Reads the text of a map file. False when the text is not XML (nothing
// is given back); otherwise true with the entries and light texts that the
// text holds, none when its root is not "ControllerMapper" or it has no
// "cm" items. A later entry on the same key replaces an earlier one.
bool ParseControllerMapText(const CString& text, ControllerMapRows& items, LightMapRows& lights);
