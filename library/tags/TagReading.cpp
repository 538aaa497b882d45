// Reading tags and stream facts of MP3 and WAV files into TAG_INFO and
// library records, the defaults for missing fields, and the genre list.
#include "library/tags/TagReading.h"

#include "library/tags/Id3FileReader.h"
#include "library/state/LibrarySettings.h"
#include "library/state/LibraryState.h"
#include "library/tags/TagReadingText.h"
#include "library/tags/Id3v2Tag.h"
#include "library/tags/TagFields.h"
#include "library/api/VIZU.h"

#include "decoder/mpeg/mp3_scanner.h"
#include "foundation/genres/GenreNames.h"

#include <id3/tag.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <string>

namespace {

constexpr size_t kTextMax = 1024;
constexpr size_t kTempoMax = 32;
constexpr size_t kEncodedByMax = 256;
constexpr size_t kLengthMax = 32;

bool EndsWithMp3(const CString& path)
{
    CString lower = path;
    lower.MakeLower();
    return lower.Right(3) == "mp3";
}

CString WideToAnsi(const std::wstring& text)
{
    if (text.empty())
        return CString();
    const int wide = static_cast<int>(text.size());
    int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return CString();
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide, &out[0], bytes, nullptr, nullptr);
    return CString(out);
}

// A text of the tag as a single-byte text of the active code page, cut to
// maxChars characters, without control characters.
CString ToText(const id3v2::Text& text, size_t maxChars)
{
    std::string bytes;
    if (text.unicode) {
        std::u16string units = text.units.substr(0, maxChars);
        // A cut between the halves of a pair would leave a stray half.
        if (units.size() < text.units.size() && !units.empty() && units.back() >= 0xD800 &&
            units.back() <= 0xDBFF)
            units.pop_back();
        bytes = WideToAnsi(std::wstring(units.begin(), units.end())).str();
    } else {
        bytes = text.bytes.substr(0, maxChars);
    }
    tagtext::RemoveControlChars(bytes);
    return CString(bytes);
}

CString FieldText(const tagfields::TagFields& fields, tagfields::Slot slot, size_t maxChars)
{
    const tagfields::Field& field = fields[slot];
    return field.present ? ToText(field.text, maxChars) : CString();
}

// A frame's text field as id3lib holds it, empty for a missing frame or
// field.
//
// The text is taken from the field's raw bytes, never past Size(): for a
// text field Size() counts the bytes id3lib holds (two per UTF-16
// character), and its Get(unicode_t*, n) takes that count for characters
// and copies twice as many bytes, past the end of the text.
id3v2::Text Id3libText(const ID3_Frame* frame)
{
    id3v2::Text text;
    const ID3_Field* field = frame ? frame->GetField(ID3FN_TEXT) : nullptr;
    if (!field)
        return text;
    const size_t bytes = field->Size();
    const ID3_TextEnc enc = field->GetEncoding();
    if (enc == ID3TE_UTF16 || enc == ID3TE_UTF16BE) {
        // id3lib keeps UTF-16 text big-endian whatever the file's byte order.
        text.unicode = true;
        const unicode_t* raw = field->GetRawUnicodeText();
        if (raw)
            text.units = tagtext::BigEndianUtf16(reinterpret_cast<const unsigned char*>(raw), bytes,
                                                 tagfields::kTextMax);
        return text;
    }
    const std::string raw = tagtext::BoundedText(field->GetRawText(), bytes, SIZE_MAX);
    if (enc == ID3TE_UTF8)
        return id3v2::DecodeString(id3v2::kUtf8, reinterpret_cast<const uint8_t*>(raw.data()),
                                   raw.size(), tagfields::kTextMax);
    text.bytes = raw.substr(0, tagfields::kTextMax);
    return text;
}

