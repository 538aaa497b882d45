// The thumbnail list: its image lists from the program folder, the icon
// spacing, the pictures it draws, the selected text and the mouse drag.
#include "ListTestSupport.h"
#include "WidgetTestSupport.h"
#include "skin/thumblist/ThumbMath.h"
#include "skin/thumblist/TXVThumbList.h"
#include "tests/support/ProgramFolder.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

class ThumbListTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_gdiplus, &input, nullptr));
        ASSERT_TRUE(m_parent.Make(20, 20, 760, 260));
    }

    void TearDown() override
    {
        m_list.reset();
        m_parent.DestroyWindow();
        Gdiplus::GdiplusShutdown(m_gdiplus);
    }

    // align: LVS_ALIGNTOP, a row of pictures; LVS_ALIGNLEFT, columns that
    // scroll sideways.
    void Create(int width, bool pictures, DWORD align = LVS_ALIGNTOP)
    {
        if (pictures) {
            for (const char* name : {"BasicThumbnails.bmp", "GenreImages2.bmp"})
                ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::ImageDir() + "\\" + name, m_dir.File(name)));
        }
        m_list = std::make_unique<TXVThumbList>();
        ASSERT_TRUE(m_list->Create(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL | align,
                                   CRect(10, 10, 10 + width, 230), &m_parent, 1002));
        m_list->SetColors(RGB(10, 10, 14), RGB(240, 240, 240));
        m_list->SetFont("Arial", 100);
        m_list->LoadImageLists();
    }

    int HorizontalSpacing() const
    {
        return LOWORD(SendMessageA(m_list->GetSafeHwnd(), LVM_GETITEMSPACING, FALSE, 0));
    }

    ULONG_PTR m_gdiplus = 0;
    widget_test::RecordingParent m_parent;
    std::unique_ptr<TXVThumbList> m_list;
};

} // namespace

TEST_F(ThumbListTest, ImageListsComeFromTheProgramFolderAndTheResources)
{
    Create(700, true);
    EXPECT_EQ(8, m_list->GetBasicThumbnails().GetImageCount());
    EXPECT_EQ(32, m_list->GetGenreImages().GetImageCount());
    EXPECT_EQ(1, m_list->GetDefaultList(0).GetImageCount());
    EXPECT_EQ(1, m_list->GetDefaultList(1).GetImageCount());
    EXPECT_EQ(0, m_list->GetOwnerList(0).GetImageCount());
    int cx = 0, cy = 0;
    ASSERT_TRUE(m_list->GetGenreImages().GetIconSize(cx, cy));
    EXPECT_EQ(100, cx);
    EXPECT_EQ(100, cy);
    EXPECT_EQ(m_list->GetBasicThumbnails().GetSafeHandle(),
              ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_NORMAL));
    EXPECT_EQ(thumb_math::IconSpacing(700), HorizontalSpacing());
}

TEST_F(ThumbListTest, WithoutThePicturesTheListsAreEmptyAndNothingBreaks)
{
    Create(700, false);
    EXPECT_EQ(0, m_list->GetBasicThumbnails().GetImageCount());
    EXPECT_EQ(0, m_list->GetGenreImages().GetImageCount());
    m_list->InsertItem(0, "Album\nArtist", 0);
    widget_test::WindowShot shot(m_list->GetSafeHwnd());
    EXPECT_EQ(1, m_list->GetItemCount());
}

TEST_F(ThumbListTest, ANarrowListHasOneColumnOfItsWidth)
{
    Create(100, false);
    CRect client;
    m_list->GetClientRect(&client);
    EXPECT_EQ(client.Width(), HorizontalSpacing());
}

TEST_F(ThumbListTest, AnImageIndexBeyondTheListDrawsTheDefaultPicture)
{
    Create(700, true);
    m_list->InsertItem(0, "First", 0);
    m_list->InsertItem(1, "Beyond", 500);
    widget_test::WindowShot shot(m_list->GetSafeHwnd());
    CRect a, b;
    m_list->GetItemRect(0, &a, LVIR_ICON);
    m_list->GetItemRect(1, &b, LVIR_ICON);
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_GE(b.left, a.right);   // side by side
    int same = 0, lit = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            const COLORREF ca = shot.At(a.left + x, a.top + y);
            same += ca == shot.At(b.left + x, b.top + y);
            lit += ca != RGB(10, 10, 14);
        }
    }
    EXPECT_EQ(a.Width() * a.Height(), same);
    EXPECT_GT(lit, a.Width() * a.Height() / 4);   // a picture was drawn
}

