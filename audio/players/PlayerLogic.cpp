#include "audio/players/PlayerLogic.h"

#include <string.h>

int PlayerSetupDevice(int index) { return index >= 1 && index <= 6 ? index : 0; }

std::string PlayerStoredDeviceName(const char* received)
{
    std::string name = received ? received : "";
    for (size_t at = name.find("wave"); at != std::string::npos; at = name.find("wave", at + 6))
        name.replace(at, 4, "dsound");
    return name;
}

bool PlayerOffersDevice(const std::string& name) { return name.compare(0, 4, "/dev") == 0; }

int32_t PlayerPosition(int hours, int minutes, int seconds)
{
    return static_cast<int32_t>(hours) * 3600 + static_cast<int32_t>(minutes) * 60 + seconds;
}

bool JukeboxReachedPreload(int32_t position, int32_t length, int32_t preloadSeconds)
{
    return static_cast<int64_t>(position) >= static_cast<int64_t>(length) - preloadSeconds;
}
