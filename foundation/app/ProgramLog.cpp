#include "foundation/app/ProgramLog.h"

#include "foundation/app/ProgramFolder.h"
#include "framework/win/CStdioFile.h"
#include "framework/win/CTime.h"

namespace {
const char kLogFileName[] = "TXLOG.txt";
const char kRunStarted[] = "Program run started";
}

void WriteLog(const CString& text)
{
    try {
        // Appended in text mode (line feeds become CR LF), never truncated;
        // others may read and write the log meanwhile.
        CStdioFile log;
        CFileException error;
        if (!log.Open(GetProgramFolder() + kLogFileName,
                      CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareDenyNone |
                          CFile::typeText,
                      &error))
            return;
        log.SeekToEnd();
        if (text.CompareNoCase(kRunStarted) == 0)
            log.WriteString("\n\n");
        log.WriteString("[" + CTime::GetCurrentTime().Format("%H:%M:%S") + "]" + text + "\n");
        log.Close();
    } catch (...) {
        // Logging must never take the program down; the line is lost.
    }
}
