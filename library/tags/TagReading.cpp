// Reading tags and stream facts of MP3 and WAV files into TAG_INFO and
// library records, the defaults for missing fields, and the genre list.
#include "library/tags/TagReading.h"

#include "library/tags/Id3FileReader.h"
#include "library/state/LibrarySettings.h"
#include "library/state/LibraryState.h"
#include "library/tags/TagReadingText.h"
#include "library/api/VIZU.h"

#include "decoder/mpeg/mp3_scanner.h"
#include "foundation/genres/GenreNames.h"

#include <id3/tag.h>

#include <windows.h>

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

bool IsUnicode(const ID3_Field* field)
{
    const ID3_TextEnc enc = field->GetEncoding();
    return enc == ID3TE_UTF16 || enc == ID3TE_UTF16BE || enc == ID3TE_UTF8;
}

// A frame's text field as a single-byte text of the active code page, cut
// to maxChars characters; empty for a missing frame or field.
//
// The text is taken from the field's raw bytes, never past Size(): for a
// text field Size() counts the bytes id3lib holds (two per UTF-16
// character), and its Get(unicode_t*, n) takes that count for characters
// and copies twice as many bytes, past the end of the text.
CString FieldText(const ID3_Frame* frame, size_t maxChars, ID3_FieldID id = ID3FN_TEXT)
{
    const ID3_Field* field = frame ? frame->GetField(id) : nullptr;
    if (!field)
        return CString();
    const size_t bytes = field->Size();
    const ID3_TextEnc enc = field->GetEncoding();
    if (enc == ID3TE_UTF16 || enc == ID3TE_UTF16BE) {
        // id3lib keeps UTF-16 text big-endian whatever the file's byte order.
        const unicode_t* raw = field->GetRawUnicodeText();
        if (!raw)
            return CString();
        const std::u16string units =
            tagtext::BigEndianUtf16(reinterpret_cast<const unsigned char*>(raw), bytes, maxChars);
        return WideToAnsi(std::wstring(units.begin(), units.end()));
    }
    const std::string text = tagtext::BoundedText(field->GetRawText(), bytes, SIZE_MAX);
    if (enc == ID3TE_UTF8) {
        int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(n > 0 ? static_cast<size_t>(n) : 0, L'\0');
        if (n > 0)
            MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
        if (wide.size() > maxChars)
            wide.resize(maxChars);
        return WideToAnsi(wide);
    }
    return CString(text.substr(0, maxChars));
}

CString FrameText(const ID3_Tag& tag, ID3_FrameID id, size_t maxChars)
{
    return FieldText(tag.Find(id), maxChars);
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

// The tempo frame: the library's five-digit form, or "00000" without one or
// for a frame in Unicode.
void ReadTempo(const ID3_Tag& tag, CString* text, int32_t* bpm, bool* has)
{
    const ID3_Frame* frame = tag.Find(ID3FID_BPM);
    const ID3_Field* field = frame ? frame->GetField(ID3FN_TEXT) : nullptr;
    *has = frame != nullptr;
    if (!field || IsUnicode(field)) {
        *text = "00000";
        *bpm = 0;
        return;
    }
    int whole = 0;
    *text = CString(tagtext::NormaliseTempo(FieldText(frame, kTempoMax).str(), &whole));
    *bpm = whole;
}

// Links the tag to the file through a block reader: id3lib's own file
// stream reads a few bytes at a time, which is slow enough to dominate an
// import. An unreadable file leaves the tag empty, as id3lib does.
void LinkFile(ID3_Tag& tag, Id3FileReader& reader)
{
    if (reader.IsOpen())
        tag.Link(reader, ID3TT_ALL);
}

// The fields both MP3 readers take: path, picture flag and the five texts.
void ReadCommonFields(const ID3_Tag& tag, const CString& path, TAG_INFO* info)
{
    info->Path = path;
    info->HasPicture = tag.Find(ID3FID_PICTURE) != nullptr;
    info->Title = FrameText(tag, ID3FID_TITLE, kTextMax);
    const ID3_Frame* artist = nullptr;
    for (ID3_FrameID id : {ID3FID_LEADARTIST, ID3FID_BAND, ID3FID_CONDUCTOR, ID3FID_COMPOSER}) {
        artist = tag.Find(id);
        if (artist)
            break;
    }
    info->Artist = FieldText(artist, kTextMax);
    info->Album = FrameText(tag, ID3FID_ALBUM, kTextMax);
    info->Genre = ResolveGenre(FrameText(tag, ID3FID_CONTENTTYPE, kTextMax));
    info->Year = FrameText(tag, ID3FID_YEAR, kTextMax);
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
        ID3_Tag tag;
        LinkFile(tag, reader);
        ReadCommonFields(tag, path, info);
        info->Comment = FrameText(tag, ID3FID_COMMENT, kTextMax);
        info->FileType = "MP3";
        TrimTexts(info);

        const ID3_Frame* counter = tag.Find(ID3FID_PLAYCOUNTER);
        const ID3_Field* count = counter ? counter->GetField(ID3FN_COUNTER) : nullptr;
        info->PlayCount = count ? static_cast<int32_t>(count->Get()) : 0;

        ReadTempo(tag, &info->BPMText, &info->BPM, &info->HasBPM);
        info->EncodedBy = FrameText(tag, ID3FID_ENCODEDBY, kEncodedByMax);
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
        ID3_Tag tag;
        LinkFile(tag, reader);
        ReadCommonFields(tag, path, info);
        const ID3_Frame* length = tag.Find(ID3FID_SONGLEN);
        if (length) {
            info->LengthText = FieldText(length, kLengthMax);
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
        ID3_Tag tag;
        Id3FileReader reader(path);
        LinkFile(tag, reader);
        const ID3_Frame* title = tag.Find(ID3FID_TITLE);
        rec->m_Title = title ? FieldText(title, kTextMax) : CString("NA");
        const ID3_Frame* artist = tag.Find(ID3FID_LEADARTIST);
        if (!artist)
            artist = tag.Find(ID3FID_ORIGARTIST);
        rec->m_Artist = artist ? FieldText(artist, kTextMax) : CString("NA");
        const ID3_Frame* album = tag.Find(ID3FID_ALBUM);
        rec->m_Album = album ? FieldText(album, kTextMax) : CString("Unknown");
        if (const ID3_Frame* genre = tag.Find(ID3FID_CONTENTTYPE))
            rec->m_Genre = ResolveGenre(FieldText(genre, 256));
        rec->m_Year = FrameText(tag, ID3FID_YEAR, 64);
        bool has = false;
        ReadTempo(tag, &rec->m_BPMText, &rec->m_BPM, &has);
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
    rec->m_Album = info->Album;
    rec->m_Artist = info->Artist;
    rec->m_BPMText = info->BPMText;
    rec->m_Genre = info->Genre;
    rec->m_Title = info->Title;
    rec->m_Year = info->Year;
    rec->m_Length = info->Length;
    rec->m_PlayCount = info->PlayCount;
    rec->m_FileName = info->Path;
    rec->m_FileType = info->FileType;
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
