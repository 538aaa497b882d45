// Bounded bit reader over a byte buffer, most significant bit first.
// The reader knows where its data ends: a read past the end yields zero
// bits and sets the overrun flag, so damaged frames never read outside
// their buffers; each decoding stage checks overrun() once.
#pragma once

#include <stddef.h>
#include <stdint.h>

class mpeg_bits
{
public:
    mpeg_bits() : m_data(nullptr), m_size_bits(0), m_pos(0), m_overrun(false) {}
    mpeg_bits(const uint8_t* data, size_t size_bytes) { reset(data, size_bytes); }

    void reset(const uint8_t* data, size_t size_bytes)
    {
        m_data = data;
        m_size_bits = size_bytes * 8;
        m_pos = 0;
        m_overrun = false;
    }

    // n from 0 to 32. Bits past the end read as 0 and set the overrun flag.
    uint32_t read(int n)
    {
        uint32_t value = 0;
        for (int left = n; left > 0;) {
            if (m_pos >= m_size_bits) {
                m_overrun = true;
                value = left >= 32 ? 0 : value << left;
                m_pos += static_cast<size_t>(left);
                break;
            }
            const size_t byte = m_pos >> 3;
            const int used = static_cast<int>(m_pos & 7);
            int take = 8 - used;
            if (take > left)
                take = left;
            const uint32_t bits = (static_cast<uint32_t>(m_data[byte]) >> (8 - used - take)) &
                                  ((1u << take) - 1u);
            value = (value << take) | bits;
            m_pos += static_cast<size_t>(take);
            left -= take;
        }
        return value;
    }

    uint32_t read_bit() { return read(1); }
    void skip(size_t n) { m_pos += n; if (m_pos > m_size_bits) m_overrun = true; }
    // Puts n bits back (never before the start).
    void unread(size_t n) { m_pos = n > m_pos ? 0 : m_pos - n; }

    size_t position() const { return m_pos; }
    void set_position(size_t bit) { m_pos = bit; if (m_pos > m_size_bits) m_overrun = true; }
    size_t size_bits() const { return m_size_bits; }
    size_t bits_left() const { return m_pos >= m_size_bits ? 0 : m_size_bits - m_pos; }
    bool overrun() const { return m_overrun || m_pos > m_size_bits; }

private:
    const uint8_t* m_data;
    size_t m_size_bits;
    size_t m_pos;
    bool m_overrun;
};
