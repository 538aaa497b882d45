// This program is bound to KVLib.dll through its import library, as the
// program is: the static members answer from KVLib's own state.
#include "library/api/VIZU.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(KVLibImport, StaticMembersAnswerFromTheDll)
{
    ASSERT_NE(nullptr, GetModuleHandleA("KVLib.dll")) << "not bound through the import table";
    EXPECT_FALSE(VIZU::IsOpen());
    EXPECT_FALSE(VIZU::IsDirty());
}
