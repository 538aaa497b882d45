#include "mainwindow/parts/ProgramParts.h"

#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/library/LibraryViews.h"
#include "skin/file/Skin.h"

#include <commctrl.h>

ProgramParts::ProgramParts(MainDialog& dialog) : m_dialog(dialog)
{
}

ProgramParts::~ProgramParts() = default;

// ---- The library tree, views, search and filter (mainwindow/library).

LibraryViews& ProgramParts::Library()
{
    if (!m_library)
        m_library.reset(new LibraryViews(*this));
    if (!m_bLibraryAttached && m_dialog.GetSafeHwnd()) {
        const MainSettings& s = m_dialog.GetSettings();
        LibraryViewSettings settings;
        settings.displayBadLinks = s.DisplayBadLinks;
        settings.mcInLib = s.MCInLib;
        settings.useDisplayThread = s.UseDisplayTracksThread;
        settings.mostPlayedNum = s.MostPlayedNum;
        settings.recentAddedNum = s.RecentAddedNum;
        settings.playlistFolder = s.PlaylistFolder;
        settings.historyFolder = s.HistoryFolder;
        settings.iniPath = m_dialog.GetProgramFolder() + "TavrixVJ.INI";
        m_library->Attach(m_dialog.GetSafeHwnd(), settings, &m_dialog.GetTrackImages(), &m_dialog.Queues());
        m_library->SetDisplayJobStarter([this] { return m_dialog.StartLibraryDisplayJob(); });
        m_library->LoadLibraryTreeCaptions();
        m_bLibraryAttached = true;
    }
    return *m_library;
}

void ProgramParts::BuildLibraryTree()
{
    Library().BuildLibraryTree();
}

void ProgramParts::DisplayTreeSelection()
{
    Library().DisplayTreeSelection();
}

void ProgramParts::SelectLibraryRoot()
{
    Library().SelectLibraryRoot();
}

void ProgramParts::FilterTrackList()
{
    Library().FilterTrackList();
}

bool ProgramParts::IsSearchBoxEdit(HWND hWnd)
{
    return Library().IsSearchBoxEdit(hWnd);
}

HWND ProgramParts::TrackListWindow()
{
    return Library().TrackListWindow();
}

void ProgramParts::ShowSelectedTrackInfo()
{
    Library().ShowSelectedTrackInfo();
}

bool ProgramParts::RunLibraryDisplayJob()
{
    // Runs on the display thread: the views exist since the job's start.
    return m_library && m_library->RunDisplayJob();
}

void ProgramParts::UpdateLibraryStatusLine()
{
    Library().UpdateLibraryStatusLine();
}

int ProgramParts::LibraryView()
{
    return m_library ? m_library->GetView() : 0;
}

void ProgramParts::LoadTracklistOrder()
{
    Library().LoadTracklistOrder();
}

void ProgramParts::SaveTracklistOrder()
{
    Library().SaveTracklistOrder();
}

bool ProgramParts::OnControlNotify(int id, NMHDR* header, LRESULT* result)
{
    if (header && (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW) &&
        id == TheSkin().LookupControlName("mylibrary")) {
        Library().DisplayTreeSelection();
        *result = 0;
        return true;
    }
    return false;
}

void ProgramParts::RunCommand(command_areas::CommandArea area, unsigned id)
{
    if (RunLibraryCommand(area, id))
        return;
}

bool ProgramParts::RunLibraryCommand(command_areas::CommandArea area, unsigned id)
{
    if (area != command_areas::CommandArea::LibraryView)
        return false;
    return Library().RunCommand(id);
}
