// A control_message as a window message: identifier 0x9000 + code, a
// wParam and an lParam, with texts, byte blocks, property lists and PCM in
// a heap block that the receiver copies into its receive area and frees.
// No window code here: the values are what PostMessage carries.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "decoder/player/control_messages.h"

enum { ENGINE_MESSAGE_BASE = 0x9000 };
enum { MESSAGE_RECEIVE_AREA_SIZE = 8192 };

// 0; -306 for an invalid code; -100 when a heap block cannot be made.
int message_encode(const control_message* message, uint32_t* identifier, uintptr_t* wparam,
                   intptr_t* lparam);
// Frees the heap block of an encoded message that was never delivered.
void message_encode_release(uint32_t identifier, intptr_t lparam);
// Decodes into message; strings and blocks are copied into area (never
// past area_size bytes) and the heap block is freed. Returns 0.
int message_decode(uint8_t* area, size_t area_size, uint32_t identifier, uintptr_t wparam,
                   intptr_t lparam, control_message* message);

// Big-endian writers and readers.
void write_be32(uint8_t* to, uint32_t value);
void write_be16(uint8_t* to, uint16_t value);
uint32_t read_be32(const uint8_t* from);
uint16_t read_be16(const uint8_t* from);

// 1: module interface version 0x40400; 2: client interface version
// 0x30801; 3: 0x30209; anything else 0.
uint32_t api_version_get(int selector);
