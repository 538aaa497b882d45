#include "tests/audio/players/PopupItems.h"

#include "widgets/menus/NewMenu.h"

std::string PopupTitle(CNewMenu& popup)
{
    CNewMenuItemDataTitle* title = popup.GetTitleItem();
    if (!title)
        return std::string();
    return title->m_szMenuText.GetString() + std::string((title->m_nTitleFlags & 64) ? " 64" : "");
}

std::vector<std::string> PopupItems(CNewMenu& popup, bool withSeparators)
{
    std::vector<std::string> items;
    CNewMenuItemDataTitle* title = popup.GetTitleItem();
    const int count = ::GetMenuItemCount(popup.m_hMenu);
    for (int i = 0; i < count; ++i) {
        const UINT state = ::GetMenuState(popup.m_hMenu, static_cast<UINT>(i), MF_BYPOSITION);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        ::GetMenuItemInfoA(popup.m_hMenu, static_cast<UINT>(i), TRUE, &info);
        CNewMenuItemData* record = popup.FindRecord(info.dwItemData);
        if (!record || record == title)
            continue;
        if (record->IsSeparator()) {
            if (withSeparators)
                items.push_back("-");
            continue;
        }
        items.push_back(std::string(record->m_szMenuText.GetString()) + ((state & MF_GRAYED) ? " (grey)" : ""));
    }
    return items;
}
