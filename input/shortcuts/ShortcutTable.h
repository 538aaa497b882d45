// Keyboard shortcuts: a key with optional Ctrl, Alt and Shift bound to an
// action name. They live in shortcut files (XML, root "TavrixShortCuts",
// one "sc" element per shortcut) and, while the program runs, in the
// global ShortcutTable, in file order. This file holds the parts without
// windows: reading the file's text (BuildShortcutFileText writes it), the
// two edits and the accelerator rows.
#pragma once

#include "foundation/shortcuts/ShortcutFile.h"
#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

// The program's shortcuts, window thread only.
extern ShortcutRows ShortcutTable;

// One accelerator row, as the platform's ACCEL holds it.
struct ShortcutAccelRow
{
    uint8_t fVirt;
    uint16_t key; // KeyNameMap value of the key name, 0 when unknown
    uint16_t cmd; // low 16 bits of the command id, 0 when unknown
};

// The accelerator rows of a table, one per entry, in order.
std::vector<ShortcutAccelRow> ShortcutAccelRows(const ShortcutRows& rows);

// Reads a shortcut file's text. False when the text is not XML (rows are
// then left alone); true otherwise, with the "sc" items of the root
// "TavrixShortCuts" in document order: none when the root is another or
// has no items.
bool ParseShortcutText(const CString& text, ShortcutRows& rows);

// Sets the shortcut of entry's action: replaces the last row whose action
// name equals it (letter case ignored) or appends the entry.
void StoreShortcutRow(ShortcutRows& rows, const ShortcutEntry& entry);
// Removes the first row whose action name equals entry's (letter case
// ignored); false when none does.
bool RemoveShortcutRow(ShortcutRows& rows, const ShortcutEntry& entry);
// The first row whose action name equals name exactly, or null.
const ShortcutEntry* FindShortcutRow(const ShortcutRows& rows, const char* actionName);
