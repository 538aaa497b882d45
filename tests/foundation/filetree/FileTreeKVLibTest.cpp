// KVLib's build of the file tree: no desktop root or My Documents, hidden
// and system folders listed, My Computer switched by its own setter.
#include <gtest/gtest.h>

#include "FileTreeTestSupport.h"
#include "foundation/filetree/TreeFileCtrl.h"

using filetree_test::MakeFile;
using filetree_test::MakeFolder;
using filetree_test::TreeHost;

namespace {

TEST(KVLibFileTree, HiddenAndSystemFoldersAreListedButNotSuchFiles)
{
    tavrix_test::TempDir dir;
    MakeFolder(dir.Path(), "Plain");
    std::string hidden = MakeFolder(dir.Path(), "Hidden");
    std::string system = MakeFolder(dir.Path(), "System");
    MakeFile(dir.Path(), "shown.mp3");
    std::string hiddenFile = MakeFile(dir.Path(), "hidden.mp3");
    if (!filetree_test::SetAttributes(hidden, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY))
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    ASSERT_TRUE(filetree_test::SetAttributes(system, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_TRUE(filetree_test::SetAttributes(hiddenFile, FILE_ATTRIBUTE_HIDDEN));
    TreeHost host;
    host.m_tree.m_sRootFolder = dir.Path().c_str();
    host.m_tree.m_nExtensionMode = 1;
    host.m_tree.AttachSystemImageList();
    EXPECT_EQ(host.ChildTexts(TVI_ROOT), std::vector<std::string>({"Hidden", "Plain", "System", "shown.mp3"}));
}

TEST(KVLibFileTree, TopLevelIsMyComputerAndTheNetworkOrTheDrives)
{
    tavrix_test::TempDir dir;
    std::string deep = MakeFolder(dir.Path(), "x\\y");
    TreeHost host;
    CTreeFileCtrl& tree = host.m_tree;
    tree.AttachSystemImageList();
    ASSERT_NE(tree.m_hMyComputerItem, nullptr);
    ASSERT_NE(tree.m_hNetworkItem, nullptr);
    EXPECT_EQ(tree.GetRootItem(), tree.m_hMyComputerItem);
    EXPECT_EQ(tree.GetNextSiblingItem(tree.m_hMyComputerItem), tree.m_hNetworkItem);
    EXPECT_EQ(tree.GetNextSiblingItem(tree.m_hNetworkItem), nullptr);
    HTREEITEM hDeep = tree.SelectPath(deep.c_str(), FALSE);
    ASSERT_NE(hDeep, nullptr);
    EXPECT_STREQ(tree.GetSelectedPath(), deep.c_str());

    // The add-music wizard's step 2: no files, drives at the top.
    tree.SetShowFiles(FALSE);
    tree.SetShowMyComputer(FALSE);
    EXPECT_EQ(tree.m_hMyComputerItem, nullptr);
    EXPECT_TRUE(tree.IsDriveRootItem(tree.GetRootItem()));
    EXPECT_STREQ(tree.GetSelectedPath(), deep.c_str()) << "the refresh selects it again";
}

} // namespace
