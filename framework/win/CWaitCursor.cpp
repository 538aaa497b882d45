#include "framework/win/CWaitCursor.h"

namespace {
thread_local int t_waitCount = 0;
thread_local HCURSOR t_savedCursor = nullptr;
}

CWaitCursor::CWaitCursor()
{
    HCURSOR wait = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    HCURSOR previous = ::SetCursor(wait);
    if (t_waitCount++ == 0)
        t_savedCursor = previous;
}

CWaitCursor::~CWaitCursor()
{
    if (--t_waitCount == 0)
        ::SetCursor(t_savedCursor);
}

void CWaitCursor::Restore()
{
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
}

int AfxGetWaitCursorCount()
{
    return t_waitCount;
}
