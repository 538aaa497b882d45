// Keyboard shortcut files (extension "key"): one shortcut record, the
// program's table of them, and the file's text. No window code here: the
// writer that puts the text on disk is ShortcutFileWriter.h.
//
// The file, every line ending in CR LF:
//   <?xml version="1.0" encoding="ISO-8859-1"?>
//   <TavrixShortCuts Date="mm/dd/yy" Items="n">
//   <sc key="home" ctrl="1" alt="0" shift="0" action="a-play"/>
//   ...
//   </TavrixShortCuts>
// (a table without shortcuts gives an empty root element, Items="0").
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "framework/core/Types.h"

// The accelerator flag bits of a shortcut (the platform's ACCEL fVirt).
enum ShortcutFlags : BYTE
{
    SHORTCUT_VIRTKEY = 0x01,   // set on every shortcut read from a file
    SHORTCUT_SHIFT = 0x04,
    SHORTCUT_CONTROL = 0x08,
    SHORTCUT_ALT = 0x10
};

// One keyboard shortcut: a key name ("home", "F1", "num0", ...) with its
// modifiers, bound to an action name of the command vocabulary.
struct ShortcutEntry
{
    ShortcutEntry() = default;
    ShortcutEntry(const CString& keyName, const CString& actionName, BYTE flags)
        : m_strKeyName(keyName), m_strActionName(actionName), m_nFlags(flags)
    {
    }

    CString m_strKeyName;
    CString m_strActionName;
    BYTE m_nFlags = 0;
};

typedef CArray<ShortcutEntry, const ShortcutEntry&> ShortcutEntryArray;

// The program's shortcuts, in file order. The command layer fills it from
// the shortcut file and edits it; WriteShortcutFile writes it back.
extern ShortcutEntryArray ShortcutTable;

// The whole text of a shortcut file for the table, dated with the given
// text ("%m/%d/%y"). betweenRows, when given, runs before each row (the
// writer lets waiting window messages through there).
CString BuildShortcutFileText(const ShortcutEntryArray& table, const CString& date,
                              void (*betweenRows)() = nullptr);
