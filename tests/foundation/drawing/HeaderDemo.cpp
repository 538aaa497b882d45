// A dialog with the program's header bar, shown for a few seconds: the
// screenshot of the header under Xvfb is taken of this program.
#include <windows.h>

#include "foundation/drawing/TXVHeader.h"
#include "framework/ui/AfxWin.h"

namespace {

enum { IDD_HEADER_DEMO = 100, IDC_HEADER = 101 };

class HeaderDemoDialog : public CDialog
{
public:
    HeaderDemoDialog() : CDialog(IDD_HEADER_DEMO) {}

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_header.SubclassDlgItem(IDC_HEADER, this);
        m_header.SetCaption("Search the library by title, artist or album");
        m_header.Invalidate();
        SetTimer(1, 8000);
        return TRUE;
    }
    void OnTimer(UINT_PTR)                   // ON_WM_TIMER
    {
        KillTimer(1);
        EndDialog(IDOK);
    }

private:
    TXVHeader m_header;
};

BEGIN_MESSAGE_MAP(HeaderDemoDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HeaderDemoDialog dialog;
    dialog.DoModal();
    return 0;
}
