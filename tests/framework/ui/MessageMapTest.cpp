// Message maps on real windows: commands, ranges, notifications (also from
// controls with the 16-bit id -1), registered messages, reflection to the
// control with its hide-from-parent rule, handlers that throw, owner-drawn
// menu items, and the handle maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "framework/core/Exceptions.h"

using namespace ui_test;

namespace {

enum : UINT {
    ID_PLAY = 27101,
    ID_BASE_ONLY = 27102,
    ID_THROW_STD = 27103,
    ID_THROW_LAYER = 27104,
    ID_RANGE_FIRST = 27200,
    ID_RANGE_LAST = 27210,
    IDC_LIST = 600,
    IDC_BUTTON = 601,
    IDC_LABEL = 602,
};

const UINT g_registered = ::RegisterWindowMessageA("FrameworkUiTest.Registered");

typedef std::vector<std::string> Log;

class BaseWnd : public CWnd
{
    DECLARE_MESSAGE_MAP()
public:
    Log m_log;
    void OnPlayBase() { m_log.push_back("base:play"); }
    void OnBaseOnly() { m_log.push_back("base:only"); }
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_COMMAND(ID_PLAY, &BaseWnd::OnPlayBase)
    ON_COMMAND(ID_BASE_ONLY, &BaseWnd::OnBaseOnly)
END_MESSAGE_MAP()

class ParentWnd : public BaseWnd
{
    DECLARE_MESSAGE_MAP()
public:
    HBRUSH m_parentBrush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    int m_postNcDestroy = 0;

    void OnPlay() { m_log.push_back("parent:play"); }
    void OnRange(UINT nID) { m_log.push_back("parent:range " + std::to_string(nID)); }
    void OnUpdatePlay(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); m_log.push_back("parent:update"); }
    LRESULT OnApp(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    LRESULT OnRegistered(WPARAM wParam, LPARAM) { m_log.push_back("parent:registered"); return static_cast<LRESULT>(wParam) * 2; }
    void OnListClick(NMHDR*, LRESULT* pResult) { m_log.push_back("parent:click"); *pResult = 5; }
    void OnListDblClk(NMHDR*, LRESULT*) { m_log.push_back("parent:dblclk"); }
    void OnNegativeId(NMHDR* pNMHDR, LRESULT*) { m_log.push_back("parent:-1 " + std::to_string(pNMHDR->code == NM_RCLICK)); }
    void OnButtonClicked() { m_log.push_back("parent:clicked"); }
    void OnButtonDoubleClicked() { m_log.push_back("parent:doubleclicked"); }
    void OnThrowStd() { throw std::runtime_error("boom"); }
    void OnThrowLayer() { AfxThrowInvalidArgException(); }
    void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        m_log.push_back("parent:timer " + std::to_string(nIDEvent));
    }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor)
    {
        m_log.push_back("parent:ctlcolor " + std::to_string(nCtlColor));
        return m_parentBrush;
    }
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        if (lpDrawItemStruct->CtlType == ODT_MENU) {
            CWnd::OnDrawItem(nIDCtl, lpDrawItemStruct);   // menus go to their objects
            return;
        }
        m_log.push_back("parent:drawitem " + std::to_string(nIDCtl));
    }
    void PostNcDestroy() override { ++m_postNcDestroy; }
};

BEGIN_MESSAGE_MAP(ParentWnd, BaseWnd)
    ON_COMMAND(ID_PLAY, &ParentWnd::OnPlay)
    ON_UPDATE_COMMAND_UI(ID_PLAY, &ParentWnd::OnUpdatePlay)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, &ParentWnd::OnRange)
    ON_COMMAND(ID_THROW_STD, &ParentWnd::OnThrowStd)
    ON_COMMAND(ID_THROW_LAYER, &ParentWnd::OnThrowLayer)
    ON_MESSAGE(WM_APP + 1, &ParentWnd::OnApp)
    ON_REGISTERED_MESSAGE(g_registered, &ParentWnd::OnRegistered)
    ON_NOTIFY(NM_CLICK, IDC_LIST, &ParentWnd::OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_LIST, &ParentWnd::OnListDblClk)
    ON_NOTIFY(NM_RCLICK, -1, &ParentWnd::OnNegativeId)
    ON_BN_CLICKED(IDC_BUTTON, &ParentWnd::OnButtonClicked)
    ON_BN_DOUBLECLICKED(IDC_BUTTON, &ParentWnd::OnButtonDoubleClicked)
    ON_WM_TIMER()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

