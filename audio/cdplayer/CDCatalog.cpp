#include "audio/cdplayer/CDCatalog.h"

#include "foundation/xml/XmlMarkup.h"

#include <climits>

const char* const kCDCatalogProlog = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";

namespace {

const char* const kRoot = "TavrixCDCatalog";

// The leading decimal number of a text (an optional "-", then digits),
// held within 32 bits; 0 when the text does not begin with one.
long long LeadingNumber(const CString& text)
{
    const char* p = text.GetString();
    const bool negative = *p == '-';
    if (negative)
        ++p;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (value < INT_MAX)
            value = value * 10 + (*p - '0');
    if (value > INT_MAX)
        value = INT_MAX;
    return negative ? -value : value;
}

// A text of 1 to 9 digits and nothing else; -1 otherwise.
int DigitsValue(const char* p, int count)
{
    if (count < 1 || count > 9)
        return -1;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        value = value * 10 + (p[i] - '0');
    }
    return value;
}

int TrackNumberOf(const CString& text)
{
    return DigitsValue(text.GetString(), text.GetLength());
}

// "mmm:ss" (any number of minute digits, two of seconds below 60).
int LengthOf(const CString& text)
{
    const int colon = text.Find(':');
    if (colon < 0 || text.GetLength() - colon - 1 != 2)
        return -1;
    const int minutes = DigitsValue(text.GetString(), colon);
    const int seconds = DigitsValue(text.GetString() + colon + 1, 2);
    if (minutes < 0 || seconds < 0 || seconds >= 60 || minutes > (INT_MAX - 59) / 60)
        return -1;
    return minutes * 60 + seconds;
}

} // namespace

CString CDMinutesSecondsText(int seconds, int minuteDigits)
{
    if (seconds < 0)
        seconds = 0;
    CString text;
    text.Format("%0*d:%02d", minuteDigits, seconds / 60, seconds % 60);
    return text;
}

CString CDCatalogLengthText(int seconds)
{
    return CDMinutesSecondsText(seconds, 3);
}

CString CDCatalogJoinLines(const char* bytes, size_t size, void (*eachLine)())
{
    std::string text;
    text.reserve(size + size / 16 + 2);
    size_t start = 0;
    while (start < size) {
        if (eachLine)
            eachLine();
        size_t end = start;
        while (end < size && bytes[end] != '\n')
            ++end;
        size_t lineEnd = end;
        if (lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        text.append(bytes + start, lineEnd - start);
        text += "\r\n";
        start = end + 1;
    }
    return CString(text.c_str(), static_cast<int>(text.size()));
}

bool CDCatalogAppend(const CString& text, const CDCatalogAlbum& album, CString& result)
{
    XmlMarkup xml;
    if (text.IsEmpty()) {
        xml.SetDocument(CString(kCDCatalogProlog) + "\r\n");
        xml.AddElement(kRoot);
        xml.SetAttribute("Albums", "0");
        xml.ResetPos();
    } else {
        xml.SetDocument(text);
    }
    if (!xml.FindElement(kRoot))
        return false;

    CString count;
    long long albums = LeadingNumber(xml.GetAttribute("Albums"));
    if (albums < INT_MAX)
        ++albums;
    count.Format("%lld", albums);
    // A root whose start tag is damaged (a stray quote) would swallow the
    // count: such a file is not taken for a catalogue.
    if (!xml.SetAttribute("Albums", count) || xml.GetAttribute("Albums") != count)
        return false;

    xml.IntoElement();
    // After the root's last child, whatever element the position was on.
    while (xml.FindElement())
        ;
    if (!xml.AddElement("Album"))
        return false;
    xml.SetAttribute("Artist", album.artist);
    xml.SetAttribute("Title", album.title);
    xml.SetAttribute("DiscID", album.discId);
    xml.IntoElement();
    for (const CDCatalogTrack& track : album.tracks) {
        CString number;
        number.Format("%02d", track.number);
        if (!xml.AddElement("Track"))
            return false;
        xml.SetAttribute("TNUM", number);
        xml.SetAttribute("TTIT", track.title);
        xml.SetAttribute("TLEN", CDCatalogLengthText(track.length));
    }
    // A root whose tags are damaged in other ways (an empty element closed
    // twice, "//>") can take the edit and still not hold the album where a
    // reader finds it: what is written must read back one album longer.
    const CString appended = xml.GetDocument();
    std::vector<CDCatalogAlbum> before, after;
    if (!text.IsEmpty() && !CDCatalogRead(text, before))
        return false;
    if (!CDCatalogRead(appended, after) || after.size() != before.size() + 1)
        return false;
    result = appended;
    return true;
}

bool CDCatalogRead(const CString& text, std::vector<CDCatalogAlbum>& albums, long long* count)
{
    albums.clear();
    XmlMarkup xml;
    xml.SetDocument(text);
    if (!xml.FindElement(kRoot))
        return false;
    if (count)
        *count = LeadingNumber(xml.GetAttribute("Albums"));
    xml.IntoElement();
    while (xml.FindElement("Album")) {
        CDCatalogAlbum album;
        album.artist = xml.GetAttribute("Artist");
        album.title = xml.GetAttribute("Title");
        album.discId = xml.GetAttribute("DiscID");
        xml.IntoElement();
        while (xml.FindElement("Track")) {
            CDCatalogTrack track;
            track.number = TrackNumberOf(xml.GetAttribute("TNUM"));
            track.title = xml.GetAttribute("TTIT");
            track.length = LengthOf(xml.GetAttribute("TLEN"));
            album.tracks.push_back(track);
        }
        xml.OutOfElement();
        albums.push_back(album);
    }
    return true;
}
