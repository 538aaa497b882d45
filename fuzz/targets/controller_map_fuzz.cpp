// Controller maps over any text: every entry's key follows its channel and
// MIDI key, light entries stay apart, and no look-up adds a name to the
// vocabulary. Input: fuzz/XmlInput.h.
#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlInput.h"
#include "input/commands/CommandVocabulary.h"
#include "input/controllermap/ControllerMap.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    BuildActionNameMap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CString text;
    if (!SplitXmlInput(data, size, &text))
        return 0;
    const size_t actions = ActionNameMap.GetCount();

    ControllerMapRows items;
    LightMapRows lights;
    if (!ParseControllerMapText(text, items, lights)) {
        FUZZ_CHECK(items.empty() && lights.empty(), "a text that is not XML gave entries");
        return 0;
    }
    for (const auto& row : items) {
        const ControllerMapItem& item = row.second;
        FUZZ_CHECK(row.first == item.key, "entry filed under %d has key %d", row.first, item.key);
        FUZZ_CHECK(item.type != "light", "a light entry among the controls");
        FUZZ_CHECK(item.commandId == ActionNameMap.Lookup(item.action), "command id %d for [%s]", item.commandId,
                   item.action.GetString());
    }
    FUZZ_CHECK(ActionNameMap.GetCount() == actions, "a look-up added a name");
    ControllerMap.Replace(items);
    ControllerMapItem copy;
    for (const auto& row : items)
        FUZZ_CHECK(ControllerMap.Lookup(row.first, copy) && copy.key == row.first, "entry %d lost", row.first);
    return 0;
}
