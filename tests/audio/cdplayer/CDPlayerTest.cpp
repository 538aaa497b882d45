// The CD player window on a real window, driven through a drive the test
// plays (PlayedDrive) and a CD database on 127.0.0.1: reading and listing
// the disc, play, pause, stop and skipping, the tray, disc arrivals, the
// volume, the lookup with its messages, and the catalogue it appends to.
#include "audio/cdplayer/CDPlayer.h"

#include "PlayedDrive.h"
#include "audio/cdplayer/CDCatalogFile.h"
#include "framework/ui/Prompts.h"
#include "tests/foundation/download/LocalHttpServer.h"
#include "tests/support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <dbt.h>

#include <memory>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Strings;

// Drive E: is the CD drive; every other letter a hard disk.
class TestPlayer : public CCDPlayer
{
public:
    explicit TestPlayer(CDAudioDriver* driver) : CCDPlayer(nullptr, nullptr, driver) {}

protected:
    UINT DriveType(const char* root) override { return std::string(root) == "E:\\" ? DRIVE_CDROM : DRIVE_FIXED; }
};

class Prompts : public CPromptAnswerer
{
public:
    int MessageBox(HWND, const char* text, const char* caption, UINT type) override
    {
        texts.push_back(text);
        captions.push_back(caption ? caption : "");
        types.push_back(type);
        return IDOK;
    }
    Strings texts;
    Strings captions;
    std::vector<UINT> types;
};

// The request's path, from its first line.
std::string PathOf(const CString& request)
{
    const std::string text = request.GetString();
    const size_t start = text.find(' ') + 1;
    return text.substr(start, text.find(" HTTP/1.0") - start);
}

// A record of the titles given ("Artist / Album").
std::string Record(const Strings& titles)
{
    std::string text = "# xmcd\r\n#\r\n# Track frame offsets:\r\n";
    for (size_t i = 0; i < titles.size(); ++i)
        text += "#\t" + std::to_string(150 + 2000 * i) + "\r\n";
    text += "#\r\n# Disc length: 642 seconds\r\n# Revision: 1\r\n# Submitted via: xmcd 2.0\r\n";
    text += "DISCID=0a0b0c02\r\nDTITLE=Artist / Album\r\n";
    for (size_t i = 0; i < titles.size(); ++i)
        text += "TTITLE" + std::to_string(i) + "=" + titles[i] + "\r\n";
    text += "EXTD=\r\n";
    for (size_t i = 0; i < titles.size(); ++i)
        text += "EXTT" + std::to_string(i) + "=\r\n";
    return text + "PLAYORDER=\r\n.\r\n";
}

