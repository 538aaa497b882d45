// The pump, the Escape check with its prompt, and the genre combo.
#include "library/state/MessagePump.h"
#include "foundation/genres/GenreNames.h"
#include "library/api/VIZU.h"

#include "framework/ui/Prompts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

int g_dispatched = 0;
std::vector<UINT> g_keys;

LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_APP + 5)
        ++g_dispatched;
    if (m >= WM_KEYFIRST && m <= WM_KEYLAST)
        g_keys.push_back(m);
    return DefWindowProcA(h, m, w, l);
}

class Answerer : public CPromptAnswerer
{
public:
    int answer = IDOK;
    int asked = 0;
    std::string text, caption;
    UINT type = 0;
    HWND owner = reinterpret_cast<HWND>(1);
    int MessageBox(HWND hOwner, const char* t, const char* c, UINT ty) override
    {
        ++asked;
        owner = hOwner;
        text = t;
        caption = c;
        type = ty;
        return answer;
    }
};

class Pump : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = CountingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KVCorePumpTarget";
        RegisterClassA(&wc);
        wnd = CreateWindowA("KVCorePumpTarget", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            wc.hInstance, nullptr);
        ASSERT_NE(nullptr, wnd);
        other = CreateWindowA("KVCorePumpTarget", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
        // Start from an empty queue.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        g_dispatched = 0;
        g_keys.clear();
        previous = AfxSetPromptAnswerer(&answerer);
    }
    void TearDown() override
    {
        AfxSetPromptAnswerer(previous);
        DestroyWindow(wnd);
        DestroyWindow(other);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    void PostKey(HWND h, UINT message, WPARAM key) { PostMessageA(h, message, key, 0); }
    bool KeyWaiting(HWND h)
    {
        MSG msg;
        return PeekMessageA(&msg, h, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE) != 0;
    }

    HWND wnd = nullptr;
    HWND other = nullptr;
    Answerer answerer;
    CPromptAnswerer* previous = nullptr;
};

} // namespace

TEST_F(Pump, ProcessMessagesRunsEveryWaitingMessageAndReturnsWhenEmpty)
{
    VIZU::ProcessMessages();   // empty queue: returns at once
    EXPECT_EQ(0, g_dispatched);
    for (int i = 0; i < 3; ++i)
        PostMessageA(wnd, WM_APP + 5, 0, 0);
    VIZU::ProcessMessages();
    EXPECT_EQ(3, g_dispatched);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_APP + 5, WM_APP + 5, PM_NOREMOVE));
}

TEST_F(Pump, ProcessMessagesLeavesAQuitForTheLoopOutside)
{
    PostMessageA(wnd, WM_APP + 5, 0, 0);
    PostQuitMessage(3);
    VIZU::ProcessMessages();
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST_F(Pump, EscapeDownAsksAndOkAborts)
{
    struct Case { int answer; bool abort; };
    for (const Case& c : {Case{IDOK, true}, Case{IDCANCEL, false}}) {
        answerer.answer = c.answer;
        answerer.asked = 0;
        PostKey(wnd, WM_KEYDOWN, VK_ESCAPE);
        EXPECT_EQ(c.abort, EscapeAbortPrompt(wnd));
        EXPECT_EQ(1, answerer.asked);
        EXPECT_FALSE(KeyWaiting(wnd));
    }
    EXPECT_EQ("ABORT?\nPress OK to abort, Cancel to continue", answerer.text);
    EXPECT_EQ("Kelvane Library Manager", answerer.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), answerer.type);
    EXPECT_EQ(nullptr, answerer.owner);
    EXPECT_TRUE(g_keys.empty());   // the key never reached the window
}

TEST_F(Pump, OtherKeyMessagesAreDroppedOnePerCallWithoutAsking)
{
    struct Case { UINT message; WPARAM key; };
    const Case cases[] = {
        {WM_KEYUP, VK_ESCAPE}, {WM_CHAR, 27}, {WM_KEYDOWN, 'A'}, {WM_SYSKEYDOWN, VK_ESCAPE},
    };
    for (const Case& c : cases)
        PostKey(wnd, c.message, c.key);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_TRUE(KeyWaiting(wnd));
        EXPECT_FALSE(EscapeAbortPrompt(wnd));
    }
    EXPECT_FALSE(KeyWaiting(wnd));
    EXPECT_FALSE(EscapeAbortPrompt(wnd));   // nothing waiting
    EXPECT_EQ(0, answerer.asked);
    EXPECT_TRUE(g_keys.empty());
}

