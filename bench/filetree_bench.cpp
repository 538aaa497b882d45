// The folder tree: expands a folder of 10,000 files and walks SelectPath
// from My Computer to a file six folders below the benchmark's folder.
// Beside the expansion it times, on the same files, the shell's look-ups
// that each file item needs (its system icon and its title) and bare
// TVM_INSERTITEM calls with the sort, so the tree view's and the shell's
// costs can be told from the control's own.
// With "--show MS" it instead shows a tree with a few folders and files for
// MS milliseconds (for a screenshot).
#include "BenchClock.h"
#include "foundation/filetree/TreeFileCtrl.h"
#include "framework/ui/AfxWin.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using bench::Now;

bool WriteSmallFile(const std::string& path)
{
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    ::WriteFile(h, "x", 1, &written, nullptr);
    ::CloseHandle(h);
    return true;
}

void RemoveTree(const std::string& path)
{
    std::string from = path;
    from.push_back('\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&op);
}

// Times the shell's icon look-ups that the control makes.
class TimedTree : public CTreeFileCtrl
{
public:
    int GetPathIcon(const CString& sPath) override
    {
        double t0 = Now();
        int icon = CTreeFileCtrl::GetPathIcon(sPath);
        m_iconTime += Now() - t0;
        return icon;
    }
    int GetPathSelectedIcon(const CString& sPath) override
    {
        double t0 = Now();
        int icon = CTreeFileCtrl::GetPathSelectedIcon(sPath);
        m_iconTime += Now() - t0;
        return icon;
    }
    double m_iconTime = 0;
};

struct Host
{
    CWnd frame;
    TimedTree tree;

    explicit Host(const char* title)
    {
        frame.CreateEx(0, nullptr, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 420, 600, nullptr, nullptr);
        CRect client;
        frame.GetClientRect(&client);
        tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                    client, &frame, 100);
    }
    ~Host() { frame.DestroyWindow(); }
};

int Show(int ms)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + "tavrix-tree-show";
    ::SHCreateDirectoryExA(nullptr, (base + "\\Music\\Rock\\Classics").c_str(), nullptr);
    ::SHCreateDirectoryExA(nullptr, (base + "\\Music\\Jazz").c_str(), nullptr);
    ::SHCreateDirectoryExA(nullptr, (base + "\\Music\\house").c_str(), nullptr);
    for (const char* name : {"Rock\\song one.mp3", "Rock\\Another song.mp3", "Rock\\mix.wav", "intro.mp3"})
        WriteSmallFile(base + "\\Music\\" + name);
    {
        Host host("File tree");
        host.tree.m_bShowDesktopRoot = FALSE;
        host.tree.AttachSystemImageList();
        host.tree.SelectPath((base + "\\Music\\Rock").c_str(), TRUE);
        DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
        MSG msg;
        while (static_cast<int>(end - ::GetTickCount()) > 0) {
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            ::Sleep(10);
        }
    }
    RemoveTree(base);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    ::CoInitialize(nullptr);
    InitCommonControls();
    if (argc >= 3 && std::strcmp(argv[1], "--show") == 0)
        return Show(std::atoi(argv[2]));

    const int kFiles = 10000;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + "tavrix-tree-bench-" + std::to_string(::GetCurrentProcessId());
    std::string big = base + "\\big";
    ::SHCreateDirectoryExA(nullptr, big.c_str(), nullptr);
    for (int i = 0; i < kFiles; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "\\Track %05d.mp3", (i * 7919) % kFiles);
        if (!WriteSmallFile(big + name)) {
            std::printf("cannot write the benchmark's files\n");
            return 1;
        }
    }
    std::string deep = base + "\\l1\\l2\\l3\\l4\\l5\\l6";
    ::SHCreateDirectoryExA(nullptr, deep.c_str(), nullptr);
    std::string deepFile = deep + "\\target.mp3";
    WriteSmallFile(deepFile);
    for (int i = 0; i < 50; ++i) {
        ::SHCreateDirectoryExA(nullptr, (base + "\\l1\\l2\\side" + std::to_string(i)).c_str(), nullptr);
        WriteSmallFile(base + "\\l1\\l2\\l3\\file" + std::to_string(i) + ".mp3");
    }

    std::printf("Folder tree, %d files in one folder\n", kFiles);
    double expandTime = 0, walkTime = 0, iconTime = 0;
    int listed = 0;
    {
        Host host("File tree benchmark");
        TimedTree& tree = host.tree;
        tree.m_sRootFolder = base.c_str();
        tree.AttachSystemImageList();
        HTREEITEM hBig = tree.PathToItem(big.c_str());
        tree.m_iconTime = 0;
        double t0 = Now();
        tree.Expand(hBig, TVE_EXPAND);
        expandTime = Now() - t0;
        iconTime = tree.m_iconTime;
        for (HTREEITEM h = tree.GetChildItem(hBig); h; h = tree.GetNextSiblingItem(h))
            ++listed;
    }
    // The shell's title of each file (the icons were timed in the expansion).
    double titleTime = 0;
    {
        double t0 = Now();
        for (int i = 0; i < kFiles; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "Track %05d.mp3", i);
            char title[MAX_PATH];
            ::GetFileTitleA(name, title, MAX_PATH);
        }
        titleTime = Now() - t0;
    }
    double shellTime = iconTime + titleTime;
    // The tree view's own inserts and sort of as many items, drawing off.
    double insertTime = 0;
    {
        Host host("Bare tree");
        host.tree.SetRedraw(FALSE);
        double t0 = Now();
        TVINSERTSTRUCTA tvis = {};
        tvis.hParent = TVI_ROOT;
        tvis.hInsertAfter = TVI_LAST;
        tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
        for (int i = 0; i < kFiles; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "Track %05d.mp3", (i * 7919) % kFiles);
            tvis.item.pszText = name;
            tvis.item.lParam = i;
            host.tree.InsertItem(&tvis);
        }
        insertTime = Now() - t0;
        host.tree.SetRedraw(TRUE);
    }
    // The walk from My Computer, each level listed on the way.
    HTREEITEM hTarget = nullptr;
    {
        Host host("File tree walk");
        TimedTree& tree = host.tree;
        tree.AttachSystemImageList();
        double t0 = Now();
        hTarget = tree.SelectPath(deepFile.c_str(), FALSE);
        walkTime = Now() - t0;
    }
    RemoveTree(base);

    std::printf("  expand:                      %8.3f s (%d items listed)\n", expandTime, listed);
    std::printf("  of it, shell look-ups:       %8.3f s (icons %.3f s, titles %.3f s)\n", shellTime, iconTime,
                titleTime);
    std::printf("  of it, tree view inserts:    %8.3f s (bare TVM_INSERTITEM)\n", insertTime);
    std::printf("  the control's own:           %8.3f s (goal: under 1 s)\n", expandTime - shellTime - insertTime);
    std::printf("  SelectPath, 6 levels below:  %8.3f s (%s)\n", walkTime, hTarget ? "found" : "NOT FOUND");
    return hTarget && listed == kFiles ? 0 : 1;
}
