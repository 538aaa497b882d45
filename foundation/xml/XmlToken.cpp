#include "foundation/xml/XmlToken.h"

#include <cstring>

#ifdef _WIN32
#include <mbctype.h>
#endif

namespace {

// Lead bytes of the C library's multibyte code page (the ANSI code page on
// Windows), read once. A single-byte code page has none, which lets the
// scans use memchr. Built natively there is no code page to ask: the
// table starts empty and XmlSetNativeCodePage fills it.
struct LeadBytes
{
    bool lead[256] = {};
    bool any = false;

    LeadBytes()
    {
#ifdef _WIN32
        for (int c = 0x80; c < 256; ++c) {
            lead[c] = _ismbblead(static_cast<unsigned int>(c)) != 0;
            any = any || lead[c];
        }
#endif
    }
};

LeadBytes& LeadTable()
{
    static LeadBytes leads;
    return leads;
}

const LeadBytes& Leads()
{
    return LeadTable();
}

// Characters that end an unquoted token.
struct Delimiters
{
    bool table[256] = {};
    Delimiters()
    {
        for (unsigned char c : std::string(" \t\n\r<>=\\/?!"))
            table[c] = true;
    }
};

const bool* DelimiterTable()
{
    static const Delimiters delimiters;
    return delimiters.table;
}

inline bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

bool XmlIsLeadByte(unsigned char c)
{
    return Leads().lead[c];
}

#ifndef _WIN32
bool XmlSetNativeCodePage(int codePage)
{
    LeadBytes& table = LeadTable();
    if (codePage != 0 && codePage != 932)
        return false;
    table.any = false;
    for (int c = 0; c < 256; ++c) {
        // Shift-JIS: lead bytes 0x81 to 0x9F and 0xE0 to 0xFC.
        table.lead[c] = codePage == 932 && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC));
        table.any = table.any || table.lead[c];
    }
    return true;
}
#endif

bool SkipWhitespace(const char* text, int length, int& pos)
{
    // White space is single-byte, so stepping by bytes is stepping by characters.
    while (pos < length && IsSpace(text[pos]))
        ++pos;
    return pos < length;
}

bool FindChar(const char* text, int length, int& pos, char c)
{
    if (pos >= length) {
        pos = length;
        return false;
    }
    if (!Leads().any) {
        const void* hit = std::memchr(text + pos, c, static_cast<size_t>(length - pos));
        if (!hit) {
            pos = length;
            return false;
        }
        pos = static_cast<int>(static_cast<const char*>(hit) - text);
        return true;
    }
    while (pos < length) {
        if (text[pos] == c)
            return true;
        pos = XmlNextChar(text, length, pos);
    }
    pos = length;
    return false;
}

bool FindText(const char* text, int length, int& pos, const char* pattern)
{
    const int patternLength = static_cast<int>(std::strlen(pattern));
    while (FindChar(text, length, pos, pattern[0])) {
        if (length - pos >= patternLength &&
            std::memcmp(text + pos, pattern, static_cast<size_t>(patternLength)) == 0)
            return true;
        pos = XmlNextChar(text, length, pos);
    }
    return false;
}

bool FindToken(XmlToken& token)
{
    const char* text = token.text;
    const int length = token.length;
    int pos = token.next;
    token.quoted = false;
    if (!SkipWhitespace(text, length, pos)) {
        token.begin = token.end = token.next = pos;
        return false;
    }

    const char c = text[pos];
    if (c == '"' || c == '\'') {
        token.quoted = true;
        token.begin = pos + 1;
        int close = token.begin;
        FindChar(text, length, close, c);
        token.end = close - 1;
        token.next = close < length ? close + 1 : length;
        return true;
    }

    const bool* delimiter = DelimiterTable();
    token.begin = pos;
    int after = pos;
    while (after < length && !delimiter[static_cast<unsigned char>(text[after])])
        after = XmlNextChar(text, length, after);
    if (after > pos) {
        token.end = after - 1;
        token.next = after;
    } else {
        token.end = pos;
        token.next = pos + 1;
    }
    return true;
}

std::string GetToken(const XmlToken& token)
{
    int end = token.end < token.length ? token.end : token.length - 1;
    if (token.begin < 0 || end < token.begin)
        return std::string();
    return std::string(token.text + token.begin, static_cast<size_t>(end - token.begin + 1));
}

