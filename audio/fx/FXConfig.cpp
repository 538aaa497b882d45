#include "audio/fx/FXConfig.h"

#include <math.h>

#include <commctrl.h>

#include "audio/deck/Deck.h"
#include "audio/deck/DeckPlayer.h"
#include "audio/fx/FxFilter.h"
#include "framework/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(FXConfig, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_FX_A_ROTATE, &FXConfig::OnARotate)
    ON_BN_CLICKED(IDC_FX_A_ECHO, &FXConfig::OnAEcho)
    ON_BN_CLICKED(IDC_FX_A_FLANGE, &FXConfig::OnAFlange)
    ON_BN_CLICKED(IDC_FX_B_ROTATE, &FXConfig::OnBRotate)
    ON_BN_CLICKED(IDC_FX_B_ECHO, &FXConfig::OnBEcho)
    ON_BN_CLICKED(IDC_FX_B_FLANGE, &FXConfig::OnBFlange)
    ON_BN_CLICKED(IDC_FX_A_FILTER, &FXConfig::OnAFilter)
    ON_BN_CLICKED(IDC_FX_B_FILTER, &FXConfig::OnBFilter)
END_MESSAGE_MAP()

namespace {

const float kRotateUnit = 0.000001f; // radians per frame of one slider step

} // namespace

FXConfig::FXConfig(DeckHost* host, CWnd* parent) : CDialog(IDD, parent), m_host(host), m_parent(parent) {}

BOOL FXConfig::CreateModeless() { return Create(IDD, m_parent); }

BOOL FXConfig::OnInitDialog()
{
    CDialog::OnInitDialog();
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    if (m_header.SubclassDlgItem(IDC_FX_HEADER, this))
        m_header.SetCaption("FX Config");

    const struct { UINT id; int low, high, position; } sliders[] = {
        // The speed to the nearest step, so the default 0.00002 shows 20.
        {IDC_FX_ROTATE_SPEED, 10, 100, static_cast<int>(lroundf(FxGetRotateSpeed() / kRotateUnit))},
        {IDC_FX_ECHO_LENGTH, 500, 5000, FxGetEchoLength()},
        {IDC_FX_FLANGE_LENGTH, 5, 350, FxGetFlangeLength()},
    };
    for (const auto& s : sliders) {
        HWND slider = ::GetDlgItem(m_hWnd, s.id);
        ::SendMessageA(slider, TBM_SETRANGEMIN, FALSE, s.low);
        ::SendMessageA(slider, TBM_SETRANGEMAX, TRUE, s.high);
        ::SendMessageA(slider, TBM_SETPOS, TRUE, s.position);
    }
    RefreshChecks();
    return TRUE;
}

void FXConfig::OnOK() { ShowWindow(SW_HIDE); }
void FXConfig::OnCancel() { ShowWindow(SW_HIDE); }

void FXConfig::Check(UINT id, bool on)
{
    ::CheckDlgButton(m_hWnd, static_cast<int>(id), on ? BST_CHECKED : BST_UNCHECKED);
}

bool FXConfig::IsChecked(UINT id) const
{
    return ::IsDlgButtonChecked(m_hWnd, static_cast<int>(id)) == BST_CHECKED;
}

void FXConfig::RefreshChecks()
{
    if (!m_hWnd)
        return;
    const struct { int deck; UINT filter, rotate, echo, flange; } decks[] = {
        {0, IDC_FX_A_FILTER, IDC_FX_A_ROTATE, IDC_FX_A_ECHO, IDC_FX_A_FLANGE},
        {1, IDC_FX_B_FILTER, IDC_FX_B_ROTATE, IDC_FX_B_ECHO, IDC_FX_B_FLANGE},
    };
    for (const auto& d : decks) {
        Deck* deck = m_host ? m_host->GetDeck(d.deck) : nullptr;
        Check(d.filter, deck && deck->GetPlayer() && deck->GetPlayer()->IsFxAttached());
        const int mode = FxGetMode(d.deck);
        Check(d.rotate, mode == FX_ROTATE);
        Check(d.echo, mode == FX_ECHO);
        Check(d.flange, mode == FX_FLANGE);
    }
}

void FXConfig::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (bShow)
        RefreshChecks();
}

void FXConfig::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    // Line, page and thumb codes (0 to 5) carry a new position; Home, End
    // and the end of a scroll do not.
    if (nSBCode <= SB_THUMBTRACK && pScrollBar) {
        const HWND slider = pScrollBar->GetSafeHwnd();
        const int position = static_cast<int>(::SendMessageA(slider, TBM_GETPOS, 0, 0));
        switch (::GetDlgCtrlID(slider)) {
        case IDC_FX_ROTATE_SPEED: FxSetRotateSpeed(position * kRotateUnit); break;
        case IDC_FX_ECHO_LENGTH: FxSetEchoLength(position); break;
        case IDC_FX_FLANGE_LENGTH: FxSetFlangeLength(position); break;
        default: break;
        }
    }
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}

void FXConfig::Effect(UINT, UINT clearOne, UINT clearTwo, UINT command)
{
    Check(clearOne, false);
    Check(clearTwo, false);
    if (m_host)
        m_host->RunDeckCommand(command);
}

void FXConfig::OnARotate() { Effect(IDC_FX_A_ROTATE, IDC_FX_A_ECHO, IDC_FX_A_FLANGE, ID_FX_ROTATE_A); }
void FXConfig::OnAEcho() { Effect(IDC_FX_A_ECHO, IDC_FX_A_ROTATE, IDC_FX_A_FLANGE, ID_FX_ECHO_A); }
void FXConfig::OnAFlange() { Effect(IDC_FX_A_FLANGE, IDC_FX_A_ROTATE, IDC_FX_A_ECHO, ID_FX_FLANGE_A); }
void FXConfig::OnBRotate() { Effect(IDC_FX_B_ROTATE, IDC_FX_B_ECHO, IDC_FX_B_FLANGE, ID_FX_ROTATE_B); }
void FXConfig::OnBEcho() { Effect(IDC_FX_B_ECHO, IDC_FX_B_ROTATE, IDC_FX_B_FLANGE, ID_FX_ECHO_B); }
void FXConfig::OnBFlange() { Effect(IDC_FX_B_FLANGE, IDC_FX_B_ROTATE, IDC_FX_B_ECHO, ID_FX_FLANGE_B); }

void FXConfig::Filter(int deck, UINT box)
{
    Deck* d = m_host ? m_host->GetDeck(deck) : nullptr;
    DeckPlayer* player = d ? d->GetPlayer() : nullptr;
    if (!player)
        return;
    const bool wanted = IsChecked(box);
    if (wanted && !player->IsFxAttached())
        player->AttachFxFilter();
    else if (!wanted && player->IsFxAttached())
        player->DetachFxFilter();
}

void FXConfig::OnAFilter() { Filter(0, IDC_FX_A_FILTER); }
void FXConfig::OnBFilter() { Filter(1, IDC_FX_B_FILTER); }
