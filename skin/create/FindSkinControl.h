// FindSkinControl: a control the skin placed on the main window, found by
// its window: every control the builders make is a child of the main window
// whose window id is the skin item's id as the skin's creators give it
// (SkinWindowId), and whose object is bound to its window. Null when the
// skin placed no such control or the window is of another class.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/ui/CWnd.h"

// The window id of a skin item's control: a button's command id, or the
// negative control id of a named control, as the creators pass it.
inline UINT SkinWindowId(int32_t itemId)
{
    return static_cast<UINT>(itemId);
}

template <class T>
T* FindSkinControl(HWND mainWindow, int32_t itemId)
{
    if (!mainWindow)
        return nullptr;
    HWND hWnd = ::GetDlgItem(mainWindow, static_cast<int>(SkinWindowId(itemId)));
    if (!hWnd)
        return nullptr;
    return dynamic_cast<T*>(CWnd::FromHandlePermanent(hWnd));
}
