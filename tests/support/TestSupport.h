// Shared helpers of the test programs: temporary folders, the paths of the
// program image and of outside test data, and running other programs.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace tavrix_test {

// A fresh folder under the temporary path, removed with its contents when
// the object goes. Path() ends without a backslash.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// The program-folder image (TavrixVJ.exe, KVLib.dll, ...), no trailing slash.
std::string ImageDir();

// A file under the outside test data folder, or "" when that folder is absent.
std::string TestDataPath(const std::string& relative);

// Writes bytes to a file; false on failure.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Reads a whole file; false on failure.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// A file of the test media that tests/media/make-media.sh makes with sox
// and lame before the tests run (the CTest fixture "tavrix_media").
std::string MediaPath(const std::string& name);

// Copies a file; false on failure.
bool CopyFileTo(const std::string& from, const std::string& to);

// Dispatches this thread's messages until done() holds (true) or timeoutMs
// has passed (false).
bool PumpUntil(const std::function<bool()>& done, unsigned long timeoutMs = 10000);

} // namespace tavrix_test

// Skips the current test (reported as skipped, not passed) when outside
// test data is absent.
#define TAVRIX_REQUIRE_TESTDATA(path)                                        \
    do {                                                                     \
        if ((path).empty())                                                  \
            GTEST_SKIP() << "outside test data folder is absent";            \
    } while (0)
