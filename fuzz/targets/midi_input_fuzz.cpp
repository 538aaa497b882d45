// MIDI input from a controller, any bytes: the receiver's plan for each
// message and the learn steps over the same messages. The receiver posts
// at most two known messages, carries an entry only where one belongs and
// never one of another key; a learned entry has a channel, a command
// nibble and nothing that learning does not set, and the map it saves
// reads back as learned. Input: choice byte (bits 0-2 the control type
// learned, bit 3 the display-controller flag, bits 4-5 the swap flags),
// length byte, that many bytes of finish marks, then the messages as
// four bytes each (status, data 1, data 2, action index).
#include "fuzz/FuzzCheck.h"
#include "input/commands/CommandVocabulary.h"
#include "input/controllermap/ControllerMap.h"
#include "input/learn/LearnSteps.h"
#include "input/midi/MidiBytes.h"
#include "input/midi/ReceiverMessages.h"
#include "input/midi/ReceiverRules.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const size_t kMaxLearnedRows = 12;

const char* const kTypes[] = {"button", "knob", "scrollknob", "slider", "wheel", "Light", "other", "SLIDER"};
const char* const kActions[] = {"a-play", "b-ff", "a-rw", "b-pitchup", "a-pitchdown", "a-gain", "tl-scroll",
                                "aq-scroll", "bq-scroll", "a-jogwheel", "b-cue1", "nonsense"};

ControllerMapTable& Map()
{
    static ControllerMapTable map;
    return map;
}

bool Known(uint32_t message)
{
    return message == WM_COMMAND || message == WM_MIDI_LED_TOGGLE || message == WM_MIDI_LED_FLASH ||
           message == WM_MIDI_VALUE || message == WM_MIDI_SCROLL_AQ || message == WM_MIDI_SCROLL_BQ ||
           message == WM_MIDI_PITCH_RELEASE || message == WM_MIDI_FAST_FORWARD || message == WM_MIDI_REWIND ||
           message == WM_MIDI_WHEEL || message == WM_MIDI_DISPLAY_TEXT;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    BuildActionNameMap();
    // A map with every kind of entry on keys 0 to 227 (both channels).
    ControllerMapRows rows;
    for (int key = 0; key < 228; ++key) {
        ControllerMapItem item;
        item.key = key;
        item.chan = key >= 100 ? 1 : 0;
        item.type = kTypes[key % 8];
        item.action = kActions[key % 12];
        item.commandId = ActionNameMap.Lookup(item.action);
        item.rlow = key % 3;
        item.rhigh = 127 - key % 5;
        item.lit = key % 5;
        item.lkey = key * 7;
        item.hd = (key / 8) % 2;
        rows[key] = item;
    }
    Map().Replace(rows);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzParts parts;
    if (!FuzzParts::Split(data, size, &parts))
        return 0;
    ReceiverFlags flags;
    flags.displayController = (parts.choice & 0x08) != 0;
    flags.gainPitchSwapA = (parts.choice & 0x10) != 0;
    flags.gainPitchSwapB = (parts.choice & 0x20) != 0;

    LearnSteps steps;
    CString prompt;
    const bool listening = steps.ChooseType(kTypes[parts.choice & 0x07], prompt);
    FUZZ_CHECK(listening == steps.IsLearning(), "listening %d but learning %d", listening, steps.IsLearning());
    std::vector<LearnedRow> rows;
    size_t finishes = 0;
    for (size_t at = 0; at + 4 <= parts.rest.size(); at += 4) {
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(parts.rest.data()) + at;
        const uint32_t packed = bytes[0] | (static_cast<uint32_t>(bytes[1]) << 8) | (static_cast<uint32_t>(bytes[2]) << 16);

        const ReceiverPlan plan = PlanShortMessage(packed, flags, Map());
        FUZZ_CHECK(plan.count >= 0 && plan.count <= 2, "%d posts", plan.count);
        const bool bend = midi::CommandOf(packed) == 0xE0 && flags.displayController;
        for (int i = 0; i < plan.count; ++i) {
            const ReceiverPost& post = plan.posts[i];
            FUZZ_CHECK(Known(post.message), "unknown message %u", post.message);
            if (post.slot != ReceiverItemSlot::None && !bend)
                FUZZ_CHECK(plan.item.key == ControllerKey(midi::Data1Of(packed), midi::ChannelOf(packed)),
                           "entry of key %d for message %08x", plan.item.key, packed);
            if (post.message == WM_COMMAND)
                FUZZ_CHECK(post.wParam <= 0xFFFF, "command %lu", static_cast<unsigned long>(post.wParam));
        }
        FUZZ_CHECK(!plan.setsJogWheel || plan.item.type.CompareNoCase("wheel") == 0, "jog wheel set by a %s",
                   plan.item.type.GetString());

        steps.Receive(packed);
        const LearnEntry& entry = steps.Entry();
        FUZZ_CHECK(entry.chan >= 0 && entry.chan < 16 && entry.command % 16 == 0 && entry.lit == 0 && entry.lkey == 0 &&
                       entry.hd == 0,
                   "entry chan %d command %d", entry.chan, entry.command);
        // A finish mark ends the phase; when learned, the entry is added.
        if (finishes < parts.head.size() && (parts.head[finishes] & 1) == (at / 4) % 2) {
            ++finishes;
            if (steps.Finish(prompt) == LearnSteps::FinishResult::Done && !entry.type.IsEmpty()) {
                steps.SetAction(kActions[bytes[3] % 11]);
                // The saved map's round trip grows with the square of its
                // rows (each attribute is set into the whole document);
                // whole maps are the controller-map target's input, so the
                // round trip here takes the first kMaxLearnedRows.
                if (rows.size() < kMaxLearnedRows)
                    rows.insert(rows.begin(), steps.Entry());
                steps.ChooseType(kTypes[bytes[3] % 5], prompt);
            }
        }
    }

    // The saved map reads back as learned. Rows stand newest first and the
    // loader keeps the last row of a key: the oldest learned one.
    ControllerMapRows items;
    LightMapRows lights;
    FUZZ_CHECK(ParseControllerMapText(FormatLearnedMapText("fuzz", rows), items, lights), "saved map is not XML");
    std::vector<int32_t> seen;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const int32_t key = ControllerKey(it->midikey, it->chan);
        FUZZ_CHECK(items.count(key) == 1, "row of key %d lost", key);
        if (std::find(seen.begin(), seen.end(), key) != seen.end())
            continue;
        seen.push_back(key);
        const ControllerMapItem& item = items[key];
        FUZZ_CHECK(item.action == it->action && item.type == it->type && item.rlow == it->rlow &&
                       item.rhigh == it->rhigh && item.chan == it->chan,
                   "row of key %d read back changed", key);
    }
    FUZZ_CHECK(lights.empty(), "a learned map has light entries");
    return 0;
}
