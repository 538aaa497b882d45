// InternetHandle: closes a WinINet handle when the object goes.
#pragma once

#include <windows.h>
#include <wininet.h>

class InternetHandle
{
public:
    explicit InternetHandle(HINTERNET handle) : m_handle(handle) {}
    ~InternetHandle()
    {
        if (m_handle)
            InternetCloseHandle(m_handle);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return m_handle; }
    operator HINTERNET() const { return m_handle; }

private:
    HINTERNET m_handle;
};
