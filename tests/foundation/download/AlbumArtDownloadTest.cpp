#include "foundation/download/AlbumArtDownload.h"
#include "tests/foundation/download/LocalHttpServer.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tavrix_test::ReadFileBytes;
using tavrix_test::WriteFileBytes;

namespace {

const char kOldPicture[] = "the previous picture";

struct ReplyCase
{
    const char* what;
    LocalHttpServer::Reply reply;
};

class AlbumArtDownloadTest : public ProgramFolderTest
{
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Started()); }

    // The folder's entries, to see that no temporary file is left.
    std::vector<std::string> Entries()
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((m_dir.Path() + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return names;
    }

    LocalHttpServer m_server;
};

TEST_F(AlbumArtDownloadTest, WholeBodiesOfEverySize)
{
    const std::string target = m_dir.File("deckA.jpg");
    const size_t sizes[] = {1300, 1024, 512, 511, 1, 0, 300 * 1024, 2 * 1024 * 1024 + 7};
    for (size_t size : sizes) {
        const std::string body = ImageBytes(size, static_cast<unsigned>(size));
        m_server.SetReply("/art.jpg", LocalHttpServer::Ok(body));
        CString error;
        EXPECT_TRUE(DownloadAlbumArtImage(m_server.Url("/art.jpg").c_str(), target.c_str(), &error))
            << size << ": " << error.GetString();
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(target, bytes));
        EXPECT_EQ(body.size(), bytes.size()) << size;
        EXPECT_TRUE(body == bytes) << size;
    }
    EXPECT_EQ(std::vector<std::string>{"deckA.jpg"}, Entries());
}

TEST_F(AlbumArtDownloadTest, BodiesThatArriveInOtherWays)
{
    const std::string target = m_dir.File("deckB.jpg");
    const std::string body = JpegBytes(20000, 7);
    const ReplyCase cases[] = {
        {"slow", LocalHttpServer::Slow(body, 6, 150)},
        {"chunked", LocalHttpServer::Chunked(body, 700)},
        {"ended by the close", LocalHttpServer::CloseDelimited(body)},
    };
    for (const ReplyCase& c : cases) {
        ASSERT_TRUE(WriteFileBytes(target, kOldPicture));
        m_server.SetReply("/way.jpg", c.reply);
        CString error;
        EXPECT_TRUE(DownloadAlbumArtImage(m_server.Url("/way.jpg").c_str(), target.c_str(), &error))
            << c.what << ": " << error.GetString();
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(target, bytes));
        EXPECT_TRUE(body == bytes) << c.what << ": " << bytes.size() << " bytes";
    }
}

TEST_F(AlbumArtDownloadTest, RedirectsAreFollowed)
{
    const std::string target = m_dir.File("deckC.jpg");
    const std::string body = ImageBytes(4321, 3);
    m_server.SetReply("/images/cover.jpg", LocalHttpServer::Ok(body));
    for (int status : {301, 302, 307}) {
        m_server.SetReply("/moved", LocalHttpServer::Redirect(status, m_server.Url("/images/cover.jpg")));
        m_server.SetReply("/relative", LocalHttpServer::Redirect(status, "/images/cover.jpg"));
        for (const char* path : {"/moved", "/relative"}) {
            ASSERT_TRUE(WriteFileBytes(target, kOldPicture));
            CString error;
            EXPECT_TRUE(DownloadAlbumArtImage(m_server.Url(path).c_str(), target.c_str(), &error))
                << status << path << ": " << error.GetString();
            std::string bytes;
            ASSERT_TRUE(ReadFileBytes(target, bytes));
            EXPECT_TRUE(body == bytes) << status << path;
        }
    }
    const std::vector<std::string> requests = m_server.Requests();
    ASSERT_EQ(12u, requests.size());
    EXPECT_EQ("/moved", requests[0]);
    EXPECT_EQ("/images/cover.jpg", requests[1]);
}

