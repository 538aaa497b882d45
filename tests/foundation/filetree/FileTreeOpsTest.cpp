// What the user does with the tree, on real files: renaming, deleting,
// opening, the keys and their permissions, history, dragging and colours.
#include <gtest/gtest.h>

#include "FileTreeTestSupport.h"
#include "tests/foundation/drawing/DrawingTestSupport.h"
#include "foundation/filetree/TreeFileCtrl.h"
#include "tests/framework/ui/UiTestSupport.h"

using filetree_test::HeldKeys;
using filetree_test::MakeFile;
using filetree_test::MakeFolder;
using filetree_test::ShellAnswerer;
using filetree_test::TreeHost;

namespace {

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class FileTreeOps : public filetree_test::FolderTreeTest
{
protected:
    // Types a new label into a started edit and ends it.
    void TypeLabel(TreeHost& host, const char* text)
    {
        HWND hEdit = TreeView_GetEditControl(host.m_tree.m_hWnd);
        ASSERT_NE(hEdit, nullptr);
        ::SetWindowTextA(hEdit, text);
        TreeView_EndEditLabelNow(host.m_tree.m_hWnd, FALSE);
        ui_test::PumpPending();
    }
};

TEST_F(FileTreeOps, RenamingAFileWithAHiddenExtensionKeepsItsType)
{
    std::string song = MakeFile(m_dir.Path(), "Song.mp3");
    ShellAnswerer shell(IDYES);
    TreeHost host;
    host.m_tree.m_bAllowRename = TRUE;
    ShowRoot(host, 0);
    HTREEITEM hSong = Item(host, "Song.mp3");
    ASSERT_NE(hSong, nullptr);
    ASSERT_EQ(std::string(host.m_tree.GetItemText(hSong)), "Song");
    ASSERT_TRUE(host.m_tree.RenameItem(hSong));
    TypeLabel(host, "Tune");
    EXPECT_FALSE(Exists(song));
    EXPECT_TRUE(Exists(m_dir.File("Tune.mp3")));
    EXPECT_EQ(std::string(host.m_tree.GetItemText(hSong)), "Tune");
    CTreeFileCtrlItem* pRecord = host.m_tree.GetItemRecord(hSong);
    EXPECT_STREQ(pRecord->m_sPath, m_dir.File("Tune.mp3").c_str());
    EXPECT_STREQ(pRecord->m_sName, "Tune.mp3");
    ASSERT_EQ(shell.m_fileOps.size(), 1u);
    EXPECT_EQ(shell.m_fileOps[0].func, static_cast<UINT>(FO_RENAME));
    EXPECT_TRUE(shell.m_fileOps[0].flags & FOF_ALLOWUNDO);
}

TEST_F(FileTreeOps, ARenameTheShellRefusesKeepsTheOldText)
{
    MakeFile(m_dir.Path(), "a.mp3");
    MakeFile(m_dir.Path(), "b.mp3");
    struct Case { int answer; const char* typed; };
    // Refused by the user, a name that is taken, and typed paths.
    const Case cases[] = {{IDNO, "c"}, {IDYES, "b"}, {IDYES, "..\\c"}, {IDYES, "\\c"}, {IDYES, "sub/c"}};
    for (const Case& c : cases) {
        ShellAnswerer shell(c.answer);
        TreeHost host;
        host.m_tree.m_bAllowRename = TRUE;
        ShowRoot(host, 0);
        HTREEITEM hA = Item(host, "a.mp3");
        ASSERT_TRUE(host.m_tree.RenameItem(hA));
        TypeLabel(host, c.typed);
        EXPECT_EQ(std::string(host.m_tree.GetItemText(hA)), "a") << c.typed;
        EXPECT_STREQ(host.m_tree.ItemToPath(hA), m_dir.File("a.mp3").c_str());
        EXPECT_TRUE(Exists(m_dir.File("a.mp3")));
        EXPECT_TRUE(Exists(m_dir.File("b.mp3")));
        EXPECT_FALSE(Exists(m_dir.File("c.mp3")));
    }
}

TEST_F(FileTreeOps, RenamingIsRefusedWithoutPermissionAndForDrives)
{
    MakeFile(m_dir.Path(), "a.mp3");
    TreeHost host;
    ShowRoot(host);
    HTREEITEM hA = Item(host, "a.mp3");
    EXPECT_FALSE(host.m_tree.RenameItem(hA));
    EXPECT_EQ(TreeView_GetEditControl(host.m_tree.m_hWnd), nullptr);
    host.m_tree.m_bAllowRename = TRUE;
    EXPECT_FALSE(host.m_tree.RenameItem(nullptr));

    TreeHost drives;
    drives.m_tree.m_bAllowRename = TRUE;
    drives.m_tree.AttachSystemImageList();
    drives.m_tree.Expand(drives.m_tree.m_hMyComputerItem, TVE_EXPAND);
    HTREEITEM hDrive = drives.m_tree.PathToItem("C:\\");
    ASSERT_NE(hDrive, nullptr);
    EXPECT_FALSE(drives.m_tree.RenameItem(hDrive));
    EXPECT_FALSE(drives.m_tree.RenameItem(drives.m_tree.m_hNetworkItem));
}

TEST_F(FileTreeOps, DeletingGoesToTheRecycleBinUnlessShiftIsHeld)
{
    std::string keep = MakeFile(m_dir.Path(), "keep.mp3");
    std::string gone = MakeFile(m_dir.Path(), "gone.mp3");
    TreeHost host;
    host.m_tree.m_bAllowDelete = TRUE;
    ShowRoot(host);
    {
        // Without Shift the shell is asked to keep an undo; the user says no.
        ShellAnswerer shell(IDNO);
        EXPECT_FALSE(host.m_tree.DeleteItemFile(Item(host, "keep.mp3")));
        ASSERT_EQ(shell.m_fileOps.size(), 1u);
        EXPECT_EQ(shell.m_fileOps[0].func, static_cast<UINT>(FO_DELETE));
        EXPECT_EQ(shell.m_fileOps[0].from, keep);
        EXPECT_TRUE(shell.m_fileOps[0].flags & FOF_ALLOWUNDO);
        EXPECT_TRUE(Exists(keep));
        EXPECT_NE(Item(host, "keep.mp3"), nullptr);
    }
    {
        ShellAnswerer shell(IDYES);
        HeldKeys shift({VK_SHIFT});
        EXPECT_TRUE(host.m_tree.DeleteItemFile(Item(host, "gone.mp3")));
        ASSERT_EQ(shell.m_fileOps.size(), 1u);
        EXPECT_FALSE(shell.m_fileOps[0].flags & FOF_ALLOWUNDO);
        EXPECT_FALSE(Exists(gone));
        EXPECT_EQ(Item(host, "gone.mp3"), nullptr);
        EXPECT_TRUE(Exists(keep));
    }
}

TEST_F(FileTreeOps, TheMainWindowsPermissionsLeaveOnlyOpen)
{
    std::string file = MakeFile(m_dir.Path(), "song.mp3");
    ShellAnswerer shell(IDYES);
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    tree.m_bAllowRename = tree.m_bAllowProperties = tree.m_bAllowDelete = FALSE;
    tree.SelectItem(Item(host, "song.mp3"));
    host.PressKey(VK_F2);
    EXPECT_EQ(TreeView_GetEditControl(tree.m_hWnd), nullptr);
    {
        HeldKeys alt({VK_MENU});
        host.PressKey(VK_RETURN, true);
    }
    host.PressKey(VK_DELETE);
    EXPECT_TRUE(shell.m_executes.empty());
    EXPECT_TRUE(shell.m_fileOps.empty());
    EXPECT_TRUE(Exists(file));

    host.PressKey(VK_RETURN);
    ASSERT_EQ(shell.m_executes.size(), 1u);
    EXPECT_EQ(shell.m_executes[0].verb, "");
    EXPECT_EQ(shell.m_executes[0].file, file);
    EXPECT_EQ(shell.m_executes[0].show, SW_SHOW);
    EXPECT_TRUE(shell.m_executes[0].mask & SEE_MASK_INVOKEIDLIST);

    // With properties allowed, Alt+Enter asks for the properties sheet.
    tree.m_bAllowProperties = TRUE;
    {
        HeldKeys alt({VK_MENU});
        host.PressKey(VK_RETURN, true);
    }
    ASSERT_EQ(shell.m_executes.size(), 2u);
    EXPECT_EQ(shell.m_executes[1].verb, "properties");
    EXPECT_EQ(shell.m_executes[1].file, file);
    tree.m_bAllowOpen = FALSE;
    EXPECT_FALSE(tree.OpenItem(tree.GetSelectedItem()));
    EXPECT_EQ(shell.m_executes.size(), 2u);
}

TEST_F(FileTreeOps, KeysRenameRefreshAndGoUp)
{
    MakeFolder(m_dir.Path(), "top\\below");
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    tree.m_bAllowRename = TRUE;
    HTREEITEM hBelow = tree.SelectPath(m_dir.File("top\\below").c_str(), FALSE);
    ASSERT_NE(hBelow, nullptr);
    host.PressKey(VK_BACK);
    EXPECT_STREQ(tree.GetSelectedPath(), m_dir.File("top").c_str());
    host.PressKey(VK_F2);
    EXPECT_NE(TreeView_GetEditControl(tree.m_hWnd), nullptr);
    TreeView_EndEditLabelNow(tree.m_hWnd, TRUE);
    MakeFolder(m_dir.Path(), "added");
    host.PressKey(VK_F5);
    EXPECT_NE(Item(host, "added"), nullptr);
    EXPECT_STREQ(tree.GetSelectedPath(), m_dir.File("top").c_str());
}

TEST_F(FileTreeOps, MenuCommandsAreEnabledByTheirRules)
{
    MakeFile(m_dir.Path(), "a.mp3");
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    struct Probe : CCmdUI
    {
        void Enable(BOOL bOn) override { m_enabled = bOn; }
        BOOL m_enabled = -1;
    };
    auto enabled = [&](UINT id) {
        Probe probe;
        probe.m_nID = id;
        EXPECT_TRUE(probe.DoUpdate(&tree)) << id;
        return probe.m_enabled;
    };
    EXPECT_FALSE(enabled(CTreeFileCtrl::ID_TREEFILE_OPEN)) << "nothing selected";
    tree.SelectItem(Item(host, "a.mp3"));
    EXPECT_TRUE(enabled(CTreeFileCtrl::ID_TREEFILE_OPEN));
    EXPECT_TRUE(enabled(CTreeFileCtrl::ID_TREEFILE_PROPERTIES));
    EXPECT_FALSE(enabled(CTreeFileCtrl::ID_TREEFILE_RENAME));
    EXPECT_FALSE(enabled(CTreeFileCtrl::ID_TREEFILE_DELETE));
    EXPECT_FALSE(enabled(CTreeFileCtrl::ID_TREEFILE_UP)) << "a top-level item";
    EXPECT_FALSE(enabled(CTreeFileCtrl::ID_TREEFILE_BACK));
    tree.m_bAllowRename = tree.m_bAllowDelete = TRUE;
    EXPECT_TRUE(enabled(CTreeFileCtrl::ID_TREEFILE_RENAME));
    EXPECT_TRUE(enabled(CTreeFileCtrl::ID_TREEFILE_DELETE));
}

TEST_F(FileTreeOps, HistoryKeepsTheNewestEntriesUpToItsSizePlusOne)
{
    for (int i = 0; i < 25; ++i)
        MakeFolder(m_dir.Path(), "f" + std::to_string(100 + i));
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    std::vector<HTREEITEM> items;
    for (HTREEITEM h = tree.GetRootItem(); h; h = tree.GetNextSiblingItem(h))
        items.push_back(h);
    ASSERT_EQ(items.size(), 25u);
    for (HTREEITEM h : items)
        tree.SelectItem(h);
    EXPECT_EQ(tree.m_BackItems.GetSize(), 21);
    EXPECT_EQ(tree.m_BackItems[20], items[23]);
    EXPECT_EQ(tree.m_BackItems[0], items[3]);

    tree.SetMaxHistory(5);
    EXPECT_EQ(tree.GetMaxHistory(), 5);
    ASSERT_EQ(tree.m_BackItems.GetSize(), 5);
    EXPECT_EQ(tree.m_BackItems[0], items[3]) << "the newest entries go first";
}

TEST_F(FileTreeOps, BackAndForwardMoveThroughTheHistory)
{
    for (const char* name : {"a", "b", "c"})
        MakeFolder(m_dir.Path(), name);
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    EXPECT_FALSE(tree.GoBack()) << "an empty history does nothing";
    EXPECT_FALSE(tree.CanGoForward());
    HTREEITEM hA = Item(host, "a"), hB = Item(host, "b"), hC = Item(host, "c");
    tree.SelectItem(hA);
    tree.SelectItem(hB);
    tree.SelectItem(hC);
    ASSERT_TRUE(tree.GoBack());
    EXPECT_EQ(tree.GetSelectedItem(), hB);
    EXPECT_TRUE(tree.CanGoForward());
    ASSERT_TRUE(tree.GoForward());
    EXPECT_EQ(tree.GetSelectedItem(), hC);
    ASSERT_TRUE(tree.GoBack());
    EXPECT_EQ(tree.GetSelectedItem(), hB);
    {
        HeldKeys alt({VK_MENU});
        host.PressKey(VK_LEFT, true);
    }
    EXPECT_EQ(tree.GetSelectedItem(), hA);
    {
        HeldKeys alt({VK_MENU});
        host.PressKey(VK_RIGHT, true);
    }
    EXPECT_EQ(tree.GetSelectedItem(), hB);
}

TEST_F(FileTreeOps, HistoryEntriesOfItemsThatWentAreSkipped)
{
    MakeFolder(m_dir.Path(), "a\\a1");
    MakeFolder(m_dir.Path(), "b");
    MakeFolder(m_dir.Path(), "c");
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    HTREEITEM hC = Item(host, "c");
    tree.SelectItem(hC);
    HTREEITEM hA1 = tree.SelectPath(m_dir.File("a\\a1").c_str(), FALSE);
    ASSERT_NE(hA1, nullptr);
    tree.SelectItem(Item(host, "b"));
    // Collapsing a discards a1, which the back list holds.
    host.CollapseByUser(Item(host, "a"));
    EXPECT_TRUE(host.ChildTexts(Item(host, "a")).empty());
    for (INT_PTR i = 0; i < tree.m_BackItems.GetSize(); ++i)
        EXPECT_NE(tree.m_BackItems[i], hA1);
    // New items made meanwhile are not mistaken for it.
    tree.Expand(Item(host, "a"), TVE_EXPAND);
    while (tree.GoBack() && tree.GetSelectedItem() != hC) {
    }
    EXPECT_EQ(tree.GetSelectedItem(), hC);
    EXPECT_STREQ(tree.GetSelectedPath(), m_dir.File("c").c_str());
}

TEST_F(FileTreeOps, OnlyFilesCanBeDraggedAndOnlyOntoOtherFolders)
{
    MakeFolder(m_dir.Path(), "src\\sub");
    MakeFolder(m_dir.Path(), "dst");
    MakeFile(m_dir.Path(), "src\\song.mp3");
    TreeHost host;
    host.m_tree.m_bAllowDragDrop = TRUE;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    HTREEITEM hSong = tree.SelectPath(m_dir.File("src\\song.mp3").c_str(), FALSE);
    ASSERT_NE(hSong, nullptr);
    HTREEITEM hSrc = Item(host, "src"), hDst = Item(host, "dst"), hSub = Item(host, "src\\sub");
    EXPECT_TRUE(tree.CanDragItem(hSong));
    EXPECT_FALSE(tree.CanDragItem(hSrc));

    // The drag starts from the tree's notification, only for files.
    auto beginDrag = [&](HTREEITEM hItem) {
        NMTREEVIEWA nm = {};
        nm.hdr.hwndFrom = tree.m_hWnd;
        nm.hdr.idFrom = 100;
        nm.hdr.code = TVN_BEGINDRAGA;
        nm.itemNew.hItem = hItem;
        nm.itemNew.lParam = static_cast<LPARAM>(tree.GetItemData(hItem));
        host.m_frame.SendMessage(WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&nm));
    };
    beginDrag(hSrc);
    EXPECT_EQ(tree.m_hDragItem, nullptr) << "a folder does not drag";
    beginDrag(hSong);
    ASSERT_EQ(tree.m_hDragItem, hSong);
    EXPECT_NE(tree.m_pDragImage, nullptr);
    EXPECT_EQ(tree.CanDropOn(hSrc), nullptr) << "its own folder";
    EXPECT_EQ(tree.CanDropOn(hSong), nullptr);
    EXPECT_EQ(tree.CanDropOn(hSub), hSub);
    EXPECT_EQ(tree.CanDropOn(hDst), hDst);
    // Escape cancels: nothing moves.
    tree.m_hDropTarget = hDst;
    host.PressKey(VK_ESCAPE);
    EXPECT_EQ(tree.m_hDragItem, nullptr);
    EXPECT_EQ(tree.m_pDragImage, nullptr);
    EXPECT_TRUE(Exists(m_dir.File("src\\song.mp3")));
    EXPECT_FALSE(Exists(m_dir.File("dst\\song.mp3")));
}

