// Meters and sliders at the feedback rate: eight needle meters and eight
// bitmap sliders get a new value 100 times a second (the player's default
// MAIN/FeedbackRate), as the main window updates its deck levels. The
// off-screen composition (each control's paint function into its
// off-screen surface) and the final copy of each picture to its window
// (what Wine's window surface costs) are timed apart and printed as a
// share of one core.
//
// Usage: widgets_bench [UPDATES] [RATE]   (default 2000 updates at 100 a second)
#include "BenchClock.h"
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/AfxWin.h"
#include "tests/widgets/support/TestBitmaps.h"
#include "widgets/meter/NeedleMeterCtrl.h"
#include "widgets/slider/BitmapSlider.h"

using widget_test::MakeBitmap;
using widget_test::SaveBmp;

namespace {

using bench::Now;

COLORREF MeterFace(int x, int y)
{
    return RGB(20 + x / 4, 24 + y / 3, 30);
}
COLORREF Channel(int x, int y)
{
    return RGB(40, 40 + (x + y) % 40, 50);
}
COLORREF Thumb(int x, int y)
{
    return (x < 2 && y < 2) ? RGB(255, 0, 255) : RGB(200, 200, 210 - y * 3);
}

// One control's off-screen surface, as a paint makes it.
struct Surface
{
    CDC cdc; // the surface as the control's paint function takes it
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void Make(HWND window, int width, int height)
    {
        HDC target = GetDC(window);
        dc = CreateCompatibleDC(target);
        bitmap = CreateCompatibleBitmap(target, width, height);
        old = SelectObject(dc, bitmap);
        ReleaseDC(window, target);
        cdc.Attach(dc);
    }
    ~Surface()
    {
        cdc.Detach();
        if (dc) {
            SelectObject(dc, old);
            DeleteObject(bitmap);
            DeleteDC(dc);
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    const int updates = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int rate = argc > 2 ? std::atoi(argv[2]) : 100;
    const int kMeters = 8, kSliders = 8;
    const int meterW = 160, meterH = 80, sliderW = 200, sliderH = 20, thumbW = 20;

    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    const std::string stem = std::string(temp) + "widgets_bench_" + std::to_string(GetCurrentProcessId());
    const std::string facePath = stem + "_face.bmp";
    const std::string thumbPath = stem + "_thumb.bmp";
    HBITMAP face = MakeBitmap(meterW, meterH, MeterFace);
    HBITMAP thumb = MakeBitmap(thumbW, sliderH, Thumb);
    if (!SaveBmp(facePath, face) || !SaveBmp(thumbPath, thumb)) {
        std::fprintf(stderr, "widgets_bench: cannot write the bitmaps in %s\n", temp);
        return 1;
    }
    DeleteObject(face);
    DeleteObject(thumb);

    CWnd host;
    host.CreateEx(0, CWnd::GetDefaultClassName(), "widgets bench", WS_POPUP | WS_VISIBLE, 0, 0, 900, 500, nullptr,
                  nullptr);
    std::vector<std::unique_ptr<CNeedleMeterCtrl>> meters;
    std::vector<std::unique_ptr<CBitmapSlider>> sliders;
    for (int i = 0; i < kMeters; ++i) {
        meters.push_back(std::make_unique<CNeedleMeterCtrl>());
        CNeedleMeterCtrl& m = *meters.back();
        m.Create("", WS_CHILD | WS_VISIBLE, CRect((i % 4) * 170, (i / 4) * 90, (i % 4) * 170 + meterW,
                                                  (i / 4) * 90 + meterH),
                 &host, 100 + static_cast<UINT>(i));
        if (!m.LoadBackgroundBitmap(facePath.c_str())) {
            std::fprintf(stderr, "widgets_bench: cannot load %s\n", facePath.c_str());
            return 1;
        }
        m.SetRange(0, 100);
        m.SetDecimals(0);
        m.SetNeedleColor(RGB(255, 40, 40));
    }
    for (int i = 0; i < kSliders; ++i) {
        sliders.push_back(std::make_unique<CBitmapSlider>());
        CBitmapSlider& s = *sliders.back();
        s.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10 + (i % 4) * 210, 200 + (i / 4) * 30, 50, 50), &host,
                 200 + static_cast<UINT>(i));
        CBitmap channel;
        channel.Attach(MakeBitmap(sliderW, sliderH, Channel));
        s.SetChannelBitmap(&channel);
        if (!s.LoadThumbBitmaps(thumbPath.c_str(), 0, TRUE, 0xFF000000, 0, 0)) {
            std::fprintf(stderr, "widgets_bench: cannot load %s\n", thumbPath.c_str());
            return 1;
        }
        s.SetRange(0, 100);
        s.EnableFocusRect(FALSE, FALSE);
    }
    std::vector<Surface> meterSurfaces(kMeters), sliderSurfaces(kSliders);
    for (int i = 0; i < kMeters; ++i)
        meterSurfaces[i].Make(meters[i]->GetSafeHwnd(), meterW, meterH);
    for (int i = 0; i < kSliders; ++i)
        sliderSurfaces[i].Make(sliders[i]->GetSafeHwnd(), sliderW, sliderH);

