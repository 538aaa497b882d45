#include "foundation/app/PostedText.h"

bool PostOwnedText(HWND hWnd, UINT message, WPARAM wParam, const char* text)
{
    std::unique_ptr<std::string> copy(new std::string(text ? text : ""));
    if (!::PostMessageA(hWnd, message, wParam, reinterpret_cast<LPARAM>(copy.get())))
        return false;
    copy.release();   // the message's handler owns it now
    return true;
}

std::unique_ptr<std::string> TakeOwnedText(LPARAM lParam)
{
    return std::unique_ptr<std::string>(reinterpret_cast<std::string*>(lParam));
}
