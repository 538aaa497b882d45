// A deck's worker jobs against a local HTTP server on 127.0.0.1 standing in
// for the search service: the signed request, replies with zero, one and
// many results, a malformed reply, an error status, the gate, two decks at
// once and a lookup overtaken by the next load; the play counter and the
// history.
#include <winsock2.h>

#include "audio/worker/DeckWorker.h"
#include "foundation/app/PostedText.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "foundation/download/AlbumArtDownload.h"
#include "tests/foundation/download/LocalHttpServer.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"

namespace {

class JobHost : public DeckJobHost
{
public:
    JobHost() : m_uiThread(GetCurrentThreadId()) {}
    bool view = true;
    bool ownPicture = false;
    std::vector<std::string> titles;     // SetDeckTitle's paths
    std::vector<std::string> history;    // titles added, on the user-interface thread
    bool historyOffThread = false;

    bool HasAlbumArtView(int) override { return view; }
    bool SetDeckTitle(int, const CString& path) override
    {
        titles.push_back(path.GetString());
        return ownPicture;
    }
    void AddToHistory(const TAG_INFO& replaced) override
    {
        if (GetCurrentThreadId() != m_uiThread)
            historyOffThread = true;
        history.push_back(replaced.Title.GetString());
    }
    int IncrementPlayCounter(const CString& path, bool inLibrary) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        counted.push_back(std::string(path.GetString()) + (inLibrary ? " lib" : ""));
        return 1;
    }
    std::vector<std::string> Counted()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return counted;
    }

private:
    DWORD m_uiThread;
    std::mutex m_lock;
    std::vector<std::string> counted;
};

// A hidden window standing in for the main window: keeps the album-art
// messages posted to it.
class PostBox
{
public:
    struct Post
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    PostBox()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &PostBox::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "DeckWorkerTestPostBox";
        RegisterClassA(&wc);
        m_window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~PostBox() { DestroyWindow(m_window); }
    HWND Window() const { return m_window; }
    std::vector<Post> posts;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_DECK_ART_FOUND || message == WM_DECK_ART_MISSING) {
            auto* self = reinterpret_cast<PostBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            if (self)
                self->posts.push_back({message, wParam, lParam});
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND m_window;
};

std::string ItemXml(const std::string& title, const std::string& artist, const std::string& medium)
{
    std::string item = "<Item><ASIN>B000</ASIN><DetailPageURL>http://shop.example/" + title + "</DetailPageURL>";
    item += "<SmallImage><URL>http://img.example/small.jpg</URL></SmallImage>";
    if (!medium.empty())
        item += "<MediumImage><URL>" + medium + "</URL><Height Units=\"pixels\">160</Height></MediumImage>";
    item += "<ItemAttributes><Artist>" + artist + "</Artist><Title>" + title + "</Title></ItemAttributes></Item>";
    return item;
}

std::string ReplyXml(const std::string& items)
{
    return "<?xml version=\"1.0\" ?>\r\n<ItemSearchResponse xmlns=\"http://webservices.amazon.com/AWSECommerceService/2009-03-31\">\r\n"
           "<OperationRequest><RequestId>1</RequestId></OperationRequest>\r\n<Items><Request><IsValid>True</IsValid>"
           "</Request><TotalResults>9</TotalResults>\r\n" +
           items + "</Items></ItemSearchResponse>\r\n";
}

class DeckWorkerTest : public ProgramFolderTest
{
protected:
    void SetUp() override { ASSERT_TRUE(server.Started()); }

    AlbumArtService Service() const
    {
        AlbumArtService service;
        service.host = "127.0.0.1";
        service.port = server.Port();
        service.accessKeyId = "AKID0123456789ABCDEF";
        service.signingKey = "0123456789abcdefghijABCDEFGHIJklmnopqrst";
        return service;
    }

    DeckJobSettings LookupOn() const
    {
        DeckJobSettings settings;
        settings.lookupArt = true;
        return settings;
    }

    static TAG_INFO Track(const char* artist, const char* album, const char* title = "Song")
    {
        TAG_INFO tags;
        tags.Artist = artist;
        tags.Album = album;
        tags.Title = title;
        return tags;
    }

