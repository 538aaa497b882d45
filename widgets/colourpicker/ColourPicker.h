// CColourPicker: a push button that shows a colour and, when clicked,
// opens CColourGridPopup, a grid of 40 named colours with an "Automatic"
// entry above and a "More Colors..." entry below (the system colour
// dialog). The picker tells its parent, by sent messages with the colour
// in wParam and its control id in lParam:
//   WM_USER + 1001 selection changed, WM_USER + 1002 popup opened,
//   WM_USER + 1003 popup closed, WM_USER + 1004 accepted,
//   WM_USER + 1005 cancelled.
// The popup reports to the picker with 1001, 1004 and 1005.
// 0xFF000000 stands for Automatic.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/ui/CButton.h"
#include "framework/ui/CGdiObject.h"
#include "framework/ui/CToolTipCtrl.h"
#include "widgets/colourpicker/ColourGrid.h"

constexpr UINT CPN_SELCHANGE = WM_USER + 1001;
constexpr UINT CPN_DROPDOWN = WM_USER + 1002;
constexpr UINT CPN_CLOSEUP = WM_USER + 1003;
constexpr UINT CPN_SELENDOK = WM_USER + 1004;
constexpr UINT CPN_SELENDCANCEL = WM_USER + 1005;

constexpr COLORREF CLR_AUTOMATIC = 0xFF000000;

class CColourPicker;

class CColourGridPopup : public CWnd
{
public:
    // Construction
    // Creates the popup window at a screen point; null when the window
    // cannot be made (nothing is left behind). The popup deletes itself
    // when its window goes.
    static CColourGridPopup* Open(CPoint topLeft, COLORREF colour, CColourPicker* pPicker,
                                  const CString& defaultText, const CString& customText);

    // Attributes
    int GetCurrent() const { return m_nCurrent; }
    int GetInitial() const { return m_nInitial; }
    const ColourGridLayout& GetLayout() const { return m_layout; }
    COLORREF GetChosen() const { return m_clrChosen; }

    // Operations
    void EndSelection(BOOL accept);

    // Overridables
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CColourGridPopup(COLORREF colour, CColourPicker* pPicker, const CString& defaultText,
                     const CString& customText);
    ~CColourGridPopup() override = default;

    DECLARE_MESSAGE_MAP()
    void OnPaint();                                     // ON_WM_PAINT
    void OnMouseMove(UINT nFlags, CPoint point);        // ON_WM_MOUSEMOVE
    void OnLButtonUp(UINT nFlags, CPoint point);        // ON_WM_LBUTTONUP
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags); // ON_WM_KEYDOWN
    void OnKillFocus(CWnd* pNewWnd);                    // ON_WM_KILLFOCUS
    LRESULT OnActivateApp(WPARAM wParam, LPARAM lParam);     // WM_ACTIVATEAPP
    LRESULT OnQueryNewPalette(WPARAM wParam, LPARAM lParam); // WM_QUERYNEWPALETTE
    LRESULT OnPaletteChanged(WPARAM wParam, LPARAM lParam);  // WM_PALETTECHANGED
    void PostNcDestroy() override;

private:
    BOOL CreatePopup(CPoint topLeft);
    void Layout(CPoint topLeft);
    void ChangeCurrent(int entry);
    void DrawEntry(CDC* pDC, int entry);
    void DrawCell(CDC* pDC, int cell);
    void DrawTextEntry(CDC* pDC, int entry);
    COLORREF EntryColour(int entry) const;

    // Data
    int m_nCurrent = kColourGridNone;
    int m_nInitial = kColourGridNone;
    CString m_strDefault, m_strCustom;
    ColourGridLayout m_layout = {};
    CRect m_rcWindow;
    CFont m_font;
    CPalette m_palette;
    COLORREF m_clrOpening, m_clrChosen;
    CColourPicker* m_pPicker;
    BOOL m_bDialogOpen = FALSE;
    BOOL m_bEnded = FALSE;
    BOOL m_bCreated = FALSE;
    CToolTipCtrl m_tooltip;
};

class CColourPicker : public CButton
{
    DECLARE_DYNCREATE(CColourPicker)
public:
    // Construction
    CColourPicker();
    ~CColourPicker() override;

    // Attributes
    void SetColour(COLORREF colour);
    COLORREF GetColour() const { return m_clrColour; }
    void SetTextColour(COLORREF colour) { m_clrText = colour; }
    void SetDefaultText(const CString& text) { m_strDefault = text; }
    void SetCustomText(const CString& text) { m_strCustom = text; }
    BOOL IsPopupActive() const { return m_bActive; }
    CColourGridPopup* GetPopup() const { return m_pPopup; }
    const CRect& GetArrowRect() const { return m_rcArrow; }

    // Overridables
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void PreSubclassWindow() override;

    // Implementation
    void PopupGone(CColourGridPopup* pPopup);

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCT lpCreateStruct);           // ON_WM_CREATE
    BOOL OnClicked();                                      // ON_CONTROL_REFLECT_EX(BN_CLICKED)
    LRESULT OnSelChange(WPARAM wParam, LPARAM lParam);     // CPN_SELCHANGE from the popup
    LRESULT OnSelEndOK(WPARAM wParam, LPARAM lParam);      // CPN_SELENDOK from the popup
    LRESULT OnSelEndCancel(WPARAM wParam, LPARAM lParam);  // CPN_SELENDCANCEL from the popup

private:
    void SizeToArrow();
    void NotifyParent(UINT message, COLORREF colour) const;

    // Data
    COLORREF m_clrColour;
    COLORREF m_clrText;
    BOOL m_bActive = FALSE;
    CRect m_rcArrow;
    CString m_strDefault = "Automatic";
    CString m_strCustom = "More Colors...";
    CColourGridPopup* m_pPopup = nullptr;
};
