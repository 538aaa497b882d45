#include "audio/deck/DeckPlayer.h"

#include <stdarg.h>
#include <stdio.h>

#include "audio/deck/Deck.h"
#include "audio/deck/DeckLogic.h"
#include "audio/fx/FxFilter.h"
#include "decoder/player/player_server.h"
#include "framework/ui/CComboBox.h"

namespace {

void* g_feedbackEntry = nullptr;

// "function@" and an entry point's address, as the engine's loader reads it.
CString FunctionName(const void* entry)
{
    char text[40];
    snprintf(text, sizeof(text), "function@%llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(entry)));
    return text;
}

// A window handle as the 32-bit integer the engine's variables hold (window
// handles have 32 significant bits on 64-bit Windows too).
int32_t HandleValue(HWND window)
{
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(window));
}

} // namespace

DeckPlayer::DeckPlayer(HINSTANCE instance) : DkPlayer(instance) {}

DeckPlayer::~DeckPlayer()
{
    Command(CM_FEEDBACK_STOP);
}

void DeckPlayer::SetFeedbackModuleEntry(void* entry) { g_feedbackEntry = entry; }

int DeckPlayer::PostCommand(const control_message& message)
{
    if (!m_player)
        return DK_ERR_INTERNAL; // no player: nowhere to send
    return message_post(m_player, &message);
}

int DeckPlayer::Command(int code, ...)
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

int DeckPlayer::Setup(DeckHost* owner, HWND dsoundWindow, int mainsIndex, int monitorIndex,
                      const char*, int deck)
{
    m_dsoundWindow = dsoundWindow;
    m_mainsDevice = mainsIndex;
    m_monitorDevice = monitorIndex;
    m_deck = deck;
    m_owner = owner;
    m_seekRange = 0;
    m_position = 0;
    m_ready = false;
    m_onMonitor = false;
    m_inputOpen = false;
    m_feedbackMode = 0;
    m_fxAttached = false;

    ListOutputDevices();
    Command(CM_SET_OUTPUT_NAME, DeckDeviceName(DeckSetupDevice(mainsIndex)).c_str());
    Command(CM_GET_OUTPUT_NAME);
    m_state = DECK_STATE_SETUP;
    const DeckHostSettings* settings = owner ? &owner->DeckSettings() : nullptr;
    if (!settings || settings->playerMode == 0)
        Command(CM_OUTPUT_MODULE_ADD, "dk_dsound_output.dll");
    if (settings && settings->useFxFilter)
        AttachFxFilter();
    Command(CM_GET_OUTPUT_LEVELS);
    return 0;
}

int DeckPlayer::ListOutputDevices()
{
    m_devices.clear();
    return Command(CM_OUTPUT_MODULES_LIST);
}

// --- commands ---------------------------------------------------------------

int DeckPlayer::Seek(int offset, int range) { return Command(CM_SEEK, offset, range); }

int DeckPlayer::OpenInput(const char* name)
{
    // The open closes the input before: until the player answers, no input
    // is known to be open.
    m_inputOpen = false;
    const int sent = Command(CM_INPUT_OPEN, name);
    if (sent >= 0)
        ++m_inputOpensSent;
    return sent;
}

int DeckPlayer::InputSendMessage(int type, const void* data, int size)
{
    return Command(CM_INPUT_SEND, type, data, size);
}

int DeckPlayer::SetTimecodeGranularity(int hundredths)
{
    return Command(CM_SET_TIMECODE_GRANULARITY, hundredths);
}

int DeckPlayer::SetFeedbackRate(int perSecond)
{
    m_feedbackRate = perSecond;
    return Command(CM_SET_PCM_FEEDBACK_RATE, perSecond);
}

int DeckPlayer::SetMainsVolume(int volume)
{
    m_mainsVolume = volume;
    if (!m_onMonitor)
        Command(CM_SET_OUTPUT_LEVELS, 255, volume, 255);
    return volume;
}

int DeckPlayer::SetMonitorVolume(int volume)
{
    m_monitorVolume = volume;
    if (m_onMonitor)
        Command(CM_SET_OUTPUT_LEVELS, 255, volume, 255);
    return volume;
}

int DeckPlayer::SetEqualizer(int low, int mid, int high)
{
    // The transport copies the table into the message.
    int8_t table[64];
    DeckEqualizerTable(low, mid, high, table);
    Command(CM_SET_CODEC_EQUALIZER, static_cast<const int8_t*>(table));
    return 0;
}

