#include "framework/win/CSyncObjects.h"

#include "framework/core/Exceptions.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)

CSyncObject::~CSyncObject()
{
    if (m_hObject)
        ::CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD timeout)
{
    DWORD result = ::WaitForSingleObject(m_hObject, timeout);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

CEvent::CEvent(BOOL initiallySet, BOOL manualReset, const char* name, LPSECURITY_ATTRIBUTES security)
{
    m_hObject = ::CreateEventA(security, manualReset, initiallySet, name);
    if (!m_hObject)
        AfxThrowResourceException();
}

CMutex::CMutex(BOOL initiallyOwn, const char* name, LPSECURITY_ATTRIBUTES security)
{
    m_hObject = ::CreateMutexA(security, initiallyOwn, name);
    if (!m_hObject)
        AfxThrowResourceException();
}

CCriticalSection::CCriticalSection()
{
    ::InitializeCriticalSection(&m_sect);
}

CCriticalSection::~CCriticalSection()
{
    ::DeleteCriticalSection(&m_sect);
}

BOOL CCriticalSection::Lock(DWORD)
{
    ::EnterCriticalSection(&m_sect);
    return TRUE;
}

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock)
    : m_object(object), m_locked(FALSE)
{
    if (!object)
        AfxThrowInvalidArgException();
    if (initialLock)
        Lock();
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

BOOL CSingleLock::Lock(DWORD timeout)
{
    if (m_locked)
        return TRUE;
    m_locked = m_object->Lock(timeout);
    return m_locked;
}

BOOL CSingleLock::Unlock()
{
    if (m_locked)
        m_locked = !m_object->Unlock();
    return !m_locked;
}
