// The quick reader of a library file: it reads the records straight from
// the text when the text is laid out exactly as BuildLibraryText writes it,
// with none of XmlMarkup's element index or per-field strings. Any other
// text is left to XmlMarkup (the records read are the same either way).
// No file access and no window code here.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"

// True when the text has exactly the written layout; count is then the
// number of its TRK elements. Reads nothing.
bool CheckLibraryLayout(const CString& text, int& count);

// Appends the count records of a text that CheckLibraryLayout accepted, as
// ReadLibraryRecords reads them.
void ReadLibraryLayout(const CString& text, int count, CArray<CTrackRecord, CTrackRecord&>& records,
                       bool formatBpm);
