// A module's progress and events reach the player's client as 121 and 124,
// under their notification mask bits.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>

#include "NotificationClient.h"
#include "decoder/engine/decoder.h"
#include "decoder/player/player_server.h"

namespace {

// An input module for names beginning "report:": opening reports progress
// and an event, then fails as a network input that found no server might.
struct ReportingInput
{
    decoder* dec;
    int id;
};

int ReportingProbe(const char* name) { return strncmp(name, "report:", 7) == 0 ? 0 : -1; }

int ReportingNew(void** instance, const char*, module_entry* entry, decoder* dec)
{
    *instance = new ReportingInput{dec, entry->id};
    return 0;
}

int ReportingDelete(void* instance)
{
    delete static_cast<ReportingInput*>(instance);
    return 0;
}

int ReportingOpen(void* instance)
{
    const ReportingInput* in = static_cast<ReportingInput*>(instance);
    decoder_report_progress(in->dec, in->id, 16, 0, "connecting");
    decoder_report_progress(in->dec, in->id, 21, -5, nullptr);
    const char data[] = {'a', 'b', '\0', 'c'};
    decoder_report_event(in->dec, in->id, -7, data, sizeof(data));
    return DK_ERR_CONNECTION_REFUSED;
}

int ReportingClose(void*) { return 0; }
int ReportingRead(void*, void*, int) { return 0; }

int ReportingRegister(input_module_ops* ops)
{
    ops->version = DECODER_MODULE_VERSION;
    ops->probe = ReportingProbe;
    ops->new_instance = ReportingNew;
    ops->delete_instance = ReportingDelete;
    ops->open = ReportingOpen;
    ops->close = ReportingClose;
    ops->read = ReportingRead;
    return 0;
}

// The same input, whose query fills every byte of its texts.
int LongQuery(module_info* info, int flags)
{
    memset(info->name, 'n', sizeof(info->name));
    memset(info->description, 'd', sizeof(info->description));
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 1;
    return 0;
}

int LongNamesRegister(input_module_ops* ops)
{
    ReportingRegister(ops);
    ops->query = LongQuery;
    return 0;
}

std::string FunctionName(const void* function)
{
    char name[64];
    snprintf(name, sizeof(name), "function@%llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(function)));
    return name;
}

class ModuleReports : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HWND window = client.Window();
        ASSERT_EQ(0, player_new(&player, &window));
        ASSERT_GE(client.WaitFor(CM_READY), 0);
        const std::string module = FunctionName(reinterpret_cast<const void*>(&ReportingRegister));
        ASSERT_EQ(0, client.Command(player, CM_INPUT_MODULE_ADD, module.c_str()));
    }
    void TearDown() override
    {
        if (player) {
            EXPECT_EQ(0, player_delete(player));
        }
    }

    NotificationClient client;
    message_channel* player = nullptr;
};

} // namespace

TEST_F(ModuleReports, ProgressAndEventsArriveBeforeTheAnswer)
{
    const size_t from = client.Notes().size();
    EXPECT_EQ(-202, client.Command(player, CM_INPUT_OPEN, "report:somewhere"));
    const auto progress = client.OfCode(CM_PROGRESS, from);
    ASSERT_EQ(2u, progress.size());
    EXPECT_EQ(2, progress[0].a); // the module's id: after the file and network inputs
    EXPECT_EQ(16, progress[0].b);
    EXPECT_EQ(0, progress[0].c);
    EXPECT_EQ("connecting", progress[0].text);
    EXPECT_EQ(21, progress[1].b);
    EXPECT_EQ(-5, progress[1].c);
    EXPECT_EQ("", progress[1].text);
    const auto events = client.OfCode(CM_MODULE_EVENT, from);
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(2, events[0].a);
    EXPECT_EQ(-7, events[0].b);
    EXPECT_EQ(4, events[0].c);
    EXPECT_EQ(std::string("ab\0c", 4), events[0].text);
}

