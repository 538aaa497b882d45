// "Input From File": reads a stream from a file, or from standard input for
// the name "-", and publishes an MP3 file's ID3 version 1 tag as stream
// properties ("id3/title", ...).
#pragma once

#include "decoder/engine/decoder.h"

int file_input_module_register(input_module_ops* ops);
