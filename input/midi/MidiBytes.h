// The bytes of a MIDI channel message packed into 32 bits as the Windows
// multimedia functions carry them: status in bits 0-7, first data byte in
// bits 8-15, second data byte in bits 16-23, bits 24-31 zero.
#pragma once

#include <cstdint>

namespace midi {

inline uint8_t StatusOf(uint32_t packed) { return static_cast<uint8_t>(packed & 0xFF); }
inline uint8_t ChannelOf(uint32_t packed) { return static_cast<uint8_t>(packed & 0x0F); }
// 0x80 note off, 0x90 note on, 0xB0 controller, 0xE0 pitch bend ...
inline uint8_t CommandOf(uint32_t packed) { return static_cast<uint8_t>(packed & 0xF0); }
inline uint8_t Data1Of(uint32_t packed) { return static_cast<uint8_t>((packed >> 8) & 0xFF); }
inline uint8_t Data2Of(uint32_t packed) { return static_cast<uint8_t>((packed >> 16) & 0xFF); }

// A data byte as MIDI allows it: values below 0 give 0, above 127 give 127.
uint8_t ClampDataByte(int value);

// Packs a message: status = command OR channel (each taken as a byte), the
// data bytes clamped to 0..127.
uint32_t PackShortMessage(int command, int channel, int data1, int data2);

// The message with its data bytes clamped to 0..127 and bits 24-31
// cleared; the status byte is kept.
uint32_t ClampShortMessage(uint32_t packed);

} // namespace midi
