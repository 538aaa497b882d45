#include "audio/feedback/FeedbackLevels.h"

#include <string.h>

#include "decoder/fft/fft.h"

namespace {

int ChannelPeak(const int8_t* samples, int count)
{
    int peak = 0;
    for (int i = 0; i < count; ++i)
        if (samples[i] > peak)
            peak = samples[i];
    return peak > 100 ? 100 : peak;
}

void FillRect(const FeedbackCanvas& canvas, int x, int width, int row, int height, uint32_t colour)
{
    for (int r = row; r < row + height; ++r)
        for (int c = x; c < x + width; ++c)
            canvas.pixels[r * canvas.width + c] = colour;
}

} // namespace

const int8_t* FeedbackFirstChannel(const pcm_block& block, int* count)
{
    *count = block.samples && block.channels >= 1 ? block.samples_per_channel : 0;
    return block.samples;
}

FeedbackLevels FeedbackBlockLevels(const pcm_block& block)
{
    FeedbackLevels levels;
    int count = 0;
    const int8_t* first = FeedbackFirstChannel(block, &count);
    if (count == 0)
        return levels;
    levels.left = ChannelPeak(first, count);
    // Channels lie one after the other, samples_per_channel apart.
    levels.right = block.channels >= 2 ? ChannelPeak(first + block.samples_per_channel, count) : levels.left;
    return levels;
}

bool FeedbackScopeValue(fft_context* fft, const pcm_block& block, int deck, int* value)
{
    int n = 0;
    const int8_t* first = FeedbackFirstChannel(block, &n);
    if (n > 512)
        n = 512;
    if (n == 0 || !fft)
        return false;
    uint8_t bands[512];
    fft_set_input(fft, first, n); // a refused count keeps the previous input
    if (fft_get_spectrum(fft, bands, n) != 0)
        return false;
    int sum = 0;
    for (int i = 0; i < n; ++i)
        sum += bands[i];
    int mean = sum / n;
    if ((deck == 0 || deck == 1) && mean < 1)
        mean = 1;
    *value = mean;
    return true;
}

int SpectrumBarWidth(int width, bool darederoView)
{
    return darederoView ? (width - 32) / 32 : width / 32;
}

void SpectrumBars::Setup(int barWidth, int height)
{
    for (SpectrumBar& bar : m_bars) {
        bar = SpectrumBar();
        bar.width = barWidth;
        bar.maximum = height - 3;
    }
}

void SpectrumBars::Update(const uint8_t spectrum[256])
{
    for (int k = 1; k < 256; ++k) {
        SpectrumBar& bar = m_bars[k - 1];
        int target = k <= 3 ? spectrum[k] * 2 / 7 : spectrum[k] / 3;
        if (target > bar.maximum)
            target = bar.maximum;
        bar.level = (target + bar.level) / 2;
        if (bar.level >= bar.peak) {
            bar.peak = bar.level;
            bar.fall = 0;
        } else if (bar.fall < bar.peak) {
            bar.peak -= bar.fall / 4;
            ++bar.fall;
        } else {
            bar.peak = 0;
        }
    }
}

void SpectrumBars::Draw(const FeedbackCanvas& canvas, uint32_t barColour, uint32_t peakColour) const
{
    memset(canvas.pixels, 0, sizeof(uint32_t) * static_cast<size_t>(canvas.width) * canvas.height);
    for (int i = 0; i < BAR_COUNT; ++i) {
        const SpectrumBar& bar = m_bars[i];
        const int x = i * (bar.width + GAP);
        if (bar.width <= 0 || x + bar.width >= canvas.width)
            continue;
        if (bar.level > 0 && bar.level < canvas.height)
            FillRect(canvas, x, bar.width, 0, bar.level, barColour);
        if (bar.peak >= 0 && bar.peak + bar.peakHeight < canvas.height)
            FillRect(canvas, x, bar.width, bar.peak, bar.peakHeight, peakColour);
    }
}

Oscilloscope::Oscilloscope()
{
    for (int& row : m_rows)
        row = HEIGHT; // nothing drawn yet
}

int Oscilloscope::Row(int sample) { return sample * 40 / 256 + 20; }

void Oscilloscope::Draw(const FeedbackCanvas& canvas, const pcm_block& block)
{
    int count = 0;
    const int8_t* first = FeedbackFirstChannel(block, &count);
    if (count > WIDTH)
        count = WIDTH;
    if (canvas.width < WIDTH || canvas.height < HEIGHT)
        return;
    for (int column = 0; column < count; ++column) {
        if (m_rows[column] < HEIGHT)
            canvas.pixels[m_rows[column] * canvas.width + column] = 0;
        const int row = Row(first[column]);
        canvas.pixels[row * canvas.width + column] = 0xffffff;
        m_rows[column] = row;
    }
}
