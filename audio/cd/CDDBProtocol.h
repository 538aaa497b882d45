// The CD database protocol without sockets or devices: the disc id of a
// table of contents, the request texts, the greeting, the test of whether an
// answer has arrived whole, and the parsers of query answers, match lines,
// read answers and xmcd disc records. CDDBClient (CDDBClient.h) adds the
// socket and the drive around it.
//
// Classes: CDDBTocEntry, CDDBServer, CDDBMatch, CDDBRecord, CDDBProtocol.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"

#include <cstddef>
#include <cstdint>

// One position of a table of contents (75 frames a second). A table holds
// one entry per track in track order, then the lead-out.
struct CDDBTocEntry
{
    int minute = 0;
    int second = 0;
    int frame = 0;

    // The position of an absolute frame count.
    static CDDBTocEntry FromFrames(int frames)
    {
        CDDBTocEntry entry;
        entry.minute = frames / 4500;
        entry.second = frames / 75 % 60;
        entry.frame = frames % 75;
        return entry;
    }
};
typedef CArray<CDDBTocEntry, const CDDBTocEntry&> CDDBToc;

struct CDDBServer
{
    CString host;
    int port = 80;
    CString path = "/~cddb/cddb.cgi";
    int reserved1 = 1;
    int reserved2 = 0;
    int reserved3 = 1;
    int reserved4 = 0;
    CString note;
};

struct CDDBMatch
{
    CString category;
    uint32_t discId = 0;
    CString artist;
    CString title;
};
typedef CArray<CDDBMatch, const CDDBMatch&> CDDBMatchArray;

struct CDDBRecord
{
    CArray<uint32_t, uint32_t> frameOffsets;
    int discLength = 0;
    int revision = 0;
    CString submitterName;
    CString submitterVersion;
    CString submitterExtra;
    uint32_t discId = 0;
    CString artist;
    CString title;
    CArray<CString, const CString&> trackTitles;   // index = track number - 1
    CString extendedDisc;
    CArray<CString, const CString&> extendedTracks;
    CArray<int32_t, int32_t> playOrder;
    int year = 0;
    CString genre;

    void Reset();
};

// Track numbers in a record run from 0 to this (a disc has at most 99
// tracks); a TTITLE or EXTT key beyond it makes the record fail.
const int CDDB_MAX_TRACK_INDEX = 98;
// No answer longer than this many bytes is taken: reading stops there and
// the request fails.
const size_t CDDB_MAX_ANSWER = 1024 * 1024;

// Whether an answer collected so far is whole.
enum class CDDBAnswerState
{
    More,      // keep reading
    Complete,  // whole: `length` is its length without the terminator
    TooLarge,  // past CDDB_MAX_ANSWER
};

class CDDBProtocol
{
public:
    // Why a parse failed (ParseError()).
    enum Error
    {
        ErrorNone = 0,      // no error code (a query with no match)
        ErrorProtocol = 1,  // an answer or record that does not parse
    };

    CDDBProtocol();
    virtual ~CDDBProtocol();

    // The disc id of a table of contents (tracks, then the lead-out); 0 for
    // a table without a track.
    static uint32_t DiscIdFromToc(const CDDBToc& toc);

    // Every character that is not an ASCII letter or digit becomes "_".
    static CString CleanNameText(const CString& text);

    // The greeting "hello=user+host+client+version&proto=level".
    virtual CString GetHelloText();
    virtual CString GetUserNameText() = 0;
    virtual CString GetHostNameText() = 0;

    // The request texts; false (and no text) for a table without a track.
    bool QueryRequestText(const CDDBServer& server, uint32_t discId, const CDDBToc& toc, CString& request);
    CString ReadRequestText(const CDDBServer& server, const CString& category, uint32_t discId);

    // Whether `text` (length bytes) is a whole answer: kind 1 for a query
    // (a one-line answer ends with its line), 0 for a read (ends with the
    // terminator). On Complete, *length is the answer's length without the
    // terminator.
    static CDDBAnswerState JudgeAnswer(const char* text, size_t size, const char* terminator, int kind,
                                       size_t* length);

    bool ParseQueryResponse(const CString& text, CDDBMatchArray& matches);
    static bool ParseMatchLine(const CString& line, CDDBMatch& match);
    bool ParseReadResponse(const CString& text, CDDBRecord& record);
    bool ParseXmcd(const CString& text, CDDBRecord& record);

    // The last server answer: kept when a request fails, emptied after an
    // answer was parsed.
    const CString& LastAnswer() const { return m_lastAnswer; }
    Error ParseError() const { return m_error; }

    CString m_clientName = "TavrixCDDB";
    CString m_clientVersion = "1.27";
    int m_protocolLevel = 5;
    CString m_proxyHost;
    int m_proxyPort = 80;
    CString m_proxyUser;
    CString m_proxyPassword;

protected:
    void Fail(Error error) { m_error = error; }

    CString m_lastAnswer;
    Error m_error = ErrorNone;
};
