// The CD catalogue's text: a new catalogue's exact layout, appending to an
// existing one, reading albums back, texts that are no catalogue, and the
// lines of a file joined as the catalogue reads them.
#include "audio/cdplayer/CDCatalog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CDCatalogAlbum TwoTrackAlbum()
{
    CDCatalogAlbum album;
    album.artist = "Band & <Friends>";
    album.title = "It's \"Live\"";
    album.discId = "0a0b0c02";
    album.tracks.push_back({1, "Intro", 62});
    album.tracks.push_back({2, "Caf\xe9 Song", 3725});
    return album;
}

} // namespace

TEST(CDCatalog, ANewCatalogue)
{
    CString text;
    ASSERT_TRUE(CDCatalogAppend(CString(), TwoTrackAlbum(), text));
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
              "<TavrixCDCatalog Albums=\"1\">\r\n"
              "<Album Artist=\"Band &amp; &lt;Friends&gt;\" Title=\"It&apos;s &quot;Live&quot;\" DiscID=\"0a0b0c02\">\r\n"
              "<Track TNUM=\"01\" TTIT=\"Intro\" TLEN=\"001:02\"/>\r\n"
              "<Track TNUM=\"02\" TTIT=\"Caf\xe9 Song\" TLEN=\"062:05\"/>\r\n"
              "</Album>\r\n"
              "</TavrixCDCatalog>\r\n",
              std::string(text.GetString()));
}

TEST(CDCatalog, AppendsAndReadsBack)
{
    CString text;
    ASSERT_TRUE(CDCatalogAppend(CString(), TwoTrackAlbum(), text));
    CDCatalogAlbum second;
    second.artist = "Solo";
    second.title = "No Tracks";
    second.discId = "ffffffff";
    CString twice;
    ASSERT_TRUE(CDCatalogAppend(text, second, twice));
    // The same disc again: every lookup adds one.
    CString thrice;
    ASSERT_TRUE(CDCatalogAppend(twice, TwoTrackAlbum(), thrice));

    std::vector<CDCatalogAlbum> albums;
    long long count = 0;
    ASSERT_TRUE(CDCatalogRead(thrice, albums, &count));
    EXPECT_EQ(3, count);
    ASSERT_EQ(3u, albums.size());
    const CDCatalogAlbum expected[] = {TwoTrackAlbum(), second, TwoTrackAlbum()};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i].artist, albums[i].artist) << i;
        EXPECT_EQ(expected[i].title, albums[i].title) << i;
        EXPECT_EQ(expected[i].discId, albums[i].discId) << i;
        ASSERT_EQ(expected[i].tracks.size(), albums[i].tracks.size()) << i;
        for (size_t t = 0; t < albums[i].tracks.size(); ++t) {
            EXPECT_EQ(expected[i].tracks[t].number, albums[i].tracks[t].number) << i << "/" << t;
            EXPECT_EQ(expected[i].tracks[t].title, albums[i].tracks[t].title) << i << "/" << t;
            EXPECT_EQ(expected[i].tracks[t].length, albums[i].tracks[t].length) << i << "/" << t;
        }
    }
    // The earlier albums are kept as they were written, the new one after them.
    const int first = text.Find("<Album ");
    const CString block = text.Mid(first, text.Find("</Album>\r\n") + 10 - first);
    EXPECT_EQ(first, thrice.Find(block));
    EXPECT_LT(thrice.Find(block), thrice.Find("<Album Artist=\"Solo\""));
}

TEST(CDCatalog, TheAlbumCount)
{
    struct Case
    {
        const char* albums;
        long long after;
    };
    const Case cases[] = {
        {"0", 1}, {"41", 42}, {"", 1}, {"seven", 1}, {"12abc", 13}, {"-3", -2},
        {"2147483647", 2147483647}, {"99999999999999999999", 2147483647},
    };
    for (const Case& c : cases) {
        const CString text = CString("<?xml version=\"1.0\"?>\r\n<TavrixCDCatalog Albums=\"") + c.albums +
                             "\">\r\n<Note/>\r\n</TavrixCDCatalog>\r\n";
        CString result;
        ASSERT_TRUE(CDCatalogAppend(text, TwoTrackAlbum(), result)) << c.albums;
        std::vector<CDCatalogAlbum> albums;
        long long count = 0;
        ASSERT_TRUE(CDCatalogRead(result, albums, &count)) << c.albums;
        EXPECT_EQ(c.after, count) << c.albums;
        ASSERT_EQ(1u, albums.size()) << c.albums;
        // After the root's last child.
        EXPECT_LT(result.Find("<Note/>"), result.Find("<Album ")) << c.albums;
    }
}

