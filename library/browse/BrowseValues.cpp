#include "library/browse/BrowseValues.h"

#include "framework/core/MbText.h"
#include "library/file/LibraryDocument.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

namespace {

bool IsAscii(const char* text)
{
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
        if (*p >= 0x80)
            return false;
    return true;
}

// The case-blind order of the record sorts: 7-bit texts as their
// lower-cased bytes, others by the code page's rule.
int CompareBlind(const char* a, const char* b)
{
    if (!IsAscii(a) || !IsAscii(b))
        return mbtext::CompareNoCase(a, b);
    for (;; ++a, ++b) {
        unsigned char p = static_cast<unsigned char>(*a);
        unsigned char q = static_cast<unsigned char>(*b);
        if (p >= 'A' && p <= 'Z')
            p = static_cast<unsigned char>(p + ('a' - 'A'));
        if (q >= 'A' && q <= 'Z')
            q = static_cast<unsigned char>(q + ('a' - 'A'));
        if (p != q)
            return p < q ? -1 : 1;
        if (p == 0)
            return 0;
    }
}

// The text a case-blind comparison treats as equal for every spelling.
void Fold(const CString& text, std::string& folded)
{
    folded.assign(text.GetString());
    if (IsAscii(folded.c_str())) {
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + ('a' - 'A'));
    } else {
        mbtext::ToLower(&folded[0]);
    }
}

const CString* TextField(const CTrackRecord& rec, int code)
{
    switch (code) {
    case browse::kFieldArtist: return &rec.m_Artist;
    case browse::kFieldAlbum: return &rec.m_Album;
    case browse::kFieldGenre: return &rec.m_Genre;
    case browse::kFieldYear: return &rec.m_Year;
    default: return nullptr;
    }
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

std::vector<browse::DistinctValue> browse::DistinctTextValues(const TrackArray& records, int code)
{
    struct Group
    {
        uint32_t first;
        uint32_t size;
    };
    std::vector<Group> groups;
    std::unordered_map<std::string, uint32_t> groupOf;
    std::string folded;
    for (INT_PTR i = 0; i < records.GetSize(); ++i) {
        const CString* value = TextField(records[i], code);
        if (!value)
            return {};
        // Empty values are a group of their own: they give no value but
        // take their places in the sorted order (which the code page's
        // comparison need not put first).
        Fold(*value, folded);
        auto found = groupOf.emplace(folded, static_cast<uint32_t>(groups.size()));
        if (found.second) {
            groups.push_back({static_cast<uint32_t>(i), 1});
            continue;
        }
        Group& group = groups[found.first->second];
        ++group.size;
        // The first record of a value is the one whose title sorts first;
        // among equal titles the one met first.
        if (CompareBlind(records[i].m_Title.GetString(),
                         records[static_cast<INT_PTR>(group.first)].m_Title.GetString()) < 0)
            group.first = static_cast<uint32_t>(i);
    }
    std::sort(groups.begin(), groups.end(), [&](const Group& a, const Group& b) {
        return CompareBlind(TextField(records[static_cast<INT_PTR>(a.first)], code)->GetString(),
                            TextField(records[static_cast<INT_PTR>(b.first)], code)->GetString()) < 0;
    });
    std::vector<DistinctValue> values;
    values.reserve(groups.size());
    uint32_t position = 0;
    for (const Group& group : groups) {
        if (!TextField(records[static_cast<INT_PTR>(group.first)], code)->IsEmpty())
            values.push_back({group.first, position});
        position += group.size;
    }
    return values;
}
