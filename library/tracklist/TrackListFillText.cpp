#include "library/tracklist/TrackListFillText.h"

#include <cctype>
#include <cstdlib>
#include <string>

bool IsRowWavPath(std::string_view path)
{
    return path.size() >= 3 && path.substr(path.size() - 3) == "wav";
}

bool HasTypeEnding(std::string_view path, std::string_view lowerEnding)
{
    if (path.size() < lowerEnding.size())
        return false;
    std::string_view tail = path.substr(path.size() - lowerEnding.size());
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != lowerEnding[i])
            return false;
    return true;
}

int RowLengthSeconds(std::string_view text)
{
    size_t colon = text.find(':');
    int minutes = colon == std::string_view::npos
                      ? 0 : std::atoi(std::string(text.substr(0, colon)).c_str());
    int seconds = std::atoi(std::string(text.size() >= 2 ? text.substr(text.size() - 2) : text).c_str());
    return minutes * 60 + seconds;
}
