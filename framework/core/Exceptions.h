// The layer's exceptions: CException, CArchiveException, CFileException,
// CInvalidArgException, CResourceException. They are ordinary C++
// exceptions, thrown by value and caught by reference, so nothing has to be
// deleted by the catcher.
//
//   TRY { ... }
//   CATCH(CFileException, e) { e->m_cause ... }
//   AND_CATCH(CArchiveException, e) { ... }
//   END_CATCH
//
// Inside a CATCH block `e` is a pointer to the caught exception, valid until
// the block ends; THROW_LAST() rethrows it.
#pragma once

#include "framework/core/CObject.h"
#include "framework/core/CString.h"

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException() = default;
    CException(const CException&) = default;
    CException& operator=(const CException&) = default;

    // A text for the user, as the message boxes of the program show it.
    virtual CString GetErrorMessage() const;
    BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const;
};

class CInvalidArgException : public CException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CString GetErrorMessage() const override;
};

// A system object (event, mutex) could not be made.
class CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CString GetErrorMessage() const override;
};

// Memory, or a system resource a start-up needs, ran out.
class CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CString GetErrorMessage() const override;
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum Cause {
        none,
        genericException,
        readOnly,       // storing into a loading archive
        endOfFile,      // the data ended inside a value
        writeOnly,      // loading from a storing archive
        badIndex,       // a reference to an entry the archive never saw
        badClass,       // an unknown class, or not the class asked for
        badSchema       // a schema the class cannot load
    };

    explicit CArchiveException(int cause = none, const CString& fileName = CString());

    CString GetErrorMessage() const override;

    int m_cause;
    CString m_strFileName;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG osError = -1,
                            const CString& fileName = CString());

    CString GetErrorMessage() const override;

    int m_cause;
    LONG m_lOsError;            // the system's error code, -1 when none
    CString m_strFileName;
};

[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowArchiveException(int cause, const CString& fileName = CString());
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1,
                                        const CString& fileName = CString());

#define TRY try
#define CATCH(class_name, e)                                            \
    catch (class_name & e##_caught)                                     \
    {                                                                   \
        class_name* e = &e##_caught;                                    \
        (void)e;
#define AND_CATCH(class_name, e)                                        \
    }                                                                   \
    CATCH(class_name, e)
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL }
#define THROW_LAST() throw
