#include "FileTreeTestSupport.h"

#include <shlobj.h>

#include <cstring>

#include "tests/framework/ui/UiTestSupport.h"

namespace filetree_test {

std::string MakeFolder(const std::string& base, const std::string& relative)
{
    std::string path = base + "\\" + relative;
    return ::SHCreateDirectoryExA(nullptr, path.c_str(), nullptr) == ERROR_SUCCESS ? path : std::string();
}

std::string MakeFile(const std::string& base, const std::string& relative)
{
    std::string path = base + "\\" + relative;
    return tavrix_test::WriteFileBytes(path, "data:" + relative) ? path : std::string();
}

bool SetAttributes(const std::string& path, DWORD attributes)
{
    if (!::SetFileAttributesA(path.c_str(), attributes))
        return false;
    DWORD read = ::GetFileAttributesA(path.c_str());
    return read != INVALID_FILE_ATTRIBUTES && (read & attributes) == attributes;
}

TreeHost::TreeHost(DWORD extraStyle)
{
    ui_test::CreateTopLevel(m_frame, "File tree test");
    m_frame.MoveWindow(10, 10, 360, 500);
    CRect client;
    m_frame.GetClientRect(&client);
    m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                      TVS_SHOWSELALWAYS | TVS_EDITLABELS | extraStyle,
                  client, &m_frame, 100);
}

TreeHost::~TreeHost()
{
    if (m_frame.IsWindow())
        m_frame.DestroyWindow();
}

std::vector<std::string> TreeHost::ChildTexts(HTREEITEM hItem)
{
    std::vector<std::string> texts;
    HTREEITEM hChild = hItem == TVI_ROOT ? m_tree.GetRootItem() : m_tree.GetChildItem(hItem);
    for (; hChild; hChild = m_tree.GetNextSiblingItem(hChild))
        texts.push_back(static_cast<const char*>(m_tree.GetItemText(hChild)));
    return texts;
}

int TreeHost::ChildrenCount(HTREEITEM hItem)
{
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    return m_tree.GetItem(&item) ? item.cChildren : -1;
}

BOOL TreeHost::IsExpanded(HTREEITEM hItem)
{
    return (m_tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TreeHost::CollapseByUser(HTREEITEM hItem)
{
    m_tree.SelectItem(hItem);
    m_tree.SendMessage(WM_KEYDOWN, VK_LEFT, 1);
}

void TreeHost::PressKey(UINT vk, bool alt)
{
    MSG msg = {};
    msg.hwnd = m_tree.m_hWnd;
    msg.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = vk;
    msg.lParam = 1 | (alt ? (1 << 29) : 0);
    if (!m_tree.PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ui_test::PumpPending();
}

void FolderTreeTest::ShowRoot(TreeHost& host, int extensionMode)
{
    host.m_tree.m_sRootFolder = m_dir.Path().c_str();
    host.m_tree.m_nExtensionMode = extensionMode;
    host.m_tree.AttachSystemImageList();
}

HTREEITEM FolderTreeTest::Item(TreeHost& host, const std::string& relative)
{
    return host.m_tree.PathToItem(m_dir.File(relative).c_str());
}

HeldKeys::HeldKeys(std::initializer_list<int> keys)
{
    ::GetKeyboardState(m_saved);
    BYTE state[256];
    std::memcpy(state, m_saved, sizeof state);
    for (int key : keys)
        state[key] = 0x80;
    ::SetKeyboardState(state);
}

HeldKeys::~HeldKeys()
{
    ::SetKeyboardState(m_saved);
}

ShellAnswerer::ShellAnswerer(int confirm, BOOL executeResult)
    : m_confirm(confirm), m_executeResult(executeResult), m_previous(AfxSetPromptAnswerer(this))
{
}

ShellAnswerer::~ShellAnswerer()
{
    AfxSetPromptAnswerer(m_previous);
}

int ShellAnswerer::MessageBox(HWND, const char* text, const char*, UINT)
{
    m_messages.push_back(text);
    return IDOK;
}

int ShellAnswerer::ConfirmFileOperation(const SHFILEOPSTRUCTA& op)
{
    m_fileOps.push_back({op.wFunc, op.pFrom ? op.pFrom : "", op.pTo ? op.pTo : "", op.fFlags});
    return m_confirm;
}

BOOL ShellAnswerer::ShellExecute(SHELLEXECUTEINFOA& sei)
{
    m_executes.push_back({sei.lpVerb ? sei.lpVerb : "", sei.lpFile ? sei.lpFile : "", sei.fMask, sei.nShow});
    return m_executeResult;
}

} // namespace filetree_test
