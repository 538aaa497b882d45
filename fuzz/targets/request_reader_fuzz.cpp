// Request lines from socket blocks: whatever the bytes and however they
// are cut into blocks, the lines are the same as from one block, hold no
// line end, and none is longer than the limit. The first byte gives the
// block size (1 to 256), the second the line limit (16 times it, plus 1).
#include "fuzz/FuzzCheck.h"
#include "input/server/RequestReader.h"

#include <algorithm>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t block = static_cast<size_t>(data[0]) + 1;
    const size_t limit = static_cast<size_t>(data[1]) * 16 + 1;
    const char* bytes = reinterpret_cast<const char*>(data) + 2;
    const size_t length = size - 2;

    RequestReader whole(limit);
    std::vector<std::string> wholeLines;
    whole.Feed(bytes, length, wholeLines);

    RequestReader pieces(limit);
    std::vector<std::string> pieceLines;
    for (size_t at = 0; at < length; at += block)
        pieces.Feed(bytes + at, std::min(block, length - at), pieceLines);

    FUZZ_CHECK(wholeLines == pieceLines, "%zu lines in pieces of %zu, %zu in one block", pieceLines.size(), block,
               wholeLines.size());
    FUZZ_CHECK(whole.GetDroppedLines() == pieces.GetDroppedLines(), "dropped lines differ");
    FUZZ_CHECK(pieces.GetPendingLength() <= limit, "%zu bytes pending, limit %zu", pieces.GetPendingLength(), limit);
    for (const std::string& line : pieceLines) {
        FUZZ_CHECK(!line.empty() && line.size() <= limit, "a line of %zu bytes, limit %zu", line.size(), limit);
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos, "a line end inside a line");
    }
    const CString text = RequestBlockText(bytes, length);
    FUZZ_CHECK(std::string(text.GetString()).find_first_of("\r\n") == std::string::npos,
               "a line end in a block's text");
    return 0;
}
