// CFile, CStdioFile and CFileFind on real files in a temporary folder.
#include "framework/win/CFile.h"
#include "framework/win/CFileFind.h"
#include "framework/win/CStdioFile.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using tavrix_test::ReadFileBytes;
using tavrix_test::TempDir;
using tavrix_test::WriteFileBytes;

std::string Contents(const std::string& path)
{
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
}

TEST(CFile, ReadWriteSeekLength)
{
    TempDir dir;
    const std::string path = dir.File("data.bin");
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        f.Write("hello world", 11);
        EXPECT_EQ(f.GetLength(), 11u);
        f.Seek(6, CFile::begin);
        f.Write("WORLD", 5);
        f.Close();
    }
    EXPECT_EQ(Contents(path), "hello WORLD");
    CFile f(path.c_str(), CFile::modeRead | CFile::shareDenyNone);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, 5), 5u);
    EXPECT_EQ(std::string(buf, 5), "hello");
    EXPECT_EQ(f.GetPosition(), 5u);
    EXPECT_EQ(f.Seek(-5, CFile::end), 6u);
    EXPECT_EQ(f.Read(buf, 16), 5u);
    EXPECT_EQ(f.Read(buf, 16), 0u);
    EXPECT_EQ(f.SeekToEnd(), 11u);
    EXPECT_NE(f.GetFilePath().Find("data.bin"), -1);
    EXPECT_STREQ(f.GetFileName(), "data.bin");
}

TEST(CFile, CreateTruncatesUnlessNoTruncate)
{
    TempDir dir;
    const std::string path = dir.File("keep.txt");
    ASSERT_TRUE(WriteFileBytes(path, "old content"));
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(f.GetLength(), 11u);
        f.SeekToEnd();
        f.Write("+", 1);
    }
    EXPECT_EQ(Contents(path), "old content+");
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    }
    EXPECT_EQ(Contents(path), "");
}

struct OpenFailure
{
    const char* what;
    const char* relative;
    UINT flags;
    int cause;
    LONG osError;
};

TEST(CFile, OpenFailuresCarryCauseAndOsError)
{
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("locked.txt"), "x"));
    CFile holder(dir.File("locked.txt").c_str(), CFile::modeRead | CFile::shareExclusive);

    const OpenFailure cases[] = {
        {"missing file", "missing.txt", CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
        {"missing folder", "nofolder\\x.txt", CFile::modeCreate | CFile::modeWrite,
         CFileException::badPath, ERROR_PATH_NOT_FOUND},
        {"held exclusively", "locked.txt", CFile::modeRead | CFile::shareDenyNone,
         CFileException::sharingViolation, ERROR_SHARING_VIOLATION},
    };
    for (const OpenFailure& c : cases) {
        const std::string path = dir.File(c.relative);
        CFile f;
        CFileException error;
        EXPECT_FALSE(f.Open(path.c_str(), c.flags, &error)) << c.what;
        EXPECT_EQ(error.m_cause, c.cause) << c.what;
        EXPECT_EQ(error.m_lOsError, c.osError) << c.what;
        EXPECT_NE(error.m_strFileName.Find(c.relative), -1) << c.what;
        try {
            CFile thrown(path.c_str(), c.flags);
            ADD_FAILURE() << c.what << " opened";
        } catch (CFileException& e) {
            EXPECT_EQ(e.m_cause, c.cause) << c.what;
        }
    }
    // A file held open for reading that denies writers cannot be written.
    const std::string shared = dir.File("shared.txt");
    ASSERT_TRUE(WriteFileBytes(shared, "r"));
    CFile reader(shared.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    CFile second(shared.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_EQ(second.GetLength(), 1u);
    TRY {
        CFile f(shared.c_str(), CFile::modeReadWrite | CFile::shareDenyNone);
        ADD_FAILURE() << "file opened for writing against its reader";
    }
    CATCH(CFileException, e)
    {
        EXPECT_EQ(e->m_cause, CFileException::sharingViolation);
    }
    END_CATCH
}

TEST(CFile, StatusRemoveRename)
{
    TempDir dir;
    const std::string a = dir.File("a.txt");
    const std::string b = dir.File("b.txt");
    ASSERT_TRUE(WriteFileBytes(a, std::string(1234, 'z')));

    // A known write time: 2021-06-15 12:34:56 UTC.
    const __time64_t when = 1623760496;
    ULONGLONG ticks = static_cast<ULONGLONG>(when) * 10000000ULL + 116444736000000000ULL;
    FILETIME ft = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    {
        HANDLE h = CreateFileA(a.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
        CloseHandle(h);
    }

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(a.c_str(), status));
    EXPECT_EQ(status.m_size, 1234u);
    EXPECT_EQ(status.m_mtime.GetTime(), when);
    EXPECT_NE(std::string(status.m_szFullName).find("a.txt"), std::string::npos);
    EXPECT_FALSE(CFile::GetStatus(dir.File("none.txt").c_str(), status));

    CFile::Rename(a.c_str(), b.c_str());
    EXPECT_FALSE(CFile::GetStatus(a.c_str(), status));
    EXPECT_TRUE(CFile::GetStatus(b.c_str(), status));
    CFile::Remove(b.c_str());
    EXPECT_FALSE(CFile::GetStatus(b.c_str(), status));
    try {
        CFile::Remove(b.c_str());
        ADD_FAILURE() << "removed a missing file";
    } catch (CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e.m_lOsError, static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    }
    EXPECT_THROW(CFile::Rename(a.c_str(), b.c_str()), CFileException);
}

TEST(CFile, LargeSizesAre64Bit)
{
    TempDir dir;
    const std::string path = dir.File("sparse.bin");
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
        f.SetLength(5000000000ULL);
        EXPECT_EQ(f.GetLength(), 5000000000ULL);
        EXPECT_EQ(f.Seek(4999999999LL, CFile::begin), 4999999999ULL);
    }
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
    EXPECT_EQ(status.m_size, 5000000000ULL);
}

struct LineCase
{
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
};

TEST(CStdioFile, TextModeReadsLinesWithoutLineEnds)
{
    const LineCase cases[] = {
        {"CR LF", "one\r\ntwo\r\n", {"one", "two"}},
        {"LF only", "one\ntwo", {"one", "two"}},
        {"no final end", "last line", {"last line"}},
        {"empty lines", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"lone CR kept", "a\rb\r\n", {"a\rb"}},
        {"Ctrl-Z ends the text", "before\r\nstop\x1A" "after\r\n", {"before", "stop"}},
        {"long line", std::string(1000, 'L') + "\r\nshort", {std::string(1000, 'L'), "short"}},
        {"empty file", "", {}},
    };
    TempDir dir;
    for (const LineCase& c : cases) {
        const std::string path = dir.File("lines.txt");
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        CStdioFile f(path.c_str(), CFile::modeRead | CFile::typeText);
        std::vector<std::string> lines;
        CString line;
        while (f.ReadString(line))
            lines.push_back(line.GetString());
        EXPECT_EQ(lines, c.lines) << c.what;
        f.Close();
    }
}

TEST(CStdioFile, TextModeWritesCrLf)
{
    TempDir dir;
    const std::string path = dir.File("out.txt");
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString("first\n");
        f.WriteString("second\nthird");
        f.Close();
    }
    EXPECT_EQ(Contents(path), "first\r\nsecond\r\nthird");

    // Kept and appended to, as the program log is.
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        f.SeekToEnd();
        f.WriteString("\nmore\n");
    }
    EXPECT_EQ(Contents(path), "first\r\nsecond\r\nthird\r\nmore\r\n");

    // Binary mode writes bytes as they are.
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        f.WriteString("raw\n");
    }
    EXPECT_EQ(Contents(path), "raw\n");
}

