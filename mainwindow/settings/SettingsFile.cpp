#include "mainwindow/settings/SettingsFile.h"

#include <cstring>
#include <vector>

const char SettingsFile::kFileName[] = "TavrixVJ.INI";

namespace {
const DWORD kStringBuffer = 512;
}

void SettingsFile::SetFolder(const CString& folder)
{
    m_strPath = folder + kFileName;
}

CString SettingsFile::GetString(const CString& section, const CString& key) const
{
    char value[kStringBuffer] = {0};
    DWORD length = ::GetPrivateProfileStringA(section, key, "", value, kStringBuffer, m_strPath);
    if (length >= kStringBuffer)
        length = kStringBuffer - 1;
    return CString(value, static_cast<int>(length));
}

int SettingsFile::GetInt(const CString& section, const CString& key, int def) const
{
    return static_cast<int>(::GetPrivateProfileIntA(section, key, def, m_strPath));
}

bool SettingsFile::GetStruct(const CString& section, const CString& key, void* data, UINT size) const
{
    // Read aside: a reader may fill the buffer before it finds the checksum
    // wrong, and the caller's default must stay whole.
    std::vector<unsigned char> value(size ? size : 1);
    if (!::GetPrivateProfileStructA(section, key, value.data(), size, m_strPath))
        return false;
    if (size)
        std::memcpy(data, value.data(), size);
    return true;
}

BOOL SettingsFile::Checked(BOOL result, const CString& key)
{
    if (!result && !m_bWriteFailed) {
        m_bWriteFailed = true;
        if (m_pfnLog) {
            CString text;
            text.Format("Settings not saved: %s cannot be written (key %s, error %lu)",
                        m_strPath.GetString(), key.GetString(), ::GetLastError());
            m_pfnLog(text);
        }
    }
    return result;
}

BOOL SettingsFile::WriteString(const CString& section, const CString& key, const CString& value)
{
    return Checked(::WritePrivateProfileStringA(section, key, value, m_strPath), key);
}

BOOL SettingsFile::WriteInt(const CString& section, const CString& key, int value)
{
    CString text;
    text.Format("%d", value);
    return WriteString(section, key, text);
}

BOOL SettingsFile::WriteStruct(const CString& section, const CString& key, const void* data, UINT size)
{
    return Checked(::WritePrivateProfileStructA(section, key, const_cast<void*>(data), size, m_strPath),
                   key);
}
