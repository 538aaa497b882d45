// XmlMarkup: navigation, reading of attributes and text, and editing.
// Every edit replaces one range of the text and moves the offsets of the
// elements behind it, so reading and writing may be mixed on one object.
#include "foundation/xml/XmlMarkup.h"

#include "foundation/xml/XmlToken.h"

#include <cstring>

// ---------------------------------------------------------------- scanning

// A scanner over the start tag of element i, from the character after its
// '<' up to (not including) its '>', or its '/' when it is an empty-element
// tag: a value with a missing closing quote can never take in that '/' or
// reach into the rest of the document.
XmlToken XmlMarkup::StartTagToken(int i) const
{
    int limit = IsEmptyElement(i) ? Rec(i).endTagBegin : Rec(i).startTagEnd;
    if (limit > DocLength())
        limit = DocLength();
    return XmlToken(DocText(), limit, Rec(i).startTagBegin + 1);
}

std::string XmlMarkup::GetTagName(int i) const
{
    if (i == 0)
        return std::string();
    XmlToken token = StartTagToken(i);
    if (!FindToken(token))
        return std::string();
    return GetToken(token);
}

bool XmlMarkup::FindAttribute(XmlToken& token, const char* name) const
{
    int match = -1;
    for (int number = 0; FindToken(token); ++number) {
        if (token.quoted) {
            if (match >= 0 && number == match + 2)
                return true;
            continue;
        }
        if (TokenIs(token, '/') || TokenIs(token, '>') || TokenIs(token, '?'))
            return false;
        if (TokenIs(token, '=') || number == 0 || match >= 0)
            continue;
        if (TokenMatches(token, name))
            match = number;
    }
    return false;
}

CString XmlMarkup::UnescapeText(int first, int last) const
{
    if (first < 0)
        first = 0;
    if (last >= DocLength())
        last = DocLength() - 1;
    if (last < first)
        return CString();
    return XmlDecodeEntities(DocText(), first, last + 1);
}

std::string XmlMarkup::EscapeText(const char* text, bool withQuotes)
{
    std::string out;
    if (!text)
        return out;
    const int length = static_cast<int>(std::strlen(text));
    out.reserve(static_cast<size_t>(length));
    for (int pos = 0; pos < length;) {
        if (XmlIsHalfCharacter(text, length, pos))
            break; // it would take the quote or tag after it along
        const int next = XmlNextChar(text, length, pos);
        if (next - pos == 1) {
            switch (text[pos]) {
            case '<': out += "&lt;"; break;
            case '&': out += "&amp;"; break;
            case '>': out += "&gt;"; break;
            case '\'': out += withQuotes ? "&apos;" : "'"; break;
            case '"': out += withQuotes ? "&quot;" : "\""; break;
            default: out += text[pos]; break;
            }
        } else {
            out.append(text + pos, static_cast<size_t>(next - pos));
        }
        pos = next;
    }
    return out;
}

// -------------------------------------------------------------- navigation

int XmlMarkup::FindElementFrom(int parent, int after, const char* name) const
{
    int candidate = after ? Rec(after).nextSibling : Rec(parent).firstChild;
    if (!name || !*name)
        return candidate;
    for (; candidate; candidate = Rec(candidate).nextSibling) {
        XmlToken token = StartTagToken(candidate);
        if (FindToken(token) && !token.quoted && TokenMatches(token, name))
            return candidate;
    }
    return 0;
}

bool XmlMarkup::FindElement(LPCTSTR name)
{
    const int found = FindElementFrom(m_parentPos, m_currentPos, name);
    if (!found)
        return false;
    m_currentPos = found;
    m_parentPos = Rec(found).parent;
    m_childPos = 0;
    m_nodeKind = 1;
    return true;
}

bool XmlMarkup::FindChildElement(LPCTSTR name)
{
    if (!m_currentPos)
        FindElement(nullptr);
    // With no element at this level there is nothing whose children to search.
    if (!m_currentPos)
        return false;
    const int found = FindElementFrom(m_currentPos, m_childPos, name);
    if (!found)
        return false;
    m_childPos = found;
    m_currentPos = Rec(found).parent;
    m_parentPos = Rec(m_currentPos).parent;
    m_nodeKind = 1;
    return true;
}

bool XmlMarkup::IntoElement()
{
    if (!m_currentPos || m_nodeKind != 1)
        return false;
    m_parentPos = m_currentPos;
    m_currentPos = m_childPos;
    m_childPos = 0;
    m_nodeKind = m_currentPos ? 1 : 0;
    return true;
}

bool XmlMarkup::OutOfElement()
{
    if (!m_parentPos)
        return false;
    m_childPos = m_currentPos;
    m_currentPos = m_parentPos;
    m_parentPos = Rec(m_currentPos).parent;
    m_nodeKind = 1;
    return true;
}

