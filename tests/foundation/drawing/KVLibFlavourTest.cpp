// KVLib's build of the picture loader and the header bar: its title and
// icon come from its resources, and a failed render is reported.
#include <gtest/gtest.h>

#include "tests/framework/ui/UiTestSupport.h"
#include "DrawingTestSupport.h"
#include "HeaderTestSupport.h"
#include "foundation/drawing/Picture.h"
#include "tests/support/TestSupport.h"

using namespace drawing_test;

namespace {

TEST(KVLibHeader, TitleFromTheStringResourceAndItsOwnIcon)
{
    EXPECT_STREQ(TXVHeader::GetTitle(), "Kelvane Music Library");
    HeaderHost host(400, 48);
    host.m_header.SetCaption("Library Manager");
    auto s = host.Repaint();
    // KVLibHeader.ico: a blue sleeve with a white note.
    EXPECT_EQ(s->At(12 + 4, 8 + 4), 0x285AC8u);
    EXPECT_EQ(s->At(12 + 17, 8 + 14), 0xFFFFFFu);
    EXPECT_EQ(s->Count(0xFFD200u, 0, 0, 400, 48), 0) << "not the program's icon";
    EXPECT_GT(s->Count(0xFFFF00u, 70, 8, 400, 30), 40);
    EXPECT_GT(s->Count(0xFFFFFFu, 71, 24, 400, 47), 40);
    EXPECT_EQ(s->At(380, 19), 0x303342u);
}

TEST(KVLibPicture, AFailedRenderIsReportedWithAMessage)
{
    tavrix_test::TempDir dir;
    std::vector<std::uint32_t> px(4, 0xFF0000u);
    std::string path = dir.File("p.bmp");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, MakeBmpFile(2, 2, px)));
    ui_test::RecordingAnswerer prompts;
    CPicture picture;
    ASSERT_TRUE(picture.Load(CString(path.c_str())));
    DibSurface s(10, 10, RGB(1, 1, 1));
    EXPECT_TRUE(picture.Render(&s.DC(), CRect(0, 0, 10, 10)));
    EXPECT_TRUE(prompts.m_calls.empty());
    EXPECT_EQ(s.Count(0xFF0000u, 0, 0, 10, 10), 100) << "no frame in KVLib";

    EXPECT_FALSE(picture.Render(&s.DC(), CRect(3, 3, 3, 3)));
    ASSERT_EQ(prompts.m_calls.size(), 1u);
    EXPECT_EQ(prompts.m_calls[0].text, "Can not allocate enough memory\t");
    EXPECT_EQ(prompts.m_calls[0].caption, "CPicture Error");
    EXPECT_EQ(prompts.m_calls[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
}

} // namespace
