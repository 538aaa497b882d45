#include "library/tags/Id3FileReader.h"

#include <algorithm>
#include <cstring>

namespace {

// Covers the whole tag of a typical file; the second block serves the
// searches for trailing tags at the end.
constexpr ID3_Reader::size_type kBlockSize = 64 * 1024;

} // namespace

Id3FileReader::Id3FileReader(const char* path)
{
    m_file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_file, &size) || size.QuadPart < 0) {
        close();
        return;
    }
    // id3lib's positions are 32-bit; a larger file is seen up to that limit.
    const uint64_t limit = UINT32_MAX - 1;
    m_size = static_cast<pos_type>(std::min<uint64_t>(static_cast<uint64_t>(size.QuadPart), limit));
}

Id3FileReader::~Id3FileReader()
{
    close();
}

void Id3FileReader::close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    for (Block& block : m_blocks)
        block.bytes.clear();
}

ID3_Reader::pos_type Id3FileReader::setCur(pos_type pos)
{
    m_cur = std::min(pos, m_size);
    return m_cur;
}

const Id3FileReader::Block* Id3FileReader::BlockAt(pos_type pos)
{
    if (pos >= m_size || m_file == INVALID_HANDLE_VALUE)
        return nullptr;
    for (Block& block : m_blocks) {
        if (!block.bytes.empty() && pos >= block.start && pos - block.start < block.bytes.size()) {
            block.lastUse = ++m_uses;
            return &block;
        }
    }
    Block& victim = m_blocks[0].lastUse <= m_blocks[1].lastUse ? m_blocks[0] : m_blocks[1];
    const pos_type start = pos - pos % kBlockSize;
    const size_type want = std::min<size_type>(kBlockSize, m_size - start);
    victim.bytes.resize(want);
    LARGE_INTEGER at;
    at.QuadPart = start;
    DWORD got = 0;
    if (!SetFilePointerEx(m_file, at, nullptr, FILE_BEGIN) ||
        !ReadFile(m_file, victim.bytes.data(), want, &got, nullptr) || got == 0) {
        victim.bytes.clear();
        return nullptr;
    }
    victim.bytes.resize(got);
    victim.start = start;
    victim.lastUse = ++m_uses;
    if (pos - start >= got)
        return nullptr;
    return &victim;
}

int64_t Id3FileReader::ReadAt(pos_type pos, void* buffer, size_type count)
{
    char_type* out = static_cast<char_type*>(buffer);
    size_type done = 0;
    while (done < count && pos < m_size) {
        const Block* block = BlockAt(pos);
        if (!block)
            return done > 0 ? static_cast<int64_t>(done) : -1;
        const size_type offset = pos - block->start;
        const size_type n = std::min<size_type>(count - done, block->bytes.size() - offset);
        std::memcpy(out + done, block->bytes.data() + offset, n);
        done += n;
        pos += n;
    }
    return static_cast<int64_t>(done);
}

ID3_Reader::int_type Id3FileReader::peekChar()
{
    const Block* block = BlockAt(m_cur);
    if (!block)
        return END_OF_READER;
    return block->bytes[m_cur - block->start];
}

ID3_Reader::int_type Id3FileReader::readChar()
{
    const int_type ch = peekChar();
    if (ch != END_OF_READER)
        ++m_cur;
    return ch;
}

ID3_Reader::size_type Id3FileReader::readChars(char_type buf[], size_type len)
{
    const int64_t got = ReadAt(m_cur, buf, len);
    const size_type done = got > 0 ? static_cast<size_type>(got) : 0;
    m_cur += done;
    return done;
}

ID3_Reader::size_type Id3FileReader::readChars(char buf[], size_type len)
{
    return readChars(reinterpret_cast<char_type*>(buf), len);
}

ID3_Reader::size_type Id3FileReader::skipChars(size_type len)
{
    const size_type n = std::min<size_type>(len, m_size - m_cur);
    m_cur += n;
    return n;
}

bool WalkFrontTag(Id3FileReader& reader, id3v2::Tag* tag)
{
    if (!reader.IsOpen())
        return false;
    uint8_t head[id3v2::kHeaderSize];
    id3v2::TagHeader header;
    if (reader.ReadAt(0, head, sizeof head) != static_cast<int64_t>(sizeof head) ||
        !id3v2::ReadHeader(head, sizeof head, &header) || header.major < 3)
        return false;
    const size_t want = std::min<size_t>(
        {size_t(header.totalSize), size_t(id3v2::kTagReadLimit), size_t(reader.Size())});
    std::vector<uint8_t> bytes(want);
    const int64_t got = reader.ReadAt(0, bytes.data(), want);
    return got > 0 && tag->Parse(bytes.data(), static_cast<size_t>(got)) &&
           (header.major == 4 || tag->Skipped() > 0);
}
