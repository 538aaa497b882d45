// Registration of input, output and codec modules, and module queries.
#include "tests/support/TestSupport.h"

#include <cstring>

#include "decoder/engine/decoder.h"
#include "decoder/modules/file_input.h"
#include "decoder/modules/file_output.h"
#include "decoder/modules/wave_codec.h"
#include "TestModules.h"

namespace {

class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, decoder_new(&dec));
        dec->client = &log;
        dec->debug_callback = test_modules::record_debug;
    }
    void TearDown() override { decoder_delete(dec); }

    decoder* dec = nullptr;
    test_modules::DebugLog log;
};

} // namespace

TEST_F(RegistryTest, IdsCountUpInOrderOfRegistration)
{
    const codec_module_ops codec = test_modules::fallback_codec_ops();
    const input_module_ops input = test_modules::memory_input_ops();
    const output_module_ops output = test_modules::capture_output_ops();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i, decoder_codec_module_register(dec, &codec));
        EXPECT_EQ(i, decoder_input_module_register(dec, &input));
        EXPECT_EQ(i, decoder_output_module_register(dec, &output));
    }
    EXPECT_EQ(3u, dec->counts->input);
    EXPECT_EQ(3u, dec->counts->output);
    EXPECT_EQ(3u, dec->counts->codec);
}

TEST_F(RegistryTest, VersionWordIsComparedInBits8To23)
{
    struct Case
    {
        uintptr_t version;
        bool accepted;
    };
    const Case cases[] = {
        { 0x40400, true }, { 0x40401, true }, { 0x404ff, true },
        { 0x40500, false }, { 0x30400, false }, { 0x140400, false }, { 0x30801, false }, { 0, false },
    };
    for (const Case& c : cases) {
        input_module_ops input = test_modules::memory_input_ops();
        output_module_ops output = test_modules::capture_output_ops();
        codec_module_ops codec = test_modules::fallback_codec_ops();
        input.version = output.version = codec.version = c.version;
        const int expected_failure = DK_ERR_VERSION_MISMATCH;
        if (c.accepted) {
            EXPECT_GE(decoder_input_module_register(dec, &input), 0) << std::hex << c.version;
            EXPECT_GE(decoder_output_module_register(dec, &output), 0) << std::hex << c.version;
            EXPECT_GE(decoder_codec_module_register(dec, &codec), 0) << std::hex << c.version;
        } else {
            EXPECT_EQ(expected_failure, decoder_input_module_register(dec, &input)) << std::hex << c.version;
            EXPECT_EQ(expected_failure, decoder_output_module_register(dec, &output)) << std::hex << c.version;
            EXPECT_EQ(expected_failure, decoder_codec_module_register(dec, &codec)) << std::hex << c.version;
        }
    }
    EXPECT_EQ(3u, dec->counts->input);
    EXPECT_EQ(3u, dec->counts->codec);
}

TEST_F(RegistryTest, InputModulesWithoutARequiredMethodAreRefused)
{
    struct Case
    {
        void (*clear)(input_module_ops&);
        const char* detail;
    };
    const Case cases[] = {
        { [](input_module_ops& o) { o.probe = nullptr; }, "null 'probe' method in module" },
        { [](input_module_ops& o) { o.new_instance = nullptr; }, "null 'new' method in module" },
        { [](input_module_ops& o) { o.delete_instance = nullptr; }, "null 'delete' method in module" },
        { [](input_module_ops& o) { o.open = nullptr; }, "null 'open' method in module" },
        { [](input_module_ops& o) { o.close = nullptr; }, "null 'close' method in module" },
        { [](input_module_ops& o) { o.read = nullptr; }, "null 'read' method in module" },
    };
    for (const Case& c : cases) {
        log.clear();
        input_module_ops ops = test_modules::memory_input_ops();
        c.clear(ops);
        EXPECT_EQ(DK_ERR_INTERNAL, decoder_input_module_register(dec, &ops)) << c.detail;
        ASSERT_EQ(1u, log.size());
        EXPECT_EQ("internal error", log[0].first);
        EXPECT_EQ(c.detail, log[0].second);
    }
    EXPECT_EQ(0u, dec->counts->input);
    // Query and the other methods stay optional.
    input_module_ops ops = test_modules::memory_input_ops();
    ops.query = nullptr;
    ops.seek = nullptr;
    ops.get_size = nullptr;
    EXPECT_EQ(0, decoder_input_module_register(dec, &ops));
}

