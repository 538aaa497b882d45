#include "mainwindow/queues/ListContextMenus.h"

#include <commctrl.h>

#include <vector>

#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/dispatch/MainMenus.h"
#include "mainwindow/queues/ListMenuRules.h"
#include "mainwindow/queues/QueueLists.h"
#include "mainwindow/queues/QueueRules.h"
#include "skin/tracklist/TXVTrackList.h"
#include "widgets/menus/NewMenu.h"

using namespace list_menus;

namespace {

// The title band: white gradient, blue text RGB(0, 70, 213).
const COLORREF kTitleText = RGB(0, 70, 213);
const COLORREF kTitleBand = RGB(255, 255, 255);

void CollectIds(HMENU menu, std::vector<unsigned>& ids)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            CollectIds(sub, ids);
            continue;
        }
        const UINT id = ::GetMenuItemID(menu, i);
        if (id != 0 && id != static_cast<UINT>(-1))
            ids.push_back(id);
    }
}

// Where a menu opened from the keyboard (-1, -1) goes: below the first
// selected row or the caret item, else at the window's top left corner.
POINT KeyboardPoint(HWND window, bool isTree)
{
    RECT r = {0, 0, 0, 0};
    bool found = false;
    if (isTree) {
        const LPARAM item = ::SendMessageA(window, TVM_GETNEXTITEM, TVGN_CARET, 0);
        if (item) {
            *reinterpret_cast<HTREEITEM*>(&r) = reinterpret_cast<HTREEITEM>(item);
            found = ::SendMessageA(window, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)) != 0;
        }
    } else {
        const int row = static_cast<int>(::SendMessageA(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (row >= 0) {
            r.left = LVIR_LABEL;
            found = ::SendMessageA(window, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)) != 0;
        }
    }
    POINT p = found ? POINT{r.left, r.bottom} : POINT{0, 0};
    ::ClientToScreen(window, &p);
    return p;
}

} // namespace

ListContextMenus::ListContextMenus(MainDialog& dialog, QueueLists& queues, MainWindowParts& parts)
    : m_dialog(dialog), m_queues(queues), m_parts(parts)
{
}

bool ListContextMenus::Open(HWND window, POINT at)
{
    if (!window)
        return false;
    using namespace queue_rules;
    const int type = m_queues.GetListType(window);
    const bool fromKeys = at.x == -1 && at.y == -1;
    switch (type) {
    case kTypeQueueA:
    case kTypeQueueB:
    case kTypeAutoMix:
    case kTypeHistory:
    case kTypeRequest:
    case kTypeSearch:
        if (TXVTrackList* list = m_queues.ListOfType(type)) {
            ShowQueueMenu(*list, type, fromKeys ? KeyboardPoint(window, false) : at);
            return true;
        }
        return false;
    case kTypeTrackList:
        if (TXVTrackList* list = m_queues.ListOfType(type)) {
            ShowTrackListMenu(*list, fromKeys ? KeyboardPoint(window, false) : at);
            return true;
        }
        return false;
    default:
        break;
    }
    if (type == kTypeLibraryTree) {
        if (m_library.folderNodeSelected && m_library.folderNodeSelected()) {
            // The folder menu (resource 191) comes with the folder tree.
            m_dialog.Log("Not yet part of the program: folder menu");
            return true;
        }
        if (!LibraryMenuOpens(m_parts.LibraryView()))
            return false;
        ShowLibraryMenu(window, fromKeys ? KeyboardPoint(window, true) : at);
        return true;
    }
    return false;
}

