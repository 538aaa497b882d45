// The feedback server's queue of time-stamped PCM events, earliest first,
// with a free list whose entries keep their sample buffers for reuse. No
// window code: the server's thread and the tests drive it alike.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "decoder/player/control_messages.h"

// More queued than this and the earliest is dropped before a new one goes in.
enum { FEEDBACK_QUEUE_LIMIT = 200 };

struct feedback_event
{
    uint32_t time_s;
    uint32_t time_us;
    int32_t marker; // 0 for PCM events
    pcm_block block; // block.samples points at the entry's own copy
    int8_t* samples;
    size_t capacity;
    feedback_event* next;
};

struct feedback_queue
{
    feedback_event* head; // earliest
    feedback_event* free_list;
    uint32_t count;
};

void feedback_queue_init(feedback_queue* queue);
// Frees every entry, queued or spent, with its samples.
void feedback_queue_free(feedback_queue* queue);

// Queues a copy of the block and its channels x samples_per_channel
// samples, stamped with the block's time: after every event that is
// strictly earlier, so before events of the same time. 0, or -100 when the
// samples cannot be stored (nothing is queued then).
int feedback_queue_add(feedback_queue* queue, const pcm_block* block);

// Every queued event goes to the free list.
void feedback_queue_flush(feedback_queue* queue);

// Moves every queued event later by the time from (from_s, from_us) to
// (to_s, to_us); earlier by it when to is before from, never below 0.
void feedback_queue_shift(feedback_queue* queue, uint32_t from_s, uint32_t from_us,
                          uint32_t to_s, uint32_t to_us);

// Removes every event whose time is not later than the limit. Returns the
// first of them, which the caller hands back with feedback_queue_recycle;
// the others go straight to the free list. Null when none is due.
feedback_event* feedback_queue_take_due(feedback_queue* queue, uint32_t limit_s,
                                        uint32_t limit_us);
void feedback_queue_recycle(feedback_queue* queue, feedback_event* event);

// Number of spent entries kept for reuse.
uint32_t feedback_queue_spare(const feedback_queue* queue);