TEST_F(RegistryTest, OutputModulesWithoutARequiredMethodAreRefused)
{
    struct Case
    {
        void (*clear)(output_module_ops&);
        const char* detail;
    };
    const Case cases[] = {
        { [](output_module_ops& o) { o.probe = nullptr; }, "null 'probe' method in module" },
        { [](output_module_ops& o) { o.new_instance = nullptr; }, "null 'new' method in module" },
        { [](output_module_ops& o) { o.delete_instance = nullptr; }, "null 'delete' method in module" },
        { [](output_module_ops& o) { o.open = nullptr; }, "null 'open' method in module" },
        { [](output_module_ops& o) { o.close = nullptr; }, "null 'close' method in module" },
        { [](output_module_ops& o) { o.write = nullptr; }, "null 'write' method in module" },
    };
    for (const Case& c : cases) {
        log.clear();
        output_module_ops ops = test_modules::capture_output_ops();
        c.clear(ops);
        EXPECT_EQ(DK_ERR_INTERNAL, decoder_output_module_register(dec, &ops)) << c.detail;
        ASSERT_EQ(1u, log.size());
        EXPECT_EQ(c.detail, log[0].second);
    }
    EXPECT_EQ(0u, dec->counts->output);
}

TEST_F(RegistryTest, CodecsWithoutARequiredMethodAreRefused)
{
    struct Case
    {
        void (*clear)(codec_module_ops&);
        const char* detail;
    };
    const Case cases[] = {
        { [](codec_module_ops& o) { o.query = nullptr; }, "null 'query' method" },
        { [](codec_module_ops& o) { o.probe = nullptr; }, "null 'probe' method in module" },
        { [](codec_module_ops& o) { o.new_instance = nullptr; }, "null 'new' method in module" },
        { [](codec_module_ops& o) { o.delete_instance = nullptr; }, "null 'delete' method in module" },
        { [](codec_module_ops& o) { o.decode = nullptr; }, "null 'decode' method in module" },
        // Several missing: the first in the fixed order is reported.
        { [](codec_module_ops& o) { o.decode = nullptr; o.query = nullptr; }, "null 'query' method" },
    };
    for (const Case& c : cases) {
        log.clear();
        codec_module_ops ops = test_modules::fallback_codec_ops();
        c.clear(ops);
        EXPECT_EQ(DK_ERR_INTERNAL, decoder_codec_module_register(dec, &ops)) << c.detail;
        ASSERT_EQ(1u, log.size());
        EXPECT_EQ(c.detail, log[0].second);
    }
    EXPECT_EQ(0u, dec->counts->codec);
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_codec_module_register(dec, nullptr));
}

TEST_F(RegistryTest, TheTableIsCopiedAtRegistration)
{
    codec_module_ops ops;
    std::memset(&ops, 0, sizeof(ops));
    ASSERT_EQ(0, wave_codec_module_register(&ops));
    ASSERT_EQ(0, decoder_codec_module_register(dec, &ops));
    std::memset(&ops, 0, sizeof(ops)); // the caller's table was temporary
    module_info info;
    std::memset(&info, 0, sizeof(info));
    EXPECT_EQ(0, decoder_codec_module_query(dec, 0, &info, MODULE_QUERY_NAME));
    EXPECT_STREQ("WAVE Audio Codec", info.name);
    EXPECT_STREQ("Version 1.0", info.description);
}

