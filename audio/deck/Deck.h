// Deck: one of the four playing positions (0 to 3 for decks A to D). It owns
// the deck's player, through which every transport command reaches the
// decoder engine, and keeps what the main window needs to know of the deck:
// the loaded track's tags, the loop and cue points, the pre-process
// settings, the mute, pause and equalizer flags. Every operation runs on the
// user-interface thread.
#pragma once

#include <stdint.h>

#include <windows.h>

#include "audio/deck/DeckHost.h"
#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "library/api/TagInfo.h"

class CComboBox;
class DeckLoadHost;
class DeckPlayer;
class DeckWorker;
struct decoder;

// Where a deck reads the number of mixer devices (mixerGetNumDevs unless
// replaced); returns the previous source.
typedef UINT (*DeckMixerCountSource)();
DeckMixerCountSource DeckSetMixerCountSource(DeckMixerCountSource source);

class Deck : public CObject
{
public:
    // Construction: reads the deck's settings from "TavrixVJ.INI"; the host
    // is the main window.
    explicit Deck(DeckHost* host);
    // Deletes the player: its server and feedback threads have ended when
    // this returns.
    ~Deck() override;
    Deck(const Deck&) = delete;
    Deck& operator=(const Deck&) = delete;

    // Creates and sets up the deck's player; always true.
    bool Init(HWND mainWindow, int deck);

    // Transport
    void Play();
    void Pause();
    void Stop();
    void SeekToStart();
    int SeekTo(int seconds);
    void SeekForward(int seconds);
    void SeekBackward(int seconds);
    void ToggleMute();
    // Pitch in thousandths of the normal speed (1000: unchanged).
    void SetPitch(int value);
    int SetFeedbackRate(int perSecond);
    int SetTimecodeGranularity(int hundredths);

    // Levels, equalizer and output routing
    int SetMainsVolume(int volume);
    int SetMonitorVolume(int volume);
    int GetMonitorVolume() const;
    int SetEqualizer(int low, int mid, int high);
    int EqualizerOff();
    void SetEqualizerFlag(bool on) { m_equalizerOn = on; }
    bool IsEqualizerOn() const { return m_equalizerOn; }
    void RouteToMains();
    void RouteToMonitor();
    bool IsOnMonitor() const;
    void SetMainsDevice(int index);
    void SetMonitorDevice(int index);
    int GetMainsDevice() const;
    int GetMonitorDevice() const;
    bool MainsEqualsMonitor() const;
    void FillMainsDeviceCombo(CComboBox* combo) const;
    void FillMonitorDeviceCombo(CComboBox* combo) const;

    // State and display
    int GetState() const;
    int GetPosition() const;
    bool IsMuted() const { return m_muted; }
    bool IsPaused() const { return m_paused; }
    void SetLoopIn();
    void SetLoopOut();
    // Loop on or off; false (with a message) when loop-in is not before
    // loop-out.
    bool ToggleLoop();
    bool IsLoopOn() const { return m_loopOn; }
    int32_t GetLoopIn() const { return m_loopIn; }
    int32_t GetLoopOut() const { return m_loopOut; }
    void RefreshDisplay();
    void ClearTrackInfo();
    static void ClearTagInfo(TAG_INFO& tags);
    // Unloads the deck; returns 0.
    int Reset();
    void LoadPreProcessSettings();

    // Track loading (audio/loading): 1 when the track is loaded, -1 when
    // not. A load asked for while one runs (from the message pump of its
    // scan or waveform) waits until that load returns and then runs.
    int LoadTrack(const CString& path);
    // The pre-process of the first seconds (tempo, start point, gain).
    bool PreProcess(const CString& path);
    void ApplyAutoGain(int peak);
    // The whole file into memory, its waveform into the strip; 0.
    int BuildWaveform();
    // The decoder over the in-memory file; 0, or -1 when it cannot open.
    int OpenMemoryDecoder();
    // The load of player mode 1 (MAIN/AudioDeckPlayerMode 1): the file is
    // opened on the deck's direct-mode decoder instead of the player.
    // False only when that decoder refuses the file; true otherwise, also
    // after a message.
    bool LoadTrackDirect(const CString& path);
    // Asks for an address (DeckLoadHost::AskInternetUrl) and opens it in the
    // player through the network input; true when a stream was opened.
    bool OpenInternetUrl();
    // The main window's loading services; the worker jobs start with it.
    void SetLoadHost(DeckLoadHost* host);
    DeckWorker* GetWorker() const { return m_worker; }
    int32_t GetFoundStart() const { return m_foundStart; }
    bool IsLoadRunning() const { return m_loadRunning; }
    const unsigned char* GetMemoryFile() const { return m_memoryFile; }
    uint32_t GetMemoryFileSize() const { return m_memoryFileSize; }
    bool HasMemoryDecoder() const { return m_memoryDecoder != nullptr; }
    // The direct-mode decoder of player mode 1 (null: none open).
    decoder* GetDirectDecoder() const { return m_directDecoder; }

