// Keyboard shortcut files (extension "key"): one shortcut record, the
// program's table of them, and the file's text; and the reading of the
// heads of controller maps and skins. No window code here: the writer that
// puts the text on disk and the readers of the files are
// ShortcutFileWriter.h.
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

// What the skin list shows of a skin file.
struct SkinHeaderInfo
{
    CString m_strName;     // the skin's name (the skin list's own)
    CString m_strSize;     // "width x height" of its background
    CString m_strPath;     // the skin file's path
    CString m_strFolder;   // the skin's folder (the skin list's own)
    CString m_strType;     // the background's type
};

// The head of a controller map.
struct ControllerMapHeader
{
    CString m_strName;      // the root's "name"
    CString m_strVersion;   // the root's "version"
    CString m_strFile;      // the map's file name as the caller gave it
};

// The whole text of a shortcut file for the table, dated with the given
// text ("%m/%d/%y"). betweenRows, when given, runs before each row (the
// writer lets waiting window messages through there).
CString BuildShortcutFileText(const ShortcutEntryArray& table, const CString& date,
                              void (*betweenRows)() = nullptr);

// Reads "name" and "version" of the root "ControllerMapper" from the head of
// a controller map (its first lines joined); false when the root's start
// tag is not whole in it. The file name is left to the caller.
bool ParseControllerMapHead(const CString& text, ControllerMapHeader& header);

// Sets the record's size text ("width x height") and type from the first
// "background" of the skin's root "TavrixVJSkin" (" x " and an empty type
// when either is missing).
void ParseSkinHead(const CString& text, SkinHeaderInfo& info);
