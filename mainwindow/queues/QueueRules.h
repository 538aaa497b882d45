// QueueRules: the window-free rules of the main window's working lists of
// tracks: the list type codes and the short list codes, the array behind
// each list, which operation changes which array, the knob scroll targets
// and queue modes, which deck an idle-deck load picks, and "next" taking a
// queue's first record only after it loaded. QueueLists (beside it) applies
// them to the list controls; these rules are also built natively.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"
#include "mainwindow/lists/QueueArrays.h"

#include <functional>

namespace queue_rules {

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

// The list type codes that name the main window's lists (4012 is not used).
enum ListType
{
    kTypeQueueA = 4005,
    kTypeQueueB = 4006,
    kTypeSearch = 4007,
    kTypeHistory = 4008,
    kTypeRequest = 4009,
    kTypeJukebox = 4010,      // the audio jukebox window's queue
    kTypeAutoMix = 4011,
    kTypeTrackList = 4013,    // the main track list (the library view)
    kTypeMyComputer = 4014,
    kTypeLibraryTree = 4015,
    kTypeOther = 4016,
};

// The short list codes: targets of AddFileToQueue, caption codes, and the
// lists' own list type (TXVTrackList::SetListType).
enum ListCode
{
    kCodeQueueA = 1,
    kCodeQueueB = 2,
    kCodeJukebox = 3,
    kCodeAutoMix = 4,
    kCodeRequest = 5,
    kCodeHistory = 6,
    kCodeSearch = 7,
    kCodeTrackList = 8,
    kCodeDAredero = 14,   // the dAredero pane's "jukequeue"
};

// The short code of a list type, 0 when it has none (trees, other windows).
int ListCodeOfType(int type);
// The list type of a short code, 0 for the dAredero queue and unknown codes.
int TypeOfListCode(int code);
// The skin's control name of a main-window list or tree ("a-queue" ...),
// null for the audio jukebox queue and other windows.
const char* SkinNameOfType(int type);
// The order in which GetListType compares a window with the main window's
// lists and trees; kListTypeOrderCount entries.
extern const int kListTypeOrder[];
extern const int kListTypeOrderCount;

// The array behind a list type or a short code; null when the list has none
// (the main track list, the trees, unknown codes).
TrackArray* ArrayOfType(QueueArrays& arrays, int type);
TrackArray* ArrayOfCode(QueueArrays& arrays, int code);

// Move up and down swap the records in the array for these types; for the
// others (search, history) only the rows move.
bool SwapsRecordsOnMove(int type);
// Move to top and bottom move the record in a main-window queue's array
// (the audio jukebox queue moves too, through its own window).
bool MovesRecordToEnd(int type);
// Delete, remove, shuffle: the types whose array they change.
bool RemovesRecords(int type);
bool ShufflesRecords(int type);
// The caption code after a shuffle or a load: 1, 2, 4 or 5; 0 when none.
int CaptionCodeOfType(int type);

// Index of the first record whose path equals path exactly (letter case
// counts), -1 when none.
int FindExactPath(const TrackArray& tracks, const CString& path);
// Removes that record; false when no record has the path.
bool RemoveFirstExactPath(TrackArray& tracks, const CString& path);

// The record a row shows: rows show the array in array order, so row r is
// record r when that record has the row's path exactly (RowInStep);
// otherwise (rows moved alone, or a record removed without its row) the
// operations fall back on the first record with the path. A track queued
// twice thus changes the record of the row acted on, and the rows stay in
// the array's order.
bool RowInStep(const TrackArray& tracks, int row, const CString& path);
// Removes the record of the row; false when no record has the path.
bool RemoveRecordOfRow(TrackArray& tracks, int row, const CString& path);

// Where AddFileToQueue puts a file, by its target.
enum class AddTarget
{
    MainList,        // 1, 2, 4: array, row at the end of the main-window list, running index
    RequestList,     // 5: the same, then the request list's caption
    DArederoQueue,   // 14: the same with the dAredero queue, no caption
    JukeboxWindow,   // 3: the audio jukebox array, its window refills
    PopupOnly,       // 4005, 4006, 4009, 4010, 4011: array, floating window only
    Nothing,         // every other target
};
AddTarget AddTargetOf(int target);
// The array a target appends to; null for AddTarget::Nothing.
TrackArray* ArrayOfTarget(QueueArrays& arrays, int target);

// Loading a playlist or folder into a queue that holds tracks asks whether
// to add to them. The answer (IDYES 6, IDNO 7, IDCANCEL 2, 0 when nothing
// was asked) gives whether the queue is emptied first.
bool EmptyFirst(int answer);
enum
{
    kAnswerNone = 0,
    kAnswerCancel = 2,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

// ---- Decks A and B.
// MainDialog::GetDecksPlaying: 1 neither plays, 2 both, 3 only A, 4 only B.
int DecksPlaying(bool aPlaying, bool bPlaying);
// The idle-deck rule: 0 deck A (answer 1 or 4), 1 deck B (answer 3), -1 no
// deck (answer 2).
int IdleDeck(int decksPlaying);
// After play next has loaded: mix to the left side (answer 1 or 4), to the
// right (answer 3), or not at all (answer 2).
enum class MixAfter
{
    Left,
    Right,
    None,
};
MixAfter MixAfterPlayNext(int decksPlaying);

// "next": the first record of the queue is loaded and removed only when
// the load succeeds.
enum class NextResult
{
    Empty,    // nothing queued: nothing loaded
    Loaded,   // the first record was loaded and removed
    Failed,   // the load failed: the queue is as it was
};
NextResult LoadNextQueued(TrackArray& queue, const std::function<bool(const CString&)>& load);

// ---- Knob scroll targets and queue modes.
// Scroll targets: 1 deck A queue, 2 deck B queue, 3 AutoMix queue, 4 main
// track list, 5 search list, 6 request list.
// The next target after a scroll toggle: 1..6 then 1; others unchanged.
int AdvanceScrollTarget(int target);
// The list type a scroll target names; 0 for any other value.
int ListTypeOfScrollTarget(int target);
// A queue scroll message scrolls up when its two values differ.
inline bool QueueScrollGoesUp(int value, int low) { return value != low; }

// The two knobs' targets and the queue mode flags (A: index 0, B: 1).
struct KnobScroll
{
    int target[2] = {1, 2};
    bool queueMode[2] = {true, true};

    // "a-scrolltoggle" (deck 0) or "b-scrolltoggle" (deck 1).
    void Toggle(int deck);
};

} // namespace queue_rules
