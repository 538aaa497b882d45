// Module names resolve to entry points: by address in this process, or by
// symbol in a library loaded by name; the tables they fill register.
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <cstring>
#include <windows.h>

#include "decoder/engine/decoder.h"
#include "decoder/modules/file_input.h"
#include "decoder/engine/module_loader.h"
#include "TestModules.h"

namespace {

const char test_library[] = "decoder_test_module.dll";

std::string function_name(void* address)
{
    char name[64];
    std::snprintf(name, sizeof(name), "function@%llx",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address)));
    return name;
}

struct DecoderHolder
{
    decoder* dec = nullptr;
    DecoderHolder() { EXPECT_EQ(0, decoder_new(&dec)); }
    ~DecoderHolder() { decoder_delete(dec); }
};

} // namespace

TEST(ModuleLoader, FunctionAddressResolvesWithoutLoadingAnything)
{
    void* entry = nullptr;
    EXPECT_EQ(0, module_entry_resolve(&entry, "function@1000", "input_module_register"));
    EXPECT_EQ(reinterpret_cast<void*>(0x1000), entry);
    // The number ends at the first character that is not a hex digit.
    EXPECT_EQ(0, module_entry_resolve(&entry, "function@ABCdefz99", nullptr));
    EXPECT_EQ(reinterpret_cast<void*>(0xabcdef), entry);
}

TEST(ModuleLoader, FunctionAtZeroIsRefused)
{
    for (const char* name : { "function@0", "function@", "function@zz", "function@000" }) {
        void* entry = reinterpret_cast<void*>(1);
        EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, module_entry_resolve(&entry, name, nullptr)) << name;
        EXPECT_EQ(nullptr, entry) << name;
        input_module_ops ops;
        EXPECT_EQ(DK_ERR_INVALID_PARAMETERS,
                  module_table_load(MODULE_KIND_INPUT, name, &ops, sizeof(ops))) << name;
    }
}

TEST(ModuleLoader, DefaultSymbolsOfEachKind)
{
    EXPECT_STREQ("input_module_register", module_default_symbol(MODULE_KIND_INPUT));
    EXPECT_STREQ("input_filter_module_register", module_default_symbol(MODULE_KIND_INPUT_FILTER));
    EXPECT_STREQ("output_module_register", module_default_symbol(MODULE_KIND_OUTPUT));
    EXPECT_STREQ("output_filter_module_register", module_default_symbol(MODULE_KIND_OUTPUT_FILTER));
    EXPECT_STREQ("codec_module_register", module_default_symbol(MODULE_KIND_CODEC));
    EXPECT_STREQ("feedback_handler_module_register", module_default_symbol(MODULE_KIND_FEEDBACK_HANDLER));
}

TEST(ModuleLoader, RegistersABuiltInModuleByItsAddress)
{
    input_module_ops ops;
    std::memset(&ops, 0xcc, sizeof(ops)); // the loader clears the table first
    const std::string name = function_name(reinterpret_cast<void*>(&file_input_module_register));
    ASSERT_EQ(0, module_table_load(MODULE_KIND_INPUT, name.c_str(), &ops, sizeof(ops)));
    EXPECT_EQ(static_cast<uintptr_t>(DECODER_MODULE_VERSION), ops.version);
    EXPECT_EQ(nullptr, ops.send_message); // left empty by the module
    DecoderHolder d;
    EXPECT_EQ(0, decoder_input_module_register(d.dec, &ops));
    module_info info;
    std::memset(&info, 0, sizeof(info));
    EXPECT_EQ(0, decoder_input_module_query(d.dec, 0, &info, MODULE_QUERY_NAME));
    EXPECT_STREQ("Input From File", info.name);
}

