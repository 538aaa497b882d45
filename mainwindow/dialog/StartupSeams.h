// The steps of start-up and shutdown whose components other parts of the
// program bring in: each is a named seam that writes one log line (while
// the log is on) and does nothing else, until that component takes its
// place here. The list: docs/mainwindow.md.
#pragma once

class MainDialog;

enum class StartupSeam
{
    MenuDrawStyle,        // the owner-drawn menus' draw style (the menus)
    SkinBrowser,          // the skin browser at start
    MenuTextMap,          // the menu-caption map
    SoundEffectsTable,    // "SoundEffects.xml" (the sampler)
    FolderListingJob,     // the folder-listing worker's job
    LibraryDisplayJob,    // the library-display worker's job
    PopupList,            // the floating popup list
    AudioJukebox,         // the audio jukebox window
    CDPlayer,             // the CD player window
    AdvancedSearch,       // the advanced disk search
    CommView,             // the Communications window
    SoundEffects,         // the sound-effects sampler
    SearchBox,            // the library search box
    MIDIController,       // opening the MIDI devices and greeting the controller
    MIDIShutdown,         // the controller's lights off and the MIDI devices closed
    StopCommServer,       // the request server
    DeckStop,             // the decks
    DeckSettings,         // the decks' gains and EQ written at exit
    SaveHistoryList,      // the history list at exit
    TrackListColumns,     // the main track list's column widths and order
    PopupWindowPos,       // the floating list's place at exit
    TextOutputSettings,   // the text output's settings at exit
    TreeFonts,            // the library and folder trees' fonts
};

// The seam's name, as its log line gives it.
const char* StartupSeamName(StartupSeam seam);

// Runs the seam: "Not yet part of the program: NAME" in the log.
void RunStartupSeam(const MainDialog& dialog, StartupSeam seam);
