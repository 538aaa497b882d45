// Waiting: the library's modeless progress window. Long library operations
// show it with a line of text and hide it when they end; the VIZU object
// creates it once and destroys it at the end.
#pragma once

#include "framework/ui/CDialog.h"

class Waiting : public CDialog
{
public:
    Waiting() = default;

    // Creates the window modeless, hidden, without a parent.
    BOOL CreateModeless();
    // Shows the window with a text, or hides it.
    void ShowText(LPCSTR text);
    void Hide();

    BOOL OnInitDialog() override;

protected:
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};
