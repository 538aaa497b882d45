// The application state hand-over: a DLL with its own copy of the layer sees
// the program's application object, main window and pre-translation, but
// loads resources from its own module.
#include "framework/core/CString.h"
#include "framework/win/AppState.h"

#include <gtest/gtest.h>

#include <string>

namespace {

typedef AFX_APP_STATE* (*StateProc)();
typedef HINSTANCE (*HandleProc)();
typedef BOOL (*PreTranslateProc)(MSG*);
typedef BOOL (*LoadStringProc)(UINT, char*, int);

UINT g_lastMessage = 0;

BOOL ProgramPreTranslate(MSG* msg)
{
    g_lastMessage = msg->message;
    return msg->message == WM_KEYDOWN && msg->wParam == VK_F5;
}

class AppStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string dll(path);
        dll = dll.substr(0, dll.find_last_of('\\') + 1) + "framework_testdll.dll";
        m_dll = LoadLibraryA(dll.c_str());
        ASSERT_NE(m_dll, nullptr) << dll;
    }
    void TearDown() override
    {
        AFX_APP_STATE* state = AfxGetAppState();
        *state = AFX_APP_STATE{nullptr, nullptr, nullptr};
        if (m_dll)
            FreeLibrary(m_dll);
    }
    template <typename T>
    T Proc(const char* name)
    {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(m_dll, name)));
    }

    HMODULE m_dll = nullptr;
};

TEST_F(AppStateTest, DllSeesTheProgramsState)
{
    int app = 0;
    int window = 0;
    AFX_APP_STATE* state = AfxGetAppState();
    state->m_pApp = reinterpret_cast<CWinApp*>(&app);
    state->m_pfnPreTranslate = ProgramPreTranslate;

    auto dllState = Proc<StateProc>("DllAppState");
    ASSERT_NE(dllState, nullptr);
    EXPECT_EQ(dllState(), state);
    EXPECT_EQ(dllState()->m_pApp, reinterpret_cast<CWinApp*>(&app));

    // The main window set later is seen too: the state is shared, not copied.
    state->m_pMainWnd = reinterpret_cast<CWnd*>(&window);
    EXPECT_EQ(dllState()->m_pMainWnd, reinterpret_cast<CWnd*>(&window));

    auto preTranslate = Proc<PreTranslateProc>("DllPreTranslate");
    MSG key = {};
    key.message = WM_KEYDOWN;
    key.wParam = VK_F5;
    EXPECT_TRUE(preTranslate(&key));
    MSG paint = {};
    paint.message = WM_PAINT;
    EXPECT_FALSE(preTranslate(&paint));
    EXPECT_EQ(g_lastMessage, static_cast<UINT>(WM_PAINT));

    state->m_pfnPreTranslate = nullptr;
    EXPECT_FALSE(preTranslate(&key));
}

TEST_F(AppStateTest, EachModuleLoadsItsOwnResources)
{
    auto handle = Proc<HandleProc>("DllResourceHandle");
    EXPECT_EQ(handle(), reinterpret_cast<HINSTANCE>(m_dll));
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA(nullptr));
    EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandleA(nullptr));

    auto load = Proc<LoadStringProc>("DllLoadString");
    char text[64] = {};
    ASSERT_TRUE(load(901, text, sizeof text));
    EXPECT_STREQ(text, "from the DLL");
    EXPECT_FALSE(load(902, text, sizeof text));

    CString mine;
    ASSERT_TRUE(mine.LoadString(901));
    EXPECT_STREQ(mine, "from the program");
    EXPECT_FALSE(mine.LoadString(903));
    EXPECT_STREQ(mine, "");
}

} // namespace
