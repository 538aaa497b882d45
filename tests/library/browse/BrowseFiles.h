// Music files made at test time for the browse views: MP3 files whose
// ID3v2 tag holds texts and, when asked, a picture; BMP pictures of one
// colour.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace browse_test {

// A 24-bit BMP file of width x height pixels of one colour (0x00RRGGBB).
std::string SolidBmp(int width, int height, uint32_t rgb);

struct Mp3Tags
{
    Mp3Tags(std::string title_, std::string artist_, std::string album_ = "",
             std::string year_ = "", std::string pictureMime_ = "", std::string picture_ = "")
        : title(std::move(title_)), artist(std::move(artist_)), album(std::move(album_)),
          year(std::move(year_)), pictureMime(std::move(pictureMime_)), picture(std::move(picture_))
    {
    }

    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string pictureMime;   // no picture when empty
    std::string picture;
};

// The bytes of an MP3 file: the tag, then a few silent MPEG frames.
std::string Mp3Bytes(const Mp3Tags& tags);

} // namespace browse_test
