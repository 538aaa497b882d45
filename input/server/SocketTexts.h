// Texts of the request socket: service (port) texts and IPv4 address texts.
#pragma once

#include "framework/core/CString.h"

#include <cstdint>

// A service text that begins with a decimal digit names a port: its
// leading digits. False when the text does not begin with a digit, or
// when the number does not fit a port (above 65535).
bool ParsePortText(const char* service, uint16_t& port);

// "%u.%u.%u.%u" of an address in network byte order (first byte first).
CString AddressText(const uint8_t bytes[4]);
// The address text followed by ":" and the port ("%u.%u.%u.%u:%d").
CString PeerText(const uint8_t bytes[4], uint16_t port);
