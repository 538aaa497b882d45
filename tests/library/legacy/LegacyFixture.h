// What the tests of the older files and exports share: a track-list window
// with its list, a folder of their own, and a prompt answerer that records
// every message box, answers from a script and picks Save-dialog names.
#pragma once

#include "../tracklist/TrackListFixture.h"
#include "framework/ui/Prompts.h"
#include "tests/support/TestSupport.h"

#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace legacy_test {

struct ShownPrompt
{
    std::string text;
    std::string caption;
    UINT type;
};

class LegacyAnswerer : public CPromptAnswerer
{
public:
    LegacyAnswerer() { m_previous = AfxSetPromptAnswerer(this); }
    ~LegacyAnswerer() override { AfxSetPromptAnswerer(m_previous); }
    LegacyAnswerer(const LegacyAnswerer&) = delete;
    LegacyAnswerer& operator=(const LegacyAnswerer&) = delete;

    // Answers message boxes (their default button when none is left).
    std::deque<int> answers;
    std::vector<ShownPrompt> shown;
    // The name the Save dialog gives back; empty: cancelled.
    std::string saveAs;
    std::vector<std::string> filters;

    int MessageBox(HWND, const char* text, const char* caption, UINT type) override
    {
        shown.push_back({text ? text : "", caption ? caption : "", type});
        if (answers.empty())
            return AfxMessageBoxDefaultAnswer(type);
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    BOOL FileDialog(OPENFILENAMEA& ofn, BOOL open) override
    {
        std::string filter;
        for (const char* p = ofn.lpstrFilter; p && *p; p += strlen(p) + 1)
            filter += std::string(p) + "|";
        filters.push_back(filter);
        if (open || saveAs.empty() || saveAs.size() >= ofn.nMaxFile)
            return FALSE;
        strcpy(ofn.lpstrFile, saveAs.c_str());
        return TRUE;
    }

private:
    CPromptAnswerer* m_previous = nullptr;
};

class LegacyTest : public tracklist_test::TrackListTest
{
protected:
    std::string File(const std::string& name) const { return m_dir.File(name); }
    static bool Exists(const std::string& path)
    {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    static std::string Read(const std::string& path)
    {
        std::string bytes;
        tavrix_test::ReadFileBytes(path, bytes);
        return bytes;
    }

    tavrix_test::TempDir m_dir;
    LegacyAnswerer m_prompts;
};

} // namespace legacy_test
