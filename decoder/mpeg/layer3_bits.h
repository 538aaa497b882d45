// Bounded bit reader for layer III main data, most significant bit first,
// with a look-ahead for the table-driven Huffman decoder. It keeps up to 64
// bits of the stream in a cache. Bits past the end read as zero; overrun()
// then tells the caller, which checks it once per stage.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <string.h>

class layer3_bits
{
public:
    layer3_bits() : m_data(nullptr), m_size(0) { set_position(0); }
    layer3_bits(const uint8_t* data, size_t size_bytes) : m_data(data), m_size(size_bytes) { set_position(0); }

    // The next n bits (0 to 32) without consuming them.
    uint32_t peek(int n)
    {
        if (m_count < n)
            refill();
        return n ? uint32_t(m_cache >> (64 - n)) : 0u;
    }
    // Consumes n bits (0 to 32).
    void skip(int n)
    {
        if (m_count < n)
            refill();
        m_cache = n ? m_cache << n : m_cache;
        m_count -= n;
        m_pos += size_t(n);
    }
    uint32_t read(int n)
    {
        const uint32_t v = peek(n);
        skip(n);
        return v;
    }
    uint32_t read_bit() { return read(1); }

    // At least n bits (up to 56) in the cache, so that the unchecked
    // operations below may take them.
    void ensure(int n)
    {
        if (m_count < n)
            refill();
    }
    // peek, skip and read for 1 to 32 bits already ensured.
    uint32_t peek_ensured(int n) const { return uint32_t(m_cache >> (64 - n)); }
    void skip_ensured(int n)
    {
        m_cache <<= n;
        m_count -= n;
        m_pos += size_t(n);
    }

    size_t position() const { return m_pos; }
    void set_position(size_t bit)
    {
        m_pos = bit;
        m_next = bit >> 3;
        m_cache = 0;
        m_count = 0;
        refill();
        const int drop = int(bit & 7);
        m_cache <<= drop;
        m_count -= drop;
    }
    size_t size_bits() const { return m_size * 8; }
    bool overrun() const { return m_pos > m_size * 8; }

private:
    // Tops the cache up to at least 57 bits; bytes past the end are zero.
    // Bits below the count may already hold the stream's next bits, which
    // the refill ORs in again unchanged.
    void refill()
    {
        if (m_next < m_size && m_size - m_next >= 8) {
            uint64_t word;
            memcpy(&word, m_data + m_next, 8);
            word = __builtin_bswap64(word);
            m_cache |= word >> m_count;
            const int bytes = (64 - m_count) >> 3;
            m_next += size_t(bytes);
            m_count += bytes * 8;
            return;
        }
        while (m_count <= 56) {
            const uint64_t byte = m_next < m_size ? m_data[m_next] : 0u;
            m_cache |= byte << (56 - m_count);
            ++m_next;
            m_count += 8;
        }
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos;   // bits consumed
    size_t m_next;  // next byte to load into the cache
    uint64_t m_cache;
    int m_count;    // valid bits at the top of the cache
};
