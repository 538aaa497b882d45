// What the fuzz targets share: the libFuzzer entry points they define and a
// check that ends the process with a message when a property of a result
// does not hold, so that the fuzzer keeps the input as a finding and a
// replay of it fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

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
