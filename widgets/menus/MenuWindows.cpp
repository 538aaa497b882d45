#include "widgets/menus/MenuWindows.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "widgets/menus/MenuMath.h"
#include "widgets/menus/MenuStyle.h"
#include "widgets/menus/NewMenu.h"
#include "widgets/menus/NewMenuIcons.h"

using namespace menu_math;

namespace {

const char kOldProc[] = "OldMenuProc";

int ComputeOsClass()
{
    DWORD v = ::GetVersion();
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof vi;
    bool win95 = (v & 0x80000000u) != 0;
    int versionByte = static_cast<int>(v & 0xFF);
    if (win95 && versionByte < 4)
        return 0;
    ::GetVersionExA(&vi);
    return OsClass(win95, versionByte, static_cast<int>(vi.dwMajorVersion), static_cast<int>(vi.dwMinorVersion));
}

WNDPROC OldProcOf(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kOldProc));
}

} // namespace

// ---- the library state --------------------------------------------------------------

MenuLibrarySetup& MenuLibrary()
{
    static MenuLibrarySetup setup;
    return setup;
}

namespace {
// Made before the program's main code runs, on its first thread.
MenuLibrarySetup& g_menuLibraryAtStart = MenuLibrary();
} // namespace

MenuLibrarySetup::MenuLibrarySetup()
{
    m_osClass = ComputeOsClass();
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    m_bWine = kernel && ::GetProcAddress(kernel, "wine_get_unix_file_name") != nullptr;
    HIGHCONTRASTA hc = {};
    hc.cbSize = sizeof hc;
    m_bHighContrast = ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
    m_hUxTheme = ::LoadLibraryA("uxtheme.dll");
    if (m_hUxTheme)
        m_pIsThemeActive = reinterpret_cast<IsThemeActiveFn>(
            reinterpret_cast<void*>(::GetProcAddress(m_hUxTheme, "IsThemeActive")));
    if (m_osClass != 3) {
        m_hMsimg = ::LoadLibraryA("Msimg32.dll");
        if (m_hMsimg)
            m_pGradientFill = reinterpret_cast<GradientFillFn>(
                reinterpret_cast<void*>(::GetProcAddress(m_hMsimg, "GradientFill")));
    }
    static const int order[] = {6, 7, 0, 1, 2, 3, 8, 9, 10, 11, 4, 5};
    for (int n : order) {
        Painter painter = Painter::Classic;
        PainterOfStyle(static_cast<unsigned>(n), painter);
        switch (painter) {
        case Painter::Classic:
            m_styles.push_back(new MenuStyle(n, &CNewMenu::MeasureClassic, &CNewMenu::DrawClassic));
            break;
        case Painter::Shaded:
            m_styles.push_back(new MenuStyle(n, &CNewMenu::MeasureShaded, &CNewMenu::DrawShaded));
            break;
        case Painter::Flat:
            m_styles.push_back(new FlatMenuStyle(n, &CNewMenu::MeasureFlat, &CNewMenu::DrawFlat));
            break;
        case Painter::Scheme:
            m_styles.push_back(new FlatMenuStyle(n, &CNewMenu::MeasureFlat, &CNewMenu::DrawScheme));
            break;
        }
    }
    m_pCurrentStyle = FindStyle(2);
    if (!Hook())
        AfxThrowMemoryException();
}

MenuLibrarySetup::~MenuLibrarySetup()
{
    Unhook();
    for (MenuStyle* s : m_styles)
        delete s;
    m_styles.clear();
    m_pCurrentStyle = nullptr;
    m_pIsThemeActive = nullptr;
    m_pGradientFill = nullptr;
    if (m_hUxTheme)
        ::FreeLibrary(m_hUxTheme);
    if (m_hMsimg)
        ::FreeLibrary(m_hMsimg);
    m_pTitleLists.reset(); // lists still held are left to the process's end
}

MenuStyle* MenuLibrarySetup::FindStyle(UINT nStyle) const
{
    for (MenuStyle* s : m_styles)
        if (s->GetStyle() == static_cast<int>(nStyle))
            return s;
    return nullptr;
}

MenuWindowState* MenuLibrarySetup::StateOf(HWND hWnd) const
{
    auto it = m_windows.find(hWnd);
    return it == m_windows.end() ? nullptr : it->second.get();
}

