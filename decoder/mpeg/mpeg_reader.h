// Synchronisation and frame reading: finds frame headers in a byte source,
// reads each frame body (layer III main data into the bit reservoir) and
// hands complete frames out as mpeg_frame records. The reader is a small
// state machine, so a source that answers "no data yet" (-104) can be
// called again and reading resumes where it stopped.
#pragma once

#include <stdint.h>

#include "decoder/mpeg/mpeg_frame.h"

// Fills buffer with count bytes: 0 when all came, the number delivered
// when fewer came, -514 at the end with nothing delivered, or an error.
typedef int (*mpeg_read_function)(void* context, void* buffer, int count);

class mpeg_reader
{
public:
    mpeg_reader();

    // Forgets the stream: not synchronised, no saved header, reservoir
    // empty.
    void reset();

    // Reads the next frame. 0 with frame filled (valid until the next
    // call); -514 at the end of the input, -104 when the input has no data
    // yet (call again), or the input's error. Lost sync and false headers
    // are absorbed: a frame is taken only when its header is valid and,
    // after any lost sync, the next header where its length says is valid
    // too (or the input ends there).
    int next_frame(mpeg_read_function read, void* context, mpeg_frame* frame);

    bool synchronised() const { return m_synced; }

private:
    enum { LINEAR_SIZE = 2048, RESERVOIR_HOLD = 4096, RESERVOIR_SIZE = 8192 };

    int find_header(mpeg_read_function read, void* context);
    int read_body(mpeg_read_function read, void* context);
    void append_reservoir_start();

    int m_state;          // 0 header, 1 body, 2 layer III main data, 4 check next header
    bool m_synced;
    bool m_saved;         // m_saved_word is the next frame's checked header
    uint32_t m_saved_word;
    uint32_t m_word;      // search window
    int m_word_bytes;     // bytes in the search window
    uint32_t m_header_word;
    mpeg_frame_header m_header;
    int m_frame_size;
    int m_crc_size;
    int m_body_size;      // bytes read into the linear buffer after header and CRC
    int m_main_size;      // layer III main data bytes of this frame
    int m_main_start;     // reservoir offset of this frame's main data
    uint8_t m_linear[LINEAR_SIZE];
    uint8_t m_reservoir[RESERVOIR_SIZE];
    int m_reservoir_used;
};
