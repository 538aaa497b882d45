#include "mainwindow/settings/MainSettings.h"

#include "mainwindow/settings/SettingsFile.h"

const char* const MainSettings::kDeckSections[4] = {"DECKA", "DECKB", "DECKC", "DECKD"};

namespace {

const char kMain[] = "MAIN";

CString Joined(const CString& folder, const CString& name)
{
    return folder + "\\" + name;
}

} // namespace

void MainSettings::Load(const SettingsFile& f)
{
    // Folders and files.
    Library = f.GetString(kMain, "Library");
    HelpFolder = f.GetString(kMain, "HelpFolder");
    HistoryFolder = f.GetString(kMain, "HistoryFolder");
    PlaylistFolder = f.GetString(kMain, "PlaylistFolder");
    EffectsFolder = f.GetString(kMain, "EffectsFolder");
    SkinFolder = f.GetString(kMain, "SkinFolder");
    SkinXML = f.GetString(kMain, "SkinXML");
    SkinBMPPath = f.GetString(kMain, "SkinBMPPath");
    ShortcutsXML = f.GetString(kMain, "ShortcutsXML");
    skinFilePath = Joined(SkinFolder, SkinXML);
    skinBitmapFolder = Joined(SkinFolder, SkinBMPPath);

    // Interface flags.
    ShowSplash = f.GetBool(kMain, "ShowSplash");
    Tooltips = f.GetBool(kMain, "Tooltips");
    BalloonTips = f.GetBool(kMain, "BalloonTips");
    MenuStyle = f.GetInt(kMain, "MenuStyle");
    MenuTitle = f.GetInt(kMain, "MenuTitle");
    AskShutdown = f.GetBool(kMain, "AskShutdown");
    DeleteOnDrag = f.GetBool(kMain, "DeleteOnDrag");
    ShowAllFiles = f.GetBool(kMain, "ShowAllFiles");
    DisplayBadLinks = f.GetBool(kMain, "DisplayBadLinks");
    ShowPlayedSongIcon = f.GetBool(kMain, "ShowPlayedSongIcon");
    UseFilenameParsing = f.GetBool(kMain, "UseFilenameParsing");
    AutosaveAlbumArt = f.GetBool(kMain, "AutosaveAlbumArt");

    videoJukeboxEnable = f.GetBool("VIDEOJUKEBOX", "Enable");
    xfaderSpeed = f.GetInt("MIXER", "XFaderSpeed");
    autoFadeTimer = f.GetInt("MIXER", "AutoFadeTimer");

    // Fades and the play counter.
    FadeinSpeed = f.GetInt(kMain, "FadeinSpeed");
    FadeoutSpeed = f.GetInt(kMain, "FadeoutSpeed");
    UpdatePlayCounter = f.GetInt(kMain, "UpdatePlayCounter");
    UpdatePlayCounterInLib = f.GetBool(kMain, "UpdatePlayCounterInLib");
    SaveEQGain = f.GetBool(kMain, "SaveEQGain");
    AutoSaveATC = f.GetBool(kMain, "AutoSaveATC");
    AutoSaveHistory = f.GetBool(kMain, "AutoSaveHistory");

    for (int d = 0; d < 4; ++d) {
        DeckSettings& deck = decks[d];
        const char* s = kDeckSections[d];
        deck.EQOn = f.GetBool(s, "EQOn");
        deck.OutputDevice = f.GetInt(s, "OutputDevice");
        deck.MonitorDevice = f.GetInt(s, "MonitorDevice");
        deck.Gain = f.GetInt(s, "Gain");
        deck.EQLow = f.GetInt(s, "EQLow");
        deck.EQMid = f.GetInt(s, "EQMid");
        deck.EQHi = f.GetInt(s, "EQHi");
        deck.MonGain = f.GetInt(s, "MonGain");
        deck.liveLow = deck.EQLow;
        deck.liveMid = deck.EQMid;
        deck.liveHigh = deck.EQHi;
    }
    for (int d = 0; d < 2; ++d) {
        for (int p = 0; p < 4; ++p) {
            CString key;
            key.Format("Preset%d", p + 1);
            decks[d].Preset[p] = f.GetString(kDeckSections[d], key);
        }
    }

    // Player, controller and MIDI keys.
    AudioDeckPlayerMode = f.GetInt(kMain, "AudioDeckPlayerMode");
    TimeGran = f.GetInt(kMain, "TimeGran");
    FeedbackRate = f.GetInt(kMain, "FeedbackRate");
    EQKillAmount = f.GetInt(kMain, "EQKillAmount");
    PitchBendAmount = f.GetInt(kMain, "PitchBendAmount");
    RandomLoadTime = f.GetInt(kMain, "RandomLoadTime");
    Decode = f.GetBool(kMain, "Decode");
    BufferFile = f.GetBool(kMain, "BufferFile");
    PauseOnSeek = f.GetBool(kMain, "PauseOnSeek");
    AutoRepeatSpeed = f.GetInt(kMain, "AutoRepeatSpeed");
    UseFXFilter = f.GetBool(kMain, "UseFXFilter");
    UseController = f.GetBool(kMain, "UseController");
    Controller = f.GetString(kMain, "Controller");
    MIDIInDevice = f.GetInt(kMain, "MIDIInDevice");
    MIDIOutDevice = static_cast<uint8_t>(f.GetInt(kMain, "MIDIOutDevice"));
    Denon4500UseDisplay = f.GetBool(kMain, "Denon4500UseDisplay");
    CommServer = f.GetBool(kMain, "CommServer");
    CommPort = f.GetInt(kMain, "CommPort");
    CommTCP = f.GetInt(kMain, "CommTCP");
    CommShowCmds = f.GetBool(kMain, "CommShowCmds");

    // The rest of MAIN.
    Logging = f.GetBool(kMain, "Logging");
    ListsUseQuickSort = f.GetInt(kMain, "ListsUseQuickSort", 1);
    ShowNetwork = f.GetBool(kMain, "ShowNetwork");
    UseV5Lib = f.GetInt(kMain, "UseV5Lib");
    AskHistoryName = f.GetInt(kMain, "AskHistoryName");
    SaveHistoryBackwards = f.GetInt(kMain, "SaveHistoryBackwards");
    MonoOutput = f.GetInt(kMain, "MonoOutput");
    PreProcess = f.GetInt(kMain, "PreProcess");
    CheckBPM = f.GetInt(kMain, "CheckBPM");
    FindStart = f.GetInt(kMain, "FindStart");
    AGC = f.GetInt(kMain, "AGC");
    SampleTime = f.GetInt(kMain, "SampleTime");
    FindStartLevel = f.GetInt(kMain, "FindStartLevel");
    AGCLevel = f.GetInt(kMain, "AGCLevel");
    Denon4500OutChanLeft = f.GetString(kMain, "Denon4500OutChanLeft");
    Denon4500OutChanRight = f.GetString(kMain, "Denon4500OutChanRight");

    autoMixUseFade = f.GetBool("MIXER", "AutoMixUseFade");
    useTrackLoadThreading = f.GetBool("MIXER", "UseTrackLoadThreading");
    cdSaveInfo = f.GetBool("CDPLAYER", "SaveInfo");

    // Worker-thread switches, the text output source and the library views.
    UseEnumerateFolderThread = f.GetBool(kMain, "UseEnumerateFolderThread");
    UseDisplayTracksThread = f.GetBool(kMain, "UseDisplayTracksThread");
    TextOutDSI = f.GetInt(kMain, "TextOutDSI");
    textOutFollowsDecks = TextOutDSI > 1;
    MCInLib = f.GetBool(kMain, "MCInLib");
    MostPlayedNum = f.GetInt(kMain, "MostPlayedNum");
    RecentAddedNum = f.GetInt(kMain, "RecentAddedNum");
}

void StartupSettings::Load(const SettingsFile& f)
{
    NewInstall = f.GetInt(kMain, "NewInstall", 1);
    HideWindowsStuff = f.GetInt(kMain, "HideWindowsStuff", 1);
    ShowSkinOnStart = f.GetInt(kMain, "ShowSkinOnStart", 1);
}
