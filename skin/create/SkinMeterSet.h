// SkinMeterSet: the displays the main window keeps for the skin's level
// meters and its spectrum pane, which the level-meter and spectrum
// creators fill: one image meter per deck meter (window ids 18000-18007),
// one needle meter per meter of decks A and B, the decks' flags that they
// use image or needle meters, and the spectrum's two colours.
#pragma once

#include "skin/fields/TXVVUMeter.h"
#include "widgets/meter/NeedleMeterCtrl.h"

struct SkinMeterSet
{
    enum { kImageMeters = 8, kNeedleMeters = 4, kDecks = 4, kFirstImageMeterId = 18000 };

    TXVVUMeter imageMeters[kImageMeters];     // a-left, a-right, b-left ... d-right
    CNeedleMeterCtrl needleMeters[kNeedleMeters];   // a-left, a-right, b-left, b-right
    bool deckUsesImageMeters[kDecks] = {false, false, false, false};
    bool deckUsesNeedleMeters[kDecks] = {false, false, false, false};
    COLORREF spectrumBack = 0;
    COLORREF spectrumFore = 0;
};
