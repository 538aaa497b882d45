#include "tests/support/Id3v2Writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>
#include <stdexcept>

namespace tavrix_test {

namespace {

std::u32string DecodeUtf8(const std::string& text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t point = n == 1 ? c : c & (0x7F >> n);
        for (size_t k = 1; k < n && i + k < text.size(); ++k)
            point = point << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += point;
        i += n;
    }
    return out;
}

std::string Utf16(const std::u32string& points, bool bigEndian)
{
    std::string out;
    auto put = [&](char16_t unit) {
        const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    for (char32_t p : points) {
        if (p >= 0x10000) {
            p -= 0x10000;
            put(static_cast<char16_t>(0xD800 + (p >> 10)));
            put(static_cast<char16_t>(0xDC00 + (p & 0x3FF)));
        } else {
            put(static_cast<char16_t>(p));
        }
    }
    return out;
}

std::string Terminator(Id3Encoding encoding)
{
    return encoding == kId3Utf16 || encoding == kId3Utf16BE ? std::string(2, '\0')
                                                            : std::string(1, '\0');
}

std::string BigEndian32(uint32_t v)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>(v >> (24 - 8 * i));
    return out;
}

std::string Synchsafe32(uint32_t v)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((v >> (21 - 7 * i)) & 0x7F);
    return out;
}

} // namespace

std::string EncodeId3Text(const std::string& utf8, Id3Encoding encoding)
{
    switch (encoding) {
    case kId3Latin1: {
        std::string out;
        for (char32_t p : DecodeUtf8(utf8)) {
            if (p > 0xFF)
                throw std::invalid_argument("not Latin-1: " + utf8);
            out += static_cast<char>(p);
        }
        return out;
    }
    case kId3Utf16:
        return std::string("\xFF\xFE", 2) + Utf16(DecodeUtf8(utf8), false);
    case kId3Utf16BE:
        return Utf16(DecodeUtf8(utf8), true);
    case kId3Utf8:
        return utf8;
    }
    return utf8;
}

std::string Deflate(const std::string& bytes)
{
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    if (compress(reinterpret_cast<Bytef*>(&out[0]), &size,
                 reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size())) != Z_OK)
        throw std::runtime_error("compress failed");
    out.resize(size);
    return out;
}

std::string DeflateRun(const std::string& prefix, char byte, uint64_t count)
{
    z_stream stream = {};
    if (deflateInit(&stream, Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("deflateInit failed");
    std::string out;
    std::vector<unsigned char> chunk(1 << 20, static_cast<unsigned char>(byte));
    unsigned char buffer[1 << 16];
    auto feed = [&](const unsigned char* data, size_t size, int flush) {
        stream.next_in = const_cast<unsigned char*>(data);
        stream.avail_in = static_cast<uInt>(size);
        do {
            stream.next_out = buffer;
            stream.avail_out = sizeof buffer;
            deflate(&stream, flush);
            out.append(reinterpret_cast<char*>(buffer), sizeof buffer - stream.avail_out);
        } while (stream.avail_out == 0 || stream.avail_in != 0);
    };
    feed(reinterpret_cast<const unsigned char*>(prefix.data()), prefix.size(), Z_NO_FLUSH);
    while (count > 0) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(count, chunk.size()));
        count -= n;
        feed(chunk.data(), n, count == 0 ? Z_FINISH : Z_NO_FLUSH);
    }
    deflateEnd(&stream);
    return out;
}

std::string Unsynchronise(const std::string& bytes)
{
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        out += bytes[i];
        if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
            (i + 1 == bytes.size() || bytes[i + 1] == 0 ||
             static_cast<unsigned char>(bytes[i + 1]) >= 0xE0))
            out += '\0';
    }
    return out;
}

std::string Id3v2Writer::SizeBytes(uint32_t size) const
{
    return m_major == 4 ? Synchsafe32(size) : BigEndian32(size);
}

