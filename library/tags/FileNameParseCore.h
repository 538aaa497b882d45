// File-name parsing: a display title from a path, and the parsers that cut
// a file title into artist, title, album, year and genre by a mask such as
// "%1 - %2". Pure code (no Windows header); double-byte characters are
// recognised through the lead-byte test the caller passes (null: none).
#pragma once

#include <string>

namespace fnparse {

using LeadByteTest = bool (*)(unsigned char);

// The fields a mask can name: code "%1" is index 0 (artist) up to "%5",
// index 4 (genre). Only fields whose flag is set were written.
enum Field { kArtist, kTitle, kAlbum, kYear, kGenre, kFieldCount };

struct ParsedFields
{
    bool set[kFieldCount] = {};
    std::string value[kFieldCount];

    void Put(char digit, const std::string& text);
};

// The text between the last backslash and the last "." (empty without a ".").
std::string TitleFromPath(const std::string& path, LeadByteTest lead);
// The path from its last backslash on, the backslash included.
std::string FilenameFromPath(const std::string& path, LeadByteTest lead);
// The text before the first delimiter (last: the whole text).
std::string FieldFromText(const std::string& text, char delimiter, bool last, LeadByteTest lead);

// Each code of the mask in order of position takes the next piece of the
// title cut at the delimiter character. False when the mask has no code.
bool ParseByDelimiter(const std::string& mask, char delimiter, const std::string& title,
                      ParsedFields* out, LeadByteTest lead);
// Walks the mask; each code ends at the first non-blank character after it.
void ParseByMaskWalk(const std::string& mask, const std::string& title, ParsedFields* out,
                     LeadByteTest lead);
// Five passes over the mask's codes. False when the mask holds no "%".
bool ParseByFivePasses(const std::string& mask, const std::string& title, ParsedFields* out,
                       LeadByteTest lead);

// Blanks (" ") stripped from both ends.
std::string TrimBlanks(const std::string& text);

} // namespace fnparse