TEST_F(ThumbListTest, AThumbnailHasAFrameAndAReflectionThatFades)
{
    // A plain white picture drawn unselected into a 100 x 100 rectangle.
    widget_test::DibSurface surface(100, 140, RGB(0, 0, 0));
    CImageList images;
    images.Create(100, 100, ILC_COLOR32 | ILC_MASK, 1, 1);
    widget_test::DibSurface white(100, 100, RGB(255, 255, 255));
    HBITMAP bitmap = CreateCompatibleBitmap(white.Dc(), 100, 100);
    HDC dc = CreateCompatibleDC(white.Dc());
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, 100, 100, white.Dc(), 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_AddMasked(images.GetSafeHandle(), bitmap, RGB(0, 0, 0));
    DeleteObject(bitmap);
    HICON icon = ImageList_GetIcon(images.GetSafeHandle(), 0, ILD_NORMAL);
    ASSERT_NE(nullptr, icon);
    const RECT rect = {0, 0, 100, 100};
    TXVThumbList::DrawThumbnail(surface.Dc(), rect, icon, false);
    DestroyIcon(icon);

    const thumb_math::Rect fit = thumb_math::FitThumb(100, 100, 100, 100, false);
    EXPECT_EQ(RGB(80, 80, 80), surface.At(fit.x, fit.y + fit.height / 2));          // frame
    EXPECT_EQ(RGB(255, 255, 255), surface.At(fit.x + fit.width / 2, fit.y + fit.height / 2));
    EXPECT_EQ(RGB(0, 0, 0), surface.At(fit.x - 2, fit.y + 5));                        // outside
    // The reflection below: bright at its top, darker further down, gone after it.
    const int cx = fit.x + fit.width / 2;
    const int top = GetRValue(surface.At(cx, fit.y + fit.height + 1));
    const int lower = GetRValue(surface.At(cx, fit.y + fit.height + 10));
    EXPECT_GT(top, 150);
    EXPECT_LT(lower, top);
    EXPECT_GT(lower, 0);
    const int rh = thumb_math::ReflectionHeight(fit.height, false);
    // It runs to the rectangle's bottom edge, still faintly there.
    ASSERT_GT(fit.y + fit.height + rh, 100);
    EXPECT_GT(GetRValue(surface.At(cx, 99)), 0);
    EXPECT_LT(GetRValue(surface.At(cx, 99)), lower);
}

TEST_F(ThumbListTest, TheSelectedTextIsTheFirstSelectedItemsText)
{
    Create(700, true);
    EXPECT_STREQ("", m_list->GetSelectedText().GetString());
    m_list->InsertItem(0, "Album A\nArtist A", 0);
    m_list->InsertItem(1, "Album B\nArtist B", 1);
    m_list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_STREQ("Album B\nArtist B", m_list->GetSelectedText().GetString());
}

TEST_F(ThumbListTest, DraggingRightScrollsTheRowAndLeavingTheListStopsIt)
{
    Create(300, true, LVS_ALIGNLEFT);
    for (int i = 0; i < 20; ++i)
        m_list->InsertItem(i, "Item", i % 8);
    m_list->Scroll(CSize(200, 0));
    // The origin is the negative of the scroll position.
    POINT start = {};
    ListView_GetOrigin(m_list->GetSafeHwnd(), &start);
    ASSERT_LT(start.x, -100);
    HWND list = m_list->GetSafeHwnd();
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 180));
    ReleaseCapture();   // the list view's own drag detection captured the mouse
    EXPECT_TRUE(m_list->IsPressed());
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(160, 180));
    POINT after = {};
    ListView_GetOrigin(list, &after);
    EXPECT_EQ(start.x + 6, after.x);   // the content follows the mouse to the right
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 180));
    ListView_GetOrigin(list, &after);
    EXPECT_EQ(start.x, after.x);
    // Outside the client area: the drag ends.
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(900, 180));
    EXPECT_FALSE(m_list->IsPressed());
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 180));
    POINT still = {};
    ListView_GetOrigin(list, &still);
    EXPECT_EQ(after.x, still.x);
}
