#include "skin/fields/TXVVUMeter.h"

#include "skin/fields/FieldGeometry.h"

namespace {

void LoadInto(CBitmap& bitmap, const CString& path)
{
    bitmap.DeleteObject();
    bitmap.Attach(::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

// Copies the part x, y, w, h of the bitmap to the same place of pDC.
void CopyPart(CDC* pDC, const CBitmap& bitmap, int x, int y, int w, int h)
{
    if (!bitmap.m_hObject || w <= 0 || h <= 0)
        return;
    HDC mem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ old = ::SelectObject(mem, bitmap.m_hObject);
    ::BitBlt(pDC->GetSafeHdc(), x, y, w, h, mem, x, y, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}

} // namespace

void TXVVUMeter::LoadBitmaps(const CString& offPath, const CString& onPath)
{
    LoadInto(m_bmpOff, offPath);
    LoadInto(m_bmpOn, onPath);
}

void TXVVUMeter::SetLevel(int level)
{
    m_nLevel = level;
    if (m_hWnd)
        Invalidate();
}

void TXVVUMeter::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    const int w = client.Width();
    const int h = client.Height();
    CopyPart(pDC, m_bmpOff, 0, 0, w, h);
    const MeterSpan span = MeterLitSpan(m_bVertical, m_bReverse, w, h, m_nLevel);
    if (m_bVertical)
        CopyPart(pDC, m_bmpOn, 0, span.from, w, span.Length());
    else
        CopyPart(pDC, m_bmpOn, span.from, 0, span.Length(), h);
}
