// The named-variable store: a list of variables and a list of watchers,
// newest first, and a snapshot table the store owns.
#include "decoder/engine/environment.h"

#include <chrono>
#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"

namespace {

char* copy_text(const char* text)
{
    const size_t length = strlen(text);
    char* copy = static_cast<char*>(malloc(length + 1));
    if (copy)
        memcpy(copy, text, length + 1);
    return copy;
}

environment_variable* find_variable(environment* store, const char* name)
{
    for (environment_variable* v = store->variables; v; v = v->next)
        if (strcmp(v->name, name) == 0)
            return v;
    return nullptr;
}

void call_watchers(environment* store, const char* name, void* value)
{
    // A watcher may unwatch itself from its function: take the link first.
    environment_watcher* next = nullptr;
    for (environment_watcher* w = store->watchers; w; w = next) {
        next = w->next;
        if (strcmp(w->name, name) == 0 && w->function)
            w->function(w->user, name, value);
    }
}

void free_variable(environment_variable* v)
{
    if (v->type == ENVIRONMENT_STRING)
        free(v->value.text);
    free(v->name);
    free(v);
}

// Finds or creates the variable of that type; -901 for the other type.
int variable_for_setting(environment* store, const char* name, int32_t type,
                         environment_variable** out)
{
    environment_variable* v = find_variable(store, name);
    if (v) {
        if (v->type != type)
            return DK_ERR_WRONG_VARIABLE_TYPE;
        *out = v;
        return 0;
    }
    v = static_cast<environment_variable*>(calloc(1, sizeof(environment_variable)));
    if (!v)
        return DK_ERR_OUT_OF_MEMORY;
    v->name = copy_text(name);
    if (!v->name) {
        free(v);
        return DK_ERR_OUT_OF_MEMORY;
    }
    v->type = type;
    *out = v;
    return 1; // new: the caller links it once its value is set
}

} // namespace

int environment_new(environment** store)
{
    if (!store)
        return DK_ERR_INVALID_PARAMETERS;
    *store = static_cast<environment*>(calloc(1, sizeof(environment)));
    return *store ? 0 : DK_ERR_OUT_OF_MEMORY;
}

void environment_clear(environment* store)
{
    if (!store)
        return;
    environment_variable* next = nullptr;
    for (environment_variable* v = store->variables; v; v = next) {
        next = v->next;
        free_variable(v);
    }
    store->variables = nullptr;
}

void environment_delete(environment* store)
{
    if (!store)
        return;
    environment_clear(store);
    environment_watcher* next = nullptr;
    for (environment_watcher* w = store->watchers; w; w = next) {
        next = w->next;
        free(w->name);
        free(w);
    }
    free(store->snapshot.entries);
    free(store);
}

int environment_set_integer(environment* store, const char* name, int32_t value)
{
    if (!store || !name)
        return DK_ERR_INVALID_PARAMETERS;
    environment_variable* v = nullptr;
    const int r = variable_for_setting(store, name, ENVIRONMENT_INTEGER, &v);
    if (r < 0)
        return r;
    v->value.integer = value;
    if (r == 1) {
        v->next = store->variables;
        store->variables = v;
    }
    call_watchers(store, v->name, &v->value.integer);
    return 0;
}

int environment_set_string(environment* store, const char* name, const char* text)
{
    if (!store || !name || !text)
        return DK_ERR_INVALID_PARAMETERS;
    char* copy = copy_text(text);
    if (!copy)
        return DK_ERR_OUT_OF_MEMORY;
    environment_variable* v = nullptr;
    const int r = variable_for_setting(store, name, ENVIRONMENT_STRING, &v);
    if (r < 0) {
        free(copy);
        return r;
    }
    free(v->value.text);
    v->value.text = copy;
    if (r == 1) {
        v->next = store->variables;
        store->variables = v;
    }
    call_watchers(store, v->name, &v->value.text);
    return 0;
}

