// Shortcut files over any text: the reader, the accelerator rows and the
// writer. What was read, written out, reads back as many rows with the
// same flags, and no look-up may add a name to the vocabulary. Input:
// fuzz/XmlInput.h.
#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlInput.h"
#include "input/commands/CommandVocabulary.h"
#include "input/shortcuts/ShortcutTable.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    BuildActionNameMap();
    BuildKeyNameMap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CString text;
    if (!SplitXmlInput(data, size, &text))
        return 0;
    const size_t actions = ActionNameMap.GetCount();
    const size_t keys = KeyNameMap.GetCount();

    ShortcutRows rows = {ShortcutEntry("a", "a-play", 0x01)};
    if (!ParseShortcutText(text, rows)) {
        FUZZ_CHECK(rows.size() == 1, "a text that is not XML changed the rows");
        return 0;
    }
    const std::vector<ShortcutAccelRow> accel = ShortcutAccelRows(rows);
    FUZZ_CHECK(accel.size() == rows.size(), "%zu accelerator rows for %zu shortcuts", accel.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        FUZZ_CHECK((rows[i].flags & ~0x1D) == 0 && (rows[i].flags & 0x01), "flags %#x", rows[i].flags);
        FUZZ_CHECK(accel[i].fVirt == rows[i].flags, "accelerator flags differ");
    }
    FUZZ_CHECK(ActionNameMap.GetCount() == actions && KeyNameMap.GetCount() == keys,
               "a look-up added a name");

    ShortcutRows back;
    FUZZ_CHECK(ParseShortcutText(BuildShortcutFileText(rows, "01/02/03"), back), "the written file does not parse");
    FUZZ_CHECK(back.size() == rows.size(), "%zu rows read back, %zu written", back.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        FUZZ_CHECK(back[i].flags == rows[i].flags, "row %zu: flags read back differ", i);
    return 0;
}
