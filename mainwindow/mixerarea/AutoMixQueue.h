// AutoMixQueue: the AutoMix queue (list 4011, MainDialog::Queues().autoMix)
// as AutoMix takes its tracks from it. The first record is taken out of the
// array before its load (a track that fails to load is dropped, and AutoMix
// tries the next one); after each change the list's view and caption are
// refreshed through the callback the main window gives. Free of windows.
#pragma once

#include <functional>

#include "framework/core/CArray.h"
#include "library/records/CTrackRecord.h"
#include "mainwindow/mixer/MixSeams.h"

class AutoMixQueue : public MixQueue
{
public:
    using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

    AutoMixQueue(TrackArray& tracks, std::function<void()> refresh)
        : m_tracks(tracks), m_refresh(std::move(refresh))
    {
    }

    bool IsEmpty() const override { return m_tracks.GetSize() == 0; }
    bool TakeFirst(CString& path) override;

private:
    TrackArray& m_tracks;
    std::function<void()> m_refresh;
};
