// Shared set-up of the import tests: a library object over an empty
// library, the program folder's settings, a music folder made of the test
// media, a prompt answerer, and a real page window with the items the
// searches and batches write.
#pragma once

#include "framework/core/CString.h"
#include "framework/ui/Prompts.h"
#include "library/api/VIZU.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace import_test {

// Answers every prompt with a set answer and remembers what was asked.
class Answerer : public CPromptAnswerer
{
public:
    int answer = IDOK;
    std::vector<std::string> texts;
    std::string caption;
    UINT type = 0;
    HWND owner = reinterpret_cast<HWND>(1);
    int MessageBox(HWND hOwner, const char* text, const char* cap, UINT ty) override
    {
        texts.push_back(text);
        caption = cap;
        type = ty;
        owner = hOwner;
        return answer;
    }
};

// A top-level window with child items by id. Items of the text kind keep
// the texts set into them; when one is given a text that starts with
// escapePrefix, an Escape key-down is posted to the page (once).
class Page
{
public:
    Page();
    ~Page();
    HWND Handle() const { return m_hWnd; }
    HWND AddTextItem(int id);
    HWND AddProgress(int id);   // counts the steps it is given
    HWND AddButton(int id, bool enabled);
    HWND AddList(int id);       // a report list view with two columns
    std::string Text(int id) const;
    // Every text an item was given, in order.
    std::vector<std::string> TextsOf(int id) const;

    std::string escapePrefix;

private:
    HWND m_hWnd = nullptr;
};

// How many PBM_STEPIT messages progress bars made by Page received.
int ProgressSteps();
void ResetProgressSteps();

std::set<std::string> ToSet(const CArray<CString, CString&>& array);
std::string ReadText(const std::string& path);

class ImportTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes "KVLib.ini" with the add-log setting and reloads the settings.
    void SetLogAdds(bool on);
    std::string ProgramFile(const char* name) const;
    // Copies a test medium into the music folder under a name of its own.
    std::string Put(const std::string& medium, const std::string& relative);
    std::string Folder(const std::string& relative);
    // The standard music folder: Tagged.mp3, tone.wav, notes.txt and the
    // folder "sub" with a.MP3 (no tags), b.wav, c.mp3.
    void MakeStandardFolder();

    // The settings, add log and watch list lie in the test's own folder.
    std::unique_ptr<tavrix_test::ProgramFolderScope> m_folder;
    std::unique_ptr<tavrix_test::TempDir> m_temp;
    std::string m_root;   // the music folder
    std::unique_ptr<VIZU> m_vizu;
    Answerer m_answerer;
    CPromptAnswerer* m_previous = nullptr;
};

} // namespace import_test
