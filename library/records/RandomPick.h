// The number source of the random pick: 15-bit draws (0 to 32767). KVLib's
// own is the platform C runtime's generator, seeded once per thread from
// the clock; a test puts its own in place.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/api/LibraryTypes.h"
#include "library/records/CTrackRecord.h"

#include <cstdint>

class RandomDrawSource
{
public:
    virtual ~RandomDrawSource() = default;
    virtual uint32_t Draw15() = 0;
};

// The source in use (null: KVLib's own); returns the previous one. Kept
// with the library state.
RandomDrawSource* SetRandomDrawSource(RandomDrawSource* source);

namespace records {
// The path of one of the tracks that meet the criterion, every one equally
// likely, drawn from source (null: KVLib's own); "NONE" when none does.
CString GetRandomTrack(const CArray<CTrackRecord, CTrackRecord&>& tracks,
                       const tagRandomInfo* info, RandomDrawSource* source);
} // namespace records

// A number from 0 to count - 1, every one equally likely (count > 0).
uint32_t RandomBelow(RandomDrawSource& source, uint32_t count);
