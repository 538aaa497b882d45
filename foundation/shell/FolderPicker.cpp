#include "foundation/shell/FolderPicker.h"

#include "framework/ui/Prompts.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies text into a buffer of `size` characters, cut to fit, terminated.
void CopyCut(char* buffer, size_t size, const char* text)
{
    const size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = 0;
}

} // namespace

FolderPicker::FolderPicker()
    : m_ulFlags(0), m_szDisplayName(), m_pidlRoot(nullptr), m_szTitle()
{
}

uint32_t FolderPicker::SetFlags(uint32_t setFlags, uint32_t clearMask)
{
    m_ulFlags = (m_ulFlags & ~clearMask) | setFlags;
    return m_ulFlags;
}

void FolderPicker::SetTitle(const char* title)
{
    if (title)
        CopyCut(m_szTitle, sizeof m_szTitle, title);
}

int FolderPicker::Browse(HWND owner, char* path)
{
    if (!path)
        return BROWSE_NO_PATH;
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = m_pidlRoot;
    info.pszDisplayName = m_szDisplayName;
    info.lpszTitle = m_szTitle;
    info.ulFlags = m_ulFlags;
    CString chosen;
    if (!AfxPromptBrowseForFolder(&info, chosen))
        return BROWSE_CANCELLED;
    // A path that does not fit is no path: a cut one would name another
    // folder.
    if (chosen.IsEmpty() || chosen.GetLength() >= PATH_BUFFER)
        return BROWSE_NO_PATH;
    CopyCut(path, PATH_BUFFER, chosen);
    return BROWSE_PATH;
}