int environment_get_integer(environment* store, const char* name, int32_t* value)
{
    if (!store || !name || !value)
        return DK_ERR_INVALID_PARAMETERS;
    const environment_variable* v = find_variable(store, name);
    if (!v)
        return DK_ERR_NO_SUCH_VARIABLE;
    if (v->type != ENVIRONMENT_INTEGER)
        return DK_ERR_WRONG_VARIABLE_TYPE;
    *value = v->value.integer;
    return 0;
}

int environment_get_string(environment* store, const char* name, char* buffer)
{
    if (!store || !name || !buffer)
        return DK_ERR_INVALID_PARAMETERS;
    const environment_variable* v = find_variable(store, name);
    if (!v)
        return DK_ERR_NO_SUCH_VARIABLE;
    if (v->type != ENVIRONMENT_STRING)
        return DK_ERR_WRONG_VARIABLE_TYPE;
    // Cut to the callers' buffer size rather than overrun it.
    size_t length = strlen(v->value.text);
    if (length > ENVIRONMENT_STRING_BUFFER_SIZE - 1)
        length = ENVIRONMENT_STRING_BUFFER_SIZE - 1;
    memcpy(buffer, v->value.text, length);
    buffer[length] = '\0';
    return 0;
}

int environment_unset(environment* store, const char* name)
{
    if (!store || !name)
        return DK_ERR_INVALID_PARAMETERS;
    environment_variable** link = &store->variables;
    while (*link && strcmp((*link)->name, name) != 0)
        link = &(*link)->next;
    environment_variable* v = *link;
    if (!v)
        return DK_ERR_NO_SUCH_VARIABLE;
    *link = v->next;
    call_watchers(store, name, nullptr);
    free_variable(v);
    return 0;
}

int environment_watch(environment* store, const char* name, void* user,
                      environment_watch_function function, environment_watcher** watcher)
{
    if (!store || !name || !function || !watcher)
        return DK_ERR_INVALID_PARAMETERS;
    environment_watcher* w = static_cast<environment_watcher*>(calloc(1, sizeof(environment_watcher)));
    if (!w)
        return DK_ERR_OUT_OF_MEMORY;
    w->name = copy_text(name);
    if (!w->name) {
        free(w);
        return DK_ERR_OUT_OF_MEMORY;
    }
    w->user = user;
    w->function = function;
    w->next = store->watchers;
    if (w->next)
        w->next->previous = w;
    store->watchers = w;
    *watcher = w;
    return 0;
}

int environment_unwatch(environment* store, environment_watcher* watcher)
{
    if (!store || !watcher)
        return DK_ERR_INVALID_PARAMETERS;
    environment_watcher* w = store->watchers;
    while (w && w != watcher)
        w = w->next;
    if (!w)
        return -1;
    if (w->previous)
        w->previous->next = w->next;
    else
        store->watchers = w->next;
    if (w->next)
        w->next->previous = w->previous;
    free(w->name);
    free(w);
    return 0;
}

int environment_snapshot(environment* store, property_list* list)
{
    if (!store || !list)
        return DK_ERR_INVALID_PARAMETERS;
    uint32_t count = 0;
    for (const environment_variable* v = store->variables; v; v = v->next)
        ++count;
    property_entry* entries = nullptr;
    if (count) {
        entries = static_cast<property_entry*>(calloc(count, sizeof(property_entry)));
        if (!entries)
            return DK_ERR_OUT_OF_MEMORY;
        uint32_t i = 0;
        for (const environment_variable* v = store->variables; v; v = v->next, ++i) {
            entries[i].name = v->name;
            entries[i].type = v->type;
            if (v->type == ENVIRONMENT_INTEGER)
                entries[i].value.integer = v->value.integer;
            else
                entries[i].value.text = v->value.text;
        }
    }
    free(store->snapshot.entries);
    store->snapshot.count = count;
    store->snapshot.entries = entries;
    *list = store->snapshot;
    return 0;
}

void time_of_day(uint32_t* seconds, uint32_t* microseconds)
{
    using namespace std::chrono;
    const long long ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    if (seconds)
        *seconds = static_cast<uint32_t>(ms / 1000);
    if (microseconds)
        *microseconds = static_cast<uint32_t>(ms % 1000) * 1000;
}
