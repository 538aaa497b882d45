#include "input/shortcuts/KeyEdit.h"

#include "foundation/app/IniAccess.h"
#include "foundation/app/MessageTexts.h"
#include "foundation/app/ProgramFolder.h"
#include "input/commands/CommandVocabulary.h"
#include "input/shortcuts/Shortcuts.h"

BEGIN_MESSAGE_MAP(KeyEdit, CDialog)
    ON_BN_CLICKED(IDC_KEYEDIT_CTRL, OnFlagClicked)
    ON_BN_CLICKED(IDC_KEYEDIT_ALT, OnFlagClicked)
    ON_BN_CLICKED(IDC_KEYEDIT_SHIFT, OnFlagClicked)
    ON_CBN_SELCHANGE(IDC_KEYEDIT_KEYS, OnKeyChanged)
    ON_BN_CLICKED(IDC_KEYEDIT_RESET, OnReset)
END_MESSAGE_MAP()

KeyEdit::KeyEdit(CWnd* pParent) : CDialog(IDD_KEYEDIT, pParent)
{
}

CString KeyEdit::GetShortcutFile() const
{
    if (!m_strShortcutFile.IsEmpty())
        return m_strShortcutFile;
    return GetProgramFolder() + GetIniString("MAIN", "ShortcutsXML");
}

void KeyEdit::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KEYEDIT_HEADER, m_header);
    DDX_Control(pDX, IDC_KEYEDIT_COMMAND, m_command);
    DDX_Control(pDX, IDC_KEYEDIT_CTRL, m_ctrl);
    DDX_Control(pDX, IDC_KEYEDIT_ALT, m_alt);
    DDX_Control(pDX, IDC_KEYEDIT_SHIFT, m_shift);
    DDX_Control(pDX, IDC_KEYEDIT_KEYS, m_keys);
    DDX_Control(pDX, IDC_KEYEDIT_STATE, m_state);
    DDX_Control(pDX, IDOK, m_save);
}

BOOL KeyEdit::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_header.SetCaption("Edit Keyboard Shortcut");
    m_header.Invalidate();
    m_keys.ResetContent();
    for (const char* name : kKeyListOrder)
        m_keys.AddString(name);
    m_command.SetWindowText(m_strAction);

    const ShortcutEntry* row = FindShortcutRow(ShortcutTable, m_strAction);
    m_bMapped = row != nullptr;
    if (row) {
        m_mapped = *row;
        m_ctrl.SetCheck((row->flags & kShortcutControl) ? BST_CHECKED : BST_UNCHECKED);
        m_alt.SetCheck((row->flags & kShortcutAlt) ? BST_CHECKED : BST_UNCHECKED);
        m_shift.SetCheck((row->flags & kShortcutShift) ? BST_CHECKED : BST_UNCHECKED);
        m_keys.SelectString(-1, row->keyName);
        m_state.SetWindowText("Key is mapped");
    } else {
        m_mapped = ShortcutEntry();
        m_state.SetWindowText("Not mapped");
        m_ctrl.SetCheck(BST_UNCHECKED);
        m_alt.SetCheck(BST_UNCHECKED);
        m_shift.SetCheck(BST_UNCHECKED);
    }
    m_save.EnableWindow(FALSE);
    m_bRemove = false;
    return TRUE;
}

void KeyEdit::OnFlagClicked()
{
    m_save.EnableWindow(TRUE);
}

void KeyEdit::OnKeyChanged()
{
    m_save.EnableWindow(TRUE);
}

void KeyEdit::OnReset()
{
    m_ctrl.SetCheck(BST_UNCHECKED);
    m_alt.SetCheck(BST_UNCHECKED);
    m_shift.SetCheck(BST_UNCHECKED);
    m_keys.SetCurSel(-1);
    m_bRemove = true;
    m_save.EnableWindow(TRUE);
}

void KeyEdit::OnOK()
{
    if (m_bRemove) {
        if (m_bMapped)
            RemoveShortcut(m_mapped);
    } else {
        const int selected = m_keys.GetCurSel();
        if (selected < 0) {
            // A shortcut needs a key: the dialog stays open and nothing changes.
            ShowMessage("Choose a key to use for the shortcut, or press Reset to remove it.");
            return;
        }
        ShortcutEntry entry;
        m_keys.GetLBText(selected, entry.keyName);
        m_command.GetWindowText(entry.actionName);
        entry.flags = kShortcutVirtKey;
        if (m_ctrl.GetCheck() == BST_CHECKED)
            entry.flags |= kShortcutControl;
        if (m_alt.GetCheck() == BST_CHECKED)
            entry.flags |= kShortcutAlt;
        if (m_shift.GetCheck() == BST_CHECKED)
            entry.flags |= kShortcutShift;
        StoreShortcut(entry);
    }
    if (!SaveShortcutFile(GetShortcutFile()))
        ShowMessage("The shortcut file could not be saved: " + GetShortcutFile());
    EndDialog(IDOK);
}
