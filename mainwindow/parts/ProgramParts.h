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

class LibraryViews;
class MainDialog;

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

    // ---- The library tree, views, search and filter (mainwindow/library).
public:
    // The library views, attached to the main window on first use.
    LibraryViews& Library();
    void BuildLibraryTree() override;
    void DisplayTreeSelection() override;
    void SelectLibraryRoot() override;
    void FilterTrackList() override;
    bool IsSearchBoxEdit(HWND hWnd) override;
    HWND TrackListWindow() override;
    void ShowSelectedTrackInfo() override;
    bool RunLibraryDisplayJob() override;
    void UpdateLibraryStatusLine() override;
    int LibraryView() override;
    void LoadTracklistOrder() override;
    void SaveTracklistOrder() override;
    bool OnControlNotify(int id, NMHDR* header, LRESULT* result) override;
    void RunCommand(command_areas::CommandArea area, unsigned id) override;
    // The library-view area's commands; false for other areas.
    bool RunLibraryCommand(command_areas::CommandArea area, unsigned id);

private:
    std::unique_ptr<LibraryViews> m_library;
    bool m_bLibraryAttached = false;
};
