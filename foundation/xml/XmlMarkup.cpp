// XmlMarkup: construction, the document text and the parser that builds
// the element index. Navigation and editing are in XmlMarkupEdit.cpp.
#include "foundation/xml/XmlMarkup.h"

#include "foundation/xml/XmlToken.h"

#include <algorithm>
#include <cstring>

XmlMarkup::XmlMarkup()
{
    SetDocument();
}

XmlMarkup::XmlMarkup(const CString& text)
{
    SetDocument(text);
}

XmlMarkup::~XmlMarkup() = default;

CString XmlMarkup::GetDocument() const
{
    return m_text;
}

CString XmlMarkup::GetError() const
{
    return CString(m_error);
}

void XmlMarkup::ResetPositions()
{
    m_parentPos = m_currentPos = m_childPos = 0;
    m_nodeKind = 0;
}

void XmlMarkup::ClearRecord0()
{
    m_index[0] = XmlElementPos{0, 0, 0, 0, 0, 0, 0};
}

void XmlMarkup::GrowIndex(int minimum)
{
    if (minimum <= m_capacity)
        return;
    std::unique_ptr<XmlElementPos[]> grown(new XmlElementPos[static_cast<size_t>(minimum)]);
    if (m_index)
        std::copy(m_index.get(), m_index.get() + m_capacity, grown.get());
    m_index = std::move(grown);
    m_capacity = minimum;
}

int XmlMarkup::TakeRecord()
{
    if (m_nextFree >= m_capacity)
        GrowIndex(m_capacity + m_capacity / 2);
    return m_nextFree++;
}

bool XmlMarkup::IsEmptyElement(int i) const
{
    return Rec(i).startTagEnd == Rec(i).endTagBegin + 1;
}

bool XmlMarkup::HasNothingBetweenTags(int i) const
{
    return Rec(i).startTagEnd + 1 == Rec(i).endTagBegin;
}

bool XmlMarkup::SetDocument(const CString& text)
{
    ResetPositions();
    m_nextFree = 1;
    m_text = text;

    const size_t length = static_cast<size_t>(m_text.GetLength());
    const int wanted = static_cast<int>(std::min(length, MaxLength) / 64 + 8);
    GrowIndex(wanted);
    ClearRecord0();
    if (length == 0)
        return false;
    if (length > MaxLength) {
        m_error = "Document too large";
        return false;
    }

    const int root = ParseElement(0, 0);
    if (root > 0) {
        Rec(0).firstChild = root;
        ResetPositions();
        return true;
    }
    if (root == 0)
        m_error = "Unexpected end tag"; // an end tag before any element
    ClearRecord0();
    m_nextFree = 1;
    ResetPositions();
    return false;
}

int XmlMarkup::SetParseError(const char* text, int record, const std::string& name)
{
    m_error = text;
    const size_t at = m_error.find("%s");
    if (at != std::string::npos)
        m_error.replace(at, 2, name);
    if (record == m_nextFree - 1)
        --m_nextFree;
    return -1;
}

// Parses the next element below `parent`, starting at the parent's cursor
// (its end-tag begin). Returns the new record, 0 when the parent's end tag
// comes first, or -1 after an error.
int XmlMarkup::ParseElement(int parent, int depth)
{
    const int n = TakeRecord();
    Rec(n) = XmlElementPos{0, 0, 0, 0, parent, 0, 0};

    const char* text = DocText();
    const int length = DocLength();
    int pos = Rec(parent).endTagBegin;
    XmlToken token(text, length, 0);

    for (;;) {
        if (!FindChar(text, length, pos, '<'))
            return SetParseError("Element tag not found", n, std::string());
        Rec(n).startTagBegin = pos;
        Rec(parent).endTagBegin = pos;

        token.next = pos + 1;
        if (!FindToken(token))
            return SetParseError("Abrupt end within tag", n, std::string());
        if (token.quoted)
            return SetParseError("Tag starts with quote", n, std::string());

        const char first = text[token.begin];
        if (first == '?' || first == '!') {
            XmlToken node(text, length, pos);
            XmlNodeKind kind;
            // "< !x>" is no construct the skipper knows: skipping nothing
            // would scan the same '<' for ever.
            if (!FindNode(node, kind) || kind == XmlNodeKind::Element || node.next <= pos)
                return SetParseError("Invalid node", n, std::string());
            pos = node.next;
            continue;
        }
        if (TokenIs(token, '/')) {
            --m_nextFree;
            return 0;
        }
        break;
    }

    // The tag name stays where it is in the text; no copy is made unless an
    // error message needs it.
    const int nameBegin = token.begin;
    const int nameLength = token.end - token.begin + 1;
    auto tagName = [&]() { return std::string(text + nameBegin, static_cast<size_t>(nameLength)); };

    pos = TokenIs(token, '>') ? token.begin : token.next;
    if (!FindChar(text, length, pos, '>'))
        return SetParseError("End of tag not found", n, std::string());
    Rec(n).startTagEnd = pos;

    if (text[pos - 1] == '/') {
        Rec(n).endTagBegin = pos - 1;
        Rec(n).endTagEnd = pos;
        return n;
    }

    if (depth >= MaxDepth)
        return SetParseError("Elements nested too deeply in %s", n, tagName());

    Rec(n).endTagBegin = pos + 1;
    int last = 0;
    int child;
    while ((child = ParseElement(n, depth + 1)) > 0) {
        if (Rec(n).firstChild == 0)
            Rec(n).firstChild = child;
        else
            Rec(last).nextSibling = child;
        last = child;
        Rec(n).endTagBegin = Rec(child).endTagEnd + 1;
    }
    if (child < 0)
        return -1;

    // The cursor stands at the '<' of this element's end tag.
    XmlToken end(text, length, Rec(n).endTagBegin + 1);
    int count = 0;
    bool closed = false;
    while (FindToken(end)) {
        ++count;
        if (end.quoted)
            continue;
        if (count == 1 && !TokenIs(end, '/'))
            return SetParseError("Expecting end tag of element %s", n, tagName());
        if (count == 2 && !TokenMatches(end, text + nameBegin, nameLength))
            return SetParseError("End tag does not correspond to %s", n, tagName());
        if (TokenIs(end, '>')) {
            closed = true;
            break;
        }
    }
    if (!closed || count < 2)
        return SetParseError("End tag not completed for element %s", n, tagName());
    Rec(n).endTagEnd = end.begin;
    return n;
}
