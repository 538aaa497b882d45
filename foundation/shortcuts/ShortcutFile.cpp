#include "foundation/shortcuts/ShortcutFile.h"

#include "foundation/xml/XmlMarkup.h"

ShortcutEntryArray ShortcutTable;

namespace {

const char* FlagText(BYTE flags, BYTE flag)
{
    return (flags & flag) ? "1" : "0";
}

} // namespace

CString BuildShortcutFileText(const ShortcutEntryArray& table, const CString& date,
                              void (*betweenRows)())
{
    XmlMarkup xml;
    // The prolog alone holds no element, so this "fails" and keeps it.
    xml.SetDocument("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n");
    CString items;
    items.Format("%d", static_cast<int>(table.GetSize()));
    xml.AddElement("TavrixShortCuts");
    xml.SetAttribute("Date", date);
    xml.SetAttribute("Items", items);
    xml.IntoElement();
    for (INT_PTR i = 0; i < table.GetSize(); ++i) {
        if (betweenRows)
            betweenRows();
        const ShortcutEntry& entry = table[i];
        xml.AddElement("sc");
        xml.SetAttribute("key", entry.m_strKeyName);
        xml.SetAttribute("ctrl", FlagText(entry.m_nFlags, SHORTCUT_CONTROL));
        xml.SetAttribute("alt", FlagText(entry.m_nFlags, SHORTCUT_ALT));
        xml.SetAttribute("shift", FlagText(entry.m_nFlags, SHORTCUT_SHIFT));
        xml.SetAttribute("action", entry.m_strActionName);
    }
    xml.OutOfElement();
    return xml.GetDocument();
}
