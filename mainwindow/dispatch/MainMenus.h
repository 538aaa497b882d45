// The two popup menus of the main window's "mainmenu" and "me-file"
// buttons: their items and what each does, and the menus' drawing style.
// Window-free; the resources (MainMenus.rc) hold the same items.
#pragma once

#include <cstddef>

namespace main_menus {

const unsigned kMainMenuResource = 248;
const unsigned kFileMenuResource = 275;

// The modeless windows the main window owns and can show.
enum class ModelessWindow {
    SearchBox, AdvancedSearch, MasterMixer, CommView, AudioJukebox, SoundEffects,
    WaitingWindow, FXConfig, VideoJukebox, OutputText,
};

// The handlers of other parts of the main window that a menu item runs.
enum class MenuHandler {
    AddMusicWizard,        // the wizard, then the tree selection and the library tree
    LibraryUtilities, ExportFunctions, SwitchLibrary, SkinBrowser,
    ResetTracklistOrder, ResetColumnWidths, ResetWindowPositions, ToggleListIcons,
    StartupOptions, SkinsPage, TutorialsPage,
    NewPlaylist,           // the new-playlist prompt, then the library tree
    BackupLibrary, BackupPlaylists, ImportM3UPlaylist, ImportOldPlaylists,
};

enum class MenuAction {
    Command,   // the main window's command (value: its id)
    Exit,      // the shutdown
    Show,      // show a modeless window (value: a ModelessWindow)
    Handler,   // value: a MenuHandler
};

struct MenuItem
{
    unsigned id;
    const char* text;
    MenuAction action;
    unsigned value;
};

extern const MenuItem kMainMenuItems[];
extern const size_t kMainMenuItemCount;
extern const MenuItem kFileMenuItems[];
extern const size_t kFileMenuItemCount;

// The item of that id, or null.
const MenuItem* FindMenuItem(const MenuItem* items, size_t count, unsigned id);

// The menus' drawing style for MAIN/MenuStyle: 0 gives 4, 1 gives 8, 2
// gives 6, 3 gives 2, 4 gives 10, anything else 0.
int MenuDrawStyle(int menuStyleSetting);

// The title band's flags: 0x42 when MAIN/MenuTitle is non-zero, else 0x40.
int MenuTitleFlags(int menuTitleSetting);

const char* MenuHandlerName(MenuHandler handler);
const char* ModelessWindowName(ModelessWindow window);

} // namespace main_menus
