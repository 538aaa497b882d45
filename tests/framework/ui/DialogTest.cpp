// Dialogs from templates: modal (from a resource and from memory) ended by
// posted messages, modeless, data exchange both ways, and the modal loop's
// handling of WM_QUIT.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestResources.h"
#include "UiTestSupport.h"

using namespace ui_test;

namespace {

const UINT WM_TEST_END = WM_APP + 10;
const UINT WM_TEST_EDIT = WM_APP + 11;
const UINT_PTR kSafetyTimer = 99;

// Every test dialog ends itself after 10 s at the latest, so no test hangs.
class TimedDialog : public CDialog
{
    DECLARE_MESSAGE_MAP()
public:
    using CDialog::CDialog;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetTimer(kSafetyTimer, 10000);
        return TRUE;
    }
    void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == kSafetyTimer)
            EndDialog(-99);
    }
};

BEGIN_MESSAGE_MAP(TimedDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// Ends with the code a posted message carries.
class PostedEndDialog : public TimedDialog
{
    DECLARE_MESSAGE_MAP()
public:
    PostedEndDialog() : TimedDialog(IDD_PLAIN) {}
    BOOL OnInitDialog() override
    {
        TimedDialog::OnInitDialog();
        m_ownerEnabledDuring = m_pParentWnd ? m_pParentWnd->IsWindowEnabled() : -1;
        PostMessage(WM_TEST_END, 42);
        return TRUE;
    }
    LRESULT OnTestEnd(WPARAM wParam, LPARAM)
    {
        EndDialog(static_cast<int>(wParam));
        return 0;
    }
    int m_ownerEnabledDuring = -1;
};

BEGIN_MESSAGE_MAP(PostedEndDialog, TimedDialog)
    ON_MESSAGE(WM_TEST_END, &PostedEndDialog::OnTestEnd)
END_MESSAGE_MAP()

// Exchanges its members with the template's controls; the "user" edits the
// controls through raw messages posted after OnInitDialog.
class ExchangeDialog : public TimedDialog
{
    DECLARE_MESSAGE_MAP()
public:
    ExchangeDialog() : TimedDialog(IDD_EXCHANGE) {}

    CString m_name = "Deck A";
    int m_count = 7;
    int m_enabled = 1;
    int m_choice = 1;
    int m_slider = 30;
    CListCtrl m_tracks;
    CComboBox m_choices;
    CSliderCtrl m_sliderCtrl;

    // Filled in at OnInitDialog: what the controls showed.
    std::string m_shownName, m_shownCount;
    int m_shownCheck = -1, m_shownChoice = -1, m_shownSlider = -1;
    BOOL m_tracksBound = FALSE;
    // What the user types before OK.
    std::string m_typedCount = "12";

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_TRACKS, m_tracks);
        DDX_Control(pDX, IDC_CHOICE, m_choices);
        DDX_Control(pDX, IDC_SLIDER, m_sliderCtrl);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDX_Check(pDX, IDC_ENABLED, m_enabled);
        DDX_CBIndex(pDX, IDC_CHOICE, m_choice);
        DDX_Slider(pDX, IDC_SLIDER, m_slider);
    }

    BOOL OnInitDialog() override
    {
        // The combo's items must exist before the exchange selects one; the
        // controls are bound by the exchange itself, so fill through raw calls.
        HWND hCombo = ::GetDlgItem(m_hWnd, IDC_CHOICE);
        for (const char* s : {"Off", "Low", "High"})
            ::SendMessageA(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        ::SendDlgItemMessageA(m_hWnd, IDC_SLIDER, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        TimedDialog::OnInitDialog();

        char buffer[64] = {};
        ::GetDlgItemTextA(m_hWnd, IDC_NAME, buffer, sizeof buffer);
        m_shownName = buffer;
        ::GetDlgItemTextA(m_hWnd, IDC_COUNT, buffer, sizeof buffer);
        m_shownCount = buffer;
        m_shownCheck = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_ENABLED, BM_GETCHECK, 0, 0));
        m_shownChoice = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_CHOICE, CB_GETCURSEL, 0, 0));
        m_shownSlider = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_SLIDER, TBM_GETPOS, 0, 0));
        m_tracksBound = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IDC_TRACKS)) == &m_tracks;

        PostMessage(WM_TEST_EDIT);
        return TRUE;
    }

    LRESULT OnTestEdit(WPARAM, LPARAM)
    {
        ::SetDlgItemTextA(m_hWnd, IDC_NAME, "Deck B");
        ::SetDlgItemTextA(m_hWnd, IDC_COUNT, m_typedCount.c_str());
        ::SendDlgItemMessageA(m_hWnd, IDC_ENABLED, BM_SETCHECK, BST_UNCHECKED, 0);
        ::SendDlgItemMessageA(m_hWnd, IDC_CHOICE, CB_SETCURSEL, 2, 0);
        ::SendDlgItemMessageA(m_hWnd, IDC_SLIDER, TBM_SETPOS, TRUE, 55);
        PostMessage(WM_COMMAND, IDOK);
        // When OK is refused, the test's next step cancels.
        PostMessage(WM_COMMAND, IDCANCEL);
        return 0;
    }
};

BEGIN_MESSAGE_MAP(ExchangeDialog, TimedDialog)
    ON_MESSAGE(WM_TEST_EDIT, &ExchangeDialog::OnTestEdit)
END_MESSAGE_MAP()

} // namespace

