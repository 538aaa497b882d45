#include "decoder/player/dk_player.h"

#include <stdio.h>
#include <stdlib.h>

#include "decoder/engine/decoder_errors.h"
#include "decoder/player/message_codec.h"
#include "decoder/player/player_server.h"
#include "framework/ui/Prompts.h"

namespace {

DkApiVersionSource g_versionSource = api_version_get;

// Client interface 3.8: the major number in bits 16-23, the minor in 8-15.
bool ClientInterfaceSupported(uint32_t version)
{
    return ((version >> 16) & 0xFF) == 3 && ((version >> 8) & 0xFF) == 8;
}

int ModuleId(int16_t value) { return value; }

} // namespace

DkApiVersionSource DkPlayerSetApiVersionSource(DkApiVersionSource source)
{
    DkApiVersionSource previous = g_versionSource;
    g_versionSource = source ? source : api_version_get;
    return previous;
}

// --- DkPlayerClient ---------------------------------------------------------

DkPlayerClient::~DkPlayerClient()
{
    if (m_player)
        player_delete(m_player);
    m_player = nullptr;
}

int DkPlayerClient::CreatePlayerWithProperties(HWND* window, const property_list* properties)
{
    const int r = player_new_with_properties(&m_player, window, properties);
    if (r < 0)
        m_player = nullptr;
    return r;
}

int DkPlayerClient::CreatePlayer(HWND* window)
{
    const int r = player_new(&m_player, window);
    if (r < 0)
        m_player = nullptr;
    return r;
}

void DkPlayerClient::DispatchNotification(const control_message* message)
{
    if (!message)
        return;
    const control_payload* p = &message->payload;
    switch (message->code) {
    case CM_READY: OnReady(); break;
    case CM_ACK: OnAck(p->u8.value); break;
    case CM_NACK: OnNack(p); break;
    case CM_PONG: OnPong(p->u32.value); break;
    case CM_EXITED: OnExited(); break;
    case CM_PLAYER_STATE: OnPlayerState(p->u8.value); break;
    case CM_PLAYER_MODE: OnPlayerMode(p->u32.value); break;
    case CM_ENV_INTEGER: OnEnvInteger(p->env_integer.name, p->env_integer.value); break;
    case CM_ENV_STRING: OnEnvString(p->env_string.name, p->env_string.value); break;
    case CM_INPUT_STATE: OnInputState(p->u8.value); break;
    case CM_INPUT_NAME: OnInputName(p->text.text); break;
    case CM_INPUT_CAPS: OnInputCaps(p->u32.value); break;
    case CM_POSITION: OnPosition(p->u32_pair.first, p->u32_pair.second); break;
    case CM_POSITION_RANGE: OnPositionRange(p->u32.value); break;
    case CM_TIMECODE: OnTimecode(p); break;
    case CM_TIMECODE_GRANULARITY: OnTimecodeGranularity(p->u32.value); break;
    case CM_INPUT_MODULE: OnInputModule(ModuleId(p->i16.value)); break;
    case CM_INPUT_MODULE_INFO: OnInputModuleInfo(p); break;
    case CM_INPUT_DEVICE_INFO: OnInputDeviceInfo(p); break;
    case CM_INPUT_FILTER_INFO: OnInputFilterInfo(p); break;
    case CM_OUTPUT_STATE: OnOutputState(p->u8.value); break;
    case CM_OUTPUT_NAME: OnOutputName(p->text.text); break;
    case CM_OUTPUT_CAPS: OnOutputCaps(p->u32.value); break;
    case CM_RESERVED_96: OnReserved96(p->u32_pair.first, p->u32_pair.second); break;
    case CM_RESERVED_98: OnReserved98(p); break;
    case CM_RESERVED_100: OnReserved100(p); break;
    case CM_OUTPUT_BALANCE: OnOutputBalance(p->levels.balance); break;
    case CM_OUTPUT_PCM_LEVEL: OnOutputPcmLevel(p->levels.pcm); break;
    case CM_OUTPUT_MASTER_LEVEL: OnOutputMasterLevel(p->levels.master); break;
    case CM_CHANNEL_MODE: OnChannelMode(p->u8.value); break;
    case CM_OUTPUT_PORTS: OnOutputPorts(p->u8.value); break;
    case CM_OUTPUT_MODULE: OnOutputModule(ModuleId(p->i16.value)); break;
    case CM_OUTPUT_MODULE_INFO: OnOutputModuleInfo(p); break;
    case CM_OUTPUT_DEVICE_INFO: OnOutputDeviceInfo(p); break;
    case CM_OUTPUT_FILTER_INFO: OnOutputFilterInfo(p); break;
    case CM_STREAM_DURATION: OnDuration(p->u32.value); break;
    case CM_STREAM_CONTENT_TYPE: OnContentType(p->text.text); break;
    case CM_STREAM_FORMAT: OnStreamFormat(p); break;
    case CM_STREAM_PROPERTIES: OnStreamProperties(&p->properties); break;
    case CM_CODEC_QUALITY: OnCodecQuality(p->u8.value); break;
    case CM_CODEC_EQUALIZER: OnCodecEqualizer(p->equalizer.data); break;
    case CM_CODEC_MODULE: OnCodecModule(ModuleId(p->i16.value)); break;
    case CM_CODEC_MODULE_INFO: OnCodecModuleInfo(p); break;
    case CM_CODEC_DEVICE_INFO: OnCodecDeviceInfo(p); break;
    case CM_PCM_FEEDBACK_RATE: OnPcmFeedbackRate(p->u8.value); break;
    case CM_FEEDBACK_STATE: OnFeedbackState(p->u8.value); break;
    case CM_FEEDBACK_HANDLER: OnFeedbackHandler(ModuleId(p->i16.value)); break;
    case CM_FEEDBACK_MODULE_INFO: OnFeedbackModuleInfo(p); break;
    case CM_FEEDBACK_HANDLER_NAME: OnFeedbackHandlerName(p->text.text); break;
    case CM_FEEDBACK_HANDLER_INFO: OnFeedbackHandlerInfo(p); break;
    case CM_FEEDBACK_ENV_INTEGER: OnFeedbackEnvInteger(p->env_integer.name, p->env_integer.value); break;
    case CM_FEEDBACK_ENV_STRING: OnFeedbackEnvString(p->env_string.name, p->env_string.value); break;
    case CM_RESERVED_158: OnReserved158(p); break;
    case CM_RESERVED_159: OnReserved159(p); break;
    case CM_NOTIFICATION_MASK: OnNotificationMask(p->u32.value); break;
    case CM_DEBUG_LEVEL: OnDebugLevel(p->u8.value); break;
    case CM_PROGRESS: OnProgress(p); break;
    case CM_DEBUG: OnDebug(p); break;
    case CM_ERROR: OnError(p); break;
    case CM_MODULE_EVENT: OnModuleEvent(p); break;
    default: break; // commands, 97, 99 and anything outside 73-159
    }
}

