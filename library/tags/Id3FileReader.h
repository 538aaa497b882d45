// A file reader for id3lib that reads in large blocks and keeps two of them,
// so parsing a tag costs a few system calls rather than one per field.
#pragma once

#include "library/tags/Id3v2Tag.h"

#include <id3/reader.h>

#include <windows.h>

#include <cstdint>
#include <vector>

class Id3FileReader final : public ID3_Reader
{
public:
    explicit Id3FileReader(const char* path);
    ~Id3FileReader();
    Id3FileReader(const Id3FileReader&) = delete;
    Id3FileReader& operator=(const Id3FileReader&) = delete;

    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    pos_type Size() const { return m_size; }

    // Up to count bytes at pos through the same blocks, for the stream
    // scan that follows the tag: the number copied, 0 at the end, -1 when
    // the file cannot be read there. The reading position is not moved.
    int64_t ReadAt(pos_type pos, void* buffer, size_type count);

    void close() override;
    pos_type getBeg() override { return 0; }
    pos_type getEnd() override { return m_size; }
    pos_type getCur() override { return m_cur; }
    pos_type setCur(pos_type pos) override;
    int_type readChar() override;
    int_type peekChar() override;
    size_type readChars(char_type buf[], size_type len) override;
    size_type readChars(char buf[], size_type len) override;
    size_type skipChars(size_type len) override;

private:
    struct Block
    {
        pos_type start = 0;
        std::vector<char_type> bytes;
        uint64_t lastUse = 0;
    };

    // The cached block holding pos (loading it), or nullptr past the end or
    // on a read error.
    const Block* BlockAt(pos_type pos);

    HANDLE m_file = INVALID_HANDLE_VALUE;
    pos_type m_size = 0;
    pos_type m_cur = 0;
    Block m_blocks[2];
    uint64_t m_uses = 0;
};

// Walks the file's front ID3v2.3 or ID3v2.4 tag (at most its read limit of
// bytes) with the bounded reader into tag. True when id3lib must not be
// given that tag: it is ID3v2.4, or the walk skipped a frame out of bounds.
bool WalkFrontTag(Id3FileReader& reader, id3v2::Tag* tag);
