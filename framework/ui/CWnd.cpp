#include "framework/ui/CWnd.h"

#include <exception>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "framework/core/Exceptions.h"
#include "framework/ui/CDC.h"
#include "framework/ui/CMenu.h"
#include "framework/ui/CWinApp.h"
#include "framework/ui/Prompts.h"
#include "framework/win/AppState.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// The handle maps of this module. Windows belong to the user-interface
// thread, but a worker may look a handle up, so the maps take a lock.
struct WndMaps
{
    std::mutex lock;
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
};

WndMaps& Maps()
{
    static WndMaps maps;
    return maps;
}

thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hHookCbt = nullptr;
thread_local MSG t_currentMsg = {};
thread_local int t_wndProcDepth = 0;

// Marks windows that some copy of the layer (in any module) has bound, so
// that a message pump of another module can ask them to pre-translate.
const char kBoundProp[] = "TavrixFrameworkWnd";

void MapPermanent(HWND hWnd, CWnd* pWnd)
{
    WndMaps& m = Maps();
    std::lock_guard<std::mutex> guard(m.lock);
    m.permanent[hWnd] = pWnd;
}

void UnmapPermanent(HWND hWnd, CWnd* pWnd)
{
    WndMaps& m = Maps();
    std::lock_guard<std::mutex> guard(m.lock);
    auto it = m.permanent.find(hWnd);
    if (it != m.permanent.end() && it->second == pWnd)
        m.permanent.erase(it);
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pWndInit) {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        pWnd->m_hWnd = hWnd;
        MapPermanent(hWnd, pWnd);
        ::SetPropA(hWnd, kBoundProp, reinterpret_cast<HANDLE>(1));
        WNDPROC old = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        if (old != &AfxWndProc)
            *pWnd->GetSuperWndProcAddr() = old;
        // A window the layer creates is bound as a subclassed one is.
        pWnd->PreSubclassWindow();
    }
    return ::CallNextHookEx(t_hHookCbt, code, wParam, lParam);
}

// The message that asks a bound window of another module to pre-translate.
UINT PreTranslateRequest()
{
    static const UINT msg = ::RegisterWindowMessageA("TavrixFramework.PreTranslate");
    return msg;
}

} // namespace

void AfxReportHandlerException(const char* what)
{
    CString text("An unexpected error occurred while handling a window message");
    if (what && *what) {
        text += ":\n";
        text += what;
    }
    text += '.';
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
}

// ---- the window procedure ----------------------------------------------------

BOOL AfxInWindowProc()
{
    return t_wndProcDepth > 0;
}

const MSG* AfxGetCurrentMessage()
{
    return &t_currentMsg;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG saved = t_currentMsg;
    t_currentMsg.hwnd = hWnd;
    t_currentMsg.message = message;
    t_currentMsg.wParam = wParam;
    t_currentMsg.lParam = lParam;

    LRESULT result = 0;
    ++t_wndProcDepth;
    // No exception may unwind through Windows: it is caught here and reported.
    try {
        if (message == PreTranslateRequest() && lParam)
            result = pWnd->PreTranslateMessage(reinterpret_cast<MSG*>(lParam));
        else
            result = pWnd->WindowProc(message, wParam, lParam);
    } catch (const CException& e) {
        AfxReportHandlerException(e.GetErrorMessage());
        result = (message == WM_CREATE) ? -1 : 0;
    } catch (const std::exception& e) {
        AfxReportHandlerException(e.what());
        result = (message == WM_CREATE) ? -1 : 0;
    } catch (...) {
        AfxReportHandlerException(nullptr);
        result = (message == WM_CREATE) ? -1 : 0;
    }

    // Whatever the map did with WM_NCDESTROY, the binding ends with the window.
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->FinishNcDestroy();

    --t_wndProcDepth;
    t_currentMsg = saved;
    return result;
}

// ---- handle maps ---------------------------------------------------------------

CWnd* AfxWndFromHandle(HWND hWnd)
{
    return CWnd::FromHandle(hWnd);
}

CScrollBar* AfxScrollBarFromHandle(HWND hWnd)
{
    return static_cast<CScrollBar*>(CWnd::FromHandle(hWnd));
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    WndMaps& m = Maps();
    std::lock_guard<std::mutex> guard(m.lock);
    auto it = m.permanent.find(hWnd);
    return it == m.permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    WndMaps& m = Maps();
    std::lock_guard<std::mutex> guard(m.lock);
    std::unique_ptr<CWnd>& slot = m.temporary[hWnd];
    if (!slot) {
        // A scroll bar wrapper adds no data, so one wrapper serves both uses.
        slot.reset(new CScrollBar);
        slot->m_hWnd = hWnd;
        slot->m_bTemporary = TRUE;
    }
    return slot.get();
}

