// Thumbnail pages: the items and images of the year, tempo, genre, artist
// and album pages, and the artist pictures cut from tags made at test time
// (through GDI+, started here as the program starts it).
#include "tests/library/tracklist/TrackListFixture.h"

#include "BrowseFiles.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tracklist_test;
using browse_test::Mp3Bytes;
using browse_test::Mp3Tags;
using browse_test::SolidBmp;

constexpr COLORREF kFallbackColour = RGB(128, 128, 128);

class ThumbnailPages : public TrackListTest
{
protected:
    void SetUp() override
    {
        TrackListTest::SetUp();
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_gdiplus, &input, nullptr));
        ASSERT_TRUE(m_icons.Create(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SHAREIMAGELISTS,
                                   CRect(0, 0, 880, 360), &m_window, 101));
        // The program's own image list with its fallback picture at 0.
        m_images = ImageList_Create(100, 100, ILC_COLOR24, 1, 8);
        ASSERT_TRUE(m_images);
        HDC screen = GetDC(nullptr);
        HBITMAP fallback = CreateCompatibleBitmap(screen, 100, 100);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, fallback);
        HBRUSH brush = CreateSolidBrush(kFallbackColour);
        RECT all = {0, 0, 100, 100};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        ASSERT_EQ(0, ImageList_Add(m_images, fallback, nullptr));
        DeleteObject(fallback);
        SendMessageA(Icons(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images));
        VIZU::ResetThumbnails();
    }
    void TearDown() override
    {
        m_icons.DestroyWindow();
        if (m_images)
            ImageList_Destroy(m_images);
        Gdiplus::GdiplusShutdown(m_gdiplus);
        TrackListTest::TearDown();
    }

    HWND Icons() const { return m_icons.GetSafeHwnd(); }
    int Items() const { return static_cast<int>(SendMessageA(Icons(), LVM_GETITEMCOUNT, 0, 0)); }
    std::string ItemText(int item) const { return Text(Icons(), item, 0); }
    int ItemImage(int item) const { return Image(Icons(), item, 0); }

    // The colour at the middle of image n of the image list, drawn.
    COLORREF MiddleOf(int n) const
    {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP canvas = CreateCompatibleBitmap(screen, 100, 100);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, canvas);
        COLORREF colour = CLR_INVALID;
        if (ImageList_Draw(m_images, n, dc, 0, 0, ILD_NORMAL))
            colour = GetPixel(dc, 50, 50);
        SelectObject(dc, old);
        DeleteObject(canvas);
        DeleteDC(dc);
        return colour;
    }

    std::string Mp3(const std::string& name, const Mp3Tags& tags)
    {
        const std::string path = m_files.File(name);
        EXPECT_TRUE(tavrix_test::WriteFileBytes(path, Mp3Bytes(tags)));
        return path;
    }

    ULONG_PTR m_gdiplus = 0;
    CListCtrl m_icons;
    HIMAGELIST m_images = nullptr;
    tavrix_test::TempDir m_files;
};

bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

TEST_F(ThumbnailPages, GenresShareAnItemAcrossLetterCaseAndTakeTheirMappedPicture)
{
    SetLibrary({
        {"b", "", "", "Rock"},
        {"a", "", "", "rock"},
        {"c", "", "", "Acid Jazz"},
        {"d", "", "", "Zydeco"},
        {"e", "", "", ""},
    });
    EXPECT_EQ(3, VIZU::DisplayGenreThumbsToList(&m_icons));
    ASSERT_EQ(3, Items());
    const struct
    {
        const char* text;
        int image;
    } expected[] = {{"Acid Jazz", 30}, {"rock", 1}, {"Zydeco", 0}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i].text, ItemText(i));
        EXPECT_EQ(expected[i].image, ItemImage(i));
        EXPECT_EQ(0, Data(Icons(), i));
    }
}

TEST_F(ThumbnailPages, YearsAndTemposSplitByText)
{
    SetLibrary({
        {"a", "", "", "", "1999", "", "128.50"},
        {"b", "", "", "", "", "", "120.00"},
        {"c", "", "", "", "1984", "", "128.50"},
        {"d", "", "", "", "1999", "", ""},
    });
    EXPECT_EQ(2, VIZU::DisplayYearThumbsToList(&m_icons));
    EXPECT_EQ("1984", ItemText(0));
    EXPECT_EQ("1999", ItemText(1));
    EXPECT_EQ(1, ItemImage(1));
    EXPECT_EQ(2, VIZU::DisplayBPMThumbsToList(&m_icons));
    EXPECT_EQ("120.00", ItemText(0));
    EXPECT_EQ("128.50", ItemText(1));
    EXPECT_EQ(0, ItemImage(1));

    SetLibrary({{"a"}, {"b"}});
    EXPECT_EQ(0, VIZU::DisplayBPMThumbsToList(&m_icons));
    EXPECT_EQ(0, Items());
    m_Tracks.RemoveAll();
    EXPECT_EQ(0, VIZU::DisplayYearThumbsToList(&m_icons));
    EXPECT_EQ(0, VIZU::DisplayArtistThumbsToList(&m_icons));
    EXPECT_EQ(1, ImageList_GetImageCount(m_images)) << "only the fallback picture";
    EXPECT_EQ(0, Items());
}

