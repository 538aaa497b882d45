// A track list in a visible parent window, with a program folder of its own
// and an owner that records what the list asks.
#pragma once

#include "ListTestSupport.h"
#include "WidgetTestSupport.h"
#include "skin/tracklist/TXVTrackList.h"
#include "tests/support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <memory>

class TrackListTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Make(20, 20, 760, 420));
        Create(LVS_REPORT | LVS_SHOWSELALWAYS);
    }

    void Create(DWORD style)
    {
        if (m_list)
            m_list->DestroyWindow();
        m_list = std::make_unique<TXVTrackList>();
        ASSERT_TRUE(m_list->Create(WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 730, 400), &m_parent, 1001));
        m_list->SetOwner(&m_owner);
        list_test::AddTrackColumns(*m_list);
    }

    void Fill(const std::vector<list_test::Track>& tracks)
    {
        CArray<CTrackRecord, CTrackRecord&> array;
        list_test::MakeArray(tracks, array);
        m_list->ShowTracks(array);
    }

    void TearDown() override
    {
        m_list.reset();
        m_parent.DestroyWindow();
    }

    widget_test::RecordingParent m_parent;
    list_test::RecordingOwner m_owner;
    std::unique_ptr<TXVTrackList> m_list;
};

// Four tracks whose numeric columns sort differently as text.
inline std::vector<list_test::Track> NumberTracks()
{
    return {
        {"Delta", "Zed", "A4", "Pop", 200, "2004", "128", "C:\\m\\d.mp3", 10, 9, "mp3"},
        {"alpha", "Abe", "A2", "Rock", 95, "1999", "90", "C:\\m\\a.wav", 9, 100, "wav"},
        {"Charlie", "Max", "A1", "Jazz", 61, "2010", "100", "C:\\m\\c.mp3", 100, 2, "mp3"},
        {"bravo", "Lou", "A3", "Funk", 3600, "1987", "75", "C:\\m\\b.mp3", 2, 10, "MP3"},
    };
}
