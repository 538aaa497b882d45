#include "audio/worker/DeckWorker.h"

#include <stdlib.h>
#include <time.h>

#include <wininet.h>

#include <string>
#include <vector>

#include "foundation/app/PostedText.h"
#include "foundation/app/ProgramFolder.h"
#include "foundation/app/ProgramLog.h"
#include "foundation/download/AlbumArtDownload.h"
#include "foundation/download/InternetHandle.h"

namespace {

const char kWindowClass[] = "TavrixDeckWorker";
// Posted to the worker's own window: lParam a TAG_INFO for the history,
// which the window's procedure owns and deletes.
const UINT WM_WORKER_HISTORY = WM_APP + 1;
// The largest search reply read.
const DWORD kMaxReplyBytes = 4u * 1024u * 1024u;
const char kRequestBody[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

// A "KVLib.ini" ALBUMART text (128 bytes at most).
CString AlbumArtSetting(const char* key, const char* fallback)
{
    char text[128];
    GetPrivateProfileStringA("ALBUMART", key, fallback, text, sizeof text, GetProgramFolder() + "KVLib.ini");
    return text;
}

// The tag text (the system code page) as UTF-8.
CString AnsiToUtf8(const CString& text)
{
    if (text.IsEmpty())
        return text;
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.GetString(), text.GetLength(), nullptr, 0);
    if (wide <= 0)
        return text;
    std::vector<wchar_t> buffer(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, text.GetString(), text.GetLength(), buffer.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return text;
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, &out[0], bytes, nullptr, nullptr);
    return CString(out.data(), bytes);
}

CString NetworkError(const char* step)
{
    CString text;
    text.Format("Internet Error in LookupArtOnInternet: %s failed (%lu)", step,
                static_cast<unsigned long>(GetLastError()));
    return text;
}

void RegisterWindowClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc);
    registered = true;
}

} // namespace

DeckWorker::DeckWorker(int deck, HWND mainWindow, DeckJobHost* host)
    : m_deck(deck), m_mainWindow(mainWindow), m_host(host)
{
    RegisterWindowClass();
    m_window = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (m_window) {
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DeckWorker::WindowProc));
    }
    m_counterEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_lookupEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_thread.AddHandler(m_counterEvent, &DeckWorker::CounterProc, this);
    m_thread.AddHandler(m_lookupEvent, &DeckWorker::LookupProc, this);
    m_thread.Start(THREAD_PRIORITY_BELOW_NORMAL);
}

DeckWorker::~DeckWorker()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stopping = true;
        // Closing the session makes a request that waits on the network
        // return at once.
        if (m_session)
            InternetCloseHandle(static_cast<HINTERNET>(m_session));
        m_session = nullptr;
    }
    m_thread.Stop();
    if (m_window) {
        MSG message;
        while (PeekMessageA(&message, m_window, WM_WORKER_HISTORY, WM_WORKER_HISTORY, PM_REMOVE))
            delete reinterpret_cast<TAG_INFO*>(message.lParam);
        DestroyWindow(m_window);
    }
    if (m_counterEvent)
        CloseHandle(m_counterEvent);
    if (m_lookupEvent)
        CloseHandle(m_lookupEvent);
}

void DeckWorker::SetSettings(const DeckJobSettings& settings)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_settings = settings;
}

void DeckWorker::SetService(const AlbumArtService& service)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_service = service;
    m_serviceSet = true;
}

void DeckWorker::SetRandomSource(int (*source)())
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_random = source;
}

bool DeckWorker::Idle() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_busy == 0;
}

bool DeckWorker::ArtFound() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_artFound;
}

CString DeckWorker::ArtFoundPath() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_artFound ? m_artPath : CString();
}

CString DeckWorker::ArtFile() const
{
    return GetProgramFolder() + DeckAlbumArtFileName(AlbumArtSetting("TempImageFile", "amazonimage.jpg"), m_deck);
}

CString DeckWorker::LastLookupError() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lastError;
}

bool DeckWorker::Current(unsigned generation) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return !m_stopping && generation == m_generation;
}

// --- the play counter ---------------------------------------------------------

