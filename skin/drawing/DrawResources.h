// DrawResources: the ready-made pen, brushes and fonts that the program's
// windows embed for their painting. Created with the embedding object,
// deleted with it, never changed in between.
#pragma once

#include "framework/ui/CGdiObject.h"

class DrawResources
{
public:
    // Construction: the pen, then the brushes, then the fonts, in the
    // order of the members below. A creation that fails leaves that
    // member without a handle.
    DrawResources();
    virtual ~DrawResources();
    DrawResources(const DrawResources&) = delete;
    DrawResources& operator=(const DrawResources&) = delete;

    // Data
    CPen m_penBlue;

    CBrush m_brBlack;
    CBrush m_brWhite;
    CBrush m_brCyan;
    CBrush m_brNavy;
    CBrush m_brRed;
    CBrush m_brLightBlue;
    CBrush m_brSilver;
    CBrush m_brBlue;
    CBrush m_brGreen;
    CBrush m_brOrange;
    CBrush m_brYellow;
    CBrush m_brDarkGrey;
    CBrush m_brMediumBlue;
    CBrush m_brPaleBlue;
    CBrush m_brLightGrey;
    CBrush m_brIceBlue;

    CFont m_fntArial6;
    CFont m_fntArial7;
    CFont m_fntArial8;
    CFont m_fntArialBold8;
    CFont m_fntArial9;
    CFont m_fntArialBold9;
    CFont m_fntArial10;
    CFont m_fntArialBold10;
    CFont m_fntArial11;
    CFont m_fntArial12;
    CFont m_fntArial13;
    CFont m_fntArial14;
    CFont m_fntArial15;
    CFont m_fntArialBold16;
    CFont m_fntArialBold20;
    CFont m_fntMSSans7;
    CFont m_fntMicrosoftSans8;
    CFont m_fntMSSansBold8;
    CFont m_fntMSSans9;
    CFont m_fntMSSansBold9;
    CFont m_fntMSSans10;
    CFont m_fntMSSansBold10;
    CFont m_fntMSSans11;
    CFont m_fntMSSans12;
};
