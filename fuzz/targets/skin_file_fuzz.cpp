// Skin files over any text: the loader and the write-back's edit. A load
// either fails and leaves the skin empty or gives items whose ids match
// their names; an edit either fails and leaves the text as it was or gives
// a text that still loads. Input: fuzz/XmlInput.h.
#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlInput.h"
#include "input/commands/CommandVocabulary.h"
#include "skin/file/Skin.h"

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

    Skin skin;
    const bool loaded = skin.LoadText(text);
    if (!loaded) {
        FUZZ_CHECK(skin.GetItemCount() == 0, "a failed load kept %d items", skin.GetItemCount());
    }
    for (int i = 0; i < skin.GetItemCount(); ++i) {
        const SkinItem& item = skin.GetItem(i);
        FUZZ_CHECK(item.kind >= SKIN_BUTTON && item.kind <= SKIN_OTHER, "kind %d", item.kind);
        if (item.kind == SKIN_BUTTON) {
            FUZZ_CHECK(item.id >= 27001 && item.id <= 28510, "button id %d", item.id);
        } else {
            FUZZ_CHECK(item.id == skin.LookupControlName(item.action), "id of %s", item.action.GetString());
        }
    }
    FUZZ_CHECK(skin.GetControlNameCount() == 286 && ActionNameMap.GetCount() == actions,
               "a load changed a vocabulary");

    CString edited = text;
    const int result = Skin::SaveFontText(edited, "textfield", "a-title", "Arial", 9);
    if (result != 0) {
        FUZZ_CHECK(edited == text, "a failed edit changed the text");
    } else {
        Skin again;
        FUZZ_CHECK(again.LoadText(edited) == loaded, "the edited text loads differently");
    }
    return 0;
}
