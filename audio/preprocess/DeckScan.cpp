#include "audio/preprocess/DeckScan.h"

#include <stdio.h>
#include <string.h>

#include "decoder/engine/decoder.h"
#include "decoder/engine/decoder_errors.h"
#include "decoder/modules/file_input.h"
#include "decoder/modules/memory_input.h"
#include "decoder/modules/wave_codec.h"
#include "decoder/mpeg/mpeg_codec.h"
#include "library/tempo/TempoDetector.h"

namespace deckscan {

namespace {

int PeakOf(const int16_t* samples, int count)
{
    int peak = 0;
    for (int i = 0; i < count; ++i)
        if (samples[i] > peak)
            peak = samples[i];
    return peak;
}


// Whether a decode result skips the frame (true) rather than ending the
// loop. A stream of nothing but bad frames ends all the same.
enum { kMaxSkippedInARow = 1000 };
bool SkipsFrame(int result, int* skipped)
{
    if (result != DK_ERR_TIMEOUT && result != DK_ERR_INVALID_FRAME)
        return false;
    return ++*skipped < kMaxSkippedInARow;
}

// The level of the block the decoder just made.
int LevelOf(const decoder* dec, int wavScale)
{
    const pcm_buffer* pcm = dec->pcm;
    if (!pcm || pcm->bytes_per_sample != 2 || !pcm->samples)
        return 0;
    return FrameLevel(static_cast<const int16_t*>(pcm->samples), pcm->sample_count, pcm->channels, wavScale);
}

} // namespace

// A decoder with the MPEG and WAVE codecs and one input module; null when
// it could not be made.
decoder* NewDeckDecoder(bool memory)
{
    decoder* dec = nullptr;
    if (decoder_new(&dec) != 0 || !dec)
        return nullptr;
    codec_module_ops mpeg = {};
    mpeg_codec_module_register(&mpeg);
    codec_module_ops wave = {};
    wave_codec_module_register(&wave);
    input_module_ops input = {};
    if (memory)
        memory_input_module_register(&input);
    else
        file_input_module_register(&input);
    if (decoder_codec_module_register(dec, &mpeg) < 0 || decoder_codec_module_register(dec, &wave) < 0 ||
        decoder_input_module_register(dec, &input) < 0) {
        decoder_delete(dec);
        return nullptr;
    }
    return dec;
}

int FrameLevel(const int16_t* samples, int perChannel, int channels, int wavScale)
{
    if (!samples || perChannel <= 0)
        return 0;
    if (wavScale <= 0)
        wavScale = kDefaultWavScale;
    int peakA = 0, peakB = 0;
    if (channels >= 2) {
        peakA = PeakOf(samples, perChannel);
        peakB = PeakOf(samples + perChannel, perChannel);
    } else {
        peakB = PeakOf(samples, perChannel);
    }
    const int level = (peakA + peakB) / 2 / wavScale;
    return level > 100 ? 100 : level;
}

bool AutoGain(int peak, int agcLevel, int* gain)
{
    if (agcLevel <= 0 || !gain)
        return false;
    const int p = peak * 100 / agcLevel;
    int value = agcLevel;
    if (p < 100) {
        double correction = (100 - p) * 0.01 * agcLevel;
        value = agcLevel + static_cast<int>(correction < 100 ? correction : 100);
    } else if (p > 100) {
        double correction = (p - 100) * 0.01 * agcLevel;
        value = agcLevel - static_cast<int>(correction < 100 ? correction : 100);
    }
    *gain = value < 0 ? 0 : value > 100 ? 100 : value;
    return true;
}

int WaveStripWidth(int lengthSeconds) { return lengthSeconds > 0 ? lengthSeconds * kFramesPerSecond : 0; }

CString BpmText(float bpm)
{
    char text[32];
    snprintf(text, sizeof text, "%.2f", static_cast<double>(bpm));
    return text;
}

CString MemoryInputName(const void* data, uint32_t size)
{
    char name[64];
    snprintf(name, sizeof name, "%x@%llx", static_cast<unsigned>(size),
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(data)));
    return name;
}

bool EndsInWav(const char* path)
{
    const size_t length = path ? strlen(path) : 0;
    if (length < 3)
        return false;
    const char* end = path + length - 3;
    return (end[0] | 0x20) == 'w' && (end[1] | 0x20) == 'a' && (end[2] | 0x20) == 'v';
}

