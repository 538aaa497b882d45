// The program's own feedback handler module, "Sample Feedback Module": it
// turns a player's PCM feedback into the deck meters and scopes, the audio
// jukebox meters, spectrum bars drawn into a window and an oscilloscope.
// A player registers it as "function@<address of
// sample_feedback_module_register>" and selects a handler by name:
//   sample-spectrum       JukeboxLevelHandler   the audio jukebox meters
//   sample-spectrum2      SpectrumBarsHandler   the dAredero spectrum view
//   sample-spectruma/b    SpectrumBarsHandler   a deck spectrum view and that
//                                               deck's meters
//   sample-vu, -vua, -vub DeckLevelHandler      a deck's meters and scope
//   sample-oscilloscope   OscilloscopeHandler   130 x 40 pixels
// The engine's client variables hold 32-bit integers, so the players hand
// window handles over (CLIENT.MAINWINDOW, CLIENT.FEEDBACK-WINDOW); the main
// window and the jukebox window register themselves under their handles
// here, and the handlers look them up at every block. All handler work runs
// on the feedback thread of the player concerned.
#pragma once

#include <stdint.h>

#include <windows.h>

#include "decoder/player/feedback_handler.h"

// What the deck handlers need of the main window.
class FeedbackMainWindow
{
public:
    virtual ~FeedbackMainWindow() = default;
    // Its window handle; null while it has none.
    virtual HWND FeedbackWindowHandle() const = 0;
    // True when the deck's player state is 4001 (playing).
    virtual bool IsDeckPlaying(int deck) const = 0;
    // The deck's level field (the mean of left and right) and its meters.
    virtual void SetDeckLevel(int deck, int level) = 0;
    virtual void SetDeckVuLevels(int deck, int left, int right) = 0;
    // True when the skin shows the deck's scope control.
    virtual bool IsDeckScopeShown(int deck) const = 0;
    // MAIN/Decode: the decks decode whole files in memory.
    virtual bool DecodesInMemory() const = 0;
    virtual void AppendDeckScopeValue(int deck, int value) = 0;
    // The two spectrum colours the skin stored (bar, peak).
    virtual void GetSpectrumColours(uint32_t* bar, uint32_t* peak) const = 0;
};

// What the "sample-spectrum" handler needs of the audio jukebox window.
class FeedbackLevelMeters
{
public:
    virtual ~FeedbackLevelMeters() = default;
    virtual HWND FeedbackWindowHandle() const = 0;
    virtual void SetVULevels(int left, int right) = 0;
};

// The value a player puts into a client variable for a window.
int32_t FeedbackHandleValue(HWND window);

// Registration under a window handle value; null removes it. A removal
// waits for a handler call that is using the object to end.
void FeedbackRegisterMainWindow(int32_t handle, FeedbackMainWindow* window);
void FeedbackRegisterLevelMeters(int32_t handle, FeedbackLevelMeters* meters);

// The module's entry point.
int sample_feedback_module_register(feedback_handler_module_ops* ops);

// The default colours of the spectrum views without a main window.
enum : uint32_t { FEEDBACK_DEFAULT_BAR = 0x0000ff00, FEEDBACK_DEFAULT_PEAK = 0x00ffffff };
