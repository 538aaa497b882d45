#include "library/api/LibraryArrays.h"

CArray<CTrackRecord, CTrackRecord&> m_Tracks;
CArray<CTrackRecord, CTrackRecord&> m_SearchTracks;
CArray<CTrackRecord, CTrackRecord&> m_FilteredTracks;
CArray<CTrackRecord, CTrackRecord&> m_iJukeTracks;
CArray<tagAlbumDescriptor, tagAlbumDescriptor&> m_AlbumArray;
CArray<tagAlbumDescriptor, tagAlbumDescriptor&> m_ArtistArray;
CArray<tagAmazonRecord, tagAmazonRecord&> m_AmazonArray;
CArray<tagEXArray, tagEXArray&> m_EXArray;
CArray<CString, CString&> m_AddTracks;
CArray<CString, CString&> m_ExceptionArray;
CArray<CString, CString&> VIZU_ExceptionArray;
