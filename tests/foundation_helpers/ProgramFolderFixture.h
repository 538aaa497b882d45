// A fresh temporary folder as the program folder for each test.
#pragma once

#include "foundation/ProgramFolder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

class ProgramFolderTest : public ::testing::Test
{
protected:
    void SetUp() override { SetProgramFolder(m_dir.Path().c_str()); }
    void TearDown() override { SetProgramFolder(""); }

    tavrix_test::TempDir m_dir;
};
