// How input reaches the main window: commands routed by area, the key
// rules after the accelerators, and the "mainmenu" and "me-file" popups.
#include "mainwindow/dialog/MainDialog.h"

#include "skin/file/Skin.h"
#include "widgets/menus/NewMenu.h"

using namespace command_areas;
using namespace key_rules;
using namespace main_menus;

namespace {

const COLORREF kMenuTitleText = 0xD54600;
const COLORREF kMenuTitleBand = 0xFFFFFF;

} // namespace

void MainDialog::RunCommand(UINT id)
{
    SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void MainDialog::OnVocabularyCommand(UINT id)
{
    const CommandArea area = AreaOfCommand(id);
    switch (area) {
    case CommandArea::NoEntry:
    case CommandArea::DoesNothing:
        return;
    case CommandArea::Close:
        ExitProgram();
        return;
    case CommandArea::MainMenu:
        OnMainMenu();
        return;
    case CommandArea::FileMenu:
        OnFileMenu();
        return;
    default:
        Parts().RunCommand(area, id);
        return;
    }
}

// ---------------------------------------------------------------- keys

KeyTarget MainDialog::KeyTargetOf(HWND hWnd) const
{
    if (!hWnd)
        return KeyTarget::Other;
    if (Parts().IsSearchBoxEdit(hWnd))
        return KeyTarget::SearchBoxEdit;
    if (::GetParent(hWnd) != m_hWnd)
        return KeyTarget::Other;
    const int id = ::GetDlgCtrlID(hWnd);
    if (id == 0)
        return KeyTarget::Other;
    for (const char* name : kTargetControlNames)
        if (TheSkin().LookupControlName(name) == id)
            return TargetOfControlName(name);
    return KeyTarget::Other;
}

BOOL MainDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!IsKeyboardMessage(pMsg->message))
        return CDialog::PreTranslateMessage(pMsg);
    if (m_hAccel && ::TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg))
        return TRUE;

    const KeyDecision decision =
        DecideKey(pMsg->message, static_cast<unsigned>(pMsg->wParam), KeyTargetOf(pMsg->hwnd));
    MainWindowParts& parts = Parts();
    switch (decision.action) {
    case KeyAction::PassOn:
        return CDialog::PreTranslateMessage(pMsg);
    case KeyAction::NotConsumed:
        return FALSE;
    case KeyAction::Consume:
        return TRUE;
    case KeyAction::DeleteQueueItems:
        parts.DeleteSelectedQueueItems(decision.listCode);
        return TRUE;
    case KeyAction::DeletePlaylist:
        parts.DeletePlaylist();
        return TRUE;
    case KeyAction::SearchGo:
        RunCommand(27611);
        ::SetFocus(m_hWnd);
        return TRUE;
    case KeyAction::FilterTrackList:
        parts.FilterTrackList();
        if (HWND list = parts.TrackListWindow())
            ::SetFocus(list);
        return TRUE;
    case KeyAction::OpenJukeListItem:
        parts.OpenJukeListItem();
        return TRUE;
    }
    return TRUE;
}

// ---------------------------------------------------------------- the two popups

void MainDialog::OnMainMenu()
{
    RunMainPopup(kMainMenuResource, "Main Menu", kMainMenuItems, kMainMenuItemCount, 0);
}

void MainDialog::OnFileMenu()
{
    RunMainPopup(kFileMenuResource, "File Menu", kFileMenuItems, kFileMenuItemCount, TPM_VERPOSANIMATION);
}

void MainDialog::RunMainPopup(UINT resource, const char* title, const MenuItem* items, size_t count,
                              UINT extraFlags)
{
    // 1. The style of MAIN/MenuStyle; 2. the resource's first popup.
    const int style = MenuDrawStyle(m_settings.MenuStyle);
    CNewMenu::SetDrawStyle(static_cast<UINT>(style));
    CNewMenu::SetDrawStyle(static_cast<UINT>(style));
    CNewMenu menu;
    if (!menu.LoadMenu(resource))
        return;
    CNewMenu* popup = menu.GetSubMenu(0);
    if (!popup) {
        menu.DestroyMenu();
        return;
    }
    // 3. The title band.
    popup->SetMenuTitle(title, MenuTitleFlags(m_settings.MenuTitle));
    popup->SetTitleColors(kMenuTitleText, kMenuTitleBand, kMenuTitleBand);
    // 4. At the cursor; the choice comes back as a number.
    POINT at = {0, 0};
    ::GetCursorPos(&at);
    const UINT chosen = Parts().RunMenu(*popup, *this, at, TPM_RIGHTBUTTON | TPM_RETURNCMD | extraFlags);
    // 5. The chosen item; 6. the title out, the menu gone.
    if (const MenuItem* item = FindMenuItem(items, count, chosen))
        CarryOutMenuItem(*item);
    popup->DeleteMenu(0, MF_BYPOSITION);
    menu.DestroyMenu();
}

void MainDialog::CarryOutMenuItem(const MenuItem& item)
{
    switch (item.action) {
    case MenuAction::Command:
        RunCommand(item.value);
        return;
    case MenuAction::Exit:
        ExitProgram();
        return;
    case MenuAction::Show:
        Parts().ShowModeless(static_cast<ModelessWindow>(item.value));
        return;
    case MenuAction::Handler:
        RunMenuHandler(static_cast<MenuHandler>(item.value));
        return;
    }
}

void MainDialog::RunMenuHandler(MenuHandler handler)
{
    MainWindowParts& parts = Parts();
    switch (handler) {
    case MenuHandler::AddMusicWizard:
        if (!parts.RunAddMusicWizard())
            Log("Not yet part of the program: add music wizard");
        parts.DisplayTreeSelection();
        parts.BuildLibraryTree();
        return;
    case MenuHandler::NewPlaylist:
        parts.RunMenuHandler(handler);
        parts.BuildLibraryTree();
        return;
    default:
        parts.RunMenuHandler(handler);
        return;
    }
}

BOOL MainDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    // A control's own notification (the library views), by its control id.
    LRESULT result = 0;
    if (header && Parts().OnControlNotify(static_cast<int>(static_cast<short>(LOWORD(header->idFrom))), header,
                                          &result)) {
        if (pResult)
            *pResult = result;
        return TRUE;
    }
    if (CDialog::OnNotify(wParam, lParam, pResult))
        return TRUE;
    // The lists' clicks and double-clicks (the queues).
    if (!header || !Parts().OnListNotify(header->hwndFrom, header->code))
        return FALSE;
    if (pResult)
        *pResult = 0;
    return TRUE;
}

void MainDialog::OnContextMenu(CWnd* pWnd, CPoint pos)
{
    POINT at = {pos.x, pos.y};
    Parts().OnContextMenu(pWnd ? pWnd->GetSafeHwnd() : nullptr, at);
}
