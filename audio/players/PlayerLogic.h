// The rules the sampler's, the audio jukebox's and the dAredero's players
// share that need no window: the set-up device, device names, positions,
// the jukebox's preload point.
#pragma once

#include <stdint.h>

#include <string>

// The device a player is set up on: 1 to 6 as given, any other index 0.
int PlayerSetupDevice(int index);

// A device name as the player stores it: "wave" becomes "dsound".
std::string PlayerStoredDeviceName(const char* received);

// True when a device box offers the device (its name begins with "/dev").
bool PlayerOffersDevice(const std::string& name);

// Elapsed whole seconds of a time code, hours included.
int32_t PlayerPosition(int hours, int minutes, int seconds);

// True when the jukebox loads the next queued track: the position has
// reached the track length less the preload seconds.
bool JukeboxReachedPreload(int32_t position, int32_t length, int32_t preloadSeconds);
