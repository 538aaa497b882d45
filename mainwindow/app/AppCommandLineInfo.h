// AppCommandLineInfo: the program's command line as switches and their
// values. "/p Party" stores p = "Party"; a switch without a value stores
// "TRUE". Switch names compare case-sensitively, without "/" or "-".
#pragma once

#include <map>
#include <string>

#include "framework/ui/CWinApp.h"

class AppCommandLineInfo : public CCommandLineInfo
{
public:
    // Overridables
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override;

    // Attributes
    // True when the switch was given; its value in `value`.
    bool GetOption(const char* name, CString& value) const;
    bool GetOption(const char* name) const;

private:
    std::map<std::string, CString> m_switches;
    CString m_strLastSwitch;   // the last switch still without a value
};
