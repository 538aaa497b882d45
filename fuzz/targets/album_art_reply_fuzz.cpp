// The decks' album-art search reply: the service's XML read into results,
// and the choice of one cover among them. The first byte picks the choice's
// options; the rest is the reply.
#include "audio/worker/AlbumArtLookup.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const char* text = reinterpret_cast<const char*>(data) + 1;
    std::vector<AlbumArtItem> items;
    const bool parsed = ParseAlbumArtReply(text, size - 1, items);
    if (!parsed)
        FUZZ_CHECK(items.empty(), "a failed reply left %d results", static_cast<int>(items.size()));
    const bool useRandom = data[0] & 1;
    const int r = (data[0] >> 1) * 258;
    const CString artist = items.empty() ? CString("artist") : items[0].artist;
    const CString album = items.empty() ? CString("album") : items.back().title;
    const int chosen = ChooseAlbumArt(items, artist, album, useRandom, r);
    FUZZ_CHECK(chosen >= -1 && chosen < static_cast<int>(items.size()), "choice %d of %d", chosen,
               static_cast<int>(items.size()));
    if (chosen >= 0) {
        const AlbumArtItem& item = items[static_cast<size_t>(chosen)];
        FUZZ_CHECK(!item.mediumImageUrl.IsEmpty(), "a cover without a medium image chosen");
        FUZZ_CHECK(item.artist.IsEmpty() || item.artist.CompareNoCase(artist) == 0, "another artist's cover");
    }
    return 0;
}
