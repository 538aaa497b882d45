// The library's exported arrays, under the names the program links against
// (the program has arrays of the same names of its own). KVLib's own code
// reaches them through the held library lock (LibraryState's references),
// never by these names outside library/api.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/api/KVLibApi.h"
#include "library/api/LibraryTypes.h"
#include "library/records/CTrackRecord.h"

extern KVLIB_API CArray<CTrackRecord, CTrackRecord&> m_Tracks;
extern KVLIB_API CArray<CTrackRecord, CTrackRecord&> m_SearchTracks;
extern KVLIB_API CArray<CTrackRecord, CTrackRecord&> m_FilteredTracks;
extern KVLIB_API CArray<CTrackRecord, CTrackRecord&> m_iJukeTracks;
extern KVLIB_API CArray<tagAlbumDescriptor, tagAlbumDescriptor&> m_AlbumArray;
extern KVLIB_API CArray<tagAlbumDescriptor, tagAlbumDescriptor&> m_ArtistArray;
extern KVLIB_API CArray<tagAmazonRecord, tagAmazonRecord&> m_AmazonArray;
extern KVLIB_API CArray<tagEXArray, tagEXArray&> m_EXArray;
extern KVLIB_API CArray<CString, CString&> m_AddTracks;
extern KVLIB_API CArray<CString, CString&> m_ExceptionArray;
extern KVLIB_API CArray<CString, CString&> VIZU_ExceptionArray;
