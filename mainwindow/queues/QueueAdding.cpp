// QueueLists: adding files, the main track list's selection, playlists and
// folders to the queues.
#include "mainwindow/queues/QueueLists.h"

#include "foundation/app/MessageTexts.h"
#include "foundation/tracks/TrackArrays.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/Prompts.h"
#include "library/api/TagInfo.h"
#include "library/api/VIZU.h"
#include "mainwindow/parts/MainWindowParts.h"
#include "skin/tracklist/TXVTrackList.h"
#include "skin/tracklist/TrackListRules.h"

using namespace queue_rules;

namespace {

const char kAddQuestion[] = "Would you like to add this list to the existing cued items?\n"
                            "If you choose no, the existing queue will be cleared.";
const char kCaption[] = "TAVRIX PRO DJ";

} // namespace

bool QueueLists::AddFileToQueue(const CString& path, int target)
{
    if (!VIZU::Exists(path)) {
        ShowMessageById(MSG_BADLINK);
        return false;
    }
    TAG_INFO info{};
    VIZU::GetTagInfo(path, &info);
    CTrackRecord record;
    VIZU::CopyTagInfoToRecord(&record, &info);

    const AddTarget kind = AddTargetOf(target);
    TrackArray* tracks = ArrayOfTarget(m_arrays, target);
    switch (kind) {
    case AddTarget::MainList:
    case AddTarget::RequestList:
    case AddTarget::DArederoQueue: {
        // The running number of the list: its owner value, never reset.
        TXVTrackList* list = ListOfCode(target);
        const int index = list ? list->GetOwnerValue() : m_nextIndex[target];
        record.m_Index = index;
        tracks->Add(record);
        if (list) {
            VIZU::InsertRecIntoList(list, &list->GetSmallImages(), &record, true);
            list->SetOwnerValue(index + 1);
        } else {
            m_nextIndex[target] = index + 1;
        }
        if (kind == AddTarget::MainList) {
            Caption(target);
        } else if (kind == AddTarget::RequestList) {
            m_parts.UpdateRequestListCaption();
            Caption(kCodeRequest);
        }
        break;
    }
    case AddTarget::JukeboxWindow:
        tracks->Add(record);
        m_parts.FillJukeboxQueue();
        break;
    case AddTarget::PopupOnly:
        tracks->Add(record);
        m_parts.RefillPopupList(target);
        break;
    case AddTarget::Nothing:
        break;
    }
    return true;
}

void QueueLists::AddTrackListSelection(int target)
{
    TXVTrackList* list = ListOfType(kTypeTrackList);
    if (!list)
        return;
    int row = list->GetNextItem(-1, LVNI_SELECTED);
    while (row >= 0) {
        VIZU::ProcessMessages();
        if (!list->GetSafeHwnd() || row >= list->GetItemCount())
            break;
        const int next = list->GetNextItem(row, LVNI_SELECTED);
        // A missing file shows its notice; the loop goes on.
        AddFileToQueue(list->GetItemText(row, tracklist_rules::COL_PATH), target);
        row = next;
    }
}

int QueueLists::AskAddToQueue(const TrackArray& queue, bool withCancel)
{
    if (queue.GetSize() == 0)
        return kAnswerNone;
    const UINT type = (withCancel ? MB_YESNOCANCEL : MB_YESNO) | MB_ICONQUESTION;
    return AfxPromptMessageBox(m_mainWindow.GetSafeHwnd(), kAddQuestion, kCaption, type);
}

bool QueueLists::ReadPlaylist(const CString& path, TrackArray& tracks, bool emptyFirst)
{
    // A file that cannot be opened raises the file exception before the
    // array changes: the queue stays as it was.
    try {
        LoadXmlTrackList<VIZU>(path, tracks, emptyFirst);
        return true;
    } catch (CException&) {
        return false;
    }
}

bool QueueLists::ReadFolder(const CString& folder, TrackArray& tracks, bool emptyFirst)
{
    try {
        LoadFolderTracks<VIZU>(folder, tracks, emptyFirst);
        return true;
    } catch (CException&) {
        return false;
    }
}

bool QueueLists::LoadPlaylistIntoQueue(const CString& path, int type)
{
    if (type != kTypeQueueA && type != kTypeQueueB && type != kTypeJukebox && type != kTypeAutoMix)
        return true;
    TrackArray& tracks = *ArrayOf(type);
    const int answer = AskAddToQueue(tracks, false);
    ReadPlaylist(path, tracks, EmptyFirst(answer));
    if (type == kTypeJukebox) {
        m_parts.FillJukeboxQueue();
        m_parts.UpdateJukeboxStatus();
        return true;
    }
    ShowInList(type);
    Caption(CaptionCodeOfType(type));
    return true;
}

void QueueLists::LoadIntoMenuQueue(int type, Source source)
{
    TrackArray& tracks = *ArrayOf(type);
    const int answer = AskAddToQueue(tracks, true);
    if (answer == kAnswerCancel)
        return;
    // Nothing selected: nothing to read (an empty folder path would list
    // the root of the current drive).
    const CString path = source == Source::Playlist
                             ? m_parts.GetSelectedPlaylistPath()
                             : m_parts.GetSelectedFolderPath(source == Source::LibraryTreeFolder);
    if (path.IsEmpty())
        return;
    if (source == Source::Playlist)
        ReadPlaylist(path, tracks, EmptyFirst(answer));
    else
        ReadFolder(path, tracks, EmptyFirst(answer));

    if (type == kTypeAutoMix) {
        ShowInList(kTypeAutoMix);
        Caption(kCodeAutoMix);
        if (!m_parts.IsAutoMixRunning())
            m_parts.ToggleAutoMix();
        return;
    }
    m_parts.FillJukeboxQueue();
    m_parts.UpdateJukeboxStatus();
    if (!m_parts.IsJukeboxPlaying())
        m_parts.PlayNextInJukebox();
    m_parts.ShowModeless(main_menus::ModelessWindow::AudioJukebox);
}

void QueueLists::LoadPlaylistIntoAutoMixQueue()
{
    LoadIntoMenuQueue(kTypeAutoMix, Source::Playlist);
}

void QueueLists::LoadPlaylistIntoJukeboxQueue()
{
    LoadIntoMenuQueue(kTypeJukebox, Source::Playlist);
}

void QueueLists::LoadFolderIntoAutoMixQueue(bool fromLibraryTree)
{
    LoadIntoMenuQueue(kTypeAutoMix, fromLibraryTree ? Source::LibraryTreeFolder : Source::MyComputerFolder);
}

void QueueLists::LoadFolderIntoJukeboxQueue(bool fromLibraryTree)
{
    LoadIntoMenuQueue(kTypeJukebox, fromLibraryTree ? Source::LibraryTreeFolder : Source::MyComputerFolder);
}

bool QueueLists::LoadAutoMixQueue(const CString& path)
{
    const bool read = ReadPlaylist(path, m_arrays.autoMix, true);
    ShowInList(kTypeAutoMix);
    return read;
}
