// The list sheet: track lists filled with tracks in each draw style (plain,
// the three jukebox styles, the explorer theme, the icon view), the
// thumbnail list, the tree and the navigation list, in one window
// "TavrixVJ lists" for the screenshot (tools/list-sheet.sh). The pictures
// come from the program folder: the first argument, else the folder
// TavrixVJ beside this program's folder.
#include "ListTestSupport.h"
#include "foundation/app/ProgramFolder.h"
#include "framework/ui/AfxWin.h"
#include "skin/navlist/TXVNavList.h"
#include "skin/res/SkinListIds.h"
#include "skin/thumblist/TXVThumbList.h"
#include "skin/tracklist/TXVTrackList.h"
#include "skin/tree/TXVTreeCtrl.h"

#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<list_test::Track> SheetTracks()
{
    return {
        {"Midnight Drive", "Neon Coast", "Afterglow", "Electronic", 245, "2021", "124", "C:\\Music\\a.mp3", 1, 12, "mp3"},
        {"Bassline Theory", "Lowend Lab", "Subframe", "Techno", 372, "2019", "128", "C:\\Music\\b.mp3", 2, 4, "mp3"},
        {"Golden Hour", "Sunny Vega", "Coastal", "House", 301, "2022", "122", "C:\\Music\\c.wav", 3, 0, "wav"},
        {"Second Wind", "The Relays", "Relay", "Rock", 198, "2015", "96", "C:\\Music\\d.mp3", 4, 31, "mp3"},
        {"Paper Planes", "Kite Club", "Skyline", "Pop", 215, "2018", "110", "C:\\Music\\e.mp3", 5, 7, "mp3"},
    };
}

class SheetOwner : public list_test::RecordingOwner
{
};

class SheetWindow : public CWnd
{
public:
    bool Make()
    {
        if (!CreateEx(0, GetDefaultClassName(), "TavrixVJ lists", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                      1024, 768, nullptr, nullptr))
            return false;
        m_owner.showPlayedIcon = true;
        m_owner.history.insert("C:\\Music\\d.mp3");
        const char* const captions[] = {"plain", "IJ 1", "IJ 2", "IJ 3", "IJ 4 explorer", "icon view"};
        for (int i = 0; i < 6; ++i) {
            const int x = 8 + (i % 3) * 338, y = 22 + (i / 3) * 250;
            AddLabel(captions[i], x, y - 16);
            AddTrackList(i, CRect(x, y, x + 330, y + 224));
        }
        AddLabel("thumbnails", 8, 520);
        m_thumbs.Create(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL, CRect(8, 536, 610, 760),
                        this, 2001);
        m_thumbs.SetColors(RGB(18, 20, 26), RGB(240, 242, 246));
        m_thumbs.SetFont("Arial", 100);
        m_thumbs.LoadImageLists();
        const char* const thumbs[] = {"Afterglow\nNeon Coast", "Subframe\nLowend Lab", "Coastal\nSunny Vega",
                                      "Relay\nThe Relays"};
        for (int i = 0; i < 4; ++i)
            m_thumbs.InsertItem(i, thumbs[i], i == 2 ? 99 : i + 1);
        m_thumbs.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);

        m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                      CRect(618, 536, 800, 760), this, 2002);
        m_tree.LoadImageList();
        HTREEITEM root = m_tree.InsertItem("My Library", 5, 5);
        const char* const nodes[] = {"Most played", "Albums", "Artists", "BPMs", "Genres", "Years"};
        const int images[] = {5, 3, 4, 8, 7, 10};
        for (int i = 0; i < 6; ++i)
            m_tree.InsertItem(nodes[i], images[i], images[i], root);
        m_tree.InsertItem("Playlists", 2, 2);
        m_tree.Expand(root, TVE_EXPAND);
        m_tree.SelectItem(m_tree.GetChildItem(root));

        m_nav.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, CRect(808, 536, 1016, 760),
                     this, 2003);
        m_nav.InsertColumn(0, "", LVCFMT_LEFT, 204);
        m_nav.CreateImageList(16, 17, IDB_LIST_TRACKICONS);
        m_nav.SetFonts(100, "Arial", 80, "Arial");
        m_nav.InsertNavItem({1, "Decks", "Outputs, pitch and cue points", 5, 0});
        m_nav.InsertNavItem({2, "Library", "Folders, tags and watch folders", 3, 0});
        m_nav.InsertNavItem({3, "Controller", "MIDI maps and lights", 8, 0});
        m_nav.SelectItem(1);
        // Shown once every control is filled: the screenshot waits for the title.
        ShowWindow(SW_SHOW);
        UpdateWindow();
        return true;
    }

protected:
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        CRect r;
        GetClientRect(&r);
        CBrush back;
        back.CreateSolidBrush(RGB(40, 44, 54));
        pDC->FillRect(&r, &back);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(200, 205, 215));
        for (const Label& label : m_labels)
            ::TextOutA(pDC->m_hDC, label.x, label.y, label.text.c_str(), static_cast<int>(label.text.size()));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()

private:
    void AddLabel(const char* text, int x, int y)
    {
        m_labels.push_back({text, x, y});
    }

    void AddTrackList(int style, const CRect& rect)
    {
        auto list = std::make_unique<TXVTrackList>();
        list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, rect, this, 1000 + style);
        list->SetOwner(&m_owner);
        list->SetListType(1);
        list_test::AddTrackColumns(*list);
        list->SetColumnWidth(0, 120);
        list->SetColumnWidth(2, 0);
        list->SubclassHeader();
        list->SetHeaderColors(RGB(28, 31, 40), RGB(200, 205, 215));
        list->SetColors(style == 4 ? RGB(255, 255, 255) : RGB(18, 20, 26),
                        style == 4 ? RGB(0, 0, 0) : RGB(235, 238, 242));
        list->SetFont("Arial", 90);
        if (style >= 1 && style <= 4)
            list->ApplyIJ(style);
        if (style == 5)
            list->ApplyIJ(1);
        CArray<CTrackRecord, CTrackRecord&> tracks;
        list_test::MakeArray(SheetTracks(), tracks);
        list->ShowTracks(tracks);
        list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        list->SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
        if (style == 5)
            list->ToggleIconView();
        m_lists.push_back(std::move(list));
    }

    SheetOwner m_owner;
    std::vector<std::unique_ptr<TXVTrackList>> m_lists;
    struct Label
    {
        std::string text;
        int x, y;
    };
    std::vector<Label> m_labels;
    TXVThumbList m_thumbs;
    TXVTreeCtrl m_tree;
    TXVNavList m_nav;
};

BEGIN_MESSAGE_MAP(SheetWindow, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

} // namespace

int main(int argc, char** argv)
{
    CString folder;
    if (argc > 1) {
        folder = argv[1];
    } else {
        char exe[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        folder = exe;
        folder = folder.Left(folder.ReverseFind('\\') + 1) + "..\\TavrixVJ\\";
    }
    SetProgramFolder(folder);
    InitCommonControls();
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    {
        SheetWindow window;
        if (!window.Make())
            return 1;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
