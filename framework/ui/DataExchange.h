// Dialog data exchange: CDataExchange and the DDX_ functions that
// DoDataExchange calls, moving values between controls and members.
// UpdateData(FALSE) fills the controls; UpdateData(TRUE) reads them back and
// fails (returns FALSE, the failing control focused) when a value does not
// parse.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"

class CWnd;

class CDataExchange
{
public:
    // Construction
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // Attributes
    BOOL m_bSaveAndValidate;   // TRUE: controls to members
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;

    // Operations
    HWND PrepareCtrl(int nIDC);       // the control's handle (remembered for Fail)
    HWND PrepareEditCtrl(int nIDC);
    [[noreturn]] void Fail();         // focuses the last control and ends the exchange
};

// Thrown by CDataExchange::Fail; UpdateData catches it.
struct CDataExchangeFailure
{
};

// Binds a template's control to a wrapper (subclassing it) on the first exchange.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);   // nIDC: the group's first button
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
