#include "library/playlists/PlaylistText.h"

#include "foundation/libraryfile/LibraryFileLayout.h"
#include "foundation/xml/XmlMarkup.h"
#include "foundation/xml/XmlToken.h"
#include "library/file/LibraryDocument.h"
#include "library/file/LibraryLayoutReader.h"
#include "library/maintenance/DriveLetters.h"
#include "library/tracklist/TrackListFillText.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace playlists {

namespace {

// A value as the library file's writer keeps it: of its single-byte
// characters, line breaks and tabs as blanks and other control bytes left
// out (they are not allowed in XML, and a line break would break the
// one-element-per-line layout); a double-byte character is kept whole.
std::string WritableText(const CString& value)
{
    const char* text = value.GetString();
    const int length = static_cast<int>(std::strlen(text));
    std::string out;
    out.reserve(static_cast<size_t>(length));
    for (int pos = 0; pos < length;) {
        const int next = XmlNextChar(text, length, pos);
        const unsigned char c = static_cast<unsigned char>(text[pos]);
        if (next - pos > 1 || c >= 0x20)
            out.append(text + pos, static_cast<size_t>(next - pos));
        else if (c == '\r' || c == '\n' || c == '\t')
            out += ' ';
        pos = next;
    }
    return out;
}

std::string NumberText(int32_t value)
{
    return std::to_string(value);
}

// One record element after the current element (or, with none, after the
// current parent's last child), its fields in the layout's order.
bool AddRecordElement(XmlMarkup& xml, const CTrackRecord& record)
{
    using TrackField = libraryfile::Field<CTrackRecord>;
    const TrackField* fields = libraryfile::Fields<CTrackRecord>();
    if (!xml.AddElement(libraryfile::kRecordName) || !xml.IntoElement())
        return false;
    bool ok = true;
    for (int i = 0; i < libraryfile::kFieldCount; ++i) {
        const TrackField& f = fields[i];
        if (!f.attribute) {
            ok = ok && xml.AddElement(f.element, WritableText(record.*f.text).c_str());
            continue;
        }
        if (libraryfile::OpensElement(fields, i))
            ok = ok && xml.AddElement(f.element);
        const std::string value =
            f.number ? NumberText(record.*f.number) : WritableText(record.*f.text);
        ok = ok && xml.SetAttribute(f.attribute, value.c_str());
    }
    return xml.OutOfElement() && ok;
}

std::string OneLine(const CString& value)
{
    std::string out(value.GetString());
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

} // namespace

bool HasPlaylistExtension(const CString& path)
{
    return HasTypeEnding(path.str(), ".txl");
}

CString PlaylistPath(const CString& path)
{
    return HasPlaylistExtension(path) ? path : path + ".txl";
}

CString PlaylistName(const CString& fileName)
{
    const int dot = fileName.ReverseFind('.');
    return dot < 0 ? fileName : fileName.Left(dot);
}

std::string TextModeLines(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() + 1);
    size_t start = 0;
    const size_t end = bytes.find('\x1A') == std::string::npos ? bytes.size() : bytes.find('\x1A');
    while (start < end) {
        size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos || lf > end)
            lf = end;
        size_t lineEnd = lf;
        if (lf < end && lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        out.append(bytes, start, lineEnd - start);
        out += '\n';
        start = lf + 1;
    }
    return out;
}

bool AppendRecordsToText(std::string& text, const TrackArray& added)
{
    XmlMarkup xml;
    if (!xml.SetDocument(CString(text)))
        return false;
    if (!xml.FindElement(libraryfile::kRootName))
        return false;
    const int tracks = std::atoi(xml.GetAttribute(libraryfile::kTracksAttribute));
    if (!xml.IntoElement())
        return false;
    // The records go after the last child element.
    bool hasChild = false;
    while (xml.FindElement())
        hasChild = true;
    for (int i = 0; i < added.GetSize(); ++i)
        if (!AddRecordElement(xml, added[i]))
            return false;
    xml.OutOfElement();
    const std::string count = NumberText(tracks + static_cast<int>(added.GetSize()));
    if (!xml.SetAttribute(libraryfile::kTracksAttribute, count.c_str()))
        return false;
    std::string result = xml.GetDocument().str();
    // A root without children may be an empty-element tag the parser took
    // in a loose form ("<root //>"), which the edit does not open: such a
    // text (small, as it holds no element) must read back with its records.
    if (!hasChild) {
        XmlMarkup check;
        CArray<CTrackRecord, CTrackRecord&> records;
        if (!check.SetDocument(CString(result)) ||
            ReadLibraryRecords(check, records, false) != static_cast<int>(added.GetSize()))
            return false;
    }
    text.swap(result);
    return true;
}

