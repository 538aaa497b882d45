// CFileFind: walks the entries of a folder that match a pattern.
//
//   CFileFind finder;
//   BOOL more = finder.FindFile("C:\\Music\\*.*");
//   while (more) {
//       more = finder.FindNextFile();   // makes the next entry current
//       ... finder.GetFilePath() ...
//   }
#pragma once

#include <windows.h>

#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "framework/win/CTime.h"

class CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)
public:
    // Construction
    CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() override;

    // Operations
    // Starts a search; false when nothing matches.
    virtual BOOL FindFile(const char* pattern = nullptr, DWORD unused = 0);
    // Makes the next entry current; false when it was the last one.
    virtual BOOL FindNextFile();
    void Close();

    // Attributes of the current entry
    CString GetFileName() const;
    CString GetFilePath() const;     // root + name
    CString GetFileTitle() const;    // name without its extension
    CString GetRoot() const;         // the searched folder, with a final backslash
    ULONGLONG GetLength() const;
    BOOL GetCreationTime(CTime& time) const;
    BOOL GetLastWriteTime(CTime& time) const;
    BOOL GetLastAccessTime(CTime& time) const;
    BOOL MatchesMask(DWORD mask) const;
    BOOL IsDots() const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

private:
    const WIN32_FIND_DATAA& Current() const;

    HANDLE m_hFind;
    WIN32_FIND_DATAA m_next;     // the entry the next FindNextFile makes current
    WIN32_FIND_DATAA m_current;
    bool m_hasNext;
    bool m_hasCurrent;
    CString m_root;
};
