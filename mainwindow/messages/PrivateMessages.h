// The main window's private messages: WM_USER + N (and one WM_APP
// message), with the senders' parameters. Messages from other threads are
// posted; a message that carries text or a controller-map entry carries a
// copy made for that message, which the main window's handler takes and
// frees (TakeOwnedText, TakePostedItem, TakeRequestBlock). WM_TAG_ART and
// WM_JOG_MOVED are sent: their addresses need to live only for the call.
#pragma once

#include <windows.h>

#include "audio/deck/DeckHost.h"          // WM_DECK_TIME
#include "input/midi/ReceiverMessages.h"  // the MIDI receiver's names

// The request socket's two messages (input/server/RequestSocket.h, which
// needs winsock2.h before windows.h).
#ifndef WM_COMM_SOCKET_EVENT
#define WM_COMM_SOCKET_EVENT (WM_APP + 0x1234)   // event 0 to 3, the socket
#endif
#ifndef WM_COMM_REQUEST
#define WM_COMM_REQUEST (WM_USER + 9515)         // length, the bytes (owned copy)
#endif

enum : UINT {
    WM_SLIDER_TRACKING = WM_USER + 9425,       // slider id, position
    WM_SLIDER_CHANGED = WM_USER + 9426,        // slider id, position (0: read the slider)
    WM_CONTROLLER_TIME = WM_USER + 9501,       // deck 0 or 1, elapsed whole seconds
    WM_JOG_MOVED = WM_USER + 9502,             // controller-map entry (sent), wheel value
    WM_ART_FOUND = WM_USER + 9503,             // deck 0 to 3, 0
    WM_DECK_TEXT = WM_USER + 9504,             // deck 0 to 3 or 4, the track path (owned copy)
    WM_CONTROLLER_LED = WM_MIDI_LED_TOGGLE,    // light key, 0
    WM_CONTROLLER_FLASH = WM_MIDI_LED_FLASH,   // light key, 0
    WM_CONTROLLER_VALUE = WM_MIDI_VALUE,       // value, entry (owned copy)
    WM_QUEUE_A_SCROLL = WM_MIDI_SCROLL_AQ,     // value, the entry's low range value
    WM_QUEUE_B_SCROLL = WM_MIDI_SCROLL_BQ,
    WM_PITCH_NUDGE_HOLD = WM_MIDI_PITCH_RELEASE,  // deck 0 or 1, 0
    WM_HOLD_FORWARD = WM_MIDI_FAST_FORWARD,    // deck 0 or 1, 1 pressed / 0 released
    WM_HOLD_REWIND = WM_MIDI_REWIND,
    WM_CONTROLLER_WHEEL = WM_MIDI_WHEEL,       // value, entry (owned copy)
    WM_JUKE_SCROLL_UP = WM_USER + 9516,        // 0, 1 pressed / 0 released
    WM_JUKE_SCROLL_DOWN = WM_USER + 9517,
    WM_THUMB_SCROLL_LEFT = WM_USER + 9518,
    WM_THUMB_SCROLL_RIGHT = WM_USER + 9519,
    WM_TAG_ART = WM_USER + 9520,               // deck 0 to 3, the track path (sent)
    WM_TRACKLIST_SCROLL_UP = WM_USER + 9521,
    WM_TRACKLIST_SCROLL_DOWN = WM_USER + 9522,
    WM_CONTROLLER_DISPLAY = WM_MIDI_DISPLAY_TEXT,  // entry (owned copy), 0
};
