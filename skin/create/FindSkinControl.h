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

// The child window of a skin item's control, or null. The system's search
// comes first; where it misses, the window id is compared in 32 bits (a
// negative control id stored zero-extended is not found by GetDlgItem on
// 64-bit Windows).
inline HWND FindSkinWindow(HWND mainWindow, int32_t itemId)
{
    if (!mainWindow)
        return nullptr;
    if (HWND hWnd = ::GetDlgItem(mainWindow, static_cast<int>(SkinWindowId(itemId))))
        return hWnd;
    for (HWND child = ::GetWindow(mainWindow, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (static_cast<UINT>(::GetWindowLongPtrA(child, GWLP_ID)) == SkinWindowId(itemId))
            return child;
    return nullptr;
}

template <class T>
T* FindSkinControl(HWND mainWindow, int32_t itemId)
{
    HWND hWnd = FindSkinWindow(mainWindow, itemId);
    if (!hWnd)
        return nullptr;
    return dynamic_cast<T*>(CWnd::FromHandlePermanent(hWnd));
}
