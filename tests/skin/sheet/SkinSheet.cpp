// The skin sheet for the screenshots (tools/skin-shots.sh): the start-up
// splash with a status line, or (argument "message") the message dialog,
// each titled for the screenshot script to find. Not a test.
#include <windows.h>

#include <cstring>

#include "skin/dialogs/TXVMsg.h"
#include "skin/splash/TXVSplash.h"

int main(int argc, char** argv)
{
    const bool message = argc > 1 && std::strcmp(argv[1], "message") == 0;
    TXVSplash splash;
    TXVMsg box;
    if (message) {
        box.SetMessage("The skin \"Club\" could not be loaded.\nTavrix uses its Default skin instead.");
        box.Create(IDD_TXVMSG, nullptr);
        box.SetWindowText("TavrixVJ message");
        box.ShowWindow(SW_SHOW);
    } else {
        splash.CreateSplash(nullptr);
        splash.SetWindowText("TavrixVJ splash");
        splash.ShowSplash();
        splash.SetStatus("Opening library...");
    }
    ::SetTimer(nullptr, 0, 60000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && !msg.hwnd)
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
