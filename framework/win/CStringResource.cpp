#include <windows.h>

#include "framework/core/CString.h"
#include "framework/win/AppState.h"

BOOL CString::LoadFromResource(UINT id)
{
    // LoadString gives at most the buffer's size; grow until the text fits.
    for (int size = 256; size <= 65536; size *= 4) {
        char* buffer = GetBuffer(size);
        int n = ::LoadStringA(AfxGetResourceHandle(), id, buffer, size);
        if (n < size - 1) {
            ReleaseBuffer(n > 0 ? n : 0);
            return n > 0;
        }
        ReleaseBuffer(0);
    }
    return FALSE;
}
