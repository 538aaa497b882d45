// Orders of track records by the library's sort codes 1 to 10 (the track
// list's column sorts), with no state of their own.
#pragma once

#include "framework/core/CArray.h"
#include "library/records/CTrackRecord.h"

#include <cstdint>
#include <vector>

// True for the codes 1 to 10.
bool IsSortCode(int code);

// Sorts the array in place by the code's key and tie-break; descending
// reverses the key only. Codes outside 1 to 10 leave it as it is. Records
// equal in key and tie-break keep their order.
void SortRecords(CArray<CTrackRecord, CTrackRecord&>& records, int code, bool descending);

// The positions of the records in the order SortRecords would give them
// (position i of the answer: the record that would come i-th), the array
// left as it is; every position in order for codes outside 1 to 10.
std::vector<uint32_t> SortedOrder(const CArray<CTrackRecord, CTrackRecord&>& records, int code,
                                  bool descending);

// -1, 0 or 1 as a is below, equal to or above b.
int CompareInts(int a, int b);
