#include "widgets/progress/GradientFill.h"

#include <cstdarg>

// --- CGradientFill -------------------------------------------------------------------

BOOL CGradientFill::SetColours(int count, COLORREF first, ...)
{
    if (count < 2)
        return FALSE;
    std::vector<COLORREF> colours;
    colours.push_back(first);
    va_list args;
    va_start(args, first);
    for (int i = 1; i < count; ++i)
        colours.push_back(va_arg(args, COLORREF));
    va_end(args);
    return SetColourList(colours);
}

BOOL CGradientFill::SetColourList(const std::vector<COLORREF>& colours)
{
    if (colours.size() < 2)
        return FALSE;
    m_colours = colours;
    m_stopWidths.assign(colours.size() - 1, 100.0 / static_cast<double>(colours.size() - 1));
    return TRUE;
}

RECT CGradientFill::BandRect(const RECT& rect, int a, int z) const
{
    const GradientRect r = GradientBandRect(GradientRect{rect.left, rect.top, rect.right, rect.bottom}, m_direction, a, z);
    return RECT{r.left, r.top, r.right, r.bottom};
}

void CGradientFill::BuildBands(std::vector<GradientBand>& bands, int length, int start, int end, UINT maxColours)
{
    std::vector<uint32_t> colours(m_colours.begin(), m_colours.end());
    bands = GradientBuildBands(colours, m_stopWidths, length, start, end, maxColours);
}

void CGradientFill::SegmentBands(std::vector<GradientBand>& bands, COLORREF a, COLORREF b, int length, int start,
                                 int end, UINT limit)
{
    GradientSegmentBands(bands, a, b, length, start, end, limit);
}

void CGradientFill::Paint(CDC* pDC, const RECT& rect, int start, int end)
{
    if (m_colours.empty() || !pDC)
        return;
    const bool palette = (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    const bool gradients = palette || pDC->GetDeviceCaps(PLANES) * pDC->GetDeviceCaps(BITSPIXEL) >= 8;
    if (!gradients) {
        const RECT band = BandRect(rect, start, end);
        pDC->FillSolidRect(&band, m_colours[0]);
        return;
    }
    const int length = m_direction >= 2 ? rect.bottom - rect.top : rect.right - rect.left;
    if (end == -1)
        end = length;
    std::vector<GradientBand> bands;
    BuildBands(bands, length, start, end, palette ? 236u : kGradientNoLimit);
    int at = start;
    for (const GradientBand& band : bands) {
        const RECT r = BandRect(rect, at, at + band.width);
        if (palette) {
            HBRUSH brush = ::CreateSolidBrush(band.colour);
            ::FillRect(pDC->GetSafeHdc(), &r, brush);
            ::DeleteObject(brush);
        } else {
            pDC->FillSolidRect(&r, band.colour);
        }
        at += band.width;
    }
}

// --- CGradientProgress -----------------------------------------------------------------

CGradientProgress::CGradientProgress() : m_clrBk(::GetSysColor(COLOR_BTNFACE))
{
    BOOL gradientCaptions = FALSE;
    ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradientCaptions, 0);
    const COLORREF first = ::GetSysColor(COLOR_ACTIVECAPTION);
    SetColours(2, first, gradientCaptions ? ::GetSysColor(COLOR_GRADIENTACTIVECAPTION) : first);
}

BOOL CGradientProgress::OnPosChanging(int, int)
{
    return TRUE;
}

void CGradientProgress::OnPosChanged(int) {}

void CGradientProgress::SetRange(int a, int b)
{
    m_nMin = a < b ? a : b;
    m_nMax = a < b ? b : a;
    SetPos(m_nPos);
}

int CGradientProgress::SetPos(int position)
{
    const int previous = m_nPos;
    if (position > m_nMax)
        position = m_nMax;
    if (position < m_nMin)
        position = m_nMin;
    if (position != m_nPos && OnPosChanging(m_nPos, position)) {
        m_nPos = position;
        OnPosChanged(position);
    }
    return previous;
}

int CGradientProgress::OffsetPos(int delta)
{
    return SetPos(m_nPos + delta);
}

int CGradientProgress::SetStep(int step)
{
    const int previous = m_nStep;
    m_nStep = step;
    return previous;
}

void CGradientProgress::PaintBar(CDC* pDC, const RECT& rect)
{
    pDC->FillSolidRect(&rect, m_clrBk);
    const DWORD style = GetStyle();
    const bool vertical = (style & kGradientVertical) != 0;
    const bool reversed = (style & kGradientReversed) != 0;
    const int length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    const int bar = GradientBarLength(length, m_nPos, m_nMin, m_nMax);
    if (bar <= 0)
        return;
    m_direction = vertical ? (reversed ? 2 : 3) : (reversed ? 1 : 0);
    if (m_pBarBrush && m_pBarBrush->GetSafeHandle()) {
        const RECT r = BandRect(rect, 0, bar);
        ::FillRect(pDC->GetSafeHdc(), &r, *m_pBarBrush);
        return;
    }
    Paint(pDC, rect, 0, bar);
}