TEST_F(ModuleReports, TheMaskBitsSilenceThem)
{
    struct Case
    {
        uint32_t cleared;
        size_t progress;
        size_t events;
    };
    const Case cases[] = {
        {0x4, 0, 1},
        {0x8000000, 2, 0},
        {0x8000004, 0, 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(0, client.Command(player, CM_SET_NOTIFICATION_MASK, 0xFFFFFFFFu & ~c.cleared));
        const size_t from = client.Notes().size();
        EXPECT_EQ(-202, client.Command(player, CM_INPUT_OPEN, "report:somewhere"));
        EXPECT_EQ(c.progress, client.OfCode(CM_PROGRESS, from).size()) << std::hex << c.cleared;
        EXPECT_EQ(c.events, client.OfCode(CM_MODULE_EVENT, from).size()) << std::hex << c.cleared;
    }
}

TEST_F(ModuleReports, ModuleTextsThatFillTheirFieldsAreCutThere)
{
    const std::string module = FunctionName(reinterpret_cast<const void*>(&LongNamesRegister));
    ASSERT_EQ(0, client.Command(player, CM_INPUT_MODULE_ADD, module.c_str()));
    const size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(player, CM_INPUT_MODULE_QUERY, 3));
    const auto modules = client.OfCode(CM_INPUT_MODULE_INFO, from);
    ASSERT_EQ(1u, modules.size());
    EXPECT_EQ(std::string(254, 'n'), modules[0].text);
    EXPECT_EQ(std::string(254, 'd'), modules[0].detail);
    const auto devices = client.OfCode(CM_INPUT_DEVICE_INFO, from);
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ(std::string(254, 'n'), devices[0].text);
}

namespace {

struct Received
{
    int progress = 0;
    int events = 0;
    int source = 0, code = 0, value = 0;
    const void* text = nullptr; // the pointers as they arrived
    const void* data = nullptr;
    uint32_t length = 0;
};

void RecordProgress(void* client, int source, int code, int value, const char* text)
{
    Received* r = static_cast<Received*>(client);
    ++r->progress;
    r->source = source;
    r->code = code;
    r->value = value;
    r->text = text;
}

void RecordEvent(void* client, int source, int type, const void* data, uint32_t length)
{
    Received* r = static_cast<Received*>(client);
    ++r->events;
    r->source = source;
    r->code = type;
    r->data = data;
    r->length = length;
}

} // namespace

TEST(ModuleReportsDirect, ReportsReachTheClientsCallbacksWithTheirPointersWhole)
{
    decoder* dec = nullptr;
    ASSERT_EQ(0, decoder_new(&dec));
    Received received;
    dec->client = &received;
    dec->progress_callback = RecordProgress;
    dec->event_callback = RecordEvent;

    // Heap blocks: on a 64-bit build their addresses need the whole pointer.
    std::string* text = new std::string("buffering");
    std::string* block = new std::string(300, 'x');
    decoder_report_progress(dec, 3, 21, -40000, text->c_str());
    EXPECT_EQ(1, received.progress);
    EXPECT_EQ(3, received.source);
    EXPECT_EQ(21, received.code);
    EXPECT_EQ(-40000, received.value);
    EXPECT_EQ(static_cast<const void*>(text->c_str()), received.text);

    decoder_report_event(dec, 4, -7, block->data(), 0xFFFFFFF0u);
    EXPECT_EQ(1, received.events);
    EXPECT_EQ(4, received.source);
    EXPECT_EQ(-7, received.code);
    EXPECT_EQ(static_cast<const void*>(block->data()), received.data);
    EXPECT_EQ(0xFFFFFFF0u, received.length);
    delete text;
    delete block;
    decoder_delete(dec);
}

TEST(ModuleReportsDirect, ADecoderWithoutClientFunctionsIgnoresReports)
{
    decoder* dec = nullptr;
    ASSERT_EQ(0, decoder_new(&dec));
    decoder_report_progress(dec, 0, 16, 0, "connecting");
    decoder_report_event(dec, 0, 1, "x", 1);
    decoder_report_progress(nullptr, 0, 16, 0, "connecting");
    EXPECT_EQ(nullptr, dec->progress_callback);
    EXPECT_EQ(nullptr, dec->event_callback);
    decoder_delete(dec);
}
