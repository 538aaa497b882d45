// Each shipped skin builds the main window: the main window's children
// (id, class, style, rectangle) against what the skin file asks for, item
// by item, by the builders' rules; nothing else is shown.
#include "tests/mainwindow/build/SkinBuildFixture.h"

#include <map>
#include <set>
#include <sstream>

#include "mainwindow/build/BuildTables.h"
#include "mainwindow/build/MainBuildArea.h"
#include "skin/create/CreateRules.h"
#include "skin/file/Skin.h"

namespace tavrix_test {

namespace {

using namespace main_build;

// What one skin item makes: a child window of the main window.
struct Expected
{
    std::string name;
    int32_t id = 0;
    std::string className;
    bool visible = false;
    DWORD mustHave = 0;   // style bits that must be set
    DWORD listType = 0xFFFFFFFF;   // LVS_TYPEMASK bits, when a list
    RECT rect = {};
    RECT place = {};   // what shows of it (its region, when it reaches past)
};

RECT RectOf(const SkinItem& item)
{
    return RECT{item.left, item.top, item.right, item.bottom};
}

// The children the skin's items make, by the builders' rules: each builder
// takes its kinds in table order; the first item of an id wins; a hidden
// button, an unknown name, a splitter with visible not 1 make nothing.
std::vector<Expected> ExpectedChildren(const Skin& skin)
{
    std::vector<Expected> out;
    std::set<int32_t> built;
    auto add = [&](const SkinItem& item, int32_t id, const char* cls, bool visible, DWORD must = 0) {
        Expected e;
        e.name = item.action.GetString();
        e.id = id;
        e.className = cls;
        e.visible = visible;
        e.mustHave = WS_CHILD | must;
        e.rect = RectOf(item);
        e.place = e.rect;
        out.push_back(e);
        return &out.back();
    };
    // The builders in their order: buttons, text fields, status fields,
    // lights, trees, lists, then the kinds from 6 on.
    const int passes[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 1000}};
    for (const auto& pass : passes) {
        for (int i = 0; i < skin.GetItemCount(); ++i) {
            const SkinItem& item = skin.GetItem(i);
            if (item.kind < pass[0] || item.kind > pass[1])
                continue;
            const char* name = item.action;
            const std::string n = name;
            bool known = false;
            switch (item.kind) {
            case SKIN_BUTTON: known = item.id != 0 && ButtonIndex(name) >= 0; break;
            case SKIN_TEXTFIELD: known = TextFieldIndex(name) >= 0; break;
            case SKIN_STATUS: known = StatusFieldIndex(name) >= 0; break;
            case SKIN_INDLIGHT: known = LightIndex(name) >= 0; break;
            case SKIN_TREECTRL: known = n == "juketree" || n == "mylibrary" || n == "mycomputer"; break;
            case SKIN_LISTCTRL: known = TrackListIndex(name) >= 0 || n == "thumblist" || n == "jukelist"; break;
            default: known = ClassifyMisc(name, nullptr) != MiscKind::None; break;
            }
            if (!known || !built.insert(item.id).second)
                continue;
            const bool shown1 = item.visible == 1;
            const bool shownNZ = item.visible != 0;
            const DWORD border = item.border == 1 ? WS_BORDER : 0;
            switch (item.kind) {
            case SKIN_BUTTON:
                if (shownNZ)
                    add(item, item.id, "Button", true, WS_TABSTOP | WS_GROUP);
                continue;
            case SKIN_TEXTFIELD:
            case SKIN_STATUS:
            case SKIN_INDLIGHT:
                add(item, item.id, "Static", shown1);
                continue;
            case SKIN_TREECTRL:
                add(item, item.id, "SysTreeView32", n == "juketree" || shownNZ, WS_TABSTOP | 0xA7 | border);
                continue;
            case SKIN_LISTCTRL:
                if (n == "thumblist") {
                    add(item, item.id, "SysListView32", true, WS_TABSTOP | LVS_SINGLESEL | LVS_SHOWSELALWAYS)->listType =
                        LVS_ICON;
                } else if (n == "jukelist") {
                    add(item, item.id, "Static", shownNZ);   // its class is a later part's
                } else {
                    add(item, item.id, "SysListView32", shownNZ, WS_TABSTOP | border)->listType =
                        item.ICON == 1 ? LVS_ICON : LVS_REPORT;
                }
                // A list hides its scroll bars by reaching past its place
                // by their width, clipped to the place by its region.
                if (n != "jukelist") {
                    if (item.NVS == 1)
                        out.back().rect.right += ::GetSystemMetrics(SM_CXVSCROLL);
                    if (item.NHS == 1)
                        out.back().rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
                }
                continue;
            default:
                break;
            }
            int slot = 0;
            switch (ClassifyMisc(name, &slot)) {
            case MiscKind::Splitter:
                if (shown1)
                    add(item, item.id, "Static", true);
                break;
            case MiscKind::InfoWindow:   // a top-level window, not a child
                break;
            case MiscKind::JukePane:
            case MiscKind::Spectrum:
            case MiscKind::AlbumArt:
            case MiscKind::VideoOnSkin:
            case MiscKind::JukeVolume:
            case MiscKind::Slider:
            case MiscKind::SeekSlider:
                add(item, item.id, "Static", shown1);
                break;
            case MiscKind::Edit:
                add(item, item.id, "Edit", shown1);
                break;
            case MiscKind::JukeProgress:
            case MiscKind::DeckProgress:
                add(item, item.id, "msctls_progress32", shown1);
                break;
            case MiscKind::CpuMeter:
            case MiscKind::LevelMeter: {
                const MeterDisplay display = SkinMeterDisplay(item.value);
                add(item, item.id, "msctls_progress32", display == MeterDisplay::Bar && shown1);
                const int image = ImageMeterSlot(name);
                if (display == MeterDisplay::Image && image >= 0)
                    add(item, 18000 + image, "Static", shown1);
                break;
            }
            case MiscKind::PeakView:
                add(item, item.id, "TavrixScopeCtrl", shown1);
                break;
            case MiscKind::Knob:
                add(item, KnobTemplateId(slot), "msctls_trackbar32", shown1);
                break;
            case MiscKind::None:
                break;
            }
        }
    }
    return out;
}

std::string Describe(const Expected& e)
{
    std::ostringstream s;
    s << e.name << " id " << e.id << " " << e.className << (e.visible ? " shown " : " hidden ") << RectText(e.rect);
    return s.str();
}

class ShippedSkinTest : public SkinBuildTest, public ::testing::WithParamInterface<const char*>
{
};

} // namespace

