// The track list's columns: captions, widths and positions, the column
// settings of "KVLib.ini", the sort of a list's rows by a column.
#include "library/tracklist/TrackListColumns.h"

#include "framework/ui/CImageList.h"
#include "framework/ui/CListCtrl.h"
#include "library/state/FileTexts.h"
#include "library/state/LibrarySettings.h"
#include "library/state/LibraryState.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>


namespace {

struct ColumnLayout
{
    const char* caption;      // DisplayListHeader
    int extra;                // added to the caption's width; -1: fixed width
    const char* trackCaption; // DisplayTrackListHeader
    int trackExtra;
};

// By sub-item index; the picture column has fixed widths.
const ColumnLayout kColumns[kTrackListColumns] = {
    {"Title", 160, "Title", 160},
    {"Artist", 110, "Artist", 160},
    {"", -1, "P", -1},
    {"Album", 100, "Album", 160},
    {"Genre", 70, "Genre", 60},
    {"Length", 20, "Length", 50},
    {"Year", 20, "Year", 50},
    {"BPM", 30, "BPM", 50},
    {"Filename", 50, "Filename", 100},
    {"Index", 30, "IDX", 50},
    {"Ctr", 30, "Ctr", 50},
};
constexpr int kPictureWidth = 16;
constexpr int kTrackPictureWidth = 20;

void DeleteAllColumns(HWND list)
{
    HWND header = ListView_GetHeader(list);
    int count = header ? Header_GetItemCount(header) : 0;
    for (int i = 0; i < count; ++i)
        ListView_DeleteColumn(list, 0);
}

void InsertColumns(HWND list, bool track)
{
    for (int i = 0; i < kTrackListColumns; ++i) {
        const ColumnLayout& c = kColumns[i];
        const char* caption = track ? c.trackCaption : c.caption;
        int extra = track ? c.trackExtra : c.extra;
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.pszText = const_cast<char*>(caption);
        column.iSubItem = i;
        if (extra < 0)
            column.cx = track ? kTrackPictureWidth : kPictureWidth;
        else
            column.cx = static_cast<int>(SendMessageA(list, LVM_GETSTRINGWIDTHA, 0,
                                                      reinterpret_cast<LPARAM>(caption))) + extra;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

void AddTrackListStyles(HWND list, bool checkBoxes)
{
    DWORD add = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_HEADERDRAGDROP;
    if (checkBoxes)
        add |= LVS_EX_CHECKBOXES;
    // A zero mask changes only the styles given, keeping the others.
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, add, add);
}

// The display order from the position settings. A column moved from its
// own place takes its position first, then the columns left in their own
// places; a column whose position is taken or out of range fills the first
// free place, in column order.
void ResolveColumnOrder(const int32_t positions[kTrackListColumns], int order[kTrackListColumns])
{
    int columnAt[kTrackListColumns];
    bool placed[kTrackListColumns] = {};
    for (int& c : columnAt)
        c = -1;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < kTrackListColumns; ++i) {
            int32_t pos = positions[i];
            bool moved = pos != i;
            if ((pass == 0) != moved || pos < 0 || pos >= kTrackListColumns || columnAt[pos] >= 0)
                continue;
            columnAt[pos] = i;
            placed[i] = true;
        }
    }
    int next = 0;
    for (int i = 0; i < kTrackListColumns; ++i) {
        if (placed[i])
            continue;
        while (columnAt[next] >= 0)
            ++next;
        columnAt[next] = i;
    }
    for (int pos = 0; pos < kTrackListColumns; ++pos)
        order[pos] = columnAt[pos];
}

int32_t* OrderField(KV_LIST_COLUMN_ORDER* order, const char* type)
{
    struct Named
    {
        const char* name;
        int32_t KV_LIST_COLUMN_ORDER::*field;
    };
    static const Named kTypes[] = {
        {"TITLE", &KV_LIST_COLUMN_ORDER::Title},
        {"ARTIST", &KV_LIST_COLUMN_ORDER::Artist},
        {"PICIMAGE", &KV_LIST_COLUMN_ORDER::PicImage},
        {"ALBUM", &KV_LIST_COLUMN_ORDER::Album},
        {"GENRE", &KV_LIST_COLUMN_ORDER::Genre},
        {"TIME", &KV_LIST_COLUMN_ORDER::Time},
        {"YEAR", &KV_LIST_COLUMN_ORDER::Year},
        {"BPM", &KV_LIST_COLUMN_ORDER::BPM},
        {"INDEX", &KV_LIST_COLUMN_ORDER::Index},
        {"PLAYCTR", &KV_LIST_COLUMN_ORDER::PlayCtr},
        {"FILENAME", &KV_LIST_COLUMN_ORDER::Filename},
    };
    for (const Named& t : kTypes)
        if (_stricmp(type, t.name) == 0)
            return &(order->*t.field);
    return nullptr;
}

} // namespace

