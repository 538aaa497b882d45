// TXVSplash: the small modeless window that tells what the program is doing
// while it starts and while it shuts down (template 106), with one status
// line. Fades out when its work is done.
#pragma once

#include "framework/ui/CDialog.h"
#include "skin/splash/TXVSplashIds.h"

class TXVSplash : public CDialog
{
public:
    // Construction
    TXVSplash() = default;
    // Creates the window (not yet shown) above `parent`.
    BOOL CreateSplash(CWnd* parent);

    // Operations
    // Shows it centred on the screen, without taking the focus.
    void ShowSplash();
    void SetStatus(const char* text);
    CString GetStatus() const;
    // Fades the window out over `milliseconds` and destroys it.
    void FadeOut(DWORD milliseconds);

    // Overridables
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
};
