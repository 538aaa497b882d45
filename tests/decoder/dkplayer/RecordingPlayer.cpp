#include "RecordingPlayer.h"

#include "tests/support/TestSupport.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char* Text(const char* text) { return text ? text : "(null)"; }

} // namespace

void RecordingPlayer::Add(const char* format, ...)
{
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    m_calls.push_back({text, GetCurrentThreadId()});
}

std::vector<std::string> RecordingPlayer::Matching(const std::string& prefix) const
{
    std::vector<std::string> out;
    for (const HandlerCall& c : m_calls)
        if (c.text.compare(0, prefix.size(), prefix) == 0)
            out.push_back(c.text);
    return out;
}

bool RecordingPlayer::Has(const std::string& text) const
{
    for (const HandlerCall& c : m_calls)
        if (c.text == text)
            return true;
    return false;
}

bool RecordingPlayer::WaitFor(const std::string& text, DWORD timeout_ms)
{
    return tavrix_test::PumpUntil([&] { return Has(text); }, timeout_ms);
}

int RecordingPlayer::Command(int code, ...)
{
    const size_t from = m_calls.size();
    va_list arguments;
    va_start(arguments, code);
    control_message m;
    control_message_pack(&m, code, arguments);
    va_end(arguments);
    if (!Player() || message_post(Player(), &m) < 0)
        return 1;
    char ack[32], nack[32];
    snprintf(ack, sizeof(ack), "OnAck(%d)", code);
    snprintf(nack, sizeof(nack), "OnNack(%d,", code);
    int result = 1;
    tavrix_test::PumpUntil([&] {
        for (size_t i = from; i < m_calls.size(); ++i) {
            const std::string& t = m_calls[i].text;
            if (t == ack) {
                result = 0;
                return true;
            }
            if (t.compare(0, strlen(nack), nack) == 0) {
                result = atoi(t.c_str() + strlen(nack));
                return true;
            }
        }
        return false;
    }, 15000);
    return result;
}

