#include "tests/library/import/ImportFixture.h"
#include "tests/library/LibraryTestState.h"

#include "library/state/LibrarySettings.h"

#include <commctrl.h>

#include <fstream>
#include <map>
#include <sstream>

namespace import_test {

namespace {

std::map<HWND, std::vector<std::string>> g_texts;
int g_steps = 0;
WNDPROC g_progressProc = nullptr;

LRESULT CALLBACK ItemProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_SETTEXT && l) {
        std::string text = reinterpret_cast<const char*>(l);
        g_texts[h].push_back(text);
        HWND page = GetParent(h);
        auto* owner = reinterpret_cast<Page*>(GetWindowLongPtrA(page, GWLP_USERDATA));
        if (owner && !owner->escapePrefix.empty() &&
            text.compare(0, owner->escapePrefix.size(), owner->escapePrefix) == 0) {
            owner->escapePrefix.clear();
            PostMessageA(page, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    }
    return DefWindowProcA(h, m, w, l);
}

LRESULT CALLBACK ProgressProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == PBM_STEPIT)
        ++g_steps;
    return CallWindowProcA(g_progressProc, h, m, w, l);
}

void RegisterClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ImportTestPage";
    RegisterClassA(&wc);
    wc.lpfnWndProc = ItemProc;
    wc.lpszClassName = "ImportTestItem";
    RegisterClassA(&wc);
}

HWND Child(HWND parent, const char* cls, int id, DWORD style)
{
    return CreateWindowA(cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 20, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

} // namespace

Page::Page()
{
    RegisterClasses();
    m_hWnd = CreateWindowA("ImportTestPage", "page", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Page::~Page()
{
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hWnd);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

HWND Page::AddTextItem(int id)
{
    return Child(m_hWnd, "ImportTestItem", id, 0);
}

HWND Page::AddProgress(int id)
{
    HWND bar = Child(m_hWnd, PROGRESS_CLASSA, id, 0);
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProgressProc)));
    if (!g_progressProc)
        g_progressProc = previous;
    return bar;
}

HWND Page::AddButton(int id, bool enabled)
{
    HWND button = Child(m_hWnd, "BUTTON", id, BS_PUSHBUTTON);
    EnableWindow(button, enabled);
    return button;
}

HWND Page::AddList(int id)
{
    HWND list = Child(m_hWnd, WC_LISTVIEWA, id, LVS_REPORT);
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = 100;
    col.pszText = const_cast<char*>("File");
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
    col.pszText = const_cast<char*>("Path");
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
    return list;
}

std::string Page::Text(int id) const
{
    char text[1024] = {};
    GetDlgItemTextA(m_hWnd, id, text, sizeof text);
    return text;
}

std::vector<std::string> Page::TextsOf(int id) const
{
    auto it = g_texts.find(GetDlgItem(m_hWnd, id));
    return it == g_texts.end() ? std::vector<std::string>() : it->second;
}

int ProgressSteps()
{
    return g_steps;
}

void ResetProgressSteps()
{
    g_steps = 0;
}

std::set<std::string> ToSet(const CArray<CString, CString&>& array)
{
    std::set<std::string> out;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        out.insert(array[i].GetString());
    return out;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void ImportTest::SetUp()
{
    m_folder = std::make_unique<tavrix_test::ProgramFolderScope>();
    SetLogAdds(false);
    m_temp = std::make_unique<tavrix_test::TempDir>();
    m_root = m_temp->File("music");
    ASSERT_TRUE(CreateDirectoryA(m_root.c_str(), nullptr));
    m_vizu = std::make_unique<VIZU>();
    TestState().settings.foundFiles = TestState().settings.foundMP3 = TestState().settings.foundWAV = 0;
    m_previous = AfxSetPromptAnswerer(&m_answerer);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void ImportTest::TearDown()
{
    AfxSetPromptAnswerer(m_previous);
    // The library is never saved by the tests' own object going away.
    m_Tracks.RemoveAll();
    m_vizu.reset();
    m_temp.reset();
    m_folder.reset();
}

void ImportTest::SetLogAdds(bool on)
{
    ASSERT_TRUE(tavrix_test::WriteIniFile(ProgramFile("KVLib.ini"),
                                          std::string("[KVLIB]\r\nLogAdds=") + (on ? "1" : "0") + "\r\n"));
    VIZU::GetAddSettings();
}

std::string ImportTest::ProgramFile(const char* name) const
{
    return std::string(VIZU::GetLibDLLPath().GetString()) + name;
}

std::string ImportTest::Put(const std::string& medium, const std::string& relative)
{
    std::string to = m_root + "\\" + relative;
    EXPECT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath(medium), to)) << medium;
    return to;
}

std::string ImportTest::Folder(const std::string& relative)
{
    std::string path = m_root + "\\" + relative;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    return path;
}

void ImportTest::MakeStandardFolder()
{
    Put("import_latin1.mp3", "Tagged.mp3");
    Put("import_tone.wav", "tone.wav");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(m_root + "\\notes.txt", "not music\r\n"));
    Folder("sub");
    Put("import_plain.mp3", "sub\\a.MP3");
    Put("import_tone.wav", "sub\\b.wav");
    Put("import_latin1.mp3", "sub\\c.mp3");
}

} // namespace import_test
