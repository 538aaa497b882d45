#include "library/state/ExistenceCache.h"

#include "library/state/FileTexts.h"

#include <windows.h>

namespace {

std::string Lower(const std::string& text)
{
    std::string lowered(text);
    for (char& ch : lowered)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return lowered;
}

// A plain absolute path "X:\..." without wildcards, stream names or
// doubled separators: the only form answered from folder listings.
bool Plain(const std::string& path)
{
    if (path.size() < 4 || path[1] != ':' || path[2] != '\\')
        return false;
    const char drive = static_cast<char>(path[0] | 0x20);
    if (drive < 'a' || drive > 'z')
        return false;
    if (path.find_first_of("*?\"<>|/", 0) != std::string::npos || path.find(':', 2) != std::string::npos)
        return false;
    if (path.find("\\\\") != std::string::npos || path.back() == '\\')
        return false;
    // "." and ".." parts are left to the file system.
    return path.find("\\.") == std::string::npos;
}

} // namespace

const ExistenceCache::Folder& ExistenceCache::FolderOf(const std::string& folder)
{
    const std::string key = Lower(folder);
    auto found = m_folders.find(key);
    if (found != m_folders.end())
        return found->second;
    Folder entry;
    const size_t separator = folder.rfind('\\');
    // A folder under a missing folder is missing; the root is listed.
    if (separator == std::string::npos || InFolder(folder, separator)) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            entry.state = Folder::kListed;
            do
                entry.names.insert(Lower(data.cFileName));
            while (FindNextFileA(find, &data));
            FindClose(find);
        } else {
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_DIRECTORY
                && error != ERROR_INVALID_NAME)
                entry.state = Folder::kUnlisted;
        }
    }
    return m_folders.emplace(key, std::move(entry)).first->second;
}

bool ExistenceCache::InFolder(const std::string& path, size_t lastSeparator)
{
    const Folder& folder = FolderOf(path.substr(0, lastSeparator));
    if (folder.state == Folder::kMissing)
        return false;
    if (folder.state == Folder::kListed && folder.names.count(Lower(path.substr(lastSeparator + 1))) != 0)
        return true;
    // Not in the listing as it is spelt: the file system decides.
    return filetexts::Exists(CString(path.c_str()));
}

bool ExistenceCache::Exists(const CString& path)
{
    const std::string& text = path.str();
    if (!Plain(text))
        return filetexts::Exists(path);
    return InFolder(text, text.rfind('\\'));
}
