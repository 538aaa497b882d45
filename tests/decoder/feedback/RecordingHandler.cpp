#include "RecordingHandler.h"

#include <stdio.h>
#include <string.h>

#include <chrono>

namespace {

struct Handler
{
    std::string name;
    feedback_server* server;
    const feedback_services* services;
    environment_watcher* watcher;
};

int Probe(const char* name)
{
    return strcmp(name, "rec-a") == 0 || strcmp(name, "rec-b") == 0 ? 0 : -1;
}

int Query(module_info* info, int flags)
{
    if (flags & MODULE_QUERY_NAME) {
        strcpy(info->name, "Recording Module");
        strcpy(info->description, "records its calls");
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 2;
    if (flags & MODULE_QUERY_DEVICE) {
        if (info->index < 0 || info->index > 1)
            return -102;
        strcpy(info->name, info->index == 0 ? "rec-a" : "rec-b");
        strcpy(info->description, "recording handler");
        info->flags = 5 + info->index;
    }
    return 0;
}

void Watch(void* user, const char* name, void* value)
{
    HandlerCall call;
    call.what = "watch";
    call.name = name;
    call.value = value ? *static_cast<int32_t*>(value) : -1;
    (void)user;
    HandlerLog::Instance().Add(call);
}

int New(void** instance, const char* name, feedback_module_entry* entry, feedback_server* server,
        const feedback_services* services)
{
    HandlerLog& log = HandlerLog::Instance();
    HandlerCall call;
    call.what = "new";
    call.name = name;
    call.value = entry ? entry->id : -1;
    if (log.new_result < 0) {
        log.Add(call);
        return log.new_result;
    }
    Handler* h = new Handler{name, server, services, nullptr};
    log.integer_result = services->get_integer(server, "CLIENT.PLAYER", &log.integer_read);
    char text[ENVIRONMENT_STRING_BUFFER_SIZE];
    memset(text, 'x', sizeof(text));
    log.string_result = services->get_string(server, "CLIENT.TEXT", text);
    if (log.string_result == 0)
        log.string_read = text;
    services->add_watcher(server, "CLIENT.WATCHED", h, Watch, &h->watcher);
    // Handlers may post to the client: a pong tagged 4242.
    control_message pong;
    control_message_pack_args(&pong, CM_PONG, 4242);
    services->post_to_client(server, &pong);
    *instance = h;
    log.Add(call);
    return 0;
}

int Delete(void* instance)
{
    Handler* h = static_cast<Handler*>(instance);
    HandlerCall call;
    call.what = "delete";
    call.name = h->name;
    call.value = h->services->remove_watcher(h->server, h->watcher);
    delete h;
    HandlerLog::Instance().Add(call);
    return 0;
}

int Start(void* instance)
{
    HandlerCall call;
    call.what = "start";
    call.name = static_cast<Handler*>(instance)->name;
    HandlerLog::Instance().Add(call);
    return 0;
}

int Stop(void* instance)
{
    HandlerCall call;
    call.what = "stop";
    call.name = static_cast<Handler*>(instance)->name;
    HandlerLog::Instance().Add(call);
    return 0;
}

int Message(void*, int type, const void* data, int length)
{
    HandlerCall call;
    call.what = "message";
    call.value = type;
    call.name.assign(static_cast<const char*>(data), static_cast<size_t>(length));
    HandlerLog::Instance().Add(call);
    return 0;
}

int Event(void* instance, const pcm_block* block)
{
    HandlerCall call;
    call.what = "event";
    call.name = static_cast<Handler*>(instance)->name;
    call.delivered_us = NowUs();
    call.block = *block;
    const size_t n = static_cast<size_t>(block->channels) * block->samples_per_channel;
    if (block->samples)
        call.samples.assign(block->samples, block->samples + n);
    call.block.samples = nullptr;
    HandlerLog::Instance().Add(call);
    return 0;
}

int LongQuery(module_info* info, int flags)
{
    memset(info->name, 'n', sizeof(info->name));
    memset(info->description, 'd', sizeof(info->description));
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 1;
    return 0;
}

} // namespace

HandlerLog& HandlerLog::Instance()
{
    static HandlerLog log;
    return log;
}

void HandlerLog::Reset()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_calls.clear();
    new_result = 0;
    string_read.clear();
    integer_read = -1;
    integer_result = 0;
    string_result = 0;
}

void HandlerLog::Add(HandlerCall call)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_calls.push_back(std::move(call));
    }
    m_changed.notify_all();
}

std::vector<HandlerCall> HandlerLog::Calls(const std::string& what) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<HandlerCall> out;
    for (const HandlerCall& c : m_calls)
        if (what.empty() || c.what == what)
            out.push_back(c);
    return out;
}

bool HandlerLog::WaitUntil(const std::function<bool(const std::vector<HandlerCall>&)>& pred,
                           int timeout_ms) const
{
    std::unique_lock<std::mutex> hold(m_lock);
    return m_changed.wait_for(hold, std::chrono::milliseconds(timeout_ms),
                              [&] { return pred(m_calls); });
}

bool HandlerLog::WaitForCount(const std::string& what, size_t count, int timeout_ms) const
{
    return WaitUntil([&](const std::vector<HandlerCall>& calls) {
        size_t n = 0;
        for (const HandlerCall& c : calls)
            n += c.what == what;
        return n >= count;
    }, timeout_ms);
}

std::string FunctionName(const void* function)
{
    char name[64];
    snprintf(name, sizeof(name), "function@%llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(function)));
    return name;
}

int RecordingModuleRegister(feedback_handler_module_ops* ops)
{
    ops->version = FEEDBACK_HANDLER_MODULE_VERSION;
    ops->probe = Probe;
    ops->query = Query;
    ops->new_instance = New;
    ops->delete_instance = Delete;
    ops->start = Start;
    ops->stop = Stop;
    ops->send_message = Message;
    ops->event = Event;
    return 0;
}

int VersionLowByteRegister(feedback_handler_module_ops* ops)
{
    RecordingModuleRegister(ops);
    ops->version = 0x308FF;
    return 0;
}

int WrongVersionRegister(feedback_handler_module_ops* ops)
{
    RecordingModuleRegister(ops);
    ops->version = 0x30955;
    return 0;
}

int MissingEventRegister(feedback_handler_module_ops* ops)
{
    RecordingModuleRegister(ops);
    ops->event = nullptr;
    return 0;
}

int MissingProbeRegister(feedback_handler_module_ops* ops)
{
    RecordingModuleRegister(ops);
    ops->probe = nullptr;
    return 0;
}

int FailingEntryRegister(feedback_handler_module_ops*)
{
    return -510;
}

int LongNamesRegister(feedback_handler_module_ops* ops)
{
    RecordingModuleRegister(ops);
    ops->query = LongQuery;
    return 0;
}

int64_t NowUs()
{
    uint32_t s = 0, us = 0;
    time_of_day(&s, &us);
    return static_cast<int64_t>(s) * 1000000 + us;
}