Id3v2Writer& Id3v2Writer::Text(const char* id, const std::string& utf8, Id3Encoding encoding,
                               const Id3FrameOptions& options)
{
    return Frame(id, std::string(1, static_cast<char>(encoding)) + EncodeId3Text(utf8, encoding),
                 options);
}

Id3v2Writer& Id3v2Writer::Comment(const std::string& description, const std::string& utf8,
                                  Id3Encoding encoding)
{
    return Frame("COMM", std::string(1, static_cast<char>(encoding)) + "eng" +
                             EncodeId3Text(description, encoding) + Terminator(encoding) +
                             EncodeId3Text(utf8, encoding));
}

Id3v2Writer& Id3v2Writer::Counter(uint32_t count)
{
    return Frame("PCNT", BigEndian32(count));
}

Id3v2Writer& Id3v2Writer::Picture(const std::string& mimeType, const std::string& data,
                                  const std::string& description, Id3Encoding encoding,
                                  const Id3FrameOptions& options)
{
    return Frame("APIC", std::string(1, static_cast<char>(encoding)) + mimeType + '\0' + '\x03' +
                             EncodeId3Text(description, encoding) + Terminator(encoding) + data,
                 options);
}

Id3v2Writer& Id3v2Writer::Frame(const char* id, const std::string& content,
                                const Id3FrameOptions& options)
{
    std::string data = content;
    uint16_t flags = 0;
    std::string extra;
    const uint32_t trueSize = options.precompressed ? options.declaredSize
                                                    : static_cast<uint32_t>(content.size());
    const uint32_t declared = options.declaredSize ? options.declaredSize : trueSize;
    if (options.compress && !options.precompressed)
        data = Deflate(content);
    if (m_major == 4) {
        if (options.compress)
            flags |= 0x0008 | 0x0001;
        else if (options.dataLength)
            flags |= 0x0001;
        if (flags & 0x0001)
            extra = Synchsafe32(declared);
        if (options.unsynchronise) {
            flags |= 0x0002;
            data = Unsynchronise(data);
        }
    } else if (options.compress) {
        flags |= 0x0080;
        extra = BigEndian32(declared);
    }
    return RawFrame(id, static_cast<uint32_t>(extra.size() + data.size()), flags, extra + data);
}

Id3v2Writer& Id3v2Writer::InflatingFrame(const char* id, const std::string& prefix, char fill,
                                         uint32_t inflatedSize, uint32_t declaredSize)
{
    // Deflating hundreds of megabytes takes a while: each run is made once.
    static std::map<std::tuple<std::string, char, uint32_t>, std::string> made;
    std::string& deflated = made[std::make_tuple(prefix, fill, inflatedSize)];
    if (deflated.empty())
        deflated = DeflateRun(prefix, fill, inflatedSize - prefix.size());
    Id3FrameOptions options;
    options.compress = true;
    options.precompressed = true;
    options.declaredSize = declaredSize ? declaredSize : inflatedSize;
    return Frame(id, deflated, options);
}

Id3v2Writer& Id3v2Writer::RawFrame(const char* id, uint32_t size, uint16_t flags,
                                   const std::string& data)
{
    m_frames += std::string(id, 4);
    m_frames += SizeBytes(size);
    m_frames += static_cast<char>(flags >> 8);
    m_frames += static_cast<char>(flags & 0xFF);
    m_frames += data;
    return *this;
}

std::string Id3v2Writer::Bytes(size_t padding, bool unsynchroniseTag) const
{
    std::string body = m_frames + std::string(padding, '\0');
    char flags = 0;
    if (unsynchroniseTag) {
        body = Unsynchronise(body);
        flags = static_cast<char>(0x80);
    }
    std::string out = "ID3";
    out += static_cast<char>(m_major);
    out += '\0';
    out += flags;
    out += Synchsafe32(static_cast<uint32_t>(body.size()));
    return out + body;
}

} // namespace tavrix_test
