// The exports of a library or playlist file: a CSV table of the chosen
// columns and a plain text list of titles and artists. The new file is
// made in memory and written whole.
#include "library/legacy/LegacyFiles.h"

#include "framework/core/Exceptions.h"
#include "framework/ui/CWinApp.h"
#include "framework/ui/CWnd.h"
#include "framework/ui/Prompts.h"
#include "library/file/LibraryFileFormat.h"
#include "library/file/SafeFileWrite.h"
#include "library/state/FileTexts.h"

#include <windows.h>

#include <exception>
#include <string>

namespace {

struct ExportKind
{
    const char* filter;     // the Save dialog's filter, pairs ending in "\0\0"
    const char* extension;  // without the dot
};

const ExportKind kCsv = {"CSV Files (*.csv)\0*.csv\0\0", "csv"};
const ExportKind kText = {"Text Files (*.txt)\0*.txt\0\0", "txt"};

// The file the user chose, its extension added when missing; empty when
// the dialog was cancelled.
CString ChooseOutput(const ExportKind& kind)
{
    char name[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    CWnd* main = AfxGetMainWnd();
    ofn.hwndOwner = main ? main->GetSafeHwnd() : nullptr;
    ofn.lpstrFilter = kind.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_PATHMUSTEXIST;
    if (!AfxPromptFileDialog(&ofn, FALSE))
        return CString();
    CString path = name;
    CString ending = path.Right(3);
    ending.MakeLower();
    if (ending != kind.extension)
        path += CString(".") + kind.extension;
    return path;
}

// The source's records; none when it cannot be read.
void ReadSource(const CString& source, legacy::TrackArray& tracks)
{
    try {
        libfile::LoadLibToArray(source, tracks);
    } catch (const CException&) {
        tracks.RemoveAll();
    } catch (const std::exception&) {
        tracks.RemoveAll();
    }
}

// Writes the text; tells the user when the file cannot be written.
bool WriteOutput(const CString& path, const std::string& text)
{
    if (WriteFileWhole(path, text.data(), text.size()) == SafeWriteResult::Written)
        return true;
    CString message;
    message.Format("Unable to open output file: %s", path.GetString());
    AfxPromptMessageBox(nullptr, message, "Kelvane Library Manager", MB_OK | MB_ICONEXCLAMATION);
    return false;
}

CString LengthOf(int seconds)
{
    return filetexts::SecondsToString(seconds);
}

// A record ends with CR LF, as a text-mode file writes a line feed.
void PutLine(std::string& out, const std::string& line)
{
    out += line;
    out += "\r\n";
}

} // namespace

int legacy::ExportToCSV(const tagExportFields* fields)
{
    if (!fields)
        return -1;
    const CString path = ChooseOutput(kCsv);
    if (path.IsEmpty())
        return -1;
    std::string text;
    if (fields->Header) {
        const std::string header = CsvHeaderRecord(*fields);
        if (!header.empty())
            PutLine(text, header);
    }
    TrackArray tracks;
    ReadSource(fields->Source, tracks);
    int count = 0;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        const std::string record = CsvDataRecord(*fields, tracks[i], LengthOf);
        if (!record.empty())
            PutLine(text, record);
        ++count;
    }
    return WriteOutput(path, text) ? count : -1;
}

int legacy::ExportToSimpleTextList(const CString& source)
{
    const CString path = ChooseOutput(kText);
    if (path.IsEmpty())
        return -1;
    std::string text;
    TrackArray tracks;
    ReadSource(source, tracks);
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        PutLine(text, TextListLine(tracks[i]));
    return WriteOutput(path, text) ? static_cast<int>(tracks.GetSize()) : -1;
}
