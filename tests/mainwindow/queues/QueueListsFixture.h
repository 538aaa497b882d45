// The working lists of tracks as real windows: a visible parent standing
// for the main window with the skin's track lists as its children (their
// window ids the skin's control ids), the arrays, parts that record the
// captions and calls, decks that record their loads, a message dialog that
// records the notices and a prompt answerer with a chosen answer.
#pragma once

#include "ListTestSupport.h"
#include "WidgetTestSupport.h"
#include "foundation/app/MessageDialog.h"
#include "framework/ui/Prompts.h"
#include "mainwindow/parts/MainWindowParts.h"
#include "mainwindow/queues/QueueDecks.h"
#include "mainwindow/queues/QueueLists.h"
#include "skin/tracklist/TXVTrackList.h"
#include "tests/support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace queue_test {

using Paths = std::vector<std::string>;

class RecordingParts : public MainWindowParts
{
public:
    void UpdateQueueCaption(int list) override { captions.push_back(list); }
    void UpdateRequestListCaption() override { calls.push_back("request caption"); }
    void UpdateSearchListCaption() override { calls.push_back("search caption"); }
    void UpdateLibraryStatusLine() override { calls.push_back("status line"); }
    bool IsListShown(int listType) override { return hidden.count(listType) == 0; }
    void RefillPopupList(int listType) override { calls.push_back("popup " + std::to_string(listType)); }
    void FillJukeboxQueue() override { calls.push_back("jukebox fill"); }
    void UpdateJukeboxStatus() override { calls.push_back("jukebox status"); }
    bool IsJukeboxPlaying() override { return jukeboxPlaying; }
    void PlayNextInJukebox() override { calls.push_back("jukebox next"); }
    void ShowModeless(main_menus::ModelessWindow window) override
    {
        if (window == main_menus::ModelessWindow::AudioJukebox)
            calls.push_back("jukebox shown");
    }
    CString GetSelectedPlaylistPath() override { return playlist.c_str(); }
    CString GetSelectedFolderPath(bool fromLibraryTree) override
    {
        calls.push_back(fromLibraryTree ? "folder of tree" : "folder of my computer");
        return folder.c_str();
    }
    bool IsAutoMixRunning() override { return autoMixRunning; }
    void ToggleAutoMix() override { calls.push_back("automix toggled"); }

    std::vector<int> captions;
    std::vector<std::string> calls;
    std::set<int> hidden;
    bool jukeboxPlaying = false;
    bool autoMixRunning = false;
    std::string playlist;
    std::string folder;
};

class RecordingDecks : public QueueDecks
{
public:
    bool LoadTrack(int deck, const CString& path) override
    {
        loads.push_back(std::to_string(deck) + " " + path.GetString());
        const bool loaded = bad.count(path.GetString()) == 0;
        // A deck that loads stops playing its old track only when told;
        // the tests set playing themselves.
        return loaded;
    }
    bool IsPlaying(int deck) override { return playing[deck & 1]; }
    void MixLeft() override { mixes.push_back("left"); }
    void MixRight() override { mixes.push_back("right"); }

    std::vector<std::string> loads;
    std::vector<std::string> mixes;
    std::set<std::string> bad;
    bool playing[2] = {false, false};
};

class RecordingMessages : public MessageDialog
{
public:
    void ShowModal(const CString& text) override { shown.push_back(text.GetString()); }
    std::vector<std::string> shown;
};

class AnsweringPrompts : public CPromptAnswerer
{
public:
    int MessageBox(HWND, const char* text, const char* caption, UINT type) override
    {
        asked.push_back({text, caption, type});
        return answer;
    }
    struct Question
    {
        std::string text, caption;
        UINT type;
    };
    std::vector<Question> asked;
    int answer = IDYES;
};

// The lists the tests make, by list type.
const int kListTypes[] = {4005, 4006, 4007, 4008, 4009, 4011, 4013};

class QueueListsTest : public ProgramFolderTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    TXVTrackList& List(int type) { return *m_lists.at(type); }
    // Records with these paths (index = position + 1) in the array of the
    // type, shown in its list.
    void Fill(int type, const Paths& paths);
    void FillListOnly(int type, const Paths& paths);
    void Select(int type, const std::vector<int>& rows);
    Paths RowPaths(int type);
    Paths ArrayPaths(int type);
    std::vector<int> ArrayIndexes(int type);
    std::vector<int> RowIndexes(int type);
    std::vector<int> SelectedRows(int type);
    // A real WAV file copied into the test's folder under that name.
    std::string MakeTrack(const std::string& name);
    // A playlist file in the library's layout naming these files.
    std::string MakePlaylist(const std::string& name, const Paths& files);

    widget_test::RecordingParent m_main;
    std::map<int, std::unique_ptr<TXVTrackList>> m_lists;
    QueueArrays m_arrays;
    RecordingParts m_parts;
    RecordingDecks m_decks;
    RecordingMessages m_messages;
    AnsweringPrompts m_prompts;
    std::unique_ptr<QueueLists> m_queues;
    list_test::RecordingOwner m_owner;

private:
    MessageDialog* m_oldMessages = nullptr;
    CPromptAnswerer* m_oldPrompts = nullptr;
};

// "C:\q\NAME.mp3" for each name.
Paths QueuePaths(const std::vector<std::string>& names);

} // namespace queue_test
