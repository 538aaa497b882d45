#include "framework/core/CString.h"

#include "framework/core/Exceptions.h"
#include "framework/core/MbText.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

namespace {

const char kWhitespace[] = " \t\n\r\v\f";

// Appends text padded to width: Microsoft's printf pads %s and %c with zeros
// when the 0 flag is given (mingw's pads with spaces).
void AppendPadded(std::string& out, const char* text, std::size_t length,
                  int width, bool leftAlign, bool zeroPad)
{
    std::size_t pad = width > 0 && static_cast<std::size_t>(width) > length
                          ? static_cast<std::size_t>(width) - length : 0;
    if (!leftAlign)
        out.append(pad, zeroPad ? '0' : ' ');
    out.append(text, length);
    if (leftAlign)
        out.append(pad, ' ');
}

template <typename T>
void AppendPrintf(std::string& out, const std::string& spec, T value)
{
    char small[128];
    int n = std::snprintf(small, sizeof small, spec.c_str(), value);
    if (n < 0)
        return;
    if (static_cast<std::size_t>(n) < sizeof small) {
        out.append(small, static_cast<std::size_t>(n));
        return;
    }
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(&big[0], big.size(), spec.c_str(), value);
    out.append(big.data(), static_cast<std::size_t>(n));
}

// Floating-point conversions go to the Microsoft C library itself: it rounds
// a value exactly halfway away from zero ("%.2f" of 120.125 is "120.13"),
// where mingw's printf rounds it to even ("120.12").
void AppendDouble(std::string& out, const std::string& spec, double value)
{
#ifdef _WIN32
    std::vector<char> buffer(128);
    for (;;) {
        int n = _snprintf(buffer.data(), buffer.size(), spec.c_str(), value);
        if (n >= 0 && static_cast<std::size_t>(n) < buffer.size()) {
            out.append(buffer.data(), static_cast<std::size_t>(n));
            return;
        }
        if (buffer.size() >= (1u << 20))
            return;
        buffer.resize(buffer.size() * 4);
    }
#else
    AppendPrintf(out, spec, value);
#endif
}

enum class LengthMod { None, Char, Short, Long, LongLong, Pointer, LongDouble };

} // namespace

// Construction

CString::CString() : m_text(EmptyText()) {}

CString::CString(CString&& other) noexcept : m_text(std::move(other.m_text))
{
    other.m_text = EmptyText();
}

CString::CString(const char* text)
    : m_text(text && *text ? std::make_shared<std::string>(text) : EmptyText())
{
}

CString::CString(const char* text, int length)
    : m_text(text && length > 0
                 ? std::make_shared<std::string>(text, static_cast<std::size_t>(length))
                 : EmptyText())
{
}

CString::CString(char ch, int repeat)
    : m_text(repeat > 0 ? std::make_shared<std::string>(static_cast<std::size_t>(repeat), ch)
                        : EmptyText())
{
}

CString::CString(const std::string& text)
    : m_text(text.empty() ? EmptyText() : std::make_shared<std::string>(text))
{
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        m_text = std::move(other.m_text);
        other.m_text = EmptyText();
    }
    return *this;
}

CString& CString::operator=(const char* text)
{
    *this = CString(text);
    return *this;
}

CString& CString::operator=(char ch)
{
    *this = CString(ch, 1);
    return *this;
}

const std::shared_ptr<std::string>& CString::EmptyText()
{
    static const std::shared_ptr<std::string> empty = std::make_shared<std::string>();
    return empty;
}

std::string& CString::Mutable()
{
    // Shared text (or the shared empty text) is copied before it changes.
    if (m_text.use_count() != 1 || m_text == EmptyText())
        m_text = std::make_shared<std::string>(*m_text);
    return *m_text;
}

// Attributes

void CString::Empty()
{
    m_text = EmptyText();
}

char CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        AfxThrowInvalidArgException();
    return (*m_text)[static_cast<std::size_t>(index)];
}

void CString::SetAt(int index, char ch)
{
    if (index < 0 || index >= GetLength())
        AfxThrowInvalidArgException();
    Mutable()[static_cast<std::size_t>(index)] = ch;
}

// Comparison

