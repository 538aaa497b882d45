#include "foundation/shortcuts/ShortcutFileWriter.h"

#include "foundation/app/AtomicFile.h"
#include "foundation/app/ProgramFolder.h"
#include "foundation/app/WaitingMessages.h"
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

} // namespace

int WriteShortcutFile(const CString& path, const ShortcutRows& table)
{
    const CString date = CTime::GetCurrentTime().Format("%m/%d/%y");
    const CString text = BuildShortcutFileText(table, date, DispatchWaitingMessages);
    DWORD error = 0;
    if (!AtomicFile::WriteWhole(path, text.GetString(), static_cast<DWORD>(text.GetLength()), &error))
        CFile::ThrowOsError(error, path);
    return static_cast<int>(table.size());
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
    if (!ParseControllerMapHead(text, header))
        return false;
    header.m_strFile = mapName;
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
    ParseSkinHead(text, info);
    return true;
}