// The frames the readers take, as id3lib parsed them.
void FieldsFromId3lib(const ID3_Tag& tag, tagfields::TagFields* out)
{
    struct Entry
    {
        tagfields::Slot slot;
        ID3_FrameID id;
    };
    static const Entry kFrames[] = {
        {tagfields::kTitle, ID3FID_TITLE},         {tagfields::kLeadArtist, ID3FID_LEADARTIST},
        {tagfields::kBand, ID3FID_BAND},           {tagfields::kConductor, ID3FID_CONDUCTOR},
        {tagfields::kComposer, ID3FID_COMPOSER},   {tagfields::kOrigArtist, ID3FID_ORIGARTIST},
        {tagfields::kAlbum, ID3FID_ALBUM},         {tagfields::kGenre, ID3FID_CONTENTTYPE},
        {tagfields::kYear, ID3FID_YEAR},           {tagfields::kComment, ID3FID_COMMENT},
        {tagfields::kTempo, ID3FID_BPM},           {tagfields::kEncodedBy, ID3FID_ENCODEDBY},
        {tagfields::kLength, ID3FID_SONGLEN},
    };
    *out = tagfields::TagFields();
    for (const Entry& entry : kFrames) {
        const ID3_Frame* frame = tag.Find(entry.id);
        if (!frame)
            continue;
        (*out)[entry.slot].present = true;
        (*out)[entry.slot].text = Id3libText(frame);
    }
    if (const ID3_Frame* counter = tag.Find(ID3FID_PLAYCOUNTER)) {
        out->hasCounter = true;
        if (const ID3_Field* count = counter->GetField(ID3FN_COUNTER))
            out->playCount = count->Get();
    }
    out->hasPicture = tag.Find(ID3FID_PICTURE) != nullptr;
}

// Reads the tags of the file open in reader. id3lib reads ID3v1 and
// ID3v2.2 and ID3v2.3 tags; an ID3v2.4 tag, and any ID3v2.3 tag holding a
// frame whose sizes are out of bounds (which id3lib would allocate or
// inflate as declared), is read by the bounded reader instead, and id3lib
// then reads only the tags at the end of the file.
void ReadTagFields(Id3FileReader& reader, tagfields::TagFields* out)
{
    *out = tagfields::TagFields();
    if (!reader.IsOpen())
        return;
    id3v2::Tag own;
    bool useOwn = false;
    uint8_t head[id3v2::kHeaderSize];
    id3v2::TagHeader header;
    if (reader.ReadAt(0, head, sizeof head) == static_cast<int64_t>(sizeof head) &&
        id3v2::ReadHeader(head, sizeof head, &header) && header.major >= 3) {
        const size_t want = std::min<size_t>(
            {size_t(header.totalSize), size_t(id3v2::kTagReadLimit), size_t(reader.Size())});
        std::vector<uint8_t> bytes(want);
        const int64_t got = reader.ReadAt(0, bytes.data(), want);
        if (got > 0 && own.Parse(bytes.data(), static_cast<size_t>(got)))
            useOwn = header.major == 4 || own.Skipped() > 0;
    }
    ID3_Tag tag;
    tag.Link(reader, useOwn ? ID3TT_APPENDED : ID3TT_ALL);
    FieldsFromId3lib(tag, out);
    if (useOwn) {
        tagfields::TagFields fields;
        tagfields::FromTag(own, &fields);
        tagfields::FillMissing(*out, &fields);
        *out = fields;
    }
}

// Only a leading "(n)" names a genre by number; any other text is a name.
CString ResolveGenre(const CString& text)
{
    long number = 0;
    if (!tagtext::GenreReference(text.str(), &number))
        return text;
    return CString(GenreName(number >= 0 && number < kGenreCount ? static_cast<int>(number) : -1));
}

int LeadingInteger(const CString& text)
{
    return atoi(text);
}

bool IsMissing(const CString& text)
{
    return text.IsEmpty() || text == "NA";
}

// The tempo frame in the library's five-digit form, read in every text
// encoding; "00000" without one.
void ReadTempo(const tagfields::TagFields& fields, CString* text, int32_t* bpm, bool* has)
{
    *has = fields[tagfields::kTempo].present;
    int whole = 0;
    *text = CString(
        tagtext::NormaliseTempo(FieldText(fields, tagfields::kTempo, kTempoMax).str(), &whole));
    *bpm = whole;
}

