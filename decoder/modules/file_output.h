// "Output To File": writes the decoded PCM to a file or to standard output
// ("-"), raw or as a WAVE file (name prefix "wav:"). "raw:", "aiff:" and
// "sun:" write raw PCM.
#pragma once

#include "decoder/engine/decoder.h"

int file_output_module_register(output_module_ops* ops);