    // Pumps until the worker is idle and `posts` messages arrived.
    void Settle(DeckWorker& worker, size_t posts)
    {
        ASSERT_TRUE(tavrix_test::PumpUntil([&] { return worker.Idle() && box.posts.size() >= posts; }, 15000))
            << "worker idle " << worker.Idle() << ", posts " << box.posts.size();
        // Nothing more arrives late.
        tavrix_test::PumpUntil([] { return false; }, 50);
    }

    static std::string FileText(const CString& path)
    {
        std::string bytes;
        tavrix_test::ReadFileBytes(path.GetString(), bytes);
        return bytes;
    }

    LocalHttpServer server;
    PostBox box;
    JobHost host;
};

} // namespace

TEST_F(DeckWorkerTest, LookupOutcomes)
{
    const std::string imageA = JpegBytes(3000, 1), imageB = JpegBytes(4000, 2);
    server.SetReply("/img/a.jpg", LocalHttpServer::Ok(imageA));
    server.SetReply("/img/b.jpg", LocalHttpServer::Ok(imageB));
    struct Case
    {
        const char* name;
        LocalHttpServer::Reply reply;
        bool found;
        const std::string* image;
    } cases[] = {
        {"zero results", LocalHttpServer::Ok(ReplyXml("")), false, nullptr},
        {"one result", LocalHttpServer::Ok(ReplyXml(ItemXml("Other", "Massive Attack", server.Url("/img/a.jpg")))),
         true, &imageA},
        {"many results, the album's taken",
         LocalHttpServer::Ok(ReplyXml(ItemXml("First", "Massive Attack", server.Url("/img/a.jpg")) +
                                      ItemXml("Mezzanine", "Someone Else", server.Url("/img/a.jpg")) +
                                      ItemXml("MEZZANINE", "massive attack", server.Url("/img/b.jpg")) +
                                      ItemXml("Third", "Massive Attack", ""))),
         true, &imageB},
        {"no medium images", LocalHttpServer::Ok(ReplyXml(ItemXml("A", "Massive Attack", "") + ItemXml("B", "Massive Attack", ""))),
         false, nullptr},
        {"malformed reply", LocalHttpServer::Ok("<ItemSearchResponse><Items><Item><MediumImage><URL>"), false, nullptr},
        {"error status", LocalHttpServer::Status(503, "busy"), false, nullptr},
        {"image missing", LocalHttpServer::Ok(ReplyXml(ItemXml("X", "Massive Attack", server.Url("/img/none.jpg")))),
         false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.SetReply("/onca/xml?AWSAccessKeyId=", c.reply);
        box.posts.clear();
        TAG_INFO deckTags = Track("Massive Attack", "Mezzanine");
        DeckWorker worker(0, box.Window(), &host);
        worker.SetService(Service());
        worker.SetSettings(LookupOn());
        ASSERT_TRUE(worker.StartLookup("C:\\music\\teardrop.mp3", deckTags, &deckTags));
        Settle(worker, 1);
        ASSERT_EQ(1u, box.posts.size());
        EXPECT_EQ(0u, box.posts[0].wParam);
        EXPECT_EQ(c.found, worker.ArtFound());
        if (c.found) {
            EXPECT_EQ(static_cast<UINT>(WM_DECK_ART_FOUND), box.posts[0].message);
            EXPECT_EQ(0, box.posts[0].lParam);
            EXPECT_STREQ("C:\\music\\teardrop.mp3", worker.ArtFoundPath().GetString());
            EXPECT_EQ(*c.image, FileText(worker.ArtFile()));
            // The temporary image keeps its meaning: the last cover downloaded.
            EXPECT_EQ(*c.image, FileText(GetAlbumArtImagePath()));
            EXPECT_STREQ((GetProgramFolder() + "amazonimage-A.jpg").GetString(), worker.ArtFile().GetString());
        } else {
            EXPECT_EQ(static_cast<UINT>(WM_DECK_ART_MISSING), box.posts[0].message);
            const std::unique_ptr<std::string> path = TakeOwnedText(box.posts[0].lParam);
            ASSERT_TRUE(path);
            EXPECT_EQ("C:\\music\\teardrop.mp3", *path);
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(worker.ArtFile()));
            EXPECT_FALSE(worker.LastLookupError().IsEmpty());
        }
    }
    // The request: the signed search for the artist, in lower case.
    const std::vector<std::string> requests = server.Requests();
    ASSERT_FALSE(requests.empty());
    const std::string& first = requests[0];
    EXPECT_EQ(0u, first.find("/onca/xml?AWSAccessKeyId=AKID0123456789ABCDEF&Keywords=massive%20attack&Operation="
                             "ItemSearch&ResponseGroup=Images%2CLarge%2CMedium&SearchIndex=Music&Service="
                             "AWSECommerceService&Timestamp="))
        << first;
    EXPECT_NE(std::string::npos, first.find("&Version=2009-03-31&Signature=")) << first;
    EXPECT_NE(std::string::npos, first.find("%3D", first.size() - 3)) << first;
}