// The fields both MP3 readers take: path, picture flag and the five texts.
void ReadCommonFields(const tagfields::TagFields& fields, const CString& path, TAG_INFO* info)
{
    info->Path = path;
    info->HasPicture = fields.hasPicture;
    info->Title = FieldText(fields, tagfields::kTitle, kTextMax);
    info->Artist.Empty();
    for (tagfields::Slot slot : {tagfields::kLeadArtist, tagfields::kBand, tagfields::kConductor,
                                 tagfields::kComposer}) {
        if (fields[slot].present) {
            info->Artist = FieldText(fields, slot, kTextMax);
            break;
        }
    }
    info->Album = FieldText(fields, tagfields::kAlbum, kTextMax);
    info->Genre = ResolveGenre(FieldText(fields, tagfields::kGenre, kTextMax));
    info->Year = FieldText(fields, tagfields::kYear, kTextMax);
}

CString RecordText(const CString& text)
{
    std::string bytes = text.str();
    return tagtext::RemoveControlChars(bytes) ? CString(bytes) : text;
}

void TrimTexts(TAG_INFO* info)
{
    info->Title.Trim();
    info->Artist.Trim();
    info->Album.Trim();
    info->Genre.Trim();
    info->Year.Trim();
    info->Comment.Trim();
}

void ReportReadFailure(const CString& path, const char* reason)
{
    if (CurrentAddSettings().logAdds)
        VIZU::WriteAddLogEntry(CString("GetID3TagInfo failed on: ") + path);
    VIZU::AddException(CString(reason), path);
}

int64_t ReadThroughTagReader(void* data, int64_t offset, void* buffer, size_t count)
{
    if (offset < 0)
        return -1;
    return static_cast<Id3FileReader*>(data)->ReadAt(static_cast<ID3_Reader::pos_type>(offset),
                                                     buffer, count);
}

// A stream scanner released on every path.
class Scanner
{
public:
    Scanner() { mp3_scanner_new(&m_scanner); }
    ~Scanner()
    {
        if (m_scanner)
            mp3_scanner_delete(m_scanner);
    }
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    // Reads through the tag's reader when it has the file open, so the
    // file is opened and read once for tag and stream.
    int Scan(const CString& path, Id3FileReader* reader, int limit, mp3_stream_info* info)
    {
        *info = mp3_stream_info{};
        if (!m_scanner)
            return MP3_SCAN_OUT_OF_MEMORY;
        if (reader && reader->IsOpen()) {
            mp3_scan_source source;
            source.data = reader;
            source.size = static_cast<int64_t>(reader->Size());
            source.read = ReadThroughTagReader;
            return mp3_scanner_scan_source(m_scanner, &source, nullptr, nullptr, info, 0, 0,
                                           limit);
        }
        return mp3_scanner_scan(m_scanner, path, nullptr, nullptr, info, 0, 0, limit);
    }

private:
    mp3_scanner* m_scanner = nullptr;
};

// The stream facts into info: a scan of the first limit frames, and of the
// whole file when that gives no duration. -1 when neither does.
int ScanStreamInfo(TAG_INFO* info, Id3FileReader* reader, int limit)
{
    Scanner scanner;
    mp3_stream_info stream;
    int result = -1;
    if (scanner.Scan(info->Path, reader, limit, &stream) == MP3_SCAN_OK) {
        if (stream.duration_ms == 0)
            scanner.Scan(info->Path, reader, 0, &stream);
        if (stream.duration_ms != 0)
            result = 0;
    }
    if (result != 0) {
        info->Length = info->Channels = info->SampleRate = info->Bitrate = 0;
        return -1;
    }
    info->Length = stream.duration_ms / 1000;
    info->Bitrate = stream.bitrate / 1000;
    info->SampleRate = stream.sample_rate;
    info->Channels = stream.channels;
    return 0;
}

