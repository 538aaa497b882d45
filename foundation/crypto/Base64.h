// The program's Base64 encoder (RFC 4648: standard alphabet, '=' padding).
// Portable: the string class's core needs no window code.
#pragma once

#include "framework/core/CString.h"

CString Base64Encode(const unsigned char* data, unsigned int length);
