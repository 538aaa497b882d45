#include "mainwindow/dispatch/MainMenus.h"

namespace main_menus {

namespace {

constexpr unsigned Show(ModelessWindow w) { return static_cast<unsigned>(w); }
constexpr unsigned Run(MenuHandler h) { return static_cast<unsigned>(h); }

} // namespace

const MenuItem kMainMenuItems[] = {
    {32877, "About Tavrix", MenuAction::Command, 27001},
    {32879, "Minimize", MenuAction::Command, 27003},
    {32880, "Exit Tavrix", MenuAction::Exit, 0},
    {32881, "Music Library Manager", MenuAction::Command, 27408},
    {32906, "Add Music Wizard", MenuAction::Handler, Run(MenuHandler::AddMusicWizard)},
    {32901, "Library Utilities", MenuAction::Handler, Run(MenuHandler::LibraryUtilities)},
    {32900, "Export Functions", MenuAction::Handler, Run(MenuHandler::ExportFunctions)},
    {32944, "Switch Library", MenuAction::Handler, Run(MenuHandler::SwitchLibrary)},
    {32885, "Library Search", MenuAction::Show, Show(ModelessWindow::SearchBox)},
    {32886, "HDD Search", MenuAction::Show, Show(ModelessWindow::AdvancedSearch)},
    {32882, "Configuration", MenuAction::Command, 27004},
    {32884, "Master Mixer", MenuAction::Show, Show(ModelessWindow::MasterMixer)},
    {32883, "Communications", MenuAction::Show, Show(ModelessWindow::CommView)},
    {32893, "Skin Browser", MenuAction::Handler, Run(MenuHandler::SkinBrowser)},
    {32958, "Reset Main List Column Order", MenuAction::Handler, Run(MenuHandler::ResetTracklistOrder)},
    {32913, "Reset Main List Column Widths", MenuAction::Handler, Run(MenuHandler::ResetColumnWidths)},
    {32914, "Reset Window Positions", MenuAction::Handler, Run(MenuHandler::ResetWindowPositions)},
    {32942, "Toggle List/Icons", MenuAction::Handler, Run(MenuHandler::ToggleListIcons)},
    {32967, "Startup Options", MenuAction::Handler, Run(MenuHandler::StartupOptions)},
    {32887, "View Play History", MenuAction::Command, 27414},
    {32888, "View Request List", MenuAction::Command, 27411},
    {32889, "Audio Jukebox", MenuAction::Show, Show(ModelessWindow::AudioJukebox)},
    {32890, "Video Jukebox", MenuAction::Command, 27415},
    {32891, "Sound Effects", MenuAction::Show, Show(ModelessWindow::SoundEffects)},
    {32892, "CD Player", MenuAction::Command, 27416},
    {32878, "Help Manual (Online)", MenuAction::Command, 27002},
    {32895, "Get More Skins (Online)", MenuAction::Handler, Run(MenuHandler::SkinsPage)},
    {32907, "Tutorials (Online)", MenuAction::Handler, Run(MenuHandler::TutorialsPage)},
};
const size_t kMainMenuItemCount = sizeof kMainMenuItems / sizeof kMainMenuItems[0];

const MenuItem kFileMenuItems[] = {
    {32924, "New Library", MenuAction::Handler, Run(MenuHandler::SwitchLibrary)},
    {32965, "New Playlist", MenuAction::Handler, Run(MenuHandler::NewPlaylist)},
    {32964, "Backup Library", MenuAction::Handler, Run(MenuHandler::BackupLibrary)},
    {32983, "Backup Playlists", MenuAction::Handler, Run(MenuHandler::BackupPlaylists)},
    {32988, "Import M3U Playlist", MenuAction::Handler, Run(MenuHandler::ImportM3UPlaylist)},
    {32989, "Import Tavrix V4 Playlists", MenuAction::Handler, Run(MenuHandler::ImportOldPlaylists)},
    {32926, "Exit", MenuAction::Exit, 0},
};
const size_t kFileMenuItemCount = sizeof kFileMenuItems / sizeof kFileMenuItems[0];

const MenuItem* FindMenuItem(const MenuItem* items, size_t count, unsigned id)
{
    for (size_t i = 0; i < count; ++i)
        if (items[i].id == id)
            return &items[i];
    return nullptr;
}

int MenuDrawStyle(int menuStyleSetting)
{
    static const int kStyles[] = {4, 8, 6, 2, 10};
    if (menuStyleSetting < 0 || menuStyleSetting > 4)
        return 0;
    return kStyles[menuStyleSetting];
}

int MenuTitleFlags(int menuTitleSetting)
{
    return menuTitleSetting != 0 ? 0x42 : 0x40;
}

const char* MenuHandlerName(MenuHandler handler)
{
    switch (handler) {
    case MenuHandler::AddMusicWizard: return "add music wizard";
    case MenuHandler::LibraryUtilities: return "library utilities";
    case MenuHandler::ExportFunctions: return "export functions";
    case MenuHandler::SwitchLibrary: return "switch library";
    case MenuHandler::SkinBrowser: return "skin browser";
    case MenuHandler::ResetTracklistOrder: return "reset track list order";
    case MenuHandler::ResetColumnWidths: return "reset column widths";
    case MenuHandler::ResetWindowPositions: return "reset window positions";
    case MenuHandler::ToggleListIcons: return "toggle list and icons";
    case MenuHandler::StartupOptions: return "startup options";
    case MenuHandler::SkinsPage: return "skins page";
    case MenuHandler::TutorialsPage: return "tutorials page";
    case MenuHandler::NewPlaylist: return "new playlist";
    case MenuHandler::BackupLibrary: return "backup library";
    case MenuHandler::BackupPlaylists: return "backup playlists";
    case MenuHandler::ImportM3UPlaylist: return "import M3U playlist";
    case MenuHandler::ImportOldPlaylists: return "import old playlists";
    }
    return "?";
}

const char* ModelessWindowName(ModelessWindow window)
{
    switch (window) {
    case ModelessWindow::SearchBox: return "search box";
    case ModelessWindow::AdvancedSearch: return "advanced search";
    case ModelessWindow::MasterMixer: return "master mixer";
    case ModelessWindow::CommView: return "Comm View";
    case ModelessWindow::AudioJukebox: return "audio jukebox";
    case ModelessWindow::SoundEffects: return "sound effects";
    case ModelessWindow::WaitingWindow: return "waiting window";
    case ModelessWindow::FXConfig: return "deck effects window";
    case ModelessWindow::VideoJukebox: return "video jukebox";
    case ModelessWindow::OutputText: return "text output";
    }
    return "?";
}

} // namespace main_menus
