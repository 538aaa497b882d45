// A program without an application object, bound to KVLib.dll: KVLib's own
// application object does not become the program's.
#include "framework/ui/CWinApp.h"
#include "framework/win/AppState.h"
#include "library/api/VIZU.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(KVLibApp, KVLibsObjectDoesNotBecomeTheProgramsApplication)
{
    HMODULE kvlib = GetModuleHandleA("KVLib.dll");
    ASSERT_NE(nullptr, kvlib);
    EXPECT_STREQ("5.00", VIZU::GetDBVersion());
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ(nullptr, AfxGetAppState()->m_pfnPreTranslate);

    typedef AFX_APP_STATE* (*StateProc)();
    FARPROC proc = GetProcAddress(kvlib, "TavrixFrameworkAppState");
    ASSERT_NE(nullptr, proc);
    AFX_APP_STATE* own = reinterpret_cast<StateProc>(reinterpret_cast<void*>(proc))();
    ASSERT_NE(nullptr, own->m_pApp);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(kvlib), own->m_pApp->m_hInstance);
}