// ----------------------------------------------------------------- reading

CString XmlMarkup::GetAttributeAt(int i, const char* name) const
{
    if (i == 0 || m_nodeKind != 1 || !name)
        return CString();
    XmlToken token = StartTagToken(i);
    if (!FindAttribute(token, name))
        return CString();
    return UnescapeText(token.begin, token.end);
}

CString XmlMarkup::GetAttribute(LPCTSTR name) const
{
    return GetAttributeAt(m_currentPos, name);
}

CString XmlMarkup::GetDataAt(int i) const
{
    if (i == 0 || Rec(i).firstChild || IsEmptyElement(i))
        return CString();
    const char* text = DocText();
    const int length = DocLength();
    const int contentBegin = Rec(i).startTagEnd + 1;
    const int endTagBegin = Rec(i).endTagBegin;

    static const char kCDataOpen[] = "<![CDATA[";
    const int openLength = static_cast<int>(sizeof kCDataOpen - 1);
    int pos = contentBegin;
    SkipWhitespace(text, length, pos);
    if (endTagBegin - pos > 11 && endTagBegin <= length &&
        std::memcmp(text + pos, kCDataOpen, static_cast<size_t>(openLength)) == 0) {
        // Only a "]]>" that starts before the end tag counts.
        int close = pos + openLength;
        const int limit = endTagBegin + 2 < length ? endTagBegin + 2 : length;
        if (FindText(text, limit, close, "]]>"))
            return CString(text + pos + openLength, close - pos - openLength);
    }
    return UnescapeText(contentBegin, endTagBegin - 1);
}

CString XmlMarkup::GetChildData() const
{
    return GetDataAt(m_childPos);
}

// ----------------------------------------------------------------- editing

bool XmlMarkup::ReplaceText(int offset, int length, const std::string& text)
{
    const int size = DocLength();
    if (offset < 0)
        offset = 0;
    if (offset > size)
        offset = size;
    if (length < 0)
        length = 0;
    if (length > size - offset)
        length = size - offset;
    if (static_cast<size_t>(size - length) + text.size() > MaxLength)
        return false;
    if (length > 0)
        m_text.Delete(offset, length);
    if (!text.empty())
        m_text.Insert(offset, text.c_str());
    return true;
}

void XmlMarkup::ShiftElement(int i, int delta)
{
    XmlElementPos& e = Rec(i);
    e.startTagBegin += delta;
    e.startTagEnd += delta;
    e.endTagBegin += delta;
    e.endTagEnd += delta;
}

// Moves every descendant of i, walking the links in document order.
void XmlMarkup::ShiftDescendants(int i, int delta)
{
    int node = Rec(i).firstChild;
    while (node) {
        ShiftElement(node, delta);
        if (Rec(node).firstChild) {
            node = Rec(node).firstChild;
            continue;
        }
        while (node != i && !Rec(node).nextSibling)
            node = Rec(node).parent;
        if (node == i)
            break;
        node = Rec(node).nextSibling;
    }
}

void XmlMarkup::AdjustOffsets(int element, int delta)
{
    if (delta == 0)
        return;
    ShiftDescendants(element, delta);
    for (int node = element; node != 0;) {
        for (int sibling = Rec(node).nextSibling; sibling; sibling = Rec(sibling).nextSibling) {
            ShiftElement(sibling, delta);
            ShiftDescendants(sibling, delta);
        }
        const int parent = Rec(node).parent;
        Rec(parent).endTagBegin += delta;
        Rec(parent).endTagEnd += delta;
        node = parent;
    }
}

bool XmlMarkup::SetAttributeAt(int i, const char* name, const char* value)
{
    if (i == 0 || m_nodeKind != 1 || !name || !*name)
        return false;
    const std::string escaped = EscapeText(value, true);

    XmlToken token = StartTagToken(i);
    int offset;
    int replaced;
    std::string inserted;
    if (FindAttribute(token, name)) {
        offset = token.begin;
        replaced = token.end - token.begin + 1;
        inserted = escaped;
    } else {
        offset = IsEmptyElement(i) ? Rec(i).endTagBegin : Rec(i).startTagEnd;
        replaced = 0;
        inserted.reserve(escaped.size() + std::strlen(name) + 4);
        inserted += ' ';
        inserted += name;
        inserted += "=\"";
        inserted += escaped;
        inserted += '"';
    }
    if (!ReplaceText(offset, replaced, inserted))
        return false;

    const int delta = static_cast<int>(inserted.size()) - replaced;
    Rec(i).startTagEnd += delta;
    Rec(i).endTagBegin += delta;
    Rec(i).endTagEnd += delta;
    AdjustOffsets(i, delta);
    return true;
}

