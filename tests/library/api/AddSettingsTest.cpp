// The add settings and column positions read from "KVLib.ini" in the
// program folder, the exception list and the add log.
#include "library/state/LibrarySettings.h"
#include "tests/library/LibraryTestState.h"
#include "library/api/VIZU.h"

#include "framework/ui/Prompts.h"
#include "tests/support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

class PromptRecorder : public CPromptAnswerer
{
public:
    int asked = 0;
    std::string text, caption;
    UINT type = 0;
    int MessageBox(HWND, const char* t, const char* c, UINT ty) override
    {
        ++asked;
        text = t;
        caption = c;
        type = ty;
        return IDOK;
    }
};

std::string ProgramFile(const char* name)
{
    return std::string(VIZU::GetLibDLLPath().GetString()) + name;
}

} // namespace

TEST(AddSettings, ReadFromTheProgramFoldersIniWhenAnObjectIsBuilt)
{
    tavrix_test::ProgramFolderScope folder;
    std::string ini = ProgramFile("KVLib.ini");
    struct Case { const char* text; bool logAdds; int wav; int artistPos; int playCtrPos; };
    const Case cases[] = {
        {"[KVLIB]\r\nLogAdds=1\r\nWAV_LookForID3V1=1\r\nList_Col_Artist_Pos=5\r\n", true, 1, 5, 10},
        {"[KVLIB]\r\nLogAdds=2\r\nList_Col_PlayCtr_Pos=0\r\n", false, 0, 1, 0},
        {"[OTHER]\r\nLogAdds=1\r\n", false, 0, 1, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(tavrix_test::WriteIniFile(ini, c.text));
        TestState().settings.logAdds = !c.logAdds;
        TestState().settings.columnPos[1] = -1;
        {
            VIZU vizu;
            EXPECT_EQ(c.logAdds, TestState().settings.logAdds);
            EXPECT_EQ(c.wav, TestState().settings.wavLookForID3V1);
            EXPECT_EQ(c.artistPos, TestState().settings.columnPos[1]);
            EXPECT_EQ(c.playCtrPos, TestState().settings.columnPos[10]);
            EXPECT_EQ(0, TestState().settings.columnPos[0]);
            EXPECT_EQ(8, TestState().settings.columnPos[8]);
            EXPECT_EQ(0, TestState().settings.trackListColNum);
            EXPECT_EQ(0, TestState().settings.foundFiles + TestState().settings.foundMP3 + TestState().settings.foundWAV);
        }
    }
    DeleteFileA(ini.c_str());
    EXPECT_EQ(0, VIZU::GetAddSettings());
    EXPECT_FALSE(TestState().settings.logAdds);
}

TEST(AddSettings, ExceptionEntriesCarryReasonAndPath)
{
    m_ExceptionArray.RemoveAll();
    EXPECT_TRUE(VIZU::AddException("Analyze Failure", "C:\\Music\\a.mp3"));
    EXPECT_TRUE(VIZU::AddException("Bad Filepath", ""));
    ASSERT_EQ(2, m_ExceptionArray.GetSize());
    EXPECT_STREQ("[Analyze Failure]   C:\\Music\\a.mp3", m_ExceptionArray[0]);
    EXPECT_STREQ("[Bad Filepath]   ", m_ExceptionArray[1]);
    m_ExceptionArray.RemoveAll();
}

TEST(AddSettings, TheAddLogGrowsByOneStampedLinePerEntry)
{
    tavrix_test::ProgramFolderScope folder;
    std::string log = ProgramFile("KVLibAdd.Log");
    DeleteFileA(log.c_str());
    ASSERT_TRUE(VIZU::WriteAddLogEntry("C:\\Music\\a.mp3"));
    ASSERT_TRUE(VIZU::WriteAddLogEntry("*UNABLE TO ADD: C:\\Music\\b.mp3"));
    std::ifstream in(log, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    std::regex two(R"(\[\d\d/\d\d/\d\d-\d\d:\d\d:\d\d\] C:\\Music\\a\.mp3\r\n)"
                   R"(\[\d\d/\d\d/\d\d-\d\d:\d\d:\d\d\] \*UNABLE TO ADD: C:\\Music\\b\.mp3\r\n)");
    EXPECT_TRUE(std::regex_match(text.str(), two)) << text.str();

    // Another writer holds it: the user is told, the entry is lost, no throw.
    HANDLE held = CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    PromptRecorder prompts;
    CPromptAnswerer* previous = AfxSetPromptAnswerer(&prompts);
    EXPECT_FALSE(VIZU::WriteAddLogEntry("C:\\Music\\c.mp3"));
    AfxSetPromptAnswerer(previous);
    CloseHandle(held);
    EXPECT_EQ(1, prompts.asked);
    EXPECT_EQ("[WriteLog] Open Failed!\nError: 32", prompts.text);   // sharing violation
    EXPECT_EQ("Kelvane Library Manager", prompts.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), prompts.type);
    DeleteFileA(log.c_str());
}
