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

    // A fixed message, shown at once.
    void Status(const char* text);
    // The record in hand (or the step): shown at the next pump, with the
    // progress made so far (a text and a bar position per record cost more
    // than the scans themselves, and show nothing until messages run).
    void Record(const CString& path) { m_record = path; m_recordPending = true; }
    // Range 0 to count, step 1 (the whole count: libraries pass 65,535
    // records).
    void Range(INT_PTR count);
    // One step; shown at the next pump.
    void Step() { ++m_position; }
    void Rewind();
    // The end of a scan: list redrawing back on, the status text (when
    // given), the bar back at 0; returns result.
    int Finish(int result, const char* status = nullptr);
    void Marquee(bool on);
    void Redraw(bool on);

    // When due (LoopPump): the Escape question, then the pump; true when
    // the user chose to stop.
    bool PumpOrStop();
    // When due: the pump only.
    void Pump();

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
    CString m_record;
    bool m_recordPending = false;
    int m_position = 0;

    // Shows the record in hand and the progress made.
    void Show();
};
