// TXVFieldBase: what the skin's text field and status field share: their
// colours, font, border, alignment, the copy of the skin under them and
// their one paint function. A colour given as an empty text stays unset:
// unset text draws black, an unset background fills with
// kFieldFallbackFill.
#pragma once

#include "framework/core/CString.h"
#include "framework/ui/CGdiObject.h"
#include "widgets/drawing/OffscreenStatic.h"

#include <windows.h>

// The fill of a field whose background colour was never given.
const COLORREF kFieldFallbackFill = RGB(255, 255, 255);

class TXVFieldBase : public COffscreenStatic
{
public:
    // Attributes
    const CString& GetText() const { return m_strText; }
    const CString& GetDefaultText() const { return m_strDefaultText; }
    bool IsTransparent() const { return m_bTransparent; }
    bool HasBorder() const { return m_bBorder; }
    int GetAlign() const { return m_nAlign; }
    COLORREF GetTextColor() const { return m_clrText; }
    COLORREF GetBackColor() const { return m_clrBack; }

    // Operations
    // Each non-empty text becomes that colour; an empty one leaves it unset.
    void SetColors(const CString& textColor, const CString& backColor);
    void SetFont(const CString& face, int tenthsOfPoint);
    // Copies the skin under the field and makes it transparent.
    bool GrabBackground();
    // The same from another DC in the parent's client coordinates.
    bool GrabBackgroundFrom(CDC* pDC);
    void ShowBorder(bool show);
    void SetBorderColor(COLORREF colour);
    void SetDefaultText(const CString& text) { m_strDefaultText = text; }
    // 1 centred, 2 right, anything else left.
    void SetAlign(int align) { m_nAlign = (align == 1 || align == 2) ? align : 0; }

    // Overridables
    void Paint(CDC* pDC) override;

protected:
    // Construction: statusInset moves the text 3 pixels right.
    explicit TXVFieldBase(bool statusInset) : m_bStatusInset(statusInset) {}
    ~TXVFieldBase() override = default;
    void StoreText(const CString& text);

private:
    bool m_bStatusInset;
    CString m_strText;
    CString m_strDefaultText;
    CFont m_font;
    COLORREF m_clrBack = 0;
    COLORREF m_clrText = 0;
    bool m_bBackUnset = true;
    bool m_bTextUnset = true;
    COLORREF m_clrBorder = 0;
    bool m_bBorder = false;
    CBitmap m_bmpBackground;
    bool m_bTransparent = false;
    int m_nAlign = 0;
};