int CString::Compare(const char* text) const
{
    return std::strcmp(m_text->c_str(), text ? text : "");
}

int CString::CompareNoCase(const char* text) const
{
    return mbtext::CompareNoCase(m_text->c_str(), text ? text : "");
}

// Concatenation

CString& CString::operator+=(const CString& text)
{
    if (!text.IsEmpty()) {
        if (IsEmpty())
            m_text = text.m_text;
        else
            Mutable() += *text.m_text;
    }
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text && *text)
        Mutable() += text;
    return *this;
}

CString& CString::operator+=(char ch)
{
    Mutable() += ch;
    return *this;
}

void CString::Append(const char* text, int length)
{
    if (text && length > 0)
        Mutable().append(text, static_cast<std::size_t>(length));
}

// Extraction

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    int length = GetLength();
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first > length)
        first = length;
    if (count > length - first)
        count = length - first;
    if (first == 0 && count == length)
        return *this;
    return CString(m_text->data() + first, count);
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Right(int count) const
{
    int length = GetLength();
    if (count < 0)
        count = 0;
    if (count > length)
        count = length;
    return Mid(length - count, count);
}

CString CString::Tokenize(const char* delimiters, int& start) const
{
    if (start < 0 || start > GetLength()) {
        start = -1;
        return CString();
    }
    const char* base = m_text->c_str();
    const char* delims = delimiters ? delimiters : "";
    const char* p = base + start;
    p += mbtext::SpanIn(p, delims);
    if (*p == '\0') {
        start = -1;
        return CString();
    }
    std::size_t n = mbtext::SpanNotIn(p, delims);
    CString token(p, static_cast<int>(n));
    start = static_cast<int>(p - base) + static_cast<int>(n) + (p[n] ? 1 : 0);
    return token;
}

// Searching

int CString::Find(char ch, int start) const
{
    if (start < 0)
        start = 0;
    if (start >= GetLength())
        return -1;
    return mbtext::FindChar(m_text->c_str(), ch, start);
}

int CString::Find(const char* text, int start) const
{
    if (!text)
        return -1;
    if (start < 0)
        start = 0;
    if (start > GetLength())
        return -1;
    return mbtext::FindText(m_text->c_str(), text, start);
}

int CString::ReverseFind(char ch) const
{
    return mbtext::ReverseFindChar(m_text->c_str(), ch);
}

int CString::FindOneOf(const char* chars) const
{
    return chars ? mbtext::FindOneOf(m_text->c_str(), chars) : -1;
}

// Changing

CString& CString::MakeUpper()
{
    if (!IsEmpty())
        mbtext::ToUpper(&Mutable()[0]);
    return *this;
}

CString& CString::MakeLower()
{
    if (!IsEmpty())
        mbtext::ToLower(&Mutable()[0]);
    return *this;
}

