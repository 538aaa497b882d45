// FXConfig: the small dialog "Main Decks Audio FX" in which the user picks
// the effect of decks A and B, switches each deck's FX filter on or off and
// sets the three effect settings. It keeps no state of its own: every
// control reads and writes the FX filter's modes and settings and the
// decks' players. The main window creates it once, modeless; closing hides
// it.
#pragma once

#include "audio/deck/DeckHost.h"
#include "audio/fx/FXConfigIds.h"
#include "foundation/drawing/TXVHeader.h"
#include "framework/ui/CDialog.h"

class CScrollBar;

class FXConfig : public CDialog
{
public:
    enum { IDD = IDD_FXCONFIG };

    // Construction
    FXConfig(DeckHost* host, CWnd* parent = nullptr);
    // Creates the modeless dialog (hidden until shown).
    BOOL CreateModeless();

    // Operations
    // Sets the check boxes from the decks' modes and filters.
    void RefreshChecks();

    // Overridables
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnShowWindow(BOOL bShow, UINT nStatus);                          // ON_WM_SHOWWINDOW
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);      // ON_WM_HSCROLL
    void OnARotate();
    void OnAEcho();
    void OnAFlange();
    void OnBRotate();
    void OnBEcho();
    void OnBFlange();
    void OnAFilter();
    void OnBFilter();

private:
    void Effect(UINT button, UINT clearOne, UINT clearTwo, UINT command);
    void Filter(int deck, UINT box);
    void Check(UINT id, bool on);
    bool IsChecked(UINT id) const;

    // Data
    DeckHost* m_host;
    CWnd* m_parent;
    TXVHeader m_header;
};
