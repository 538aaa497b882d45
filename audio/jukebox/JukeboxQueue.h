// JukeboxQueue: how the audio jukebox loads a track and moves along its
// queue, apart from the window that shows it. Loading reads the file's
// tags, opens it in the player with its length as the position range and
// tells the display; the next track is the first queued one that has a
// path and readable tags (records without either are dropped, so they never
// block the queue). The queue is a Source: the window's is the main
// window's array of track records; without one the object keeps a queue
// of paths of its own.
#pragma once

#include <deque>

#include "audio/players/OutputDevicePlayer.h"
#include "framework/core/CString.h"
#include "library/api/TagInfo.h"

class JukeboxQueue
{
public:
    // Reads a file's tags (VIZU::GetTagInfo in the program); true on success.
    typedef bool (*TagReader)(CString path, TAG_INFO* tags);

    // What the window shows of the queue and the loaded track.
    class Display
    {
    public:
        virtual ~Display() = default;
        // A track was opened: ranges of the bar and slider, time, texts.
        virtual void TrackLoaded(const TAG_INFO& tags) = 0;
        // A track was asked for, opened or not (the play counter's step).
        virtual void TrackTried(const CString& path, const TAG_INFO& tags) = 0;
        // The record left the queue: its row goes from the list.
        virtual void QueueRecordTaken(const CString& path) = 0;
    };

    // The queued records, first to last.
    class Source
    {
    public:
        virtual ~Source() = default;
        virtual bool IsEmpty() const = 0;
        virtual CString FirstPath() const = 0;
        virtual void RemoveFirst() = 0;
    };

    // Construction
    JukeboxQueue(TagReader reader, Display* display, Source* source = nullptr)
        : m_reader(reader), m_display(display), m_source(source ? source : &m_paths)
    {
    }
    JukeboxQueue(const JukeboxQueue&) = delete;
    JukeboxQueue& operator=(const JukeboxQueue&) = delete;

    // Attributes
    void SetPlayer(OutputDevicePlayer* player) { m_player = player; }
    // The queue of paths used when no source was given.
    std::deque<CString>& Queue() { return m_paths.paths; }
    const TAG_INFO& Tags() const { return m_tags; }
    TAG_INFO& Tags() { return m_tags; }

    // Operations
    // Opens a track: false for an empty path or unreadable tags (nothing
    // opened then), true when the player got it.
    bool LoadFile(const CString& path);
    // Loads the first queued track that opens, dropping the records before
    // it that do not; true when one was loaded.
    bool PlayNext();

private:
    struct PathQueue : Source
    {
        std::deque<CString> paths;
        bool IsEmpty() const override { return paths.empty(); }
        CString FirstPath() const override { return paths.front(); }
        void RemoveFirst() override { paths.pop_front(); }
    };

    TagReader m_reader;
    Display* m_display;
    PathQueue m_paths;
    Source* m_source;
    OutputDevicePlayer* m_player = nullptr;
    TAG_INFO m_tags;
};
