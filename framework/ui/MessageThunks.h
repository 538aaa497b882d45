// The thunks behind the message-map macros: each cracks one message's
// parameters and calls the handler of the class that owns the map.
#pragma once

#include <windows.h>

#include "framework/ui/CRect.h"

class CWnd;
class CDC;
class CMenu;
class CScrollBar;

// Temporary or permanent wrappers for the handles a message carries.
CWnd* AfxWndFromHandle(HWND hWnd);
CDC* AfxDCFromHandle(HDC hDC);
CMenu* AfxMenuFromHandle(HMENU hMenu);
CScrollBar* AfxScrollBarFromHandle(HWND hWnd);
// WM_CTLCOLORxxx to the CTLCOLOR_xxx kind.
UINT AfxCtlColorType(UINT message);

// -- commands and notifications
template <class T, auto pfn>
BOOL AfxThunkVoid(CCmdTarget* p, AFX_MSGCALL&)
{ (static_cast<T*>(p)->*pfn)(); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkBoolEx(CCmdTarget* p, AFX_MSGCALL&)
{ return (static_cast<T*>(p)->*pfn)() ? TRUE : FALSE; }

template <class T, auto pfn>
BOOL AfxThunkId(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(c.nID); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkIdEx(CCmdTarget* p, AFX_MSGCALL& c)
{ return (static_cast<T*>(p)->*pfn)(c.nID) ? TRUE : FALSE; }

template <class T, auto pfn>
BOOL AfxThunkUpdateUI(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(c.pCmdUI); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkNotify(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(reinterpret_cast<NMHDR*>(c.lParam), &c.result); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkNotifyRange(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(c.nID, reinterpret_cast<NMHDR*>(c.lParam), &c.result); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkNotifyEx(CCmdTarget* p, AFX_MSGCALL& c)
{ return (static_cast<T*>(p)->*pfn)(c.nID, reinterpret_cast<NMHDR*>(c.lParam), &c.result) ? TRUE : FALSE; }

template <class T, auto pfn>
BOOL AfxThunkNotifyReflectEx(CCmdTarget* p, AFX_MSGCALL& c)
{ return (static_cast<T*>(p)->*pfn)(reinterpret_cast<NMHDR*>(c.lParam), &c.result) ? TRUE : FALSE; }

template <class T, auto pfn>
BOOL AfxThunkMessage(CCmdTarget* p, AFX_MSGCALL& c)
{ c.result = (static_cast<T*>(p)->*pfn)(c.wParam, c.lParam); return TRUE; }

// -- reflected drawing messages (wParam of the parent's message is kept)
template <class T, auto pfn>
BOOL AfxThunkCtlColorReflect(CCmdTarget* p, AFX_MSGCALL& c)
{
    HBRUSH hbr = (static_cast<T*>(p)->*pfn)(AfxDCFromHandle(reinterpret_cast<HDC>(c.wParam)),
                                            AfxCtlColorType(c.message));
    c.result = reinterpret_cast<LRESULT>(hbr);
    return hbr != nullptr;
}

template <class T, auto pfn>
BOOL AfxThunkDrawItemReflect(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam)); c.result = TRUE; return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkMeasureItemReflect(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam)); c.result = TRUE; return TRUE; }

// -- window messages
template <class T, auto pfn>
BOOL AfxThunkWmVoid(CCmdTarget* p, AFX_MSGCALL&)
{ (static_cast<T*>(p)->*pfn)(); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmCreate(CCmdTarget* p, AFX_MSGCALL& c)
{ c.result = (static_cast<T*>(p)->*pfn)(reinterpret_cast<LPCREATESTRUCT>(c.lParam)); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmEraseBkgnd(CCmdTarget* p, AFX_MSGCALL& c)
{ c.result = (static_cast<T*>(p)->*pfn)(AfxDCFromHandle(reinterpret_cast<HDC>(c.wParam))); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmSize(CCmdTarget* p, AFX_MSGCALL& c)
{
    (static_cast<T*>(p)->*pfn)(static_cast<UINT>(c.wParam), static_cast<short>(LOWORD(c.lParam)),
                               static_cast<short>(HIWORD(c.lParam)));
    return TRUE;
}

template <class T, auto pfn>
BOOL AfxThunkWmMove(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(static_cast<short>(LOWORD(c.lParam)), static_cast<short>(HIWORD(c.lParam))); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmSizing(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(static_cast<UINT>(c.wParam), reinterpret_cast<LPRECT>(c.lParam)); c.result = TRUE; return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmTimer(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(static_cast<UINT_PTR>(c.wParam)); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmMouse(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(static_cast<UINT>(c.wParam), CPoint(c.lParam)); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmMouseWheel(CCmdTarget* p, AFX_MSGCALL& c)
{
    c.result = (static_cast<T*>(p)->*pfn)(LOWORD(c.wParam), static_cast<short>(HIWORD(c.wParam)), CPoint(c.lParam));
    return TRUE;
}

template <class T, auto pfn>
BOOL AfxThunkWmMouseActivate(CCmdTarget* p, AFX_MSGCALL& c)
{
    c.result = (static_cast<T*>(p)->*pfn)(AfxWndFromHandle(reinterpret_cast<HWND>(c.wParam)),
                                          LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}

template <class T, auto pfn>
BOOL AfxThunkWmSetCursor(CCmdTarget* p, AFX_MSGCALL& c)
{
    c.result = (static_cast<T*>(p)->*pfn)(AfxWndFromHandle(reinterpret_cast<HWND>(c.wParam)),
                                          LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}

template <class T, auto pfn>
BOOL AfxThunkWmNcHitTest(CCmdTarget* p, AFX_MSGCALL& c)
{ c.result = (static_cast<T*>(p)->*pfn)(CPoint(c.lParam)); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmKey(CCmdTarget* p, AFX_MSGCALL& c)
{
    (static_cast<T*>(p)->*pfn)(static_cast<UINT>(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam));
    return TRUE;
}

template <class T, auto pfn>
BOOL AfxThunkWmFocus(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(AfxWndFromHandle(reinterpret_cast<HWND>(c.wParam))); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmCaptureChanged(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(AfxWndFromHandle(reinterpret_cast<HWND>(c.lParam))); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmScroll(CCmdTarget* p, AFX_MSGCALL& c)
{
    (static_cast<T*>(p)->*pfn)(LOWORD(c.wParam), static_cast<short>(HIWORD(c.wParam)),
                               AfxScrollBarFromHandle(reinterpret_cast<HWND>(c.lParam)));
    return TRUE;
}

template <class T, auto pfn>
BOOL AfxThunkWmCtlColor(CCmdTarget* p, AFX_MSGCALL& c)
{
    HBRUSH hbr = (static_cast<T*>(p)->*pfn)(AfxDCFromHandle(reinterpret_cast<HDC>(c.wParam)),
                                            AfxWndFromHandle(reinterpret_cast<HWND>(c.lParam)),
                                            AfxCtlColorType(c.message));
    c.result = reinterpret_cast<LRESULT>(hbr);
    return TRUE;
}

template <class T, auto pfn>
BOOL AfxThunkWmDrawItem(CCmdTarget* p, AFX_MSGCALL& c)
{
    (static_cast<T*>(p)->*pfn)(static_cast<int>(c.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}

template <class T, auto pfn>
BOOL AfxThunkWmMeasureItem(CCmdTarget* p, AFX_MSGCALL& c)
{
    (static_cast<T*>(p)->*pfn)(static_cast<int>(c.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam));
    c.result = TRUE;
    return TRUE;
}

template <class T, auto pfn>
BOOL AfxThunkWmContextMenu(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(AfxWndFromHandle(reinterpret_cast<HWND>(c.wParam)), CPoint(c.lParam)); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmDropFiles(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(reinterpret_cast<HDROP>(c.wParam)); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmShowWindow(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(static_cast<BOOL>(c.wParam), static_cast<UINT>(c.lParam)); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmWindowPos(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(reinterpret_cast<WINDOWPOS*>(c.lParam)); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmMinMax(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(reinterpret_cast<MINMAXINFO*>(c.lParam)); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmActivate(CCmdTarget* p, AFX_MSGCALL& c)
{
    (static_cast<T*>(p)->*pfn)(LOWORD(c.wParam), AfxWndFromHandle(reinterpret_cast<HWND>(c.lParam)),
                               HIWORD(c.wParam) != 0);
    return TRUE;
}

template <class T, auto pfn>
BOOL AfxThunkWmBool(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(static_cast<BOOL>(c.wParam)); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmGetDlgCode(CCmdTarget* p, AFX_MSGCALL& c)
{ c.result = (static_cast<T*>(p)->*pfn)(); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmSysCommand(CCmdTarget* p, AFX_MSGCALL& c)
{ (static_cast<T*>(p)->*pfn)(static_cast<UINT>(c.wParam), c.lParam); return TRUE; }

template <class T, auto pfn>
BOOL AfxThunkWmInitMenuPopup(CCmdTarget* p, AFX_MSGCALL& c)
{
    (static_cast<T*>(p)->*pfn)(AfxMenuFromHandle(reinterpret_cast<HMENU>(c.wParam)), LOWORD(c.lParam),
                               HIWORD(c.lParam) != 0);
    return TRUE;
}
