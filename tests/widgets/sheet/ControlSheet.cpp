// The control sheet: one window with every control of the control library
// in a few states, for the screenshot (tools/widget-sheet.sh). The
// pictures the skin would give (meter face, slider channels and thumbs,
// button faces) are made here at run time.
//
// Usage: widgets_sheet [SECONDS]   (closes itself after SECONDS, default 60)
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestBitmaps.h"
#include "framework/ui/AfxWin.h"
#include "widgets/button/FlatButton.h"
#include "widgets/colourpicker/ColourPicker.h"
#include "widgets/fontcombo/FontPreviewCombo.h"
#include "widgets/header/FlatHeaderCtrl.h"
#include "widgets/meter/NeedleMeterCtrl.h"
#include "widgets/progress/GradientProgressCtrl.h"
#include "widgets/scope/ScopeCtrl.h"
#include "widgets/slider/BitmapSlider.h"

namespace {

const COLORREF kPanel = RGB(24, 26, 32);
const COLORREF kKey = RGB(255, 0, 255);
const double kPi = 3.14159265358979;

using widget_test::MakeBitmap;
using widget_test::SaveBmp;

// A meter face of 200 x 100: a dark dial with a scale on the arc the
// needle sweeps (centre 100, 94; radii 75 and 37), the last fifth red.
HBITMAP MakeMeterFace()
{
    HBITMAP face = MakeBitmap(200, 100, [](int x, int y) {
        const int shade = 34 + y / 6;
        return RGB(shade, shade + 2 + x / 40, shade + 10);
    });
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, face);
    const int cx = 100, cy = 94;
    for (int i = 0; i <= 20; ++i) {
        const double a = (120.0 - 3.0 * i) * kPi / 180.0;
        const int inner = i % 5 == 0 ? 62 : 67;
        HPEN pen = CreatePen(PS_SOLID, i % 5 == 0 ? 2 : 1, i >= 16 ? RGB(230, 60, 50) : RGB(220, 220, 200));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        MoveToEx(dc, cx + static_cast<int>(inner * std::cos(a)), cy - static_cast<int>(inner * std::sin(a)), nullptr);
        LineTo(dc, cx + static_cast<int>(74 * std::cos(a)), cy - static_cast<int>(74 * std::sin(a)));
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(220, 220, 200));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TextOutA(dc, 48, 8, "-20", 3);
    TextOutA(dc, 93, 2, "-6", 2);
    SetTextColor(dc, RGB(230, 60, 50));
    TextOutA(dc, 140, 8, "+3", 2);
    SetTextColor(dc, RGB(160, 160, 150));
    TextOutA(dc, 92, 60, "VU", 2);
    SelectObject(dc, oldFont);
    SelectObject(dc, old);
    DeleteDC(dc);
    return face;
}

COLORREF Groove(int length, bool vertical, int x, int y)
{
    const int across = vertical ? x : y;
    const int along = vertical ? y : x;
    const bool slot = across >= 8 && across <= 11;
    if (slot)
        return RGB(8, 8, 10);
    const int tick = along % (length / 10) == 0 && (across < 4 || across > 15);
    return tick ? RGB(110, 110, 120) : RGB(40 + across, 42 + across, 50 + across);
}

HBITMAP MakeThumb(bool vertical)
{
    const int w = vertical ? 20 : 12, h = vertical ? 12 : 20;
    return MakeBitmap(w, h, [=](int x, int y) {
        if ((x == 0 || x == w - 1) && (y == 0 || y == h - 1))
            return kKey; // rounded corners
        const int along = vertical ? y : x;
        const int mid = (vertical ? h : w) / 2;
        if (along == mid)
            return RGB(255, 120, 0);
        const int shade = 210 - 8 * std::abs(along - mid);
        return RGB(shade, shade, shade + 10);
    });
}