int DeckPlayer::EqualizerOff()
{
    Command(CM_SET_CODEC_EQUALIZER, static_cast<const int8_t*>(nullptr));
    return 0;
}

int DeckPlayer::SelectDevice(int index)
{
    Command(CM_SET_OUTPUT_NAME, DeckDeviceName(index).c_str());
    return 0;
}

void DeckPlayer::SelectMainsDevice()
{
    SelectDevice(m_mainsDevice);
    m_onMonitor = false;
}

void DeckPlayer::SelectMonitorDevice()
{
    SelectDevice(m_monitorDevice);
    m_onMonitor = true;
}

void DeckPlayer::SetMainsDevice(int index)
{
    m_mainsDevice = index;
    SelectDevice(index);
}

void DeckPlayer::SetFeedbackMode(int mode, HWND window, int width, int height)
{
    Command(CM_FEEDBACK_STOP);
    m_feedbackMode = mode;
    if (mode == 2)
        return;
    Command(CM_SET_PCM_FEEDBACK_RATE, m_feedbackRate);
    const int32_t mainWindow = HandleValue(m_owner ? m_owner->DeckWindow() : nullptr);
    Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.MAINWINDOW", mainWindow);
    if (mode == 1) {
        Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.FEEDBACK-WINDOW", HandleValue(window));
        Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.FEEDBACK-WIDTH", width);
        Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.FEEDBACK-HEIGHT", height);
    } else {
        Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.FEEDBACK-WINDOW", mainWindow);
    }
    Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.PLAYER", m_deck);
    // Without the feedback module there is no handler to select or start.
    if (!g_feedbackEntry)
        return;
    Command(CM_FEEDBACK_MODULE_ADD, static_cast<const char*>(FunctionName(g_feedbackEntry)));
    Command(CM_FEEDBACK_SELECT_NAME,
            mode == 1 ? DeckSpectrumFeedbackName(m_deck) : (m_deck == 0 ? "sample-vua" : "sample-vub"));
    Command(CM_FEEDBACK_START);
}

int DeckPlayer::AttachFxFilter(const char*)
{
    const CString name = FunctionName(reinterpret_cast<void*>(FxFilterModuleEntry(m_deck)));
    const int r = Command(CM_OUTPUT_FILTER_ADD, static_cast<const char*>(name), 0);
    m_fxAttached = true;
    return r;
}

int DeckPlayer::DetachFxFilter(const char*)
{
    const CString name = FunctionName(reinterpret_cast<void*>(FxFilterModuleEntry(m_deck)));
    const int r = Command(CM_OUTPUT_FILTER_REMOVE, static_cast<const char*>(name), 0);
    m_fxAttached = false;
    return r;
}

// --- devices ----------------------------------------------------------------

CString DeckPlayer::DeviceDescription(int index) const
{
    const std::string wanted = DeckDeviceName(index);
    for (const OutputDeviceInfo& d : m_devices)
        if (wanted == static_cast<const char*>(d.name))
            return d.description;
    return "N/A";
}

CString DeckPlayer::GetMainsDeviceName() const { return DeviceDescription(m_mainsDevice); }
CString DeckPlayer::GetMonitorDeviceName() const { return DeviceDescription(m_monitorDevice); }

void DeckPlayer::FillDeviceCombo(CComboBox* combo, int selected) const
{
    if (!combo)
        return;
    combo->ResetContent();
    for (const OutputDeviceInfo& d : m_devices) {
        if (d.name.Left(4) != "/dev")
            continue;
        const std::string text = DeckDeviceRowText(d.deviceIndex, d.description);
        combo->AddString(text.c_str());
        const int row = combo->FindString(-1, text.c_str());
        if (row >= 0)
            combo->SetItemData(row, d.deviceIndex);
    }
    combo->SetCurSel(selected);
}

void DeckPlayer::FillMainsDeviceCombo(CComboBox* combo) const { FillDeviceCombo(combo, m_mainsDevice); }
void DeckPlayer::FillMonitorDeviceCombo(CComboBox* combo) const { FillDeviceCombo(combo, m_monitorDevice); }

// --- notifications ----------------------------------------------------------

void DeckPlayer::PostTime(int seconds)
{
    if (m_owner && m_owner->DeckWindow())
        PostMessageA(m_owner->DeckWindow(), WM_DECK_TIME, static_cast<WPARAM>(m_deck),
                     static_cast<LPARAM>(seconds));
}

