// KVLib's tempo entries on real files and controls: one file measured with
// progress and Escape, the library scan (tags and records written, WAV
// files skipped, "NOBPM" rows, read-only files, the user's stop), and a
// block of samples measured alone.
#include "framework/ui/AfxWin.h"
#include "framework/ui/Prompts.h"
#include "library/api/VIZU.h"
#include "library/tempo/TempoScan.h"
#include "tests/library/tempo/TempoSignals.h"
#include "tests/library/maintenance/ScanRows.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const int kStatusId = 500;

class Answerer : public CPromptAnswerer
{
public:
    int answer = IDOK;
    std::vector<std::string> texts;
    int MessageBox(HWND, const char* text, const char*, UINT) override
    {
        texts.push_back(text ? text : "");
        return answer;
    }
};

using scan_rows::Row;

class Tempo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxSetUnattendedPrompts(TRUE);
        m_vizu = std::make_unique<VIZU>();
        m_Tracks.RemoveAll();
        ASSERT_TRUE(m_window.CreateEx(0, nullptr, "Tempo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                      10, 700, 400, nullptr, nullptr));
        ASSERT_NE(nullptr, CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 20,
                                         m_window.GetSafeHwnd(),
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)),
                                         GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 30, 680, 300),
                                  &m_window, 101));
        for (int column = 0; column < 3; ++column)
            m_list.InsertColumn(column, "c", LVCFMT_LEFT, 100);
        ASSERT_TRUE(m_progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 310, 680, 330), &m_window,
                                      102));
        m_previous = AfxSetPromptAnswerer(&m_answerer);
    }
    void TearDown() override
    {
        AfxSetPromptAnswerer(m_previous);
        m_list.DestroyWindow();
        m_progress.DestroyWindow();
        m_window.DestroyWindow();
        m_Tracks.RemoveAll();
        m_vizu.reset();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    // A copy of a test medium in the test's folder (its tag may be written).
    std::string Copy(const std::string& medium, const std::string& name)
    {
        const std::string path = m_dir.File(name);
        EXPECT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath(medium), path)) << medium;
        return path;
    }
    void AddTrack(const std::string& path, int index)
    {
        CTrackRecord record;
        record.m_FileName = path.c_str();
        record.m_Index = index;
        record.m_BPMText = "000.00";
        record.m_BPM = 7;
        m_Tracks.Add(record);
    }
    std::vector<Row> Rows() const { return scan_rows::ReadRows(m_list); }
    std::string Status() const
    {
        char text[512] = {};
        GetDlgItemTextA(m_window.GetSafeHwnd(), kStatusId, text, sizeof text);
        return text;
    }
    void PressEscape() { PostMessageA(m_window.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0); }
    void ClearDirty()
    {
        ASSERT_EQ(0, VIZU::Save((m_dir.Path() + "\\saved.txd").c_str()));
        ASSERT_FALSE(VIZU::IsDirty());
    }
    // The tag's tempo in the tag reader's form (the tempo times 100 in five
    // digits), "" when the tag has none.
    std::string TagTempo(const std::string& path)
    {
        TAG_INFO info;
        EXPECT_TRUE(VIZU::GetTagInfo(path.c_str(), &info)) << path;
        return info.HasBPM ? info.BPMText.str() : std::string();
    }
    int Scan(int limit = -1)
    {
        return VIZU::BPMScanLibrary(&m_window, &m_list, kStatusId, &m_progress, limit);
    }

    tavrix_test::ProgramFolderScope m_folder;
    tavrix_test::TempDir m_dir;
    std::unique_ptr<VIZU> m_vizu;
    CWnd m_window;
    CListCtrl m_list;
    CProgressCtrl m_progress;
    Answerer m_answerer;
    CPromptAnswerer* m_previous = nullptr;
};

// Stands in for the decoder and the tag writer of the scan.
class ScriptedActions : public tempo::TempoScanActions
{
public:
    std::vector<float> tempos; // answered in turn
    std::vector<std::string> measured, written;
    float Measure(const CString& path) override
    {
        measured.push_back(path.str());
        return tempos[measured.size() - 1];
    }
    bool WriteTag(const CString& path, const CString& text) override
    {
        written.push_back(path.str() + "=" + text.str());
        return true;
    }
    void Store(INT_PTR, const CTrackRecord&) override {}
};

} // namespace

