#include "tests/audio/players/WaveFiles.h"

#include <shlobj.h>

#include <cstring>

std::string WaveFileBytes(const std::vector<int16_t>& samples)
{
    const uint32_t data = static_cast<uint32_t>(samples.size() * sizeof(int16_t));
    std::string bytes = "RIFF";
    auto put32 = [&](uint32_t v) { bytes.append(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&](uint16_t v) { bytes.append(reinterpret_cast<const char*>(&v), 2); };
    put32(36 + data);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);          // PCM
    put16(2);          // stereo
    put32(44100);
    put32(44100 * 4);
    put16(4);
    put16(16);
    bytes += "data";
    put32(data);
    bytes.append(reinterpret_cast<const char*>(samples.data()), data);
    return bytes;
}

std::vector<int16_t> StereoSilence(double seconds)
{
    return std::vector<int16_t>(static_cast<size_t>(seconds * 44100) * 2, 0);
}

HDROP MakeFileDrop(const std::vector<std::string>& files, POINT at)
{
    std::string names;
    for (const std::string& f : files)
        names += f + '\0';
    names += '\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = at;
    drop->fNC = FALSE;
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}
