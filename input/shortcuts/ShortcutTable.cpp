#include "input/shortcuts/ShortcutTable.h"

#include "foundation/xml/XmlMarkup.h"
#include "input/commands/CommandVocabulary.h"
#include "input/commands/DecimalText.h"

ShortcutRows ShortcutTable;

namespace {
const char kRoot[] = "TavrixShortCuts";
const char kItem[] = "sc";
} // namespace

std::vector<ShortcutAccelRow> ShortcutAccelRows(const ShortcutRows& rows)
{
    std::vector<ShortcutAccelRow> accel;
    accel.reserve(rows.size());
    for (const ShortcutEntry& entry : rows) {
        ShortcutAccelRow row;
        row.fVirt = entry.flags;
        row.key = KeyNameMap.Lookup(entry.keyName);
        row.cmd = static_cast<uint16_t>(ActionNameMap.Lookup(entry.actionName) & 0xFFFF);
        accel.push_back(row);
    }
    return accel;
}

bool ParseShortcutText(const CString& text, ShortcutRows& rows)
{
    XmlMarkup xml;
    if (!xml.SetDocument(text))
        return false;
    rows.clear();
    if (!xml.FindElement(kRoot))
        return true;
    while (xml.FindChildElement(kItem)) {
        xml.IntoElement();
        ShortcutEntry entry;
        entry.keyName = xml.GetAttribute("key");
        entry.flags = kShortcutVirtKey;
        if (ReadDecimal(xml.GetAttribute("ctrl")) != 0)
            entry.flags |= kShortcutControl;
        if (ReadDecimal(xml.GetAttribute("alt")) != 0)
            entry.flags |= kShortcutAlt;
        if (ReadDecimal(xml.GetAttribute("shift")) != 0)
            entry.flags |= kShortcutShift;
        entry.actionName = xml.GetAttribute("action");
        rows.push_back(entry);
        xml.OutOfElement();
    }
    return true;
}

void StoreShortcutRow(ShortcutRows& rows, const ShortcutEntry& entry)
{
    for (size_t i = rows.size(); i-- > 0;) {
        if (rows[i].actionName.CompareNoCase(entry.actionName) == 0) {
            rows[i] = entry;
            return;
        }
    }
    rows.push_back(entry);
}

bool RemoveShortcutRow(ShortcutRows& rows, const ShortcutEntry& entry)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].actionName.CompareNoCase(entry.actionName) == 0) {
            rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

const ShortcutEntry* FindShortcutRow(const ShortcutRows& rows, const char* actionName)
{
    for (const ShortcutEntry& entry : rows) {
        if (entry.actionName == actionName)
            return &entry;
    }
    return nullptr;
}
