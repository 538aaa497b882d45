// What the fuzz targets share: the libFuzzer entry points they define and a
// check that ends the process with a message when a property of a result
// does not hold, so that the fuzzer keeps the input as a finding and a
// replay of it fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Optional: a target with set-up to do once defines it.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

// The parts of an input laid out as choice byte, length byte, that many
// bytes (fewer when the input ends first), the rest. Null when the input
// is shorter than the two bytes.
struct FuzzParts
{
    uint8_t choice = 0;
    std::string head;
    std::string rest;

    static bool Split(const uint8_t* data, size_t size, FuzzParts* parts)
    {
        if (size < 2)
            return false;
        parts->choice = data[0];
        size_t length = data[1];
        if (length > size - 2)
            length = size - 2;
        const char* bytes = reinterpret_cast<const char*>(data) + 2;
        parts->head.assign(bytes, length);
        parts->rest.assign(bytes + length, size - 2 - length);
        return true;
    }
};

#define FUZZ_CHECK(condition, ...)                                                     \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__,   \
                         #condition);                                                  \
            std::fprintf(stderr, "  " __VA_ARGS__);                                    \
            std::fprintf(stderr, "\n");                                                \
            std::abort();                                                              \
        }                                                                              \
    } while (0)
