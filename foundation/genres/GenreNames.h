// The genre list of the library's tags and the decoder's ID3v1 reader: 126
// names numbered from 0. The first 80 (0 "Blues" to 79 "Hard Rock") are
// ID3 version 1's own list; the rest continue it. No Windows header here.
#pragma once

constexpr int kGenreCount = 126;
constexpr int kId3v1GenreCount = 80;

// The name of a genre number; "Misc" outside 0 to 125.
const char* GenreName(int number);

// The name of an ID3v1 genre byte; null outside 0 to 79.
const char* Id3v1GenreName(int number);
