// The engine's own modules: each register function fills an empty table of
// its kind (decoder/engine/decoder.h) and returns 0, like the entry point of a
// module library.
#pragma once

#include "decoder/engine/decoder.h"
#include "decoder/modules/file_input.h"
#include "decoder/modules/file_output.h"
#include "decoder/modules/wave_codec.h"

// "MPEG Audio Codec" (decoder/mpeg): MPEG-1/2/2.5 layers I, II and III.
// Register it before the WAVE codec: it accepts every stream, and the
// newest codec is probed first.
int mpeg_codec_module_register(codec_module_ops* ops);
