// Input and output filter chains: ids, order, removal and pass-through.
#include "tests/support/TestSupport.h"

#include <cstring>
#include <string>
#include <vector>

#include "decoder/engine/decoder.h"
#include "TestModules.h"

namespace {

std::vector<std::string> g_calls; // "read 1", "write 2", ...
std::vector<int> g_deleted;

struct FilterInstance
{
    int id;
};

int filter_new(void** instance, int id, decoder*)
{
    *instance = new FilterInstance{ id };
    return 0;
}

int filter_delete(void* instance)
{
    g_deleted.push_back(static_cast<FilterInstance*>(instance)->id);
    delete static_cast<FilterInstance*>(instance);
    return 0;
}

int filter_query(module_info* info, int flags)
{
    if (flags & MODULE_QUERY_NAME)
        std::strcpy(info->name, "Inverting Filter");
    return 0;
}

int other_query(module_info* info, int flags)
{
    if (flags & MODULE_QUERY_NAME)
        std::strcpy(info->name, "Plain Filter");
    return 0;
}

// Inverts every byte read, so that each filter on the way shows.
int filter_read(input_filter_entry* entry, void* buffer, int count)
{
    g_calls.push_back("read " + std::to_string(static_cast<FilterInstance*>(entry->instance)->id));
    const int r = entry->next->ops.read(entry->next, buffer, count);
    for (int i = 0; i < r; ++i)
        static_cast<unsigned char*>(buffer)[i] ^= 0xff;
    return r;
}

int filter_write(output_filter_entry* entry, void* samples, int bytes, int bps, int channels, int rate)
{
    g_calls.push_back("write " + std::to_string(static_cast<FilterInstance*>(entry->instance)->id));
    return entry->next->ops.write(entry->next, samples, bytes, bps, channels, rate);
}

input_filter_module_ops input_filter()
{
    input_filter_module_ops ops;
    std::memset(&ops, 0, sizeof(ops));
    ops.version = DECODER_MODULE_VERSION;
    ops.query = filter_query;
    ops.new_instance = filter_new;
    ops.delete_instance = filter_delete;
    ops.read = filter_read;
    return ops;
}

output_filter_module_ops output_filter()
{
    output_filter_module_ops ops;
    std::memset(&ops, 0, sizeof(ops));
    ops.version = DECODER_MODULE_VERSION;
    ops.query = filter_query;
    ops.new_instance = filter_new;
    ops.delete_instance = filter_delete;
    ops.write = filter_write;
    return ops;
}

int collect(void* client, input_filter_entry* entry)
{
    static_cast<std::vector<int>*>(client)->push_back(entry->id);
    return 0;
}

int collect_output(void* client, output_filter_entry* entry)
{
    static_cast<std::vector<int>*>(client)->push_back(entry->id);
    return 0;
}

class FilterChainTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test_modules::reset();
        g_calls.clear();
        g_deleted.clear();
        ASSERT_EQ(0, decoder_new(&dec));
    }
    void TearDown() override { decoder_delete(dec); }

    std::vector<int> input_ids()
    {
        std::vector<int> ids;
        EXPECT_EQ(0, decoder_input_filters_enumerate(dec, &ids, collect));
        return ids;
    }

    decoder* dec = nullptr;
};

} // namespace

TEST_F(FilterChainTest, IdsAndPositions)
{
    const input_filter_module_ops ops = input_filter();
    EXPECT_EQ(1, decoder_input_filter_register(dec, &ops, -1));
    EXPECT_EQ(2, decoder_input_filter_register(dec, &ops, -1)); // in front of 1
    EXPECT_EQ((std::vector<int>{ 2, 1 }), input_ids());
    EXPECT_EQ(3, decoder_input_filter_register(dec, &ops, 0)); // nearest the module
    EXPECT_EQ(4, decoder_input_filter_register(dec, &ops, 1)); // also before the module end
    EXPECT_EQ(5, decoder_input_filter_register(dec, &ops, 3)); // before filter 3
    EXPECT_EQ(6, decoder_input_filter_register(dec, &ops, 99)); // no such filter: before the module
    EXPECT_EQ((std::vector<int>{ 2, 1, 5, 3, 4, 6 }), input_ids());

    // Unregistering 0 removes the filter nearest the module; the result is
    // the id of the first filter.
    EXPECT_EQ(2, decoder_input_filter_unregister(dec, nullptr, 0));
    EXPECT_EQ((std::vector<int>{ 6 }), g_deleted);
    EXPECT_EQ(1, decoder_input_filter_unregister(dec, nullptr, -1));
    EXPECT_EQ(1, decoder_input_filter_unregister(dec, nullptr, 5));
    EXPECT_EQ(-1, decoder_input_filter_unregister(dec, nullptr, 42));
    EXPECT_EQ((std::vector<int>{ 1, 3, 4 }), input_ids());

    // A free id is reused, the smallest first.
    EXPECT_EQ(2, decoder_input_filter_register(dec, &ops, -1));
}

