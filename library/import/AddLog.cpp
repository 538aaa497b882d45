// The add settings, the exception list and the add log of the import.
#include "library/import/AddLog.h"

#include "foundation/app/ProgramFolder.h"
#include "library/state/FileTexts.h"

#include "framework/ui/Prompts.h"
#include "framework/win/CFile.h"

#include <windows.h>

#include <ctime>


AddSettings trackimport::ReadAddSettings()
{
    CString ini = filetexts::LibraryIniPath();
    const bool logAdds = GetPrivateProfileIntA("KVLIB", "LogAdds", 0, ini) == 1;
    const int32_t wav = static_cast<int32_t>(GetPrivateProfileIntA("KVLIB", "WAV_LookForID3V1", 0, ini));
    return AddSettings{logAdds, wav};
}

void trackimport::AddException(CArray<CString, CString&>& exceptions, const CString& reason,
                               const CString& path)
{
    CString entry;
    entry.Format("[%s]   %s", reason.GetString(), path.GetString());
    exceptions.Add(entry);
}

bool trackimport::WriteAddLogEntry(const CString& text)
{
    CString path = GetProgramFolder() + "KVLibAdd.Log";
    time_t now = time(nullptr);
    struct tm local = {};
    localtime_s(&local, &now);
    char date[32] = {}, clock[32] = {};
    strftime(date, sizeof date, "%m/%d/%y", &local);
    strftime(clock, sizeof clock, "%H:%M:%S", &local);
    CString line;
    line.Format("[%s-%s] %s\r\n", date, clock, text.GetString());
    try {
        CFile file(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite |
                             CFile::shareDenyWrite);
        file.SeekToEnd();
        file.Write(line.GetString(), static_cast<UINT>(line.GetLength()));
        file.Close();
    } catch (CFileException& e) {
        CString message;
        message.Format("[WriteLog] Open Failed!\nError: %d", static_cast<int>(e.m_lOsError));
        AfxPromptMessageBox(nullptr, message, "Kelvane Library Manager", MB_OK);
        return false;
    }
    return true;
}
