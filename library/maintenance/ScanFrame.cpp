#include "library/maintenance/ScanFrame.h"

#include <cstdio>

ScanFrame::ScanFrame(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress)
    : m_wnd(wnd), m_list(list && list->GetSafeHwnd() ? list : nullptr), m_id(id),
      m_progress(progress && progress->GetSafeHwnd() ? progress : nullptr)
{
}

void ScanFrame::Status(const char* text)
{
    HWND window = Window();
    if (window && m_id != -1)
        ::SetDlgItemTextA(window, m_id, text);
}

void ScanFrame::Range(INT_PTR count)
{
    m_position = 0;
    if (!m_progress)
        return;
    m_progress->SetRange32(0, static_cast<int>(count));
    m_progress->SetStep(1);
    m_progress->SetPos(0);
}

void ScanFrame::Rewind()
{
    m_position = 0;
    m_recordPending = false;
    if (m_progress)
        m_progress->SetPos(0);
}

int ScanFrame::Finish(int result, const char* status)
{
    Redraw(true);
    if (status)
        Status(status);
    Rewind();
    return result;
}

void ScanFrame::Show()
{
    if (m_recordPending) {
        Status(m_record);
        m_recordPending = false;
    }
    if (m_progress && m_progress->GetPos() != m_position)
        m_progress->SetPos(m_position);
}

bool ScanFrame::PumpOrStop()
{
    if (!m_pump.Due())
        return false;
    Show();
    if (EscapeAbortPrompt(Window()))
        return true;
    ProcessMessages();
    return false;
}

void ScanFrame::Pump()
{
    if (!m_pump.Due())
        return;
    Show();
    ProcessMessages();
}

void ScanFrame::Marquee(bool on)
{
    if (!m_progress)
        return;
    if (on) {
        m_progress->ModifyStyle(0, PBS_MARQUEE);
        m_progress->SetMarquee(TRUE, 50);
    } else {
        m_progress->SetMarquee(FALSE, 0);
        m_progress->ModifyStyle(PBS_MARQUEE, 0);
    }
}

void ScanFrame::Redraw(bool on)
{
    if (m_list)
        m_list->SetRedraw(on ? TRUE : FALSE);
}

void ScanFrame::InsertRow(int position, const char* mark, const CTrackRecord& record)
{
    if (!m_list)
        return;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = position;
    item.pszText = const_cast<char*>(mark);
    item.iImage = 0;
    item.lParam = 0;
    const int row = m_list->InsertItem(&item);
    if (row < 0)
        return;
    char index[16];
    std::snprintf(index, sizeof index, "%d", record.m_Index);
    m_list->SetItemText(row, 1, index);
    m_list->SetItemText(row, 2, record.m_FileName);
}
