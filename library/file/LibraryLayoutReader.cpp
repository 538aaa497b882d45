#include "library/file/LibraryLayoutReader.h"

#include "foundation/xml/XmlToken.h"
#include "library/file/LibraryDocument.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const kProlog = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

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
        if (!Literal(kProlog) || !Literal("<") || !Literal(kLibraryRootName))
            return false;
        int first, stop;
        if (!Value("Version", first, stop) || !Value("Date", first, stop) ||
            !Value("Tracks", first, stop))
            return false;
        if (Literal("/>\r\n"))
            return m_pos == m_length;
        if (!Literal(">\r\n"))
            return false;
        while (Literal("<TRK>\r\n")) {
            if (!Track())
                return false;
            ++count;
        }
        return Literal("</") && Literal(kLibraryRootName) && Literal(">\r\n") && m_pos == m_length;
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

    bool Track()
    {
        CTrackRecord* r = nullptr;
        if (m_records) {
            r = &(*m_records)[m_next++];
            r->m_Volume = 0; // the file holds no other members: they stay cleared
        }
        auto field = [r](CString CTrackRecord::*member) { return r ? &(r->*member) : nullptr; };
        auto number = [r](int32_t CTrackRecord::*member) { return r ? &(r->*member) : nullptr; };
        const bool ok =
            TextElement("FN", field(&CTrackRecord::m_FileName)) &&
            TextElement("AR", field(&CTrackRecord::m_Artist)) &&
            TextElement("AL", field(&CTrackRecord::m_Album)) &&
            TextElement("TI", field(&CTrackRecord::m_Title)) &&
            TextElement("GE", field(&CTrackRecord::m_Genre)) &&
            Literal("<BI") &&
            TextAttribute("FT", field(&CTrackRecord::m_FileType)) &&
            TextAttribute("BP", field(&CTrackRecord::m_BPMText)) &&
            TextAttribute("YR", field(&CTrackRecord::m_Year)) &&
            Literal("/>\r\n<NU") &&
            NumberAttribute("ID", number(&CTrackRecord::m_Index)) &&
            NumberAttribute("LE", number(&CTrackRecord::m_Length)) &&
            NumberAttribute("PC", number(&CTrackRecord::m_PlayCount)) &&
            NumberAttribute("HP", number(&CTrackRecord::m_HasPicture)) &&
            NumberAttribute("VL", number(&CTrackRecord::m_Volume)) &&
            NumberAttribute("SP", number(&CTrackRecord::m_Start)) &&
            NumberAttribute("EP", number(&CTrackRecord::m_End)) &&
            Literal("/>\r\n<CU") &&
            NumberAttribute("C1", number(&CTrackRecord::m_Cue1)) &&
            TextAttribute("C1N", field(&CTrackRecord::m_Cue1Name)) &&
            NumberAttribute("C2", number(&CTrackRecord::m_Cue2)) &&
            TextAttribute("C2N", field(&CTrackRecord::m_Cue2Name)) &&
            Literal("/>\r\n</TRK>\r\n");
        if (ok && r && m_formatBpm)
            FormatBpmText(r->m_BPMText);
        return ok;
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
