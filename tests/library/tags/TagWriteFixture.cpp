#include "tests/library/tags/TagWriteFixture.h"

#include <cstring>

using namespace tavrix_test;

int WrittenTag::Count(const char* id) const
{
    int count = 0;
    for (const WrittenFrame& frame : frames)
        count += frame.id == id ? 1 : 0;
    return count;
}

const WrittenFrame* WrittenTag::Find(const char* id) const
{
    for (const WrittenFrame& frame : frames)
        if (frame.id == id)
            return &frame;
    return nullptr;
}

std::string FileBytesOf(const std::string& path)
{
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
}

WrittenTag ReadWrittenTag(const std::string& path)
{
    WrittenTag out;
    const std::string bytes = FileBytesOf(path);
    id3v2::TagHeader header;
    if (!id3v2::ReadHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &header))
        return out;
    id3v2::Tag tag;
    if (!tag.Parse(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
        return out;
    out.present = true;
    out.major = header.major;
    out.totalSize = header.totalSize;
    EXPECT_EQ(0, tag.Skipped()) << path;
    EXPECT_FALSE(tag.Damaged()) << path;
    for (const id3v2::FrameRef& frame : tag.Frames()) {
        std::vector<uint8_t> content;
        EXPECT_TRUE(tag.Content(frame, &content));
        out.frames.push_back({std::string(frame.id, 4), std::string(content.begin(), content.end())});
    }
    return out;
}

std::string AudioOf(const std::string& path)
{
    const std::string bytes = FileBytesOf(path);
    size_t begin = 0;
    id3v2::TagHeader header;
    if (id3v2::ReadHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &header))
        begin = header.totalSize;
    size_t end = bytes.size();
    if (end >= begin + 128 && bytes.compare(end - 128, 3, "TAG") == 0)
        end -= 128;
    return begin <= end ? bytes.substr(begin, end - begin) : std::string();
}

std::string Latin1Text(const std::string& text)
{
    return std::string(1, '\0') + text;
}

std::string ToneAudio()
{
    std::string audio;
    EXPECT_TRUE(ReadFileBytes(MediaPath("tone440.mp3"), audio));
    return audio;
}

std::string ToneWithTag(const TempDir& dir, const std::string& name, const std::string& tag)
{
    const std::string path = dir.File(name);
    EXPECT_TRUE(WriteFileBytes(path, tag + ToneAudio()));
    return path;
}

int RecordedPrompts::MessageBox(HWND, const char* text, const char* caption, UINT type)
{
    shown.push_back({text ? text : "", caption ? caption : "", type});
    return AfxMessageBoxDefaultAnswer(type);
}

BOOL RecordedPrompts::FileDialog(OPENFILENAMEA& ofn, BOOL)
{
    std::string filter;
    if (ofn.lpstrFilter) {
        const char* at = ofn.lpstrFilter;
        while (*at) {
            filter += at;
            filter += '|';
            at += strlen(at) + 1;
        }
    }
    filters.push_back(filter);
    titles.push_back(ofn.lpstrTitle ? ofn.lpstrTitle : "");
    if (saveAs.empty() || saveAs.size() >= ofn.nMaxFile)
        return FALSE;
    strcpy(ofn.lpstrFile, saveAs.c_str());
    return TRUE;
}
