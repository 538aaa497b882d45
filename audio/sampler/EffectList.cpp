#include "audio/sampler/EffectList.h"

#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include "foundation/xml/XmlMarkup.h"
#include "foundation/xml/XmlToken.h"

namespace {

// atoi's reading of a decimal text, held to the range of an int.
int LengthValue(const CString& text)
{
    errno = 0;
    const long value = strtol(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// An attribute's text up to its first NUL byte (the list, its view and the
// player take the value as a C string), without a lead byte of a
// double-byte code page left alone at its end (half a character, which
// the writer drops): the value is what the file is written with.
CString TextValue(const CString& value)
{
    const char* text = value;
    const int length = static_cast<int>(strlen(text));
    int pos = 0;
    while (pos < length && !XmlIsHalfCharacter(text, length, pos))
        pos = XmlNextChar(text, length, pos);
    return CString(text, pos < length ? pos : length);
}

} // namespace

CString JoinEffectListLines(const CString& fileText)
{
    CString joined = fileText;
    joined.Remove('\r');
    joined.Remove('\n');
    return joined;
}

SoundEffectList ParseEffectList(const CString& text)
{
    SoundEffectList list;
    XmlMarkup xml;
    xml.SetDocument(text);
    if (!xml.FindElement("SoundEffects"))
        return list;
    xml.IntoElement();
    while (xml.FindElement("file")) {
        SoundEffectEntry entry;
        entry.id = static_cast<int>(list.size()) + 1;
        entry.display = TextValue(xml.GetAttribute("display"));
        entry.filename = TextValue(xml.GetAttribute("filename"));
        entry.length = LengthValue(xml.GetAttribute("len"));
        list.push_back(entry);
    }
    return list;
}

CString BuildEffectListText(const SoundEffectList& list, const CString& date, const CString& version)
{
    XmlMarkup xml;
    // The declaration alone holds no element, so this "fails" and keeps it.
    xml.SetDocument("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n");
    if (list.empty())
        return xml.GetDocument();
    CString tracks;
    tracks.Format("%d", static_cast<int>(list.size()));
    xml.AddElement("SoundEffects");
    xml.SetAttribute("name", "Tavrix Sound Effects");
    xml.SetAttribute("version", version);
    xml.SetAttribute("date", date);
    xml.SetAttribute("tracks", tracks);
    xml.IntoElement();
    for (const SoundEffectEntry& entry : list) {
        CString length;
        length.Format("%d", entry.length);
        xml.AddElement("file");
        xml.SetAttribute("display", entry.display);
        xml.SetAttribute("filename", entry.filename);
        xml.SetAttribute("len", length);
    }
    xml.OutOfElement();
    return xml.GetDocument();
}

CString ResolveEffectPath(const CString& filename, const CString& effectsFolder)
{
    if (filename.IsEmpty() || filename[0] != '#')
        return filename;
    return effectsFolder + "\\" + filename.Mid(1);
}

std::vector<size_t> EffectsWithId(const SoundEffectList& list, int id)
{
    std::vector<size_t> places;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].id == id)
            places.push_back(i);
    return places;
}

std::vector<size_t> EffectsWithPath(const SoundEffectList& list, const CString& path)
{
    std::vector<size_t> places;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].filename == path)
            places.push_back(i);
    return places;
}

bool DeleteEffectByPath(SoundEffectList& list, const CString& path)
{
    const std::vector<size_t> places = EffectsWithPath(list, path);
    if (places.empty())
        return false;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(places[0]));
    return true;
}

bool SwapEffects(SoundEffectList& list, const CString& a, const CString& b)
{
    size_t first = list.size(), second = list.size();
    for (size_t i = 0; i < list.size() && first == list.size(); ++i)
        if (list[i].filename.CompareNoCase(a) == 0)
            first = i;
    for (size_t i = 0; i < list.size() && second == list.size(); ++i)
        if (list[i].filename.CompareNoCase(b) == 0)
            second = i;
    if (first == list.size() || second == list.size())
        return false;
    std::swap(list[first], list[second]);
    return true;
}
