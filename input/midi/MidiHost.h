// The main window as the MIDI devices and the learn dialog see it: its two
// devices, closing them after a failed send, and opening the controller
// again. The main window registers itself; with none registered a failed
// send only reports the error.
#pragma once

namespace midi {

class CMIDIInDevice;
class CMIDIOutDevice;

class MidiDeviceHost
{
public:
    virtual ~MidiDeviceHost() = default;
    virtual CMIDIInDevice& GetMidiIn() = 0;
    virtual CMIDIOutDevice& GetMidiOut() = 0;
    // Stops and closes the input and closes the output when open.
    virtual void CloseMidiDevices() = 0;
    // Opens the configured input and output and starts receiving.
    virtual void InitMIDIController() = 0;
};

// Returns the host before.
MidiDeviceHost* SetMidiDeviceHost(MidiDeviceHost* host);
MidiDeviceHost* GetMidiDeviceHost();

} // namespace midi
