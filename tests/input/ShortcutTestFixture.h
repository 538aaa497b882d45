// A program folder of its own, the action names built (the key names are
// left to the shortcut loader), and an accelerator
// table handle that the shortcut edits rebuild; everything emptied after.
#pragma once

#include <windows.h>

#include "input/commands/CommandVocabulary.h"
#include "input/shortcuts/Shortcuts.h"
#include "tests/support/ProgramFolder.h"

class ShortcutTableTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        BuildActionNameMap();
        SetShortcutAccelTable(&m_table);
    }
    void TearDown() override
    {
        SetShortcutAccelTable(nullptr);
        if (m_table)
            ::DestroyAcceleratorTable(m_table);
        m_table = nullptr;
        ShortcutTable.clear();
        ClearCommandMaps();
        ProgramFolderTest::TearDown();
    }

    HACCEL m_table = nullptr;
};
