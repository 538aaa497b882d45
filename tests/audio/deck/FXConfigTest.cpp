// The FX dialog on a real window: its sliders and checks show the FX
// filter's settings, modes and the decks' filters; the effect buttons run
// the main window's commands; the filter boxes attach and detach.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "DeckRecorders.h"
#include "audio/fx/FXConfig.h"
#include "audio/fx/FxFilter.h"
#include "tests/support/ProgramFolder.h"

namespace {

using Strings = std::vector<std::string>;

UINT FourMixers() { return 4; }

} // namespace

class FXConfigTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        FxRestoreDefaults();
        m_previousMixers = DeckSetMixerCountSource(FourMixers);
        for (int i = 0; i < 2; ++i) {
            m_decks[i] = std::make_unique<RecordingDeck>(&m_host);
            m_host.decks[i] = m_decks[i].get();
            m_decks[i]->Init(m_host.DeckWindow(), i);
            m_decks[i]->Recorder()->ClearSent();
        }
    }
    void TearDown() override
    {
        if (m_dialog)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        for (auto& d : m_decks)
            d.reset();
        DeckSetMixerCountSource(m_previousMixers);
        FxRestoreDefaults();
    }

    FXConfig& Open()
    {
        m_dialog = std::make_unique<FXConfig>(&m_host);
        EXPECT_TRUE(m_dialog->CreateModeless());
        return *m_dialog;
    }
    HWND Item(UINT id) const { return ::GetDlgItem(m_dialog->GetSafeHwnd(), static_cast<int>(id)); }
    bool Checked(UINT id) const { return ::IsDlgButtonChecked(m_dialog->GetSafeHwnd(), static_cast<int>(id)) == BST_CHECKED; }
    void Click(UINT id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    int SliderPos(UINT id) const { return static_cast<int>(::SendMessageA(Item(id), TBM_GETPOS, 0, 0)); }
    void Scroll(UINT id, int position, int code)
    {
        ::SendMessageA(Item(id), TBM_SETPOS, TRUE, position);
        ::SendMessageA(m_dialog->GetSafeHwnd(), WM_HSCROLL, MAKEWPARAM(code, position),
                       reinterpret_cast<LPARAM>(Item(id)));
    }

    RecordingHost m_host;
    std::unique_ptr<RecordingDeck> m_decks[2];
    std::unique_ptr<FXConfig> m_dialog;

private:
    DeckMixerCountSource m_previousMixers = nullptr;
};

