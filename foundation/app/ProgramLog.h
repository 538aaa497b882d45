// The program log "TXLOG.txt" in the program folder.
#pragma once

#include "framework/core/CString.h"

// Appends "[HH:MM:SS]text" and CR LF, opening and closing the file for the
// one line; "Program run started" (any letter case) is preceded by two empty
// lines. Never throws: a line that cannot be written (the file locked by
// another program, the folder not writable) is lost.
void WriteLog(const CString& text);
