// The track row of the library's track lists and the writer that puts rows
// into a list control. The writer holds only the list's window handle: a
// fill never touches the caller's wrapper object after it started, and it
// stops as soon as the window is gone (its owner may destroy it from a
// handler that the fill's message pumping runs, or from the window thread
// while a worker thread fills).
#pragma once

#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"
#include "library/state/LibrarySettings.h"
#include "library/api/TagInfo.h"

#include <windows.h>
#include <commctrl.h>

// The texts of one row by sub-item, and the picture image of sub-item 2.
struct TrackRow
{
    CString text[kTrackListColumns];
    bool written[kTrackListColumns] = {};
    int picture = -1;   // -1: sub-item 2's image is not written

    void Put(int subItem, const CString& value)
    {
        text[subItem] = value;
        written[subItem] = true;
    }
    void Drop(int subItem) { written[subItem] = false; }
};

// The full track row of rec (sub-items 0 to 10); rec's tempo text is shown
// as it is, so the caller puts it into its normal form first.
TrackRow MakeTrackRow(const CTrackRecord& rec);
// The row of a file's tags: sub-items 0 to 8 and 10 (9 is not written).
TrackRow MakeTagRow(const TAG_INFO& info);

// The type image of a row: WAV by an exact "wav" ending, else MP3; the
// missing-file image when asked to check and the file is not there.
int TrackTypeImage(const CString& path, bool checkExists);

class TrackRowWriter
{
public:
    explicit TrackRowWriter(HWND list) : m_list(list) {}

    bool Alive() const { return m_list && IsWindow(m_list); }
    int Count() const;
    void SetRedraw(bool on);
    void DeleteAll();
    void SetSmallImages(HIMAGELIST images);
    void SetNormalImages(HIMAGELIST images);
    void RepaintNow();

    // Inserts the item (sub-item 0 text, image, item data) at position and
    // writes the row's other sub-items; the row's index, or -1.
    int Insert(int position, const TrackRow& row, int image, LPARAM data);
    // Rewrites the written texts (sub-item 0 too) and the picture image of
    // an existing row; its item image and item data stay.
    void Rewrite(int row, const TrackRow& texts);
    // Inserts a text-only item; its index, or -1.
    int InsertText(int position, const CString& text);
    void SetData(int row, LPARAM data);
    void SetText(int row, int subItem, const char* text);
    void SetImage(int row, int subItem, int image);
    CString GetText(int row, int subItem) const;

private:
    void WriteSubItems(int row, const TrackRow& texts);

    HWND m_list;
};