TEST(CStdioFile, MissingFileThrows)
{
    TempDir dir;
    try {
        CStdioFile f(dir.File("absent.txt").c_str(), CFile::modeRead | CFile::typeText);
        ADD_FAILURE() << "opened a missing file";
    } catch (CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    }
}

TEST(CFileFind, WalksAFolder)
{
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("Main.txd"), "12345"));
    ASSERT_TRUE(WriteFileBytes(dir.File("Old.TXD"), "1"));
    ASSERT_TRUE(WriteFileBytes(dir.File("notes.txt"), ""));
    ASSERT_TRUE(CreateDirectoryA(dir.File("sub").c_str(), nullptr));

    CFileFind finder;
    std::vector<std::string> files;
    std::vector<std::string> folders;
    BOOL more = finder.FindFile((dir.Path() + "\\*.*").c_str());
    ASSERT_TRUE(more);
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        if (finder.IsDirectory()) {
            folders.push_back(finder.GetFileName().GetString());
            continue;
        }
        files.push_back(finder.GetFileName().GetString());
        EXPECT_EQ(finder.GetFilePath(), CString(dir.File(finder.GetFileName().GetString()).c_str()));
        if (finder.GetFileName() == "Main.txd") {
            EXPECT_EQ(finder.GetLength(), 5u);
            EXPECT_STREQ(finder.GetFileTitle(), "Main");
            CTime written;
            EXPECT_TRUE(finder.GetLastWriteTime(written));
            EXPECT_LE(written.GetTime(), CTime::GetCurrentTime().GetTime());
            EXPECT_GT(written.GetTime(), CTime::GetCurrentTime().GetTime() - 3600);
        }
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"Main.txd", "Old.TXD", "notes.txt"}));
    EXPECT_EQ(folders, (std::vector<std::string>{"sub"}));
    EXPECT_EQ(finder.GetRoot(), CString((dir.Path() + "\\").c_str()));

    CFileFind none;
    EXPECT_FALSE(none.FindFile((dir.Path() + "\\*.mp3").c_str()));
}

} // namespace
