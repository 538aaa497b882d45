// The add settings, the exception list and the add log of the import.
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"
#include "library/state/LibrarySettings.h"
#include "library/api/VIZU.h"

#include "framework/ui/Prompts.h"
#include "framework/win/CFile.h"

#include <windows.h>

#include <ctime>


AddSettings CurrentAddSettings()
{
    LibraryLock lock;
    const LibrarySettings& settings = lock.State().settings;
    return AddSettings{settings.logAdds, settings.wavLookForID3V1};
}

int VIZU::GetAddSettings()
{
    // The file is read outside the lock; the settings change under it,
    // while an import on another thread may be reading them.
    CString ini = GetLibINIFilePath();
    const bool logAdds = GetPrivateProfileIntA("KVLIB", "LogAdds", 0, ini) == 1;
    const int32_t wav = static_cast<int32_t>(GetPrivateProfileIntA("KVLIB", "WAV_LookForID3V1", 0, ini));
    LibraryLock lock;
    LibrarySettings& settings = lock.State().settings;
    settings.logAdds = logAdds;
    settings.wavLookForID3V1 = wav;
    return 0;
}

bool VIZU::AddException(CString reason, CString path)
{
    CString entry;
    entry.Format("[%s]   %s", reason, path);
    LibraryLock lock;
    m_ExceptionArray.Add(entry);
    return true;
}

// The line goes in before the file is read, so the log's last line names
// the file an add was busy with when it went wrong.
bool VIZU::WriteAddLogEntry(CString text)
{
    CString path = GetLibDLLPath() + "KVLibAdd.Log";
    time_t now = time(nullptr);
    struct tm local = {};
    localtime_s(&local, &now);
    char date[32] = {}, clock[32] = {};
    strftime(date, sizeof date, "%m/%d/%y", &local);
    strftime(clock, sizeof clock, "%H:%M:%S", &local);
    CString line;
    line.Format("[%s-%s] %s\r\n", date, clock, text);
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
