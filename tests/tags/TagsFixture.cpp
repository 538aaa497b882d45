#include "tags/TagsFixture.h"

#include "library/LibrarySettings.h"
#include "library/VIZU.h"

#include <cstdio>
#include <fstream>

void KVLibIniTest::SetUp()
{
    m_lock = CreateMutexA(nullptr, FALSE, "TavrixTagsTestsKVLibIni");
    ASSERT_NE(nullptr, m_lock);
    DWORD waited = WaitForSingleObject(m_lock, 60000);
    ASSERT_TRUE(waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED);
    std::remove(VIZU::GetLibINIFilePath().GetString());
    g_bLogAdds = false;
    g_nWavLookForID3V1 = 0;
}

void KVLibIniTest::TearDown()
{
    std::remove(VIZU::GetLibINIFilePath().GetString());
    g_bLogAdds = false;
    g_nWavLookForID3V1 = 0;
    if (m_lock) {
        ReleaseMutex(m_lock);
        CloseHandle(m_lock);
    }
}

void KVLibIniTest::WriteIni(const std::string& lines)
{
    std::ofstream f(VIZU::GetLibINIFilePath().GetString(), std::ios::binary | std::ios::trunc);
    f << "[KVLIB]\r\n" << lines;
}

std::string CopyOfToneMp3(const tavrix_test::TempDir& dir, const std::string& name)
{
    std::string path = dir.File(name);
    EXPECT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("tone440.mp3"), path));
    return path;
}
