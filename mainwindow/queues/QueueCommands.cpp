// QueueLists: the command ids of the list areas, the queue scroll
// messages, the Delete key and the lists' click notifications.
#include "mainwindow/queues/QueueLists.h"

#include "mainwindow/queues/ListMenuRules.h"

#include "mainwindow/parts/MainWindowParts.h"
#include "skin/tracklist/TXVTrackList.h"

#include <commctrl.h>

using namespace queue_rules;

namespace {

// The main track list's own scroll commands (the window area's).
const unsigned kTrackListScrollUp = 27612;
const unsigned kTrackListScrollDown = 27613;

} // namespace

bool QueueLists::RunCommand(unsigned id)
{
    switch (id) {
    // Loading into the decks.
    case 27604: LoadSelectedRow(ListOfType(kTypeTrackList), 0, false); return true;   // "tl-loadtoa"
    case 27605: LoadSelectedRow(ListOfType(kTypeTrackList), 1, false); return true;   // "tl-loadtob"
    case 27615: LoadSelectedRow(ListOfType(kTypeSearch), 0, false); return true;      // "sl-loadtoa"
    case 27616: LoadSelectedRow(ListOfType(kTypeSearch), 1, false); return true;      // "sl-loadtob"
    case 28021:                                                                       // "aq-loadtoa"
        LoadSelectedRow(ListOfType(m_knobs.queueMode[0] ? kTypeQueueA : kTypeTrackList), 0, false);
        return true;
    case 28026:                                                                       // "bq-loadtob"
        LoadSelectedRow(ListOfType(m_knobs.queueMode[1] ? kTypeQueueB : kTypeTrackList), 1, false);
        return true;
    case 28034:                                                                       // "al-loadtodeck"
    case 28035: {                                                                     // "bl-loadtodeck"
        const int deck = id == 28034 ? 0 : 1;
        const int type = ListTypeOfScrollTarget(m_knobs.target[deck]);
        if (type != 0)
            LoadSelectedRowToDeck(deck, ListOfType(type));
        return true;
    }
    case 27108: LoadNext(0); return true;         // "a-next"
    case 27208: LoadNext(1); return true;         // "b-next"
    case 27109: LoadLastPlayed(0); return true;   // "a-previous"
    case 27209: LoadLastPlayed(1); return true;   // "b-previous"
    case 28143: PlayNext(); return true;          // "tl-playnext"

    // Selecting and adding to queues.
    case 27601: SelectAllTracks(true); return true;                 // "tl-selall"
    case 27602: SelectAllTracks(false); return true;                // "tl-selnone"
    case 27606: AddTrackListSelection(kCodeQueueA); return true;    // "tl-loadtoaq"
    case 27607: AddTrackListSelection(kCodeQueueB); return true;    // "tl-loadtobq"
    case 27608: AddTrackListSelection(kCodeAutoMix); return true;   // "tl-loadtomxq"
    case 27609: AddTrackListSelection(kCodeJukebox); return true;   // "tl-loadtojbq"

    // Scrolling.
    case 27618: ScrollList(kTypeSearch, true); return true;    // "sl-scrollup"
    case 27619: ScrollList(kTypeSearch, false); return true;   // "sl-scrolldn"
    case 28019: ScrollList(kTypeQueueA, true); return true;    // "aq-scrollup"
    case 28020: ScrollList(kTypeQueueA, false); return true;   // "aq-scrolldown"
    case 28024: ScrollList(kTypeQueueB, true); return true;    // "bq-scrollup"
    case 28025: ScrollList(kTypeQueueB, false); return true;   // "bq-scrolldown"

    // Editing the queues.
    case 28022: DeleteSelectedInQueue(kTypeQueueA); return true;   // "aq-deleteseleted"
    case 28027: DeleteSelectedInQueue(kTypeQueueB); return true;   // "bq-deleteseleted"
    case 28108:                                                     // "aq-moveup"
    case 28109:                                                     // "aq-movedn"
    case 28110:                                                     // "bq-moveup"
    case 28111:                                                     // "bq-movedn"
    case 28112:                                                     // "mxq-moveup"
    case 28113: {                                                   // "mxq-movedn"
        const int type = id <= 28109 ? kTypeQueueA : id <= 28111 ? kTypeQueueB : kTypeAutoMix;
        if (TXVTrackList* list = ListOfType(type)) {
            if ((id - 28108) % 2 == 0)
                MoveQueueItemUp(*list, type);
            else
                MoveQueueItemDown(*list, type);
        }
        return true;
    }
    default:
        return false;
    }
}

