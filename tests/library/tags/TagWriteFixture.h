// Shared by the tag writing tests: MP3 files made from the untagged tone
// with a tag in front, the frames of a written file read back by the
// bounded reader (not by id3lib, which wrote them), and the audio between
// the tags.
#pragma once

#include "framework/ui/Prompts.h"
#include "library/tags/Id3v2Tag.h"
#include "tests/library/tags/TagsFixture.h"
#include "tests/support/Id3v2Writer.h"

#include <deque>
#include <string>
#include <vector>

// One frame of a written tag: identifier and content.
struct WrittenFrame
{
    std::string id;
    std::string content;
};

// The front ID3v2 tag of a file as written: its header and frames.
struct WrittenTag
{
    bool present = false;
    int major = 0;
    size_t totalSize = 0;
    std::vector<WrittenFrame> frames;

    int Count(const char* id) const;
    // The first frame with the identifier ("" content when none).
    const WrittenFrame* Find(const char* id) const;
};

WrittenTag ReadWrittenTag(const std::string& path);
// The bytes after the front tag and before an ID3v1 trailer.
std::string AudioOf(const std::string& path);
std::string FileBytesOf(const std::string& path);

// A text frame's content: encoding byte 0 and the text.
std::string Latin1Text(const std::string& text);

// The untagged tone with tag bytes in front.
std::string ToneWithTag(const tavrix_test::TempDir& dir, const std::string& name,
                        const std::string& tag);
std::string ToneAudio();

// Records the message boxes shown; answers with the default button.
class RecordedPrompts : public CPromptAnswerer
{
public:
    RecordedPrompts() { m_previous = AfxSetPromptAnswerer(this); }
    ~RecordedPrompts() override { AfxSetPromptAnswerer(m_previous); }
    RecordedPrompts(const RecordedPrompts&) = delete;
    RecordedPrompts& operator=(const RecordedPrompts&) = delete;

    struct Box
    {
        std::string text, caption;
        UINT type;
    };
    std::vector<Box> shown;
    // The name a save dialog is given; "" cancels it.
    std::string saveAs;
    std::vector<std::string> filters;
    std::vector<std::string> titles;

    int MessageBox(HWND, const char* text, const char* caption, UINT type) override;
    BOOL FileDialog(OPENFILENAMEA& ofn, BOOL bOpen) override;

private:
    CPromptAnswerer* m_previous = nullptr;
};
