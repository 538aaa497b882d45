// The application object: command-line parsing through ParseParam, the
// program's start through AfxWinMain, and its message loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "framework/win/AppState.h"

using namespace ui_test;

namespace {

struct Param
{
    std::string text;
    bool flag;
    bool last;
    bool operator==(const Param& o) const { return text == o.text && flag == o.flag && last == o.last; }
};

class RecordingCommandLine : public CCommandLineInfo
{
public:
    std::vector<Param> m_params;
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override
    {
        m_params.push_back({pszParam, bFlag != FALSE, bLast != FALSE});
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
};

std::ostream& operator<<(std::ostream& os, const Param& p)
{
    return os << "{" << p.text << "," << p.flag << "," << p.last << "}";
}

} // namespace

TEST(App, ParseCommandLineHandsEachParameterToParseParam)
{
    CWinApp app("ParseTest");
    struct Case
    {
        const char* line;
        std::vector<Param> params;
        const char* fileName;
    };
    const Case cases[] = {
        {"", {}, ""},
        {"/p Party", {{"p", true, false}, {"Party", false, true}}, "Party"},
        {"-f \"C:\\My Music\\a b.mp3\"", {{"f", true, false}, {"C:\\My Music\\a b.mp3", false, true}}, "C:\\My Music\\a b.mp3"},
        {"  /p   /f x.mp3  ", {{"p", true, false}, {"f", true, false}, {"x.mp3", false, true}}, "x.mp3"},
        {"say \\\"hi\\\"", {{"say", false, false}, {"\"hi\"", false, true}}, "say"},
    };
    for (const Case& c : cases) {
        std::string line = c.line;
        app.m_lpCmdLine = &line[0];
        RecordingCommandLine info;
        app.ParseCommandLine(info);
        EXPECT_EQ(c.params, info.m_params) << c.line;
        EXPECT_STREQ(c.fileName, info.m_strFileName) << c.line;
    }
}

namespace {

class DialogApp : public CWinApp
{
public:
    DialogApp() : CWinApp("DialogApp") {}
    BOOL InitInstance() override
    {
        m_ran = true;
        return FALSE;   // a dialog-based program ends here on purpose
    }
    int ExitInstance() override
    {
        m_exited = true;
        return 0;
    }
    bool m_ran = false;
    bool m_exited = false;
};

class LoopApp : public CWinApp
{
public:
    LoopApp() : CWinApp("LoopApp") {}
    BOOL InitInstance() override
    {
        CreateTopLevel(m_window, "Loop");
        m_pMainWnd = &m_window;
        return TRUE;
    }
    // Closed once the queue has run empty (idle time), however long the
    // set-up's own messages took.
    BOOL OnIdle(LONG lCount) override
    {
        if (++m_idle == 1)
            m_window.PostMessage(WM_CLOSE);   // DefWindowProc destroys the window
        return CWinApp::OnIdle(lCount);
    }
    class QuitOnDestroy : public CWnd
    {
        DECLARE_MESSAGE_MAP()
    public:
        void OnDestroy() { ::PostQuitMessage(5); }
    };
    QuitOnDestroy m_window;
    int m_idle = 0;
};

BEGIN_MESSAGE_MAP(LoopApp::QuitOnDestroy, CWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

} // namespace

TEST(App, FailedInitInstanceGoesStraightToExitInstance)
{
    DialogApp app;
    EXPECT_EQ(&app, AfxGetApp());
    EXPECT_EQ(0, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW));
    EXPECT_TRUE(app.m_ran);
    EXPECT_TRUE(app.m_exited);
}

TEST(App, RunPumpsUntilWmQuitAndReturnsItsCode)
{
    LoopApp app;
    EXPECT_EQ(5, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW));
    EXPECT_EQ(nullptr, app.m_window.m_hWnd);
    EXPECT_EQ(nullptr, app.m_pMainWnd);   // the main window went with its window
    EXPECT_GT(app.m_idle, 0);
}

TEST(App, TheApplicationObjectRegistersAndUnregistersItself)
{
    EXPECT_EQ(nullptr, AfxGetApp());
    {
        CWinApp app("Scoped");
        EXPECT_EQ(&app, AfxGetAppState()->m_pApp);
        EXPECT_STREQ("Scoped", app.m_pszAppName);
    }
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ(nullptr, AfxGetAppState()->m_pfnPreTranslate);
    // Without an application object the state's own main window counts.
    CWnd wnd;
    AfxGetAppState()->m_pMainWnd = &wnd;
    EXPECT_EQ(&wnd, AfxGetMainWnd());
    AfxGetAppState()->m_pMainWnd = nullptr;
}
