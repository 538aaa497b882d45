#include "library/records/RecordSort.h"

#include "framework/core/MbText.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// A sort compares each record's keys many times: what a comparison needs
// is taken from the record once (texts of 7-bit characters also lower-cased
// once, so that they compare as plain bytes), and the records are only
// moved into their new places at the end.
struct SortEntry
{
    const char* key = nullptr; // text keys
    const char* tie = nullptr; // null when the code has no tie-break
    uint32_t keyLower = 0;     // offset of the lower-cased 7-bit key
    uint32_t tieLower = 0;
    int64_t number = 0;        // number keys (signed and unsigned 32-bit fit)
    uint32_t position = 0;
    bool keyAscii = false;
    bool tieAscii = false;
};

bool IsAscii(const char* text)
{
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
        if (*p >= 0x80)
            return false;
    return true;
}

// Two texts of 7-bit characters hold no double-byte character, and every
// code page folds their case alike: A to Z as a to z, compared as unsigned
// bytes, as the C library's case-blind comparison does. Other texts go to
// that comparison itself.
int Blind(const char* a, bool aAscii, const char* b, bool bAscii)
{
    if (!aAscii || !bAscii)
        return mbtext::CompareNoCase(a, b);
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a);
        unsigned char y = static_cast<unsigned char>(*b);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + ('a' - 'A'));
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + ('a' - 'A'));
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

// The code's key: a text (case-blind) or a number.
const CString* TextKey(int code, const CTrackRecord& r)
{
    switch (code) {
    case 1: return &r.m_Album;
    case 2: return &r.m_Artist;
    case 4: return &r.m_Genre;
    case 7: return &r.m_Title;
    case 8: return &r.m_Year;
    default: return nullptr;
    }
}

int64_t NumberKey(int code, const CTrackRecord& r)
{
    switch (code) {
    case 3: return atoi(r.m_BPMText);
    case 5: return static_cast<uint32_t>(r.m_Index);
    case 6: return r.m_Length;
    case 9: return r.m_PlayCount;
    case 10: return r.m_HasPicture;
    default: return 0;
    }
}

// The tie-break, always ascending, case-blind; codes 3 and 5 have none.
const CString* TieKey(int code, const CTrackRecord& r)
{
    switch (code) {
    case 3:
    case 5: return nullptr;
    case 7: return &r.m_Artist;
    case 10: return &r.m_Album;
    default: return &r.m_Title;
    }
}

// Whether the records are already in the sort's order (each not before its
// predecessor): the library shown again as it was sorted last is then
// left as it is, at the cost of one comparison a record. The comparison is
// the sort's own (Blind on the texts, the number keys as numbers).
bool InOrder(const CTrackRecord* data, size_t count, int code, bool descending)
{
    for (size_t i = 1; i < count; ++i) {
        const CTrackRecord& a = data[i - 1];
        const CTrackRecord& b = data[i];
        int c = 0;
        if (const CString* key = TextKey(code, a)) {
            const CString* other = TextKey(code, b);
            c = Blind(key->GetString(), IsAscii(key->GetString()), other->GetString(),
                      IsAscii(other->GetString()));
        } else {
            const int64_t x = NumberKey(code, a), y = NumberKey(code, b);
            c = x < y ? -1 : x > y ? 1 : 0;
        }
        if (descending)
            c = -c;
        if (c == 0)
            if (const CString* tie = TieKey(code, a)) {
                const CString* other = TieKey(code, b);
                c = Blind(tie->GetString(), IsAscii(tie->GetString()), other->GetString(),
                          IsAscii(other->GetString()));
            }
        if (c > 0)
            return false;
    }
    return true;
}

// Puts the record at position order[i] to position i, moving each record
// once along the cycles of the permutation.
void Permute(CTrackRecord* data, std::vector<uint32_t>& order)
{
    const uint32_t count = static_cast<uint32_t>(order.size());
    for (uint32_t start = 0; start < count; ++start) {
        if (order[start] == start)
            continue;
        CTrackRecord kept(std::move(data[start]));
        uint32_t at = start;
        for (;;) {
            const uint32_t from = order[at];
            order[at] = at;
            if (from == start) {
                data[at] = std::move(kept);
                break;
            }
            data[at] = std::move(data[from]);
            at = from;
        }
    }
}

} // namespace

