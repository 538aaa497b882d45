// TXVStatusField: a skinned status line (skin element "status"); its text
// starts 3 pixels in from the left, and its time flag says whether the
// library status written into it carries its time.
#pragma once

#include "skin/fields/TXVFieldBase.h"

class TXVStatusField : public TXVFieldBase
{
public:
    // Construction
    TXVStatusField() : TXVFieldBase(true) {}

    // Attributes
    bool GetTimeFlag() const { return m_bTime; }

    // Operations
    void SetTimeFlag(bool time) { m_bTime = time; }
    // Always stores the text and repaints.
    void SetText(const CString& text) { StoreText(text); }

private:
    bool m_bTime = true;
};
