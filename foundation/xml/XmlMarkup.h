// XmlMarkup: one XML document held as a single text with an index of its
// elements (offsets into the text, no node objects). Readers hand it a
// whole file and walk the elements; writers start from a prolog, add
// elements and attributes, and take the finished text back in one piece.
// Every edit changes the text in place and keeps the index in step.
#pragma once

#include "framework/core/CString.h"

#include <cstdint>
#include <memory>
#include <string>

struct XmlToken;

// One indexed element. Offsets are byte offsets into the document text;
// links are indexes into the element index (0 = none).
struct XmlElementPos
{
    std::int32_t startTagBegin; // the '<' of the start tag
    std::int32_t startTagEnd;   // the '>' of the start tag
    std::int32_t endTagBegin;   // the '<' of the end tag, or the '/' of an empty-element tag
    std::int32_t endTagEnd;     // the '>' of the end tag (= startTagEnd for an empty-element tag)
    std::int32_t parent;
    std::int32_t firstChild;
    std::int32_t nextSibling;
};

class XmlMarkup
{
public:
    // Construction
    XmlMarkup();
    explicit XmlMarkup(const CString& text);
    virtual ~XmlMarkup();
    XmlMarkup(const XmlMarkup&) = delete;
    XmlMarkup& operator=(const XmlMarkup&) = delete;

    // Document: replaces the text and indexes it; true when a root element
    // was parsed. After a failure the text stays and GetError says why.
    bool SetDocument(const CString& text = CString());
    CString GetDocument() const;
    CString GetError() const;

    // Navigation
    bool FindElement(LPCTSTR name = nullptr);
    bool FindChildElement(LPCTSTR name = nullptr);
    bool IntoElement();
    bool OutOfElement();
    // Back to before the root element, as after SetDocument.
    void ResetPos() { ResetPositions(); }
    // The next FindChildElement searches the current element's children
    // from the first one again.
    void ResetChildPos() { m_childPos = 0; }

    // Reading
    CString GetAttribute(LPCTSTR name) const;
    CString GetChildData() const;

    // Writing
    bool SetAttribute(LPCTSTR name, LPCTSTR value);
    bool AddElement(LPCTSTR name, LPCTSTR text = nullptr, bool before = false, bool asChild = false);

    // Deeper nesting than this ends the parse with an error (the parser
    // recurses once per level).
    static const int MaxDepth = 1000;
    // Offsets are 32-bit and edits add to them: texts stay well below that.
    static constexpr size_t MaxLength = 0x3FFFFFFF;

private:
    friend struct XmlMarkupInspector; // the tests read the index

    // Index
    void ResetPositions();
    void ClearRecord0();
    void GrowIndex(int minimum);
    int TakeRecord();
    XmlElementPos& Rec(int i) { return m_index[i]; }
    const XmlElementPos& Rec(int i) const { return m_index[i]; }
    bool IsEmptyElement(int i) const;
    bool HasNothingBetweenTags(int i) const;

    // Parser
    int ParseElement(int parent, int depth);
    int SetParseError(const char* text, int record, const std::string& name);

    // Scanning and text
    XmlToken StartTagToken(int i) const;
    std::string GetTagName(int i) const;
    bool FindAttribute(XmlToken& token, const char* name) const;
    CString GetAttributeAt(int i, const char* name) const;
    CString GetDataAt(int i) const;
    CString UnescapeText(int first, int last) const;
    static std::string EscapeText(const char* text, bool withQuotes);

    // Editing
    int FindElementFrom(int parent, int after, const char* name) const;
    bool SetAttributeAt(int i, const char* name, const char* value);
    int LocateNew(int parent, int sibling, bool before, int& linkAfter) const;
    bool ReplaceText(int offset, int length, const std::string& text);
    void AdjustOffsets(int element, int delta);
    void ShiftElement(int i, int delta);
    void ShiftDescendants(int i, int delta);

    int DocLength() const { return m_text.GetLength(); }
    const char* DocText() const { return m_text.GetString(); }

    CString m_text; // shared with the caller's copies until one side changes it
    std::string m_error;
    std::unique_ptr<XmlElementPos[]> m_index;
    int m_capacity = 0;
    int m_parentPos = 0;
    int m_currentPos = 0;
    int m_childPos = 0;
    int m_nextFree = 1;
    int m_nodeKind = 0;
};