// A list that takes NM_CLICK itself and NM_DBLCLK only when told to.
class ReflectingList : public CListCtrl
{
    DECLARE_MESSAGE_MAP()
public:
    Log* m_pLog = nullptr;
    BOOL m_takeDblClk = FALSE;
    void OnClick(NMHDR*, LRESULT* pResult) { m_pLog->push_back("child:click"); *pResult = 9; }
    BOOL OnDblClk(NMHDR*, LRESULT*) { m_pLog->push_back("child:dblclk"); return m_takeDblClk; }
};

BEGIN_MESSAGE_MAP(ReflectingList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CLICK, &ReflectingList::OnClick)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &ReflectingList::OnDblClk)
END_MESSAGE_MAP()

// A button that takes BN_CLICKED itself, BN_DOUBLECLICKED when told to,
// colours itself when it has a brush and draws itself.
class ReflectingButton : public CButton
{
    DECLARE_MESSAGE_MAP()
public:
    Log* m_pLog = nullptr;
    BOOL m_takeDouble = FALSE;
    HBRUSH m_brush = nullptr;
    void OnClicked() { m_pLog->push_back("child:clicked"); }
    BOOL OnDoubleClicked() { m_pLog->push_back("child:doubleclicked"); return m_takeDouble; }
    HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        m_pLog->push_back("child:ctlcolor " + std::to_string(nCtlColor));
        return m_brush;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        m_pLog->push_back("child:drawitem " + std::to_string(lpDrawItemStruct->CtlID));
    }
};

BEGIN_MESSAGE_MAP(ReflectingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, &ReflectingButton::OnClicked)
    ON_CONTROL_REFLECT_EX(BN_DOUBLECLICKED, &ReflectingButton::OnDoubleClicked)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxSetUnattendedPrompts(TRUE);
        ASSERT_TRUE(CreateTopLevel(m_parent, "Parent"));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 100, 80), &m_parent, IDC_LIST));
        ASSERT_TRUE(m_button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_NOTIFY, CRect(0, 90, 60, 110),
                                    &m_parent, IDC_BUTTON));
        m_list.m_pLog = &m_parent.m_log;
        m_button.m_pLog = &m_parent.m_log;
        // A control made by the raw API: no wrapper, no reflection.
        m_hLabel = ::CreateWindowExA(0, "STATIC", "x", WS_CHILD | WS_VISIBLE, 0, 120, 50, 20, m_parent.m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_LABEL)),
                                     ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hLabel);
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
    }

    LRESULT Notify(HWND hFrom, UINT_PTR idFrom, UINT code)
    {
        NMHDR nm = {hFrom, idFrom, code};
        return m_parent.SendMessage(WM_NOTIFY, idFrom, reinterpret_cast<LPARAM>(&nm));
    }

    ParentWnd m_parent;
    ReflectingList m_list;
    ReflectingButton m_button;
    HWND m_hLabel = nullptr;
};

} // namespace

TEST_F(MessageMapTest, CommandsRunTheMostDerivedHandlerThenTheBase)
{
    struct Case
    {
        UINT id;
        WORD code;          // 0 menu, 1 accelerator
        LRESULT handled;    // 1 when a handler ran
        const char* log;
    };
    const Case cases[] = {
        {ID_PLAY, 0, 1, "parent:play"},
        {ID_PLAY, 1, 1, "parent:play"},
        {ID_BASE_ONLY, 0, 1, "base:only"},
        {ID_RANGE_FIRST, 0, 1, "parent:range 27200"},
        {ID_RANGE_FIRST + 5, 0, 1, "parent:range 27205"},
        {ID_RANGE_LAST, 1, 1, "parent:range 27210"},
        {ID_RANGE_LAST + 1, 0, 0, ""},
        {ID_RANGE_FIRST - 1, 0, 0, ""},
    };
    for (const Case& c : cases) {
        m_parent.m_log.clear();
        LRESULT r = m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, c.code), 0);
        EXPECT_EQ(c.handled, r) << c.id;
        if (*c.log) {
            ASSERT_EQ(1u, m_parent.m_log.size()) << c.id;
            EXPECT_EQ(c.log, m_parent.m_log[0]);
        } else {
            EXPECT_TRUE(m_parent.m_log.empty()) << c.id;
        }
    }
}

