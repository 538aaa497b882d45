// Helpers of the list control tests and the list sheet: track records made
// at test time, the eleven columns of a track list, and an owner that
// records what the lists ask of it.
#pragma once

#include "framework/core/CArray.h"
#include "library/records/CTrackRecord.h"
#include "skin/tracklist/ListOwner.h"

#include <set>
#include <string>
#include <vector>

class CListCtrl;

namespace list_test {

struct Track
{
    const char* title;
    const char* artist;
    const char* album;
    const char* genre;
    int length;
    const char* year;
    const char* bpm;
    const char* path;
    int index;
    int plays;
    const char* type;
};

CTrackRecord MakeRecord(const Track& t);
void MakeArray(const std::vector<Track>& tracks, CArray<CTrackRecord, CTrackRecord&>& out);

// Columns 0 to 10 with short captions, 60 pixels each.
void AddTrackColumns(CListCtrl& list);

// The texts of one column, top to bottom.
std::vector<std::string> ColumnTexts(const CListCtrl& list, int column);

class RecordingOwner : public ListOwner
{
public:
    void BeginListDrag(TXVTrackList* list) override { listDrags.push_back(list); }
    void BeginTreeDrag(TXVTreeCtrl* tree, HTREEITEM item) override
    {
        treeDrags.push_back(tree);
        dragItems.push_back(item);
    }
    void ShowSelectedTrackInfo() override { ++selectionNotices; }
    void SetSortStatus(const CString& text) override { statusTexts.push_back(text.GetString()); }
    void UpdateLibraryStatusLine() override { ++statusLineUpdates; }
    bool IsInHistory(const CString& path) override { return history.count(path.GetString()) != 0; }
    bool ShowPlayedSongIcon() override { return showPlayedIcon; }
    int GetLibraryView() override { return libraryView; }
    bool DisplayBadLinks() override { return false; }
    bool HasDesktopComposition() override { return composition; }

    std::vector<TXVTrackList*> listDrags;
    std::vector<TXVTreeCtrl*> treeDrags;
    std::vector<HTREEITEM> dragItems;
    int selectionNotices = 0;
    std::vector<std::string> statusTexts;
    int statusLineUpdates = 0;
    std::set<std::string> history;
    bool showPlayedIcon = false;
    int libraryView = 1;
    bool composition = true;
};

} // namespace list_test
