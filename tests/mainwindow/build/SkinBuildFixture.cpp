#include "tests/mainwindow/build/SkinBuildFixture.h"

#include <algorithm>

#include "mainwindow/build/MainBuildArea.h"
#include "mainwindow/res/MainWindowIds.h"
#include "skin/file/Skin.h"

namespace tavrix_test {

namespace {

BOOL CALLBACK CollectChild(HWND hWnd, LPARAM lParam)
{
    auto* out = reinterpret_cast<std::pair<HWND, std::vector<ChildWindow>*>*>(lParam);
    if (::GetParent(hWnd) != out->first)
        return TRUE;
    ChildWindow child;
    child.hWnd = hWnd;
    child.id = static_cast<int32_t>(::GetWindowLongPtrA(hWnd, GWLP_ID));
    char name[128] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    child.className = name;
    child.style = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
    ::GetWindowRect(hWnd, &child.rect);
    ::MapWindowPoints(nullptr, out->first, reinterpret_cast<POINT*>(&child.rect), 2);
    out->second->push_back(child);
    return TRUE;
}

} // namespace

std::vector<ChildWindow> DirectChildren(HWND parent)
{
    std::vector<ChildWindow> children;
    std::pair<HWND, std::vector<ChildWindow>*> ctx(parent, &children);
    ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&ctx));
    return children;
}

std::string RectText(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

void SkinBuildTest::TearDown()
{
    MainWindowTest::TearDown();
    m_program.reset();
}

void SkinBuildTest::PrepareWindow()
{
    // The process's one skin object keeps the items of every skin loaded
    // into it: each test's window starts from an empty one, as a program
    // run does.
    TheSkin().Clear();
    m_dialog = new MainDialog;
    m_program.reset(new ProgramParts(*m_dialog));
    m_dialog->SetParts(m_program.get());
}

void SkinBuildTest::OpenWithProgramParts()
{
    if (!m_dialog)
        PrepareWindow();
    ASSERT_TRUE(m_dialog->HasSkin());
    ASSERT_TRUE(m_dialog->Create(IDD_MAINDIALOG));
    const std::vector<std::string> shown = {"Main window shown"};
    ASSERT_TRUE(PumpUntil([&] { return InOrder(LogLines(), shown); }, 20000)) << "the window was not shown";
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void SkinBuildTest::UseShippedSkin(const std::string& name, const std::string& mainExtra)
{
    ASSERT_TRUE(::CreateDirectoryA(m_folder.File("Skins").c_str(), nullptr));
    ASSERT_TRUE(CopyTree(ImageDir() + "\\Skins", m_folder.File("Skins")));
    ASSERT_TRUE(WriteIniFile(m_folder.File("TavrixVJ.INI"),
                             "[MAIN]\r\nNewInstall=0\r\nSkinFolder=Skins\r\nSkinXML=" + name +
                                 ".xml\r\nSkinBMPPath=" + name + "\r\nLogging=1\r\n" + mainExtra));
}

bool SkinBuildTest::LogHas(const std::string& line) const
{
    const std::vector<std::string> lines = LogLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace tavrix_test
