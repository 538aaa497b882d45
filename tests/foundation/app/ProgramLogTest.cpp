// The program log on a real file in a temporary program folder.
#include "tests/support/ProgramFolder.h"

#include "foundation/app/ProgramLog.h"

#include <windows.h>

#include <regex>
#include <string>

namespace {

class ProgramLogTest : public ProgramFolderTest
{
protected:
    std::string LogPath() const { return m_dir.File("TXLOG.txt"); }
    std::string ReadLog() const
    {
        std::string bytes;
        tavrix_test::ReadFileBytes(LogPath(), bytes);
        return bytes;
    }
};

std::string Stamp()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    snprintf(text, sizeof(text), "[%02u:%02u:%02u]", unsigned(now.wHour), unsigned(now.wMinute), unsigned(now.wSecond));
    return text;
}

TEST_F(ProgramLogTest, GetProgramFolderEndsInABackslash)
{
    EXPECT_EQ(m_dir.Path() + "\\", std::string(GetProgramFolder()));
    SetProgramFolder("");
    std::string running = static_cast<const char*>(GetProgramFolder());
    ASSERT_FALSE(running.empty());
    EXPECT_EQ('\\', running.back());
    EXPECT_NE(m_dir.Path() + "\\", running);
}

TEST_F(ProgramLogTest, LineIsTimeInBracketsThenTextThenCrLf)
{
    std::string before = Stamp();
    WriteLog("Skin loaded");
    std::string after = Stamp();
    std::string log = ReadLog();
    EXPECT_TRUE(log == before + "Skin loaded\r\n" || log == after + "Skin loaded\r\n") << log;
    EXPECT_TRUE(std::regex_match(log, std::regex(R"(\[[0-2]\d:[0-5]\d:[0-5]\d\]Skin loaded\r\n)"))) << log;
}

TEST_F(ProgramLogTest, AppendsToWhatIsThereAndNeverTruncates)
{
    ASSERT_TRUE(tavrix_test::WriteFileBytes(LogPath(), "earlier line\r\n"));
    WriteLog("Menu text created");
    WriteLog("Commands mapped");
    std::string log = ReadLog();
    EXPECT_TRUE(std::regex_match(log, std::regex("earlier line\\r\\n"
                                                 R"(\[\d\d:\d\d:\d\d\]Menu text created\r\n)"
                                                 R"(\[\d\d:\d\d:\d\d\]Commands mapped\r\n)")))
        << log;
}

TEST_F(ProgramLogTest, TwoEntriesInOneSecondShareTheTime)
{
    // Retried in the rare case that the second changes between the two.
    for (int attempt = 0; attempt < 5; ++attempt) {
        DeleteFileA(LogPath().c_str());
        std::string before = Stamp();
        WriteLog("one");
        WriteLog("two");
        if (Stamp() != before)
            continue;
        EXPECT_EQ(before + "one\r\n" + before + "two\r\n", ReadLog());
        return;
    }
    FAIL() << "the clock changed second on every attempt";
}

TEST_F(ProgramLogTest, RunStartedInAnyCaseIsPrecededByTwoEmptyLines)
{
    for (const char* text : {"Program run started", "PROGRAM RUN STARTED", "program Run Started"}) {
        DeleteFileA(LogPath().c_str());
        WriteLog("before");
        WriteLog(text);
        std::string expected = std::string("before\\r\\n\\r\\n\\r\\n\\[\\d\\d:\\d\\d:\\d\\d\\]") + text + "\\r\\n";
        std::string log = ReadLog();
        EXPECT_TRUE(std::regex_match(log, std::regex(R"(\[\d\d:\d\d:\d\d\])" + expected))) << log;
    }
    DeleteFileA(LogPath().c_str());
    WriteLog("Program run started later");
    EXPECT_EQ(0u, ReadLog().find('['));
}

TEST_F(ProgramLogTest, LineFeedsInTheTextBecomeCrLf)
{
    WriteLog("first\nsecond");
    std::string log = ReadLog();
    EXPECT_NE(std::string::npos, log.find("]first\r\nsecond\r\n")) << log;
}

TEST_F(ProgramLogTest, OthersMayReadAndWriteTheLogMeanwhile)
{
    HANDLE reader = CreateFileA(LogPath().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    WriteLog("shared");
    CloseHandle(reader);
    EXPECT_NE(std::string::npos, ReadLog().find("]shared\r\n"));
}

TEST_F(ProgramLogTest, LockedLogLosesTheLineNotTheProgram)
{
    HANDLE locker = CreateFileA(LogPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locker);
    EXPECT_NO_THROW(WriteLog("lost"));
    CloseHandle(locker);
    EXPECT_EQ("", ReadLog());

    WriteLog("kept");
    std::string log = ReadLog();
    EXPECT_EQ(std::string::npos, log.find("lost"));
    EXPECT_NE(std::string::npos, log.find("]kept\r\n"));
}

TEST_F(ProgramLogTest, MissingFolderLosesTheLineNotTheProgram)
{
    SetProgramFolder((m_dir.Path() + "\\no such folder").c_str());
    EXPECT_NO_THROW(WriteLog("lost"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_dir.File("no such folder").c_str()));
}

} // namespace
