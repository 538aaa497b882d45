// Application state shared by TavrixVJ.exe and KVLib.dll.
//
// Each module links its own static copy of the layer. The program's state
// (application object, main window, pre-translation of messages) lives in
// the exe's copy; the exe's copy exports it under the name
// "TavrixFrameworkAppState", and every module's copy asks the process's exe
// for it, so KVLib's AfxGetApp, AfxGetMainWnd and message pumps see the
// program's objects. The resource handle, by contrast, is per module: each
// module loads its own dialogs, icons and strings.
#pragma once

#include <windows.h>

class CWinApp;
class CWnd;

typedef BOOL (*AFX_PRETRANSLATE_PROC)(MSG* msg);

struct AFX_APP_STATE
{
    CWinApp* m_pApp;                        // set by the application object
    CWnd* m_pMainWnd;                       // the program's main window
    AFX_PRETRANSLATE_PROC m_pfnPreTranslate; // accelerators and dialog keys
};

// The program's state: the exe's when the exe carries this layer, else the
// calling module's own.
AFX_APP_STATE* AfxGetAppState();

// Runs the program's pre-translation on a message taken from the queue;
// TRUE when it was handled and must not be dispatched.
BOOL AfxPreTranslateMessage(MSG* msg);

// The module whose resources this module loads: its own unless changed.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);
// The module this copy of the layer is linked into.
HINSTANCE AfxGetModuleHandle();
// The program's exe.
HINSTANCE AfxGetInstanceHandle();
