// The frames of an ID3 tag that the library's readers take, whichever
// reader parsed the tag (id3lib, or the bounded reader of Id3v2Tag.h), so
// that one set of rules turns them into TAG_INFO and records. Pure code.
#pragma once

#include "library/tags/Id3v2Tag.h"

#include <cstdint>

namespace tagfields {

enum Slot {
    kTitle,      // TIT2
    kLeadArtist, // TPE1
    kBand,       // TPE2
    kConductor,  // TPE3
    kComposer,   // TCOM
    kOrigArtist, // TOPE
    kAlbum,      // TALB
    kGenre,      // TCON
    kYear,       // TYER, or the year of TDRC in an ID3v2.4 tag without TYER
    kComment,    // the first COMM
    kTempo,      // TBPM
    kEncodedBy,  // TENC
    kLength,     // TLEN
    kSlotCount
};

// Text frames are taken up to this many characters; the readers cut
// further as each field needs.
constexpr size_t kTextMax = 1024;

struct Field
{
    bool present = false;
    id3v2::Text text;
};

struct TagFields
{
    Field fields[kSlotCount];
    bool hasPicture = false;
    bool hasCounter = false;
    uint32_t playCount = 0;

    const Field& operator[](Slot slot) const { return fields[slot]; }
    Field& operator[](Slot slot) { return fields[slot]; }
};

// The frames of a tag read by the bounded reader. In an ID3v2.4 tag a
// genre given as a bare number ("17") is read as the reference "(17)".
void FromTag(const id3v2::Tag& tag, TagFields* out);

// Fills every slot of out that is missing from what another tag of the
// same file holds (an ID3v1 tag behind an ID3v2.4 one).
void FillMissing(const TagFields& other, TagFields* out);

// The year of an ID3v2.4 time stamp (TDRC, "2024-05-01T..."): its leading
// digits, at most four.
std::string YearOfTimestamp(const std::string& stamp);

} // namespace tagfields
