// Track arrays: the program's queues and lists (deck queues, AutoMix queue,
// history, search and request lists) are arrays of track records held by
// value. These helpers reorder such an array by the file path of its
// records, and fill one from a library or playlist file or from the music
// files of a folder.
//
// The record type is a template parameter (the program uses CTrackRecord);
// the loaders are templated also on the library class that answers
// Exists, GetTagInfo and CopyTagInfoToRecord (the program uses VIZU), so
// this layer includes nothing of the library.
//
// A record is identified by its m_FileName, compared without regard to
// case; when several records share a path, the first of them is the one
// found.
#pragma once

#include "foundation/libraryfile/LibraryFileLayout.h"
#include "foundation/xml/XmlMarkup.h"
#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "framework/win/CFileFind.h"
#include "framework/win/CFile.h"
#include "framework/win/CStdioFile.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <random>

namespace track_arrays_detail {

// Decimal integer of an attribute; 0 when it does not start with a number.
inline int32_t ReadInt(const CString& text)
{
    const char* begin = text.GetString();
    char* end = nullptr;
    const long long value = std::strtoll(begin, &end, 10);
    if (end == begin)
        return 0;
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

// True when the name ends in the extension, letter case ignored.
inline bool EndsWithNoCase(const CString& name, const char* extension)
{
    CString ext(extension);
    if (name.GetLength() < ext.GetLength())
        return false;
    return name.Right(ext.GetLength()).CompareNoCase(ext) == 0;
}

// The pointee of a reader's second parameter: the library's tag record.
template <class F>
struct TagInfoOf;
template <class R, class P, class I>
struct TagInfoOf<R (*)(P, I*)>
{
    using type = I;
};

} // namespace track_arrays_detail

// Index of the first record with that path; -1 when none has it.
template <class TRecord>
int FindTrackIndex(const CArray<TRecord, TRecord&>& tracks, const CString& path)
{
    const INT_PTR count = tracks.GetSize();
    for (INT_PTR i = 0; i < count; ++i) {
        if (tracks[i].m_FileName.CompareNoCase(path) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// Exchanges the first record with path1 and the first with path2. False,
// with no change, when either path is missing.
template <class TRecord>
bool SwapTracks(CArray<TRecord, TRecord&>& tracks, const CString& path1, const CString& path2)
{
    const int first = FindTrackIndex(tracks, path1);
    if (first < 0)
        return false;
    const int second = FindTrackIndex(tracks, path2);
    if (second < 0)
        return false;
    if (first != second) {
        TRecord copy(tracks[first]);
        tracks[first] = tracks[second];
        tracks[second] = copy;
    }
    return true;
}

// Moves the first record with that path to index 0, keeping the order of
// the others. False when none has it.
template <class TRecord>
bool MoveTrackToTop(CArray<TRecord, TRecord&>& tracks, const CString& path)
{
    const int at = FindTrackIndex(tracks, path);
    if (at < 0)
        return false;
    TRecord copy(tracks[at]);
    tracks.RemoveAt(at);
    tracks.InsertAt(0, copy);
    return true;
}

// Moves the first record with that path to the last index.
template <class TRecord>
bool MoveTrackToBottom(CArray<TRecord, TRecord&>& tracks, const CString& path)
{
    const int at = FindTrackIndex(tracks, path);
    if (at < 0)
        return false;
    TRecord copy(tracks[at]);
    tracks.RemoveAt(at);
    tracks.Add(copy);
    return true;
}

// Moves the first record with movedPath to just before the first record
// with targetPath (a drop before a row). False, with no change, when either
// path is missing. A record dropped on itself stays where it is.
template <class TRecord>
bool MoveTrackBefore(CArray<TRecord, TRecord&>& tracks, const CString& movedPath,
                     const CString& targetPath)
{
    const int moved = FindTrackIndex(tracks, movedPath);
    const int target = FindTrackIndex(tracks, targetPath);
    if (moved < 0 || target < 0)
        return false;
    // After the removal the target would no longer be found (or a later
    // record of the same path would be): nothing to move.
    if (moved == target)
        return true;
    TRecord copy(tracks[moved]);
    tracks.RemoveAt(moved);
    const int before = FindTrackIndex(tracks, targetPath);
    tracks.InsertAt(before, copy);
    return true;
}

// The shuffle's generator: seeded once per run, on first use.
inline std::mt19937& TrackShuffleGenerator()
{
    static std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return generator;
}

// Puts the records in a random order, every order equally likely
// (Fisher-Yates over indices, so records sharing a path shuffle too).
template <class TRecord, class TGenerator>
void ShuffleTracks(CArray<TRecord, TRecord&>& tracks, TGenerator& generator)
{
    const INT_PTR count = tracks.GetSize();
    for (INT_PTR i = count - 1; i > 0; --i) {
        std::uniform_int_distribution<INT_PTR> pick(0, i);
        const INT_PTR j = pick(generator);
        if (j != i) {
            TRecord copy(tracks[i]);
            tracks[i] = tracks[j];
            tracks[j] = copy;
        }
    }
}

template <class TRecord>
void ShuffleTracks(CArray<TRecord, TRecord&>& tracks)
{
    ShuffleTracks(tracks, TrackShuffleGenerator());
}

// Reads a library, playlist or history file into the array and returns the
// number of records added; only records whose file exists are kept. Clear
// empties the array first (also when the file does not parse). A file that
// cannot be opened raises the framework's file exception before anything
// changes. A TRK element without one of its children leaves that field
// empty (0 for a number).
template <class TLibrary, class TRecord>
int LoadXmlTrackList(const CString& path, CArray<TRecord, TRecord&>& tracks, bool clear)
{
    using track_arrays_detail::ReadInt;
    using Field = libraryfile::Field<TRecord>;

    CString text;
    {
        CStdioFile file(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText);
        CString line;
        while (file.ReadString(line))
            text += line;
    }
    XmlMarkup xml;
    const bool parsed = xml.SetDocument(text);
    if (clear)
        tracks.RemoveAll();
    if (!parsed || !xml.FindElement(libraryfile::kRootName))
        return 0;
    xml.IntoElement();

    const Field* fields = libraryfile::Fields<TRecord>();
    int added = 0;
    TRecord record;
    while (xml.FindElement(libraryfile::kRecordName)) {
        // Each child is searched after the one found before it; a missing
        // one leaves the position where it was and its fields empty (0 for
        // a number).
        bool inside = false; // in the element of the current attributes
        for (int i = 0; i < libraryfile::kFieldCount; ++i) {
            const Field& f = fields[i];
            if (!f.attribute) {
                record.*f.text = xml.FindChildElement(f.element) ? xml.GetChildData() : CString();
                continue;
            }
            if (libraryfile::OpensElement(fields, i))
                inside = xml.FindChildElement(f.element) && xml.IntoElement();
            if (f.number)
                record.*f.number = inside ? ReadInt(xml.GetAttribute(f.attribute)) : 0;
            else
                record.*f.text = inside ? xml.GetAttribute(f.attribute) : CString();
            if (libraryfile::ClosesElement(fields, i) && inside)
                xml.OutOfElement();
        }

        if (TLibrary::Exists(record.m_FileName)) {
            tracks.Add(record);
            ++added;
        }
    }
    return added;
}

// Adds one record per MP3 or WAV file of the folder (sub-folders are not
// entered), in the order the file system lists them, skipping files whose
// tags cannot be read. Returns the number added.
template <class TLibrary, class TRecord>
int LoadFolderTracks(const CString& folder, CArray<TRecord, TRecord&>& tracks, bool clear)
{
    using TagInfo =
        typename track_arrays_detail::TagInfoOf<decltype(&TLibrary::GetTagInfo)>::type;
    using track_arrays_detail::EndsWithNoCase;

    if (clear)
        tracks.RemoveAll();
    int added = 0;
    CFileFind finder;
    BOOL more = finder.FindFile(folder + "\\*.*");
    TRecord record;
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory())
            continue;
        const CString name = finder.GetFileName();
        if (!EndsWithNoCase(name, ".mp3") && !EndsWithNoCase(name, ".wav"))
            continue;
        TagInfo info{};
        if (!TLibrary::GetTagInfo(finder.GetFilePath(), &info))
            continue;
        record.ClearRecord();
        TLibrary::CopyTagInfoToRecord(&record, &info);
        tracks.Add(record);
        ++added;
    }
    return added;
}
