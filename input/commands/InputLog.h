// The program log as external control writes it: only while MAIN/Logging
// is set in "TavrixVJ.INI".
#pragma once

#include "framework/core/CString.h"

bool IsLoggingOn();
void WriteLogWhenOn(const CString& text);
