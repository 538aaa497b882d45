// MainWindowParts: what the main window's start-up sequence, timers,
// private messages, commands, key rules and menus call in the parts of the
// program that other work brings: the builders of the window from the
// skin, the decks and their commands, the mixer, the lists and panes, the
// library dialogs, the controller feedback, the request server. Every
// member has a harmless default: a step that returns false did nothing
// (the main window then logs "Not yet part of the program: NAME"), a query
// answers "not there", a handler does nothing. Later work derives from
// this class and hands its object to MainDialog::SetParts; tests fill it
// with fakes. The list with its owners: docs/mainwindow.md.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "framework/core/CString.h"
#include "mainwindow/dispatch/CommandAreas.h"
#include "mainwindow/dispatch/MainMenus.h"

class CNewMenu;
class CWnd;
struct ControllerMapItem;
struct MainSettings;

class MainWindowParts
{
public:
    virtual ~MainWindowParts() = default;

    // ---- Start-up (timer 1). Steps answer true when they did their work.
    // The seven builders of the window from the skin.
    virtual bool CreateButtons() { return false; }
    virtual bool CreateTextFields() { return false; }
    virtual bool CreateStatusFields() { return false; }
    virtual bool CreateIndicatorLights() { return false; }
    virtual bool CreateTrees() { return false; }
    virtual bool CreateLists() { return false; }
    virtual bool CreateMiscControls() { return false; }
    // A queue's caption (1 deck A, 2 deck B, 4 AutoMix).
    virtual void UpdateQueueCaption(int list) { (void)list; }
    virtual bool RefreshPresetButtons() { return false; }
    virtual bool InitDecks() { return false; }
    // The modeless windows of the start-up: created, not shown.
    virtual bool CreateModeless(main_menus::ModelessWindow window) { (void)window; return false; }
    // The skin's thumbnail list, the video window on the skin, the main
    // track list with the track info strip: whether the builders made them.
    virtual bool HasThumbList() { return false; }
    virtual bool HasVideoOnSkin() { return false; }
    virtual bool HasTrackListAndInfo() { return false; }
    virtual void SetVideoVolume(int volume) { (void)volume; }
    // Selects the library tree's root item (its selection shows it).
    virtual void SelectLibraryRoot() {}
    virtual void LoadAutoMixSettings() {}
    // The add-music wizard of the library dialogs (true: it ran).
    virtual bool RunAddMusicWizard() { return false; }
    virtual void DisplayTreeSelection() {}
    virtual void BuildLibraryTree() {}
    virtual void CreateJukeboxPlayer() {}
    // Jukebox mode 2: page state reset, album and artist counts and arrays,
    // the first page of albums.
    virtual void ShowFirstJukeboxPage() {}
    // Jukebox mode without mode 2: the thumbnail and jukebox panes' views.
    virtual void SetJukeboxViews(int view) { (void)view; }
    virtual void ShowThumbSelection(int view) { (void)view; }
    virtual void SetDenonLights(bool on) { (void)on; }
    virtual void AutoLoadOnStart() {}
    // The command-line playlist read into the AutoMix queue (emptied first)
    // and shown there (true: read).
    virtual bool LoadAutoMixQueue(const char* path) { (void)path; return false; }
    virtual bool IsAutoMixRunning() { return false; }
    virtual void ToggleAutoMix() {}
    virtual void ToggleDeckSpectrum(int deck) { (void)deck; }
    // The search list's caption (its item count and time in its status field).
    virtual void UpdateSearchListCaption() {}
    // The info window: whether it exists and is shown, and the track it
    // shows (title, artist, album, genre, file path).
    virtual bool IsInfoWindowShown() { return false; }
    virtual void SetInfoTrackInfo(const char* title, const char* artist, const char* album,
                                  const char* genre, const char* path)
    {
        (void)title; (void)artist; (void)album; (void)genre; (void)path;
    }
    // The busy indicator while the library fills the main track list.
    virtual void SetBusyIndicator(bool on) { (void)on; }
    // Jukebox mode 2: the dAredero pages of artists (1) or albums (0),
    // shown from the first page.
    virtual void ShowJukeboxPage(int pageMode) { (void)pageMode; }
    // The main track list's column widths back to the shipped ones.
    virtual void ResetColumnWidths() {}
    // The library-display thread's job (true: it ran).
    virtual bool RunLibraryDisplayJob() { return false; }
    // The status line under the main track list, and the library view it
    // shows (0 none, 1 the whole library ... 11 recently added).
    virtual void UpdateLibraryStatusLine() {}
    virtual int LibraryView() { return 0; }
    // The main track list's column order: applied from MAIN/TracklistOrder
    // (by the list's builder) and written back (with the settings).
    virtual void LoadTracklistOrder() {}
    virtual void SaveTracklistOrder() {}
    // The exit sequence: the decks stop ("Decks shutdown"); then their
    // gains, live EQ values, monitor gains and EQ switches go into the
    // settings that SaveSettings writes, and deckExists tells which decks
    // the skin made (A and B always).
    virtual void StopDecks() {}
    virtual void StoreDeckSettings(MainSettings& settings, bool deckExists[4]) { (void)settings; (void)deckExists; }

