#include "foundation/shortcuts/ShortcutFile.h"

#include "foundation/xml/XmlMarkup.h"

namespace {

const char* FlagText(uint8_t flags, uint8_t flag)
{
    return (flags & flag) ? "1" : "0";
}

// The root element's start tag alone, made an empty-element tag, or an
// empty text when the text holds no whole start tag. Declarations,
// comments and processing instructions before it are skipped; a '>' inside
// a quoted attribute value does not end the tag.
CString RootStartTagOnly(const CString& text)
{
    const int length = text.GetLength();
    int at = 0;
    while (at < length) {
        if (text[at] != '<') {
            ++at;
            continue;
        }
        if (at + 1 < length && (text[at + 1] == '?' || text[at + 1] == '!')) {
            const int close = text.Find('>', at);
            if (close < 0)
                return CString();
            at = close + 1;
            continue;
        }
        char quote = 0;
        for (int i = at + 1; i < length; ++i) {
            const char c = text[i];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                CString tag = text.Mid(at, i - at + 1);
                if (text[i - 1] != '/')
                    tag.Insert(tag.GetLength() - 1, '/');
                return tag;
            }
        }
        return CString();
    }
    return CString();
}

// Parses the text; when it does not parse as it is (the head of a file,
// cut after the root's start tag, or a damaged file), parses the root's
// start tag alone, so that its attributes can still be read.
void ParseHead(XmlMarkup& xml, const CString& text)
{
    if (!xml.SetDocument(text))
        xml.SetDocument(RootStartTagOnly(text));
}

} // namespace

CString BuildShortcutFileText(const ShortcutRows& table, const CString& date,
                              void (*betweenRows)())
{
    XmlMarkup xml;
    // The prolog alone holds no element, so this "fails" and keeps it.
    xml.SetDocument("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n");
    CString items;
    items.Format("%d", static_cast<int>(table.size()));
    xml.AddElement("TavrixShortCuts");
    xml.SetAttribute("Date", date);
    xml.SetAttribute("Items", items);
    xml.IntoElement();
    for (const ShortcutEntry& entry : table) {
        if (betweenRows)
            betweenRows();
        xml.AddElement("sc");
        xml.SetAttribute("key", entry.keyName);
        xml.SetAttribute("ctrl", FlagText(entry.flags, kShortcutControl));
        xml.SetAttribute("alt", FlagText(entry.flags, kShortcutAlt));
        xml.SetAttribute("shift", FlagText(entry.flags, kShortcutShift));
        xml.SetAttribute("action", entry.actionName);
    }
    xml.OutOfElement();
    return xml.GetDocument();
}

bool ParseControllerMapHead(const CString& text, ControllerMapHeader& header)
{
    XmlMarkup xml;
    ParseHead(xml, text);
    if (!xml.FindElement("ControllerMapper"))
        return false;
    header.m_strName = xml.GetAttribute("name");
    header.m_strVersion = xml.GetAttribute("version");
    return true;
}

void ParseSkinHead(const CString& text, SkinHeaderInfo& info)
{
    XmlMarkup xml;
    ParseHead(xml, text);
    CString width, height, type;
    if (xml.FindElement("TavrixVJSkin")) {
        xml.IntoElement();
        if (xml.FindElement("background")) {
            width = xml.GetAttribute("width");
            height = xml.GetAttribute("height");
            type = xml.GetAttribute("type");
        }
    }
    info.m_strSize = width + " x " + height;
    info.m_strType = type;
}
