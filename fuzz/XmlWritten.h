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