    // ---- Timers.
    // The window's timers are started and stopped here (the default: the
    // system's timers); a test's fake clock records them and sends the
    // ticks itself.
    virtual void StartTimer(HWND hWnd, UINT id, UINT period) { ::SetTimer(hWnd, id, period, nullptr); }
    virtual void StopTimer(HWND hWnd, UINT id) { ::KillTimer(hWnd, id); }
    // The ticks of the fades, glide, AutoMix and random play.
    virtual void MixerTimerTick(unsigned id) { (void)id; }
    // A text field of the skin by name; false when the skin has none.
    virtual bool SetTextField(const char* name, const char* text) { (void)name; (void)text; return false; }
    virtual bool HasCpuMeter() { return false; }
    virtual void SetCpuMeter(int value) { (void)value; }
    // The CPU load in percent: the whole machine, and the process of that
    // performance instance name.
    virtual int TotalCpuUsage();
    virtual int ProcessCpuUsage(const char* instanceName);
    virtual int DArederoQueueRows() { return 0; }
    virtual int DArederoState() { return 0; }
    virtual void PlayNextJukeboxTrack() {}
    virtual void JukeListSelect(bool next) { (void)next; }
    virtual void ThumbListScroll(bool right) { (void)right; }
    // The selected track of the main track list into the info strip.
    virtual void ShowSelectedTrackInfo() {}
    // The dAredero pane's track list as its player walks it: whether it
    // shows an opened item's tracks, the selection one row down (-1: no row
    // below) and the selected row's path (empty: none).
    virtual bool JukeListShowsTracks() { return false; }
    virtual int JukeListStepDown() { return -1; }
    virtual CString JukeListSelectedPath() { return CString(); }
    // The time now, in seconds since 1970, and the local time of day.
    virtual int64_t Now();
    virtual void LocalTimeOfDay(int& hour, int& minute);

    // ---- Private messages.
    virtual void OnSliderNotify(int controlId, LPARAM position) { (void)controlId; (void)position; }
    virtual void OnDeckTime(int deck, int seconds) { (void)deck; (void)seconds; }
    virtual void SendDenonTime(int deck, int seconds) { (void)deck; (void)seconds; }
    virtual void OnJogWheel(const ControllerMapItem* entry, int value) { (void)entry; (void)value; }
    virtual void OnArtFound(int deck) { (void)deck; }
    virtual void OnShowDeckArt(int deck, const char* path) { (void)deck; (void)path; }
    virtual void ToggleControllerLight(int key) { (void)key; }
    virtual void FlashControllerLight(int key) { (void)key; }
    virtual void OnControllerValue(int value, const ControllerMapItem& entry) { (void)value; (void)entry; }
    virtual void OnQueueScroll(int deck, int value, int low) { (void)deck; (void)value; (void)low; }
    virtual void OnPitchNudgeReleased(int deck) { (void)deck; }
    virtual void OnControllerWheel(int value, const ControllerMapItem& entry) { (void)value; (void)entry; }
    virtual void OnCommRequest(const char* bytes, size_t length) { (void)bytes; (void)length; }
    virtual void OnTagArt(int deck, const char* path) { (void)deck; (void)path; }
    virtual void OnControllerLightString(const ControllerMapItem& entry) { (void)entry; }
    virtual void OnCommSocketEvent(int code, void* socket) { (void)code; (void)socket; }
    // What the visualisation feedback module asks of the decks, on a
    // player's feedback thread: the deck's player state (4001 playing),
    // whether the skin shows the deck's scope, and a value for that scope.
    virtual int DeckPlayerState(int deck) { (void)deck; return 0; }
    virtual bool IsDeckScopeShown(int deck) { (void)deck; return false; }
    virtual void AppendDeckScopeValue(int deck, int value) { (void)deck; (void)value; }
    // The deck's left and right levels (0 to 100), also on the feedback
    // thread: the decks keep them and show them on the window thread.
    virtual void SetDeckVuLevels(int deck, int left, int right) { (void)deck; (void)left; (void)right; }
    // A notification (WM_NOTIFY) from a control of the main window, by its
    // control id; true when taken (then result is the answer).
    virtual bool OnControlNotify(int id, NMHDR* header, LRESULT* result)
    {
        (void)id; (void)header; (void)result;
        return false;
    }

