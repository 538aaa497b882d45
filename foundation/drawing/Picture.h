// CPicture: an image (bitmap, JPEG, GIF, icon, metafile) loaded from a file
// or from bytes through the platform's OLE picture loader, drawn stretched
// into a rectangle.
//
// KVLib builds this class with TAVRIX_KVLIB_FLAVOUR defined: it has no frame
// and reports a failed render with a message.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "framework/core/CString.h"
#include "framework/ui/CDC.h"

class CPicture
{
public:
    // Construction
    CPicture() = default;
    virtual ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // Attributes
    IPicture* m_pPicture = nullptr;   // one reference, released by FreePicture
    LONG m_nHeight = 0;               // pixels at 96 per inch
    LONG m_nSize = 0;                 // bytes of the file last loaded
    LONG m_nWidth = 0;                // pixels at 96 per inch
    BYTE m_bFrame = 0;                // Render draws a one-pixel 3-D frame (never in KVLib)

    // Operations
    void FreePicture();
#ifndef TAVRIX_KVLIB_FLAVOUR
    void SetFrame(bool bFrame) { m_bFrame = bFrame ? 1 : 0; }
#endif
    BOOL Load(CString sFilePathName);
    BOOL LoadFromBuffer(const BYTE* pBuff, int nSize);
    BOOL Render(CDC* pDC, CRect DrawRect);
};