TEST_F(FXConfigTest, ShowsTheSettingsModesAndFilters)
{
    FxSetMode(1, FX_FLANGE);
    m_decks[0]->GetPlayer()->AttachFxFilter();
    FXConfig& dialog = Open();
    char caption[64] = {};
    ::GetWindowTextA(dialog.GetSafeHwnd(), caption, sizeof(caption));
    EXPECT_STREQ("Main Decks Audio FX", caption);
    EXPECT_EQ(20, SliderPos(IDC_FX_ROTATE_SPEED));
    EXPECT_EQ(3000, SliderPos(IDC_FX_ECHO_LENGTH));
    EXPECT_EQ(200, SliderPos(IDC_FX_FLANGE_LENGTH));
    EXPECT_EQ(10, ::SendMessageA(Item(IDC_FX_ROTATE_SPEED), TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(5000, ::SendMessageA(Item(IDC_FX_ECHO_LENGTH), TBM_GETRANGEMAX, 0, 0));
    EXPECT_EQ(350, ::SendMessageA(Item(IDC_FX_FLANGE_LENGTH), TBM_GETRANGEMAX, 0, 0));
    EXPECT_TRUE(Checked(IDC_FX_A_FILTER));
    EXPECT_FALSE(Checked(IDC_FX_B_FILTER));
    EXPECT_FALSE(Checked(IDC_FX_A_ROTATE) || Checked(IDC_FX_A_ECHO) || Checked(IDC_FX_A_FLANGE));
    EXPECT_TRUE(Checked(IDC_FX_B_FLANGE));
    EXPECT_FALSE(Checked(IDC_FX_B_ROTATE) || Checked(IDC_FX_B_ECHO));

    // Each showing reads the modes again.
    FxSetMode(0, FX_ECHO);
    dialog.ShowWindow(SW_SHOW);
    EXPECT_TRUE(Checked(IDC_FX_A_ECHO));
    dialog.ShowWindow(SW_HIDE);
}

TEST_F(FXConfigTest, EffectButtonsRunTheMainWindowsCommandsAndClearTheOtherTwo)
{
    Open();
    Click(IDC_FX_A_ROTATE);
    EXPECT_EQ(FX_ROTATE, FxGetMode(0));
    Click(IDC_FX_A_ECHO);
    EXPECT_EQ(FX_ECHO, FxGetMode(0));
    EXPECT_FALSE(Checked(IDC_FX_A_ROTATE));
    EXPECT_TRUE(Checked(IDC_FX_A_ECHO));
    Click(IDC_FX_A_ECHO); // the same effect again: off
    EXPECT_EQ(FX_NONE, FxGetMode(0));
    Click(IDC_FX_B_FLANGE);
    Click(IDC_FX_B_ROTATE);
    Click(IDC_FX_B_ECHO);
    EXPECT_EQ(FX_ECHO, FxGetMode(1));
    EXPECT_FALSE(Checked(IDC_FX_B_ROTATE) || Checked(IDC_FX_B_FLANGE));
    EXPECT_EQ(FX_NONE, FxGetMode(0)) << "deck B's buttons leave deck A";
    EXPECT_EQ((Strings{"RunDeckCommand(28122)", "RunDeckCommand(28123)", "RunDeckCommand(28123)",
                       "RunDeckCommand(28128)", "RunDeckCommand(28126)", "RunDeckCommand(28127)"}),
              m_host.calls);
}

TEST_F(FXConfigTest, SlidersSetTheSharedSettingsOnLineUpToThumbCodesOnly)
{
    Open();
    Scroll(IDC_FX_ROTATE_SPEED, 55, SB_THUMBPOSITION);
    EXPECT_FLOAT_EQ(0.000055f, FxGetRotateSpeed());
    Scroll(IDC_FX_ECHO_LENGTH, 1500, SB_LINEDOWN);
    EXPECT_EQ(1500, FxGetEchoLength());
    Scroll(IDC_FX_FLANGE_LENGTH, 42, SB_THUMBTRACK);
    EXPECT_EQ(42, FxGetFlangeLength());
    // Home, End and the end of a scroll carry no setting.
    Scroll(IDC_FX_FLANGE_LENGTH, 5, SB_TOP);
    Scroll(IDC_FX_FLANGE_LENGTH, 350, SB_BOTTOM);
    Scroll(IDC_FX_FLANGE_LENGTH, 100, SB_ENDSCROLL);
    EXPECT_EQ(42, FxGetFlangeLength());
    Scroll(IDC_FX_FLANGE_LENGTH, 100, SB_PAGEUP);
    EXPECT_EQ(100, FxGetFlangeLength());
}

TEST_F(FXConfigTest, FilterBoxesAttachAndDetachOnlyWhenNeeded)
{
    m_decks[1]->GetPlayer()->AttachFxFilter();
    m_decks[1]->Recorder()->ClearSent();
    Open();
    ASSERT_TRUE(Checked(IDC_FX_B_FILTER));
    // Checked while attached already: nothing is sent.
    ::SendMessageA(m_dialog->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_FX_B_FILTER, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Item(IDC_FX_B_FILTER)));
    EXPECT_TRUE(m_decks[1]->Recorder()->Sent().empty());
    Click(IDC_FX_B_FILTER); // unchecks
    ASSERT_EQ(1u, m_decks[1]->Recorder()->Sent().size());
    EXPECT_EQ(0u, m_decks[1]->Recorder()->Sent()[0].find("output_filter_remove function@"));
    EXPECT_FALSE(m_decks[1]->GetPlayer()->IsFxAttached());
    Click(IDC_FX_A_FILTER); // checks
    ASSERT_EQ(1u, m_decks[0]->Recorder()->Sent().size());
    EXPECT_EQ(0u, m_decks[0]->Recorder()->Sent()[0].find("output_filter_add function@"));
    EXPECT_TRUE(m_decks[0]->GetPlayer()->IsFxAttached());
}

TEST_F(FXConfigTest, DoneHidesTheDialog)
{
    FXConfig& dialog = Open();
    dialog.ShowWindow(SW_SHOW);
    ASSERT_TRUE(::IsWindowVisible(dialog.GetSafeHwnd()));
    Click(IDOK);
    EXPECT_FALSE(::IsWindowVisible(dialog.GetSafeHwnd()));
    EXPECT_TRUE(::IsWindow(dialog.GetSafeHwnd()));
}
