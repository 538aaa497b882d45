// The memory input module on its own: names, static and streaming reads,
// seeking and messages.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "decoder/modules/memory_input.h"

namespace {

class MemoryInput : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0, memory_input_module_register(&ops)); }
    void TearDown() override
    {
        if (instance)
            ops.delete_instance(instance);
    }
    int New(const char* name) { return ops.new_instance(&instance, name, nullptr, nullptr); }

    input_module_ops ops = {};
    void* instance = nullptr;
};

} // namespace

TEST_F(MemoryInput, NamesParseAsSizeAtAddress)
{
    struct Case
    {
        const char* name;
        bool valid;
        uint32_t size;
        uintptr_t address;
    };
    const Case cases[] = {
        {"10@4000", true, 0x10, 0x4000},
        {"aB@Cd", true, 0xAB, 0xCD},
        {"@", true, 0, 0},
        {"20@", true, 0x20, 0},
        {"10@40g0", false, 0, 0},
        {"10@4000 ", false, 0, 0},
        {"x@10", false, 0, 0},
        {"1000", false, 0, 0},
    };
    for (const Case& c : cases) {
        uint32_t size = 0;
        uintptr_t address = 0;
        EXPECT_EQ(c.valid, memory_input_parse_name(c.name, &size, &address)) << c.name;
        EXPECT_EQ(c.valid ? 0 : -1, ops.probe(c.name)) << c.name;
        if (c.valid) {
            EXPECT_EQ(c.size, size) << c.name;
            EXPECT_EQ(c.address, address) << c.name;
        }
    }
    EXPECT_EQ(0, ops.probe(""));
    EXPECT_EQ(0, ops.probe(nullptr));
    EXPECT_EQ(-102, New("10@40g0"));
}

TEST_F(MemoryInput, QueryDescribesBothBuffers)
{
    module_info info = {};
    ASSERT_EQ(0, ops.query(&info, MODULE_QUERY_NAME | MODULE_QUERY_DEVICE_COUNT));
    EXPECT_STREQ("Input From Memory", info.name);
    EXPECT_STREQ("Version 1.0", info.description);
    EXPECT_EQ(2, info.index);
    info.index = 0;
    ASSERT_EQ(0, ops.query(&info, MODULE_QUERY_DEVICE));
    EXPECT_STREQ("streaming buffer", info.description);
    EXPECT_EQ(3, info.flags);
    info.index = 1;
    ASSERT_EQ(0, ops.query(&info, MODULE_QUERY_DEVICE));
    EXPECT_STREQ("size@address", info.name);
    EXPECT_EQ(1, info.flags);
    info.index = 2;
    EXPECT_EQ(-102, ops.query(&info, MODULE_QUERY_DEVICE));
}

TEST_F(MemoryInput, StaticBufferReadsSeeksAndDeliversItsTail)
{
    std::vector<uint8_t> data(40);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i);
    char name[64];
    snprintf(name, sizeof(name), "%x@%llx", 40u, static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(data.data())));
    ASSERT_EQ(0, New(name));
    ASSERT_EQ(0, ops.open(instance));
    EXPECT_EQ(INPUT_CAN_SEEK, ops.get_capabilities(instance));
    EXPECT_EQ(40, ops.get_size(instance));
    uint8_t out[16];
    EXPECT_EQ(16, ops.read(instance, out, 16));
    EXPECT_EQ(0, memcmp(out, data.data(), 16));
    EXPECT_EQ(16, ops.read(instance, out, 16));
    // The last 8 bytes come as a short read, then the end.
    EXPECT_EQ(8, ops.read(instance, out, 16));
    EXPECT_EQ(32, out[0]);
    EXPECT_EQ(-514, ops.read(instance, out, 16));
    EXPECT_EQ(0, ops.seek(instance, 39));
    EXPECT_EQ(1, ops.read(instance, out, 16));
    EXPECT_EQ(39, out[0]);
    EXPECT_EQ(-102, ops.seek(instance, 40));
    // Streaming messages do not apply.
    EXPECT_EQ(-102, ops.send_message(instance, MEMORY_INPUT_APPEND, out, 4));
    EXPECT_EQ(-102, ops.send_message(instance, MEMORY_INPUT_EMPTY, nullptr, 0));
    EXPECT_EQ(-1, ops.send_message(instance, 5000, nullptr, 0));
}

TEST_F(MemoryInput, StreamingBufferTakesWhatFits)
{
    ASSERT_EQ(0, New(""));
    ASSERT_EQ(0, ops.open(instance));
    EXPECT_EQ(0, ops.get_capabilities(instance));
    const std::vector<uint8_t> big(70000, 7);
    EXPECT_EQ(65535, ops.send_message(instance, MEMORY_INPUT_APPEND, big.data(), 70000));
    EXPECT_EQ(0, ops.send_message(instance, MEMORY_INPUT_APPEND, big.data(), 10));
    std::vector<uint8_t> out(65535);
    EXPECT_EQ(65535, ops.read(instance, out.data(), 65535));
    EXPECT_EQ(-104, ops.read(instance, out.data(), 1));
    EXPECT_EQ(10, ops.send_message(instance, MEMORY_INPUT_APPEND, big.data(), 10));
    EXPECT_EQ(-104, ops.read(instance, out.data(), 11));
    EXPECT_EQ(0, ops.seek(instance, 1234)); // empties
    EXPECT_EQ(-104, ops.read(instance, out.data(), 1));
    EXPECT_EQ(4, ops.send_message(instance, MEMORY_INPUT_APPEND, "abcd", 4));
    EXPECT_EQ(0, ops.send_message(instance, MEMORY_INPUT_EMPTY, nullptr, 0));
    EXPECT_EQ(-104, ops.read(instance, out.data(), 1));
    const uint32_t size = 123456;
    EXPECT_EQ(0, ops.get_size(instance));
    EXPECT_EQ(0, ops.send_message(instance, MEMORY_INPUT_SIZE, &size, 4));
    EXPECT_EQ(123456, ops.get_size(instance));
}

TEST_F(MemoryInput, ContentTypeIsBoundedByItsLength)
{
    ASSERT_EQ(0, New(""));
    decoder_input_state state = {};
    decoder fake = {};
    fake.input = &state;
    // A decoder-less instance keeps the type; hand it a decoder view.
    ops.delete_instance(instance);
    instance = nullptr;
    ASSERT_EQ(0, ops.new_instance(&instance, "", nullptr, &fake));
    const char text[] = "audio/waveXXXXXXXX"; // no NUL after the 10 characters sent
    EXPECT_EQ(0, ops.send_message(instance, MEMORY_INPUT_CONTENT_TYPE, text, 10));
    ASSERT_EQ(0, ops.open(instance));
    ASSERT_NE(nullptr, state.content_type);
    EXPECT_STREQ("audio/wave", state.content_type);
}
