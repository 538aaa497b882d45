#include "mainwindow/queues/QueueRules.h"

#include <initializer_list>

namespace queue_rules {

namespace {

struct ListEntry
{
    int type;
    int code;
    const char* skinName;
};

const ListEntry kLists[] = {
    {kTypeQueueA, kCodeQueueA, "a-queue"},
    {kTypeQueueB, kCodeQueueB, "b-queue"},
    {kTypeSearch, kCodeSearch, "searchlist"},
    {kTypeHistory, kCodeHistory, "historylist"},
    {kTypeRequest, kCodeRequest, "requestlist"},
    {kTypeJukebox, kCodeJukebox, nullptr},
    {kTypeAutoMix, kCodeAutoMix, "mx-queue"},
    {kTypeTrackList, kCodeTrackList, "tracklist"},
    {kTypeMyComputer, 0, "mycomputer"},
    {kTypeLibraryTree, 0, "mylibrary"},
};

const ListEntry* EntryOfType(int type)
{
    for (const ListEntry& entry : kLists)
        if (entry.type == type)
            return &entry;
    return nullptr;
}

bool OneOf(int value, std::initializer_list<int> values)
{
    for (int v : values)
        if (v == value)
            return true;
    return false;
}

} // namespace

const int kListTypeOrder[] = {kTypeSearch,  kTypeHistory,   kTypeRequest,     kTypeQueueA,     kTypeQueueB,
                              kTypeAutoMix, kTypeTrackList, kTypeLibraryTree, kTypeMyComputer};
const int kListTypeOrderCount = static_cast<int>(sizeof kListTypeOrder / sizeof kListTypeOrder[0]);

int ListCodeOfType(int type)
{
    const ListEntry* entry = EntryOfType(type);
    return entry ? entry->code : 0;
}

int TypeOfListCode(int code)
{
    if (code == 0)
        return 0;
    for (const ListEntry& entry : kLists)
        if (entry.code == code)
            return entry.type;
    return 0;
}

const char* SkinNameOfType(int type)
{
    const ListEntry* entry = EntryOfType(type);
    return entry ? entry->skinName : nullptr;
}

TrackArray* ArrayOfType(QueueArrays& arrays, int type)
{
    switch (type) {
    case kTypeQueueA: return &arrays.deckA;
    case kTypeQueueB: return &arrays.deckB;
    case kTypeSearch: return &arrays.search;
    case kTypeHistory: return &arrays.history;
    case kTypeRequest: return &arrays.request;
    case kTypeJukebox: return &arrays.jukebox;
    case kTypeAutoMix: return &arrays.autoMix;
    default: return nullptr;
    }
}

TrackArray* ArrayOfCode(QueueArrays& arrays, int code)
{
    if (code == kCodeDAredero)
        return &arrays.dArederoQueue;
    return ArrayOfType(arrays, TypeOfListCode(code));
}

bool SwapsRecordsOnMove(int type)
{
    return OneOf(type, {kTypeQueueA, kTypeQueueB, kTypeRequest, kTypeJukebox, kTypeAutoMix});
}

bool MovesRecordToEnd(int type)
{
    return OneOf(type, {kTypeQueueA, kTypeQueueB, kTypeRequest, kTypeJukebox, kTypeAutoMix});
}

bool RemovesRecords(int type)
{
    return OneOf(type, {kTypeQueueA, kTypeQueueB, kTypeRequest, kTypeJukebox, kTypeAutoMix});
}

bool ShufflesRecords(int type)
{
    return OneOf(type, {kTypeQueueA, kTypeQueueB, kTypeRequest, kTypeJukebox, kTypeAutoMix});
}

int CaptionCodeOfType(int type)
{
    switch (type) {
    case kTypeQueueA: return kCodeQueueA;
    case kTypeQueueB: return kCodeQueueB;
    case kTypeAutoMix: return kCodeAutoMix;
    case kTypeRequest: return kCodeRequest;
    default: return 0;
    }
}

int FindExactPath(const TrackArray& tracks, const CString& path)
{
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        if (tracks[i].m_FileName == path)
            return static_cast<int>(i);
    return -1;
}

bool RemoveFirstExactPath(TrackArray& tracks, const CString& path)
{
    const int at = FindExactPath(tracks, path);
    if (at < 0)
        return false;
    tracks.RemoveAt(at);
    return true;
}

bool RowInStep(const TrackArray& tracks, int row, const CString& path)
{
    return row >= 0 && row < tracks.GetSize() && tracks[row].m_FileName == path;
}

bool RemoveRecordOfRow(TrackArray& tracks, int row, const CString& path)
{
    if (!RowInStep(tracks, row, path))
        return RemoveFirstExactPath(tracks, path);
    tracks.RemoveAt(row);
    return true;
}

AddTarget AddTargetOf(int target)
{
    switch (target) {
    case kCodeQueueA:
    case kCodeQueueB:
    case kCodeAutoMix: return AddTarget::MainList;
    case kCodeRequest: return AddTarget::RequestList;
    case kCodeDAredero: return AddTarget::DArederoQueue;
    case kCodeJukebox: return AddTarget::JukeboxWindow;
    case kTypeQueueA:
    case kTypeQueueB:
    case kTypeRequest:
    case kTypeJukebox:
    case kTypeAutoMix: return AddTarget::PopupOnly;
    default: return AddTarget::Nothing;
    }
}

TrackArray* ArrayOfTarget(QueueArrays& arrays, int target)
{
    if (AddTargetOf(target) == AddTarget::Nothing)
        return nullptr;
    return target >= kTypeQueueA ? ArrayOfType(arrays, target) : ArrayOfCode(arrays, target);
}

bool EmptyFirst(int answer)
{
    return answer != kAnswerYes;
}

int DecksPlaying(bool aPlaying, bool bPlaying)
{
    if (aPlaying && bPlaying)
        return 2;
    if (aPlaying)
        return 3;
    if (bPlaying)
        return 4;
    return 1;
}

int IdleDeck(int decksPlaying)
{
    switch (decksPlaying) {
    case 1:
    case 4: return 0;
    case 3: return 1;
    default: return -1;
    }
}

MixAfter MixAfterPlayNext(int decksPlaying)
{
    switch (decksPlaying) {
    case 1:
    case 4: return MixAfter::Left;
    case 3: return MixAfter::Right;
    default: return MixAfter::None;
    }
}

NextResult LoadNextQueued(TrackArray& queue, const std::function<bool(const CString&)>& load)
{
    if (queue.GetSize() == 0)
        return NextResult::Empty;
    // A copy: the load may run handlers that change the queue.
    const CTrackRecord first(queue[0]);
    if (!load(first.m_FileName))
        return NextResult::Failed;
    // Remove the record that was loaded, wherever the load left it.
    if (queue.GetSize() > 0 && queue[0].m_FileName == first.m_FileName)
        queue.RemoveAt(0);
    else
        RemoveFirstExactPath(queue, first.m_FileName);
    return NextResult::Loaded;
}

int AdvanceScrollTarget(int target)
{
    if (target < 1 || target > 6)
        return target;
    return target == 6 ? 1 : target + 1;
}

int ListTypeOfScrollTarget(int target)
{
    switch (target) {
    case 1: return kTypeQueueA;
    case 2: return kTypeQueueB;
    case 3: return kTypeAutoMix;
    case 4: return kTypeTrackList;
    case 5: return kTypeSearch;
    case 6: return kTypeRequest;
    default: return 0;
    }
}

void KnobScroll::Toggle(int deck)
{
    if (deck != 0 && deck != 1)
        return;
    target[deck] = AdvanceScrollTarget(target[deck]);
    queueMode[deck] = !queueMode[deck];
}

} // namespace queue_rules
