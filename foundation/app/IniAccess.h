// Reading "TavrixVJ.INI" in the program folder, and the decimal text helper.
#pragma once

#include "framework/core/CString.h"

// The value of section/key, at most 511 characters; empty when the file,
// the section or the key is missing.
CString GetIniString(const CString& section, const CString& key);

// The decimal text of a number ("%d").
CString IntToStr(int value);
