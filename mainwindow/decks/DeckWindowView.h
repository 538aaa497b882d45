// DeckWindowView: the deck commands' view (DeckView) over the controls the
// skin placed on the main window, each found by its window id (a button's
// command id, the negative control id of a named control): lights, text
// and status fields, sliders, knobs, position bars, level meters, peak
// views, album-art views and button tips; the library's texts and cue
// points (VIZU), the presets (TavrixVJ.INI), the FX filter's modes, the
// open-file dialog, the configuration dialog and the notices.
#pragma once

#include <windows.h>

#include <functional>
#include <map>

#include "framework/ui/CWnd.h"

#include "mainwindow/decks/DeckSeams.h"

struct SkinMeterSet;

class DeckWindowView : public DeckView
{
public:
    // meters: the main window's meter displays (null: bars only).
    DeckWindowView(HWND mainWindow, SkinMeterSet* meters);

    // The configuration dialog on a page (the settings dialogs' part);
    // without one the command does nothing.
    void SetConfigDialog(std::function<void(int page)> show) { m_showConfig = std::move(show); }
    // The extended track properties and cue-naming dialogs (the settings
    // dialogs' part); without them the request is written to the log.
    void SetTrackDialogs(std::function<void(const CString& path, int length, int deck)> properties,
                         std::function<void(const CString& path, int seconds, int cue)> cueNaming)
    {
        m_trackProperties = std::move(properties);
        m_cueNaming = std::move(cueNaming);
    }
    // A line of the program log.
    void SetLog(std::function<void(const CString&)> log) { m_log = std::move(log); }

    // The window of a named control, null when the skin placed none. The
    // main window's controls are listed once (the deck displays look up
    // their controls many times a second); ForgetControls lists them again
    // at the next look-up, for controls made after the first.
    HWND ControlWindow(const char* name) const;
    void ForgetControls();
    // The seek slider's range (0 to the track's length).
    void SetSeekRange(int deck, int length);

    // MixView
    void ShowCrossfader(int x) override;
    void ShowGainSlider(int deck, int position) override;
    void ShowEqControls(int deck, const int* knobPositions, const int* sliderPositions) override;
    void SetLight(const char* name, bool on) override;
    void SetText(const char* name, const CString& text) override;
    bool HasControl(const char* name) const override;
    void ShowMessage(const CString& text) override;
    void ShowNotice(int id) override;
    void WriteLog(const CString& text) override;

    // DeckView
    void ShowPitchSlider(int deck, int position) override;
    bool HasEqKnobs(int deck) const override;
    void SetPositionRange(int deck, int length) override;
    void ShowPosition(int deck, int seconds) override;
    void ShowSeekSlider(int deck, int seconds) override;
    void ShowJogKnob(int deck, int position) override;
    void ShowLevels(int deck, int left, int right) override;
    void ResetPeakView(int deck) override;
    bool ShowArt(int index, const CString& path) override;
    void SetTooltip(unsigned commandId, const CString& text) override;
    CString SecondsText(int seconds) override;
    CString TitleFromFile(const CString& path) override;
    bool ReadCuePoints(const CString& path, DeckCueInfo& info) override;
    CString ReadPreset(int deck, int n) override;
    int GetFxMode(int deck) override;
    void SetFxMode(int deck, int mode) override;
    void ClearEchoBuffer(int deck) override;
    void ClearDelayBuffer(int deck) override;
    bool AskTrackFile(CString& path) override;
    void ShowConfig(int page) override;
    void PostDenonTime(int deck, int seconds) override;
    void PostDeckTime(int deck, int seconds) override;
    bool IsTrackInLibrary(const CString& path) override;
    void ShowTrackProperties(const CString& path, int length, int deck) override;
    void ShowCueNaming(const CString& path, int seconds, int cue) override;
    // The downloaded cover of deck A (0) or B (1) in its album-art view.
    void ShowArtFile(int deck, const CString& file);

private:
    template <class T>
    T* Control(int32_t id) const
    {
        HWND hWnd = WindowOf(id);
        return hWnd ? dynamic_cast<T*>(CWnd::FromHandlePermanent(hWnd)) : nullptr;
    }
    HWND WindowOf(int32_t id) const;
    void ListControls() const;
    void SetSliderPos(const CString& name, int position);
    void SetKnobPos(const CString& name, int position);

    HWND m_mainWindow;
    SkinMeterSet* m_meters;
    std::function<void(int)> m_showConfig;
    std::function<void(const CString&)> m_log;
    std::function<void(const CString&, int, int)> m_trackProperties;
    std::function<void(const CString&, int, int)> m_cueNaming;
    // The main window's children by their 32-bit window id.
    mutable std::map<int32_t, HWND> m_windows;
    mutable bool m_windowsListed = false;
};
