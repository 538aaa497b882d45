// What a feedback handler module sees of the feedback server: its table of
// operations, filled by its entry point ("feedback_handler_module_register"
// in a library, or any function of the same shape named "function@<hex>"),
// and the services handed to new. All of it runs on the feedback thread.
#pragma once

#include <stdint.h>

#include "decoder/player/control_messages.h"
#include "decoder/engine/decoder.h"
#include "decoder/engine/environment.h"

struct feedback_server;
struct feedback_module_entry;

// Each service takes the feedback server that called new.
struct feedback_services
{
    // 0, -102 (null argument), -900 (no such variable), -901 (a string).
    int (*get_integer)(feedback_server* server, const char* name, int32_t* value);
    // buffer: ENVIRONMENT_STRING_BUFFER_SIZE bytes; longer values are cut.
    int (*get_string)(feedback_server* server, const char* name, char* buffer);
    // The function is called whenever the variable is set or removed; 0, -102, -100.
    int (*add_watcher)(feedback_server* server, const char* name, void* user,
                       environment_watch_function function, environment_watcher** watcher);
    // 0, -1 when it is not registered, -102.
    int (*remove_watcher)(feedback_server* server, environment_watcher* watcher);
    // Posts the record to the client as the server's own notifications go.
    int (*post_to_client)(feedback_server* server, const control_message* message);
};

// Bits 8 to 23 of the version word must be 0x308; bits 0 to 7 are not looked at.
enum { FEEDBACK_HANDLER_VERSION_MASK = 0xFFFF00, FEEDBACK_HANDLER_VERSION_BITS = 0x30800 };

struct feedback_handler_module_ops
{
    uintptr_t version;                          // FEEDBACK_HANDLER_MODULE_VERSION
    int (*probe)(const char* name);             // required: 0 when it has that handler
    int (*query)(module_info* info, int flags); // required: flags 1, 2, 4 as other modules
    int (*new_instance)(void** instance, const char* name, feedback_module_entry* entry,
                        feedback_server* server, const feedback_services* services); // required
    int (*delete_instance)(void* instance);                                           // required
    int (*start)(void* instance);                                                     // optional
    int (*stop)(void* instance);                                                      // optional
    int (*send_message)(void* instance, int type, const void* data, int length);      // optional
    int (*event)(void* instance, const pcm_block* block);                            // required
};

typedef int (*feedback_handler_module_register_function)(feedback_handler_module_ops* ops);

// A registered module: the first gets id 0, each later one the newest's id + 1.
struct feedback_module_entry
{
    int32_t id;
    feedback_handler_module_ops ops;
    feedback_module_entry* next;
};
