// The program's message dialog for external control's window tests: it
// records each text instead of waiting for a user, while the object lives.
#pragma once

#include <string>
#include <vector>

#include "foundation/app/MessageDialog.h"

class RecordingMessages : public MessageDialog
{
public:
    RecordingMessages() : m_previous(SetMessageDialog(this)) {}
    ~RecordingMessages() override { SetMessageDialog(m_previous); }
    RecordingMessages(const RecordingMessages&) = delete;
    RecordingMessages& operator=(const RecordingMessages&) = delete;

    void ShowModal(const CString& text) override { shown.push_back(text.GetString()); }

    std::vector<std::string> shown;

private:
    MessageDialog* m_previous;
};
