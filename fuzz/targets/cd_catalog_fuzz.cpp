// The CD catalogue over any file: its bytes joined into lines, read, and an
// album appended. An album is added only to a text that reads (an empty
// one starts a catalogue); what was added reads back as the last album with its texts as written,
// its tracks' numbers and lengths, and the count one higher. Input: the
// choice byte (bit 0 the code page, bits 1-2 the number of tracks), the
// head (the album's artist and title, split at its middle), the rest the
// file's bytes.
#include "audio/cdplayer/CDCatalog.h"
#include "foundation/xml/XmlToken.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlWritten.h"

#include <climits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzParts parts;
    if (!FuzzParts::Split(data, size, &parts))
        return 0;
    XmlSetNativeCodePage((parts.choice & 1) ? 932 : 0);
    const CString text = CDCatalogJoinLines(parts.rest.data(), parts.rest.size());
    FUZZ_CHECK(text.IsEmpty() == parts.rest.empty(), "joining lost or made the whole text");
    FUZZ_CHECK(text.IsEmpty() || text.Right(2) == "\r\n", "the joined text does not end with a line end");

    CDCatalogAlbum album;
    const size_t half = parts.head.size() / 2;
    album.artist = CString(parts.head.substr(0, half));
    album.title = CString(parts.head.substr(half));
    album.discId = "0a0b0c0d";
    const int tracks = (parts.choice >> 1) & 3;
    for (int i = 0; i < tracks; ++i) {
        CDCatalogTrack track;
        track.number = i + 1;
        track.title = album.title;
        track.length = 59 + 61 * i * static_cast<int>(parts.rest.size() % 300);
        album.tracks.push_back(track);
    }

    std::vector<CDCatalogAlbum> before;
    long long count = 0;
    const bool readable = CDCatalogRead(text, before, &count);
    CString result = "untouched";
    const bool added = CDCatalogAppend(text, album, result);
    FUZZ_CHECK(!added || readable || text.IsEmpty(), "appended to a text that does not read");
    FUZZ_CHECK(added || !text.IsEmpty(), "a new catalogue was not made");
    if (!added) {
        FUZZ_CHECK(result == "untouched", "a failed append changed the result");
        return 0;
    }

    std::vector<CDCatalogAlbum> after;
    long long countAfter = 0;
    FUZZ_CHECK(CDCatalogRead(result, after, &countAfter), "the appended catalogue does not read");
    FUZZ_CHECK(after.size() == before.size() + 1, "%zu albums after appending to %zu", after.size(), before.size());
    const long long expected = readable ? (count < INT_MAX ? count + 1 : count) : 1;
    FUZZ_CHECK(countAfter == expected, "Albums %lld after %lld", countAfter, count);
    const CDCatalogAlbum& back = after.back();
    FUZZ_CHECK(std::string(back.artist.GetString()) == XmlWritten(album.artist), "the artist reads back otherwise");
    FUZZ_CHECK(std::string(back.title.GetString()) == XmlWritten(album.title), "the title reads back otherwise");
    FUZZ_CHECK(back.discId == album.discId, "the disc id reads back otherwise");
    FUZZ_CHECK(back.tracks.size() == album.tracks.size(), "%zu tracks read back", back.tracks.size());
    for (size_t i = 0; i < back.tracks.size(); ++i) {
        FUZZ_CHECK(back.tracks[i].number == album.tracks[i].number, "track %zu's number", i);
        FUZZ_CHECK(back.tracks[i].length == album.tracks[i].length, "track %zu's length", i);
        FUZZ_CHECK(std::string(back.tracks[i].title.GetString()) == XmlWritten(album.tracks[i].title),
                   "track %zu's title", i);
    }
    return 0;
}
