// The prompt seam: a test answers message boxes and colour dialogs; an
// unattended run takes each box's default button; the real box is shown
// (and answered here by a helper thread) when neither is set.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "TestResources.h"
#include "UiTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace ui_test;

TEST(Prompts, AnswererGetsTheQuestionAndGivesTheAnswer)
{
    CWinApp app("TAVRIX PRO DJ");
    RecordingAnswerer answerer(IDNO);
    EXPECT_EQ(IDNO, AfxMessageBox("Are you sure you want to exit Tavrix?", MB_YESNO));
    ASSERT_EQ(1u, answerer.m_calls.size());
    EXPECT_EQ("Are you sure you want to exit Tavrix?", answerer.m_calls[0].text);
    EXPECT_EQ("TAVRIX PRO DJ", answerer.m_calls[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), answerer.m_calls[0].type);

    // From a string resource, with the caller's icon kept.
    EXPECT_EQ(IDNO, AfxMessageBox(IDS_QUESTION, MB_YESNOCANCEL | MB_ICONSTOP));
    ASSERT_EQ(2u, answerer.m_calls.size());
    EXPECT_EQ("Keep the changes?", answerer.m_calls[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL | MB_ICONSTOP), answerer.m_calls[1].type);

    // A window's own message box, with its caption and owner.
    CWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd, "Owner"));
    EXPECT_EQ(IDNO, wnd.MessageBox("Text", "Kelvane Library Manager", MB_YESNO));
    EXPECT_EQ(wnd.m_hWnd, answerer.m_calls[2].owner);
    EXPECT_EQ("Kelvane Library Manager", answerer.m_calls[2].caption);
    wnd.DestroyWindow();

    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    EXPECT_TRUE(AfxPromptChooseColor(&cc));
    EXPECT_EQ(RGB(1, 2, 3), cc.rgbResult);
}

TEST(Prompts, UnattendedRunsTakeTheDefaultButton)
{
    AfxSetUnattendedPrompts(TRUE);
    struct Case
    {
        UINT type;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_RETRYCANCEL | MB_ICONSTOP, IDRETRY},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.answer, AfxPromptMessageBox(nullptr, "text", "caption", c.type)) << c.type;
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    EXPECT_FALSE(AfxPromptFileDialog(&ofn, TRUE));
    BROWSEINFOA bi = {};
    CString folder("x");
    EXPECT_FALSE(AfxPromptBrowseForFolder(&bi, folder));
    EXPECT_TRUE(folder.IsEmpty());
}

TEST(Prompts, RealMessageBoxIsShownWhenNothingAnswersIt)
{
    AfxSetUnattendedPrompts(FALSE);
    std::atomic<bool> stop(false);
    std::atomic<bool> answered(false);
    // Presses "No" in the box once it appears (at most 10 s).
    std::thread helper([&] {
        DWORD start = ::GetTickCount();
        while (!stop && ::GetTickCount() - start < 10000) {
            HWND box = tavrix_test::FindOwnWindow("#32770", "Real box");
            if (box) {
                ::PostMessageA(box, WM_COMMAND, IDNO, 0);
                answered = true;
                return;
            }
            ::Sleep(20);
        }
    });
    int result = AfxPromptMessageBox(nullptr, "Shown for real", "Real box", MB_YESNO);
    stop = true;
    helper.join();
    AfxSetUnattendedPrompts(TRUE);
    EXPECT_TRUE(answered);
    EXPECT_EQ(IDNO, result);
}

namespace {

// Confirms shell file operations with a fixed answer and runs verbs as if
// the shell did; keeps what it was asked.
class ShellOpAnswerer : public RecordingAnswerer
{
public:
    explicit ShellOpAnswerer(int confirm) : m_confirm(confirm) {}
    int ConfirmFileOperation(const SHFILEOPSTRUCTA& op) override
    {
        m_ops.push_back(op.wFunc);
        return m_confirm;
    }
    BOOL ShellExecute(SHELLEXECUTEINFOA& sei) override
    {
        m_verbs.push_back(sei.lpVerb ? sei.lpVerb : "");
        return TRUE;
    }
    int m_confirm;
    std::vector<UINT> m_ops;
    std::vector<std::string> m_verbs;
};

SHFILEOPSTRUCTA DeleteOp(const std::string& from, FILEOP_FLAGS flags)
{
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();   // the caller's string ends in two NULs
    op.fFlags = flags;
    return op;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(Prompts, ShellFileOperationsAreConfirmedThroughTheSeam)
{
    tavrix_test::TempDir dir;
    std::string a = dir.File("a.txt"), b = dir.File("b.txt");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(a, "a"));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(b, "b"));
    std::string fromA = a + '\0', fromB = b + '\0';
    {
        ShellOpAnswerer no(IDNO);
        SHFILEOPSTRUCTA op = DeleteOp(fromA, 0);
        EXPECT_EQ(AfxPromptFileOperation(&op), ERROR_CANCELLED);
        EXPECT_TRUE(op.fAnyOperationsAborted);
        EXPECT_TRUE(Exists(a));
        ASSERT_EQ(no.m_ops.size(), 1u);
        EXPECT_EQ(no.m_ops[0], static_cast<UINT>(FO_DELETE));
    }
    {
        ShellOpAnswerer yes(IDYES);
        SHFILEOPSTRUCTA op = DeleteOp(fromA, 0);
        EXPECT_EQ(AfxPromptFileOperation(&op), 0);
        EXPECT_FALSE(op.fAnyOperationsAborted);
        EXPECT_FALSE(Exists(a));
        // An operation that asks nothing runs without asking.
        SHFILEOPSTRUCTA quiet = DeleteOp(fromB, FOF_NOCONFIRMATION);
        EXPECT_EQ(AfxPromptFileOperation(&quiet), 0);
        EXPECT_FALSE(Exists(b));
        EXPECT_EQ(yes.m_ops.size(), 1u);

        SHELLEXECUTEINFOA sei = {};
        sei.cbSize = sizeof sei;
        sei.lpVerb = "properties";
        sei.lpFile = "C:\\";
        EXPECT_TRUE(AfxPromptShellExecute(&sei));
        ASSERT_EQ(yes.m_verbs.size(), 1u);
        EXPECT_EQ(yes.m_verbs[0], "properties");
    }
}

TEST(Prompts, UnattendedRunsNeitherDeleteWhatWouldAskNorStartPrograms)
{
    tavrix_test::TempDir dir;
    std::string a = dir.File("a.txt"), b = dir.File("b.txt");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(a, "a"));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(b, "b"));
    std::string fromA = a + '\0', fromB = b + '\0';
    AfxSetUnattendedPrompts(TRUE);
    SHFILEOPSTRUCTA op = DeleteOp(fromA, FOF_ALLOWUNDO);
    EXPECT_EQ(AfxPromptFileOperation(&op), ERROR_CANCELLED);
    EXPECT_TRUE(op.fAnyOperationsAborted);
    EXPECT_TRUE(Exists(a));
    SHFILEOPSTRUCTA quiet = DeleteOp(fromB, FOF_NOCONFIRMATION);
    EXPECT_EQ(AfxPromptFileOperation(&quiet), 0);
    EXPECT_FALSE(Exists(b));
    SHELLEXECUTEINFOA sei = {};
    sei.cbSize = sizeof sei;
    sei.lpFile = a.c_str();
    EXPECT_FALSE(AfxPromptShellExecute(&sei));
    EXPECT_FALSE(AfxPromptFileOperation(nullptr) == 0);
}
