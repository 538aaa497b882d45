// Track lengths as texts and back, and the small file tests of the library
// (VIZU's SecondsToString ... CopyOurFile are their entry points).
#pragma once

#include "framework/core/CString.h"

namespace filetexts {

// "KVLib.ini" in the program folder: the library's settings.
CString LibraryIniPath();

// "mmm:ss" (under a minute, the seconds alone after "000:").
CString SecondsToString(int seconds);
// "h:mm:ss".
CString SecondsToHHMMSS(int seconds);
// Minutes and seconds only: an hours part is not understood.
int StringToSeconds(const CString& text);
bool Exists(const CString& path);
bool IsReadOnly(const CString& path);
// The low 32 bits of the size, as the library lists show it (0: no file).
int GetFileSize(const CString& path);
bool CopyOurFile(const CString& source, const CString& target);

} // namespace filetexts
