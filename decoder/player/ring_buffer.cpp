#include "decoder/player/ring_buffer.h"

#include <string.h>

namespace {

size_t length_of(const ring_buffer* ring) { return static_cast<size_t>(ring->end - ring->start); }

uint8_t* advanced(const ring_buffer* ring, uint8_t* position, size_t count)
{
    const size_t offset = (static_cast<size_t>(position - ring->start) + count) % length_of(ring);
    return ring->start + offset;
}

} // namespace

void ring_init(ring_buffer* ring, void* block, size_t length)
{
    ring->start = static_cast<uint8_t*>(block);
    ring->end = ring->start + length;
    ring->write = ring->start;
    ring->read = ring->start;
}

size_t ring_free_contiguous(const ring_buffer* ring)
{
    if (ring->write < ring->read)
        return static_cast<size_t>(ring->read - ring->write) - 1;
    size_t room = static_cast<size_t>(ring->end - ring->write);
    if (ring->read == ring->start)
        --room; // the write position may not reach the read position
    return room;
}

size_t ring_free(const ring_buffer* ring) { return length_of(ring) - 1 - ring_used(ring); }

size_t ring_used_contiguous(const ring_buffer* ring)
{
    if (ring->write >= ring->read)
        return static_cast<size_t>(ring->write - ring->read);
    return static_cast<size_t>(ring->end - ring->read);
}

size_t ring_used(const ring_buffer* ring)
{
    if (ring->write >= ring->read)
        return static_cast<size_t>(ring->write - ring->read);
    return length_of(ring) - static_cast<size_t>(ring->read - ring->write);
}

void ring_write(ring_buffer* ring, const void* source, size_t length)
{
    if (source) {
        const uint8_t* from = static_cast<const uint8_t*>(source);
        size_t left = length;
        while (left > 0) {
            size_t part = static_cast<size_t>(ring->end - ring->write);
            if (part > left)
                part = left;
            memcpy(ring->write, from, part);
            from += part;
            left -= part;
            ring->write = advanced(ring, ring->write, part);
        }
        return;
    }
    ring->write = advanced(ring, ring->write, length);
}

void ring_read(ring_buffer* ring, void* destination, size_t length)
{
    if (destination) {
        uint8_t* to = static_cast<uint8_t*>(destination);
        size_t left = length;
        while (left > 0) {
            size_t part = static_cast<size_t>(ring->end - ring->read);
            if (part > left)
                part = left;
            memcpy(to, ring->read, part);
            to += part;
            left -= part;
            ring->read = advanced(ring, ring->read, part);
        }
        return;
    }
    ring->read = advanced(ring, ring->read, length);
}

uint8_t ring_peek(const ring_buffer* ring, size_t offset)
{
    return *advanced(ring, ring->read, offset);
}

void ring_advance_write(ring_buffer* ring, size_t count) { ring->write = advanced(ring, ring->write, count); }

void ring_advance_read(ring_buffer* ring, size_t count) { ring->read = advanced(ring, ring->read, count); }
