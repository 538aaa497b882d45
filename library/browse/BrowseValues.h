// The distinct values of one field of the library's records, as the browse
// views show them: the records are walked in a sorted order, a value counts
// when it differs from the previous one without regard to letter case, and
// an empty value never counts. No Windows header: it builds natively too.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"

#include <cstdint>
#include <vector>

namespace browse {

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

// The browse field codes: artist, album, genre, year and the tempo's
// whole-number part (the first three characters of its normal form).
enum FieldCode
{
    kFieldArtist = 30,
    kFieldAlbum = 31,
    kFieldGenre = 32,
    kFieldYear = 34,
    kFieldTempo = 36,
};

// The sort code (1 to 10) that orders the records by a field code; 0 for
// codes that give no values.
int FieldSortCode(int code);

// The value of a field code in rec; empty for codes that give no values.
CString FieldValue(const CTrackRecord& rec, int code);

// The same two texts without regard to letter case (the code page's rule).
bool SameValue(const CString& a, const CString& b);

// Walks records in the given order (positions into records) and answers the
// positions of the records that bring a new value, in walk order. value(rec)
// gives the record's value.
template <typename Value>
std::vector<uint32_t> FirstOfEachValue(const TrackArray& records,
                                       const std::vector<uint32_t>& order, Value value)
{
    std::vector<uint32_t> firsts;
    CString previous;
    for (uint32_t at : order) {
        CString v = value(records[static_cast<INT_PTR>(at)]);
        if (v.IsEmpty() || SameValue(v, previous))
            continue;
        previous = v;
        firsts.push_back(at);
    }
    return firsts;
}

// The same over a field code.
std::vector<uint32_t> FirstOfEachField(const TrackArray& records,
                                       const std::vector<uint32_t>& order, int code);

// One distinct value of a text field as a sorted copy of the records
// would give it: the position of its first record (in value-then-title
// order, case-blind, ties by position) and that record's place in the
// sorted copy.
struct DistinctValue
{
    uint32_t first = 0;
    uint32_t sortedPosition = 0;
};

// The distinct values of an artist, album, genre or year code in the order
// a walk over the records sorted by value then title finds them, the same
// answer as FirstOfEachField over SortedOrder, without sorting the records:
// they are grouped by their case-folded value and only the groups sorted.
std::vector<DistinctValue> DistinctTextValues(const TrackArray& records, int code);

// The positions 0 to size - 1 in order.
std::vector<uint32_t> LibraryOrder(const TrackArray& records);

} // namespace browse
