// Whether files exist, asked for many files at once (a list filled with
// the missing-file check): each folder's entries are read once, so files
// that share folders cost one look at the file system a folder, and every
// file under a folder that is not there is known missing at once. What the
// listing does not show (another letter case outside A to Z, a short name)
// is asked of the file system itself, so the answers are those of
// filetexts::Exists. Holds what it read: one object serves one fill.
#pragma once

#include "framework/core/CString.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

class ExistenceCache
{
public:
    bool Exists(const CString& path);

private:
    struct Folder
    {
        // Missing; listed (names); or there but not listable, when each
        // file is asked of the file system.
        enum State { kMissing, kListed, kUnlisted } state = kMissing;
        std::unordered_set<std::string> names;   // A to Z lower-cased
    };

    // The folder of that path ("C:\a\b", or "C:" for the drive's root).
    const Folder& FolderOf(const std::string& folder);
    bool InFolder(const std::string& path, size_t lastSeparator);

    std::unordered_map<std::string, Folder> m_folders;   // key lower-cased
};