void DeckWorker::StartPlayCounter(const TAG_INFO& replaced, const CString& newPath, const CString& newFileType)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_counters.push_back(CounterJob{replaced, newPath, newFileType});
        ++m_busy;
    }
    SetEvent(m_counterEvent);
}

void DeckWorker::CounterProc(void* data) { static_cast<DeckWorker*>(data)->RunCounters(); }

void DeckWorker::RunCounters()
{
    for (;;) {
        CounterJob job;
        DeckJobSettings settings;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_counters.empty())
                return;
            job = m_counters.front();
            m_counters.pop_front();
            settings = m_settings;
        }
        // The history belongs to the user-interface thread: the record goes
        // there, and that thread's window procedure adds it.
        if (!settings.noHistory && m_host && m_window) {
            TAG_INFO* copy = new TAG_INFO(job.replaced);
            std::lock_guard<std::mutex> guard(m_lock);
            if (PostMessageA(m_window, WM_WORKER_HISTORY, 0, reinterpret_cast<LPARAM>(copy)))
                ++m_busy;
            else
                delete copy;
        }
        if (settings.updatePlayCounter && job.newFileType.CompareNoCase("mp3") == 0 && m_host) {
            m_host->IncrementPlayCounter(job.newPath, settings.updatePlayCounterInLib);
            if (settings.logging)
                WriteLog("Play counter updated");
        }
        std::lock_guard<std::mutex> guard(m_lock);
        --m_busy;
    }
}

LRESULT CALLBACK DeckWorker::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WORKER_HISTORY) {
        DeckWorker* self = reinterpret_cast<DeckWorker*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        TAG_INFO* tags = reinterpret_cast<TAG_INFO*>(lParam);
        if (self && tags) {
            if (self->m_host)
                self->m_host->AddToHistory(*tags);
            std::lock_guard<std::mutex> guard(self->m_lock);
            --self->m_busy;
        }
        delete tags;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// --- the album-art lookup -----------------------------------------------------

bool DeckWorker::StartLookup(const CString& path, const TAG_INFO& tags, TAG_INFO* deckTags)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        // Whatever happens now, an earlier lookup of this deck is out of date.
        ++m_generation;
        m_deckTags = deckTags;
    }
    if (!m_host || !m_host->HasAlbumArtView(m_deck))
        return false;
    if (m_host->SetDeckTitle(m_deck, path))
        return false;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_settings.lookupArt)
            return false;
        if (!m_lookupWaiting)
            ++m_busy;
        m_lookupWaiting = true;
        m_lookup.path = path;
        m_lookup.artist = tags.Artist;
        m_lookup.album = tags.Album;
        m_lookup.generation = m_generation;
    }
    SetEvent(m_lookupEvent);
    return true;
}

void DeckWorker::LookupProc(void* data) { static_cast<DeckWorker*>(data)->RunLookup(); }

void DeckWorker::RunLookup()
{
    LookupJob job;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_lookupWaiting)
            return;
        job = m_lookup;
        m_lookupWaiting = false;
    }
    const CString file = ArtFile();
    DeleteFileA(file);
    AlbumArtItem chosen;
    CString error;
    bool found = false;
    if (Search(job, &chosen, &error) && Current(job.generation)) {
        found = DownloadAlbumArtImage(chosen.mediumImageUrl, file, &error);
        if (found)
            CopyFileA(file, GetAlbumArtImagePath(), FALSE);
    }
    Finish(job, found, error);
}

