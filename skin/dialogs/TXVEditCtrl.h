// TXVEditCtrl: the skin's search and filter edits. A filter edit (mode 2)
// filters the main track list by title at every change and shows the whole
// library again when emptied; a search edit (mode 1) waits for its command.
#pragma once

#include "framework/core/CString.h"
#include "framework/ui/CEdit.h"
#include "framework/ui/CGdiObject.h"
#include "framework/ui/MessageMap.h"

class TXVEditCtrl : public CEdit
{
    DECLARE_DYNAMIC(TXVEditCtrl)
public:
    enum { MODE_SEARCH = 1, MODE_FILTER = 2 };

    // Construction
    TXVEditCtrl();
    ~TXVEditCtrl() override = default;

    // Attributes
    int GetEditMode() const { return m_nEditMode; }
    HFONT GetFontHandle() const { return static_cast<HFONT>(m_font.m_hObject); }

    // Operations
    void SetFont(const CString& face, int tenthsOfPoint);
    void SetEditMode(int mode) { m_nEditMode = mode; }

    // Overridables: every message goes on unchanged.
    BOOL PreTranslateMessage(MSG* pMsg) override { return CEdit::PreTranslateMessage(pMsg); }

protected:
    DECLARE_MESSAGE_MAP()
    void OnChange();   // ON_CONTROL_REFLECT(EN_CHANGE)

private:
    CWnd* m_pMainWindow = nullptr;
    CFont m_font;
    int m_nEditMode = 0;
};
