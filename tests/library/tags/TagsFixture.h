// Shared by the tag tests: the program folder's "KVLib.ini" written for one
// test at a time, and MP3 files tagged with id3lib.
#pragma once

#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

// A test that writes and reads "KVLib.ini" in a program folder of its own.
class KVLibIniTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Writes the [KVLIB] section with the given lines ("Key=Value\r\n"...).
    void WriteIni(const std::string& lines);

private:
    std::unique_ptr<tavrix_test::ProgramFolderScope> m_folder;
};

// A copy of the untagged 3 s MP3 in dir, named name.
std::string CopyOfToneMp3(const tavrix_test::TempDir& dir, const std::string& name);