TEST_F(FileTreeOps, ADropMovesOrWithCtrlCopiesTheFile)
{
    MakeFolder(m_dir.Path(), "src");
    MakeFolder(m_dir.Path(), "dst");
    MakeFile(m_dir.Path(), "src\\one.mp3");
    MakeFile(m_dir.Path(), "src\\two.mp3");
    ShellAnswerer shell(IDYES);
    TreeHost host;
    host.m_tree.m_bAllowDragDrop = TRUE;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    struct Case { const char* name; bool ctrl; };
    for (const Case& c : {Case{"one.mp3", true}, Case{"two.mp3", false}}) {
        HTREEITEM hFile = tree.SelectPath(m_dir.File(std::string("src\\") + c.name).c_str(), FALSE);
        ASSERT_NE(hFile, nullptr) << c.name;
        HTREEITEM hDst = Item(host, "dst");
        tree.m_hDragItem = hFile;
        tree.m_hDropTarget = hDst;
        {
            std::unique_ptr<HeldKeys> ctrl(c.ctrl ? new HeldKeys({VK_CONTROL}) : nullptr);
            tree.EndDrag(FALSE);
        }
        EXPECT_TRUE(Exists(m_dir.File(std::string("dst\\") + c.name))) << c.name;
        EXPECT_EQ(Exists(m_dir.File(std::string("src\\") + c.name)), c.ctrl) << c.name;
        EXPECT_EQ(Item(host, std::string("src\\") + c.name) != nullptr, c.ctrl) << c.name;
        EXPECT_EQ(tree.GetSelectedItem(), Item(host, "dst")) << c.name;
    }
    ASSERT_EQ(shell.m_fileOps.size(), 2u);
    EXPECT_EQ(shell.m_fileOps[0].func, static_cast<UINT>(FO_COPY));
    EXPECT_EQ(shell.m_fileOps[1].func, static_cast<UINT>(FO_MOVE));
    // The target lists the files when it opens; src lost its last file.
    HTREEITEM hDst = Item(host, "dst");
    EXPECT_EQ(host.ChildrenCount(hDst), 1);
    tree.Expand(hDst, TVE_EXPAND);
    EXPECT_EQ(host.ChildTexts(hDst), std::vector<std::string>({"one.mp3", "two.mp3"}));
}

