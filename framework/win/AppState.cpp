#include "framework/win/AppState.h"

// The image this copy of the layer is linked into (set by the linker).
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

AFX_APP_STATE g_ownState = {nullptr, nullptr, nullptr};
HINSTANCE g_resourceHandle = nullptr;

typedef AFX_APP_STATE* (*AppStateProc)();

} // namespace

// Exported from whichever image links this file; the exe's export is the one
// that counts.
extern "C" __declspec(dllexport) AFX_APP_STATE* TavrixFrameworkAppState()
{
    return &g_ownState;
}

AFX_APP_STATE* AfxGetAppState()
{
    // Looked up once; the exe's image outlives every module it loads.
    static AFX_APP_STATE* const state = [] {
        HMODULE exe = ::GetModuleHandleA(nullptr);
        FARPROC proc = exe ? ::GetProcAddress(exe, "TavrixFrameworkAppState") : nullptr;
        if (!proc)
            return &g_ownState;
        return reinterpret_cast<AppStateProc>(reinterpret_cast<void*>(proc))();
    }();
    return state;
}

BOOL AfxPreTranslateMessage(MSG* msg)
{
    AFX_PRETRANSLATE_PROC proc = AfxGetAppState()->m_pfnPreTranslate;
    return proc && msg ? proc(msg) : FALSE;
}

HINSTANCE AfxGetModuleHandle()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_resourceHandle ? g_resourceHandle : AfxGetModuleHandle();
}

void AfxSetResourceHandle(HINSTANCE module)
{
    g_resourceHandle = module;
}

HINSTANCE AfxGetInstanceHandle()
{
    return ::GetModuleHandleA(nullptr);
}
