// The M3U reader over any text, as an M3U import reads a file from another
// program, and the append to a playlist's text over any playlist, as an
// append reads a playlist that may come from elsewhere. Input: choice byte
// (bit 0: code page 932; bit 1: the M3U's folder "D:\Mixes\" or none),
// length byte, that many bytes of M3U text, then the playlist file.
// Properties: every entry ends in .mp3 or .wav, holds no line feed, and is
// the folder plus a line of the text, or the line itself with a drive;
// entries written as M3U read back the same; an append that succeeds adds
// exactly the new records after the old ones, which read back unchanged,
// and the append to a file in the writer's layout (spliced without a
// parse) gives the parser's bytes.
#include "foundation/libraryfile/LibraryFileLayout.h"
#include "foundation/xml/XmlMarkup.h"
#include "foundation/xml/XmlToken.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlWritten.h"
#include "library/file/LibraryDocument.h"
#include "library/playlists/PlaylistText.h"
#include "library/tracklist/TrackListFillText.h"

#include <string>
#include <vector>

namespace {

using Records = CArray<CTrackRecord, CTrackRecord&>;

void CheckEntries(const std::vector<CString>& entries, const std::string& m3u,
                  const CString& folder)
{
    for (const CString& entry : entries) {
        const std::string& e = entry.str();
        FUZZ_CHECK(HasTypeEnding(e, ".mp3") || HasTypeEnding(e, ".wav"), "entry [%s] is no music",
                   e.c_str());
        FUZZ_CHECK(e.find('\n') == std::string::npos, "entry [%s] holds a line feed", e.c_str());
        // Either the line itself (with a drive) or the folder and the line.
        const bool drive = e.size() >= 2 && e[1] == ':' && e[0] != '#' &&
                           m3u.find(e) != std::string::npos;
        const size_t skip = folder.str().size();
        const bool relative = e.compare(0, skip, folder.str()) == 0 && e.size() > skip &&
                              e[skip] != '#' && !(e.size() > skip + 1 && e[skip + 1] == ':') &&
                              m3u.find(e.substr(skip)) != std::string::npos;
        FUZZ_CHECK(drive || relative, "entry [%s] is not a music line of the text", e.c_str());
    }
}

int ReadRecords(const std::string& text, Records& records)
{
    XmlMarkup xml;
    if (!xml.SetDocument(CString(text)))
        return -1;
    return ReadLibraryRecords(xml, records, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzParts parts;
    if (!FuzzParts::Split(data, size, &parts))
        return 0;
    XmlSetNativeCodePage((parts.choice & 1) ? 932 : 0);
    const CString folder((parts.choice & 2) ? "D:\\Mixes\\" : "");
    const std::string& m3u = parts.head;

    const std::vector<CString> entries = playlists::ReadM3uEntries(m3u, folder);
    CheckEntries(entries, m3u, folder);

    // The entries as records: written as M3U, they read back the same
    // (line breaks inside a text are written as blanks).
    Records records;
    for (const CString& entry : entries) {
        CTrackRecord r;
        r.m_FileName = entry;
        r.m_Title = entry;
        records.Add(r);
    }
    const std::string written = playlists::BuildM3uText(records);
    const std::vector<CString> again = playlists::ReadM3uEntries(written, "");
    FUZZ_CHECK(again.size() == entries.size(), "%d entries written, %d read back",
               static_cast<int>(entries.size()), static_cast<int>(again.size()));
    for (size_t i = 0; i < again.size() && i < entries.size(); ++i) {
        std::string expected = entries[i].str();
        for (char& c : expected)
            if (c == '\r')
                c = ' ';
        FUZZ_CHECK(again[i].str() == expected, "entry %d: [%s] read back as [%s]",
                   static_cast<int>(i), expected.c_str(), again[i].GetString());
    }

    // The append over the playlist file.
    std::string text = playlists::TextModeLines(parts.rest);
    {
        std::string spliced;
        std::string parsed = text;
        const bool byParser = playlists::AppendRecordsToText(parsed, records);
        const bool byFile = playlists::AppendRecordsToFileText(CString(parts.rest), records, spliced);
        FUZZ_CHECK(byParser == byFile, "the append answered %d, from the file %d", byParser, byFile);
        FUZZ_CHECK(parsed == spliced, "the append from the file gave other bytes");
    }
    Records before;
    const int old = ReadRecords(text, before);
    if (!playlists::AppendRecordsToText(text, records))
        return 0;
    FUZZ_CHECK(old >= 0, "an append to a text that does not parse succeeded");
    Records after;
    const int now = ReadRecords(text, after);
    FUZZ_CHECK(now == old + static_cast<int>(records.GetSize()), "%d records, then %d after adding %d",
               old, now, static_cast<int>(records.GetSize()));
    for (int i = 0; i < old && i < now; ++i)
        FUZZ_CHECK(before[i].m_FileName == after[i].m_FileName && before[i].m_Title == after[i].m_Title,
                   "old record %d changed", i);
    for (int i = 0; i < static_cast<int>(records.GetSize()) && old + i < now; ++i) {
        const std::string expected = LibraryWritten(records[i].m_FileName.GetString());
        FUZZ_CHECK(after[old + i].m_FileName.str() == expected, "added record %d: [%s] read as [%s]",
                   i, expected.c_str(), after[old + i].m_FileName.GetString());
    }
    return 0;
}