TEST(CDCatalog, TextsThatAreNoCatalogue)
{
    const char* const texts[] = {
        "\r\n",
        "not xml at all\r\n",
        "<?xml version=\"1.0\"?>\r\n<Catalogue Albums=\"3\"/>\r\n",
        "<TavrixCDCatalog Albums=\"1\">\r\n<Album>\r\n",   // cut short
        "<tavrixcdcatalog Albums=\"1\"/>\r\n",
    };
    for (const char* text : texts) {
        CString result = "before";
        EXPECT_FALSE(CDCatalogAppend(text, TwoTrackAlbum(), result)) << text;
        EXPECT_EQ("before", std::string(result.GetString())) << text;
        std::vector<CDCatalogAlbum> albums(2);
        EXPECT_FALSE(CDCatalogRead(text, albums)) << text;
        EXPECT_TRUE(albums.empty()) << text;
    }
}

TEST(CDCatalog, ARootTooDamagedToCount)
{
    // The stray quote would swallow a new Albums attribute (the fuzzer's
    // find): the text is left as it is.
    const char* const texts[] = {"<TavrixCDCatalog \"/>\r\n", "<TavrixCDCatalog Note=\"x\" \">\r\n</TavrixCDCatalog>\r\n"};
    for (const char* text : texts) {
        CString result = "before";
        EXPECT_FALSE(CDCatalogAppend(text, TwoTrackAlbum(), result)) << text;
        EXPECT_EQ("before", std::string(result.GetString())) << text;
    }
}

TEST(CDCatalog, ValuesThatDoNotRead)
{
    const CString text = "<TavrixCDCatalog Albums=\"1\"><Album Artist=\"A\" Title=\"T\" DiscID=\"x\">"
                         "<Track TNUM=\"1a\" TTIT=\"a\" TLEN=\"3:5\"/>"
                         "<Track TNUM=\"\" TTIT=\"b\" TLEN=\"003:60\"/>"
                         "<Track TNUM=\"07\" TTIT=\"c\" TLEN=\"123:45\"/>"
                         "</Album></TavrixCDCatalog>";
    std::vector<CDCatalogAlbum> albums;
    ASSERT_TRUE(CDCatalogRead(text, albums));
    ASSERT_EQ(1u, albums.size());
    ASSERT_EQ(3u, albums[0].tracks.size());
    const int numbers[] = {-1, -1, 7};
    const int lengths[] = {-1, -1, 123 * 60 + 45};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(numbers[i], albums[0].tracks[i].number) << i;
        EXPECT_EQ(lengths[i], albums[0].tracks[i].length) << i;
    }
}

TEST(CDCatalog, LengthTexts)
{
    const struct { int seconds; const char* text; } cases[] = {
        {0, "000:00"}, {59, "000:59"}, {60, "001:00"}, {4799, "079:59"}, {60000, "1000:00"}, {-4, "000:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, std::string(CDCatalogLengthText(c.seconds).GetString())) << c.seconds;
}

namespace {
int g_lines = 0;
void CountLine() { ++g_lines; }
} // namespace

TEST(CDCatalog, JoinsTheFilesLines)
{
    const struct { std::string bytes; std::string text; int lines; } cases[] = {
        {"", "", 0},
        {"one", "one\r\n", 1},
        {"one\ntwo\n", "one\r\ntwo\r\n", 2},
        {"one\r\ntwo\r\n", "one\r\ntwo\r\n", 2},
        {"a\r\r\nb", "a\r\r\nb\r\n", 2},
        {"\n\n", "\r\n\r\n", 2},
        {std::string("x\0y\n", 4), std::string("x\0y\r\n", 5), 1},
    };
    for (const auto& c : cases) {
        g_lines = 0;
        const CString text = CDCatalogJoinLines(c.bytes.data(), c.bytes.size(), CountLine);
        EXPECT_EQ(c.text, std::string(text.GetString(), static_cast<size_t>(text.GetLength()))) << c.bytes;
        EXPECT_EQ(c.lines, g_lines) << c.bytes;
    }
}
