// "WAVE Audio Codec": RIFF WAVE streams of 8-bit unsigned or 16-bit signed
// PCM, mono or stereo, into 16-bit PCM blocks.
#pragma once

#include "decoder/engine/decoder.h"

int wave_codec_module_register(codec_module_ops* ops);
