// The ID3 tag path of an import over any file head, id3lib included (built
// from the same source as the program's): the tag linked with every tag
// type, and each frame the library's tag readers take (title, the artist
// frames in their order, album, genre, year, comment, play counter, tempo,
// encoder, song length, picture) read as they read it, through the raw
// text bytes within the field's size. An exception from id3lib is what the
// readers catch; a crash or a read out of bounds is a finding.
#include "fuzz/FuzzCheck.h"
#include "library/tags/TagReadingText.h"

#include <id3/readers.h>
#include <id3/tag.h>

#include <cstdint>
#include <string>

namespace {

constexpr size_t kTextMax = 1024;

// A frame's text as the readers take it: UTF-16 from the raw units, any
// other encoding from the raw bytes, never past the field's size.
std::string FieldText(const ID3_Frame* frame, size_t maxChars, ID3_FieldID id = ID3FN_TEXT)
{
    const ID3_Field* field = frame ? frame->GetField(id) : nullptr;
    if (!field)
        return std::string();
    const size_t bytes = field->Size();
    const ID3_TextEnc enc = field->GetEncoding();
    if (enc == ID3TE_UTF16 || enc == ID3TE_UTF16BE) {
        const unicode_t* raw = field->GetRawUnicodeText();
        if (!raw)
            return std::string();
        const std::u16string units =
            tagtext::BigEndianUtf16(reinterpret_cast<const unsigned char*>(raw), bytes, maxChars);
        FUZZ_CHECK(units.size() <= maxChars && units.size() * 2 <= bytes,
                   "%zu units from %zu bytes", units.size(), bytes);
        return std::string(units.size(), '?');
    }
    const std::string text = tagtext::BoundedText(field->GetRawText(), bytes, maxChars);
    FUZZ_CHECK(text.size() <= bytes && text.size() <= maxChars, "%zu characters from %zu bytes",
               text.size(), bytes);
    return text;
}

void ReadTag(const uint8_t* data, size_t size)
{
    ID3_MemoryReader reader(data, size);
    ID3_Tag tag;
    tag.Link(reader, ID3TT_ALL);
    tag.Find(ID3FID_PICTURE);
    FieldText(tag.Find(ID3FID_TITLE), kTextMax);
    for (ID3_FrameID id : {ID3FID_LEADARTIST, ID3FID_BAND, ID3FID_CONDUCTOR, ID3FID_COMPOSER,
                           ID3FID_ORIGARTIST}) {
        FieldText(tag.Find(id), kTextMax);
    }
    FieldText(tag.Find(ID3FID_ALBUM), kTextMax);
    long genre = 0;
    tagtext::GenreReference(FieldText(tag.Find(ID3FID_CONTENTTYPE), kTextMax), &genre);
    FieldText(tag.Find(ID3FID_YEAR), kTextMax);
    FieldText(tag.Find(ID3FID_COMMENT), kTextMax);
    if (const ID3_Frame* counter = tag.Find(ID3FID_PLAYCOUNTER))
        if (const ID3_Field* count = counter->GetField(ID3FN_COUNTER))
            count->Get();
    int whole = 0;
    const std::string tempo = tagtext::NormaliseTempo(FieldText(tag.Find(ID3FID_BPM), 32), &whole);
    FUZZ_CHECK(tempo.size() >= 5 && tempo.find_first_not_of("0123456789") == std::string::npos &&
                   whole >= 0,
               "tempo text [%s], whole %d", tempo.c_str(), whole);
    FieldText(tag.Find(ID3FID_ENCODEDBY), 256);
    FieldText(tag.Find(ID3FID_SONGLEN), 32);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        ReadTag(data, size);
    } catch (...) {
        // The readers catch what id3lib throws and report the file.
    }
    return 0;
}
