// A DkPlayer that writes down every handler call as text ("OnAck(14)"),
// with the thread it ran on, and helpers that pump the thread's messages
// until a call arrives (with a time-out).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "decoder/player/dk_player.h"

struct HandlerCall
{
    std::string text;
    DWORD thread = 0;
};

class RecordingPlayer : public DkPlayer
{
public:
    RecordingPlayer() : DkPlayer(GetModuleHandleA(nullptr)) {}

    const std::vector<HandlerCall>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }
    // Texts of the calls whose text begins with prefix.
    std::vector<std::string> Matching(const std::string& prefix) const;
    bool Has(const std::string& text) const;

    // Pumps until a call with that exact text arrives; true when it did.
    bool WaitFor(const std::string& text, DWORD timeout_ms = 10000);
    // Sends a command and waits for its OnAck or OnNack: 0 for the ack,
    // the error of the nack, 1 when neither came.
    int Command(int code, ...);

    void OnReady() override;
    void OnAck(uint8_t code) override;
    void OnNack(const control_payload* p) override;
    void OnPong(uint32_t tag) override;
    void OnExited() override;
    void OnPlayerState(uint8_t state) override;
    void OnPlayerMode(uint32_t mode) override;
    void OnEnvInteger(const char* name, int32_t value) override;
    void OnEnvString(const char* name, const char* value) override;
    void OnInputState(uint8_t state) override;
    void OnInputName(const char* name) override;
    void OnInputCaps(uint32_t caps) override;
    void OnPosition(uint32_t offset, uint32_t range) override;
    void OnPositionRange(uint32_t range) override;
    void OnTimecode(const control_payload* p) override;
    void OnTimecodeGranularity(uint32_t granularity) override;
    void OnInputModule(int id) override;
    void OnInputModuleInfo(const control_payload* p) override;
    void OnInputDeviceInfo(const control_payload* p) override;
    void OnInputFilterInfo(const control_payload* p) override;
    void OnOutputState(uint8_t state) override;
    void OnOutputName(const char* name) override;
    void OnOutputCaps(uint32_t caps) override;
    void OnReserved96(uint32_t first, uint32_t second) override;
    void OnReserved98(const control_payload* p) override;
    void OnReserved100(const control_payload* p) override;
    void OnOutputBalance(uint8_t value) override;
    void OnOutputPcmLevel(uint8_t value) override;
    void OnOutputMasterLevel(uint8_t value) override;
    void OnChannelMode(uint8_t mode) override;
    void OnOutputPorts(uint8_t ports) override;
    void OnOutputModule(int id) override;
    void OnOutputModuleInfo(const control_payload* p) override;
    void OnOutputDeviceInfo(const control_payload* p) override;
    void OnOutputFilterInfo(const control_payload* p) override;
    void OnDuration(uint32_t seconds) override;
    void OnContentType(const char* text) override;
    void OnStreamFormat(const control_payload* p) override;
    void OnStreamProperties(const property_list* list) override;
    void OnCodecQuality(uint8_t quality) override;
    void OnCodecEqualizer(const int8_t* bands) override;
    void OnCodecModule(int id) override;
    void OnCodecModuleInfo(const control_payload* p) override;
    void OnCodecDeviceInfo(const control_payload* p) override;
    void OnPcmFeedbackRate(uint8_t rate) override;
    void OnFeedbackState(uint8_t state) override;
    void OnFeedbackHandler(int id) override;
    void OnFeedbackModuleInfo(const control_payload* p) override;
    void OnFeedbackHandlerName(const char* name) override;
    void OnFeedbackHandlerInfo(const control_payload* p) override;
    void OnFeedbackEnvInteger(const char* name, int32_t value) override;
    void OnFeedbackEnvString(const char* name, const char* value) override;
    void OnReserved158(const control_payload* p) override;
    void OnReserved159(const control_payload* p) override;
    void OnNotificationMask(uint32_t mask) override;
    void OnDebugLevel(uint8_t level) override;
    void OnProgress(const control_payload* p) override;
    void OnDebug(const control_payload* p) override;
    void OnError(const control_payload* p) override;
    void OnModuleEvent(const control_payload* p) override;

private:
    void Add(const char* format, ...);

    std::vector<HandlerCall> m_calls;
};