bool TokenMatches(const XmlToken& token, const char* name, int nameLength)
{
    if (!name || token.begin < 0 || token.end < token.begin || token.end >= token.length)
        return false;
    const int count = token.end - token.begin + 1;
    if (nameLength < count || std::memcmp(token.text + token.begin, name, static_cast<size_t>(count)) != 0)
        return false;
    if (nameLength == count)
        return true;
    const char after = name[count];
    return after == ' ' || after == '=' || after == '/' || after == '[';
}

bool TokenMatches(const XmlToken& token, const char* name)
{
    return name && TokenMatches(token, name, static_cast<int>(std::strlen(name)));
}

namespace {

// Moves next past the first `terminator` found from `from`.
bool SkipPast(XmlToken& token, int from, const char* terminator)
{
    int pos = from;
    if (!FindText(token.text, token.length, pos, terminator))
        return false;
    token.next = pos + static_cast<int>(std::strlen(terminator));
    return true;
}

// A document type declaration ends at the first unquoted '>' outside the
// brackets of its internal subset.
bool SkipDocType(XmlToken& token, int from)
{
    XmlToken scan(token.text, token.length, from + 2);
    int depth = 0;
    while (FindToken(scan)) {
        if (scan.quoted)
            continue;
        for (int i = scan.begin; i <= scan.end; ++i) {
            if (scan.text[i] == '[')
                ++depth;
            else if (scan.text[i] == ']' && depth > 0)
                --depth;
        }
        if (depth == 0 && TokenIs(scan, '>')) {
            token.next = scan.next;
            return true;
        }
    }
    return false;
}

} // namespace

bool FindNode(XmlToken& token, XmlNodeKind& kind)
{
    const char* text = token.text;
    const int length = token.length;
    const int pos = token.next;
    kind = XmlNodeKind::None;
    if (pos >= length)
        return false;

    if (text[pos] == '<') {
        if (length - pos < 3)
            return false;
        const char second = text[pos + 1];
        if (second == '?') {
            kind = XmlNodeKind::ProcessingInstruction;
            return SkipPast(token, pos, "?>");
        }
        if (second == '!') {
            const char third = text[pos + 2];
            if (third == '[') {
                kind = XmlNodeKind::CData;
                return SkipPast(token, pos, "]]>");
            }
            if (third == '-') {
                kind = XmlNodeKind::Comment;
                return SkipPast(token, pos, "-->");
            }
            kind = XmlNodeKind::DocType;
            return SkipDocType(token, pos);
        }
        if (second == '/') {
            kind = XmlNodeKind::EndTag;
            return false;
        }
        kind = XmlNodeKind::Element;
        return true;
    }

    int scan = pos;
    SkipWhitespace(text, length, scan);
    if (scan >= length || text[scan] == '<') {
        kind = XmlNodeKind::Whitespace;
        token.next = scan;
        return true;
    }
    kind = XmlNodeKind::Text;
    FindChar(text, length, scan, '<');
    token.next = scan;
    return true;
}

namespace {

struct Entity
{
    const char* name; // after the '&'
    int length;
    char ch;
};

const Entity kEntities[] = {
    {"lt;", 3, '<'}, {"amp;", 4, '&'}, {"gt;", 3, '>'}, {"apos;", 5, '\''}, {"quot;", 5, '"'},
};

} // namespace

CString XmlDecodeEntities(const char* text, int first, int stop)
{
    const int last = stop - 1;
    if (last < first)
        return CString();
    int pos = first;
    int amp = pos;
    if (!FindChar(text, stop, amp, '&'))
        return CString(text + first, stop - first); // nothing to decode

    std::string out;
    out.reserve(static_cast<size_t>(stop - first));
    for (;;) {
        out.append(text + pos, static_cast<size_t>(amp - pos));
        if (amp >= stop)
            break;
        pos = amp + 1;
        char decoded = '&';
        for (const Entity& entity : kEntities) {
            if (amp + entity.length <= last &&
                std::memcmp(text + amp + 1, entity.name, static_cast<size_t>(entity.length)) == 0) {
                decoded = entity.ch;
                pos = amp + 1 + entity.length;
                break;
            }
        }
        out += decoded;
        amp = pos;
        FindChar(text, stop, amp, '&');
    }
    return CString(out);
}
