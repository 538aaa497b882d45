// A small writer of ID3v2.3 and ID3v2.4 tags for test fixtures: text,
// comment, counter and picture frames in any of the four text encodings,
// with compressed, unsynchronised and data-length-indicated frames, and
// frames whose sizes lie. id3lib cannot write ID3v2.4; this can. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrix_test {

// The text encodings of ID3v2 (the byte that begins a text frame).
enum Id3Encoding : uint8_t { kId3Latin1 = 0, kId3Utf16 = 1, kId3Utf16BE = 2, kId3Utf8 = 3 };

// A UTF-8 text in one of the encodings, without terminator (UTF-16 with a
// little-endian byte-order mark). Latin-1 takes characters up to U+00FF.
std::string EncodeId3Text(const std::string& utf8, Id3Encoding encoding);

// How one frame is stored.
struct Id3FrameOptions
{
    bool compress = false;       // zlib; declares the inflated size
    bool unsynchronise = false;  // ID3v2.4 only: the frame's own flag
    bool dataLength = false;     // ID3v2.4 only: a data length indicator
    // A compressed frame's declared inflated size in place of the true one
    // (0: the true one).
    uint32_t declaredSize = 0;
    // Content already deflated (with compress): stored as it is.
    bool precompressed = false;
};

constexpr uint32_t kLargestSynchsafe = (1u << 28) - 1;

class Id3v2Writer
{
public:
    explicit Id3v2Writer(int major) : m_major(major) {}

    // A text frame: its encoding byte, then the text.
    Id3v2Writer& Text(const char* id, const std::string& utf8, Id3Encoding encoding = kId3Latin1,
                      const Id3FrameOptions& options = {});
    // A comment frame (language "eng") with a description and a text.
    Id3v2Writer& Comment(const std::string& description, const std::string& utf8,
                         Id3Encoding encoding = kId3Latin1);
    Id3v2Writer& Counter(uint32_t count);
    // An attached picture (front cover) with a description.
    Id3v2Writer& Picture(const std::string& mimeType, const std::string& data,
                         const std::string& description = "cover",
                         Id3Encoding encoding = kId3Latin1, const Id3FrameOptions& options = {});
    // Any frame from its content bytes.
    Id3v2Writer& Frame(const char* id, const std::string& content,
                       const Id3FrameOptions& options = {});
    // A compressed frame whose content is prefix followed by fill bytes up
    // to inflatedSize in all, declaring declaredSize (0: the true size); the
    // content is never held inflated (an ID3v2.4 size says at most
    // kLargestSynchsafe).
    Id3v2Writer& InflatingFrame(const char* id, const std::string& prefix, char fill,
                                uint32_t inflatedSize, uint32_t declaredSize = 0);
    // A frame header with the given stored size and flags followed by data
    // (which may be shorter or longer than the size says).
    Id3v2Writer& RawFrame(const char* id, uint32_t size, uint16_t flags, const std::string& data);

    // The whole tag: header, frames, then padding zero bytes. With
    // unsynchroniseTag (ID3v2.3) the body is unsynchronised as a whole.
    std::string Bytes(size_t padding = 0, bool unsynchroniseTag = false) const;

private:
    std::string SizeBytes(uint32_t size) const;
    int m_major;
    std::string m_frames;
};

// Deflated bytes (zlib format) of count copies of one byte after a prefix,
// made without holding the inflated text in memory.
std::string DeflateRun(const std::string& prefix, char byte, uint64_t count);
std::string Deflate(const std::string& bytes);
// The unsynchronisation scheme: a 0x00 after every 0xFF that is followed by
// 0x00 or by a byte of 0xE0 and up, and after a final 0xFF.
std::string Unsynchronise(const std::string& bytes);

} // namespace tavrix_test
