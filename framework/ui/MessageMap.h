// Message maps: static tables that bind window messages, commands and
// notifications to member functions. Every entry holds a small typed thunk
// that cracks the message's parameters and calls the member, so a handler
// of the wrong signature does not compile.
//
// In the class:      DECLARE_MESSAGE_MAP()
// In the .cpp file:  BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//                        ON_COMMAND(ID_PLAY, &CMyDlg::OnPlay)
//                        ON_WM_TIMER()
//                    END_MESSAGE_MAP()
// Maps are searched from the most derived class to its bases.
#pragma once

#include <windows.h>

class CCmdTarget;
class CCmdUI;

// One message as the dispatcher hands it to a thunk.
struct AFX_MSGCALL
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;   // what the window procedure returns when handled
    UINT nID;         // command or control id (commands, notifications)
    CCmdUI* pCmdUI;   // update handlers only
};

// A thunk returns TRUE when the message counts as handled.
typedef BOOL (*AFX_MSGTHUNK)(CCmdTarget* pTarget, AFX_MSGCALL& call);

enum AfxEntryKind : UINT
{
    AfxEntryEnd = 0,
    AfxEntryMessage,         // a window message
    AfxEntryRegistered,      // a registered window message (number read at run time)
    AfxEntryCommand,         // WM_COMMAND with a notification code, id range
    AfxEntryNotify,          // WM_NOTIFY with a code, id range
    AfxEntryUpdateUI,        // command update, id range
    AfxEntryReflectCommand,  // WM_COMMAND notification reflected to the control
    AfxEntryReflectNotify,   // WM_NOTIFY reflected to the control
    AfxEntryReflectMessage,  // WM_CTLCOLOR, WM_DRAWITEM, WM_MEASUREITEM reflected
};

