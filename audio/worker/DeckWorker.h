// DeckWorker: a deck's background jobs on a WorkerThread of its own.
// - The play counter: the replaced track goes into the main window's
//   history (handed to the user-interface thread) and a play of the newly
//   loaded MP3 file is counted in the music library.
// - The album-art lookup: the loaded track's artist is searched on the
//   product-search service, one cover is chosen and downloaded into the
//   deck's own image file, and the main window is told (WM_USER + 9503,
//   or WM_USER + 9504 when there is none).
// Jobs of one deck run one after another; a lookup whose track the deck
// has since replaced posts nothing, so a cover only ever reaches the track
// it was found for.
#pragma once

#include <windows.h>

#include <deque>
#include <mutex>

#include "audio/worker/AlbumArtLookup.h"
#include "foundation/app/WorkerThread.h"
#include "framework/core/CString.h"
#include "library/api/TagInfo.h"

// Posted to the main window: wParam the deck; 9503 with lParam 0 (the
// deck's image file holds the cover), 9504 with lParam a copy of the
// track's path that the main window takes and frees (PostOwnedText).
enum { WM_DECK_ART_FOUND = WM_USER + 9503, WM_DECK_ART_MISSING = WM_USER + 9504 };

// What the jobs need of the main window and the music library.
class DeckJobHost
{
public:
    virtual ~DeckJobHost() = default;
    // On the user-interface thread:
    // whether the skin gives the deck an album-art view (the lookup's gate);
    virtual bool HasAlbumArtView(int deck) = 0;
    // shows the track's own picture in the deck's view; true when it has one;
    virtual bool SetDeckTitle(int deck, const CString& path) = 0;
    // puts the replaced track at the front of the history.
    virtual void AddToHistory(const TAG_INFO& replaced) = 0;
    // On the worker thread (the library's entries take its lock):
    virtual int IncrementPlayCounter(const CString& path, bool inLibrary) = 0;
};

struct DeckJobSettings
{
    bool noHistory = false;           // DECKx/NoHistory
    bool updatePlayCounter = false;   // MAIN/UpdatePlayCounter is 1
    bool updatePlayCounterInLib = false;
    bool lookupArt = false;           // MAIN/LookupArt
    bool useRandomArt = false;        // MAIN/UseRandomArt
    bool logging = false;             // MAIN/Logging
};

class DeckWorker
{
public:
    // Construction: on the user-interface thread; the thread starts at once.
    DeckWorker(int deck, HWND mainWindow, DeckJobHost* host);
    // Aborts a lookup that is under way and ends the thread.
    ~DeckWorker();
    DeckWorker(const DeckWorker&) = delete;
    DeckWorker& operator=(const DeckWorker&) = delete;

    // Attributes
    void SetSettings(const DeckJobSettings& settings);
    // The search service (host, port, credentials); its default is
    // DefaultAlbumArtService with the host of "KVLib.ini" ALBUMART/AmazonWebsite.
    void SetService(const AlbumArtService& service);
    // Where the random choice of a cover draws from (0-32767); rand when null.
    void SetRandomSource(int (*source)());

    // Operations (user-interface thread)
    // The play-counter job with a copy of the replaced track's tags and the
    // new track's path and file type.
    void StartPlayCounter(const TAG_INFO& replaced, const CString& newPath, const CString& newFileType);
    // The album-art job for the track just loaded: runs only when the deck
    // has an album-art view and the track has no picture of its own (shown
    // there instead) and LookupArt is on; true when a lookup was started.
    // deckTags is what 9504 carries (the deck's own TAG_INFO).
    bool StartLookup(const CString& path, const TAG_INFO& tags, TAG_INFO* deckTags);

    // No job runs or waits (the history's hand-over included).
    bool Idle() const;
    // The last lookup's outcome: a cover was downloaded for that path.
    bool ArtFound() const;
    CString ArtFoundPath() const;
    // The deck's image file (the program folder + DeckAlbumArtFileName).
    CString ArtFile() const;
    // Why the last lookup found nothing (a status, a network error), or "".
    CString LastLookupError() const;

private:
    struct CounterJob
    {
        TAG_INFO replaced;
        CString newPath;
        CString newFileType;
    };
    struct LookupJob
    {
        CString path;
        CString artist;
        CString album;
        unsigned generation = 0;
    };

    static void CounterProc(void* data);
    static void LookupProc(void* data);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RunCounters();
    void RunLookup();
    // The search; -1 for none, else the chosen item in *chosen.
    bool Search(const LookupJob& job, AlbumArtItem* chosen, CString* error);
    void Finish(const LookupJob& job, bool found, const CString& error);
    bool Current(unsigned generation) const;

    int m_deck;
    HWND m_mainWindow;
    DeckJobHost* m_host;
    HWND m_window = nullptr;   // message-only, on the user-interface thread
    HANDLE m_counterEvent = nullptr;
    HANDLE m_lookupEvent = nullptr;
    WorkerThread m_thread;

    mutable std::mutex m_lock;
    DeckJobSettings m_settings;
    AlbumArtService m_service;
    bool m_serviceSet = false;
    int (*m_random)() = nullptr;
    std::deque<CounterJob> m_counters;
    bool m_lookupWaiting = false;
    LookupJob m_lookup;
    unsigned m_generation = 0;
    int m_busy = 0;
    bool m_artFound = false;
    CString m_artPath;
    CString m_lastError;
    TAG_INFO* m_deckTags = nullptr;
    void* m_session = nullptr; // the open internet session, closed to abort
    bool m_stopping = false;
};
