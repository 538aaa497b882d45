// How a deck takes a track: Deck::LoadTrack with its pre-process, whole-file
// waveform and memory decoder, and the hand-over to the deck's worker jobs.
#include "audio/deck/Deck.h"

#include <stdio.h>
#include <stdlib.h>

#include "audio/deck/DeckLogic.h"
#include "audio/deck/DeckPlayer.h"
#include "audio/loading/DeckLoadHost.h"
#include "audio/preprocess/DeckScan.h"
#include "audio/worker/DeckWorker.h"
#include "decoder/engine/decoder.h"
#include "decoder/modules/memory_input.h"
#include "decoder/player/control_messages.h"
#include "foundation/app/IniAccess.h"
#include "foundation/app/MessageTexts.h"
#include "foundation/app/ProgramLog.h"
#include "widgets/scope/ScopeCtrl.h"

namespace {

const char kMissingFile[] = "Unable to load file:\n\n%s\n\nCheck to see if the file was moved or deleted";
const char kWrongType[] = "Tavrix's main decks can only play MP3 or WAV files.";
const char kUrlNotOpened[] = "Unable to open Internet URL";
const char kUrlArtist[] = "Loaded via Internet URL";
// How long an Internet address may take to open (host lookup, connect and
// the reply's head, each bounded by the network input itself).
const DWORD kUrlOpenLimitMs = 60000;

bool FileExists(const CString& path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file type of a path: its last three characters.
CString TypeOf(const CString& path) { return path.GetLength() >= 3 ? path.Right(3) : path; }

bool IniFlag(const char* section, const char* key)
{
    return atoi(GetIniString(section, key)) != 0;
}

// The deck's progress bar moved by a scan: at most every 40 ms (a repaint
// for every frame would cost more than the decoding), and always at the end.
class ProgressThrottle
{
public:
    ProgressThrottle(DeckLoadHost* host, int deck) : m_host(host), m_deck(deck) {}
    void Move(int pos)
    {
        const DWORD now = GetTickCount();
        if (!m_host || (m_moved && now - m_last < 40))
            return;
        m_host->SetDeckProgressPos(m_deck, pos);
        m_last = now;
        m_moved = true;
    }

private:
    DeckLoadHost* m_host;
    int m_deck;
    DWORD m_last = 0;
    bool m_moved = false;
};

// The window's messages pumped while a scan runs: after a frame when 10 ms
// have passed since the last pump (asking the system for messages after
// each of a long track's 14,000 frames costs more than decoding them).
class MessagePump
{
public:
    explicit MessagePump(DeckLoadHost* host) : m_host(host) {}
    void Run()
    {
        const DWORD now = GetTickCount();
        if (!m_host || (m_pumped && now - m_last < 10))
            return;
        m_host->ProcessMessages();
        m_last = GetTickCount();
        m_pumped = true;
    }

private:
    DeckLoadHost* m_host;
    DWORD m_last = 0;
    bool m_pumped = false;
};

// The progress of a scan on the deck's progress bar, the window's messages
// pumped as it goes.
class ScanPump : public deckscan::ScanProgress
{
public:
    ScanPump(DeckLoadHost* host, int deck) : m_pump(host), m_progress(host, deck) {}
    void Frame(int count) override
    {
        m_pump.Run();
        m_progress.Move(count);
    }

private:
    MessagePump m_pump;
    ProgressThrottle m_progress;
};

// The waveform's columns into the deck's strip, with the progress bar and
// the message pump after every frame.
class StripSink : public deckscan::WaveSink
{
public:
    StripSink(DeckLoadHost* host, int deck, CScopeCtrl* strip) : m_pump(host), m_progress(host, deck), m_strip(strip) {}
    void Column(int index, int level) override
    {
        m_pump.Run();
        m_progress.Move(index);
        if (m_strip && m_strip->GetSafeHwnd())
            m_strip->AppendWaveColumn(level < 0 ? 0 : level);
    }

private:
    MessagePump m_pump;
    ProgressThrottle m_progress;
    CScopeCtrl* m_strip;
};

} // namespace

void Deck::SetLoadHost(DeckLoadHost* host)
{
    if (m_worker && (!host || host != m_loadHost)) {
        delete m_worker;
        m_worker = nullptr;
    }
    m_loadHost = host;
    if (host && !m_worker)
        m_worker = new DeckWorker(m_deck, m_host ? m_host->DeckWindow() : m_mainWindow, host);
    UpdateWorkerSettings();
}

void Deck::UpdateWorkerSettings()
{
    if (!m_worker)
        return;
    DeckJobSettings settings;
    settings.noHistory = m_noHistory;
    settings.lookupArt = m_lookupArt;
    settings.useRandomArt = m_useRandomArt;
    settings.updatePlayCounter = atoi(GetIniString("MAIN", "UpdatePlayCounter")) == 1;
    settings.updatePlayCounterInLib = IniFlag("MAIN", "UpdatePlayCounterInLib");
    settings.logging = m_host && m_host->DeckSettings().logging;
    m_worker->SetSettings(settings);
}

int Deck::LoadTrack(const CString& path)
{
    if (path.IsEmpty())
        return -1;
    if (!FileExists(path)) {
        CString text;
        text.Format(kMissingFile, path.GetString());
        ShowMessage(text);
        return -1;
    }
    const CString type = TypeOf(path);
    if (type.CompareNoCase("mp3") != 0 && type.CompareNoCase("wav") != 0) {
        ShowMessage(kWrongType);
        return -1;
    }
    // A load that arrives through the message pump of a running load's scan
    // waits for that load: the running loop keeps its decoder and buffer.
    if (m_loadRunning) {
        m_waitingPath = path;
        m_loadWaiting = true;
        return 1;
    }
    m_loadRunning = true;
    int result = LoadTrackNow(path);
    RunWaitingLoads(&result);
    m_loadRunning = false;
    return result;
}

bool Deck::RunWaitingLoads(int* result)
{
    bool ran = false;
    while (m_loadWaiting) {
        const CString next = m_waitingPath;
        m_loadWaiting = false;
        // Its caller has gone on: a failure is shown here.
        const int loaded = LoadTrackNow(next);
        if (loaded < 0 && FileExists(next))
            ShowMessageById(MSG_BADTRACK);
        if (result)
            *result = loaded;
        ran = true;
    }
    return ran;
}

int Deck::LoadTrackNow(const CString& path)
{
    const bool logging = m_host && m_host->DeckSettings().logging;
    const bool decode = m_host && m_host->DeckSettings().decode;
    if (!FileExists(path))
        return -1;
    if (m_player && m_player->GetState() == DECK_STATE_PAUSED) {
        m_player->Command(CM_STOP);
        m_player->Command(CM_OUTPUT_DRAIN);
    }
    ClearWaveStrip();
    // The replaced track's tags are copied before the new ones are read.
    if (m_loaded && m_worker) {
        UpdateWorkerSettings();
        m_worker->StartPlayCounter(m_tags, path, TypeOf(path));
    }
    TAG_INFO tags;
    if (!m_loadHost || !m_loadHost->GetTagInfo(path, &tags))
        return -1;
    if (tags.Path.IsEmpty())
        tags.Path = path;
    m_tags = tags;
    m_currentPath = path;
    if (logging) {
        CString text;
        text.Format("Deck %d loading track: %s", static_cast<int>(m_deck), path.GetString());
        WriteLog(text);
    }
    if (decode) {
        BuildWaveform();
        if (logging)
            WriteLog("Decode file");
        OpenMemoryDecoder();
    }
    m_foundStart = 0;
    if (m_preProcess && !decode) {
        const bool done = PreProcess(path);
        if (logging)
            WriteLog(done ? "Pre-Process completed" : "Pre-Process failed");
    }
    // Player mode 1: the direct-mode decoder takes the file. A file it
    // refuses is a failed load, not a loaded one.
    if (m_host && m_host->DeckSettings().playerMode == 1) {
        if (LoadDirect(m_currentPath, true))
            return 1;
        UnloadAfterFailedLoad();
        return -1;
    }
    // An open that never reached the player leaves nothing loaded: a deck
    // that looks loaded would play nothing when the DJ presses play.
    if (m_player->OpenInput(m_currentPath) < 0) {
        WriteLog("Track load problem - the player could not be asked to open the track");
        UnloadAfterFailedLoad();
        return -1;
    }
    if (logging)
        WriteLog("Input opened");
    if (deckscan::EndsInWav(m_currentPath))
        m_player->InputSendMessage(MEMORY_INPUT_CONTENT_TYPE, "audio/wave", 10);
    m_loaded = true;
    m_loopIn = m_loopOut = 0;
    m_loopOn = false;
    m_loadHost->SwitchOffLoopLights(m_deck);
    RefreshDisplay();
    m_loadHost->ApplyDeckVolume(m_deck);
    if (m_tags.Length < 1) {
        if (logging)
            WriteLog("Track load problem - MSG_BADTRACK");
        UnloadAfterFailedLoad();
        return -1;
    }
    if (m_host)
        m_host->InitDeckPositionBar(m_deck, m_tags.Length);
    m_loadHost->SetDeckPositionRange(m_deck, m_tags.Length);
    m_player->SetSeekRange(m_tags.Length);
    ClearCues();
    if (m_deck == 0 || m_deck == 1)
        m_loadHost->RefreshCuePoints(m_deck);
    m_paused = false;
    if (m_worker) {
        UpdateWorkerSettings();
        m_worker->StartLookup(m_currentPath, m_tags, &m_tags);
    }
    if (m_findStart)
        m_player->Seek(m_foundStart, m_tags.Length);
    return 1;
}

void Deck::ClearWaveStrip()
{
    if ((m_deck == 0 || m_deck == 1) && m_loadHost) {
        if (CScopeCtrl* strip = m_loadHost->DeckWaveStrip(m_deck))
            if (strip->GetSafeHwnd())
                strip->RebuildBackground();
    }
}

void Deck::UnloadAfterFailedLoad()
{
    CloseDirectDecoder();
    // A track too short to play leaves nothing behind: no input, no tags,
    // no in-memory image.
    m_player->Command(CM_STOP);
    m_player->Command(CM_INPUT_CLOSE);
    CloseMemoryDecoder();
    FreeMemoryFile();
    ClearTrackInfo();
    m_currentPath.Empty();
    m_loaded = false;
    RefreshDisplay();
}

// --- pre-process ------------------------------------------------------------

bool Deck::PreProcess(const CString& path)
{
    const bool logging = m_host && m_host->DeckSettings().logging;
    if (path.IsEmpty())
        return true;
    if (!FileExists(path)) {
        CString text;
        text.Format(kMissingFile, path.GetString());
        ShowMessage(text);
        return true;
    }
    deckscan::ScanSettings settings;
    settings.sampleTime = m_sampleTime;
    settings.checkBpm = m_checkBpm;
    settings.findStartLevel = m_findStartLevel;
    settings.wavScale = m_wavScaleValue;
    settings.channels = m_tags.Channels;
    settings.sampleRate = m_tags.SampleRate;
    if (m_loadHost) {
        m_loadHost->SetDeckProgressRange(m_deck, m_sampleTime > 0 ? m_sampleTime * deckscan::kFramesPerSecond : 0);
        m_loadHost->SetDeckProgressPos(m_deck, 0);
    }
    ScanPump pump(m_loadHost, m_deck);
    deckscan::ScanResult result;
    const deckscan::ScanStatus status = deckscan::ScanTrackStart(path, settings, &pump, &result);
    if (m_loadHost)
        m_loadHost->SetDeckProgressPos(m_deck, 0);
    switch (status) {
    case deckscan::ScanStatus::DecoderFailed:
        if (logging)
            WriteLog("ST: Decoder init failed");
        return false;
    case deckscan::ScanStatus::InputFailed:
        if (logging)
            WriteLog("ST: Decoder input init failed");
        return false;
    case deckscan::ScanStatus::NoStreamFacts:
        if (logging)
            WriteLog("BPMDetect failed in Pre-Process");
        return false;
    case deckscan::ScanStatus::Done:
        break;
    }
    m_foundStart = result.foundStart;
    if (m_checkBpm)
        m_tags.BPMText = deckscan::BpmText(result.bpm);
    if (m_agc)
        ApplyAutoGain(result.peak);
    return true;
}

void Deck::ApplyAutoGain(int peak)
{
    int gain = 0;
    // Without a target level the gain stays as it is.
    if (!deckscan::AutoGain(peak, m_agcLevel, &gain))
        return;
    if (m_loadHost)
        m_loadHost->SetDeckGainPercent(m_deck, gain);
}

// --- the whole file in memory ---------------------------------------------------

void Deck::CloseMemoryDecoder()
{
    if (m_memoryDecoder)
        decoder_delete(m_memoryDecoder);
    m_memoryDecoder = nullptr;
}

void Deck::FreeMemoryFile()
{
    free(m_memoryFile);
    m_memoryFile = nullptr;
    m_memoryFileSize = 0;
}

int Deck::BuildWaveform()
{
    CScopeCtrl* strip = m_loadHost && (m_deck == 0 || m_deck == 1) ? m_loadHost->DeckWaveStrip(m_deck) : nullptr;
    if (strip && !strip->GetSafeHwnd())
        strip = nullptr;
    const int width = deckscan::WaveStripWidth(m_tags.Length);
    if (strip)
        strip->CreateWaveStrip(width);
    // The memory decoder reads the old image: it goes with it.
    CloseMemoryDecoder();
    FreeMemoryFile();

    FILE* file = fopen(m_tags.Path.IsEmpty() ? m_currentPath.GetString() : m_tags.Path.GetString(), "rb");
    if (!file) {
        ShowMessage("Unable to open input file");
        return 0;
    }
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    fseek(file, 0, SEEK_SET);
    if (size > 0 && static_cast<unsigned long>(size) < 0x7FFFFFFFu) {
        CString text;
        text.Format("File Size: %d", static_cast<int>(size));
        if (m_loadHost)
            m_loadHost->SetDeckInfoText(text);
        m_memoryFile = static_cast<unsigned char*>(malloc(static_cast<size_t>(size)));
        if (m_memoryFile)
            m_memoryFileSize = static_cast<uint32_t>(fread(m_memoryFile, 1, static_cast<size_t>(size), file));
    }
    fclose(file);
    if (!m_memoryFile || m_memoryFileSize == 0) {
        FreeMemoryFile();
        return 0;
    }
    if (m_loadHost) {
        m_loadHost->SetDeckProgressRange(m_deck, width);
        m_loadHost->SetDeckProgressPos(m_deck, 0);
    }
    StripSink sink(m_loadHost, m_deck, strip);
    const int columns = deckscan::DecodeWaveColumns(m_memoryFile, m_memoryFileSize,
                                                    deckscan::EndsInWav(m_currentPath), m_wavScaleValue,
                                                    width > 0 ? width : -1, &sink);
    if (columns < 0)
        return 0;
    if (m_loadHost) {
        CString text;
        text.Format("LineCount: %d", columns);
        m_loadHost->SetDeckInfoText(text);
    }
    if (m_host)
        m_host->InitDeckPositionBar(m_deck, m_tags.Length);
    if (strip) {
        strip->CopyWaveStrip();
        strip->ShowWaveStripAt(0, 100);
        m_player->Command(CM_SET_POSITION_RANGE, strip->GetClientWidth());
    }
    return 0;
}

int Deck::OpenMemoryDecoder()
{
    CloseMemoryDecoder();
    if (!m_memoryFile || m_memoryFileSize == 0)
        return -1;
    decoder* dec = deckscan::NewDeckDecoder(true);
    if (!dec)
        return -1;
    // No output is opened: the deck's player plays the track, and the
    // memory decoder stands ready over the image without holding a device.
    const CString name = deckscan::MemoryInputName(m_memoryFile, m_memoryFileSize);
    const int status = decoder_input_new(dec, name, -1);
    if (status != 0) {
        CString text;
        text.Format("[ERROR] Cannot create input Status: %d", status);
        WriteLog(text);
        decoder_delete(dec);
        return -1;
    }
    if (deckscan::EndsInWav(m_currentPath))
        decoder_input_send_message(dec, MEMORY_INPUT_CONTENT_TYPE, "audio/wave", 10);
    if (decoder_input_open(dec) != 0) {
        WriteLog("[ERROR] Decoder input open broke");
        decoder_delete(dec);
        return -1;
    }
    m_memoryDecoder = dec;
    m_stopRequest = false;
    return 0;
}

// --- player mode 1: the direct-mode decoder ----------------------------------------

bool Deck::LoadTrackDirect(const CString& path)
{
    if (path.IsEmpty())
        return true;
    // A load asked for while one runs waits for it, as LoadTrack's do.
    if (m_loadRunning) {
        if (FileExists(path)) {
            m_waitingPath = path;
            m_loadWaiting = true;
        } else {
            CString text;
            text.Format(kMissingFile, path.GetString());
            ShowMessage(text);
        }
        return true;
    }
    m_loadRunning = true;
    const bool opened = LoadDirect(path, false);
    RunWaitingLoads(nullptr);
    m_loadRunning = false;
    return opened;
}

bool Deck::LoadDirect(const CString& path, bool fromLoadTrack)
{
    if (path.IsEmpty())
        return true;
    if (!fromLoadTrack && !FileExists(path)) {
        CString text;
        text.Format(kMissingFile, path.GetString());
        ShowMessage(text);
        return true;
    }
    bool tagsRead = true;
    // LoadTrack has cleared the strip, handed the replaced track to the
    // worker (history and play counter), read the tags and built the
    // waveform already.
    if (!fromLoadTrack) {
        ClearWaveStrip();
        if (m_loaded && !m_noHistory && m_loadHost)
            m_loadHost->AddToHistory(m_tags);
        TAG_INFO tags;
        tagsRead = m_loadHost && m_loadHost->GetTagInfo(path, &tags);
        if (tagsRead) {
            if (tags.Path.IsEmpty())
                tags.Path = path;
            m_tags = tags;
            m_currentPath = path;
            if (m_host && m_host->DeckSettings().decode)
                BuildWaveform();
        }
    }
    // Without tags nothing is opened: the deck keeps the track it has.
    if (tagsRead && !OpenDirectDecoder(m_currentPath)) {
        if (!fromLoadTrack)
            UnloadAfterFailedLoad();
        return false;
    }
    m_loaded = true;
    RefreshDisplay();
    if (m_loadHost)
        m_loadHost->ApplyDeckVolume(m_deck);
    if (m_host)
        m_host->InitDeckPositionBar(m_deck, m_tags.Length);
    if (m_loadHost)
        m_loadHost->SetDeckPositionRange(m_deck, m_tags.Length);
    m_player->SetSeekRange(m_tags.Length);
    if (m_loadHost && (m_deck == 0 || m_deck == 1))
        m_loadHost->RefreshCuePoints(m_deck);
    // A file whose tags could not be read was not loaded: no play counted.
    if (!fromLoadTrack && tagsRead && m_loadHost && atoi(GetIniString("MAIN", "UpdatePlayCounter")) == 1 &&
        m_tags.FileType.CompareNoCase("mp3") == 0)
        m_loadHost->IncrementPlayCounter(m_currentPath, true);
    return true;
}

bool Deck::OpenDirectDecoder(const CString& path)
{
    CloseDirectDecoder();
    decoder* dec = deckscan::NewDeckDecoder(false);
    if (!dec)
        return false;
    int status = decoder_input_new(dec, path, -1);
    if (status >= 0)
        status = decoder_input_open(dec);
    if (status < 0) {
        if (m_host && m_host->DeckSettings().logging) {
            CString text;
            text.Format("[ERROR] Direct decoder cannot open %s Status: %d", path.GetString(), status);
            WriteLog(text);
        }
        decoder_delete(dec);
        return false;
    }
    m_directDecoder = dec;
    return true;
}

void Deck::CloseDirectDecoder()
{
    if (m_directDecoder)
        decoder_delete(m_directDecoder);
    m_directDecoder = nullptr;
}

// --- an Internet stream ------------------------------------------------------------

bool Deck::WaitForInputOpen()
{
    const DWORD start = GetTickCount();
    while (!m_player->InputOpenAnswered()) {
        if (GetTickCount() - start >= kUrlOpenLimitMs)
            return false;
        if (m_loadHost)
            m_loadHost->ProcessMessages();
        if (m_player->InputOpenAnswered())
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool Deck::OpenInternetUrl()
{
    // Not while a load of this deck runs (its scan pumps the messages that
    // brought this command): the running loop keeps its buffer.
    if (m_loadRunning || !m_loadHost)
        return false;
    CString url;
    if (!m_loadHost->AskInternetUrl(&url) || url.IsEmpty())
        return false;
    m_loadRunning = true;
    // The player answers once the address is looked up, connected and its
    // reply's head read; until then the window's messages go on.
    m_player->OpenInput(url);
    bool opened = WaitForInputOpen() && m_player->GetInputOpen();
    if (!m_player->InputOpenAnswered()) {
        // Too slow: the open is closed behind it, so no stream starts later.
        m_player->Command(CM_INPUT_CLOSE);
    }
    if (opened) {
        // Nothing of the previous file stays with the stream.
        ClearWaveStrip();
        CloseDirectDecoder();
        CloseMemoryDecoder();
        FreeMemoryFile();
        ClearTagInfo(m_tags);
        m_tags.Path = url;
        const int slash = url.ReverseFind('/');
        m_tags.Title = slash < 0 ? url : url.Mid(slash + 1);
        m_tags.Artist = kUrlArtist;
        m_tags.Album.Empty();
        m_tags.BPMText = "000.00";
        m_tags.Bitrate = 0;
        m_currentPath = url;
        m_player->SetSeekRange(0);
        if (m_host && m_host->DeckSettings().logging) {
            CString text;
            text.Format("Deck %d opened Internet URL: %s", static_cast<int>(m_deck), url.GetString());
            WriteLog(text);
        }
        RefreshDisplay();
    } else {
        ShowMessage(kUrlNotOpened);
    }
    RunWaitingLoads(nullptr);
    m_loadRunning = false;
    return opened;
}