TEST(Dialog, ModalFromResourceEndsByPostedMessageAndFreesItsOwner)
{
    AfxSetUnattendedPrompts(TRUE);
    CWnd owner;
    ASSERT_TRUE(CreateTopLevel(owner, "Owner"));
    PostedEndDialog dlg;
    dlg.m_pParentWnd = &owner;
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_EQ(0, dlg.m_ownerEnabledDuring);   // disabled while the dialog ran
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    // The same object runs again.
    EXPECT_EQ(42, dlg.DoModal());
    owner.DestroyWindow();
}

TEST(Dialog, DataExchangeRoundTrip)
{
    AfxSetUnattendedPrompts(TRUE);
    ExchangeDialog dlg;
    ASSERT_EQ(IDOK, dlg.DoModal());
    // Members to controls.
    EXPECT_EQ("Deck A", dlg.m_shownName);
    EXPECT_EQ("7", dlg.m_shownCount);
    EXPECT_EQ(BST_CHECKED, dlg.m_shownCheck);
    EXPECT_EQ(1, dlg.m_shownChoice);
    EXPECT_EQ(30, dlg.m_shownSlider);
    EXPECT_TRUE(dlg.m_tracksBound);
    // Controls to members.
    EXPECT_STREQ("Deck B", dlg.m_name);
    EXPECT_EQ(12, dlg.m_count);
    EXPECT_EQ(0, dlg.m_enabled);
    EXPECT_EQ(2, dlg.m_choice);
    EXPECT_EQ(55, dlg.m_slider);
    // The bound controls are released with the dialog's window.
    EXPECT_EQ(nullptr, dlg.m_tracks.m_hWnd);
}

TEST(Dialog, ExchangeThatDoesNotParseKeepsTheDialogOpen)
{
    RecordingAnswerer answerer(IDOK);
    ExchangeDialog dlg;
    dlg.m_typedCount = "twelve";
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(1u, answerer.m_calls.size());
    EXPECT_EQ("Please enter a number.", answerer.m_calls[0].text);
    EXPECT_EQ(7, dlg.m_count);   // unchanged by the failed exchange
}

namespace {

// A template in memory: a captioned dialog without controls.
std::vector<WORD> MemoryTemplate()
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t->cdit = 0;
    t->cx = 100;
    t->cy = 50;
    words.push_back(0);   // no menu
    words.push_back(0);   // the standard class
    for (const char* p = "Memory"; ; ++p) {
        words.push_back(static_cast<WORD>(*p));
        if (!*p)
            break;
    }
    return words;
}

class CloseOnInit : public TimedDialog
{
public:
    BOOL OnInitDialog() override
    {
        TimedDialog::OnInitDialog();
        char caption[32] = {};
        ::GetWindowTextA(m_hWnd, caption, sizeof caption);
        m_caption = caption;
        PostMessage(WM_CLOSE);
        return TRUE;
    }
    std::string m_caption;
};

class EndInInit : public TimedDialog
{
public:
    EndInInit() : TimedDialog(IDD_PLAIN) {}
    BOOL OnInitDialog() override
    {
        TimedDialog::OnInitDialog();
        EndDialog(7);
        return TRUE;
    }
};

class QuitInInit : public TimedDialog
{
public:
    QuitInInit() : TimedDialog(IDD_PLAIN) {}
    BOOL OnInitDialog() override
    {
        TimedDialog::OnInitDialog();
        ::PostQuitMessage(3);
        return TRUE;
    }
};

} // namespace

TEST(Dialog, ModalFromMemoryTemplateEndsOnWmClose)
{
    std::vector<WORD> words = MemoryTemplate();
    CloseOnInit dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(reinterpret_cast<LPCDLGTEMPLATEA>(words.data())));
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ("Memory", dlg.m_caption);
}

TEST(Dialog, EndDialogDuringInitEndsBeforeTheLoop)
{
    EndInInit dlg;
    EXPECT_EQ(7, dlg.DoModal());
}

TEST(Dialog, WmQuitEndsTheModalLoopAndIsPassedOn)
{
    QuitInInit dlg;
    EXPECT_EQ(-1, dlg.DoModal());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST(Dialog, MissingTemplateFailsWithoutAWindow)
{
    TimedDialog dlg(12345u);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(dlg.Create(12345u));
}

namespace {

class ModelessDialog : public CDialog
{
    DECLARE_MESSAGE_MAP()
public:
    int m_applied = 0;
    int m_postNcDestroy = 0;
    void OnApply() { ++m_applied; }
    void PostNcDestroy() override { ++m_postNcDestroy; }
};

BEGIN_MESSAGE_MAP(ModelessDialog, CDialog)
    ON_BN_CLICKED(IDC_APPLY, &ModelessDialog::OnApply)
END_MESSAGE_MAP()

} // namespace

TEST(Dialog, ModelessFromResourceDrivenByPostedMessages)
{
    CWnd owner;
    ASSERT_TRUE(CreateTopLevel(owner, "Owner"));
    ModelessDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_PLAIN, &owner));
    EXPECT_TRUE(owner.IsWindowEnabled());   // modeless: the owner stays usable
    EXPECT_EQ(owner.m_hWnd, ::GetWindow(dlg.m_hWnd, GW_OWNER));
    dlg.ShowWindow(SW_SHOW);
    // A real click on the template's button.
    HWND hApply = ::GetDlgItem(dlg.m_hWnd, IDC_APPLY);
    ASSERT_NE(nullptr, hApply);
    ::PostMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), reinterpret_cast<LPARAM>(hApply));
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_applied == 1; }));
    // Cancel hides a modeless dialog; it stays alive until destroyed.
    ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpUntil([&] { return !dlg.IsWindowVisible(); }));
    EXPECT_NE(nullptr, dlg.m_hWnd);
    ASSERT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(1, dlg.m_postNcDestroy);
    owner.DestroyWindow();
}