TEST_F(Tempo, DecodeBPMMeasuresAFileWithProgressEveryHundredBlocks)
{
    const std::string path = Copy("tempo_click_120.mp3", "click.mp3");
    SetDlgItemTextA(m_window.GetSafeHwnd(), kStatusId, "before");
    const float bpm = VIZU::DecodeBPM(path.c_str(), &m_window, kStatusId, false, true, -1);
    EXPECT_TRUE(Within4Percent(bpm, 120)) << bpm;
    // 15 s is 575 and some blocks of 1152 frames: the last text after the 501st.
    EXPECT_EQ(tempo::ProgressText(501 * 1152).str(), Status());
    // Without progress the text stays; the fast flag changes nothing.
    SetDlgItemTextA(m_window.GetSafeHwnd(), kStatusId, "before");
    EXPECT_EQ(bpm, VIZU::DecodeBPM(path.c_str(), &m_window, kStatusId, true, false, -1));
    EXPECT_EQ("before", Status());
    EXPECT_TRUE(m_answerer.texts.empty());
}

TEST_F(Tempo, DecodeBPMGivesZeroForFilesItCannotMeasure)
{
    const std::string wav = Copy("tone440.wav", "tone.wav");
    const std::string renamed = Copy("tempo_click_120.mp3", "click.wav");
    const std::string silence = Copy("tempo_silence.mp3", "silence.mp3");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(m_dir.File("text.mp3"), std::string(4000, 't')));
    for (const std::string& path :
         {wav, renamed, silence, m_dir.File("text.mp3"), m_dir.File("missing.mp3")})
        EXPECT_EQ(0.0f, VIZU::DecodeBPM(path.c_str(), &m_window, kStatusId, false, true, -1))
            << path;
}

TEST_F(Tempo, EscapeDuringDecodeBPMAsksAndStopsWhenTheUserAgrees)
{
    const std::string path = Copy("tempo_click_120.mp3", "click.mp3");
    PressEscape();
    EXPECT_EQ(-1.0f, VIZU::DecodeBPM(path.c_str(), &m_window, kStatusId, false, true, -1));
    ASSERT_EQ(1u, m_answerer.texts.size());
    EXPECT_EQ("ABORT?\nPress OK to abort, Cancel to continue", m_answerer.texts[0]);
    // Declined: the measurement goes on to its tempo.
    m_answerer.answer = IDCANCEL;
    PressEscape();
    EXPECT_TRUE(Within4Percent(
        VIZU::DecodeBPM(path.c_str(), &m_window, kStatusId, false, true, -1), 120));
    EXPECT_EQ(2u, m_answerer.texts.size());
}

TEST_F(Tempo, TheScanWritesTemposIntoTagsAndRecordsAndListsFilesWithout)
{
    const std::string click = Copy("tempo_click_120.mp3", "click.mp3");
    const std::string loop = Copy("tempo_loop_128.mp3", "loop.MP3");
    const std::string wav = Copy("tone440.wav", "tone.WAV");
    const std::string silence = Copy("tempo_silence.mp3", "silence.mp3");
    const std::string missing = m_dir.File("missing.mp3");
    AddTrack(click, 11);
    AddTrack(wav, 12);
    AddTrack(silence, 13);
    AddTrack(loop, 14);
    AddTrack(missing, 15);
    ClearDirty();

    EXPECT_EQ(2, Scan(661500));

    // Rows at the top, so the last file without a tempo comes first.
    const std::vector<Row> rows = {{"NOBPM", 15, missing}, {"NOBPM", 13, silence}};
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ("BPM Scan of Library complete", Status());
    EXPECT_EQ(0, m_progress.GetPos());
    int low = 0, high = 0;
    m_progress.GetRange(low, high);
    EXPECT_EQ(5, high);

    struct Expected
    {
        int position;
        std::string path;
        double bpm;
    } written[] = {{0, click, 120}, {3, loop, 128}};
    for (const Expected& e : written) {
        const std::string text = m_Tracks[e.position].m_BPMText.str();
        ASSERT_EQ(6u, text.size()) << text;
        EXPECT_EQ('.', text[3]);
        EXPECT_TRUE(Within4Percent(atof(text.c_str()), e.bpm)) << text;
        EXPECT_EQ(text.substr(0, 3) + text.substr(4), TagTempo(e.path));
        EXPECT_EQ(7, m_Tracks[e.position].m_BPM);
    }
    for (int position : {1, 2, 4})
        EXPECT_EQ("000.00", m_Tracks[position].m_BPMText.str()) << position;
    EXPECT_TRUE(VIZU::IsDirty());
    EXPECT_TRUE(m_answerer.texts.empty());
}