TEST_F(FilterChainTest, UnregisterByNameAndTheLastOne)
{
    input_filter_module_ops plain = input_filter();
    plain.query = other_query;
    const input_filter_module_ops inverting = input_filter();
    ASSERT_EQ(1, decoder_input_filter_register(dec, &inverting, -1));
    ASSERT_EQ(2, decoder_input_filter_register(dec, &plain, -1));
    EXPECT_EQ(-1, decoder_input_filter_unregister(dec, "No Such Filter", -2));
    EXPECT_EQ(2, decoder_input_filter_unregister(dec, "Inverting Filter", -2));
    EXPECT_EQ(0, decoder_input_filter_unregister(dec, "Plain Filter", -2)); // only the module end left
    EXPECT_EQ(-1, decoder_input_filter_unregister(dec, nullptr, -1));
    EXPECT_EQ(-1, decoder_input_filter_unregister(dec, nullptr, 0));
    EXPECT_TRUE(input_ids().empty());
}

TEST_F(FilterChainTest, RefusedFilterTables)
{
    input_filter_module_ops ops = input_filter();
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_input_filter_register(dec, nullptr, -1));
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_input_filter_register(dec, &ops, -2));
    ops.version = 0x30801;
    EXPECT_EQ(DK_ERR_VERSION_MISMATCH, decoder_input_filter_register(dec, &ops, -1));
    ops = input_filter();
    ops.query = nullptr;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_input_filter_register(dec, &ops, -1));
    output_filter_module_ops out = output_filter();
    out.query = nullptr;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_output_filter_register(dec, &out, -1));
    EXPECT_TRUE(input_ids().empty());
}

TEST_F(FilterChainTest, ReadsAndWritesPassThroughEveryFilter)
{
    test_modules::Stream stream;
    for (int i = 0; i < test_modules::FALLBACK_BLOCK_BYTES; ++i)
        stream.bytes.push_back(static_cast<char>(i * 7));
    test_modules::set_stream("mem:a", stream);
    const input_module_ops input = test_modules::memory_input_ops();
    const output_module_ops output = test_modules::capture_output_ops();
    const codec_module_ops codec = test_modules::fallback_codec_ops();
    ASSERT_EQ(0, decoder_input_module_register(dec, &input));
    ASSERT_EQ(0, decoder_output_module_register(dec, &output));
    ASSERT_EQ(0, decoder_codec_module_register(dec, &codec));

    // Three inverting input filters: the bytes arrive inverted once.
    const input_filter_module_ops in_filter = input_filter();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(i + 1, decoder_input_filter_register(dec, &in_filter, -1));
    const output_filter_module_ops out_filter = output_filter();
    ASSERT_EQ(1, decoder_output_filter_register(dec, &out_filter, -1));
    ASSERT_EQ(2, decoder_output_filter_register(dec, &out_filter, -1));
    std::vector<int> out_ids;
    EXPECT_EQ(0, decoder_output_filters_enumerate(dec, &out_ids, collect_output));
    EXPECT_EQ((std::vector<int>{ 2, 1 }), out_ids);

    ASSERT_EQ(0, decoder_output_new(dec, "cap:out", -1));
    ASSERT_EQ(0, decoder_output_open(dec));
    ASSERT_EQ(0, decoder_input_new(dec, "mem:a", -1));
    ASSERT_EQ(0, decoder_input_open(dec));
    g_calls.clear();
    ASSERT_EQ(0, decoder_play(dec));
    EXPECT_EQ((std::vector<std::string>{ "read 3", "read 2", "read 1", "write 2", "write 1" }), g_calls);
    const std::string& got = test_modules::captured("cap:out").bytes;
    ASSERT_EQ(stream.bytes.size(), got.size());
    for (size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(static_cast<char>(stream.bytes[i] ^ 0xff), got[i]) << "byte " << i;
}
