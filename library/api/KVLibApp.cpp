#include "library/api/KVLibApp.h"

// The one object of KVLib.dll, built when the DLL is loaded.
KVLibApp theKVLibApp;

BOOL KVLibApp::InitInstance()
{
    return CWinApp::InitInstance();
}

// KVLib's entry point: the application object starts when the DLL is
// attached to a process, and the load fails when its start-up does.
extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        theKVLibApp.m_hInstance = hInstance;
        return theKVLibApp.InitInstance();
    }
    return TRUE;
}
