// A DLL with its own static copy of the layer, standing in for KVLib: it
// reports what the layer shows it of the program's state and its resources.
#include "framework/core/CString.h"
#include "framework/win/AppState.h"

#include <cstring>

extern "C" __declspec(dllexport) AFX_APP_STATE* DllAppState()
{
    return AfxGetAppState();
}

extern "C" __declspec(dllexport) HINSTANCE DllResourceHandle()
{
    return AfxGetResourceHandle();
}

extern "C" __declspec(dllexport) BOOL DllPreTranslate(MSG* msg)
{
    return AfxPreTranslateMessage(msg);
}

extern "C" __declspec(dllexport) BOOL DllLoadString(UINT id, char* buffer, int size)
{
    CString text;
    if (!text.LoadString(id))
        return FALSE;
    lstrcpynA(buffer, text, size);
    return TRUE;
}
