// Tag pictures: embedding and extracting byte for byte, MIME types by file
// name, deleting, saving through the prompt seam, the temporary picture
// file, and the picture drawn into a static control.
#include "framework/ui/CDC.h"
#include "framework/ui/CStatic.h"
#include "library/api/VIZU.h"
#include "tests/library/tags/TagWriteFixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using namespace tavrix_test;

namespace {

// A 24-bit BMP file of one colour (blue, green, red).
std::string SolidBmp(int width, int height, unsigned char b, unsigned char g, unsigned char r)
{
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t pixels = static_cast<uint32_t>(stride * height);
    std::string bmp(54 + pixels, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bmp[26] = 1;
    bmp[28] = 24;
    put32(34, pixels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t at = 54 + static_cast<size_t>(y * stride + x * 3);
            bmp[at] = static_cast<char>(b);
            bmp[at + 1] = static_cast<char>(g);
            bmp[at + 2] = static_cast<char>(r);
        }
    return bmp;
}

std::string MimeOfFirstPicture(const std::string& path)
{
    const WrittenTag tag = ReadWrittenTag(path);
    const WrittenFrame* frame = tag.Find("APIC");
    if (!frame)
        return "<none>";
    return frame->content.substr(1, frame->content.find('\0', 1) - 1);
}

class TagPicture : public KVLibIniTest
{
protected:
    std::string Image(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_dir.File(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }
    std::string TempArt() const { return std::string(VIZU::GetLibDLLPath()) + "VIVedavAda.did"; }

    TempDir m_dir;
};

TEST_F(TagPicture, APictureRoundTripsByteForByte)
{
    static const char kJpeg[] = "\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01 any bytes \0\xFF\xD9";
    const std::string jpeg(kJpeg, sizeof kJpeg - 1);
    const std::string image = Image("cover.jpg", jpeg);
    const std::string path = ToneWithTag(m_dir, "song.mp3", "");
    EXPECT_FALSE(VIZU::HasPicture(path.c_str()));
    ASSERT_TRUE(VIZU::SetID3Picture(path.c_str(), image.c_str(), true));
    EXPECT_TRUE(VIZU::HasPicture(path.c_str()));
    EXPECT_TRUE(VIZU::GetID3PictureRAW(path.c_str(), nullptr));
    EXPECT_STREQ("jpeg", VIZU::GetID3PictureMimeType(path.c_str()));
    ASSERT_TRUE(VIZU::GetID3Picture(path.c_str()));
    std::string extracted;
    ASSERT_TRUE(ReadFileBytes(TempArt(), extracted));
    EXPECT_TRUE(jpeg == extracted);
    EXPECT_EQ(ToneAudio(), AudioOf(path));
    TAG_INFO read;
    ASSERT_TRUE(VIZU::GetID3TagInfo(&read, path.c_str()));
    EXPECT_TRUE(read.HasPicture);

    // Without a picture the old temporary file is gone as well.
    const std::string bare = ToneWithTag(m_dir, "bare.mp3", "");
    EXPECT_FALSE(VIZU::GetID3Picture(bare.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(TempArt().c_str()));
    EXPECT_TRUE(VIZU::DeleteTempTagArt()) << "a missing file is no error";
}

TEST_F(TagPicture, TheMimeTypeFollowsTheImageFileName)
{
    struct Case
    {
        const char* name;
        const char* mime;
        const char* subtype;
    };
    const Case cases[] = {
        {"a.jpg", "image/jpeg", "jpeg"}, {"b.JPG", "image/jpeg", "jpeg"},
        {"c.jpeg", "image/jpeg", "jpeg"}, {"d.gif", "image/gif", "gif"},
        {"e.png", "image/png", "png"},    {"f.bmp", "", ""},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string image = Image(c.name, "picture of " + std::string(c.name));
        const std::string path = ToneWithTag(m_dir, "m" + std::to_string(n++) + ".mp3", "");
        ASSERT_TRUE(VIZU::SetID3Picture(path.c_str(), image.c_str(), false));
        EXPECT_EQ(c.mime, MimeOfFirstPicture(path));
        EXPECT_STREQ(c.subtype, VIZU::GetID3PictureMimeType(path.c_str()));
    }
}

TEST_F(TagPicture, ReplaceOrKeepAndBadImagesWriteNothing)
{
    const std::string first = Image("first.png", "first picture");
    const std::string second = Image("second.gif", "second picture");
    const std::string path = ToneWithTag(m_dir, "song.mp3", "");
    ASSERT_TRUE(VIZU::SetID3Picture(path.c_str(), first.c_str(), true));
    ASSERT_TRUE(VIZU::SetID3Picture(path.c_str(), second.c_str(), false));
    EXPECT_EQ(1, ReadWrittenTag(path).Count("APIC"));
    EXPECT_EQ("image/png", MimeOfFirstPicture(path));
    ASSERT_TRUE(VIZU::SetID3Picture(path.c_str(), second.c_str(), true));
    EXPECT_EQ(1, ReadWrittenTag(path).Count("APIC"));
    EXPECT_EQ("image/gif", MimeOfFirstPicture(path));

    const std::string before = FileBytesOf(path);
    EXPECT_FALSE(VIZU::SetID3Picture(path.c_str(), m_dir.File("missing.jpg").c_str(), true));
    EXPECT_FALSE(VIZU::SetID3Picture(path.c_str(), m_dir.Path().c_str(), true)) << "a folder";
    EXPECT_FALSE(VIZU::SetID3Picture(path.c_str(), "", true));
    EXPECT_FALSE(VIZU::SetID3Picture("", second.c_str(), true));
    EXPECT_TRUE(before == FileBytesOf(path));
}

TEST_F(TagPicture, DeletingPictures)
{
    const std::string path = ToneWithTag(m_dir, "bare.mp3", Id3v2Writer(3).Text("TIT2", "T").Bytes(64));
    const std::string before = FileBytesOf(path);
    EXPECT_FALSE(VIZU::DeleteID3TagPicture(path.c_str()));
    EXPECT_TRUE(before == FileBytesOf(path)) << "nothing written without a picture";

    Id3v2Writer two(3);
    two.Text("TIT2", "T").Picture("image/jpeg", "one").Picture("image/png", "two");
    const std::string pictured = ToneWithTag(m_dir, "two.mp3", two.Bytes(0));
    ASSERT_TRUE(VIZU::HasPicture(pictured.c_str()));
    EXPECT_TRUE(VIZU::DeleteID3TagPicture(pictured.c_str()));
    const WrittenTag tag = ReadWrittenTag(pictured);
    EXPECT_EQ(0, tag.Count("APIC"));
    EXPECT_EQ(Latin1Text("T"), tag.Find("TIT2")->content);
    EXPECT_FALSE(VIZU::HasPicture(pictured.c_str()));
    EXPECT_EQ(ToneAudio(), AudioOf(pictured));
}

TEST_F(TagPicture, AWavFileHasNoPictureAndAV24PictureIsRead)
{
    const std::string tag = Id3v2Writer(3).Picture("image/png", "png bytes").Bytes(0);
    const std::string wav = ToneWithTag(m_dir, "song.wav", tag);
    EXPECT_FALSE(VIZU::HasPicture(wav.c_str()));
    const std::string v24 = ToneWithTag(m_dir, "v24.mp3", Id3v2Writer(4).Picture("image/png", "png bytes").Bytes(0));
    EXPECT_TRUE(VIZU::HasPicture(v24.c_str()));
    EXPECT_STREQ("png", VIZU::GetID3PictureMimeType(v24.c_str()));
    ASSERT_TRUE(VIZU::GetID3Picture(v24.c_str()));
    std::string extracted;
    ASSERT_TRUE(ReadFileBytes(TempArt(), extracted));
    EXPECT_EQ("png bytes", extracted);
}

TEST_F(TagPicture, SavingThePictureAppendsTheExtensionOfItsType)
{
    const std::string path = ToneWithTag(m_dir, "png.mp3", Id3v2Writer(3).Picture("image/png", "the png").Bytes(0));
    RecordedPrompts prompts;
    prompts.saveAs = m_dir.File("cover.png");
    ASSERT_TRUE(VIZU::SaveID3PictureFromFile(path.c_str()));
    ASSERT_EQ(1u, prompts.filters.size());
    EXPECT_EQ("PNG Files |*.png|", prompts.filters[0]);
    EXPECT_EQ("Save Tag Art As (No extension needed)", prompts.titles[0]);
    std::string saved;
    ASSERT_TRUE(ReadFileBytes(m_dir.File("cover.png.png"), saved));
    EXPECT_EQ("the png", saved);

    prompts.saveAs = "";
    EXPECT_FALSE(VIZU::SaveID3PictureFromFile(path.c_str())) << "cancelled";
    const std::string bare = ToneWithTag(m_dir, "bare.mp3", "");
    EXPECT_FALSE(VIZU::SaveID3PictureFromFile(bare.c_str()));
    EXPECT_EQ(2u, prompts.filters.size()) << "no dialog without a picture";
}

TEST_F(TagPicture, DisplayTagArtPaintsThePictureIntoTheControl)
{
    const std::string image = Image("red.bmp", SolidBmp(8, 8, 0x20, 0x40, 0xE0));
    const std::string path = ToneWithTag(m_dir, "art.mp3", "");
    ASSERT_TRUE(VIZU::SetID3Picture(path.c_str(), image.c_str(), true));

    HWND hwnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 48, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hwnd);
    CStatic control;
    ASSERT_TRUE(control.Attach(hwnd));
    EXPECT_FALSE(VIZU::DisplayTagArt(nullptr, &control, ToneWithTag(m_dir, "bare.mp3", "").c_str()));
    ASSERT_TRUE(VIZU::DisplayTagArt(nullptr, &control, path.c_str()));
    HDC dc = GetDC(hwnd);
    for (POINT p : {POINT{0, 0}, POINT{32, 24}, POINT{63, 47}})
        EXPECT_EQ(RGB(0xE0, 0x40, 0x20), GetPixel(dc, p.x, p.y)) << p.x << "," << p.y;
    ReleaseDC(hwnd, dc);

    // Into a context of the caller's.
    HDC screen = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 48);
    HGDIOBJ old = SelectObject(memory, bitmap);
    CDC target;
    target.Attach(memory);
    ASSERT_TRUE(VIZU::DisplayTagArtToDC(path.c_str(), &target, &control));
    EXPECT_EQ(RGB(0xE0, 0x40, 0x20), GetPixel(memory, 40, 30));
    target.Detach();
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, screen);

    RecordedPrompts prompts;
    EXPECT_FALSE(VIZU::DisplayTagArtToDC(ToneWithTag(m_dir, "none.mp3", "").c_str(), nullptr, &control));
    ASSERT_EQ(1u, prompts.shown.size());
    EXPECT_EQ("No art in file", prompts.shown[0].text);
    control.Detach();
    DestroyWindow(hwnd);
}

} // namespace
