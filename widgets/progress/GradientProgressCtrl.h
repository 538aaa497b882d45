// CGradientProgressCtrl: a progress bar window that paints itself with a
// gradient (or a bar brush) and answers the progress-bar messages itself.
// Vertical (PBS_VERTICAL) and reversed (0x4000) are its window style bits.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ui/CProgressCtrl.h"
#include "widgets/progress/GradientFill.h"

class CGradientProgressCtrl : public CProgressCtrl, public CGradientProgress
{
public:
    // Construction
    CGradientProgressCtrl() = default;
    ~CGradientProgressCtrl() override;

    // Attributes
    DWORD GetStyle() const override { return CProgressCtrl::GetStyle(); }
    void ModifyStyle(DWORD remove, DWORD add) override;
    void SetRangeAndRedraw(int a, int b);
    int SetPos(int position);

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();                                  // ON_WM_PAINT
    BOOL OnEraseBkgnd(CDC* pDC);                     // ON_WM_ERASEBKGND
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);    // PBM_SETRANGE
    LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);  // PBM_SETRANGE32
    LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);    // PBM_GETRANGE
    LRESULT OnSetPosMsg(WPARAM wParam, LPARAM lParam);   // PBM_SETPOS
    LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);    // PBM_DELTAPOS
    LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);     // PBM_SETSTEP
    LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);      // PBM_STEPIT
    LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);      // PBM_GETPOS
    LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam); // PBM_SETBARCOLOR
    LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);  // PBM_SETBKCOLOR

private:
    LRESULT PreviousRange(int minimum, int maximum) const;
};