TEST_F(ThumbnailPages, AlbumsAreGroupedByNameCaptionedWithTheFirstArtist)
{
    SetLibrary({
        {"Second", "Band B", "Live", "", "", m_files.File("none1.mp3").c_str()},
        {"First", "Band A", "live", "", "", m_files.File("none2.mp3").c_str()},
        {"Third", "Band C", "Studio", "", "", m_files.File("none3.mp3").c_str()},
    });
    EXPECT_EQ(2, VIZU::DisplayAlbumThumbsToList(&m_icons));
    EXPECT_EQ("live\nBand A", ItemText(0));
    EXPECT_EQ("Studio\nBand C", ItemText(1));
    EXPECT_EQ(0, ItemImage(0)) << "no picture in a missing file";
    EXPECT_EQ(3, ImageList_GetImageCount(m_images));
}

TEST_F(ThumbnailPages, ArtistPicturesComeFromTheTagsOnceUntilReset)
{
    const std::string red = Mp3("red.mp3", {"r", "Red", "", "", "image/bmp", SolidBmp(40, 30, 0xFF0000)});
    const std::string broken = Mp3("broken.mp3", {"b", "Broken", "", "", "image/jpeg", "not a picture"});
    const std::string green = Mp3("green.mp3", {"g", "Green", "", "", "image/bmp", SolidBmp(8, 8, 0x00FF00)});
    const std::string bare = Mp3("bare.mp3", {"n", "None"});
    SetLibrary({
        {"1", "Red", "", "", "", red.c_str()},
        {"2", "Broken", "", "", "", broken.c_str()},
        {"3", "green", "", "", "", green.c_str()},
        {"4", "None", "", "", "", bare.c_str()},
        {"5", "RED", "", "", "", bare.c_str()},
    });
    ASSERT_EQ(4, VIZU::DisplayArtistThumbsToList(&m_icons));
    // Sorted: Broken, green, None, Red. A picture that cannot be decoded
    // takes no slot: green's picture is image 1, Red's image 2.
    const std::vector<std::string> texts = {"Broken", "green", "None", "Red"};
    const std::vector<int> images = {0, 1, 0, 2};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(texts[i], ItemText(i));
        EXPECT_EQ(images[i], ItemImage(i)) << texts[i];
    }
    EXPECT_EQ(5, ImageList_GetImageCount(m_images));
    EXPECT_TRUE(Near(kFallbackColour, MiddleOf(0))) << std::hex << MiddleOf(0);
    EXPECT_TRUE(Near(RGB(0, 255, 0), MiddleOf(1))) << std::hex << MiddleOf(1);
    EXPECT_TRUE(Near(RGB(255, 0, 0), MiddleOf(2))) << std::hex << MiddleOf(2);

    // Built once: without the files the next page still has the pictures.
    ASSERT_TRUE(DeleteFileA(red.c_str()));
    ASSERT_TRUE(DeleteFileA(green.c_str()));
    ASSERT_EQ(4, VIZU::DisplayArtistThumbsToList(&m_icons));
    EXPECT_EQ(1, ItemImage(1));
    EXPECT_EQ(2, ItemImage(3));
    VIZU::ResetThumbnails();
    ASSERT_EQ(4, VIZU::DisplayArtistThumbsToList(&m_icons));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0, ItemImage(i)) << "built again from files now gone";
}

TEST_F(ThumbnailPages, TheGenreMapKeepsItsNamesExactly)
{
    VIZU::InitGenreImageMap();
    SetLibrary({{"a", "", "", "Hip-Hop"}, {"b", "", "", "jazz+funk"}, {"c", "", "", "Rock & Roll"},
                {"d", "", "", "R&B"}, {"e", "", "", "Psychadelic"}, {"f", "", "", "Top 40"}});
    ASSERT_EQ(6, VIZU::DisplayGenreThumbsToList(&m_icons));
    const struct
    {
        const char* text;
        int image;
    } expected[] = {{"Hip-Hop", 23}, {"jazz+funk", 31}, {"Psychadelic", 30},
                    {"R&B", 13},     {"Rock & Roll", 1}, {"Top 40", 28}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(expected[i].text, ItemText(i));
        EXPECT_EQ(expected[i].image, ItemImage(i)) << expected[i].text;
    }
}

} // namespace
