// KeyEdit: the modal "Edit Keyboard Shortcut" dialog (template 236) that
// sets, changes or removes the shortcut of one action and saves the
// shortcut file.
#pragma once

#include "foundation/drawing/TXVHeader.h"
#include "framework/ui/AfxWin.h"
#include "input/res/InputResource.h"
#include "input/shortcuts/ShortcutTable.h"

class KeyEdit : public CDialog
{
public:
    enum { IDD = IDD_KEYEDIT };

    // Construction
    explicit KeyEdit(CWnd* pParent = nullptr);

    // Attributes
    // The action whose shortcut is edited; set before DoModal.
    void SetActionName(const CString& action) { m_strAction = action; }
    // The shortcut file that Save writes; empty: the program folder's file
    // named by MAIN/ShortcutsXML.
    void SetShortcutFile(const CString& path) { m_strShortcutFile = path; }
    CString GetShortcutFile() const;

    // Overridables
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnFlagClicked();    // ON_BN_CLICKED 1193-1195
    void OnKeyChanged();     // ON_CBN_SELCHANGE 1196
    void OnReset();          // ON_BN_CLICKED 1197

private:
    TXVHeader m_header;
    CEdit m_command;
    CButton m_ctrl;
    CButton m_alt;
    CButton m_shift;
    CComboBox m_keys;
    CEdit m_state;
    CButton m_save;

    CString m_strAction;
    CString m_strShortcutFile;
    ShortcutEntry m_mapped; // the row found at initialisation
    bool m_bMapped = false;
    bool m_bRemove = false;
};
