// The process-wide state of the owner-drawn menus and the popup windows
// they show in: the operating system class, the Wine and high-contrast
// checks, the optional system functions, the twelve drawing styles and the
// current one, and a message hook that takes over each popup window
// ("#32768") showing a CNewMenu, to give it the style's frame, background
// and shadow.
//
//   MenuLibrarySetup   the state (one static object; MenuLibrary())
//   MenuWindowState    one taken-over popup window
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "framework/ui/CGdiObject.h"

class MenuStyle;
class CNewMenuBitmaps;

struct MenuWindowState
{
    LONG savedStyle = 0;
    LONG savedExStyle = 0;
    POINT position = {0, 0};
    DWORD flags = 0;          // bit 0 taken over at 0x1E2, bit 1 styles changed, bit 3 printing
    BOOL framePainted = FALSE;
    HMENU menu = nullptr;
    CBitmap snapshot;
};

constexpr UINT kMenuGetMenu = 0x1E1;     // the popup's "which menu" message
constexpr UINT kMenuSizing = 0x1E2;      // the popup's sizing message
constexpr DWORD kStateAtSizing = 1;
constexpr DWORD kStateStylesChanged = 2;
constexpr DWORD kStatePrinting = 8;

class MenuLibrarySetup
{
public:
    using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    using IsThemeActiveFn = BOOL(WINAPI*)();

    // Construction
    MenuLibrarySetup();
    ~MenuLibrarySetup();
    MenuLibrarySetup(const MenuLibrarySetup&) = delete;
    MenuLibrarySetup& operator=(const MenuLibrarySetup&) = delete;

    // Attributes
    int OsClass() const { return m_osClass; }
    BOOL IsWine() const { return m_bWine; }
    BOOL IsHighContrast() const { return m_bHighContrast; }
    BOOL IsThemeActive() const { return m_pIsThemeActive && m_pIsThemeActive(); }
    GradientFillFn GradientFill() const { return m_pGradientFill; }
    MenuStyle* CurrentStyle() const { return m_pCurrentStyle; }
    MenuStyle* FindStyle(UINT nStyle) const;
    void SetCurrentStyle(MenuStyle* pStyle) { m_pCurrentStyle = pStyle; }
    BOOL IsHooked() const { return m_hHook != nullptr; }
    DWORD HookThread() const { return m_hookThread; }
    MenuWindowState* StateOf(HWND hWnd) const;
    size_t StateCount() const { return m_windows.size(); }
    std::vector<CNewMenuBitmaps*>* TitleLists() { return m_pTitleLists.get(); }
    std::vector<CNewMenuBitmaps*>& MakeTitleLists();

    // Seams for tests: the loader and high-contrast checks as another
    // machine would answer them. Each returns the previous value.
    BOOL SetWineForTest(BOOL bWine);
    BOOL SetHighContrastForTest(BOOL bHighContrast);

    // Operations
    // Installs the hook on the calling thread (unless this state has one).
    BOOL Hook();
    // Removes the hook and releases every window still taken over.
    void Unhook();
    // Releases the states of windows that no longer exist (a thread that
    // ended with a menu open leaves such states behind).
    int ForgetDeadWindows();

    // Implementation
    MenuWindowState* AddState(HWND hWnd, std::unique_ptr<MenuWindowState> state);
    std::unique_ptr<MenuWindowState> RemoveState(HWND hWnd);

private:
    int m_osClass = 0;
    BOOL m_bWine = FALSE;
    BOOL m_bHighContrast = FALSE;
    HMODULE m_hUxTheme = nullptr;
    HMODULE m_hMsimg = nullptr;
    IsThemeActiveFn m_pIsThemeActive = nullptr;
    GradientFillFn m_pGradientFill = nullptr;
    std::vector<MenuStyle*> m_styles;
    MenuStyle* m_pCurrentStyle = nullptr;
    HHOOK m_hHook = nullptr;
    DWORD m_hookThread = 0;
    std::map<HWND, std::unique_ptr<MenuWindowState>> m_windows;
    std::unique_ptr<std::vector<CNewMenuBitmaps*>> m_pTitleLists;
};

// The one state of the process.
MenuLibrarySetup& MenuLibrary();

LRESULT CALLBACK MenuHookProc(int nCode, WPARAM wParam, LPARAM lParam);
BOOL SubclassMenuWindow(HWND hWnd, BOOL bAtSizing);
void UnsubclassMenuWindow(HWND hWnd);
LRESULT CALLBACK MenuWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void TakeScreenSnapshot(HWND hWnd, MenuWindowState* pState);

// UxTheme functions loaded on first use (0 / 0 / 1 when missing).
HANDLE MenuOpenThemeData(HWND hWnd, LPCWSTR pszClassList);
HRESULT MenuCloseThemeData(HANDLE hTheme);
HRESULT MenuGetThemeColor(HANDLE hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
