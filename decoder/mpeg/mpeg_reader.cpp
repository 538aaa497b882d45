// Frame reading state machine over a byte source.
#include "decoder/mpeg/mpeg_reader.h"

#include <string.h>

#include "decoder/engine/decoder_errors.h"

mpeg_reader::mpeg_reader()
{
    reset();
}

void mpeg_reader::reset()
{
    m_state = 0;
    m_synced = false;
    m_saved = false;
    m_saved_word = 0;
    m_word = 0;
    m_word_bytes = 0;
    m_header_word = 0;
    memset(&m_header, 0, sizeof(m_header));
    m_frame_size = 0;
    m_crc_size = 0;
    m_body_size = 0;
    m_main_size = 0;
    m_main_start = 0;
    m_reservoir_used = 0;
}

// Slides the search window until it holds a sync word with a valid header.
int mpeg_reader::find_header(mpeg_read_function read, void* context)
{
    for (;;) {
        while (m_word_bytes < 4) {
            uint8_t byte;
            const int r = read(context, &byte, 1);
            if (r < 0)
                return r;
            m_word = (m_word << 8) | byte;
            ++m_word_bytes;
        }
        if (mpeg_is_sync(m_word)) {
            mpeg_header_unpack(m_word, &m_header);
            if (mpeg_header_check(&m_header) == 0) {
                m_header_word = m_word;
                m_word_bytes = 0;
                return 0;
            }
        }
        // Not a header here: move on by one byte.
        m_synced = false;
        --m_word_bytes;
    }
}

int mpeg_reader::read_body(mpeg_read_function read, void* context)
{
    int r = read(context, m_linear, m_crc_size + m_body_size);
    if (r < 0)
        return r;
    if (r > 0) // a short read: the rest of the frame reads as zeros
        memset(m_linear + r, 0, static_cast<size_t>(m_crc_size + m_body_size - r));
    return 0;
}

void mpeg_reader::append_reservoir_start()
{
    // Keep at most RESERVOIR_HOLD bytes of earlier frames, contiguous with
    // the new frame's main data.
    if (m_reservoir_used + m_main_size > RESERVOIR_SIZE || m_reservoir_used > RESERVOIR_HOLD) {
        const int keep = m_reservoir_used > RESERVOIR_HOLD ? RESERVOIR_HOLD : m_reservoir_used;
        memmove(m_reservoir, m_reservoir + m_reservoir_used - keep, static_cast<size_t>(keep));
        m_reservoir_used = keep;
    }
    m_main_start = m_reservoir_used;
}

int mpeg_reader::next_frame(mpeg_read_function read, void* context, mpeg_frame* frame)
{
    for (;;) {
        if (m_state == 0) {
            if (m_saved) {
                m_header_word = m_saved_word;
                mpeg_header_unpack(m_header_word, &m_header);
                m_saved = false;
            } else {
                const int r = find_header(read, context);
                if (r < 0)
                    return r;
            }
            m_frame_size = mpeg_frame_size(m_header);
            m_crc_size = mpeg_has_crc(m_header) ? 2 : 0;
            if (m_header.layer == 1) {
                m_body_size = mpeg_side_info_size(m_header);
                m_main_size = m_frame_size - 4 - m_crc_size - m_body_size;
                if (m_main_size < 0)
                    m_main_size = 0;
            } else {
                m_body_size = m_frame_size - 4 - m_crc_size;
                m_main_size = 0;
            }
            if (m_body_size < 0 || m_crc_size + m_body_size > LINEAR_SIZE) {
                m_synced = false; // cannot be a frame of ours
                continue;
            }
            m_state = 1;
        }
        if (m_state == 1) {
            const int r = read_body(read, context);
            if (r < 0)
                return r;
            m_state = 2;
            if (m_header.layer == 1)
                append_reservoir_start();
        }
        if (m_state == 2) {
            if (m_main_size > 0) {
                const int r = read(context, m_reservoir + m_main_start, m_main_size);
                if (r < 0)
                    return r;
                if (r > 0)
                    memset(m_reservoir + m_main_start + r, 0, static_cast<size_t>(m_main_size - r));
            }
            if (m_header.layer == 1)
                m_reservoir_used = m_main_start + m_main_size;
            m_state = 4;
        }
        if (m_state == 4) {
            if (!m_synced) {
                uint8_t next[4];
                const int r = read(context, next, 4);
                if (r == DK_ERR_END_OF_INPUT || r > 0) {
                    // The input ends after this frame: decode it as the last.
                    m_state = 0;
                } else if (r < 0) {
                    return r; // read the 4 bytes again next time
                } else {
                    const uint32_t word = mpeg_read_u32_be(next);
                    mpeg_frame_header h;
                    mpeg_header_unpack(word, &h);
                    m_state = 0;
                    if (!mpeg_is_sync(word) || mpeg_header_check(&h) != 0) {
                        // A false header: search on from these bytes.
                        m_word = word;
                        m_word_bytes = 4;
                        --m_word_bytes;
                        continue;
                    }
                    m_saved_word = word;
                    m_saved = true;
                    m_synced = true;
                }
            } else {
                m_state = 0;
            }
        }

        frame->header = m_header;
        frame->header_word = m_header_word;
        frame->body = m_linear + m_crc_size;
        frame->body_size = m_body_size;
        if (m_header.layer == 1) {
            frame->main_data = m_reservoir + m_main_start;
            frame->main_data_size = m_main_size;
            frame->reservoir_before = m_main_start;
        } else {
            frame->main_data = nullptr;
            frame->main_data_size = 0;
            frame->reservoir_before = 0;
        }
        return 0;
    }
}
