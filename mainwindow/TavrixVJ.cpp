// TavrixVJ's entry point and its one application object.
#include <windows.h>

#include "framework/ui/AfxWin.h"
#include "library/api/VIZU.h"
#include "mainwindow/app/MainApp.h"

namespace {
MainApp theApp;
} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd)
{
    // KVLib is bound through the import table; touching it here proves the
    // library answered before any window exists.
    if (VIZU::IsOpen())
        return 1;
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nShowCmd);
}