TEST_F(MessageMapTest, PostedCommandIsDispatchedThroughThePump)
{
    ASSERT_TRUE(m_parent.PostMessage(WM_COMMAND, ID_BASE_ONLY, 0));
    EXPECT_TRUE(PumpUntil([&] { return !m_parent.m_log.empty(); }));
    ASSERT_EQ(1u, m_parent.m_log.size());
    EXPECT_EQ("base:only", m_parent.m_log[0]);
}

TEST_F(MessageMapTest, UserAndRegisteredMessagesReturnTheHandlersResult)
{
    EXPECT_EQ(12, m_parent.SendMessage(WM_APP + 1, 5, 7));
    EXPECT_EQ(42, m_parent.SendMessage(g_registered, 21, 0));
    ASSERT_EQ(1u, m_parent.m_log.size());
    // A message without an entry goes to the window's own procedure.
    EXPECT_EQ(0, m_parent.SendMessage(WM_APP + 2, 5, 7));
}

TEST_F(MessageMapTest, TimerReachesOnTimer)
{
    ASSERT_NE(0u, m_parent.SetTimer(5, 10));
    auto fired = [&] {
        return std::find(m_parent.m_log.begin(), m_parent.m_log.end(), "parent:timer 5") != m_parent.m_log.end();
    };
    EXPECT_TRUE(PumpUntil(fired));
}

TEST_F(MessageMapTest, ReflectionToTheControlAndTheHideFromParentRule)
{
    const HBRUSH childBrush = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    struct Case
    {
        const char* name;
        BOOL takeDouble;
        BOOL takeDblClk;
        HBRUSH childBrush;
        int action;   // 0 NM_CLICK, 1 NM_DBLCLK, 2 BN_CLICKED (real click), 3 BN_DOUBLECLICKED, 4 WM_CTLCOLORBTN, 5 WM_DRAWITEM
        Log expected;
    };
    const Case cases[] = {
        {"notify reflect hides", FALSE, FALSE, nullptr, 0, {"child:click"}},
        {"notify reflect_ex FALSE passes on", FALSE, FALSE, nullptr, 1, {"child:dblclk", "parent:dblclk"}},
        {"notify reflect_ex TRUE hides", FALSE, TRUE, nullptr, 1, {"child:dblclk"}},
        {"control reflect hides a real click", FALSE, FALSE, nullptr, 2, {"child:clicked"}},
        {"control reflect_ex FALSE passes on", FALSE, FALSE, nullptr, 3, {"child:doubleclicked", "parent:doubleclicked"}},
        {"control reflect_ex TRUE hides", TRUE, FALSE, nullptr, 3, {"child:doubleclicked"}},
        {"ctlcolor with a brush hides", FALSE, FALSE, childBrush, 4, {"child:ctlcolor 3"}},
        {"ctlcolor without a brush passes on", FALSE, FALSE, nullptr, 4, {"child:ctlcolor 3", "parent:ctlcolor 3"}},
        {"drawitem goes to the control", FALSE, FALSE, nullptr, 5, {"child:drawitem 601"}},
    };
    for (const Case& c : cases) {
        m_parent.m_log.clear();
        m_button.m_takeDouble = c.takeDouble;
        m_list.m_takeDblClk = c.takeDblClk;
        m_button.m_brush = c.childBrush;
        LRESULT r = 0;
        switch (c.action) {
        case 0:
            r = Notify(m_list.m_hWnd, IDC_LIST, NM_CLICK);
            EXPECT_EQ(9, r) << c.name;   // the child's result reaches the sender
            break;
        case 1:
            Notify(m_list.m_hWnd, IDC_LIST, NM_DBLCLK);
            break;
        case 2:
            m_button.SendMessage(BM_CLICK);
            break;
        case 3:
            m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUTTON, BN_DOUBLECLICKED),
                                 reinterpret_cast<LPARAM>(m_button.m_hWnd));
            break;
        case 4: {
            HDC hdc = ::GetDC(m_parent.m_hWnd);
            r = m_parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                                     reinterpret_cast<LPARAM>(m_button.m_hWnd));
            ::ReleaseDC(m_parent.m_hWnd, hdc);
            HBRUSH expected = c.childBrush ? c.childBrush : m_parent.m_parentBrush;
            EXPECT_EQ(reinterpret_cast<LRESULT>(expected), r) << c.name;
            break;
        }
        case 5: {
            DRAWITEMSTRUCT dis = {};
            dis.CtlType = ODT_BUTTON;
            dis.CtlID = IDC_BUTTON;
            dis.hwndItem = m_button.m_hWnd;
            r = m_parent.SendMessage(WM_DRAWITEM, IDC_BUTTON, reinterpret_cast<LPARAM>(&dis));
            EXPECT_EQ(TRUE, r) << c.name;
            break;
        }
        }
        // A button paints itself when clicked, which colours it too; only
        // the colour case looks at colouring.
        Log seen;
        for (const std::string& entry : m_parent.m_log)
            if (c.action == 4 || entry.find("ctlcolor") == std::string::npos)
                seen.push_back(entry);
        EXPECT_EQ(c.expected, seen) << c.name;
    }
}

