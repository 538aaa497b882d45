#include "library/browse/FolderContents.h"

#include "framework/win/CWaitCursor.h"
#include "library/api/TagInfo.h"
#include "library/api/VIZU.h"
#include "library/import/TrackImportWalk.h"
#include "library/state/MessagePump.h"
#include "library/tags/TagReading.h"
#include "library/tracklist/TrackListFill.h"
#include "library/tracklist/TrackListFillText.h"

#include <cctype>

namespace {

enum class FileKind { None, MP3, WAV, Video, Image };

bool EqualsNoCase(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

FileKind KindOf(const CString& name, bool showOtherFiles)
{
    if (HasTypeEnding(name.str(), "mp3"))
        return FileKind::MP3;
    if (HasTypeEnding(name.str(), "wav"))
        return FileKind::WAV;
    if (!showOtherFiles)
        return FileKind::None;
    // The text after the name's first point: clip.backup.avi is no video.
    const std::string& text = name.str();
    const size_t point = text.find('.');
    const std::string type = point == std::string::npos ? text : text.substr(point + 1);
    for (const char* video : {"mpg", "mpeg", "vob", "mov", "avi", "qt"})
        if (EqualsNoCase(type, video))
            return FileKind::Video;
    for (const char* image : {"bmp", "gif", "jpg", "jpeg", "png"})
        if (EqualsNoCase(type, image))
            return FileKind::Image;
    return FileKind::None;
}

class FolderLister
{
public:
    // Escape is looked for among the keys of escapeWindow and its children.
    FolderLister(HWND list, HWND escapeWindow, const browse::FolderListing& how, bool* aborted)
        : m_list(list), m_writer(list), m_escapeWindow(escapeWindow), m_how(how), m_aborted(aborted)
    {
    }

    // 0 at the end of the listing, -1 at an abort.
    int List(const CString& folder, int depth);

private:
    // The file's fields; false when it gets no row.
    bool ReadFields(const CString& path, const CString& name, FileKind kind, TAG_INFO& info);
    void AddMusicRow(int position, const CString& path, FileKind kind, const TAG_INFO& info);
    void AddOtherRow(int position, const CString& path, const CString& name, FileKind kind);

    HWND m_list;
    TrackRowWriter m_writer;
    HWND m_escapeWindow;
    browse::FolderListing m_how;
    bool* m_aborted;
    LoopPump m_pacer;
};

int FolderLister::List(const CString& folder, int depth)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(JoinFolderPath(folder, "*.*"), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int row = 0;
    int result = 0;
    do {
        if (m_pacer.Due()) {
            if (EscapeAbortPrompt(m_escapeWindow, kAbortFileSearchText)) {
                *m_aborted = true;
                result = -1;
                break;
            }
            ProcessMessages();
            // The list's owner may have closed it meanwhile.
            if (!m_writer.Alive())
                break;
        }
        const CString name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        const CString path = JoinFolderPath(folder, name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // Links and junctions are not followed, nor folders too deep:
            // a loop of them would list for ever.
            if (!m_how.recurse || (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
                depth >= kMaxFolderDepth)
                continue;
            browse::FolderListing plain;
            plain.readTags = m_how.readTags;
            plain.recurse = true;
            FolderLister inner(m_list, m_escapeWindow, plain, m_aborted);
            inner.List(path, depth + 1);
            if (*m_aborted) {
                result = -1;
                break;
            }
            continue;
        }
        const FileKind kind = KindOf(name, m_how.showOtherFiles);
        if (kind == FileKind::None)
            continue;
        if (kind == FileKind::Video || kind == FileKind::Image) {
            AddOtherRow(row++, path, name, kind);
            continue;
        }
        TAG_INFO info;   // each file from an empty record
        if (ReadFields(path, name, kind, info))
            AddMusicRow(row++, path, kind, info);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return result;
}

bool FolderLister::ReadFields(const CString& path, const CString& name, FileKind kind,
                              TAG_INFO& info)
{
    if (!m_how.readTags) {
        if (m_how.maskFromIni)
            tags::ParseFilenameEx42(&info, name, const_cast<char*>(m_how.mask.GetString()),
                                    const_cast<char*>(m_how.delimiter.GetString()));
        else
            tags::ParseFilenameEx(&info, name);
        return true;
    }
    if (kind == FileKind::MP3) {
        tags::GetID3TagQuick(&info, path);   // a row whatever it could read
        return true;
    }
    return tags::GetTagInfo(path, &info);
}

void FolderLister::AddMusicRow(int position, const CString& path, FileKind kind,
                               const TAG_INFO& info)
{
    TrackRow row = MakeTagRow(info);
    row.Drop(7);
    row.Drop(10);
    row.Put(8, path);
    if (kind == FileKind::WAV && m_how.readTags)
        row.picture = track_image::kNoPicture;
    const int image = m_how.plainIcons ? track_image::kPlain
                      : kind == FileKind::WAV ? track_image::kWAV
                                              : track_image::kMP3;
    m_writer.Insert(position, row, image, position);
}

void FolderLister::AddOtherRow(int position, const CString& path, const CString& name,
                               FileKind kind)
{
    TrackRow row;
    row.Put(0, tags::GetTitleFromFilename(name));
    row.Put(4, kind == FileKind::Video ? "Video" : "Image");
    row.Put(8, path);
    m_writer.Insert(position, row, track_image::kPlain, position);
}

CString ReadLibIni(const char* key, int size)
{
    CString text;
    std::string buffer(static_cast<size_t>(size), '\0');
    GetPrivateProfileStringA("KVLIB", key, "", &buffer[0], static_cast<DWORD>(size),
                             VIZU::GetLibINIFilePath());
    return CString(buffer.c_str());
}

} // namespace

int browse::ListFolder(const CString& folder, HWND list, const FolderListing& how, bool* aborted)
{
    if (!aborted)
        return -1;
    CWaitCursor wait;
    FolderLister lister(list, list ? GetParent(list) : nullptr, how, aborted);
    return lister.List(folder, 0);
}

int browse::ListFolderAfresh(const CString& folder, HWND list, FolderListing how, bool* aborted)
{
    how.mask = ReadLibIni("FilenameParseString", 128);
    how.delimiter = ReadLibIni("FilenameParseDelim", 16);
    how.maskFromIni = true;
    TrackRowWriter writer(list);
    writer.SetRedraw(false);
    writer.DeleteAll();
    const int result = ListFolder(folder, list, how, aborted);
    writer.SetRedraw(true);
    if (result == 0 && aborted)
        writer.RepaintNow();
    return result;
}
