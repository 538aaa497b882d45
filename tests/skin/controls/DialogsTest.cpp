// The dialog base's header, the message dialog (its text, colours, OK and
// the message seam of ShowMessage), the splash (its picture, its status
// line dropping text before it exists, the line made transparent) and the
// filter edit.
#include <gtest/gtest.h>

#include "SkinTestHost.h"
#include "foundation/app/MessageTexts.h"
#include "framework/ui/Prompts.h"
#include "skin/dialogs/TXVDialog.h"
#include "skin/dialogs/TXVEditCtrl.h"
#include "skin/dialogs/TXVMsg.h"
#include "skin/splash/TXVSplash.h"

using widget_test::DibSurface;

namespace {

const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// A header dialog on the message dialog's template.
class HeaderDialog : public TXVDialog
{
public:
    HeaderDialog() : TXVDialog(IDD_TXVMSG, nullptr) {}
};

std::unique_ptr<DibSurface> DrawWindow(HWND window)
{
    return skin_test::DrawClient(window);
}

// Answers the prompt seam and remembers what it was asked.
class Recorder : public CPromptAnswerer
{
public:
    int MessageBox(HWND, const char* text, const char* caption, UINT) override
    {
        texts.push_back(std::string(caption) + "|" + text);
        return IDOK;
    }
    std::vector<std::string> texts;
};

// The message dialog a modal loop of this thread shows: read, then OK.
struct SeenDialog
{
    std::string text;
    std::string button;
    bool clicked = false;
} g_seen;

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    char name[32] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && ::GetDlgItem(window, IDC_TXVMSG_TEXT)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK PressOk(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    ::KillTimer(nullptr, timer);
    char text[256] = {};
    ::GetDlgItemTextA(dialog, IDC_TXVMSG_TEXT, text, sizeof text);
    g_seen.text = text;
    ::GetDlgItemTextA(dialog, IDC_TXVMSG_OK, text, sizeof text);
    g_seen.button = text;
    g_seen.clicked = true;
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TXVMSG_OK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_TXVMSG_OK)));
}

class DialogsTest : public ::testing::Test
{
protected:
    skin_test::TestHost m_host;
};

} // namespace

TEST_F(DialogsTest, HeaderBandsAreGreenWithoutTheirSettings)
{
    HeaderDialog dialog;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kGreen, dialog.GetHeaderColor(i));
    ASSERT_TRUE(dialog.Create(IDD_TXVMSG, nullptr));
    auto s = DrawWindow(dialog.m_hWnd);
    const int x = s->Width() - 4;
    EXPECT_EQ(kGreen, s->At(x, 10));
    EXPECT_EQ(kGreen, s->At(x, 35));
    EXPECT_EQ(RGB(0, 0, 0), s->At(x, 49)) << "the header's last row";
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), s->At(x, 60));
}

TEST_F(DialogsTest, HeaderBandsRunFromTheirTopToTheirBottomColours)
{
    m_host.ini["MAIN/DlgHdrGradT1"] = "FF0000";
    m_host.ini["MAIN/DlgHdrGradB1"] = "0000FF";
    m_host.ini["MAIN/DlgHdrGradT2"] = "000000";
    m_host.ini["MAIN/DlgHdrGradB2"] = "FFFFFF";
    HeaderDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TXVMSG, nullptr));
    auto s = DrawWindow(dialog.m_hWnd);
    const int x = s->Width() - 4;
    const COLORREF upperTop = s->At(x, 1), upperBottom = s->At(x, 19);
    const COLORREF lowerTop = s->At(x, 20), lowerBottom = s->At(x, 48);
    EXPECT_GT(GetRValue(upperTop), 200);
    EXPECT_LT(GetBValue(upperTop), 40);
    EXPECT_GT(GetBValue(upperBottom), 200);
    EXPECT_LT(GetRValue(upperBottom), 40);
    EXPECT_LT(GetRValue(lowerTop), 20);
    EXPECT_GT(GetRValue(lowerBottom), 220);
    // Grey rising through the lower band.
    EXPECT_LT(GetGValue(s->At(x, 25)), GetGValue(s->At(x, 40)));
}

TEST_F(DialogsTest, TheHeaderShowsTheBrandLineAndTheCaption)
{
    HeaderDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TXVMSG, nullptr));
    const RECT brand{70, 6, 260, 22}, caption{71, 24, 260, 42};
    dialog.SetHeaderText("");
    auto plain = DrawWindow(dialog.m_hWnd);
    EXPECT_GT(plain->Count(brand, kYellow), 40) << "the brand line";
    EXPECT_EQ(0, plain->Count(caption, kWhite)) << "no caption";
    dialog.SetHeaderText("Master Mixer");
    EXPECT_EQ(CString("Master Mixer"), dialog.GetHeaderText());
    auto captioned = DrawWindow(dialog.m_hWnd);
    EXPECT_GT(captioned->Count(caption, kWhite), 30);
    // The four dots down the header's left, in the default pen.
    for (int y : {10, 18, 26, 34})
        EXPECT_EQ(RGB(0, 0, 0), captioned->At(52, y + 2)) << y;
}