    // ---- Commands, keys and menus.
    // A command of an area whose handlers belong to other parts.
    virtual void RunCommand(command_areas::CommandArea area, unsigned id) { (void)area; (void)id; }
    // The edit of the library search box (the key rules let Space type there).
    virtual bool IsSearchBoxEdit(HWND hWnd) { (void)hWnd; return false; }
    virtual void DeleteSelectedQueueItems(int listCode) { (void)listCode; }
    virtual void DeletePlaylist() {}
    virtual void FilterTrackList() {}
    // The filter edit: a text fills the main track list with the tracks
    // whose title holds it; an empty one shows the whole library again.
    virtual void FilterByTitle(const CString& text) { (void)text; }
    virtual void FilterOff() {}
    virtual void OpenJukeListItem() {}
    // The main track list window (the focus after filtering), null when none.
    virtual HWND TrackListWindow() { return nullptr; }
    virtual void ShowModeless(main_menus::ModelessWindow window) { (void)window; }
    virtual void RunMenuHandler(main_menus::MenuHandler handler) { (void)handler; }
    // Opens the popup and answers the chosen item (0: none). The default
    // tracks it at the point with the flags (TPM_RETURNCMD among them).
    virtual UINT RunMenu(CNewMenu& popup, CWnd& owner, POINT at, UINT flags);
    // What the lists and queues call in the other parts: the captions and
    // status line beside UpdateQueueCaption, the builders' list-shown flags
    // (false until the builders ran), the floating list window (refilled
    // from the array of that list type when it shows it), the audio jukebox
    // window's queue, and the library tree's selected playlist or history
    // file and folder (empty: none selected).
    virtual void UpdateRequestListCaption() {}
    virtual bool IsListShown(int listType) { (void)listType; return false; }
    virtual void RefillPopupList(int listType) { (void)listType; }
    virtual void FillJukeboxQueue() {}
    virtual void UpdateJukeboxStatus() {}
    virtual bool IsJukeboxPlaying() { return false; }
    // AudioJukebox::OnNext, then AudioJukebox::OnPlayPause.
    virtual void PlayNextInJukebox() {}
    virtual CString GetSelectedPlaylistPath() { return CString(); }
    // The library tree's selected folder item (fromLibraryTree), else the
    // My Computer tree's selected path.
    virtual CString GetSelectedFolderPath(bool fromLibraryTree) { (void)fromLibraryTree; return CString(); }
    // WM_NOTIFY from a child the window's own map left alone (NM_CLICK,
    // NM_DBLCLK from the skinned lists); true when handled (result 0).
    virtual bool OnListNotify(HWND list, UINT code) { (void)list; (void)code; return false; }
    // WM_CONTEXTMENU: the context menu of the window the click or key was
    // in, at the screen point (-1, -1 from the keyboard); false when that
    // window has none.
    virtual bool OnContextMenu(HWND window, POINT at) { (void)window; (void)at; return false; }
};

// The object whose defaults apply while no other is set.
MainWindowParts& DefaultMainWindowParts();
