// The text reads of CListBox and CComboBox, sized by the control.
#include "framework/ui/CComboBox.h"
#include "framework/ui/CListBox.h"

void CListBox::GetText(int nIndex, CString& rString) const
{
    rString.Empty();
    int length = GetTextLen(nIndex);
    if (length == LB_ERR || length <= 0)
        return;
    char* buffer = rString.GetBuffer(length + 1);
    int got = GetText(nIndex, buffer);
    rString.ReleaseBuffer(got > 0 ? got : 0);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    rString.Empty();
    int length = GetLBTextLen(nIndex);
    if (length == CB_ERR || length <= 0)
        return;
    char* buffer = rString.GetBuffer(length + 1);
    int got = GetLBText(nIndex, buffer);
    rString.ReleaseBuffer(got > 0 ? got : 0);
}
