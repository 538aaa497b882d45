// QueueLists: loading tracks from the lists into decks A and B.
#include "mainwindow/queues/QueueLists.h"

#include "foundation/app/MessageTexts.h"
#include "mainwindow/parts/MainWindowParts.h"
#include "mainwindow/queues/QueueDecks.h"
#include "skin/tracklist/TXVTrackList.h"
#include "skin/tracklist/TrackListRules.h"

using namespace queue_rules;

namespace {

// The first row in the selected state, from the top, and its path; false
// when no row is selected.
bool FirstSelectedPath(const TXVTrackList* list, CString& path)
{
    if (!list || !list->GetSafeHwnd())
        return false;
    const int row = list->GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return false;
    path = list->GetItemText(row, tracklist_rules::COL_PATH);
    return true;
}

} // namespace

bool QueueLists::LoadIntoDeck(int deck, const CString& path)
{
    if (!m_pDecks)
        return false;
    if (m_pDecks->LoadTrack(deck, path))
        return true;
    ShowMessageById(MSG_BADTRACK);
    return false;
}

int QueueLists::GetDecksPlaying() const
{
    if (!m_pDecks)
        return DecksPlaying(false, false);
    return DecksPlaying(m_pDecks->IsPlaying(0), m_pDecks->IsPlaying(1));
}

void QueueLists::LoadSelectedRow(TXVTrackList* list, int deck, bool skipEmptyPath)
{
    CString path;
    if (!FirstSelectedPath(list, path))
        return;
    if (skipEmptyPath && path.IsEmpty())
        return;
    LoadIntoDeck(deck, path);
}

bool QueueLists::LoadSelectedRowToDeck(int deck, TXVTrackList* list)
{
    CString path;
    if (!FirstSelectedPath(list, path) || path.IsEmpty())
        return false;
    if (deck != 0 && deck != 1)
        return true;
    return LoadIntoDeck(deck, path);
}

void QueueLists::LoadSelectedRowToIdleDeck(TXVTrackList* list, bool statusLine)
{
    CString path;
    if (!FirstSelectedPath(list, path) || path.IsEmpty())
        return;
    const int deck = IdleDeck(GetDecksPlaying());
    if (deck >= 0)
        LoadIntoDeck(deck, path);
    if (statusLine)
        m_parts.UpdateLibraryStatusLine();
}

void QueueLists::LoadNext(int deck)
{
    if (deck != 0 && deck != 1)
        return;
    const int type = deck == 0 ? kTypeQueueA : kTypeQueueB;
    const NextResult result =
        LoadNextQueued(*ArrayOf(type), [this, deck](const CString& path) { return LoadIntoDeck(deck, path); });
    if (result != NextResult::Loaded)
        return;
    if (TXVTrackList* list = ListOfType(type))
        list->DeleteItem(0);
    Caption(ListCodeOfType(type));
}

void QueueLists::LoadLastPlayed(int deck)
{
    if (!m_pDecks || m_arrays.history.GetSize() == 0)
        return;
    // The result is not examined: no notice follows a failure.
    const CString path = m_arrays.history[0].m_FileName;
    m_pDecks->LoadTrack(deck, path);
}

void QueueLists::PlayNext()
{
    CString path;
    if (!FirstSelectedPath(ListOfType(kTypeTrackList), path) || path.IsEmpty())
        return;
    const int deck = IdleDeck(GetDecksPlaying());
    if (deck >= 0)
        LoadIntoDeck(deck, path);
    // The load has run to its end: ask again which decks play.
    if (m_pDecks) {
        switch (MixAfterPlayNext(GetDecksPlaying())) {
        case MixAfter::Left: m_pDecks->MixLeft(); break;
        case MixAfter::Right: m_pDecks->MixRight(); break;
        case MixAfter::None: break;
        }
    }
    m_parts.UpdateLibraryStatusLine();
}