std::vector<CNewMenuBitmaps*>& MenuLibrarySetup::MakeTitleLists()
{
    if (!m_pTitleLists)
        m_pTitleLists.reset(new std::vector<CNewMenuBitmaps*>);
    return *m_pTitleLists;
}

BOOL MenuLibrarySetup::SetWineForTest(BOOL bWine)
{
    BOOL old = m_bWine;
    m_bWine = bWine;
    return old;
}

BOOL MenuLibrarySetup::SetHighContrastForTest(BOOL bHighContrast)
{
    BOOL old = m_bHighContrast;
    m_bHighContrast = bHighContrast;
    return old;
}

BOOL MenuLibrarySetup::Hook()
{
    if (m_hHook)
        return TRUE;
    m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, MenuHookProc, nullptr, ::GetCurrentThreadId());
    if (m_hHook)
        m_hookThread = ::GetCurrentThreadId();
    return m_hHook != nullptr;
}

void MenuLibrarySetup::Unhook()
{
    if (m_hHook) {
        // Fails harmlessly when the thread has ended (the system removed it).
        ::UnhookWindowsHookEx(m_hHook);
        m_hHook = nullptr;
        m_hookThread = 0;
    }
    std::vector<HWND> windows;
    for (const auto& w : m_windows)
        windows.push_back(w.first);
    for (HWND h : windows)
        UnsubclassMenuWindow(h);
    m_windows.clear();
}

int MenuLibrarySetup::ForgetDeadWindows()
{
    int forgotten = 0;
    for (auto it = m_windows.begin(); it != m_windows.end();) {
        if (!::IsWindow(it->first)) {
            it = m_windows.erase(it);
            ++forgotten;
        } else {
            ++it;
        }
    }
    if (forgotten)
        if (ATOM atom = ::GlobalFindAtomA(kOldProc))
            for (int i = 0; i < forgotten; ++i)
                ::GlobalDeleteAtom(atom);
    return forgotten;
}

MenuWindowState* MenuLibrarySetup::AddState(HWND hWnd, std::unique_ptr<MenuWindowState> state)
{
    MenuWindowState* p = state.get();
    m_windows[hWnd] = std::move(state);
    return p;
}

std::unique_ptr<MenuWindowState> MenuLibrarySetup::RemoveState(HWND hWnd)
{
    auto it = m_windows.find(hWnd);
    if (it == m_windows.end())
        return nullptr;
    std::unique_ptr<MenuWindowState> p = std::move(it->second);
    m_windows.erase(it);
    return p;
}

// ---- the hook and the popup windows ---------------------------------------------------

LRESULT CALLBACK MenuHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION) {
        const CWPSTRUCT* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
        // Wine's popup learns its menu only in its own WM_CREATE and sends
        // no sizing message: there the popup is taken over at its first
        // position change, before it is shown.
        if (cwp && (cwp->message == WM_CREATE || cwp->message == kMenuSizing ||
                    cwp->message == WM_WINDOWPOSCHANGING))
            SubclassMenuWindow(cwp->hwnd, cwp->message == kMenuSizing);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

BOOL SubclassMenuWindow(HWND hWnd, BOOL bAtSizing)
{
    char name[16] = {};
    if (::GetClassNameA(hWnd, name, sizeof name) != 6 || lstrcmpA(name, "#32768") != 0)
        return FALSE;
    MenuLibrarySetup& lib = MenuLibrary();
    lib.ForgetDeadWindows(); // a handle of a window gone with its thread may come back
    if (lib.StateOf(hWnd))
        return FALSE;
    HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(hWnd, kMenuGetMenu, 0, 0));
    if (!CNewMenu::FromHandleNew(menu))
        return FALSE;
    LONG_PTR proc = ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    if (!proc || ::GetPropA(hWnd, kOldProc))
        return FALSE;
    ::SetPropA(hWnd, kOldProc, reinterpret_cast<HANDLE>(proc));
    if (reinterpret_cast<LONG_PTR>(::GetPropA(hWnd, kOldProc)) != proc)
        return FALSE;
    ::GlobalAddAtomA(kOldProc);
    std::unique_ptr<MenuWindowState> state(new MenuWindowState);
    state->savedStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
    state->savedExStyle = ::GetWindowLongA(hWnd, GWL_EXSTYLE);
    state->flags = bAtSizing ? kStateAtSizing : 0;
    state->menu = menu;
    lib.AddState(hWnd, std::move(state));
    ::SetLastError(0);
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuWindowProc));
    if (MenuStyle* style = lib.CurrentStyle())
        style->TakeOverWindow(hWnd);
    return TRUE;
}

