// AudioWindows: the main window's side of its players beside the decks.
// It owns the sound-effect list, the sound-effects sampler window and the
// audio jukebox window (both modeless, created hidden at start-up) and the
// dAredero player, and serves them as the main window: the sampler's
// SoundEffectsHost, the jukebox's AudioJukeboxHost (the queue 4010 and its
// operations), the dAredero player's DArederoHost (the pane's texts, times,
// position bar and track list) and the visualisation feedback module's
// FeedbackMainWindow (deck meters, levels, scopes, spectrum colours).
// ProgramParts holds one and passes the main window's calls on to it.
#pragma once

#include <atomic>
#include <memory>

#include "audio/daredero/DArederoPlayer.h"
#include "audio/feedback/VisualFeedback.h"
#include "audio/jukebox/AudioJukebox.h"
#include "audio/sampler/SoundEffects.h"
#include "mainwindow/dispatch/CommandAreas.h"
#include "mainwindow/dispatch/MainMenus.h"

class MainDialog;

class AudioWindows : public SoundEffectsHost,
                     public AudioJukeboxHost,
                     public DArederoHost,
                     public FeedbackMainWindow
{
public:
    // Construction
    explicit AudioWindows(MainDialog& dialog);
    ~AudioWindows() override;
    AudioWindows(const AudioWindows&) = delete;
    AudioWindows& operator=(const AudioWindows&) = delete;

    // Operations
    // Creates the sampler or the jukebox window, hidden (once); false for
    // the other windows and when the window could not be made.
    bool CreateModeless(main_menus::ModelessWindow window);
    // Shows the sampler or the jukebox window; false for the other windows.
    bool ShowModeless(main_menus::ModelessWindow window);
    // Shows the window when hidden, hides it when shown ("vieweffects",
    // "viewjukebox"); false when it was never created.
    bool ToggleModeless(main_menus::ModelessWindow window);
    // The dAredero player: MAIN/FeedbackRate, AUDIOJUKEBOX OutputDevice and
    // Volume, and the pane's spectrum view when the skin has one.
    void CreateJukeboxPlayer();
    // The sampler's and the jukebox's commands: "fx-1".."fx-20",
    // "fx-play", "fx-stop", "jb-playpause", "jb-play", "jb-stop",
    // "jb-next"; false for any other command.
    bool RunCommand(command_areas::CommandArea area, unsigned id);
    // The main window registers under its window handle with the feedback
    // module (once it has its window).
    void RegisterFeedbackWindow();

    // Attributes
    SoundEffects* GetSoundEffects() const { return m_soundEffects.get(); }
    AudioJukebox* GetAudioJukebox() const { return m_jukebox.get(); }
    DArederoPlayer* GetDArederoPlayer() const { return m_dArederoPlayer.get(); }
    int DeckLevel(int deck) const;

    // SoundEffectsHost
    SoundEffectList& Effects() override { return m_effects; }
    CString EffectsFolder() override;
    CString MenuText(const char* key) override;
    bool GetTagInfo(const CString& path, TAG_INFO* tags) override;
    CString LibraryVersion() override;
    CString SecondsText(int seconds) override;

    // AudioJukeboxHost
    CArray<CTrackRecord, CTrackRecord&>& JukeboxQueue() override;
    int UpdatePlayCounterSetting() override;
    void RunQueueOperation(JukeboxQueueOperation operation, TXVTrackList& list) override;

    // DArederoHost
    void UpdateJukeboxTimes(int elapsed) override;
    void SetJukeboxPosition(int seconds) override;
    void SetJukeboxTrackTexts(const char* text) override;
    void RedrawJukeboxView() override;
    void SetDeckTitle(int deck, const CString& path) override;
    void SetJukeboxPositionRange(int length) override;
    bool JukeboxListShowsTracks() const override;
    int StepSelectionDown() override;
    CString GetSelectedPath() const override;
    HWND MainWindowHandle() const override;

    // FeedbackMainWindow (a player's feedback thread)
    HWND FeedbackWindowHandle() const override { return MainWindowHandle(); }
    bool IsDeckPlaying(int deck) const override;
    void SetDeckLevel(int deck, int level) override;
    void SetDeckVuLevels(int deck, int left, int right) override;
    bool IsDeckScopeShown(int deck) const override;
    bool DecodesInMemory() const override;
    void AppendDeckScopeValue(int deck, int value) override;
    void GetSpectrumColours(uint32_t* bar, uint32_t* peak) const override;

private:
    CWnd* Window(main_menus::ModelessWindow window) const;
    // Asks for a playlist name and writes the list's rows into it.
    void SaveQueueAsPlaylist(TXVTrackList& list);

    // Data
    MainDialog& m_dialog;
    SoundEffectList m_effects;
    std::unique_ptr<SoundEffects> m_soundEffects;
    std::unique_ptr<AudioJukebox> m_jukebox;
    std::unique_ptr<DArederoPlayer> m_dArederoPlayer;
    std::atomic<int> m_deckLevels[4] = {{0}, {0}, {0}, {0}};
    int32_t m_feedbackKey = 0;
};
