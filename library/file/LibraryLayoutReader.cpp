#include "library/file/LibraryLayoutReader.h"

#include "foundation/libraryfile/LibraryFileLayout.h"
#include "foundation/xml/XmlToken.h"
#include "library/file/LibraryDocument.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using TrackField = libraryfile::Field<CTrackRecord>;

// Walks the text once. Every scan is the one XmlMarkup's parser makes
// (character-wise under the multibyte code page, over the whole text), so
// the ranges found are the ones it finds; anything else in the text stops
// the walk. With records null it only checks.
class LayoutWalk
{
public:
    // The records are filled from position next on.
    LayoutWalk(const CString& text, CArray<CTrackRecord, CTrackRecord&>* records, INT_PTR next,
               bool formatBpm)
        : m_text(text.GetString()), m_length(text.GetLength()), m_records(records), m_next(next),
          m_formatBpm(formatBpm)
    {
    }

    bool Document(int& count)
    {
        count = 0;
        if (!Literal(libraryfile::kProlog) || !Literal("<") || !Literal(libraryfile::kRootName))
            return false;
        int first, stop;
        if (!Value(libraryfile::kVersionAttribute, first, stop) ||
            !Value(libraryfile::kDateAttribute, first, stop) ||
            !Value(libraryfile::kTracksAttribute, first, stop))
            return false;
        if (Literal("/>\r\n"))
            return m_pos == m_length;
        if (!Literal(">\r\n"))
            return false;
        // Whole or not at all: the root's end tag follows the last record.
        const std::string recordStart = std::string("<") + libraryfile::kRecordName + ">\r\n";
        while (Literal(recordStart.c_str())) {
            if (!Track())
                return false;
            ++count;
        }
        return Literal("</") && Literal(libraryfile::kRootName) && Literal(">\r\n") &&
               m_pos == m_length;
    }

private:
    bool Literal(const char* text)
    {
        const int length = static_cast<int>(std::strlen(text));
        if (m_length - m_pos < length || std::memcmp(m_text + m_pos, text, static_cast<size_t>(length)) != 0)
            return false;
        m_pos += length;
        return true;
    }

    // ` NAME="value"`: the value's range. A raw '<' or '>' in it would end
    // the tag early for the parser: not this layout.
    bool Value(const char* name, int& first, int& stop)
    {
        if (!Literal(" ") || !Literal(name) || !Literal("=\""))
            return false;
        first = m_pos;
        int close = m_pos;
        if (!FindChar(m_text, m_length, close, '"'))
            return false;
        for (int i = first; i < close; ++i)
            if (m_text[i] == '<' || m_text[i] == '>')
                return false;
        stop = close;
        m_pos = close + 1;
        return true;
    }

    bool TextAttribute(const char* name, CString* out)
    {
        int first, stop;
        if (!Value(name, first, stop))
            return false;
        if (out)
            *out = Unescape(first, stop);
        return true;
    }

    // The value read as atoi reads the decoded text: decoding changes no
    // sign, digit or white space, and the closing quote ends the number.
    bool NumberAttribute(const char* name, int32_t* out)
    {
        int first, stop;
        if (!Value(name, first, stop))
            return false;
        if (out)
            *out = std::atoi(m_text + first);
        return true;
    }

    // "<NAME/>" or "<NAME>text</NAME>", then CR LF.
    bool TextElement(const char* name, CString* out)
    {
        if (!Literal("<") || !Literal(name))
            return false;
        if (Literal("/>\r\n"))
            return true; // already empty
        if (!Literal(">"))
            return false;
        const int first = m_pos;
        int end = m_pos;
        if (!FindChar(m_text, m_length, end, '<'))
            return false;
        m_pos = end;
        if (!Literal("</") || !Literal(name) || !Literal(">\r\n"))
            return false;
        if (out)
            *out = Unescape(first, end);
        return true;
    }

    // One record after its start tag, up to and including its end tag.
    bool Track()
    {
        CTrackRecord* r = nullptr;
        if (m_records) {
            r = &(*m_records)[m_next++];
            r->m_Volume = 0; // the file holds no other members: they stay cleared
        }
        const TrackField* fields = libraryfile::Fields<CTrackRecord>();
        for (int i = 0; i < libraryfile::kFieldCount; ++i) {
            const TrackField& f = fields[i];
            if (!f.attribute) {
                if (!TextElement(f.element, r ? &(r->*f.text) : nullptr))
                    return false;
                continue;
            }
            if (libraryfile::OpensElement(fields, i) && !(Literal("<") && Literal(f.element)))
                return false;
            const bool ok = f.number ? NumberAttribute(f.attribute, r ? &(r->*f.number) : nullptr)
                                     : TextAttribute(f.attribute, r ? &(r->*f.text) : nullptr);
            if (!ok)
                return false;
            if (libraryfile::ClosesElement(fields, i) && !Literal("/>\r\n"))
                return false;
        }
        if (!Literal("</") || !Literal(libraryfile::kRecordName) || !Literal(">\r\n"))
            return false;
        if (r && m_formatBpm)
            FormatBpmText(r->m_BPMText);
        return true;
    }

    // The text of [first, stop) with the five entities decoded, exactly as
    // XmlMarkup decodes it (an unknown '&' stays).
    CString Unescape(int first, int stop) const
    {
        return XmlDecodeEntities(m_text, first, stop);
    }

    const char* m_text;
    int m_length;
    int m_pos = 0;
    CArray<CTrackRecord, CTrackRecord&>* m_records;
    INT_PTR m_next;
    bool m_formatBpm;
};

} // namespace

bool CheckLibraryLayout(const CString& text, int& count)
{
    LayoutWalk walk(text, nullptr, 0, false);
    return walk.Document(count);
}

void ReadLibraryLayout(const CString& text, int count, CArray<CTrackRecord, CTrackRecord&>& records,
                       bool formatBpm)
{
    // The array takes its room once; the walk fills the new records in place.
    const INT_PTR start = records.GetSize();
    records.SetSize(start + count);
    LayoutWalk walk(text, &records, start, formatBpm);
    int read = 0;
    walk.Document(read);
}