UINT ListContextMenus::Run(unsigned resource, const char* title, POINT at,
                           const std::function<bool(unsigned)>& enabled)
{
    const MainSettings& settings = m_dialog.GetSettings();
    const UINT style = static_cast<UINT>(main_menus::MenuDrawStyle(settings.MenuStyle));
    CNewMenu::SetDrawStyle(style);
    CNewMenu::SetDrawStyle(style);
    CNewMenu menu;
    if (!menu.LoadMenu(resource))
        return 0;
    CNewMenu* popup = menu.GetSubMenu(0);
    if (!popup) {
        menu.DestroyMenu();
        return 0;
    }
    // The first level's captions (a missing one reads as empty).
    const int count = ::GetMenuItemCount(popup->m_hMenu);
    for (int i = 0; i < count; ++i) {
        if (::GetSubMenu(popup->m_hMenu, i))
            continue;
        const UINT id = ::GetMenuItemID(popup->m_hMenu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        const char* name = MenuTextName(id);
        const CString caption = name ? m_dialog.GetIniString("MENUTEXT", name) : CString();
        popup->SetItemText(id, caption, MF_BYCOMMAND);
    }
    popup->SetMenuTitle(title, main_menus::MenuTitleFlags(settings.MenuTitle));
    popup->SetTitleColors(kTitleText, kTitleBand, kTitleBand);
    std::vector<unsigned> ids;
    CollectIds(popup->m_hMenu, ids);
    for (unsigned id : ids)
        if (!enabled(id))
            popup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    const UINT chosen = m_parts.RunMenu(*popup, m_dialog, at, TPM_RIGHTBUTTON | TPM_RETURNCMD);
    popup->DeleteMenu(0, MF_BYPOSITION);
    menu.DestroyMenu();
    // A greyed item is never carried out, whoever answered.
    for (unsigned id : ids)
        if (id == chosen)
            return enabled(id) ? chosen : 0;
    return 0;
}

void ListContextMenus::NotYet(unsigned id)
{
    const char* name = MenuTextName(id);
    m_dialog.Log(CString("Not yet part of the program: ") + (name ? name : "menu item"));
}

void ListContextMenus::ShowTrackListMenu(TXVTrackList& list, POINT at)
{
    const int view = m_parts.LibraryView();
    auto enabled = [&](unsigned id) {
        return TrackListMenuItemEnabled(id, static_cast<int>(list.GetSelectedCount()), view, false);
    };
    const UINT chosen = Run(kTrackListMenuResource, kTrackListMenuTitle, at, enabled);
    if (!chosen)
        return;
    switch (TrackListMenuChoice(chosen).op) {
    case MenuOp::Command:
    case MenuOp::AddToRequestList:
        m_queues.RunTrackListMenuItem(chosen, view);
        return;
    case MenuOp::ResetColumns:
        m_parts.ResetColumnWidths();
        return;
    case MenuOp::None:
        return;
    default:
        NotYet(chosen);
        return;
    }
}

void ListContextMenus::ShowQueueMenu(TXVTrackList& list, int type, POINT at)
{
    auto enabled = [&](unsigned id) {
        return QueueMenuItemEnabled(id, type, list.GetItemCount(), static_cast<int>(list.GetSelectedCount()));
    };
    const UINT chosen = Run(kQueueMenuResource, QueueMenuTitle(type), at, enabled);
    if (!chosen)
        return;
    switch (QueueMenuChoice(chosen).op) {
    case MenuOp::SaveAsPlaylist:
    case MenuOp::ChangeFontSize:
        NotYet(chosen);
        return;
    case MenuOp::None:
        return;
    default:
        m_queues.RunQueueMenuItem(list, type, chosen);
        return;
    }
}

void ListContextMenus::ShowLibraryMenu(HWND, POINT at)
{
    const int view = m_parts.LibraryView();
    const CString parent = m_library.selectedParentText ? m_library.selectedParentText() : CString();
    auto enabled = [&](unsigned id) { return LibraryMenuItemEnabled(id, parent.GetString(), view); };
    const UINT chosen = Run(kLibraryMenuResource, kLibraryMenuTitle, at, enabled);
    if (!chosen)
        return;
    const LibraryMenuChoice choice = LibraryMenuItem(chosen);
    switch (choice.op) {
    case LibraryMenuOp::Command:
        m_dialog.RunCommand(choice.command);
        return;
    case LibraryMenuOp::LoadToQueue: {
        const CString path = m_parts.GetSelectedPlaylistPath();
        if (!path.IsEmpty())
            m_queues.LoadPlaylistIntoQueue(path, static_cast<int>(choice.command));
        return;
    }
    case LibraryMenuOp::AutoMixPlaylist:
        m_queues.LoadPlaylistIntoAutoMixQueue();
        return;
    case LibraryMenuOp::PlayInJukebox:
        m_queues.LoadPlaylistIntoJukeboxQueue();
        return;
    case LibraryMenuOp::None:
        return;
    default:
        NotYet(chosen);
        return;
    }
}
