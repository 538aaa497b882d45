// QueueLists: the main window's working lists of tracks at work. The
// arrays (MainDialog::Queues) are the content; the skinned track lists, the
// floating list window and the audio jukebox window's queue only show
// them. This object keeps rows and records in step through every queue
// operation (move, delete, remove, shuffle, empty, add, load a playlist or
// folder), runs the list commands (select all and none, scrolling, the
// knob scroll targets and queue modes) and loads tracks from the lists into
// decks A and B ("next", "previous", the double-clicks, play next).
//
// Code by concern: QueueLists.cpp (finding the lists, moving, deleting,
// shuffling, emptying), QueueAdding.cpp (adding files, selections,
// playlists and folders), QueueLoading.cpp (loading into the decks),
// QueueCommands.cpp (command ids, scrolling, notifications). The rules
// without windows: QueueRules.h.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "mainwindow/lists/QueueArrays.h"
#include "mainwindow/queues/QueueRules.h"

class CWnd;
class MainWindowParts;
class QueueDecks;
class TXVTrackList;

class QueueLists
{
public:
    // Construction: the main window (whose children the skinned lists are),
    // its arrays and the parts that update captions and other windows.
    QueueLists(CWnd& mainWindow, QueueArrays& arrays, MainWindowParts& parts);
    QueueLists(const QueueLists&) = delete;
    QueueLists& operator=(const QueueLists&) = delete;

    // The decks the lists load into; null: no decks (loads do nothing).
    void SetDecks(QueueDecks* decks) { m_pDecks = decks; }

    // Attributes
    // The main-window list of a list type or short code (the skin's list of
    // that name); null when the skin placed none.
    TXVTrackList* ListOfType(int type) const;
    TXVTrackList* ListOfCode(int code) const;
    // MainDialog::GetListType: the list type of a window (4016: none of the
    // main window's lists and trees).
    int GetListType(HWND window) const;
    queue_rules::KnobScroll& Knobs() { return m_knobs; }

    // ---- Queue operations: the list they act on and its list type. Each
    // answers true when it did its work.
    bool MoveQueueItemUp(TXVTrackList& list, int type);
    bool MoveQueueItemDown(TXVTrackList& list, int type);
    bool MoveQueueItemToTop(TXVTrackList& list, int type);
    bool MoveQueueItemToBottom(TXVTrackList& list, int type);
    bool DeleteSelectedQueueItems(TXVTrackList& list, int type);
    bool RemoveSelectedQueueItem(TXVTrackList& list, int type);
    void ShuffleQueue(int type);
    bool EmptyList(TXVTrackList& list, int type);

    // ---- Adding (QueueAdding.cpp).
    // False only when the file does not exist (after the notice MSG_BADLINK).
    bool AddFileToQueue(const CString& path, int target);
    // The main track list's selected rows, from the top, to a target.
    void AddTrackListSelection(int target);
    // A playlist dropped onto a queue (4005, 4006, 4010, 4011); asks Yes/No
    // when the queue holds tracks. Always true.
    bool LoadPlaylistIntoQueue(const CString& path, int type);
    // The library tree's menus: the selected playlist, or the selected
    // folder, into the AutoMix or the audio jukebox queue; asks
    // Yes/No/Cancel when the queue holds tracks.
    void LoadPlaylistIntoAutoMixQueue();
    void LoadPlaylistIntoJukeboxQueue();
    void LoadFolderIntoAutoMixQueue(bool fromLibraryTree);
    void LoadFolderIntoJukeboxQueue(bool fromLibraryTree);
    // The command line's playlist: read into the AutoMix queue (emptied
    // first) and shown in its list; false when it could not be read.
    bool LoadAutoMixQueue(const CString& path);

