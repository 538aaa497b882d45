// What the library-file tests share: a prompt answerer that records every
// message box and answers from a script, and records made from a short
// description.
#pragma once

#include "framework/ui/Prompts.h"
#include "library/api/VIZU.h"

#include <deque>
#include <string>
#include <vector>

struct ShownBox
{
    std::string text;
    std::string caption;
    UINT type;
};

class ScriptedPrompts : public CPromptAnswerer
{
public:
    ScriptedPrompts() { m_previous = AfxSetPromptAnswerer(this); }
    ~ScriptedPrompts() override { AfxSetPromptAnswerer(m_previous); }
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    // Answers in order; an unscripted box takes its default button.
    std::deque<int> answers;
    std::vector<ShownBox> shown;

    int MessageBox(HWND, const char* text, const char* caption, UINT type) override
    {
        shown.push_back({text ? text : "", caption ? caption : "", type});
        if (answers.empty())
            return AfxMessageBoxDefaultAnswer(type);
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }

private:
    CPromptAnswerer* m_previous = nullptr;
};

inline CTrackRecord MakeTrack(const char* path, const char* artist, const char* title,
                              int index = 0)
{
    CTrackRecord r;
    r.m_FileName = path;
    r.m_Artist = artist;
    r.m_Title = title;
    r.m_Index = index;
    return r;
}

inline void AddTo(CArray<CTrackRecord, CTrackRecord&>& records, CTrackRecord record)
{
    records.Add(record);
}
