// Helpers of the window tests: pumping messages with a time-out, a prompt
// answerer that records what it was asked, and a top-level test window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/ui/AfxWin.h"

namespace ui_test {

// Pumps through the layer's pump (pre-translation included) until done()
// or timeoutMs passed; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Pumps what is queued now.
void PumpPending();

struct PromptCall
{
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// Answers message boxes with a fixed button and keeps every question.
class RecordingAnswerer : public CPromptAnswerer
{
public:
    explicit RecordingAnswerer(int answer = IDOK);
    ~RecordingAnswerer() override;
    int MessageBox(HWND hOwner, const char* text, const char* caption, UINT type) override;
    BOOL ChooseColor(CHOOSECOLORA& cc) override;

    int m_answer;
    COLORREF m_colour = RGB(1, 2, 3);
    std::vector<PromptCall> m_calls;

private:
    CPromptAnswerer* m_previous;
};

// A visible top-level window of the layer's own class.
BOOL CreateTopLevel(CWnd& wnd, const char* title, HWND hOwner = nullptr);

} // namespace ui_test