void QueueLists::ScrollList(int type, bool up)
{
    if (type == kTypeTrackList) {
        // The main track list scrolls through its own commands.
        if (HWND main = m_mainWindow.GetSafeHwnd())
            ::SendMessageA(main, WM_COMMAND, MAKEWPARAM(up ? kTrackListScrollUp : kTrackListScrollDown, 0), 0);
        return;
    }
    TXVTrackList* list = ListOfType(type);
    if (!list)
        return;
    const HWND hWnd = list->GetSafeHwnd();
    ::PostMessageA(hWnd, WM_SETFOCUS, 0, 0);
    ::PostMessageA(hWnd, WM_KEYDOWN, up ? VK_UP : VK_DOWN, 0);
}

void QueueLists::OnQueueScroll(int deck, int value, int low)
{
    if (deck != 0 && deck != 1)
        return;
    const int type = ListTypeOfScrollTarget(m_knobs.target[deck]);
    if (type != 0)
        ScrollList(type, QueueScrollGoesUp(value, low));
}

void QueueLists::DeleteSelectedInQueue(int type)
{
    if (TXVTrackList* list = ListOfType(type))
        DeleteSelectedQueueItems(*list, type);
}

void QueueLists::SelectAllTracks(bool select)
{
    TXVTrackList* list = ListOfType(kTypeTrackList);
    if (!list)
        return;
    list->SetFocus();
    list->SetRedraw(FALSE);
    list->SetItemState(-1, select ? LVIS_SELECTED : 0, LVIS_SELECTED | LVIS_FOCUSED);
    list->SetRedraw(TRUE);
    m_parts.UpdateLibraryStatusLine();
}

bool QueueLists::RunTrackListMenuItem(unsigned id, int view)
{
    using namespace list_menus;
    TXVTrackList* list = ListOfType(kTypeTrackList);
    const int selected = list ? static_cast<int>(list->GetSelectedCount()) : 0;
    if (!TrackListMenuItemEnabled(id, selected, view, false))
        return false;
    const MenuChoice choice = TrackListMenuChoice(id);
    switch (choice.op) {
    case MenuOp::Command: return RunCommand(choice.command);
    case MenuOp::AddToRequestList: AddTrackListSelection(kCodeRequest); return true;
    default: return false;
    }
}

bool QueueLists::RunQueueMenuItem(TXVTrackList& list, int type, unsigned id)
{
    using namespace list_menus;
    if (!QueueMenuItemEnabled(id, type, list.GetItemCount(), static_cast<int>(list.GetSelectedCount())))
        return false;
    switch (QueueMenuChoice(id).op) {
    case MenuOp::MoveUp: return MoveQueueItemUp(list, type);
    case MenuOp::MoveDown: return MoveQueueItemDown(list, type);
    case MenuOp::MoveToTop: return MoveQueueItemToTop(list, type);
    case MenuOp::MoveToBottom: return MoveQueueItemToBottom(list, type);
    case MenuOp::DeleteSelected: return DeleteSelectedQueueItems(list, type);
    case MenuOp::Shuffle: ShuffleQueue(type); return true;
    case MenuOp::Empty: return EmptyList(list, type);
    default: return false;
    }
}

bool QueueLists::OnListNotify(HWND window, UINT code)
{
    const int type = GetListType(window);
    TXVTrackList* list = ListOfType(type);
    if (!list)
        return false;
    if (code == static_cast<UINT>(NM_CLICK) && type == kTypeTrackList) {
        m_parts.UpdateLibraryStatusLine();
        return true;
    }
    if (code != static_cast<UINT>(NM_DBLCLK))
        return false;
    switch (type) {
    case kTypeTrackList: LoadSelectedRowToIdleDeck(list, true); return true;
    case kTypeSearch:
    case kTypeRequest: LoadSelectedRowToIdleDeck(list, false); return true;
    case kTypeQueueA: LoadSelectedRow(list, 0, true); return true;
    case kTypeQueueB: LoadSelectedRow(list, 1, true); return true;
    default: return false;
    }
}
