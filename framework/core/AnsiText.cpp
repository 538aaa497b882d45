#include "framework/core/AnsiText.h"

#ifdef _WIN32
// Only this file of the core sees a Windows header; no core header does.
#include <windows.h>
#endif

namespace ansitext {

std::string FromUtf16(const std::u16string& text)
{
    if (text.empty())
        return std::string();
#ifdef _WIN32
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    int length = static_cast<int>(text.size());
    int n = ::WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_ACP, 0, wide, length, &out[0], n, nullptr, nullptr);
    return out;
#else
    std::string out;
    for (char16_t c : text)
        out += c < 0x100 ? static_cast<char>(c) : '?';
    return out;
#endif
}

} // namespace ansitext
