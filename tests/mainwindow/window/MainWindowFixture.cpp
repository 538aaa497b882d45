#include "MainWindowFixture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "input/controllermap/ControllerMap.h"
#include "mainwindow/res/MainWindowIds.h"
#include "widgets/menus/NewMenu.h"

namespace tavrix_test {

namespace {

// A 24-bit bottom-up bitmap file of one colour.
std::string BitmapFile(int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t pixels = static_cast<uint32_t>(stride * height);
    std::string bytes(54 + pixels, '\0');
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&bytes[at], &v, 2); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54 + pixels);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, pixels);
    for (uint32_t i = 0; i < pixels; ++i)
        bytes[54 + i] = static_cast<char>(0x40);
    return bytes;
}

std::string Describe(const ControllerMapItem& entry)
{
    return std::string(entry.action.GetString()) + " " + std::to_string(entry.commandId);
}

void CollectItems(HMENU menu, std::vector<std::pair<UINT, std::string>>& items)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            CollectItems(sub, items);
            continue;
        }
        const UINT id = ::GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;   // separators and the title band
        // The owner-drawn items keep their text in their records.
        CNewMenu* owner = CNewMenu::FromHandleNew(menu);
        CNewMenuItemData* data = owner ? owner->GetItemDataForCommand(id) : nullptr;
        items.emplace_back(id, data ? std::string(data->m_szMenuText.GetString()) : std::string());
    }
}

} // namespace

bool FakeParts::Has(const std::string& event) const
{
    return std::find(events.begin(), events.end(), event) != events.end();
}

bool FakeParts::CreateModeless(main_menus::ModelessWindow w)
{
    Add(std::string("CreateModeless ") + main_menus::ModelessWindowName(w));
    return true;
}

bool FakeParts::RunAddMusicWizard()
{
    visibleAtWizard = window && ::IsWindowVisible(window);
    Add("RunAddMusicWizard");
    return true;
}

void FakeParts::StartTimer(HWND, UINT id, UINT period)
{
    timers[id] = period;
    Add("StartTimer " + std::to_string(id) + " " + std::to_string(period));
}

void FakeParts::StopTimer(HWND, UINT id)
{
    timers.erase(id);
    Add("StopTimer " + std::to_string(id));
}

bool FakeParts::SetTextField(const char* name, const char* text)
{
    Add(std::string("SetTextField ") + name + " " + text);
    return true;
}

void FakeParts::OnJogWheel(const ControllerMapItem* entry, int value)
{
    Add("OnJogWheel " + (entry ? Describe(*entry) : std::string("none")) + " " + std::to_string(value));
}

void FakeParts::OnControllerValue(int value, const ControllerMapItem& entry)
{
    Add("OnControllerValue " + std::to_string(value) + " " + Describe(entry));
}

void FakeParts::OnQueueScroll(int deck, int value, int low)
{
    Add("OnQueueScroll " + std::to_string(deck) + " " + std::to_string(value) + " " + std::to_string(low));
}

void FakeParts::OnControllerWheel(int value, const ControllerMapItem& entry)
{
    Add("OnControllerWheel " + std::to_string(value) + " " + Describe(entry));
}

void FakeParts::OnCommRequest(const char* bytes, size_t length)
{
    Add("OnCommRequest " + std::string(bytes, length));
}

void FakeParts::OnControllerLightString(const ControllerMapItem& entry)
{
    Add("OnControllerLightString " + Describe(entry) + " " + entry.outstring.GetString());
}

void FakeParts::OnCommSocketEvent(int code, void* socket)
{
    Add("OnCommSocketEvent " + std::to_string(code) + (socket ? " socket" : " null"));
}

void FakeParts::RunCommand(command_areas::CommandArea area, unsigned id)
{
    Add(std::string("RunCommand ") + command_areas::AreaName(area) + " " + std::to_string(id));
}

