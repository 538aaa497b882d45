// KVLibApp: KVLib.dll's own application object. Its start-up is the
// framework's default and succeeds; it handles no messages. The program's
// application object stays the one every module sees (AfxGetApp).
#pragma once

#include "framework/ui/CWinApp.h"

class KVLibApp : public CWinApp
{
public:
    // Construction
    KVLibApp() = default;

    // Overridables
    BOOL InitInstance() override;
};