TEST_F(Pump, TheWindowArgumentLimitsWhichKeysAreLookedAt)
{
    PostKey(other, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(EscapeAbortPrompt(wnd));
    EXPECT_EQ(0, answerer.asked);
    EXPECT_TRUE(KeyWaiting(other));
    answerer.answer = IDOK;
    EXPECT_TRUE(EscapeAbortPrompt(nullptr));   // every window of the thread
    EXPECT_EQ(1, answerer.asked);
    EXPECT_FALSE(KeyWaiting(other));
}

TEST_F(Pump, KeysOfChildWindowsCount)
{
    HWND child = CreateWindowA("KVCorePumpTarget", "", WS_CHILD, 0, 0, 5, 5, wnd, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, child);
    answerer.answer = IDOK;
    PostKey(child, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(EscapeAbortPrompt(wnd));
    EXPECT_EQ(1, answerer.asked);
    DestroyWindow(child);
}

TEST_F(Pump, AnEscapeBehindAnotherKeyNeedsASecondCall)
{
    answerer.answer = IDOK;
    PostKey(wnd, WM_KEYDOWN, 'B');
    PostKey(wnd, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(EscapeAbortPrompt(wnd));
    EXPECT_TRUE(EscapeAbortPrompt(wnd));
}

namespace {

DWORD g_now = 0;
DWORD FakeClock()
{
    return g_now;
}

} // namespace

// A loop's pump runs at its first step and then only when 20 ms have
// passed since it last ran, whatever the clock did meanwhile.
TEST_F(Pump, ALoopPumpRunsAtTheFirstStepThenEvery20Ms)
{
    struct Step { DWORD now; bool runs; };
    const Step steps[] = {{1000, true}, {1000, false}, {1005, false}, {1019, false}, {1020, true},
                          {1039, false}, {1100, true}, {1101, false},
                          // the tick count wrapping around
                          {0xFFFFFFF0u, true}, {0xFFFFFFFFu, false}, {4, true}};
    LoopPump pump(FakeClock);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.now);
        g_now = step.now;
        PostMessageA(wnd, WM_APP + 5, 0, 0);
        const int dispatched = g_dispatched;
        const long runs = PumpRuns();
        EXPECT_EQ(step.runs, pump.Step());
        EXPECT_EQ(step.runs ? 1 : 0, PumpRuns() - runs);
        // Messages left waiting at a step that did not pump run at the next pump.
        EXPECT_EQ(step.runs, g_dispatched > dispatched);
    }
}

// The loops that may be stopped look at the keys only when the pump is
// due: a key typed meanwhile waits for that moment.
TEST_F(Pump, ALoopsEscapeCheckComesWithItsPump)
{
    LoopPump pump(FakeClock);
    g_now = 500;
    EXPECT_FALSE(pump.StepOrAbort(nullptr));
    PostKey(wnd, WM_KEYDOWN, VK_ESCAPE);
    answerer.answer = IDOK;
    g_now = 510;
    EXPECT_FALSE(pump.StepOrAbort(nullptr));
    EXPECT_EQ(0, answerer.asked);
    EXPECT_TRUE(KeyWaiting(wnd));
    g_now = 520;
    const long runs = PumpRuns();
    EXPECT_TRUE(pump.StepOrAbort(nullptr));
    EXPECT_EQ(1, answerer.asked);
    EXPECT_EQ(runs, PumpRuns()) << "no pump after the user chose to stop";

    // Cancel: the loop goes on and the pump runs.
    PostKey(wnd, WM_KEYDOWN, VK_ESCAPE);
    answerer.answer = IDCANCEL;
    g_now = 540;
    EXPECT_FALSE(pump.StepOrAbort(nullptr));
    EXPECT_EQ(2, answerer.asked);
    EXPECT_EQ(runs + 1, PumpRuns());
}

TEST(GenreCombo, FillsTheListedNamesWithTheirNumbers)
{
    HWND combo = CreateWindowA("COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, combo);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("already there"));
    EXPECT_EQ(0, FillGenreCombo(combo));
    ASSERT_EQ(127, SendMessageA(combo, CB_GETCOUNT, 0, 0));
    struct Case { int number; const char* name; };
    const Case cases[] = {
        {0, "Blues"}, {12, "Other"}, {40, "AlternRock"}, {67, "Psychadelic"}, {79, "Hard Rock"},
        {80, "Folk"}, {100, "Humour"}, {123, "A capella"}, {125, "Dance Hall"},
    };
    for (const Case& c : cases) {
        char text[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, c.number + 1, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(c.name, text) << c.number;
        EXPECT_STREQ(c.name, GenreName(c.number));
        // The data goes to the item at the genre's number.
        EXPECT_EQ(c.number, SendMessageA(combo, CB_GETITEMDATA, c.number, 0));
    }
    EXPECT_STREQ("Misc", GenreName(126));
    EXPECT_STREQ("Misc", GenreName(-1));
    DestroyWindow(combo);
}
