// A byte ring over a caller-owned block. One byte always stays empty, so
// a block of N bytes holds at most N - 1. The caller checks the amounts.
#pragma once

#include <stddef.h>
#include <stdint.h>

struct ring_buffer
{
    uint8_t* start;
    uint8_t* end; // one past the last byte
    uint8_t* write;
    uint8_t* read;
};

void ring_init(ring_buffer* ring, void* block, size_t length);
size_t ring_free_contiguous(const ring_buffer* ring);
size_t ring_free(const ring_buffer* ring);
size_t ring_used_contiguous(const ring_buffer* ring);
size_t ring_used(const ring_buffer* ring);
// A null source only advances the write position.
void ring_write(ring_buffer* ring, const void* source, size_t length);
// A null destination only skips.
void ring_read(ring_buffer* ring, void* destination, size_t length);
uint8_t ring_peek(const ring_buffer* ring, size_t offset);
void ring_advance_write(ring_buffer* ring, size_t count);
void ring_advance_read(ring_buffer* ring, size_t count);
