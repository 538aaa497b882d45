// Waitable objects and locks: CSyncObject, CEvent, CMutex,
// CCriticalSection and CSingleLock.
#pragma once

#include <windows.h>

#include "framework/core/CObject.h"

class CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    // Construction
    CSyncObject() = default;
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;
    ~CSyncObject() override;                 // closes the handle

    // Attributes
    HANDLE m_hObject = nullptr;
    operator HANDLE() const { return m_hObject; }

    // Operations
    // Waits for the object; false on time-out or failure.
    virtual BOOL Lock(DWORD timeout = INFINITE);
    virtual BOOL Unlock() = 0;
};

class CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    // Throws CResourceException when the event cannot be made.
    explicit CEvent(BOOL initiallySet = FALSE, BOOL manualReset = FALSE,
                    const char* name = nullptr, LPSECURITY_ATTRIBUTES security = nullptr);

    BOOL SetEvent() { return ::SetEvent(m_hObject); }
    BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
    BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
    BOOL Unlock() override { return TRUE; }
};

class CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)
public:
    // A named mutex that exists already is opened; GetLastError() right
    // after construction then answers ERROR_ALREADY_EXISTS.
    explicit CMutex(BOOL initiallyOwn = FALSE, const char* name = nullptr,
                    LPSECURITY_ATTRIBUTES security = nullptr);

    BOOL Unlock() override { return ::ReleaseMutex(m_hObject); }
};

class CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    ~CCriticalSection() override;

    operator CRITICAL_SECTION*() { return &m_sect; }

    BOOL Lock() { ::EnterCriticalSection(&m_sect); return TRUE; }
    BOOL Lock(DWORD timeout) override;       // waits without a time-out
    BOOL Unlock() override { ::LeaveCriticalSection(&m_sect); return TRUE; }

    CRITICAL_SECTION m_sect;
};

// Holds a lock on a CSyncObject for a scope; unlocks in its destructor.
class CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE);
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
    ~CSingleLock();

    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_locked; }

private:
    CSyncObject* m_object;
    BOOL m_locked;
};
