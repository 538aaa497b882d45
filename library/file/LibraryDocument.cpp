#include "library/file/LibraryDocument.h"

#include "foundation/libraryfile/LibraryFileLayout.h"
#include "foundation/xml/XmlMarkup.h"
#include "foundation/xml/XmlToken.h"
#include "framework/core/MbText.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace {

using TrackField = libraryfile::Field<CTrackRecord>;

// The document is written straight into one buffer, byte for byte as
// XmlMarkup's AddElement and SetAttribute lay it out: an empty text gives
// an empty-element tag, every attribute is written even when empty, each
// element ends its line with CR LF. Building it by XmlMarkup edits cost a
// library of 100,000 tracks seconds in copying.

// Bytes that escaping replaces or drops, and bytes that may begin a
// double-byte character: a text without any of them is copied as it is.
struct CareTable
{
    bool care[256] = {};
    CareTable()
    {
        for (unsigned char c : {'<', '>', '&', '\'', '"'})
            care[c] = true;
        for (int c = 0x80; c < 256; ++c)
            care[c] = true;
        for (int c = 0x01; c < 0x20; ++c)
            care[c] = true;
    }
};

const bool* Care()
{
    static const CareTable table;
    return table.care;
}

// Counts the bytes a document needs, so that its buffer is taken once.
struct CountingOut
{
    size_t size = 0;
    void Put(const char*, size_t length) { size += length; }
    void Put(char) { ++size; }
    void Put(const char* text) { size += std::strlen(text); }
};

struct AppendingOut
{
    std::string& text;
    void Put(const char* bytes, size_t length) { text.append(bytes, length); }
    void Put(char c) { text += c; }
    void Put(const char* bytes) { text += bytes; }
};

// The text up to its first NUL, markup characters escaped (quotes only in
// attribute values), CR, LF and TAB written as a blank and other control
// bytes left out; a double-byte character is copied whole. A lead byte
// that ends the text (a double-byte character cut in half, as a 30-byte
// ID3v1 field can end) is left out: written, it would take the markup
// after it for its second byte and the file would no longer read.
template <class Out>
void PutEscaped(Out& out, const char* text, bool withQuotes)
{
    const int length = static_cast<int>(std::strlen(text));
    const bool* care = Care();
    int plain = 0;
    while (plain < length && !care[static_cast<unsigned char>(text[plain])])
        ++plain;
    // Everything before the first such byte is single-byte characters.
    out.Put(text, static_cast<size_t>(plain));
    for (int pos = plain; pos < length;) {
        if (XmlIsHalfCharacter(text, length, pos))
            break;
        const int next = XmlNextChar(text, length, pos);
        if (next - pos == 1) {
            switch (text[pos]) {
            case '<': out.Put("&lt;", 4); break;
            case '&': out.Put("&amp;", 5); break;
            case '>': out.Put("&gt;", 4); break;
            case '\'': withQuotes ? out.Put("&apos;", 6) : out.Put('\''); break;
            case '"': withQuotes ? out.Put("&quot;", 6) : out.Put('"'); break;
            // A line break or tab would break the file's line layout, and other
            // control bytes are not allowed in XML at all.
            case '\r':
            case '\n':
            case '\t': out.Put(' '); break;
            default:
                if (static_cast<unsigned char>(text[pos]) >= 0x20)
                    out.Put(text[pos]);
                break;
            }
        } else {
            out.Put(text + pos, static_cast<size_t>(next - pos));
        }
        pos = next;
    }
}

// "<NAME>text</NAME>", or "<NAME/>" for an empty text; then CR LF.
template <class Out>
void PutTextElement(Out& out, const char* name, const CString& value)
{
    const char* text = value.GetString();
    out.Put('<');
    out.Put(name);
    if (!*text) {
        out.Put("/>\r\n", 4);
        return;
    }
    out.Put('>');
    PutEscaped(out, text, false);
    out.Put("</", 2);
    out.Put(name);
    out.Put(">\r\n", 3);
}

