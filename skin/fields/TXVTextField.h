// TXVTextField: a skinned text field (skin element "textfield"). It takes
// text only once enabled; a hidden item's field stays empty.
#pragma once

#include "skin/fields/TXVFieldBase.h"

class TXVTextField : public TXVFieldBase
{
public:
    // Construction
    TXVTextField() : TXVFieldBase(false) {}

    // Attributes
    const CString& GetKindName() const { return m_strKind; }
    const CString& GetControlName() const { return m_strControlName; }
    bool GetVisibleFlag() const { return m_bVisible; }
    bool IsTextEnabled() const { return m_bTextEnabled; }

    // Operations
    void EnableText(bool enable) { m_bTextEnabled = enable; }
    void SetVisibleFlag(bool visible) { m_bVisible = visible; }
    void SetControlName(const CString& name) { m_strControlName = name; }
    // Stores the text and repaints, while text is enabled.
    void SetText(const CString& text)
    {
        if (m_bTextEnabled)
            StoreText(text);
    }

private:
    CString m_strKind = "textfield";
    CString m_strControlName;
    bool m_bVisible = false;
    bool m_bTextEnabled = false;
};