TEST_F(DeckWorkerTest, ErrorStatusIsReported)
{
    server.SetReply("/onca/xml", LocalHttpServer::Status(500, "broken"));
    TAG_INFO tags = Track("Band", "Album");
    DeckWorker worker(1, box.Window(), &host);
    worker.SetService(Service());
    worker.SetSettings(LookupOn());
    ASSERT_TRUE(worker.StartLookup("b.mp3", tags, &tags));
    Settle(worker, 1);
    EXPECT_EQ(static_cast<UINT>(WM_DECK_ART_MISSING), box.posts[0].message);
    EXPECT_EQ(1u, box.posts[0].wParam);
    const std::unique_ptr<std::string> path = TakeOwnedText(box.posts[0].lParam);
    ASSERT_TRUE(path);
    EXPECT_EQ("b.mp3", *path);
    EXPECT_STREQ("Internet Error in LookupArtOnInternet: 500", worker.LastLookupError().GetString());
}

TEST_F(DeckWorkerTest, GateOwnPictureAndSwitch)
{
    server.SetReply("/onca/xml", LocalHttpServer::Ok(ReplyXml("")));
    struct Case
    {
        bool view, ownPicture, lookupArt, started;
        size_t titles;
    } cases[] = {
        {false, false, true, false, 0}, // no album-art view for the deck
        {true, true, true, false, 1},   // the track's own picture is shown
        {true, false, false, false, 1}, // LookupArt off
        {true, false, true, true, 1},
    };
    for (const Case& c : cases) {
        host.view = c.view;
        host.ownPicture = c.ownPicture;
        host.titles.clear();
        box.posts.clear();
        TAG_INFO tags = Track("Band", "Album");
        DeckWorker worker(2, box.Window(), &host);
        worker.SetService(Service());
        DeckJobSettings settings;
        settings.lookupArt = c.lookupArt;
        worker.SetSettings(settings);
        EXPECT_EQ(c.started, worker.StartLookup("c.mp3", tags, &tags));
        Settle(worker, c.started ? 1 : 0);
        EXPECT_EQ(c.started ? 1u : 0u, box.posts.size());
        EXPECT_EQ(c.titles, host.titles.size());
    }
}

TEST_F(DeckWorkerTest, TwoDecksAtOnceKeepTheirOwnCovers)
{
    const std::string imageOne = JpegBytes(6000, 11), imageTwo = JpegBytes(7000, 12);
    server.SetReply("/img/one.jpg", LocalHttpServer::Slow(imageOne, 3, 60));
    server.SetReply("/img/two.jpg", LocalHttpServer::Ok(imageTwo));
    const std::string query = "/onca/xml?AWSAccessKeyId=AKID0123456789ABCDEF&Keywords=";
    server.SetReply(query + "artist%20one", LocalHttpServer::Slow(ReplyXml(ItemXml("One", "Artist One", server.Url("/img/one.jpg"))), 2, 80));
    server.SetReply(query + "artist%20two", LocalHttpServer::Ok(ReplyXml(ItemXml("Two", "Artist Two", server.Url("/img/two.jpg")))));
    TAG_INFO tagsA = Track("Artist One", "One"), tagsB = Track("Artist Two", "Two");
    DeckWorker deckA(0, box.Window(), &host), deckB(1, box.Window(), &host);
    for (DeckWorker* worker : {&deckA, &deckB}) {
        worker->SetService(Service());
        worker->SetSettings(LookupOn());
    }
    ASSERT_TRUE(deckA.StartLookup("one.mp3", tagsA, &tagsA));
    ASSERT_TRUE(deckB.StartLookup("two.mp3", tagsB, &tagsB));
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return deckA.Idle() && deckB.Idle() && box.posts.size() >= 2; }, 15000));
    ASSERT_EQ(2u, box.posts.size());
    for (const PostBox::Post& post : box.posts)
        EXPECT_EQ(static_cast<UINT>(WM_DECK_ART_FOUND), post.message);
    EXPECT_EQ(imageOne, FileText(deckA.ArtFile()));
    EXPECT_EQ(imageTwo, FileText(deckB.ArtFile()));
    EXPECT_STREQ("one.mp3", deckA.ArtFoundPath().GetString());
    EXPECT_STREQ("two.mp3", deckB.ArtFoundPath().GetString());
}

