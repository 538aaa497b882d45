// The texts of stream servers as the network input reads them: the status
// line and header lines of HTTP and ICY replies, ICY metadata blocks, FTP
// replies, and the request built from parts. The first byte's low bits
// choose the parser: 0 a reply head (lines), 1 a metadata block, 2 FTP
// reply lines, 3 a request from three parts split at NUL bytes.
#include "decoder/engine/decoder.h"
#include "decoder/network/stream_headers.h"
#include "fuzz/FuzzCheck.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

decoder* g_decoder = nullptr;

std::vector<std::string> Lines(const std::string& text, size_t line_size)
{
    // As the client reads them: '\n' ends a line, '\r' is dropped, a NUL
    // ends the text of a line, a longer line is cut.
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line.c_str());
            line.clear();
        } else if (c != '\r' && line.size() < line_size - 1) {
            line += c;
        }
    }
    lines.push_back(line.c_str());
    return lines;
}

void ReplyHead(const std::string& text)
{
    const std::vector<std::string> lines = Lines(text, 128);
    char code[3];
    if (http_status_parse(lines[0].c_str(), code) == 0) {
        const int verdict = http_status_judge(code);
        FUZZ_CHECK(verdict == HTTP_STATUS_GO_ON || verdict == HTTP_STATUS_REDIRECT ||
                       verdict == DK_ERR_INVALID_HTTP_REPLY || verdict == DK_ERR_HTTP_ERROR_REPLY ||
                       verdict == DK_ERR_HTTP_ERROR,
                   "verdict %d", verdict);
        FUZZ_CHECK((verdict == HTTP_STATUS_REDIRECT) == (code[0] == '3'), "a redirect of code %c", code[0]);
    }
    for (const std::string& line : lines) {
        const char* value = nullptr;
        const int kind = http_header_classify(line.c_str(), &value);
        FUZZ_CHECK((kind == HTTP_HEADER_OTHER) == (value == nullptr), "kind %d without value", kind);
        if (value) {
            FUZZ_CHECK(value > line.c_str() && value <= line.c_str() + line.size(), "a value outside its line");
            uint32_t number = 0;
            if (http_parse_number(value, HTTP_MAX_CONTENT_LENGTH, &number))
                FUZZ_CHECK(number <= HTTP_MAX_CONTENT_LENGTH, "length %u", number);
            if (http_parse_number(value, ICY_MAX_METADATA_INTERVAL, &number))
                FUZZ_CHECK(number <= ICY_MAX_METADATA_INTERVAL, "interval %u", number);
        }
        char name[HTTP_MAX_HEADER_NAME + 1];
        if (http_header_split(line.c_str(), name, &value)) {
            const size_t n = std::strlen(name);
            FUZZ_CHECK(n >= 1 && n <= HTTP_MAX_HEADER_NAME && !std::strchr(name, ':'), "name %s", name);
            FUZZ_CHECK(line.compare(0, n, name) == 0 && *value && *value != ' ', "a split unlike its line");
        }
    }
}

void MetadataBlock(const std::string& block)
{
    struct Item
    {
        std::string name, value;
    };
    std::vector<Item> items;
    icy_metadata_items(
        block.data(), block.size(),
        [](void* user, const char* name, size_t nl, const char* value, size_t vl) {
            static_cast<std::vector<Item>*>(user)->push_back({std::string(name, nl), std::string(value, vl)});
        },
        &items);
    size_t used = 0;
    for (const Item& item : items) {
        FUZZ_CHECK(item.name.find_first_of(";=") == std::string::npos, "name %s", item.name.c_str());
        FUZZ_CHECK(item.value.find(';') == std::string::npos, "value %s", item.value.c_str());
        FUZZ_CHECK(item.name.find('\0') == std::string::npos && item.value.find('\0') == std::string::npos,
                   "a NUL inside an item");
        used += item.name.size() + item.value.size() + 2;
    }
    FUZZ_CHECK(used <= block.size(), "items longer than their block");

    icy_metadata_parse(g_decoder, block.data(), block.size());
    for (const Item& item : items) {
        const std::string property = "icy/" + item.name;
        char value[1024];
        const int r = g_decoder->services.get_stream_string(g_decoder, property.c_str(), value);
        if (item.name.size() > HTTP_MAX_HEADER_NAME)
            FUZZ_CHECK(r < 0, "a name of %zu bytes was set", item.name.size());
        else
            FUZZ_CHECK(r == 0, "item %s was not set", item.name.c_str());
    }
    // The next input starts without properties.
    for (const Item& item : items)
        g_decoder->services.remove_stream_property(g_decoder, ("icy/" + item.name).c_str());
}

void FtpReplies(const std::string& text)
{
    for (const std::string& line : Lines(text, 256)) {
        char code[4];
        bool continued = false;
        const int r = ftp_reply_code(line.c_str(), code, &continued);
        FUZZ_CHECK((r == 0) == (line.size() >= 3), "code of a %zu-byte line: %d", line.size(), r);
        uint32_t size = 0;
        if (ftp_reply_size(line.c_str(), &size))
            FUZZ_CHECK(size <= HTTP_MAX_CONTENT_LENGTH && line.find("bytes)") != std::string::npos, "size %u", size);
    }
}

void Request(const std::string& text, uint8_t choice)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (int i = 0; i < 2; ++i) {
        const size_t nul = text.find('\0', start);
        parts.push_back(text.substr(start, nul == std::string::npos ? std::string::npos : nul - start));
        start = nul == std::string::npos ? text.size() : nul + 1;
    }
    parts.push_back(text.substr(start).c_str());
    const long first = (choice & 4) ? static_cast<long>(choice) * 1000 : -1;
    const long last = (choice & 8) ? 2147483647L : -1;
    char* request = http_request_text(parts[0].c_str(), parts[1].c_str(), first, last, parts[2].c_str());
    FUZZ_CHECK(request != nullptr, "no request");
    const std::string built = request;
    std::free(request);
    FUZZ_CHECK(built.compare(0, 4 + parts[0].size(), "GET " + parts[0]) == 0, "request line");
    FUZZ_CHECK(built.find("\r\nHost: " + parts[1] + "\r\n") != std::string::npos, "host");
    const std::string tail = parts[2] + "\r\n";
    FUZZ_CHECK(built.size() >= tail.size() && built.compare(built.size() - tail.size(), tail.size(), tail) == 0,
               "extra header");
    // A range asks HTTP/1.1 with the Range line after Host; the parts
    // themselves may hold any text.
    const bool ranged = first != -1 || last != -1;
    const std::string version = ranged ? " HTTP/1.1\r\n" : " HTTP/1.0\r\n";
    FUZZ_CHECK(built.compare(4 + parts[0].size(), version.size(), version) == 0, "version");
    if (ranged)
        FUZZ_CHECK(built.find("\r\nHost: " + parts[1] + "\r\nConnection: close\r\nRange: bytes=") != std::string::npos,
                   "range");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    decoder_new(&g_decoder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    if (!g_decoder)
        LLVMFuzzerInitialize(nullptr, nullptr);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] & 3) {
    case 0: ReplyHead(text); break;
    case 1: MetadataBlock(text); break;
    case 2: FtpReplies(text); break;
    default: Request(text, data[0]); break;
    }
    return 0;
}
