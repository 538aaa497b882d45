// A bounded reader of ID3v2.3 and ID3v2.4 tags: it walks the frames of a
// tag held in memory and gives their contents, with every size taken from
// the tag checked before anything is allocated or inflated. Pure code (no
// Windows header); the tag readers of the library use it for ID3v2.4 tags
// and for any tag that holds a frame out of bounds (docs/tags.md).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace id3v2 {

// The largest content the reader gives for a frame: pictures (APIC) up to
// kPictureLimit, every other frame up to kFrameLimit. A frame whose content
// (inflated, for a compressed frame) would be larger is skipped.
constexpr uint32_t kFrameLimit = 64 * 1024;
constexpr uint32_t kPictureLimit = 16 * 1024 * 1024;
// The most bytes of a tag that the readers take from a file.
constexpr uint32_t kTagReadLimit = 32 * 1024 * 1024;
constexpr size_t kHeaderSize = 10;

struct TagHeader
{
    int major = 0;     // 2, 3 or 4
    int revision = 0;
    uint8_t flags = 0;
    uint32_t bodySize = 0;  // bytes after the header, footer excluded
    uint32_t totalSize = 0; // header, body and footer
};

// The header at the start of bytes (at least kHeaderSize of them): false
// when they do not begin an ID3v2 tag (wrong mark, size bytes not
// synchsafe, an unknown major version).
bool ReadHeader(const uint8_t* bytes, size_t count, TagHeader* header);

// The largest content allowed for a frame of this identifier.
uint32_t ContentLimit(const char* id);

struct FrameRef
{
    char id[5] = {};
    uint16_t flags = 0;
    size_t offset = 0;        // of the frame's data in the body, after the extra header bytes
    size_t size = 0;          // stored bytes of data
    uint32_t declaredSize = 0; // inflated size or data length indicator, 0 when none
    bool compressed = false;
    bool unsynchronised = false;
};

class Tag
{
public:
    // Walks a whole tag (header included) held in count bytes; count may be
    // less than the tag's size (a file cut short, or the read limit), and
    // the frames that lie past it are lost. False when bytes hold no ID3v2.3
    // or ID3v2.4 tag.
    bool Parse(const uint8_t* bytes, size_t count);

    const TagHeader& Header() const { return m_header; }
    const std::vector<FrameRef>& Frames() const { return m_frames; }
    // Frames left out because a size in the tag was out of bounds: larger
    // than the tag, larger than its limit (inflated), or an encrypted frame.
    int Skipped() const { return m_skipped; }
    // The walk stopped before the end of the tag at bytes that are neither
    // a frame nor padding.
    bool Damaged() const { return m_damaged; }

    // The first frame with the identifier that can be read, or nullptr.
    const FrameRef* Find(const char* id) const;

    // The frame's content: unsynchronisation undone, inflated when
    // compressed, never more than its limit. False (out emptied) when the
    // content cannot be had within the limit.
    bool Content(const FrameRef& frame, std::vector<uint8_t>* out) const;

private:
    void Walk();
    TagHeader m_header;
    std::vector<uint8_t> m_body; // tag-wide unsynchronisation of ID3v2.3 undone
    std::vector<FrameRef> m_frames;
    int m_skipped = 0;
    bool m_damaged = false;
};

// Text encodings of ID3v2 text fields.
enum Encoding : uint8_t { kLatin1 = 0, kUtf16 = 1, kUtf16BE = 2, kUtf8 = 3 };

// A text of a frame: Latin-1 bytes, or UTF-16 code units for the three
// Unicode encodings.
struct Text
{
    bool unicode = false;
    std::string bytes;
    std::u16string units;
};

// The first string held in count bytes in the given encoding, cut to
// maxChars characters (code units). *used receives the bytes it took with
// its terminator, so that a following string can be read.
Text DecodeString(uint8_t encoding, const uint8_t* bytes, size_t count, size_t maxChars,
                  size_t* used = nullptr);

// A text frame (T...): its encoding byte, then the first of its strings.
// False for content without an encoding byte.
bool TextOfFrame(const std::vector<uint8_t>& content, size_t maxChars, Text* text);

// A comment frame (COMM): encoding, language, description, text; gives the text.
bool CommentOfFrame(const std::vector<uint8_t>& content, size_t maxChars, Text* text);

// A play counter frame (PCNT): its count, kept at UINT32_MAX when larger.
bool CounterOfFrame(const std::vector<uint8_t>& content, uint32_t* count);

struct Picture
{
    std::string mimeType;
    uint8_t pictureType = 0;
    Text description;
    std::vector<uint8_t> data;
};

// An attached picture frame (APIC) of an ID3v2.3 or ID3v2.4 tag.
bool PictureOfFrame(const std::vector<uint8_t>& content, Picture* picture);

} // namespace id3v2
