#include "decoder/player/feedback_server.h"

#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"
#include "decoder/player/feedback_queue.h"
#include "decoder/engine/module_loader.h"

enum feedback_state
{
    FEEDBACK_RUNNING = 0,
    FEEDBACK_PAUSED = 1,
    FEEDBACK_EXITING = 2,
};

struct feedback_server
{
    message_channel* channel;
    int state;
    uint32_t pause_s, pause_us;
    char* selected_name; // null: none selected
    int selected_id;     // -1: select by name
    feedback_handler_module_ops handler_ops;
    void* handler;
    bool has_handler;
    int stopped;
    environment* env;
    feedback_services services;
    feedback_queue queue;
    feedback_module_entry* modules; // newest first
};

namespace {

enum { NO_ANSWER = 1000000 };

void notify(feedback_server* fs, int code, ...)
{
    va_list arguments;
    va_start(arguments, code);
    control_message message;
    control_message_pack(&message, code, arguments);
    va_end(arguments);
    message_post_second(fs->channel, &message);
}

// ---------------------------------------------------------------------------
// Services handed to handlers

int service_get_integer(feedback_server* fs, const char* name, int32_t* value)
{
    if (!fs || !name || !value)
        return DK_ERR_INVALID_PARAMETERS;
    return environment_get_integer(fs->env, name, value);
}

int service_get_string(feedback_server* fs, const char* name, char* buffer)
{
    if (!fs || !name || !buffer)
        return DK_ERR_INVALID_PARAMETERS;
    return environment_get_string(fs->env, name, buffer);
}

int service_add_watcher(feedback_server* fs, const char* name, void* user,
                        environment_watch_function function, environment_watcher** watcher)
{
    if (!fs)
        return DK_ERR_INVALID_PARAMETERS;
    return environment_watch(fs->env, name, user, function, watcher);
}

int service_remove_watcher(feedback_server* fs, environment_watcher* watcher)
{
    if (!fs)
        return DK_ERR_INVALID_PARAMETERS;
    return environment_unwatch(fs->env, watcher);
}

int service_post_to_client(feedback_server* fs, const control_message* message)
{
    if (!fs || !message)
        return DK_ERR_INVALID_PARAMETERS;
    return message_post_second(fs->channel, message);
}

// ---------------------------------------------------------------------------
// Modules and the handler

char* copy_text(const char* text)
{
    const size_t n = strlen(text) + 1;
    char* copy = static_cast<char*>(malloc(n));
    if (copy)
        memcpy(copy, text, n);
    return copy;
}

feedback_module_entry* find_module(feedback_server* fs, int id)
{
    for (feedback_module_entry* e = fs->modules; e; e = e->next)
        if (e->id == id)
            return e;
    return nullptr;
}

int module_add(feedback_server* fs, const char* name)
{
    if (!name || !*name)
        return DK_ERR_INVALID_PARAMETERS;
    feedback_handler_module_ops ops;
    const int r = module_table_load(MODULE_KIND_FEEDBACK_HANDLER, name, &ops, sizeof(ops));
    if (r != 0)
        return r < 0 ? r : DK_ERR_INTERNAL;
    if ((ops.version & FEEDBACK_HANDLER_VERSION_MASK) != FEEDBACK_HANDLER_VERSION_BITS)
        return DK_ERR_VERSION_MISMATCH;
    if (!ops.probe || !ops.query || !ops.new_instance || !ops.delete_instance || !ops.event)
        return DK_ERR_INTERNAL;
    feedback_module_entry* entry =
        static_cast<feedback_module_entry*>(calloc(1, sizeof(feedback_module_entry)));
    if (!entry)
        return DK_ERR_OUT_OF_MEMORY;
    entry->id = fs->modules ? fs->modules->id + 1 : 0;
    entry->ops = ops;
    entry->next = fs->modules;
    fs->modules = entry;
    return entry->id;
}

// A module may fill the whole of a text field; what it hands on ends there.
void terminate_texts(module_info* info)
{
    info->name[sizeof(info->name) - 1] = '\0';
    info->description[sizeof(info->description) - 1] = '\0';
}

void module_report(feedback_server* fs, feedback_module_entry* m)
{
    module_info info;
    memset(&info, 0, sizeof(info));
    if (m->ops.query(&info, MODULE_QUERY_NAME | MODULE_QUERY_DEVICE_COUNT) < 0)
        return;
    terminate_texts(&info);
    const int count = info.index;
    notify(fs, CM_FEEDBACK_MODULE_INFO, m->id, count, info.name, info.description);
    for (int i = 0; i < count; ++i) {
        module_info handler;
        memset(&handler, 0, sizeof(handler));
        handler.index = i;
        if (m->ops.query(&handler, MODULE_QUERY_DEVICE) < 0)
            continue;
        terminate_texts(&handler);
        notify(fs, CM_FEEDBACK_HANDLER_INFO, m->id, i, handler.flags, handler.name,
               handler.description);
    }
}

int module_query(feedback_server* fs, int id)
{
    if (id < 0)
        return DK_ERR_INVALID_PARAMETERS;
    feedback_module_entry* m = find_module(fs, id);
    if (!m)
        return DK_ERR_MODULE_NOT_FOUND;
    module_report(fs, m);
    return 0;
}

bool handler_runs(const feedback_server* fs) { return fs->has_handler && !fs->stopped; }

int handler_stop(feedback_server* fs)
{
    if (!fs->has_handler)
        return -1;
    if (fs->stopped)
        return 0;
    if (fs->handler_ops.stop) {
        const int r = fs->handler_ops.stop(fs->handler);
        if (r < 0)
            return r;
    }
    fs->stopped = 1;
    notify(fs, CM_FEEDBACK_STATE, 1);
    return 0;
}

void handler_delete(feedback_server* fs)
{
    if (!fs->has_handler)
        return;
    if (!fs->stopped) {
        if (fs->handler_ops.stop)
            fs->handler_ops.stop(fs->handler);
        fs->stopped = 1;
    }
    fs->handler_ops.delete_instance(fs->handler);
    fs->handler = nullptr;
    fs->has_handler = false;
}

int handler_create(feedback_server* fs)
{
    const char* name = fs->selected_name ? fs->selected_name : "";
    feedback_module_entry* chosen = nullptr;
    if (fs->selected_id != -1) {
        chosen = find_module(fs, fs->selected_id);
    } else {
        for (feedback_module_entry* e = fs->modules; e && !chosen; e = e->next)
            if (e->ops.probe(name) == 0)
                chosen = e;
    }
    if (!chosen)
        return DK_ERR_MODULE_NOT_FOUND;
    handler_delete(fs);
    void* instance = nullptr;
    const int r = chosen->ops.new_instance(&instance, name, chosen, fs, &fs->services);
    if (r < 0)
        return r;
    fs->handler_ops = chosen->ops;
    fs->handler = instance;
    fs->has_handler = true;
    fs->stopped = 1;
    notify(fs, CM_FEEDBACK_HANDLER, fs->selected_id);
    return 0;
}

int handler_start(feedback_server* fs)
{
    if (handler_runs(fs))
        return 0;
    if (!fs->has_handler) {
        const int r = handler_create(fs);
        if (r < 0)
            return r;
    }
    if (fs->handler_ops.start) {
        const int r = fs->handler_ops.start(fs->handler);
        if (r < 0)
            return r;
    }
    fs->stopped = 0;
    notify(fs, CM_FEEDBACK_STATE, 0);
    return 0;
}

int select_name(feedback_server* fs, const char* name)
{
    const char* current = fs->selected_name ? fs->selected_name : "";
    if (!name)
        name = "";
    if (strcmp(current, name) == 0)
        return 0;
    free(fs->selected_name);
    fs->selected_name = nullptr;
    if (!*name) {
        handler_delete(fs);
        return 0;
    }
    fs->selected_name = copy_text(name);
    if (!fs->selected_name)
        return DK_ERR_OUT_OF_MEMORY;
    const bool ran = handler_runs(fs);
    handler_delete(fs);
    int r = handler_create(fs);
    if (r >= 0 && ran)
        r = handler_start(fs);
    notify(fs, CM_FEEDBACK_HANDLER_NAME, fs->selected_name);
    return r;
}

int select_id(feedback_server* fs, int id)
{
    fs->selected_id = id;
    if (!handler_runs(fs))
        return 0;
    const int r = handler_stop(fs);
    if (r < 0)
        return r;
    return handler_start(fs);
}

// ---------------------------------------------------------------------------
// Dispatch

int execute(feedback_server* fs, const control_message* m)
{
    const control_payload& p = m->payload;
    switch (m->code) {
    case CM_FEEDBACK_MODULE_ADD:
        return module_add(fs, p.text.text);
    case CM_FEEDBACK_MODULE_QUERY:
        return module_query(fs, p.i16.value);
    case CM_FEEDBACK_MODULES_LIST:
        for (feedback_module_entry* e = fs->modules; e; e = e->next)
            module_report(fs, e);
        return 0;
    case CM_FEEDBACK_EXIT:
        fs->state = FEEDBACK_EXITING;
        return NO_ANSWER;
    case CM_FEEDBACK_START:
        return handler_start(fs);
    case CM_FEEDBACK_STOP:
        return handler_stop(fs);
    case CM_FEEDBACK_PAUSE:
        if (fs->state != FEEDBACK_EXITING) {
            fs->state = FEEDBACK_PAUSED;
            fs->pause_s = p.u32_pair.first;
            fs->pause_us = p.u32_pair.second;
        }
        return NO_ANSWER;
    case CM_FEEDBACK_RESUME:
        if (fs->state == FEEDBACK_PAUSED) {
            feedback_queue_shift(&fs->queue, fs->pause_s, fs->pause_us, p.u32_pair.first,
                                 p.u32_pair.second);
            fs->state = FEEDBACK_RUNNING;
        }
        return NO_ANSWER;
    case CM_FEEDBACK_FLUSH:
        feedback_queue_flush(&fs->queue);
        return NO_ANSWER;
    case CM_FEEDBACK_SEND:
        if (!fs->has_handler)
            return -1;
        if (!fs->handler_ops.send_message)
            return 0;
        return fs->handler_ops.send_message(fs->handler, p.bytes.type, p.bytes.data,
                                            static_cast<int>(p.bytes.length));
    case CM_FEEDBACK_PCM:
        // Without memory for its samples the event is not queued.
        if (fs->has_handler)
            feedback_queue_add(&fs->queue, &p.pcm);
        return NO_ANSWER;
    case CM_FEEDBACK_TIMECODE:
    case CM_FEEDBACK_POSITION:
        return NO_ANSWER;
    case CM_FEEDBACK_SELECT_NAME:
        return select_name(fs, p.text.text);
    case CM_FEEDBACK_SELECT_ID:
        return select_id(fs, p.i16.value);
    case CM_FEEDBACK_ENV_SET_INTEGER:
        return environment_set_integer(fs->env, p.env_integer.name, p.env_integer.value);
    case CM_FEEDBACK_ENV_GET_INTEGER: {
        int32_t value = 0;
        const int r = environment_get_integer(fs->env, p.text.text, &value);
        if (r < 0)
            return r;
        notify(fs, CM_FEEDBACK_ENV_INTEGER, p.text.text, value);
        return 0;
    }
    case CM_FEEDBACK_ENV_SET_STRING:
        return environment_set_string(fs->env, p.env_string.name, p.env_string.value);
    case CM_FEEDBACK_ENV_GET_STRING: {
        char value[ENVIRONMENT_STRING_BUFFER_SIZE];
        const int r = environment_get_string(fs->env, p.text.text, value);
        if (r < 0)
            return r;
        notify(fs, CM_FEEDBACK_ENV_STRING, p.text.text, value);
        return 0;
    }
    case CM_FEEDBACK_ENV_UNSET:
        return environment_unset(fs->env, p.text.text);
    default:
        return NO_ANSWER;
    }
}

void dispatch(void* user, control_message* message)
{
    feedback_server* fs = static_cast<feedback_server*>(user);
    if (message->code == 0)
        return;
    const int r = execute(fs, message);
    if (r == NO_ANSWER)
        return;
    if (r < 0)
        notify(fs, CM_NACK, message->code, r);
    else
        notify(fs, CM_ACK, message->code);
}

int64_t microseconds(uint32_t s, uint32_t us) { return static_cast<int64_t>(s) * 1000000 + us; }

// Hands the handler the first event due within the look-ahead; the other
// due ones are late and dropped rather than delivered in a burst.
void deliver(feedback_server* fs)
{
    if (!fs->queue.head || fs->state != FEEDBACK_RUNNING)
        return;
    uint32_t s = 0, us = 0;
    time_of_day(&s, &us);
    const int64_t limit = microseconds(s, us) + FEEDBACK_LOOK_AHEAD_US;
    feedback_event* e = feedback_queue_take_due(&fs->queue, static_cast<uint32_t>(limit / 1000000),
                                                static_cast<uint32_t>(limit % 1000000));
    if (!e)
        return;
    if (fs->has_handler && !fs->stopped)
        fs->handler_ops.event(fs->handler, &e->block);
    feedback_queue_recycle(&fs->queue, e);
}

// Until 1 ms before the next event is due; -1 for no time-out.
int32_t wait_time(feedback_server* fs)
{
    if (!fs->queue.head || fs->state != FEEDBACK_RUNNING)
        return -1;
    uint32_t s = 0, us = 0;
    time_of_day(&s, &us);
    int64_t wait = microseconds(fs->queue.head->time_s, fs->queue.head->time_us) - 1000 -
                   microseconds(s, us);
    if (wait < 0)
        wait = 0;
    if (wait > 0x7FFFFFFF)
        wait = 0x7FFFFFFF;
    return static_cast<int32_t>(wait);
}

} // namespace

