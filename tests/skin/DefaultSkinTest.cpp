// The shipped "Default" skin, as the build draws it into the program folder.
#include "skin/file/Skin.h"

#include "foundation/xml/XmlMarkup.h"
#include "input/commands/CommandVocabulary.h"
#include "tests/support/TestSupport.h"

#include <windows.h>

#include <string>

using namespace tavrix_test;

namespace {

std::string SkinsDir() { return ImageDir() + "\\Skins"; }

SIZE BitmapSize(const std::string& path)
{
    SIZE size = {0, 0};
    HBITMAP bmp = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bmp)
        return size;
    BITMAP info = {};
    GetObjectA(bmp, sizeof info, &info);
    DeleteObject(bmp);
    size.cx = info.bmWidth;
    size.cy = info.bmHeight;
    return size;
}

TEST(DefaultSkin, LoadsWithItsBackgroundZonesAndWindowButtons)
{
    BuildActionNameMap();
    Skin skin;
    skin.SetFolder((SkinsDir() + "\\Default\\").c_str());
    ASSERT_TRUE(skin.Load((SkinsDir() + "\\Default.xml").c_str()));

    const SkinRect& bg = skin.GetBackgroundRect();
    EXPECT_GE(bg.Width(), 1024);
    EXPECT_GE(bg.Height(), 700);
    const SIZE size = BitmapSize(SkinsDir() + "\\Default\\" + skin.GetBackgroundImage().GetString());
    EXPECT_EQ(bg.Width(), size.cx);
    EXPECT_EQ(bg.Height(), size.cy);

    for (Skin::Zone zone : {Skin::ZONE_DECKA, Skin::ZONE_DECKB, Skin::ZONE_DECKC, Skin::ZONE_DECKD,
                            Skin::ZONE_VIDEO, Skin::ZONE_WINDOWMOVE})
        EXPECT_FALSE(skin.GetZoneRect(zone).IsEmpty()) << zone;

    int found = 0;
    for (int i = 0; i < skin.GetItemCount(); ++i) {
        const SkinItem& item = skin.GetItem(i);
        if (item.kind != SKIN_BUTTON)
            continue;
        const bool windowKey = item.id == 27005 || item.id == 27003 || item.id == 27007;
        if (windowKey)
            ++found;
        EXPECT_EQ(1, item.visible) << item.action.GetString();
        for (const CString* image : {&item.image, &item.imageon}) {
            const SIZE s = BitmapSize(SkinsDir() + "\\Default\\" + image->GetString());
            EXPECT_EQ(item.right - item.left, s.cx) << image->GetString();
            EXPECT_EQ(item.bottom - item.top, s.cy) << image->GetString();
        }
        // A button's "+1" rectangle is its picture's size; the window keys
        // are in the title bar.
        EXPECT_LE(item.right, bg.Width());
        if (windowKey) {
            EXPECT_LE(item.bottom, skin.GetZoneRect(Skin::ZONE_WINDOWMOVE).bottom);
        }
    }
    EXPECT_EQ(3, found);   // close, minimize and the main menu

    // The skin browser's preview.
    std::string text;
    ASSERT_TRUE(ReadFileBytes(SkinsDir() + "\\Default.xml", text));
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument(CString(text.c_str())));
    ASSERT_TRUE(xml.FindElement("TavrixVJSkin"));
    ASSERT_TRUE(xml.FindChildElement("thumb"));
    xml.IntoElement();
    const SIZE thumb = BitmapSize(SkinsDir() + "\\Default\\" + xml.GetAttribute("image").GetString());
    EXPECT_GT(thumb.cx, 0);
    EXPECT_GT(thumb.cy, 0);
}

} // namespace
