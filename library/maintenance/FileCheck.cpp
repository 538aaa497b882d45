#include "library/maintenance/FileCheck.h"

#include "library/state/FileTexts.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace maintenance {

namespace {

// A folder is listed when it holds at least this many of the paths.
const int kListFrom = 8;

// Plain ASCII lower case; false for text a folder listing could name
// differently (other letters, short names, dots or blanks at the end).
bool PlainLowered(const char* text, std::size_t length, std::string& out)
{
    out.assign(text, length);
    if (out.empty() || out.back() == '.' || out.back() == ' ')
        return false;
    for (char& c : out) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x80 || c == '/' || c == '~' || c == '*' || c == '?')
            return false;
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return true;
}

// The folder part and the file name of a plain absolute path ("X:\..." ),
// both lowered; false for any other path.
bool SplitPlain(const CString& path, std::string& folder, std::string& name)
{
    const char* text = path.GetString();
    const std::size_t length = static_cast<std::size_t>(path.GetLength());
    if (length < 4 || text[1] != ':' || text[2] != '\\')
        return false;
    const std::string whole(text, length);
    if (whole.find("\\.") != std::string::npos || whole.find("\\\\") != std::string::npos)
        return false;
    const std::size_t slash = whole.rfind('\\');
    return PlainLowered(text, slash, folder)
        && PlainLowered(text + slash + 1, length - slash - 1, name);
}

// The lowered names in a folder; false when it cannot be listed.
bool ListFolder(const std::string& folder, std::unordered_set<std::string>& names)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    std::string lowered;
    do {
        if (PlainLowered(data.cFileName, std::strlen(data.cFileName), lowered))
            names.insert(lowered);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}

} // namespace

std::vector<bool> FilesExist(const TrackArray& tracks)
{
    const INT_PTR count = tracks.GetSize();
    std::vector<bool> exists(static_cast<std::size_t>(count), false);
    std::vector<std::string> folders(static_cast<std::size_t>(count));
    std::vector<std::string> names(static_cast<std::size_t>(count));
    std::vector<bool> plain(static_cast<std::size_t>(count), false);
    std::unordered_map<std::string, int> pathsInFolder;
    for (INT_PTR i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        plain[at] = SplitPlain(tracks[i].m_FileName, folders[at], names[at]);
        if (plain[at])
            ++pathsInFolder[folders[at]];
    }
    // Each folder with enough of the paths, listed once (an empty entry:
    // the folder could not be listed, so its files are asked one by one).
    std::unordered_map<std::string, std::unordered_set<std::string>> listed;
    std::unordered_set<std::string> unlisted;
    for (const auto& folder : pathsInFolder) {
        if (folder.second < kListFrom)
            continue;
        std::unordered_set<std::string> contents;
        if (ListFolder(folder.first, contents))
            listed.emplace(folder.first, std::move(contents));
    }
    for (INT_PTR i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const auto found = plain[at] ? listed.find(folders[at]) : listed.end();
        exists[at] = found != listed.end() ? found->second.count(names[at]) > 0
                                           : filetexts::Exists(tracks[i].m_FileName);
    }
    return exists;
}

} // namespace maintenance
