// Timer 1's start-up sequence, observed through the log and the fake
// parts: its order, the first library when none is set, the command-line
// playlist, and the names of the parts not there yet.
#include "MainWindowFixture.h"

#include "library/api/VIZU.h"

using namespace tavrix_test;

namespace {

const std::vector<std::string> kBuiltLines = {
    "Skin loaded", "Accel table created", "Controller mapping completed",
    "Buttons initialized", "Text fields initialized", "Status fields initialized",
    "Indicator lights initialized", "Trees initialized", "Lists initialized", "Misc controls initialized",
    "Presets initialized", "Player decks initialized", "WaitingDlg created", "Master mixer created",
    "m_FXConfig created", "Video Jukebox created", "Output Text created",
};

} // namespace

TEST_F(MainWindowTest, StartUpRunsItsStepsInOrder)
{
    const std::string library = m_folder.File("Mine.txd");
    ASSERT_TRUE(VIZU::Create(library.c_str()));
    WriteSettings("Library=" + library + "\r\nPlaylistFolder=" + m_folder.Path() + "\r\n",
                  "[VIDEOJUKEBOX]\r\nEnable=1\r\n[VIDEOONSKIN]\r\nVolume=42\r\n",
                  "<viewpeak action=\"vp-b\" value=\"1\"/>\r\n");
    m_parts.videoOnSkin = true;
    ASSERT_NO_FATAL_FAILURE(OpenMainWindow(true, "Party"));

    std::vector<std::string> lines = kBuiltLines;
    lines.insert(lines.end(), {"Library open: " + library, "Main window shown", "Splash destroyed"});
    EXPECT_TRUE(InOrder(LogLines(), lines));
    EXPECT_EQ(1, m_dialog->GetMainListView());
    EXPECT_TRUE(::IsWindowVisible(m_dialog->m_hWnd));

    const std::vector<std::string> calls = {
        "CreateButtons", "CreateTextFields", "CreateStatusFields", "CreateIndicatorLights", "CreateTrees",
        "CreateLists", "CreateMiscControls", "UpdateQueueCaption 1", "UpdateQueueCaption 2",
        "UpdateQueueCaption 4", "RefreshPresetButtons", "InitDecks", "CreateModeless waiting window",
        "CreateModeless master mixer", "CreateModeless deck effects window", "CreateModeless video jukebox",
        "CreateModeless text output", "SelectLibraryRoot", "SetVideoVolume 42", "LoadAutoMixSettings",
        "AutoLoadOnStart", "LoadAutoMixQueue " + m_folder.Path() + "\\Party", "UpdateQueueCaption 4",
        "ToggleAutoMix", "StartTimer 34 100", "ToggleDeckSpectrum 1"};
    EXPECT_TRUE(InOrder(m_parts.events, calls));
    // A library was set: no new one, no wizard; no thumbnail list: no tree built here.
    EXPECT_FALSE(m_parts.Has("RunAddMusicWizard"));
    EXPECT_FALSE(m_parts.Has("BuildLibraryTree"));
    EXPECT_FALSE(m_parts.Has("ToggleDeckSpectrum 0"));
    EXPECT_FALSE(::GetFileAttributesA(m_folder.File("TXTracks.txd").c_str()) != INVALID_FILE_ATTRIBUTES);

    // Timer 34 then gives the focus to the first track, once.
    m_parts.Clear();
    m_dialog->SendMessage(WM_TIMER, 34, 0);
    EXPECT_EQ((std::vector<std::string>{"StopTimer 34", "ShowSelectedTrackInfo"}), Drain());
}

TEST_F(MainWindowTest, WithoutALibraryTXTracksIsCreatedStoredAndFilledByTheWizard)
{
    WriteSettings("Library=\r\n");
    m_parts.thumbList = true;
    m_parts.trackListAndInfo = false;
    ASSERT_NO_FATAL_FAILURE(OpenMainWindow());

    const std::string path = m_folder.Path() + "\\TXTracks.txd";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(path.c_str()));
    EXPECT_EQ(path, Setting("MAIN", "Library"));
    EXPECT_TRUE(InOrder(LogLines(), {"Main window shown", "Library created: " + path, "Add music wizard done"}));
    // The wizard runs on the shown window, then the tree shows the library.
    EXPECT_TRUE(m_parts.visibleAtWizard);
    EXPECT_TRUE(InOrder(m_parts.events, {"LoadAutoMixSettings", "RunAddMusicWizard", "DisplayTreeSelection",
                                         "DisplayTreeSelection", "SelectLibraryRoot", "BuildLibraryTree",
                                         "ShowThumbSelection 1", "AutoLoadOnStart"}));
    // With a thumbnail list the root is not selected before the window shows.
    EXPECT_EQ(1, std::count(m_parts.events.begin(), m_parts.events.end(), "SelectLibraryRoot"));
    EXPECT_FALSE(m_parts.Has("StartTimer 34 100"));
    EXPECT_FALSE(m_parts.Has("ToggleAutoMix"));
    EXPECT_EQ(0, m_dialog->GetMainListView());
}

TEST_F(MainWindowTest, AJukeboxModeTwoSkinStartsTheDAredero)
{
    WriteSettings("", "", "<jukemode value=\"2\"/>\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenMainWindow());
    EXPECT_TRUE(m_parts.Has("StartTimer 32 1000"));
}

TEST_F(MainWindowTest, WithoutThePartsEachMissingStepIsNamedInTheLog)
{
    WriteSettings("Library=" + m_folder.File("None.txd") + "\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenMainWindow(false));
    EXPECT_TRUE(InOrder(LogLines(), {"Not yet part of the program: buttons", "Not yet part of the program: misc controls",
                                     "Not yet part of the program: decks", "Not yet part of the program: text output",
                                     "Main window shown", "Splash destroyed"}));
    EXPECT_TRUE(m_parts.events.empty());
}
