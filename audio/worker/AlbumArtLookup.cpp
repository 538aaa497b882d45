#include "audio/worker/AlbumArtLookup.h"

#include <time.h>

#include "foundation/crypto/Base64.h"
#include "foundation/crypto/HmacSha256.h"
#include "foundation/xml/XmlMarkup.h"

namespace {

const char kServiceHost[] = "ecs.amazonaws.com";
const char kAccessKeyId[] = "TAVRIXVJALBUMART2026";
const char kSigningKey[] = "Tx7qLm2VbN9cRk4WpZs8YdHf3GjUe6Ao1Ki5MnQw";

bool Unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '~';
}

// The text of a child element of the current one, empty when absent.
CString ChildText(XmlMarkup& xml, const char* name)
{
    xml.ResetChildPos();
    return xml.FindChildElement(name) ? xml.GetChildData() : CString();
}

} // namespace

AlbumArtService DefaultAlbumArtService()
{
    AlbumArtService service;
    service.host = kServiceHost;
    service.accessKeyId = kAccessKeyId;
    service.signingKey = kSigningKey;
    return service;
}

CString AlbumArtUtcText(int64_t time, const char* format)
{
    const time_t t = static_cast<time_t>(time);
    struct tm parts;
#ifdef _WIN32
    if (gmtime_s(&parts, &t) != 0)
        return CString();
#else
    if (!gmtime_r(&t, &parts))
        return CString();
#endif
    char text[128];
    const size_t length = strftime(text, sizeof text, format, &parts);
    return CString(text, static_cast<int>(length));
}

CString EncodeAlbumArtKeywords(const CString& utf8)
{
    static const char hex[] = "0123456789ABCDEF";
    CString out;
    for (int i = 0; i < utf8.GetLength(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        if (Unreserved(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

CString AlbumArtStringToSign(const AlbumArtService& service, const CString& keywordsUtf8, int64_t time)
{
    CString text = "GET\n" + service.host + "\n/onca/xml\n";
    text += "AWSAccessKeyId=" + service.accessKeyId;
    text += "&Keywords=" + EncodeAlbumArtKeywords(keywordsUtf8);
    text += "&Operation=ItemSearch&ResponseGroup=Images,Large,Medium&SearchIndex=Music"
            "&Service=AWSECommerceService";
    text += "&Timestamp=" + AlbumArtUtcText(time, "%Y-%m-%dT%H:%M:%S.000Z");
    text += "&Version=2009-03-31";
    text.Replace(",", "%2C");
    text.Replace(":", "%3A");
    text.Replace(" ", "%20");
    return text;
}

CString AlbumArtRequestAddress(const AlbumArtService& service, const CString& keywordsUtf8, int64_t time)
{
    const CString toSign = AlbumArtStringToSign(service, keywordsUtf8, time);
    unsigned char mac[32];
    hmac_sha256_digest(reinterpret_cast<const unsigned char*>(service.signingKey.GetString()),
                       static_cast<unsigned>(service.signingKey.GetLength()),
                       reinterpret_cast<const unsigned char*>(toSign.GetString()),
                       static_cast<unsigned>(toSign.GetLength()), mac, sizeof mac);
    CString signature = Base64Encode(mac, sizeof mac);
    signature.Replace("+", "%2B");
    signature.Replace("=", "%3D");
    signature.Replace("/", "%2F");
    // The query is what follows the third line feed.
    int at = -1;
    for (int line = 0; line < 3; ++line)
        at = toSign.Find('\n', at + 1);
    const CString query = toSign.Mid(at + 1);
    return "http://" + service.host + "/onca/xml?" + query + "&Signature=" + signature;
}

CString AlbumArtObjectName(const CString& address)
{
    int start = 0;
    if (address.Left(7).CompareNoCase("http://") == 0)
        start = 7;
    const int slash = address.Find('/', start);
    return slash < 0 ? CString() : address.Mid(slash + 1);
}

bool ParseAlbumArtReply(const char* text, size_t length, std::vector<AlbumArtItem>& items)
{
    items.clear();
    if (!text || length > XmlMarkup::MaxLength)
        return false;
    XmlMarkup xml;
    if (!xml.SetDocument(CString(text, static_cast<int>(length))))
        return false;
    // Into the root, then into Items: the results are its children.
    if (!xml.FindElement("ItemSearchResponse") || !xml.FindChildElement("Items") || !xml.IntoElement() ||
        !xml.IntoElement())
        return false;
    while (xml.FindElement("Item")) {
        AlbumArtItem item;
        item.detailPageUrl = ChildText(xml, "DetailPageURL");
        xml.ResetChildPos();
        if (xml.FindChildElement("SmallImage")) {
            xml.IntoElement();
            item.smallImageUrl = ChildText(xml, "URL");
            xml.OutOfElement();
        }
        xml.ResetChildPos();
        if (xml.FindChildElement("MediumImage")) {
            xml.IntoElement();
            item.mediumImageUrl = ChildText(xml, "URL");
            xml.OutOfElement();
        }
        xml.ResetChildPos();
        if (xml.FindChildElement("ItemAttributes")) {
            xml.IntoElement();
            item.artist = ChildText(xml, "Artist");
            item.title = ChildText(xml, "Title");
            xml.OutOfElement();
        }
        items.push_back(item);
    }
    return true;
}

int ChooseAlbumArt(const std::vector<AlbumArtItem>& items, const CString& artist, const CString& album,
                   bool useRandom, int r)
{
    std::vector<int> usable;
    for (size_t i = 0; i < items.size(); ++i) {
        const AlbumArtItem& item = items[i];
        if (item.mediumImageUrl.IsEmpty())
            continue;
        if (!item.artist.IsEmpty() && item.artist.CompareNoCase(artist) != 0)
            continue;
        usable.push_back(static_cast<int>(i));
    }
    if (usable.empty())
        return -1;
    for (size_t i = usable.size(); i-- > 0;) {
        if (items[usable[i]].title.CompareNoCase(album) == 0)
            return usable[i];
    }
    if (!useRandom)
        return usable[0];
    if (r < 0)
        r = 0;
    if (r > 32767)
        r = 32767;
    const int64_t n = static_cast<int64_t>(usable.size());
    return usable[static_cast<size_t>(static_cast<int64_t>(r) * (n - 1) / 32768)];
}

CString DeckAlbumArtFileName(const CString& tempImageFile, int deck)
{
    const char letter = static_cast<char>('A' + (deck < 0 ? 0 : deck > 3 ? 3 : deck));
    const int backslash = tempImageFile.ReverseFind('\\');
    const int slash = tempImageFile.ReverseFind('/');
    const int folderEnd = backslash > slash ? backslash : slash;
    const int dot = tempImageFile.ReverseFind('.');
    CString suffix = "-";
    suffix += letter;
    if (dot < 0 || dot < folderEnd)
        return tempImageFile + suffix;
    return tempImageFile.Left(dot) + suffix + tempImageFile.Mid(dot);
}
