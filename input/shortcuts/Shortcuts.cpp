#include "input/shortcuts/Shortcuts.h"

#include <vector>

#include "foundation/shortcuts/ShortcutFileWriter.h"
#include "framework/core/Exceptions.h"
#include "input/commands/CommandVocabulary.h"
#include "input/commands/InputLog.h"
#include "input/commands/TextFiles.h"

namespace {

HACCEL* g_pAccelTable = nullptr;

void RebuildAccelTable()
{
    HACCEL fresh = CreateShortcutAccelTable(ShortcutTable);
    if (g_pAccelTable) {
        if (*g_pAccelTable)
            ::DestroyAcceleratorTable(*g_pAccelTable);
        *g_pAccelTable = fresh;
    } else if (fresh) {
        ::DestroyAcceleratorTable(fresh);
    }
}

} // namespace

HACCEL CreateShortcutAccelTable(const ShortcutRows& rows)
{
    const std::vector<ShortcutAccelRow> source = ShortcutAccelRows(rows);
    if (source.empty())
        return nullptr;
    std::vector<ACCEL> accel(source.size());
    for (size_t i = 0; i < source.size(); ++i) {
        accel[i].fVirt = source[i].fVirt;
        accel[i].key = source[i].key;
        accel[i].cmd = source[i].cmd;
    }
    return ::CreateAcceleratorTableA(accel.data(), static_cast<int>(accel.size()));
}

int LoadShortcutFile(const CString& path, HACCEL& table)
{
    CString text;
    CString reason;
    ShortcutRows rows;
    if (!ReadWholeTextFile(path, text, reason)) {
        WriteLogWhenOn("ERROR: Shortcut file " + path + ": " + reason + "; the shortcuts stay as they were");
        return 0;
    }
    if (!ParseShortcutText(text, rows)) {
        WriteLogWhenOn("ERROR: Shortcut file " + path + " is not XML; the shortcuts stay as they were");
        return 0;
    }
    BuildKeyNameMap();
    ShortcutTable.swap(rows);
    if (table)
        ::DestroyAcceleratorTable(table);
    table = CreateShortcutAccelTable(ShortcutTable);
    return 0;
}

void SetShortcutAccelTable(HACCEL* table)
{
    g_pAccelTable = table;
}

int StoreShortcut(const ShortcutEntry& entry)
{
    StoreShortcutRow(ShortcutTable, entry);
    RebuildAccelTable();
    return 0;
}

int RemoveShortcut(const ShortcutEntry& entry)
{
    if (!RemoveShortcutRow(ShortcutTable, entry))
        return -1;
    RebuildAccelTable();
    return 0;
}

int WriteShortcutFile(const CString& path)
{
    return WriteShortcutFile(path, ShortcutTable);
}

bool SaveShortcutFile(const CString& path)
{
    try {
        WriteShortcutFile(path);
        return true;
    } catch (const CFileException& e) {
        WriteLogWhenOn("ERROR: Shortcut file " + path + ": " + e.GetErrorMessage());
        return false;
    }
}