TEST_F(DialogsTest, TheMessageDialogShowsTheTextAsGivenOnIceBlue)
{
    const char* text = "Loop In needs to be less than loop out.\n\nA & B";
    TXVMsg dialog;
    dialog.SetMessage(text);
    ASSERT_TRUE(dialog.Create(IDD_TXVMSG, nullptr));
    char shown[256] = {};
    ::GetDlgItemTextA(dialog.m_hWnd, IDC_TXVMSG_TEXT, shown, sizeof shown);
    EXPECT_STREQ(text, shown);
    char ok[16] = {};
    ::GetDlgItemTextA(dialog.m_hWnd, IDC_TXVMSG_OK, ok, sizeof ok);
    EXPECT_STREQ("OK", ok);
    // The static controls and the dialog itself are coloured ice blue.
    DibSurface s(10, 10);
    for (UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLORDLG}) {
        HWND child = message == WM_CTLCOLORSTATIC ? ::GetDlgItem(dialog.m_hWnd, IDC_TXVMSG_TEXT) : dialog.m_hWnd;
        HBRUSH brush = reinterpret_cast<HBRUSH>(::SendMessageA(dialog.m_hWnd, message,
                                                               reinterpret_cast<WPARAM>(s.Dc()),
                                                               reinterpret_cast<LPARAM>(child)));
        LOGBRUSH lb{};
        ASSERT_TRUE(::GetObjectA(brush, sizeof lb, &lb));
        EXPECT_EQ(RGB(223, 234, 245), lb.lbColor);
        EXPECT_EQ(RGB(223, 234, 245), ::GetBkColor(s.Dc()));
    }
    // The text's font: Arial at 9 points.
    LOGFONTA lf{};
    ::GetObjectA(::GetCurrentObject(s.Dc(), OBJ_FONT), sizeof lf, &lf);
    EXPECT_STREQ("Arial", lf.lfFaceName);
    dialog.DestroyWindow();
}

TEST_F(DialogsTest, ShowMessageRunsTheMessageDialogUntilOk)
{
    InstallSkinMessageDialog();
    const BOOL unattended = AfxIsUnattendedPrompts();
    AfxSetUnattendedPrompts(FALSE);
    g_seen = SeenDialog();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, PressOk);
    ShowMessage("Unable to start comm server.");
    ::KillTimer(nullptr, timer);
    AfxSetUnattendedPrompts(unattended);
    SetMessageDialog(nullptr);
    EXPECT_TRUE(g_seen.clicked);
    EXPECT_EQ("Unable to start comm server.", g_seen.text);
    EXPECT_EQ("OK", g_seen.button);
}

TEST_F(DialogsTest, AnAnsweredRunShowsNoDialog)
{
    InstallSkinMessageDialog();
    Recorder recorder;
    CPromptAnswerer* before = AfxSetPromptAnswerer(&recorder);
    ShowMessage("Choose a key.");
    AfxSetPromptAnswerer(before);
    SetMessageDialog(nullptr);
    EXPECT_EQ(std::vector<std::string>({"Message|Choose a key."}), recorder.texts);
}

TEST_F(DialogsTest, TheSplashDropsTextBeforeItExistsAndShowsItsLineOverThePicture)
{
    TXVSplash splash;
    splash.GetStatusLine().SetText("too early");
    splash.SetStatus("too early");
    EXPECT_EQ(CString(""), splash.GetStatus());
    ASSERT_TRUE(splash.CreateSplash(nullptr));
    HWND picture = ::GetDlgItem(splash.m_hWnd, IDC_TXVSPLASH_PICTURE);
    ASSERT_NE(nullptr, picture);
    BITMAP bm{};
    ASSERT_TRUE(::GetObjectA(reinterpret_cast<HBITMAP>(::SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                             sizeof bm, &bm));
    EXPECT_EQ(500, bm.bmWidth);
    HWND line = ::GetDlgItem(splash.m_hWnd, IDC_TXVSPLASH_STATUS);
    ASSERT_EQ(splash.GetStatusLine().m_hWnd, line);
    EXPECT_FALSE(::GetWindowLongA(line, GWL_STYLE) & WS_VISIBLE) << "hidden until its timer";
    splash.ShowSplash();
    splash.SetStatus("Opening library...");
    EXPECT_EQ(CString("Opening library..."), splash.GetStatus());
    // The timer (10 ms) shows the line, transparent over the picture.
    for (int i = 0; i < 100 && !(::GetWindowLongA(line, GWL_STYLE) & WS_VISIBLE); ++i) {
        ::Sleep(5);
        skin_test::Pump();
    }
    ASSERT_TRUE(::GetWindowLongA(line, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(splash.GetStatusLine().IsTransparent());
    EXPECT_EQ(2, splash.GetStatusLine().GetAlign());
    auto s = DrawWindow(line);
    EXPECT_EQ(RGB(20, 28, 50), s->At(2, 2)) << "the picture under the line";
    EXPECT_EQ(0, s->Count(RECT{0, 0, 60, s->Height()}, kWhite)) << "right-aligned";
    EXPECT_GT(s->Count(RECT{s->Width() - 100, 0, s->Width(), s->Height()}, kWhite), 10);
    splash.FadeOut(0);
    EXPECT_EQ(nullptr, splash.m_hWnd);
}

TEST_F(DialogsTest, TheFilterEditFiltersAtEveryChangeAndTheSearchEditWaits)
{
    for (int mode : {TXVEditCtrl::MODE_FILTER, TXVEditCtrl::MODE_SEARCH}) {
        m_host.filterCalls.clear();
        TXVEditCtrl edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &m_host.window, 0x1234));
        edit.SetEditMode(mode);
        edit.SetWindowText("ab");
        edit.SetWindowText("a");
        edit.SetWindowText("");
        if (mode == TXVEditCtrl::MODE_FILTER)
            EXPECT_EQ(std::vector<std::string>({"title:ab", "title:a", "off"}), m_host.filterCalls);
        else
            EXPECT_TRUE(m_host.filterCalls.empty());
    }
}
