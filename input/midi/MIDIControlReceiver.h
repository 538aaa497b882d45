// CMIDIControlReceiver: the sink of the main window's MIDI input. Turns each
// short message of the controller into the command or private message
// that ControllerMap gives it (see ReceiverRules.h) and posts it to the main
// window, on the driver's thread; it touches no window otherwise.
#pragma once

#include <windows.h>

#include "input/controllermap/ControllerMap.h"
#include "input/midi/MIDIInDevice.h"
#include "input/midi/ReceiverRules.h"

#include <memory>

// The main window as the receiver sees it.
class MidiReceiverHost
{
public:
    virtual ~MidiReceiverHost() = default;
    // The window the messages go to (may change; read for every message).
    virtual HWND GetMainWindow() const = 0;
    // The display-controller and gain/pitch swap flags: single bytes
    // written on the window thread, read here without a lock.
    virtual ReceiverFlags GetReceiverFlags() const = 0;
    // Makes item the current jog-wheel item, under the main window's own
    // lock (its WM_MIDI_WHEEL handler takes the same lock to read it).
    virtual void SetJogWheelItem(const ControllerMapItem& item) = 0;
};

class CMIDIControlReceiver : public midi::CMIDIInputSink
{
public:
    // Construction
    explicit CMIDIControlReceiver(MidiReceiverHost& host, const ControllerMapTable& map = ControllerMap);

    // Overridables
    void ReceiveLongMessage(const BYTE* bytes, DWORD count, DWORD timestamp) override;
    void ReceiveShortMessage(DWORD packed, DWORD timestamp) override;
    void OnLongMessageError(const BYTE* bytes, DWORD count, DWORD timestamp) override;
    void OnShortMessageError(DWORD packed, DWORD timestamp) override;

private:
    MidiReceiverHost& m_host;
    const ControllerMapTable& m_map;
    HWND m_hMainWnd;
};

// Posts a message that carries a heap copy of item in the slot's
// parameter; the copy is freed at once when the post fails (or there is no
// window to post to). False then.
bool PostItemMessage(HWND hWnd, const ReceiverPost& post, const ControllerMapItem& item);
// The handler's side: takes ownership of the copy a message carries.
std::unique_ptr<ControllerMapItem> TakePostedItem(LPARAM value);
// Copies posted and not yet taken (for tests and diagnostics).
long GetPostedItemCount();
