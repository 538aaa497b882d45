#include "foundation/app/MessageTexts.h"

#include "foundation/app/IniAccess.h"
#include "foundation/app/MessageDialog.h"

#include <windows.h>

#include <atomic>

namespace {

// Until the skinned dialog is put in place: a plain box with its title.
class MessageBoxDialog : public MessageDialog
{
public:
    void ShowModal(const CString& text) override
    {
        MessageBoxA(nullptr, text, "Message", MB_OK);
    }
};

MessageBoxDialog g_messageBox;
std::atomic<MessageDialog*> g_dialog{nullptr};

const char* NoticeKey(int id)
{
    switch (id) {
    case MSG_BADLINK: return "MSG_BADLINK";
    case MSG_AUTOQEMPTY: return "MSG_AUTOQEMPTY";
    case MSG_NOTINLIB: return "MSG_NOTINLIB";
    case MSG_DECKRNDPLAY: return "MSG_DECKRNDPLAY";
    case MSG_BADTRACK: return "MSG_BADTRACK";
    case MSG_MIDIERROR: return "MSG_MIDIERROR";
    default: return nullptr;
    }
}

} // namespace

MessageDialog* SetMessageDialog(MessageDialog* dialog)
{
    return g_dialog.exchange(dialog);
}

void ShowMessage(const CString& text)
{
    MessageDialog* dialog = g_dialog.load();
    (dialog ? dialog : &g_messageBox)->ShowModal(text);
}

void ShowMessageById(int id)
{
    CString text;
    if (const char* key = NoticeKey(id)) {
        text = GetIniString("MSGTEXT", key);
        text.Replace('|', '\n');
    }
    ShowMessage(text);
}
