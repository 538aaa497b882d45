// The CD database client against a CDDB server on 127.0.0.1 started by the
// test, and its table of contents read from a drive that the test plays.
#include "audio/cd/CDDBClient.h"

#include "tests/foundation/download/LocalHttpServer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Client : public CDDBClient
{
public:
    CString GetUserNameText() override { return "dj"; }
    CString GetHostNameText() override { return "booth"; }
};

const char* const kHello = "&hello=dj+booth+TavrixCDDB+1.27&proto=5";

std::string QueryPath(const char* id, const char* rest)
{
    return std::string("/~cddb/cddb.cgi?cmd=cddb+query+") + id + "+" + rest + kHello;
}

std::string ReadPath(const char* category, const char* id)
{
    return std::string("/~cddb/cddb.cgi?cmd=cddb+read+") + category + "+" + id + kHello;
}

LocalHttpServer::Reply Answer(const std::string& body, unsigned pauseMs = 0)
{
    return {{"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body, pauseMs}};
}

// Two tracks at 00:02 and 03:53, lead-out at 40:00.
struct TwoTracks
{
    TwoTracks()
    {
        const int frames[] = {150, 17510, 180000};
        for (int f : frames)
            toc.Add(CDDBTocEntry::FromFrames(f));
    }
    CDDBToc toc;
    const char* request = "2+150+17510+2400";
};

std::string Record(int titles, const std::string& title = "Band / Album")
{
    std::string text = "# xmcd\r\n#\r\n# Track frame offsets:\r\n";
    for (int i = 0; i < titles; ++i)
        text += "#\t" + std::to_string(150 + 2000 * i) + "\r\n";
    text += "#\r\n# Disc length: 2400 seconds\r\n# Revision: 1\r\n# Submitted via: xmcd 2.0\r\n";
    text += "DISCID=0a0b0c02\r\nDTITLE=" + title + "\r\nDYEAR=2001\r\n";
    for (int i = 0; i < titles; ++i)
        text += "TTITLE" + std::to_string(i) + "=Track " + std::to_string(i + 1) + " " + std::string(150, 'x') +
                "\r\n";
    text += "EXTD=\r\n";
    for (int i = 0; i < titles; ++i)
        text += "EXTT" + std::to_string(i) + "=\r\n";
    return text + "PLAYORDER=\r\n";
}

class CDDBClientTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.Started());
        m_host.host = "127.0.0.1";
        m_host.port = m_server.Port();
    }

    LocalHttpServer m_server;
    CDDBServer m_host;
    Client m_client;
    TwoTracks m_disc;
};

} // namespace

TEST_F(CDDBClientTest, QueryAnswers)
{
    struct Case
    {
        const char* name;
        std::string body;
        bool ok;
        int error;
        std::vector<std::string> titles;  // "artist|title"
    };
    const Case cases[] = {
        {"exact", "200 rock 0a0b0c02 Artist / Album\r\n", true, 0, {"Artist|Album"}},
        {"inexact", "211 Found inexact matches, list follows (until terminating `.')\r\n"
                    "rock 0a0b0c02 Artist / Album\r\nmisc 0a0b0c03 Just A Title\r\n.\r\n",
         true, 0, {"Artist|Album", "|Just A Title"}},
        {"none", "202 No match for disc ID 0a0b0c02.\r\n", false, 0, {}},
        {"malformed", "<html><body>Gateway trouble</body></html>\r\n", false, WSAEPROTONOSUPPORT, {}},
        {"inexact without a match line", "211 inexact\r\n.\r\n", false, WSAEPROTONOSUPPORT, {}},
        {"inexact cut before its end", "211 inexact\r\nrock 0a0b0c02 A / B\r\n", false, WSAEPROTONOSUPPORT, {}},
        {"oversized", "211 inexact\r\n" + std::string(CDDB_MAX_ANSWER + 4096, 'r') + "\r\n.\r\n", false,
         WSAEPROTONOSUPPORT, {}},
    };
    unsigned id = 2;
    for (const Case& c : cases) {
        char idText[16];
        snprintf(idText, sizeof idText, "%08x", 0x0a0b0c00 + id);
        m_server.SetReply(QueryPath(idText, m_disc.request), Answer(c.body));
        CDDBMatchArray matches;
        EXPECT_EQ(c.ok, m_client.Query(m_host, 0x0a0b0c00 + id, m_disc.toc, matches)) << c.name;
        if (!c.ok) {
            EXPECT_EQ(c.error, m_client.GetLastErrorCode()) << c.name;
            EXPECT_LE(static_cast<size_t>(m_client.LastAnswer().GetLength()), CDDB_MAX_ANSWER + 4096) << c.name;
        }
        ASSERT_EQ(c.titles.size(), static_cast<size_t>(matches.GetSize())) << c.name;
        for (size_t i = 0; i < c.titles.size(); ++i)
            EXPECT_EQ(c.titles[i], std::string(matches[i].artist.GetString()) + "|" + matches[i].title.GetString())
                << c.name;
        ++id;
    }
    EXPECT_EQ(static_cast<size_t>(id - 2), m_server.Requests().size());
}

