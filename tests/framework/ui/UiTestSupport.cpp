#include "UiTestSupport.h"

#include <gtest/gtest.h>

namespace ui_test {

namespace {

// No prompt of this program may wait for a user: each test that wants an
// answer installs its own answerer.
class UnattendedPrompts : public ::testing::Environment
{
public:
    void SetUp() override { AfxSetUnattendedPrompts(TRUE); }
};

::testing::Environment* const g_unattended = ::testing::AddGlobalTestEnvironment(new UnattendedPrompts);

} // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return done();
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_QUIT)
                return done();
            AfxPumpMessage();
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT)
        AfxPumpMessage();
}

RecordingAnswerer::RecordingAnswerer(int answer)
    : m_answer(answer), m_previous(AfxSetPromptAnswerer(this))
{
}

RecordingAnswerer::~RecordingAnswerer()
{
    AfxSetPromptAnswerer(m_previous);
}

int RecordingAnswerer::MessageBox(HWND hOwner, const char* text, const char* caption, UINT type)
{
    m_calls.push_back({hOwner, text, caption, type});
    return m_answer;
}

BOOL RecordingAnswerer::ChooseColor(CHOOSECOLORA& cc)
{
    cc.rgbResult = m_colour;
    return TRUE;
}

BOOL CreateTopLevel(CWnd& wnd, const char* title, HWND hOwner)
{
    BOOL ok = wnd.CreateEx(0, nullptr, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, hOwner, nullptr);
    return ok;
}

} // namespace ui_test
