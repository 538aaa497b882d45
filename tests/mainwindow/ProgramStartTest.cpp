// TavrixVJ.exe under Wine: it starts in order on its skin's rectangle,
// shuts down in order however it is closed, saving its settings, and falls
// back to the Default skin when the chosen one is broken.
#include "tests/support/ProgramRun.h"

#include <windows.h>

using namespace tavrix_test;

namespace {

const std::vector<std::string> kStartLines = {
    "Program run started", "Commands mapped", "Skin loaded", "Accel table created",
    "Controller mapping completed", "Main window shown",
};
const std::vector<std::string> kExitLines = {
    "Shutdown started", "Timers stopped", "Lib closed, Settings saved", "Pointers deleted",
    "Accel table destroyed", "Shutdown complete",
};

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void ExpectSettingsSaved(const ProgramRun& run)
{
    // DECKB had no keys: the shutdown wrote them. DECKA's are the deck's
    // own at exit: its stored EQ low of 60 was held to the EQ range (50)
    // when the deck was set up.
    EXPECT_EQ("0", run.Setting("DECKB", "Gain"));
    EXPECT_EQ("0", run.Setting("DECKB", "EQOn"));
    EXPECT_EQ("50", run.Setting("DECKA", "EQLow"));
    EXPECT_EQ("33", run.Setting("DECKA", "Gain"));
    EXPECT_EQ("1", run.Setting("DECKA", "EQOn"));
    EXPECT_EQ("0", run.Setting("DECKC", "EQOn"));   // the Default skin makes deck C
}

const char kDecks[] = "[DECKA]\r\nEQOn=1\r\nGain=33\r\nEQLow=60\r\n";

class Program : public ::testing::Test
{
protected:
    ProgramRun m_run;
    void SetUp() override { ASSERT_TRUE(m_run.Ready()) << "cannot copy " << ImageDir(); }
};

TEST_F(Program, StartsOnTheSkinRectangleAndTheCloseCommandShutsDownInOrder)
{
    ASSERT_TRUE(m_run.WriteSettings(TestSettings("", kDecks)));
    ASSERT_TRUE(m_run.Start());
    HWND hWnd = m_run.WaitForMainWindow();
    ASSERT_NE(nullptr, hWnd) << "no main window appeared";

    RECT r;
    ASSERT_TRUE(GetWindowRect(hWnd, &r));
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(1024, r.right);
    EXPECT_EQ(768, r.bottom);
    EXPECT_EQ(0, GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION);

    // The smallest size the user may drag it to.
    MINMAXINFO info = {};
    SendMessageA(hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(800, info.ptMinTrackSize.x);
    EXPECT_EQ(554, info.ptMinTrackSize.y);

    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 27005, 0));
    EXPECT_EQ(0, m_run.WaitForExit());
    EXPECT_TRUE(InOrder(m_run.LogLines(), Joined(kStartLines, kExitLines)));
    ExpectSettingsSaved(m_run);
}

TEST_F(Program, ClosedFromOutsideItSavesTheSameWay)
{
    const struct { UINT message; WPARAM wParam; const char* how; } closes[] = {
        {WM_CLOSE, 0, "WM_CLOSE"},
        {WM_SYSCOMMAND, SC_CLOSE, "SC_CLOSE"},
        {WM_COMMAND, IDCANCEL, "IDCANCEL"},
    };
    for (const auto& c : closes) {
        ProgramRun run;
        ASSERT_TRUE(run.Ready());
        ASSERT_TRUE(run.WriteSettings(TestSettings("", kDecks)));
        ASSERT_TRUE(run.Start());
        HWND hWnd = run.WaitForMainWindow();
        ASSERT_NE(nullptr, hWnd) << c.how;
        ASSERT_TRUE(PostMessageA(hWnd, c.message, c.wParam, 0)) << c.how;
        EXPECT_EQ(0, run.WaitForExit()) << c.how;
        EXPECT_TRUE(InOrder(run.LogLines(), Joined(kStartLines, kExitLines))) << c.how;
        ExpectSettingsSaved(run);
    }
}

