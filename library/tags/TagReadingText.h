// Text rules of the tag readers that need no tag library: the genre
// reference "(n)", the tempo text and the bounded reading of a frame's
// text bytes. Pure code (no Windows header).
#pragma once

#include <cstddef>
#include <string>

namespace tagtext {

// A genre text that begins with a reference "(n)" (blanks before it and a
// sign allowed) gives true and n; any other text is a name and gives false.
bool GenreReference(const std::string& text, long* number);

// The library's five-digit form of a tempo text, the tempo times 100
// ("120" gives "12000", "98.5" gives "09850", "128.50" gives "12850");
// whole receives the tempo's whole part. A text without a number gives
// "00000" and 0.
std::string NormaliseTempo(const std::string& text, int* whole);

// A single-byte text held in byteCount bytes: it ends before the first zero
// byte or at byteCount, and is cut to maxChars characters. Nothing past
// byteCount is read.
std::string BoundedText(const char* bytes, size_t byteCount, size_t maxChars);

// The UTF-16 code units of a text held big-endian in byteCount bytes: it
// ends before the first zero unit or at the last whole pair of bytes, and is
// cut to maxUnits units without leaving half of a surrogate pair at the
// end. Nothing past byteCount is read.
std::u16string BigEndianUtf16(const unsigned char* bytes, size_t byteCount, size_t maxUnits);

// A text fit for a record and the library file: CR, LF and TAB become a
// blank, every other byte below 0x20 is dropped. True when it changed.
bool RemoveControlChars(std::string& text);

} // namespace tagtext
