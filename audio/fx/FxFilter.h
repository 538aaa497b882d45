// The FX output filter: the decks' rotate, echo and flange effects as an
// output filter module of the decoder engine. A deck's player inserts it
// into its output chain by the name "function@" + the address of the deck's
// module entry (command 24) and removes it again (command 25); every block
// the player writes to its output then passes through the filter on the
// player's output thread.
//
// Each deck has its own running state (angle and delay rings) and its own
// lock around it, so no two output threads share a ring. The effect mode is
// kept for deck A and for deck B; decks C and D follow deck B's mode. The
// three settings (rotate speed, echo length, flange length) are shared.
#pragma once

#include <stdint.h>

#include "audio/fx/FxEffects.h"
#include "decoder/engine/decoder.h"

enum { FX_DECK_COUNT = 4 };

// The module entries of decks A to D: each fills the 13-entry ops table and
// returns 0.
int FxFilterModuleA(output_filter_module_ops* ops);
int FxFilterModuleB(output_filter_module_ops* ops);
int FxFilterModuleC(output_filter_module_ops* ops);
int FxFilterModuleD(output_filter_module_ops* ops);
// The entry of a deck (0-3), null for any other number.
output_filter_module_register_function FxFilterModuleEntry(int deck);

// The effect mode a deck plays with (decks C and D: deck B's).
int FxGetMode(int deck);
// Sets the mode of deck A (deck 0) or deck B (any other deck, so decks C
// and D too). Switching echo on clears the echo rings, switching flange on
// the flange rings, of every deck that plays with that mode, so no old
// sound is heard. Modes outside 0-3 are taken as 0.
void FxSetMode(int deck, int mode);
// The main window's FX command: the mode, unless the deck has it already,
// then 0. Returns the new mode.
int FxToggleMode(int deck, int mode);

// Shared settings. Lengths are kept within what the rings hold.
float FxGetRotateSpeed();
void FxSetRotateSpeed(float radiansPerFrame);
int FxGetEchoLength();
void FxSetEchoLength(int frames);
int FxGetFlangeLength();
void FxSetFlangeLength(int frames);

// Zero one deck's echo (or flange) ring and its index; they wait while that
// deck's filter is inside its block.
void FxClearEchoBuffer(int deck);
void FxClearDelayBuffer(int deck);

// The start state: modes 0, default settings, every deck's angle pi/4 and
// silent rings.
void FxRestoreDefaults();

// The rotate angle of a deck's running state (radians), for display and tests.
double FxGetRotateAngle(int deck);