void RecordingPlayer::OnReady() { Add("OnReady()"); }
void RecordingPlayer::OnAck(uint8_t code) { Add("OnAck(%u)", code); }
void RecordingPlayer::OnNack(const control_payload* p) { Add("OnNack(%u,%d)", p->nack.code, p->nack.error); }
void RecordingPlayer::OnPong(uint32_t tag) { Add("OnPong(%u)", tag); }
void RecordingPlayer::OnExited() { Add("OnExited()"); }
void RecordingPlayer::OnPlayerState(uint8_t state) { Add("OnPlayerState(%u)", state); }
void RecordingPlayer::OnPlayerMode(uint32_t mode) { Add("OnPlayerMode(%u)", mode); }
void RecordingPlayer::OnEnvInteger(const char* name, int32_t value) { Add("OnEnvInteger(%s,%d)", Text(name), value); }
void RecordingPlayer::OnEnvString(const char* name, const char* value) { Add("OnEnvString(%s,%s)", Text(name), Text(value)); }
void RecordingPlayer::OnInputState(uint8_t state) { Add("OnInputState(%u)", state); }
void RecordingPlayer::OnInputName(const char* name) { Add("OnInputName(%s)", Text(name)); }
void RecordingPlayer::OnInputCaps(uint32_t caps) { Add("OnInputCaps(%u)", caps); }
void RecordingPlayer::OnPosition(uint32_t offset, uint32_t range) { Add("OnPosition(%u,%u)", offset, range); }
void RecordingPlayer::OnPositionRange(uint32_t range) { Add("OnPositionRange(%u)", range); }
void RecordingPlayer::OnTimecode(const control_payload* p)
{
    Add("OnTimecode(%u,%u,%u,%u)", p->timecode.hours, p->timecode.minutes, p->timecode.seconds, p->timecode.hundredths);
}
void RecordingPlayer::OnTimecodeGranularity(uint32_t granularity) { Add("OnTimecodeGranularity(%u)", granularity); }
void RecordingPlayer::OnInputModule(int id) { Add("OnInputModule(%d)", id); }
void RecordingPlayer::OnInputModuleInfo(const control_payload* p)
{
    Add("OnInputModuleInfo(%u,%u,%s,%s)", p->module.module_id, p->module.count, Text(p->module.name), Text(p->module.description));
}
void RecordingPlayer::OnInputDeviceInfo(const control_payload* p)
{
    Add("OnInputDeviceInfo(%u,%u,%u,%s,%s)", p->device.module_id, p->device.index, p->device.flags, Text(p->device.name),
        Text(p->device.description));
}
void RecordingPlayer::OnInputFilterInfo(const control_payload* p) { Add("OnInputFilterInfo(%d,%s)", p->filter.id, Text(p->filter.name)); }
void RecordingPlayer::OnOutputState(uint8_t state) { Add("OnOutputState(%u)", state); }
void RecordingPlayer::OnOutputName(const char* name) { Add("OnOutputName(%s)", Text(name)); }
void RecordingPlayer::OnOutputCaps(uint32_t caps) { Add("OnOutputCaps(0x%x)", caps); }
void RecordingPlayer::OnReserved96(uint32_t first, uint32_t second) { Add("OnReserved96(%u,%u)", first, second); }
void RecordingPlayer::OnReserved98(const control_payload* p)
{
    Add("OnReserved98(%u,%u,%u,%u)", p->timecode.hours, p->timecode.minutes, p->timecode.seconds, p->timecode.hundredths);
}
void RecordingPlayer::OnReserved100(const control_payload* p)
{
    Add("OnReserved100(%u,%u,%u)", p->levels.master, p->levels.pcm, p->levels.balance);
}
void RecordingPlayer::OnOutputBalance(uint8_t value) { Add("OnOutputBalance(%u)", value); }
void RecordingPlayer::OnOutputPcmLevel(uint8_t value) { Add("OnOutputPcmLevel(%u)", value); }
void RecordingPlayer::OnOutputMasterLevel(uint8_t value) { Add("OnOutputMasterLevel(%u)", value); }
void RecordingPlayer::OnChannelMode(uint8_t mode) { Add("OnChannelMode(%u)", mode); }
void RecordingPlayer::OnOutputPorts(uint8_t ports) { Add("OnOutputPorts(%u)", ports); }
void RecordingPlayer::OnOutputModule(int id) { Add("OnOutputModule(%d)", id); }
void RecordingPlayer::OnOutputModuleInfo(const control_payload* p)
{
    Add("OnOutputModuleInfo(%u,%u,%s,%s)", p->module.module_id, p->module.count, Text(p->module.name), Text(p->module.description));
}
void RecordingPlayer::OnOutputDeviceInfo(const control_payload* p)
{
    Add("OnOutputDeviceInfo(%u,%u,%u,%s,%s)", p->device.module_id, p->device.index, p->device.flags, Text(p->device.name),
        Text(p->device.description));
}
void RecordingPlayer::OnOutputFilterInfo(const control_payload* p) { Add("OnOutputFilterInfo(%d,%s)", p->filter.id, Text(p->filter.name)); }
void RecordingPlayer::OnDuration(uint32_t seconds) { Add("OnDuration(%u)", seconds); }
void RecordingPlayer::OnContentType(const char* text) { Add("OnContentType(%s)", Text(text)); }
void RecordingPlayer::OnStreamFormat(const control_payload* p)
{
    Add("OnStreamFormat(%u,%u,%u)", p->format.frequency, p->format.bitrate, p->format.channels);
}
void RecordingPlayer::OnStreamProperties(const property_list* list)
{
    std::string text = "OnStreamProperties(" + std::to_string(list->count);
    for (uint32_t i = 0; i < list->count; ++i) {
        const property_entry& e = list->entries[i];
        text += std::string(",") + Text(e.name) + "=";
        text += e.type == PROPERTY_INTEGER ? std::to_string(e.value.integer) : std::string(Text(e.value.text));
    }
    Add("%s)", text.c_str());
}
void RecordingPlayer::OnCodecQuality(uint8_t quality) { Add("OnCodecQuality(%u)", quality); }
void RecordingPlayer::OnCodecEqualizer(const int8_t* bands)
{
    if (bands)
        Add("OnCodecEqualizer(%d,%d)", bands[0], bands[63]);
    else
        Add("OnCodecEqualizer(null)");
}
void RecordingPlayer::OnCodecModule(int id) { Add("OnCodecModule(%d)", id); }
void RecordingPlayer::OnCodecModuleInfo(const control_payload* p)
{
    Add("OnCodecModuleInfo(%u,%u,%s,%s)", p->module.module_id, p->module.count, Text(p->module.name), Text(p->module.description));
}
void RecordingPlayer::OnCodecDeviceInfo(const control_payload* p)
{
    Add("OnCodecDeviceInfo(%u,%u,%u,%s,%s)", p->device.module_id, p->device.index, p->device.flags, Text(p->device.name),
        Text(p->device.description));
}
void RecordingPlayer::OnPcmFeedbackRate(uint8_t rate) { Add("OnPcmFeedbackRate(%u)", rate); }
void RecordingPlayer::OnFeedbackState(uint8_t state) { Add("OnFeedbackState(%u)", state); }
void RecordingPlayer::OnFeedbackHandler(int id) { Add("OnFeedbackHandler(%d)", id); }
void RecordingPlayer::OnFeedbackModuleInfo(const control_payload* p)
{
    Add("OnFeedbackModuleInfo(%u,%u,%s,%s)", p->module.module_id, p->module.count, Text(p->module.name), Text(p->module.description));
}
void RecordingPlayer::OnFeedbackHandlerName(const char* name) { Add("OnFeedbackHandlerName(%s)", Text(name)); }
void RecordingPlayer::OnFeedbackHandlerInfo(const control_payload* p)
{
    Add("OnFeedbackHandlerInfo(%u,%u,%u,%s,%s)", p->device.module_id, p->device.index, p->device.flags, Text(p->device.name),
        Text(p->device.description));
}
void RecordingPlayer::OnFeedbackEnvInteger(const char* name, int32_t value) { Add("OnFeedbackEnvInteger(%s,%d)", Text(name), value); }
void RecordingPlayer::OnFeedbackEnvString(const char* name, const char* value) { Add("OnFeedbackEnvString(%s,%s)", Text(name), Text(value)); }
void RecordingPlayer::OnReserved158(const control_payload* p)
{
    Add("OnReserved158(%u,%u,%u,%u,%u,%d)", p->pcm.time_s, p->pcm.time_us, p->pcm.sample_rate, p->pcm.channels,
        p->pcm.samples_per_channel, p->pcm.samples ? p->pcm.samples[0] : 0);
}
void RecordingPlayer::OnReserved159(const control_payload* p)
{
    Add("OnReserved159(%u,%u,%u)", p->u32_triple.first, p->u32_triple.second, p->u32_triple.third);
}
void RecordingPlayer::OnNotificationMask(uint32_t mask) { Add("OnNotificationMask(0x%x)", mask); }
void RecordingPlayer::OnDebugLevel(uint8_t level) { Add("OnDebugLevel(%u)", level); }
void RecordingPlayer::OnProgress(const control_payload* p)
{
    Add("OnProgress(%u,%u,%d,%s)", p->progress.source, p->progress.code, p->progress.value, Text(p->progress.text));
}
void RecordingPlayer::OnDebug(const control_payload* p) { Add("OnDebug(%u,%u,%s)", p->debug.source, p->debug.level, Text(p->debug.text)); }
void RecordingPlayer::OnError(const control_payload* p) { Add("OnError(%u,%d,%s)", p->error.source, p->error.error, Text(p->error.text)); }
void RecordingPlayer::OnModuleEvent(const control_payload* p)
{
    const uint8_t* data = static_cast<const uint8_t*>(p->event.data);
    Add("OnModuleEvent(%u,%d,%u,%u)", p->event.source, p->event.type, p->event.length, data && p->event.length ? data[0] : 0);
}
