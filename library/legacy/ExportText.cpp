#include "library/legacy/ExportText.h"

#include "library/file/LibraryDocument.h"

namespace {

// One field: the value in double quotes, an inner double quote doubled, a
// comma after it.
void PutField(std::string& out, const char* value)
{
    out += '"';
    for (const char* p = value; *p; ++p) {
        if (*p == '"')
            out += '"';
        out += *p;
    }
    out += "\",";
}

// The record without its last comma (every field ends in one).
std::string Finished(std::string record)
{
    if (!record.empty())
        record.pop_back();
    return record;
}

} // namespace

std::string legacy::CsvHeaderRecord(const tagExportFields& fields)
{
    const struct
    {
        bool ticked;
        const char* name;
    } columns[] = {
        {fields.Artist, "Artist"}, {fields.Title, "Title"},       {fields.Album, "Album"},
        {fields.Year, "Year"},     {fields.Genre, "Genre"},       {fields.Length, "Length"},
        {fields.BPM, "BPM"},       {fields.PlayCtr, "PlayCtr"},   {fields.Filename, "Filename"},
        {fields.Type, "Type"},
    };
    std::string record;
    for (const auto& c : columns)
        if (c.ticked)
            PutField(record, c.name);
    return Finished(record);
}

std::string legacy::CsvDataRecord(const tagExportFields& fields, const CTrackRecord& track,
                                  LengthText lengthText)
{
    std::string record;
    if (fields.Artist)
        PutField(record, track.m_Artist);
    if (fields.Title)
        PutField(record, track.m_Title);
    if (fields.Album)
        PutField(record, track.m_Album);
    if (fields.Year)
        PutField(record, track.m_Year);
    if (fields.Genre)
        PutField(record, track.m_Genre);
    if (fields.Length)
        PutField(record, lengthText(track.m_Length));
    if (fields.BPM) {
        CString bpm = track.m_BPMText;
        FormatBpmText(bpm);
        PutField(record, bpm);
    }
    if (fields.PlayCtr) {
        CString count;
        count.Format("%d", static_cast<int>(track.m_PlayCount));
        PutField(record, count);
    }
    if (fields.Filename)
        PutField(record, track.m_FileName);
    if (fields.Type)
        PutField(record, track.m_FileType);
    return Finished(record);
}

std::string legacy::TextListLine(const CTrackRecord& track)
{
    std::string line = track.m_Title.GetString();
    line += " - ";
    line += track.m_Artist.GetString();
    return line;
}
