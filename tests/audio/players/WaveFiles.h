// Files the players' and windows' tests make: canonical 16-bit stereo
// 44.1 kHz WAVE files, and a drop of files as the shell hands it over.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <string>
#include <vector>

// The bytes of a WAVE file holding the interleaved stereo samples.
std::string WaveFileBytes(const std::vector<int16_t>& samples);
// Seconds of stereo silence.
std::vector<int16_t> StereoSilence(double seconds);
// A drop of files at a point of the receiving window's client area; the
// receiver's DragFinish frees it.
HDROP MakeFileDrop(const std::vector<std::string>& files, POINT at);
