// The scope control in a real window: the plot's margin, level lines and
// their scrolling, the waveform strip and the window of it shown, clearing
// by the setters, and values appended from another thread while painting.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/ui/AfxWin.h"
#include "widgets/scope/ScopeCtrl.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// The control's client area as painted, read through a 32-bit DIB.
class Capture
{
public:
    explicit Capture(CScopeCtrl& scope)
    {
        HWND window = scope.GetSafeHwnd();
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT r;
        ::GetClientRect(window, &r);
        m_width = r.right;
        m_height = r.bottom;
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = m_width;
        bi.bmiHeader.biHeight = -m_height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC screen = ::GetDC(window);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, dib);
        BitBlt(mem, 0, 0, m_width, m_height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        m_pixels.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + m_width * m_height);
        SelectObject(mem, old);
        DeleteObject(dib);
        DeleteDC(mem);
        ::ReleaseDC(window, screen);
    }
    COLORREF At(int x, int y) const
    {
        const uint32_t p = m_pixels[static_cast<size_t>(y * m_width + x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // The rows of column x that have the colour.
    std::vector<int> Rows(int x, COLORREF color) const
    {
        std::vector<int> rows;
        for (int y = 0; y < m_height; ++y)
            if (At(x, y) == color)
                rows.push_back(y);
        return rows;
    }

private:
    int m_width = 0, m_height = 0;
    std::vector<uint32_t> m_pixels;
};

class ScopeCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, "STATIC", "scope host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                      nullptr));
    }
    void TearDown() override
    {
        m_scope.DestroyWindow();
        m_parent.DestroyWindow();
        CScopeCtrl::SetCenterLineOption(false);
    }
    void Make(int width, int height)
    {
        ASSERT_TRUE(m_scope.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), &m_parent, 1001));
    }

    CWnd m_parent;
    CScopeCtrl m_scope;
};

} // namespace

TEST_F(ScopeCtrlTest, ThePlotStartsAfterTheMarginOfItsRange)
{
    Make(200, 100);
    EXPECT_EQ(4, m_scope.GetPlotLeft()) << "-10..10 with 3 decimals";
    m_scope.SetRange(0, 100, 0);
    EXPECT_EQ(2, m_scope.GetPlotLeft());
    EXPECT_EQ(200, m_scope.GetClientWidth());
}

TEST_F(ScopeCtrlTest, LevelLinesAreDrawnNearTheRightEdgeAndScrollLeft)
{
    Make(200, 100);
    m_scope.SetRange(0, 100, 0);
    EXPECT_EQ(0.0, m_scope.AppendValue(21.74));
    {
        const Capture shot(m_scope);
        const std::vector<int> rows = shot.Rows(197, kWhite);
        ASSERT_EQ(50u, rows.size());
        EXPECT_EQ(26, rows.front());
        EXPECT_EQ(75, rows.back());
        EXPECT_TRUE(shot.Rows(198, kWhite).empty());
    }
    EXPECT_DOUBLE_EQ(21.74, m_scope.AppendValue(0)) << "returns the value before";
    {
        const Capture shot(m_scope);
        EXPECT_TRUE(shot.Rows(197, kWhite).empty()) << "a value of 0 draws nothing";
        // The old line moved one pixel left (its top row stays with the plot's top + 1 rule).
        EXPECT_EQ(50u, shot.Rows(196, kWhite).size());
    }
}

TEST_F(ScopeCtrlTest, ColoursAndTheRangeClearThePlot)
{
    Make(200, 100);
    m_scope.SetRange(0, 100, 0);
    m_scope.AppendValue(43.48);
    EXPECT_FALSE(Capture(m_scope).Rows(197, kWhite).empty());
    m_scope.SetBackgroundColor(RGB(0, 0, 128));
    const Capture shot(m_scope);
    EXPECT_TRUE(shot.Rows(197, kWhite).empty());
    EXPECT_EQ(RGB(0, 0, 128), shot.At(10, 10));
    m_scope.SetPlotColor(RGB(0, 255, 0));
    m_scope.AppendValue(43.48);
    EXPECT_EQ(99u, Capture(m_scope).Rows(197, RGB(0, 255, 0)).size()) << "a full line, its top pixel cleared";
    m_scope.SetRange(0, 50, 0);
    EXPECT_TRUE(Capture(m_scope).Rows(197, RGB(0, 255, 0)).empty());
}

TEST_F(ScopeCtrlTest, TheWaveformStripIsShownAroundTheChosenColumn)
{
    Make(200, 100);
    ASSERT_TRUE(m_scope.CreateWaveStrip(500));
    EXPECT_EQ(502, m_scope.GetStripWidth());
    // Column x of the strip is (x % 50) * 2 percent high.
    for (int expected = 1; expected <= 500; ++expected)
        ASSERT_EQ(expected, m_scope.AppendWaveColumn((expected % 50) * 2));
    m_scope.CopyWaveStrip();
    m_scope.ShowWaveStripAt(300);
    const Capture shot(m_scope);
    for (int c = 0; c < 200; c += 7) {
        const int column = 200 + c; // strip pixels 200..399
        const int percent = (column % 50) * 2;
        const int lit = static_cast<int>(shot.Rows(c, kWhite).size());
        EXPECT_NEAR(percent, lit, 1) << "control column " << c << " shows strip column " << column;
    }
    // From column 0 the left half lies before the strip: background.
    m_scope.ShowWaveStripAt(0);
    const Capture start(m_scope);
    EXPECT_TRUE(start.Rows(50, kWhite).empty());
    EXPECT_EQ(kBlack, start.At(50, 50));
    EXPECT_EQ(static_cast<size_t>(2 * 2), start.Rows(102, kWhite).size()) << "strip column 2 at the centre + 2";
}

TEST_F(ScopeCtrlTest, WithoutAStripNothingIsDrawn)
{
    Make(200, 100);
    EXPECT_EQ(40, m_scope.AppendWaveColumn(40));
    m_scope.CopyWaveStrip();
    m_scope.ShowWaveStripAt(10);
    EXPECT_TRUE(Capture(m_scope).Rows(100, kWhite).empty());
}

TEST_F(ScopeCtrlTest, TheCentreLineFollowsTheMainWindowsOption)
{
    Make(200, 100);
    m_scope.SetCenterLineColor(RGB(255, 0, 0));
    EXPECT_TRUE(Capture(m_scope).Rows(100, RGB(255, 0, 0)).empty());
    CScopeCtrl::SetCenterLineOption(true);
    EXPECT_EQ(100u, Capture(m_scope).Rows(100, RGB(255, 0, 0)).size());
}

TEST_F(ScopeCtrlTest, ValuesFromAFeedbackThreadWhileTheWindowPaints)
{
    Make(200, 100);
    m_scope.SetRange(0, 100, 0);
    std::atomic<bool> done{false};
    std::thread feedback([&] {
        for (int i = 0; i < 5000; ++i)
            m_scope.AppendValue(i % 44);
        done = true;
    });
    while (!done) {
        ::RedrawWindow(m_scope.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    feedback.join();
    // The last value (4999 % 44 = 27) is the newest column.
    const Capture shot(m_scope);
    EXPECT_EQ(static_cast<size_t>(62), shot.Rows(197, kWhite).size());
}
