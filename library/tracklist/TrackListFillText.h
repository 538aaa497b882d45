// The small text rules of the track rows, on plain texts (no Windows
// header): which paths count as WAV for a row's image, and the seconds of
// a length shown in a row.
#pragma once

#include <string_view>

// The row images of the track-icon image list.
namespace track_image {
constexpr int kPlain = 0;       // closed folder: plain rows, files of other types
constexpr int kMP3 = 5;         // MP3 track, and any track that is not WAV
constexpr int kMissing = 11;    // the file does not exist
constexpr int kWAV = 13;
constexpr int kNoPicture = 15;  // sub-item 2: the tag has no picture
constexpr int kPicture = 16;
} // namespace track_image

// The path's last three characters are exactly "wav" (letter case counts:
// a row of song.WAV shows the MP3 image).
bool IsRowWavPath(std::string_view path);

// The last three characters of a path, lower-cased ("mp3", "wav", ...).
bool HasTypeEnding(std::string_view path, std::string_view lowerEnding);

// Seconds of a length text of a row, "mmm:ss": the whole number before the
// first ':' (0 without one) as minutes plus the whole number of the last
// two characters as seconds.
int RowLengthSeconds(std::string_view text);
