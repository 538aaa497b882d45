// "Win32 Sound Driver Interface": plays the decoded PCM on a waveOut
// device through a ring of 48 buffers. "/dev/wave/0" (or an empty name) is
// the wave mapper, "/dev/wave/N" waveOut device N - 1.
#pragma once

#include "decoder/engine/decoder.h"

enum { WAVEOUT_BUFFER_COUNT = 48, WAVEOUT_CAPABILITIES = 0x7FFFFF };

int waveout_output_module_register(output_module_ops* ops);

// The volume word for a PCM level (0-100) and balance (0.0-1.0): low 16
// bits left, high 16 bits right.
uint32_t waveout_volume_word(int pcm_level, float balance);
