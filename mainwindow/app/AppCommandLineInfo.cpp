#include "mainwindow/app/AppCommandLineInfo.h"

void AppCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    (void)bLast;
    if (!pszParam)
        return;
    if (bFlag) {
        m_switches[pszParam] = "TRUE";
        m_strLastSwitch = pszParam;
    } else if (!m_strLastSwitch.IsEmpty()) {
        m_switches[m_strLastSwitch.GetString()] = pszParam;
        m_strLastSwitch.Empty();
    }
}

bool AppCommandLineInfo::GetOption(const char* name, CString& value) const
{
    std::map<std::string, CString>::const_iterator it = m_switches.find(name ? name : "");
    if (it == m_switches.end())
        return false;
    value = it->second;
    return true;
}

bool AppCommandLineInfo::GetOption(const char* name) const
{
    CString ignored;
    return GetOption(name, ignored);
}
