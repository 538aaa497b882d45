// TAG_INFO: what the library knows of one music file (tag texts, tempo,
// play counter, picture flag and stream facts), and the request record of
// a batch tag write.
#pragma once

#include "framework/core/CString.h"
#include "library/api/KVLibApi.h"

#include <cstdint>

struct TAG_INFO
{
    CString Path;
    CString Title;
    CString Artist;
    CString Album;
    CString Year;
    CString Genre;
    CString Comment;
    CString BPMText;    // tempo times 100 in five digits, "00000" for none
    CString FileType;   // "MP3" or "WAV"
    CString EncodedBy;
    CString LengthText; // ID3v2 length frame (ms); only the quick reader fills it
    int32_t PlayCount = 0;
    int32_t Length = 0;     // whole seconds
    int32_t Channels = 0;
    int32_t SampleRate = 0;
    int32_t Bitrate = 0;    // MP3: kbps; WAV: average bytes per second
    int32_t BPM = 0;        // whole part of the tempo
    bool HasBPM = false;
    bool HasPicture = false;
};

// One batch write: which fields to write, and their values in Tag.
struct tagBatchTag
{
    bool FolderMode = false; // the files are not library tracks
    bool SetArtist = false;
    bool SetAlbum = false;
    bool SetGenre = false;
    bool SetYear = false;
    bool SetComment = false;
    bool SetEncodedBy = false;
    bool SetBPM = false;
    bool SetPlayCount = false;
    bool SetPicture = false;
    bool RemovePictures = false;
    CString PictureFile;
    TAG_INFO Tag;
};

