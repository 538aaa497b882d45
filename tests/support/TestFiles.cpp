// Whole-file reads and writes of the test support, shared by the Windows
// and the native test programs.
#include "tests/support/TestSupport.h"

#include <cstdio>

namespace tavrix_test {

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    bytes.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    std::fclose(f);
    return true;
}

std::vector<std::string> ElementLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        SCOPED_TRACE(line);
        EXPECT_FALSE(line.empty());
        EXPECT_EQ('<', line.empty() ? 0 : line.front());
        EXPECT_EQ('>', line.empty() ? 0 : line.back());
        for (char c : line)
            EXPECT_GE(static_cast<unsigned char>(c), 0x20);
        lines.push_back(line);
    }
    EXPECT_EQ(start, text.size()) << "the text ends with a line end";
    return lines;
}

} // namespace tavrix_test
