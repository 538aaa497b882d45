#include "audio/deck/DeckLogic.h"

#include <stdio.h>
#include <string.h>

int DeckStateFromEngine(int engineState)
{
    switch (engineState) {
    case 0: return DECK_STATE_STOPPED;
    case 1: return DECK_STATE_PLAYING;
    case 2: return DECK_STATE_PAUSED;
    case 3: return DECK_STATE_END_OF_STREAM;
    default: return 0;
    }
}

int32_t TimecodeSeconds(int hours, int minutes, int seconds)
{
    return static_cast<int32_t>(hours) * 3600 + static_cast<int32_t>(minutes) * 60 + seconds;
}

bool LoopReachedEnd(bool loopOn, int32_t position, int32_t loopIn, int32_t loopOut)
{
    return loopOn && loopIn < loopOut && position >= loopOut;
}

void DeckEqualizerTable(int low, int mid, int high, int8_t table[64])
{
    auto clamp = [](int v) -> int8_t {
        return static_cast<int8_t>(v < -128 ? -128 : v > 127 ? 127 : v);
    };
    table[0] = clamp(low);
    for (int band = 1; band <= 6; ++band)
        table[band] = clamp(mid);
    for (int band = 7; band < 32; ++band)
        table[band] = clamp(high);
    memcpy(table + 32, table, 32);
}

int DeckSetupDevice(int mainsIndex)
{
    return mainsIndex >= 1 && mainsIndex <= 8 ? mainsIndex : 0;
}

int DeckDeviceForMixers(int index, int mixerCount)
{
    return index > mixerCount ? 0 : index;
}

std::string DeckDeviceName(int index)
{
    char text[32];
    snprintf(text, sizeof(text), "/dev/dsound/%d", index);
    return text;
}

bool DeckListedDeviceName(const char* received, std::string* listed)
{
    if (!received || strncmp(received, "/dev", 4) != 0)
        return false;
    std::string name = received;
    for (size_t at = name.find("wave"); at != std::string::npos; at = name.find("wave", at + 6))
        name.replace(at, 4, "dsound");
    if (listed)
        *listed = name;
    return true;
}

std::string DeckDeviceRowText(int index, const char* description)
{
    char text[300];
    snprintf(text, sizeof(text), "%d : %s", index, description ? description : "");
    return text;
}

char DeckLetter(int deck) { return deck >= 0 && deck <= 3 ? static_cast<char>('A' + deck) : '?'; }

std::string DeckResetTitle(int deck)
{
    return std::string("Deck ") + DeckLetter(deck) + " - Reset";
}

std::string DeckLoadTitle(int deck)
{
    if (deck == 0 || deck == 1)
        return std::string("Deck ") + DeckLetter(deck) + " - Load Track";
    return std::string();
}

std::string DeckPlayerName(int deck)
{
    return "Player " + std::to_string(deck + 1);
}

const char* DeckVuFeedbackName(int deck)
{
    return deck == 0 ? "sample-vua" : deck == 1 ? "sample-vub" : "sample-vu";
}

const char* DeckSpectrumFeedbackName(int deck)
{
    return deck == 0 ? "sample-spectruma" : "sample-spectrumb";
}