bool IsSortCode(int code)
{
    return code >= 1 && code <= 10;
}

int CompareInts(int a, int b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

std::vector<uint32_t> SortedOrder(const CArray<CTrackRecord, CTrackRecord&>& records, int code,
                                  bool descending)
{
    const size_t count = static_cast<size_t>(records.GetSize());
    std::vector<uint32_t> order(count);
    if (!IsSortCode(code) || count < 2) {
        for (size_t i = 0; i < count; ++i)
            order[i] = static_cast<uint32_t>(i);
        return order;
    }
    const CTrackRecord* data = records.GetData();
    if (InOrder(data, count, code, descending)) {
        for (size_t i = 0; i < count; ++i)
            order[i] = static_cast<uint32_t>(i);
        return order;
    }
    std::vector<SortEntry> entries(count);
    // The lower-cased 7-bit texts, each ended by a zero byte, in one block.
    std::string lowered;
    size_t room = 0;
    for (size_t i = 0; i < count; ++i) {
        if (const CString* key = TextKey(code, data[i]))
            room += static_cast<size_t>(key->GetLength()) + 1;
        if (const CString* tie = TieKey(code, data[i]))
            room += static_cast<size_t>(tie->GetLength()) + 1;
    }
    lowered.reserve(room);
    auto lower = [&lowered](const char* text) {
        const uint32_t at = static_cast<uint32_t>(lowered.size());
        for (const char* p = text; *p; ++p)
            lowered += (*p >= 'A' && *p <= 'Z') ? static_cast<char>(*p + ('a' - 'A')) : *p;
        lowered += '\0';
        return at;
    };
    for (size_t i = 0; i < count; ++i) {
        SortEntry& e = entries[i];
        const CTrackRecord& r = data[i];
        e.position = static_cast<uint32_t>(i);
        if (const CString* key = TextKey(code, r)) {
            e.key = key->GetString();
            e.keyAscii = IsAscii(e.key);
            if (e.keyAscii)
                e.keyLower = lower(e.key);
        } else {
            e.number = NumberKey(code, r);
        }
        if (const CString* tie = TieKey(code, r)) {
            e.tie = tie->GetString();
            e.tieAscii = IsAscii(e.tie);
            if (e.tieAscii)
                e.tieLower = lower(e.tie);
        }
    }
    // Two 7-bit texts compare as their lower-cased bytes (what Blind does);
    // others go to Blind.
    const char* base = lowered.c_str();
    auto compareKeys = [base](const SortEntry& a, const SortEntry& b) {
        if (a.keyAscii && b.keyAscii)
            return strcmp(base + a.keyLower, base + b.keyLower);
        return Blind(a.key, a.keyAscii, b.key, b.keyAscii);
    };
    auto compareTies = [base](const SortEntry& a, const SortEntry& b) {
        if (a.tieAscii && b.tieAscii)
            return strcmp(base + a.tieLower, base + b.tieLower);
        return Blind(a.tie, a.tieAscii, b.tie, b.tieAscii);
    };
    // Stable: records equal in key and tie-break keep their order.
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const SortEntry& a, const SortEntry& b) {
                         int c = a.key ? compareKeys(a, b)
                                       : (a.number < b.number ? -1 : a.number > b.number ? 1 : 0);
                         if (descending)
                             c = -c;
                         if (c == 0 && a.tie)
                             c = compareTies(a, b);
                         return c < 0;
                     });
    for (size_t i = 0; i < count; ++i)
        order[i] = entries[i].position;
    return order;
}

void SortRecords(CArray<CTrackRecord, CTrackRecord&>& records, int code, bool descending)
{
    if (!IsSortCode(code) || records.GetSize() < 2)
        return;
    std::vector<uint32_t> order = SortedOrder(records, code, descending);
    Permute(records.GetData(), order);
}
