// VIZU: the music library's class of static functions. KVLib keeps one
// library open at a time in its own globals; a VIZU object only sets that
// state up and tears it down.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"
#include "library/api/KVLibApi.h"
#include "library/api/LibraryArrays.h"
#include "library/api/LibraryTypes.h"
#include "library/api/TagInfo.h"
#include "library/legacy/ExportText.h"
#include "library/tracklist/TrackListTypes.h"

#include <basetsd.h>   // LONG_PTR (KVSort)

class CComboBox;
class CDC;
class CProgressCtrl;
class CTreeCtrl;
struct _TREEITEM;
class CStatic;
class CTreeCtrl;
class CWnd;

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

    // Library file, record access and random pick
    static int XML_SaveLib(CString path);
    static int XML_LoadLib(CString path);
    static bool XML_CreateLib(CString path);
    static bool XML_CreatePL(CString path);
    static bool XML_CreateRollbackLibrary();
    static bool XML_GetLibInfo(CString path, LIB_INFO* info);
    static int XML_LoadLibToArray(CString path, CArray<CTrackRecord, CTrackRecord&>* records);
    static int XML_AnalyzeLib(CString path);
    static int BPMFormat(CString* text);
    static int GetRecordCount();
    static int GetLastIndexNumber();
    static int FindIndex(int index);
    static bool GetRecordFromIndex(int index, CTrackRecord* out);
    static bool GetRecordAtIndex(int position, CTrackRecord* out);
    static bool AddRecord(CTrackRecord record);
    static bool DelRecord(CString path);
    void EmptyTrackList();
    static void EmptyFilteredArray();
    static void EmptyAddTracks();
    static void EmptyExceptionList();
    static bool IsTrackInLib(CString path);
    static bool IsFileInLibrary(CString path);
    static bool CheckForDupes(CArray<CTrackRecord, CTrackRecord&>* array, CTrackRecord* record);
    static bool IsFilenameInArray(CArray<CTrackRecord, CTrackRecord&>* array, CTrackRecord* record);
    static bool IsTrackInArray(CArray<CTrackRecord, CTrackRecord&>* array, CTrackRecord* record);
    static bool SwapArrayItems(CArray<CTrackRecord, CTrackRecord&>* array, CString first,
                               CString second);
    static int IncrementPlayCount(int index);
    static int ReindexOpenDB();
    static bool SortTrackListA(int code);
    static bool SortTrackListD(int code);
    static bool SortTrackList(int code);
    static CString GetRandomTrack(tagRandomInfo* info);

    // Tag reading, WAV format and trailers, file-name parsing
    static bool GetTagInfo(CString path, TAG_INFO* info);
    static bool GetID3TagInfo(TAG_INFO* info, CString path);
    static bool GetID3TagQuick(TAG_INFO* info, CString path);
    static int GetDekodaMP3Info(TAG_INFO* info, int limit);
    static bool ReadID3Tag(CTrackRecord* rec, CString path);
    static bool ReadDekodaTag(CTrackRecord* rec, CString path, int limit);
    static bool CopyTagInfoToRecord(CTrackRecord* rec, TAG_INFO* info);
    static void CheckTagInfo(TAG_INFO* info);
    static void CheckTagFields(CTrackRecord* rec);
    static int GetGenreNumFromString(CString name);
    static bool UpdateRecordFromTag(CString path);
    static bool GetWavInfo(CString path, TAG_INFO* info);
    static bool WAVHasKVID3Tag(CString path);
    static bool WAVHasAGID3Tag(CString path);
    static int CheckForWAVTags(CString path);
    static bool ReadKVWAVTag(TAG_INFO* info, CString path);
    static bool ReadAGWAVTag(TAG_INFO* info, CString path);
    static bool WriteKVWAVTag(CString path, TAG_INFO* info);
    static bool WriteAGWAVTag(CString path, TAG_INFO* info);
    static bool SetBatchWAVTagInfo(tagBatchTag* batch);
    bool ReadID3TAG1FromWAV(CTrackRecord* rec, CString path);
    static CString GetTitleFromFilename(CString path);
    static CString GetFilenameFromPath(CString path);
    static CString GetFieldFromFilename(CString text, int field, char delimiter, bool last);
    static bool ParseFilename(TAG_INFO* info, CString path);
    static bool ParseFilenameEx(TAG_INFO* info, CString path);
    static bool ParseFilenameEx42(TAG_INFO* info, CString path, char* mask, char* delimiter);
    static bool ParseFilenameWithMask(TAG_INFO* info, CString path);

    // Tag writing and tag pictures
    static bool SetID3TagInfo(TAG_INFO* info, CString path);
    static bool SetBPMTag(CString path, CString bpm);
    static int IncrementPlayCounter(CString path, bool update);
    static bool SetBatchID3TagInfo(tagBatchTag* batch);
    static bool HasPicture(CString path);
    static bool GetID3Picture(CString path);
    static bool GetID3PictureRAW(CString path, const unsigned char* data);
    static CString GetID3PictureMimeType(CString path);
    static bool SetID3Picture(CString path, CString image, bool replace);
    static bool DeleteID3TagPicture(CString path);
    static bool SaveID3PictureFromFile(CString path);
    static bool DeleteTempTagArt();
    static bool DisplayTagArt(CWnd* parent, CStatic* control, CString path);
    static bool DisplayTagArtToDC(const char* path, CDC* dc, CStatic* control);

    // Track lists: columns and headers, filling, search and filter
    static int DisplayListHeader(CListCtrl* list, bool checkBoxes);
    static int DisplayTrackListHeader(CListCtrl* list, bool checkBoxes);
    static int __stdcall KVSort(LONG_PTR itemData1, LONG_PTR itemData2, LONG_PTR sortInfo);
    static int GetTrackListColData(KV_LIST_COLUMN_ORDER* order);
    static bool GetTrackListNeedsRefresh();
    static bool SetTrackListNeedsRefresh(bool needed);
    static void SetTabHeader(CString text);
    static bool InsertRecIntoList(CListCtrl* list, CImageList* images, CTrackRecord* rec,
                                  bool checkExists);
    static int DisplayTracks(CListCtrl* list, bool checkExists, CImageList* images,
                             bool plainIcons, bool fromWorker);
    // Stops the fills from a worker thread (DisplayTracks with fromWorker)
    // into that list under way now, each before its next row; a fill that
    // starts later is not affected. How many were stopped.
    static int StopWorkerFill(CListCtrl* list);
    static int DisplayTracksV41(CListCtrl* list, bool checkExists, CImageList* images,
                                bool showImages);
    int PopulateListControl(CListCtrl* list, bool flag);
    static bool InsertTrackIntoList(CListCtrl* list, CString path, CImageList* images);
    static bool UpdateListItemFromArray(CListCtrl* list, int row, int trackIndex);
    static bool UpdateListItemFromTag(CString path, CListCtrl* list, int row);
    static int CopyListToArray(CListCtrl* list, CArray<CTrackRecord, CTrackRecord&>* tracks);
    static CString GetTotalQueueTime(CListCtrl* list);
    static int FindTitle(CString text);
    static int FindArtist(CString text);
    static int DoSearch(CString text, int code);
    static int DisplayCurrentSearchResults(CListCtrl* list);
    static int DisplaySearchResults(CListCtrl* list, CString text, int code, CImageList* images);
    static int FilterTrackList(int code, CString value);
    static int FilterTracksToArray(CArray<CTrackRecord, CTrackRecord&>* target, int code,
                                   CString value, bool flag);
    static int FilterArrayToArray(CArray<CTrackRecord, CTrackRecord&>* source,
                                  CArray<CTrackRecord, CTrackRecord&>* target, int code,
                                  CString value);
    static int LoadFilteredTracksToArray(CArray<CTrackRecord, CTrackRecord&>* target, int code,
                                         CString value);
    static int SearchLibrary(int code, CString value, bool flag);
    static int DisplayFilteredTracks(CListCtrl* list, int code, CString value, bool checkExists);
    static int DisplayFilteredTracksNoFind(CListCtrl* list, int code, CString value,
                                           bool checkExists, bool plainIcons);
    static int DisplayFilteredEZTracks(CListCtrl* list, int code, CString value,
                                       bool checkExists);
    static int DisplayFilteredEZItemList(CListCtrl* list, int code, CString value,
                                         CImageList* images);

    // Browse views: distinct values into trees, lists and combo boxes, the
    // album and artist arrays, most played and recently added, thumbnail
    // pages, a folder's files
    static int DisplayFilteredTree(CTreeCtrl* tree, int code, CString text, CImageList* images,
                                   _TREEITEM* parent);
    static int DisplayFilteredList(CListCtrl* list, int code, CString text);
    static int DisplayComboGenres(CComboBox* combo);
    static int DisplayComboArtists(CComboBox* combo);
    static int DisplayComboAlbums(CComboBox* combo);
    static int DisplayAlbumTracks(CListCtrl* list, int code, CString value, bool flag1, bool flag2);
    static int GetArtistCount();
    static int GetAlbumCount();
    static int BuildArtistArray();
    static int BuildAlbumArray();
    static int GetArtistArrayRecord(int n, tagAlbumDescriptor* entry);
    static int GetAlbumArrayRecord(int n, tagAlbumDescriptor* entry);
    static int DisplayMostPlayedList(CListCtrl* list, int maxRows, bool checkExists,
                                     bool plainIcons);
    static int DisplayRecentlyAddedList(CListCtrl* list, int maxRows, bool checkExists,
                                        bool plainIcons);
    static void InitGenreImageMap();
    static int DisplayYearThumbsToList(CListCtrl* list);
    static int DisplayBPMThumbsToList(CListCtrl* list);
    static int DisplayGenreThumbsToList(CListCtrl* list);
    static int DisplayArtistThumbsToList(CListCtrl* list);
    static int DisplayAlbumThumbsToList(CListCtrl* list);
    static int BuildArtistImageList(CListCtrl* list);
    static int BuildAlbumImageList(CListCtrl* list);
    static void ResetThumbnails();
    static int EnumerateFolderContents(CString folder, CListCtrl* list, bool readTags,
                                       bool recurse, bool* aborted, bool showOtherFiles);
    static int EnumerateFolderContents42(CString folder, CListCtrl* list, bool readTags,
                                         bool recurse, bool* aborted, bool showOtherFiles,
                                         bool plainIcons);

    // Track import and watch folders
    static bool AddATrack(CString path, bool checkDupes);
    static int AddFolderToLibrary(CString folder, CArray<CTrackRecord, CTrackRecord&>* records);
    static int AddNewInFolderToLibrary(CString folder,
                                       CArray<CTrackRecord, CTrackRecord&>* records);
    static int SearchForMP3WAVFiles(class CWnd* window, CString folder, bool subfolders,
                                    bool* abort);
    static int SearchWatchFolder(class CWnd* window, CString folder, bool subfolders, bool* abort);
    static int WizAddFiles(class CWnd* page, bool onlyNew, bool mp3Only);
    static int WatchAddFiles(class CWnd* window, bool mp3Only);
    static int GetWatchFolderCount();
    static int DisplayWatchFolders();

    // Maintenance: duplicate scans and removals, broken links, drive
    // letters, tag refresh (each scan shows its work in the caller's
    // dialog: status text field id, result list, progress bar)
    static int CheckForDupesByTitleArtist(CWnd* wnd, CListCtrl* list, int id,
                                          CProgressCtrl* progress);
    static int V5CheckForDupesByTitleArtist(CWnd* wnd, CListCtrl* list, int id,
                                            CProgressCtrl* progress);
    static int CheckForDupesByFilename(CWnd* wnd, CListCtrl* list, int id,
                                       CProgressCtrl* progress);
    static int RemoveAllDupesFromEXList(CWnd* wnd, CListCtrl* list, int id,
                                        CProgressCtrl* progress);
    static int V5RemoveAllDupesFromList(CWnd* wnd, CListCtrl* list, int id,
                                        CProgressCtrl* progress);
    static int RemoveTracksFromEXList(CWnd* wnd, CListCtrl* list, int id,
                                      CProgressCtrl* progress);
    static int V5RemoveSelectedDupesFomList(CWnd* wnd, CListCtrl* list, int id,
                                            CProgressCtrl* progress);
    static int CheckForBrokenLinks(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress);
    static int GetBadLinkCount();
    static int RemoveBadLinksFromLib();
    static int ChangeDriveLetterInLib();
    static int ChangeDriveLetterInList(CListCtrl* list, CString first, CString second);
    static int UpdateLibraryFromTags(CWnd* wnd, CListCtrl* list, int id, CProgressCtrl* progress);

    // Older files and exports: archive playlists, the archive library, the
    // older XML layout, the library file list, CSV and text export
    static bool CreateNewPlaylist(CString path);
    static int WritePlaylistFromList(CString path, CListCtrl* list);
    static bool AppendTrackToPlaylist(CString file, CString path);
    static int LoadPlaylistToArray(CString path, CArray<CTrackRecord, CTrackRecord&>* tracks);
    static int DisplayPlaylist(CListCtrl* list, CImageList* images, CString path, bool checkExists);
    static int LoadLibToArray(CString path, CArray<CTrackRecord, CTrackRecord&>* records);
    static int SaveToXML(CString path);
    static int LoadFromXML(CString path);
    static bool CheckForNULLInString(CString text);
    static int DisplayLibs(CString extension, CString folder, CListCtrl* list, bool recurse,
                           bool* aborted, CImageList* images);
    static int ExportToCSV(tagExportFields* fields);
    static int ExportToSimpleTextList(CString source);
    // Playlist and history files: writing, appending, emptying, deleting,
    // views, folder listings, drive letters, M3U import and export
    static int XML_SavePLFromList(CString path, CListCtrl* list);
    static bool XML_SavePLFromArray(CString path, CArray<CTrackRecord, CTrackRecord&>* tracks);
    static bool XML_AppendToPlaylist(CArray<CString, CString&>* files, CString path);
    static bool EmptyPlaylist(CString path);
    static bool DeletePlaylist(CString path);
    static int XML_DisplayPL(CListCtrl* list, CImageList* images, CString path, bool checkExists);
    static int XML_DisplayPLIcons(CListCtrl* list, CImageList* images, CString path,
                                  bool checkExists);
    static int EnumeratePlaylists(CTreeCtrl* tree, CImageList* images, CString folder);
    static int EnumerateHistoryLists(CTreeCtrl* tree, CImageList* images, CString folder);
    static int EnumeratePlaylistsToList(CListCtrl* list, CString folder);
    static int EnumeratePlaylistsToThumbList(CListCtrl* list, CString folder);
    static int GetPlaylistCount(CString folder);
    static int ChangeDriveLetterInPlaylist(CString path, CString first, CString second);
    static int XML_SavePLToM3U(CString path);
    static int XML_CreatePlaylistFromM3U(CString m3uPath, CString playlistPath);
    // Tempo: one file measured (its first limit sample frames, -1 for all;
    // progress into the dialog item id of window; -1 when the user
    // stopped), the whole library scanned into tags and records, and a
    // block of samples the caller has.
    static float DecodeBPM(CString path, CWnd* window, int id, bool fast, bool progress,
                           int limit);
    static int BPMScanLibrary(CWnd* window, CListCtrl* list, int id, CProgressCtrl* bar,
                              int limit);
    static float DecodeBPMWhilePlaying(long channels, long rate, short* samples, int count);
};

// The library's arrays (m_Tracks, m_SearchTracks, ...): library/api/LibraryArrays.h.