void FakeParts::ShowModeless(main_menus::ModelessWindow w)
{
    Add(std::string("ShowModeless ") + main_menus::ModelessWindowName(w));
}

void FakeParts::RunMenuHandler(main_menus::MenuHandler h)
{
    Add(std::string("RunMenuHandler ") + main_menus::MenuHandlerName(h));
}

UINT FakeParts::RunMenu(CNewMenu& popup, CWnd&, POINT, UINT flags)
{
    menuFlags = flags;
    menuStyle = CNewMenu::GetDrawStyle();
    CNewMenuItemDataTitle* title = popup.GetTitleItem();
    menuTitle = title ? title->m_szMenuText.GetString() : "";
    menuItems.clear();
    CollectItems(popup.m_hMenu, menuItems);
    Add("RunMenu " + menuTitle);
    if (menuChoices.empty())
        return 0;
    const UINT choice = menuChoices.front();
    menuChoices.erase(menuChoices.begin());
    return choice;
}

void MainWindowTest::TearDown()
{
    if (m_dialog) {
        if (::IsWindow(m_dialog->m_hWnd))
            m_dialog->DestroyWindow();
        delete m_dialog;
        m_dialog = nullptr;
    }
    // A shutdown posts the quit message: it must not end a later test's pump.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void MainWindowTest::WriteSettings(const std::string& mainExtra, const std::string& extra, const std::string& skinExtra)
{
    const std::string skins = m_folder.File("Skins");
    ASSERT_TRUE(::CreateDirectoryA(skins.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA((skins + "\\Test").c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(skins + "\\Test\\bg.bmp", BitmapFile(64, 48)));
    ASSERT_TRUE(WriteFileBytes(skins + "\\Test.xml",
                               "<?xml version=\"1.0\"?>\r\n<TavrixVJSkin>\r\n"
                               "<background image=\"bg.bmp\" x=\"0\" y=\"0\" width=\"64\" height=\"48\"/>\r\n" +
                                   skinExtra + "</TavrixVJSkin>\r\n"));
    ASSERT_TRUE(WriteIniFile(m_folder.File("TavrixVJ.INI"),
                             "[MAIN]\r\nNewInstall=0\r\nSkinFolder=Skins\r\nSkinXML=Test.xml\r\nSkinBMPPath=Test\r\n"
                             "Logging=1\r\n" + mainExtra + extra));
}

void MainWindowTest::OpenMainWindow(bool fakes, const char* playlist)
{
    m_dialog = new MainDialog;
    if (fakes)
        m_dialog->SetParts(&m_parts);
    if (playlist)
        m_dialog->SetCommandLinePlaylist(playlist);
    ASSERT_TRUE(m_dialog->HasSkin());
    ASSERT_TRUE(m_dialog->Create(IDD_MAINDIALOG));
    m_parts.window = m_dialog->m_hWnd;
    const std::vector<std::string> shown = {"Main window shown"};
    ASSERT_TRUE(PumpUntil([&] { return InOrder(LogLines(), shown); }, 10000)) << "the window was not shown";
    // The start-up sequence ends in the same tick: drain what it left.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::vector<std::string> MainWindowTest::LogLines() const
{
    std::string text;
    std::vector<std::string> lines;
    if (!ReadFileBytes(m_folder.File("TXLOG.txt"), text))
        return lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        const size_t bracket = line.find(']');
        if (!line.empty() && line[0] == '[' && bracket != std::string::npos)
            lines.push_back(line.substr(bracket + 1));
        at = end + 2;
    }
    return lines;
}

std::string MainWindowTest::Setting(const char* section, const char* key) const
{
    char value[512] = {};
    ::GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, m_folder.File("TavrixVJ.INI").c_str());
    return value;
}

bool MainWindowTest::WaitForEvent(const std::string& event, unsigned long ms)
{
    return PumpUntil([&] { return m_parts.Has(event); }, ms);
}

std::vector<std::string> MainWindowTest::Drain()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return m_parts.events;
}

} // namespace tavrix_test
