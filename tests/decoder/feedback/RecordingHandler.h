// Feedback handler modules for the tests, registered by address: each
// records what the feedback server hands it, on the feedback thread, and
// the test thread waits for those records with a time-out.
#pragma once

#include <stdint.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "decoder/player/feedback_handler.h"

struct HandlerCall
{
    std::string what; // "new", "delete", "start", "stop", "message", "event", "watch"
    std::string name; // handler name, message bytes, watched variable
    int64_t value = 0;
    int64_t delivered_us = 0; // time of day when it was called
    pcm_block block = {};
    std::vector<int8_t> samples;
};

class HandlerLog
{
public:
    static HandlerLog& Instance();

    void Reset();
    void Add(HandlerCall call);
    std::vector<HandlerCall> Calls(const std::string& what = "") const;
    // Waits until pred holds over the calls, or the time-out passes.
    bool WaitUntil(const std::function<bool(const std::vector<HandlerCall>&)>& pred,
                   int timeout_ms = 5000) const;
    bool WaitForCount(const std::string& what, size_t count, int timeout_ms = 5000) const;

    // What new reads through the services and whether it succeeds.
    int new_result = 0;
    std::string string_read;   // "CLIENT.TEXT" through the get-string service
    int32_t integer_read = -1; // "CLIENT.PLAYER" through the get-integer service
    int integer_result = 0;
    int string_result = 0;

private:
    mutable std::mutex m_lock;
    mutable std::condition_variable m_changed;
    std::vector<HandlerCall> m_calls;
};

// "function@<hex>" for a register function.
std::string FunctionName(const void* function);

// Module "Recording Module" with the handlers "rec-a" and "rec-b".
int RecordingModuleRegister(feedback_handler_module_ops* ops);
// The same module under version words and with operations left out.
int VersionLowByteRegister(feedback_handler_module_ops* ops); // 0x308FF: accepted
int WrongVersionRegister(feedback_handler_module_ops* ops);   // 0x30955: refused
int MissingEventRegister(feedback_handler_module_ops* ops);
int MissingProbeRegister(feedback_handler_module_ops* ops);
int FailingEntryRegister(feedback_handler_module_ops* ops);   // returns -510
// A module whose query fills every byte of the name and description.
int LongNamesRegister(feedback_handler_module_ops* ops);

int64_t NowUs();
