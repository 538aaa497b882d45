// The main window created in the test's process: a program folder of its
// own with settings and a small skin, and fake parts that record every call
// in order and play a clock whose timers the test ticks itself.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "mainwindow/dialog/MainDialog.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/ProgramRun.h"   // InOrder

namespace tavrix_test {

class FakeParts : public MainWindowParts
{
public:
    std::vector<std::string> events;
    std::map<UINT, UINT> timers;          // running fake timers: id -> period
    HWND window = nullptr;                // the main window (for what the fakes look at)
    bool thumbList = false, videoOnSkin = false, trackListAndInfo = true, cpuMeter = true;
    bool visibleAtWizard = false;
    int64_t now = 0;
    int hour = 13, minute = 5;
    int cpuValue = 7;
    int juke_rows = 0, juke_state = 0;
    std::vector<UINT> menuChoices;        // what the fake menu answers, in turn
    std::string menuTitle;                // the last menu's title band text
    UINT menuFlags = 0;
    UINT menuStyle = 0;                   // the draw style when it opened
    std::vector<std::pair<UINT, std::string>> menuItems;   // its items (sub-menus flattened)
    std::string cpuInstance;

    void Add(const std::string& event) { events.push_back(event); }
    bool Has(const std::string& event) const;
    void Clear() { events.clear(); }

    bool CreateButtons() override { Add("CreateButtons"); return true; }
    bool CreateTextFields() override { Add("CreateTextFields"); return true; }
    bool CreateStatusFields() override { Add("CreateStatusFields"); return true; }
    bool CreateIndicatorLights() override { Add("CreateIndicatorLights"); return true; }
    bool CreateTrees() override { Add("CreateTrees"); return true; }
    bool CreateLists() override { Add("CreateLists"); return true; }
    bool CreateMiscControls() override { Add("CreateMiscControls"); return true; }
    void UpdateQueueCaption(int list) override { Add("UpdateQueueCaption " + std::to_string(list)); }
    bool RefreshPresetButtons() override { Add("RefreshPresetButtons"); return true; }
    bool InitDecks() override { Add("InitDecks"); return true; }
    bool CreateModeless(main_menus::ModelessWindow w) override;
    bool HasThumbList() override { return thumbList; }
    bool HasVideoOnSkin() override { return videoOnSkin; }
    bool HasTrackListAndInfo() override { return trackListAndInfo; }
    void SetVideoVolume(int volume) override { Add("SetVideoVolume " + std::to_string(volume)); }
    void SelectLibraryRoot() override { Add("SelectLibraryRoot"); }
    void LoadAutoMixSettings() override { Add("LoadAutoMixSettings"); }
    bool RunAddMusicWizard() override;
    void DisplayTreeSelection() override { Add("DisplayTreeSelection"); }
    void BuildLibraryTree() override { Add("BuildLibraryTree"); }
    void ShowThumbSelection(int view) override { Add("ShowThumbSelection " + std::to_string(view)); }
    void AutoLoadOnStart() override { Add("AutoLoadOnStart"); }
    bool LoadAutoMixQueue(const char* path) override { Add(std::string("LoadAutoMixQueue ") + path); return true; }
    void ToggleAutoMix() override { Add("ToggleAutoMix"); }
    void ToggleDeckSpectrum(int deck) override { Add("ToggleDeckSpectrum " + std::to_string(deck)); }

