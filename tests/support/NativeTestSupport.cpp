// The portable test helpers of TestSupport.h for the native build (Linux,
// the host compiler): temporary folders, file reading and writing, and the
// paths of the test media and the outside test data, which the environment
// gives as native paths. The window helpers (FindOwnWindow, PumpUntil) are
// Windows-only and not defined here.
#include "tests/support/TestSupport.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace tavrix_test {

namespace {

std::string EnvOrEmpty(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

} // namespace

TempDir::TempDir()
{
    std::string base = EnvOrEmpty("TMPDIR");
    if (base.empty())
        base = "/tmp";
    std::string name = base + "/tavrix-XXXXXX";
    if (!mkdtemp(&name[0]))
        throw std::runtime_error("cannot create temp folder under " + base);
    m_path = name;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ImageDir()
{
    // Native builds have no program image; the variable may still name one.
    return EnvOrEmpty("TAVRIX_IMAGE");
}

std::string TestDataPath(const std::string& relative)
{
    const std::string dir = EnvOrEmpty("TAVRIX_TESTDATA");
    if (dir.empty())
        return std::string();
    struct stat st;
    if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::string();
    return dir + "/" + relative;
}

bool WriteIniFile(const std::string& path, const std::string& text)
{
    // No profile cache to drop off Windows.
    return WriteFileBytes(path, text);
}

std::string MediaPath(const std::string& name)
{
    return EnvOrEmpty("TAVRIX_MEDIA") + "/" + name;
}

bool CopyFileTo(const std::string& from, const std::string& to)
{
    std::error_code error;
    return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                                      error) && !error;
}

bool CopyTree(const std::string& from, const std::string& to)
{
    std::error_code error;
    std::filesystem::copy(from, to,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing,
                          error);
    return !error;
}

} // namespace tavrix_test
