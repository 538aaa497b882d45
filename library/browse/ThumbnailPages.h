// The library as pages of large icons in the caller's list control: one
// item per distinct year, tempo, genre, artist or album. Genres take their
// pictures through a fixed name map, artists and albums pictures cut from
// the tags of their files into the list's own normal image list; every
// name without a picture shows image 0. Each entry takes the library lock
// itself; picture building runs without it and lets messages through.
#pragma once

#include <windows.h>

namespace browse {

enum class ThumbPage { Years, Tempos, Genres, Artists, Albums };

// The genre name map emptied and filled again.
void InitGenreImageMap();
// The page's items in place of the list's; their number.
int DisplayThumbPage(HWND list, ThumbPage page);
// The artist (album) pictures into the list's normal image list after its
// image 0, and the name map to them; the number of distinct artists
// (albums). page is Artists or Albums.
int BuildThumbImages(HWND list, ThumbPage page);
// The artist and album pictures are built again by their next page.
void ResetThumbnails();

// The image of a genre name (any letter case) in the genre map.
int GenreImage(const char* genre);

} // namespace browse
