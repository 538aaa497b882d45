#include "library/tags/FileNameParseCore.h"

#include <algorithm>
#include <vector>

namespace fnparse {

namespace {

constexpr size_t kMaxPiece = 127;
const size_t npos = std::string::npos;

// Index of the character after the one at i.
size_t Next(const std::string& s, size_t i, LeadByteTest lead)
{
    if (lead && i + 1 < s.size() && lead(static_cast<unsigned char>(s[i])))
        return i + 2;
    return i + 1;
}

// First single-byte character c at or after from (a character start).
size_t FindChar(const std::string& s, char c, size_t from, LeadByteTest lead)
{
    for (size_t i = from; i < s.size(); i = Next(s, i, lead)) {
        if (s[i] == c && Next(s, i, lead) == i + 1)
            return i;
    }
    return npos;
}

size_t FindLastChar(const std::string& s, char c, LeadByteTest lead)
{
    size_t found = npos;
    for (size_t i = 0; i < s.size(); i = Next(s, i, lead)) {
        if (s[i] == c && Next(s, i, lead) == i + 1)
            found = i;
    }
    return found;
}

// Character at position i of the mask, or NUL past its end.
char CharAt(const std::string& s, size_t i)
{
    return i < s.size() ? s[i] : '\0';
}

// First character that is not a blank from position from; NUL when none.
bool FirstNonBlank(const std::string& s, size_t from, char* found)
{
    for (size_t i = from; i < s.size(); ++i) {
        if (s[i] != ' ') {
            *found = s[i];
            return true;
        }
    }
    return false;
}

} // namespace

void ParsedFields::Put(char digit, const std::string& text)
{
    if (digit < '1' || digit > '5')
        return;
    const int index = digit - '1';
    set[index] = true;
    value[index] = text;
}

std::string TrimBlanks(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == npos)
        return std::string();
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string TitleFromPath(const std::string& path, LeadByteTest lead)
{
    const size_t dot = FindLastChar(path, '.', lead);
    if (dot == npos)
        return std::string();
    const std::string head = path.substr(0, dot);
    const size_t slash = FindLastChar(head, '\\', lead);
    return slash == npos ? head : head.substr(slash + 1);
}

std::string FilenameFromPath(const std::string& path, LeadByteTest lead)
{
    const size_t slash = FindLastChar(path, '\\', lead);
    return slash == npos ? path : path.substr(slash);
}

std::string FieldFromText(const std::string& text, char delimiter, bool last, LeadByteTest lead)
{
    if (last)
        return text;
    // Without the delimiter the field runs to the end of the text.
    const size_t at = FindChar(text, delimiter, 0, lead);
    return at == npos ? text : text.substr(0, at);
}

bool ParseByDelimiter(const std::string& mask, char delimiter, const std::string& title,
                      ParsedFields* out, LeadByteTest lead)
{
    struct Slot
    {
        size_t position;
        char digit;
    };
    std::vector<Slot> slots;
    for (char digit = '1'; digit <= '5'; ++digit) {
        for (size_t i = 0; i < mask.size(); i = Next(mask, i, lead)) {
            if (mask[i] == '%' && CharAt(mask, i + 1) == digit) {
                slots.push_back({i, digit});
                break;
            }
        }
    }
    if (slots.empty())
        return false;
    std::stable_sort(slots.begin(), slots.end(),
                     [](const Slot& a, const Slot& b) { return a.position < b.position; });

    const std::string text = TrimBlanks(title);
    size_t at = 0;
    bool overflow = false;
    for (const Slot& slot : slots) {
        std::string piece;
        if (!overflow && at < text.size()) {
            size_t end = FindChar(text, delimiter, at, lead);
            if (end == npos)
                end = text.size();
            // Cut at 127 characters; a longer piece leaves nothing for the rest.
            size_t i = at;
            size_t count = 0;
            while (i < end && count < kMaxPiece) {
                i = Next(text, i, lead);
                ++count;
            }
            piece = text.substr(at, std::min(i, end) - at);
            if (i < end)
                overflow = true;
            at = end < text.size() ? end + 1 : end;
        }
        if (out)
            out->Put(slot.digit, piece);
    }
    return true;
}

void ParseByMaskWalk(const std::string& mask, const std::string& title, ParsedFields* out,
                     LeadByteTest lead)
{
    const size_t percents = static_cast<size_t>(std::count(mask.begin(), mask.end(), '%'));
    std::string rest = title;
    bool last = false;
    char delimiter = '\0';
    for (size_t i = 0; i < mask.size(); i = Next(mask, i, lead)) {
        if (mask[i] == '%') {
            const char digit = CharAt(mask, i + 1);
            if (i + 2 >= mask.size() || !FirstNonBlank(mask, i + 2, &delimiter))
                last = true;
            if (digit >= '1' && digit <= '5') {
                const std::string value = FieldFromText(rest, delimiter, last, lead);
                if (out)
                    out->Put(digit, value);
                // Drop the field and the character that ended it.
                size_t drop = value.size();
                drop = drop < rest.size() ? Next(rest, drop, lead) : rest.size();
                rest.erase(0, std::min(drop, rest.size()));
            }
        }
        if (percents == 1)
            break;
    }
}

bool ParseByFivePasses(const std::string& mask, const std::string& title, ParsedFields* out,
                       LeadByteTest lead)
{
    const std::string text = TrimBlanks(title);
    if (FindChar(mask, '%', 0, lead) == npos)
        return false;
    size_t maskAt = 0;
    size_t textAt = 0;
    for (int pass = 0; pass < 5; ++pass) {
        const size_t percent = maskAt < mask.size() ? FindChar(mask, '%', maskAt, lead) : npos;
        if (percent == npos)
            continue;
        maskAt = percent + 1;
        const char digit = CharAt(mask, percent + 1);
        char delimiter = '\0';
        FirstNonBlank(mask, percent + 2, &delimiter);

        // NUL stands for the end of the title.
        size_t found = npos;
        if (textAt < text.size())
            found = delimiter == '\0' ? text.size() : FindChar(text, delimiter, textAt, lead);
        std::string value;
        if (found == npos) {
            textAt = 0;
        } else {
            value = text.substr(textAt, found - textAt);
            textAt = found + 1;
        }
        if (out)
            out->Put(digit, value);
    }
    return true;
}

} // namespace fnparse
