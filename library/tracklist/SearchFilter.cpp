// Search and field filters into the library's result arrays and the
// caller's arrays.
#include "library/tracklist/SearchFilter.h"

#include "framework/win/CWaitCursor.h"
#include "library/file/LibraryDocument.h"
#include "library/records/RecordAccess.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"
#include "library/api/VIZU.h"

#include <mbctype.h>
#include <mbstring.h>

#include <vector>

namespace {

MatchCaseFold BuildLibraryCaseFold()
{
    MatchCaseFold fold;
    for (unsigned int ch = 1; ch < 256; ++ch)
        if (!_ismbblead(ch))
            fold.Set(static_cast<unsigned char>(ch), static_cast<unsigned char>(_mbctolower(ch) & 0xFF));
    return fold;
}

enum class Rule { Contains, Equals };

bool FilterMatches(const TrackMatcher& matcher, const CTrackRecord& rec, int code, Rule rule)
{
    if (rule == Rule::Contains)
        return matcher.FilterContains(MatchFieldsOf(rec), code);
    std::string tempo;
    return matcher.FilterEquals(MatchFieldsOf(rec, code == 26 ? &tempo : nullptr), code);
}

// Walks source from the first record, visiting each once; a match is handed
// to found. With pump set the window messages run as the loop pump paces
// them, so the size is read again each time (a handler may change the
// array).
template <typename Found>
int WalkFilter(TrackArray& source, int code, const CString& value, Rule rule, bool pump,
               Found found)
{
    TrackMatcher matcher(LibraryCaseFold(), value.str());
    // The library's records stay where they are while the pump runs.
    TracksInUse inUse;
    LoopPump pacer;
    int matches = 0;
    for (INT_PTR i = 0; i < source.GetSize(); ++i) {
        if (FilterMatches(matcher, source[i], code, rule)) {
            found(source[i]);
            ++matches;
        }
        if (pump)
            pacer.Step();
    }
    return matches;
}

int FindFirst(const TrackArray& tracks, const CString& text, bool byTitle)
{
    if (tracks.GetSize() == 0)
        return -1;
    TrackMatcher matcher(LibraryCaseFold(), text.str());
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        const CTrackRecord& rec = tracks[i];
        if (matcher.Contains((byTitle ? rec.m_Title : rec.m_Artist).str()))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

const MatchCaseFold& LibraryCaseFold()
{
    static const MatchCaseFold fold = BuildLibraryCaseFold();
    return fold;
}

TrackMatchFields MatchFieldsOf(const CTrackRecord& rec, std::string* normalTempo)
{
    TrackMatchFields fields;
    fields.title = rec.m_Title.str();
    fields.artist = rec.m_Artist.str();
    fields.album = rec.m_Album.str();
    fields.genre = rec.m_Genre.str();
    fields.year = rec.m_Year.str();
    fields.fileName = rec.m_FileName.str();
    if (normalTempo) {
        CString tempo(rec.m_BPMText);
        FormatBpmText(tempo);
        *normalTempo = tempo.str();
        fields.bpmText = *normalTempo;
    }
    return fields;
}

int tracklist::FindTitle(const TrackArray& tracks, const CString& text)
{
    return FindFirst(tracks, text, true);
}

int tracklist::FindArtist(const TrackArray& tracks, const CString& text)
{
    return FindFirst(tracks, text, false);
}

int tracklist::DoSearch(LibraryState& state, const CString& text, int code)
{
    TrackArray& tracks = state.tracks;
    if (tracks.GetSize() == 0)
        return -1;
    state.searchTracks.RemoveAll();
    TracksInUse inUse;
    TrackMatcher matcher(LibraryCaseFold(), text.str());
    // The matches are copied once their number is known, so that the result
    // array is allocated once rather than regrown and moved while it fills.
    LoopPump pacer;
    std::vector<INT_PTR> found;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        if (matcher.SearchMatches(MatchFieldsOf(tracks[i]), code))
            found.push_back(i);
        pacer.Step();
    }
    state.searchTracks.SetSize(0, static_cast<INT_PTR>(found.size()));
    // Records stay where they are while the pump runs (TracksInUse).
    for (INT_PTR i : found)
        state.searchTracks.Add(tracks[i]);
    return static_cast<int>(found.size());
}

int tracklist::FilterTrackList(LibraryState& state, int code, const CString& value)
{
    state.filteredTracks.RemoveAll();
    if (state.tracks.GetSize() == 0)
        return 0;
    TrackArray& filtered = state.filteredTracks;
    return WalkFilter(state.tracks, code, value, Rule::Contains, false,
                      [&filtered](CTrackRecord& rec) { filtered.Add(rec); });
}

int tracklist::FilterTracksToArray(TrackArray& tracks, TrackArray* target, int code,
                                   const CString& value)
{
    if (tracks.GetSize() == 0)
        return -1;
    if (!target)
        return 0;
    CWaitCursor wait;
    return WalkFilter(tracks, code, value, Rule::Contains, true,
                      [target](CTrackRecord& rec) { target->Add(rec); });
}

int tracklist::FilterArrayToArray(TrackArray* source, TrackArray* target, int code,
                                  const CString& value)
{
    // One array as both source and target is filtered in place.
    TrackArray sameArray;
    if (source && source == target) {
        sameArray.Append(*source);
        source = &sameArray;
    }
    if (target)
        target->RemoveAll();
    if (!source || source->GetSize() == 0)
        return -1;
    CWaitCursor wait;
    return WalkFilter(*source, code, value, Rule::Contains, true, [target](CTrackRecord& rec) {
        if (target)
            target->Add(rec);
    });
}

int tracklist::LoadFilteredTracksToArray(TrackArray& tracks, TrackArray* target, int code,
                                         const CString& value)
{
    if (tracks.GetSize() == 0 || !target)
        return 0;
    CWaitCursor wait;
    return WalkFilter(tracks, code, value, Rule::Equals, true,
                      [target](CTrackRecord& rec) { target->Add(rec); });
}

int tracklist::SearchLibrary(TrackArray& tracks, int code, const CString& value)
{
    if (tracks.GetSize() == 0)
        return -1;
    CWaitCursor wait;
    return WalkFilter(tracks, code, value, Rule::Contains, true, [](CTrackRecord&) {});
}
