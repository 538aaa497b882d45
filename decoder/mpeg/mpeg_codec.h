// The built-in "MPEG Audio Codec" module: MPEG-1 and MPEG-2 audio, layers I
// to III (and MPEG-2.5 layer III), decoded into 16-bit PCM.
#pragma once

#include "decoder/engine/decoder.h"

// Fills a codec table ready for decoder_codec_module_register. Returns 0.
int mpeg_codec_module_register(codec_module_ops* ops);
