#include "foundation/drawing/Picture.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/ui/CWnd.h"
#include "framework/ui/CWinApp.h"
#include "framework/ui/Prompts.h"

namespace {

const char kErrorCaption[] = "CPicture Error";

void ShowPictureError(const char* text)
{
    CWnd* pMain = AfxGetMainWnd();
    AfxPromptMessageBox(pMain ? pMain->GetSafeHwnd() : nullptr, text, kErrorCaption,
                        MB_OK | MB_ICONSTOP);
}

LONG HimetricToPixels(OLE_XSIZE_HIMETRIC himetric)
{
    return ::MulDiv(himetric, 96, 2540);
}

} // namespace

CPicture::~CPicture()
{
    FreePicture();
}

void CPicture::FreePicture()
{
    if (m_pPicture) {
        m_pPicture->Release();
        m_pPicture = nullptr;
        m_nHeight = 0;
        m_nSize = 0;
        m_nWidth = 0;
    }
}

BOOL CPicture::LoadFromBuffer(const BYTE* pBuff, int nSize)
{
    if (!pBuff || nSize <= 0)
        return FALSE;
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(nSize));
    if (!hGlobal) {
        ShowPictureError("Can not allocate enough memory\t");
        return FALSE;
    }
    void* pData = ::GlobalLock(hGlobal);
    if (!pData) {
        ::GlobalFree(hGlobal);
        ShowPictureError("Can not allocate enough memory\t");
        return FALSE;
    }
    std::memcpy(pData, pBuff, static_cast<size_t>(nSize));
    ::GlobalUnlock(hGlobal);

    IStream* pStream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(hGlobal, TRUE, &pStream)) || !pStream) {
        ::GlobalFree(hGlobal);
        return FALSE;
    }

    // A picture held from an earlier load would otherwise leak its reference.
    if (m_pPicture) {
        m_pPicture->Release();
        m_pPicture = nullptr;
    }
    HRESULT hr = ::OleLoadPicture(pStream, nSize, FALSE, IID_IPicture,
                                  reinterpret_cast<LPVOID*>(&m_pPicture));
    pStream->Release();
    if (hr == E_NOINTERFACE) {
        m_pPicture = nullptr;
        ShowPictureError("IPicture interface is not supported\t");
        return FALSE;
    }
    if (FAILED(hr))
        m_pPicture = nullptr;
    return TRUE;
}

BOOL CPicture::Load(CString sFilePathName)
{
    FreePicture();

    BOOL bLoaded = FALSE;
    size_t nRead = 0;
    long nLength = 0;
    FILE* file = std::fopen(sFilePathName, "rb");
    if (file) {
        if (std::fseek(file, 0, SEEK_END) == 0)
            nLength = std::ftell(file);
        std::fseek(file, 0, SEEK_SET);
        if (nLength > 0) {
            std::vector<BYTE> bytes;
            try {
                bytes.resize(static_cast<size_t>(nLength));
            } catch (const std::bad_alloc&) {
                bytes.clear();
            }
            if (!bytes.empty()) {
                nRead = std::fread(bytes.data(), 1, bytes.size(), file);
                if (nRead != 0)
                    bLoaded = LoadFromBuffer(bytes.data(), static_cast<int>(nRead));
            }
        }
        std::fclose(file);
    }
    m_nSize = nLength < 0 ? 0 : nLength;

    if (m_pPicture) {
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        m_pPicture->get_Height(&height);
        m_pPicture->get_Width(&width);
        m_nHeight = HimetricToPixels(height);
        m_nWidth = HimetricToPixels(width);
        return nRead != 0 && bLoaded;
    }
    m_nHeight = 0;
    m_nWidth = 0;
    return FALSE;
}

BOOL CPicture::Render(CDC* pDC, CRect DrawRect)
{
    if (!pDC || !pDC->m_hDC || !m_pPicture)
        return FALSE;

    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_pPicture->get_Width(&width);
    m_pPicture->get_Height(&height);

#ifndef TAVRIX_KVLIB_FLAVOUR
    if (m_bFrame) {
        pDC->Draw3dRect(&DrawRect, RGB(0, 0, 0), RGB(128, 128, 128));
        ::InflateRect(&DrawRect, -1, -1);
    }
#endif

    HRESULT hr = m_pPicture->Render(pDC->m_hDC, DrawRect.left, DrawRect.top, DrawRect.Width(),
                                    DrawRect.Height(), 0, height, width, -height, &DrawRect);
    if (FAILED(hr)) {
#ifdef TAVRIX_KVLIB_FLAVOUR
        ShowPictureError("Can not allocate enough memory\t");
#endif
        return FALSE;
    }
    return TRUE;
}
