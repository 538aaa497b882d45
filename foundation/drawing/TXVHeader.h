// TXVHeader: the banner across the top of the dialogs: a dark two-band
// gradient, the deliverable's icon, four dots, the deliverable's title in
// yellow and the caption in white. Owners create it over a static
// placeholder and set the caption.
//
// KVLib builds it with TAVRIX_KVLIB_FLAVOUR defined: its icon and title come
// from KVLib's resources.
#pragma once

#include "framework/core/CString.h"
#include "framework/ui/CStatic.h"
#include "framework/ui/MessageMap.h"

class TXVHeader : public CStatic
{
#ifndef TAVRIX_KVLIB_FLAVOUR
    DECLARE_DYNAMIC(TXVHeader)
#endif
public:
    // Construction
    TXVHeader() = default;
    ~TXVHeader() override;

    // Resources of the deliverable the header is built into.
#ifdef TAVRIX_KVLIB_FLAVOUR
    enum { kIconId = 7021, kTitleId = 7007 };
#else
    enum { kIconId = 196 };
#endif

    // Operations
    // Stored only: the text shows at the next paint.
    void SetCaption(CString caption) { m_strCaption = caption; }
    const CString& GetCaption() const { return m_strCaption; }

    // The deliverable's title drawn in the banner.
    static CString GetTitle();

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();                   // ON_WM_PAINT

private:
    CString m_strCaption;
};
