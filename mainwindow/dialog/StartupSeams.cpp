#include "mainwindow/dialog/StartupSeams.h"

#include "mainwindow/dialog/MainDialog.h"

const char* StartupSeamName(StartupSeam seam)
{
    switch (seam) {
    case StartupSeam::MenuDrawStyle: return "menu draw style";
    case StartupSeam::SkinBrowser: return "skin browser";
    case StartupSeam::MenuTextMap: return "menu text map";
    case StartupSeam::SoundEffectsTable: return "sound effects table";
    case StartupSeam::FolderListingJob: return "folder listing job";
    case StartupSeam::LibraryDisplayJob: return "library display job";
    case StartupSeam::PopupList: return "popup list";
    case StartupSeam::AudioJukebox: return "audio jukebox";
    case StartupSeam::CDPlayer: return "CD player";
    case StartupSeam::AdvancedSearch: return "advanced search";
    case StartupSeam::CommView: return "Comm View";
    case StartupSeam::SoundEffects: return "sound effects";
    case StartupSeam::SearchBox: return "search box";
    case StartupSeam::MIDIController: return "MIDI controller";
    case StartupSeam::MIDIShutdown: return "MIDI shutdown";
    case StartupSeam::StopCommServer: return "request server stop";
    case StartupSeam::DeckStop: return "deck stop";
    case StartupSeam::DeckSettings: return "deck gains and EQ";
    case StartupSeam::SaveHistoryList: return "history list";
    case StartupSeam::TrackListColumns: return "track list columns";
    case StartupSeam::PopupWindowPos: return "popup list place";
    case StartupSeam::TextOutputSettings: return "text output settings";
    case StartupSeam::TreeFonts: return "tree fonts";
    }
    return "?";
}

void RunStartupSeam(const MainDialog& dialog, StartupSeam seam)
{
    CString text;
    text.Format("Not yet part of the program: %s", StartupSeamName(seam));
    dialog.Log(text);
}
