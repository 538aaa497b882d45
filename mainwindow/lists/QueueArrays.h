// QueueArrays: the main window's working lists of tracks, each an array of
// track records held by value. The array is the content; the lists on
// screen (the skin's track lists, the floating list, the audio jukebox
// window's queue) only show it.
#pragma once

#include "framework/core/CArray.h"
#include "library/records/CTrackRecord.h"

struct QueueArrays
{
    CArray<CTrackRecord, CTrackRecord&> deckA;      // deck A queue
    CArray<CTrackRecord, CTrackRecord&> deckB;      // deck B queue
    CArray<CTrackRecord, CTrackRecord&> autoMix;    // AutoMix queue
    CArray<CTrackRecord, CTrackRecord&> jukebox;    // audio jukebox queue
    CArray<CTrackRecord, CTrackRecord&> history;    // newest first
    CArray<CTrackRecord, CTrackRecord&> search;     // search results
    CArray<CTrackRecord, CTrackRecord&> request;    // request list
    CArray<CTrackRecord, CTrackRecord&> dArederoQueue;
};
