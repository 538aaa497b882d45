#include "foundation/app/IniAccess.h"

#include "foundation/app/ProgramFolder.h"

#include <windows.h>

namespace {
const char kIniFileName[] = "TavrixVJ.INI";
const DWORD kValueBufferSize = 512;
}

CString GetIniString(const CString& section, const CString& key)
{
    char value[kValueBufferSize] = {0};
    CString path = GetProgramFolder() + kIniFileName;
    DWORD length = GetPrivateProfileStringA(section, key, "", value, kValueBufferSize, path);
    if (length >= kValueBufferSize)
        length = kValueBufferSize - 1;
    return CString(value, static_cast<int>(length));
}

CString IntToStr(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}