TEST_F(MessageMapTest, ControlsWithoutAWrapperGoStraightToTheParent)
{
    m_parent.m_log.clear();
    LRESULT r = Notify(m_hLabel, IDC_LIST, NM_CLICK);
    EXPECT_EQ(5, r);
    EXPECT_EQ(Log{"parent:click"}, m_parent.m_log);

    m_parent.m_log.clear();
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_STATIC;
    dis.CtlID = IDC_LABEL;
    dis.hwndItem = m_hLabel;
    m_parent.SendMessage(WM_DRAWITEM, IDC_LABEL, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(Log{"parent:drawitem 602"}, m_parent.m_log);
}

TEST_F(MessageMapTest, NotifyFromControlIdMinusOneMatchesAsSixteenBitId)
{
    // The ids a control of id -1 reports: 16-bit from DIALOG templates,
    // all bits from DIALOGEX ones.
    const UINT_PTR ids[] = {0xFFFF, static_cast<UINT_PTR>(-1), 0xFFFFFFFFu};
    for (UINT_PTR id : ids) {
        m_parent.m_log.clear();
        Notify(m_hLabel, id, NM_RCLICK);
        EXPECT_EQ(Log{"parent:-1 1"}, m_parent.m_log) << id;
    }
    m_parent.m_log.clear();
    Notify(m_hLabel, 0xFFFE, NM_RCLICK);
    EXPECT_TRUE(m_parent.m_log.empty());
}

TEST_F(MessageMapTest, UpdateHandlersSetTheStateOfMenuItems)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_PLAY, "Play");
    menu.AppendMenu(MF_STRING, ID_BASE_ONLY, "Other");
    CCmdUI::UpdateMenu(&m_parent, menu.m_hMenu);
    EXPECT_EQ(Log{"parent:update"}, m_parent.m_log);
    EXPECT_TRUE(::GetMenuState(menu.m_hMenu, ID_PLAY, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(menu.m_hMenu, ID_BASE_ONLY, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MessageMapTest, HandlerExceptionsAreCaughtAndReported)
{
    RecordingAnswerer answerer(IDOK);
    struct Case
    {
        UINT id;
        const char* text;
    };
    const Case cases[] = {{ID_THROW_STD, "boom"}, {ID_THROW_LAYER, "Invalid argument."}};
    for (const Case& c : cases) {
        answerer.m_calls.clear();
        EXPECT_EQ(0, m_parent.SendMessage(WM_COMMAND, c.id, 0));
        ASSERT_EQ(1u, answerer.m_calls.size());
        EXPECT_NE(std::string::npos, answerer.m_calls[0].text.find(c.text)) << answerer.m_calls[0].text;
        EXPECT_TRUE(answerer.m_calls[0].type & MB_ICONSTOP);
    }
    // The window goes on working.
    m_parent.m_log.clear();
    EXPECT_EQ(1, m_parent.SendMessage(WM_COMMAND, ID_PLAY, 0));
    EXPECT_EQ(Log{"parent:play"}, m_parent.m_log);
}

namespace {

class RecordingMenu : public CMenu
{
public:
    Log m_log;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    { m_log.push_back("draw " + std::to_string(lpDrawItemStruct->itemID)); }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        m_log.push_back("measure " + std::to_string(lpMeasureItemStruct->itemID));
        lpMeasureItemStruct->itemWidth = 50;
        lpMeasureItemStruct->itemHeight = 20;
    }
};

} // namespace

TEST_F(MessageMapTest, OwnerDrawnMenuItemsGoToTheirMenuObjects)
{
    RecordingMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 32812, reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(77))));
    m_parent.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);

    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = 32812;
    mis.itemData = 77;
    EXPECT_EQ(TRUE, m_parent.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
    EXPECT_EQ(50u, mis.itemWidth);

    // Different item data: not this menu's item.
    MEASUREITEMSTRUCT other = mis;
    other.itemData = 78;
    other.itemWidth = 0;
    m_parent.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(0u, other.itemWidth);

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = 32812;
    dis.hwndItem = reinterpret_cast<HWND>(popup.m_hMenu);
    m_parent.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ((Log{"measure 32812", "draw 32812"}), popup.m_log);
    EXPECT_TRUE(m_parent.m_log.empty());
}

