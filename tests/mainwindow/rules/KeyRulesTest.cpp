// The key rules as a table of messages: Space, Delete and Enter act on the
// key-down of their virtual key; their key-up is consumed; a typed
// character with the same code (".", a space, a carriage return) is
// handed on; Escape is always consumed.
#include "mainwindow/dispatch/KeyRules.h"

#include <gtest/gtest.h>

using namespace key_rules;

namespace {

const unsigned KD = 0x100, KU = 0x101, CH = 0x102, SKD = 0x104, SKU = 0x105, SCH = 0x106;
using T = KeyTarget;
using A = KeyAction;

} // namespace

TEST(KeyRules, TheTableOfMessages)
{
    const struct { unsigned message, key; KeyTarget target; KeyAction action; int listCode; } cases[] = {
        // Space types in the four edits and does nothing elsewhere.
        {KD, 32, T::SearchEdit, A::NotConsumed, 0},   {KD, 32, T::SearchListEdit, A::NotConsumed, 0},
        {KD, 32, T::FilterEdit, A::NotConsumed, 0},   {KD, 32, T::SearchBoxEdit, A::NotConsumed, 0},
        {KU, 32, T::SearchEdit, A::NotConsumed, 0},   {KD, 32, T::QueueA, A::Consume, 0},
        {KD, 32, T::Other, A::Consume, 0},            {KU, 32, T::Other, A::Consume, 0},
        {CH, 32, T::Other, A::PassOn, 0},             {SKD, 32, T::Other, A::PassOn, 0},
        // Delete removes queue rows or the playlist once per press.
        {KD, 46, T::QueueA, A::DeleteQueueItems, 4005}, {KD, 46, T::QueueB, A::DeleteQueueItems, 4006},
        {KD, 46, T::AutoMixQueue, A::DeleteQueueItems, 4011}, {KD, 46, T::LibraryTree, A::DeletePlaylist, 0},
        {KD, 46, T::Other, A::PassOn, 0},             {KD, 46, T::SearchEdit, A::PassOn, 0},
        {KU, 46, T::QueueA, A::Consume, 0},           {KU, 46, T::Other, A::Consume, 0},
        // A typed full stop is a character, not a Delete.
        {CH, 46, T::QueueA, A::PassOn, 0},            {CH, 46, T::LibraryTree, A::PassOn, 0},
        {CH, 46, T::AutoMixQueue, A::PassOn, 0},
        // Escape never reaches the dialog.
        {KD, 27, T::Other, A::Consume, 0},            {KU, 27, T::SearchEdit, A::Consume, 0},
        {CH, 27, T::Other, A::Consume, 0},            {SKD, 27, T::Other, A::Consume, 0},
        // Enter.
        {KD, 13, T::SearchEdit, A::SearchGo, 0},      {KD, 13, T::SearchListEdit, A::FilterTrackList, 0},
        {KD, 13, T::DArederoList, A::OpenJukeListItem, 0}, {KD, 13, T::FilterEdit, A::Consume, 0},
        {KD, 13, T::Other, A::Consume, 0},            {KU, 13, T::SearchEdit, A::Consume, 0},
        {KU, 13, T::DArederoList, A::Consume, 0},     {CH, 13, T::SearchEdit, A::PassOn, 0},
        {SKU, 13, T::Other, A::PassOn, 0},            {SCH, 13, T::Other, A::PassOn, 0},
        // Any other key, and messages that are not keys.
        {KD, 'A', T::QueueA, A::PassOn, 0},           {KU, 'A', T::Other, A::PassOn, 0},
        {0x200, 46, T::QueueA, A::PassOn, 0},         {0x0FF, 32, T::Other, A::PassOn, 0},
    };
    for (const auto& c : cases) {
        const KeyDecision d = DecideKey(c.message, c.key, c.target);
        EXPECT_EQ(c.action, d.action) << std::hex << c.message << std::dec << " key " << c.key << " target "
                                      << static_cast<int>(c.target);
        EXPECT_EQ(c.listCode, d.listCode) << std::hex << c.message << std::dec << " key " << c.key;
    }
}

TEST(KeyRules, KeyboardMessagesAreKeyDownToUnichar)
{
    EXPECT_FALSE(IsKeyboardMessage(0x0FF));
    for (unsigned m = 0x100; m <= 0x109; ++m)
        EXPECT_TRUE(IsKeyboardMessage(m)) << m;
    EXPECT_FALSE(IsKeyboardMessage(0x10A));
}

TEST(KeyRules, TheSkinControlsWithATarget)
{
    const struct { const char* name; KeyTarget target; } cases[] = {
        {"editsearch", T::SearchEdit}, {"editsearchlist", T::SearchListEdit}, {"editfilter", T::FilterEdit},
        {"a-queue", T::QueueA},        {"b-queue", T::QueueB},                {"mx-queue", T::AutoMixQueue},
        {"mylibrary", T::LibraryTree}, {"jukelist", T::DArederoList},         {"tracklist", T::Other},
        {"EditSearch", T::Other},      {"", T::Other},                        {nullptr, T::Other},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.target, TargetOfControlName(c.name)) << (c.name ? c.name : "(null)");
    for (const char* name : kTargetControlNames)
        EXPECT_NE(T::Other, TargetOfControlName(name)) << name;
}