bool DeckWorker::Search(const LookupJob& job, AlbumArtItem* chosen, CString* error)
{
    AlbumArtService service;
    bool logging = false, useRandom = false;
    int (*random)() = nullptr;
    bool serviceSet = false;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        serviceSet = m_serviceSet;
        service = m_serviceSet ? m_service : DefaultAlbumArtService();
        logging = m_settings.logging;
        useRandom = m_settings.useRandomArt;
        random = m_random;
    }
    if (!serviceSet)
        service.host = AlbumArtSetting("AmazonWebsite", DefaultAlbumArtService().host);
    if (job.artist.IsEmpty()) {
        *error = "The track has no artist to search for";
        return false;
    }
    const CString address = AlbumArtRequestAddress(service, AnsiToUtf8(job.artist), time(nullptr));
    if (logging)
        WriteLog(address);

    InternetHandle session(InternetOpenA("Zorido Dezed Ezi", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr,
                                         INTERNET_FLAG_DONT_CACHE));
    if (!session.get()) {
        *error = NetworkError("InternetOpen");
        return false;
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_stopping)
            return false;
        m_session = session.get();
    }
    std::string reply;
    DWORD status = 0;
    bool sent = false;
    {
        InternetHandle connection(InternetConnectA(session.get(), service.host,
                                                   static_cast<INTERNET_PORT>(service.port), nullptr, nullptr,
                                                   INTERNET_SERVICE_HTTP, INTERNET_FLAG_NO_AUTO_REDIRECT, 1));
        InternetHandle request(connection.get()
                                   ? HttpOpenRequestA(connection.get(), "GET", AlbumArtObjectName(address),
                                                      nullptr, nullptr, nullptr, 0xA4400000u, 1)
                                   : nullptr);
        if (request.get()) {
            const int bodyLength = static_cast<int>(sizeof kRequestBody - 1);
            CString headers;
            headers.Format("Content-Type: text/xml; charset=utf-8\r\nContent-Length:%d", bodyLength);
            HttpAddRequestHeadersA(request.get(), headers, static_cast<DWORD>(-1), HTTP_ADDREQ_FLAG_ADD_IF_NEW);
            sent = HttpSendRequestA(request.get(), nullptr, 0, const_cast<char*>(kRequestBody),
                                    static_cast<DWORD>(bodyLength)) != FALSE;
            DWORD size = sizeof status;
            if (sent &&
                !HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                                nullptr))
                status = 0;
            if (sent && status == 200) {
                char buffer[8192];
                DWORD read = 0;
                while (InternetReadFile(request.get(), buffer, sizeof buffer, &read) && read > 0) {
                    if (reply.size() + read > kMaxReplyBytes)
                        break;
                    for (DWORD i = 0; i < read; ++i)
                        if (buffer[i] != '\r' && buffer[i] != '\n')
                            reply += buffer[i];
                }
            }
        }
        if (!request.get())
            *error = NetworkError(connection.get() ? "HttpOpenRequest" : "InternetConnect");
        else if (!sent)
            *error = NetworkError("HttpSendRequest");
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_session = nullptr;
    }
    if (!sent)
        return false;
    if (status != 200) {
        error->Format("Internet Error in LookupArtOnInternet: %lu", static_cast<unsigned long>(status));
        return false;
    }
    std::vector<AlbumArtItem> items;
    if (!ParseAlbumArtReply(reply.data(), reply.size(), items)) {
        *error = "The search reply is not a search result";
        return false;
    }
    const int r = random ? random() : rand();
    const int index = ChooseAlbumArt(items, job.artist, job.album, useRandom, r);
    if (index < 0) {
        error->Format("No cover among %d results", static_cast<int>(items.size()));
        return false;
    }
    *chosen = items[static_cast<size_t>(index)];
    return true;
}

void DeckWorker::Finish(const LookupJob& job, bool found, const CString& error)
{
    std::lock_guard<std::mutex> guard(m_lock);
    --m_busy;
    // A lookup whose track the deck no longer holds tells no one.
    if (m_stopping || job.generation != m_generation)
        return;
    m_artFound = found;
    m_artPath = found ? job.path : CString();
    m_lastError = found ? CString() : error;
    // A failed search is not worth a prompt (and a worker thread owns no
    // window to show one): it goes into the log.
    if (!found && m_settings.logging && !error.IsEmpty())
        WriteLog(error);
    if (m_mainWindow) {
        if (found)
            PostMessageA(m_mainWindow, WM_DECK_ART_FOUND, static_cast<WPARAM>(m_deck), 0);
        else
            // The main window takes lParam as a text it owns and frees
            // (the track's path, for the picture in the file itself).
            PostOwnedText(m_mainWindow, WM_DECK_ART_MISSING, static_cast<WPARAM>(m_deck), job.path);
    }
}
