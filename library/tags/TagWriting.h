// Writing ID3 tags and their pictures into MP3 files through id3lib, by way
// of Id3TagFile, which never risks the audio. Free functions with no state;
// VIZU's entries (library/api) call them. Errors of the tag library are
// caught here: a writer reports them through its result.
#pragma once

#include "framework/core/CString.h"
#include "library/api/TagInfo.h"

class CDC;
class CStatic;
class CWnd;

namespace tags {

// Writers (TagWriting.cpp)
bool SetID3TagInfo(TAG_INFO* info, CString path);
bool SetBPMTag(CString path, CString bpm);
// The new counter (0 when the tag had none and now has 1), -1 when the
// file is read-only or cannot be written.
int IncrementPlayCounter(CString path);
// Writes the batch's fields; the library record is refreshed by the caller.
bool SetBatchID3TagInfo(tagBatchTag* batch);

// Pictures (TagPictures.cpp)
bool HasPicture(CString path);
bool GetID3Picture(CString path);
bool GetID3PictureRAW(CString path, const unsigned char* data);
CString GetID3PictureMimeType(CString path);
bool SetID3Picture(CString path, CString image, bool replace);
bool DeleteID3TagPicture(CString path);
bool SaveID3PictureFromFile(CString path, CString startFolder);
bool DeleteTempTagArt();
CString TempTagArtPath();
// The MIME type stored for an image file by its name ("" when unknown).
CString PictureMimeType(const CString& image);

} // namespace tags