template <class Out>
void PutAttribute(Out& out, const char* name, const CString& value)
{
    out.Put(' ');
    out.Put(name);
    out.Put("=\"", 2);
    PutEscaped(out, value.GetString(), true);
    out.Put('"');
}

// The number as "%d" writes it.
template <class Out>
void PutNumber(Out& out, const char* name, int32_t value)
{
    char digits[12];
    char* end = digits + sizeof digits;
    char* p = end;
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *--p = '-';
    out.Put(' ');
    out.Put(name);
    out.Put("=\"", 2);
    out.Put(p, static_cast<size_t>(end - p));
    out.Put('"');
}

template <class Out>
void PutHead(Out& out, const CString& version, const CString& date, int count)
{
    out.Put(libraryfile::kProlog);
    out.Put('<');
    out.Put(libraryfile::kRootName);
    PutAttribute(out, libraryfile::kVersionAttribute, version);
    PutAttribute(out, libraryfile::kDateAttribute, date);
    PutNumber(out, libraryfile::kTracksAttribute, count);
    if (count == 0)
        out.Put("/>\r\n", 4);
    else
        out.Put(">\r\n", 3);
}

template <class Out>
void PutTail(Out& out, int count)
{
    if (count == 0)
        return;
    out.Put("</", 2);
    out.Put(libraryfile::kRootName);
    out.Put(">\r\n", 3);
}

template <class Out>
void PutRecord(Out& out, const CTrackRecord& r)
{
    const TrackField* fields = libraryfile::Fields<CTrackRecord>();
    out.Put('<');
    out.Put(libraryfile::kRecordName);
    out.Put(">\r\n", 3);
    for (int i = 0; i < libraryfile::kFieldCount; ++i) {
        const TrackField& f = fields[i];
        if (!f.attribute) {
            PutTextElement(out, f.element, r.*f.text);
            continue;
        }
        if (libraryfile::OpensElement(fields, i)) {
            out.Put('<');
            out.Put(f.element);
        }
        if (f.number)
            PutNumber(out, f.attribute, r.*f.number);
        else
            PutAttribute(out, f.attribute, r.*f.text);
        if (libraryfile::ClosesElement(fields, i))
            out.Put("/>\r\n", 4);
    }
    out.Put("</", 2);
    out.Put(libraryfile::kRecordName);
    out.Put(">\r\n", 3);
}

// The text of the next child of that name, or empty when it is missing (the
// search position then stays, so the next child is still found).
CString ChildText(XmlMarkup& xml, const char* name)
{
    return xml.FindChildElement(name) ? xml.GetChildData() : CString();
}

// Steps into the next child of that name; false, without moving, when it is
// missing.
bool IntoChild(XmlMarkup& xml, const char* name)
{
    return xml.FindChildElement(name) && xml.IntoElement();
}

int Number(const CString& text)
{
    return std::atoi(text);
}

// A child element that is missing leaves its fields as they were.
void ReadTrack(XmlMarkup& xml, CTrackRecord& r, bool formatBpm)
{
    const TrackField* fields = libraryfile::Fields<CTrackRecord>();
    bool inside = false; // in the element of the current attributes
    for (int i = 0; i < libraryfile::kFieldCount; ++i) {
        const TrackField& f = fields[i];
        if (!f.attribute) {
            r.*f.text = ChildText(xml, f.element);
            continue;
        }
        if (libraryfile::OpensElement(fields, i))
            inside = IntoChild(xml, f.element);
        if (inside) {
            if (f.number)
                r.*f.number = Number(xml.GetAttribute(f.attribute));
            else
                r.*f.text = xml.GetAttribute(f.attribute);
        }
        if (libraryfile::ClosesElement(fields, i) && inside)
            xml.OutOfElement();
    }
    if (formatBpm)
        FormatBpmText(r.m_BPMText);
}

} // namespace