TEST_P(ShippedSkinTest, EveryListedControlIsMade)
{
    ASSERT_NO_FATAL_FAILURE(UseShippedSkin(GetParam()));
    ASSERT_NO_FATAL_FAILURE(OpenWithProgramParts());
    const Skin& skin = TheSkin();
    ASSERT_GT(skin.GetItemCount(), 20);
    const std::vector<Expected> expected = ExpectedChildren(skin);
    std::map<int32_t, ChildWindow> children;
    for (const ChildWindow& child : DirectChildren(Main())) {
        if (child.id != 0xFFFF && child.id != -1) {
            EXPECT_TRUE(children.emplace(child.id, child).second) << "two children with id " << child.id;
        }
    }
    std::set<int32_t> wanted;
    int shown = 0;
    for (const Expected& e : expected) {
        SCOPED_TRACE(Describe(e));
        wanted.insert(e.id);
        auto found = children.find(e.id);
        ASSERT_NE(children.end(), found);
        const ChildWindow& child = found->second;
        EXPECT_STRCASEEQ(e.className.c_str(), child.className.c_str());
        EXPECT_EQ(e.visible, (child.style & WS_VISIBLE) != 0);
        EXPECT_EQ(e.mustHave, child.style & e.mustHave);
        if (e.listType != 0xFFFFFFFF) {
            EXPECT_EQ(e.listType, child.style & LVS_TYPEMASK);
        }
        EXPECT_EQ(RectText(e.rect), RectText(child.rect));
        if (!::EqualRect(&e.rect, &e.place)) {
            RECT box = {};
            ASSERT_NE(ERROR, ::GetWindowRgnBox(child.hWnd, &box));
            ::OffsetRect(&box, child.rect.left, child.rect.top);
            // What shows stays within the item's place (the bars are cut off).
            RECT within = {};
            ::IntersectRect(&within, &box, &e.place);
            EXPECT_EQ(RectText(box), RectText(within)) << "shows past " << RectText(e.place);
            EXPECT_GE(box.bottom - box.top, e.place.bottom - e.place.top - 4);
        }
        shown += e.visible ? 1 : 0;
    }
    // Nothing else is shown: the other children are the template's own,
    // hidden, and the needle meters (none in the shipped skins).
    for (const auto& entry : children) {
        if (!wanted.count(entry.first)) {
            EXPECT_FALSE(entry.second.style & WS_VISIBLE) << "an unlisted child is shown: " << entry.first << " "
                                                          << entry.second.className;
        }
    }
    EXPECT_GT(shown, 20);

    // The info window: a top-level window at the skin's place, as the item
    // says shown or hidden.
    for (int i = 0; i < skin.GetItemCount(); ++i) {
        const SkinItem& item = skin.GetItem(i);
        if (item.action != "tl-infownd")
            continue;
        InfoWnd* info = Build().controls.InfoWindow();
        ASSERT_NE(nullptr, info);
        EXPECT_FALSE(::GetWindowLongA(info->m_hWnd, GWL_STYLE) & WS_CHILD);
        EXPECT_EQ(item.visible == 1, ::IsWindowVisible(info->m_hWnd) != FALSE);
        RECT r;
        ::GetWindowRect(info->m_hWnd, &r);
        ::MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(RectText(RectOf(item)), RectText(r));
        break;
    }
    const std::vector<std::string> steps = {"Buttons initialized", "Text fields initialized",
                                            "Status fields initialized", "Indicator lights initialized",
                                            "Trees initialized", "Lists initialized", "Misc controls initialized"};
    EXPECT_TRUE(InOrder(LogLines(), steps));
    EXPECT_FALSE(LogHas("Not yet part of the program: buttons"));
}

INSTANTIATE_TEST_SUITE_P(Skins, ShippedSkinTest, ::testing::Values("Default", "Jukebox", "Thumbnails"));

} // namespace tavrix_test
