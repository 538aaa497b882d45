#include "mainwindow/library/LibraryPopupList.h"

#include "library/api/VIZU.h"

#include <commctrl.h>

LibraryPopupList::~LibraryPopupList()
{
    Destroy();
}

bool LibraryPopupList::Create(HWND owner)
{
    if (Exists())
        return true;
    if (!m_frame.CreateEx(WS_EX_TOOLWINDOW, nullptr, "Floating List",
                          WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 60, 60, 640, 360,
                          owner, nullptr))
        return false;
    CRect client;
    ::GetClientRect(m_frame.GetSafeHwnd(), &client);
    if (!m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, client, &m_frame, 100)) {
        m_frame.DestroyWindow();
        return false;
    }
    VIZU::DisplayListHeader(&m_list, false);
    return true;
}

void LibraryPopupList::Destroy()
{
    if (m_list.GetSafeHwnd())
        m_list.DestroyWindow();
    if (m_frame.GetSafeHwnd())
        m_frame.DestroyWindow();
}

void LibraryPopupList::SetTitle(const CString& title)
{
    m_strTitle = title;
    if (Exists())
        ::SetWindowTextA(m_frame.GetSafeHwnd(), title);
}

int LibraryPopupList::DisplayTracks(CArray<CTrackRecord, CTrackRecord&>& tracks, CImageList* images)
{
    if (!Exists())
        return 0;
    if (images)
        m_list.SetImageList(images, LVSIL_SMALL);
    m_list.ShowTracks(tracks);
    return m_list.GetItemCount();
}

void LibraryPopupList::Show()
{
    if (Exists())
        ::ShowWindow(m_frame.GetSafeHwnd(), SW_SHOWNOACTIVATE);
}

bool LibraryPopupList::IsShown() const
{
    return Exists() && ::IsWindowVisible(m_frame.GetSafeHwnd());
}
