// CWnd: a window, holding only its handle. Its window procedure forwards
// every message to WindowProc, which runs the message map; what the map does
// not handle goes to the window's original procedure (DefWindowProc).
// Calls on a CWnd without a window do nothing and return 0, FALSE or an
// empty value: skins may lack any control.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/ui/CCmdTarget.h"
#include "framework/ui/CRect.h"

class CDC;
class CMenu;
class CScrollBar;

class CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)
public:
    // Construction
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    ~CWnd() override;

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // Binding to existing windows
    BOOL Attach(HWND hWnd);            // permanent map only; no subclassing
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);    // permanent map and our window procedure
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    static CWnd* FromHandle(HWND hWnd);            // temporary wrapper when not permanent
    static CWnd* FromHandlePermanent(HWND hWnd);   // null when not bound
    static void DeleteTempMap();                   // at idle time

    // The z-order places SetWindowPos takes as pWndInsertAfter.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // The class name our own windows register (CS_DBLCLKS, arrow cursor).
    static LPCSTR GetDefaultClassName();

    // Attributes
    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    CWnd* GetWindow(UINT nCmd) const;
    CMenu* GetMenu() const;
    CMenu* GetSystemMenu(BOOL bRevert) const;
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL IsChild(const CWnd* pWnd) const;

    // Text
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE);
    HFONT GetFont() const;

    // Placement
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    void BringWindowToTop();
    CWnd* SetActiveWindow();
    BOOL SetForegroundWindow();
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    int GetWindowRgn(HRGN hRgn) const;

    // Painting
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(HRGN hRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);

    // Timers, capture, focus
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetFocus();
    static CWnd* GetFocus();
    static CWnd* GetActiveWindow();
    static CWnd* GetForegroundWindow();
    static CWnd* GetDesktopWindow();
    static CWnd* FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName);

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE);
    void DragAcceptFiles(BOOL bAccept = TRUE);
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Overridables
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PreSubclassWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A parent's message about this control (WM_COMMAND, WM_NOTIFY,
    // WM_CTLCOLOR, WM_DRAWITEM, WM_MEASUREITEM): TRUE hides it from the parent.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PostNcDestroy();
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Default handlers of window messages (the message-map macros name them)
    LRESULT Default();
    int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    void OnDestroy() { Default(); }
    void OnNcDestroy();
    void OnClose() { Default(); }
    void OnPaint() { Default(); }
    void OnNcPaint() { Default(); }
    BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
    void OnSize(UINT, int, int) { Default(); }
    void OnMove(int, int) { Default(); }
    void OnSizing(UINT, LPRECT) { Default(); }
    void OnMoving(UINT, LPRECT) { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnLButtonDblClk(UINT, CPoint) { Default(); }
    void OnRButtonDown(UINT, CPoint) { Default(); }
    void OnRButtonUp(UINT, CPoint) { Default(); }
    void OnRButtonDblClk(UINT, CPoint) { Default(); }
    void OnMButtonDown(UINT, CPoint) { Default(); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    BOOL OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
    void OnMouseLeave() { Default(); }
    int OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
    LRESULT OnNcHitTest(CPoint) { return Default(); }
    void OnKeyDown(UINT, UINT, UINT) { Default(); }
    void OnKeyUp(UINT, UINT, UINT) { Default(); }
    void OnChar(UINT, UINT, UINT) { Default(); }
    void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
    void OnSetFocus(CWnd*) { Default(); }
    void OnKillFocus(CWnd*) { Default(); }
    void OnCaptureChanged(CWnd*) { Default(); }
    void OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
    void OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnContextMenu(CWnd*, CPoint) { Default(); }
    void OnDropFiles(HDROP) { Default(); }
    void OnShowWindow(BOOL, UINT) { Default(); }
    void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    void OnWindowPosChanging(WINDOWPOS*) { Default(); }
    void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    void OnEnable(BOOL) { Default(); }
    void OnCancelMode() { Default(); }
    void OnSysColorChange() { Default(); }
    UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }

    // Implementation
    // Runs the message map; FALSE when nothing handled the message.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Sends a parent's message to the permanent wrapper of hWndChild.
    static BOOL ReflectLastMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* pResult);
    // Dispatches this control's reflect entries for a parent's message.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    int RunModalLoop(DWORD dwFlags = 0);

    // Hooks the next window this thread creates to pWnd (window creation
    // and dialogs use it); UnhookCreate ends it.
    static void HookCreate(CWnd* pWnd);
    static BOOL UnhookCreate();

    // Ends the binding when the window goes (restores the procedure, then PostNcDestroy).
    void FinishNcDestroy();

    WNDPROC m_pfnSuper = nullptr;   // the procedure our window procedure replaced
    WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }

protected:
    DECLARE_MESSAGE_MAP()

    int m_nModalResult = 0;
    BOOL m_bInModalLoop = FALSE;
    BOOL m_bTemporary = FALSE;

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
};

// The window procedure of every window a CWnd is bound to.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Offers a queued message to PreTranslateMessage of its window and each
// parent in turn, up to hWndStop; TRUE when one of them took it.
BOOL AfxWalkPreTranslateTree(MSG* pMsg, HWND hWndStop, bool* pReachedStop = nullptr);

// TRUE while a window procedure of this thread is running.
BOOL AfxInWindowProc();
// Reports an exception that a handler let out (through the prompt seam).
void AfxReportHandlerException(const char* what);

// The message the window procedure is working on (for Default()).
const MSG* AfxGetCurrentMessage();

// A scroll bar control; handlers of WM_HSCROLL/WM_VSCROLL receive one.
class CScrollBar : public CWnd
{
public:
    int GetScrollPos() const { return m_hWnd ? ::GetScrollPos(m_hWnd, SB_CTL) : 0; }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE)
    { return m_hWnd ? ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw) : 0; }
};
