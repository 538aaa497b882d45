// The arithmetic of the decks' three sound effects, on blocks of 16-bit
// stereo frames (left sample first), in place:
//   rotate  an automatic pan: left x sin(angle), right x cos(angle), the
//           angle turning by the rotate speed each frame;
//   echo    each channel plus half of the other channel's input of
//           (echo length) frames before;
//   flange  each channel plus its own input of (flange length) frames before.
// One FxRunningState per deck holds the angle and the two delay rings. No
// window code, no allocation.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum FxMode
{
    FX_NONE = 0,
    FX_ROTATE = 1,
    FX_ECHO = 2,
    FX_FLANGE = 3,
};

enum
{
    FX_ECHO_RING_FRAMES = 5999,
    FX_FLANGE_RING_FRAMES = 599,
};

// The start values of the shared settings.
const float FX_DEFAULT_ROTATE_SPEED = 0.00002f; // radians per frame
const int FX_DEFAULT_ECHO_LENGTH = 3000;       // frames
const int FX_DEFAULT_FLANGE_LENGTH = 200;      // frames

struct FxRunningState
{
    double angle; // radians, kept in [0, 2 pi)
    int16_t echo[FX_ECHO_RING_FRAMES][2];
    uint32_t echoIndex;
    int16_t flange[FX_FLANGE_RING_FRAMES][2];
    uint32_t flangeIndex;
};

// Angle pi/4, both rings silent, both indexes 0.
void FxStateInit(FxRunningState* state);
void FxClearEcho(FxRunningState* state);
void FxClearFlange(FxRunningState* state);

// A delay length brought into what its ring holds: 1 to the ring's size.
int FxEchoLengthInRing(int length);
int FxFlangeLengthInRing(int length);

// The angle's step per frame for a speed: the speed less whole multiples of
// pi, as a 32-bit float.
float FxRotateStep(float speed);

// Each processes `frames` stereo frames in place.
void FxRotate(FxRunningState* state, int16_t* samples, size_t frames, float speed);
void FxEcho(FxRunningState* state, int16_t* samples, size_t frames, int length);
void FxFlange(FxRunningState* state, int16_t* samples, size_t frames, int length);

// Applies the mode's effect to a block as the filter receives it: only
// blocks of 16-bit stereo are changed (whole frames: byte_count / 4); any
// other layout, and mode FX_NONE or an unknown mode, pass unchanged.
void FxProcessBlock(FxRunningState* state, int mode, void* samples, int byte_count,
                    int bytes_per_sample, int channels, float speed, int echo_length,
                    int flange_length);
