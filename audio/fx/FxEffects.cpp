#include "audio/fx/FxEffects.h"

#include <math.h>
#include <string.h>

namespace {

const double kTwoPi = 6.283185307179586;
const double kQuarterPi = 0.7853981633974483;

int16_t Saturate(int32_t value)
{
    if (value <= -32768)
        return -32768;
    if (value >= 32767)
        return 32767;
    return static_cast<int16_t>(value);
}

int LengthInRing(int length, int ring)
{
    if (length < 1)
        return 1;
    return length > ring ? ring : length;
}

} // namespace

void FxStateInit(FxRunningState* state)
{
    state->angle = kQuarterPi;
    FxClearEcho(state);
    FxClearFlange(state);
}

void FxClearEcho(FxRunningState* state)
{
    memset(state->echo, 0, sizeof(state->echo));
    state->echoIndex = 0;
}

void FxClearFlange(FxRunningState* state)
{
    memset(state->flange, 0, sizeof(state->flange));
    state->flangeIndex = 0;
}

int FxEchoLengthInRing(int length) { return LengthInRing(length, FX_ECHO_RING_FRAMES); }
int FxFlangeLengthInRing(int length) { return LengthInRing(length, FX_FLANGE_RING_FRAMES); }

float FxRotateStep(float speed)
{
    const float pi = 3.1415927f;
    const float turns = truncf(speed * 0.31830987f);
    return speed - turns * pi;
}

void FxRotate(FxRunningState* state, int16_t* samples, size_t frames, float speed)
{
    const double step = FxRotateStep(speed);
    double angle = state->angle;
    for (size_t i = 0; i < frames; ++i) {
        int16_t* frame = samples + 2 * i;
        frame[0] = static_cast<int16_t>(sin(angle) * frame[0]);
        frame[1] = static_cast<int16_t>(cos(angle) * frame[1]);
        // The pan repeats every 2 pi: the angle stays small, so a step far
        // below one turn still moves it after hours of play.
        angle += step;
        if (angle >= kTwoPi)
            angle -= kTwoPi;
        else if (angle < 0)
            angle += kTwoPi;
    }
    state->angle = angle;
}

namespace {

// Runs a delay ring over the frames: each frame is mixed with the ring's
// entry at the index, the entry becomes the unprocessed input frame, and
// the index wraps at the length (brought within the ring).
template <size_t Ring, typename Mix>
void RunDelay(int16_t (&ring)[Ring][2], uint32_t* index, int16_t* samples, size_t frames, int length, Mix mix)
{
    const uint32_t n = static_cast<uint32_t>(LengthInRing(length, static_cast<int>(Ring)));
    uint32_t at = *index < n ? *index : 0;
    for (size_t i = 0; i < frames; ++i) {
        int16_t* frame = samples + 2 * i;
        int16_t* delayed = ring[at];
        const int16_t left = frame[0], right = frame[1];
        mix(frame, delayed);
        delayed[0] = left;
        delayed[1] = right;
        if (++at >= n)
            at = 0;
    }
    *index = at;
}

} // namespace

void FxEcho(FxRunningState* state, int16_t* samples, size_t frames, int length)
{
    // Half of the delayed channels, crossed over.
    RunDelay(state->echo, &state->echoIndex, samples, frames, length, [](int16_t* frame, const int16_t* delayed) {
        frame[0] = Saturate(frame[0] + delayed[1] / 2);
        frame[1] = Saturate(frame[1] + delayed[0] / 2);
    });
}

void FxFlange(FxRunningState* state, int16_t* samples, size_t frames, int length)
{
    RunDelay(state->flange, &state->flangeIndex, samples, frames, length, [](int16_t* frame, const int16_t* delayed) {
        frame[0] = Saturate(frame[0] + delayed[0]);
        frame[1] = Saturate(frame[1] + delayed[1]);
    });
}

void FxProcessBlock(FxRunningState* state, int mode, void* samples, int byte_count,
                    int bytes_per_sample, int channels, float speed, int echo_length,
                    int flange_length)
{
    if (!state || !samples || byte_count <= 0 || bytes_per_sample != 2 || channels != 2)
        return;
    int16_t* frames = static_cast<int16_t*>(samples);
    const size_t count = static_cast<size_t>(byte_count) / 4;
    switch (mode) {
    case FX_ROTATE: FxRotate(state, frames, count, speed); break;
    case FX_ECHO: FxEcho(state, frames, count, echo_length); break;
    case FX_FLANGE: FxFlange(state, frames, count, flange_length); break;
    default: break;
    }
}