    // Warm up: every face built, every window shown once.
    for (auto& m : meters)
        m->UpdateWindow();
    for (auto& s : sliders)
        s->UpdateWindow();

    double offscreen = 0, meterTime = 0, copies = 0, wholePaint = 0;
    for (int u = 0; u < updates; ++u) {
        const double phase = u * 0.07;
        for (int i = 0; i < kMeters; ++i)
            meters[i]->SetValue(50 + 50 * std::sin(phase + i));
        for (int i = 0; i < kSliders; ++i)
            sliders[i]->SetPos(static_cast<int>(50 + 50 * std::cos(phase + i)));
        // The off-screen composition of every control.
        double t0 = Now();
        for (int i = 0; i < kMeters; ++i)
            meters[i]->Paint(&meterSurfaces[i].cdc);
        meterTime += Now() - t0;
        for (int i = 0; i < kSliders; ++i)
            sliders[i]->Paint(&sliderSurfaces[i].cdc);
        double t1 = Now();
        offscreen += t1 - t0;
        // The one copy of each picture to its window.
        for (int i = 0; i < kMeters; ++i) {
            HDC target = GetDC(meters[i]->GetSafeHwnd());
            BitBlt(target, 0, 0, meterW, meterH, meterSurfaces[i].dc, 0, 0, SRCCOPY);
            ReleaseDC(meters[i]->GetSafeHwnd(), target);
        }
        for (int i = 0; i < kSliders; ++i) {
            HDC target = GetDC(sliders[i]->GetSafeHwnd());
            BitBlt(target, 0, 0, sliderW, sliderH, sliderSurfaces[i].dc, 0, 0, SRCCOPY);
            ReleaseDC(sliders[i]->GetSafeHwnd(), target);
        }
        double t2 = Now();
        copies += t2 - t1;
        // For reference: the whole paint as the window gets it (begin
        // paint, off-screen surface, composition, copy, end paint).
        for (auto& m : meters)
            m->UpdateWindow();
        for (auto& s : sliders)
            s->UpdateWindow();
        wholePaint += Now() - t2;
        CWnd::DeleteTempMap();
        CGdiObject::DeleteTempMap();
        CDC::DeleteTempMap();
    }
    const double seconds = static_cast<double>(updates) / rate; // of feedback time
    std::printf("widgets_bench: %d meters and %d sliders, %d updates at %d a second (%.1f s of feedback)\n",
                kMeters, kSliders, updates, rate, seconds);
    std::printf("  off-screen drawing: %.3f ms per update, %.2f %% of one core (goal: under 3 %%)\n",
                1000.0 * offscreen / updates, 100.0 * offscreen / seconds);
    std::printf("    of which the meters %.3f ms, the sliders %.3f ms per update\n", 1000.0 * meterTime / updates,
                1000.0 * (offscreen - meterTime) / updates);
    std::printf("  final copy to the windows (Wine): %.3f ms per update, %.2f %% of one core\n",
                1000.0 * copies / updates, 100.0 * copies / seconds);
    std::printf("  whole WM_PAINT path, for reference: %.3f ms per update, %.2f %% of one core\n",
                1000.0 * wholePaint / updates, 100.0 * wholePaint / seconds);
    DeleteFileA(facePath.c_str());
    DeleteFileA(thumbPath.c_str());
    return 0;
}
