// The process-wide choice between the SSE2 and the plain filterbank kernels.
#include "decoder/mpeg/mpeg_simd.h"

#include <atomic>

namespace {

#if defined(TAVRIX_MPEG_SIMD) && defined(__SSE2__)
const bool kBuilt = true;
#else
const bool kBuilt = false;
#endif

std::atomic<bool> g_selected(kBuilt);

} // namespace

bool mpeg_simd_built()
{
    return kBuilt;
}

void mpeg_simd_select(bool use)
{
    g_selected.store(use && kBuilt, std::memory_order_relaxed);
}

bool mpeg_simd_selected()
{
    return g_selected.load(std::memory_order_relaxed);
}
