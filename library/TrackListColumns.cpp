// The track list's column positions from "KVLib.ini".
#include "library/LibrarySettings.h"
#include "library/VIZU.h"

#include <windows.h>

int32_t g_nColumnPos[kTrackListColumns] = {};
int32_t g_nTrackListColNum = 0;

void VIZU::InitTrackListColumnOrder()
{
    static const char* const keys[kTrackListColumns] = {
        "List_Col_Title_Pos", "List_Col_Artist_Pos", "List_Col_PicImage_Pos",
        "List_Col_Album_Pos", "List_Col_Genre_Pos", "List_Col_Time_Pos", "List_Col_Year_Pos",
        "List_Col_BPM_Pos", "List_Col_Filename_Pos", "List_Col_Index_Pos",
        "List_Col_PlayCtr_Pos",
    };
    CString ini = GetLibINIFilePath();
    for (int i = 0; i < kTrackListColumns; ++i)
        g_nColumnPos[i] = static_cast<int32_t>(GetPrivateProfileIntA("KVLIB", keys[i], i, ini));
}
