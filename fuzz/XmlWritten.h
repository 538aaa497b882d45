// A text as the XML writers write it: up to its first zero byte (texts are
// C strings to the program), without a lead byte that ends it (half a
// double-byte character, which they leave out).
#pragma once

#include "foundation/xml/XmlToken.h"

#include <string>

inline std::string XmlWritten(const char* text)
{
    const std::string value = text;
    const int length = static_cast<int>(value.size());
    for (int pos = 0; pos < length; pos = XmlNextChar(value.data(), length, pos))
        if (XmlIsHalfCharacter(value.data(), length, pos))
            return value.substr(0, static_cast<size_t>(pos));
    return value;
}

// A text as the library file's writer writes it: as above, and of its
// single-byte characters CR, LF and TAB written as a blank and other bytes
// below 0x20 left out (a double-byte character is copied whole).
inline std::string LibraryWritten(const char* text)
{
    const std::string value = XmlWritten(text);
    const int length = static_cast<int>(value.size());
    std::string out;
    for (int pos = 0; pos < length;) {
        const int next = XmlNextChar(value.data(), length, pos);
        const unsigned char c = static_cast<unsigned char>(value[static_cast<size_t>(pos)]);
        if (next - pos > 1 || c >= 0x20)
            out.append(value, static_cast<size_t>(pos), static_cast<size_t>(next - pos));
        else if (c == '\r' || c == '\n' || c == '\t')
            out += ' ';
        pos = next;
    }
    return out;
}
