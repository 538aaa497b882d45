#include "SkinTestHost.h"

namespace skin_test {

COLORREF SkinPixel(int x, int y)
{
    return RGB((x / 8) * 5 % 256, (y / 8) * 7 % 256, 128);
}

bool HostWindow::Make(int width, int height, bool visible)
{
    return CreateEx(0, GetDefaultClassName(), "skin test host", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0,
                    width, height, nullptr, nullptr) != FALSE;
}

LRESULT HostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_VSCROLL) {
        MSG m{};
        m.message = message;
        m.wParam = wParam;
        m.lParam = lParam;
        scrolls.push_back(m);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

TestHost::TestHost(int width, int height, bool visible) : skin(width, height)
{
    window.Make(width, height, visible);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            ::SetPixelV(skin.Dc(), x, y, SkinPixel(x, y));
    }
    m_before = SetSkinHost(this);
}

TestHost::~TestHost()
{
    SetSkinHost(m_before);
    if (window.m_hWnd)
        window.DestroyWindow();
}

CString TestHost::GetIniString(const CString& section, const CString& key)
{
    auto it = ini.find(std::string(section) + "/" + std::string(key));
    return it == ini.end() ? CString() : CString(it->second.c_str());
}

std::unique_ptr<widget_test::DibSurface> DrawClient(HWND window)
{
    RECT r;
    ::GetClientRect(window, &r);
    auto s = std::make_unique<widget_test::DibSurface>(r.right, r.bottom, RGB(1, 2, 3));
    widget_test::PrintClient(window, *s);
    return s;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

} // namespace skin_test
