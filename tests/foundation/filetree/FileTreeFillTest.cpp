// Filling the tree from real folders: order, filters, expand buttons,
// extension modes, the top-level nodes and the path walks.
#include <gtest/gtest.h>

#include "FileTreeTestSupport.h"
#include "foundation/filetree/TreeFileCtrl.h"
#include "tests/framework/ui/UiTestSupport.h"

#include <commdlg.h>

using filetree_test::MakeFile;
using filetree_test::MakeFolder;
using filetree_test::TreeHost;

namespace {

std::vector<std::string> Strings(std::initializer_list<const char*> texts)
{
    return std::vector<std::string>(texts.begin(), texts.end());
}

using FileTreeFill = filetree_test::FolderTreeTest;

TEST_F(FileTreeFill, FoldersComeFirstThenFilesEachByNameIgnoringCase)
{
    for (const char* folder : {"beta", "Alpha", "gamma"})
        ASSERT_FALSE(MakeFolder(m_dir.Path(), folder).empty());
    for (const char* file : {"b.txt", "C.txt", "a.TXT"})
        ASSERT_FALSE(MakeFile(m_dir.Path(), file).empty());
    TreeHost host;
    ShowRoot(host);
    EXPECT_EQ(host.ChildTexts(TVI_ROOT), Strings({"Alpha", "beta", "gamma", "a.TXT", "b.txt", "C.txt"}));

    host.m_tree.SetShowFiles(FALSE);
    EXPECT_EQ(host.ChildTexts(TVI_ROOT), Strings({"Alpha", "beta", "gamma"}));
}

TEST_F(FileTreeFill, HiddenSystemFoldersAndFilesAreLeftOut)
{
    MakeFolder(m_dir.Path(), "Plain");
    std::string hidden = MakeFolder(m_dir.Path(), "Hidden");
    std::string system = MakeFolder(m_dir.Path(), "System");
    MakeFile(m_dir.Path(), "shown.mp3");
    std::string hiddenFile = MakeFile(m_dir.Path(), "hidden.mp3");
    std::string systemFile = MakeFile(m_dir.Path(), "system.mp3");
    if (!filetree_test::SetAttributes(hidden, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY))
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    ASSERT_TRUE(filetree_test::SetAttributes(system, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_TRUE(filetree_test::SetAttributes(hiddenFile, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(filetree_test::SetAttributes(systemFile, FILE_ATTRIBUTE_SYSTEM));
    TreeHost host;
    ShowRoot(host);
    EXPECT_EQ(host.ChildTexts(TVI_ROOT), Strings({"Plain", "shown.mp3"}));

    // The masks decide: with none, everything is listed.
    host.m_tree.m_dwFileHideAttributes = 0;
    host.m_tree.m_dwFolderHideAttributes = 0;
    host.m_tree.Refresh();
    EXPECT_EQ(host.ChildTexts(TVI_ROOT),
              Strings({"Hidden", "Plain", "System", "hidden.mp3", "shown.mp3", "system.mp3"}));
}

TEST_F(FileTreeFill, ExpandButtonsShowOnlyWhereTheFiltersWouldListSomething)
{
    MakeFolder(m_dir.Path(), "empty");
    MakeFolder(m_dir.Path(), "withsub\\inner");
    MakeFolder(m_dir.Path(), "withfile");
    MakeFile(m_dir.Path(), "withfile\\song.mp3");
    MakeFolder(m_dir.Path(), "onlyhidden");
    std::string hiddenFile = MakeFile(m_dir.Path(), "onlyhidden\\secret.mp3");
    bool hiddenKept = filetree_test::SetAttributes(hiddenFile, FILE_ATTRIBUTE_HIDDEN);
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    struct Case { const char* name; int withFiles; int foldersOnly; };
    const Case cases[] = {
        {"empty", 0, 0},
        {"withsub", 1, 1},
        {"withfile", 1, 0},
        {"onlyhidden", 0, 0},
    };
    for (const Case& c : cases) {
        if (!hiddenKept && std::string(c.name) == "onlyhidden")
            continue;
        HTREEITEM hItem = tree.PathToItem((m_dir.Path() + "\\" + c.name).c_str());
        ASSERT_NE(hItem, nullptr) << c.name;
        EXPECT_EQ(host.ChildrenCount(hItem), c.withFiles) << c.name;
    }
    tree.SetShowFiles(FALSE);
    for (const Case& c : cases) {
        if (!hiddenKept && std::string(c.name) == "onlyhidden")
            continue;
        HTREEITEM hItem = tree.PathToItem((m_dir.Path() + "\\" + c.name).c_str());
        ASSERT_NE(hItem, nullptr) << c.name;
        EXPECT_EQ(host.ChildrenCount(hItem), c.foldersOnly) << c.name << " (folders only)";
    }
}

TEST_F(FileTreeFill, ExtensionModesGiveTheItemText)
{
    MakeFile(m_dir.Path(), "Song.mp3");
    char title[MAX_PATH] = {};
    ASSERT_EQ(::GetFileTitleA("Song.mp3", title, MAX_PATH), 0);
    struct Case { int mode; std::string text; BOOL hidden; };
    const Case cases[] = {
        {0, "Song", TRUE},
        {1, "Song.mp3", FALSE},
        {2, title, std::string(title) != "Song.mp3"},
    };
    for (const Case& c : cases) {
        TreeHost host;
        ShowRoot(host, c.mode);
        HTREEITEM hItem = host.m_tree.GetRootItem();
        ASSERT_NE(hItem, nullptr);
        EXPECT_EQ(std::string(host.m_tree.GetItemText(hItem)), c.text) << "mode " << c.mode;
        CTreeFileCtrlItem* pRecord = host.m_tree.GetItemRecord(hItem);
        ASSERT_NE(pRecord, nullptr);
        EXPECT_EQ(pRecord->m_bExtensionHidden, c.hidden) << "mode " << c.mode;
        EXPECT_STREQ(pRecord->m_sName, "Song.mp3");
        EXPECT_TRUE(pRecord->m_bFile);
    }
}

TEST_F(FileTreeFill, SelectPathWalksDownFromMyComputerIgnoringCaseAndTrailingBackslash)
{
    std::string rock = MakeFolder(m_dir.Path(), "Music\\Rock");
    MakeFile(m_dir.Path(), "Music\\Rock\\track.mp3");
    TreeHost host;
    CTreeFileCtrl& tree = host.m_tree;
    tree.AttachSystemImageList();
    ASSERT_NE(tree.m_hMyComputerItem, nullptr);

    // Nothing below My Computer is listed yet: the path has no item.
    EXPECT_EQ(tree.PathToItem(rock.c_str()), nullptr);

    CString lower = (m_dir.Path() + "\\music\\rock\\").c_str();
    lower.MakeLower();
    HTREEITEM hRock = tree.SelectPath(lower, FALSE);
    ASSERT_NE(hRock, nullptr);
    EXPECT_EQ(tree.GetSelectedItem(), hRock);
    EXPECT_STREQ(tree.GetSelectedPath(), rock.c_str());
    EXPECT_EQ(std::string(tree.GetItemText(hRock)), "Rock");
    EXPECT_FALSE(host.IsExpanded(hRock));
    EXPECT_EQ(tree.PathToItem(rock.c_str()), hRock);
    // The drive item is named by its root and found by it.
    HTREEITEM hDrive = tree.PathToItem(rock.substr(0, 3).c_str());
    ASSERT_NE(hDrive, nullptr);
    EXPECT_EQ(tree.GetParentItem(hDrive), tree.m_hMyComputerItem);

    // With the flag the item is expanded too; a missing component gives null.
    EXPECT_EQ(tree.SelectPath(rock.c_str(), TRUE), hRock);
    EXPECT_TRUE(host.IsExpanded(hRock));
    EXPECT_EQ(host.ChildTexts(hRock), Strings({"track.mp3"}));
    EXPECT_EQ(tree.SelectPath((rock + "\\Nowhere").c_str(), FALSE), nullptr);
    EXPECT_EQ(tree.SelectPath("", FALSE), nullptr);
}

TEST_F(FileTreeFill, WithARootFolderOnlyPathsInsideItCanBeSelected)
{
    std::string inside = MakeFolder(m_dir.Path(), "in\\deeper");
    tavrix_test::TempDir other;
    std::string outside = MakeFolder(other.Path(), "out");
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    EXPECT_EQ(tree.m_hMyComputerItem, nullptr);
    HTREEITEM hDeeper = tree.SelectPath(inside.c_str(), FALSE);
    ASSERT_NE(hDeeper, nullptr);
    EXPECT_STREQ(tree.GetSelectedPath(), inside.c_str());
    EXPECT_EQ(tree.SelectPath(outside.c_str(), FALSE), nullptr);
    EXPECT_EQ(tree.SelectPath((m_dir.Path() + "x\\in").c_str(), FALSE), nullptr) << "a sibling with a longer name";
    EXPECT_EQ(tree.GetSelectedItem(), hDeeper) << "a failed walk leaves the selection";
    EXPECT_EQ(tree.PathToItem(m_dir.Path().c_str()), nullptr) << "no root folder item shown";
}

TEST_F(FileTreeFill, TheRootFolderItemHoldsTheListing)
{
    MakeFolder(m_dir.Path(), "one");
    TreeHost host;
    host.m_tree.m_bShowRootFolderItem = TRUE;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    ASSERT_NE(tree.m_hRootFolderItem, nullptr);
    EXPECT_EQ(tree.GetRootItem(), tree.m_hRootFolderItem);
    EXPECT_EQ(host.ChildTexts(tree.m_hRootFolderItem), Strings({"one"}));
    EXPECT_EQ(tree.PathToItem(m_dir.Path().c_str()), tree.m_hRootFolderItem);
    HTREEITEM hOne = tree.SelectPath((m_dir.Path() + "\\ONE").c_str(), FALSE);
    ASSERT_NE(hOne, nullptr);
    EXPECT_EQ(tree.GetParentItem(hOne), tree.m_hRootFolderItem);
}

TEST_F(FileTreeFill, RefreshSelectsThePathAgainAndItsExpandedState)
{
    std::string a = MakeFolder(m_dir.Path(), "a\\b");
    MakeFolder(m_dir.Path(), "a\\b\\c");
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    ASSERT_NE(tree.SelectPath(a.c_str(), TRUE), nullptr);
    MakeFolder(m_dir.Path(), "a\\b\\d");
    tree.Refresh();
    HTREEITEM hB = tree.GetSelectedItem();
    ASSERT_NE(hB, nullptr);
    EXPECT_STREQ(tree.GetSelectedPath(), a.c_str());
    EXPECT_TRUE(host.IsExpanded(hB));
    EXPECT_EQ(host.ChildTexts(hB), Strings({"c", "d"}));
    EXPECT_EQ(tree.m_BackItems.GetSize(), 0) << "a rebuild is no move of the user's";

    // A path that has gone is not selected again.
    ASSERT_NE(tree.SelectPath((a + "\\d").c_str(), FALSE), nullptr);
    ASSERT_TRUE(::RemoveDirectoryA((a + "\\d").c_str()));
    tree.Refresh();
    EXPECT_NE(tree.GetSelectedPath(), CString((a + "\\d").c_str()));
}

TEST_F(FileTreeFill, TopLevelNodesFollowTheirSettings)
{
    TreeHost host;
    CTreeFileCtrl& tree = host.m_tree;
    tree.AttachSystemImageList();
    ASSERT_NE(tree.m_hRoot, TVI_ROOT) << "the Desktop node";
    EXPECT_EQ(tree.GetRootItem(), tree.m_hRoot);
    EXPECT_EQ(tree.GetNextSiblingItem(tree.m_hRoot), nullptr);
    ASSERT_NE(tree.m_hMyDocumentsItem, nullptr);
    ASSERT_NE(tree.m_hMyComputerItem, nullptr);
    ASSERT_NE(tree.m_hNetworkItem, nullptr);
    EXPECT_EQ(tree.GetChildItem(tree.m_hRoot), tree.m_hMyDocumentsItem);
    EXPECT_EQ(tree.GetNextSiblingItem(tree.m_hMyDocumentsItem), tree.m_hMyComputerItem);
    EXPECT_EQ(tree.GetNextSiblingItem(tree.m_hMyComputerItem), tree.m_hNetworkItem);
    EXPECT_FALSE(tree.m_sMyDocumentsPath.IsEmpty());
    EXPECT_STREQ(tree.ItemToPath(tree.m_hMyDocumentsItem), tree.m_sMyDocumentsPath);
    EXPECT_TRUE(tree.GetItemRecord(tree.m_hNetworkItem)->m_bNetwork);
    EXPECT_TRUE(tree.ItemToPath(tree.m_hMyComputerItem).IsEmpty());
    EXPECT_NE(tree.m_sMyDocumentsPath.Right(1), "\\");
    EXPECT_EQ(tree.SelectPath(tree.m_sMyDocumentsPath, FALSE), tree.m_hMyDocumentsItem);
    EXPECT_EQ(tree.SelectPath(tree.m_sMyDocumentsPath + "\\", FALSE), tree.m_hMyDocumentsItem);

    // The main window's set-up: no desktop root, no My Documents, no network.
    tree.SetShowDesktopRoot(FALSE);
    tree.SetShowMyDocuments(FALSE);
    tree.SetShowNetwork(FALSE);
    EXPECT_EQ(tree.m_hRoot, TVI_ROOT);
    EXPECT_EQ(tree.m_hMyDocumentsItem, nullptr);
    EXPECT_EQ(tree.m_hNetworkItem, nullptr);
    EXPECT_EQ(tree.GetRootItem(), tree.m_hMyComputerItem);
    EXPECT_EQ(tree.GetNextSiblingItem(tree.m_hMyComputerItem), nullptr);

    // Without My Computer the drives are top-level nodes.
    tree.m_bShowMyComputer = FALSE;
    tree.Refresh();
    EXPECT_EQ(tree.m_hMyComputerItem, nullptr);
    HTREEITEM hFirst = tree.GetRootItem();
    ASSERT_NE(hFirst, nullptr);
    EXPECT_TRUE(tree.IsDriveRootItem(hFirst));
    HTREEITEM hDeep = tree.SelectPath(m_dir.Path().c_str(), FALSE);
    ASSERT_NE(hDeep, nullptr);
    EXPECT_STREQ(tree.GetSelectedPath(), m_dir.Path().c_str());
}

TEST_F(FileTreeFill, HiddenDriveTypesGetNoNode)
{
    CString systemDrive = CString(m_dir.Path().substr(0, 3).c_str());
    ASSERT_EQ(::GetDriveTypeA(systemDrive), static_cast<UINT>(DRIVE_FIXED));
    struct Case { DWORD mask; bool shown; };
    const Case cases[] = {{0, true}, {0x08, true}, {0x10, true}, {0x02, false}};
    for (const Case& c : cases) {
        TreeHost host;
        host.m_tree.m_dwHiddenDriveTypes = c.mask;
        host.m_tree.AttachSystemImageList();
        host.m_tree.Expand(host.m_tree.m_hMyComputerItem, TVE_EXPAND);
        EXPECT_EQ(host.m_tree.PathToItem(systemDrive) != nullptr, c.shown) << "mask " << c.mask;
    }
}

TEST_F(FileTreeFill, ItemTestsOnRealPaths)
{
    std::string folder = MakeFolder(m_dir.Path(), "f");
    std::string file = MakeFile(m_dir.Path(), "f\\x.mp3");
    TreeHost host;
    CTreeFileCtrl& tree = host.m_tree;
    struct Case { std::string path; BOOL isFile, isFolder, isRoot; };
    const Case cases[] = {
        {file, TRUE, FALSE, FALSE},
        {folder, FALSE, TRUE, FALSE},
        {"C:\\", FALSE, TRUE, TRUE},
        {"C:", FALSE, TRUE, FALSE},
        {m_dir.Path() + "\\missing", FALSE, FALSE, FALSE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tree.IsFile(c.path.c_str()), c.isFile) << c.path;
        EXPECT_EQ(tree.IsFolder(c.path.c_str()), c.isFolder) << c.path;
        EXPECT_EQ(tree.IsDriveRoot(c.path.c_str()), c.isRoot) << c.path;
        EXPECT_FALSE(tree.IsCompressed(c.path.c_str())) << c.path;
        EXPECT_FALSE(tree.IsEncrypted(c.path.c_str())) << c.path;
    }
    EXPECT_TRUE(tree.IsMediaPresent("C:\\"));
    EXPECT_TRUE(tree.CanMonitorDrive(folder.c_str()));
}

TEST_F(FileTreeFill, RecordsAreFreedWhenTheirItemsGo)
{
    for (int i = 0; i < 5; ++i)
        MakeFolder(m_dir.Path(), "sub" + std::to_string(i) + "\\inner");
    long before = CTreeFileCtrlItem::LiveCount();
    {
        TreeHost host;
        ShowRoot(host);
        CTreeFileCtrl& tree = host.m_tree;
        EXPECT_EQ(CTreeFileCtrlItem::LiveCount() - before, 5);
        HTREEITEM hSub = tree.GetRootItem();
        tree.Expand(hSub, TVE_EXPAND);
        EXPECT_EQ(CTreeFileCtrlItem::LiveCount() - before, 6);
        host.CollapseByUser(hSub);
        EXPECT_FALSE(host.IsExpanded(hSub));
        EXPECT_EQ(CTreeFileCtrlItem::LiveCount() - before, 5) << "a collapse drops the children";
        EXPECT_EQ(host.ChildrenCount(hSub), 1);
        tree.Refresh();
        EXPECT_EQ(CTreeFileCtrlItem::LiveCount() - before, 5) << "a rebuild frees the old records";
    }
    EXPECT_EQ(CTreeFileCtrlItem::LiveCount(), before) << "closing the window frees them all";
}

TEST_F(FileTreeFill, CollapsingAndExpandingAgainListsTheCurrentContents)
{
    std::string folder = MakeFolder(m_dir.Path(), "box");
    MakeFile(m_dir.Path(), "box\\one.mp3");
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    HTREEITEM hBox = tree.GetRootItem();
    tree.Expand(hBox, TVE_EXPAND);
    EXPECT_EQ(host.ChildTexts(hBox), Strings({"one.mp3"}));
    MakeFile(m_dir.Path(), "box\\two.mp3");
    host.CollapseByUser(hBox);
    EXPECT_TRUE(host.ChildTexts(hBox).empty());
    tree.Expand(hBox, TVE_EXPAND);
    EXPECT_EQ(host.ChildTexts(hBox), Strings({"one.mp3", "two.mp3"}));
}

TEST_F(FileTreeFill, AFolderThatVanishedGoesWhenExpandedOrSelected)
{
    std::string gone = MakeFolder(m_dir.Path(), "gone\\inner");
    std::string alsoGone = MakeFolder(m_dir.Path(), "alsogone");
    MakeFolder(m_dir.Path(), "stays");
    TreeHost host;
    ShowRoot(host);
    CTreeFileCtrl& tree = host.m_tree;
    HTREEITEM hGone = tree.PathToItem((m_dir.Path() + "\\gone").c_str());
    HTREEITEM hAlso = tree.PathToItem(alsoGone.c_str());
    ASSERT_NE(hGone, nullptr);
    ASSERT_NE(hAlso, nullptr);
    ASSERT_TRUE(::RemoveDirectoryA(gone.c_str()));
    ASSERT_TRUE(::RemoveDirectoryA((m_dir.Path() + "\\gone").c_str()));
    ASSERT_TRUE(::RemoveDirectoryA(alsoGone.c_str()));
    tree.Expand(hGone, TVE_EXPAND);
    EXPECT_EQ(host.ChildTexts(TVI_ROOT), Strings({"alsogone", "stays"}));
    tree.SelectItem(hAlso);
    EXPECT_EQ(host.ChildTexts(TVI_ROOT), Strings({"stays"}));
}

TEST_F(FileTreeFill, TheNetworkNodeListsWhatTheSystemReports)
{
    TreeHost host;
    CTreeFileCtrl& tree = host.m_tree;
    tree.AttachSystemImageList();
    ASSERT_NE(tree.m_hNetworkItem, nullptr);
    long before = CTreeFileCtrlItem::LiveCount();
    tree.Expand(tree.m_hNetworkItem, TVE_EXPAND);
    // Each listed resource is a network record with a copy of its resource.
    int listed = 0;
    for (HTREEITEM h = tree.GetChildItem(tree.m_hNetworkItem); h; h = tree.GetNextSiblingItem(h)) {
        CTreeFileCtrlItem* pRecord = tree.GetItemRecord(h);
        ASSERT_NE(pRecord, nullptr);
        EXPECT_TRUE(pRecord->m_bNetwork);
        EXPECT_NE(pRecord->m_pNetResource, nullptr);
        ++listed;
    }
    EXPECT_EQ(CTreeFileCtrlItem::LiveCount() - before, listed);
    host.CollapseByUser(tree.m_hNetworkItem);
    EXPECT_EQ(CTreeFileCtrlItem::LiveCount(), before);
}

TEST(FileTreeRecord, CopiesOwnTheirNetworkResource)
{
    char local[] = "X:", remote[] = "\\\\SERVER\\SHARE", comment[] = "music", provider[] = "net";
    NETRESOURCEA resource = {};
    resource.dwDisplayType = RESOURCEDISPLAYTYPE_SHARE;
    resource.lpLocalName = local;
    resource.lpRemoteName = remote;
    resource.lpComment = comment;
    resource.lpProvider = provider;
    CTreeFileCtrlItem a;
    a.m_sPath = remote;
    a.SetNetResource(&resource);
    CTreeFileCtrlItem b(a);
    remote[2] = 'Z';
    ASSERT_NE(b.m_pNetResource, nullptr);
    EXPECT_NE(b.m_pNetResource, a.m_pNetResource);
    EXPECT_STREQ(b.m_pNetResource->lpRemoteName, "\\\\SERVER\\SHARE");
    EXPECT_NE(b.m_pNetResource->lpRemoteName, a.m_pNetResource->lpRemoteName);
    EXPECT_STREQ(b.m_pNetResource->lpProvider, "net");
    EXPECT_EQ(b.m_pNetResource->dwDisplayType, static_cast<DWORD>(RESOURCEDISPLAYTYPE_SHARE));
    CTreeFileCtrlItem c;
    c = b;
    EXPECT_STREQ(c.m_pNetResource->lpComment, "music");
    EXPECT_STREQ(c.m_sPath, "\\\\SERVER\\SHARE");
}

TEST(FileTreeClass, IsCreatableByItsRunTimeClass)
{
    const CRuntimeClass* cls = RUNTIME_CLASS(CTreeFileCtrl);
    EXPECT_STREQ(cls->m_lpszClassName, "CTreeFileCtrl");
    std::unique_ptr<CObject> object(cls->CreateObject());
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CTreeCtrl)));
    CTreeFileCtrl* pTree = static_cast<CTreeFileCtrl*>(object.get());
    EXPECT_EQ(pTree->m_nMaxHistory, 20);
    EXPECT_EQ(pTree->m_dwFileHideAttributes, 0x1106u);
    EXPECT_EQ(pTree->m_dwFolderHideAttributes, 0x1106u);
    EXPECT_STREQ(pTree->m_sFileFilter, "*.*");
    EXPECT_EQ(pTree->m_crCompressed, RGB(0, 0, 255));
    EXPECT_EQ(pTree->m_crEncrypted, RGB(255, 0, 0));
    EXPECT_EQ(pTree->m_nExtensionMode, 2);
    EXPECT_TRUE(pTree->m_bShowFiles && pTree->m_bShowMyComputer && pTree->m_bShowDesktopRoot &&
                pTree->m_bShowMyDocuments && pTree->m_bShowNetwork && pTree->m_bAllowOpen &&
                pTree->m_bAllowProperties && pTree->m_bShowDriveLabels);
    EXPECT_FALSE(pTree->m_bAllowRename || pTree->m_bAllowDelete || pTree->m_bAllowDragDrop ||
                 pTree->m_bMonitorChanges || pTree->m_bShowRootFolderItem);
    EXPECT_EQ(pTree->m_hRoot, TVI_ROOT);
}

} // namespace