// --- DkPlayer ---------------------------------------------------------------

DkPlayer::DkPlayer(HINSTANCE instance) : m_instance(instance)
{
    // The base part is complete here: when a step below throws, its
    // destructor runs (it has no player yet) before the exception leaves.
    if (!ClientInterfaceSupported(g_versionSource(2))) {
        AfxPromptMessageBox(nullptr, "Dekoda DLL API version mismatch", "Dekoda Error",
                            MB_TOPMOST | MB_SETFOREGROUND | MB_ICONERROR);
        throw DekodaException(DK_ERR_VERSION_MISMATCH);
    }
    m_className = static_cast<char*>(malloc(14));
    if (!m_className)
        throw DekodaException(DK_ERR_OUT_OF_MEMORY);
    snprintf(m_className, 14, "DkWrW%08lx", static_cast<unsigned long>(GetCurrentThreadId()));

    // A second player on this thread finds the class registered already;
    // its window works all the same, the object travels in the user data.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = m_instance;
    wc.lpszClassName = m_className;
    RegisterClassA(&wc);

    m_window = CreateWindowExA(WS_EX_LEFT, m_className, "Dekoda Hidden Window", 0, 0, 0, 0, 0,
                               nullptr, nullptr, m_instance, nullptr);
    if (m_window)
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    DkPlayerClient::CreatePlayer(&m_window);
}

DkPlayer::~DkPlayer()
{
    // The window goes first, so that no handler runs while the player ends.
    if (m_window) {
        SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
        m_window = nullptr;
    }
    if (m_className) {
        UnregisterClassA(m_className, m_instance);
        free(m_className);
        m_className = nullptr;
    }
}

LRESULT CALLBACK DkPlayer::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message < ENGINE_MESSAGE_BASE)
        return DefWindowProcA(window, message, wparam, lparam);
    DkPlayer* self = reinterpret_cast<DkPlayer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !self->m_player)
        return DefWindowProcA(window, message, wparam, lparam);
    control_message record;
    message_receive(self->m_player, &record, message, wparam, lparam);
    self->DispatchNotification(&record);
    return 0;
}
