// The decks' album-art search: the signed product-search request, the
// reading of the service's XML reply and the choice of one cover. No
// window code and no network: the worker (DeckWorker) sends the request
// and downloads the picture; the reply comes from outside, so its reader
// is fuzzed natively.
#pragma once

#include <stdint.h>

#include <vector>

#include "framework/core/CString.h"

// One search result.
struct AlbumArtItem
{
    CString detailPageUrl;
    CString smallImageUrl;
    CString mediumImageUrl;
    CString artist;
    CString title;
    CString other; // not filled by the search

    AlbumArtItem& operator=(const AlbumArtItem& other) = default;
};

// Where the search goes and how it is signed. The port is 80 for the
// service; a test server on 127.0.0.1 gives its own.
struct AlbumArtService
{
    CString host;
    int port = 80;
    CString accessKeyId; // 20 upper-case letters and digits
    CString signingKey;  // 40 letters and digits, the HMAC-SHA256 key
};

// The program's own service host and credentials.
AlbumArtService DefaultAlbumArtService();

// strftime of the time's UTC breakdown; empty when it cannot be broken down.
CString AlbumArtUtcText(int64_t time, const char* format);

// The keywords as the request carries them: ASCII letters in lower case,
// every byte of the UTF-8 text outside A-Z a-z 0-9 - _ . ~ as %XX (upper-
// case hexadecimal), so "," is "%2C", ":" is "%3A" and a blank is "%20".
CString EncodeAlbumArtKeywords(const CString& utf8);

// The three lines and the query that the signature covers.
CString AlbumArtStringToSign(const AlbumArtService& service, const CString& keywordsUtf8, int64_t time);

// The whole request address: "http://" host "/onca/xml?" query
// "&Signature=" the encoded signature. The host carries no port: the
// connection is opened on the service's port.
CString AlbumArtRequestAddress(const AlbumArtService& service, const CString& keywordsUtf8, int64_t time);

// The object name of the request: the address after "http://host/".
CString AlbumArtObjectName(const CString& address);

// Reads an ItemSearchResponse; false (and no items) without the root or
// its Items element.
bool ParseAlbumArtReply(const char* text, size_t length, std::vector<AlbumArtItem>& items);

// The index of the cover to take for a track, -1 for none:
// - only results by the track's artist count (compared without regard to
//   case; a result without an artist text counts too);
// - none with a medium image among them gives -1;
// - else the last one (with a medium image) whose title is the album;
// - else with useRandom the one at trunc(r x (n - 1) / 32768) of the n
//   counted ones with a medium image (r from 0 to 32767), else the first.
int ChooseAlbumArt(const std::vector<AlbumArtItem>& items, const CString& artist, const CString& album,
                   bool useRandom, int r);

// The file a deck's lookup downloads into, beside the temporary image
// file: "amazonimage.jpg" gives "amazonimage-A.jpg" for deck 0 up to
// "amazonimage-D.jpg" for deck 3 (the suffix before the extension, or at
// the end when the name has none).
CString DeckAlbumArtFileName(const CString& tempImageFile, int deck);
