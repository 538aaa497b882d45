// The named-variable store: types, watchers, removal, snapshots.
#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

#include "decoder/engine/decoder_errors.h"
#include "decoder/engine/environment.h"

namespace {

struct WatchCall
{
    std::string name;
    bool removed;
    int32_t integer;
    std::string text;
};

struct Watch
{
    bool is_string = false;
    std::vector<WatchCall> calls;
};

void record(void* user, const char* name, void* value)
{
    Watch* w = static_cast<Watch*>(user);
    WatchCall call{ name, value == nullptr, 0, "" };
    if (value && w->is_string)
        call.text = *static_cast<char**>(value);
    else if (value)
        call.integer = *static_cast<int32_t*>(value);
    w->calls.push_back(call);
}

class EnvironmentTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0, environment_new(&store)); }
    void TearDown() override { environment_delete(store); }
    environment* store = nullptr;
};

} // namespace

TEST_F(EnvironmentTest, IntegersAndStringsKeepTheirValues)
{
    EXPECT_EQ(0, environment_set_integer(store, "INPUT.STREAM.BUFFER-SIZE", 65536));
    EXPECT_EQ(0, environment_set_integer(store, "INPUT.STREAM.BUFFER-SIZE", -7));
    EXPECT_EQ(0, environment_set_string(store, "OUTPUT.NAME", "first"));
    EXPECT_EQ(0, environment_set_string(store, "OUTPUT.NAME", "second"));
    int32_t value = 0;
    char text[ENVIRONMENT_STRING_BUFFER_SIZE];
    EXPECT_EQ(0, environment_get_integer(store, "INPUT.STREAM.BUFFER-SIZE", &value));
    EXPECT_EQ(-7, value);
    EXPECT_EQ(0, environment_get_string(store, "OUTPUT.NAME", text));
    EXPECT_STREQ("second", text);
    // Names compare exactly.
    EXPECT_EQ(DK_ERR_NO_SUCH_VARIABLE, environment_get_string(store, "output.name", text));
}

TEST_F(EnvironmentTest, TheOtherTypeIsRefusedAndTheVariableStays)
{
    ASSERT_EQ(0, environment_set_integer(store, "A", 3));
    ASSERT_EQ(0, environment_set_string(store, "S", "text"));
    EXPECT_EQ(DK_ERR_WRONG_VARIABLE_TYPE, environment_set_string(store, "A", "x"));
    EXPECT_EQ(DK_ERR_WRONG_VARIABLE_TYPE, environment_set_integer(store, "S", 1));
    int32_t value = 0;
    char text[ENVIRONMENT_STRING_BUFFER_SIZE];
    EXPECT_EQ(DK_ERR_WRONG_VARIABLE_TYPE, environment_get_string(store, "A", text));
    EXPECT_EQ(DK_ERR_WRONG_VARIABLE_TYPE, environment_get_integer(store, "S", &value));
    EXPECT_EQ(0, environment_get_integer(store, "A", &value));
    EXPECT_EQ(3, value);
    EXPECT_EQ(0, environment_get_string(store, "S", text));
    EXPECT_STREQ("text", text);
}

TEST_F(EnvironmentTest, NullArgumentsAndMissingVariables)
{
    int32_t value = 0;
    char text[ENVIRONMENT_STRING_BUFFER_SIZE];
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, environment_set_integer(nullptr, "A", 1));
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, environment_set_integer(store, nullptr, 1));
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, environment_set_string(store, "A", nullptr));
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, environment_get_integer(store, "A", nullptr));
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, environment_get_string(store, "A", nullptr));
    EXPECT_EQ(DK_ERR_NO_SUCH_VARIABLE, environment_get_integer(store, "A", &value));
    EXPECT_EQ(DK_ERR_NO_SUCH_VARIABLE, environment_get_string(store, "A", text));
    EXPECT_EQ(DK_ERR_NO_SUCH_VARIABLE, environment_unset(store, "A"));
    property_list list;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, environment_snapshot(store, nullptr));
    EXPECT_EQ(0, environment_snapshot(store, &list));
    EXPECT_EQ(0u, list.count);
    EXPECT_EQ(nullptr, list.entries);
}

