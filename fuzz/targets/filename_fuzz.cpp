// The file-name mask parsers over any mask and title, as an import cuts a
// file's title into fields, with and without double-byte characters. The
// first byte picks the code page (odd: 932) and the delimiter, the second
// the mask's length; the mask follows, then the path.
#include "fuzz/FuzzCheck.h"
#include "library/tags/FileNameParseCore.h"

#include <string>

namespace {

bool ShiftJisLead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Every field written is a piece of the title (the parsers cut, they do
// not invent).
void CheckFields(const fnparse::ParsedFields& fields, const std::string& title)
{
    for (int i = 0; i < fnparse::kFieldCount; ++i) {
        if (!fields.set[i])
            continue;
        FUZZ_CHECK(fields.value[i].size() <= title.size(), "field %d is longer than the title", i);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzParts parts;
    if (!FuzzParts::Split(data, size, &parts))
        return 0;
    const fnparse::LeadByteTest lead = (parts.choice & 1) ? ShiftJisLead : nullptr;
    const char delimiters[] = {'-', '_', ' ', '.', ',', '~', '\\', '%'};
    const char delimiter = delimiters[(parts.choice >> 1) & 7];
    const std::string& mask = parts.head;
    const std::string& path = parts.rest;

    const std::string title = fnparse::TitleFromPath(path, lead);
    FUZZ_CHECK(title.size() <= path.size(), "the title is longer than the path");
    FUZZ_CHECK(fnparse::FilenameFromPath(path, lead).size() <= path.size(),
               "the file name is longer than the path");
    fnparse::FieldFromText(title, delimiter, false, lead);
    fnparse::FieldFromText(title, delimiter, true, lead);
    fnparse::TrimBlanks(title);

    fnparse::ParsedFields byDelimiter;
    fnparse::ParseByDelimiter(mask, delimiter, title, &byDelimiter, lead);
    CheckFields(byDelimiter, title);
    fnparse::ParsedFields byWalk;
    fnparse::ParseByMaskWalk(mask, title, &byWalk, lead);
    CheckFields(byWalk, title);
    fnparse::ParsedFields byPasses;
    fnparse::ParseByFivePasses(mask, title, &byPasses, lead);
    CheckFields(byPasses, title);
    return 0;
}