TEST_F(FileTreeOps, HoveringOverAClosedFolderWhileDraggingOpensIt)
{
    MakeFolder(m_dir.Path(), "closed\\inside");
    MakeFile(m_dir.Path(), "song.mp3");
    TreeHost host;
    host.m_tree.m_bAllowDragDrop = TRUE;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    HTREEITEM hClosed = Item(host, "closed");
    tree.m_hDragItem = Item(host, "song.mp3");
    tree.m_hDropTarget = hClosed;
    int ticks = 0;
    while (!host.IsExpanded(hClosed) && ticks < 10) {
        tree.SendMessage(WM_TIMER, 1);
        ++ticks;
    }
    EXPECT_TRUE(host.IsExpanded(hClosed));
    EXPECT_EQ(ticks, 4) << "the fourth tick opens it";
    tree.EndDrag(TRUE);
}

// Marks items compressed or encrypted by name, as if the file system did.
class ColouredTree : public CTreeFileCtrl
{
public:
    BOOL IsCompressed(const CString& sPath) override { return sPath.Find("packed") >= 0; }
    BOOL IsEncrypted(const CString& sPath) override { return sPath.Find("secret") >= 0; }
};

// Pixels of a colour in a part of a window, as the screen shows it.
int CountColour(HWND hWnd, const RECT& rect, COLORREF colour)
{
    drawing_test::DibSurface surface(rect.right - rect.left, rect.bottom - rect.top);
    HDC hWindow = ::GetDC(hWnd);
    ::BitBlt(surface.DC().m_hDC, 0, 0, surface.Width(), surface.Height(), hWindow, rect.left, rect.top, SRCCOPY);
    ::ReleaseDC(hWnd, hWindow);
    std::uint32_t rgb = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    return surface.Count(rgb, 0, 0, surface.Width(), surface.Height());
}