// A button face: a dark plate with a coloured symbol, key-coloured corners.
HBITMAP MakeButtonFace(COLORREF symbol, int kind)
{
    return MakeBitmap(72, 30, [=](int x, int y) {
        if ((x < 2 || x > 69) && (y < 2 || y > 27))
            return kKey;
        const int dx = x - 36, dy = y - 15;
        bool on = false;
        if (kind == 0) // play triangle
            on = dx >= -7 && dx <= 8 && std::abs(dy) <= (8 - dx) / 2 + 1 && dx <= 8;
        else if (kind == 1) // pause bars
            on = (std::abs(dx + 4) <= 2 || std::abs(dx - 4) <= 2) && std::abs(dy) <= 7;
        else // stop square
            on = std::abs(dx) <= 6 && std::abs(dy) <= 6;
        if (on)
            return symbol;
        const int shade = 70 - y;
        return RGB(shade, shade, shade + 8);
    });
}

class Sheet : public CWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CTLCOLORSTATIC) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(200, 205, 215));
            SetBkColor(dc, kPanel);
            return reinterpret_cast<LRESULT>(m_panel.GetSafeHandle());
        }
        if (message == WM_ERASEBKGND) {
            RECT r;
            ::GetClientRect(m_hWnd, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, m_panel);
            return TRUE;
        }
        if (message == WM_TIMER && wParam == 1) {
            PostQuitMessage(0);
            return 0;
        }
        if (message == WM_CLOSE) {
            PostQuitMessage(0);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

public:
    CBrush m_panel{kPanel};
};

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    Sheet sheet;
    sheet.CreateEx(0, CWnd::GetDefaultClassName(), "Tavrix controls (setting up)", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0,
                   1024, 740, nullptr, nullptr);
    HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    std::vector<std::unique_ptr<CStatic>> labels;
    auto label = [&](const char* text, int x, int y, int w = 300) {
        labels.push_back(std::make_unique<CStatic>());
        labels.back()->Create(text, WS_CHILD | WS_VISIBLE, CRect(x, y, x + w, y + 14), &sheet);
        labels.back()->SetFont(gui);
    };

    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    // Names of this run's own: sheets may run side by side.
    const std::string stem = std::string(temp) + "tavrix_sheet_" + std::to_string(GetCurrentProcessId());
    const std::string facePath = stem + "_face.bmp";
    const std::string thumbH = stem + "_thumb_h.bmp";
    const std::string thumbV = stem + "_thumb_v.bmp";
    for (const auto& [path, bitmap] : {std::make_pair(facePath, MakeMeterFace()),
                                       std::make_pair(thumbH, MakeThumb(false)),
                                       std::make_pair(thumbV, MakeThumb(true))}) {
        SaveBmp(path, bitmap);
        DeleteObject(bitmap);
    }

    // Needle meters (left and right of deck A).
    label("CNeedleMeterCtrl: deck A left 35, right 82, and 150 pinned at the end", 10, 8, 420);
    CNeedleMeterCtrl meters[3];
    const double values[3] = {35, 82, 150};
    const RECT meterPlaces[3] = {{10, 26, 210, 126}, {215, 26, 415, 126}, {420, 26, 620, 126}};
    for (int i = 0; i < 3; ++i) {
        meters[i].Create("", WS_CHILD | WS_VISIBLE, meterPlaces[i], &sheet, 100 + i);
        if (!meters[i].LoadBackgroundBitmap(facePath.c_str()))
            std::fprintf(stderr, "widgets_sheet: cannot load %s\n", facePath.c_str());
        meters[i].SetRange(0, 100);
        meters[i].SetDecimals(0);
        meters[i].SetNeedleColor(i == 2 ? RGB(80, 200, 255) : RGB(255, 50, 40));
        meters[i].SetValue(values[i]);
    }

    // Scopes: a level history and a waveform strip.
    label("CScopeCtrl: level history / waveform strip", 630, 8);
    CScopeCtrl level, wave;
    level.Create(WS_CHILD | WS_VISIBLE, CRect(630, 26, 815, 126), &sheet, 110);
    level.SetRange(0, 100, 0);
    level.SetPlotColor(RGB(90, 220, 120));
    for (int i = 0; i < 300; ++i)
        level.AppendValue(20 + 18 * std::sin(i * 0.11) + 8 * std::sin(i * 0.53));
    wave.Create(WS_CHILD | WS_VISIBLE, CRect(825, 26, 1010, 126), &sheet, 111);
    wave.SetRange(0, 100, 0);
    wave.SetPlotColor(RGB(255, 170, 40));
    wave.SetCenterLineColor(RGB(255, 255, 255));
    CScopeCtrl::SetCenterLineOption(true);
    wave.CreateWaveStrip(600);
    for (int i = 0; i < 600; ++i)
        wave.AppendWaveColumn(static_cast<int>(std::fabs(std::sin(i * 0.05)) * 70 + 10 * std::fabs(std::sin(i * 0.9))));
    wave.CopyWaveStrip();
    wave.ShowWaveStripAt(260);

    // Sliders.
    label("CBitmapSlider: horizontal 20 / 50 / 85, vertical 30 % / 75 %", 10, 140, 420);
    CBitmapSlider sliders[5];
    for (int i = 0; i < 5; ++i) {
        const bool vertical = i >= 3;
        const int w = vertical ? 20 : 220, h = vertical ? 140 : 20;
        const int x = vertical ? 260 + (i - 3) * 40 : 10, y = vertical ? 160 : 160 + i * 45;
        sliders[i].Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(x, y, x + 10, y + 10), &sheet, 120 + i);
        CBitmap channel;
        channel.Attach(MakeBitmap(w, h, [=](int px, int py) { return Groove(vertical ? h : w, vertical, px, py); }));
        sliders[i].SetChannelBitmap(&channel);
        sliders[i].LoadThumbBitmaps((vertical ? thumbV : thumbH).c_str(), 0, TRUE, 0xFF000000, 0, 0);
        sliders[i].m_bVertical = vertical;
        sliders[i].SetRange(0, 100);
        sliders[i].EnableFocusRect(FALSE, FALSE);
    }
    sliders[0].SetPos(20);
    sliders[1].SetPos(50);
    sliders[2].SetPos(85);
    sliders[3].SetPosPercent(30);
    sliders[4].SetPosPercent(75);

    // Gradient progress bars.
    label("CGradientProgressCtrl: 3 colours at 60 %, reversed 35 %, bar brush, vertical", 360, 140, 420);
    CGradientProgressCtrl bars[5];
    const struct
    {
        RECT r;
        DWORD style;
        int pos;
    } barSpecs[] = {{{360, 160, 700, 176}, 0, 60},
                    {{360, 190, 700, 206}, 0x4000, 35},
                    {{360, 220, 700, 236}, 0, 80},
                    {{720, 160, 736, 300}, PBS_VERTICAL, 70},
                    {{750, 160, 766, 300}, PBS_VERTICAL | 0x4000, 45}};
    CBitmap pattern;
    pattern.Attach(MakeBitmap(8, 8, [](int x, int) { return x < 6 ? RGB(60, 180, 255) : RGB(20, 40, 60); }));
    CBrush patternBrush;
    patternBrush.CreatePatternBrush(&pattern);
    for (int i = 0; i < 5; ++i) {
        bars[i].Create(WS_CHILD | WS_VISIBLE | barSpecs[i].style, barSpecs[i].r, &sheet, 130 + i);
        bars[i].SendMessage(PBM_SETBKCOLOR, 0, RGB(12, 12, 16));
        bars[i].SetColours(3, RGB(40, 200, 60), RGB(240, 220, 40), RGB(240, 40, 30));
        bars[i].SetRangeAndRedraw(0, 100);
        bars[i].SetPos(barSpecs[i].pos);
    }
    bars[2].SetBarBrush(&patternBrush);
    bars[1].SetColours(2, RGB(40, 80, 200), RGB(120, 220, 255));

    // Flat buttons.
    label("CFlatButton: kind 1 at rest and hovered, frames, top bar, edge, glass, disabled", 10, 320, 600);
    const struct
    {
        const char* caption;
        int image;            // -1 none, else the symbol
        COLORREF symbol;
        std::function<void(CFlatButton&)> set;
        bool hover;
        bool disabled;
    } buttons[] = {
        {"", 0, RGB(60, 230, 90), [](CFlatButton&) {}, false, false},
        {"", 0, RGB(60, 230, 90), [](CFlatButton&) {}, true, false},
        {"", 1, RGB(250, 200, 40), [](CFlatButton& b) { b.SetHoverRoundFrame(TRUE); }, true, false},
        {"", 2, RGB(240, 70, 60), [](CFlatButton& b) { b.SetHoverTopBar(TRUE); }, true, false},
        {"LOOP", -1, 0, [](CFlatButton& b) { b.SetHoverEdge(TRUE); b.SetTextColorHex("C8D0FF"); }, true, false},
        {"PLAY", -1, 0, [](CFlatButton& b) { b.SetHoverRedGlass(TRUE); b.SetTextColorHex("FF3030"); }, true, false},
        {"CUE", -1, 0, [](CFlatButton& b) { b.SetHoverBlueGlass(TRUE); }, true, false},
        {"SYNC", -1, 0, [](CFlatButton& b) { b.SetHoverOrangeGlass(TRUE); }, true, false},
        {"", 2, RGB(240, 70, 60), [](CFlatButton&) {}, false, true},
        {"MIX", -1, 0, [](CFlatButton& b) { b.SetTextColorHex("40FF80"); }, false, false},
    };
    // The skin background the main window keeps, which buttons copy from.
    CDC skinDC;
    CBitmap skinBitmap;
    skinDC.CreateCompatibleDC(nullptr);
    skinBitmap.Attach(MakeBitmap(1024, 740, [](int x, int y) {
        const int grain = ((x * 7 + y * 13) % 5);
        return RGB(24 + grain, 26 + grain, 32 + grain);
    }));
    HGDIOBJ oldSkin = SelectObject(skinDC, skinBitmap);
    CFlatButton::SetSkinDC(&skinDC);
    CFlatButton flat[10];
    for (int i = 0; i < 10; ++i) {
        const auto& spec = buttons[i];
        flat[i].Create(spec.caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10 + i * 84, 340, 82 + i * 84, 370),
                       &sheet, 27101 + i);
        flat[i].SetSkinBackground(TRUE);
        flat[i].SetPointFont("Tahoma", 90);
        if (spec.image >= 0)
            flat[i].SetBitmaps(MakeButtonFace(spec.symbol, spec.image), kKey,
                               i < 2 ? FLATBUTTON_DARKEN_FIRST : nullptr, 0);
        spec.set(flat[i]);
        flat[i].SetTooltipText("a-play", TRUE);
        if (spec.disabled)
            flat[i].EnableWindow(FALSE);
    }

    // Flat header.
    label("CFlatHeaderCtrl: skin colours, drop marker at 2", 10, 400);
    CFlatHeaderCtrl header;
    header.Create(WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_BUTTONS | HDS_DRAGDROP, CRect(10, 430, 610, 452), &sheet, 140);
    header.SetFont(gui);
    const char* columns[] = {"Title", "Artist", "Album", "BPM", "Length"};
    const int widths[] = {180, 140, 140, 60, 80};
    for (int i = 0; i < 5; ++i) {
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.fmt = (i >= 3 ? HDF_RIGHT : HDF_LEFT) | HDF_STRING;
        item.cxy = widths[i];
        item.pszText = const_cast<char*>(columns[i]);
        header.InsertItem(i, &item);
    }
    CFlatHeaderCtrl header2;
    header2.Create(WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_BUTTONS, CRect(10, 470, 610, 492), &sheet, 141);
    header2.SetFont(gui);
    header2.SetColours(RGB(30, 30, 36), RGB(255, 200, 60));
    header2.SetSortColumn(1, true);
    for (int i = 0; i < 5; ++i) {
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.fmt = HDF_LEFT | HDF_STRING;
        item.cxy = widths[i];
        item.pszText = const_cast<char*>(columns[i]);
        header2.InsertItem(i, &item);
    }
    label("... and in other colours with a sort arrow", 10, 455);

    // Colour pickers and the popup.
    label("CColourPicker, and its popup opened on orange, over Bright green", 640, 400, 380);
    CColourPicker pickers[3];
    const COLORREF pickerColours[3] = {0x2068FF, RGB(40, 200, 60), CLR_AUTOMATIC};
    for (int i = 0; i < 3; ++i) {
        pickers[i].Create(i == 2 ? "Auto" : "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                          CRect(640 + i * 110, 420, 740 + i * 110, 440), &sheet, 150 + i);
        pickers[i].SetColour(pickerColours[i]);
    }

    // Font preview combo.
    label("CFontPreviewCombo: names in their own faces", 10, 510);
    CFontPreviewCombo fonts;
    fonts.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS |
                     CBS_SORT,
                 CRect(10, 530, 300, 730), &sheet, 160);
    fonts.SetFont(gui);
    fonts.FillFontList();
    CFontPreviewCombo samples;
    samples.SetPreviewStyle(CFontPreviewCombo::NAME_THEN_SAMPLE);
    samples.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS |
                       CBS_SORT,
                   CRect(320, 530, 620, 730), &sheet, 161);
    samples.SetFont(gui);
    samples.FillFontList();
    samples.SelectString(-1, "Tahoma");
    label("style 2: name, then sample", 320, 510);

    sheet.ShowWindow(SW_SHOW);
    sheet.UpdateWindow();
    for (int i = 0; i < 10; ++i)
        if (buttons[i].hover)
            flat[i].SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    sheet.SendMessage(WM_COMMAND, MAKEWPARAM(150, BN_CLICKED), reinterpret_cast<LPARAM>(pickers[0].GetSafeHwnd()));
    // The popup as it draws itself. Under Xvfb a popup opened this late
    // reaches the screen black although its window holds the picture, so
    // the sheet shows a copy of that picture in its place and closes it.
    CStatic popupCopy;
    CBitmap popupPicture;
    if (CColourGridPopup* popup = pickers[0].GetPopup()) {
        const ColourGridBox cell = ColourGridCellBox(popup->GetLayout(), 27);
        popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 5, cell.top + 5));
        popup->UpdateWindow();
        CRect r;
        popup->GetWindowRect(&r);
        HDC from = ::GetDC(popup->GetSafeHwnd());
        HDC to = CreateCompatibleDC(from);
        popupPicture.Attach(CreateCompatibleBitmap(from, r.Width(), r.Height()));
        HGDIOBJ old = SelectObject(to, popupPicture);
        BitBlt(to, 0, 0, r.Width(), r.Height(), from, 0, 0, SRCCOPY);
        SelectObject(to, old);
        DeleteDC(to);
        ::ReleaseDC(popup->GetSafeHwnd(), from);
        popup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
        sheet.ScreenToClient(&r);
        popupCopy.Create("", WS_CHILD | WS_VISIBLE | SS_BITMAP, r, &sheet);
        popupCopy.SetBitmap(popupPicture);
    }
    header.SendMessage(HDM_SETHOTDIVIDER, FALSE, 2);
    fonts.ShowDropDown(TRUE);
    // The title the screenshot waits for, once everything is set up.
    sheet.SetWindowText("Tavrix controls");
    sheet.SetTimer(1, static_cast<UINT>(seconds) * 1000);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CFlatButton::SetSkinDC(nullptr);
    SelectObject(skinDC, oldSkin);
    for (const std::string& path : {facePath, thumbH, thumbV})
        DeleteFileA(path.c_str());
    return 0;
}
