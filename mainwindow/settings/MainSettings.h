// MainSettings: the main window's settings as MainDialog::LoadSettings reads
// them from "TavrixVJ.INI" once, when the main window is built. Named by
// their keys; missing keys read 0, off or "" (ListsUseQuickSort and the
// three start-up keys of the application object read 1).
#pragma once

#include <cstdint>

#include "framework/core/CString.h"

class SettingsFile;

// One deck's section (DECKA to DECKD).
struct DeckSettings
{
    bool EQOn = false;
    int OutputDevice = 0;
    int MonitorDevice = 0;
    int Gain = 0;
    int EQLow = 0;
    int EQMid = 0;
    int EQHi = 0;
    int MonGain = 0;
    // The live EQ values: start as the stored ones, changed by the EQ
    // controls, written back at exit.
    int liveLow = 0;
    int liveMid = 0;
    int liveHigh = 0;
    // Presets (decks A and B only).
    CString Preset[4];
};

struct MainSettings
{
    // Folders and files.
    CString Library, HelpFolder, HistoryFolder, PlaylistFolder, EffectsFolder, SkinFolder, SkinXML,
        SkinBMPPath, ShortcutsXML;
    // Derived: SkinFolder\SkinXML and SkinFolder\SkinBMPPath.
    CString skinFilePath;
    CString skinBitmapFolder;

    // Interface and lists.
    bool ShowSplash = false, Tooltips = false, BalloonTips = false;
    int MenuStyle = 0, MenuTitle = 0;
    bool AskShutdown = false, DeleteOnDrag = false, ShowAllFiles = false, DisplayBadLinks = false,
         ShowPlayedSongIcon = false, MCInLib = false;
    int MostPlayedNum = 0, RecentAddedNum = 0;
    bool UseFilenameParsing = false, UseEnumerateFolderThread = false, UseDisplayTracksThread = false,
         AutosaveAlbumArt = false;

    // Playback.
    int FadeinSpeed = 0, FadeoutSpeed = 0, UpdatePlayCounter = 0;
    bool UpdatePlayCounterInLib = false, SaveEQGain = false, AutoSaveATC = false, AutoSaveHistory = false;
    int AudioDeckPlayerMode = 0, TimeGran = 0, FeedbackRate = 0, EQKillAmount = 0, PitchBendAmount = 0,
        RandomLoadTime = 0;
    bool Decode = false, BufferFile = false, PauseOnSeek = false;
    int AutoRepeatSpeed = 0;
    bool UseFXFilter = false;
    int TextOutDSI = 0;
    bool textOutFollowsDecks = false;   // TextOutDSI > 1

    // Control.
    bool UseController = false;
    CString Controller;
    int MIDIInDevice = 0;
    uint8_t MIDIOutDevice = 0;   // kept in 8 bits
    bool Denon4500UseDisplay = false, CommServer = false;
    int CommPort = 0, CommTCP = 0;
    bool CommShowCmds = false;

    // The rest of MAIN that the main window keeps.
    bool Logging = false, ShowNetwork = false;
    int ListsUseQuickSort = 1, UseV5Lib = 0, AskHistoryName = 0, SaveHistoryBackwards = 0, MonoOutput = 0;
    int PreProcess = 0, CheckBPM = 0, FindStart = 0, AGC = 0, SampleTime = 0, FindStartLevel = 0,
        AGCLevel = 0;
    CString Denon4500OutChanLeft, Denon4500OutChanRight;

    // Other sections.
    bool videoJukeboxEnable = false;                   // VIDEOJUKEBOX Enable
    int xfaderSpeed = 0, autoFadeTimer = 0;            // MIXER XFaderSpeed, AutoFadeTimer
    bool autoMixUseFade = false;                       // MIXER AutoMixUseFade
    bool useTrackLoadThreading = false;                // MIXER UseTrackLoadThreading
    bool cdSaveInfo = false;                           // CDPLAYER SaveInfo
    DeckSettings decks[4];

    // Reads every value above from the file, in the main window's order.
    void Load(const SettingsFile& file);

    // The sections of the decks: "DECKA" to "DECKD".
    static const char* const kDeckSections[4];
};

// The application object's reads (MAIN NewInstall, HideWindowsStuff,
// ShowSkinOnStart), default 1 each.
struct StartupSettings
{
    int NewInstall = 1;
    int HideWindowsStuff = 1;
    int ShowSkinOnStart = 1;

    void Load(const SettingsFile& file);
};