void UnsubclassMenuWindow(HWND hWnd)
{
    if (WNDPROC old = OldProcOf(hWnd)) {
        ::SetLastError(0);
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        ::RemovePropA(hWnd, kOldProc);
        if (ATOM atom = ::GlobalFindAtomA(kOldProc))
            ::GlobalDeleteAtom(atom);
    }
    MenuLibrarySetup& lib = MenuLibrary();
    if (lib.StateOf(hWnd)) {
        if (MenuStyle* style = lib.CurrentStyle())
            style->ReleaseWindow(hWnd);
        lib.RemoveState(hWnd); // frees the snapshot with the state
    }
}

void TakeScreenSnapshot(HWND hWnd, MenuWindowState* pState)
{
    if (!pState || pState->snapshot.GetSafeHandle())
        return;
    RECT wr;
    if (!::GetWindowRect(hWnd, &wr))
        return;
    HDC screen = ::GetWindowDC(nullptr);
    if (!screen)
        return;
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, (wr.right - wr.left) + 10, (wr.bottom - wr.top) + 10);
    if (mem && bitmap) {
        HGDIOBJ old = ::SelectObject(mem, bitmap);
        POINT at = pState->position;
        if (at.x == 0 && at.y == 0)
            at = POINT{wr.left, wr.top};
        ::BitBlt(mem, 0, 0, (wr.right - wr.left) + 10, (wr.bottom - wr.top) + 10, screen, at.x, at.y, SRCCOPY);
        ::SelectObject(mem, old);
        pState->snapshot.Attach(bitmap);
        bitmap = nullptr;
    }
    if (bitmap)
        ::DeleteObject(bitmap);
    if (mem)
        ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
}

namespace {

void CheckPosition(HWND hWnd, MenuWindowState* state, const WINDOWPOS* pos)
{
    if (!pos || (pos->flags & SWP_NOMOVE))
        return;
    if (state->position.x == 0 && state->position.y == 0) {
        state->position = POINT{pos->x, pos->y};
        return;
    }
    if (pos->x == state->position.x && pos->y == state->position.y)
        return;
    if (pos->flags & SWP_NOSIZE) {
        state->position = POINT{pos->x, pos->y};
        state->snapshot.DeleteObject();
    } else {
        UnsubclassMenuWindow(hWnd); // taken over again at its next sizing message
    }
}

LRESULT PrintWithOwnFrame(HWND hWnd, MenuWindowState* state, MenuStyle* style, WNDPROC old, HDC target,
                          LPARAM lParam)
{
    state->flags |= kStatePrinting;
    RECT wr;
    ::GetWindowRect(hWnd, &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    HDC mem = ::CreateCompatibleDC(target);
    HBITMAP bitmap = ::CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldBitmap = ::SelectObject(mem, bitmap);
    LRESULT result = 0;
    style->PaintFrame(hWnd, mem, FALSE);
    RECT inner;
    if (style->GetInnerFrameRect(hWnd, &inner)) {
        ::OffsetRect(&inner, -wr.left, -wr.top);
        ::InflateRect(&inner, -1, -1);
        int saved = ::SaveDC(mem);
        ::IntersectClipRect(mem, inner.left, inner.top, inner.right, inner.bottom);
        result = ::CallWindowProcA(old, hWnd, WM_PRINT, reinterpret_cast<WPARAM>(mem), lParam & ~PRF_NONCLIENT);
        ::RestoreDC(mem, saved);
        ::BitBlt(target, 0, 0, w, h, mem, 0, 0, SRCCOPY);
        RECT client;
        ::GetClientRect(hWnd, &client);
        POINT origin = {0, 0};
        ::ClientToScreen(hWnd, &origin);
        int cx = origin.x - wr.left, cy = origin.y - wr.top;
        saved = ::SaveDC(mem);
        ::SetViewportOrgEx(mem, 0, 0, nullptr);
        ::IntersectClipRect(mem, 0, 0, client.right, client.bottom);
        ::SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0);
        ::SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), lParam);
        ::RestoreDC(mem, saved);
        ::BitBlt(target, cx, cy, (inner.right - inner.left + 2) - 1, inner.bottom - inner.top + 2, mem, 0, 0, SRCCOPY);
    }
    ::SelectObject(mem, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(mem);
    state->flags &= ~kStatePrinting;
    return result;
}

} // namespace

