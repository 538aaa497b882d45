// The feedback server's event queue on its own: order, the limit, due
// events, time shifts and the reuse of spent entries.
#include <gtest/gtest.h>

#include <vector>

#include "decoder/player/feedback_queue.h"

namespace {

class FeedbackQueue : public ::testing::Test
{
protected:
    void SetUp() override { feedback_queue_init(&queue); }
    void TearDown() override { feedback_queue_free(&queue); }

    int Add(uint32_t s, uint32_t us, int8_t tag, uint16_t per_channel = 4)
    {
        std::vector<int8_t> samples(2u * per_channel, 0);
        samples[0] = tag;
        pcm_block block = {s, us, 22050, 2, per_channel, samples.data()};
        return feedback_queue_add(&queue, &block);
    }

    std::vector<int> Tags() const
    {
        std::vector<int> tags;
        for (const feedback_event* e = queue.head; e; e = e->next)
            tags.push_back(e->block.samples[0]);
        return tags;
    }

    feedback_queue queue;
};

} // namespace

TEST_F(FeedbackQueue, EventsAreKeptInTimeOrderSameTimesNewestFirst)
{
    ASSERT_EQ(0, Add(10, 500000, 1));
    ASSERT_EQ(0, Add(10, 100000, 2));
    ASSERT_EQ(0, Add(11, 0, 3));
    ASSERT_EQ(0, Add(10, 500000, 4)); // same time as 1: goes before it
    EXPECT_EQ((std::vector<int>{2, 4, 1, 3}), Tags());
    EXPECT_EQ(4u, queue.count);
}

TEST_F(FeedbackQueue, AtMost201EventsAreKeptTheEarliestDroppedFirst)
{
    for (int i = 0; i < 250; ++i)
        ASSERT_EQ(0, Add(100, static_cast<uint32_t>(i * 1000), static_cast<int8_t>(i % 100)));
    EXPECT_EQ(201u, queue.count);
    // The earliest 49 went: the head is event 49.
    EXPECT_EQ(49000u, queue.head->time_us);
}

TEST_F(FeedbackQueue, TakingDueEventsReturnsTheFirstAndDropsTheRest)
{
    Add(5, 0, 1);
    Add(5, 1000, 2);
    Add(5, 2000, 3);
    Add(5, 3001, 4);
    feedback_event* e = feedback_queue_take_due(&queue, 4, 999999);
    EXPECT_EQ(nullptr, e); // nothing due yet
    e = feedback_queue_take_due(&queue, 5, 3000);
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(1, e->block.samples[0]);
    EXPECT_EQ(1u, queue.count); // 2 and 3 dropped, 4 stays
    EXPECT_EQ(2u, feedback_queue_spare(&queue));
    feedback_queue_recycle(&queue, e);
    EXPECT_EQ(3u, feedback_queue_spare(&queue));
    EXPECT_EQ((std::vector<int>{4}), Tags());
}

TEST_F(FeedbackQueue, ShiftMovesEveryEventAndCarriesMicroseconds)
{
    struct Case
    {
        uint32_t event_s, event_us;
        uint32_t from_s, from_us, to_s, to_us;
        uint32_t moved_s, moved_us;
    };
    const Case cases[] = {
        {10, 500000, 10, 0, 12, 0, 12, 500000},       // resume 2 s after pause
        {10, 950000, 10, 100000, 11, 0, 11, 850000},  // 0.9 s carried into the seconds
        {10, 100000, 10, 0, 10, 0, 10, 100000},       // no time passed
        {10, 100000, 10, 0, 9, 0, 9, 100000},         // backwards
        {10, 100000, 30, 0, 10, 0, 0, 0},             // not below 0
    };
    for (const Case& c : cases) {
        feedback_queue_flush(&queue);
        Add(c.event_s, c.event_us, 1);
        feedback_queue_shift(&queue, c.from_s, c.from_us, c.to_s, c.to_us);
        EXPECT_EQ(c.moved_s, queue.head->time_s) << c.event_s << "." << c.event_us;
        EXPECT_EQ(c.moved_us, queue.head->time_us) << c.event_s << "." << c.event_us;
        EXPECT_EQ(c.moved_s, queue.head->block.time_s);
        EXPECT_EQ(c.moved_us, queue.head->block.time_us);
    }
}

TEST_F(FeedbackQueue, FlushedEntriesAreReusedAndGrowForLargerBlocks)
{
    Add(1, 0, 1, 4);
    Add(1, 1, 2, 4);
    feedback_queue_flush(&queue);
    EXPECT_EQ(0u, queue.count);
    EXPECT_EQ(nullptr, queue.head);
    EXPECT_EQ(2u, feedback_queue_spare(&queue));
    // A block of 256 samples per channel takes a spent entry and grows it.
    ASSERT_EQ(0, Add(2, 0, 9, 256));
    EXPECT_EQ(1u, feedback_queue_spare(&queue));
    EXPECT_GE(queue.head->capacity, 512u);
    EXPECT_EQ(256, queue.head->block.samples_per_channel);
    EXPECT_EQ(9, queue.head->block.samples[0]);
    EXPECT_EQ(queue.head->samples, queue.head->block.samples);
}

TEST_F(FeedbackQueue, ABlockWithoutSamplesIsQueuedEmpty)
{
    pcm_block block = {3, 0, 8000, 0, 0, nullptr};
    ASSERT_EQ(0, feedback_queue_add(&queue, &block));
    ASSERT_NE(nullptr, queue.head);
    EXPECT_EQ(nullptr, queue.head->block.samples);
    EXPECT_EQ(8000u, queue.head->block.sample_rate);
}
