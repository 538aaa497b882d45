// CAnalogMeter: the library's second meter. The main window keeps two as
// members; it constructs and destroys them and never draws with them, so
// the meter holds its drawing objects (pens, a brush, fonts, two memory
// contexts, the unit text "Volts") without making any of them.
#pragma once

#include "framework/core/CString.h"
#include "framework/ui/CCmdTarget.h"
#include "framework/ui/CDC.h"
#include "framework/ui/CGdiObject.h"

class CAnalogMeter : public CCmdTarget
{
public:
    // Construction
    CAnalogMeter();
    ~CAnalogMeter() override;
    CAnalogMeter(const CAnalogMeter&) = delete;
    CAnalogMeter& operator=(const CAnalogMeter&) = delete;

    // Attributes
    const CString& GetUnits() const { return m_units; }
    // True while every drawing object is still empty (nothing was made).
    bool IsIdle() const;

private:
    // Data
    CPen m_needlePen;
    CPen m_gridPen;
    CBrush m_needleBrush;
    CFont m_valueFont;
    CFont m_unitsFont;
    CDC m_gridDC;
    CDC m_needleDC;
    CString m_units;
};
