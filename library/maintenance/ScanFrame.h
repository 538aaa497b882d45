// What the library's maintenance scans show while they run: the caller's
// dialog with its status text field, its result list and its progress bar.
// Any of them may be missing (null window or list, id -1): that part is
// then left out.
#pragma once

#include "framework/ui/AfxWin.h"
#include "library/records/CTrackRecord.h"
#include "library/state/MessagePump.h"

class ScanFrame
{
public:
    ScanFrame(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress);

    void Status(const char* text);
    // Range 0 to count, step 1 (the whole count: libraries pass 65,535
    // records).
    void Range(INT_PTR count);
    void Step();
    void Rewind();
    void Marquee(bool on);
    void Redraw(bool on);

    // When due (LoopPump): the Escape question, then the pump; true when
    // the user chose to stop.
    bool PumpOrStop() { return m_pump.StepOrAbort(Window()); }
    // When due: the pump only.
    void Pump() { m_pump.Step(); }

    // A result row at that position: mark, index number, path; image 0 and
    // item data 0.
    void InsertRow(int position, const char* mark, const CTrackRecord& record);

    CListCtrl* List() const { return m_list; }
    HWND Window() const { return m_wnd ? m_wnd->GetSafeHwnd() : nullptr; }

private:
    CWnd* m_wnd;
    CListCtrl* m_list;
    int m_id;
    CProgressCtrl* m_progress;
    LoopPump m_pump;
};
