// The bounded ID3v2 reader over any bytes, as the tag readers hand it the
// start of an MP3 file: the frame walk, every frame's content, the texts,
// counters and pictures taken from them. No content may exceed its
// frame's limit, and the texts that reach a record hold no control
// characters.
#include "fuzz/FuzzCheck.h"
#include "library/tags/Id3v2Tag.h"
#include "library/tags/TagFields.h"
#include "library/tags/TagReadingText.h"

#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    id3v2::Tag tag;
    if (!tag.Parse(data, size))
        return 0;
    FUZZ_CHECK(tag.Header().major == 3 || tag.Header().major == 4, "major %d", tag.Header().major);
    std::vector<uint8_t> content;
    for (const id3v2::FrameRef& frame : tag.Frames()) {
        if (!tag.Content(frame, &content)) {
            FUZZ_CHECK(content.empty(), "failed content of %s kept %zu bytes", frame.id, content.size());
            continue;
        }
        FUZZ_CHECK(content.size() <= id3v2::ContentLimit(frame.id), "%s gave %zu bytes", frame.id,
                   content.size());
        id3v2::Text text;
        if (id3v2::TextOfFrame(content, 64, &text))
            FUZZ_CHECK((text.unicode ? text.units.size() : text.bytes.size()) <= 64, "text too long");
        id3v2::CommentOfFrame(content, 64, &text);
        uint32_t count = 0;
        id3v2::CounterOfFrame(content, &count);
        id3v2::Picture picture;
        if (id3v2::PictureOfFrame(content, &picture))
            FUZZ_CHECK(picture.data.size() < content.size(), "picture larger than its frame");
    }
    tagfields::TagFields fields;
    tagfields::FromTag(tag, &fields);
    for (const tagfields::Field& field : fields.fields) {
        std::string bytes = field.text.bytes;
        tagtext::RemoveControlChars(bytes);
        for (char c : bytes)
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20, "control byte %d left", c);
    }
    return 0;
}
