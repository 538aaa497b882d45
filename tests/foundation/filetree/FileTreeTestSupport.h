// Helpers of the file tree tests: a tree in a real top-level window, real
// folders and files made in a temporary folder, and an answerer for the
// shell's prompts that records what it was asked.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/filetree/TreeFileCtrl.h"
#include "framework/ui/AfxWin.h"
#include "tests/support/TestSupport.h"

namespace filetree_test {

// Makes a folder (and its parents) under base; the path, or "" on failure.
std::string MakeFolder(const std::string& base, const std::string& relative);
// Makes a small file under base (its folder must exist).
std::string MakeFile(const std::string& base, const std::string& relative);
// Sets attributes on a path and reads them back; false when the file system
// does not keep them.
bool SetAttributes(const std::string& path, DWORD attributes);

// A tree of the control's class in a visible top-level window.
class TreeHost
{
public:
    explicit TreeHost(DWORD extraStyle = 0);
    ~TreeHost();
    TreeHost(const TreeHost&) = delete;
    TreeHost& operator=(const TreeHost&) = delete;

    // The texts of an item's children, in order.
    std::vector<std::string> ChildTexts(HTREEITEM hItem);
    // The children count the item shows (its expand button).
    int ChildrenCount(HTREEITEM hItem);
    BOOL IsExpanded(HTREEITEM hItem);
    // Collapses an item as the user does (it selects it, then the Left key):
    // only the user's collapse reaches the control.
    void CollapseByUser(HTREEITEM hItem);
    // Sends a key through the control's pre-translation and dispatches what
    // it posted; alt marks WM_SYSKEYDOWN.
    void PressKey(UINT vk, bool alt = false);

    CWnd m_frame;
    CTreeFileCtrl m_tree;
};

// A test with its own temporary folder and trees that show only it.
class FolderTreeTest : public ::testing::Test
{
protected:
    // Fills the host's tree with the temporary folder's contents.
    void ShowRoot(TreeHost& host, int extensionMode = 1);
    // The listed item of a path below the temporary folder, or null.
    HTREEITEM Item(TreeHost& host, const std::string& relative);

    tavrix_test::TempDir m_dir;
};

// Holds keys down in this thread's keyboard state while it lives.
class HeldKeys
{
public:
    explicit HeldKeys(std::initializer_list<int> keys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256];
};

struct FileOperationCall
{
    UINT func;
    std::string from;
    std::string to;
    FILEOP_FLAGS flags;
};

struct ShellExecuteCall
{
    std::string verb;
    std::string file;
    ULONG mask;
    int show;
};

// Answers the shell's confirmations with a fixed button, the shell verbs
// with a fixed result, and message boxes with OK; keeps every question.
class ShellAnswerer : public CPromptAnswerer
{
public:
    explicit ShellAnswerer(int confirm = IDYES, BOOL executeResult = TRUE);
    ~ShellAnswerer() override;
    int MessageBox(HWND hOwner, const char* text, const char* caption, UINT type) override;
    int ConfirmFileOperation(const SHFILEOPSTRUCTA& op) override;
    BOOL ShellExecute(SHELLEXECUTEINFOA& sei) override;

    int m_confirm;
    BOOL m_executeResult;
    std::vector<FileOperationCall> m_fileOps;
    std::vector<ShellExecuteCall> m_executes;
    std::vector<std::string> m_messages;

private:
    CPromptAnswerer* m_previous;
};

} // namespace filetree_test