TEST_F(EnvironmentTest, LongStringsAreCutToTheBuffer)
{
    const std::string long_text(5000, 'x');
    ASSERT_EQ(0, environment_set_string(store, "LONG", long_text.c_str()));
    std::vector<char> buffer(ENVIRONMENT_STRING_BUFFER_SIZE + 16, '#');
    ASSERT_EQ(0, environment_get_string(store, "LONG", buffer.data()));
    EXPECT_EQ(std::string(ENVIRONMENT_STRING_BUFFER_SIZE - 1, 'x'), std::string(buffer.data()));
    for (size_t i = ENVIRONMENT_STRING_BUFFER_SIZE; i < buffer.size(); ++i)
        EXPECT_EQ('#', buffer[i]) << "byte " << i << " written past the buffer";
}

TEST_F(EnvironmentTest, WatchersSeeEverySetAndTheRemoval)
{
    Watch watch;
    Watch other;
    environment_watcher* w = nullptr;
    environment_watcher* w_other = nullptr;
    ASSERT_EQ(0, environment_watch(store, "PITCH", &watch, record, &w));
    ASSERT_EQ(0, environment_watch(store, "OTHER", &other, record, &w_other));
    EXPECT_EQ(0, environment_set_integer(store, "PITCH", 1000));
    EXPECT_EQ(0, environment_set_integer(store, "PITCH", 1000)); // same value: called again
    EXPECT_EQ(0, environment_unset(store, "PITCH"));
    ASSERT_EQ(3u, watch.calls.size());
    EXPECT_EQ(1000, watch.calls[0].integer);
    EXPECT_EQ(1000, watch.calls[1].integer);
    EXPECT_FALSE(watch.calls[1].removed);
    EXPECT_TRUE(watch.calls[2].removed);
    EXPECT_EQ("PITCH", watch.calls[2].name);
    EXPECT_TRUE(other.calls.empty());

    EXPECT_EQ(0, environment_unwatch(store, w));
    EXPECT_EQ(-1, environment_unwatch(store, w)); // already gone
    EXPECT_EQ(0, environment_set_integer(store, "PITCH", 1));
    EXPECT_EQ(3u, watch.calls.size());
}

TEST_F(EnvironmentTest, StringWatchersGetThePointerToTheText)
{
    Watch watch;
    watch.is_string = true;
    environment_watcher* w = nullptr;
    ASSERT_EQ(0, environment_watch(store, "NAME", &watch, record, &w));
    ASSERT_EQ(0, environment_set_string(store, "NAME", "/dev/dsound/1"));
    ASSERT_EQ(1u, watch.calls.size());
    EXPECT_EQ("/dev/dsound/1", watch.calls[0].text);
    // A refused set does not call the watcher.
    EXPECT_EQ(DK_ERR_WRONG_VARIABLE_TYPE, environment_set_integer(store, "NAME", 2));
    EXPECT_EQ(1u, watch.calls.size());
}

TEST_F(EnvironmentTest, SnapshotListsNewestFirst)
{
    ASSERT_EQ(0, environment_set_integer(store, "one", 1));
    ASSERT_EQ(0, environment_set_string(store, "two", "2"));
    ASSERT_EQ(0, environment_set_integer(store, "three", 3));
    ASSERT_EQ(0, environment_set_integer(store, "one", 11)); // updating keeps its place
    property_list list;
    ASSERT_EQ(0, environment_snapshot(store, &list));
    ASSERT_EQ(3u, list.count);
    EXPECT_STREQ("three", list.entries[0].name);
    EXPECT_EQ(PROPERTY_INTEGER, list.entries[0].type);
    EXPECT_EQ(3, list.entries[0].value.integer);
    EXPECT_STREQ("two", list.entries[1].name);
    EXPECT_EQ(PROPERTY_STRING, list.entries[1].type);
    EXPECT_STREQ("2", list.entries[1].value.text);
    EXPECT_STREQ("one", list.entries[2].name);
    EXPECT_EQ(11, list.entries[2].value.integer);

    ASSERT_EQ(0, environment_unset(store, "two"));
    ASSERT_EQ(0, environment_snapshot(store, &list));
    EXPECT_EQ(2u, list.count);
}

TEST(TimeOfDay, GivesWholeMilliseconds)
{
    uint32_t s = 0, us = 1;
    time_of_day(&s, &us);
    EXPECT_GT(s, 1600000000u); // after 2020
    EXPECT_EQ(0u, us % 1000);
    EXPECT_LT(us, 1000000u);
}
