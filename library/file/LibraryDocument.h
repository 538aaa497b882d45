// The text of a library file (also of playlist and history files, which
// share its layout): the document of a record array and the records of a
// document. No file access and no window code here.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"

#include <string>

class XmlMarkup;

// Called after each record while a long loop runs.
using RecordTick = void (*)(void* context);

// The whole file text of the records, laid out as LibraryFileLayout.h
// describes it: prolog, root with its attributes, one record element each. The records
// are walked twice (measuring, then writing), tick called after each.
std::string BuildLibraryText(const CArray<CTrackRecord, CTrackRecord&>& records,
                             const CString& version, const CString& date,
                             RecordTick tick = nullptr, void* context = nullptr);

// Appends the record of every record element below the document's root to
// records; the number appended (0 without the root). A child element that
// is missing leaves its fields empty (numbers 0). With formatBpm the tempo
// text is normalised as FormatBpmText does.
int ReadLibraryRecords(XmlMarkup& xml, CArray<CTrackRecord, CTrackRecord&>& records,
                       bool formatBpm);

// The root's version and record count as the head of a file gives them:
// head is the file's first kHeadLines lines joined without their line ends,
// and the root's start tag in it is read as an empty element. False when
// it holds no library root.
bool ReadLibraryHead(const CString& head, CString& version, int& tracks);

// The first lines of a file's text as a text-mode reader reads them, joined
// without their line ends: CR LF is one line end, a Ctrl-Z ends the text.
CString JoinedFirstLines(const CString& text, int lines);

// Tempo text normalised in place: dots (and double-byte characters)
// removed, zeros put in front up to five characters, then the first three,
// ".", the last two. The text ends at a zero byte.
void FormatBpmText(CString& text);
