// Shortcut files over any text: the reader, the accelerator rows and the
// writer. What was read must write out and read back the same, and no
// look-up may add a name to the vocabulary. The first byte picks the code
// page (odd: 932, double-byte; even: single-byte); the rest is the file.
#include "foundation/xml/XmlToken.h"
#include "fuzz/FuzzCheck.h"
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
    FuzzParts parts;
    if (!FuzzParts::Split(data, size, &parts))
        return 0;
    XmlSetNativeCodePage((parts.choice & 1) ? 932 : 0);
    const size_t actions = ActionNameMap.GetCount();
    const size_t keys = KeyNameMap.GetCount();

    ShortcutRows rows = {ShortcutEntry("a", "a-play", 0x01)};
    if (!ParseShortcutText(CString(parts.rest), rows)) {
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
    FUZZ_CHECK(ParseShortcutText(FormatShortcutText(rows, "01/02/03"), back), "the written file does not parse");
    FUZZ_CHECK(back.size() == rows.size(), "%zu rows read back, %zu written", back.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        FUZZ_CHECK(back[i].flags == rows[i].flags, "row %zu: flags read back differ", i);
    return 0;
}
