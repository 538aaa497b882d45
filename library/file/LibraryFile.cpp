// The library file: saving, loading with recovery from the backup copy,
// the header, the reader into any array, creation, the check, and the
// default library file format. VIZU's file entries (library/api) hand
// these the records they work on.
#include "framework/ui/Prompts.h"
#include "framework/win/CFile.h"
#include "framework/win/CStdioFile.h"
#include "foundation/libraryfile/LibraryFileLayout.h"
#include "foundation/xml/XmlMarkup.h"
#include "library/file/LibraryDocument.h"
#include "library/file/LibraryFileFormat.h"
#include "library/file/LibraryLayoutReader.h"
#include "library/file/SafeFileWrite.h"
#include "library/import/AddLog.h"
#include "library/records/RecordAccess.h"
#include "library/state/FileTexts.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"

#include <windows.h>

#include <algorithm>
#include <ctime>
#include <string>

namespace {

const char* const kCaption = "Kelvane Library Manager";

void Inform(const CString& text)
{
    AfxPromptMessageBox(nullptr, text, kCaption, MB_OK | MB_ICONINFORMATION);
}

// Lets the window run while a document is built, as the loop pump paces
// it: not after every record (a large library's save would be spent in the
// pump).
void PumpTick(void* context)
{
    static_cast<LoopPump*>(context)->Step();
}

} // namespace

CString libfile::TodayText()
{
    time_t now = time(nullptr);
    struct tm local = {};
    char text[16] = {};
    if (localtime_s(&local, &now) == 0)
        strftime(text, sizeof text, "%m/%d/%y", &local);
    return CString(text);
}

int libfile::SaveLibrary(const TrackArray& tracks, const CString& path)
{
    // Messages run while the document is built: nothing may move records.
    TracksInUse inUse;
    LoopPump pacer;
    const std::string text =
        BuildLibraryText(tracks, kLibraryFileVersion, TodayText(), PumpTick, &pacer);
    const int count = static_cast<int>(tracks.GetSize());
    CString message;
    switch (WriteFileWhole(path, text.data(), text.size())) {
    case SafeWriteResult::Written:
        return count;
    case SafeWriteResult::CannotCreate:
        message.Format("Unable to save library, error: %s", "Unable to open Library file");
        break;
    case SafeWriteResult::CannotWrite:
        message.Format("Unable to write library, error: %s", "Unable to Save Library file");
        break;
    }
    Inform(message);
    return -1;
}

CString libfile::ReadWholeText(const CString& path)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    const ULONGLONG length = file.GetLength();
    if (length > XmlMarkup::MaxLength)
        return CString();
    // Read straight into the string: the text is as large as the file.
    CString text;
    if (length == 0)
        return text;
    char* bytes = text.GetBufferSetLength(static_cast<int>(length));
    const UINT read = file.Read(bytes, static_cast<UINT>(length));
    file.Close();
    // A NUL in a tag would end the text early.
    std::replace(bytes, bytes + read, '\0', '|');
    text.ReleaseBuffer(static_cast<int>(read));
    return text;
}

namespace {

// All lines of a text file joined without line breaks.
CString ReadJoinedLines(const CString& path, bool logFileNames)
{
    CStdioFile file(path, CFile::modeRead | CFile::typeText);
    std::string text;
    CString line;
    while (file.ReadString(line)) {
        if (logFileNames && line.Left(4) == "<FN>")
            trackimport::WriteAddLogEntry(line);
        text.append(line.GetString(), static_cast<size_t>(line.GetLength()));
    }
    file.Close();
    return CString(text);
}

// The record count of the file's head, read from the file on its own.
int HeaderCountOfFile(const CString& path)
{
    LIB_INFO info;
    GetLibFileInfo(path, &info);
    return info.Tracks;
}

// The record count of the head of a text already read, by the same rule
// (0 when the head holds no library root).
int HeaderCountOfText(const CString& text)
{
    CString version;
    int tracks = 0;
    if (!ReadLibraryHead(JoinedFirstLines(text, libraryfile::kHeadLines), version, tracks))
        return 0;
    return tracks;
}

void ReportUnreadRecords(int header, const char* cause)
{
    CString message;
    message.Format("We were unable to read the records in this library properly. Header shows "
                   "%d records, our counter shows %d records.\n\nThis is usually cause by %s "
                   "Contact our support.",
                   header, 0, cause);
    Inform(message);
}

} // namespace

