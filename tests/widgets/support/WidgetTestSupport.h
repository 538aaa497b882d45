// Helpers of the control tests: a 32-bit DIB section to draw controls
// into and read at pixels, captures of painted windows, bitmaps and BMP
// files made at test time, and a parent window that records what its
// controls tell it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestBitmaps.h"
#include "framework/ui/AfxWin.h"

namespace widget_test {

// A width x height 32-bit top-down DIB section selected into a memory DC.
class DibSurface
{
public:
    DibSurface(int width, int height, COLORREF fill = RGB(0, 0, 0));
    ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    HDC Dc() const { return m_dc; }
    CDC* Cdc() const { return CDC::FromHandle(m_dc); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;
    // The pixels of the rectangle that have the colour.
    int Count(const RECT& r, COLORREF colour) const;

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};

// The window's client area drawn into a surface by WM_PRINTCLIENT (the
// controls' own paint function, without the screen).
void PrintClient(HWND window, DibSurface& surface);

// The window's client area as painted on the screen (after a synchronous
// repaint), read through a surface of its size.
class WindowShot
{
public:
    explicit WindowShot(HWND window);
    COLORREF At(int x, int y) const { return m_surface->At(x, y); }
    int Count(const RECT& r, COLORREF colour) const { return m_surface->Count(r, colour); }
    int Width() const { return m_surface->Width(); }
    int Height() const { return m_surface->Height(); }

private:
    std::unique_ptr<DibSurface> m_surface;
};

// One message a parent received.
struct Received
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT notifyCode; // WM_NOTIFY: the code; WM_COMMAND: the notification code
    DWORD tick;
};

// A visible top-level window that records the messages its children
// send or post (WM_USER and above, WM_COMMAND, WM_NOTIFY, the mouse
// buttons) and answers WM_NOTIFY codes as told.
class RecordingParent : public CWnd
{
public:
    bool Make(int x, int y, int width, int height);
    std::vector<Received> received;
    // The answer to WM_NOTIFY with that code (default 0).
    void AnswerNotify(UINT code, LRESULT answer) { m_notifyCode = code; m_notifyAnswer = answer; }
    std::vector<Received> Of(UINT message) const;
    void Clear() { received.clear(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    UINT m_notifyCode = 0;
    LRESULT m_notifyAnswer = 0;
};

// Dispatches this thread's messages for a while.
void PumpFor(unsigned long milliseconds);

// Puts the system's cursor at a client point of the window and dispatches
// the mouse move the system makes of it, before a test sends its own mouse
// messages for that point: the system's made-up moves then agree with
// them and come first.
void PutCursorAt(HWND window, int x, int y);

} // namespace widget_test
