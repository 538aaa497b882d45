// The library's side of the search and filter rules: the texts of a record
// and the C library's letter-case folding.
#pragma once

#include "library/records/CTrackRecord.h"
#include "library/tracklist/SearchFilterMatch.h"

#include <string>

// Single-byte lower-casing as the C library does it under its current
// multi-byte code page (lead bytes of double-byte code pages stay).
const MatchCaseFold& LibraryCaseFold();

// The texts of rec; with normalTempo given, the tempo text in its normal
// form is kept there and named by the fields (only filter code 26 needs it).
TrackMatchFields MatchFieldsOf(const CTrackRecord& rec, std::string* normalTempo = nullptr);
