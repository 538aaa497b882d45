// Which part of the main window a command id belongs to: the one table by
// which the main window routes every WM_COMMAND it receives. Window-free.
#pragma once

#include <cstddef>

namespace command_areas {

enum class CommandArea {
    NoEntry,         // arrives as a value or a scroll message, or does nothing
    DoesNothing,     // an entry whose handler does nothing
    Program,         // 27001 "about", 27003 "minimize", 27008
    Help,            // 27002 "help"
    Config,          // 27004 "config"
    Close,           // 27005 "close": the shutdown
    ProgramDump,     // 27006
    MainMenu,        // 27007 "mainmenu"
    FileMenu,        // 28503 "me-file"
    Deck,            // the deck commands of decks A to D
    Preset,          // deck presets
    Mixer,           // fades, crossfader, monitor, side assignment
    AutoMix,         // random play and AutoMix
    AutoMixSettings, // 27308 "mx-automixprops"
    ListLoading,     // loading from lists to decks, queue scrolling
    LibraryView,     // library views, search, filter, list views
    LibraryManager,  // 27408
    ListEditing,     // list selection and queue editing
    Windows,         // window toggles, focus and scrolling of lists
    VideoDeck,       // the video deck on the skin
    Sampler,         // the sound-effects sampler
    AudioJukebox,    // the audio jukebox
    DAredero,        // the dAredero pane
    JogMode,         // 28016, 28017
    UnloadDeck,      // 28509, 28510
    ThumbScroll,     // 28501, 28502
    PopupMenu,       // 28505 "me-view", 28506 "me-tools", 28507 "me-help"
    TrackListMenu,   // 32812 "Properties", 32813 "Extended Properties"
};

CommandArea AreaOfCommand(unsigned id);

// The area's name, for the log.
const char* AreaName(CommandArea area);

// The first and last command ids that reach the main window.
const unsigned kFirstCommand = 27001;
const unsigned kLastCommand = 28510;

} // namespace command_areas