int CString::Replace(char oldChar, char newChar)
{
    int count = 0;
    for (int pos = Find(oldChar); pos >= 0; pos = Find(oldChar, pos + 1)) {
        if (oldChar != newChar)
            Mutable()[static_cast<std::size_t>(pos)] = newChar;
        ++count;
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    std::size_t oldLen = std::strlen(oldText);
    std::string replacement = newText ? newText : "";
    std::string result;
    int count = 0;
    int from = 0;
    for (int pos = Find(oldText); pos >= 0; pos = Find(oldText, from)) {
        result.append(*m_text, static_cast<std::size_t>(from), static_cast<std::size_t>(pos - from));
        result += replacement;
        from = pos + static_cast<int>(oldLen);
        ++count;
    }
    if (count > 0) {
        result.append(*m_text, static_cast<std::size_t>(from), std::string::npos);
        *this = CString(result);
    }
    return count;
}

int CString::Remove(char ch)
{
    std::string result;
    int count = 0;
    const char* p = m_text->c_str();
    const char* end = p + m_text->size();
    while (p < end) {
        std::size_t n = *p ? mbtext::CharLength(p) : 1;
        if (n == 1 && *p == ch)
            ++count;
        else
            result.append(p, n);
        p += n;
    }
    if (count > 0)
        *this = CString(result);
    return count;
}

int CString::Insert(int index, char ch)
{
    return Insert(index, std::string(1, ch).c_str());
}

int CString::Insert(int index, const char* text)
{
    if (index < 0)
        index = 0;
    if (index > GetLength())
        index = GetLength();
    if (text && *text)
        Mutable().insert(static_cast<std::size_t>(index), text);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    if (count > 0 && index < GetLength()) {
        if (count > GetLength() - index)
            count = GetLength() - index;
        Mutable().erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    }
    return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(const char* chars) { return TrimRight(chars).TrimLeft(chars); }
CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }

CString& CString::TrimLeft(char ch)
{
    const char set[2] = {ch, '\0'};
    return TrimLeft(set);
}

CString& CString::TrimLeft(const char* chars)
{
    if (!chars || IsEmpty())
        return *this;
    std::size_t n = mbtext::SpanIn(m_text->c_str(), chars);
    if (n > 0)
        *this = Mid(static_cast<int>(n));
    return *this;
}

CString& CString::TrimRight() { return TrimRight(kWhitespace); }

CString& CString::TrimRight(char ch)
{
    const char set[2] = {ch, '\0'};
    return TrimRight(set);
}

CString& CString::TrimRight(const char* chars)
{
    if (!chars || IsEmpty())
        return *this;
    // Walk forward so that a trail byte is never mistaken for a character.
    const char* begin = m_text->c_str();
    const char* p = begin;
    const char* runStart = nullptr;
    while (*p) {
        std::size_t n = mbtext::CharLength(p);
        std::size_t inSet = mbtext::SpanIn(p, chars);
        if (inSet >= n) {
            if (!runStart)
                runStart = p;
        } else {
            runStart = nullptr;
        }
        p += n;
    }
    if (runStart)
        *this = Left(static_cast<int>(runStart - begin));
    return *this;
}

// Formatting

void CString::FormatArgs(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    std::string out;
    const char* p = format ? format : "";
    while (*p) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        const char* specStart = p++;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        std::string flags;
        while (*p && std::strchr("-+ #0", *p))
            flags += *p++;
        int width = -1;
        if (*p == '*') {
            width = va_arg(args, int);
            if (width < 0) {
                flags += '-';
                width = -width;
            }
            ++p;
        } else if (*p >= '0' && *p <= '9') {
            width = 0;
            while (*p >= '0' && *p <= '9')
                width = width * 10 + (*p++ - '0');
        }
        int precision = -1;
        if (*p == '.') {
            ++p;
            precision = 0;
            if (*p == '*') {
                precision = va_arg(args, int);
                if (precision < 0)
                    precision = -1;
                ++p;
            } else {
                while (*p >= '0' && *p <= '9')
                    precision = precision * 10 + (*p++ - '0');
            }
        }
        LengthMod mod = LengthMod::None;
        bool wide = false;
        if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
            mod = LengthMod::LongLong;
            p += 3;
        } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
            p += 3;
        } else if (*p == 'I' || *p == 'z' || *p == 't' || *p == 'j') {
            mod = *p == 'j' ? LengthMod::LongLong : LengthMod::Pointer;
            ++p;
        } else if (p[0] == 'h' && p[1] == 'h') {
            mod = LengthMod::Char;
            p += 2;
        } else if (*p == 'h') {
            mod = LengthMod::Short;
            ++p;
        } else if (p[0] == 'l' && p[1] == 'l') {
            mod = LengthMod::LongLong;
            p += 2;
        } else if (*p == 'l' || *p == 'w') {
            mod = LengthMod::Long;
            wide = true;
            ++p;
        } else if (*p == 'L') {
            mod = LengthMod::LongDouble;
            ++p;
        }
        char conversion = *p;
        if (conversion == '\0') {
            out.append(specStart);
            break;
        }
        ++p;

        const bool leftAlign = flags.find('-') != std::string::npos;
        const bool zeroPad = flags.find('0') != std::string::npos && !leftAlign;
        std::string spec = "%" + flags;
        if (width >= 0)
            spec += std::to_string(width);
        if (precision >= 0)
            spec += "." + std::to_string(precision);

        switch (conversion) {
        case 'd':
        case 'i': {
            long long value;
            switch (mod) {
            case LengthMod::Char: value = static_cast<signed char>(va_arg(args, int)); break;
            case LengthMod::Short: value = static_cast<short>(va_arg(args, int)); break;
            case LengthMod::Long: value = va_arg(args, long); break;
            case LengthMod::LongLong: value = va_arg(args, long long); break;
            case LengthMod::Pointer: value = va_arg(args, std::ptrdiff_t); break;
            default: value = va_arg(args, int); break;
            }
            AppendPrintf(out, spec + "lld", value);
            break;
        }
        case 'u':
        case 'o':
        case 'x':
        case 'X': {
            unsigned long long value;
            switch (mod) {
            case LengthMod::Char: value = static_cast<unsigned char>(va_arg(args, unsigned)); break;
            case LengthMod::Short: value = static_cast<unsigned short>(va_arg(args, unsigned)); break;
            case LengthMod::Long: value = va_arg(args, unsigned long); break;
            case LengthMod::LongLong: value = va_arg(args, unsigned long long); break;
            case LengthMod::Pointer: value = va_arg(args, std::size_t); break;
            default: value = va_arg(args, unsigned); break;
            }
            AppendPrintf(out, spec + "ll" + conversion, value);
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if (mod == LengthMod::LongDouble)
                AppendDouble(out, spec + conversion, static_cast<double>(va_arg(args, long double)));
            else
                AppendDouble(out, spec + conversion, va_arg(args, double));
            break;
        case 'c':
        case 'C': {
            int value = va_arg(args, int);
            char ch = static_cast<char>(value);
            if (wide || conversion == 'C') {
                char mb[8];
                std::mbstate_t state{};
                std::size_t n = std::wcrtomb(mb, static_cast<wchar_t>(value), &state);
                if (n == static_cast<std::size_t>(-1))
                    n = 0;
                AppendPadded(out, mb, n, width, leftAlign, zeroPad);
            } else {
                AppendPadded(out, &ch, 1, width, leftAlign, zeroPad);
            }
            break;
        }
        case 's':
        case 'S': {
            std::string text;
            if (wide || conversion == 'S') {
                const wchar_t* value = va_arg(args, const wchar_t*);
                if (!value) {
                    text = "(null)";
                } else {
                    std::mbstate_t state{};
                    for (const wchar_t* w = value; *w; ++w) {
                        char mb[8];
                        std::size_t n = std::wcrtomb(mb, *w, &state);
                        text.append(mb, n == static_cast<std::size_t>(-1) ? 0 : n);
                    }
                }
            } else {
                const char* value = va_arg(args, const char*);
                text = value ? value : "(null)";
            }
            std::size_t length = text.size();
            if (precision >= 0 && static_cast<std::size_t>(precision) < length)
                length = static_cast<std::size_t>(precision);
            AppendPadded(out, text.data(), length, width, leftAlign, zeroPad);
            break;
        }
        case 'p': {
            // Microsoft prints pointers as upper-case hex, one digit per nibble.
            const void* value = va_arg(args, const void*);
            char digits[32];
            std::snprintf(digits, sizeof digits, "%0*llX", static_cast<int>(sizeof(void*) * 2),
                          static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(value)));
            AppendPadded(out, digits, std::strlen(digits), width, leftAlign, false);
            break;
        }
        case 'n':
            // Writing through %n is refused, as the Microsoft library does.
            (void)va_arg(args, void*);
            break;
        default:
            out.append(specStart, static_cast<std::size_t>(p - specStart));
            break;
        }
    }
    *this = CString(out);
}

// Buffer access

char* CString::GetBuffer(int minLength)
{
    std::string& text = Mutable();
    if (minLength > 0 && static_cast<std::size_t>(minLength) > text.size())
        text.resize(static_cast<std::size_t>(minLength), '\0');
    return &text[0];
}

char* CString::GetBufferSetLength(int length)
{
    std::string& text = Mutable();
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    return &text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    std::string& text = Mutable();
    std::size_t length = newLength < 0 ? std::strlen(text.c_str())
                                       : static_cast<std::size_t>(newLength);
    if (length > text.size())
        length = text.size();
    text.resize(length);
}

// Free operators

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
CString operator+(char a, const CString& b) { CString r(a, 1); r += b; return r; }

bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
bool operator<(const char* a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
