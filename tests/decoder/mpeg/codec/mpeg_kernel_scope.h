// Selects the codec's SSE2 or plain filterbank kernels for a scope, and
// puts the earlier choice back at its end; decodes on both.
#pragma once

#include <gtest/gtest.h>

#include "decoder/mpeg/mpeg_simd.h"

namespace mpeg_test {

class KernelScope
{
public:
    explicit KernelScope(bool simd) : m_was(mpeg_simd_selected()) { mpeg_simd_select(simd); }
    ~KernelScope() { mpeg_simd_select(m_was); }
    KernelScope(const KernelScope&) = delete;
    KernelScope& operator=(const KernelScope&) = delete;

private:
    bool m_was;
};

// Runs decode() with the SSE2 kernels (the plain ones where they are not
// built) and again with the plain ones, expects the same PCM (the result's
// pcm) from both, and returns the first result.
template <class Decode>
auto DecodeOnBothPaths(Decode decode) -> decltype(decode())
{
    KernelScope scope(true);
    auto simd = decode();
    mpeg_simd_select(false);
    const auto plain = decode();
    EXPECT_EQ(plain.pcm.size(), simd.pcm.size());
    EXPECT_TRUE(plain.pcm == simd.pcm) << "the plain and the SSE2 kernels differ";
    return simd;
}

} // namespace mpeg_test
