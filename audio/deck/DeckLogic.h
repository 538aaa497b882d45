// The decks' rules that need no window: the deck state codes and how the
// engine's player states map onto them, time codes as positions, the loop,
// the equalizer table, output device numbers and names, and the deck texts.
#pragma once

#include <stdint.h>

#include <string>

// Deck state codes, as every player of the program keeps them.
enum DeckState
{
    DECK_STATE_SETUP = 4000,
    DECK_STATE_PLAYING = 4001,
    DECK_STATE_STOPPED = 4002,
    DECK_STATE_PAUSED = 4003,
    DECK_STATE_END_OF_STREAM = 4004,
};

// The deck state of an engine player state (0 stopped, 1 playing, 2 paused,
// 3 end of stream); 0 for any other value (the state does not change).
int DeckStateFromEngine(int engineState);

// Whole seconds of a time code: hours x 3600 + minutes x 60 + seconds.
int32_t TimecodeSeconds(int hours, int minutes, int seconds);

// True when a looping deck at this position must go back to loop-in.
bool LoopReachedEnd(bool loopOn, int32_t position, int32_t loopIn, int32_t loopOut);

// The codec equalizer table of a deck: 64 signed bytes, band 0 = low,
// bands 1 to 6 = mid, bands 7 to 31 = high, bytes 32-63 a copy of 0-31 (the
// second channel). Values beyond a signed byte are held at its ends.
void DeckEqualizerTable(int low, int mid, int high, int8_t table[64]);

// The device a player is set up on: mains 1 to 8 as given, anything else 0.
int DeckSetupDevice(int mainsIndex);
// A stored device index checked against the system's mixer devices: an
// index above their count becomes 0 (an index equal to it stays).
int DeckDeviceForMixers(int index, int mixerCount);
// The output name of a device number: "/dev/dsound/N".
std::string DeckDeviceName(int index);

// An output device as a player lists it: "wave" in its name becomes
// "dsound"; only names that begin with "/dev" are listed (false).
bool DeckListedDeviceName(const char* received, std::string* listed);
// The row text of a device in a device box: "%d : %s".
std::string DeckDeviceRowText(int index, const char* description);

// The deck's letter ('A' to 'D'); '?' outside 0-3.
char DeckLetter(int deck);
// "Deck A - Reset" and the like, for every deck with its own letter.
std::string DeckResetTitle(int deck);
// "Deck A - Load Track", "Deck B - Load Track"; decks C and D keep an empty
// title.
std::string DeckLoadTitle(int deck);
// The player name of a deck: "Player 1" to "Player 4".
std::string DeckPlayerName(int deck);
// The feedback handler a deck's VU feedback selects.
const char* DeckVuFeedbackName(int deck);
const char* DeckSpectrumFeedbackName(int deck);