TEST_F(DeckWorkerTest, ALookupOvertakenByTheNextLoadTellsNoOne)
{
    const std::string oldImage = JpegBytes(5000, 21), newImage = JpegBytes(5000, 22);
    server.SetReply("/img/old.jpg", LocalHttpServer::Ok(oldImage));
    server.SetReply("/img/new.jpg", LocalHttpServer::Ok(newImage));
    const std::string query = "/onca/xml?AWSAccessKeyId=AKID0123456789ABCDEF&Keywords=";
    server.SetReply(query + "old%20band", LocalHttpServer::Slow(ReplyXml(ItemXml("Old", "Old Band", server.Url("/img/old.jpg"))), 3, 100));
    server.SetReply(query + "new%20band", LocalHttpServer::Ok(ReplyXml(ItemXml("New", "New Band", server.Url("/img/new.jpg")))));
    TAG_INFO deckTags = Track("Old Band", "Old");
    DeckWorker worker(0, box.Window(), &host);
    worker.SetService(Service());
    worker.SetSettings(LookupOn());
    ASSERT_TRUE(worker.StartLookup("old.mp3", deckTags, &deckTags));
    // The next track arrives while the first search waits on the server.
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return !server.Requests().empty(); }, 5000));
    deckTags = Track("New Band", "New");
    ASSERT_TRUE(worker.StartLookup("new.mp3", deckTags, &deckTags));
    Settle(worker, 1);
    ASSERT_EQ(1u, box.posts.size());
    EXPECT_EQ(static_cast<UINT>(WM_DECK_ART_FOUND), box.posts[0].message);
    EXPECT_STREQ("new.mp3", worker.ArtFoundPath().GetString());
    EXPECT_EQ(newImage, FileText(worker.ArtFile()));
}

TEST_F(DeckWorkerTest, PlayCounterAndHistory)
{
    struct Case
    {
        bool noHistory, count, inLib;
        const char* type;
        size_t history;
        const char* counted;
    } cases[] = {
        {false, true, true, "MP3", 1, "new.mp3 lib"},
        {false, true, false, "mp3", 1, "new.mp3"},
        {true, true, false, "mp3", 0, "new.mp3"},
        {false, true, false, "wav", 1, nullptr},
        {false, false, false, "mp3", 1, nullptr},
    };
    for (const Case& c : cases) {
        JobHost jobs;
        DeckWorker worker(3, box.Window(), &jobs);
        DeckJobSettings settings;
        settings.noHistory = c.noHistory;
        settings.updatePlayCounter = c.count;
        settings.updatePlayCounterInLib = c.inLib;
        worker.SetSettings(settings);
        TAG_INFO replaced = Track("Artist", "Album", "Replaced Title");
        worker.StartPlayCounter(replaced, "new.mp3", c.type);
        // The job works on its copy: the deck reads the new tags at once.
        replaced.Title = "Overwritten";
        ASSERT_TRUE(tavrix_test::PumpUntil([&] { return worker.Idle(); }, 10000));
        ASSERT_EQ(c.history, jobs.history.size()) << c.type;
        if (c.history) {
            EXPECT_EQ("Replaced Title", jobs.history[0]);
        }
        EXPECT_FALSE(jobs.historyOffThread);
        const std::vector<std::string> counted = jobs.Counted();
        if (c.counted) {
            ASSERT_EQ(1u, counted.size());
            EXPECT_EQ(c.counted, counted[0]);
        } else {
            EXPECT_TRUE(counted.empty());
        }
    }
}
