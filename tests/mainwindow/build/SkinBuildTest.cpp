// The builders on small skins of the test's own: hidden and unknown items,
// a second item of an id, captions, the info window, buttons' captions from
// the sound effects, the trees, the knobs, and calls on controls a skin
// did not make.
#include "tests/mainwindow/build/SkinBuildFixture.h"

#include <commctrl.h>

#include "mainwindow/build/MainBuildArea.h"
#include "skin/create/FindSkinControl.h"
#include "skin/file/Skin.h"

namespace tavrix_test {

namespace {

std::string WindowText(HWND hWnd)
{
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

int32_t Id(const char* name)
{
    return TheSkin().LookupControlName(name);
}

} // namespace

TEST_F(SkinBuildTest, HiddenButtonsAndUnknownItemsMakeNothing)
{
    WriteSettings("", "",
                  "<button action=\"a-play\" x=\"2\" y=\"3\" w=\"20\" h=\"10\" visible=\"1\"/>\r\n"
                  "<button action=\"a-stop\" x=\"2\" y=\"20\" w=\"20\" h=\"10\" visible=\"0\"/>\r\n"
                  "<button action=\"c-viewqueue\" x=\"30\" y=\"3\" w=\"20\" h=\"10\" visible=\"1\"/>\r\n"
                  "<status action=\"s-clist\" x=\"2\" y=\"30\" w=\"20\" h=\"10\" visible=\"1\" value=\"C\"/>\r\n"
                  "<listctrl action=\"c-queue\" x=\"2\" y=\"40\" w=\"20\" h=\"10\" visible=\"1\"/>\r\n"
                  "<listctrl action=\"j-queue\" x=\"2\" y=\"40\" w=\"20\" h=\"10\" visible=\"1\"/>\r\n"
                  "<splitter action=\"tl-splitter\" x=\"40\" y=\"20\" w=\"4\" h=\"20\" visible=\"0\"/>\r\n"
                  "<videowin action=\"videoa\" x=\"40\" y=\"20\" w=\"4\" h=\"20\" visible=\"1\"/>\r\n"
                  "<listctrl action=\"thumblist\" x=\"50\" y=\"5\" w=\"10\" h=\"10\" visible=\"0\"/>\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenWithProgramParts());
    EXPECT_NE(nullptr, FindSkinControl<CFlatButton>(Main(), 27101)) << "a-play";
    // Only a-play and the thumbnail list (always shown) are children of the
    // skin; the template's own controls stay hidden.
    std::vector<std::string> made;
    for (const ChildWindow& child : DirectChildren(Main())) {
        if (child.style & WS_VISIBLE)
            made.push_back(std::to_string(child.id) + " " + child.className);
    }
    EXPECT_EQ((std::vector<std::string>{"27101 Button", std::to_string(Id("thumblist")) + " SysListView32"}), made);
    EXPECT_EQ(nullptr, FindSkinWindow(Main(), Id("s-clist")));
    EXPECT_EQ(nullptr, FindSkinWindow(Main(), Id("c-queue")));
    EXPECT_EQ(nullptr, FindSkinWindow(Main(), Id("j-queue")));
    EXPECT_EQ(nullptr, FindSkinWindow(Main(), Id("tl-splitter")));
    EXPECT_EQ(nullptr, FindSkinWindow(Main(), Id("videoa")));
    EXPECT_TRUE(Build().controls.HasThumbList());
    EXPECT_EQ(6, Build().controls.GetThumbView());
    EXPECT_TRUE(LogHas("Buttons initialized"));
    EXPECT_TRUE(LogHas("Misc controls initialized"));
}

TEST_F(SkinBuildTest, ASecondItemOfAnIdIsIgnoredAndLogged)
{
    WriteSettings("", "",
                  "<button action=\"a-play\" x=\"2\" y=\"3\" w=\"20\" h=\"10\" visible=\"1\" value=\"first\"/>\r\n"
                  "<button action=\"a-play\" x=\"30\" y=\"3\" w=\"20\" h=\"10\" visible=\"1\" value=\"second\"/>\r\n"
                  "<textfield action=\"a-title\" x=\"2\" y=\"20\" w=\"30\" h=\"10\" visible=\"1\" value=\"one\"/>\r\n"
                  "<textfield action=\"a-title\" x=\"2\" y=\"30\" w=\"30\" h=\"10\" visible=\"1\" value=\"two\"/>\r\n"
                  "<listctrl action=\"tracklist\" x=\"2\" y=\"40\" w=\"30\" h=\"8\" visible=\"1\"/>\r\n"
                  "<listctrl action=\"tracklist\" x=\"32\" y=\"40\" w=\"30\" h=\"8\" visible=\"1\"/>\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenWithProgramParts());
    CFlatButton* button = FindSkinControl<CFlatButton>(Main(), 27101);
    ASSERT_NE(nullptr, button);
    EXPECT_EQ("first", WindowText(button->m_hWnd));
    TXVTextField* title = FindSkinControl<TXVTextField>(Main(), Id("a-title"));
    ASSERT_NE(nullptr, title);
    EXPECT_STREQ("one", title->GetText());
    TXVTrackList* list = FindSkinControl<TXVTrackList>(Main(), Id("tracklist"));
    ASSERT_NE(nullptr, list);
    int count = 0;
    for (const ChildWindow& child : DirectChildren(Main())) {
        if (child.id == 27101 || child.id == Id("a-title") || child.id == Id("tracklist")) {
            ++count;
            EXPECT_EQ(2, child.rect.left) << child.id;
        }
    }
    EXPECT_EQ(3, count);
    EXPECT_EQ(3, Build().builder.GetIgnoredCount());
    EXPECT_TRUE(LogHas("Skin item ignored: a-play (id 27101 is already built)"));
    EXPECT_TRUE(LogHas("Skin item ignored: a-title (id " + std::to_string(Id("a-title")) + " is already built)"));
}

TEST_F(SkinBuildTest, QueueAndListCaptions)
{
    WriteSettings("", "",
                  "<status action=\"s-alist\" x=\"2\" y=\"2\" w=\"60\" h=\"10\" visible=\"1\" value=\"Deck A\"/>\r\n"
                  "<status action=\"s-mxlist\" x=\"2\" y=\"12\" w=\"60\" h=\"10\" visible=\"1\" value=\"AutoMix\"/>\r\n"
                  "<status action=\"s-searchlist\" x=\"2\" y=\"22\" w=\"60\" h=\"10\" visible=\"1\" value=\"Found\"/>\r\n"
                  "<status action=\"s-requestlist\" x=\"2\" y=\"32\" w=\"60\" h=\"10\" visible=\"1\" value=\"Asked\"/>\r\n"
                  "<listctrl action=\"a-queue\" x=\"2\" y=\"2\" w=\"60\" h=\"40\" visible=\"1\"/>\r\n"
                  "<listctrl action=\"searchlist\" x=\"2\" y=\"2\" w=\"60\" h=\"40\" visible=\"0\"/>\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenWithProgramParts());
    MainControls& controls = Build().controls;
    TXVStatusField* deckA = controls.FindStatusField("s-alist");
    TXVStatusField* autoMix = controls.FindStatusField("s-mxlist");
    ASSERT_NE(nullptr, deckA);
    ASSERT_NE(nullptr, autoMix);
    // Timer 1 wrote the three queue captions; the AutoMix queue has no list.
    TXVTrackList& queue = controls.TrackList(main_build::TL_DECKA);
    const std::string empty = std::string("Deck A:: 0 Items, Time: ") + VIZU::GetTotalQueueTime(&queue).GetString();
    EXPECT_EQ(empty, deckA->GetText().GetString());
    const std::string zero = VIZU::GetTotalQueueTime(&controls.TrackList(main_build::TL_AUTOMIX)).GetString();
    EXPECT_EQ("AutoMix:: 0 Items, Time: " + zero, std::string(autoMix->GetText().GetString()));
    EXPECT_TRUE(controls.IsListShown(main_build::TL_DECKA));
    EXPECT_FALSE(controls.IsListShown(main_build::TL_SEARCH));   // visible 0
    EXPECT_FALSE(controls.IsListShown(main_build::TL_REQUEST));  // no item

    // Two tracks in the deck A queue.
    CArray<CTrackRecord, CTrackRecord&> tracks;
    CTrackRecord one, two;
    one.m_Title = "One";
    one.m_FileName = "C:\\one.mp3";
    one.m_Length = 65;
    two.m_Title = "Two";
    two.m_FileName = "C:\\two.mp3";
    two.m_Length = 125;
    tracks.Add(one);
    tracks.Add(two);
    queue.ShowTracks(tracks);
    ASSERT_EQ(2, queue.GetItemCount());
    Build().builder.UpdateQueueCaption(3);   // no list of that code
    EXPECT_EQ(empty, deckA->GetText().GetString());
    Build().builder.UpdateQueueCaption(4005);
    const std::string time = VIZU::GetTotalQueueTime(&queue).GetString();
    EXPECT_NE(VIZU::GetTotalQueueTime(&controls.TrackList(main_build::TL_DECKB)).GetString(), time);
    EXPECT_EQ("Deck A:: 2 Items, Time: " + time, deckA->GetText().GetString());
    Build().builder.UpdateQueueCaption(4011);   // the same as 4
    EXPECT_EQ("AutoMix:: 0 Items, Time: " + zero, std::string(autoMix->GetText().GetString()));

    controls.TrackList(main_build::TL_SEARCH).ShowTracks(tracks);
    Build().builder.UpdateSearchListCaption();
    EXPECT_STREQ("Found - 2 items", controls.FindStatusField("s-searchlist")->GetText());
    Build().builder.UpdateRequestListCaption();
    EXPECT_STREQ("Asked - 0 items", controls.FindStatusField("s-requestlist")->GetText());
}

TEST_F(SkinBuildTest, CallsOnControlsTheSkinDidNotMakeAreHarmless)
{
    WriteSettings();
    ASSERT_NO_FATAL_FAILURE(OpenWithProgramParts());
    SkinBuilder& builder = Build().builder;
    MainControls& controls = Build().controls;
    EXPECT_TRUE(DirectChildren(Main()).size() >= 1);   // the template's controls
    for (int code : {1, 2, 4, 5, 6, 4005, 4011})
        builder.UpdateQueueCaption(code);
    builder.UpdateSearchListCaption();
    builder.UpdateRequestListCaption();
    builder.ToggleInfoWindow();
    builder.SetTrackInfo(TrackInfoTexts{"t", "a", "al", "g", "", "C:\\x.mp3", "", ""});
    EXPECT_FALSE(m_program->SetTextField("a-title", "x"));
    EXPECT_FALSE(m_program->HasCpuMeter());
    m_program->SetCpuMeter(40);
    EXPECT_FALSE(m_program->HasThumbList());
    EXPECT_FALSE(m_program->HasVideoOnSkin());
    EXPECT_FALSE(m_program->HasTrackListAndInfo());
    EXPECT_EQ(nullptr, m_program->TrackListWindow());
    EXPECT_EQ(nullptr, controls.FindButton("a-play"));
    EXPECT_EQ(nullptr, controls.InfoWindow());
    controls.LibraryTree().SetBkColor(RGB(1, 2, 3));
    controls.TrackList(main_build::TL_MAIN).SetColors(0, 0);
    controls.Light(0).SetState(true);
    controls.Slider(0).SetPos(10);
    controls.TextField(0).SetText("nothing");
    EXPECT_EQ(0, controls.TrackList(main_build::TL_MAIN).GetItemCount());
    EXPECT_TRUE(LogHas("Trees initialized"));
}

TEST_F(SkinBuildTest, InfoWindowIsATopLevelStripOnTheSkinRectangle)
{
    WriteSettings("", "",
                  "<listctrl action=\"tracklist\" x=\"2\" y=\"2\" w=\"30\" h=\"30\" visible=\"1\"/>\r\n"
                  "<infownd action=\"tl-infownd\" x=\"10\" y=\"20\" w=\"40\" h=\"15\" visible=\"1\" value=\"1\""
                  " bkcolor=\"102030\" txcolor=\"ffffff\" font=\"Arial\" fsize=\"8\"/>\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenWithProgramParts());
    InfoWnd* info = Build().controls.InfoWindow();
    ASSERT_NE(nullptr, info);
    ASSERT_TRUE(::IsWindow(info->m_hWnd));
    EXPECT_FALSE(::GetWindowLongA(info->m_hWnd, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(::GetDesktopWindow(), ::GetAncestor(info->m_hWnd, GA_PARENT));
    EXPECT_TRUE(::IsWindowVisible(info->m_hWnd));
    POINT corner = {10, 20};
    ::ClientToScreen(Main(), &corner);
    RECT r;
    ::GetWindowRect(info->m_hWnd, &r);
    EXPECT_EQ(RectText(RECT{corner.x, corner.y, corner.x + 41, corner.y + 16}), RectText(r));
    EXPECT_TRUE(info->IsToggleable());
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), info->GetBackColor());
    EXPECT_TRUE(m_program->HasTrackListAndInfo());
    EXPECT_STREQ("", info->GetTrackInfo().title);
    Build().builder.SetTrackInfo(TrackInfoTexts{"Title", "Artist", "Album", "Genre", "5", "C:\\t.mp3", "7", "8"});
    EXPECT_STREQ("Artist", info->GetTrackInfo().artist);
    EXPECT_STREQ("C:\\t.mp3", info->GetTrackInfo().path);
    Build().builder.ToggleInfoWindow();
    EXPECT_FALSE(::IsWindowVisible(info->m_hWnd));
    Build().builder.ToggleInfoWindow();
    EXPECT_TRUE(::IsWindowVisible(info->m_hWnd));
}

TEST_F(SkinBuildTest, InfoWindowHiddenBySkinStaysHidden)
{
    WriteSettings("", "",
                  "<infownd action=\"tl-infownd\" x=\"10\" y=\"20\" w=\"40\" h=\"15\" visible=\"0\" value=\"0\"/>\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenWithProgramParts());
    InfoWnd* info = Build().controls.InfoWindow();
    ASSERT_NE(nullptr, info);
    EXPECT_FALSE(::IsWindowVisible(info->m_hWnd));
    EXPECT_FALSE(info->IsToggleable());
}

TEST_F(SkinBuildTest, SoundEffectButtonsTakeTheEffectsNames)
{
    WriteSettings("", "",
                  "<button action=\"fx-3\" x=\"2\" y=\"2\" w=\"20\" h=\"10\" visible=\"1\"/>\r\n"
                  "<button action=\"fx-2\" x=\"2\" y=\"12\" w=\"20\" h=\"10\" visible=\"1\" value=\"Boom\"/>\r\n"
                  "<button action=\"fx-5\" x=\"2\" y=\"22\" w=\"20\" h=\"10\" visible=\"1\"/>\r\n"
                  "<button action=\"fx-play\" x=\"2\" y=\"32\" w=\"20\" h=\"10\" visible=\"1\"/>\r\n");
    PrepareWindow();
    Build().builder.SetSoundEffectNames({"Horn", "Siren", "Scratch"});
    ASSERT_NO_FATAL_FAILURE(OpenWithProgramParts());
    EXPECT_EQ("Scratch", WindowText(Build().controls.FindButton("fx-3")->m_hWnd));
    EXPECT_EQ("Boom", WindowText(Build().controls.FindButton("fx-2")->m_hWnd));
    EXPECT_EQ("", WindowText(Build().controls.FindButton("fx-5")->m_hWnd));
    EXPECT_EQ("", WindowText(Build().controls.FindButton("fx-play")->m_hWnd));
    EXPECT_EQ("Siren", std::string(Build().builder.GetSoundEffectName(1).GetString()));
    EXPECT_EQ("", std::string(Build().builder.GetSoundEffectName(3).GetString()));
    EXPECT_EQ("", std::string(Build().builder.GetSoundEffectName(-1).GetString()));
}

TEST_F(SkinBuildTest, TreesKnobsAndClock)
{
    WriteSettings("", "",
                  "<treectrl action=\"mylibrary\" x=\"2\" y=\"2\" w=\"30\" h=\"30\" visible=\"1\" font=\"Arial\""
                  " fsize=\"10\" border=\"1\"/>\r\n"
                  "<treectrl action=\"mycomputer\" x=\"2\" y=\"2\" w=\"30\" h=\"30\" visible=\"0\" font=\"Arial\""
                  " fsize=\"12\"/>\r\n"
                  "<knob action=\"knb-b-eqlow\" x=\"5\" y=\"6\" w=\"20\" h=\"21\" visible=\"1\"/>\r\n"
                  "<knob action=\"knb-a-eqlow\" x=\"5\" y=\"6\" w=\"20\" h=\"21\" visible=\"0\"/>\r\n"
                  "<textfield action=\"clock\" x=\"2\" y=\"2\" w=\"30\" h=\"10\" visible=\"1\"/>\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenWithProgramParts());
    MainControls& controls = Build().controls;
    TXVTreeCtrl* library = FindSkinControl<TXVTreeCtrl>(Main(), Id("mylibrary"));
    ASSERT_NE(nullptr, library);
    // fsize / 10 + 10 (the tree view keeps even heights: the odd ones of
    // 9 or 11 points would show one pixel less).
    EXPECT_EQ(20, TreeView_GetItemHeight(library->m_hWnd));
    EXPECT_TRUE(::GetWindowLongA(library->m_hWnd, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ("Arial", std::string(controls.m_strLibraryTreeFace.GetString()));
    EXPECT_EQ(100, controls.m_nLibraryTreeSize);
    HWND folders = FindSkinWindow(Main(), Id("mycomputer"));
    ASSERT_NE(nullptr, folders);
    EXPECT_EQ(22, TreeView_GetItemHeight(folders));
    EXPECT_FALSE(::IsWindowVisible(folders));
    EXPECT_TRUE(controls.FolderTree().m_hWnd == folders);
    // Knobs are the template's trackbars: found by their template ids.
    EXPECT_EQ(nullptr, FindSkinWindow(Main(), Id("knb-b-eqlow")));
    HWND knobB = ::GetDlgItem(Main(), 1047);
    ASSERT_EQ(controls.Knob(5).m_hWnd, knobB);
    EXPECT_TRUE(::IsWindowVisible(knobB));
    RECT r;
    ::GetWindowRect(knobB, &r);
    ::MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ("(5,6,25,27)", RectText(r));
    EXPECT_EQ(30, controls.Knob(5).GetRangeMin());
    EXPECT_EQ(329, controls.Knob(5).GetRangeMax());
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(Main(), 1044)));
    EXPECT_TRUE(controls.AreEqKnobsShown(1));
    EXPECT_FALSE(controls.AreEqKnobsShown(0));
    EXPECT_TRUE(LogHas("Indicator lights initialized"));
}

} // namespace tavrix_test