void tracklist::InitTrackListColumnOrder(LibrarySettings& settings)
{
    static const char* const keys[kTrackListColumns] = {
        "List_Col_Title_Pos", "List_Col_Artist_Pos", "List_Col_PicImage_Pos",
        "List_Col_Album_Pos", "List_Col_Genre_Pos", "List_Col_Time_Pos", "List_Col_Year_Pos",
        "List_Col_BPM_Pos", "List_Col_Filename_Pos", "List_Col_Index_Pos",
        "List_Col_PlayCtr_Pos",
    };
    CString ini = filetexts::LibraryIniPath();
    for (int i = 0; i < kTrackListColumns; ++i)
        settings.columnPos[i] = static_cast<int32_t>(GetPrivateProfileIntA("KVLIB", keys[i], i, ini));
}

int tracklist::DisplayListHeader(CListCtrl* list, bool checkBoxes)
{
    HWND hList = list ? list->GetSafeHwnd() : nullptr;
    if (!hList)
        return 0;
    DeleteAllColumns(hList);
    InsertColumns(hList, false);
    AddTrackListStyles(hList, checkBoxes);
    return 0;
}

int tracklist::DisplayTrackListHeader(CListCtrl* list, bool checkBoxes,
                                      const int32_t positions[kTrackListColumns],
                                      CImageList* icons)
{
    HWND hList = list ? list->GetSafeHwnd() : nullptr;
    if (!hList)
        return 0;
    DeleteAllColumns(hList);
    ListView_SetImageList(hList, icons ? icons->GetSafeHandle() : nullptr, LVSIL_SMALL);
    InsertColumns(hList, true);
    int order[kTrackListColumns];
    ResolveColumnOrder(positions, order);
    ListView_SetColumnOrderArray(hList, kTrackListColumns, order);
    AddTrackListStyles(hList, checkBoxes);
    return 0;
}

int tracklist::KVSort(LONG_PTR itemData1, LONG_PTR itemData2, LONG_PTR sortInfo)
{
    const KV_SORT_INFO* info = reinterpret_cast<const KV_SORT_INFO*>(sortInfo);
    if (!info || !info->List)
        return 0;
    CListCtrl* list = info->List;
    auto textOf = [&](LONG_PTR data) {
        LVFINDINFOA find = {};
        find.flags = LVFI_PARAM;
        find.lParam = data;
        int row = list->FindItem(&find, -1);
        return row < 0 ? CString() : list->GetItemText(row, info->Column);
    };
    CString first = textOf(itemData1);
    CString second = textOf(itemData2);
    if (info->Column == 9 || info->Column == 10) {
        int a = atoi(first);
        int b = atoi(second);
        int result = a < b ? -1 : (a > b ? 1 : 0);
        return info->Ascending ? result : -result;
    }
    return info->Ascending ? lstrcmpA(first, second) : lstrcmpA(second, first);
}

int tracklist::ReadTrackListColCount()
{
    return static_cast<int>(GetPrivateProfileIntA("KVLIB", "List_ColNum", 0,
                                                  filetexts::LibraryIniPath()));
}

void tracklist::ReadTrackListColData(int count, KV_LIST_COLUMN_ORDER* order)
{
    CString ini = filetexts::LibraryIniPath();
    for (int i = 0; i <= count; ++i) {
        CString pos, typ;
        pos.Format("List_Col%d_Pos", i);
        typ.Format("List_Col%d_Typ", i);
        int position = static_cast<int>(GetPrivateProfileIntA("KVLIB", pos, 0, ini));
        char type[64] = {};
        GetPrivateProfileStringA("KVLIB", typ, "", type, sizeof type, ini);
        int32_t* field = order ? OrderField(order, type) : nullptr;
        if (field)
            *field = position;
    }
}

bool tracklist::GetTrackListNeedsRefresh()
{
    return GetPrivateProfileIntA("KVLIB", "List_NeedsRefresh", 0, filetexts::LibraryIniPath()) == 1;
}

void tracklist::SetTrackListNeedsRefresh(bool needed)
{
    WritePrivateProfileStringA("KVLIB", "List_NeedsRefresh", needed ? "1" : "0",
                               filetexts::LibraryIniPath());
}