TEST_F(RegistryTest, QueriesOfModulesWithAndWithoutQueryMethod)
{
    input_module_ops file_input;
    std::memset(&file_input, 0, sizeof(file_input));
    ASSERT_EQ(0, file_input_module_register(&file_input));
    const input_module_ops memory = test_modules::memory_input_ops(); // no query
    ASSERT_EQ(0, decoder_input_module_register(dec, &file_input));
    ASSERT_EQ(1, decoder_input_module_register(dec, &memory));

    module_info info;
    std::memset(&info, 0, sizeof(info));
    EXPECT_EQ(DK_ERR_MODULE_NOT_FOUND, decoder_input_module_query(dec, 2, &info, MODULE_QUERY_NAME));
    EXPECT_EQ(DK_ERR_MODULE_NOT_FOUND, decoder_output_module_query(dec, 0, &info, MODULE_QUERY_NAME));

    // Without a query method the decoder answers for the module.
    EXPECT_EQ(0, decoder_input_module_query(dec, 1, &info, MODULE_QUERY_NAME | MODULE_QUERY_DEVICE_COUNT));
    EXPECT_STREQ("unknown module name", info.name);
    EXPECT_STREQ("", info.description);
    EXPECT_EQ(1, info.index);
    info.index = 0;
    EXPECT_EQ(0, decoder_input_module_query(dec, 1, &info, MODULE_QUERY_DEVICE));
    EXPECT_STREQ("unknown device name", info.name);
    EXPECT_EQ(1, info.flags);
    info.index = 1;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_input_module_query(dec, 1, &info, MODULE_QUERY_DEVICE));

    // With one, the module answers: two devices.
    EXPECT_EQ(0, decoder_input_module_query(dec, 0, &info, MODULE_QUERY_DEVICE_COUNT));
    EXPECT_EQ(2, info.index);
    info.index = 1;
    EXPECT_EQ(0, decoder_input_module_query(dec, 0, &info, MODULE_QUERY_DEVICE));
    EXPECT_STREQ("-", info.name);
    EXPECT_STREQ("standard input", info.description);
    EXPECT_EQ(0, info.flags);
    info.index = 2;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_input_module_query(dec, 0, &info, MODULE_QUERY_DEVICE));
}

TEST_F(RegistryTest, TheBuiltInModulesAnswerTheirQueries)
{
    output_module_ops output;
    codec_module_ops codec;
    std::memset(&output, 0, sizeof(output));
    std::memset(&codec, 0, sizeof(codec));
    ASSERT_EQ(0, file_output_module_register(&output));
    ASSERT_EQ(0, wave_codec_module_register(&codec));
    ASSERT_EQ(0, decoder_output_module_register(dec, &output));
    ASSERT_EQ(0, decoder_codec_module_register(dec, &codec));

    struct Device
    {
        const char* name;
        const char* description;
        int flags;
    };
    const Device devices[] = {
        { "*, or raw:*", "file name (raw PCM format)", 1 },
        { "wav:*", "file name (WAV format)", 1 },
        { "-", "standard output", 0 },
    };
    module_info info;
    std::memset(&info, 0, sizeof(info));
    ASSERT_EQ(0, decoder_output_module_query(dec, 0, &info, MODULE_QUERY_NAME | MODULE_QUERY_DEVICE_COUNT));
    EXPECT_STREQ("Output To File", info.name);
    EXPECT_STREQ("Version 1.2", info.description);
    ASSERT_EQ(3, info.index);
    for (int i = 0; i < 3; ++i) {
        info.index = i;
        ASSERT_EQ(0, decoder_output_module_query(dec, 0, &info, MODULE_QUERY_DEVICE));
        EXPECT_STREQ(devices[i].name, info.name);
        EXPECT_STREQ(devices[i].description, info.description);
        EXPECT_EQ(devices[i].flags, info.flags);
    }
    info.index = 3;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_output_module_query(dec, 0, &info, MODULE_QUERY_DEVICE));

    std::memset(&info, 0, sizeof(info));
    ASSERT_EQ(0, decoder_codec_module_query(dec, 0, &info, MODULE_QUERY_FRAME_SIZE | MODULE_QUERY_CAPABILITIES |
                                                               MODULE_QUERY_DEVICE_COUNT));
    EXPECT_EQ(4096, info.frame_size);
    EXPECT_EQ(0, info.flags);
    EXPECT_EQ(1, info.index);
    info.index = 0;
    ASSERT_EQ(0, decoder_codec_module_query(dec, 0, &info, MODULE_QUERY_DEVICE));
    EXPECT_STREQ("any wav stream", info.name);
    info.index = 1;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_codec_module_query(dec, 0, &info, MODULE_QUERY_DEVICE));
}

TEST_F(RegistryTest, QueryTextsFilledToTheBrimAreEnded)
{
    codec_module_ops ops = test_modules::fallback_codec_ops();
    ops.query = [](module_info* info, int) {
        std::memset(info->name, 'n', sizeof(info->name));
        std::memset(info->description, 'd', sizeof(info->description) + sizeof(info->unused));
        return 0;
    };
    ASSERT_EQ(0, decoder_codec_module_register(dec, &ops));
    module_info info;
    std::memset(&info, 0, sizeof(info));
    ASSERT_EQ(0, decoder_codec_module_query(dec, 0, &info, MODULE_QUERY_NAME));
    EXPECT_EQ(std::string(254, 'n'), std::string(info.name));
    EXPECT_EQ(std::string(254, 'd'), std::string(info.description));
}