LRESULT CALLBACK MenuWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC old = OldProcOf(hWnd);
    if (!old)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    MenuLibrarySetup& lib = MenuLibrary();
    MenuWindowState* state = lib.StateOf(hWnd);
    MenuStyle* style = lib.CurrentStyle();
    if (!state || !style)
        return ::CallWindowProcA(old, hWnd, message, wParam, lParam);
    bool own = style->HasOwnBorder() != FALSE;
    switch (message) {
    case WM_ERASEBKGND:
        if (own && !(state->flags & kStatePrinting) && !state->framePainted) {
            state->framePainted = TRUE;
            ::SendMessageA(hWnd, WM_NCPAINT, 1, 0);
        }
        if (style->FillBackground(hWnd, reinterpret_cast<HDC>(wParam)))
            return 1;
        break;
    case WM_SHOWWINDOW:
        if (!wParam)
            UnsubclassMenuWindow(hWnd);
        break;
    case WM_NCDESTROY:
        UnsubclassMenuWindow(hWnd);
        break;
    case WM_WINDOWPOSCHANGING:
        style->GrowWindowSize(hWnd, reinterpret_cast<WINDOWPOS*>(lParam));
        CheckPosition(hWnd, state, reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_WINDOWPOSCHANGED:
        CheckPosition(hWnd, state, reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_NCCALCSIZE:
        if (wParam)
            style->ShrinkClientArea(hWnd, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case WM_NCPAINT:
        if (state->flags & kStatePrinting)
            return 0;
        if (state->framePainted && own) {
            HDC dc = ::GetWindowDC(hWnd);
            if (!dc)
                break;
            LRESULT result = 0;
            RECT inner;
            if (style->PaintFrame(hWnd, dc, FALSE) && style->GetInnerFrameRect(hWnd, &inner)) {
                ::InflateRect(&inner, -1, -1);
                HRGN region = ::CreateRectRgnIndirect(&inner);
                result = ::CallWindowProcA(old, hWnd, WM_NCPAINT, reinterpret_cast<WPARAM>(region), lParam);
                ::DeleteObject(region);
                style->PaintFrame(hWnd, dc, TRUE);
            } else {
                result = ::CallWindowProcA(old, hWnd, message, wParam, lParam);
            }
            ::ReleaseDC(hWnd, dc);
            return result;
        }
        if (own)
            TakeScreenSnapshot(hWnd, state);
        break;
    case WM_PRINT:
        if (own)
            return PrintWithOwnFrame(hWnd, state, style, old, reinterpret_cast<HDC>(wParam), lParam);
        break;
    default:
        break;
    }
    return ::CallWindowProcA(old, hWnd, message, wParam, lParam);
}

// ---- theme functions loaded on first use --------------------------------------------------

namespace {

FARPROC ThemeFunction(const char* name)
{
    static HMODULE module = ::LoadLibraryA("UxTheme.dll");
    return module ? ::GetProcAddress(module, name) : nullptr;
}

} // namespace

HANDLE MenuOpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    using Fn = HANDLE(WINAPI*)(HWND, LPCWSTR);
    static Fn fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(ThemeFunction("OpenThemeData")));
    return fn ? fn(hWnd, pszClassList) : nullptr;
}

HRESULT MenuCloseThemeData(HANDLE hTheme)
{
    using Fn = HRESULT(WINAPI*)(HANDLE);
    static Fn fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(ThemeFunction("CloseThemeData")));
    return fn ? fn(hTheme) : 0;
}

HRESULT MenuGetThemeColor(HANDLE hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    using Fn = HRESULT(WINAPI*)(HANDLE, int, int, int, COLORREF*);
    static Fn fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(ThemeFunction("GetThemeColor")));
    return fn ? fn(hTheme, iPartId, iStateId, iPropId, pColor) : 1;
}
