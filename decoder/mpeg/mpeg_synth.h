// The polyphase synthesis filterbank and the PCM output stage shared by all
// three layers (see mpeg_frame.h for how a layer decoder feeds it).
#pragma once

#include <stdint.h>

#include "decoder/mpeg/mpeg_frame.h"

// One channel's synthesis filterbank: 32 subband samples in, 32 >> shift
// PCM samples out.
class mpeg_synth
{
public:
    mpeg_synth();

    // Clears the history (a block of zeros then gives zeros).
    void reset();

    // Gains per subband, or nullptr for none. The table is copied.
    void set_gains(const float* gains32);
    bool has_gains() const { return m_has_gains; }
    const float* gains() const { return m_gains; }

    // Synthesizes one block of 32 subband samples (full scale 1.0); writes
    // 32 >> shift samples starting at out, stepping by stride. Full rate
    // rounds to the nearest integer, reduced rate truncates; both clip to
    // 16 bits. Only the lowest 32 >> shift subbands are used.
    void block(const float* subbands, int shift, int16_t* out, int stride);
    // Writes 32 >> shift zero samples.
    static void silent(int shift, int16_t* out, int stride);

private:
    double m_v[1024]; // the last 16 V vectors (float values), newest at m_offset (ring)
    int m_offset;
    bool m_has_gains;
    float m_gains[32];
};

// Channel selection of the codec parameters.
enum mpeg_channel_selection
{
    MPEG_SELECT_BOTH = 0,
    MPEG_SELECT_LEFT = 1,
    MPEG_SELECT_RIGHT = 2,
    MPEG_SELECT_MIX = 3,
};

// The output stage of one codec instance: two synthesis states, the channel
// layout and rate reduction of the current frame and the PCM buffer.
class mpeg_output
{
public:
    mpeg_output();

    // Both synthesis states back to silence.
    void reset();
    // Equalizer gains of the left (0) or right (1) synthesis; nullptr: none.
    void set_gains(int channel, const float* gains32);
    const mpeg_synth& synth(int channel) const { return m_synth[channel]; }

    // Sets layout and rate for a frame: the stream's channels, the channel
    // selection (mpeg_channel_selection) and the quality (0 full rate, 1
    // half, 2 quarter), then points the output at pcm.
    void configure(const mpeg_frame_header& header, int selection, int quality);
    void begin(int16_t* pcm);

    int shift() const { return m_shift; }
    int subband_limit() const { return 32 >> m_shift; }
    int rate() const { return m_rate; }
    int pcm_channels() const { return m_pcm_channels; }
    // True when the subband samples of stream channel ch (0 left, 1 right)
    // are used by the current layout.
    bool needs_channel(int ch) const;
    // Samples per channel written since begin().
    int samples_written() const { return m_written; }

    // One time slot: 32 subband samples per stream channel; right is
    // nullptr for a single-channel stream.
    void block(const float* left, const float* right);
    // One layer III granule: [32 subbands][18 slots] per stream channel.
    void granule(const float (*left)[18], const float (*right)[18]);
    void silent_block();
    void silent_granule();

private:
    enum layout { OUT_MONO, OUT_STEREO, OUT_LEFT, OUT_RIGHT, OUT_MIX };

    mpeg_synth m_synth[2];
    layout m_layout;
    int m_shift;
    int m_rate;
    int m_pcm_channels;
    int16_t* m_pcm;
    int m_written;
};
