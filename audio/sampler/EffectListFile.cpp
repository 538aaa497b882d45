#include "audio/sampler/EffectListFile.h"

#include <windows.h>

#include "input/commands/TextFiles.h"

CString EffectListPath(const CString& programFolder)
{
    CString path = programFolder;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\' && path[path.GetLength() - 1] != '/')
        path += "\\";
    return path + "SoundEffects.xml";
}

SoundEffectList LoadEffectListFile(const CString& path, CString* reason)
{
    CString text, why;
    if (!ReadWholeTextFile(path, text, why)) {
        if (reason)
            *reason = why;
        return SoundEffectList();
    }
    return ParseEffectList(JoinEffectListLines(text));
}

int SaveEffectListFile(const CString& path, const SoundEffectList& list, const CString& version, CString* reason)
{
    CString why;
    if (!WriteTextFileAtomically(path, BuildEffectListText(list, EffectListDate(), version), why)) {
        if (reason)
            *reason = why;
        return -1;
    }
    return static_cast<int>(list.size());
}

CString EffectListDate()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString date;
    date.Format("%02d/%02d/%02d", now.wMonth, now.wDay, now.wYear % 100);
    return date;
}