bool XmlMarkup::SetAttribute(LPCTSTR name, LPCTSTR value)
{
    return SetAttributeAt(m_currentPos, name, value);
}

// Where a new element goes below `parent` next to `sibling`, and the
// sibling it is linked after (0 = as the first child).
int XmlMarkup::LocateNew(int parent, int sibling, bool before, int& linkAfter) const
{
    const bool parentEmpty = parent != 0 && IsEmptyElement(parent);
    int offset;
    if (sibling)
        offset = before ? Rec(sibling).startTagBegin : Rec(sibling).endTagEnd + 1;
    else if (parent == 0)
        offset = before ? 0 : DocLength();
    else if (parentEmpty)
        offset = Rec(parent).startTagEnd;
    else if (before)
        offset = Rec(parent).startTagEnd + 1;
    else
        offset = Rec(parent).endTagBegin;

    if (!parentEmpty) {
        int pos = offset;
        SkipWhitespace(DocText(), DocLength(), pos);
        if (pos >= DocLength() || DocText()[pos] == '<')
            offset = pos;
    }

    linkAfter = 0;
    if (sibling && !before) {
        linkAfter = sibling;
    } else if (sibling) {
        for (int node = Rec(parent).firstChild; node && node != sibling; node = Rec(node).nextSibling)
            linkAfter = node;
    } else if (!before) {
        for (int node = Rec(parent).firstChild; node; node = Rec(node).nextSibling)
            linkAfter = node;
    }
    return offset;
}

bool XmlMarkup::AddElement(LPCTSTR name, LPCTSTR text, bool before, bool asChild)
{
    if (!name || !*name)
        return false;

    int parent;
    int sibling;
    if (asChild) {
        if (!m_currentPos)
            return false;
        parent = m_currentPos;
        sibling = m_childPos;
    } else {
        parent = m_parentPos;
        sibling = m_currentPos;
        if (parent == 0) {
            if (Rec(0).firstChild)
                return false;
            Rec(0).endTagBegin = DocLength();
        }
    }

    int linkAfter = 0;
    int offset = LocateNew(parent, sibling, before, linkAfter);
    // The document itself is no tag: only a real parent gets its own lines.
    const bool parentEmpty = parent != 0 && IsEmptyElement(parent);
    const bool parentBare = parent != 0 && !parentEmpty && HasNothingBetweenTags(parent);
    if (parentEmpty || parentBare)
        offset += 2; // room for the CR LF written in front of the new element

    const int nameLength = static_cast<int>(std::strlen(name));
    std::string element;
    int startTagEnd;
    int endTagBegin;
    int endTagEnd;
    if (!text || !*text) {
        element.reserve(static_cast<size_t>(nameLength) + 5);
        element += '<';
        element += name;
        element += "/>\r\n";
        startTagEnd = offset + nameLength + 2;
        endTagBegin = startTagEnd - 1;
        endTagEnd = startTagEnd;
    } else {
        const std::string value = EscapeText(text, false);
        element.reserve(value.size() + 2 * static_cast<size_t>(nameLength) + 7);
        element += '<';
        element += name;
        element += '>';
        element += value;
        element += "</";
        element += name;
        element += ">\r\n";
        startTagEnd = offset + nameLength + 1;
        endTagBegin = startTagEnd + static_cast<int>(value.size()) + 1;
        endTagEnd = endTagBegin + nameLength + 2;
    }

    int editAt = offset;
    int replaced = 0;
    std::string parentName;
    if (parentEmpty) {
        // <P/> becomes <P>, CR LF, the new line, </P>
        parentName = GetTagName(parent);
        editAt = Rec(parent).endTagBegin;
        replaced = 1;
        element.insert(0, ">\r\n");
        element += "</";
        element += parentName;
    } else if (parentBare) {
        editAt = Rec(parent).startTagEnd + 1;
        element.insert(0, "\r\n");
    }
    if (!ReplaceText(editAt, replaced, element))
        return false;

    const int n = TakeRecord();
    Rec(n) = XmlElementPos{offset, startTagEnd, endTagBegin, endTagEnd, parent, 0, 0};
    if (linkAfter) {
        Rec(n).nextSibling = Rec(linkAfter).nextSibling;
        Rec(linkAfter).nextSibling = n;
    } else {
        Rec(n).nextSibling = Rec(parent).firstChild;
        Rec(parent).firstChild = n;
    }
    if (parentEmpty) {
        Rec(parent).startTagEnd -= 1;
        Rec(parent).endTagBegin -= 1 + static_cast<int>(parentName.size());
    }
    AdjustOffsets(n, static_cast<int>(element.size()) - replaced);

    if (asChild) {
        m_currentPos = parent;
        m_childPos = n;
    } else {
        m_parentPos = parent;
        m_currentPos = n;
        m_childPos = 0;
    }
    m_nodeKind = 1;
    return true;
}
