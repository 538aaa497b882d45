// ShowMessage and the canned notices, answered through the dialog seam, and
// the plain message box that stands in until the skinned dialog is set.
#include "tests/support/ProgramFolder.h"

#include "foundation/app/MessageDialog.h"
#include "foundation/app/MessageTexts.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

class RecordingDialog : public MessageDialog
{
public:
    void ShowModal(const CString& text) override { shown.push_back(static_cast<const char*>(text)); }
    std::vector<std::string> shown;
};

class MessageTextsTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        m_previous = SetMessageDialog(&m_dialog);
    }
    void TearDown() override
    {
        SetMessageDialog(m_previous);
        ProgramFolderTest::TearDown();
    }

    RecordingDialog m_dialog;
    MessageDialog* m_previous = nullptr;
};

TEST_F(MessageTextsTest, ShowMessageHandsTheTextToTheDialog)
{
    ShowMessage("Tavrix's main decks can only play MP3 or WAV files.");
    ASSERT_EQ(1u, m_dialog.shown.size());
    EXPECT_EQ("Tavrix's main decks can only play MP3 or WAV files.", m_dialog.shown[0]);
}

TEST_F(MessageTextsTest, CannedNoticesComeFromMsgTextWithBarsAsLineBreaks)
{
    ASSERT_TRUE(tavrix_test::WriteFileBytes(m_dir.File("TavrixVJ.INI"),
                                            "[MAIN]\r\nMSG_BADLINK=wrong section\r\n"
                                            "[MSGTEXT]\r\n"
                                            "MSG_BADLINK=Line one|Line two\r\n"
                                            "MSG_AUTOQEMPTY=The queue is empty.\r\n"
                                            "MSG_NOTINLIB=Not in the library||Add it first|\r\n"
                                            "MSG_DECKRNDPLAY=Random play|is on\r\n"
                                            "MSG_BADTRACK=Bad track\r\n"
                                            "MSG_MIDIERROR=MIDI|device|error\r\n"));
    const struct { int id; const char* text; } cases[] = {
        {4001, "Line one\nLine two"},
        {4002, "The queue is empty."},
        {4003, "Not in the library\n\nAdd it first\n"},
        {4004, "Random play\nis on"},
        {4005, "Bad track"},
        {4006, "MIDI\ndevice\nerror"},
    };
    for (const auto& c : cases) {
        m_dialog.shown.clear();
        ShowMessageById(c.id);
        ASSERT_EQ(1u, m_dialog.shown.size()) << c.id;
        EXPECT_EQ(c.text, m_dialog.shown[0]) << c.id;
    }
}

TEST_F(MessageTextsTest, MissingTextOrUnknownIdShowsAnEmptyMessage)
{
    ShowMessageById(MSG_BADTRACK);   // no INI file
    ASSERT_TRUE(tavrix_test::WriteFileBytes(m_dir.File("TavrixVJ.INI"), "[MSGTEXT]\r\nMSG_BADLINK=x\r\n"));
    ShowMessageById(MSG_MIDIERROR);
    ShowMessageById(4007);
    EXPECT_EQ((std::vector<std::string>{"", "", ""}), m_dialog.shown);
}

// The program folder that the build lays out ships a text for every notice.
TEST_F(MessageTextsTest, ShippedIniHasEveryNotice)
{
    SetProgramFolder(tavrix_test::ImageDir().c_str());
    for (int id = MSG_BADLINK; id <= MSG_MIDIERROR; ++id) {
        m_dialog.shown.clear();
        ShowMessageById(id);
        ASSERT_EQ(1u, m_dialog.shown.size()) << id;
        EXPECT_FALSE(m_dialog.shown[0].empty()) << id;
        EXPECT_EQ(std::string::npos, m_dialog.shown[0].find('|')) << id;
    }
}

// The stand-in dialog: a real modal box titled "Message", closed here.
struct BoxRun
{
    const char* text;
    HANDLE done;
};

DWORD WINAPI ShowOnOwnThread(LPVOID param)
{
    BoxRun* run = static_cast<BoxRun*>(param);
    ShowMessage(run->text);
    SetEvent(run->done);
    return 0;
}

TEST(MessageBoxDialogTest, PlainBoxTitledMessageShowsTheText)
{
    ASSERT_EQ(nullptr, SetMessageDialog(nullptr));
    BoxRun run{"First line\nSecond line", CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = CreateThread(nullptr, 0, &ShowOnOwnThread, &run, 0, nullptr);
    ASSERT_NE(nullptr, thread);

    HWND box = nullptr;
    for (int tries = 0; tries < 500 && !box; ++tries) {
        box = tavrix_test::FindOwnWindow("#32770", "Message");
        if (!box)
            Sleep(20);
    }
    ASSERT_NE(nullptr, box) << "no message box appeared";
    // Still modal: the call has not returned.
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(run.done, 0));
    char text[256] = {0};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    EXPECT_STREQ("First line\nSecond line", text);

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(run.done, 10000));
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(run.done);
}

} // namespace
