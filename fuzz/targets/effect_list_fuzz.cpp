// The sound-effects list over any text: the reader, the writer and the
// edits. What was read is numbered 1 to n; written out it reads back as the
// same effects; a swap keeps the list's effects, a delete drops one.
// Input: fuzz/XmlInput.h.
#include "audio/sampler/EffectList.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CString text;
    if (!SplitXmlInput(data, size, &text))
        return 0;
    const SoundEffectList list = ParseEffectList(JoinEffectListLines(text));
    for (size_t i = 0; i < list.size(); ++i)
        FUZZ_CHECK(list[i].id == static_cast<int>(i) + 1, "effect %zu has id %d", i, list[i].id);

    const SoundEffectList back = ParseEffectList(JoinEffectListLines(BuildEffectListText(list, "01/02/03", "5.00")));
    FUZZ_CHECK(back.size() == list.size(), "%zu effects read back, %zu written", back.size(), list.size());
    for (size_t i = 0; i < list.size() && i < back.size(); ++i) {
        // Line ends inside a value are dropped by the reader's joining.
        CString display = list[i].display, filename = list[i].filename;
        display.Remove('\r'); display.Remove('\n');
        filename.Remove('\r'); filename.Remove('\n');
        FUZZ_CHECK(back[i].display == display, "effect %zu: display read back differs", i);
        FUZZ_CHECK(back[i].filename == filename, "effect %zu: filename read back differs", i);
        FUZZ_CHECK(back[i].length == list[i].length, "effect %zu: len %d read back as %d", i, list[i].length,
                   back[i].length);
    }
    if (list.size() >= 2) {
        SoundEffectList swapped = list;
        FUZZ_CHECK(SwapEffects(swapped, list[0].filename, list[list.size() - 1].filename), "swap found nothing");
        FUZZ_CHECK(swapped.size() == list.size(), "a swap changed the count");
        SoundEffectList fewer = list;
        FUZZ_CHECK(DeleteEffectByPath(fewer, list[1].filename) && fewer.size() == list.size() - 1,
                   "delete of a listed path");
    }
    return 0;
}
