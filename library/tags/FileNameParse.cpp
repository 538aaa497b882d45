// Guessing title, artist, album, year and genre from a file name by the
// mask of "KVLib.ini" (KVLIB FilenameParseString, FilenameParseDelim).
#include "library/tags/TagReading.h"

#include "library/tags/FileNameParseCore.h"
#include "library/tags/TagReadingText.h"
#include "library/api/VIZU.h"

#include <windows.h>

namespace {

// Names from the file system may hold control bytes (not on Windows' own
// disks, but on shares and other file systems): a record holds none.
CString RecordText(std::string text)
{
    tagtext::RemoveControlChars(text);
    return CString(text);
}

bool IsLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}

CString ReadMask()
{
    char mask[128] = {};
    GetPrivateProfileStringA("KVLIB", "FilenameParseString", "", mask, sizeof mask,
                             VIZU::GetLibINIFilePath());
    return CString(mask);
}

char ReadDelimiter()
{
    char delimiter[16] = {};
    GetPrivateProfileStringA("KVLIB", "FilenameParseDelim", "", delimiter, sizeof delimiter,
                             VIZU::GetLibINIFilePath());
    return delimiter[0];
}

void Store(const fnparse::ParsedFields& fields, TAG_INFO* info)
{
    CString* targets[fnparse::kFieldCount] = {&info->Artist, &info->Title, &info->Album,
                                              &info->Year, &info->Genre};
    for (int i = 0; i < fnparse::kFieldCount; ++i) {
        if (fields.set[i])
            *targets[i] = RecordText(fields.value[i]);
    }
}

} // namespace

CString tags::GetTitleFromFilename(CString path)
{
    return RecordText(fnparse::TitleFromPath(path.str(), IsLeadByte));
}

CString tags::GetFilenameFromPath(CString path)
{
    return CString(fnparse::FilenameFromPath(path.str(), IsLeadByte));
}

CString tags::GetFieldFromFilename(CString text, int field, char delimiter, bool last)
{
    (void)field; // callers pass 0; the cut does not depend on it
    return CString(fnparse::FieldFromText(text.str(), delimiter, last, IsLeadByte));
}

bool tags::ParseFilename(TAG_INFO* info, CString path)
{
    const CString mask = ReadMask();
    const char delimiter = ReadDelimiter();
    fnparse::ParsedFields fields;
    if (!fnparse::ParseByDelimiter(mask.str(), delimiter, GetTitleFromFilename(path).str(),
                                   &fields, IsLeadByte))
        return false;
    if (info)
        Store(fields, info);
    return true;
}

bool tags::ParseFilenameEx(TAG_INFO* info, CString path)
{
    fnparse::ParsedFields fields;
    fnparse::ParseByMaskWalk(ReadMask().str(), GetTitleFromFilename(path).str(), &fields,
                             IsLeadByte);
    if (info)
        Store(fields, info);
    return true;
}

bool tags::ParseFilenameEx42(TAG_INFO* info, CString path, char* mask, char* delimiter)
{
    (void)delimiter; // the mask itself gives the delimiters
    fnparse::ParsedFields fields;
    fnparse::ParseByMaskWalk(mask ? std::string(mask) : std::string(),
                             GetTitleFromFilename(path).str(), &fields, IsLeadByte);
    if (info)
        Store(fields, info);
    return true;
}

bool tags::ParseFilenameWithMask(TAG_INFO* info, CString path)
{
    fnparse::ParsedFields fields;
    if (!fnparse::ParseByFivePasses(ReadMask().str(), GetTitleFromFilename(path).str(), &fields,
                                    IsLeadByte))
        return false;
    if (info)
        Store(fields, info);
    return true;
}
