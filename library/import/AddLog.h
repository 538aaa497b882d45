// The import's add settings, exception list and add log.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/state/LibrarySettings.h"

namespace trackimport {

// Reads the add settings of "KVLib.ini" (outside the lock: the caller
// stores them under it).
AddSettings ReadAddSettings();
// Appends "[reason]   path" to the exception list.
void AddException(CArray<CString, CString&>& exceptions, const CString& reason,
                  const CString& path);
// Appends a dated line to "KVLibAdd.Log" in the program folder; false (after
// telling the user) when the log cannot be written.
bool WriteAddLogEntry(const CString& text);

} // namespace trackimport
