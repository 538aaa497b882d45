#include "widgets/fontcombo/FontPreviewCombo.h"

#include <algorithm>

#include "framework/ui/CDC.h"
#include "framework/ui/MessageMap.h"
#include "widgets/res/WidgetIds.h"

BEGIN_MESSAGE_MAP(CFontPreviewCombo, CComboBox)
    ON_CONTROL_REFLECT_EX(CBN_DROPDOWN, &CFontPreviewCombo::OnDropDown)
END_MESSAGE_MAP()

namespace {

const int kMarkWidth = 15;
const int kTextInset = 10;
const int kColumnGap = 20;

} // namespace

CFontPreviewCombo::CFontPreviewCombo()
    : m_strSample("abcdeABCDE"), m_clrSample(0x00003C), m_style(NAME_ONLY), m_iFontHeight(16), m_iMaxNameWidth(0),
      m_iMaxSampleWidth(0)
{
}

CFontPreviewCombo::~CFontPreviewCombo()
{
    m_images.DeleteImageList();
}

int CALLBACK CFontPreviewCombo::EnumFontProc(const LOGFONTA* lf, const TEXTMETRICA*, DWORD fontType, LPARAM lParam)
{
    CFontPreviewCombo* combo = reinterpret_cast<CFontPreviewCombo*>(lParam);
    // One entry per face: a face is enumerated once per character set on
    // some systems.
    if (combo->FindStringExact(-1, lf->lfFaceName) != CB_ERR)
        return 1;
    const int index = combo->AddString(lf->lfFaceName);
    if (index >= 0)
        combo->SetItemData(index, fontType);
    return 1;
}

void CFontPreviewCombo::FillFontList()
{
    if (!m_images.m_hImageList)
        m_images.Create(IDB_FONTTYPE_MARKS, kMarkWidth, 1, RGB(255, 255, 255));
    CClientDC dc(this);
    ::EnumFontsA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(&CFontPreviewCombo::EnumFontProc),
                 reinterpret_cast<LPARAM>(this));
    SetCurSel(0);
}

HFONT CFontPreviewCombo::MakeItemFont(const CString& face) const
{
    return ::CreateFontA(m_iFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

void CFontPreviewCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (static_cast<int>(lpMeasureItemStruct->itemID) < 0)
        return;
    CString face;
    GetLBText(static_cast<int>(lpMeasureItemStruct->itemID), face);
    HFONT font = MakeItemFont(face);
    if (!font)
        return; // the item keeps the height the combo proposes
    LOGFONTA logical = {};
    ::GetObjectA(font, sizeof(logical), &logical);
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::abs(logical.lfHeight) + 4);
    if (m_style == NAME_THEN_SAMPLE || m_style == SAMPLE_THEN_NAME) {
        CClientDC dc(this);
        HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        m_iMaxNameWidth = std::max(m_iMaxNameWidth, static_cast<int>(dc.GetTextExtent(face).cx));
        ::SelectObject(dc, font);
        m_iMaxSampleWidth = std::max(m_iMaxSampleWidth, static_cast<int>(dc.GetTextExtent(m_strSample).cx));
        ::SelectObject(dc, old);
    } else {
        m_iMaxNameWidth = 0;
        m_iMaxSampleWidth = 0;
    }
    ::DeleteObject(font);
}

void CFontPreviewCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC)
        return;
    CRect rect(lpDrawItemStruct->rcItem);
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(&rect);
    if (static_cast<int>(lpDrawItemStruct->itemID) < 0)
        return;
    const int saved = pDC->SaveDC();
    COLORREF sample = m_clrSample;
    if (lpDrawItemStruct->itemState & ODS_SELECTED) {
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_HIGHLIGHT));
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        sample = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else {
        pDC->FillSolidRect(&rect, pDC->GetBkColor());
    }
    pDC->SetBkMode(TRANSPARENT);

    CRect text = rect;
    if (lpDrawItemStruct->itemData & TRUETYPE_FONTTYPE) {
        if (m_images.m_hImageList)
            ::ImageList_Draw(m_images.m_hImageList, 0, *pDC, rect.left + 5, rect.top + 4, ILD_TRANSPARENT);
        text.left += kMarkWidth;
    }
    CString face;
    GetLBText(static_cast<int>(lpDrawItemStruct->itemID), face);
    HFONT itemFont = nullptr;
    if (m_style != NAME_GUI_FONT) {
        itemFont = MakeItemFont(face);
        if (!itemFont) {
            pDC->RestoreDC(saved);
            return;
        }
    }
    HFONT guiFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX;
    const bool editPart = (lpDrawItemStruct->itemState & ODS_COMBOBOXEDIT) != 0;
    text.left += kTextInset;
    const COLORREF textColour = pDC->GetTextColor();
    auto drawIn = [&](HFONT font, const CString& s, COLORREF colour, CRect& r) {
        ::SelectObject(*pDC, font);
        pDC->SetTextColor(colour);
        pDC->DrawText(s, &r, format);
    };
    auto widthIn = [&](HFONT font, const CString& s) {
        ::SelectObject(*pDC, font);
        return static_cast<int>(pDC->GetTextExtent(s).cx);
    };
    // Two columns: the first text, then the second one a gap after the
    // first column (the widest first text, or in the edit part this one's).
    auto drawTwo = [&](HFONT firstFont, const CString& first, COLORREF firstColour, int widest, HFONT secondFont,
                       const CString& second, COLORREF secondColour) {
        const int column = editPart ? widthIn(firstFont, first) : widest;
        drawIn(firstFont, first, firstColour, text);
        CRect next = text;
        next.left += column + kColumnGap;
        drawIn(secondFont, second, secondColour, next);
    };
    switch (m_style) {
    case NAME_GUI_FONT: drawIn(guiFont, face, textColour, text); break;
    case NAME_THEN_SAMPLE:
        drawTwo(guiFont, face, textColour, m_iMaxNameWidth, itemFont, m_strSample, sample);
        break;
    case SAMPLE_THEN_NAME:
        drawTwo(itemFont, m_strSample, sample, m_iMaxSampleWidth, guiFont, face, textColour);
        break;
    case SAMPLE_ONLY: drawIn(itemFont, m_strSample, sample, text); break;
    default: drawIn(itemFont, face, textColour, text); break;
    }
    pDC->RestoreDC(saved);
    if (itemFont)
        ::DeleteObject(itemFont);
}

BOOL CFontPreviewCombo::OnDropDown()
{
    int width = ::GetSystemMetrics(SM_CXVSCROLL) + 15;
    switch (m_style) {
    case NAME_ONLY:
    case NAME_GUI_FONT: width += m_iMaxNameWidth; break;
    case NAME_THEN_SAMPLE:
    case SAMPLE_THEN_NAME: width += m_iMaxNameWidth + m_iMaxSampleWidth + kColumnGap; break;
    case SAMPLE_ONLY: width += m_iMaxSampleWidth; break;
    default: break;
    }
    SetDroppedWidth(static_cast<UINT>(width));
    return FALSE;
}
