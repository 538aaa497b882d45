#include "audio/players/OutputDevicePlayer.h"

#include <stdarg.h>
#include <stdio.h>

#include "audio/deck/DeckLogic.h"
#include "audio/feedback/VisualFeedback.h"
#include "audio/players/PlayerLogic.h"
#include "decoder/engine/decoder_errors.h"
#include "decoder/player/player_server.h"
#include "framework/ui/CComboBox.h"

CString FeedbackModuleName()
{
    char text[40];
    snprintf(text, sizeof(text), "function@%llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&sample_feedback_module_register)));
    return text;
}

OutputDevicePlayer::OutputDevicePlayer(HINSTANCE instance) : DkPlayer(instance) {}

OutputDevicePlayer::~OutputDevicePlayer() = default;

int OutputDevicePlayer::PostCommand(const control_message& message)
{
    if (!m_player)
        return DK_ERR_INTERNAL;
    return message_post(m_player, &message);
}

int OutputDevicePlayer::Command(int code, ...)
{
    control_message message;
    va_list arguments;
    va_start(arguments, code);
    control_message_pack(&message, code, arguments);
    va_end(arguments);
    if (message.code == 0)
        return DK_ERR_INVALID_MESSAGE;
    return PostCommand(message);
}

void OutputDevicePlayer::SetupOutput(HWND dsoundWindow, int deviceIndex, int secondIndex, const char* name,
                                     int extra)
{
    m_dsoundWindow = dsoundWindow;
    m_deviceIndex = deviceIndex;
    m_secondIndex = secondIndex;
    m_name = name ? name : "";
    m_extra = extra;
    m_position = 0;
    SelectOutputDevice();
    m_devices.clear();
    Command(CM_OUTPUT_MODULES_LIST);
    Command(CM_GET_OUTPUT_NAME);
    m_state = DECK_STATE_SETUP;
    Command(CM_OUTPUT_MODULE_ADD, "dk_dsound_output.dll");
}

int OutputDevicePlayer::SelectOutputDevice()
{
    Command(CM_SET_OUTPUT_NAME, DeckDeviceName(PlayerSetupDevice(m_deviceIndex)).c_str());
    return 0;
}

int OutputDevicePlayer::SetOutputDevice(int device)
{
    Command(CM_SET_OUTPUT_NAME, DeckDeviceName(device).c_str());
    return 0;
}

void OutputDevicePlayer::SetVolume(int volume) { Command(CM_SET_OUTPUT_LEVELS, 255, volume, 255); }

int OutputDevicePlayer::FindDeviceRow(CComboBox* combo, int device)
{
    if (!combo)
        return -1;
    const int rows = combo->GetCount();
    for (int row = 0; row < rows; ++row)
        if (static_cast<int>(combo->GetItemData(row)) == device)
            return row;
    return -1;
}

int OutputDevicePlayer::FillDeviceCombo(CComboBox* combo) const
{
    if (!combo)
        return 0;
    combo->ResetContent();
    int count = 0;
    for (const OutputDeviceInfo& d : m_devices) {
        if (!PlayerOffersDevice(static_cast<const char*>(d.name)))
            continue;
        const std::string text = DeckDeviceRowText(d.deviceIndex, d.description);
        const int row = combo->AddString(text.c_str());
        if (row >= 0)
            combo->SetItemData(row, d.deviceIndex);
        ++count;
    }
    // The box selects the device by its number, not by its row.
    combo->SetCurSel(FindDeviceRow(combo, m_deviceIndex));
    return count;
}

int OutputDevicePlayer::ChooseBoxDevice(CComboBox& combo)
{
    const int row = combo.GetCurSel();
    if (row < 0)
        return -1;
    // Device numbers throughout: the box's data is the number, and the
    // player keeps that number (the box selects its row by number).
    const int device = static_cast<int>(combo.GetItemData(row));
    SetDeviceIndex(device);
    SetOutputDevice(device);
    return device;
}

void OutputDevicePlayer::OnOutputDeviceInfo(const control_payload* p)
{
    if (!p)
        return;
    OutputDeviceInfo info;
    info.moduleId = p->device.module_id;
    info.deviceIndex = p->device.index;
    info.deviceFlags = p->device.flags;
    info.name = PlayerStoredDeviceName(p->device.name).c_str();
    info.description = p->device.description ? p->device.description : "";
    m_devices.push_back(info);
}

void OutputDevicePlayer::AnnounceWindowAndPriority()
{
    Command(CM_ENV_SET_INTEGER, "OUTPUT.DIRECTSOUND.WINDOW", FeedbackHandleValue(m_dsoundWindow));
    if (m_player)
        player_set_priority(m_player, 2);
}

void OutputDevicePlayer::TakeTimecode(const control_payload* p)
{
    if (p)
        m_position = PlayerPosition(p->timecode.hours, p->timecode.minutes, p->timecode.seconds);
}
