// CFontPreviewCombo: an owner-drawn, variable-height drop-down list of the
// installed fonts, each name drawn in its own font, with a mark before the
// TrueType faces. The combo box comes from a dialog template (or Create)
// with CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS | CBS_SORT
// and a vertical scroll bar.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/ui/CComboBox.h"
#include "framework/ui/CImageList.h"

class CFontPreviewCombo : public CComboBox
{
public:
    // Item drawing styles.
    enum PreviewStyle
    {
        NAME_ONLY = 0,          // the name in its own font
        NAME_GUI_FONT = 1,      // the name in the combo's font
        NAME_THEN_SAMPLE = 2,   // the name, then the sample text in the item's font
        SAMPLE_THEN_NAME = 3,   // the sample text, then the name
        SAMPLE_ONLY = 4,        // the sample text only
    };

    // Construction
    CFontPreviewCombo();
    ~CFontPreviewCombo() override;

    // Attributes
    void SetPreviewStyle(int style) { m_style = style; }
    int GetPreviewStyle() const { return m_style; }
    void SetSampleText(const CString& text) { m_strSample = text; }
    void SetSampleColour(COLORREF colour) { m_clrSample = colour; }
    void SetFontHeight(int height) { m_iFontHeight = height; }
    int GetWidestName() const { return m_iMaxNameWidth; }
    int GetWidestSample() const { return m_iMaxSampleWidth; }

    // Operations
    // Lists the screen's fonts (face name, font type as item data) and
    // selects the first.
    void FillFontList();

    // Overridables
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnDropDown();   // ON_CONTROL_REFLECT_EX(CBN_DROPDOWN)

private:
    HFONT MakeItemFont(const CString& face) const;
    static int CALLBACK EnumFontProc(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD fontType, LPARAM lParam);

    // Data
    CString m_strSample;
    COLORREF m_clrSample;
    int m_style;
    int m_iFontHeight;
    CImageList m_images;
    int m_iMaxNameWidth;
    int m_iMaxSampleWidth;
};
