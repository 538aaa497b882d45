// The input of the targets that read an XML file of the program: the first
// byte picks the code page (odd: 932, double-byte; even: single-byte), the
// second is unused, the rest is the file's text. Null when the input is
// shorter than the two bytes.
#pragma once

#include "foundation/xml/XmlToken.h"
#include "framework/core/CString.h"
#include "fuzz/FuzzCheck.h"

inline bool SplitXmlInput(const uint8_t* data, size_t size, CString* text)
{
    FuzzParts parts;
    if (!FuzzParts::Split(data, size, &parts))
        return false;
    XmlSetNativeCodePage((parts.choice & 1) ? 932 : 0);
    *text = CString(parts.rest);
    return true;
}