LocalHttpServer::Reply Answer(const std::string& body)
{
    return {{"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body, 0}};
}

} // namespace

class CDPlayerTest : public ProgramFolderTest
{
protected:
    void SetUp() override { m_previous = AfxSetPromptAnswerer(&m_prompts); }
    void TearDown() override
    {
        if (m_player && m_player->GetSafeHwnd())
            m_player->DestroyWindow();
        m_player.reset();
        AfxSetPromptAnswerer(m_previous);
    }

    void Settings(const std::string& lines)
    {
        ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"), "[CDPLAYER]\r\n" + lines));
    }
    // Settings that point the lookup at the test's server.
    void ServerSettings(const std::string& more = "")
    {
        ASSERT_TRUE(m_server.Started());
        Settings("CDDBSite=127.0.0.1\r\nCDDBPort=" + std::to_string(m_server.Port()) + "\r\n" + more);
    }

    TestPlayer& Open()
    {
        m_player = std::make_unique<TestPlayer>(&m_drive);
        m_player->GetClient().SetMciCommand(PlayedDrive::Command);
        EXPECT_TRUE(m_player->CreateModeless());
        return *m_player;
    }
    HWND Item(int id) const { return ::GetDlgItem(m_player->GetSafeHwnd(), id); }
    std::string Text(int id) const
    {
        char text[512] = {};
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    void Click(int id) { ::SendMessageA(m_player->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id))); }
    // The list's rows as "#|Title|Length".
    Strings Rows() const
    {
        Strings rows;
        const HWND list = Item(IDC_CD_TRACKLIST);
        const int count = ListView_GetItemCount(list);
        for (int i = 0; i < count; ++i) {
            std::string row;
            for (int column = 0; column < 3; ++column) {
                char text[256] = {};
                ListView_GetItemText(list, i, column, text, sizeof text);
                row += (column ? "|" : "") + std::string(text);
            }
            rows.push_back(row);
        }
        return rows;
    }
    int SelectedRow() const { return ListView_GetNextItem(Item(IDC_CD_TRACKLIST), -1, LVNI_SELECTED); }
    void DoubleClick(int row)
    {
        NMITEMACTIVATE activate = {};
        activate.hdr.hwndFrom = Item(IDC_CD_TRACKLIST);
        activate.hdr.idFrom = IDC_CD_TRACKLIST;
        activate.hdr.code = NM_DBLCLK;
        activate.iItem = row;
        ::SendMessageA(m_player->GetSafeHwnd(), WM_NOTIFY, IDC_CD_TRACKLIST, reinterpret_cast<LPARAM>(&activate));
    }
    // The paths the player's lookup asks for this disc: query, then a read
    // of category rock.
    std::string QueryPath()
    {
        CDDBClient& client = m_player->GetClient();
        CDDBToc toc;
        EXPECT_TRUE(client.ReadToc(toc));
        CDDBServer server;
        server.host = "127.0.0.1";
        CString request;
        EXPECT_TRUE(client.QueryRequestText(server, CDDBProtocol::DiscIdFromToc(toc), toc, request));
        m_discId = CDDBProtocol::DiscIdFromToc(toc);
        return PathOf(request);
    }
    std::string ReadPath() { return PathOf(m_player->GetClient().ReadRequestText(CDDBServer(), "rock", m_discId)); }
    // Serves an exact match and a record with these titles.
    void ServeDisc(const Strings& titles)
    {
        const std::string query = QueryPath();
        char id[16];
        snprintf(id, sizeof id, "%08x", m_discId);
        m_server.SetReply(query, Answer(std::string("200 rock ") + id + " Artist / Album\r\n"));
        m_server.SetReply(ReadPath(), Answer(std::string("210 rock ") + id + "\r\n" + Record(titles)));
    }
    std::vector<CDCatalogAlbum> Catalogue(long long* count = nullptr)
    {
        std::vector<CDCatalogAlbum> albums;
        CString text;
        if (ReadCatalogFile(m_dir.File("TXDiscs.txt").c_str(), text)) {
            EXPECT_TRUE(CDCatalogRead(text, albums, count));
        }
        return albums;
    }

    PlayedDrive m_drive;
    Prompts m_prompts;
    LocalHttpServer m_server;
    std::unique_ptr<TestPlayer> m_player;
    uint32_t m_discId = 0;

private:
    CPromptAnswerer* m_previous = nullptr;
};

TEST_F(CDPlayerTest, OpensWithADisc)
{
    Settings("OutputDevice=1\r\n");
    m_drive.InsertDisc();
    m_drive.volume = 15535;
    TestPlayer& player = Open();
    char caption[64] = {};
    ::GetWindowTextA(player.GetSafeHwnd(), caption, sizeof caption);
    EXPECT_STREQ("CD Player", caption);
    EXPECT_EQ((Strings{"01|Track 1|03:00", "02|Track 2|04:10", "03|Track 3|02:00", "04|Track 4|01:30"}), Rows());
    EXPECT_EQ("TRKS: 4  ::  TOTTIME: 10:42", Text(IDC_CD_TOTALS));
    EXPECT_EQ("Idle...", Text(IDC_CD_PROGRESS));
    EXPECT_EQ("Unknown...", Text(IDC_CD_ALBUM));
    EXPECT_EQ("Track 1", Text(IDC_CD_TITLE));
    EXPECT_EQ(0, SelectedRow());
    EXPECT_EQ(4, player.GetTrackCount());
    EXPECT_EQ(CDAUDIO_STOPPED, player.GetState());
    EXPECT_EQ(1, player.GetCurrentTrack());
    ASSERT_EQ(4u, player.GetTracks().size());
    EXPECT_EQ(432, player.GetTracks()[2].start);
    EXPECT_EQ(552, player.GetTracks()[2].end);
    EXPECT_EQ(50000, ::SendMessageA(Item(IDC_CD_VOLUME), TBM_GETPOS, 0, 0));
    EXPECT_EQ(65535, ::SendMessageA(Item(IDC_CD_VOLUME), TBM_GETRANGEMAX, 0, 0));
    const HWND combo = Item(IDC_CD_OUTPUTDEVICE);
    EXPECT_EQ(2, ::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(1, ::SendMessageA(combo, CB_GETITEMDATA, ::SendMessageA(combo, CB_GETCURSEL, 0, 0), 0));
    EXPECT_TRUE(m_drive.opened);
    EXPECT_TRUE(m_prompts.texts.empty());
    EXPECT_EQ(m_dir.File("TXDiscs.txt"), player.GetCatalogPath().GetString());
}

TEST_F(CDPlayerTest, AnEmptyDrive)
{
    TestPlayer& player = Open();
    EXPECT_EQ("No CD in drive...", Text(IDC_CD_PROGRESS));
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ("", Text(IDC_CD_TOTALS));
    EXPECT_EQ("", Text(IDC_CD_TITLE));
    m_drive.TakeSent();
    Click(IDC_CD_PLAYPAUSE);
    for (const std::string& command : m_drive.TakeSent())
        EXPECT_EQ(std::string::npos, command.find("play cdaudio")) << command;
    EXPECT_TRUE(::RedrawWindow(Item(IDC_CD_TRACKLIST), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW));
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_CD_TRACKLIST)) || !::IsWindowVisible(player.GetSafeHwnd()));
    // Refresh with a disc in the drive now reads it.
    m_drive.InsertDisc();
    Click(IDC_CD_REFRESH);
    EXPECT_EQ(4u, Rows().size());
    EXPECT_EQ("Idle...", Text(IDC_CD_PROGRESS));
}