ScanStatus ScanTrackStart(const char* path, const ScanSettings& settings, ScanProgress* progress,
                          ScanResult* result)
{
    ScanResult scan;
    decoder* dec = deckscan::NewDeckDecoder(false);
    if (!dec)
        return ScanStatus::DecoderFailed;
    if (decoder_input_new(dec, path, -1) != 0 || decoder_input_open(dec) != 0) {
        decoder_delete(dec);
        return ScanStatus::InputFailed;
    }
    if (settings.channels < 1 || settings.sampleRate <= 0) {
        decoder_delete(dec);
        return ScanStatus::NoStreamFacts;
    }
    tempo::TempoDetector detector(settings.channels, settings.sampleRate);
    const int frames = settings.sampleTime > 0 ? settings.sampleTime * kFramesPerSecond : 0;
    int skipped = 0;
    int64_t samples = 0;
    while (scan.frames < frames) {
        const int decoded = decoder_decode(dec, nullptr);
        if (decoded != 0) {
            if (SkipsFrame(decoded, &skipped))
                continue;
            break;
        }
        skipped = 0;
        ++scan.frames;
        const pcm_buffer* pcm = dec->pcm;
        if (pcm && pcm->sample_count > 0)
            samples += pcm->sample_count;
        if (settings.checkBpm && pcm && pcm->samples && pcm->bytes_per_sample == 2 &&
            pcm->channels == detector.Channels())
            detector.Feed(static_cast<const int16_t*>(pcm->samples), pcm->sample_count);
        if (progress)
            progress->Frame(scan.frames);
        const int level = LevelOf(dec, settings.wavScale);
        if (!scan.startFound && level >= settings.findStartLevel) {
            // Whole seconds of sound up to the end of this frame: frames of
            // 1152 samples at 44.1 kHz are the deck's 38 a second, but WAV
            // blocks and other rates come faster or slower.
            const int rate = pcm && pcm->sample_rate > 0 ? pcm->sample_rate : settings.sampleRate;
            scan.foundStart = rate > 0 ? static_cast<int>(samples / rate) : scan.frames / kFramesPerSecond;
            scan.startFound = true;
        }
        if (level >= scan.peak)
            scan.peak = level;
    }
    if (settings.checkBpm)
        scan.bpm = detector.Bpm();
    decoder_input_close(dec);
    decoder_delete(dec);
    if (result)
        *result = scan;
    return ScanStatus::Done;
}

int DecodeWaveColumns(const uint8_t* data, uint32_t size, bool wav, int wavScale, int maxColumns,
                      WaveSink* sink)
{
    if (!data || size == 0)
        return -1;
    decoder* dec = deckscan::NewDeckDecoder(true);
    if (!dec)
        return -1;
    const CString name = MemoryInputName(data, size);
    if (decoder_input_new(dec, name.GetString(), -1) != 0) {
        decoder_delete(dec);
        return -1;
    }
    if (wav)
        decoder_input_send_message(dec, MEMORY_INPUT_CONTENT_TYPE, "audio/wave", 10);
    if (decoder_input_open(dec) != 0) {
        decoder_delete(dec);
        return -1;
    }
    // One column for every 1/38 s of sound, the loudest frame reaching into it.
    int columns = 0;
    int skipped = 0;
    int64_t samples = 0;
    int slotLevel = -1;
    for (;;) {
        const int decoded = decoder_decode(dec, nullptr);
        if (decoded != 0) {
            if (SkipsFrame(decoded, &skipped))
                continue;
            break;
        }
        skipped = 0;
        const pcm_buffer* pcm = dec->pcm;
        const int level = LevelOf(dec, wavScale);
        if (level > slotLevel)
            slotLevel = level;
        if (!pcm || pcm->sample_rate <= 0 || pcm->sample_count <= 0)
            continue;
        samples += pcm->sample_count;
        const int64_t due = samples * kFramesPerSecond / pcm->sample_rate;
        if (columns < due) {
            for (; columns < due && (maxColumns < 0 || columns < maxColumns); ++columns)
                if (sink)
                    sink->Column(columns, slotLevel);
            // The frame runs on into the next column.
            slotLevel = level;
        }
    }
    decoder_delete(dec);
    return columns;
}

} // namespace deckscan
