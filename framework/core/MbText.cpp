#include "framework/core/MbText.h"

#include <cctype>
#include <cstring>

#ifdef _WIN32
#include <mbstring.h>
#else
#include <strings.h>
#endif

namespace mbtext {

namespace {
#ifdef _WIN32
const unsigned char* U(const char* p) { return reinterpret_cast<const unsigned char*>(p); }
unsigned char* U(char* p) { return reinterpret_cast<unsigned char*>(p); }
#endif
}

std::size_t CharLength(const char* p)
{
    if (*p == '\0')
        return 0;
#ifdef _WIN32
    if (_ismbblead(static_cast<unsigned char>(p[0])) && p[1] != '\0')
        return 2;
#endif
    return 1;
}

int FindChar(const char* text, char ch, int start)
{
    int pos = 0;
    for (const char* p = text; *p; ) {
        std::size_t n = CharLength(p);
        if (pos >= start && n == 1 && *p == ch)
            return pos;
        p += n;
        pos += static_cast<int>(n);
    }
    return -1;
}

int ReverseFindChar(const char* text, char ch)
{
    int found = -1;
    int pos = 0;
    for (const char* p = text; *p; ) {
        std::size_t n = CharLength(p);
        if (n == 1 && *p == ch)
            found = pos;
        p += n;
        pos += static_cast<int>(n);
    }
    return found;
}

int FindText(const char* text, const char* sub, int start)
{
    std::size_t subLen = std::strlen(sub);
    if (subLen == 0)
        return start >= 0 && static_cast<std::size_t>(start) <= std::strlen(text) ? start : -1;
    int pos = 0;
    for (const char* p = text; *p; ) {
        if (pos >= start && std::strncmp(p, sub, subLen) == 0)
            return pos;
        std::size_t n = CharLength(p);
        p += n;
        pos += static_cast<int>(n);
    }
    return -1;
}

namespace {
// Whether the character at p (of length n) is one of the characters of set.
bool InSet(const char* p, std::size_t n, const char* set)
{
    for (const char* s = set; *s; ) {
        std::size_t m = CharLength(s);
        if (m == n && std::memcmp(p, s, n) == 0)
            return true;
        s += m;
    }
    return false;
}
}

int FindOneOf(const char* text, const char* set)
{
    int pos = 0;
    for (const char* p = text; *p; ) {
        std::size_t n = CharLength(p);
        if (InSet(p, n, set))
            return pos;
        p += n;
        pos += static_cast<int>(n);
    }
    return -1;
}

std::size_t SpanIn(const char* text, const char* set)
{
    const char* p = text;
    while (*p) {
        std::size_t n = CharLength(p);
        if (!InSet(p, n, set))
            break;
        p += n;
    }
    return static_cast<std::size_t>(p - text);
}

std::size_t SpanNotIn(const char* text, const char* set)
{
    const char* p = text;
    while (*p) {
        std::size_t n = CharLength(p);
        if (InSet(p, n, set))
            break;
        p += n;
    }
    return static_cast<std::size_t>(p - text);
}

int CompareNoCase(const char* a, const char* b)
{
#ifdef _WIN32
    return _mbsicmp(U(a), U(b));
#else
    return strcasecmp(a, b);
#endif
}

void ToLower(char* text)
{
#ifdef _WIN32
    _mbslwr(U(text));
#else
    for (char* p = text; *p; ++p)
        *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
#endif
}

void ToUpper(char* text)
{
#ifdef _WIN32
    _mbsupr(U(text));
#else
    for (char* p = text; *p; ++p)
        *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
#endif
}

} // namespace mbtext
