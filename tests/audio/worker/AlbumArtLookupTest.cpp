// The album-art search's pure parts: the signed request, the keywords'
// encoding, the reply reader, the choice of a cover and the decks' file names.
#include "audio/worker/AlbumArtLookup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// 2009-05-01T12:30:00Z
const int64_t kTime = 1241181000;

AlbumArtService TestService()
{
    AlbumArtService service;
    service.host = "webservices.example.com";
    service.accessKeyId = "AKID0123456789ABCDEF";
    service.signingKey = "0123456789abcdefghijABCDEFGHIJklmnopqrst";
    return service;
}

const char kQuery[] =
    "AWSAccessKeyId=AKID0123456789ABCDEF&Keywords=massive%20attack&Operation=ItemSearch"
    "&ResponseGroup=Images%2CLarge%2CMedium&SearchIndex=Music&Service=AWSECommerceService"
    "&Timestamp=2009-05-01T12%3A30%3A00.000Z&Version=2009-03-31";

std::string Item(const char* title, const char* artist, const char* medium)
{
    std::string item = "<Item><ASIN>B0</ASIN><DetailPageURL>http://shop/";
    item += title;
    item += "</DetailPageURL><SmallImage><URL>http://img/s.jpg</URL></SmallImage>";
    if (medium && *medium)
        item += std::string("<MediumImage><URL>") + medium + "</URL><Height>160</Height></MediumImage>";
    item += "<ItemAttributes>";
    if (artist)
        item += std::string("<Artist>") + artist + "</Artist>";
    item += std::string("<Title>") + title + "</Title></ItemAttributes></Item>";
    return item;
}

std::string Reply(const std::string& items)
{
    return "<?xml version=\"1.0\" ?><ItemSearchResponse xmlns=\"http://webservices.amazon.com/\">"
           "<OperationRequest/><Items><Request><IsValid>True</IsValid></Request>"
           "<TotalResults>3</TotalResults>" +
           items + "</Items></ItemSearchResponse>";
}

std::vector<AlbumArtItem> Parse(const std::string& text)
{
    std::vector<AlbumArtItem> items;
    EXPECT_TRUE(ParseAlbumArtReply(text.data(), text.size(), items)) << text;
    return items;
}

AlbumArtItem Titled(const char* title, const char* artist = "Band", const char* medium = "http://img/m.jpg")
{
    AlbumArtItem item;
    item.title = title;
    item.artist = artist;
    item.mediumImageUrl = medium;
    return item;
}

} // namespace

TEST(AlbumArtRequest, StringToSignForAFixedTimeAndKey)
{
    const CString text = AlbumArtStringToSign(TestService(), "Massive Attack", kTime);
    EXPECT_STREQ(std::string("GET\nwebservices.example.com\n/onca/xml\n" + std::string(kQuery)).c_str(),
                 text.GetString());
}

TEST(AlbumArtRequest, AddressCarriesTheQueryAndTheEncodedSignature)
{
    const CString address = AlbumArtRequestAddress(TestService(), "Massive Attack", kTime);
    // HMAC-SHA256 of the string above under the key, in Base64:
    // ZZSE26MYYTCFPHCm5XU1p+lM2EmqsVJthGRoO5Ubfj8=
    const std::string expected = "http://webservices.example.com/onca/xml?" + std::string(kQuery) +
                                 "&Signature=ZZSE26MYYTCFPHCm5XU1p%2BlM2EmqsVJthGRoO5Ubfj8%3D";
    EXPECT_STREQ(expected.c_str(), address.GetString());
    EXPECT_STREQ(("onca/xml?" + std::string(kQuery) + "&Signature=ZZSE26MYYTCFPHCm5XU1p%2BlM2EmqsVJthGRoO5Ubfj8%3D")
                     .c_str(),
                 AlbumArtObjectName(address).GetString());
}