TEST(ModuleLoader, LibraryNameAloneUsesTheKindsDefaultSymbol)
{
    DecoderHolder d;
    input_module_ops input;
    codec_module_ops codec;
    ASSERT_EQ(0, module_table_load(MODULE_KIND_INPUT, test_library, &input, sizeof(input)));
    ASSERT_EQ(0, module_table_load(MODULE_KIND_CODEC, test_library, &codec, sizeof(codec)));
    ASSERT_EQ(0, decoder_input_module_register(d.dec, &input));
    ASSERT_EQ(0, decoder_codec_module_register(d.dec, &codec));

    // The library's modules work through the decoder: 1000 bytes counting up.
    ASSERT_EQ(0, decoder_input_new(d.dec, "test:stream", -1));
    ASSERT_EQ(0, decoder_input_open(d.dec));
    std::string bytes;
    int r = 0;
    while ((r = decoder_decode(d.dec, nullptr)) == 0) {
        const pcm_buffer* pcm = d.dec->pcm;
        bytes.append(static_cast<const char*>(pcm->samples), pcm->sample_count * pcm->channels * 2);
    }
    EXPECT_EQ(DK_ERR_END_OF_INPUT, r);
    ASSERT_EQ(1000u, bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(static_cast<char>(i & 0xff), bytes[i]) << "byte " << i;
    EXPECT_EQ(0, decoder_input_close(d.dec));
}

TEST(ModuleLoader, SymbolAtLibraryLooksUpThatSymbol)
{
    DecoderHolder d;
    input_module_ops ops;
    const std::string name = std::string("second_input@") + test_library;
    ASSERT_EQ(0, module_table_load(MODULE_KIND_INPUT, name.c_str(), &ops, sizeof(ops)));
    // Its version word differs only in the lowest byte: accepted.
    EXPECT_EQ(static_cast<uintptr_t>(DECODER_MODULE_VERSION | 0x7f), ops.version);
    EXPECT_EQ(0, decoder_input_module_register(d.dec, &ops));
}

TEST(ModuleLoader, FailuresOfLoadingAndOfTheEntry)
{
    struct Case
    {
        const char* name;
        int result;
    };
    const Case cases[] = {
        { "no_such_library_here.dll", DK_ERR_LIBRARY_NOT_FOUND },
        { "input_module_register@no_such_library_here.dll", DK_ERR_LIBRARY_NOT_FOUND },
        { "input_module_register@", DK_ERR_LIBRARY_NOT_FOUND }, // empty library name
        { "no_such_symbol@decoder_test_module.dll", DK_ERR_SYMBOL_NOT_FOUND },
        { "failing_input@decoder_test_module.dll", DK_ERR_OUT_OF_RESOURCES }, // the entry's error
        { "", DK_ERR_INVALID_PARAMETERS },
    };
    for (const Case& c : cases) {
        input_module_ops ops;
        EXPECT_EQ(c.result, module_table_load(MODULE_KIND_INPUT, c.name, &ops, sizeof(ops))) << c.name;
    }
    // A library without the kind's default symbol.
    output_filter_module_ops filter;
    EXPECT_EQ(DK_ERR_SYMBOL_NOT_FOUND,
              module_table_load(MODULE_KIND_OUTPUT_FILTER, test_library, &filter, sizeof(filter)));
}

TEST(ModuleLoader, TablesThatRegistrationRefuses)
{
    DecoderHolder d;
    test_modules::DebugLog log;
    d.dec->client = &log;
    d.dec->debug_callback = test_modules::record_debug;

    input_module_ops ops;
    ASSERT_EQ(0, module_table_load(MODULE_KIND_INPUT, "old_input@decoder_test_module.dll", &ops, sizeof(ops)));
    EXPECT_EQ(DK_ERR_VERSION_MISMATCH, decoder_input_module_register(d.dec, &ops));
    ASSERT_EQ(0, module_table_load(MODULE_KIND_INPUT, "probeless_input@decoder_test_module.dll", &ops, sizeof(ops)));
    EXPECT_EQ(DK_ERR_INTERNAL, decoder_input_module_register(d.dec, &ops));
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("internal error", log[0].first);
    EXPECT_EQ("null 'probe' method in module", log[0].second);
    EXPECT_EQ(0u, d.dec->counts->input);
}

TEST(ModuleLoader, TheDirectSoundModuleFillsAnOutputTable)
{
    output_module_ops ops;
    ASSERT_EQ(0, module_table_load(MODULE_KIND_OUTPUT, "dk_dsound_output.dll", &ops, sizeof(ops)));
    DecoderHolder d;
    EXPECT_EQ(0, decoder_output_module_register(d.dec, &ops));
    EXPECT_EQ(0, ops.probe("/dev/dsound/0"));
    EXPECT_NE(0, ops.probe("/dev/wave/0"));
}
