#include "library/tempo/TempoMeasure.h"

#include "library/tempo/TempoDetector.h"

#include <cstdio>
#include <cstring>

namespace tempo {

float MeasureTempo(BlockSource& source, TempoHooks& hooks, const char* path, bool progress,
                   int limit)
{
    int channels = 0;
    int rate = 0;
    if (!path || !source.Open(path, &channels, &rate))
        return 0.0f;
    TempoDetector detector(channels, rate);
    if (!detector.Valid())
        return 0.0f;
    int counter = 0;
    int64_t total = 0;
    for (;;) {
        TempoBlock block;
        const int result = source.Next(&block);
        if (result == kSkipNoData || result == kSkipBadFrame)
            continue;
        if (result != 0)
            break;
        // A block laid out otherwise than the stream began (a stream that
        // changes its channel count) would be read past its end: it is not
        // fed, but counts as a block, so that the pump still runs.
        if (block.channels == detector.Channels() && block.samples && block.frames > 0) {
            detector.Feed(block.samples, block.frames);
            total += block.frames;
        }
        if (counter == kBlocksPerPump) {
            if (hooks.AbortRequested())
                return -1.0f;
            hooks.Pump();
            if (progress)
                hooks.Progress(total);
            counter = 0;
        }
        ++counter;
        if (limit != kWholeFile && total >= limit)
            break;
    }
    return detector.Bpm();
}

CString FormatTempoText(float bpm)
{
    char text[64];
    std::snprintf(text, sizeof text, "%3.2f", static_cast<double>(bpm));
    const char* dot = std::strchr(text, '.');
    const size_t wholeLength = dot ? static_cast<size_t>(dot - text) : std::strlen(text);
    const size_t length = std::strlen(text);
    const char* decimals = length >= 2 ? text + length - 2 : "00";
    // The whole part is padded by hand: "%03s" pads strings with spaces
    // (or not at all) in the C libraries this runs on.
    char out[80];
    const int pad = wholeLength < 3 ? static_cast<int>(3 - wholeLength) : 0;
    std::snprintf(out, sizeof out, "%.*s%.*s.%s", pad, "000", static_cast<int>(wholeLength), text,
                  decimals);
    return CString(out);
}

CString ProgressText(int64_t frames)
{
    char text[32];
    std::snprintf(text, sizeof text, " %d k", static_cast<int>(frames / 1000));
    return CString(text);
}

} // namespace tempo
