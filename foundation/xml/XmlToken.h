// The scanner that XmlMarkup's parser, navigation and editing share: steps
// through one document text by characters (one byte, or two when the first
// is a lead byte of the multibyte code page), reads tokens and skips the
// nodes that are not elements. Every scan stops at the end of the text it
// is given; nothing reads past it.
#pragma once

#include "framework/core/CString.h"

#include <string>

// Scanner state over one text. The text ends at `length` (a scan may be
// given a shorter length to keep it inside one tag).
struct XmlToken
{
    int begin = 0;       // first character of the token
    int end = -1;        // last character (inclusive)
    int next = 0;        // where the next scan starts
    const char* text = nullptr;
    int length = 0;
    bool quoted = false;

    XmlToken() = default;
    XmlToken(const char* t, int len, int start) : next(start), text(t), length(len) {}
};

// What FindNode found at a token's next offset.
enum class XmlNodeKind
{
    None,
    Element,
    EndTag,
    ProcessingInstruction,
    CData,
    Comment,
    DocType,
    Whitespace,
    Text
};

// True when `c` starts a two-byte character of the multibyte code page.
bool XmlIsLeadByte(unsigned char c);

#ifndef _WIN32
// Built natively, the lead bytes are those of the code page chosen here: 0
// (single-byte, the default) or 932 (Shift-JIS), so that the double-byte
// paths of the scanner and of the writers' escaping run natively too. False
// for any other code page (the table is then unchanged). Not thread-safe:
// set it before any scan. Windows builds follow the ANSI code page instead.
bool XmlSetNativeCodePage(int codePage);
#endif

// True when the byte at `pos` is a lead byte that ends the text: half a
// double-byte character (a text cut inside one). The writers leave it out,
// since written it would take the markup after it for its second byte.
inline bool XmlIsHalfCharacter(const char* text, int length, int pos)
{
    return pos + 1 == length && XmlIsLeadByte(static_cast<unsigned char>(text[pos]));
}

// The offset of the character after the one at `pos`.
inline int XmlNextChar(const char* text, int length, int pos)
{
    return (pos + 1 < length && XmlIsLeadByte(static_cast<unsigned char>(text[pos]))) ? pos + 2
                                                                                       : pos + 1;
}

// Advances pos over white space; true when another character follows.
bool SkipWhitespace(const char* text, int length, int& pos);
// Advances pos to the next c; false (pos at the end) when there is none.
bool FindChar(const char* text, int length, int& pos, char c);
// Advances pos to the next occurrence of `pattern` (single-byte characters).
bool FindText(const char* text, int length, int& pos, const char* pattern);

// Reads the next token from token.next; false when only white space is left.
bool FindToken(XmlToken& token);
// The token's characters, its end cut to the last character of the text.
std::string GetToken(const XmlToken& token);
// True when the token's characters begin `name` and the name ends there or
// goes on with ' ', '=', '/' or '['.
bool TokenMatches(const XmlToken& token, const char* name, int nameLength);
bool TokenMatches(const XmlToken& token, const char* name);
// True when the token is exactly the single character c (and not quoted).
inline bool TokenIs(const XmlToken& token, char c)
{
    return !token.quoted && token.begin == token.end && token.begin < token.length &&
           token.text[token.begin] == c;
}

// Classifies the markup at token.next and moves next past the kinds that
// are skipped. False when a terminating sequence is missing.
bool FindNode(XmlToken& token, XmlNodeKind& kind);

// The text of [first, stop) with the five predefined entities decoded (tried
// in the order lt, amp, gt, apos, quot); an '&' that starts none of them
// stays as it is.
CString XmlDecodeEntities(const char* text, int first, int stop);