namespace {

// The record elements of the records as the library file's writer writes
// them (each line ended by CR LF).
std::string RecordElements(const TrackArray& records)
{
    if (records.GetSize() == 0)
        return std::string();
    const std::string text = BuildLibraryText(records, "", "");
    const std::string first = std::string("<") + libraryfile::kRecordName + ">\r\n";
    const std::string tail = std::string("</") + libraryfile::kRootName + ">\r\n";
    const size_t start = text.find(first);
    return text.substr(start, text.size() - tail.size() - start);
}

// The append of AppendRecordsToText on the text-mode lines of a file that
// CheckLibraryLayout accepted: the root's start tag is the second line,
// its end tag (when it has one) the last. False when the root's count is
// written with a character reference (left to the parser).
bool SpliceRecords(std::string& lines, const TrackArray& added)
{
    const size_t rootStart = lines.find('\n') + 1;
    const size_t rootEnd = lines.find('\n', rootStart);
    if (rootStart == 0 || rootEnd == std::string::npos)
        return false;
    const std::string name = std::string(" ") + libraryfile::kTracksAttribute + "=\"";
    const size_t value = lines.rfind(name, rootEnd);
    if (value == std::string::npos || value < rootStart)
        return false;
    const size_t first = value + name.size();
    const size_t close = lines.find('"', first);
    if (close == std::string::npos || close > rootEnd)
        return false;
    const std::string count = lines.substr(first, close - first);
    if (count.find('&') != std::string::npos)
        return false;
    const int tracks = std::atoi(count.c_str());
    const std::string elements = RecordElements(added);
    const std::string endTag = std::string("</") + libraryfile::kRootName + ">\n";
    const bool emptyRoot = lines.compare(rootEnd - 2, 2, "/>") == 0;
    if (!emptyRoot) {
        if (lines.size() < endTag.size() ||
            lines.compare(lines.size() - endTag.size(), endTag.size(), endTag) != 0)
            return false;
        lines.insert(lines.size() - endTag.size(), elements);
    } else if (!elements.empty()) {
        // <root .../> becomes <root ...>, CR LF, the records, </root>.
        if (rootEnd + 1 != lines.size())
            return false;
        lines.replace(rootEnd - 2, 2, ">\r\n" + elements + endTag.substr(0, endTag.size() - 2));
        lines.insert(lines.size() - 1, ">");
    }
    lines.replace(first, close - first, NumberText(tracks + static_cast<int>(added.GetSize())));
    return true;
}

} // namespace

bool AppendRecordsToFileText(const CString& bytes, const TrackArray& added, std::string& text)
{
    int count = 0;
    text = TextModeLines(bytes.str());
    if (CheckLibraryLayout(bytes, count) && bytes.Find('\x1A') < 0) {
        std::string spliced = text;
        if (SpliceRecords(spliced, added)) {
            text.swap(spliced);
            return true;
        }
    }
    return AppendRecordsToText(text, added);
}

CString M3uFolder(const CString& m3uPath)
{
    const int slash = m3uPath.ReverseFind('\\');
    return slash < 0 ? CString() : m3uPath.Left(slash + 1);
}

std::vector<CString> ReadM3uEntries(const std::string& bytes, const CString& folder)
{
    std::vector<CString> entries;
    size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos)
            lf = bytes.size();
        size_t lineEnd = lf;
        if (lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        const std::string_view line(bytes.data() + start, lineEnd - start);
        start = lf + 1;
        // A NUL would cut the path short as a text.
        if (line.empty() || line[0] == '#' || line.find('\0') != std::string_view::npos)
            continue;
        if (!HasTypeEnding(line, ".mp3") && !HasTypeEnding(line, ".wav"))
            continue;
        CString entry{std::string(line)};
        if (line.size() < 2 || line[1] != ':')
            entry = folder + entry;
        entries.push_back(entry);
    }
    return entries;
}

std::string BuildM3uText(const TrackArray& records)
{
    std::string out = "#EXTM3U\r\n";
    for (int i = 0; i < records.GetSize(); ++i) {
        const CTrackRecord& r = records[i];
        out += "#EXTINF:";
        out += NumberText(r.m_Length);
        out += ',';
        out += OneLine(r.m_Artist);
        out += " - ";
        out += OneLine(r.m_Title);
        out += "\r\n";
        out += OneLine(r.m_FileName);
        out += "\r\n";
    }
    return out;
}

int ChangeDriveInRecords(TrackArray& records, char from, char to)
{
    int changed = 0;
    for (int i = 0; i < records.GetSize(); ++i)
        changed += maintenance::ChangeDriveLetter(records[i].m_FileName, from, to);
    return changed;
}

} // namespace playlists
