// The choices the skin's control creators make from an item, free of
// window code: slider ranges, edit styles and modes, the background
// patterns of bars and meters, and the displays a meter item selects.
// Built natively too.
#pragma once

#include <cstdint>

struct SkinItem;

// Window styles of the creators.
enum : uint32_t
{
    kSkinStyleVisible = 0x50000000,   // WS_CHILD | WS_VISIBLE
    kSkinStyleHidden = 0x40000000,    // WS_CHILD
};

// WS_CHILD plus WS_VISIBLE when the item's visible is 1.
uint32_t SkinCommonStyle(const SkinItem& item);

// A slider's orientation, range and start position.
struct SliderSetup
{
    bool vertical = true;
    int minimum = 0;
    int maximum = 100;
    int position = 50;
};
// True for the decks' EQ sliders ("a-sldeqlow" ... "d-sldeqhigh", any case).
bool IsEqSlider(const char* action);
SliderSetup SkinSliderSetup(const SkinItem& item);

// The search and filter edits.
uint32_t SkinEditStyle(const SkinItem& item);
int SkinEditMode(const char* action);   // 1 search, 2 filter

// A background pattern: 0 none, else the bitmap resource of the pattern.
int ProgressPattern(const char* value);     // "H1".."H7"
int MeterPattern(const char* value);        // "H1".."H4", "V1".."V5"

// The display a level-meter item selects by its value.
enum class MeterDisplay
{
    Bar,      // the gradient bar
    Image,    // "VU": the image meter
    Needle,   // "AN": the needle meter
};
MeterDisplay SkinMeterDisplay(const char* value);
// The image meter's slot 0..7 ("a-leftmtr" .. "d-rightmtr") or -1; its
// window id is 18000 + slot.
int ImageMeterSlot(const char* action);
// The needle meter's slot 0..3 (decks A and B only) or -1.
int NeedleMeterSlot(const char* action);
// Whether the action names a deck's left meter, and which deck (0..3), or -1.
int LeftMeterDeck(const char* action);
