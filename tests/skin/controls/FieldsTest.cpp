// The skinned fields, lights and meters in real windows, drawn into DIB
// sections: text insets, ellipses and literal ampersands, borders over the
// copied skin, the fixed fill of an unset background, lights with their
// key colour, level meters at levels and orientations, the splitter and
// the spectrum pane.
#include <gtest/gtest.h>

#include "SkinTestHost.h"
#include "skin/fields/TXVIndLight.h"
#include "skin/fields/TXVSplitter.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/fields/TXVTextField.h"
#include "skin/fields/TXVVUMeter.h"
#include "skin/file/Skin.h"
#include "tests/support/TestSupport.h"

using skin_test::SkinPixel;
using widget_test::DibSurface;

namespace {

const COLORREF kInk = RGB(0, 0, 0);
const COLORREF kPaper = RGB(255, 255, 255);

SkinItem FieldItem(int left, int top, int right, int bottom, const char* text)
{
    SkinItem item;
    item.action = "a-title";
    item.left = left;
    item.top = top;
    item.right = right;
    item.bottom = bottom;
    item.visible = 1;
    item.value = text;
    item.txcolor = "000000";
    item.bkcolor = "FFFFFF";
    item.font = "Arial";
    item.fsize = 100;
    return item;
}

// The leftmost and rightmost columns with ink, -1 when none.
void InkColumns(const DibSurface& s, int& first, int& last)
{
    first = last = -1;
    for (int x = 0; x < s.Width(); ++x) {
        for (int y = 0; y < s.Height(); ++y) {
            if (s.At(x, y) == kInk) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
}

std::unique_ptr<DibSurface> Draw(CWnd& field)
{
    return skin_test::DrawClient(field.m_hWnd);
}

class FieldsTest : public ::testing::Test
{
protected:
    skin_test::TestHost m_host;
    Skin m_skin;
};

} // namespace

TEST_F(FieldsTest, AStatusFieldsTextStartsThreePixelsInFromATextFields)
{
    for (bool border : {false, true}) {
        SkinItem item = FieldItem(10, 10, 210, 30, "HHHH");
        item.border = border ? 1 : 0;
        item.bdcolor = "FF0000";
        TXVTextField text;
        TXVStatusField status;
        m_skin.CreateTextField(item, text);
        m_skin.CreateStatusField(item, status);
        int textFirst, textLast, statusFirst, statusLast;
        InkColumns(*Draw(text), textFirst, textLast);
        InkColumns(*Draw(status), statusFirst, statusLast);
        ASSERT_GE(textFirst, 0) << "no text drawn";
        EXPECT_LE(textFirst, border ? 3 : 2) << "a text field starts at its edge";
        EXPECT_EQ(textFirst + 3, statusFirst) << "border " << border;
        EXPECT_EQ(textLast + 3, statusLast) << "border " << border;
    }
}

TEST_F(FieldsTest, CentredAndRightAlignedText)
{
    const struct { int align; int minFirst; } cases[] = {{0, 0}, {1, 60}, {2, 120}, {3, 0}};
    for (const auto& c : cases) {
        SkinItem item = FieldItem(0, 0, 200, 20, "II");
        item.align = c.align;
        TXVTextField field;
        m_skin.CreateTextField(item, field);
        int first, last;
        InkColumns(*Draw(field), first, last);
        EXPECT_GE(first, c.minFirst) << "align " << c.align;
        if (c.align == 0 || c.align == 3) {
            EXPECT_LT(first, 5);
        }
        if (c.align == 2) {
            EXPECT_GE(last, 190);
        }
    }
}

TEST_F(FieldsTest, TooLongATextEndsInDotsAndAmpersandsAreDrawnLiterally)
{
    TXVTextField longField;
    m_skin.CreateTextField(FieldItem(0, 0, 60, 20, "MMMMMMMMMMMMMMMMMMMM"), longField);
    auto s = Draw(longField);
    int first, last;
    InkColumns(*s, first, last);
    ASSERT_GT(last, 40);
    // The last ink is an ellipsis: short dots on the baseline, not a letter.
    int top = s->Height(), bottom = -1;
    for (int x = last - 2; x <= last; ++x) {
        for (int y = 0; y < s->Height(); ++y) {
            if (s->At(x, y) == kInk) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_LE(bottom - top, 3) << "rows " << top << ".." << bottom;

    TXVTextField two, four;
    m_skin.CreateTextField(FieldItem(0, 0, 200, 20, "&&"), two);
    m_skin.CreateTextField(FieldItem(0, 30, 200, 50, "&&&&"), four);
    int f2, l2, f4, l4;
    InkColumns(*Draw(two), f2, l2);
    InkColumns(*Draw(four), f4, l4);
    ASSERT_GE(f2, 0);
    EXPECT_NEAR(2 * (l2 - f2), l4 - f4, 6) << "four ampersands are twice as wide as two";
}

TEST_F(FieldsTest, ABorderedTransparentFieldShowsTheSkinInsideItsBorder)
{
    SkinItem item = FieldItem(40, 24, 140, 48, "");
    item.trans = 1;
    item.border = 1;
    item.bdcolor = "FF0000";
    for (int which = 0; which < 2; ++which) {
        TXVTextField text;
        TXVStatusField status;
        TXVFieldBase& field = which ? static_cast<TXVFieldBase&>(status) : text;
        if (which)
            m_skin.CreateStatusField(item, status);
        else
            m_skin.CreateTextField(item, text);
        ASSERT_TRUE(field.IsTransparent());
        auto s = Draw(field);
        EXPECT_EQ(RGB(255, 0, 0), s->At(0, 12)) << "left border";
        EXPECT_EQ(RGB(255, 0, 0), s->At(50, 23)) << "bottom border";
        for (POINT p : {POINT{5, 5}, POINT{50, 12}, POINT{95, 20}})
            EXPECT_EQ(SkinPixel(40 + p.x, 24 + p.y), s->At(p.x, p.y)) << which << " at " << p.x << "," << p.y;
    }
}

TEST_F(FieldsTest, AnUnsetBackgroundFillsWithTheFixedColourAndUnsetTextIsBlack)
{
    SkinItem item = FieldItem(0, 0, 100, 20, "HHH");
    item.bkcolor = "";
    item.txcolor = "";
    TXVStatusField field;
    m_skin.CreateStatusField(item, field);
    auto s = Draw(field);
    EXPECT_EQ(kFieldFallbackFill, s->At(98, 2));
    EXPECT_EQ(kFieldFallbackFill, s->At(1, 18));
    EXPECT_GT(s->Count(RECT{0, 0, 100, 20}, RGB(0, 0, 0)), 10);

    item.bkcolor = "102030";
    TXVStatusField coloured;
    m_skin.CreateStatusField(item, coloured);
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), Draw(coloured)->At(98, 2));
}

TEST_F(FieldsTest, TransparencyFollowsTransAndVisible)
{
    const struct { int kind; int visible; bool transparent; } cases[] = {
        {0, 1, true}, {0, 2, true}, {0, 0, false}, {1, 1, true}, {1, 2, false}, {1, 0, false}};
    for (const auto& c : cases) {
        SkinItem item = FieldItem(0, 0, 50, 20, "x");
        item.trans = 1;
        item.visible = c.visible;
        TXVTextField text;
        TXVStatusField status;
        if (c.kind == 0) {
            m_skin.CreateTextField(item, text);
            EXPECT_EQ(c.transparent, text.IsTransparent()) << "textfield visible " << c.visible;
        } else {
            m_skin.CreateStatusField(item, status);
            EXPECT_EQ(c.transparent, status.IsTransparent()) << "status visible " << c.visible;
        }
    }
}

TEST_F(FieldsTest, AHiddenTextFieldTakesNoTextAndKeepsItsCapturedSkin)
{
    SkinItem item = FieldItem(0, 0, 50, 20, "start");
    item.visible = 0;
    TXVTextField hidden;
    m_skin.CreateTextField(item, hidden);
    hidden.SetText("later");
    EXPECT_EQ(CString(""), hidden.GetText());
    EXPECT_FALSE(hidden.GetVisibleFlag());

    item.visible = 1;
    item.trans = 1;
    item.value = "";
    TXVTextField shown;
    m_skin.CreateTextField(item, shown);
    shown.SetText("later");
    EXPECT_EQ(CString("later"), shown.GetText());
    EXPECT_EQ(CString("a-title"), shown.GetControlName());
    // The skin changes under it: the field keeps the copy it took.
    ::PatBlt(m_host.skin.Dc(), 0, 0, 50, 20, WHITENESS);
    shown.SetText("");
    EXPECT_EQ(SkinPixel(30, 10), Draw(shown)->At(30, 10));
}

TEST_F(FieldsTest, ALightShowsTheSkinUnderItsKeyColour)
{
    tavrix_test::TempDir dir;
    // Green left half (the key), red or blue right half.
    ASSERT_TRUE(widget_test::WriteBmp(dir.File("on.bmp"), 20, 10,
                                      [](int x, int) { return x < 10 ? RGB(0, 255, 0) : RGB(255, 0, 0); }));
    ASSERT_TRUE(widget_test::WriteBmp(dir.File("off.bmp"), 20, 10,
                                      [](int x, int) { return x < 10 ? RGB(0, 255, 0) : RGB(0, 0, 255); }));
    m_skin.SetFolder(CString(dir.Path().c_str()) + "\\");
    SkinItem item = FieldItem(64, 32, 84, 42, "");
    item.action = "lt-a-mute";
    item.imageon = "on.bmp";
    item.image = "off.bmp";
    TXVIndLight light;
    m_skin.CreateIndicatorLight(item, light);
    EXPECT_EQ(RGB(0, 255, 0), light.GetKeyColor());
    ASSERT_TRUE(light.IsReady());
    auto off = Draw(light);
    EXPECT_EQ(RGB(0, 0, 255), off->At(15, 5));
    EXPECT_EQ(SkinPixel(64 + 3, 32 + 5), off->At(3, 5));
    light.SetState(true);
    EXPECT_TRUE(light.GetState());
    auto on = Draw(light);
    EXPECT_EQ(RGB(255, 0, 0), on->At(15, 5));
    EXPECT_EQ(SkinPixel(64 + 3, 32 + 5), on->At(3, 5));

    // A hidden item's light is never ready: SetState does nothing.
    item.visible = 0;
    TXVIndLight hidden;
    m_skin.CreateIndicatorLight(item, hidden);
    hidden.SetState(true);
    EXPECT_FALSE(hidden.GetState());

    // Another key colour from tcolor.
    item.visible = 1;
    item.tcolor = "FF00FF";
    TXVIndLight keyed;
    m_skin.CreateIndicatorLight(item, keyed);
    EXPECT_EQ(RGB(255, 0, 255), keyed.GetKeyColor());
}

TEST_F(FieldsTest, LevelMetersLightTheirShareFromTheBottomOrEitherSide)
{
    tavrix_test::TempDir dir;
    const COLORREF offColour = RGB(20, 20, 20), onColour = RGB(0, 220, 0);
    const struct
    {
        int width, height;
        bool vertical, reverse;
        int level;
        RECT lit;
    } cases[] = {
        {20, 100, true, false, 37, {0, 63, 20, 100}},
        {20, 100, true, true, 37, {0, 63, 20, 100}},
        {80, 10, false, false, 50, {0, 0, 40, 10}},
        {80, 10, false, true, 50, {40, 0, 80, 10}},
        {80, 10, false, true, 0, {80, 0, 80, 10}},
        {20, 100, true, false, 100, {0, 0, 20, 100}},
    };
    for (const auto& c : cases) {
        const std::string off = dir.File("off.bmp"), on = dir.File("on.bmp");
        ASSERT_TRUE(widget_test::WriteBmp(off, c.width, c.height, [&](int, int) { return offColour; }));
        ASSERT_TRUE(widget_test::WriteBmp(on, c.width, c.height, [&](int, int) { return onColour; }));
        TXVVUMeter meter;
        ASSERT_TRUE(meter.Create("m", WS_CHILD | WS_VISIBLE, CRect(0, 0, c.width, c.height), &m_host.window, 18000));
        meter.LoadBitmaps(off.c_str(), on.c_str());
        meter.SetVertical(c.vertical);
        meter.SetReverse(c.reverse);
        meter.SetLevel(c.level);
        auto s = Draw(meter);
        const int litArea = (c.lit.right - c.lit.left) * (c.lit.bottom - c.lit.top);
        EXPECT_EQ(litArea, s->Count(RECT{0, 0, c.width, c.height}, onColour)) << "level " << c.level;
        EXPECT_EQ(litArea, s->Count(c.lit, onColour)) << "level " << c.level;
        EXPECT_EQ(c.width * c.height - litArea, s->Count(RECT{0, 0, c.width, c.height}, offColour));
    }
}

TEST_F(FieldsTest, TheSplitterFillsAndFramesOrShowsTheSkin)
{
    TXVSplitter splitter;
    ASSERT_TRUE(splitter.Create("", WS_CHILD | WS_VISIBLE, CRect(100, 50, 140, 60), &m_host.window, 0xFFFF));
    splitter.SetColors(RGB(10, 20, 30), RGB(200, 0, 0), RGB(250, 250, 0));
    auto s = Draw(splitter);
    EXPECT_EQ(RGB(250, 250, 0), s->At(0, 5));
    EXPECT_EQ(RGB(250, 250, 0), s->At(39, 9));
    EXPECT_EQ(RGB(10, 20, 30), s->At(20, 5));
    EXPECT_EQ(0, s->Count(RECT{0, 0, 40, 10}, RGB(200, 0, 0))) << "the second colour is never drawn";
    ASSERT_TRUE(splitter.GrabBackground());
    EXPECT_EQ(SkinPixel(120, 55), Draw(splitter)->At(20, 5));
    RECT screen;
    ::GetWindowRect(splitter.m_hWnd, &screen);
    const CRect got = splitter.GetScreenRect();
    EXPECT_TRUE(::EqualRect(&screen, &got));
    EXPECT_EQ(40, got.Width());

    TXVSpectrumCtrl spectrum;
    ASSERT_TRUE(spectrum.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 20), &m_host.window, 0xFFFF));
    EXPECT_EQ(600, Draw(spectrum)->Count(RECT{0, 0, 30, 20}, RGB(0, 0, 0)));
}
