// CGradientFill turns a list of colours into bands of solid colour and
// paints them in one of four directions; CGradientProgress adds a range, a
// position and the bar's geometry (used by the progress bar window).
#pragma once

#include <windows.h>

#include <vector>

#include "framework/ui/CDC.h"
#include "framework/ui/CGdiObject.h"
#include "widgets/progress/GradientBands.h"

class CGradientFill
{
public:
    // Construction
    CGradientFill() = default;
    virtual ~CGradientFill() = default;

    // Attributes
    // count colours (at least two) in order; each segment between two
    // neighbours takes an equal share of the length. FALSE, and nothing
    // changed, for fewer than two.
    BOOL SetColours(int count, COLORREF first, ...);
    BOOL SetColourList(const std::vector<COLORREF>& colours);
    const std::vector<COLORREF>& GetColours() const { return m_colours; }
    const std::vector<double>& GetStopWidths() const { return m_stopWidths; }
    // 0 left to right, 1 right to left, 2 top to bottom, 3 bottom to top.
    void SetDirection(int direction) { m_direction = direction; }
    int GetDirection() const { return m_direction; }

    // Overridables
    // Paints the bands that lie between start and end (pixels along the
    // direction from the rectangle's leading edge; end -1: the whole length).
    virtual void Paint(CDC* pDC, const RECT& rect, int start = 0, int end = -1);
    virtual void BuildBands(std::vector<GradientBand>& bands, int length, int start, int end, UINT maxColours);
    virtual void SegmentBands(std::vector<GradientBand>& bands, COLORREF a, COLORREF b, int length, int start,
                              int end, UINT limit);

    // Implementation
    RECT BandRect(const RECT& rect, int a, int z) const;

protected:
    // Data
    std::vector<COLORREF> m_colours;
    std::vector<double> m_stopWidths;
    int m_direction = 0;
};

// Style bits of a gradient progress bar.
constexpr DWORD kGradientVertical = 0x0004; // PBS_VERTICAL
constexpr DWORD kGradientReversed = 0x4000;

class CGradientProgress : public CGradientFill
{
public:
    // Construction
    CGradientProgress();

    // Attributes
    virtual DWORD GetStyle() const { return m_dwStyle; }
    virtual void ModifyStyle(DWORD remove, DWORD add) { m_dwStyle = (m_dwStyle & ~remove) | add; }
    void SetRange(int a, int b);
    void GetRange(int& minimum, int& maximum) const { minimum = m_nMin; maximum = m_nMax; }
    int GetPos() const { return m_nPos; }
    int SetPos(int position);       // returns the previous position
    int OffsetPos(int delta);
    int StepIt() { return OffsetPos(m_nStep); }
    int SetStep(int step);
    int GetStep() const { return m_nStep; }
    void SetBkColour(COLORREF colour) { m_clrBk = colour; }
    COLORREF GetBkColour() const { return m_clrBk; }
    // A brush (not owned) that fills the bar instead of the gradient.
    void SetBarBrush(CBrush* pBrush) { m_pBarBrush = pBrush; }

    // Overridables
    virtual BOOL OnPosChanging(int oldPosition, int newPosition);
    virtual void OnPosChanged(int newPosition);

    // Operations
    // The whole bar over rect: background, then the bar.
    void PaintBar(CDC* pDC, const RECT& rect);

protected:
    // Data
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
    int m_nStep = 10;
    COLORREF m_clrBk;
    CBrush* m_pBarBrush = nullptr;
    DWORD m_dwStyle = 0;
};
