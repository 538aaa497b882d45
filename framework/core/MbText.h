// Character-wise helpers for text in the current multibyte code page: a
// double-byte character's trail byte is never taken for a character of its
// own. Native builds treat every byte as one character.
#pragma once

#include <cstddef>

namespace mbtext {

// Byte length of the character starting at p (1 or 2; 0 at the terminator).
std::size_t CharLength(const char* p);
// First byte offset of ch at or after start, or -1.
int FindChar(const char* text, char ch, int start);
// Byte offset of the last ch, or -1.
int ReverseFindChar(const char* text, char ch);
// First byte offset of sub at or after start, or -1.
int FindText(const char* text, const char* sub, int start);
// First byte offset of any character of set, or -1.
int FindOneOf(const char* text, const char* set);
// Length of the leading run of characters that are (or are not) in set.
std::size_t SpanIn(const char* text, const char* set);
std::size_t SpanNotIn(const char* text, const char* set);
// Case-blind comparison under the current code page (<0, 0, >0).
int CompareNoCase(const char* a, const char* b);
// Case conversion in place under the current code page.
void ToLower(char* text);
void ToUpper(char* text);

} // namespace mbtext