struct AFX_MSGMAP_ENTRY
{
    UINT kind;
    UINT nMessage;
    UINT nCode;
    UINT nID;        // compared as 16-bit ids (a template's -1 is 0xFFFF)
    UINT nLastID;
    const UINT* pnRegistered;
    AFX_MSGTHUNK pfnThunk;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();              \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                 \
    const AFX_MSGMAP* theClass::GetMessageMap() const          \
    {                                                          \
        return GetThisMessageMap();                            \
    }                                                          \
    const AFX_MSGMAP* theClass::GetThisMessageMap()            \
    {                                                          \
        using ThisClass [[maybe_unused]] = theClass;           \
        using TheBaseClass = baseClass;                        \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                      \
            {AfxEntryEnd, 0, 0, 0, 0, nullptr, nullptr}        \
        };                                                     \
        static const AFX_MSGMAP messageMap = {                 \
            &TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                    \
    }

// The message number an ON_WM_CTLCOLOR entry carries: it matches every
// WM_CTLCOLORxxx message (no real message has a number this high).
constexpr UINT AFX_WM_CTLCOLOR_ANY = 0x80000001u;

// A 16-bit control id, as WM_COMMAND carries it and as templates store -1.
#define AFX_ID16(id) static_cast<UINT>(static_cast<WORD>(id))

#include "framework/ui/MessageThunks.h"

// ---- Commands, notifications and their reflections ------------------------

// void OnCommand();
#define ON_COMMAND(id, memberFxn) \
    {AfxEntryCommand, WM_COMMAND, 0, AFX_ID16(id), AFX_ID16(id), nullptr, &AfxThunkVoid<ThisClass, memberFxn>},
// void OnCommandRange(UINT nID);
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {AfxEntryCommand, WM_COMMAND, 0, AFX_ID16(id), AFX_ID16(idLast), nullptr, &AfxThunkId<ThisClass, memberFxn>},
// BOOL OnCommandEx(UINT nID);  (FALSE passes the command on)
#define ON_COMMAND_EX(id, memberFxn) \
    {AfxEntryCommand, WM_COMMAND, 0, AFX_ID16(id), AFX_ID16(id), nullptr, &AfxThunkIdEx<ThisClass, memberFxn>},
// void OnUpdate(CCmdUI* pCmdUI);
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {AfxEntryUpdateUI, 0, 0, AFX_ID16(id), AFX_ID16(id), nullptr, &AfxThunkUpdateUI<ThisClass, memberFxn>},
// void OnControl();  (a control notification code from a child id)
#define ON_CONTROL(code, id, memberFxn) \
    {AfxEntryCommand, WM_COMMAND, static_cast<UINT>(code), AFX_ID16(id), AFX_ID16(id), nullptr, &AfxThunkVoid<ThisClass, memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// void OnNotify(NMHDR* pNMHDR, LRESULT* pResult);
#define ON_NOTIFY(code, id, memberFxn) \
    {AfxEntryNotify, WM_NOTIFY, static_cast<UINT>(code), AFX_ID16(id), AFX_ID16(id), nullptr, &AfxThunkNotify<ThisClass, memberFxn>},
// void OnNotifyRange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn) \
    {AfxEntryNotify, WM_NOTIFY, static_cast<UINT>(code), AFX_ID16(id), AFX_ID16(idLast), nullptr, &AfxThunkNotifyRange<ThisClass, memberFxn>},
// BOOL OnNotifyEx(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);  (FALSE passes it on)
#define ON_NOTIFY_EX(code, id, memberFxn) \
    {AfxEntryNotify, WM_NOTIFY, static_cast<UINT>(code), AFX_ID16(id), AFX_ID16(id), nullptr, &AfxThunkNotifyEx<ThisClass, memberFxn>},
// In a control: void OnReflect(NMHDR* pNMHDR, LRESULT* pResult);  (the parent never sees it)
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    {AfxEntryReflectNotify, WM_NOTIFY, static_cast<UINT>(code), 0, 0, nullptr, &AfxThunkNotify<ThisClass, memberFxn>},
// In a control: BOOL OnReflectEx(NMHDR* pNMHDR, LRESULT* pResult);  (FALSE lets the parent see it)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn) \
    {AfxEntryReflectNotify, WM_NOTIFY, static_cast<UINT>(code), 0, 0, nullptr, &AfxThunkNotifyReflectEx<ThisClass, memberFxn>},
// In a control: void OnReflect();  (the parent never sees it)
#define ON_CONTROL_REFLECT(code, memberFxn) \
    {AfxEntryReflectCommand, WM_COMMAND, static_cast<UINT>(code), 0, 0, nullptr, &AfxThunkVoid<ThisClass, memberFxn>},
// In a control: BOOL OnReflectEx();  (FALSE lets the parent see it)
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
    {AfxEntryReflectCommand, WM_COMMAND, static_cast<UINT>(code), 0, 0, nullptr, &AfxThunkBoolEx<ThisClass, memberFxn>},
// In a control: HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);  (NULL lets the parent colour it)
#define ON_WM_CTLCOLOR_REFLECT() \
    {AfxEntryReflectMessage, AFX_WM_CTLCOLOR_ANY, 0, 0, 0, nullptr, &AfxThunkCtlColorReflect<ThisClass, &ThisClass::CtlColor>},
// In a control: void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
#define ON_WM_DRAWITEM_REFLECT() \
    {AfxEntryReflectMessage, WM_DRAWITEM, 0, 0, 0, nullptr, &AfxThunkDrawItemReflect<ThisClass, &ThisClass::DrawItem>},
// In a control: void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
#define ON_WM_MEASUREITEM_REFLECT() \
    {AfxEntryReflectMessage, WM_MEASUREITEM, 0, 0, 0, nullptr, &AfxThunkMeasureItemReflect<ThisClass, &ThisClass::MeasureItem>},

// ---- User and registered messages ------------------------------------------

// LRESULT OnMessage(WPARAM wParam, LPARAM lParam);
#define ON_MESSAGE(message, memberFxn) \
    {AfxEntryMessage, static_cast<UINT>(message), 0, 0, 0, nullptr, &AfxThunkMessage<ThisClass, memberFxn>},
// LRESULT OnMessage(WPARAM wParam, LPARAM lParam);  (nMessageVariable: a static UINT from RegisterWindowMessage)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {AfxEntryRegistered, 0, 0, 0, 0, &(nMessageVariable), &AfxThunkMessage<ThisClass, memberFxn>},

// ---- Window messages (the handler's name and signature are fixed) ----------
#define AFX_ON_WM(message, thunk, fn) \
    {AfxEntryMessage, message, 0, 0, 0, nullptr, &thunk<ThisClass, &ThisClass::fn>},

#define ON_WM_CREATE()          AFX_ON_WM(WM_CREATE, AfxThunkWmCreate, OnCreate)                 // int OnCreate(LPCREATESTRUCT lpCreateStruct);
#define ON_WM_DESTROY()         AFX_ON_WM(WM_DESTROY, AfxThunkWmVoid, OnDestroy)                 // void OnDestroy();
#define ON_WM_NCDESTROY()       AFX_ON_WM(WM_NCDESTROY, AfxThunkWmVoid, OnNcDestroy)             // void OnNcDestroy();
#define ON_WM_CLOSE()           AFX_ON_WM(WM_CLOSE, AfxThunkWmVoid, OnClose)                     // void OnClose();
#define ON_WM_PAINT()           AFX_ON_WM(WM_PAINT, AfxThunkWmVoid, OnPaint)                     // void OnPaint();
#define ON_WM_NCPAINT()         AFX_ON_WM(WM_NCPAINT, AfxThunkWmVoid, OnNcPaint)                 // void OnNcPaint();
#define ON_WM_ERASEBKGND()      AFX_ON_WM(WM_ERASEBKGND, AfxThunkWmEraseBkgnd, OnEraseBkgnd)     // BOOL OnEraseBkgnd(CDC* pDC);
#define ON_WM_SIZE()            AFX_ON_WM(WM_SIZE, AfxThunkWmSize, OnSize)                       // void OnSize(UINT nType, int cx, int cy);
#define ON_WM_MOVE()            AFX_ON_WM(WM_MOVE, AfxThunkWmMove, OnMove)                       // void OnMove(int x, int y);
#define ON_WM_SIZING()          AFX_ON_WM(WM_SIZING, AfxThunkWmSizing, OnSizing)                 // void OnSizing(UINT fwSide, LPRECT pRect);
#define ON_WM_MOVING()          AFX_ON_WM(WM_MOVING, AfxThunkWmSizing, OnMoving)                 // void OnMoving(UINT fwSide, LPRECT pRect);
#define ON_WM_TIMER()           AFX_ON_WM(WM_TIMER, AfxThunkWmTimer, OnTimer)                    // void OnTimer(UINT_PTR nIDEvent);
#define ON_WM_LBUTTONDOWN()     AFX_ON_WM(WM_LBUTTONDOWN, AfxThunkWmMouse, OnLButtonDown)        // void OnLButtonDown(UINT nFlags, CPoint point);
#define ON_WM_LBUTTONUP()       AFX_ON_WM(WM_LBUTTONUP, AfxThunkWmMouse, OnLButtonUp)            // void OnLButtonUp(UINT nFlags, CPoint point);
#define ON_WM_LBUTTONDBLCLK()   AFX_ON_WM(WM_LBUTTONDBLCLK, AfxThunkWmMouse, OnLButtonDblClk)    // void OnLButtonDblClk(UINT nFlags, CPoint point);
#define ON_WM_RBUTTONDOWN()     AFX_ON_WM(WM_RBUTTONDOWN, AfxThunkWmMouse, OnRButtonDown)        // void OnRButtonDown(UINT nFlags, CPoint point);
#define ON_WM_RBUTTONUP()       AFX_ON_WM(WM_RBUTTONUP, AfxThunkWmMouse, OnRButtonUp)            // void OnRButtonUp(UINT nFlags, CPoint point);
#define ON_WM_RBUTTONDBLCLK()   AFX_ON_WM(WM_RBUTTONDBLCLK, AfxThunkWmMouse, OnRButtonDblClk)    // void OnRButtonDblClk(UINT nFlags, CPoint point);
#define ON_WM_MBUTTONDOWN()     AFX_ON_WM(WM_MBUTTONDOWN, AfxThunkWmMouse, OnMButtonDown)        // void OnMButtonDown(UINT nFlags, CPoint point);
#define ON_WM_MOUSEMOVE()       AFX_ON_WM(WM_MOUSEMOVE, AfxThunkWmMouse, OnMouseMove)            // void OnMouseMove(UINT nFlags, CPoint point);
#define ON_WM_MOUSEWHEEL()      AFX_ON_WM(WM_MOUSEWHEEL, AfxThunkWmMouseWheel, OnMouseWheel)     // BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
#define ON_WM_MOUSELEAVE()      AFX_ON_WM(WM_MOUSELEAVE, AfxThunkWmVoid, OnMouseLeave)           // void OnMouseLeave();
#define ON_WM_MOUSEACTIVATE()   AFX_ON_WM(WM_MOUSEACTIVATE, AfxThunkWmMouseActivate, OnMouseActivate) // int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
#define ON_WM_SETCURSOR()       AFX_ON_WM(WM_SETCURSOR, AfxThunkWmSetCursor, OnSetCursor)        // BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
#define ON_WM_NCHITTEST()       AFX_ON_WM(WM_NCHITTEST, AfxThunkWmNcHitTest, OnNcHitTest)        // LRESULT OnNcHitTest(CPoint point);
#define ON_WM_KEYDOWN()         AFX_ON_WM(WM_KEYDOWN, AfxThunkWmKey, OnKeyDown)                  // void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
#define ON_WM_KEYUP()           AFX_ON_WM(WM_KEYUP, AfxThunkWmKey, OnKeyUp)                      // void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
#define ON_WM_CHAR()            AFX_ON_WM(WM_CHAR, AfxThunkWmKey, OnChar)                        // void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
#define ON_WM_SYSKEYDOWN()      AFX_ON_WM(WM_SYSKEYDOWN, AfxThunkWmKey, OnSysKeyDown)            // void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
#define ON_WM_SETFOCUS()        AFX_ON_WM(WM_SETFOCUS, AfxThunkWmFocus, OnSetFocus)              // void OnSetFocus(CWnd* pOldWnd);
#define ON_WM_KILLFOCUS()       AFX_ON_WM(WM_KILLFOCUS, AfxThunkWmFocus, OnKillFocus)            // void OnKillFocus(CWnd* pNewWnd);
#define ON_WM_CAPTURECHANGED()  AFX_ON_WM(WM_CAPTURECHANGED, AfxThunkWmCaptureChanged, OnCaptureChanged) // void OnCaptureChanged(CWnd* pWnd);
#define ON_WM_HSCROLL()         AFX_ON_WM(WM_HSCROLL, AfxThunkWmScroll, OnHScroll)               // void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
#define ON_WM_VSCROLL()         AFX_ON_WM(WM_VSCROLL, AfxThunkWmScroll, OnVScroll)               // void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
#define ON_WM_CTLCOLOR()        AFX_ON_WM(AFX_WM_CTLCOLOR_ANY, AfxThunkWmCtlColor, OnCtlColor)     // HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
#define ON_WM_DRAWITEM()        AFX_ON_WM(WM_DRAWITEM, AfxThunkWmDrawItem, OnDrawItem)           // void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
#define ON_WM_MEASUREITEM()     AFX_ON_WM(WM_MEASUREITEM, AfxThunkWmMeasureItem, OnMeasureItem)  // void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
#define ON_WM_CONTEXTMENU()     AFX_ON_WM(WM_CONTEXTMENU, AfxThunkWmContextMenu, OnContextMenu)  // void OnContextMenu(CWnd* pWnd, CPoint pos);
#define ON_WM_DROPFILES()       AFX_ON_WM(WM_DROPFILES, AfxThunkWmDropFiles, OnDropFiles)        // void OnDropFiles(HDROP hDropInfo);
#define ON_WM_SHOWWINDOW()      AFX_ON_WM(WM_SHOWWINDOW, AfxThunkWmShowWindow, OnShowWindow)     // void OnShowWindow(BOOL bShow, UINT nStatus);
#define ON_WM_WINDOWPOSCHANGED() AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxThunkWmWindowPos, OnWindowPosChanged) // void OnWindowPosChanged(WINDOWPOS* lpwndpos);
#define ON_WM_WINDOWPOSCHANGING() AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxThunkWmWindowPos, OnWindowPosChanging) // void OnWindowPosChanging(WINDOWPOS* lpwndpos);
#define ON_WM_GETMINMAXINFO()   AFX_ON_WM(WM_GETMINMAXINFO, AfxThunkWmMinMax, OnGetMinMaxInfo)   // void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
#define ON_WM_ACTIVATE()        AFX_ON_WM(WM_ACTIVATE, AfxThunkWmActivate, OnActivate)           // void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
#define ON_WM_ENABLE()          AFX_ON_WM(WM_ENABLE, AfxThunkWmBool, OnEnable)                   // void OnEnable(BOOL bEnable);
#define ON_WM_CANCELMODE()      AFX_ON_WM(WM_CANCELMODE, AfxThunkWmVoid, OnCancelMode)           // void OnCancelMode();
#define ON_WM_SYSCOLORCHANGE()  AFX_ON_WM(WM_SYSCOLORCHANGE, AfxThunkWmVoid, OnSysColorChange)   // void OnSysColorChange();
#define ON_WM_GETDLGCODE()      AFX_ON_WM(WM_GETDLGCODE, AfxThunkWmGetDlgCode, OnGetDlgCode)     // UINT OnGetDlgCode();
#define ON_WM_SYSCOMMAND()      AFX_ON_WM(WM_SYSCOMMAND, AfxThunkWmSysCommand, OnSysCommand)     // void OnSysCommand(UINT nID, LPARAM lParam);
#define ON_WM_INITMENUPOPUP()   AFX_ON_WM(WM_INITMENUPOPUP, AfxThunkWmInitMenuPopup, OnInitMenuPopup) // void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
