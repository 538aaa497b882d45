// The layer decoders the frame driver calls. Each decodes one frame into
// the output stage configured for it (mpeg_frame.h) and returns 0 or
// DK_ERR_INVALID_FRAME (-700) for a damaged frame.
#pragma once

#include "decoder/mpeg/mpeg_frame.h"
#include "decoder/mpeg/mpeg_synth.h"

int mpeg_layer1_decode(const mpeg_frame& frame, mpeg_output& out);
int mpeg_layer2_decode(const mpeg_frame& frame, mpeg_output& out);

// Layer III keeps state between frames (overlap, reservoir use); it lives
// in layer3*.cpp and supplies these four functions.
struct mpeg_layer3_state;
mpeg_layer3_state* mpeg_layer3_new();   // nullptr when memory runs out
void mpeg_layer3_delete(mpeg_layer3_state* state);
// Clears the overlap memory and spectral state (open, seek, resync).
void mpeg_layer3_reset(mpeg_layer3_state* state);
int mpeg_layer3_decode(mpeg_layer3_state* state, const mpeg_frame& frame, mpeg_output& out);