TEST_F(Program, ABrokenSkinFallsBackToTheDefaultSkin)
{
    // Root present, background missing.
    ASSERT_TRUE(WriteFileBytes(m_run.File("Skins\\Broken.xml"), "<TavrixVJSkin><thumb image=\"t.bmp\"/></TavrixVJSkin>"));
    ASSERT_TRUE(m_run.WriteSettings(TestSettings("", "", "Broken")));
    ASSERT_TRUE(m_run.Start());
    HWND hWnd = m_run.WaitForMainWindow();
    ASSERT_NE(nullptr, hWnd) << "no main window appeared";
    RECT r;
    ASSERT_TRUE(GetWindowRect(hWnd, &r));
    EXPECT_EQ(1024, r.right - r.left);
    EXPECT_EQ(768, r.bottom - r.top);
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 27005, 0));
    EXPECT_EQ(0, m_run.WaitForExit());
    const std::vector<std::string> lines = m_run.LogLines();
    EXPECT_TRUE(InOrder(lines, {"Program run started", "Skin not loaded: " + m_run.File("Skins\\Broken.xml"),
                                "Default skin loaded instead", "Skin loaded", "Main window shown"}));
    // The user's choice stays in the settings.
    EXPECT_EQ("Broken.xml", m_run.Setting("MAIN", "SkinXML"));
}

TEST_F(Program, WithoutAnySkinItSaysSoAndEndsWithoutAWindow)
{
    ASSERT_TRUE(DeleteFileA(m_run.File("Skins\\Default.xml").c_str()));
    ASSERT_TRUE(m_run.WriteSettings(TestSettings()));
    ASSERT_TRUE(m_run.Start());
    EXPECT_EQ(nullptr, m_run.WaitForMainWindow(5000));
    EXPECT_EQ(0, m_run.WaitForExit());
    EXPECT_TRUE(InOrder(m_run.LogLines(), {"Program run started", "Skin not loaded: " + m_run.File("Skins\\Default.xml"),
                                           "Default skin not loaded either: the program ends"}));
}

TEST_F(Program, WithoutTheLogNothingIsWritten)
{
    ASSERT_TRUE(WriteFileBytes(m_run.File("TXLOG.txt"), "[00:00:00]an older run\r\n"));
    ASSERT_TRUE(m_run.WriteSettings(TestSettings("Logging=0\r\n")));
    ASSERT_TRUE(m_run.Start());
    HWND hWnd = m_run.WaitForMainWindow();
    ASSERT_NE(nullptr, hWnd);
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 27005, 0));
    EXPECT_EQ(0, m_run.WaitForExit());
    EXPECT_EQ(std::vector<std::string>{"an older run"}, m_run.LogLines());
}

TEST_F(Program, AFreshInstallShowsTheNoticeOnce)
{
    // The shipped settings: the first run shows the notice.
    ASSERT_TRUE(m_run.Start());
    HWND notice = m_run.WaitForNotice();
    ASSERT_NE(nullptr, notice) << "no first-run notice";
    EXPECT_EQ(nullptr, m_run.WaitForMainWindow(200));   // the main window waits for it
    char text[64] = {};
    GetDlgItemTextA(notice, 1, text, sizeof text);
    EXPECT_STREQ("Continue", text);
    GetDlgItemTextA(notice, 2, text, sizeof text);
    EXPECT_STREQ("No Thanks", text);
    ASSERT_TRUE(PostMessageA(notice, WM_COMMAND, IDCANCEL, 0));
    HWND hWnd = m_run.WaitForMainWindow();
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ("0", m_run.Setting("MAIN", "NewInstall"));
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 27005, 0));
    EXPECT_EQ(0, m_run.WaitForExit());

    // The second start goes straight to the main window.
    ASSERT_TRUE(m_run.Start());
    EXPECT_EQ(nullptr, m_run.WaitForNotice(0));
    hWnd = m_run.WaitForMainWindow();
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, m_run.WaitForNotice(0));
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 27005, 0));
    EXPECT_EQ(0, m_run.WaitForExit());
}

} // namespace