TEST_F(AlbumArtDownloadTest, FailuresKeepThePreviousPicture)
{
    const std::string target = m_dir.File("deckD.jpg");
    const std::string body = JpegBytes(10000, 9);
    const ReplyCase cases[] = {
        {"not found", LocalHttpServer::Status(404, "<html>Not here</html>")},
        {"server error", LocalHttpServer::Status(500, "<html>Broken</html>")},
        {"forbidden", LocalHttpServer::Status(403, "")},
        {"cut mid-body", LocalHttpServer::CutAfter(body, 4000)},
        {"cut after one byte", LocalHttpServer::CutAfter(body, 1)},
        {"cut before the body", LocalHttpServer::CutAfter(body, 0)},
        {"chunked and cut", LocalHttpServer::Chunked(body, 700, false)},
    };
    for (const ReplyCase& c : cases) {
        ASSERT_TRUE(WriteFileBytes(target, kOldPicture));
        m_server.SetReply("/bad.jpg", c.reply);
        CString error;
        EXPECT_FALSE(DownloadAlbumArtImage(m_server.Url("/bad.jpg").c_str(), target.c_str(), &error)) << c.what;
        EXPECT_FALSE(error.IsEmpty()) << c.what;
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(target, bytes));
        EXPECT_EQ(kOldPicture, bytes) << c.what;
    }
    EXPECT_EQ(std::vector<std::string>{"deckD.jpg"}, Entries());
}

TEST_F(AlbumArtDownloadTest, AddressesAndTargetsThatCannotWork)
{
    m_server.SetReply("/art.jpg", LocalHttpServer::Ok(ImageBytes(100, 1)));
    CString error;
    EXPECT_FALSE(DownloadAlbumArtImage("", m_dir.File("x.jpg").c_str(), &error));
    EXPECT_FALSE(error.IsEmpty());
    // A folder that does not exist.
    EXPECT_FALSE(DownloadAlbumArtImage(m_server.Url("/art.jpg").c_str(), m_dir.File("no\\such\\x.jpg").c_str(), &error));
    EXPECT_NE(-1, error.Find("cannot be created")) << error.GetString();
    // A port where nothing listens (the system's choice, then closed).
    const unsigned short port = ClosedLoopbackPort();
    ASSERT_NE(0, port);
    const std::string closed = "http://127.0.0.1:" + std::to_string(port) + "/art.jpg";
    ASSERT_TRUE(WriteFileBytes(m_dir.File("x.jpg"), kOldPicture));
    EXPECT_FALSE(DownloadAlbumArtImage(closed.c_str(), m_dir.File("x.jpg").c_str(), &error));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(m_dir.File("x.jpg"), bytes));
    EXPECT_EQ(kOldPicture, bytes);
    EXPECT_FALSE(DownloadAlbumArtImage("not an address", m_dir.File("x.jpg").c_str(), &error));
}

TEST_F(AlbumArtDownloadTest, TheDefaultTargetIsTheTemporaryImageFile)
{
    const std::string body = ImageBytes(2048, 5);
    m_server.SetReply("/art.jpg", LocalHttpServer::Ok(body));
    // Without "KVLib.ini": "amazonimage.jpg" in the program folder.
    EXPECT_EQ(CString((m_dir.Path() + "\\amazonimage.jpg").c_str()), GetAlbumArtImagePath());
    EXPECT_TRUE(DownloadAlbumArtImage(m_server.Url("/art.jpg").c_str()));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(m_dir.File("amazonimage.jpg"), bytes));
    EXPECT_TRUE(body == bytes);

    // A name of its own, and one longer than the 127 characters read.
    const std::string longName(200, 'n');
    const struct {
        std::string value;
        std::string file;
    } cases[] = {{"cover.jpg", "cover.jpg"}, {longName, longName.substr(0, 127)}};
    for (const auto& c : cases) {
        ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("KVLib.ini"), "[ALBUMART]\r\nTempImageFile=" + c.value + "\r\n"));
        EXPECT_EQ(CString(m_dir.File(c.file).c_str()), GetAlbumArtImagePath());
        EXPECT_TRUE(DownloadAlbumArtImage(m_server.Url("/art.jpg").c_str()));
        ASSERT_TRUE(ReadFileBytes(m_dir.File(c.file), bytes));
        EXPECT_TRUE(body == bytes);
    }
}

} // namespace
