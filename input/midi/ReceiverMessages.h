// The private messages that the MIDI controller receiver posts to the main
// window. The ones that carry a controller-map entry carry a heap copy made
// for that message: the handler takes it with TakePostedItem and so owns it.
#pragma once

#ifndef WM_USER
#define WM_USER 0x0400
#endif
#ifndef WM_COMMAND
#define WM_COMMAND 0x0111
#endif

#define WM_MIDI_LED_TOGGLE (WM_USER + 9505)    // lkey (low 16 bits), 0
#define WM_MIDI_LED_FLASH (WM_USER + 9506)     // lkey (low 16 bits), 0
#define WM_MIDI_VALUE (WM_USER + 9507)         // value, item copy
#define WM_MIDI_SCROLL_AQ (WM_USER + 9509)     // value, the item's rhigh
#define WM_MIDI_SCROLL_BQ (WM_USER + 9510)     // value, the item's rhigh
#define WM_MIDI_PITCH_RELEASE (WM_USER + 9511) // deck (0 A, 1 B), 0
#define WM_MIDI_FAST_FORWARD (WM_USER + 9512)  // deck, 1 pressed / 0 released
#define WM_MIDI_REWIND (WM_USER + 9513)        // deck, 1 pressed / 0 released
#define WM_MIDI_WHEEL (WM_USER + 9514)         // value, item copy
#define WM_MIDI_DISPLAY_TEXT (WM_USER + 9523)  // item copy, 0
