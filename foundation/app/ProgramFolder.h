// The program folder: where "TavrixVJ.INI" and the log "TXLOG.txt" lie.
#pragma once

#include "framework/core/CString.h"

// The folder of the running program, with a trailing backslash, or the
// folder set below.
CString GetProgramFolder();

// Puts the program folder elsewhere (tests use a temporary folder); an empty
// text goes back to the running program's folder. A missing trailing
// backslash is added.
void SetProgramFolder(const CString& folder);