void CWnd::DeleteTempMap()
{
    std::unordered_map<HWND, std::unique_ptr<CWnd>> old;
    {
        WndMaps& m = Maps();
        std::lock_guard<std::mutex> guard(m.lock);
        old.swap(m.temporary);
    }
    for (auto& entry : old)
        entry.second->m_hWnd = nullptr;
}

LPCSTR CWnd::GetDefaultClassName()
{
    static const char kClass[] = "TavrixWnd";
    static const bool registered = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetModuleHandle();
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        return ::RegisterClassExA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    (void)registered;
    return kClass;
}

// ---- construction -------------------------------------------------------------

CWnd::~CWnd()
{
    if (m_bTemporary || !m_hWnd)
        return;
    if (FromHandlePermanent(m_hWnd) == this) {
        // A window must not outlive its wrapper: its procedure would find
        // nothing to call.
        HWND hWnd = m_hWnd;
        if (m_pfnSuper && ::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
        if (m_hWnd)
            Detach();
    }
}

void CWnd::HookCreate(CWnd* pWnd)
{
    if (!t_hHookCbt)
        t_hHookCbt = ::SetWindowsHookExA(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
    t_pWndInit = pWnd;
}

BOOL CWnd::UnhookCreate()
{
    if (t_hHookCbt) {
        ::UnhookWindowsHookEx(t_hHookCbt);
        t_hHookCbt = nullptr;
    }
    bool consumed = t_pWndInit == nullptr;
    t_pWndInit = nullptr;
    return consumed;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = GetDefaultClassName();
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetModuleHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    HookCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style),
                                  cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                  cs.lpCreateParams);
    UnhookCreate();
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    // A child's id is an int to the system (GetDlgItem, GetDlgCtrlID):
                    // widened with its sign, so that negative control ids are found
                    // again on 64-bit Windows too.
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(static_cast<int>(nID))), lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hWnd = m_hWnd;
    BOOL ok = ::DestroyWindow(hWnd);
    // A window attached without our procedure never saw its WM_NCDESTROY.
    if (m_hWnd == hWnd && !::IsWindow(hWnd))
        Detach();
    return ok;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    m_hWnd = hWnd;
    MapPermanent(hWnd, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
        UnmapPermanent(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    ::SetPropA(hWnd, kBoundProp, reinterpret_cast<HANDLE>(1));
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd)
        return FALSE;
    HWND hCtl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hCtl ? SubclassWindow(hCtl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    if (m_pfnSuper) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    ::RemovePropA(m_hWnd, kBoundProp);
    return Detach();
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

void CWnd::OnNcDestroy()
{
    if (!m_hWnd)
        return;
    // A mapped handler calls this: the original procedure still gets the message.
    DefWindowProc(WM_NCDESTROY, 0, 0);
    FinishNcDestroy();
}

void CWnd::FinishNcDestroy()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return;
    if (m_pfnSuper) {
        WNDPROC current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        if (current == &AfxWndProc)
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    ::RemovePropA(hWnd, kBoundProp);
    Detach();
    if (CWinApp* app = AfxGetApp()) {
        if (app->m_pMainWnd == this)
            app->m_pMainWnd = nullptr;
    }
    PostNcDestroy();
}

// ---- message handling ----------------------------------------------------------

LRESULT CWnd::Default()
{
    const MSG* msg = AfxGetCurrentMessage();
    return DefWindowProc(msg->message, msg->wParam, msg->lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    switch (message) {
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (!pNMHDR || !OnNotify(wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    }
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
        if (ReflectLastMsg(reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult))
            return TRUE;
        break;
    case WM_DRAWITEM: {
        DRAWITEMSTRUCT* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis && dis->CtlType != ODT_MENU &&
            ReflectLastMsg(dis->hwndItem, message, wParam, lParam, pResult))
            return TRUE;
        break;
    }
    case WM_MEASUREITEM: {
        MEASUREITEMSTRUCT* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis && mis->CtlType != ODT_MENU && m_hWnd) {
            HWND hChild = ::GetDlgItem(m_hWnd, static_cast<int>(mis->CtlID));
            if (hChild && ReflectLastMsg(hChild, message, wParam, lParam, pResult))
                return TRUE;
        }
        break;
    }
    case WM_INITMENUPOPUP:
        CMenu::SetTrackingMenu(reinterpret_cast<HMENU>(wParam));
        break;
    default:
        break;
    }

    AFX_MSGCALL call = {message, wParam, lParam, 0, 0, nullptr};
    if (DispatchEntries(AfxEntryMessage, message, 0, 0, call) ||
        (message >= 0xC000 && message <= 0xFFFF &&
         DispatchEntries(AfxEntryRegistered, message, 0, 0, call))) {
        *pResult = call.result;
        return TRUE;
    }

    // Defaults that do more than the window's own procedure.
    switch (message) {
    case WM_DRAWITEM:
        if (reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
            OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
            *pResult = TRUE;
            return TRUE;
        }
        break;
    case WM_MEASUREITEM:
        if (reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
            OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
            *pResult = TRUE;
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hCtl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hCtl) {
        nCode = CN_COMMAND;   // menus and accelerators
    } else {
        if (ReflectLastMsg(hCtl, WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;      // the control took its own notification
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(pNMHDR->hwndFrom, WM_NOTIFY, pNMHDR->idFrom, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), CN_NOTIFY, &notify);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild)
        return FALSE;
    LRESULT ignored = 0;
    return pChild->OnChildNotify(message, wParam, lParam, pResult ? pResult : &ignored);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    AFX_MSGCALL call = {message, wParam, lParam, 0, 0, nullptr};
    BOOL handled = FALSE;
    switch (message) {
    case WM_COMMAND:
        handled = DispatchEntries(AfxEntryReflectCommand, message, HIWORD(wParam), 0, call);
        break;
    case WM_NOTIFY:
        handled = DispatchEntries(AfxEntryReflectNotify, message,
                                  reinterpret_cast<NMHDR*>(lParam)->code, 0, call);
        break;
    default:
        handled = DispatchEntries(AfxEntryReflectMessage, message, 0, 0, call);
        break;
    }
    if (handled && pResult)
        *pResult = call.result;
    return handled;
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType == ODT_MENU) {
        // Owner-drawn menu items go to the menu object of their menu.
        if (CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem)))
            pMenu->DrawItem(lpDrawItemStruct);
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType == ODT_MENU) {
        if (CMenu* pMenu = CMenu::FindMenuForMeasure(m_hWnd, lpMeasureItemStruct)) {
            pMenu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    }
    Default();
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

// ---- modal loop ------------------------------------------------------------------

BOOL CWnd::ContinueModal()
{
    return m_bInModalLoop;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_bInModalLoop) {
        m_bInModalLoop = FALSE;
        if (m_hWnd)
            PostMessage(WM_NULL);   // wake the loop
    }
}

int CWnd::RunModalLoop(DWORD)
{
    m_bInModalLoop = TRUE;
    m_nModalResult = -1;
    LONG idleCount = 0;
    bool idle = true;
    MSG msg;
    for (;;) {
        while (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!AfxIdle(idleCount++))
                idle = false;
        }
        do {
            if (!AfxPumpMessage()) {
                // WM_QUIT ends every loop: hand it on to the next one out.
                ::PostQuitMessage(static_cast<int>(AfxGetCurrentQueuedMessage()->wParam));
                m_bInModalLoop = FALSE;
                return -1;
            }
            if (!ContinueModal())
                return m_nModalResult;
            if (AfxIsIdleMessage(AfxGetCurrentQueuedMessage())) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

// ---- attributes and operations -----------------------------------------------------

DWORD CWnd::GetStyle() const
{
    return m_hWnd ? static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)) : 0;
}

DWORD CWnd::GetExStyle() const
{
    return m_hWnd ? static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)) : 0;
}

