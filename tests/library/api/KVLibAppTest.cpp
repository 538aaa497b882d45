// A program with its own application object, bound to KVLib.dll through its
// import table as TavrixVJ is: KVLib's application object is built first
// (the loader starts the DLL before the program), yet AfxGetApp and the
// message pump's pre-translation stay the program's.
#include "framework/ui/CWinApp.h"
#include "framework/win/AppState.h"
#include "library/api/VIZU.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class ProgramApp : public CWinApp
{
public:
    ProgramApp() : CWinApp("ProgramApp") {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP + 7)
            ++m_seen;
        return CWinApp::PreTranslateMessage(pMsg);
    }
    int m_seen = 0;
};

ProgramApp theProgramApp;

typedef AFX_APP_STATE* (*StateProc)();

// KVLib's own copy of the layer's state.
AFX_APP_STATE* KVLibOwnState()
{
    HMODULE kvlib = GetModuleHandleA("KVLib.dll");
    FARPROC proc = kvlib ? GetProcAddress(kvlib, "TavrixFrameworkAppState") : nullptr;
    return proc ? reinterpret_cast<StateProc>(reinterpret_cast<void*>(proc))() : nullptr;
}

} // namespace

TEST(KVLibApp, TheProgramsApplicationObjectStaysTheProgramsOwn)
{
    ASSERT_STREQ("5.00", VIZU::GetDBVersion());   // bound through the import table
    EXPECT_EQ(&theProgramApp, AfxGetApp());
    EXPECT_EQ(GetModuleHandleA(nullptr), AfxGetApp()->m_hInstance);
    EXPECT_STREQ("ProgramApp", AfxGetApp()->m_pszAppName);
}

TEST(KVLibApp, KVLibHasAnApplicationObjectOfItsOwn)
{
    HMODULE kvlib = GetModuleHandleA("KVLib.dll");
    ASSERT_NE(nullptr, kvlib);
    AFX_APP_STATE* own = KVLibOwnState();
    ASSERT_NE(nullptr, own);
    ASSERT_NE(AfxGetAppState(), own);
    ASSERT_NE(nullptr, own->m_pApp);
    EXPECT_NE(static_cast<CWinApp*>(&theProgramApp), own->m_pApp);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(kvlib), own->m_pApp->m_hInstance);
    EXPECT_STREQ("KVLib", own->m_pApp->m_pszAppName);
}

TEST(KVLibApp, QueuedMessagesArePreTranslatedByTheProgramsApplication)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    const int before = theProgramApp.m_seen;
    ASSERT_TRUE(PostMessageA(window, WM_APP + 7, 0, 0));
    // KVLib's pump, as a long library operation runs it.
    VIZU::ProcessMessages();
    EXPECT_EQ(before + 1, theProgramApp.m_seen);
    DestroyWindow(window);
}