    void StartTimer(HWND, UINT id, UINT period) override;
    void StopTimer(HWND, UINT id) override;
    void MixerTimerTick(unsigned id) override { Add("MixerTimerTick " + std::to_string(id)); }
    bool SetTextField(const char* name, const char* text) override;
    bool HasCpuMeter() override { return cpuMeter; }
    void SetCpuMeter(int value) override { Add("SetCpuMeter " + std::to_string(value)); }
    int TotalCpuUsage() override { Add("TotalCpuUsage"); return 50; }
    int ProcessCpuUsage(const char* instance) override { cpuInstance = instance; return cpuValue; }
    int DArederoQueueRows() override { return juke_rows; }
    int DArederoState() override { return juke_state; }
    void PlayNextJukeboxTrack() override { Add("PlayNextJukeboxTrack"); }
    void JukeListSelect(bool next) override { Add(next ? "JukeListSelect next" : "JukeListSelect previous"); }
    void ThumbListScroll(bool right) override { Add(right ? "ThumbListScroll right" : "ThumbListScroll left"); }
    void ShowSelectedTrackInfo() override { Add("ShowSelectedTrackInfo"); }
    int64_t Now() override { return now; }
    void LocalTimeOfDay(int& h, int& m) override { h = hour; m = minute; }

    void OnSliderNotify(int id, LPARAM pos) override { Add("OnSliderNotify " + std::to_string(id) + " " + std::to_string(pos)); }
    void OnDeckTime(int deck, int s) override { Add("OnDeckTime " + std::to_string(deck) + " " + std::to_string(s)); }
    void SendDenonTime(int deck, int s) override { Add("SendDenonTime " + std::to_string(deck) + " " + std::to_string(s)); }
    void OnJogWheel(const ControllerMapItem* entry, int value) override;
    void OnArtFound(int deck) override { Add("OnArtFound " + std::to_string(deck)); }
    void OnShowDeckArt(int deck, const char* path) override { Add("OnShowDeckArt " + std::to_string(deck) + " " + path); }
    void ToggleControllerLight(int key) override { Add("ToggleControllerLight " + std::to_string(key)); }
    void FlashControllerLight(int key) override { Add("FlashControllerLight " + std::to_string(key)); }
    void OnControllerValue(int value, const ControllerMapItem& entry) override;
    void OnQueueScroll(int deck, int value, int low) override;
    void OnPitchNudgeReleased(int deck) override { Add("OnPitchNudgeReleased " + std::to_string(deck)); }
    void OnControllerWheel(int value, const ControllerMapItem& entry) override;
    void OnCommRequest(const char* bytes, size_t length) override;
    void OnTagArt(int deck, const char* path) override { Add("OnTagArt " + std::to_string(deck) + " " + path); }
    void OnControllerLightString(const ControllerMapItem& entry) override;
    void OnCommSocketEvent(int code, void* socket) override;

    void RunCommand(command_areas::CommandArea area, unsigned id) override;
    void DeleteSelectedQueueItems(int code) override { Add("DeleteSelectedQueueItems " + std::to_string(code)); }
    void DeletePlaylist() override { Add("DeletePlaylist"); }
    void FilterTrackList() override { Add("FilterTrackList"); }
    void OpenJukeListItem() override { Add("OpenJukeListItem"); }
    void ShowModeless(main_menus::ModelessWindow w) override;
    void RunMenuHandler(main_menus::MenuHandler h) override;
    UINT RunMenu(CNewMenu& popup, CWnd& owner, POINT at, UINT flags) override;
};

// The program folder, its settings and skin, and the main window with
// fake parts, laid out (timer 1 has run).
class MainWindowTest : public ::testing::Test
{
protected:
    ProgramFolderScope m_folder;
    FakeParts m_parts;
    MainDialog* m_dialog = nullptr;

    void TearDown() override;

    // Writes "TavrixVJ.INI" (the MAIN section gets the skin, the log and
    // mainExtra; extra follows) and the skin "Test".
    void WriteSettings(const std::string& mainExtra = "", const std::string& extra = "",
                       const std::string& skinExtra = "");
    // Creates the window with the fakes and waits until it is shown.
    void OpenMainWindow(bool fakes = true, const char* playlist = nullptr);
    std::vector<std::string> LogLines() const;
    std::string Setting(const char* section, const char* key) const;
    // Dispatches waiting messages until the fakes have seen the event.
    bool WaitForEvent(const std::string& event, unsigned long ms = 5000);
    // The events since the fakes were cleared, after the dispatch of every
    // message waiting now.
    std::vector<std::string> Drain();
};

} // namespace tavrix_test