TEST(HandleMaps, PermanentTemporaryAttachAndDestroy)
{
    ParentWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd, "Maps"));
    HWND hWnd = wnd.m_hWnd;
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));

    HWND hRaw = ::CreateWindowExA(0, "STATIC", "raw", WS_CHILD, 0, 0, 10, 10, hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hRaw);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hRaw));
    CWnd* temp = CWnd::FromHandle(hRaw);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(hRaw, temp->m_hWnd);
    CString text;
    temp->GetWindowText(text);
    EXPECT_STREQ("raw", text);

    CWnd attached;
    ASSERT_TRUE(attached.Attach(hRaw));
    EXPECT_EQ(&attached, CWnd::FromHandlePermanent(hRaw));
    EXPECT_FALSE(CWnd().Attach(hRaw));   // one permanent wrapper per window
    EXPECT_EQ(hRaw, attached.Detach());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hRaw));

    ASSERT_TRUE(wnd.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOPMOST);
    ASSERT_TRUE(wnd.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    EXPECT_FALSE(wnd.GetExStyle() & WS_EX_TOPMOST);

    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_postNcDestroy);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(HandleMaps, SubclassedWindowGetsItsMessagesThroughTheMap)
{
    ParentWnd wnd;
    HWND hRaw = ::CreateWindowExA(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hRaw);
    ASSERT_TRUE(wnd.SubclassWindow(hRaw));
    EXPECT_EQ(1, wnd.SendMessage(WM_COMMAND, ID_PLAY, 0));
    EXPECT_EQ(Log{"parent:play"}, wnd.m_log);
    // The original procedure still answers what the map does not handle.
    wnd.SetWindowText("changed");
    char buffer[32] = {};
    ::GetWindowTextA(hRaw, buffer, sizeof buffer);
    EXPECT_STREQ("changed", buffer);
    EXPECT_EQ(hRaw, wnd.UnsubclassWindow());
    EXPECT_EQ(0, ::SendMessageA(hRaw, WM_COMMAND, ID_PLAY, 0));
    EXPECT_EQ(1u, wnd.m_log.size());
    ::DestroyWindow(hRaw);
}

TEST(HandleMaps, CallsOnAWrapperWithoutAWindowFailHarmlessly)
{
    CWnd none;
    CString text("stale");
    none.SetWindowText("x");
    none.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(0, none.SendMessage(WM_USER));
    EXPECT_FALSE(none.PostMessage(WM_USER));
    EXPECT_EQ(0u, none.SetTimer(1, 10));
    EXPECT_EQ(nullptr, none.GetDlgItem(5));
    EXPECT_FALSE(none.ShowWindow(SW_SHOW));
    EXPECT_FALSE(none.ModifyStyle(0, WS_VISIBLE));
    CRect rc(1, 2, 3, 4);
    none.GetClientRect(&rc);
    EXPECT_TRUE(rc.IsRectNull());
    none.Invalidate();
    none.MoveWindow(0, 0, 10, 10);
    EXPECT_FALSE(none.DestroyWindow());

    CListCtrl list;
    EXPECT_EQ(-1, list.InsertItem(0, "a"));
    EXPECT_TRUE(list.GetItemText(0, 0).IsEmpty());
    EXPECT_EQ(0, list.GetItemCount());
    CComboBox combo;
    EXPECT_EQ(CB_ERR, combo.AddString("a"));
    CTreeCtrl tree;
    EXPECT_EQ(nullptr, tree.InsertItem("a"));
    CProgressCtrl progress;
    EXPECT_EQ(0, progress.SetPos(5));
}