TEST_F(CDDBClientTest, ReadsARecordLargerThanOneBuffer)
{
    const std::string body = "210 rock 0a0b0c02 CD database entry follows (until terminating `.')\r\n" + Record(90);
    ASSERT_GT(body.size(), 3u * 4096);
    // Sent in pieces, as a slow line would.
    LocalHttpServer::Reply reply = Answer("");
    for (size_t at = 0; at < body.size(); at += 3000)
        reply.push_back({body.substr(at, 3000), 30});
    reply.push_back({".\r\n", 30});
    m_server.SetReply(ReadPath("rock", "0a0b0c02"), reply);
    CDDBRecord record;
    ASSERT_TRUE(m_client.Read(m_host, 0x0a0b0c02, "rock", record)) << m_client.LastAnswer().GetString();
    EXPECT_TRUE(m_client.LastAnswer().IsEmpty());
    EXPECT_EQ(0x0a0b0c02u, record.discId);
    EXPECT_STREQ("Band", record.artist.GetString());
    EXPECT_STREQ("Album", record.title.GetString());
    ASSERT_EQ(90, record.trackTitles.GetSize());
    EXPECT_EQ(0, record.trackTitles[89].Find("Track 90 xxx"));
    EXPECT_EQ(2001, record.year);
}

namespace {

// A whole, well-formed record whose answer is one byte longer than the
// client takes.
std::string JustPastTheLimit()
{
    const std::string head = "210 rock 0a0b0c02\r\n" + Record(2);
    const size_t framing = Answer("")[0].bytes.size() + head.size() + 2 + 5;
    return head + std::string(CDDB_MAX_ANSWER + 1 - framing, '#') + "\r\n\r\n.\r\n";
}

} // namespace

TEST_F(CDDBClientTest, RejectedReads)
{
    struct Case
    {
        const char* name;
        std::string body;
    };
    const Case cases[] = {
        {"no such entry", "401 rock 0a0b0c02 No such CD entry in database.\r\n"},
        {"huge title index", "210 rock 0a0b0c02\r\n" + Record(2) + "TTITLE4294967297=x\r\n.\r\n"},
        {"title index 99", "210 rock 0a0b0c02\r\n" + Record(2) + "TTITLE99=x\r\nEXTT99=\r\n.\r\n"},
        {"extended index past int", "210 rock 0a0b0c02\r\n" + Record(2) + "EXTT99999999999=x\r\n.\r\n"},
        {"record cut short", "210 rock 0a0b0c02\r\n# xmcd\r\nDTITLE=A / B\r\n.\r\n"},
        {"oversized", "210 rock 0a0b0c02\r\n" + Record(2) + std::string(CDDB_MAX_ANSWER, '#') + "\r\n.\r\n"},
        {"one byte past the limit", JustPastTheLimit()},
    };
    for (const Case& c : cases) {
        m_server.SetReply(ReadPath("rock", "0a0b0c02"), Answer(c.body));
        CDDBRecord record;
        EXPECT_FALSE(m_client.Read(m_host, 0x0a0b0c02, "rock", record)) << c.name;
        EXPECT_EQ(WSAEPROTONOSUPPORT, m_client.GetLastErrorCode()) << c.name;
        EXPECT_FALSE(m_client.LastAnswer().IsEmpty()) << c.name;
    }
}