namespace {

BOOL ModifyLong(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    if (!hWnd)
        return FALSE;
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(hWnd, index));
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrA(hWnd, index, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

int CWnd::GetDlgCtrlID() const { return m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0; }

int CWnd::SetDlgCtrlID(int nID)
{
    return m_hWnd ? static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID)) : 0;
}

CWnd* CWnd::GetParent() const { return m_hWnd ? FromHandle(::GetParent(m_hWnd)) : nullptr; }

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return m_hWnd ? FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr)) : nullptr;
}

CWnd* CWnd::GetOwner() const { return m_hWnd ? FromHandle(::GetWindow(m_hWnd, GW_OWNER)) : nullptr; }

CWnd* CWnd::GetTopLevelParent() const
{
    if (!m_hWnd)
        return nullptr;
    HWND h = m_hWnd;
    while ((::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) && ::GetParent(h))
        h = ::GetParent(h);
    return FromHandle(h);
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return m_hWnd ? FromHandle(::GetDlgItem(m_hWnd, nID)) : nullptr;
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    if (phWnd)
        *phWnd = m_hWnd ? ::GetDlgItem(m_hWnd, nID) : nullptr;
}

CWnd* CWnd::GetWindow(UINT nCmd) const { return m_hWnd ? FromHandle(::GetWindow(m_hWnd, nCmd)) : nullptr; }

