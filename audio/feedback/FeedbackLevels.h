// The arithmetic of the visualisation feedback handlers, free of window
// code: the VU levels of a feedback block, the deck scope value, the
// spectrum bars with their falling peaks and the oscilloscope trace, each
// drawn into a bottom-up canvas of 32-bit pixels.
#pragma once

#include <stdint.h>

#include "decoder/player/control_messages.h"

struct fft_context;

// Left and right VU levels of a block: the largest sample value of each
// channel (the first channel's for both when there is one), held to 100.
struct FeedbackLevels
{
    int left = 0;
    int right = 0;
};
FeedbackLevels FeedbackBlockLevels(const pcm_block& block);

// The first channel of a block: its samples and their count.
const int8_t* FeedbackFirstChannel(const pcm_block& block, int* count);

// The deck scope value of a block: the mean of the analyser's levels over
// the block's first channel (at most 512 samples, as many bands), at least
// 1 for decks A and B (0 and 1). False, and no value, for an empty block or
// a spectrum the analyser refuses.
bool FeedbackScopeValue(fft_context* fft, const pcm_block& block, int deck, int* value);

// A bottom-up canvas: row 0 is the lowest line of the picture.
struct FeedbackCanvas
{
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

struct SpectrumBar
{
    int width = 0;
    int level = 0;
    int maximum = 0;
    int fall = 0;
    int peak = 0;
    int peakHeight = 3;
};

// 256 bars of the spectrum view (255 are fed, from spectrum bytes 1-255).
class SpectrumBars
{
public:
    enum { BAR_COUNT = 256, GAP = 1 };

    // Bars of the given width whose levels reach at most height - 3.
    void Setup(int barWidth, int height);
    // New levels and peaks from 256 spectrum bytes.
    void Update(const uint8_t spectrum[256]);
    // Clears the canvas and draws the bars and peaks that fit.
    void Draw(const FeedbackCanvas& canvas, uint32_t barColour, uint32_t peakColour) const;

    const SpectrumBar& Bar(int i) const { return m_bars[i]; }

private:
    SpectrumBar m_bars[BAR_COUNT];
};

// The bar width of a spectrum handler: (width - 32) / 32 for the dAredero
// view, width / 32 for the deck views.
int SpectrumBarWidth(int width, bool darederoView);

// The oscilloscope: 130 x 40 pixels, one dot per column.
class Oscilloscope
{
public:
    enum { WIDTH = 130, HEIGHT = 40 };

    Oscilloscope();
    // The row of a sample: s x 40 / 256 + 20 (toward zero), 0 to 39.
    static int Row(int sample);
    // Erases each column's previous dot and draws the new one.
    void Draw(const FeedbackCanvas& canvas, const pcm_block& block);

    int LastRow(int column) const { return m_rows[column]; }

private:
    int m_rows[WIDTH];
};
