// Folder-change watches on real folders: a new folder appears with the
// selection kept, unwatched changes end the watch, stopped watches stay
// silent, and closing the window with watches running ends them all.
#include <gtest/gtest.h>

#include "FileTreeTestSupport.h"
#include "foundation/filetree/TreeFileCtrl.h"
#include "tests/framework/ui/UiTestSupport.h"

using filetree_test::MakeFolder;
using filetree_test::TreeHost;

namespace {

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class FileTreeMonitor : public filetree_test::FolderTreeTest
{
protected:
    void ShowWatched(TreeHost& host, BOOL bMonitor)
    {
        host.m_tree.m_bMonitorChanges = bMonitor;
        ShowRoot(host);
    }
};

TEST_F(FileTreeMonitor, ANewFolderAppearsAndTheSelectionStays)
{
    MakeFolder(m_dir.Path(), "keep\\inner");
    TreeHost host;
    ShowWatched(host, TRUE);
    CTreeFileCtrl& tree = host.m_tree;
    ASSERT_EQ(tree.m_Monitors.GetSize(), 1) << "a refresh watches the root folder";
    EXPECT_STREQ(tree.m_Monitors[0]->m_sFolder, (m_dir.Path() + "\\").c_str());
    ASSERT_NE(tree.SelectPath(m_dir.File("keep").c_str(), TRUE), nullptr);

    ASSERT_FALSE(MakeFolder(m_dir.Path(), "fresh").empty());
    EXPECT_TRUE(ui_test::PumpUntil([&] { return Contains(host.ChildTexts(TVI_ROOT), "fresh"); }, 10000))
        << "the new folder was not listed";
    EXPECT_STREQ(tree.GetSelectedPath(), m_dir.File("keep").c_str());
    EXPECT_TRUE(host.IsExpanded(tree.GetSelectedItem()));
    EXPECT_EQ(tree.m_Monitors.GetSize(), 1) << "the watch goes on";
}

TEST_F(FileTreeMonitor, WithMonitoringOffAChangeEndsTheWatchAndLeavesTheTree)
{
    MakeFolder(m_dir.Path(), "old");
    TreeHost host;
    ShowWatched(host, FALSE);
    CTreeFileCtrl& tree = host.m_tree;
    ASSERT_EQ(tree.m_Monitors.GetSize(), 1) << "the root folder is watched whatever the setting";
    MakeFolder(m_dir.Path(), "new");
    EXPECT_TRUE(ui_test::PumpUntil([&] { return tree.m_Monitors.GetSize() == 0; }, 10000))
        << "the watch did not end";
    EXPECT_EQ(host.ChildTexts(TVI_ROOT), std::vector<std::string>({"old"}));
}

TEST_F(FileTreeMonitor, StoppingAWatchStopsOnlyThatOneAndItsLateNotificationsAreIgnored)
{
    std::string a = MakeFolder(m_dir.Path(), "a");
    std::string b = MakeFolder(m_dir.Path(), "b");
    TreeHost host;
    ShowWatched(host, TRUE);
    CTreeFileCtrl& tree = host.m_tree;
    tree.StopAllMonitors();
    tree.StartMonitor(a.c_str());
    tree.StartMonitor(b.c_str());
    ASSERT_EQ(tree.m_Monitors.GetSize(), 2);
    UINT_PTR stoppedId = tree.m_Monitors[0]->m_nId;
    EXPECT_EQ(tree.StopMonitor(CString(a.c_str()).MakeUpper()), 1);
    EXPECT_EQ(tree.StopMonitor(m_dir.File("nothing").c_str()), 1);
    ASSERT_EQ(tree.m_Monitors.GetSize(), 1);
    EXPECT_STREQ(tree.m_Monitors[0]->m_sFolder, (b + "\\").c_str());
    EXPECT_NE(tree.m_Monitors[0]->m_nId, stoppedId);

    // A notification of the stopped watch (or of none) changes nothing.
    MakeFolder(m_dir.Path(), "unseen");
    long records = CTreeFileCtrlItem::LiveCount();
    tree.SendMessage(CTreeFileCtrl::WM_TREEFILE_CHANGED, stoppedId);
    tree.SendMessage(CTreeFileCtrl::WM_TREEFILE_CHANGED, stoppedId + 1000);
    EXPECT_FALSE(Contains(host.ChildTexts(TVI_ROOT), "unseen"));
    EXPECT_EQ(CTreeFileCtrlItem::LiveCount(), records);
    EXPECT_EQ(tree.m_Monitors.GetSize(), 1);
}

TEST_F(FileTreeMonitor, WatchesStayWithinOneWaitAndCloseWithTheWindow)
{
    std::vector<std::string> folders;
    for (int i = 0; i < CTreeFileCtrl::kMaxMonitors + 6; ++i)
        folders.push_back(MakeFolder(m_dir.Path(), "w" + std::to_string(i)));
    auto host = std::make_unique<TreeHost>();
    CTreeFileCtrl& tree = host->m_tree;
    for (const std::string& folder : folders)
        tree.StartMonitor(folder.c_str());
    EXPECT_EQ(tree.m_Monitors.GetSize(), CTreeFileCtrl::kMaxMonitors);
    // Changes under way while the window closes.
    for (int i = 0; i < 8; ++i)
        MakeFolder(folders[static_cast<size_t>(i)], "busy");
    host->m_frame.DestroyWindow();
    EXPECT_EQ(tree.m_Monitors.GetSize(), 0);
    ui_test::PumpPending();
    host.reset();
}

} // namespace