    // Cue points (whole seconds)
    void SetCue(int cue, int32_t seconds);
    bool IsCueSet(int cue) const;
    int32_t GetCue(int cue) const;
    void ClearCues();

    // Attributes
    int GetIndex() const { return m_deck; }
    DeckPlayer* GetPlayer() const { return m_player; }
    TAG_INFO& GetTagInfo() { return m_tags; }
    const TAG_INFO& GetTagInfo() const { return m_tags; }
    int GetPlayerMode() const { return m_playerMode; }
    bool GetNoHistory() const { return m_noHistory; }
    bool StopRequested() const { return m_stopRequest; }
    int GetWavScaleValue() const { return m_wavScaleValue; }
    bool IsLoaded() const { return m_loaded; }
    const CString& GetCurrentPath() const { return m_currentPath; }
    // The pre-process settings as last read (LoadPreProcessSettings).
    bool IsPreProcessOn() const { return m_preProcess; }
    int GetSampleTime() const { return m_sampleTime; }
    bool IsFindStartOn() const { return m_findStart; }
    int GetFindStartLevel() const { return m_findStartLevel; }
    bool IsCheckBpmOn() const { return m_checkBpm; }

protected:
    // Overridables
    // The deck's player; tests give one that records its commands.
    virtual DeckPlayer* CreatePlayer(HINSTANCE instance);

private:
    // Track loading (audio/loading)
    int LoadTrackNow(const CString& path);
    void UnloadAfterFailedLoad();
    // Runs the loads that arrived while one ran; the last one's result.
    bool RunWaitingLoads(int* result);
    bool LoadDirect(const CString& path, bool fromLoadTrack);
    bool OpenDirectDecoder(const CString& path);
    void CloseDirectDecoder();
    void ClearWaveStrip();
    bool WaitForInputOpen();
    void CloseMemoryDecoder();
    void FreeMemoryFile();
    void UpdateWorkerSettings();

    void SetLoopLight(bool on);
    int TrackLength() const { return m_tags.Length; }

    // Data
    bool m_lookupArt = false;
    bool m_useRandomArt = false;
    bool m_noHistory = false;
    DeckHost* m_host = nullptr;
    DeckPlayer* m_player = nullptr;
    bool m_stopRequest = false;
    HWND m_mainWindow = nullptr;
    int32_t m_deck = 0;
    int32_t m_playerMode = 0;
    bool m_paused = false;
    bool m_muted = false;
    bool m_equalizerOn = false;
    bool m_cueSet[2] = {false, false};
    int32_t m_cue[2] = {0, 0};
    // pre-process settings and result
    bool m_preProcess = false;
    int32_t m_sampleTime = 0;
    bool m_checkBpm = false;
    bool m_findStart = false;
    int32_t m_findStartLevel = 0;
    int32_t m_foundStart = 0;
    bool m_agc = false;
    int32_t m_agcLevel = 0;
    // loop
    int32_t m_loopIn = 0;
    int32_t m_loopOut = 0;
    bool m_loopOn = false;
    int32_t m_wavScaleValue = 400;
    bool m_artFound = false;
    TAG_INFO m_tags;
    bool m_loaded = false;
    CString m_currentPath;

    // track loading (audio/loading)
    DeckLoadHost* m_loadHost = nullptr;
    DeckWorker* m_worker = nullptr;
    bool m_loadRunning = false;
    bool m_loadWaiting = false;
    CString m_waitingPath;
    unsigned char* m_memoryFile = nullptr;
    uint32_t m_memoryFileSize = 0;
    decoder* m_memoryDecoder = nullptr;
    decoder* m_directDecoder = nullptr;
};
