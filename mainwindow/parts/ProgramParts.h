// ProgramParts: the program's own MainWindowParts, the object MainApp hands
// to the main window before it runs. Each area of the main window (the
// builders of the window from the skin, the decks, the library views and
// queues, the mixer and AutoMix, the jukebox and sampler windows) keeps its
// state in an object of its own, held here, and the overrides pass the
// window's calls on to it. An area adds its object and its overrides as one
// block of its own below.
#pragma once

#include <memory>

#include "mainwindow/parts/MainWindowParts.h"

#include <memory>

class AudioWindows;
class LibraryViews;
class MainDialog;
class MainMasterMixer;
class QueueLists;
class ListContextMenus;
class MainDialog;
struct MainBuildArea;
class MainDialog;
class DeckArea;
class QueueDecks;
class MixerArea;

class ProgramParts : public MainWindowParts
{
public:
    explicit ProgramParts(MainDialog& dialog);
    ~ProgramParts() override;
    ProgramParts(const ProgramParts&) = delete;
    ProgramParts& operator=(const ProgramParts&) = delete;

    MainDialog& Dialog() const { return m_dialog; }

    // ---- Lists and queues (mainwindow/queues): the working lists of tracks,
    // their commands and loading from them into decks A and B. The decks
    // reach it through QueueLists::SetDecks (a QueueDecks over decks A and B).
    QueueLists& Queues() { return *m_queues; }
    void RunCommand(command_areas::CommandArea area, unsigned id) override;
    void DeleteSelectedQueueItems(int listCode) override;
    void OnQueueScroll(int deck, int value, int low) override;
    bool LoadAutoMixQueue(const char* path) override;
    bool OnListNotify(HWND list, UINT code) override;
    // The context menus of the track lists and the library tree.
    bool OnContextMenu(HWND window, POINT at) override;

private:
    MainDialog& m_dialog;
    std::unique_ptr<ListContextMenus> m_contextMenus;

    // ---- The master mixer (mainwindow/mastermixer): the dialog and the
    // main window's side of it, made on first use; the start-up's
    // modeless-window step calls CreateMasterMixerWindow.
public:
    MainMasterMixer& MasterMixer();

private:
    std::unique_ptr<MainMasterMixer> m_masterMixer;
    std::unique_ptr<QueueLists> m_queues;
    // ---- The players beside the decks (mainwindow/audiowindows): the
    // sound-effects sampler and audio jukebox windows, made hidden at
    // start-up, the dAredero player, and the main window's side of the
    // visualisation feedback module. The master mixer's start-up step is
    // its own area's, called from CreateModeless.
public:
    AudioWindows& Audio();
    bool CreateModeless(main_menus::ModelessWindow window) override;
    void ShowModeless(main_menus::ModelessWindow window) override;
    void CreateJukeboxPlayer() override;
    int DArederoState() override;

private:
    std::unique_ptr<AudioWindows> m_audioWindows;
    // ---- Building the window from the skin (mainwindow/build).
public:
    MainBuildArea& Build() { return *m_build; }
    bool CreateButtons() override;
    bool CreateTextFields() override;
    bool CreateStatusFields() override;
    bool CreateIndicatorLights() override;
    bool CreateTrees() override;
    bool CreateLists() override;
    bool CreateMiscControls() override;
    void UpdateQueueCaption(int list) override;
    void UpdateSearchListCaption() override;
    void UpdateRequestListCaption() override;
    bool IsListShown(int listType) override;
    bool HasThumbList() override;
    bool HasVideoOnSkin() override;
    bool HasTrackListAndInfo() override;
    bool SetTextField(const char* name, const char* text) override;
    bool HasCpuMeter() override;
    void SetCpuMeter(int value) override;
    HWND TrackListWindow() override;

private:
    std::unique_ptr<MainBuildArea> m_build;
    // ---- The library tree, views, search and filter (mainwindow/library).
public:
    // The library views, attached to the main window on first use.
    LibraryViews& Library();
    void BuildLibraryTree() override;
    void DisplayTreeSelection() override;
    void SelectLibraryRoot() override;
    void FilterTrackList() override;
    void FilterByTitle(const CString& text) override;
    void FilterOff() override;
    bool IsSearchBoxEdit(HWND hWnd) override;
    void ShowSelectedTrackInfo() override;
    bool RunLibraryDisplayJob() override;
    void UpdateLibraryStatusLine() override;
    int LibraryView() override;
    void LoadTracklistOrder() override;
    void SaveTracklistOrder() override;
    bool OnControlNotify(int id, NMHDR* header, LRESULT* result) override;
    CString GetSelectedPlaylistPath() override;
    // The library-view area's commands; false for other areas.
    bool RunLibraryCommand(command_areas::CommandArea area, unsigned id);

private:
    std::unique_ptr<LibraryViews> m_library;
    bool m_bLibraryAttached = false;
    // ---- The decks (mainwindow/decks): set-up, presets and cue points,
    // the deck commands, deck time and displays, reset and unload, the
    // deck sliders; made on first use. Other parts reach the decks through
    // Decks().Decks() (DeckSet: Get, LoadTrack) and the mixer model through
    // Decks().GetMixer().
public:
    DeckArea& Decks();
    bool RefreshPresetButtons() override;
    bool InitDecks() override;
    void ToggleDeckSpectrum(int deck) override;
    void OnDeckTime(int deck, int seconds) override;
    void OnPitchNudgeReleased(int deck) override;
    void OnShowDeckArt(int deck, const char* path) override;
    void OnJogWheel(const ControllerMapItem* entry, int value) override;
    void OnArtFound(int deck) override;
    void OnTagArt(int deck, const char* path) override;
    void StopDecks() override;
    void StoreDeckSettings(MainSettings& settings, bool deckExists[4]) override;
    void OnSliderNotify(int controlId, LPARAM position) override;
    // The deck, preset and unload areas' commands; false for another area.
    bool RunDeckAreaCommand(command_areas::CommandArea area, unsigned id);

    // What the feedback module asks of a deck (4001 playing).
    int DeckPlayerState(int deck) override;
    // The levels the feedback module measured, on its thread.
    void SetDeckVuLevels(int deck, int left, int right) override;

private:
    std::unique_ptr<DeckArea> m_decks;
    // Decks A and B as the lists load into them (made by InitDecks).
    std::unique_ptr<QueueDecks> m_queueDecks;
    // ---- The mixer and AutoMix (mainwindow/mixerarea): the commands of the
    // mixer, AutoMix and AutoMix-settings areas on the decks' mixer model
    // (Decks().GetMixer()) and the one AutoMix object, which loads from the
    // AutoMix queue into decks A and B; the ticks of the fades, glide,
    // AutoMix and random play. Made on first use.
public:
    MixerArea& MixerPart();
    void MixerTimerTick(unsigned id) override;
    void LoadAutoMixSettings() override;
    bool IsAutoMixRunning() override;
    void ToggleAutoMix() override;
    // Controller values and wheel movements (WM_USER+9507, +9514) on the
    // decks' value mapping (Decks().Input()).
    void OnControllerValue(int value, const ControllerMapItem& entry) override;
    void OnControllerWheel(int value, const ControllerMapItem& entry) override;
    // The mixer, AutoMix and AutoMix-settings areas' commands; false for
    // another area.
    bool RunMixerCommand(command_areas::CommandArea area, unsigned id);

private:
    std::unique_ptr<MixerArea> m_mixerArea;
};
