#include "library/tags/TagReadingText.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace tagtext {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool GenreReference(const std::string& text, long* number)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i >= text.size() || text[i] != '(')
        return false;
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const size_t digits = i;
    long value = 0;
    while (i < text.size() && IsDigit(text[i])) {
        // Anything this large is outside the list anyway; stop it growing.
        if (value < 100000)
            value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digits || i >= text.size() || text[i] != ')')
        return false;
    if (number)
        *number = negative ? -value : value;
    return true;
}

std::string NormaliseTempo(const std::string& text, int* whole)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    long wholePart = 0;
    bool any = false;
    while (i < text.size() && IsDigit(text[i])) {
        if (wholePart < 1000000)
            wholePart = wholePart * 10 + (text[i] - '0');
        any = true;
        ++i;
    }
    // Hundredths from the first two decimals, rounded by the third.
    long hundredths = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        int place = 0;
        while (i < text.size() && IsDigit(text[i])) {
            int d = text[i] - '0';
            if (place == 0)
                hundredths += d * 10;
            else if (place == 1)
                hundredths += d;
            else if (place == 2 && d >= 5)
                hundredths += 1;
            ++place;
            any = true;
            ++i;
        }
    }
    if (!any) {
        if (whole)
            *whole = 0;
        return "00000";
    }
    long scaled = wholePart * 100 + hundredths;
    if (whole)
        *whole = static_cast<int>(wholePart);
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%05ld", scaled);
    return buffer;
}

std::string BoundedText(const char* bytes, size_t byteCount, size_t maxChars)
{
    if (!bytes)
        return std::string();
    const void* zero = std::memchr(bytes, 0, byteCount);
    size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - bytes) : byteCount;
    if (length > maxChars)
        length = maxChars;
    return std::string(bytes, length);
}

std::u16string BigEndianUtf16(const unsigned char* bytes, size_t byteCount, size_t maxUnits)
{
    std::u16string units;
    if (!bytes)
        return units;
    const size_t pairs = byteCount / 2;
    for (size_t i = 0; i < pairs; ++i) {
        const char16_t unit = static_cast<char16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
        if (unit == 0)
            break;
        if (units.size() == maxUnits) {
            // A cut between the halves of a pair would leave a stray half.
            if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF)
                units.pop_back();
            break;
        }
        units.push_back(unit);
    }
    return units;
}

bool RemoveControlChars(std::string& text)
{
    size_t out = 0;
    bool changed = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20) {
            text[out++] = text[i];
        } else if (c == '\r' || c == '\n' || c == '\t') {
            text[out++] = ' ';
            changed = true;
        } else {
            changed = true;
        }
    }
    text.resize(out);
    return changed;
}

} // namespace tagtext
