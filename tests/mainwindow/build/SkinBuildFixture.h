// The main window created in the test's process with the program's own
// parts (ProgramParts), so that the builders make the controls from the
// skin as the program does; and the main window's children as a table.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "mainwindow/parts/ProgramParts.h"
#include "tests/mainwindow/window/MainWindowFixture.h"

namespace tavrix_test {

// One child window of the main window as the test sees it.
struct ChildWindow
{
    int32_t id = 0;
    std::string className;
    DWORD style = 0;
    RECT rect = {};   // in the main window's client coordinates
    HWND hWnd = nullptr;
};

std::vector<ChildWindow> DirectChildren(HWND parent);
std::string RectText(const RECT& r);

class SkinBuildTest : public MainWindowTest
{
protected:
    std::unique_ptr<ProgramParts> m_program;

    void TearDown() override;
    // Builds the parts for the dialog (before Create), so that a test can
    // prepare them; then creates the window and waits until it is shown.
    void PrepareWindow();
    void OpenWithProgramParts();
    // The settings for a shipped skin ("Default", "Jukebox", "Thumbnails"):
    // the program folder's skins copied into the test's folder.
    void UseShippedSkin(const std::string& name, const std::string& mainExtra = "");
    MainBuildArea& Build() { return m_program->Build(); }
    HWND Main() const { return m_dialog ? m_dialog->m_hWnd : nullptr; }
    bool LogHas(const std::string& line) const;
};

} // namespace tavrix_test