// Missing-field defaults shared by TAG_INFO and library records.
void CheckFields(const CString& path, CString& title, CString& artist, CString& album,
                 CString& year, CString& genre, int32_t& playCount)
{
    if (IsMissing(title) || IsMissing(artist)) {
        TAG_INFO parsed;
        if (VIZU::ParseFilename(&parsed, path)) {
            title = parsed.Title;
            artist = parsed.Artist;
            album = parsed.Album;
            year = parsed.Year;
            genre = parsed.Genre;
            title.Trim();
            artist.Trim();
            album.Trim();
            year.Trim();
            genre.Trim();
        }
    }
    if (IsMissing(title))
        title = VIZU::GetTitleFromFilename(path);
    if (IsMissing(artist))
        artist = "Unknown";
    if (IsMissing(album))
        album = "Unknown";
    if (IsMissing(genre))
        genre = "Other";
    if (playCount < 0 || playCount > 9999)
        playCount = 0;
}

} // namespace

bool tags::GetTagInfo(CString path, TAG_INFO* info)
{
    if (!info)
        return false;
    const CString ext = path.Right(3);
    if (ext.CompareNoCase("mp3") == 0) {
        if (!GetID3TagInfo(info, path))
            return false;
        info->FileType = "MP3";
    } else if (ext.CompareNoCase("wav") == 0) {
        if (!GetWavInfo(path, info))
            return false;
        if (CurrentAddSettings().wavLookForID3V1 == 1)
            ReadAGWAVTag(info, path);
        info->FileType = "WAV";
    } else {
        return false;
    }
    CheckTagInfo(info);
    return true;
}

bool tags::GetID3TagInfo(TAG_INFO* info, CString path)
{
    if (!info || !EndsWithMp3(path))
        return false;
    // One open of the file serves the tag and the stream scan.
    Id3FileReader reader(path);
    try {
        tagfields::TagFields fields;
        ReadTagFields(reader, &fields);
        ReadCommonFields(fields, path, info);
        info->Comment = FieldText(fields, tagfields::kComment, kTextMax);
        info->FileType = "MP3";
        TrimTexts(info);
        info->PlayCount = fields.hasCounter ? static_cast<int32_t>(fields.playCount) : 0;
        ReadTempo(fields, &info->BPMText, &info->BPM, &info->HasBPM);
        info->EncodedBy = FieldText(fields, tagfields::kEncodedBy, kEncodedByMax);
    } catch (const std::exception& e) {
        ReportReadFailure(path, e.what());
        return false;
    } catch (...) {
        // A damaged tag must not take the program down.
        ReportReadFailure(path, "Tag library error");
        return false;
    }
    return ScanStreamInfo(info, &reader, 5) != -1;
}

bool tags::GetID3TagQuick(TAG_INFO* info, CString path)
{
    if (!info || !EndsWithMp3(path))
        return false;
    Id3FileReader reader(path);
    try {
        tagfields::TagFields fields;
        ReadTagFields(reader, &fields);
        ReadCommonFields(fields, path, info);
        if (fields[tagfields::kLength].present) {
            info->LengthText = FieldText(fields, tagfields::kLength, kLengthMax);
            info->Length = LeadingInteger(info->LengthText) / 1000;
        } else {
            info->Length = 0;
        }
    } catch (...) {
        return false;
    }
    if (info->Length == 0)
        ScanStreamInfo(info, &reader, 3);
    info->FileType = "MP3";
    TrimTexts(info);
    return true;
}

int tags::GetDekodaMP3Info(TAG_INFO* info, int limit)
{
    if (!info || !EndsWithMp3(info->Path))
        return -1;
    return ScanStreamInfo(info, nullptr, limit);
}

bool tags::ReadDekodaTag(CTrackRecord* rec, CString path, int limit)
{
    if (!rec || !EndsWithMp3(path))
        return false;
    Scanner scanner;
    mp3_stream_info stream;
    if (scanner.Scan(path, nullptr, limit, &stream) != MP3_SCAN_OK || stream.duration_ms == 0) {
        rec->m_Length = rec->m_Bitrate = rec->m_SampleRate = rec->m_Channels = 0;
        return false;
    }
    rec->m_Length = stream.duration_ms / 1000;
    rec->m_Bitrate = stream.bitrate / 1000;
    rec->m_SampleRate = stream.sample_rate;
    rec->m_Channels = stream.channels;
    return true;
}