TEST_F(CDPlayerTest, PlayPauseResumeAndStop)
{
    m_drive.InsertDisc();
    TestPlayer& player = Open();
    struct Step
    {
        int button;
        const char* state;
        int code;
        Strings commands;   // the play, pause, resume, stop and seek commands
    };
    const Step steps[] = {
        {IDC_CD_PLAYPAUSE, "Playing", CDAUDIO_PLAYING, {"play cdaudio from 00:03:00 to 03:02:00 notify"}},
        {IDC_CD_PLAYPAUSE, "Paused", CDAUDIO_PAUSED, {"pause cdaudio"}},
        {IDC_CD_PLAYPAUSE, "Playing", CDAUDIO_PLAYING, {"resume cdaudio"}},
        {IDC_CD_NEXT, "Playing", CDAUDIO_PLAYING, {"play cdaudio from 03:02:00 to 07:12:00 notify"}},
        {IDC_CD_STOP, "Stopped", CDAUDIO_STOPPED, {"stop cdaudio", "seek cdaudio to start"}},
        {IDC_CD_PLAYPAUSE, "Playing", CDAUDIO_PLAYING, {"play cdaudio from 00:03:00 to 03:02:00 notify"}},
    };
    for (const Step& s : steps) {
        m_drive.TakeSent();
        Click(s.button);
        Strings moves;
        for (const std::string& command : m_drive.TakeSent())
            if (command.find("status") == std::string::npos)
                moves.push_back(command);
        EXPECT_EQ(s.commands, moves) << s.state;
        EXPECT_EQ(s.state, Text(IDC_CD_STATE));
        EXPECT_EQ(s.code, player.GetState());
    }
    EXPECT_EQ(player.GetSafeHwnd(), m_drive.notified);
    EXPECT_EQ(1, player.GetCurrentTrack());
    EXPECT_EQ(0, SelectedRow());
}