TEST_F(Tempo, AReadOnlyFileIsCountedButKeepsItsTempoText)
{
    const std::string path = Copy("tempo_click_120.mp3", "locked.mp3");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    AddTrack(path, 1);
    ClearDirty();
    EXPECT_EQ(1, Scan(661500));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("000.00", m_Tracks[0].m_BPMText.str());
    EXPECT_EQ(1u, m_answerer.texts.size()); // the read-only notice
    EXPECT_FALSE(VIZU::IsDirty());
    EXPECT_TRUE(TagTempo(path).empty());
}

TEST_F(Tempo, EscapeStopsTheScanWithItsCompletionText)
{
    const std::string path = Copy("tempo_click_120.mp3", "click.mp3");
    AddTrack(path, 1);
    AddTrack(path, 2);
    PressEscape();
    EXPECT_EQ(0, Scan(661500));
    EXPECT_EQ(1u, m_answerer.texts.size());
    EXPECT_EQ("BPM Scan of Library complete", Status());
    EXPECT_EQ("000.00", m_Tracks[0].m_BPMText.str());
    EXPECT_TRUE(TagTempo(path).empty());
}

TEST_F(Tempo, AStopInsideAFileEndsTheScanThere)
{
    for (const char* name : {"a.mp3", "b.wav", "c.mp3", "d.mp3", "e.mp3"})
        AddTrack(m_dir.File(name), 1);
    ScriptedActions actions;
    actions.tempos = {98.5f, -1.0f, 120.0f};
    ScanFrame frame(&m_window, &m_list, kStatusId, &m_progress);
    EXPECT_EQ(1, tempo::ScanTempos(m_Tracks, frame, actions));
    EXPECT_EQ((std::vector<std::string>{m_dir.File("a.mp3"), m_dir.File("c.mp3")}),
              actions.measured);
    EXPECT_EQ((std::vector<std::string>{m_dir.File("a.mp3") + "=098.50"}), actions.written);
    EXPECT_EQ("BPM Scan of Library complete", Status());
    EXPECT_EQ(0, m_list.GetItemCount());
}

TEST_F(Tempo, AnEmptyLibraryOrOneOfWavFilesGivesNothing)
{
    SetDlgItemTextA(m_window.GetSafeHwnd(), kStatusId, "before");
    EXPECT_EQ(0, Scan());
    EXPECT_EQ("before", Status());
    AddTrack(Copy("tone440.wav", "a.wav"), 1);
    AddTrack(Copy("tone440.wav", "b.Wav"), 2);
    EXPECT_EQ(0, Scan());
    EXPECT_EQ("BPM Scan of Library complete", Status());
    EXPECT_EQ(0, m_list.GetItemCount());
}

TEST_F(Tempo, DecodeBPMWhilePlayingJudgesTheBlockAlone)
{
    std::vector<int16_t> pcm = ClickTrack(120, 44100, 2, 12);
    const int frames = static_cast<int>(pcm.size() / 2);
    EXPECT_TRUE(Within4Percent(VIZU::DecodeBPMWhilePlaying(2, 44100, pcm.data(), frames), 120));
    // Nothing carries over: a short block alone has too little to go on.
    EXPECT_EQ(0.0f, VIZU::DecodeBPMWhilePlaying(2, 44100, pcm.data(), 2000));
    EXPECT_EQ(0.0f, VIZU::DecodeBPMWhilePlaying(2, 44100, nullptr, frames));
    EXPECT_EQ(0.0f, VIZU::DecodeBPMWhilePlaying(0, 44100, pcm.data(), frames));
    EXPECT_EQ(0.0f, VIZU::DecodeBPMWhilePlaying(2, 0, pcm.data(), frames));
}