// The caller has made sure that tracks are not in use.
int libfile::ReadLibraryFile(TrackArray& tracks, const CString& path)
{
    const CString backup = path + ".bak";
    CString current = path;
    int header = 0;
    XmlMarkup xml;
    CString text;
    int laidOut = -1; // the TRK count of a text in the written layout
    for (;;) {
        // The file is read once; its head's count comes from that text.
        text = libfile::ReadWholeText(current);
        header = HeaderCountOfText(text);
        // A file as this program writes it is read directly; any other
        // goes through the XML parser.
        if (CheckLibraryLayout(text, laidOut))
            break;
        laidOut = -1;
        if (xml.SetDocument(text))
            break;
        // Only one saved version exists: the backup copy of the library
        // itself, never a backup of the backup.
        if (current == backup) {
            Inform("Your last saved version of the music library could not be read either.");
            return 1;
        }
        const int answer = AfxPromptMessageBox(
            nullptr,
            "An error ocurred when loading your music library.\n\nWould you like to reload your "
            "last saved version?",
            kCaption, MB_YESNO | MB_ICONINFORMATION);
        if (answer != IDYES)
            return 1;
        if (!filetexts::Exists(backup)) {
            Inform("There is no saved version of your music library to reload.");
            return 1;
        }
        current = backup;
    }

    tracks.RemoveAll();
    int read = laidOut;
    if (laidOut >= 0)
        ReadLibraryLayout(text, laidOut, tracks, true);
    else
        read = ReadLibraryRecords(xml, tracks, true);
    if (read == 0 && header > 0) {
        ReportUnreadRecords(header, "an embedded NULL character in a tag entry.");
        return 1;
    }
    return current == backup ? 2 : 0;
}

void libfile::CreateLibrary(const CString& path)
{
    CArray<CTrackRecord, CTrackRecord&> none;
    const std::string text = BuildLibraryText(none, kLibraryFileVersion, libfile::TodayText());
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(text.data(), static_cast<UINT>(text.size()));
    file.Close();
}

namespace {

class XmlLibraryFileFormat : public LibraryFileFormat
{
public:
    int LoadLib(const CString& path, TrackArray& tracks) override
    {
        return libfile::ReadLibraryFile(tracks, path);
    }
    int SaveLib(const CString& path, const TrackArray& tracks) override
    {
        return libfile::SaveLibrary(tracks, path);
    }
    void CreateLib(const CString& path) override { libfile::CreateLibrary(path); }
    bool GetLibInfo(const CString& path, LIB_INFO* info) override
    {
        return libfile::GetLibInfo(path, info);
    }
};

} // namespace

LibraryFileFormat* DefaultLibraryFileFormat()
{
    static XmlLibraryFileFormat format;
    return &format;
}

bool libfile::GetLibInfo(const CString& path, LIB_INFO* info)
{
    CStdioFile file(path, CFile::modeRead | CFile::typeText);
    CString head;
    CString line;
    for (int i = 0; i < libraryfile::kHeadLines && file.ReadString(line); ++i)
        head += line;
    file.Close();
    CString version;
    int tracks = 0;
    if (!ReadLibraryHead(head, version, tracks))
        return false;
    if (info) {
        info->Version = version;
        info->Tracks = tracks;
    }
    return true;
}

int libfile::LoadLibToArray(const CString& path, TrackArray& records)
{
    XmlMarkup xml;
    xml.SetDocument(ReadJoinedLines(path, false));
    records.RemoveAll();
    return ReadLibraryRecords(xml, records, false);
}

int libfile::AnalyzeLib(LibraryState& state, const CString& path)
{
    const int header = HeaderCountOfFile(path);
    const CString text = ReadJoinedLines(path, true);
    AfxMessageBox("File read completed");
    XmlMarkup xml;
    if (!xml.SetDocument(text)) {
        CString message;
        message.Format("[XML_AnalyzeLib] SetDoc failed! Error: %s", xml.GetError().GetString());
        Inform(message);
        return 0;
    }
    if (state.tracksInUse > 0)
        return 0;
    state.tracks.RemoveAll();
    const int read = ReadLibraryRecords(xml, state.tracks, false);
    if (read == 0 && header > 0)
        ReportUnreadRecords(header, "an End of File marker in a corrupt tag entry.");
    return 0;
}
