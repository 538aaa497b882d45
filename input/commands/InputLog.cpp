#include "input/commands/InputLog.h"

#include "foundation/app/IniAccess.h"
#include "foundation/app/ProgramLog.h"
#include "input/commands/DecimalText.h"

bool IsLoggingOn()
{
    return ReadDecimal(GetIniString("MAIN", "Logging")) != 0;
}

void WriteLogWhenOn(const CString& text)
{
    if (IsLoggingOn())
        WriteLog(text);
}
