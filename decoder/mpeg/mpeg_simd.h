// The codec's two sets of filterbank kernels: SSE2 (the synthesis
// windowing and the layer III IMDCT, four floats or two doubles at a time
// across independent outputs) and the plain C ones they are checked
// against. Both do the same IEEE operations in the same order for every
// output, so they give the same PCM, sample for sample. The SSE2 kernels
// are built when the build switch TAVRIX_MPEG_SIMD is on (the default) and
// the target has SSE2; they are then used unless a test selects the plain
// ones.
#pragma once

// True when the SSE2 kernels were built.
bool mpeg_simd_built();
// Selects the SSE2 kernels (true; ignored when not built) or the plain C
// ones (false) for every decoder of the process, from the next block on.
void mpeg_simd_select(bool use);
// True when the SSE2 kernels are in use.
bool mpeg_simd_selected();
