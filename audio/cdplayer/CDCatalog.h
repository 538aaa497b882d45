// The CD catalogue: an XML file of the albums that disc lookups found, one
// "Album" (Artist, Title, DiscID) with one "Track" (TNUM, TTIT, TLEN) per
// track, under the root "TavrixCDCatalog" whose "Albums" counts the albums
// added. Texts in, texts out: no file or window here (CDCatalogFile reads
// and writes the file).
//
// Classes: CDCatalogTrack, CDCatalogAlbum.
#pragma once

#include "framework/core/CString.h"

#include <cstddef>
#include <vector>

struct CDCatalogTrack
{
    int number = 0;
    CString title;
    int length = 0;   // seconds
};

struct CDCatalogAlbum
{
    CString artist;
    CString title;
    CString discId;   // "%08x"
    std::vector<CDCatalogTrack> tracks;
};

// The first line of a new catalogue.
extern const char* const kCDCatalogProlog;

// Minutes and seconds of a time, the minutes at least minuteDigits wide
// ("%02d:%02d" for 2); a negative time is 0.
CString CDMinutesSecondsText(int seconds, int minuteDigits);
// A length as the catalogue stores it: minutes and seconds, "%03d:%02d".
CString CDCatalogLengthText(int seconds);

// The file's bytes as the catalogue's text: its lines (ending at "\n", a
// "\r" before it dropped) each followed by "\r\n". eachLine, when given,
// runs before each line (the window lets its waiting messages through).
CString CDCatalogJoinLines(const char* bytes, size_t size, void (*eachLine)() = nullptr);

// Adds the album to a catalogue's text. An empty text starts a new
// catalogue (the prolog and an empty root with Albums "0"). False, with
// `result` untouched, when the text holds no "TavrixCDCatalog" root, or
// one whose start tag is too damaged to take the new count.
bool CDCatalogAppend(const CString& text, const CDCatalogAlbum& album, CString& result);

// The albums of a catalogue's text, in file order, and its Albums count.
// False when the text holds no "TavrixCDCatalog" root. A track number or
// length that does not read as one is -1.
bool CDCatalogRead(const CString& text, std::vector<CDCatalogAlbum>& albums, long long* count = nullptr);
