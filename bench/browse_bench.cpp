// Browse views over 100,000 tracks with 8,000 albums: the distinct-artist
// and distinct-album counts, arrays, list and tree views and combo boxes.
// Each view's time is printed beside the time of the control's own inserts
// of the same texts (bare LVM_INSERTITEM, TVM_INSERTITEM with drawing off
// and switched on again after them, CB_ADDSTRING), so the library's share can be told from the control's
// (goal: under 0.3 s each, apart from the control's inserts).
// With "--show MS" it instead shows an artist thumbnail page with pictures
// made at run time in the tags of MP3 files, for MS milliseconds (for a
// screenshot).
#include "BenchClock.h"
#include "framework/ui/AfxWin.h"
#include "framework/ui/CComboBox.h"
#include "framework/ui/CTreeCtrl.h"
#include "library/api/VIZU.h"
#include "library/browse/BrowseValues.h"
#include "library/records/RecordSort.h"
#include "tests/library/browse/BrowseFiles.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using bench::Now;

constexpr int kAlbums = 8000;
constexpr int kArtists = 2500;

void MakeLibrary(int count)
{
    m_Tracks.RemoveAll();
    m_Tracks.SetSize(0, count);
    for (int i = 0; i < count; ++i) {
        CTrackRecord r;
        const int album = (i * 7919) % kAlbums;
        r.m_Title.Format("Track title number %d", i);
        r.m_Album.Format("%s album %d", album % 3 ? "Greatest" : "live", album);
        r.m_Artist.Format("Artist %d", album % kArtists);
        r.m_Genre = "Rock";
        r.m_Year.Format("%d", 1970 + i % 50);
        r.m_FileName.Format("C:\\Music\\%d\\%06d.mp3", album, i);
        r.m_BPMText.Format("%03d.00", 90 + i % 60);
        r.m_Index = i + 1;
        m_Tracks.Add(r);
    }
}

void Shuffle()
{
    // A fixed scramble, so each view sorts from the same disorder.
    for (INT_PTR i = m_Tracks.GetSize() - 1; i > 0; --i) {
        INT_PTR j = (i * 48271) % (i + 1);
        CTrackRecord kept(m_Tracks[i]);
        m_Tracks[i] = m_Tracks[j];
        m_Tracks[j] = kept;
    }
}

struct Frame
{
    CWnd frame;
    CListCtrl list;
    CTreeCtrl tree;
    CComboBox combo;
    bool Create(const char* title, int width, int height, DWORD listStyle)
    {
        if (!frame.CreateEx(0, nullptr, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, width,
                            height, nullptr, nullptr))
            return false;
        CRect client;
        GetClientRect(frame.GetSafeHwnd(), &client);
        if (!list.Create(WS_CHILD | WS_VISIBLE | listStyle, client, &frame, 100))
            return false;
        return tree.Create(WS_CHILD | TVS_HASLINES, CRect(0, 0, 200, 200), &frame, 101) &&
               combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, CRect(0, 0, 200, 200),
                            &frame, 102);
    }
};

void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::vector<std::string> Texts(int count, const char* format)
{
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, format, i);
        texts.push_back(text);
    }
    return texts;
}

double BareListInserts(CListCtrl& list, const std::vector<std::string>& texts)
{
    HWND hwnd = list.GetSafeHwnd();
    SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
    list.DeleteAllItems();
    double start = Now();
    for (const std::string& text : texts) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    // The view switches drawing on again after its inserts: the list then
    // brings its layout up to date.
    SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    double seconds = Now() - start;
    list.DeleteAllItems();
    return seconds;
}