    // ---- Loading into decks A and B (QueueLoading.cpp).
    // The first selected row of the list into deck 0 or 1; MSG_BADTRACK
    // when the load fails. skipEmptyPath: the queue double-clicks, which
    // hand no empty path to the deck.
    void LoadSelectedRow(TXVTrackList* list, int deck, bool skipEmptyPath);
    // MainDialog::LoadSelectedRowToDeck.
    bool LoadSelectedRowToDeck(int deck, TXVTrackList* list);
    // A double-click on the main track list (statusLine), the search or the
    // request list: the first selected row into the idle deck.
    void LoadSelectedRowToIdleDeck(TXVTrackList* list, bool statusLine);
    // "a-next" (0) and "b-next" (1): the queue's first record, taken from
    // the queue only when it loaded.
    void LoadNext(int deck);
    // "a-previous", "b-previous": the newest history record.
    void LoadLastPlayed(int deck);
    // "tl-playnext": the main track list's selected row into the idle deck,
    // then the mix over to it.
    void PlayNext();
    // MainDialog::GetDecksPlaying (1 to 4).
    int GetDecksPlaying() const;

    // ---- Commands and messages (QueueCommands.cpp).
    // A command of the list areas; false when the id is not one of them.
    bool RunCommand(unsigned id);
    // The chosen item of the track-list menu (main track list) or of the
    // queue menu opened on list (of that type); false when the item is not
    // one these lists carry out (its operation belongs to another part of
    // the window) or is greyed now.
    bool RunTrackListMenuItem(unsigned id, int view);
    bool RunQueueMenuItem(TXVTrackList& list, int type, unsigned id);
    // "a-scrolltoggle" (deck 0), "b-scrolltoggle" (deck 1).
    void ToggleScrollTarget(int deck) { m_knobs.Toggle(deck); }
    // WM_USER+9509 (deck 0) and +9510 (deck 1).
    void OnQueueScroll(int deck, int value, int low);
    // The Delete key in a queue list (4005, 4006, 4011).
    void DeleteSelectedInQueue(int type);
    // NM_DBLCLK and NM_CLICK from a main-window list; false when the window
    // and code are not handled here.
    bool OnListNotify(HWND list, UINT code);
    // 27601 "tl-selall" (true) and 27602 "tl-selnone" (false).
    void SelectAllTracks(bool select);
    // Focus, then one key (VK_UP or VK_DOWN), posted to the list.
    void ScrollList(int type, bool up);

private:
    // Helpers
    queue_rules::TrackArray* ArrayOf(int type) { return queue_rules::ArrayOfType(m_arrays, type); }
    bool IsShown(int type) const;
    void Caption(int code);
    bool MoveQueueItemToEnd(TXVTrackList& list, int type, bool toTop);
    void ShowInList(int type);
    // The question before a playlist or folder goes into a queue with
    // tracks: the answer, or kAnswerNone when the queue is empty.
    int AskAddToQueue(const queue_rules::TrackArray& queue, bool withCancel);
    // Reads a playlist or a folder into the array; false when the reader
    // failed (what it put into the array stays).
    bool ReadPlaylist(const CString& path, queue_rules::TrackArray& tracks, bool emptyFirst);
    bool ReadFolder(const CString& folder, queue_rules::TrackArray& tracks, bool emptyFirst);
    // The library tree menus' loaders: the question, the source (a
    // playlist, or a folder from the library tree or My Computer), the read
    // and the finish of the AutoMix or the audio jukebox queue.
    enum class Source
    {
        Playlist,
        LibraryTreeFolder,
        MyComputerFolder,
    };
    void LoadIntoMenuQueue(int type, Source source);
    bool LoadIntoDeck(int deck, const CString& path);

    // Data
    CWnd& m_mainWindow;
    QueueArrays& m_arrays;
    MainWindowParts& m_parts;
    QueueDecks* m_pDecks = nullptr;
    queue_rules::KnobScroll m_knobs;
    // The running record index of lists that have no window (where a list
    // exists its owner value holds it), by short code.
    int m_nextIndex[15] = {};
};
