// The texts of the library's exports: the CSV records of the chosen
// columns and the lines of the plain text list. No file access and no
// window code here.
#pragma once

#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"

#include <string>

// What a CSV export writes: the columns ticked, whether a header record
// comes first, and the file whose tracks are exported.
struct tagExportFields
{
    bool Artist = false;
    bool Title = false;
    bool Album = false;
    bool Year = false;
    bool Genre = false;
    bool Length = false;
    bool BPM = false;
    bool PlayCtr = false;
    bool Filename = false;
    bool Type = false;
    bool Header = false;
    bool SourceIsLibrary = false; // the export page's choice; not read here
    CString Source;
};

namespace legacy {

// The length text of a column ("mmm:ss").
using LengthText = CString (*)(int seconds);

// The header record of the ticked columns, in the fixed column order, each
// name quoted; "" when no column is ticked. No line end.
std::string CsvHeaderRecord(const tagExportFields& fields);

// The record of one track: the ticked values in the fixed column order,
// each in double quotes with a double quote inside it doubled; "" when no
// column is ticked. The tempo text is normalised first, the length given
// as lengthText makes it. No line end.
std::string CsvDataRecord(const tagExportFields& fields, const CTrackRecord& track,
                          LengthText lengthText);

// The line of one track in the text list: "title - artist", no line end.
std::string TextListLine(const CTrackRecord& track);

} // namespace legacy
