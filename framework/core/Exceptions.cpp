#include "framework/core/Exceptions.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)

CString CException::GetErrorMessage() const
{
    return "An unknown error has occurred.";
}

BOOL CException::GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!buffer || maxLength == 0)
        return FALSE;
    CString text = GetErrorMessage();
    std::size_t n = static_cast<std::size_t>(text.GetLength());
    if (n >= maxLength)
        n = maxLength - 1;
    std::memcpy(buffer, text.GetString(), n);
    buffer[n] = '\0';
    return TRUE;
}

CString CInvalidArgException::GetErrorMessage() const
{
    return "Invalid argument.";
}

CString CResourceException::GetErrorMessage() const
{
    return "A system resource could not be created.";
}

CArchiveException::CArchiveException(int cause, const CString& fileName)
    : m_cause(cause), m_strFileName(fileName)
{
}

CString CArchiveException::GetErrorMessage() const
{
    static const char* const texts[] = {
        "No error.",
        "An unexpected error occurred while reading or writing the archive.",
        "An attempt was made to write to an archive opened for loading.",
        "An unexpected end of file was encountered while reading the archive.",
        "An attempt was made to read from an archive opened for storing.",
        "The archive contains a reference to an unknown object.",
        "The archive contains an object of an unexpected class.",
        "The archive contains an object of an unsupported version.",
    };
    CString text = m_cause >= 0 && m_cause <= badSchema ? texts[m_cause] : texts[genericException];
    if (!m_strFileName.IsEmpty())
        text = m_strFileName + ": " + text;
    return text;
}

CFileException::CFileException(int cause, LONG osError, const CString& fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

CString CFileException::GetErrorMessage() const
{
    static const char* const texts[] = {
        "No error occurred.",
        "An unspecified error occurred.",
        "The file could not be found.",
        "All or part of the path is invalid.",
        "There are too many open files.",
        "Access to the file was denied.",
        "An invalid file handle was used.",
        "The current working directory cannot be removed.",
        "There are no more directory entries.",
        "An error occurred while setting the file position.",
        "A hardware I/O error occurred.",
        "A sharing violation occurred.",
        "A locking violation occurred.",
        "The disk is full.",
        "The end of the file was reached.",
    };
    CString text = m_cause >= 0 && m_cause <= endOfFile ? texts[m_cause] : texts[genericException];
    if (!m_strFileName.IsEmpty())
        text = m_strFileName + ": " + text;
    return text;
}

void AfxThrowInvalidArgException()
{
    throw CInvalidArgException();
}

CString CMemoryException::GetErrorMessage() const
{
    return "Out of memory.";
}

void AfxThrowMemoryException()
{
    throw CMemoryException();
}

void AfxThrowResourceException()
{
    throw CResourceException();
}

void AfxThrowArchiveException(int cause, const CString& fileName)
{
    throw CArchiveException(cause, fileName);
}

void AfxThrowFileException(int cause, LONG osError, const CString& fileName)
{
    throw CFileException(cause, osError, fileName);
}
