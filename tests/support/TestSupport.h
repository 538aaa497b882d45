// Shared helpers of the test programs: temporary folders, the paths of the
// program image and of outside test data, and running other programs.
// TestSupport.cpp defines them for Windows; NativeTestSupport.cpp defines
// the portable ones (not the window helpers) for the native build.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

struct HWND__;   // a window handle (windows.h's HWND)

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
#ifdef _WIN32
    std::string File(const std::string& name) const { return m_path + "\\" + name; }
#else
    std::string File(const std::string& name) const { return m_path + "/" + name; }
#endif

private:
    std::string m_path;
};

// The program-folder image (TavrixVJ.exe, KVLib.dll, ...), no trailing slash.
std::string ImageDir();

// A file under the outside test data folder, or "" when that folder is absent.
std::string TestDataPath(const std::string& relative);

// Writes bytes to a file; false on failure.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Writes an INI file's text and drops the system's cached copy of it, so
// that the next profile call reads what was written even when the file's
// time stamp did not change (two writes within the file system's clock
// tick); false on failure.
bool WriteIniFile(const std::string& path, const std::string& text);
// Reads a whole file; false on failure.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// The lines of an XML text written one element per line, each ending in
// CR LF; expects (gtest) every line to begin with "<", end with ">" and
// hold no control byte.
std::vector<std::string> ElementLines(const std::string& text);

// A file of the test media that tests/media/make-media.sh makes with sox
// and lame before the tests run (the CTest fixture "tavrix_media").
std::string MediaPath(const std::string& name);

// Copies a file; false on failure.
bool CopyFileTo(const std::string& from, const std::string& to);
// Copies a folder's files and subfolders into an existing folder; false on
// failure.
bool CopyTree(const std::string& from, const std::string& to);

// A top-level window of this process with that class and title (either may
// be null for any), or null. Unlike FindWindow it never returns a window
// of another program, such as another test program running beside.
::HWND__* FindOwnWindow(const char* className, const char* title);

// Dispatches this thread's messages until done() holds (true) or timeoutMs
// has passed (false). done() is checked after every message and at least
// every 10 ms, so a condition another thread sets is seen at once.
bool PumpUntil(const std::function<bool()>& done, unsigned long timeoutMs = 10000);

// Runs action from this thread's message loop once the list control has
// been asked to insert row `row` (that insert and the rest of the caller's
// work go on first): a test acts in the middle of a fill that would
// otherwise be over between two looks. The list goes back to its own
// procedure with this object, unless it was destroyed meanwhile.
class InsertWatch
{
public:
    InsertWatch(::HWND__* list, int row, std::function<void()> action);
    ~InsertWatch();
    InsertWatch(const InsertWatch&) = delete;
    InsertWatch& operator=(const InsertWatch&) = delete;
    bool Ran() const { return m_ran; }

    // The list's procedure while watched (TestSupport.cpp).
    struct Hook;

private:
    ::HWND__* m_list;
    int m_row;
    std::function<void()> m_action;
    void* m_old = nullptr;
    bool m_posted = false;
    bool m_ran = false;
    bool m_gone = false;
    friend struct Hook;
};

} // namespace tavrix_test

// Skips the current test (reported as skipped, not passed) when outside
// test data is absent.
#define TAVRIX_REQUIRE_TESTDATA(path)                                        \
    do {                                                                     \
        if ((path).empty())                                                  \
            GTEST_SKIP() << "outside test data folder is absent";            \
    } while (0)