int feedback_server_create(message_channel* channel, void*, void** instance)
{
    feedback_server* fs = static_cast<feedback_server*>(calloc(1, sizeof(feedback_server)));
    if (!fs)
        return DK_ERR_OUT_OF_MEMORY;
    if (environment_new(&fs->env) < 0) {
        free(fs);
        return DK_ERR_OUT_OF_MEMORY;
    }
    fs->channel = channel;
    fs->state = FEEDBACK_RUNNING;
    fs->selected_id = -1;
    fs->stopped = 1;
    fs->services.get_integer = service_get_integer;
    fs->services.get_string = service_get_string;
    fs->services.add_watcher = service_add_watcher;
    fs->services.remove_watcher = service_remove_watcher;
    fs->services.post_to_client = service_post_to_client;
    feedback_queue_init(&fs->queue);
    message_set_callback(channel, dispatch, fs);
    *instance = fs;
    return 0;
}

int feedback_server_step(void* instance)
{
    feedback_server* fs = static_cast<feedback_server*>(instance);
    while (message_peek(fs->channel, nullptr) == 1) {
    }
    if (fs->state == FEEDBACK_EXITING)
        return -1;
    deliver(fs);
    const int r = message_wait(fs->channel, nullptr, wait_time(fs));
    if (r < 0 && r != DK_ERR_TIMEOUT)
        return -1;
    return fs->state == FEEDBACK_EXITING ? -1 : 0;
}

void feedback_server_destroy(void* instance)
{
    feedback_server* fs = static_cast<feedback_server*>(instance);
    control_message dropped;
    while (message_peek(fs->channel, &dropped) == 1) {
    }
    // The handler goes before the environment: its delete may still
    // remove its watchers there.
    handler_delete(fs);
    environment_delete(fs->env);
    feedback_queue_free(&fs->queue);
    free(fs->selected_name);
    while (fs->modules) {
        feedback_module_entry* next = fs->modules->next;
        free(fs->modules);
        fs->modules = next;
    }
    free(fs);
}
