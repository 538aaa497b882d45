// The matching rules of the library's search and filters, on plain texts:
// no Windows header, so it builds natively too. Codes 20 to 26 are the
// filter fields, 30 to 35 the search fields; any other code matches nothing.
#pragma once

#include <string>
#include <string_view>

// The texts of one track that a search or filter looks at.
struct TrackMatchFields
{
    std::string_view title;
    std::string_view artist;
    std::string_view album;
    std::string_view genre;
    std::string_view year;
    std::string_view fileName;
    std::string_view bpmText;   // in its normal form (000.00); only code 26 reads it
};

// Letter-case folding of single bytes, as the C library lower-cases under
// the current code page (the library side builds it from the C library).
class MatchCaseFold
{
public:
    MatchCaseFold();   // A to Z only
    void Set(unsigned char from, unsigned char to) { m_lower[from] = to; }
    unsigned char Lower(char ch) const { return m_lower[static_cast<unsigned char>(ch)]; }
    std::string Lower(std::string_view text) const;

private:
    unsigned char m_lower[256];
};

class TrackMatcher
{
public:
    // wanted is lowered once here.
    TrackMatcher(const MatchCaseFold& fold, std::string_view wanted);

    // The wanted text occurs in the field, both lower-cased; an empty
    // wanted text occurs in every field.
    bool Contains(std::string_view field) const;
    // The lower-cased field equals the lower-cased wanted text.
    bool Equals(std::string_view field) const;

    // Search codes 30 to 34 (one field) and 35 (title, artist, album,
    // genre, year or path), contains rule.
    bool SearchMatches(const TrackMatchFields& track, int code) const;
    // Filter codes 20 to 24, contains rule (25, 26 and others: no match).
    bool FilterContains(const TrackMatchFields& track, int code) const;
    // Filter codes 20 to 24 and 26, equals rule; 26 compares the first
    // three characters of the normal tempo text.
    bool FilterEquals(const TrackMatchFields& track, int code) const;

    const std::string& Wanted() const { return m_wanted; }

private:
    const MatchCaseFold& m_fold;
    std::string m_wanted;
};

// The field of a filter code 20 to 24, or null.
const std::string_view* FilterField(const TrackMatchFields& track, int code);
// The field of a search code 30 to 34, or null.
const std::string_view* SearchField(const TrackMatchFields& track, int code);