CMenu* CWnd::GetMenu() const { return m_hWnd ? CMenu::FromHandle(::GetMenu(m_hWnd)) : nullptr; }

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return m_hWnd ? CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)) : nullptr;
}

BOOL CWnd::IsWindowVisible() const { return m_hWnd ? ::IsWindowVisible(m_hWnd) : FALSE; }
BOOL CWnd::IsWindowEnabled() const { return m_hWnd ? ::IsWindowEnabled(m_hWnd) : FALSE; }
BOOL CWnd::IsIconic() const { return m_hWnd ? ::IsIconic(m_hWnd) : FALSE; }
BOOL CWnd::IsZoomed() const { return m_hWnd ? ::IsZoomed(m_hWnd) : FALSE; }
BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return m_hWnd && pWnd ? ::IsChild(m_hWnd, pWnd->m_hWnd) : FALSE;
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    if (m_hWnd)
        ::SetWindowTextA(m_hWnd, lpszString ? lpszString : "");
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    if (!m_hWnd) {
        if (lpszStringBuf && nMaxCount > 0)
            *lpszStringBuf = '\0';
        return 0;
    }
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    rString.Empty();
    if (!m_hWnd)
        return;
    int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = rString.GetBuffer(length + 1);
    int got = ::GetWindowTextA(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer(got > 0 ? got : 0);
}

int CWnd::GetWindowTextLength() const { return m_hWnd ? ::GetWindowTextLengthA(m_hWnd) : 0; }

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    if (m_hWnd)
        ::SetDlgItemTextA(m_hWnd, nID, lpszString ? lpszString : "");
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hCtl = m_hWnd ? ::GetDlgItem(m_hWnd, nID) : nullptr;
    if (!hCtl)
        return 0;
    CWnd(hCtl).GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    if (m_hWnd)
        ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    if (!m_hWnd) {
        if (lpTrans)
            *lpTrans = FALSE;
        return 0;
    }
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    if (m_hWnd)
        ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return m_hWnd ? ::IsDlgButtonChecked(m_hWnd, nIDButton) : 0;
}

void CWnd::SetFont(HFONT hFont, BOOL bRedraw)
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
}

HFONT CWnd::GetFont() const
{
    return m_hWnd ? reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)) : nullptr;
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    if (!m_hWnd || !::GetWindowRect(m_hWnd, lpRect))
        ::SetRectEmpty(lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    if (!m_hWnd || !::GetClientRect(m_hWnd, lpRect))
        ::SetRectEmpty(lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    if (m_hWnd && lpPoint)
        ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    if (m_hWnd && lpRect)
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    if (m_hWnd && lpPoint)
        ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    if (m_hWnd && lpRect)
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (m_hWnd)
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    if (lpRect)
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    if (!m_hWnd)
        return FALSE;
    // wndTop, wndTopMost, ... are wrappers of the special handles.
    HWND after = pWndInsertAfter ? pWndInsertAfter->m_hWnd : HWND_TOP;
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, nFlags);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return m_hWnd ? ::ShowWindow(m_hWnd, nCmdShow) : FALSE; }
BOOL CWnd::EnableWindow(BOOL bEnable) { return m_hWnd ? ::EnableWindow(m_hWnd, bEnable) : FALSE; }

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    if (!m_hWnd)
        return;
    RECT rcArea;
    HWND hOwner = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD)
        hOwner = ::GetParent(m_hWnd);
    if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner)) {
        ::GetWindowRect(hOwner, &rcArea);
        if (GetStyle() & WS_CHILD)
            ::MapWindowPoints(nullptr, hOwner, reinterpret_cast<LPPOINT>(&rcArea), 2);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    }
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    if (GetStyle() & WS_CHILD)
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rc), 2);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = (rcArea.left + rcArea.right - w) / 2;
    int y = (rcArea.top + rcArea.bottom - h) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    if (!m_hWnd || !lpwndpl)
        return FALSE;
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    return m_hWnd && lpwndpl ? ::SetWindowPlacement(m_hWnd, lpwndpl) : FALSE;
}

