#include "widgets/meter/AnalogMeter.h"

CAnalogMeter::CAnalogMeter() : m_units("Volts") {}

CAnalogMeter::~CAnalogMeter() = default;

bool CAnalogMeter::IsIdle() const
{
    return !m_needlePen.GetSafeHandle() && !m_gridPen.GetSafeHandle() && !m_needleBrush.GetSafeHandle() &&
           !m_valueFont.GetSafeHandle() && !m_unitsFont.GetSafeHandle() && !m_gridDC.GetSafeHdc() &&
           !m_needleDC.GetSafeHdc();
}