std::string BuildLibraryText(const CArray<CTrackRecord, CTrackRecord&>& records,
                             const CString& version, const CString& date, RecordTick tick,
                             void* context)
{
    const INT_PTR count = records.GetSize();
    const int tracks = static_cast<int>(count);
    // Measured first: the text is as large as the file, and a buffer that
    // doubles while it grows would hold up to twice that.
    CountingOut counter;
    PutHead(counter, version, date, tracks);
    for (INT_PTR i = 0; i < count; ++i) {
        PutRecord(counter, records[i]);
        if (tick)
            tick(context);
    }
    PutTail(counter, tracks);

    // A message handled during a tick may have changed a record's texts
    // since they were counted: the buffer then simply grows.
    std::string text;
    text.reserve(counter.size);
    AppendingOut out{text};
    PutHead(out, version, date, tracks);
    for (INT_PTR i = 0; i < count; ++i) {
        PutRecord(out, records[i]);
        if (tick)
            tick(context);
    }
    PutTail(out, tracks);
    return text;
}

int ReadLibraryRecords(XmlMarkup& xml, CArray<CTrackRecord, CTrackRecord&>& records,
                       bool formatBpm)
{
    if (!xml.FindElement(libraryfile::kRootName))
        return 0;
    int count = 0;
    while (xml.FindChildElement(libraryfile::kRecordName)) {
        xml.IntoElement();
        // Every record starts cleared: the members the file does not hold,
        // and those of a missing child, are 0 or empty.
        CTrackRecord r;
        r.m_Volume = 0;
        ReadTrack(xml, r, formatBpm);
        // Moved in, not copied: a library's records are its largest data.
        const INT_PTR at = records.GetSize();
        records.SetSize(at + 1);
        records[at] = std::move(r);
        ++count;
        xml.OutOfElement();
    }
    return count;
}

bool ReadLibraryHead(const CString& head, CString& version, int& tracks)
{
    // Only the root's start tag is there: it is made an empty element.
    CString text = head;
    if (!text.IsEmpty() && text.Right(1) != "/")
        text.Insert(text.GetLength() - 1, "/");
    XmlMarkup xml;
    xml.SetDocument(text);
    if (!xml.FindElement(libraryfile::kRootName))
        return false;
    version = xml.GetAttribute(libraryfile::kVersionAttribute);
    tracks = Number(xml.GetAttribute(libraryfile::kTracksAttribute));
    return true;
}

CString JoinedFirstLines(const CString& text, int lines)
{
    const char* bytes = text.GetString();
    const int length = text.GetLength();
    std::string joined;
    int line = 0;
    for (int i = 0; i < length && line < lines; ++i) {
        const char c = bytes[i];
        if (c == '\x1a')
            break;
        if (c == '\n')
            ++line;
        else if (c != '\r' || i + 1 == length || bytes[i + 1] != '\n')
            joined += c;
    }
    return CString(joined);
}

void FormatBpmText(CString& text)
{
    // Built in one buffer: the file's reader calls this for every record.
    // The text is taken as the program shows it, up to a zero byte, and
    // stepped through as the writer escapes it. A double-byte character (or
    // half of one at the end) is no part of a tempo and goes with the dots:
    // kept, the cut below could split it, and the text would change again
    // at each save and load. So does a control character, which the
    // writer does not keep.
    const char* in = text.GetString();
    const int length = static_cast<int>(std::strlen(in));
    std::string digits;
    digits.reserve(static_cast<size_t>(length) + 5);
    for (int pos = 0; pos < length;) {
        const int next = XmlNextChar(in, length, pos);
        if (next - pos == 1 && in[pos] != '.' && static_cast<unsigned char>(in[pos]) >= 0x20 &&
            !XmlIsHalfCharacter(in, length, pos))
            digits += in[pos];
        pos = next;
    }
    if (digits.size() < 5)
        digits.insert(0, 5 - digits.size(), '0');
    char out[6] = {digits[0], digits[1], digits[2], '.', digits[digits.size() - 2],
                   digits[digits.size() - 1]};
    text = CString(out, 6);
}