TEST(AlbumArtRequest, KeywordsAreEncodedCompletely)
{
    struct Case
    {
        const char* text;
        const char* encoded;
    } cases[] = {
        {"Massive Attack", "massive%20attack"},
        {"AC/DC", "ac%2Fdc"},
        {"Earth, Wind & Fire", "earth%2C%20wind%20%26%20fire"},
        {"Sigur R\xC3\xB3s: Live", "sigur%20r%C3%B3s%3A%20live"},
        {"50%+1=?#", "50%25%2B1%3D%3F%23"},
        {"a-b_c.d~e", "a-b_c.d~e"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.encoded, EncodeAlbumArtKeywords(c.text).GetString()) << c.text;
    // Encoded keywords survive the whole request's replacements unchanged.
    const CString text = AlbumArtStringToSign(TestService(), "Earth, Wind & Fire", kTime);
    EXPECT_NE(-1, text.Find("&Keywords=earth%2C%20wind%20%26%20fire&Operation="));
}

TEST(AlbumArtRequest, UtcText)
{
    EXPECT_STREQ("2009-05-01T12:30:00.000Z", AlbumArtUtcText(kTime, "%Y-%m-%dT%H:%M:%S.000Z").GetString());
    EXPECT_STREQ("1970", AlbumArtUtcText(0, "%Y").GetString());
}

TEST(AlbumArtReply, ZeroOneAndManyItems)
{
    EXPECT_TRUE(Parse(Reply("")).empty());

    const std::vector<AlbumArtItem> one = Parse(Reply(Item("Blue Lines", "Massive Attack", "http://img/1.jpg")));
    ASSERT_EQ(1u, one.size());
    EXPECT_STREQ("http://shop/Blue Lines", one[0].detailPageUrl.GetString());
    EXPECT_STREQ("http://img/s.jpg", one[0].smallImageUrl.GetString());
    EXPECT_STREQ("http://img/1.jpg", one[0].mediumImageUrl.GetString());
    EXPECT_STREQ("Massive Attack", one[0].artist.GetString());
    EXPECT_STREQ("Blue Lines", one[0].title.GetString());

    const std::vector<AlbumArtItem> many =
        Parse(Reply(Item("A", "X", "http://img/a.jpg") + Item("B", nullptr, "") + Item("C", "Z", "http://img/c.jpg")));
    ASSERT_EQ(3u, many.size());
    EXPECT_STREQ("A", many[0].title.GetString());
    EXPECT_TRUE(many[1].mediumImageUrl.IsEmpty());
    EXPECT_TRUE(many[1].artist.IsEmpty());
    EXPECT_STREQ("http://img/c.jpg", many[2].mediumImageUrl.GetString());
}

TEST(AlbumArtReply, FieldsInAnyOrder)
{
    const std::string item = "<Item><ItemAttributes><Title>T</Title><Artist>A</Artist></ItemAttributes>"
                             "<MediumImage><URL>http://m</URL></MediumImage><DetailPageURL>http://d</DetailPageURL>"
                             "</Item>";
    const std::vector<AlbumArtItem> items = Parse(Reply(item));
    ASSERT_EQ(1u, items.size());
    EXPECT_STREQ("http://d", items[0].detailPageUrl.GetString());
    EXPECT_STREQ("http://m", items[0].mediumImageUrl.GetString());
    EXPECT_STREQ("A", items[0].artist.GetString());
    EXPECT_STREQ("T", items[0].title.GetString());
}

TEST(AlbumArtReply, NotASearchResult)
{
    const char* texts[] = {
        "",
        "<ItemSearchResponse><Items><Item>",                        // malformed
        "<ItemLookupResponse><Items><Item/></Items></ItemLookupResponse>", // another root
        "<ItemSearchResponse><Request/></ItemSearchResponse>",      // no Items
        "not xml at all",
    };
    for (const char* text : texts) {
        std::vector<AlbumArtItem> items(2);
        EXPECT_FALSE(ParseAlbumArtReply(text, strlen(text), items)) << text;
        EXPECT_TRUE(items.empty()) << text;
    }
}

TEST(AlbumArtChoice, Cases)
{
    // The last result titled as the album, without regard to case.
    EXPECT_EQ(2, ChooseAlbumArt({Titled("A"), Titled("B"), Titled("A")}, "band", "a", false, 0));
    // No title matches: the first, or the random one.
    EXPECT_EQ(0, ChooseAlbumArt({Titled("A"), Titled("B")}, "Band", "Z", false, 32767));
    const std::vector<AlbumArtItem> five = {Titled("1"), Titled("2"), Titled("3"), Titled("4"), Titled("5")};
    EXPECT_EQ(3, ChooseAlbumArt(five, "Band", "Z", true, 32767));
    EXPECT_EQ(0, ChooseAlbumArt(five, "Band", "Z", true, 0));
    EXPECT_EQ(2, ChooseAlbumArt(five, "Band", "Z", true, 16384));
    // Nothing with a medium image, or nothing at all.
    EXPECT_EQ(-1, ChooseAlbumArt({Titled("A", "Band", ""), Titled("B", "Band", "")}, "Band", "A", false, 0));
    EXPECT_EQ(-1, ChooseAlbumArt({}, "Band", "A", true, 5));
    // Another artist's covers never count; a result without an artist does.
    EXPECT_EQ(1, ChooseAlbumArt({Titled("A", "Other"), Titled("B", "BAND"), Titled("A", "Other")}, "band", "a",
                                false, 0));
    EXPECT_EQ(-1, ChooseAlbumArt({Titled("A", "Other")}, "Band", "A", false, 0));
    EXPECT_EQ(0, ChooseAlbumArt({Titled("A", "")}, "Band", "Z", false, 0));
    // The random pick only draws among usable results.
    EXPECT_EQ(2, ChooseAlbumArt({Titled("1", "Other"), Titled("2", "Band", ""), Titled("3")}, "Band", "Z", true,
                                32767));
}

TEST(AlbumArtFiles, OnePerDeckBesideTheTemporaryImage)
{
    EXPECT_STREQ("amazonimage-A.jpg", DeckAlbumArtFileName("amazonimage.jpg", 0).GetString());
    EXPECT_STREQ("amazonimage-B.jpg", DeckAlbumArtFileName("amazonimage.jpg", 1).GetString());
    EXPECT_STREQ("amazonimage-C.jpg", DeckAlbumArtFileName("amazonimage.jpg", 2).GetString());
    EXPECT_STREQ("amazonimage-D.jpg", DeckAlbumArtFileName("amazonimage.jpg", 3).GetString());
    EXPECT_STREQ("cover-A", DeckAlbumArtFileName("cover", 0).GetString());
    EXPECT_STREQ("art.d\\cover-B", DeckAlbumArtFileName("art.d\\cover", 1).GetString());
    EXPECT_STREQ("art\\x.y-D.png", DeckAlbumArtFileName("art\\x.y.png", 3).GetString());
}
