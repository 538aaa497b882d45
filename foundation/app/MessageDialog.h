// The program's modal message dialog, seen from the helpers that show
// notices. The skin engine puts its own dialog in place at start-up; tests
// put one that answers by itself.
#pragma once

#include "framework/core/CString.h"

class MessageDialog
{
public:
    virtual ~MessageDialog() = default;
    // Shows the text with no parent window; returns when the user closes it.
    virtual void ShowModal(const CString& text) = 0;
};

// Makes dialog the one that ShowMessage uses and returns the one before it;
// null goes back to a plain message box titled "Message".
MessageDialog* SetMessageDialog(MessageDialog* dialog);
