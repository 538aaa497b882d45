// A fresh temporary folder as the program folder: the settings, logs and
// data files that the program and the library keep beside the running
// program go there instead, so that no two tests (nor two test programs
// running side by side) ever share one.
#pragma once

#include "foundation/app/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace tavrix_test {

// The program folder is the object's folder while it lives.
class ProgramFolderScope
{
public:
    ProgramFolderScope() { SetProgramFolder(m_dir.Path().c_str()); }
    ~ProgramFolderScope() { SetProgramFolder(""); }
    ProgramFolderScope(const ProgramFolderScope&) = delete;
    ProgramFolderScope& operator=(const ProgramFolderScope&) = delete;

    const std::string& Path() const { return m_dir.Path(); }
    std::string File(const std::string& name) const { return m_dir.File(name); }

private:
    TempDir m_dir;
};

} // namespace tavrix_test

// A test fixture whose every test has a program folder of its own.
class ProgramFolderTest : public ::testing::Test
{
protected:
    tavrix_test::ProgramFolderScope m_dir;
};
