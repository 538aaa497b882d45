#include "library/tags/Id3v2Tag.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace id3v2 {

namespace {

// Tag header flags.
constexpr uint8_t kTagUnsync = 0x80;
constexpr uint8_t kTagExtended = 0x40;
constexpr uint8_t kTagFooter = 0x10; // ID3v2.4

// Frame flags of ID3v2.3 (second flag byte).
constexpr uint16_t kV3Compressed = 0x0080;
constexpr uint16_t kV3Encrypted = 0x0040;
constexpr uint16_t kV3Grouped = 0x0020;
// Frame flags of ID3v2.4 (second flag byte).
constexpr uint16_t kV4Grouped = 0x0040;
constexpr uint16_t kV4Compressed = 0x0008;
constexpr uint16_t kV4Encrypted = 0x0004;
constexpr uint16_t kV4Unsync = 0x0002;
constexpr uint16_t kV4DataLength = 0x0001;

constexpr size_t kFrameHeaderSize = 10;

uint32_t BigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

bool IsSynchsafe(const uint8_t* p)
{
    return ((p[0] | p[1] | p[2] | p[3]) & 0x80) == 0;
}

uint32_t Synchsafe32(const uint8_t* p)
{
    return uint32_t(p[0] & 0x7F) << 21 | uint32_t(p[1] & 0x7F) << 14 | uint32_t(p[2] & 0x7F) << 7 |
           (p[3] & 0x7F);
}

bool IsIdChar(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsFrameId(const uint8_t* p)
{
    return IsIdChar(p[0]) && IsIdChar(p[1]) && IsIdChar(p[2]) && IsIdChar(p[3]);
}

// Undoes unsynchronisation: every 0xFF 0x00 becomes 0xFF.
void Resync(const uint8_t* bytes, size_t count, std::vector<uint8_t>* out)
{
    out->clear();
    out->reserve(count);
    for (size_t i = 0; i < count; ++i) {
        out->push_back(bytes[i]);
        if (bytes[i] == 0xFF && i + 1 < count && bytes[i + 1] == 0x00)
            ++i;
    }
}

// Inflates a zlib stream into out, never past limit bytes: false when the
// stream is damaged or its output would exceed the limit.
bool BoundedInflate(const uint8_t* bytes, size_t count, uint32_t expected, uint32_t limit,
                    std::vector<uint8_t>* out)
{
    out->clear();
    z_stream stream = {};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = const_cast<Bytef*>(bytes);
    stream.avail_in = static_cast<uInt>(std::min<size_t>(count, UINT32_MAX));
    // Start with the size the frame declares (already checked against the
    // limit) and grow only when it lied, up to the limit and one byte more
    // to notice a stream that goes past it.
    size_t capacity = expected > 0 ? expected : std::min<size_t>(limit, 64 * 1024);
    bool ok = false;
    for (;;) {
        capacity = std::min<size_t>(capacity, size_t(limit) + 1);
        const size_t done = out->size();
        out->resize(capacity);
        stream.next_out = out->data() + done;
        stream.avail_out = static_cast<uInt>(capacity - done);
        const int result = inflate(&stream, Z_NO_FLUSH);
        out->resize(capacity - stream.avail_out);
        if (result == Z_STREAM_END) {
            ok = out->size() <= limit;
            break;
        }
        if (result != Z_OK && result != Z_BUF_ERROR)
            break;
        if (out->size() > limit)
            break;
        if (stream.avail_out != 0) // input ended before the stream did
            break;
        capacity *= 2;
    }
    inflateEnd(&stream);
    if (!ok)
        out->clear();
    return ok;
}

} // namespace

bool ReadHeader(const uint8_t* bytes, size_t count, TagHeader* header)
{
    if (!bytes || count < kHeaderSize || std::memcmp(bytes, "ID3", 3) != 0)
        return false;
    if (bytes[3] < 2 || bytes[3] > 4 || bytes[4] == 0xFF || !IsSynchsafe(bytes + 6))
        return false;
    header->major = bytes[3];
    header->revision = bytes[4];
    header->flags = bytes[5];
    header->bodySize = Synchsafe32(bytes + 6);
    header->totalSize = uint32_t(kHeaderSize) + header->bodySize;
    if (header->major == 4 && (header->flags & kTagFooter))
        header->totalSize += uint32_t(kHeaderSize);
    return true;
}

uint32_t ContentLimit(const char* id)
{
    return std::strcmp(id, "APIC") == 0 ? kPictureLimit : kFrameLimit;
}

bool Tag::Parse(const uint8_t* bytes, size_t count)
{
    m_header = TagHeader();
    m_body.clear();
    m_frames.clear();
    m_skipped = 0;
    m_damaged = false;
    TagHeader header;
    if (!ReadHeader(bytes, count, &header) || header.major < 3)
        return false;
    m_header = header;
    const size_t bodyBytes = std::min<size_t>(header.bodySize, count - kHeaderSize);
    const uint8_t* body = bytes + kHeaderSize;
    // ID3v2.3 unsynchronises the whole body and counts frame sizes after
    // undoing it; ID3v2.4 does it frame by frame.
    if (header.major == 3 && (header.flags & kTagUnsync))
        Resync(body, bodyBytes, &m_body);
    else
        m_body.assign(body, body + bodyBytes);
    Walk();
    return true;
}

void Tag::Walk()
{
    const bool v4 = m_header.major == 4;
    size_t pos = 0;
    const size_t end = m_body.size();
    if (m_header.flags & kTagExtended) {
        if (end < 4) {
            m_damaged = true;
            return;
        }
        // ID3v2.4 counts the size field in; ID3v2.3 does not.
        const uint64_t extended = v4 ? Synchsafe32(m_body.data()) : uint64_t(BigEndian32(m_body.data())) + 4;
        if (extended < 4 || extended > end) {
            m_damaged = true;
            return;
        }
        pos = static_cast<size_t>(extended);
    }
    while (pos + kFrameHeaderSize <= end) {
        const uint8_t* head = m_body.data() + pos;
        if (head[0] == 0)
            return; // padding
        if (!IsFrameId(head)) {
            m_damaged = true;
            return;
        }
        uint64_t size = BigEndian32(head + 4);
        if (v4 && IsSynchsafe(head + 4)) {
            // Some writers store ID3v2.4 sizes without the synchsafe form:
            // take the plain number when only it lands on a frame or the end.
            const uint64_t safe = Synchsafe32(head + 4);
            auto landsWell = [&](uint64_t s) {
                const uint64_t next = pos + kFrameHeaderSize + s;
                if (next > end)
                    return false;
                if (next + kFrameHeaderSize > end)
                    return true;
                return m_body[next] == 0 || IsFrameId(m_body.data() + next);
            };
            size = safe != size && !landsWell(safe) && landsWell(size) ? size : safe;
        }
        const uint16_t flags = uint16_t(head[8]) << 8 | head[9];
        const size_t dataStart = pos + kFrameHeaderSize;
        if (size > end - dataStart) {
            // Larger than what is left of the tag: nothing after it can be found.
            ++m_skipped;
            m_damaged = true;
            return;
        }
        pos = dataStart + static_cast<size_t>(size);

        FrameRef frame;
        std::memcpy(frame.id, head, 4);
        frame.flags = flags;
        size_t extra = 0;
        bool encrypted = false;
        bool hasDeclared = false;
        if (v4) {
            frame.compressed = (flags & kV4Compressed) != 0;
            frame.unsynchronised = (flags & kV4Unsync) != 0 || (m_header.flags & kTagUnsync) != 0;
            encrypted = (flags & kV4Encrypted) != 0;
            if (flags & kV4Grouped)
                extra += 1;
            if (encrypted)
                extra += 1;
            if (flags & kV4DataLength) {
                if (extra + 4 <= size) {
                    const uint8_t* p = m_body.data() + dataStart + extra;
                    frame.declaredSize = IsSynchsafe(p) ? Synchsafe32(p) : BigEndian32(p);
                    hasDeclared = true;
                }
                extra += 4;
            }
        } else {
            frame.compressed = (flags & kV3Compressed) != 0;
            encrypted = (flags & kV3Encrypted) != 0;
            if (frame.compressed) {
                if (4 <= size) {
                    frame.declaredSize = BigEndian32(m_body.data() + dataStart);
                    hasDeclared = true;
                }
                extra += 4;
            }
            if (encrypted)
                extra += 1;
            if (flags & kV3Grouped)
                extra += 1;
        }
        const uint32_t limit = ContentLimit(frame.id);
        if (encrypted || extra > size || (hasDeclared && frame.declaredSize > limit) ||
            (!frame.compressed && size - extra > limit)) {
            ++m_skipped;
            continue;
        }
        frame.offset = dataStart + extra;
        frame.size = static_cast<size_t>(size) - extra;
        m_frames.push_back(frame);
    }
}

const FrameRef* Tag::Find(const char* id) const
{
    for (const FrameRef& frame : m_frames) {
        if (std::strcmp(frame.id, id) == 0)
            return &frame;
    }
    return nullptr;
}

bool Tag::Content(const FrameRef& frame, std::vector<uint8_t>* out) const
{
    out->clear();
    if (frame.offset > m_body.size() || frame.size > m_body.size() - frame.offset)
        return false;
    const uint8_t* data = m_body.data() + frame.offset;
    std::vector<uint8_t> resynced;
    size_t size = frame.size;
    if (frame.unsynchronised) {
        Resync(data, size, &resynced);
        data = resynced.data();
        size = resynced.size();
    }
    const uint32_t limit = ContentLimit(frame.id);
    if (frame.compressed)
        return BoundedInflate(data, size, frame.declaredSize, limit, out);
    if (size > limit)
        return false;
    out->assign(data, data + size);
    return true;
}

Text DecodeString(uint8_t encoding, const uint8_t* bytes, size_t count, size_t maxChars,
                  size_t* used)
{
    Text text;
    size_t taken = 0;
    if (encoding == kLatin1 || encoding == kUtf8 || encoding > kUtf8) {
        const uint8_t* zero = count ? static_cast<const uint8_t*>(std::memchr(bytes, 0, count)) : nullptr;
        const size_t length = zero ? static_cast<size_t>(zero - bytes) : count;
        taken = zero ? length + 1 : length;
        if (encoding != kUtf8) {
            // An unknown encoding is read as Latin-1, as a text of bytes.
            text.bytes.assign(reinterpret_cast<const char*>(bytes), std::min(length, maxChars));
        } else {
            text.unicode = true;
            size_t i = 0;
            while (i < length && text.units.size() < maxChars) {
                const uint8_t c = bytes[i];
                uint32_t point = 0xFFFD;
                size_t n = 1;
                if (c < 0x80) {
                    point = c;
                } else if (c >= 0xC2 && c <= 0xF4) {
                    const size_t need = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
                    uint32_t value = c & (0x7F >> need);
                    size_t k = 1;
                    while (k < need && i + k < length && (bytes[i + k] & 0xC0) == 0x80) {
                        value = value << 6 | (bytes[i + k] & 0x3F);
                        ++k;
                    }
                    n = k;
                    const uint32_t least = need == 2 ? 0x80 : need == 3 ? 0x800 : 0x10000;
                    if (k == need && value >= least && value <= 0x10FFFF &&
                        !(value >= 0xD800 && value <= 0xDFFF))
                        point = value;
                }
                i += n;
                if (point >= 0x10000) {
                    if (text.units.size() + 2 > maxChars)
                        break;
                    point -= 0x10000;
                    text.units.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
                    text.units.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
                } else {
                    text.units.push_back(static_cast<char16_t>(point));
                }
            }
        }
    } else {
        text.unicode = true;
        bool bigEndian = true;
        size_t i = 0;
        if (encoding == kUtf16 && count >= 2) {
            // The byte-order mark; a text without one is taken as big-endian.
            if (bytes[0] == 0xFF && bytes[1] == 0xFE) {
                bigEndian = false;
                i = 2;
            } else if (bytes[0] == 0xFE && bytes[1] == 0xFF) {
                i = 2;
            }
        }
        bool ended = false;
        for (; i + 1 < count; i += 2) {
            const char16_t unit = bigEndian ? char16_t(bytes[i] << 8 | bytes[i + 1])
                                            : char16_t(bytes[i + 1] << 8 | bytes[i]);
            if (unit == 0) {
                i += 2;
                ended = true;
                break;
            }
            if (text.units.size() < maxChars)
                text.units.push_back(unit);
        }
        taken = ended ? i : count;
        // A cut between the halves of a pair would leave a stray half.
        if (text.units.size() == maxChars && !text.units.empty() && text.units.back() >= 0xD800 &&
            text.units.back() <= 0xDBFF)
            text.units.pop_back();
    }
    if (used)
        *used = taken;
    return text;
}

bool TextOfFrame(const std::vector<uint8_t>& content, size_t maxChars, Text* text)
{
    if (content.empty())
        return false;
    *text = DecodeString(content[0], content.data() + 1, content.size() - 1, maxChars);
    return true;
}

bool CommentOfFrame(const std::vector<uint8_t>& content, size_t maxChars, Text* text)
{
    if (content.size() < 4)
        return false;
    const uint8_t encoding = content[0];
    size_t used = 0;
    DecodeString(encoding, content.data() + 4, content.size() - 4, 0, &used);
    const size_t start = 4 + used;
    *text = DecodeString(encoding, content.data() + start, content.size() - start, maxChars);
    return true;
}

bool CounterOfFrame(const std::vector<uint8_t>& content, uint32_t* count)
{
    if (content.size() < 4)
        return false;
    uint64_t value = 0;
    for (uint8_t byte : content) {
        value = value << 8 | byte;
        if (value > UINT32_MAX) {
            *count = UINT32_MAX;
            return true;
        }
    }
    *count = static_cast<uint32_t>(value);
    return true;
}

bool PictureOfFrame(const std::vector<uint8_t>& content, Picture* picture)
{
    if (content.size() < 2)
        return false;
    const uint8_t encoding = content[0];
    size_t pos = 1;
    const uint8_t* zero = static_cast<const uint8_t*>(std::memchr(content.data() + pos, 0, content.size() - pos));
    if (!zero)
        return false;
    picture->mimeType.assign(reinterpret_cast<const char*>(content.data() + pos),
                             static_cast<size_t>(zero - (content.data() + pos)));
    pos = static_cast<size_t>(zero - content.data()) + 1;
    if (pos >= content.size())
        return false;
    picture->pictureType = content[pos++];
    size_t used = 0;
    picture->description =
        DecodeString(encoding, content.data() + pos, content.size() - pos, 1024, &used);
    pos += used;
    picture->data.assign(content.begin() + static_cast<std::ptrdiff_t>(pos), content.end());
    return true;
}

} // namespace id3v2