TEST_F(CDDBClientTest, StalledServersEndWithinSeconds)
{
    struct Case
    {
        const char* name;
        LocalHttpServer::Reply reply;
    };
    // Silent past one wait; then a trickle that never lets a wait run out.
    LocalHttpServer::Reply trickle = Answer("210 rock 0a0b0c02\r\n");
    for (int i = 0; i < 12; ++i)
        trickle.push_back({"# a comment\r\n", 1000});
    const Case cases[] = {
        {"silent", Answer("210 rock 0a0b0c02\r\n" + Record(1) + ".\r\n", 3000)},
        {"trickling", trickle},
    };
    for (const Case& c : cases) {
        m_server.SetReply(ReadPath("rock", "0a0b0c02"), c.reply);
        CDDBRecord record;
        const DWORD started = GetTickCount();
        EXPECT_FALSE(m_client.Read(m_host, 0x0a0b0c02, "rock", record)) << c.name;
        const DWORD waited = GetTickCount() - started;
        EXPECT_EQ(WSAEPROTONOSUPPORT, m_client.GetLastErrorCode()) << c.name;
        EXPECT_GE(waited, 1900u) << c.name;
        EXPECT_LT(waited, 8000u) << c.name << ": the window's thread would hang";
    }
}

TEST_F(CDDBClientTest, RefusedConnection)
{
    m_host.port = ClosedLoopbackPort();
    ASSERT_NE(0, m_host.port);
    CDDBMatchArray matches;
    EXPECT_FALSE(m_client.Query(m_host, 0x0a0b0c02, m_disc.toc, matches));
    EXPECT_EQ(WSAECONNREFUSED, m_client.GetLastErrorCode());
}

TEST(CDDBClientNames, UserAndHostGoOutClean)
{
    CDDBClient client;
    for (const CString& name : {client.GetUserNameText(), client.GetHostNameText()}) {
        ASSERT_FALSE(name.IsEmpty());
        for (int i = 0; i < name.GetLength(); ++i) {
            const char c = name[i];
            EXPECT_TRUE(isalnum(static_cast<unsigned char>(c)) || c == '_') << name.GetString();
        }
    }
    EXPECT_EQ(0, client.GetHelloText().Find("hello=" + client.GetUserNameText() + "+"));
}

// ---- the table of contents from a drive the test plays ----

namespace {

struct FakeDrive
{
    std::vector<DWORD> positions;  // MSF of each track
    std::vector<bool> audio;
    DWORD lastLength = 0;          // MSF
    MCIERROR openError = 0;
    int failPositionOf = 0;        // a track whose position fails
    int opens = 0;
    int closes = 0;
    std::string element;
};
FakeDrive* g_drive = nullptr;

MCIERROR WINAPI FakeCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params)
{
    FakeDrive& d = *g_drive;
    switch (message) {
    case MCI_OPEN: {
        auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(params);
        if (d.openError)
            return d.openError;
        if (std::string(open->lpstrDeviceType) != "cdaudio" || !(flags & MCI_OPEN_SHAREABLE))
            return MCIERR_INVALID_DEVICE_NAME;
        d.element = (flags & MCI_OPEN_ELEMENT) ? open->lpstrElementName : "";
        open->wDeviceID = 7;
        ++d.opens;
        return 0;
    }
    case MCI_CLOSE:
        ++d.closes;
        return device == 7 ? 0 : MCIERR_INVALID_DEVICE_ID;
    case MCI_SET:
        return reinterpret_cast<MCI_SET_PARMS*>(params)->dwTimeFormat == MCI_FORMAT_MSF ? 0 : MCIERR_BAD_TIME_FORMAT;
    case MCI_STATUS: {
        auto* status = reinterpret_cast<MCI_STATUS_PARMS*>(params);
        const size_t track = status->dwTrack;
        const bool known = (flags & MCI_TRACK) && track >= 1 && track <= d.positions.size();
        switch (status->dwItem) {
        case MCI_STATUS_NUMBER_OF_TRACKS:
            status->dwReturn = d.positions.size();
            return 0;
        case MCI_CDA_STATUS_TYPE_TRACK:
            if (!known)
                return MCIERR_OUTOFRANGE;
            status->dwReturn = d.audio[track - 1] ? MCI_CDA_TRACK_AUDIO : MCI_CDA_TRACK_OTHER;
            return 0;
        case MCI_STATUS_POSITION:
            if (!known || static_cast<int>(track) == d.failPositionOf)
                return MCIERR_HARDWARE;
            status->dwReturn = d.positions[track - 1];
            return 0;
        case MCI_STATUS_LENGTH:
            if (!known || track != d.positions.size())
                return MCIERR_OUTOFRANGE;
            status->dwReturn = d.lastLength;
            return 0;
        }
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    }
    return MCIERR_UNRECOGNIZED_COMMAND;
}

DWORD Msf(int frames)
{
    return MCI_MAKE_MSF(frames / 4500, frames / 75 % 60, frames % 75);
}

// The published example disc (15 tracks, lead-out at sector 258725).
FakeDrive PublishedDisc()
{
    FakeDrive d;
    for (int f : {150, 17510, 33275, 45910, 57805, 78310, 94650, 109580, 132010, 149160, 165115, 177710, 203325,
                  215555, 235590}) {
        d.positions.push_back(Msf(f));
        d.audio.push_back(true);
    }
    d.lastLength = Msf(258725 - 1 - 235590);
    return d;
}

} // namespace

