// CScopeCtrl: the deck display of the main window. A black panel that
// either scrolls a history of the deck's level from right to left, one
// vertical line per value, or shows a window of the track's waveform strip
// centred on a chosen column. Both draw into one plot bitmap (the last
// writer wins); a paint copies it to the window.
//
// AppendValue comes from a player's feedback thread while painting, the
// setters and the waveform operations run on the user-interface thread:
// one lock guards the plot and the strip.
#pragma once

#include <windows.h>

#include <mutex>

#include "framework/core/CString.h"
#include "framework/ui/CWnd.h"

class CScopeCtrl : public CWnd
{
public:
    // Construction
    CScopeCtrl();
    ~CScopeCtrl() override;
    // Registers the window class once per process and creates the control.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Attributes (each setter clears the plot)
    void SetRange(double lower, double upper, int decimals);
    void SetBackgroundColor(COLORREF color);
    void SetPlotColor(COLORREF color);
    void SetGridColor(COLORREF color);
    void SetXUnits(const CString& text);
    void SetYUnits(const CString& text);
    void SetCenterLineColor(COLORREF color);
    void SetVideoShown(BOOL shown) { m_videoShown = shown; }
    BOOL IsVideoShown() const { return m_videoShown; }
    int GetClientWidth() const { return m_clientWidth; }
    int GetPlotLeft() const { return m_plotRect.left; }
    // The width of the waveform strip being built (0 when there is none).
    int GetStripWidth() const { return m_stripRect.right - m_stripRect.left; }
    // The main window's option: a vertical centre line on every scope.
    static void SetCenterLineOption(bool on);

    // Operations
    // Clears the plot (makes it at the first call).
    void RebuildBackground();
    void Reset() { RebuildBackground(); }
    // Scrolls the level history one column and draws the value; returns
    // the value appended before it (0 at first). Callable from any thread.
    double AppendValue(double value);
    // The waveform strip: a bitmap width + 2 wide, built column by column.
    BOOL CreateWaveStrip(int width);
    // Draws the next column at percent of the height; its x (without a
    // strip: nothing is drawn and percent is returned).
    int AppendWaveColumn(int percent);
    // Makes the display copy of the finished strip.
    void CopyWaveStrip();
    // Shows the display copy with column x at the control's centre.
    void ShowWaveStripAt(int x, int unused = 100);

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();                         // ON_WM_PAINT
    void OnSize(UINT nType, int cx, int cy); // ON_WM_SIZE

private:
    void RebuildLocked();
    // A new solid pen of that colour in place of *pen; clears the plot.
    void ReplacePen(HPEN* pen, COLORREF* stored, int width, COLORREF color);
    void FreeStrip();

    // Data
    double m_lower = -10.0, m_upper = 10.0, m_range = 20.0;
    int m_decimals = 3;
    double m_pixelsPerUnit = 1.0;
    COLORREF m_backColor = RGB(0, 0, 0);
    COLORREF m_plotColor = RGB(255, 255, 255);
    COLORREF m_gridColor = RGB(0, 255, 255);
    COLORREF m_centerColor = RGB(255, 255, 255);
    HBRUSH m_backBrush = nullptr;
    HPEN m_plotPen = nullptr;
    HPEN m_centerPen = nullptr;
    CString m_xUnits = "Samples", m_yUnits = "Y units";
    double m_current = 0.0, m_previous = 0.0;
    RECT m_clientRect = {0, 0, 0, 0};
    int m_clientWidth = 0, m_clientHeight = 0;
    RECT m_plotRect = {0, 0, 0, 0};
    int m_plotWidth = 0, m_plotHeight = 0;
    HDC m_plotDC = nullptr;
    HBITMAP m_plotBitmap = nullptr;
    HGDIOBJ m_plotOldBitmap = nullptr;
    HDC m_stripDC = nullptr;
    HBITMAP m_stripBitmap = nullptr;
    HGDIOBJ m_stripOldBitmap = nullptr;
    RECT m_stripRect = {0, 0, 0, 0};
    double m_stripX = 0;
    HBITMAP m_display = nullptr;
    BOOL m_videoShown = FALSE;
    std::mutex m_lock;
};
