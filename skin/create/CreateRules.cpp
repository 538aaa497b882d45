#include "skin/create/CreateRules.h"

#include "skin/file/Skin.h"

#include <cctype>
#include <cstring>

namespace {

bool Same(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

bool Starts(const char* text, const char* head)
{
    for (; *head; ++text, ++head) {
        if (!*text || std::toupper(static_cast<unsigned char>(*text)) != *head)
            return false;
    }
    return true;
}

char Last(const char* text)
{
    const size_t n = std::strlen(text);
    return n ? text[n - 1] : '\0';
}

// The eight deck meters in the order of their slots.
const char* const kMeters[] = {"a-leftmtr", "a-rightmtr", "b-leftmtr", "b-rightmtr",
                               "c-leftmtr", "c-rightmtr", "d-leftmtr", "d-rightmtr"};

} // namespace

uint32_t SkinCommonStyle(const SkinItem& item)
{
    return item.visible == 1 ? kSkinStyleVisible : kSkinStyleHidden;
}

bool IsEqSlider(const char* action)
{
    static const char* const kEq[] = {"a-sldeqlow", "a-sldeqmid", "a-sldeqhigh", "b-sldeqlow",
                                      "b-sldeqmid", "b-sldeqhigh", "c-sldeqlow", "c-sldeqmid",
                                      "c-sldeqhigh", "d-sldeqlow", "d-sldeqmid", "d-sldeqhigh"};
    for (const char* name : kEq) {
        if (Same(action, name))
            return true;
    }
    return false;
}

SliderSetup SkinSliderSetup(const SkinItem& item)
{
    SliderSetup s;
    const char* action = item.action;
    s.vertical = !Same(item.orient, "horz");
    if (!s.vertical && Same(action, "sldxfader")) {
        s.minimum = -100;
        s.maximum = 100;
        s.position = 0;
    } else if (IsEqSlider(action)) {
        s.minimum = -50;
        s.maximum = 50;
        s.position = 0;
    } else if (s.vertical && Same(action, "sld-vd-volume")) {
        s.maximum = 5000;
    }
    return s;
}

uint32_t SkinEditStyle(const SkinItem& item)
{
    if (item.visible != 1)
        return kSkinStyleHidden;
    return item.border != 0 ? 0x50810080u : 0x50010080u;
}

int SkinEditMode(const char* action)
{
    return Same(action, "editsearch") || Same(action, "editsearchlist") ? 1 : 2;
}

int ProgressPattern(const char* value)
{
    if (!Starts(value, "H"))
        return 0;
    switch (Last(value)) {
    case '1': return 161;
    case '2': return 162;
    case '3': return 163;
    case '4': return 164;
    case '5': return 230;
    case '6': return 231;
    case '7': return 232;
    default: return 0;
    }
}

int MeterPattern(const char* value)
{
    if (Starts(value, "H")) {
        switch (Last(value)) {
        case '1': return 161;
        case '2': return 162;
        case '3': return 163;
        case '4': return 164;
        default: return 0;
        }
    }
    if (Starts(value, "V") && !Starts(value, "VU")) {
        switch (Last(value)) {
        case '1': return 175;
        case '2': return 176;
        case '3': return 177;
        case '4': return 164;
        case '5': return 230;
        default: return 0;
        }
    }
    return 0;
}

MeterDisplay SkinMeterDisplay(const char* value)
{
    if (Starts(value, "VU"))
        return MeterDisplay::Image;
    if (Starts(value, "AN"))
        return MeterDisplay::Needle;
    return MeterDisplay::Bar;
}

int ImageMeterSlot(const char* action)
{
    for (int slot = 0; slot < 8; ++slot) {
        if (std::strcmp(action, kMeters[slot]) == 0)
            return slot;
    }
    return -1;
}

int NeedleMeterSlot(const char* action)
{
    const int slot = ImageMeterSlot(action);
    return slot >= 0 && slot < 4 ? slot : -1;
}

int LeftMeterDeck(const char* action)
{
    const int slot = ImageMeterSlot(action);
    return slot >= 0 && slot % 2 == 0 ? slot / 2 : -1;
}