bool tags::ReadID3Tag(CTrackRecord* rec, CString path)
{
    if (!rec || !EndsWithMp3(path))
        return false;
    try {
        Id3FileReader reader(path);
        tagfields::TagFields fields;
        ReadTagFields(reader, &fields);
        auto textOr = [&](tagfields::Slot slot, size_t maxChars, const char* missing) {
            return fields[slot].present ? FieldText(fields, slot, maxChars) : CString(missing);
        };
        rec->m_Title = textOr(tagfields::kTitle, kTextMax, "NA");
        rec->m_Artist = fields[tagfields::kLeadArtist].present
                            ? FieldText(fields, tagfields::kLeadArtist, kTextMax)
                            : textOr(tagfields::kOrigArtist, kTextMax, "NA");
        rec->m_Album = textOr(tagfields::kAlbum, kTextMax, "Unknown");
        if (fields[tagfields::kGenre].present)
            rec->m_Genre = ResolveGenre(FieldText(fields, tagfields::kGenre, 256));
        rec->m_Year = FieldText(fields, tagfields::kYear, 64);
        bool has = false;
        ReadTempo(fields, &rec->m_BPMText, &rec->m_BPM, &has);
    } catch (...) {
        return false;
    }
    ReadDekodaTag(rec, path, 5);
    if (rec->m_Length == 0)
        ReadDekodaTag(rec, path, 0);
    rec->m_FileType = "MP3";
    return true;
}

void tags::CheckTagInfo(TAG_INFO* info)
{
    if (info)
        CheckFields(info->Path, info->Title, info->Artist, info->Album, info->Year, info->Genre,
                    info->PlayCount);
}

void tags::CheckTagFields(CTrackRecord* rec)
{
    if (rec)
        CheckFields(rec->m_FileName, rec->m_Title, rec->m_Artist, rec->m_Album, rec->m_Year,
                    rec->m_Genre, rec->m_PlayCount);
}

bool tags::CopyTagInfoToRecord(CTrackRecord* rec, TAG_INFO* info)
{
    if (!rec || !info)
        return true;
    // The readers give texts without control characters; a TAG_INFO filled
    // elsewhere reaches the record under the same rule.
    rec->m_Album = RecordText(info->Album);
    rec->m_Artist = RecordText(info->Artist);
    rec->m_BPMText = RecordText(info->BPMText);
    rec->m_Genre = RecordText(info->Genre);
    rec->m_Title = RecordText(info->Title);
    rec->m_Year = RecordText(info->Year);
    rec->m_Length = info->Length;
    rec->m_PlayCount = info->PlayCount;
    rec->m_FileName = info->Path;
    rec->m_FileType = RecordText(info->FileType);
    rec->m_Bitrate = info->Bitrate;
    rec->m_HasPicture = info->HasPicture ? 1 : 0;
    rec->m_BPM = info->BPM;
    return true;
}

int tags::GetGenreNumFromString(CString name)
{
    for (int i = 0; i < kGenreCount; ++i) {
        if (name.CompareNoCase(GenreName(i)) == 0)
            return i;
    }
    return 12;
}

bool tags::ReadTagForRecordUpdate(CString path, TAG_INFO* info)
{
    if (!GetTagInfo(path, info))
        return false;
    if (path.Right(3).CompareNoCase("mp3") != 0 &&
        GetPrivateProfileIntA("KVLIB", "WAV_LookForID3V1", 0, VIZU::GetLibINIFilePath()) == 1)
        ReadAGWAVTag(info, path);
    return true;
}

bool tags::UpdateRecordFromTag(LibraryState& state, CString path, TAG_INFO* info)
{
    TrackArray& tracks = state.tracks;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        if (tracks[i].m_FileName == path) {
            CTrackRecord copy = tracks[i];
            CopyTagInfoToRecord(&copy, info);
            tracks[i] = copy;
            state.changed = true;
            return true;
        }
    }
    return false;
}
