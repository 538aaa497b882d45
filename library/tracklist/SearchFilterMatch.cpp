#include "library/tracklist/SearchFilterMatch.h"

MatchCaseFold::MatchCaseFold()
{
    for (int i = 0; i < 256; ++i)
        m_lower[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i - 'A' + 'a' : i);
}

std::string MatchCaseFold::Lower(std::string_view text) const
{
    std::string lowered(text);
    for (char& ch : lowered)
        ch = static_cast<char>(Lower(ch));
    return lowered;
}

TrackMatcher::TrackMatcher(const MatchCaseFold& fold, std::string_view wanted)
    : m_fold(fold), m_wanted(fold.Lower(wanted))
{
}

// Folds the field as it goes, so no lowered copy is made per record.
bool TrackMatcher::Contains(std::string_view field) const
{
    const size_t n = m_wanted.size();
    if (n == 0)
        return true;
    if (field.size() < n)
        return false;
    const unsigned char first = static_cast<unsigned char>(m_wanted[0]);
    const size_t last = field.size() - n;
    for (size_t i = 0; i <= last; ++i) {
        if (m_fold.Lower(field[i]) != first)
            continue;
        size_t j = 1;
        while (j < n && m_fold.Lower(field[i + j]) == static_cast<unsigned char>(m_wanted[j]))
            ++j;
        if (j == n)
            return true;
    }
    return false;
}

bool TrackMatcher::Equals(std::string_view field) const
{
    if (field.size() != m_wanted.size())
        return false;
    for (size_t i = 0; i < field.size(); ++i)
        if (m_fold.Lower(field[i]) != static_cast<unsigned char>(m_wanted[i]))
            return false;
    return true;
}

const std::string_view* FilterField(const TrackMatchFields& track, int code)
{
    switch (code) {
    case 20: return &track.artist;
    case 21: return &track.album;
    case 22: return &track.genre;
    case 23: return &track.title;
    case 24: return &track.year;
    default: return nullptr;
    }
}

const std::string_view* SearchField(const TrackMatchFields& track, int code)
{
    return code >= 30 && code <= 34 ? FilterField(track, code - 10) : nullptr;
}

bool TrackMatcher::SearchMatches(const TrackMatchFields& track, int code) const
{
    if (code == 35)
        return Contains(track.title) || Contains(track.artist) || Contains(track.album)
            || Contains(track.genre) || Contains(track.year) || Contains(track.fileName);
    const std::string_view* field = SearchField(track, code);
    return field && Contains(*field);
}

bool TrackMatcher::FilterContains(const TrackMatchFields& track, int code) const
{
    const std::string_view* field = FilterField(track, code);
    return field && Contains(*field);
}

bool TrackMatcher::FilterEquals(const TrackMatchFields& track, int code) const
{
    if (code == 26)
        return Equals(track.bpmText.substr(0, 3));
    const std::string_view* field = FilterField(track, code);
    return field && Equals(*field);
}
