// VIZU: the music library's class of static functions. KVLib keeps one
// library open at a time in its own globals; a VIZU object only sets that
// state up and tears it down.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/CTrackRecord.h"
#include "library/KVLibApi.h"
#include "library/LibraryTypes.h"

class KVLIB_API VIZU
{
public:
    // Object lifetime: the first object sets the library state up and its
    // destruction closes the library; an object made while another lives
    // leaves the state to the first.
    VIZU();
    explicit VIZU(CString path);
    ~VIZU();
    VIZU(const VIZU&) = delete;
    VIZU& operator=(const VIZU&) = delete;

    // Opening, saving and closing
    static int Open(CString path);
    static int Load(CString path);
    static bool Create(CString path);
    static int Save(CString path);
    static bool Close();
    static bool DeleteAllRecords();

    // Queries
    static bool IsOpen();
    static bool IsDirty();
    static bool HasLibSwitched();
    static CString GetFullDBPath();
    static CString GetLibTitle();
    static CString GetActiveLibrary();
    static void SetInitialLibPath(CString folder);
    static CString GetDBVersion();
    static CString GetLibDLLPath();
    static CString GetLibINIFilePath();
    int JustDumb();
    static int FindGenre(CString text);

    // Import settings, exception list and add log
    static int GetAddSettings();
    static bool AddException(CString reason, CString path);
    static bool WriteAddLogEntry(CString text);

    // Reads the track-list column positions (uses no object data).
    void InitTrackListColumnOrder();

    // Extended track properties (cue points, start, volume, cue names)
    static bool GetTrackPropsEx(CString path, CTrackRecord* out);
    static bool SetTrackPropsEx(CString path, CTrackRecord* in);

    // Time, size and file texts
    static CString SecondsToString(int seconds);
    static CString SecondsToHHMMSS(int seconds);
    static int StringToSeconds(CString text);
    static bool Exists(CString path);
    static bool IsReadOnly(CString path);
    static int GetFileSize(CString path);
    static bool CopyOurFile(CString source, CString target);

    // Lets waiting messages run; never waits.
    static void ProcessMessages();
};

// The library's arrays (the program has arrays of the same names of its own).
extern KVLIB_API CArray<CTrackRecord, CTrackRecord&> m_Tracks;
extern KVLIB_API CArray<CTrackRecord, CTrackRecord&> m_SearchTracks;
extern KVLIB_API CArray<CTrackRecord, CTrackRecord&> m_FilteredTracks;
extern KVLIB_API CArray<CTrackRecord, CTrackRecord&> m_iJukeTracks;
extern KVLIB_API CArray<tagAlbumDescriptor, tagAlbumDescriptor&> m_AlbumArray;
extern KVLIB_API CArray<tagAlbumDescriptor, tagAlbumDescriptor&> m_ArtistArray;
extern KVLIB_API CArray<tagAmazonRecord, tagAmazonRecord&> m_AmazonArray;
extern KVLIB_API CArray<tagEXArray, tagEXArray&> m_EXArray;
extern KVLIB_API CArray<CString, CString&> m_AddTracks;
extern KVLIB_API CArray<CString, CString&> m_ExceptionArray;
extern KVLIB_API CArray<CString, CString&> VIZU_ExceptionArray;
