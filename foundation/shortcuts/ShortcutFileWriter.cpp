#include "foundation/shortcuts/ShortcutFileWriter.h"

#include "foundation/app/AtomicFile.h"
#include "foundation/app/ProgramFolder.h"
#include "foundation/app/WaitingMessages.h"
#include "foundation/xml/XmlMarkup.h"
#include "framework/ui/CComboBox.h"
#include "framework/ui/CListCtrl.h"
#include "framework/win/CFile.h"
#include "framework/win/CFileFind.h"
#include "framework/win/CStdioFile.h"
#include "framework/win/CTime.h"

namespace {

CString JoinPath(const CString& folder, const char* name)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\')
        return folder + name;
    return folder + "\\" + name;
}

// Adds each matching file's name (or title) to the combo box.
int FillCombo(const CString& pattern, CComboBox& combo, bool titles)
{
    combo.ResetContent();
    int count = 0;
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory())
            continue;
        combo.AddString(titles ? finder.GetFileTitle() : finder.GetFileName());
        combo.SetItemData(count, static_cast<DWORD_PTR>(count));
        ++count;
    }
    return count;
}

CString WithXmlExtension(const CString& path)
{
    if (path.GetLength() >= 4 && path.Right(4).CompareNoCase(".xml") == 0)
        return path;
    return path + ".xml";
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

int WriteShortcutFile(const CString& path)
{
    return WriteShortcutFile(path, ShortcutTable);
}

int WriteShortcutFile(const CString& path, const ShortcutEntryArray& table)
{
    const CString date = CTime::GetCurrentTime().Format("%m/%d/%y");
    const CString text = BuildShortcutFileText(table, date, DispatchWaitingMessages);
    DWORD error = 0;
    if (!AtomicFile::WriteWhole(path, text.GetString(), static_cast<DWORD>(text.GetLength()), &error))
        CFile::ThrowOsError(error, path);
    return static_cast<int>(table.GetSize());
}

int ListShortcutFiles(const CString& folder, CComboBox& combo)
{
    return FillCombo(JoinPath(folder, "*.key"), combo, false);
}

int ListControllerMaps(const CString& folder, CComboBox& combo)
{
    return FillCombo(folder + "\\cmap-*.xml", combo, true);
}

bool ReadControllerMapHeader(const CString& mapName, ControllerMapHeader& header)
{
    CStdioFile file(WithXmlExtension(GetProgramFolder() + mapName), CFile::modeRead | CFile::typeText);
    CString text, line;
    for (int i = 0; i < 2 && file.ReadString(line); ++i)
        text += line;
    file.Close();
    XmlMarkup xml;
    ParseHead(xml, text);
    if (!xml.FindElement("ControllerMapper"))
        return false;
    header.m_strFile = mapName;
    header.m_strName = xml.GetAttribute("name");
    header.m_strVersion = xml.GetAttribute("version");
    return true;
}

int ListVideoPlaylists(CListCtrl& list, const CString& folder)
{
    list.DeleteAllItems();
    int count = 0;
    CFileFind finder;
    BOOL more = finder.FindFile(folder + "\\*.txp");
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory())
            continue;
        const int row = list.InsertItem(count, finder.GetFileTitle());
        list.SetItemText(row, 1, finder.GetFilePath());
        ++count;
    }
    return count;
}

bool ReadSkinHeader(SkinHeaderInfo& info)
{
    CStdioFile file(WithXmlExtension(info.m_strPath), CFile::modeRead | CFile::typeText);
    CString text, line;
    while (file.ReadString(line))
        text += line;
    file.Close();
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
    return true;
}
