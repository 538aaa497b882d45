#include "foundation/crypto/Base64.h"

#include <string>

namespace {
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

CString Base64Encode(const unsigned char* data, unsigned int length)
{
    std::string text;
    text.reserve((length + 2) / 3 * 4);
    unsigned int i = 0;
    for (; i + 3 <= length; i += 3) {
        unsigned int group = (unsigned(data[i]) << 16) | (unsigned(data[i + 1]) << 8) | data[i + 2];
        text += kAlphabet[(group >> 18) & 0x3F];
        text += kAlphabet[(group >> 12) & 0x3F];
        text += kAlphabet[(group >> 6) & 0x3F];
        text += kAlphabet[group & 0x3F];
    }

    // A last group of one or two bytes, completed with zero bytes.
    unsigned int left = length - i;
    if (left > 0) {
        unsigned int group = unsigned(data[i]) << 16;
        if (left == 2)
            group |= unsigned(data[i + 1]) << 8;
        text += kAlphabet[(group >> 18) & 0x3F];
        text += kAlphabet[(group >> 12) & 0x3F];
        text += left == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=';
        text += '=';
    }
    return CString(text);
}
