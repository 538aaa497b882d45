// ProgramParts: the program's own MainWindowParts, the object MainApp hands
// to the main window before it runs. Each area of the main window (the
// builders of the window from the skin, the decks, the library views and
// queues, the mixer and AutoMix, the jukebox and sampler windows) keeps its
// state in an object of its own, held here, and the overrides pass the
// window's calls on to it. An area adds its object and its overrides as one
// block of its own below.
#pragma once

#include "mainwindow/parts/MainWindowParts.h"

#include <memory>

class MainDialog;
struct MainBuildArea;

class ProgramParts : public MainWindowParts
{
public:
    explicit ProgramParts(MainDialog& dialog);
    ~ProgramParts() override;
    ProgramParts(const ProgramParts&) = delete;
    ProgramParts& operator=(const ProgramParts&) = delete;

    MainDialog& Dialog() const { return m_dialog; }

private:
    MainDialog& m_dialog;

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
    bool HasThumbList() override;
    bool HasVideoOnSkin() override;
    bool HasTrackListAndInfo() override;
    bool SetTextField(const char* name, const char* text) override;
    bool HasCpuMeter() override;
    void SetCpuMeter(int value) override;
    HWND TrackListWindow() override;

private:
    std::unique_ptr<MainBuildArea> m_build;
};
