// The main of a fuzz target outside libFuzzer: runs the target once over
// every file named on the command line, or over every file in a folder
// named there, in name order. A broken property or a crash ends the run
// (and fails the CTest test that replays the regression inputs); otherwise
// it prints how many inputs it replayed.
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::string> InputsOf(const std::string& path)
{
    std::vector<std::string> files;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        for (const auto& entry : std::filesystem::directory_iterator(path, error))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                files.push_back(entry.path().string());
        std::sort(files.begin(), files.end());
    } else if (std::filesystem::is_regular_file(path, error)) {
        files.push_back(path);
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<std::string> files = InputsOf(argv[i]);
        if (files.empty())
            std::printf("replay: %s: no inputs\n", argv[i]);
        for (const std::string& file : files) {
            std::ifstream in(file, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
                return 1;
            }
            const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
            std::fprintf(stderr, "replay: %s\n", file.c_str());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::printf("replay: %d inputs replayed, no finding\n", replayed);
    return 0;
}