TEST_F(FileTreeOps, CompressedAndEncryptedItemsAreDrawnInTheirColours)
{
    for (const char* name : {"packed", "plain", "secret"})
        MakeFolder(m_dir.Path(), name);
    CWnd frame;
    ui_test::CreateTopLevel(frame, "File tree colours");
    frame.MoveWindow(10, 10, 300, 300);
    ColouredTree tree;
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 280, 250), &frame, 100);
    tree.m_sRootFolder = m_dir.Path().c_str();
    tree.AttachSystemImageList();
    tree.UpdateWindow();
    struct Case { const char* name; COLORREF colour; };
    const Case cases[] = {{"packed", RGB(0, 0, 255)}, {"plain", RGB(0, 0, 0)}, {"secret", RGB(255, 0, 0)}};
    for (const Case& c : cases) {
        HTREEITEM hItem = tree.PathToItem(m_dir.File(c.name).c_str());
        ASSERT_NE(hItem, nullptr);
        CRect rect;
        ASSERT_TRUE(tree.GetItemRect(hItem, &rect, TRUE));
        tree.RedrawWindow();
        EXPECT_GT(CountColour(tree.m_hWnd, rect, c.colour), 10) << c.name;
        for (const Case& other : cases) {
            if (other.colour != c.colour) {
                EXPECT_EQ(CountColour(tree.m_hWnd, rect, other.colour), 0) << c.name << " in " << other.name;
            }
        }
    }
    // Switched off, and while selected, the default colours are kept.
    tree.m_bShowCompressedColour = FALSE;
    HTREEITEM hSecret = tree.PathToItem(m_dir.File("secret").c_str());
    tree.SelectItem(hSecret);
    tree.RedrawWindow();
    CRect packed, secret;
    tree.GetItemRect(tree.PathToItem(m_dir.File("packed").c_str()), &packed, TRUE);
    tree.GetItemRect(hSecret, &secret, TRUE);
    EXPECT_EQ(CountColour(tree.m_hWnd, packed, RGB(0, 0, 255)), 0);
    EXPECT_EQ(CountColour(tree.m_hWnd, secret, RGB(255, 0, 0)), 0);
    frame.DestroyWindow();
}

} // namespace
