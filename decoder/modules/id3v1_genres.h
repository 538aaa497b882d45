// The genre names of ID3 version 1 tags (0 "Blues" to 79 "Hard Rock").
#pragma once

// The name of a genre byte, or null for 80 and above.
const char* id3v1_genre_name(int genre);
