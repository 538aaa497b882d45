#include "library/tags/Id3TagFile.h"

#include "library/file/SafeFileWrite.h"
#include "library/tags/Id3FileReader.h"
#include "library/tags/Id3v2Tag.h"

#include <id3/writer.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr size_t kHeaderSize = 10;
constexpr size_t kV1Size = 128;
constexpr uint64_t kPadMultiple = 2048; // a new tag rounds the file up to this, as id3lib does
constexpr size_t kCopyChunk = 1 << 20;

void PutSynchsafe(std::string* tag, uint32_t size)
{
    (*tag)[6] = static_cast<char>((size >> 21) & 0x7F);
    (*tag)[7] = static_cast<char>((size >> 14) & 0x7F);
    (*tag)[8] = static_cast<char>((size >> 7) & 0x7F);
    (*tag)[9] = static_cast<char>(size & 0x7F);
}

// The ID3v2 tag padded with zero bytes to total bytes; a tag without
// frames becomes an ID3v2.3 header with padding only.
std::string PaddedTag(std::string tag, size_t total)
{
    if (tag.empty())
        tag = std::string("ID3\x03\x00\x00\x00\x00\x00\x00", kHeaderSize);
    tag.resize(total, '\0');
    PutSynchsafe(&tag, static_cast<uint32_t>(total - kHeaderSize));
    return tag;
}

// An id3lib writer into a string.
class StringSink final : public ID3_Writer
{
public:
    void close() override {}
    void flush() override {}
    pos_type getCur() override { return static_cast<pos_type>(bytes.size()); }
    size_type writeChars(const char_type buf[], size_type len) override
    {
        bytes.append(reinterpret_cast<const char*>(buf), len);
        return len;
    }
    std::string bytes;
};

std::string Rendered(const ID3_Tag& tag, ID3_TagType type)
{
    StringSink sink;
    tag.Render(sink, type);
    return sink.bytes;
}

// The end of the last frame of a rendered ID3v2.3 tag (0 for no tag):
// what is left is padding.
size_t FramesEnd(const std::string& tag)
{
    if (tag.size() < kHeaderSize)
        return 0;
    size_t at = kHeaderSize;
    while (at + kHeaderSize <= tag.size() && tag[at] != '\0') {
        const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(tag[at + i])); };
        const uint32_t size = byte(4) << 24 | byte(5) << 16 | byte(6) << 8 | byte(7);
        if (size > tag.size() - at - kHeaderSize)
            return tag.size();
        at += kHeaderSize + size;
    }
    return at;
}

// Copies bytes [from, to) of the file into the sink.
bool CopyRange(const CString& path, uint64_t from, uint64_t to, SafeWriteSink& sink)
{
    Id3FileReader reader(path);
    if (!reader.IsOpen())
        return false;
    std::vector<char> buffer(kCopyChunk);
    uint64_t at = from;
    while (at < to) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(to - at, kCopyChunk));
        const int64_t got = reader.ReadAt(static_cast<ID3_Reader::pos_type>(at), buffer.data(),
                                          static_cast<ID3_Reader::size_type>(want));
        if (got != static_cast<int64_t>(want) || !sink.Write(buffer.data(), want))
            return false;
        at += want;
    }
    return true;
}

} // namespace

Id3TagFile::Id3TagFile(const CString& path) : m_path(path)
{
    Id3FileReader reader(path);
    if (!reader.IsOpen())
        return;
    m_open = true;
    m_fileSize = reader.Size();
    m_foreignFront = WalkFrontTag(reader, &m_own);
    if (!m_foreignFront)
        m_own = id3v2::Tag();
    m_tag.Link(reader, m_foreignFront ? ID3TT_APPENDED : ID3TT_ALL);
    m_front = m_foreignFront ? 0 : m_tag.GetPrependedBytes();
    m_hasV1 = m_tag.HasTagType(ID3TT_ID3V1);
}

int Id3TagFile::RemoveAll(ID3_FrameID id)
{
    int removed = 0;
    while (ID3_Frame* frame = m_tag.Find(id)) {
        delete m_tag.RemoveFrame(frame);
        ++removed;
    }
    return removed;
}

bool Id3TagFile::FirstPicture(std::string* mimeType, std::string* data) const
{
    if (m_foreignFront) {
        if (const id3v2::FrameRef* frame = m_own.Find("APIC")) {
            std::vector<uint8_t> content;
            id3v2::Picture picture;
            if (m_own.Content(*frame, &content) && id3v2::PictureOfFrame(content, &picture)) {
                *mimeType = picture.mimeType;
                data->assign(picture.data.begin(), picture.data.end());
                return true;
            }
        }
    }
    const ID3_Frame* frame = m_tag.Find(ID3FID_PICTURE);
    if (!frame)
        return false;
    const ID3_Field* mime = frame->GetField(ID3FN_MIMETYPE);
    const ID3_Field* bytes = frame->GetField(ID3FN_DATA);
    mimeType->clear();
    data->clear();
    if (mime && mime->GetRawText())
        mimeType->assign(mime->GetRawText());
    if (bytes && bytes->GetRawBinary())
        data->assign(reinterpret_cast<const char*>(bytes->GetRawBinary()), bytes->Size());
    return true;
}

bool Id3TagFile::Write()
{
    if (!Writable())
        return false;
    m_tag.SetPadding(false);
    m_tag.SetUnsync(false);
    m_tag.SetSpec(ID3V2_3_0);
    std::string v2 = Rendered(m_tag, ID3TT_ID3V2);
    std::string v1 = Rendered(m_tag, ID3TT_ID3V1);
    v2.resize(FramesEnd(v2));
    if (v1.size() != kV1Size)
        v1.clear();

    const uint64_t audioEnd = m_fileSize - (m_hasV1 ? kV1Size : 0);
    // Without an ID3v1 tag to write, an old one stays as it is.
    const uint64_t copyEnd = v1.empty() ? m_fileSize : audioEnd;
    const size_t needed = v2.empty() ? (m_front > 0 ? kHeaderSize : 0) : v2.size();
    const bool inPlace = needed <= m_front;
    bool written;
    uint64_t newFront;
    if (inPlace) {
        std::vector<FilePatch> patches;
        if (m_front > 0)
            patches.push_back({0, PaddedTag(v2, static_cast<size_t>(m_front))});
        if (!v1.empty())
            patches.push_back({audioEnd, v1});
        written = PatchFile(m_path, patches) == SafeWriteResult::Written;
        newFront = m_front;
    } else {
        // The file rounded up to the next 2 KB by the tag's padding.
        const uint64_t rest = (copyEnd - m_front) + v1.size();
        const uint64_t total = (v2.size() + rest) / kPadMultiple * kPadMultiple + kPadMultiple;
        const std::string front = PaddedTag(v2, static_cast<size_t>(total - rest));
        const uint64_t from = m_front;
        written = WriteFileFrom(m_path, [&](SafeWriteSink& sink) {
                      return sink.Write(front.data(), front.size()) &&
                             CopyRange(m_path, from, copyEnd, sink) &&
                             sink.Write(v1.data(), v1.size());
                  }) == SafeWriteResult::Written;
        newFront = front.size();
    }
    if (!written)
        return false;
    m_fileSize = v1.empty() ? newFront + (m_fileSize - m_front) : newFront + (audioEnd - m_front) + kV1Size;
    m_front = newFront;
    m_hasV1 = m_hasV1 || !v1.empty();
    return true;
}