TEST(CDDBToc, ReadsTheDiscThroughMci)
{
    FakeDrive drive = PublishedDisc();
    drive.audio[0] = false;  // a data track first: the audio track after it counts
    g_drive = &drive;
    CDDBClient client;
    client.SetMciCommand(FakeCommand);
    CDDBToc toc;
    ASSERT_TRUE(client.ReadToc(toc, "E:"));
    EXPECT_EQ("E:", drive.element);
    ASSERT_EQ(16, toc.GetSize());
    EXPECT_EQ(52, toc[14].minute);
    EXPECT_EQ(21, toc[14].second);
    EXPECT_EQ(15, toc[14].frame);
    EXPECT_EQ(258725, (toc[15].minute * 60 + toc[15].second) * 75 + toc[15].frame);
    uint32_t id = 0;
    ASSERT_TRUE(client.ComputeDiscId(id));
    EXPECT_EQ(0xb60d770fu, id);
    EXPECT_EQ(drive.opens, drive.closes);
    g_drive = nullptr;
}

TEST(CDDBToc, DriveFailures)
{
    struct Case
    {
        const char* name;
        void (*spoil)(FakeDrive&);
        int error;  // the MCI error, 0 when none
    };
    const Case cases[] = {
        {"no drive", [](FakeDrive& d) { d.openError = MCIERR_DEVICE_NOT_READY; }, MCIERR_DEVICE_NOT_READY},
        {"no audio track", [](FakeDrive& d) { d.audio.assign(d.audio.size(), false); }, 0},
        {"a position fails", [](FakeDrive& d) { d.failPositionOf = 9; }, MCIERR_HARDWARE},
        {"no track", [](FakeDrive& d) { d.positions.clear(); }, 0},
    };
    for (const Case& c : cases) {
        FakeDrive drive = PublishedDisc();
        c.spoil(drive);
        g_drive = &drive;
        CDDBClient client;
        client.SetMciCommand(FakeCommand);
        CDDBToc toc;
        EXPECT_FALSE(client.ReadToc(toc)) << c.name;
        EXPECT_EQ(0, toc.GetSize()) << c.name;
        EXPECT_EQ(drive.opens, drive.closes) << c.name << ": the device stays open";
        if (c.error) {
            EXPECT_EQ(c.error, client.GetLastErrorCode()) << c.name;
            EXPECT_FALSE(client.GetErrorText().IsEmpty()) << c.name;
        } else {
            EXPECT_NE(0, client.GetLastErrorCode()) << c.name;
        }
        g_drive = nullptr;
    }
}
