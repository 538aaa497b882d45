// The older XML layout of a library file: the same prolog and root as the
// library file, one TRK element per record whose twelve fields are child
// elements with text (no cue points, names, start, end or volume). No file
// access and no window code here.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"

#include <string>

class XmlMarkup;

namespace legacy {

// The whole file text, laid out as XmlMarkup lays out a document built
// element by element: prolog, root with "Version", "Date" and "Tracks"
// (the record count), one TRK per record with its children in order.
std::string BuildOlderLayoutText(const CArray<CTrackRecord, CTrackRecord&>& records,
                                 const CString& version, const CString& date);

// Steps through the TRK elements below the document's root, reading each
// one's children into a record; each record is appended to records when
// that is given. The number of TRK elements (0 without the root).
int ReadOlderLayoutRecords(XmlMarkup& xml, CArray<CTrackRecord, CTrackRecord&>* records);

} // namespace legacy
