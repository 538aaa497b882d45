#include "foundation/filetree/FileTreeRules.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace filetree {

bool IsDriveRootText(const CString& path)
{
    return path.GetLength() == 3 && path[1] == ':' && path[2] == '\\';
}

void SortIgnoringCase(CStringArray& names)
{
    struct Keyed
    {
        CString key;
        CString name;
    };
    std::vector<Keyed> keyed(static_cast<size_t>(names.GetSize()));
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        keyed[static_cast<size_t>(i)].name = names[i];
        keyed[static_cast<size_t>(i)].key = names[i];
        keyed[static_cast<size_t>(i)].key.MakeLower();
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return std::strcmp(a.key, b.key) < 0;
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        names[static_cast<INT_PTR>(i)] = keyed[i].name;
}

CString ExtensionOf(const CString& path)
{
    int slash = path.ReverseFind('\\');
    int dot = path.ReverseFind('.');
    if (dot < 0 || dot < slash)
        return CString();
    return path.Mid(dot);
}

CString StripExtension(const CString& name)
{
    CString ext = ExtensionOf(name);
    return name.Left(name.GetLength() - ext.GetLength());
}

bool IsValidItemName(const CString& name)
{
    if (name.IsEmpty() || name == "." || name == "..")
        return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 32)
            return false;
    }
    return name.FindOneOf("\\/:*?\"<>|") < 0;
}

CString RenamedPath(const CString& parentPath, const CString& typed, const CString& oldPath,
                    bool extensionHidden, CString& newName)
{
    CString path = parentPath;
    if (!IsDriveRootText(parentPath))
        path += '\\';
    newName = typed;
    if (extensionHidden)
        newName += ExtensionOf(oldPath);
    return path + newName;
}

WalkStart NormaliseWalkPath(const CString& path, const CString& rootFolder, CString& rest)
{
    rest = path;
    rest.MakeUpper();
    if (!rootFolder.IsEmpty()) {
        CString root = rootFolder;
        root.MakeUpper();
        if (rest.Left(root.GetLength()) != root)
            return WalkStart::None;
        CString tail = rest.Mid(root.GetLength());
        if (tail.IsEmpty() || tail == "\\")
            return WalkStart::RootFolder;
        if (tail[0] != '\\')
            return WalkStart::None;   // C:\MUSICX is not inside C:\MUSIC
        rest = tail.Mid(1);
    }
    if (rest.GetLength() > 3 && rest.Right(1) == "\\")
        rest = rest.Left(rest.GetLength() - 1);
    return rest.IsEmpty() ? WalkStart::None : WalkStart::Rest;
}

bool ConsumePrefix(CString& rest, const CString& prefix)
{
    if (prefix.IsEmpty())
        return false;
    CString upper = prefix;
    upper.MakeUpper();
    if (upper.GetLength() > 3 && upper.Right(1) == "\\")
        upper = upper.Left(upper.GetLength() - 1);
    if (rest.Left(upper.GetLength()) != upper)
        return false;
    CString tail = rest.Mid(upper.GetLength());
    if (!tail.IsEmpty() && tail[0] != '\\')
        return false;   // C:\DOCS2 does not begin with the folder C:\DOCS
    rest = tail.IsEmpty() ? tail : tail.Mid(1);
    return true;
}

void SplitComponents(const CString& rest, bool firstKeepsBackslash, CStringArray& parts)
{
    parts.RemoveAll();
    int start = 0;
    bool first = true;
    while (start <= rest.GetLength() && !rest.IsEmpty()) {
        int slash = rest.Find('\\', start);
        int end = slash < 0 ? rest.GetLength() : slash;
        CString part = rest.Mid(start, end - start);
        if (first && firstKeepsBackslash && slash >= 0)
            part += '\\';
        parts.Add(part);
        first = false;
        if (slash < 0 || slash + 1 >= rest.GetLength())
            break;
        start = slash + 1;
    }
}

bool IsSharedPath(const CArray<ShareEntry>& shares, const CString& path)
{
    for (INT_PTR i = 0; i < shares.GetSize(); ++i) {
        const ShareEntry& share = shares[i];
        if ((share.type == 0 || share.type == 1) && share.path.CompareNoCase(path) == 0)
            return true;
    }
    return false;
}

int AutoScrollDirection(int cursorY, int clientTop, int clientBottom, int itemHeight,
                        bool firstVisibleIsFirst)
{
    if (itemHeight <= 0)
        return 0;
    if (!firstVisibleIsFirst && cursorY > clientTop && cursorY < clientTop + 2 * itemHeight)
        return -1;
    if (cursorY < clientBottom && cursorY > clientBottom - 2 * itemHeight)
        return 1;
    return 0;
}

} // namespace filetree
