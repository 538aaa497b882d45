#include "tests/library/tags/TagsFixture.h"
#include "tests/library/LibraryTestState.h"

#include "library/state/LibrarySettings.h"
#include "library/api/VIZU.h"


void KVLibIniTest::SetUp()
{
    m_folder = std::make_unique<tavrix_test::ProgramFolderScope>();
    TestState().settings.logAdds = false;
    TestState().settings.wavLookForID3V1 = 0;
}

void KVLibIniTest::TearDown()
{
    TestState().settings.logAdds = false;
    TestState().settings.wavLookForID3V1 = 0;
    m_folder.reset();
}

void KVLibIniTest::WriteIni(const std::string& lines)
{
    ASSERT_TRUE(tavrix_test::WriteIniFile(VIZU::GetLibINIFilePath().GetString(), "[KVLIB]\r\n" + lines));
}

std::string CopyOfToneMp3(const tavrix_test::TempDir& dir, const std::string& name)
{
    std::string path = dir.File(name);
    EXPECT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("tone440.mp3"), path));
    return path;
}
