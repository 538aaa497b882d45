// The player wrapper through which the program's players talk to the
// decoder engine.
//   DekodaException  the error a DkPlayer constructor throws
//   DkPlayerClient   owns a player handle; turns each notification record
//                    into a call of one virtual handler
//   DkPlayer         gives the player a hidden window on the constructing
//                    thread, so that every handler runs on that thread
// A subclass overrides the handlers it needs (each default does nothing)
// and sends commands with control_message_send on Player(). Texts and
// payloads handed to a handler are valid only during the call.
#pragma once

#include <stdint.h>

#include <windows.h>

#include "decoder/player/control_messages.h"
#include "decoder/player/message_transport.h"
#include "decoder/engine/property_list.h"

class DekodaException
{
public:
    explicit DekodaException(int32_t error) : m_error(error) {}
    // The engine error code (-106 version mismatch, -100 out of memory).
    int32_t Error() const { return m_error; }

private:
    int32_t m_error;
};

class DkPlayerClient
{
public:
    // Construction
    DkPlayerClient() = default;
    DkPlayerClient(const DkPlayerClient&) = delete;
    DkPlayerClient& operator=(const DkPlayerClient&) = delete;

    // Attributes
    message_channel* Player() const { return m_player; }

    // Overridables, in the order every player class keeps.
    virtual ~DkPlayerClient();
    // player_new_with_properties / player_new into the handle; null on failure.
    virtual int CreatePlayerWithProperties(HWND* window, const property_list* properties);
    virtual int CreatePlayer(HWND* window);
    // Calls the handler of the record's code; codes without one are ignored.
    virtual void DispatchNotification(const control_message* message);
    virtual void OnReady() {}                                              // 73
    virtual void OnAck(uint8_t) {}                                         // 74 command code
    virtual void OnNack(const control_payload*) {}                         // 75 nack.code, nack.error
    virtual void OnPong(uint32_t) {}                                       // 76 tag
    virtual void OnExited() {}                                             // 77
    virtual void OnPlayerState(uint8_t) {}                                 // 78
    virtual void OnPlayerMode(uint32_t) {}                                 // 79
    virtual void OnEnvInteger(const char*, int32_t) {}                     // 80 name, value
    virtual void OnEnvString(const char*, const char*) {}                  // 81 name, value
    virtual void OnInputState(uint8_t) {}                                  // 82
    virtual void OnInputName(const char*) {}                               // 83
    virtual void OnInputCaps(uint32_t) {}                                  // 84
    virtual void OnPosition(uint32_t, uint32_t) {}                         // 85 offset, range
    virtual void OnPositionRange(uint32_t) {}                              // 86
    virtual void OnTimecode(const control_payload*) {}                     // 87 timecode.*
    virtual void OnTimecodeGranularity(uint32_t) {}                        // 88
    virtual void OnInputModule(int) {}                                     // 89
    virtual void OnInputModuleInfo(const control_payload*) {}              // 90 module.*
    virtual void OnInputDeviceInfo(const control_payload*) {}              // 91 device.*
    virtual void OnInputFilterInfo(const control_payload*) {}              // 92 filter.*
    virtual void OnOutputState(uint8_t) {}                                 // 93
    virtual void OnOutputName(const char*) {}                              // 94
    virtual void OnOutputCaps(uint32_t) {}                                 // 95
    virtual void OnReserved96(uint32_t, uint32_t) {}                       // 96
    virtual void OnReserved98(const control_payload*) {}                   // 98
    virtual void OnReserved100(const control_payload*) {}                  // 100
    virtual void OnOutputBalance(uint8_t) {}                               // 101
    virtual void OnOutputPcmLevel(uint8_t) {}                              // 102
    virtual void OnOutputMasterLevel(uint8_t) {}                           // 103
    virtual void OnChannelMode(uint8_t) {}                                 // 104
    virtual void OnOutputPorts(uint8_t) {}                                 // 105
    virtual void OnOutputModule(int) {}                                    // 106
    virtual void OnOutputModuleInfo(const control_payload*) {}             // 107
    virtual void OnOutputDeviceInfo(const control_payload*) {}             // 108
    virtual void OnOutputFilterInfo(const control_payload*) {}             // 109
    virtual void OnDuration(uint32_t) {}                                   // 111 seconds
    virtual void OnContentType(const char*) {}                             // 110
    virtual void OnStreamFormat(const control_payload*) {}                 // 112 format.*
    virtual void OnStreamProperties(const property_list*) {}               // 113
    virtual void OnCodecQuality(uint8_t) {}                                // 114
    virtual void OnCodecEqualizer(const int8_t*) {}                        // 115 64 bytes
    virtual void OnCodecModule(int) {}                                     // 116
    virtual void OnCodecModuleInfo(const control_payload*) {}              // 117
    virtual void OnCodecDeviceInfo(const control_payload*) {}              // 118
    virtual void OnPcmFeedbackRate(uint8_t) {}                             // 150
    virtual void OnFeedbackState(uint8_t) {}                               // 151
    virtual void OnFeedbackHandler(int) {}                                 // 152
    virtual void OnFeedbackModuleInfo(const control_payload*) {}           // 153
    virtual void OnFeedbackHandlerName(const char*) {}                     // 154
    virtual void OnFeedbackHandlerInfo(const control_payload*) {}          // 155
    virtual void OnFeedbackEnvInteger(const char*, int32_t) {}             // 156
    virtual void OnFeedbackEnvString(const char*, const char*) {}          // 157
    virtual void OnReserved158(const control_payload*) {}                  // 158 pcm
    virtual void OnReserved159(const control_payload*) {}                  // 159
    virtual void OnNotificationMask(uint32_t) {}                           // 119
    virtual void OnDebugLevel(uint8_t) {}                                  // 120
    virtual void OnProgress(const control_payload*) {}                     // 121 progress.*
    virtual void OnDebug(const control_payload*) {}                        // 122 debug.*
    virtual void OnError(const control_payload*) {}                        // 123 error.*
    virtual void OnModuleEvent(const control_payload*) {}                  // 124 event.*

protected:
    // Data
    message_channel* m_player = nullptr;
};

class DkPlayer : public DkPlayerClient
{
public:
    // Construction: registers the window class "DkWrW" + the thread id,
    // creates the hidden window and the player. Throws DekodaException when
    // the engine's client interface is not 3.8 (after telling the user) or
    // without memory; a player that cannot be created leaves Player() null.
    explicit DkPlayer(HINSTANCE instance);
    ~DkPlayer() override;

    // Attributes
    HWND Window() const { return m_window; }
    const char* ClassName() const { return m_className; }

    // Implementation
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

private:
    // Data
    HINSTANCE m_instance = nullptr;
    HWND m_window = nullptr;
    char* m_className = nullptr; // 14 bytes: "DkWrW%08x"
};

// Test seam: where the constructor reads the engine's version words
// (api_version_get unless replaced); returns the previous source.
typedef uint32_t (*DkApiVersionSource)(int selector);
DkApiVersionSource DkPlayerSetApiVersionSource(DkApiVersionSource source);