void DeckPlayer::OnReady()
{
    Command(CM_SET_PCM_FEEDBACK_RATE, m_feedbackRate);
    const int32_t mainWindow = HandleValue(m_owner ? m_owner->DeckWindow() : nullptr);
    Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.MAINWINDOW", mainWindow);
    Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.FEEDBACK-WINDOW", mainWindow);
    Command(CM_FEEDBACK_ENV_SET_INTEGER, "CLIENT.PLAYER", m_deck);
    if (g_feedbackEntry) {
        Command(CM_FEEDBACK_MODULE_ADD, static_cast<const char*>(FunctionName(g_feedbackEntry)));
        Command(CM_FEEDBACK_SELECT_NAME, DeckVuFeedbackName(m_deck));
        Command(CM_FEEDBACK_START);
    }
    Command(CM_ENV_SET_INTEGER, "OUTPUT.DIRECTSOUND.WINDOW", HandleValue(m_dsoundWindow));
    if (m_player)
        player_set_priority(m_player, 2);
    m_ready = true;
}

void DeckPlayer::EndOfPlayCleanUp()
{
    if (m_owner && (m_deck == 0 || m_deck == 1))
        m_owner->ResetDeckWaveform(m_deck);
    // Each deck clears only its own delay rings.
    const int mode = FxGetMode(m_deck);
    if (mode == FX_ECHO)
        FxClearEchoBuffer(m_deck);
    else if (mode == FX_FLANGE)
        FxClearDelayBuffer(m_deck);
}

void DeckPlayer::OnPlayerState(uint8_t state)
{
    const int code = DeckStateFromEngine(state);
    if (code == 0)
        return;
    m_state = code;
    switch (state) {
    case PLAYER_STOPPED:
        m_position = 0;
        PostTime(0);
        if (m_owner)
            m_owner->SetDeckVuLevels(m_deck, 0, 0);
        EndOfPlayCleanUp();
        if (m_owner)
            m_owner->ShowDeckStatus(m_deck);
        break;
    case PLAYER_PLAYING:
    case PLAYER_PAUSED:
        PostTime(m_position);
        if (m_owner)
            m_owner->ShowDeckStatus(m_deck);
        break;
    case PLAYER_END_OF_STREAM:
        m_position = 0;
        PostTime(0);
        if (m_owner) {
            m_owner->SetDeckVuLevels(m_deck, 0, 0);
            m_owner->ShowDeckStatus(m_deck);
        }
        EndOfPlayCleanUp();
        Command(CM_OUTPUT_DRAIN);
        if (m_owner)
            m_owner->RunDeckStopCommand(m_deck);
        break;
    default:
        break;
    }
}

void DeckPlayer::OnInputState(uint8_t state)
{
    if (state == 0)
        m_inputOpen = true;
    else if (state == 1)
        m_inputOpen = false;
}

void DeckPlayer::OnAck(uint8_t code)
{
    if (code == CM_INPUT_OPEN)
        ++m_inputOpensAnswered;
}

void DeckPlayer::OnNack(const control_payload* p)
{
    if (!p || p->nack.code != CM_INPUT_OPEN)
        return;
    // A refused name leaves no input open (and may come without an
    // input_state notification).
    m_inputOpen = false;
    ++m_inputOpensAnswered;
}

void DeckPlayer::OnTimecode(const control_payload* p)
{
    if (!p)
        return;
    m_position = TimecodeSeconds(p->timecode.hours, p->timecode.minutes, p->timecode.seconds);
    PostTime(m_position);
    Deck* deck = m_owner ? m_owner->GetDeck(m_deck) : nullptr;
    if (deck && LoopReachedEnd(deck->IsLoopOn(), m_position, deck->GetLoopIn(), deck->GetLoopOut()))
        Seek(deck->GetLoopIn(), deck->GetTagInfo().Length);
}

void DeckPlayer::OnOutputDeviceInfo(const control_payload* p)
{
    if (!p)
        return;
    std::string name;
    if (!DeckListedDeviceName(p->device.name, &name))
        return;
    OutputDeviceInfo info;
    info.moduleId = p->device.module_id;
    info.deviceIndex = p->device.index;
    info.deviceFlags = p->device.flags;
    info.name = name.c_str();
    info.description = p->device.description ? p->device.description : "";
    m_devices.push_back(info);
}

void DeckPlayer::OnDuration(uint32_t seconds)
{
    Deck* deck = m_owner ? m_owner->GetDeck(m_deck) : nullptr;
    if (deck) {
        deck->GetTagInfo().Length = static_cast<int32_t>(seconds);
        m_owner->InitDeckPositionBar(m_deck, static_cast<int>(seconds));
    }
    m_seekRange = static_cast<int32_t>(seconds);
}
