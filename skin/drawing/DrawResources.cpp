#include "skin/drawing/DrawResources.h"

DrawResources::DrawResources()
{
    m_penBlue.CreatePen(PS_SOLID, 1, RGB(0x00, 0x46, 0xD5));

    const struct { CBrush* brush; COLORREF colour; } brushes[] = {
        {&m_brBlack, RGB(0x00, 0x00, 0x00)},      {&m_brWhite, RGB(0xFF, 0xFF, 0xFF)},
        {&m_brCyan, RGB(0x00, 0xFF, 0xFF)},       {&m_brNavy, RGB(0x16, 0x3C, 0x65)},
        {&m_brRed, RGB(0xFF, 0x00, 0x00)},        {&m_brLightBlue, RGB(0x80, 0x80, 0xFF)},
        {&m_brSilver, RGB(0xC0, 0xC0, 0xC0)},     {&m_brBlue, RGB(0x00, 0x00, 0xFF)},
        {&m_brGreen, RGB(0x00, 0xC0, 0x00)},      {&m_brOrange, RGB(0xC5, 0x8F, 0x0F)},
        {&m_brYellow, RGB(0xFF, 0xFF, 0x00)},     {&m_brDarkGrey, RGB(0x24, 0x24, 0x24)},
        {&m_brMediumBlue, RGB(0x00, 0x46, 0xD5)}, {&m_brPaleBlue, RGB(0xC0, 0xC0, 0xFF)},
        {&m_brLightGrey, RGB(0xEE, 0xEE, 0xEE)},  {&m_brIceBlue, RGB(0xDF, 0xEA, 0xF5)},
    };
    for (const auto& b : brushes)
        b.brush->CreateSolidBrush(b.colour);

    const struct { CFont* font; int size; const char* face; } fonts[] = {
        {&m_fntArial6, 60, "Arial"},
        {&m_fntArial7, 70, "Arial"},
        {&m_fntArial8, 80, "Arial"},
        {&m_fntArialBold8, 80, "Arial Bold"},
        {&m_fntArial9, 90, "Arial"},
        {&m_fntArialBold9, 90, "Arial Bold"},
        {&m_fntArial10, 100, "Arial"},
        {&m_fntArialBold10, 100, "Arial Bold"},
        {&m_fntArial11, 110, "Arial"},
        {&m_fntArial12, 120, "Arial"},
        {&m_fntArial13, 130, "Arial"},
        {&m_fntArial14, 140, "Arial"},
        {&m_fntArial15, 150, "Arial"},
        {&m_fntArialBold16, 160, "Arial Bold"},
        {&m_fntArialBold20, 200, "Arial Bold"},
        {&m_fntMSSans7, 70, "MS Sans Serif"},
        {&m_fntMicrosoftSans8, 80, "Microsoft Sans Serif"},
        {&m_fntMSSansBold8, 80, "MS Sans Serif Bold"},
        {&m_fntMSSans9, 90, "MS Sans Serif"},
        {&m_fntMSSansBold9, 90, "MS Sans Serif Bold"},
        {&m_fntMSSans10, 100, "MS Sans Serif"},
        {&m_fntMSSansBold10, 100, "MS Sans Serif Bold"},
        {&m_fntMSSans11, 110, "MS Sans Serif"},
        {&m_fntMSSans12, 120, "MS Sans Serif"},
    };
    for (const auto& f : fonts)
        f.font->CreatePointFont(f.size, f.face);
}

// The members' own destructors delete every pen, brush and font.
DrawResources::~DrawResources() = default;
