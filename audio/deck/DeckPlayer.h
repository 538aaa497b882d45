// DeckPlayer: the player of one deck. It sets the decoder player up for the
// deck (the DirectSound output module and device, VU feedback, the FX
// filter), turns the engine's player states into the deck states 4000 to
// 4004, reports the deck's time to the main window (WM_DECK_TIME), runs the
// deck's loop on every time code, and at the end of a track runs the deck's
// stop command. Every handler runs on the thread that built the player.
#pragma once

#include <stdint.h>

#include <atomic>
#include <vector>

#include "audio/deck/DeckHost.h"
#include "decoder/player/dk_player.h"
#include "framework/core/CString.h"

class CComboBox;

// One output device of the loaded output modules, as the player lists it.
struct OutputDeviceInfo
{
    uint8_t moduleId = 0;
    uint8_t deviceIndex = 0;
    uint8_t deviceFlags = 0;
    CString name;
    CString description;
};

class DeckPlayer : public DkPlayer
{
public:
    // Construction
    explicit DeckPlayer(HINSTANCE instance);
    // Stops the feedback, then the base ends the player and its threads.
    ~DeckPlayer() override;

    // Sets the player up for a deck; returns 0.
    int Setup(DeckHost* owner, HWND dsoundWindow, int mainsIndex, int monitorIndex,
              const char* name, int deck);

    // Attributes
    // The state is written on the window thread (the player's
    // notifications) and read on the feedback thread too.
    int GetState() const { return m_state.load(); }
    bool IsReady() const { return m_ready; }
    int GetPosition() const { return m_position; }
    void SetPosition(int seconds) { m_position = seconds; }
    int GetSeekRange() const { return m_seekRange; }
    void SetSeekRange(int seconds) { m_seekRange = seconds; }
    bool GetInputOpen() const { return m_inputOpen; }
    // Whether the player has answered every input_open sent through
    // OpenInput (with an ack or a nack); the input-open flag then tells
    // the outcome of the last one.
    bool InputOpenAnswered() const { return m_inputOpensAnswered >= m_inputOpensSent; }
    bool IsOnMonitor() const { return m_onMonitor; }
    int GetMainsDevice() const { return m_mainsDevice; }
    int GetMonitorDevice() const { return m_monitorDevice; }
    bool MainsEqualsMonitor() const { return m_mainsDevice == m_monitorDevice; }
    int GetMonitorVolume() const { return m_monitorVolume; }
    int GetMainsVolume() const { return m_mainsVolume; }
    int GetFeedbackRate() const { return m_feedbackRate; }
    bool IsFxAttached() const { return m_fxAttached; }
    int GetDeck() const { return m_deck; }
    const std::vector<OutputDeviceInfo>& Devices() const { return m_devices; }
    // The description of the mains (monitor) device in the list; "N/A".
    CString GetMainsDeviceName() const;
    CString GetMonitorDeviceName() const;

    // Operations: each sends one or more control messages to the player.
    // Packs a control message of the code and its arguments and hands it
    // to the player; the send's result (negative: not sent).
    int Command(int code, ...);
    int Seek(int offset, int range);
    int OpenInput(const char* name);
    int InputSendMessage(int type, const void* data, int size);
    int SetTimecodeGranularity(int hundredths);
    // Stores the rate of feedback events per second and sends it (139).
    int SetFeedbackRate(int perSecond);
    int SetMainsVolume(int volume);
    int SetMonitorVolume(int volume);
    int SetEqualizer(int low, int mid, int high);
    int EqualizerOff();
    int SelectDevice(int index);
    void SelectMainsDevice();
    void SelectMonitorDevice();
    void SetMainsDevice(int index);
    void SetMonitorDevice(int index) { m_monitorDevice = index; }
    // Empties the device list and asks the output modules for their
    // devices again (their answers fill it).
    int ListOutputDevices();
    // Mode 0 VU on the main window, 1 spectrum into a window, 2 off.
    void SetFeedbackMode(int mode, HWND window, int width, int height);
    int AttachFxFilter(const char* unused = nullptr);
    int DetachFxFilter(const char* unused = nullptr);
    void FillMainsDeviceCombo(CComboBox* combo) const;
    void FillMonitorDeviceCombo(CComboBox* combo) const;

    // The feedback module's entry point that every deck player registers
    // (the visualisation feedback module); null: none registered.
    static void SetFeedbackModuleEntry(void* entry);

    // Notification handlers
    void OnReady() override;
    void OnPlayerState(uint8_t state) override;
    void OnInputState(uint8_t state) override;
    void OnTimecode(const control_payload* p) override;
    void OnOutputDeviceInfo(const control_payload* p) override;
    void OnDuration(uint32_t seconds) override;
    void OnAck(uint8_t code) override;
    void OnNack(const control_payload* p) override;

protected:
    // Where a packed command goes: the player's channel. Tests record here.
    virtual int PostCommand(const control_message& message);

private:
    void PostTime(int seconds);
    void EndOfPlayCleanUp();
    void FillDeviceCombo(CComboBox* combo, int selected) const;
    CString DeviceDescription(int index) const;

    // Data
    DeckHost* m_owner = nullptr;
    bool m_ready = false;
    int32_t m_monitorVolume = 100;
    int32_t m_mainsVolume = 100;
    bool m_onMonitor = false;
    std::atomic<int32_t> m_state{0};
    bool m_inputOpen = false;
    int32_t m_seekRange = 0;
    int32_t m_position = 0;
    int32_t m_deck = 0;
    int32_t m_feedbackRate = 100;
    int32_t m_feedbackMode = 0;
    int32_t m_mainsDevice = 0;
    int32_t m_monitorDevice = 0;
    bool m_fxAttached = false;
    std::vector<OutputDeviceInfo> m_devices;
    HWND m_dsoundWindow = nullptr;
    // input_open commands sent and answered (OpenInput).
    uint32_t m_inputOpensSent = 0;
    uint32_t m_inputOpensAnswered = 0;
};
