// The pre-translation path of every pumped message: the target window,
// then each parent, then the main window as the last chance; a window that
// takes the message stops both the walk and the dispatch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestResources.h"
#include "UiTestSupport.h"
#include "framework/win/AppState.h"

using namespace ui_test;

namespace {

typedef std::vector<std::string> Log;

Log g_order;
std::string g_takeAt;   // the window that takes the message

class RecordingEdit : public CEdit
{
    DECLARE_MESSAGE_MAP()
public:
    int m_keyDowns = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        g_order.push_back("edit");
        return g_takeAt == "edit";
    }
    void OnKeyDown(UINT, UINT, UINT) { ++m_keyDowns; }
};

BEGIN_MESSAGE_MAP(RecordingEdit, CEdit)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class RecordingDialog : public CDialog
{
public:
    RecordingDialog() : CDialog(IDD_PLAIN) {}
    RecordingEdit m_edit;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_NAME, m_edit); }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        g_order.push_back("dialog");
        return g_takeAt == "dialog";
    }
};

class RecordingMain : public CWnd
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        g_order.push_back("main");
        return g_takeAt == "main";
    }
};

class PreTranslateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxSetUnattendedPrompts(TRUE);
        g_order.clear();
        g_takeAt.clear();
        ASSERT_EQ(&m_app, AfxGetApp());
        ASSERT_TRUE(CreateTopLevel(m_main, "Main"));
        m_app.m_pMainWnd = &m_main;
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        m_main.DestroyWindow();
    }

    // Posts a key to the modeless dialog's edit control and pumps it.
    void PressKey()
    {
        ASSERT_TRUE(m_dialog.m_edit.PostMessage(WM_KEYDOWN, VK_F5, 0));
        ASSERT_TRUE(PumpUntil([&] {
            MSG msg;
            return !::PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE);
        }));
    }

    CWinApp m_app{"PreTranslateTest"};
    RecordingMain m_main;
    RecordingDialog m_dialog;
};

} // namespace

TEST_F(PreTranslateTest, ModelessDialogsChildThenDialogThenMainWindowLast)
{
    ASSERT_TRUE(m_dialog.Create(IDD_PLAIN, nullptr));   // not owned by the main window
    ASSERT_NE(nullptr, m_dialog.m_edit.m_hWnd);
    PressKey();
    EXPECT_EQ((Log{"edit", "dialog", "main"}), g_order);
    EXPECT_EQ(1, m_dialog.m_edit.m_keyDowns);
}

TEST_F(PreTranslateTest, OwnedDialogReachesTheMainWindowOnce)
{
    ASSERT_TRUE(m_dialog.Create(IDD_PLAIN, &m_main));
    PressKey();
    EXPECT_EQ((Log{"edit", "dialog", "main"}), g_order);
}

TEST_F(PreTranslateTest, AWindowThatTakesTheMessageStopsWalkAndDispatch)
{
    ASSERT_TRUE(m_dialog.Create(IDD_PLAIN, nullptr));
    struct Case
    {
        const char* takeAt;
        Log order;
        int keyDowns;
    };
    const Case cases[] = {
        {"edit", {"edit"}, 0},
        {"dialog", {"edit", "dialog"}, 0},
        {"main", {"edit", "dialog", "main"}, 0},
        {"", {"edit", "dialog", "main"}, 1},
    };
    for (const Case& c : cases) {
        g_order.clear();
        g_takeAt = c.takeAt;
        m_dialog.m_edit.m_keyDowns = 0;
        PressKey();
        EXPECT_EQ(c.order, g_order) << c.takeAt;
        EXPECT_EQ(c.keyDowns, m_dialog.m_edit.m_keyDowns) << c.takeAt;
    }
}

TEST_F(PreTranslateTest, ApplicationStateIsSharedThroughTheProgramsExport)
{
    AFX_APP_STATE* state = AfxGetAppState();
    EXPECT_EQ(&m_app, state->m_pApp);
    EXPECT_NE(nullptr, state->m_pfnPreTranslate);
    EXPECT_EQ(&m_main, AfxGetMainWnd());
    // What a library's pump calls: the program's pre-translation.
    m_main.PostMessage(WM_KEYDOWN, VK_F6, 0);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, m_main.m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    g_takeAt = "main";
    EXPECT_TRUE(AfxPreTranslateMessage(&msg));
    EXPECT_EQ(Log{"main"}, g_order);
}

TEST_F(PreTranslateTest, ALibraryLoopPumpingThroughTheAppTakesTheSamePath)
{
    ASSERT_TRUE(m_dialog.Create(IDD_PLAIN, nullptr));
    ASSERT_TRUE(m_dialog.m_edit.PostMessage(WM_KEYDOWN, VK_F5, 0));
    MSG msg;
    DWORD start = ::GetTickCount();
    while (::PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) && ::GetTickCount() - start < 5000)
        ASSERT_TRUE(AfxGetApp()->PumpMessage());
    EXPECT_EQ((Log{"edit", "dialog", "main"}), g_order);
    EXPECT_EQ(1, m_dialog.m_edit.m_keyDowns);
}
