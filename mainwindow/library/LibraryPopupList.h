// LibraryPopupList: the least of the floating popup list that the library
// views need until the full floating list takes its place: a hidden tool
// window owned by the main window, with a track list, a title, a list type
// (the main window's list codes 4005 ... 4011) and the tracks it shows.
#pragma once

#include <windows.h>

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "framework/ui/AfxWin.h"
#include "library/records/CTrackRecord.h"
#include "skin/tracklist/TXVTrackList.h"

class LibraryPopupList
{
public:
    LibraryPopupList() = default;
    ~LibraryPopupList();
    LibraryPopupList(const LibraryPopupList&) = delete;
    LibraryPopupList& operator=(const LibraryPopupList&) = delete;

    // Creates the window (hidden) once; true when it exists.
    bool Create(HWND owner);
    bool Exists() const { return m_frame.GetSafeHwnd() != nullptr; }
    void Destroy();

    void SetTitle(const CString& title);
    const CString& GetTitle() const { return m_strTitle; }
    void SetListType(int type) { m_nListType = type; }
    int GetListType() const { return m_nListType; }
    // Shows the tracks in the list (the track image list as small images).
    int DisplayTracks(CArray<CTrackRecord, CTrackRecord&>& tracks, CImageList* images);
    CListCtrl& List() { return m_list; }
    void Show();
    bool IsShown() const;

private:
    CWnd m_frame;
    TXVTrackList m_list;
    CString m_strTitle;
    int m_nListType = 0;
};
