// Conversion of 16-bit (UTF-16) text to the ANSI code page.
#pragma once

#include <string>

namespace ansitext {
// Characters without a form in the code page become '?'.
std::string FromUtf16(const std::u16string& text);
}