void CWnd::BringWindowToTop()
{
    if (m_hWnd)
        ::BringWindowToTop(m_hWnd);
}

CWnd* CWnd::SetActiveWindow() { return m_hWnd ? FromHandle(::SetActiveWindow(m_hWnd)) : nullptr; }
BOOL CWnd::SetForegroundWindow() { return m_hWnd ? ::SetForegroundWindow(m_hWnd) : FALSE; }

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw)
{
    if (!m_hWnd) {
        // The window would have owned the region: do not leak it.
        if (hRgn)
            ::DeleteObject(hRgn);
        return 0;
    }
    return ::SetWindowRgn(m_hWnd, hRgn, bRedraw);
}

int CWnd::GetWindowRgn(HRGN hRgn) const { return m_hWnd ? ::GetWindowRgn(m_hWnd, hRgn) : ERROR; }

CDC* CWnd::GetDC() { return m_hWnd ? CDC::FromHandle(::GetDC(m_hWnd)) : nullptr; }
CDC* CWnd::GetWindowDC() { return m_hWnd ? CDC::FromHandle(::GetWindowDC(m_hWnd)) : nullptr; }

int CWnd::ReleaseDC(CDC* pDC)
{
    if (!m_hWnd || !pDC || !pDC->m_hDC)
        return 0;
    int r = ::ReleaseDC(m_hWnd, pDC->m_hDC);
    CDC::ForgetTemporary(pDC);
    return r;
}

void CWnd::Invalidate(BOOL bErase)
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::InvalidateRgn(HRGN hRgn, BOOL bErase)
{
    if (m_hWnd)
        ::InvalidateRgn(m_hWnd, hRgn, bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    if (m_hWnd)
        ::ValidateRect(m_hWnd, lpRect);
}

void CWnd::UpdateWindow()
{
    if (m_hWnd)
        ::UpdateWindow(m_hWnd);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags)
{
    return m_hWnd ? ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags) : FALSE;
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return m_hWnd ? ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return m_hWnd ? ::KillTimer(m_hWnd, nIDEvent) : FALSE; }
CWnd* CWnd::SetCapture() { return m_hWnd ? FromHandle(::SetCapture(m_hWnd)) : nullptr; }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetFocus() { return m_hWnd ? FromHandle(::SetFocus(m_hWnd)) : nullptr; }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }

CWnd* CWnd::FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName)
{
    return FromHandle(::FindWindowA(lpszClassName, lpszWindowName));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd ? ::SendMessageA(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd ? ::PostMessageA(m_hWnd, message, wParam, lParam) : FALSE;
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd ? ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam) : 0;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    if (!m_hWnd)
        return;
    for (HWND h = ::GetTopWindow(m_hWnd); h; h = ::GetNextWindow(h, GW_HWNDNEXT)) {
        ::SendMessageA(h, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(h))
            CWnd(h).SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    if (m_hWnd)
        ::DragAcceptFiles(m_hWnd, bAccept);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return AfxPromptMessageBox(m_hWnd, lpszText, lpszCaption ? lpszCaption : "Error", nType);
}

// ---- pre-translation --------------------------------------------------------------

BOOL AfxWalkPreTranslateTree(MSG* pMsg, HWND hWndStop, bool* pReachedStop)
{
    if (pReachedStop)
        *pReachedStop = false;
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* pWnd = CWnd::FromHandlePermanent(h)) {
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        } else if (::GetPropA(h, kBoundProp) &&
                   ::GetWindowThreadProcessId(h, nullptr) == ::GetCurrentThreadId()) {
            // Bound by the layer's copy in another module (KVLib's dialogs).
            if (::SendMessageA(h, PreTranslateRequest(), 0, reinterpret_cast<LPARAM>(pMsg)))
                return TRUE;
        }
        if (h == hWndStop) {
            if (pReachedStop)
                *pReachedStop = true;
            break;
        }
    }
    return FALSE;
}

UINT AfxCtlColorType(UINT message)
{
    // WM_CTLCOLORMSGBOX .. WM_CTLCOLORSTATIC run in the order of CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC.
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        return message - WM_CTLCOLORMSGBOX;
    return CTLCOLOR_STATIC;
}
