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

#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

// Accelerator flag bits of a shortcut (the platform's ACCEL fVirt).
enum : uint8_t
{
    kShortcutVirtKey = 0x01, // set on every shortcut read from a file
    kShortcutShift = 0x04,
    kShortcutControl = 0x08,
    kShortcutAlt = 0x10,
};

// One keyboard shortcut: a key name ("home", "F1", "num0", ...) with its
// modifiers, bound to an action name of the command vocabulary.
struct ShortcutEntry
{
    ShortcutEntry() = default;
    ShortcutEntry(const char* key, const char* action, uint8_t accelFlags)
        : keyName(key), actionName(action), flags(accelFlags)
    {
    }

    CString keyName;
    CString actionName;
    uint8_t flags = kShortcutVirtKey;
};

// Shortcuts in file order. The program's own table (ShortcutTable) is the
// command layer's, which reads, edits and writes it.
using ShortcutRows = std::vector<ShortcutEntry>;

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
CString BuildShortcutFileText(const ShortcutRows& table, const CString& date,
                              void (*betweenRows)() = nullptr);

// Reads "name" and "version" of the root "ControllerMapper" from the head of
// a controller map (its first lines joined); false when the root's start
// tag is not whole in it. The file name is left to the caller.
bool ParseControllerMapHead(const CString& text, ControllerMapHeader& header);

// Sets the record's size text ("width x height") and type from the first
// "background" of the skin's root "TavrixVJSkin" (" x " and an empty type
// when either is missing).
void ParseSkinHead(const CString& text, SkinHeaderInfo& info);
