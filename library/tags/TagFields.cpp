#include "library/tags/TagFields.h"

#include <cstring>

namespace tagfields {

namespace {

struct TextFrame
{
    Slot slot;
    const char* id;
};

const TextFrame kTextFrames[] = {
    {kTitle, "TIT2"},     {kLeadArtist, "TPE1"}, {kBand, "TPE2"},  {kConductor, "TPE3"},
    {kComposer, "TCOM"},  {kOrigArtist, "TOPE"}, {kAlbum, "TALB"}, {kGenre, "TCON"},
    {kYear, "TYER"},      {kTempo, "TBPM"},      {kEncodedBy, "TENC"}, {kLength, "TLEN"},
};

bool AllDigits(const Field& field)
{
    const id3v2::Text& t = field.text;
    const size_t n = t.unicode ? t.units.size() : t.bytes.size();
    if (n == 0)
        return false;
    for (size_t i = 0; i < n; ++i) {
        const unsigned c = t.unicode ? unsigned(t.units[i]) : unsigned(static_cast<unsigned char>(t.bytes[i]));
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// A text's characters below 0x80 as bytes (others as '?'): enough for the
// digits of a time stamp.
std::string Ascii(const id3v2::Text& t)
{
    if (!t.unicode)
        return t.bytes;
    std::string out;
    for (char16_t u : t.units)
        out += u < 0x80 ? static_cast<char>(u) : '?';
    return out;
}

} // namespace

std::string YearOfTimestamp(const std::string& stamp)
{
    size_t n = 0;
    while (n < stamp.size() && n < 4 && stamp[n] >= '0' && stamp[n] <= '9')
        ++n;
    return stamp.substr(0, n);
}

void FromTag(const id3v2::Tag& tag, TagFields* out)
{
    *out = TagFields();
    std::vector<uint8_t> content;
    for (const TextFrame& entry : kTextFrames) {
        const id3v2::FrameRef* frame = tag.Find(entry.id);
        if (!frame)
            continue;
        Field& field = (*out)[entry.slot];
        field.present = true;
        if (tag.Content(*frame, &content))
            id3v2::TextOfFrame(content, kTextMax, &field.text);
    }
    if (!(*out)[kYear].present) {
        if (const id3v2::FrameRef* frame = tag.Find("TDRC")) {
            id3v2::Text stamp;
            if (tag.Content(*frame, &content) && id3v2::TextOfFrame(content, kTextMax, &stamp)) {
                Field& year = (*out)[kYear];
                year.present = true;
                year.text.bytes = YearOfTimestamp(Ascii(stamp));
            }
        }
    }
    if (tag.Header().major == 4 && AllDigits((*out)[kGenre])) {
        id3v2::Text& genre = (*out)[kGenre].text;
        if (genre.unicode) {
            genre.units = u"(" + genre.units + u")";
        } else {
            genre.bytes = "(" + genre.bytes + ")";
        }
    }
    if (const id3v2::FrameRef* frame = tag.Find("COMM")) {
        Field& field = (*out)[kComment];
        field.present = true;
        if (tag.Content(*frame, &content))
            id3v2::CommentOfFrame(content, kTextMax, &field.text);
    }
    if (const id3v2::FrameRef* frame = tag.Find("PCNT")) {
        out->hasCounter = true;
        if (tag.Content(*frame, &content))
            id3v2::CounterOfFrame(content, &out->playCount);
    }
    out->hasPicture = tag.Find("APIC") != nullptr;
}

void FillMissing(const TagFields& other, TagFields* out)
{
    for (int i = 0; i < kSlotCount; ++i) {
        if (!out->fields[i].present)
            out->fields[i] = other.fields[i];
    }
    if (!out->hasCounter) {
        out->hasCounter = other.hasCounter;
        out->playCount = other.playCount;
    }
    out->hasPicture = out->hasPicture || other.hasPicture;
}

} // namespace tagfields