TEST_F(CDPlayerTest, SkippingAndTheEndOfTheDisc)
{
    m_drive.InsertDisc();
    TestPlayer& player = Open();
    // "<<" on track 1 does nothing.
    m_drive.TakeSent();
    Click(IDC_CD_PREVIOUS);
    EXPECT_TRUE(m_drive.TakeSent().empty());

    Click(IDC_CD_PLAYPAUSE);
    Click(IDC_CD_NEXT);
    Click(IDC_CD_NEXT);
    EXPECT_EQ(3, player.GetCurrentTrack());
    EXPECT_EQ(2, SelectedRow());
    EXPECT_EQ("Track 3", Text(IDC_CD_TITLE));
    Click(IDC_CD_PREVIOUS);
    EXPECT_EQ(2, player.GetCurrentTrack());
    EXPECT_EQ("playing", m_drive.mode);
    // Track 2 plays to its end: the drive's notice plays track 3, then 4.
    ::SendMessageA(player.GetSafeHwnd(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
    EXPECT_EQ(3, player.GetCurrentTrack());
    // Other notices change nothing.
    ::SendMessageA(player.GetSafeHwnd(), MM_MCINOTIFY, MCI_NOTIFY_ABORTED, 0);
    ::SendMessageA(player.GetSafeHwnd(), MM_MCINOTIFY, MCI_NOTIFY_SUPERSEDED, 0);
    EXPECT_EQ(3, player.GetCurrentTrack());
    ::SendMessageA(player.GetSafeHwnd(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
    EXPECT_EQ(4, player.GetCurrentTrack());
    EXPECT_EQ("Playing", Text(IDC_CD_STATE));
    // The last track's end stops the disc at track 1.
    ::SendMessageA(player.GetSafeHwnd(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
    EXPECT_EQ(1, player.GetCurrentTrack());
    EXPECT_EQ("Stopped", Text(IDC_CD_STATE));
    EXPECT_EQ(CDAUDIO_STOPPED, player.GetState());
    EXPECT_EQ("stopped", m_drive.mode);
    EXPECT_EQ(0, SelectedRow());
    // So does ">>" on the last track.
    DoubleClick(3);
    EXPECT_EQ(4, player.GetCurrentTrack());
    Click(IDC_CD_NEXT);
    EXPECT_EQ(1, player.GetCurrentTrack());
    EXPECT_EQ("Stopped", Text(IDC_CD_STATE));
    EXPECT_EQ("00:00", Text(IDC_CD_ELAPSED));
}

TEST_F(CDPlayerTest, DoubleClickPlaysTheRow)
{
    m_drive.InsertDisc();
    TestPlayer& player = Open();
    m_drive.TakeSent();
    DoubleClick(-1);   // no row hit
    EXPECT_TRUE(m_drive.TakeSent().empty());
    EXPECT_EQ(CDAUDIO_STOPPED, player.GetState());
    DoubleClick(2);
    EXPECT_EQ(3, player.GetCurrentTrack());
    EXPECT_EQ(CDAUDIO_PLAYING, player.GetState());
    EXPECT_EQ("Playing", Text(IDC_CD_STATE));
    EXPECT_EQ("Track 3", Text(IDC_CD_TITLE));
    Strings plays;
    for (const std::string& command : m_drive.TakeSent())
        if (command.find("play ") == 0)
            plays.push_back(command);
    EXPECT_EQ(Strings{"play cdaudio from 07:12:00 to 09:12:00 notify"}, plays);
    // The times never go below zero, even before the track's start.
    m_drive.position = 400;
    m_drive.current = 3;
    ::SendMessageA(player.GetSafeHwnd(), WM_TIMER, CCDPlayer::kTimerPlaying, 0);
    EXPECT_EQ("00:00", Text(IDC_CD_ELAPSED));
    EXPECT_EQ("02:00", Text(IDC_CD_REMAIN));
    m_drive.position = 432 + 65;
    ::SendMessageA(player.GetSafeHwnd(), WM_TIMER, CCDPlayer::kTimerPlaying, 0);
    EXPECT_EQ("01:05", Text(IDC_CD_ELAPSED));
    EXPECT_EQ("00:55", Text(IDC_CD_REMAIN));
    m_drive.position = 432 + 200;
    ::SendMessageA(player.GetSafeHwnd(), WM_TIMER, CCDPlayer::kTimerPlaying, 0);
    EXPECT_EQ("03:20", Text(IDC_CD_ELAPSED));
    EXPECT_EQ("00:00", Text(IDC_CD_REMAIN));
}

TEST_F(CDPlayerTest, EjectAndWaitForADisc)
{
    m_drive.InsertDisc();
    TestPlayer& player = Open();
    DoubleClick(1);
    Click(IDC_CD_EJECT);
    EXPECT_FALSE(m_drive.present);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ("", Text(IDC_CD_STATE));
    EXPECT_EQ(1, player.GetCurrentTrack());
    // Again: the tray closes and the window waits for a disc.
    m_drive.TakeSent();
    Click(IDC_CD_EJECT);
    const Strings sent = m_drive.TakeSent();
    EXPECT_NE(sent.end(), std::find(sent.begin(), sent.end(), "Set CDAudio Door Closed wait"));
    EXPECT_EQ("Waiting on CD...", Text(IDC_CD_STATE));
    m_drive.InsertDisc({{2, 100}, {102, 100}, {202, 100}, {302, 100}});
    EXPECT_TRUE(tavrix_test::PumpUntil([&] { return Rows().size() == 4; }, 5000)) << "the disc was not listed";
    // The table of the last read: the new disc's arrival notice reads it anew.
    EXPECT_EQ("02|Track 2|04:10", Rows()[1]);
    DEV_BROADCAST_VOLUME arrival = {};
    arrival.dbcv_size = sizeof arrival;
    arrival.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    arrival.dbcv_unitmask = 1u << ('E' - 'A');
    arrival.dbcv_flags = DBTF_MEDIA;
    EXPECT_EQ(TRUE, ::SendMessageA(player.GetSafeHwnd(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                   reinterpret_cast<LPARAM>(&arrival)));
    EXPECT_EQ("02|Track 2|01:40", Rows()[1]);
    EXPECT_EQ("TRKS: 4  ::  TOTTIME: 06:42", Text(IDC_CD_TOTALS));
}

TEST_F(CDPlayerTest, DiscArrivals)
{
    struct Case
    {
        const char* name;
        DWORD unitMask;
        WORD flags;
        DWORD type;
        bool reads;
    };
    const Case cases[] = {
        {"a disc in the CD drive", 1u << ('E' - 'A'), DBTF_MEDIA, DBT_DEVTYP_VOLUME, true},
        {"the lowest letter counts", (1u << ('E' - 'A')) | (1u << ('G' - 'A')), DBTF_MEDIA, DBT_DEVTYP_VOLUME, true},
        {"a hard disk", 1u << ('C' - 'A'), DBTF_MEDIA, DBT_DEVTYP_VOLUME, false},
        {"not media", 1u << ('E' - 'A'), 0, DBT_DEVTYP_VOLUME, false},
        {"media and network", 1u << ('E' - 'A'), DBTF_MEDIA | DBTF_NET, DBT_DEVTYP_VOLUME, false},
        {"a port", 1u << ('E' - 'A'), DBTF_MEDIA, DBT_DEVTYP_PORT, false},
        {"no unit", 0, DBTF_MEDIA, DBT_DEVTYP_VOLUME, false},
    };
    for (const Case& c : cases) {
        m_drive.RemoveDisc();
        Open();
        ASSERT_TRUE(Rows().empty()) << c.name;
        m_drive.InsertDisc({{2, 60}, {62, 60}});
        DEV_BROADCAST_VOLUME arrival = {};
        arrival.dbcv_size = sizeof arrival;
        arrival.dbcv_devicetype = c.type;
        arrival.dbcv_unitmask = c.unitMask;
        arrival.dbcv_flags = c.flags;
        EXPECT_EQ(TRUE, ::SendMessageA(m_player->GetSafeHwnd(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                       reinterpret_cast<LPARAM>(&arrival)))
            << c.name;
        EXPECT_EQ(c.reads ? 2u : 0u, Rows().size()) << c.name;
        EXPECT_EQ(c.reads ? "Idle..." : "No CD in drive...", Text(IDC_CD_PROGRESS)) << c.name;
        // The removal notice only refreshes the display.
        m_drive.RemoveDisc();
        EXPECT_EQ(TRUE, ::SendMessageA(m_player->GetSafeHwnd(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0))
            << c.name;
        EXPECT_EQ(c.reads ? 2u : 0u, Rows().size()) << c.name;
        m_player->DestroyWindow();
    }
    // A notice without its block, or with a block too short for a
    // volume, changes nothing and does not fail.
    Open();
    m_drive.InsertDisc();
    DEV_BROADCAST_HDR shortBlock = {sizeof shortBlock, DBT_DEVTYP_VOLUME, 0};
    EXPECT_EQ(TRUE, ::SendMessageA(m_player->GetSafeHwnd(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0));
    EXPECT_EQ(TRUE, ::SendMessageA(m_player->GetSafeHwnd(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                   reinterpret_cast<LPARAM>(&shortBlock)));
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ("No CD in drive...", Text(IDC_CD_PROGRESS));
}

TEST_F(CDPlayerTest, ALookupWhilePlaying)
{
    ServerSettings("SaveInfo=1\r\n");
    m_drive.InsertDisc();
    TestPlayer& player = Open();
    // Six titles for a disc of four: the last two are not the disc's.
    ServeDisc({"Opening", "Caf\xe9 <Live>", "Third", "Fourth", "Fifth", "Sixth"});
    DoubleClick(1);
    ASSERT_EQ("Playing", Text(IDC_CD_STATE));
    m_drive.TakeSent();
    Click(IDC_CD_LOOKUP);
    EXPECT_TRUE(m_prompts.texts.empty()) << m_prompts.texts[0];
    EXPECT_EQ("stopped", m_drive.mode);
    EXPECT_EQ("Stopped", Text(IDC_CD_STATE));
    EXPECT_EQ(CDAUDIO_STOPPED, player.GetState());
    EXPECT_EQ("Album - Artist", Text(IDC_CD_ALBUM));
    EXPECT_EQ((Strings{"01|Opening|03:00", "02|Caf\xe9 <Live>|04:10", "03|Third|02:00", "04|Fourth|01:30"}), Rows());
    EXPECT_EQ("Caf\xe9 <Live>", Text(IDC_CD_TITLE));
    EXPECT_EQ("Idle...", Text(IDC_CD_PROGRESS));
    const Strings sent = m_drive.TakeSent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(1, std::count(sent.begin(), sent.end(), "close cdaudio"));
    EXPECT_EQ(1, std::count(sent.begin(), sent.end(), "open cdaudio"));
    EXPECT_TRUE(m_drive.opened);

    long long count = 0;
    std::vector<CDCatalogAlbum> albums = Catalogue(&count);
    ASSERT_EQ(1u, albums.size());
    EXPECT_EQ(1, count);
    EXPECT_EQ("Artist", std::string(albums[0].artist.GetString()));
    EXPECT_EQ("Album", std::string(albums[0].title.GetString()));
    char id[16];
    snprintf(id, sizeof id, "%08x", m_discId);
    EXPECT_EQ(id, std::string(albums[0].discId.GetString()));
    ASSERT_EQ(4u, albums[0].tracks.size());
    EXPECT_EQ("Caf\xe9 <Live>", std::string(albums[0].tracks[1].title.GetString()));
    EXPECT_EQ(250, albums[0].tracks[1].length);
    EXPECT_EQ(4, albums[0].tracks[3].number);

    // The same disc again: a second album, Albums 2.
    Click(IDC_CD_LOOKUP);
    EXPECT_EQ(2u, Catalogue(&count).size());
    EXPECT_EQ(2, count);
    EXPECT_EQ(4u, m_server.Requests().size());
}

TEST_F(CDPlayerTest, LookupFailures)
{
    struct Case
    {
        const char* name;
        bool refuseToc;
        const char* queryAnswer;   // null: the query is answered, the read fails with 401
        bool tellsTheServer;
    };
    const Case cases[] = {
        {"the disc id cannot be read", true, nullptr, false},
        {"no match", false, "202 No match for disc ID.\r\n", true},
        {"a malformed answer", false, "<html>Gateway trouble</html>\r\n", true},
        {"the read fails", false, nullptr, true},
    };
    for (const Case& c : cases) {
        ServerSettings("SaveInfo=1\r\n");
        m_drive.InsertDisc();
        m_drive.refuseToc = false;
        TestPlayer& player = Open();
        const std::string query = QueryPath();
        char id[16];
        snprintf(id, sizeof id, "%08x", m_discId);
        m_server.SetReply(query, Answer(c.queryAnswer ? c.queryAnswer : std::string("200 rock ") + id + " A / B\r\n"));
        m_server.SetReply(ReadPath(), Answer(std::string("401 rock ") + id + " No such CD entry in database.\r\n"));
        m_drive.refuseToc = c.refuseToc;
        m_prompts.texts.clear();
        Click(IDC_CD_LOOKUP);
        ASSERT_EQ(1u, m_prompts.texts.size()) << c.name;
        EXPECT_EQ("TAVRIX PRO DJ", m_prompts.captions[0]) << c.name;
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), m_prompts.types[0]) << c.name;
        if (c.tellsTheServer) {
            EXPECT_EQ("Unable to get disc info for:\n\nDisc ID: " + std::string(id) +
                          "\nCDDB Server: 127.0.0.1\n\nPossible Causes:\n\nThis may be a burned disc;\n"
                          "You may not have an internet connection;\nThe CDDB server timed out.",
                      m_prompts.texts[0])
                << c.name;
        } else {
            EXPECT_EQ("An error occurred while retrieving the DISC ID, Error:" + std::to_string(MCIERR_DEVICE_NOT_READY) +
                          ", Text:",
                      m_prompts.texts[0].substr(0, m_prompts.texts[0].find("Text:") + 5))
                << c.name;
            EXPECT_GT(m_prompts.texts[0].size(), m_prompts.texts[0].find("Text:") + 5) << c.name << ": no text";
        }
        EXPECT_EQ("Unknown...", Text(IDC_CD_ALBUM)) << c.name;
        EXPECT_EQ("01|Track 1|03:00", Rows().at(0)) << c.name;
        EXPECT_EQ("Idle...", Text(IDC_CD_PROGRESS)) << c.name;
        EXPECT_TRUE(m_drive.opened) << c.name;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_dir.File("TXDiscs.txt").c_str())) << c.name;
        player.DestroyWindow();
        m_player.reset();
    }
}

TEST_F(CDPlayerTest, ALookupOnOpeningSavesAsAsked)
{
    ServerSettings("CDDBOnOpen=1\r\nSaveInfo=1\r\nSaveInfoFilename=Discs.xml\r\n");
    m_drive.InsertDisc();
    {
        // The paths, from a client of the test's own.
        CDDBClient paths;
        paths.SetMciCommand(PlayedDrive::Command);
        CDDBToc toc;
        ASSERT_TRUE(paths.ReadToc(toc));
        m_discId = CDDBProtocol::DiscIdFromToc(toc);
        CDDBServer server;
        server.host = "127.0.0.1";
        CString request;
        ASSERT_TRUE(paths.QueryRequestText(server, m_discId, toc, request));
        char id[16];
        snprintf(id, sizeof id, "%08x", m_discId);
        m_server.SetReply(PathOf(request), Answer(std::string("200 rock ") + id + " Artist / Album\r\n"));
        m_server.SetReply(PathOf(paths.ReadRequestText(server, "rock", m_discId)),
                          Answer(std::string("210 rock ") + id + "\r\n" + Record({"a", "b", "c", "d"})));
    }
    Open();
    EXPECT_TRUE(m_prompts.texts.empty()) << m_prompts.texts[0];
    EXPECT_EQ("Album - Artist", Text(IDC_CD_ALBUM));
    EXPECT_EQ("04|d|01:30", Rows().at(3));
    CString text;
    ASSERT_TRUE(ReadCatalogFile(m_dir.File("Discs.xml").c_str(), text));
    std::vector<CDCatalogAlbum> albums;
    ASSERT_TRUE(CDCatalogRead(text, albums));
    ASSERT_EQ(1u, albums.size());
    EXPECT_EQ("d", std::string(albums[0].tracks[3].title.GetString()));
}

TEST_F(CDPlayerTest, ACatalogueThatCannotTakeTheDisc)
{
    struct Case
    {
        const char* name;
        const char* content;
        bool readOnly;
        const char* message;   // the start of the message shown
    };
    const Case cases[] = {
        {"no catalogue", "<Other/>\r\n", false, "is not a CD catalogue"},
        {"read-only", "<TavrixCDCatalog Albums=\"3\"/>\r\n", true, ""},
    };
    for (const Case& c : cases) {
        ServerSettings("SaveInfo=1\r\n");
        const std::string path = m_dir.File("TXDiscs.txt");
        ASSERT_TRUE(tavrix_test::WriteFileBytes(path, c.content));
        if (c.readOnly)
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        m_drive.InsertDisc();
        TestPlayer& player = Open();
        ServeDisc({"a", "b", "c", "d"});
        m_prompts.texts.clear();
        Click(IDC_CD_LOOKUP);
        EXPECT_EQ("Album - Artist", Text(IDC_CD_ALBUM)) << c.name;
        ASSERT_EQ(1u, m_prompts.texts.size()) << c.name;
        EXPECT_NE(std::string::npos, m_prompts.texts[0].find(c.message)) << c.name << ": " << m_prompts.texts[0];
        EXPECT_NE(std::string::npos, m_prompts.texts[0].find("TXDiscs.txt")) << c.name << ": " << m_prompts.texts[0];
        std::string bytes;
        ASSERT_TRUE(tavrix_test::ReadFileBytes(path, bytes));
        EXPECT_EQ(c.content, bytes) << c.name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        player.DestroyWindow();
        m_player.reset();
    }
}

TEST_F(CDPlayerTest, VolumeOutputDeviceAndPosition)
{
    m_drive.InsertDisc();
    TestPlayer& player = Open();
    const HWND slider = Item(IDC_CD_VOLUME);
    const struct { int code; int position; DWORD volume; } scrolls[] = {
        {TB_THUMBTRACK, 5535, 60000}, {TB_PAGEDOWN, 45535, 20000}, {TB_ENDTRACK, 0, 20000}, {TB_LINEUP, 35, 65500},
    };
    for (const auto& s : scrolls) {
        ::SendMessageA(slider, TBM_SETPOS, TRUE, s.position);
        ::SendMessageA(player.GetSafeHwnd(), WM_VSCROLL, MAKEWPARAM(s.code, s.position), reinterpret_cast<LPARAM>(slider));
        EXPECT_EQ(s.volume, m_drive.volume) << s.code;
    }

    const HWND combo = Item(IDC_CD_OUTPUTDEVICE);
    const LRESULT cd = ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("CD Mixer"));
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(cd), 0);
    ::SendMessageA(player.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_CD_OUTPUTDEVICE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    char value[16] = {};
    ::GetPrivateProfileStringA("CDPLAYER", "OutputDevice", "", value, sizeof value, m_dir.File("TavrixVJ.INI").c_str());
    EXPECT_STREQ("1", value);

    // Hidden, the window keeps its place; shown, it goes back there.
    player.SetWindowPos(nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    player.ShowWindow(SW_SHOW);
    player.SetWindowPos(nullptr, 140, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    player.ShowWindow(SW_HIDE);
    player.SetWindowPos(nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    player.ShowWindow(SW_SHOW);
    RECT rect = {};
    ::GetWindowRect(player.GetSafeHwnd(), &rect);
    EXPECT_EQ(140, rect.left);
    EXPECT_EQ(90, rect.top);
    player.ShowWindow(SW_HIDE);
}

TEST_F(CDPlayerTest, TheMixerInformation)
{
    m_drive.InsertDisc();
    TestPlayer& player = Open();
    ::SendMessageA(player.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_CD_MIXERINFO, BN_CLICKED), 0);
    EXPECT_EQ((Strings{"Device ID #0: Line Mixer", "Device ID #1: CD Mixer", "Volume Min: 0\nVolume Max: 65535\nStep: 0"}),
              m_prompts.texts);
    EXPECT_EQ(20000, ::SendMessageA(Item(IDC_CD_VOLUME), TBM_GETPOS, 0, 0));
    m_prompts.texts.clear();
    m_drive.hasVolume = false;
    m_drive.mixers.clear();
    ::SendMessageA(player.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_CD_MIXERINFO, BN_CLICKED), 0);
    EXPECT_EQ((Strings{"Error getting Volume Control: " + std::to_string(MIXERR_INVALCONTROL),
                       "Error getting control details"}),
              m_prompts.texts);
}

TEST_F(CDPlayerTest, AClickDuringALookupWaitsForIt)
{
    // The failing lookup's message box is where the window lets messages
    // through; a second click on "CDDB Lookup" there starts no second one.
    class ClickingPrompts : public Prompts
    {
    public:
        int MessageBox(HWND owner, const char* text, const char* caption, UINT type) override
        {
            Prompts::MessageBox(owner, text, caption, type);
            if (window && texts.size() == 1)
                ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_CD_LOOKUP, BN_CLICKED), 0);
            return IDOK;
        }
        HWND window = nullptr;
    } prompts;
    CPromptAnswerer* previous = AfxSetPromptAnswerer(&prompts);
    ServerSettings();
    m_drive.InsertDisc();
    TestPlayer& player = Open();
    m_server.SetReply(QueryPath(), Answer("202 No match.\r\n"));
    prompts.window = player.GetSafeHwnd();
    Click(IDC_CD_LOOKUP);
    EXPECT_EQ(1u, prompts.texts.size());
    EXPECT_EQ(1u, m_server.Requests().size());
    // Once it has ended, the next click looks up again.
    prompts.window = nullptr;
    Click(IDC_CD_LOOKUP);
    EXPECT_EQ(2u, prompts.texts.size());
    EXPECT_EQ(2u, m_server.Requests().size());
    AfxSetPromptAnswerer(previous);
}

TEST_F(CDPlayerTest, ADriveThatClaimsTooManyTracks)
{
    std::vector<PlayedDrive::Track> tracks;
    for (int i = 0; i < 120; ++i)
        tracks.push_back({2 + 30 * i, 30});
    m_drive.InsertDisc(tracks);
    TestPlayer& player = Open();
    EXPECT_EQ(99u, player.GetTracks().size());
    EXPECT_EQ(99u, Rows().size());
    EXPECT_EQ("99|Track 99|00:30", Rows().back());
}
