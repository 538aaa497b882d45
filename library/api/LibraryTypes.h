// The small record types of KVLib's exported interface.
#pragma once

#include "framework/core/CString.h"

#include <cstdint>

// One entry of the album and artist arrays.
struct tagAlbumDescriptor
{
    int32_t Reserved1 = 0;
    CString Album;
    CString Artist;
    CString Path;         // a music file of that album or artist
    int32_t Reserved2 = 0;
};

// One album-art search result.
struct tagAmazonRecord
{
    CString Artist;
    CString Title;
    CString DetailPage;
    CString SmallImage;
    CString MediumImage;
    CString Spare;
};

// Element of an array that nothing fills.
struct tagEXArray
{
    CString Text;
};

// The facts of one library file for the library lists.
struct LIB_INFO
{
    int32_t FileSize = 0;
    int32_t Tracks = 0;
    CString Version;
    CString Created;
    CString Modified;
};

// What a random pick asks for: Mode 40 to 45 and its values.
struct tagRandomInfo
{
    int32_t Mode = 0;
    CString Value;
    CString BPMLow;
    CString BPMHigh;
    CString YearLow;
    CString YearHigh;
};
