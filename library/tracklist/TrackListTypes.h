// The caller-owned records of the track-list column members of VIZU, and
// the classes those members take by pointer.
#pragma once

#include <cstdint>

class CImageList;
class CListCtrl;

// The display position of each column type of the library track list.
struct KV_LIST_COLUMN_ORDER
{
    int32_t Title = 0;
    int32_t Artist = 0;
    int32_t PicImage = 0;
    int32_t Album = 0;
    int32_t Genre = 0;
    int32_t Year = 0;
    int32_t Time = 0;
    int32_t BPM = 0;
    int32_t Index = 0;
    int32_t PlayCtr = 0;
    int32_t Filename = 0;
};

// What VIZU::KVSort sorts by; its address is the sort's parameter.
struct KV_SORT_INFO
{
    CListCtrl* List = nullptr;
    int32_t Column = 0;
    bool Ascending = true;
};
