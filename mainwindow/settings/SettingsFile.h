// SettingsFile: "TavrixVJ.INI" in the program folder, read and written key
// by key through the platform's private-profile functions (nothing cached).
#pragma once

#include <windows.h>

#include "framework/core/CString.h"

class SettingsFile
{
public:
    static const char kFileName[];   // "TavrixVJ.INI"

    // Construction
    SettingsFile() = default;
    // folder: the program folder, with its trailing backslash.
    explicit SettingsFile(const CString& folder) { SetFolder(folder); }

    // Attributes
    void SetFolder(const CString& folder);
    const CString& GetPath() const { return m_strPath; }

    // Reading: a missing file or key gives the default ("" or 0); a text
    // that is not a number reads 0.
    CString GetString(const CString& section, const CString& key) const;   // at most 511 characters
    int GetInt(const CString& section, const CString& key, int def = 0) const;
    bool GetBool(const CString& section, const CString& key) const { return GetInt(section, key) != 0; }
    // A structure written by WriteStruct: false (and `data` unchanged)
    // when the key is missing or its length or checksum do not match.
    bool GetStruct(const CString& section, const CString& key, void* data, UINT size) const;

    // Writing: the platform writer's result (non-zero on success). The
    // first write that fails is logged once, when the log is on.
    BOOL WriteString(const CString& section, const CString& key, const CString& value);
    BOOL WriteInt(const CString& section, const CString& key, int value);
    // Each byte as two hexadecimal digits, then a one-byte checksum.
    BOOL WriteStruct(const CString& section, const CString& key, const void* data, UINT size);

    // Where the failure notice goes; null: nowhere (before the log is set).
    void SetLogWriter(void (*writer)(const CString& text)) { m_pfnLog = writer; }
    bool HasWriteFailed() const { return m_bWriteFailed; }

private:
    BOOL Checked(BOOL result, const CString& key);

    CString m_strPath;
    void (*m_pfnLog)(const CString& text) = nullptr;
    bool m_bWriteFailed = false;
};
