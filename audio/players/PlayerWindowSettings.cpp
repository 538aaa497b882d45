#include "audio/players/PlayerWindowSettings.h"

#include <shellapi.h>

#include <cstdint>

#include "foundation/app/ProgramFolder.h"
#include "framework/core/CString.h"

namespace {

CString IniPath()
{
    return GetProgramFolder() + "TavrixVJ.INI";
}

// The window position as WindowPos stores it.
struct StoredPosition
{
    int32_t left;
    int32_t top;
};
static_assert(sizeof(StoredPosition) == 8, "WindowPos is two 32-bit integers");

} // namespace

int ReadPlayerSetting(const char* section, const char* key)
{
    return static_cast<int>(::GetPrivateProfileIntA(section, key, 0, IniPath()));
}

void WritePlayerSetting(const char* section, const char* key, int value)
{
    CString text;
    text.Format("%d", value);
    ::WritePrivateProfileStringA(section, key, text, IniPath());
}

bool ReadPlayerWindowPos(const char* section, POINT& at)
{
    StoredPosition position = {};
    if (!::GetPrivateProfileStructA(section, "WindowPos", &position, sizeof position, IniPath()))
        return false;
    at.x = position.left;
    at.y = position.top;
    return true;
}

void WritePlayerWindowPos(const char* section, HWND window)
{
    RECT rect = {};
    if (!window || !::GetWindowRect(window, &rect))
        return;
    StoredPosition position = {rect.left, rect.top};
    ::WritePrivateProfileStructA(section, "WindowPos", &position, sizeof position, IniPath());
}

bool DropLandsOn(HDROP drop, HWND window, HWND control)
{
    if (!control)
        return false;
    POINT at = {};
    ::DragQueryPoint(drop, &at);
    // The point is in the window's client area; the control's rectangle too.
    RECT rect = {};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return ::PtInRect(&rect, at) != FALSE;
}
