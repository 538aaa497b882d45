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

// The child window of a skin item's control, null when there is none. The
// ids are compared as the 32 bits a child keeps: GetDlgItem compares them
// widened to a pointer, in which a negative id (sign-extended) never
// matches the zero-extended id a 64-bit child was created with.
inline HWND FindSkinWindow(HWND mainWindow, int32_t itemId)
{
    if (!mainWindow)
        return nullptr;
    const UINT id = SkinWindowId(itemId);
    for (HWND child = ::GetWindow(mainWindow, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (static_cast<UINT>(::GetDlgCtrlID(child)) == id)
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