double BareTreeInserts(CTreeCtrl& tree, const std::vector<std::string>& texts)
{
    HWND hwnd = tree.GetSafeHwnd();
    SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    double start = Now();
    TVINSERTSTRUCTA insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>("Root");
    HTREEITEM root = reinterpret_cast<HTREEITEM>(
        SendMessageA(hwnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    insert.hParent = root;
    for (const std::string& text : texts) {
        insert.item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(hwnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    }
    SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    double seconds = Now() - start;
    SendMessageA(hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    return seconds;
}

double BareComboInserts(CComboBox& combo, const std::vector<std::string>& texts)
{
    HWND hwnd = combo.GetSafeHwnd();
    SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
    double start = Now();
    for (const std::string& text : texts)
        SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    double seconds = Now() - start;
    SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
    return seconds;
}

void Report(const char* what, int values, double seconds, double inserts)
{
    std::printf("%-34s %5d values  %7.3f s  (control's inserts %7.3f s; ours %7.3f s)\n", what,
                values, seconds, inserts, seconds - inserts);
}

int Show(DWORD ms)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "browse-show";
    CreateDirectoryA(folder.c_str(), nullptr);
    const struct
    {
        const char* artist;
        uint32_t rgb;
    } artists[] = {{"Amber Lights", 0xE08020}, {"Blue Harbour", 0x2060C0}, {"Cedar Trio", 0x30A040},
                   {"Delta Nine", 0xC02040},   {"Echo Park", 0x8040C0},   {"Foxglove", 0x20A0A0},
                   {"Grey Static", 0},         {"Hollow Oak", 0xD0C020}};
    m_Tracks.RemoveAll();
    int n = 0;
    for (const auto& a : artists) {
        browse_test::Mp3Tags tags("Song", a.artist);
        if (a.rgb) {
            tags.pictureMime = "image/bmp";
            tags.picture = browse_test::SolidBmp(64, 64, a.rgb);
        }
        const std::string path = folder + "\\" + std::to_string(n++) + ".mp3";
        const std::string bytes = browse_test::Mp3Bytes(tags);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        CTrackRecord r;
        r.m_Title = "Song";
        r.m_Artist = a.artist;
        r.m_FileName = path.c_str();
        m_Tracks.Add(r);
    }
    Frame w;
    if (!w.Create("TavrixVJ thumbnails", 760, 420, LVS_ICON | LVS_SHAREIMAGELISTS))
        return 1;
    // The program's artist image list, its picture 0 a grey record sleeve.
    HIMAGELIST images = ImageList_Create(100, 100, ILC_COLOR24, 1, 8);
    HDC screen = GetDC(nullptr);
    HBITMAP fallback = CreateCompatibleBitmap(screen, 100, 100);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, fallback);
    RECT all = {0, 0, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Ellipse(dc, 15, 15, 85, 85);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, 42, 42, 58, 58);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ImageList_Add(images, fallback, nullptr);
    DeleteObject(fallback);
    SendMessageA(w.list.GetSafeHwnd(), LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images));
    const int items = VIZU::DisplayArtistThumbsToList(&w.list);
    std::printf("artist page: %d items, %d images\n", items, ImageList_GetImageCount(images));
    PumpFor(ms);
    w.frame.DestroyWindow();
    ImageList_Destroy(images);
    for (int i = 0; i < n; ++i)
        DeleteFileA((folder + "\\" + std::to_string(i) + ".mp3").c_str());
    RemoveDirectoryA(folder.c_str());
    Gdiplus::GdiplusShutdown(token);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    AfxSetUnattendedPrompts(TRUE);
    VIZU vizu;
    if (argc >= 3 && std::strcmp(argv[1], "--show") == 0)
        return Show(static_cast<DWORD>(std::atoi(argv[2])));
    const int count = argc >= 2 ? std::atoi(argv[1]) : 100000;
    MakeLibrary(count);
    Frame w;
    if (!w.Create("bench", 600, 400, LVS_REPORT))
        return 1;
    w.list.InsertColumn(0, "Value", LVCFMT_LEFT, 200);
    std::printf("library: %d tracks\n", count);

    double t = Now();
    const int artists = VIZU::GetArtistCount();
    Report("GetArtistCount", artists, Now() - t, 0);
    t = Now();
    const int albums = VIZU::GetAlbumCount();
    Report("GetAlbumCount", albums, Now() - t, 0);
    t = Now();
    int entries = VIZU::BuildArtistArray();
    Report("BuildArtistArray", entries, Now() - t, 0);
    t = Now();
    entries = VIZU::BuildAlbumArray();
    Report("BuildAlbumArray", entries, Now() - t, 0);
    // Their parts: the order of a copy, and the walk over it.
    for (int round = 0; round < 3; ++round) {
        t = Now();
        std::vector<uint32_t> order = SortedOrder(m_Tracks, 1, false);
        const double sorting = Now() - t;
        t = Now();
        const size_t firsts = browse::FirstOfEachField(m_Tracks, order, 31).size();
        std::printf("album order of a copy %.3f s, distinct walk %.3f s (%zu values)\n", sorting,
                    Now() - t, firsts);
    }
    // The library's own sort, which the list and tree views run first.
    Shuffle();
    t = Now();
    VIZU::SortTrackListA(1);
    Report("SortTrackListA(1) alone", 0, Now() - t, 0);

    const std::vector<std::string> artistTexts = Texts(artists, "Artist %d");
    const std::vector<std::string> albumTexts = Texts(albums, "Greatest album %d");
    struct View
    {
        const char* what;
        int code;
        const std::vector<std::string>* texts;
    };
    const View views[] = {{"artists", 30, &artistTexts}, {"albums", 31, &albumTexts}};
    for (const View& v : views) {
        char what[64];
        Shuffle();
        t = Now();
        int values = VIZU::DisplayFilteredList(&w.list, v.code, "");
        double seconds = Now() - t;
        std::snprintf(what, sizeof what, "DisplayFilteredList, %s", v.what);
        Report(what, values, seconds, BareListInserts(w.list, *v.texts));
        Shuffle();
        t = Now();
        values = VIZU::DisplayFilteredTree(&w.tree, v.code, "", nullptr, nullptr);
        seconds = Now() - t;
        std::snprintf(what, sizeof what, "DisplayFilteredTree, %s", v.what);
        Report(what, values, seconds, BareTreeInserts(w.tree, *v.texts));
        t = Now();
        values = v.code == 30 ? VIZU::DisplayComboArtists(&w.combo) : VIZU::DisplayComboAlbums(&w.combo);
        seconds = Now() - t;
        std::snprintf(what, sizeof what, "DisplayCombo, %s", v.what);
        Report(what, values, seconds, BareComboInserts(w.combo, *v.texts));
    }
    return 0;
}
