#include "mainwindow/build/MainListOwner.h"

#include "mainwindow/build/MainControls.h"
#include "mainwindow/dialog/MainDialog.h"

void MainListOwner::ShowSelectedTrackInfo()
{
    m_dialog.Parts().ShowSelectedTrackInfo();
}

void MainListOwner::SetSortStatus(const CString& text)
{
    if (TXVStatusField* field = m_controls.FindStatusField("s-tracklist"))
        field->SetText(text);
}

bool MainListOwner::IsInHistory(const CString& path)
{
    auto& history = m_dialog.Queues().history;
    for (INT_PTR i = 0; i < history.GetSize(); ++i) {
        if (history[i].m_FileName.CompareNoCase(path) == 0)
            return true;
    }
    return false;
}

bool MainListOwner::ShowPlayedSongIcon()
{
    return m_dialog.GetSettings().ShowPlayedSongIcon;
}

int MainListOwner::GetLibraryView()
{
    return m_dialog.GetMainListView();
}

bool MainListOwner::DisplayBadLinks()
{
    return m_dialog.GetSettings().DisplayBadLinks;
}
