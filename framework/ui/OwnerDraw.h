// Shared by the controls that can be owner-drawn: a parent's WM_DRAWITEM or
// WM_MEASUREITEM about the control goes to the control's reflect entries,
// else to its DrawItem or MeasureItem; either way the parent does not see it.
#pragma once

#include <windows.h>

template <class T>
BOOL AfxOwnerDrawNotify(T* pCtl, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (pCtl->ReflectChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    if (message == WM_DRAWITEM) {
        pCtl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    }
    if (message == WM_MEASUREITEM) {
        pCtl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    }
    return FALSE;
}
