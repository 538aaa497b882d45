// OutputDevicePlayer: what the sampler's, the audio jukebox's and the
// dAredero's players share. Each owns one engine player that sends its
// sound through the DirectSound output module on a device chosen by
// number, keeps the player state codes 4000-4004, its position in seconds
// and the list of output devices the modules report. Commands go out
// through Command (a test records them by overriding PostCommand); every
// handler runs on the thread that built the player.
#pragma once

#include <stdint.h>

#include <vector>

#include "audio/deck/DeckPlayer.h"
#include "decoder/player/dk_player.h"
#include "framework/core/CString.h"

class CComboBox;

class OutputDevicePlayer : public DkPlayer
{
public:
    // Construction
    explicit OutputDevicePlayer(HINSTANCE instance);
    ~OutputDevicePlayer() override;

    // Attributes
    int GetState() const { return m_state; }
    int GetPosition() const { return m_position; }
    // The device number the player plays on (and the box selects).
    int GetDeviceIndex() const { return m_deviceIndex; }
    void SetDeviceIndex(int device) { m_deviceIndex = device; }
    const std::vector<OutputDeviceInfo>& Devices() const { return m_devices; }
    const CString& GetPlayerName() const { return m_name; }
    HWND GetDirectSoundWindow() const { return m_dsoundWindow; }

    // Operations
    // Packs a control message of the code and its arguments and hands it to
    // the player; the send's result (negative: not sent).
    int Command(int code, ...);
    // "/dev/dsound/1" to "/dev/dsound/6" for the device index 1 to 6,
    // "/dev/dsound/0" for any other; 0.
    int SelectOutputDevice();
    // Plays on "/dev/dsound/N" of the given number from now on; 0.
    int SetOutputDevice(int device);
    // The PCM level 0-100; balance and master level stay.
    void SetVolume(int volume);
    // Fills a device box with the devices whose names begin with "/dev"
    // ("N : description", item data N) and selects the row of the player's
    // device number; the number of rows.
    int FillDeviceCombo(CComboBox* combo) const;
    // The row of a box that holds a device number, -1 when none does.
    static int FindDeviceRow(CComboBox* combo, int device);
    // The device number of the box's selected row becomes the player's
    // device and output; the number, -1 when no row is selected.
    int ChooseBoxDevice(CComboBox& combo);

    // Notification handlers
    void OnOutputDeviceInfo(const control_payload* p) override;

protected:
    // The set-up steps every such player takes: stores the window, the
    // device numbers, the name and the extra value, position 0, selects
    // the device, lists the output modules, asks for the output name, state
    // 4000, adds "dk_dsound_output.dll".
    void SetupOutput(HWND dsoundWindow, int deviceIndex, int secondIndex, const char* name, int extra);
    // OnReady's last two steps: the DirectSound window, normal priority.
    void AnnounceWindowAndPriority();
    // Position from a time code (hours counted).
    void TakeTimecode(const control_payload* p);
    // Where a packed command goes: the player's channel.
    virtual int PostCommand(const control_message& message);

    // Data
    int32_t m_state = 0;
    int32_t m_position = 0;
    int32_t m_deviceIndex = 0;
    int32_t m_secondIndex = 0;
    int32_t m_extra = 0;
    std::vector<OutputDeviceInfo> m_devices;
    HWND m_dsoundWindow = nullptr;
    CString m_name;
};

// "function@<address>" of the visualisation feedback module's entry, as
// the engine's loader reads it.
CString FeedbackModuleName();
