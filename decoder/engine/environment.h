// A store of named integer and string variables with watchers. The decoder
// keeps its settings in one ("INPUT.STREAM.BUFFER-SIZE"), its stream's
// properties in another ("mpeg/level"); each feedback server has its own.
// Names compare exactly, byte by byte.
#pragma once

#include <stdint.h>

#include "decoder/engine/property_list.h"

enum environment_variable_type
{
    ENVIRONMENT_STRING = 0,
    ENVIRONMENT_INTEGER = 1,
};

// Callers read string variables into buffers of this size; longer values
// are cut to it (always NUL-terminated).
enum { ENVIRONMENT_STRING_BUFFER_SIZE = 1024 };

// Called with the watcher's user value, the variable's name and a pointer
// to its value field (the int32_t, or the char* of a string), or null when
// the variable is removed.
typedef void (*environment_watch_function)(void* user, const char* name, void* value);

struct environment_variable
{
    char* name;
    int32_t type;
    union {
        int32_t integer;
        char* text;
    } value;
    environment_variable* next;
};

struct environment_watcher
{
    char* name;
    void* user;
    environment_watch_function function;
    environment_watcher* next;
    environment_watcher* previous;
};

struct environment
{
    environment_variable* variables; // newest first
    environment_watcher* watchers;   // newest first
    property_list snapshot;          // entries owned by the store
};

int environment_new(environment** store);
void environment_delete(environment* store);

int environment_set_integer(environment* store, const char* name, int32_t value);
int environment_set_string(environment* store, const char* name, const char* text);
int environment_get_integer(environment* store, const char* name, int32_t* value);
// buffer: ENVIRONMENT_STRING_BUFFER_SIZE bytes.
int environment_get_string(environment* store, const char* name, char* buffer);
int environment_unset(environment* store, const char* name);

int environment_watch(environment* store, const char* name, void* user,
                      environment_watch_function function, environment_watcher** watcher);
int environment_unwatch(environment* store, environment_watcher* watcher);

// Every variable, newest first; the entry table stays the store's and is
// replaced by the next snapshot.
int environment_snapshot(environment* store, property_list* list);

// Removes every variable without calling watchers (the decoder empties its
// stream properties this way when an input opens).
void environment_clear(environment* store);

// The current time of day, to the millisecond.
void time_of_day(uint32_t* seconds, uint32_t* microseconds);
