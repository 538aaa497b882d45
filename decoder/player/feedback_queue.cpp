#include "decoder/player/feedback_queue.h"

#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"

namespace {

int64_t microseconds(uint32_t s, uint32_t us)
{
    return static_cast<int64_t>(s) * 1000000 + us;
}

bool earlier(const feedback_event* a, uint32_t s, uint32_t us)
{
    return microseconds(a->time_s, a->time_us) < microseconds(s, us);
}

void free_entry(feedback_event* e)
{
    free(e->samples);
    free(e);
}

void free_chain(feedback_event* e)
{
    while (e) {
        feedback_event* next = e->next;
        free_entry(e);
        e = next;
    }
}

void to_free_list(feedback_queue* q, feedback_event* e)
{
    e->next = q->free_list;
    q->free_list = e;
}

void drop_head(feedback_queue* q)
{
    feedback_event* e = q->head;
    q->head = e->next;
    --q->count;
    to_free_list(q, e);
}

} // namespace

void feedback_queue_init(feedback_queue* queue)
{
    memset(queue, 0, sizeof(*queue));
}

void feedback_queue_free(feedback_queue* queue)
{
    free_chain(queue->head);
    free_chain(queue->free_list);
    memset(queue, 0, sizeof(*queue));
}

int feedback_queue_add(feedback_queue* queue, const pcm_block* block)
{
    if (queue->count > FEEDBACK_QUEUE_LIMIT)
        drop_head(queue);

    feedback_event* e = queue->free_list;
    if (e) {
        queue->free_list = e->next;
    } else {
        e = static_cast<feedback_event*>(calloc(1, sizeof(feedback_event)));
        if (!e)
            return DK_ERR_OUT_OF_MEMORY;
    }
    const size_t size = static_cast<size_t>(block->channels) * block->samples_per_channel;
    if (size > e->capacity) {
        int8_t* grown = static_cast<int8_t*>(realloc(e->samples, size));
        if (!grown) {
            to_free_list(queue, e);
            return DK_ERR_OUT_OF_MEMORY;
        }
        e->samples = grown;
        e->capacity = size;
    }
    if (size) {
        if (block->samples)
            memcpy(e->samples, block->samples, size);
        else
            memset(e->samples, 0, size);
    }
    e->time_s = block->time_s;
    e->time_us = block->time_us;
    e->marker = 0;
    e->block = *block;
    e->block.samples = size ? e->samples : nullptr;

    feedback_event** link = &queue->head;
    while (*link && earlier(*link, e->time_s, e->time_us))
        link = &(*link)->next;
    e->next = *link;
    *link = e;
    ++queue->count;
    return 0;
}

void feedback_queue_flush(feedback_queue* queue)
{
    while (queue->head)
        drop_head(queue);
}

void feedback_queue_shift(feedback_queue* queue, uint32_t from_s, uint32_t from_us,
                          uint32_t to_s, uint32_t to_us)
{
    const int64_t delta = microseconds(to_s, to_us) - microseconds(from_s, from_us);
    for (feedback_event* e = queue->head; e; e = e->next) {
        int64_t t = microseconds(e->time_s, e->time_us) + delta;
        if (t < 0)
            t = 0;
        e->time_s = static_cast<uint32_t>(t / 1000000);
        e->time_us = static_cast<uint32_t>(t % 1000000);
        e->block.time_s = e->time_s;
        e->block.time_us = e->time_us;
    }
}

feedback_event* feedback_queue_take_due(feedback_queue* queue, uint32_t limit_s, uint32_t limit_us)
{
    const int64_t limit = microseconds(limit_s, limit_us);
    feedback_event* first = nullptr;
    while (queue->head && microseconds(queue->head->time_s, queue->head->time_us) <= limit) {
        if (!first) {
            first = queue->head;
            queue->head = first->next;
            first->next = nullptr;
            --queue->count;
        } else {
            drop_head(queue);
        }
    }
    return first;
}

void feedback_queue_recycle(feedback_queue* queue, feedback_event* event)
{
    if (event)
        to_free_list(queue, event);
}

uint32_t feedback_queue_spare(const feedback_queue* queue)
{
    uint32_t n = 0;
    for (const feedback_event* e = queue->free_list; e; e = e->next)
        ++n;
    return n;
}
