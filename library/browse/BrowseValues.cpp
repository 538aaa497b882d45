#include "library/browse/BrowseValues.h"

#include "framework/core/MbText.h"
#include "library/file/LibraryDocument.h"

namespace {

bool IsAscii(const char* text)
{
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
        if (*p >= 0x80)
            return false;
    return true;
}

} // namespace

int browse::FieldSortCode(int code)
{
    switch (code) {
    case kFieldArtist: return 2;
    case kFieldAlbum: return 1;
    case kFieldGenre: return 4;
    case kFieldYear: return 8;
    case kFieldTempo: return 3;
    default: return 0;
    }
}

CString browse::FieldValue(const CTrackRecord& rec, int code)
{
    switch (code) {
    case kFieldArtist: return rec.m_Artist;
    case kFieldAlbum: return rec.m_Album;
    case kFieldGenre: return rec.m_Genre;
    case kFieldYear: return rec.m_Year;
    case kFieldTempo: {
        CString tempo = rec.m_BPMText;
        FormatBpmText(tempo);
        return tempo.Left(3);
    }
    default: return CString();
    }
}

bool browse::SameValue(const CString& a, const CString& b)
{
    const char* x = a.GetString();
    const char* y = b.GetString();
    if (!IsAscii(x) || !IsAscii(y))
        return mbtext::CompareNoCase(x, y) == 0;
    for (;; ++x, ++y) {
        unsigned char p = static_cast<unsigned char>(*x);
        unsigned char q = static_cast<unsigned char>(*y);
        if (p >= 'A' && p <= 'Z')
            p = static_cast<unsigned char>(p + ('a' - 'A'));
        if (q >= 'A' && q <= 'Z')
            q = static_cast<unsigned char>(q + ('a' - 'A'));
        if (p != q)
            return false;
        if (p == 0)
            return true;
    }
}

std::vector<uint32_t> browse::FirstOfEachField(const TrackArray& records,
                                               const std::vector<uint32_t>& order, int code)
{
    return FirstOfEachValue(records, order,
                            [code](const CTrackRecord& rec) { return FieldValue(rec, code); });
}

std::vector<uint32_t> browse::LibraryOrder(const TrackArray& records)
{
    std::vector<uint32_t> order(static_cast<size_t>(records.GetSize()));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<uint32_t>(i);
    return order;
}
